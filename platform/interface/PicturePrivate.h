// What views may do to a picture: record into its data and replay it.
#ifndef _PICTURE_PRIVATE_H
#define _PICTURE_PRIVATE_H

#include <Picture.h>

#include "interface/PictureData.h"

class BPicture::Private {
public:
	static BPrivate::PictureData& Data(BPicture* picture) { return *picture->fData; }
	static const BPrivate::PictureData& Data(const BPicture* picture)
		{ return *picture->fData; }
};

#endif // _PICTURE_PRIVATE_H
