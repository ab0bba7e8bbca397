// Icons for the tests of what stores them: a B_CMAP8 bitmap of an icon size filled with a
// pattern that no two seeds share, and a comparison of the pixels of two such bitmaps.
#ifndef _ICON_PATTERN_H
#define _ICON_PATTERN_H

#include <Bitmap.h>

#include <string.h>

// Pixel (x, y) becomes (x + y + seed) % 255, never the transparent index.
inline void
fill_icon_pattern(BBitmap& bitmap, uint8 seed = 0)
{
	uint8* bits = static_cast<uint8*>(bitmap.Bits());
	for (int32 y = 0; y <= bitmap.Bounds().IntegerHeight(); y++) {
		for (int32 x = 0; x <= bitmap.Bounds().IntegerWidth(); x++)
			bits[y * bitmap.BytesPerRow() + x] = (x + y + seed) % 255;
	}
}


inline bool
same_icon_pixels(const BBitmap& a, const BBitmap& b)
{
	int32 width = a.Bounds().IntegerWidth() + 1;
	int32 height = a.Bounds().IntegerHeight() + 1;
	if (b.Bounds() != a.Bounds())
		return false;
	for (int32 y = 0; y < height; y++) {
		if (memcmp(static_cast<const uint8*>(a.Bits()) + y * a.BytesPerRow(),
				static_cast<const uint8*>(b.Bits()) + y * b.BytesPerRow(), width) != 0)
			return false;
	}
	return true;
}

#endif // _ICON_PATTERN_H
