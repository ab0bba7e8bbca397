// The platform's keyboard numbers its keys row by row from the top left (Escape is 0x01,
// the function keys follow, then the digits row ...); Linux numbers them as the PC's scan
// codes did. The table maps one to the other.
#include "display/KeyCodes.h"

#include <InterfaceDefs.h>

#include <xkbcommon/xkbcommon.h>

namespace BPrivate {

namespace {

// X servers add this to the input layer's numbers.
const uint32 kXKeyOffset = 8;

struct KeyPair {
	uint16 input;
	uint8 platform;
};

const KeyPair kKeys[] = {
	{ 1, 0x01 },	// Escape
	{ 59, 0x02 }, { 60, 0x03 }, { 61, 0x04 }, { 62, 0x05 }, { 63, 0x06 }, { 64, 0x07 },
	{ 65, 0x08 }, { 66, 0x09 }, { 67, 0x0a }, { 68, 0x0b }, { 87, 0x0c }, { 88, 0x0d },
	{ 99, 0x0e },	// Print
	{ 70, 0x0f },	// Scroll Lock
	{ 119, 0x10 },	// Pause
	{ 41, 0x11 },	// `
	{ 2, 0x12 }, { 3, 0x13 }, { 4, 0x14 }, { 5, 0x15 }, { 6, 0x16 }, { 7, 0x17 },
	{ 8, 0x18 }, { 9, 0x19 }, { 10, 0x1a }, { 11, 0x1b },	// 1 to 0
	{ 12, 0x1c }, { 13, 0x1d }, { 14, 0x1e },	// - = Backspace
	{ 110, 0x1f }, { 102, 0x20 }, { 104, 0x21 },	// Insert Home Page Up
	{ 69, 0x22 }, { 98, 0x23 }, { 55, 0x24 }, { 74, 0x25 },	// Num Lock, keypad / * -
	{ 15, 0x26 },	// Tab
	{ 16, 0x27 }, { 17, 0x28 }, { 18, 0x29 }, { 19, 0x2a }, { 20, 0x2b }, { 21, 0x2c },
	{ 22, 0x2d }, { 23, 0x2e }, { 24, 0x2f }, { 25, 0x30 },	// Q to P
	{ 26, 0x31 }, { 27, 0x32 }, { 43, 0x33 },	// [ ] backslash
	{ 111, 0x34 }, { 107, 0x35 }, { 109, 0x36 },	// Delete End Page Down
	{ 71, 0x37 }, { 72, 0x38 }, { 73, 0x39 }, { 78, 0x3a },	// keypad 7 8 9 +
	{ 58, 0x3b },	// Caps Lock
	{ 30, 0x3c }, { 31, 0x3d }, { 32, 0x3e }, { 33, 0x3f }, { 34, 0x40 }, { 35, 0x41 },
	{ 36, 0x42 }, { 37, 0x43 }, { 38, 0x44 },	// A to L
	{ 39, 0x45 }, { 40, 0x46 }, { 28, 0x47 },	// ; ' Enter
	{ 75, 0x48 }, { 76, 0x49 }, { 77, 0x4a },	// keypad 4 5 6
	{ 42, 0x4b },	// left Shift
	{ 44, 0x4c }, { 45, 0x4d }, { 46, 0x4e }, { 47, 0x4f }, { 48, 0x50 }, { 49, 0x51 },
	{ 50, 0x52 },	// Z to M
	{ 51, 0x53 }, { 52, 0x54 }, { 53, 0x55 },	// , . /
	{ 54, 0x56 },	// right Shift
	{ 103, 0x57 },	// Up
	{ 79, 0x58 }, { 80, 0x59 }, { 81, 0x5a }, { 96, 0x5b },	// keypad 1 2 3 Enter
	{ 29, 0x5c }, { 56, 0x5d }, { 57, 0x5e }, { 100, 0x5f }, { 97, 0x60 },
		// left Control, left Alt, Space, right Alt, right Control
	{ 105, 0x61 }, { 108, 0x62 }, { 106, 0x63 },	// Left Down Right
	{ 82, 0x64 }, { 83, 0x65 },	// keypad 0 .
	{ 125, 0x66 }, { 126, 0x67 }, { 127, 0x68 },	// left and right Super, Menu
	{ 86, 0x69 }	// the key between left Shift and Z
};

} // namespace


uint32
key_code_for_x_key(uint32 xKey)
{
	if (xKey < kXKeyOffset)
		return 0;
	for (const KeyPair& pair : kKeys) {
		if (pair.input == xKey - kXKeyOffset)
			return pair.platform;
	}
	return 0;
}


uint32
x_key_for_key_code(uint32 code)
{
	for (const KeyPair& pair : kKeys) {
		if (pair.platform == code)
			return pair.input + kXKeyOffset;
	}
	return 0;
}

uint8
special_key_byte(uint32 symbol, int32* functionKey)
{
	if (symbol >= XKB_KEY_F1 && symbol <= XKB_KEY_F12) {
		*functionKey = B_F1_KEY + (int32)(symbol - XKB_KEY_F1);
		return B_FUNCTION_KEY;
	}
	switch (symbol) {
		case XKB_KEY_Return:
		case XKB_KEY_KP_Enter:
			return B_ENTER;
		case XKB_KEY_BackSpace:
			return B_BACKSPACE;
		case XKB_KEY_Tab:
		case XKB_KEY_ISO_Left_Tab:
			return B_TAB;
		case XKB_KEY_Escape:
			return B_ESCAPE;
		case XKB_KEY_Left:
		case XKB_KEY_KP_Left:
			return B_LEFT_ARROW;
		case XKB_KEY_Right:
		case XKB_KEY_KP_Right:
			return B_RIGHT_ARROW;
		case XKB_KEY_Up:
		case XKB_KEY_KP_Up:
			return B_UP_ARROW;
		case XKB_KEY_Down:
		case XKB_KEY_KP_Down:
			return B_DOWN_ARROW;
		case XKB_KEY_Home:
		case XKB_KEY_KP_Home:
			return B_HOME;
		case XKB_KEY_End:
		case XKB_KEY_KP_End:
			return B_END;
		case XKB_KEY_Page_Up:
		case XKB_KEY_KP_Page_Up:
			return B_PAGE_UP;
		case XKB_KEY_Page_Down:
		case XKB_KEY_KP_Page_Down:
			return B_PAGE_DOWN;
		case XKB_KEY_Insert:
		case XKB_KEY_KP_Insert:
			return B_INSERT;
		case XKB_KEY_Delete:
		case XKB_KEY_KP_Delete:
			return B_DELETE;
		case XKB_KEY_Print:
			*functionKey = B_PRINT_KEY;
			return B_FUNCTION_KEY;
		case XKB_KEY_Scroll_Lock:
			*functionKey = B_SCROLL_KEY;
			return B_FUNCTION_KEY;
		case XKB_KEY_Pause:
			*functionKey = B_PAUSE_KEY;
			return B_FUNCTION_KEY;
		default:
			return 0;
	}
}

} // namespace BPrivate
