// BWindow's side of the views' input: pointer messages around their usual delivery
// (drags, event masks, the pointer's history for GetMouse()), and the overlays that
// follow the pointer for drags and rectangle tracking.
#include <Window.h>

#include "app/LockCheck.h"
#include "display/Display.h"
#include "interface/CursorShape.h"
#include "interface/DragSession.h"
#include "interface/DropTarget.h"
#include "interface/ScreenOverlay.h"

#include <AppDefs.h>
#include <Message.h>
#include <View.h>

#include <string.h>
#include <utility>


void
BWindow::_DispatchPointer(BMessage* message)
{
	BPoint where;
	if (message->FindPoint("where", &where) != B_OK)
		return;
	int32 buttons = 0;
	message->FindInt32("buttons", &buttons);
	bigtime_t when = 0;
	if (message->FindInt64("when", &when) == B_OK) {
		// What the window dispatches is no longer history.
		std::lock_guard<std::mutex> locker(fMouseLock);
		size_t done = 0;
		while (done < fMouseHistory.size() && fMouseHistory[done].when <= when)
			done++;
		fMouseHistory.erase(fMouseHistory.begin(), fMouseHistory.begin() + done);
		if (when <= fPointerReadUntil)
			return;
		fStalePointer = message->what == B_MOUSE_MOVED && !fMouseHistory.empty();
	}

	if (_TrackDrag(message, where, buttons))
		return;
	BView* handled = fMouseTarget != NULL ? fMouseTarget : FindView(where);
	if (message->what == B_MOUSE_DOWN)
		handled = FindView(where);
	_HandleMouse(message);
	_NotifyPointerListeners(fTopView, message, where, handled);
	fStalePointer = false;
	if (message->what == B_MOUSE_UP && buttons == 0 && fMouseMaskView != NULL) {
		fMouseMaskView = NULL;
		fMouseMaskOptions = 0;
		_ReleasePointer();
	}
}


uint32
BWindow::_EventOptions(const BView* view) const
{
	uint32 options = view->fEventMask != 0 ? view->fEventOptions : 0;
	if (view == fMouseMaskView)
		options |= fMouseMaskOptions;
	return options;
}


bool
BWindow::_HoldsFocus(const BView* view, uint32 option) const
{
	if ((_EventOptions(view) & option) != 0)
		return true;
	for (int32 i = 0; const BView* child = view->ChildAt(i); i++) {
		if (_HoldsFocus(child, option))
			return true;
	}
	return false;
}


bool
BWindow::_TakesMove(const BView* view, BMessage* message) const
{
	if (message->what != B_MOUSE_MOVED || !fStalePointer)
		return true;
	uint32 options = _EventOptions(view);
	return (options & B_FULL_POINTER_HISTORY) != 0 || (options & B_NO_POINTER_HISTORY) == 0;
}


// Every view that asked for all pointer events hears this one too, in its own
// coordinates, inside it or not.
void
BWindow::_NotifyPointerListeners(BView* view, BMessage* message, BPoint where,
	BView* handled)
{
	if (view != handled
		&& ((view->fEventMask & B_POINTER_EVENTS) != 0 || view == fMouseMaskView)) {
		BPoint local = where - view->_WindowOrigin();
		message->ReplacePoint("where", local);
		if (message->what == B_MOUSE_DOWN)
			view->MouseDown(local);
		else if (message->what == B_MOUSE_UP)
			view->MouseUp(local);
		else if (_TakesMove(view, message)) {
			view->MouseMoved(local, view->Bounds().Contains(local) ? B_INSIDE_VIEW
				: B_OUTSIDE_VIEW, NULL);
		}
	}
	// A hook may remove children: they are counted again each time.
	for (int32 i = 0; BView* child = view->ChildAt(i); i++)
		_NotifyPointerListeners(child, message, where, handled);
}


void
BWindow::_NotifyKeyListeners(BView* view, BMessage* message, const char* bytes)
{
	if (view != fFocus && (view->fEventMask & B_KEYBOARD_EVENTS) != 0) {
		if (message->what == B_KEY_DOWN)
			view->KeyDown(bytes, (int32)strlen(bytes));
		else
			view->KeyUp(bytes, (int32)strlen(bytes));
	}
	for (int32 i = 0; BView* child = view->ChildAt(i); i++)
		_NotifyKeyListeners(child, message, bytes);
}


void
BWindow::_SetMouseEventMask(BView* view, uint32 mask, uint32 options)
{
	if ((mask & B_POINTER_EVENTS) == 0) {
		if (fMouseMaskView == view) {
			fMouseMaskView = NULL;
			fMouseMaskOptions = 0;
			_ReleasePointer();
		}
		return;
	}
	fMouseMaskView = view;
	fMouseMaskOptions = options;
	if (!fPointerGrabbed && fDisplayWindow != NULL)
		fPointerGrabbed = fDisplayWindow->GrabPointer(true) == B_OK;
}


void
BWindow::_ReleasePointer()
{
	if (!fPointerGrabbed || fDrag != NULL || fMouseMaskView != NULL)
		return;
	fPointerGrabbed = false;
	if (fDisplayWindow != NULL)
		fDisplayWindow->GrabPointer(false);
}


void
BWindow::_ShowViewCursor(BView* under)
{
	if (fDisplayWindow == NULL)
		return;
	while (under != NULL && under->fCursor == NULL)
		under = under->Parent();
	if (under == NULL) {
		fDisplayWindow->SetViewCursor(NULL);
		return;
	}
	BPrivate::DisplayCursor shape = BPrivate::cursor_shape_of(under->fCursor);
	fDisplayWindow->SetViewCursor(&shape);
}


void
BWindow::_NextMousePosition(bool history, BPoint* where, uint32* buttons)
{
	std::lock_guard<std::mutex> locker(fMouseLock);
	if (history && !fMouseHistory.empty()) {
		*where = fMouseHistory.front().where;
		*buttons = fMouseHistory.front().buttons;
		fMouseHistory.erase(fMouseHistory.begin());
		return;
	}
	*where = fMouseWhere;
	*buttons = fMouseButtons;
}


// #pragma mark - Overlays


// Runs on the display's thread for each pointer event, and on the window's when an
// overlay starts. It reads nothing the window's thread changes without fMouseLock (the
// frame is not): fDragOffset holds the image's offset from the pointer in window
// coordinates turned into screen ones, and the tracking start is a window position.
void
BWindow::_MoveOverlaysLocked(BPoint where)
{
	if (fDragOverlay != NULL) {
		BRect frame = fDragOverlay->Frame();
		fDragOverlay->SetFrame(frame.OffsetToCopy(where - fDragOffset));
	}
	if (fTrackingOverlay != NULL) {
		BPoint delta = where - fTrackingStart;
		BRect frame = fTrackingRect;
		if (fTrackingStyle == B_TRACK_RECT_CORNER) {
			frame.right = std::max(frame.left, frame.right + delta.x);
			frame.bottom = std::max(frame.top, frame.bottom + delta.y);
		} else
			frame.OffsetBy(delta);
		fTrackingOverlay->SetFrame(frame);
	}
}


void
BWindow::_BeginRectTracking(BView* view, BRect rect, uint32 style)
{
	_EndRectTracking();
	BRect screenRect = view->ConvertToScreen(rect);
	BPrivate::ScreenOverlay* overlay = BPrivate::ScreenOverlay::CreateOutline(screenRect);
	std::lock_guard<std::mutex> locker(fMouseLock);
	fTrackingOverlay = overlay;
	fTrackingRect = screenRect;
	fTrackingStyle = style;
	fTrackingStart = fMouseWhere;
}


// The overlay's display windows go outside the lock: the display's thread may be
// waiting for it while holding what deleting them takes.
void
BWindow::_EndRectTracking()
{
	BPrivate::ScreenOverlay* overlay;
	{
		std::lock_guard<std::mutex> locker(fMouseLock);
		overlay = std::exchange(fTrackingOverlay, nullptr);
	}
	delete overlay;
}


// #pragma mark - Drag and drop


void
BWindow::_StartDrag(BView* view, const BMessage* message, BPrivate::ScreenOverlay* overlay,
	BPoint offset, BHandler* replyTo)
{
	// A new drag replaces one still going.
	if (fDrag != NULL) {
		BPrivate::ScreenOverlay* old;
		{
			std::lock_guard<std::mutex> locker(fMouseLock);
			old = std::exchange(fDragOverlay, nullptr);
		}
		delete old;
		delete fDrag;
	}
	fDrag = new BPrivate::DragSession{ *message,
		BMessenger(replyTo != NULL ? replyTo : view), offset };
	{
		std::lock_guard<std::mutex> locker(fMouseLock);
		fDragOverlay = overlay;
		fDragOffset = offset - fFrame.LeftTop();
		_MoveOverlaysLocked(fMouseWhere);
	}
	if (!fPointerGrabbed && fDisplayWindow != NULL)
		fPointerGrabbed = fDisplayWindow->GrabPointer(true) == B_OK;
}


// While dragging, views under the pointer hear it move with the dragged message; the
// release drops it.
bool
BWindow::_TrackDrag(BMessage* message, BPoint where, int32 buttons)
{
	if (fDrag == NULL)
		return false;
	if (message->what == B_MOUSE_MOVED) {
		BView* under = Bounds().Contains(where) ? FindView(where) : NULL;
		// The view the drag leaves hears it go, so that it stops showing where the drop
		// would land.
		if (under != fLastMouseView && fLastMouseView != NULL) {
			fLastMouseView->MouseMoved(where - fLastMouseView->_WindowOrigin(),
				B_EXITED_VIEW, &fDrag->message);
			// The hook may have removed views.
			under = Bounds().Contains(where) ? FindView(where) : NULL;
		}
		if (under != NULL) {
			BPoint local = where - under->_WindowOrigin();
			message->ReplacePoint("where", local);
			under->MouseMoved(local, under != fLastMouseView ? B_ENTERED_VIEW
				: B_INSIDE_VIEW, &fDrag->message);
		}
		fLastMouseView = under;
		return true;
	}
	if (message->what == B_MOUSE_UP && buttons == 0) {
		_EndDrag(where);
		// The release still reaches the view that took the button down.
		return false;
	}
	return true;
}


void
BWindow::_EndDrag(BPoint where)
{
	BPrivate::DragSession* drag = std::exchange(fDrag, nullptr);
	BPrivate::ScreenOverlay* overlay;
	{
		std::lock_guard<std::mutex> locker(fMouseLock);
		overlay = std::exchange(fDragOverlay, nullptr);
	}
	delete overlay;
	_ReleasePointer();

	// The window under the pointer, of this application or another, takes the drop;
	// its view under the drop point gets it (_DropTarget()).
	BPoint screen = where + fFrame.LeftTop();
	std::string data;
	BMessenger target;
	if (BPrivate::Display::Default()->DropTargetAt(screen, &data) == B_OK
		&& BPrivate::decode_drop_target(data, &target) == B_OK) {
		BMessage dropped(drag->message);
		dropped.RemoveName("_drop_point_");
		dropped.RemoveName("_drop_offset_");
		dropped.AddPoint("_drop_point_", screen);
		dropped.AddPoint("_drop_offset_", drag->offset);
		target.SendMessage(&dropped, drag->replyTo, BPrivate::kDropDeliveryTimeout);
	}
	delete drag;
}


BHandler*
BWindow::_DropTarget(BMessage* message, BHandler* handler)
{
	if ((handler != NULL && handler != this) || !message->WasDropped())
		return handler;
	BPoint where = ConvertFromScreen(message->DropPoint());
	if (!Bounds().Contains(where))
		return handler;
	return FindView(where);
}
