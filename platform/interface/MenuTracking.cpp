// Pop-up tracking: the menu layer of the host window shows the menu; the caller's thread
// waits for it to close, running the window's loop when it is the window's own thread.
#include "interface/MenuTracking.h"

#include "app/LooperList.h"
#include "interface/MenuLayer.h"
#include "interface/MenuPrivate.h"
#include "interface/WindowPrivate.h"

#include <Menu.h>
#include <OS.h>
#include <Window.h>

namespace BPrivate {

namespace {

// The result travels through a small shared record: the menu itself may be gone by the
// time an asynchronous one closes.
struct TrackingResult {
	BMenuItem*	chosen = NULL;
	bool		closed = false;
	sem_id		done = -1;
};


// Called with the window locked.
bool
hook_says_stop(BMenu* menu)
{
	return BMenu::Private(menu).CallTrackingHook();
}


void
close_layer(BWindow* window)
{
	if (MenuLayer* layer = MenuLayer::Find(window))
		layer->Close();
}

} // namespace


BWindow*
pop_up_host()
{
	if (BWindow* own = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(NULL))))
		return own;
	return LooperList::WindowAt(0);
}


BMenuItem*
track_pop_up(BMenu* menu, const PopUpTracking& how)
{
	BWindow* window = pop_up_host();
	if (window == NULL || !window->Lock()) {
		if (how.closed)
			how.closed();
		return NULL;
	}

	bool ownThread = find_thread(NULL) == window->Thread();
	BPoint origin = window->Frame().LeftTop();
	BRect sticky = how.clickToOpen.IsValid()
		? how.clickToOpen.OffsetByCopy(BPoint(0, 0) - origin) : BRect();

	TrackingResult* result = new TrackingResult;
	if (!how.async && !ownThread)
		result->done = create_sem(0, "pop-up menu");
	bool async = how.async;
	std::function<void()> closed = how.closed;
	MenuLayer::OpenPopUp(window, menu, how.where - origin, how.deliversMessage,
		how.openAnyway, sticky, [result, async, closed](BMenuItem* chosen) {
			if (async) {
				delete result;
				if (closed)
					closed();
				return;
			}
			result->chosen = chosen;
			result->closed = true;
			if (closed)
				closed();
			if (result->done >= 0)
				release_sem(result->done);
		});

	if (async) {
		window->Unlock();
		return NULL;
	}
	if (ownThread) {
		// The window keeps drawing and handling input: its loop runs here.
		BWindow::Private hostPrivate(window);
		while (!result->closed && hostPrivate.DispatchNextMessage(kMenuTrackingWait)) {
			if (!result->closed && hook_says_stop(menu))
				close_layer(window);
		}
		// A window told to quit closes the menu with it.
		if (!result->closed)
			close_layer(window);
		window->Unlock();
	} else {
		window->Unlock();
		while (acquire_sem_etc(result->done, 1, B_RELATIVE_TIMEOUT, kMenuTrackingWait)
				== B_TIMED_OUT) {
			// Only a menu with a hook needs the window meanwhile.
			if (!BMenu::Private(menu).HasTrackingHook() || !window->Lock())
				continue;
			if (!result->closed && hook_says_stop(menu))
				close_layer(window);
			window->Unlock();
		}
		delete_sem(result->done);
	}
	BMenuItem* chosen = result->chosen;
	delete result;
	return chosen;
}

} // namespace BPrivate
