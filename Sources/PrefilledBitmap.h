// A bitmap filled at construction, from raw pixels or from an archive, that can make three
// single-colour silhouettes of itself (its masks), and the loader that builds one from a
// resource of the program's executable.
#ifndef PREFILLED_BITMAP_H
#define PREFILLED_BITMAP_H

#include <Bitmap.h>

class BFile;
class BMessage;

class PrefilledBitmap : public BBitmap {
public:
	// data holds the rows top first, each (integer part of width - 1, plus 3, rounded down
	// to a multiple of 4) bytes long.
								PrefilledBitmap(BRect bounds, color_space space,
									const void* data, bool acceptsViews = false,
									bool needsContiguous = false,
									bool createMasks = false);
	// Size, colour space, flags and pixels come from the archive; the two flags are not
	// applied to it.
								PrefilledBitmap(BMessage* archive, bool acceptsViews = false,
									bool needsContiguous = false,
									bool createMasks = false);
	// Deletes the masks, if any.
	virtual						~PrefilledBitmap();

	// Makes the three masks from the first count bytes of the pixels: every transparent
	// pixel stays transparent, every other takes the mask's fill index (1, 42, 52).
	// Meaningful for one byte per pixel.
			void				CreateMasks(int32 count, bool acceptsViews,
									bool needsContiguous);

	// Mask 1, 2 or 3, or NULL when there is none. The bitmap keeps it.
			const BBitmap*		GetMask(int32 which) const;

private:
			BBitmap*			fMask1;
			BBitmap*			fMask2;
			BBitmap*			fMask3;
};

// The bitmap archived in the resource of type and id in file, with its masks; NULL when the
// file has no such resource. The caller owns the result.
PrefilledBitmap* LoadBitmapFromResource(BFile& file, int32 id, uint32 type);

#endif // PREFILLED_BITMAP_H
