// BMenu::Track: a menu in no window opens as a pop-up where the pointer is; a menu
// among a window's views follows the pointer in place, on its window's thread.
#include <Menu.h>

#include "app/LockCheck.h"
#include "interface/MenuTracking.h"
#include "interface/WindowPrivate.h"

#include <MenuItem.h>
#include <Window.h>

namespace {

// How long the in-place tracking sleeps between two looks at the pointer.
const bigtime_t kTrackInPlaceInterval = 10000;

} // namespace


status_t
BMenu::SetTrackingHook(menu_tracking_hook hook, void* state)
{
	fTrackingHook = hook;
	fTrackingState = state;
	return B_OK;
}


BMenuItem*
BMenu::Track(bool sticky, BRect* clickToOpenRect)
{
	BRect clickToOpen = clickToOpenRect != NULL ? *clickToOpenRect : BRect();
	if (Window() != NULL)
		return _TrackInPlace(sticky, clickToOpen);
	if (Parent() != NULL)
		return NULL;

	BWindow* host = BPrivate::pop_up_host();
	if (host == NULL || !host->Lock())
		return NULL;
	BPoint where;
	uint32 buttons;
	BWindow::Private(host).GetPointer(&where, &buttons);
	where += host->Frame().LeftTop();
	host->Unlock();

	BPrivate::PopUpTracking how;
	how.where = where;
	how.openAnyway = sticky;
	how.clickToOpen = clickToOpen;
	return BPrivate::track_pop_up(this, how);
}


BMenuItem*
BMenu::_TrackInPlace(bool sticky, BRect clickToOpen)
{
	BWindow* window = Window();
	BPrivate::check_lock(window);
	BPoint where;
	uint32 buttons;
	GetMouse(&where, &buttons, false);
	// The press that started the tracking may end off the items without ending it
	// (when sticky, or inside clickToOpen); any later click off them ends it.
	bool firstPress = buttons != 0;
	bool pressed = firstPress;

	BMenuItem* chosen = NULL;
	while (!(fTrackingHook != NULL && fTrackingHook(this, fTrackingState))) {
		GetMouse(&where, &buttons, true);
		BMenuItem* item = Bounds().Contains(where) ? ItemAt(where) : NULL;
		if (item != NULL && !item->IsEnabled())
			item = NULL;
		if (item != fSelected)
			SelectItem(item);
		window->UpdateIfNeeded();

		if (item != NULL && item->Submenu() != NULL) {
			BRect frame = ConvertToScreen(item->Frame());
			BPrivate::PopUpTracking how;
			how.where = fLayout == B_ITEMS_IN_ROW ? BPoint(frame.left, frame.bottom + 1)
				: BPoint(frame.right + 1, frame.top);
			how.openAnyway = sticky || buttons == 0;
			chosen = BPrivate::track_pop_up(item->Submenu(), how);
			break;
		}
		if (buttons != 0) {
			pressed = true;
		} else if (pressed) {
			pressed = false;
			if (item != NULL) {
				chosen = item;
				break;
			}
			bool keepOpen = firstPress && (sticky || (clickToOpen.IsValid()
				&& clickToOpen.Contains(ConvertToScreen(where))));
			firstPress = false;
			if (!keepOpen)
				break;
		}
		snooze(kTrackInPlaceInterval);
	}
	SelectItem(NULL);
	BWindow::Private(window).PointerReadUntilNow();
	if (chosen != NULL && fRadioMode && chosen->Menu() == this)
		chosen->SetMarked(true);
	window->UpdateIfNeeded();
	return chosen;
}
