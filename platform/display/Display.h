// The display back ends' interface: windows on a screen, their pixels and their input.
// Two back ends exist: X11 (real windows through xcb) and offscreen (windows kept in
// memory, for tests and machines without a display). docs/display.md tells how one is
// chosen.
#ifndef _DISPLAY_H
#define _DISPLAY_H

#include <Accelerant.h>
#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <OS.h>
#include <Rect.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace BPrivate {

class ClipboardBridge;

enum DisplayEventType {
	kDisplayMouseDown,
	kDisplayMouseUp,
	kDisplayMouseMoved,
	kDisplayMouseWheel,
	kDisplayKeyDown,
	kDisplayKeyUp,
	kDisplayResized,		// frame: the new frame, in screen coordinates
	kDisplayMoved,			// frame: the new frame, in screen coordinates
	kDisplayExposed,		// frame: the area to draw again, in window coordinates
	kDisplayCloseRequested,
	kDisplayActivated,		// active: whether the window now has the focus
	kDisplayScreenChanged,	// frame: the screen's new frame
	kDisplayWorkspaceActivated	// workspace, active: a workspace was left or entered
};

struct DisplayEvent {
	DisplayEventType type;

	// Mouse events, in window coordinates.
	BPoint			where;
	uint32			buttons = 0;
	int32			clicks = 0;
	float			wheelDelta = 0;

	// Mouse and key events: the platform's modifier bits.
	uint32			modifiers = 0;

	// Key events: the UTF-8 bytes the key types (the platform's codes for the keys
	// without a character), the display's key code, and the character without modifiers.
	char			bytes[8] = {};
	int32			key = 0;
	int32			rawChar = 0;

	BRect			frame;
	bool			active = false;
	int32			workspace = 0;
};

typedef std::function<void(const DisplayEvent&)> DisplayEventHandler;

// The pointer's look: one of the system shapes (the values of BCursorID), or, when
// hasImage is set, the platform's 68-byte cursor data in image (docs/cursors.md).
struct DisplayCursor {
	int32			id = 1;
	bool			hasImage = false;
	uint8			image[68] = {};

	bool			operator==(const DisplayCursor& other) const;
	bool			operator!=(const DisplayCursor& other) const
						{ return !(*this == other); }
};

// BCursorID's values that the display needs itself.
const int32 kCursorSystemDefault = 1;
const int32 kCursorNone = 12;

// A top-level window shown on the screen, as Display::GetWindowStack() lists them.
struct StackedWindow {
	// The window's area on the screen (its border and tab excluded for a kit window).
	BRect			frame;
	std::string		title;
	// A kit window's drop target (DisplayWindow::SetDropTarget), empty for another
	// program's window.
	std::string		dropTarget;
};

// One window on the display. Its calls come from the thread that owns the window; events
// reach the handler on the back end's own thread (X11) or on the thread that caused them
// (offscreen).
class DisplayWindow {
public:
	virtual						~DisplayWindow();

	virtual	void				SetTitle(const char* title) = 0;
	// The window's icon for the desktop: width by height pixels, rows top first, each
	// pixel a 32-bit value 0xAARRGGBB (not premultiplied). A back end without icons
	// ignores it.
	virtual	void				SetIcon(const uint32* pixels, int32 width, int32 height);
	// Moves and resizes; frame is in screen coordinates, edges included.
	virtual	void				SetFrame(BRect frame) = 0;
	virtual	void				SetSizeLimits(float minWidth, float maxWidth,
									float minHeight, float maxHeight) = 0;
	virtual	void				Show() = 0;
	virtual	void				Hide() = 0;
	virtual	void				Activate() = 0;

	// Shows the part dirty (window coordinates) of surface, the window's drawn pixels.
	virtual	void				Present(cairo_surface_t* surface, BRect dirty) = 0;

	// Puts the window right behind other among the display's windows, or behind all of
	// them when other is NULL.
	virtual	void				SendBehind(DisplayWindow* other) = 0;
	// Whether the window is the frontmost of the shown ordinary windows (menus aside).
	virtual	bool				IsFront() = 0;
	// Makes the window a place where drags of any kit process may drop: data (at most
	// kMaxDropTargetSize bytes) is what DropTargetAt() hands back for it.
	virtual	void				SetDropTarget(const std::string& data) = 0;
	// While grabbed, the pointer's events go to this window wherever the pointer is
	// (coordinates still relative to the window), and the keys typed to it when they
	// are not typed to another of the process's windows.
	virtual	status_t			GrabPointer(bool grab) = 0;
	// The cursor shown while the pointer is over the window, instead of the
	// application's (Display::SetCursor()); NULL returns to the application's.
	virtual	void				SetViewCursor(const DisplayCursor* cursor) = 0;
};

// The settings a display starts with: the platform's defaults.
const bigtime_t kDefaultClickSpeed = 500000;
const int32 kDefaultMouseSpeed = 65536;
const int32 kDefaultMouseAcceleration = 65536;

// The platform allows 1 to 32 workspaces.
const int32 kMaxWorkspaces = 32;

// The largest drop-target description a window may carry.
const size_t kMaxDropTargetSize = 512;

class Display {
public:
	// The display of this process, chosen on first use.
	static	Display*			Default();

	virtual						~Display();

	virtual	const char*			Name() const = 0;
	virtual	BRect				ScreenFrame() = 0;
	// The window starts hidden.
	virtual	DisplayWindow*		CreateWindow(BRect frame, const char* title,
									DisplayEventHandler handler) = 0;
	// The exchange of the system clipboard with the display's other programs; NULL when
	// the display has none. Lives as long as the display.
	virtual	ClipboardBridge*	Clipboard() { return NULL; }
	// A window for an open menu: no border, left alone by the window manager, above
	// the other windows and never given the focus (keys stay with the window that
	// opened it). It starts hidden.
	virtual	DisplayWindow*		CreatePopup(BRect frame, const char* title,
									DisplayEventHandler handler) = 0;
	// A window drawn over all others that takes no input: no border, left alone by the
	// window manager, never focused, pointer events going through it to the windows
	// below, and its pixels of the colour transparentKey (0x00RRGGBB) cut out of its
	// shape. NULL when the display cannot show one (offscreen); it starts hidden.
	virtual	DisplayWindow*		CreateOverlay(BRect frame, const char* title,
									DisplayEventHandler handler, uint32 transparentKey)
									{ return NULL; }

	// The time between two refreshes of the screen, in microseconds.
	virtual	bigtime_t			RefreshPeriod() = 0;
	// Copies area (screen coordinates, inside the screen) into pixels: rows top first,
	// each pixel 0xAARRGGBB with alpha 255.
	virtual	status_t			ReadScreen(BRect area, uint32* pixels) = 0;
	virtual	rgb_color			DesktopColor() = 0;
	virtual	void				SetDesktopColor(rgb_color color) = 0;

	// The keyboard as it is now: the platform's modifier bits, and one bit per key
	// pressed, indexed by the platform's key codes (bit 7 - code % 8 of byte code / 8).
	virtual	uint32				Modifiers() = 0;
	virtual	void				GetKeyStates(uint8 states[16]) = 0;
	// Turns Caps Lock, Num Lock and Scroll Lock on or off as modifiers says.
	virtual	status_t			SetKeyboardLocks(uint32 modifiers) = 0;

	// The keyboard's layout in the platform's form (see get_key_map()): both allocated
	// with malloc(), for the caller to free. The keys set_modifier_key() chose are in it.
			status_t			GetKeyMap(key_map** map, char** chars);
	// Makes key (a platform key code) the one that gives modifier (a single
	// B_LEFT_SHIFT_KEY, B_CAPS_LOCK, B_MENU_KEY ... bit). The kit's key map keeps it for
	// this process; a back end may also tell the display's server.
	virtual	status_t			SetModifierKey(uint32 modifier, uint32 key);

	// The screen's display modes in the graphics drivers' form (<Accelerant.h>): the
	// mode shown now, every mode the screen offers, and a change to one of them.
	virtual	status_t			GetMode(display_mode* mode) = 0;
	virtual	status_t			GetModeList(std::vector<display_mode>* modes) = 0;
	virtual	status_t			SetMode(const display_mode& mode) = 0;
	virtual	status_t			GetDeviceInfo(accelerant_device_info* info) = 0;
	virtual	status_t			GetTimingConstraints(
									display_timing_constraints* constraints) = 0;
	// The screen's power states (B_DPMS_ON ...): those it can take, the one it is in,
	// and a change.
	virtual	uint32				DPMSCapabilities() = 0;
	virtual	uint32				DPMSState() = 0;
	virtual	status_t			SetDPMS(uint32 state) = 0;

	// The longest time between the clicks of a double click, in microseconds.
	virtual	bigtime_t			ClickSpeed() = 0;
	virtual	status_t			SetClickSpeed(bigtime_t speed) = 0;
	// The pointer's speed and acceleration on the platform's scales (65536 is the
	// usual speed; 0 no acceleration), and its buttons: map[i] is the platform's
	// button bit that physical button i + 1 gives.
	virtual	status_t			GetMouseSpeed(int32* speed, int32* acceleration) = 0;
	virtual	status_t			SetMouseSpeed(int32 speed, int32 acceleration) = 0;
	virtual	int32				CountMouseButtons() = 0;
	virtual	status_t			GetMouseMap(uint32 map[3]) = 0;
	virtual	status_t			SetMouseMap(const uint32 map[3]) = 0;

	virtual	int32				CountWorkspaces() = 0;
	virtual	status_t			SetWorkspaceCount(int32 count) = 0;
	virtual	int32				CurrentWorkspace() = 0;
	virtual	status_t			ActivateWorkspace(int32 index) = 0;

	// The drop target (DisplayWindow::SetDropTarget) of the frontmost window under
	// where (screen coordinates), of this or another process; B_ENTRY_NOT_FOUND when
	// no such window is there.
	virtual	status_t			DropTargetAt(BPoint where, std::string* data) = 0;
	// The shown top-level windows of every program, frontmost first; menus and
	// overlays (left alone by the window manager) are not listed. B_UNSUPPORTED
	// where the display cannot see other programs' windows.
	virtual	status_t			GetWindowStack(std::vector<StackedWindow>* windows) = 0;

	// The process's cursor: shown over its windows, and wherever the pointer is while
	// one of them holds it. With sync, returns once the display shows it.
	virtual	void				SetCursor(const DisplayCursor& cursor, bool sync) = 0;
	// Hidden, the cursor is shown as no cursor at all over the process's windows.
	// Obscured, it is hidden until the pointer next moves.
	virtual	void				SetCursorHidden(bool hidden) = 0;
	virtual	void				ObscureCursor() = 0;
	virtual	bool				IsCursorHidden() = 0;

protected:
	// The keyboard's layout as the back end reads it, before set_modifier_key().
	virtual	status_t			ReadKeyMap(key_map** map, char** chars) = 0;

private:
			std::mutex			fModifierKeysLock;
			// set_modifier_key()'s choices: modifier bit to key code.
			std::map<uint32, uint32> fModifierKeys;
};

} // namespace BPrivate

#endif // _DISPLAY_H
