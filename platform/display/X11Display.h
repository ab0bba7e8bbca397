// The X11 back end: one X window per BWindow, drawn with put_image, with keys through
// xkbcommon. One thread per process reads the X events and hands them to the windows.
#ifndef _X11_DISPLAY_H
#define _X11_DISPLAY_H

#include "display/Display.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <xcb/xcb.h>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace BPrivate {

class X11Clipboard;
class X11Display;

class X11Window : public DisplayWindow {
public:
								X11Window(X11Display* display, BRect frame,
									const char* title, DisplayEventHandler handler,
									bool popup);
	virtual						~X11Window();

	virtual	void				SetTitle(const char* title);
	virtual	void				SetIcon(const uint32* pixels, int32 width, int32 height);
	virtual	void				SetFrame(BRect frame);
	virtual	void				SetSizeLimits(float minWidth, float maxWidth,
									float minHeight, float maxHeight);
	virtual	void				Show();
	virtual	void				Hide();
	virtual	void				Activate();
	virtual	void				Present(cairo_surface_t* surface, BRect dirty);
	virtual	void				SendBehind(DisplayWindow* other);
	virtual	bool				IsFront();
	virtual	void				SetDropTarget(const std::string& data);
	virtual	status_t			GrabPointer(bool grab);
	// X11Cursor.cpp.
	virtual	void				SetViewCursor(const DisplayCursor* cursor);

private:
	friend class X11Display;
	friend class X11Overlay;

			void				WriteSizeHints();

			X11Display*			fDisplay;
			const bool			fPopup;
			xcb_window_t		fWindow;
			xcb_gcontext_t		fGC;
			DisplayEventHandler	fHandler;
			// The frame asked for, and the one the server last confirmed.
			BRect				fRequestedFrame;
			BRect				fFrame;
			float				fMinWidth;
			float				fMaxWidth;
			float				fMinHeight;
			float				fMaxHeight;

			// For counting clicks.
			uint32				fLastClickTime;
			uint8				fLastClickButton;
			BPoint				fLastClickWhere;
			int32				fClicks;

			// The view's cursor, under the display's fLock.
			bool				fHasViewCursor;
			DisplayCursor		fViewCursor;
			xcb_cursor_t		fShownCursor;
};

class X11Display : public Display {
public:
	// NULL when no X display can be reached.
	static	X11Display*			Connect();
	virtual						~X11Display();

	virtual	const char*			Name() const { return "x11"; }
	virtual	BRect				ScreenFrame();
	virtual	DisplayWindow*		CreateWindow(BRect frame, const char* title,
									DisplayEventHandler handler);
	virtual	ClipboardBridge*	Clipboard();
	virtual	DisplayWindow*		CreatePopup(BRect frame, const char* title,
									DisplayEventHandler handler);
	// X11Overlay.cpp.
	virtual	DisplayWindow*		CreateOverlay(BRect frame, const char* title,
									DisplayEventHandler handler, uint32 transparentKey);

	virtual	bigtime_t			RefreshPeriod();
	virtual	status_t			ReadScreen(BRect area, uint32* pixels);
	virtual	rgb_color			DesktopColor();
	virtual	void				SetDesktopColor(rgb_color color);
	virtual	uint32				Modifiers();
	virtual	void				GetKeyStates(uint8 states[16]);
	virtual	status_t			SetKeyboardLocks(uint32 modifiers);
	virtual	status_t			ReadKeyMap(key_map** map, char** chars);
	virtual	status_t			SetModifierKey(uint32 modifier, uint32 key);
	virtual	status_t			GetMode(display_mode* mode);
	virtual	status_t			GetModeList(std::vector<display_mode>* modes);
	virtual	status_t			SetMode(const display_mode& mode);
	virtual	status_t			GetDeviceInfo(accelerant_device_info* info);
	virtual	status_t			GetTimingConstraints(
									display_timing_constraints* constraints);
	virtual	uint32				DPMSCapabilities();
	virtual	uint32				DPMSState();
	virtual	status_t			SetDPMS(uint32 state);
	virtual	bigtime_t			ClickSpeed();
	virtual	status_t			SetClickSpeed(bigtime_t speed);
	virtual	status_t			GetMouseSpeed(int32* speed, int32* acceleration);
	virtual	status_t			SetMouseSpeed(int32 speed, int32 acceleration);
	virtual	int32				CountMouseButtons();
	virtual	status_t			GetMouseMap(uint32 map[3]);
	virtual	status_t			SetMouseMap(const uint32 map[3]);
	virtual	int32				CountWorkspaces();
	virtual	status_t			SetWorkspaceCount(int32 count);
	virtual	int32				CurrentWorkspace();
	virtual	status_t			ActivateWorkspace(int32 index);
	virtual	status_t			DropTargetAt(BPoint where, std::string* data);
	// X11Screen.cpp.
	virtual	status_t			GetWindowStack(std::vector<StackedWindow>* windows);
	// X11Cursor.cpp.
	virtual	void				SetCursor(const DisplayCursor& cursor, bool sync);
	virtual	void				SetCursorHidden(bool hidden);
	virtual	void				ObscureCursor();
	virtual	bool				IsCursorHidden();

private:
	friend class X11Window;
	friend class X11Overlay;

								X11Display(xcb_connection_t* connection,
									xcb_screen_t* screen);
			void				SetUpKeyboard();
			xcb_atom_t			Atom(const char* name);
			void				Register(X11Window* window);
			void				Unregister(X11Window* window);
			// The pointer goes to the newest shown popup while popups are shown.
			void				PopupShown(X11Window* popup);
			void				PopupHidden(X11Window* popup);
			void				GrabPointer();
			// A window's own grab (X11Window::GrabPointer()), under fGrabLock.
			status_t			GrabPointerFor(xcb_window_t window);
			// The top-level window (a window manager's frame, or ours without one)
			// that holds window.
			xcb_window_t		TopLevelOf(xcb_window_t window);
			// A CARDINAL property of the root window, fallback when it is not set.
			uint32				RootCardinal(xcb_atom_t property, uint32 fallback);
			status_t			SendToRoot(xcb_atom_t type, uint32 value);
			void				ScreenResized(uint16 width, uint16 height);
			bigtime_t			ReadRefreshPeriod();
			void				WorkspaceChanged();
			void				ClickSpeedChanged();
			// Each window's handler hears event.
			void				Broadcast(const DisplayEvent& event);
			// With fLock held: shows on window (on each window) the cursor it should
			// show now, made on first use and kept.
			void				ApplyCursorLocked(X11Window* window);
			void				ApplyCursorsLocked();
			xcb_cursor_t		CursorFor(const DisplayCursor& cursor);
			// With fLock held: the pointer moved, which ends an obscured cursor.
			void				PointerMovedLocked();
			// Waits until the server has handled every request sent so far.
			void				Sync();

			void				EventLoop();
			void				Dispatch(xcb_generic_event_t* event);
			void				HandleButton(X11Window* window, bool press,
									const xcb_button_press_event_t* event);
			void				HandleKey(X11Window* window, bool press,
									const xcb_key_press_event_t* event);

			xcb_connection_t*	fConnection;
			xcb_screen_t*		fScreen;
			xcb_atom_t			fProtocolsAtom;
			xcb_atom_t			fDeleteAtom;
			xcb_atom_t			fNetNameAtom;
			xcb_atom_t			fUTF8Atom;
			xcb_atom_t			fNetIconAtom;
			xcb_atom_t			fDropTargetAtom;
			xcb_atom_t			fDesktopCountAtom;
			xcb_atom_t			fCurrentDesktopAtom;
			xcb_atom_t			fClickSpeedAtom;
			X11Clipboard*		fClipboard;

			// What the event thread learns of the screen, read by any thread.
			std::mutex			fScreenLock;
			BRect				fScreenFrame;
			bigtime_t			fRefreshPeriod;
			rgb_color			fDesktopColor;
			int32				fCurrentWorkspace;
			bigtime_t			fClickSpeed;

			xkb_context*		fKeyContext;
			xkb_keymap*			fKeymap;
			xkb_state*			fKeyState;

			// Held while an event is handed to a window, so that a window being
			// destroyed never receives one.
			std::mutex			fLock;
			std::map<xcb_window_t, X11Window*> fWindows;
			// The process's cursor and the X cursors made so far, under fLock.
			DisplayCursor		fCursor;
			bool				fCursorHidden;
			bool				fCursorObscured;
			std::map<std::string, xcb_cursor_t> fCursors;

			// The shown popups, oldest first; the newest holds the pointer grab. Calls
			// come from the threads of the windows that open menus.
			std::mutex			fGrabLock;
			std::vector<xcb_window_t> fShownPopups;
			// The window that holds the pointer for itself (a drag, an event mask), which
			// takes it back when the last popup closes; XCB_NONE when none does.
			xcb_window_t		fPointerHolder;
};

} // namespace BPrivate

#endif // _X11_DISPLAY_H
