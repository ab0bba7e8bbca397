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

	// Hands the picture's calls, in order, to the functions of callBackTable, each
	// called with user first; entries at or past tableEntries, and NULL ones, are
	// skipped. The table's order and each entry's arguments are the platform's
	// (docs/picture-format.md): 0 nop, 1 move pen by, 2 stroke line, 3 stroke rect,
	// 4 fill rect, ... 47 set blending mode. Coordinates are the picture's own; the
	// state a call was recorded in comes before it as a state change.
	status_t Play(void** callBackTable, int32 tableEntries, void* user);

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
