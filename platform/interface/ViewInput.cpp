// BView's input: event masks, the pointer's position and rectangle tracking. The window
// does the work (WindowInput.cpp); these calls check the view's state and lock.
#include <View.h>

#include "app/LockCheck.h"

#include <Cursor.h>

#include <Window.h>

namespace {

const uint32 kEventMasks = B_POINTER_EVENTS | B_KEYBOARD_EVENTS;
const uint32 kEventOptions = B_LOCK_WINDOW_FOCUS | B_SUSPEND_VIEW_FOCUS
	| B_NO_POINTER_HISTORY | B_FULL_POINTER_HISTORY;

} // namespace

status_t
BView::SetEventMask(uint32 mask, uint32 options)
{
	BPrivate::check_lock(fOwner);
	if ((mask & ~kEventMasks) != 0 || (options & ~kEventOptions) != 0)
		return B_BAD_VALUE;
	fEventMask = mask;
	fEventOptions = options;
	return B_OK;
}


void
BView::SetViewCursor(const BCursor* cursor, bool sync)
{
	BPrivate::check_lock(fOwner);
	delete fCursor;
	fCursor = cursor != NULL ? new BCursor(*cursor) : NULL;
	if (fOwner == NULL)
		return;
	fOwner->_ShowViewCursor(fOwner->LastMouseMovedView());
	if (sync)
		fOwner->Sync();
}


uint32
BView::EventMask()
{
	return fEventMask;
}


status_t
BView::SetMouseEventMask(uint32 mask, uint32 options)
{
	BPrivate::check_lock(fOwner);
	if (fOwner == NULL)
		return B_ERROR;
	if ((mask & ~kEventMasks) != 0 || (options & ~kEventOptions) != 0)
		return B_BAD_VALUE;
	fOwner->_SetMouseEventMask(this, mask, options);
	return B_OK;
}


void
BView::GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue)
{
	BPoint where(0, 0);
	uint32 pressed = 0;
	if (fOwner != NULL)
		fOwner->_NextMousePosition(checkMessageQueue, &where, &pressed);
	if (location != NULL)
		*location = where - _WindowOrigin();
	if (buttons != NULL)
		*buttons = pressed;
}


void
BView::GetMouse(BPoint* location, unsigned long* buttons, bool checkMessageQueue)
{
	uint32 pressed = 0;
	GetMouse(location, &pressed, checkMessageQueue);
	if (buttons != NULL)
		*buttons = pressed;
}


void
BView::BeginRectTracking(BRect startRect, uint32 style)
{
	BPrivate::check_lock(fOwner);
	if (fOwner != NULL)
		fOwner->_BeginRectTracking(this, startRect, style);
}


void
BView::EndRectTracking()
{
	BPrivate::check_lock(fOwner);
	if (fOwner != NULL)
		fOwner->_EndRectTracking();
}
