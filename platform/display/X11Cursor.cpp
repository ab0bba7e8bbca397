// Cursors on X11: each X window shows the cursor set on it. The system shapes come from
// the X cursor font, images from two 1-bit pixmaps (colour and mask). The process's
// cursor is set on each of its windows, and a view's cursor on its window while the
// pointer is over the view; hidden or obscured, every window shows an empty cursor. While
// a window holds the pointer, X shows that window's cursor wherever the pointer is.
#include "display/X11Display.h"

#include <stdlib.h>
#include <string.h>

namespace BPrivate {

namespace {

// The glyphs of the X cursor font, by BCursorID (docs/cursors.md); -1 for the shapes
// the font lacks, which are images of the kit's (ShapeImage()).
const int16 kCursorGlyphs[] = {
	-1,		// (no 0)
	68,		// B_CURSOR_ID_SYSTEM_DEFAULT: left_ptr
	152,	// B_CURSOR_ID_I_BEAM: xterm
	2,		// B_CURSOR_ID_CONTEXT_MENU: arrow
	90,		// B_CURSOR_ID_COPY: plus
	34,		// B_CURSOR_ID_CROSS_HAIR: crosshair
	60,		// B_CURSOR_ID_FOLLOW_LINK: hand2
	58,		// B_CURSOR_ID_GRAB: hand1
	52,		// B_CURSOR_ID_GRABBING: fleur
	92,		// B_CURSOR_ID_HELP: question_arrow
	-1,		// B_CURSOR_ID_I_BEAM_HORIZONTAL: kHorizontalBeamArt
	52,		// B_CURSOR_ID_MOVE: fleur
	-1,		// B_CURSOR_ID_NO_CURSOR: an empty image
	0,		// B_CURSOR_ID_NOT_ALLOWED: X_cursor
	150,	// B_CURSOR_ID_PROGRESS: watch
	138,	// B_CURSOR_ID_RESIZE_NORTH: top_side
	96,		// B_CURSOR_ID_RESIZE_EAST: right_side
	16,		// B_CURSOR_ID_RESIZE_SOUTH: bottom_side
	70,		// B_CURSOR_ID_RESIZE_WEST: left_side
	136,	// B_CURSOR_ID_RESIZE_NORTH_EAST: top_right_corner
	134,	// B_CURSOR_ID_RESIZE_NORTH_WEST: top_left_corner
	14,		// B_CURSOR_ID_RESIZE_SOUTH_EAST: bottom_right_corner
	12,		// B_CURSOR_ID_RESIZE_SOUTH_WEST: bottom_left_corner
	116,	// B_CURSOR_ID_RESIZE_NORTH_SOUTH: sb_v_double_arrow
	108,	// B_CURSOR_ID_RESIZE_EAST_WEST: sb_h_double_arrow
	-1,		// B_CURSOR_ID_RESIZE_NORTH_EAST_SOUTH_WEST: kResizeArt
	-1,		// B_CURSOR_ID_RESIZE_NORTH_WEST_SOUTH_EAST: kResizeArt turned
	-1,		// B_CURSOR_ID_ZOOM_IN: kZoomInArt
	-1,		// B_CURSOR_ID_ZOOM_OUT: kZoomInArt without the plus
	50		// B_CURSOR_ID_CREATE_LINK: exchange
};

// The BCursorID values of the shapes the cursor font lacks.
const int32 kCursorIDHorizontalBeam = 10;
const int32 kCursorIDResizeNorthEastSouthWest = 25;
const int32 kCursorIDResizeNorthWestSouthEast = 26;
const int32 kCursorIDZoomIn = 27;
const int32 kCursorIDZoomOut = 28;

// The kit's images of those, each a string of 16 rows of 16 cells: '#' black, 'o' white,
// '.' clear. The text beam lying down, for vertical text:
const char* const kHorizontalBeamArt =
	"#..............#" "##............##" "#..............#" "################"
	"#..............#" "##............##" "#..............#" "................"
	"................" "................" "................" "................"
	"................" "................" "................" "................";
// A double arrow from the top right corner to the bottom left one; the other diagonal is
// this one turned left to right.
const char* const kResizeArt =
	"........oooooooo" "........o######o" "........oo#####o" ".........oo####o"
	".........oo####o" "........oo#oo##o" ".......oo#oooo#o" "......oo#oo..ooo"
	"ooo..oo#oo......" "o#oooo#oo......." "o##oo#oo........" "o####oo........."
	"o####oo........." "o#####oo........" "o######o........" "oooooooo........";
// A magnifying glass with a plus; the one with a minus lacks the plus's upright stroke.
const char* const kZoomInArt =
	"................" "...ooooooo......" "..oo#####oo....." ".oo##ooo##oo...."
	".o##oo#oo##o...." ".o#ooo#ooo#o...." ".o#o#####o#o...." ".o#ooo#ooo#o...."
	".o##oo#oo##o...." ".oo##ooo###oo..." "..oo########oo.." "...ooooooo###oo."
	".........oo###oo" "..........oo###o" "...........oo###" "............oo#o";
// The cell of the zoom-in magnifier's upright stroke, in each row it crosses (the middle
// row keeps the bar).
const int32 kZoomInStrokeColumn = 6;

// An image in the platform's cursor format (size, depth, the hot spot's y and x, then
// the colour bits and the mask, rows of two bytes) from art; turned flips it left to right.
void
make_image(const char* art, uint8 hotY, uint8 hotX, bool turned, uint8 image[68])
{
	memset(image, 0, 68);
	image[0] = 16;
	image[1] = 1;
	image[2] = hotY;
	image[3] = hotX;
	for (int32 row = 0; row < 16; row++) {
		for (int32 column = 0; column < 16; column++) {
			char cell = art[row * 16 + (turned ? 15 - column : column)];
			uint8 bit = 0x80 >> (column % 8);
			int32 byte = row * 2 + column / 8;
			if (cell == '#')
				image[4 + byte] |= bit;
			if (cell != '.')
				image[36 + byte] |= bit;
		}
	}
}


struct ShapeImages {
	uint8 horizontalBeam[68];
	uint8 resizeNorthEastSouthWest[68];
	uint8 resizeNorthWestSouthEast[68];
	uint8 zoomIn[68];
	uint8 zoomOut[68];

	ShapeImages()
	{
		make_image(kHorizontalBeamArt, 5, 8, false, horizontalBeam);
		make_image(kResizeArt, 7, 7, false, resizeNorthEastSouthWest);
		make_image(kResizeArt, 7, 7, true, resizeNorthWestSouthEast);
		make_image(kZoomInArt, 6, 6, false, zoomIn);
		memcpy(zoomOut, zoomIn, sizeof(zoomOut));
		for (int32 row : { 4, 5, 7, 8 })
			zoomOut[4 + row * 2 + kZoomInStrokeColumn / 8] &= ~(0x80 >> kZoomInStrokeColumn % 8);
	}
};


// The image of a system shape that the cursor font lacks; NULL for none (no cursor).
const uint8*
ShapeImage(int32 id)
{
	static const ShapeImages images;
	switch (id) {
		case kCursorIDHorizontalBeam:
			return images.horizontalBeam;
		case kCursorIDResizeNorthEastSouthWest:
			return images.resizeNorthEastSouthWest;
		case kCursorIDResizeNorthWestSouthEast:
			return images.resizeNorthWestSouthEast;
		case kCursorIDZoomIn:
			return images.zoomIn;
		case kCursorIDZoomOut:
			return images.zoomOut;
		default:
			return NULL;
	}
}


std::string
CursorKey(const DisplayCursor& cursor)
{
	if (cursor.hasImage)
		return std::string((const char*)cursor.image, sizeof(cursor.image));
	return std::to_string(cursor.id);
}


uint8
ReverseBits(uint8 byte)
{
	byte = (uint8)((byte & 0xf0) >> 4 | (byte & 0x0f) << 4);
	byte = (uint8)((byte & 0xcc) >> 2 | (byte & 0x33) << 2);
	return (uint8)((byte & 0xaa) >> 1 | (byte & 0x55) << 1);
}


// A 16 by 16 bitmap of rows (2 bytes each, leftmost pixel in the high bit) in the
// server's bitmap format.
xcb_pixmap_t
MakeBitmap(xcb_connection_t* connection, xcb_window_t root, const uint8* rows)
{
	const xcb_setup_t* setup = xcb_get_setup(connection);
	int pad = setup->bitmap_format_scanline_pad / 8;
	int stride = (2 + pad - 1) / pad * pad;
	bool lsbFirst = setup->bitmap_format_bit_order == XCB_IMAGE_ORDER_LSB_FIRST;
	uint8 data[16 * 8] = {};
	for (int y = 0; y < 16; y++) {
		for (int i = 0; i < 2; i++) {
			uint8 byte = rows[y * 2 + i];
			data[y * stride + i] = lsbFirst ? ReverseBits(byte) : byte;
		}
	}

	xcb_pixmap_t pixmap = xcb_generate_id(connection);
	xcb_create_pixmap(connection, 1, pixmap, root, 16, 16);
	xcb_gcontext_t gc = xcb_generate_id(connection);
	xcb_create_gc(connection, gc, pixmap, 0, NULL);
	xcb_put_image(connection, XCB_IMAGE_FORMAT_XY_PIXMAP, pixmap, gc, 16, 16, 0, 0, 0, 1,
		16 * stride, data);
	xcb_free_gc(connection, gc);
	return pixmap;
}

} // namespace


xcb_cursor_t
X11Display::CursorFor(const DisplayCursor& cursor)
{
	std::string key = CursorKey(cursor);
	auto found = fCursors.find(key);
	if (found != fCursors.end())
		return found->second;

	xcb_cursor_t made = xcb_generate_id(fConnection);
	int16 glyph = -1;
	if (!cursor.hasImage && cursor.id > 0
		&& cursor.id < (int32)(sizeof(kCursorGlyphs) / sizeof(kCursorGlyphs[0])))
		glyph = kCursorGlyphs[cursor.id];
	if (glyph >= 0) {
		xcb_font_t font = xcb_generate_id(fConnection);
		xcb_open_font(fConnection, font, strlen("cursor"), "cursor");
		xcb_create_glyph_cursor(fConnection, made, font, font, glyph, glyph + 1, 0, 0, 0,
			0xffff, 0xffff, 0xffff);
		xcb_close_font(fConnection, font);
	} else {
		uint8 empty[68] = { 16, 1, 0, 0 };
		const uint8* image = cursor.hasImage ? cursor.image : ShapeImage(cursor.id);
		if (image == NULL)
			image = empty;
		xcb_pixmap_t source = MakeBitmap(fConnection, fScreen->root, image + 4);
		xcb_pixmap_t mask = MakeBitmap(fConnection, fScreen->root, image + 36);
		// The data's set colour bits are black, the clear ones white.
		xcb_create_cursor(fConnection, made, source, mask, 0, 0, 0, 0xffff, 0xffff, 0xffff,
			image[3] & 15, image[2] & 15);
		xcb_free_pixmap(fConnection, source);
		xcb_free_pixmap(fConnection, mask);
	}
	fCursors[key] = made;
	return made;
}


void
X11Display::ApplyCursorLocked(X11Window* window)
{
	DisplayCursor shown = window->fHasViewCursor ? window->fViewCursor : fCursor;
	if (fCursorHidden || fCursorObscured) {
		shown = DisplayCursor();
		shown.id = kCursorNone;
	}
	xcb_cursor_t cursor = CursorFor(shown);
	if (cursor == window->fShownCursor)
		return;
	window->fShownCursor = cursor;
	xcb_change_window_attributes(fConnection, window->fWindow, XCB_CW_CURSOR, &cursor);
}


void
X11Display::ApplyCursorsLocked()
{
	for (auto& [id, window] : fWindows)
		ApplyCursorLocked(window);
	xcb_flush(fConnection);
}


void
X11Display::PointerMovedLocked()
{
	if (!fCursorObscured)
		return;
	fCursorObscured = false;
	ApplyCursorsLocked();
}


void
X11Display::Sync()
{
	free(xcb_get_input_focus_reply(fConnection, xcb_get_input_focus(fConnection), NULL));
}


void
X11Display::SetCursor(const DisplayCursor& cursor, bool sync)
{
	{
		std::lock_guard<std::mutex> locker(fLock);
		fCursor = cursor;
		ApplyCursorsLocked();
	}
	if (sync)
		Sync();
}


void
X11Display::SetCursorHidden(bool hidden)
{
	std::lock_guard<std::mutex> locker(fLock);
	fCursorHidden = hidden;
	ApplyCursorsLocked();
}


void
X11Display::ObscureCursor()
{
	std::lock_guard<std::mutex> locker(fLock);
	fCursorObscured = true;
	ApplyCursorsLocked();
}


bool
X11Display::IsCursorHidden()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fCursorHidden;
}


void
X11Window::SetViewCursor(const DisplayCursor* cursor)
{
	std::lock_guard<std::mutex> locker(fDisplay->fLock);
	if (cursor == NULL ? !fHasViewCursor : fHasViewCursor && fViewCursor == *cursor)
		return;
	fHasViewCursor = cursor != NULL;
	fViewCursor = cursor != NULL ? *cursor : DisplayCursor();
	fDisplay->ApplyCursorLocked(this);
	xcb_flush(fDisplay->fConnection);
}

} // namespace BPrivate
