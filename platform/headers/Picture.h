// A recorded drawing: the drawing calls a view made between BeginPicture() and
// EndPicture(), replayed anywhere with BView::DrawPicture(). Pictures archive and flatten
// (docs/picture-format.md).
#ifndef _PICTURE_H
#define _PICTURE_H

#include <Archivable.h>
#include <InterfaceDefs.h>
#include <Rect.h>

class BDataIO;
class BView;

namespace BPrivate {
class PictureData;
}

class BPicture : public BArchivable {
public:
	BPicture();
	BPicture(const BPicture& original);
	// An archive that is not a picture's leaves the picture empty.
	BPicture(BMessage* archive);
	virtual ~BPicture();

	static BArchivable* Instantiate(BMessage* archive);
	// Adds "_ver" (int32) and "_data" (the flattened picture, B_RAW_TYPE).
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	status_t Flatten(BDataIO* stream);
	// B_BAD_DATA, leaving the picture as it was, when the bytes are not a picture.
	status_t Unflatten(BDataIO* stream);

	class Private;

private:
	friend class Private;

	BPicture& operator=(const BPicture&) = delete;

	BPrivate::PictureData* fData;
};

#endif // _PICTURE_H
