// What the kit's menus may ask of a window: to show a view in a display popup of its own,
// beyond the window's bounds, to send it the pointer while a button is down, and to run
// the window's loop from within a message while a pop-up menu waits for a choice. And
// what a bitmap that accepts views asks: a window of its own that draws into it.
#ifndef _WINDOW_PRIVATE_H
#define _WINDOW_PRIVATE_H

#include <Window.h>

namespace BPrivate {

// The largest size and zoom limits, which a window has until it is given others.
const float kMaxWindowLimit = 32768;
// The platform's default pulse rate: twice a second.
const bigtime_t kDefaultWindowPulseRate = 500000;

} // namespace BPrivate

class BWindow::Private {
public:
	explicit Private(BWindow* window) : fWindow(window) {}

	// A window without a thread or a display window whose views draw into bitmap's bits
	// whenever it is flushed or synced. It is not locked; the caller deletes it (with
	// its views) before the bitmap.
	static BWindow* CreateForBitmap(BBitmap* bitmap);

	// Shows root, a view without a parent, at its frame (window coordinates, which may
	// lie outside the window) above everything else. The window draws it and gives it
	// the popup's input; the caller keeps owning root.
	status_t AddPopup(BView* root) { return fWindow->_AddPopup(root); }
	// Takes root off the display and out of the window.
	void RemovePopup(BView* root) { fWindow->_RemovePopup(root); }

	// The pointer's messages go to view until the buttons are up.
	void SetMouseTarget(BView* view) { fWindow->fMouseTarget = view; }

	// Where the pointer is (window coordinates) and its buttons, as the window last
	// heard; any thread.
	void GetPointer(BPoint* where, uint32* buttons)
	{
		fWindow->_NextMousePosition(false, where, buttons);
	}

	// The pointer's messages queued until now were read through GetMouse() by a loop
	// of the window's thread: the window drops them instead of dispatching them.
	void PointerReadUntilNow() { fWindow->fPointerReadUntil = system_time(); }

	// Handles the window's next message, waiting for one at most timeout; false once
	// the window is told to quit.
	bool DispatchNextMessage(bigtime_t timeout);

private:
	BWindow* fWindow;
};

#endif // _WINDOW_PRIVATE_H
