#include "interface/GenericIcons.h"

#include "interface/SystemPalette.h"

namespace {

// Each picture is 16 x 16: one character a pixel, doubled for the large size.
const char* const kFile[16] = {
	"..kkkkkkkk......",
	"..kwwwwwwkk.....",
	"..kwwwwwwkwk....",
	"..kwwwwwwkkkk...",
	"..kwwwwwwwwwk...",
	"..kwggggggwwk...",
	"..kwwwwwwwwwk...",
	"..kwggggggwwk...",
	"..kwwwwwwwwwk...",
	"..kwggggggwwk...",
	"..kwwwwwwwwwk...",
	"..kwggggwwwwk...",
	"..kwwwwwwwwwk...",
	"..kkkkkkkkkkk...",
	"................",
	"................",
};

const char* const kFolder[16] = {
	"................",
	"................",
	".kkkkk..........",
	"koooook.........",
	"kokkkkkkkkkkkkk.",
	"koyyyyyyyyyyyyk.",
	"koyyyyyyyyyyyyk.",
	"koyyyyyyyyyyyyk.",
	"koyyyyyyyyyyyyk.",
	"koyyyyyyyyyyyyk.",
	"koyyyyyyyyyyyyk.",
	"koyyyyyyyyyyyyk.",
	"koyyyyyyyyyyyyk.",
	"kkkkkkkkkkkkkkk.",
	"................",
	"................",
};

const char* const kApplication[16] = {
	"................",
	".......kk.......",
	"......kbbk......",
	".....kbbbbk.....",
	"....kbbbbbbk....",
	"...kbbbbbbbbk...",
	"..kbbbbbbbbbbk..",
	".kbbbbbbbbbbbbk.",
	".knnnnnnnnnnnnk.",
	"..knnnnnnnnnnk..",
	"...knnnnnnnnk...",
	"....knnnnnnk....",
	".....knnnnk.....",
	"......knnk......",
	".......kk.......",
	"................",
};

const char* const kDrive[16] = {
	"................",
	"................",
	"................",
	"................",
	"..kkkkkkkkkkkk..",
	".kwwwwwwwwwwwwk.",
	"kwwwwwwwwwwwwwwk",
	"kkkkkkkkkkkkkkkk",
	"kggggggggggggggk",
	"kggggggggggeeggk",
	"kggggggggggggggk",
	"kddddddddddddddk",
	"kkkkkkkkkkkkkkkk",
	"................",
	"................",
	"................",
};

const char* const kRemovable[16] = {
	"................",
	".....kkkkkk.....",
	"...kkggggggkk...",
	"..kggggggggggk..",
	".kggggggggggggk.",
	".kggggggggggggk.",
	"kggggggkkggggggk",
	"kgggggk..kgggggk",
	"kgggggk..kgggggk",
	"kggggggkkggggggk",
	".kggggggggggggk.",
	".kggggggggggggk.",
	"..kggggggggggk..",
	"...kkggggggkk...",
	".....kkkkkk.....",
	"................",
};


uint8
index_for(char pixel)
{
	rgb_color color;
	switch (pixel) {
		case 'k': color = {0, 0, 0, 255}; break;
		case 'w': color = {255, 255, 255, 255}; break;
		case 'g': color = {200, 200, 200, 255}; break;
		case 'd': color = {120, 120, 120, 255}; break;
		case 'y': color = {255, 216, 96, 255}; break;
		case 'o': color = {216, 160, 32, 255}; break;
		case 'b': color = {96, 128, 255, 255}; break;
		case 'n': color = {32, 48, 160, 255}; break;
		case 'e': color = {0, 200, 0, 255}; break;
		default: return B_TRANSPARENT_MAGIC_CMAP8;
	}
	return BPrivate::PaletteIndexFor(color);
}

} // namespace


namespace BPrivate {

void
draw_generic_icon(generic_icon kind, icon_size which, uint8* pixels)
{
	const char* const* picture = kFile;
	switch (kind) {
		case kGenericFileIcon: picture = kFile; break;
		case kGenericFolderIcon: picture = kFolder; break;
		case kGenericApplicationIcon: picture = kApplication; break;
		case kGenericDriveIcon: picture = kDrive; break;
		case kGenericRemovableIcon: picture = kRemovable; break;
	}
	int32 scale = which / 16;
	for (int32 y = 0; y < which; y++) {
		for (int32 x = 0; x < which; x++)
			pixels[y * which + x] = index_for(picture[y / scale][x / scale]);
	}
}

} // namespace BPrivate
