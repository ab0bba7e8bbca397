// Input injected into offscreen windows, and waits on their threads.
#include "OffscreenInput.h"

#include "display/OffscreenDisplay.h"

#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include <string.h>

using BPrivate::DisplayEvent;
using BPrivate::OffscreenDisplay;
using BPrivate::OffscreenWindow;


OffscreenWindow*
offscreen_window(const char* title)
{
	return static_cast<OffscreenDisplay*>(BPrivate::Display::Default())->FindWindow(title);
}


void
inject_mouse(OffscreenWindow* window, int type, BPoint where, uint32 buttons)
{
	DisplayEvent event;
	event.type = (BPrivate::DisplayEventType)type;
	event.where = where;
	event.buttons = buttons;
	event.clicks = type == BPrivate::kDisplayMouseDown ? 1 : 0;
	window->Inject(event);
}


void
inject_click(OffscreenWindow* window, BPoint where, uint32 modifiers, int32 clicks)
{
	DisplayEvent event;
	event.type = BPrivate::kDisplayMouseMoved;
	event.where = where;
	event.modifiers = modifiers;
	window->Inject(event);
	event.type = BPrivate::kDisplayMouseDown;
	event.buttons = 1;
	event.clicks = clicks;
	window->Inject(event);
	event.type = BPrivate::kDisplayMouseUp;
	event.buttons = 0;
	event.clicks = 0;
	window->Inject(event);
}


void
inject_wheel(OffscreenWindow* window, BPoint where, float delta)
{
	DisplayEvent event;
	event.type = BPrivate::kDisplayMouseMoved;
	event.where = where;
	window->Inject(event);
	event.type = BPrivate::kDisplayMouseWheel;
	event.wheelDelta = delta;
	window->Inject(event);
}


void
inject_key(OffscreenWindow* window, const char* bytes, uint32 modifiers)
{
	DisplayEvent event;
	event.type = BPrivate::kDisplayKeyDown;
	event.modifiers = modifiers;
	strncpy(event.bytes, bytes, sizeof(event.bytes) - 1);
	window->Inject(event);
	event.type = BPrivate::kDisplayKeyUp;
	window->Inject(event);
}


bool
wait_until(BLooper* looper, const std::function<bool()>& condition)
{
	for (int i = 0; i < 1000; i++) {
		if (looper->Lock()) {
			bool done = condition();
			looper->Unlock();
			if (done)
				return true;
		}
		snooze(5000);
	}
	return false;
}


bool
wait_for_queue(BLooper* looper)
{
	// A synchronous message is handled after everything queued before it.
	BMessage request('wQue');
	BMessage reply;
	return BMessenger(looper).SendMessage(&request, &reply, 5000000, 5000000) == B_OK;
}
