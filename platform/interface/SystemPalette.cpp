// The system palette: 32 greys, a 6x6x6 colour cube, seven interface colours and the
// transparent entry 255.
#include "interface/SystemPalette.h"

#include <InterfaceDefs.h>

#include <limits.h>

namespace BPrivate {

namespace {

const uint8 kCubeLevels[6] = { 0, 51, 102, 153, 204, 255 };

const rgb_color kInterfaceColors[7] = {
	{ 216, 216, 216, 255 },	// panel background
	{ 240, 240, 240, 255 },
	{ 184, 184, 184, 255 },
	{ 152, 152, 152, 255 },
	{ 96, 96, 96, 255 },
	{ 255, 203, 0, 255 },	// window tab
	{ 80, 128, 216, 255 }	// selection
};


int32
Nearest(const color_map& map, int32 red, int32 green, int32 blue)
{
	int32 best = 0;
	int32 bestDistance = INT_MAX;
	for (int32 i = 0; i < 255; i++) {
		const rgb_color& c = map.color_list[i];
		int32 dr = c.red - red;
		int32 dg = c.green - green;
		int32 db = c.blue - blue;
		int32 distance = dr * dr * 3 + dg * dg * 4 + db * db * 2;
		if (distance < bestDistance) {
			bestDistance = distance;
			best = i;
		}
	}
	return best;
}


color_map*
BuildPalette()
{
	color_map* map = new color_map;
	map->id = 0;
	int32 index = 0;
	for (int32 i = 0; i < 32; i++) {
		uint8 level = (uint8)((i * 255 + 15) / 31);
		map->color_list[index++] = make_color(level, level, level);
	}
	for (int32 r = 0; r < 6; r++) {
		for (int32 g = 0; g < 6; g++) {
			for (int32 b = 0; b < 6; b++) {
				map->color_list[index++]
					= make_color(kCubeLevels[r], kCubeLevels[g], kCubeLevels[b]);
			}
		}
	}
	for (const rgb_color& color : kInterfaceColors)
		map->color_list[index++] = color;
	map->color_list[index] = B_TRANSPARENT_COLOR;

	// 15-bit colours take the centre of their 8-step cell.
	for (int32 i = 0; i < 32768; i++) {
		int32 red = ((i >> 10) & 0x1f) * 255 / 31;
		int32 green = ((i >> 5) & 0x1f) * 255 / 31;
		int32 blue = (i & 0x1f) * 255 / 31;
		map->index_map[i] = (uint8)Nearest(*map, red, green, blue);
	}
	for (int32 i = 0; i < 256; i++) {
		const rgb_color& c = map->color_list[i];
		map->inversion_map[i] = i == B_TRANSPARENT_MAGIC_CMAP8
			? B_TRANSPARENT_MAGIC_CMAP8
			: (uint8)Nearest(*map, 255 - c.red, 255 - c.green, 255 - c.blue);
	}
	return map;
}

} // namespace


const color_map&
SystemPalette()
{
	static const color_map* stPalette = BuildPalette();
	return *stPalette;
}


uint8
PaletteIndexFor(rgb_color color)
{
	if (color.alpha == 0)
		return B_TRANSPARENT_MAGIC_CMAP8;
	const color_map& map = SystemPalette();
	for (int32 i = 0; i < 255; i++) {
		const rgb_color& c = map.color_list[i];
		if (c.red == color.red && c.green == color.green && c.blue == color.blue)
			return (uint8)i;
	}
	return map.index_map[((color.red >> 3) << 10) | ((color.green >> 3) << 5)
		| (color.blue >> 3)];
}

} // namespace BPrivate


const color_map*
system_colors()
{
	return &BPrivate::SystemPalette();
}
