// Keys, modifiers, system colours and the small enumerations of the Interface Kit.
#ifndef _INTERFACE_DEFS_H
#define _INTERFACE_DEFS_H

#include <GraphicsDefs.h>

// The Interface Kit's classes by name: applications of the platform's era, built with
// the whole kit in view, name them in their own headers without including theirs.
class BAlert;
class BBitmap;
class BBox;
class BButton;
class BCheckBox;
class BColorControl;
class BControl;
class BListItem;
class BListView;
class BMenu;
class BMenuBar;
class BMenuField;
class BMenuItem;
class BOutlineListView;
class BPopUpMenu;
class BRadioButton;
class BScrollBar;
class BScrollView;
class BSlider;
class BStatusBar;
class BStringView;
class BTextControl;
class BTextView;
class BView;
class BWindow;

// Bytes of B_KEY_DOWN for the keys that have no printable character.
enum {
	B_BACKSPACE		= 0x08,
	B_RETURN		= 0x0a,
	B_ENTER			= 0x0a,
	B_SPACE			= 0x20,
	B_TAB			= 0x09,
	B_ESCAPE		= 0x1b,
	B_SUBSTITUTE	= 0x1a,

	B_LEFT_ARROW	= 0x1c,
	B_RIGHT_ARROW	= 0x1d,
	B_UP_ARROW		= 0x1e,
	B_DOWN_ARROW	= 0x1f,

	B_INSERT		= 0x05,
	B_DELETE		= 0x7f,
	B_HOME			= 0x01,
	B_END			= 0x04,
	B_PAGE_UP		= 0x0b,
	B_PAGE_DOWN		= 0x0c,

	B_FUNCTION_KEY	= 0x10
};

// The "key" of a B_FUNCTION_KEY press.
enum {
	B_F1_KEY		= 0x02,
	B_F2_KEY		= 0x03,
	B_F3_KEY		= 0x04,
	B_F4_KEY		= 0x05,
	B_F5_KEY		= 0x06,
	B_F6_KEY		= 0x07,
	B_F7_KEY		= 0x08,
	B_F8_KEY		= 0x09,
	B_F9_KEY		= 0x0a,
	B_F10_KEY		= 0x0b,
	B_F11_KEY		= 0x0c,
	B_F12_KEY		= 0x0d,
	B_PRINT_KEY		= 0x0e,
	B_SCROLL_KEY	= 0x0f,
	B_PAUSE_KEY		= 0x10
};

#define B_UTF8_ELLIPSIS		"\xE2\x80\xA6"
#define B_UTF8_OPEN_QUOTE	"\xE2\x80\x9C"
#define B_UTF8_CLOSE_QUOTE	"\xE2\x80\x9D"
#define B_UTF8_COPYRIGHT	"\xC2\xA9"

// Modifier bits of "modifiers". On X11, Ctrl is the Command key and Alt the Option key.
enum {
	B_SHIFT_KEY			= 0x00000001,
	B_COMMAND_KEY		= 0x00000002,
	B_CONTROL_KEY		= 0x00000004,
	B_CAPS_LOCK			= 0x00000008,
	B_SCROLL_LOCK		= 0x00000010,
	B_NUM_LOCK			= 0x00000020,
	B_OPTION_KEY		= 0x00000040,
	B_MENU_KEY			= 0x00000080,
	B_LEFT_SHIFT_KEY	= 0x00000100,
	B_RIGHT_SHIFT_KEY	= 0x00000200,
	B_LEFT_COMMAND_KEY	= 0x00000400,
	B_RIGHT_COMMAND_KEY	= 0x00000800,
	B_LEFT_CONTROL_KEY	= 0x00001000,
	B_RIGHT_CONTROL_KEY	= 0x00002000,
	B_LEFT_OPTION_KEY	= 0x00004000,
	B_RIGHT_OPTION_KEY	= 0x00008000
};

// The keyboard now: the modifiers, and one bit per key held down, indexed by the
// platform's key codes (key / 8 is the byte, 0x80 >> key % 8 the bit).
typedef struct {
	uint32	modifiers;
	uint8	key_states[16];
} key_info;

// The keyboard's layout. Each map gives, for each key code, the offset in the character
// buffer of what the key types with those modifiers: a length byte, then UTF-8 bytes.
typedef struct {
	uint32	version;
	uint32	caps_key;
	uint32	scroll_key;
	uint32	num_key;
	uint32	left_shift_key;
	uint32	right_shift_key;
	uint32	left_command_key;
	uint32	right_command_key;
	uint32	left_control_key;
	uint32	right_control_key;
	uint32	left_option_key;
	uint32	right_option_key;
	uint32	menu_key;
	uint32	lock_settings;
	int32	control_map[128];
	int32	option_caps_shift_map[128];
	int32	option_caps_map[128];
	int32	option_shift_map[128];
	int32	option_map[128];
	int32	caps_shift_map[128];
	int32	caps_map[128];
	int32	shift_map[128];
	int32	normal_map[128];
	int32	acute_dead_key[32];
	int32	grave_dead_key[32];
	int32	circumflex_dead_key[32];
	int32	dieresis_dead_key[32];
	int32	tilde_dead_key[32];
	uint32	acute_tables;
	uint32	grave_tables;
	uint32	circumflex_tables;
	uint32	dieresis_tables;
	uint32	tilde_tables;
} key_map;

// What each physical button of the mouse reports (a B_*_MOUSE_BUTTON bit).
typedef struct {
	uint32	left;
	uint32	right;
	uint32	middle;
} mouse_map;

enum {
	B_PRIMARY_MOUSE_BUTTON		= 0x01,
	B_SECONDARY_MOUSE_BUTTON	= 0x02,
	B_TERTIARY_MOUSE_BUTTON		= 0x04
};

enum border_style {
	B_PLAIN_BORDER,
	B_FANCY_BORDER,
	B_NO_BORDER
};

enum orientation {
	B_HORIZONTAL,
	B_VERTICAL
};

enum button_width {
	B_WIDTH_AS_USUAL,
	B_WIDTH_FROM_WIDEST,
	B_WIDTH_FROM_LABEL
};

enum alignment {
	B_ALIGN_LEFT,
	B_ALIGN_RIGHT,
	B_ALIGN_CENTER
};

enum vertical_alignment {
	B_ALIGN_TOP		= 0x10L,
	B_ALIGN_MIDDLE	= 0x20,
	B_ALIGN_BOTTOM	= 0x30
};

enum alert_type {
	B_EMPTY_ALERT = 0,
	B_INFO_ALERT,
	B_IDEA_ALERT,
	B_WARNING_ALERT,
	B_STOP_ALERT
};

enum join_mode {
	B_ROUND_JOIN = 0,
	B_MITER_JOIN,
	B_BEVEL_JOIN,
	B_BUTT_JOIN,
	B_SQUARE_JOIN
};

enum cap_mode {
	B_ROUND_CAP = B_ROUND_JOIN,
	B_BUTT_CAP = B_BUTT_JOIN,
	B_SQUARE_CAP = B_SQUARE_JOIN
};

const float B_DEFAULT_MITER_LIMIT = 10.0F;

// Scroll bars are this thick; a scroll view grows by them.
const float B_V_SCROLL_BAR_WIDTH = 14.0f;
const float B_H_SCROLL_BAR_HEIGHT = 14.0f;

// The system colours that ui_color() answers.
enum color_which {
	B_PANEL_BACKGROUND_COLOR = 1,
	B_MENU_BACKGROUND_COLOR = 2,
	B_WINDOW_TAB_COLOR = 3,
	B_KEYBOARD_NAVIGATION_COLOR = 4,
	B_DESKTOP_COLOR = 5,
	B_MENU_SELECTED_BACKGROUND_COLOR = 6,
	B_MENU_ITEM_TEXT_COLOR = 7,
	B_MENU_SELECTED_ITEM_TEXT_COLOR = 8,
	B_MENU_SELECTED_BORDER_COLOR = 9,
	B_PANEL_TEXT_COLOR = 10,
	B_DOCUMENT_BACKGROUND_COLOR = 11,
	B_DOCUMENT_TEXT_COLOR = 12,
	B_CONTROL_BACKGROUND_COLOR = 13,
	B_CONTROL_TEXT_COLOR = 14,
	B_CONTROL_BORDER_COLOR = 15,
	B_CONTROL_HIGHLIGHT_COLOR = 16,
	B_NAVIGATION_PULSE_COLOR = 17,
	B_SHINE_COLOR = 18,
	B_SHADOW_COLOR = 19,
	B_TOOL_TIP_BACKGROUND_COLOR = 20,
	B_TOOL_TIP_TEXT_COLOR = 21,
	B_WINDOW_TEXT_COLOR = 22,
	B_WINDOW_INACTIVE_TAB_COLOR = 23,
	B_WINDOW_INACTIVE_TEXT_COLOR = 24,
	B_WINDOW_BORDER_COLOR = 25,
	B_WINDOW_INACTIVE_BORDER_COLOR = 26,
	B_CONTROL_MARK_COLOR = 27,
	B_LIST_BACKGROUND_COLOR = 28,
	B_LIST_SELECTED_BACKGROUND_COLOR = 29,
	B_LIST_ITEM_TEXT_COLOR = 30,
	B_LIST_SELECTED_ITEM_TEXT_COLOR = 31,
	B_SCROLL_BAR_THUMB_COLOR = 32,

	B_SUCCESS_COLOR = 100,
	B_FAILURE_COLOR = 101,

	B_NAVIGATION_BASE_COLOR = B_KEYBOARD_NAVIGATION_COLOR
};

rgb_color ui_color(color_which which);

// Tints for tint_color(): below 1 lightens towards white, above 1 darkens towards black.
const float B_LIGHTEN_MAX_TINT	= 0.0f;
const float B_LIGHTEN_2_TINT	= 0.385f;
const float B_LIGHTEN_1_TINT	= 0.590f;
const float B_NO_TINT			= 1.0f;
const float B_DARKEN_1_TINT		= 1.147f;
const float B_DARKEN_2_TINT		= 1.295f;
const float B_DARKEN_3_TINT		= 1.407f;
const float B_DARKEN_4_TINT		= 1.555f;
const float B_DARKEN_MAX_TINT	= 2.0f;

const float B_DISABLED_LABEL_TINT		= B_DARKEN_3_TINT;
const float B_HIGHLIGHT_BACKGROUND_TINT	= B_DARKEN_2_TINT;
const float B_DISABLED_MARK_TINT		= B_LIGHTEN_2_TINT;

rgb_color tint_color(rgb_color color, float tint);

// The keyboard (docs/display.md tells where each comes from on X11 and offscreen).
uint32		modifiers();
status_t	get_key_info(key_info* info);
// *_map and *_keyBuffer are allocated for the caller, who frees them with free().
void		get_key_map(key_map** _map, char** _keyBuffer);
status_t	get_keyboard_id(uint16* _id);
// The key code of a modifier key (B_LEFT_SHIFT_KEY, B_CAPS_LOCK ...).
status_t	get_modifier_key(uint32 modifier, uint32* key);
// Makes key (a key code) the key of modifier: get_key_map() and get_modifier_key() tell
// it from then on, and on X11 the key gives the modifier in every program of the display
// (docs/display.md).
void		set_modifier_key(uint32 modifier, uint32 key);
void		set_keyboard_locks(uint32 modifiers);

// The mouse. Speeds: 65536 is the usual speed, acceleration 0 is none.
status_t	get_click_speed(bigtime_t* speed);
status_t	set_click_speed(bigtime_t speed);
status_t	get_mouse_speed(int32* speed);
status_t	set_mouse_speed(int32 speed);
status_t	get_mouse_acceleration(int32* acceleration);
status_t	set_mouse_acceleration(int32 acceleration);
status_t	get_mouse_type(int32* type);
status_t	set_mouse_type(int32 type);
status_t	get_mouse_map(mouse_map* map);
status_t	set_mouse_map(mouse_map* map);

// Workspaces, numbered from 0.
int32		count_workspaces();
void		set_workspace_count(int32 count);
int32		current_workspace();
void		activate_workspace(int32 workspace);

class BMessage;

// The kit's own, for programs that inspect others: the windows shown on the screen,
// frontmost first (menus aside), as fields of windows at the same index: "frame" (BRect,
// the window's area on the screen), "title" (string) and "team" (int32, the team of a
// kit application's window, -1 for another program's). B_UNSUPPORTED where the
// display cannot see other programs' windows (offscreen).
status_t	get_window_stack(BMessage* windows);

// The kit's 256-colour system palette.
const color_map* system_colors();

#endif // _INTERFACE_DEFS_H
