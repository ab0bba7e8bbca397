// The X11 back end: one X window per BWindow, drawn with put_image, with keys through
// xkbcommon. One thread per process reads the X events and hands them to the windows.
#ifndef _X11_DISPLAY_H
#define _X11_DISPLAY_H

#include "display/Display.h"

#include <map>
#include <mutex>
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
			X11Clipboard*		fClipboard;

			xkb_context*		fKeyContext;
			xkb_keymap*			fKeymap;
			xkb_state*			fKeyState;

			// Held while an event is handed to a window, so that a window being
			// destroyed never receives one.
			std::mutex			fLock;
			std::map<xcb_window_t, X11Window*> fWindows;

			// The shown popups, oldest first; the newest holds the pointer grab. Calls
			// come from the threads of the windows that open menus.
			std::mutex			fGrabLock;
			std::vector<xcb_window_t> fShownPopups;
};

} // namespace BPrivate

#endif // _X11_DISPLAY_H
