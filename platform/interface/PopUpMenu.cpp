// BPopUpMenu: a menu opened at a point in the window of the calling thread (or, from any
// other thread, in the process's first window), tracked by that window's menu
// layer. A synchronous Go() on the window's own thread runs the window's loop until the
// menu closes; from another thread it waits on a semaphore with the window unlocked.
#include <PopUpMenu.h>

#include "app/LooperList.h"
#include "interface/MenuLayer.h"
#include "interface/WindowPrivate.h"

#include <MenuItem.h>
#include <OS.h>
#include <Window.h>

namespace {

// How long the window's loop waits for a message between looks at whether the menu
// closed, while a synchronous Go() runs it.
const bigtime_t kPopUpLoopWait = 100000;


// The window a pop-up of this thread opens in: the thread's own window, else the
// process's first window.
BWindow*
host_window()
{
	if (BWindow* own = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(NULL))))
		return own;
	return BPrivate::LooperList::WindowAt(0);
}

} // namespace


BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked,
	menu_layout layout)
	:
	BMenu(name, layout),
	fAutoDestruct(false),
	fOpen(false)
{
	SetRadioMode(radioMode);
	if (radioMode && labelFromMarked)
		SetLabelFromMarked(true);
}


BPopUpMenu::~BPopUpMenu()
{
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway, bool async)
{
	return _Go(where, deliversMessage, openAnyway, BRect(), async);
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
	bool async)
{
	return _Go(where, deliversMessage, openAnyway, clickToOpen, async);
}


BPoint
BPopUpMenu::ScreenLocation()
{
	return fWhere;
}


BMenuItem*
BPopUpMenu::_Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
	bool async)
{
	// A menu already open, or one that lives in a window's views, cannot open again.
	if (fOpen || Window() != NULL || Parent() != NULL)
		return NULL;
	BWindow* window = host_window();
	if (window == NULL || !window->Lock())
		return NULL;

	bool ownThread = find_thread(NULL) == window->Thread();
	BPoint origin = window->Frame().LeftTop();
	BRect sticky = clickToOpen.IsValid()
		? clickToOpen.OffsetByCopy(BPoint(0, 0) - origin) : BRect();

	// The result travels through a small shared record: the menu itself may be gone by
	// the time an asynchronous one closes.
	struct Result {
		BMenuItem*	chosen = NULL;
		bool		closed = false;
		sem_id		done = -1;
	};
	Result* result = new Result;
	if (!async && !ownThread)
		result->done = create_sem(0, "pop-up menu");

	fOpen = true;
	fWhere = where;
	bool destroy = async && fAutoDestruct;
	BPrivate::MenuLayer::OpenPopUp(window, this, ScreenLocation() - origin, deliversMessage,
		openAnyway, sticky, [this, result, async, destroy](BMenuItem* chosen) {
			fOpen = false;
			if (async) {
				delete result;
				if (destroy)
					delete this;
				return;
			}
			result->chosen = chosen;
			result->closed = true;
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
		while (!result->closed && hostPrivate.DispatchNextMessage(kPopUpLoopWait)) {
		}
		if (!result->closed) {
			// The window was told to quit: the menu closes with it.
			if (BPrivate::MenuLayer* layer = BPrivate::MenuLayer::Find(window))
				layer->Close();
		}
		window->Unlock();
	} else {
		window->Unlock();
		acquire_sem(result->done);
		delete_sem(result->done);
	}
	BMenuItem* chosen = result->chosen;
	delete result;
	return chosen;
}
