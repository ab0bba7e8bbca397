// Reading and writing single pixels of the colour spaces that bitmaps support.
#ifndef _PIXEL_FORMAT_H
#define _PIXEL_FORMAT_H

#include <GraphicsDefs.h>

namespace BPrivate {

// The space a number names, as an archive holds it; B_NO_COLOR_SPACE for a number that
// names no supported space (it must never be cast to color_space unchecked).
color_space ColorSpaceFrom(int32 value);

// The smallest row of width pixels, padded to 4 bytes; -1 for unsupported spaces.
int32 MinimumBytesPerRow(color_space space, int32 width);

// Transparent pixels (B_CMAP8 index 255, the B_TRANSPARENT_MAGIC_RGBA32 colour in B_RGB32,
// alpha 0 in the spaces with alpha) read as alpha 0; every other pixel of a space without
// alpha reads as alpha 255.
rgb_color ReadPixel(const uint8* row, int32 x, color_space space);
void WritePixel(uint8* row, int32 x, color_space space, rgb_color color);

} // namespace BPrivate

#endif // _PIXEL_FORMAT_H
