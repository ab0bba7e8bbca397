// Pixel access per colour space. The multi-byte spaces are little-endian, their _BIG forms
// big-endian; B_GRAY1 packs eight pixels a byte, the leftmost in the high bit, a set bit
// being black.
#include "interface/PixelFormat.h"

#include "interface/SystemPalette.h"

namespace BPrivate {

namespace {

int32
BytesPerPixel(color_space space)
{
	switch (space) {
		case B_CMAP8:
		case B_GRAY8:
			return 1;
		case B_RGB15:
		case B_RGBA15:
		case B_RGB16:
		case B_RGB15_BIG:
		case B_RGBA15_BIG:
		case B_RGB16_BIG:
			return 2;
		case B_RGB24:
		case B_RGB24_BIG:
			return 3;
		case B_RGB32:
		case B_RGBA32:
		case B_RGB32_BIG:
		case B_RGBA32_BIG:
			return 4;
		default:
			return -1;
	}
}


// The little-endian form of a big-endian space, and whether it was one.
color_space
LittleForm(color_space space, bool* big)
{
	*big = true;
	switch (space) {
		case B_RGB15_BIG:
			return B_RGB15;
		case B_RGBA15_BIG:
			return B_RGBA15;
		case B_RGB16_BIG:
			return B_RGB16;
		case B_RGB24_BIG:
			return B_RGB24;
		case B_RGB32_BIG:
			return B_RGB32;
		case B_RGBA32_BIG:
			return B_RGBA32;
		default:
			*big = false;
			return space;
	}
}


// A pixel of a big-endian space with its bytes turned round, in pixel.
void
Reversed(const uint8* source, int32 size, uint8* pixel)
{
	for (int32 i = 0; i < size; i++)
		pixel[i] = source[size - 1 - i];
}


uint8
Expand(uint32 value, int bits)
{
	return (uint8)(value * 255 / ((1u << bits) - 1));
}

} // namespace


color_space
ColorSpaceFrom(int32 value)
{
	switch (value) {
		case B_GRAY1:
		case B_RGB15_BIG:
		case B_RGBA15_BIG:
		case B_RGB16_BIG:
		case B_RGB24_BIG:
		case B_RGB32_BIG:
		case B_RGBA32_BIG:
		case B_CMAP8:
		case B_GRAY8:
		case B_RGB15:
		case B_RGBA15:
		case B_RGB16:
		case B_RGB24:
		case B_RGB32:
		case B_RGBA32:
			return (color_space)value;
		default:
			return B_NO_COLOR_SPACE;
	}
}


int32
MinimumBytesPerRow(color_space space, int32 width)
{
	if (space == B_GRAY1)
		return width < 0 ? -1 : ((width + 31) / 32) * 4;
	int32 bytes = BytesPerPixel(space);
	if (bytes < 0 || width < 0)
		return -1;
	return (width * bytes + 3) & ~3;
}


rgb_color
ReadPixel(const uint8* row, int32 x, color_space space)
{
	bool big;
	color_space little = LittleForm(space, &big);
	if (big) {
		int32 size = BytesPerPixel(space);
		uint8 pixel[4];
		Reversed(row + x * size, size, pixel);
		return ReadPixel(pixel, 0, little);
	}
	switch (space) {
		case B_GRAY1:
			return (row[x / 8] & (0x80 >> (x % 8))) != 0 ? make_color(0, 0, 0)
				: make_color(255, 255, 255);
		case B_CMAP8:
			return SystemPalette().color_list[row[x]];
		case B_GRAY8:
			return make_color(row[x], row[x], row[x]);
		case B_RGB15:
		case B_RGBA15:
		case B_RGB16:
		{
			uint32 value = row[x * 2] | (row[x * 2 + 1] << 8);
			if (space == B_RGB16) {
				return make_color(Expand(value >> 11, 5), Expand((value >> 5) & 0x3f, 6),
					Expand(value & 0x1f, 5));
			}
			uint8 alpha = space == B_RGBA15 && (value & 0x8000) == 0 ? 0 : 255;
			return make_color(Expand((value >> 10) & 0x1f, 5), Expand((value >> 5) & 0x1f, 5),
				Expand(value & 0x1f, 5), alpha);
		}
		case B_RGB24:
			return make_color(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
		case B_RGB32:
		{
			const uint8* pixel = row + x * 4;
			rgb_color color = make_color(pixel[2], pixel[1], pixel[0]);
			if (color.red == B_TRANSPARENT_32_BIT.red
				&& color.green == B_TRANSPARENT_32_BIT.green
				&& color.blue == B_TRANSPARENT_32_BIT.blue) {
				color.alpha = 0;
			}
			return color;
		}
		case B_RGBA32:
		{
			const uint8* pixel = row + x * 4;
			return make_color(pixel[2], pixel[1], pixel[0], pixel[3]);
		}
		default:
			return B_TRANSPARENT_COLOR;
	}
}


void
WritePixel(uint8* row, int32 x, color_space space, rgb_color color)
{
	bool big;
	color_space little = LittleForm(space, &big);
	if (big) {
		int32 size = BytesPerPixel(space);
		uint8 pixel[4];
		WritePixel(pixel, 0, little, color);
		Reversed(pixel, size, row + x * size);
		return;
	}
	switch (space) {
		case B_GRAY1:
		{
			// Dark colours set the bit.
			uint8 bit = 0x80 >> (x % 8);
			if (color.red * 30 + color.green * 59 + color.blue * 11 < 128 * 100)
				row[x / 8] |= bit;
			else
				row[x / 8] &= ~bit;
			break;
		}
		case B_CMAP8:
			row[x] = PaletteIndexFor(color);
			break;
		case B_GRAY8:
			row[x] = (uint8)((color.red * 30 + color.green * 59 + color.blue * 11) / 100);
			break;
		case B_RGB15:
		case B_RGBA15:
		case B_RGB16:
		{
			uint32 value;
			if (space == B_RGB16) {
				value = ((color.red >> 3) << 11) | ((color.green >> 2) << 5)
					| (color.blue >> 3);
			} else {
				value = ((color.red >> 3) << 10) | ((color.green >> 3) << 5)
					| (color.blue >> 3);
				if (space == B_RGB15 || color.alpha >= 128)
					value |= 0x8000;
			}
			row[x * 2] = (uint8)value;
			row[x * 2 + 1] = (uint8)(value >> 8);
			break;
		}
		case B_RGB24:
			row[x * 3] = color.blue;
			row[x * 3 + 1] = color.green;
			row[x * 3 + 2] = color.red;
			break;
		case B_RGB32:
		case B_RGBA32:
		{
			uint8* pixel = row + x * 4;
			if (space == B_RGB32 && color.alpha == 0)
				color = B_TRANSPARENT_32_BIT;
			pixel[0] = color.blue;
			pixel[1] = color.green;
			pixel[2] = color.red;
			pixel[3] = space == B_RGB32 ? 255 : color.alpha;
			break;
		}
		default:
			break;
	}
}

} // namespace BPrivate
