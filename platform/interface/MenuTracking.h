// The synchronous and asynchronous tracking of a menu opened as a pop-up, shared by
// BPopUpMenu::Go() and BMenu::Track().
#ifndef _MENU_TRACKING_H
#define _MENU_TRACKING_H

#include <Rect.h>

#include <functional>

class BMenu;
class BMenuItem;
class BWindow;

namespace BPrivate {

// How long a synchronous tracking waits for a message (or for the menu to close) between
// calls of the menu's tracking hook.
const bigtime_t kMenuTrackingWait = 100000;

struct PopUpTracking {
	// The menu's left top corner, in screen coordinates.
	BPoint					where;
	bool					deliversMessage = false;
	bool					openAnyway = false;
	// Screen coordinates; invalid for none.
	BRect					clickToOpen;
	bool					async = false;
	// Runs on the window's thread once the menu closed, before a synchronous tracking
	// returns (at once when the menu cannot open); an asynchronous menu may delete
	// itself there.
	std::function<void()>	closed;
};

// The window a pop-up of the calling thread opens in: the thread's own window, else the
// process's first window; NULL when there is none.
BWindow* pop_up_host();

// Opens menu (in no window) as a pop-up of the host window. Synchronously it returns the
// chosen item once the menu closed, calling the menu's tracking hook on the way (a hook
// that returns true closes the menu, choosing nothing); on the window's own thread the
// window's loop runs meanwhile, from another thread the window stays unlocked.
// Asynchronously it returns NULL at once. NULL too when there is no window to open in.
BMenuItem* track_pop_up(BMenu* menu, const PopUpTracking& how);

} // namespace BPrivate

#endif // _MENU_TRACKING_H
