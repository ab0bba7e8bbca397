// The constants of GraphicsDefs.h.
#include <GraphicsDefs.h>

#include "interface/PixelFormat.h"

#include <string.h>

const pattern B_SOLID_HIGH = { { 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff } };
const pattern B_MIXED_COLORS = { { 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55 } };
const pattern B_SOLID_LOW = { { 0, 0, 0, 0, 0, 0, 0, 0 } };

const rgb_color B_TRANSPARENT_COLOR = { 0x77, 0x74, 0x77, 0x00 };
const uint8 B_TRANSPARENT_MAGIC_CMAP8 = 0xff;
const uint16 B_TRANSPARENT_MAGIC_RGBA15 = 0x39ce;
const uint16 B_TRANSPARENT_MAGIC_RGBA15_BIG = 0xce39;
const uint32 B_TRANSPARENT_MAGIC_RGBA32 = 0x00777477;
const uint32 B_TRANSPARENT_MAGIC_RGBA32_BIG = 0x77747700;
const uint8 B_TRANSPARENT_8_BIT = 0xff;
const rgb_color B_TRANSPARENT_32_BIT = { 0x77, 0x74, 0x77, 0x00 };

const screen_id B_MAIN_SCREEN_ID = { 0 };


bool
pattern::operator==(const pattern& other) const
{
	return memcmp(data, other.data, sizeof(data)) == 0;
}


bool
bitmaps_support_space(color_space space, uint32* supportFlags)
{
	bool supported = BPrivate::ColorSpaceFrom(space) != B_NO_COLOR_SPACE;
	if (supportFlags != NULL) {
		// Every space the kit reads is drawn, and views draw into any of them through a
		// 32-bit copy.
		*supportFlags = supported
			? B_VIEWS_SUPPORT_DRAW_BITMAP | B_BITMAPS_SUPPORT_ATTACHED_VIEWS : 0;
	}
	return supported;
}


status_t
get_pixel_size_for(color_space space, size_t* pixelChunk, size_t* rowAlignment,
	size_t* pixelsPerChunk)
{
	if (BPrivate::ColorSpaceFrom(space) == B_NO_COLOR_SPACE)
		return B_BAD_VALUE;
	// Eight pixels make a byte of B_GRAY1; one pixel a chunk of the others.
	int32 eight = BPrivate::MinimumBytesPerRow(space, 8);
	bool packed = space == B_GRAY1;
	if (pixelChunk != NULL)
		*pixelChunk = packed ? 1 : (size_t)eight / 8;
	if (rowAlignment != NULL)
		*rowAlignment = 4;
	if (pixelsPerChunk != NULL)
		*pixelsPerChunk = packed ? 8 : 1;
	return B_OK;
}
