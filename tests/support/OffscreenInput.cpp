// Input injected into offscreen windows, and waits for windows on the offscreen display.
#include "OffscreenInput.h"

#include <TextView.h>
#include <Window.h>

#include "display/OffscreenDisplay.h"

#include <string.h>

using BPrivate::DisplayEvent;
using BPrivate::OffscreenDisplay;
using BPrivate::OffscreenWindow;


static OffscreenDisplay*
offscreen_display()
{
	return static_cast<OffscreenDisplay*>(BPrivate::Display::Default());
}


OffscreenWindow*
offscreen_window(const char* title)
{
	return offscreen_display()->FindWindow(title);
}


OffscreenWindow*
shown_offscreen_window(const char* title)
{
	OffscreenWindow* shown = NULL;
	wait_for([&] {
		OffscreenWindow* window = offscreen_window(title);
		if (window != NULL && window->IsVisible() && window->Presentations() > 0)
			shown = window;
		return shown != NULL;
	});
	return shown;
}


bool
wait_for_no_offscreen_window(const char* title)
{
	return wait_for([&] { return offscreen_window(title) == NULL; });
}


// The window may quit on one of the events (a key that dismisses an alert): the display
// then drops the rest instead of handing them to a deleted window.
static void
deliver(OffscreenWindow* window, const DisplayEvent& event)
{
	offscreen_display()->Inject(window, event);
}


void
inject_mouse(OffscreenWindow* window, int type, BPoint where, uint32 buttons)
{
	DisplayEvent event;
	event.type = (BPrivate::DisplayEventType)type;
	event.where = where;
	event.buttons = buttons;
	event.clicks = type == BPrivate::kDisplayMouseDown ? 1 : 0;
	deliver(window, event);
}


void
inject_click(OffscreenWindow* window, BPoint where, uint32 modifiers, int32 clicks)
{
	DisplayEvent event;
	event.type = BPrivate::kDisplayMouseMoved;
	event.where = where;
	event.modifiers = modifiers;
	deliver(window, event);
	event.type = BPrivate::kDisplayMouseDown;
	event.buttons = 1;
	event.clicks = clicks;
	deliver(window, event);
	event.type = BPrivate::kDisplayMouseUp;
	event.buttons = 0;
	event.clicks = 0;
	deliver(window, event);
}


void
inject_wheel(OffscreenWindow* window, BPoint where, float delta)
{
	DisplayEvent event;
	event.type = BPrivate::kDisplayMouseMoved;
	event.where = where;
	deliver(window, event);
	event.type = BPrivate::kDisplayMouseWheel;
	event.wheelDelta = delta;
	deliver(window, event);
}


void
inject_key(OffscreenWindow* window, const char* bytes, uint32 modifiers)
{
	DisplayEvent event;
	event.type = BPrivate::kDisplayKeyDown;
	event.modifiers = modifiers;
	strncpy(event.bytes, bytes, sizeof(event.bytes) - 1);
	deliver(window, event);
	event.type = BPrivate::kDisplayKeyUp;
	deliver(window, event);
}


void
inject_key(OffscreenWindow* window, char byte, uint32 modifiers)
{
	char bytes[2] = { byte, '\0' };
	inject_key(window, bytes, modifiers);
}


BPoint
text_point_in_window(BTextView* view, int32 offset)
{
	float height;
	BPoint point = view->PointAt(offset, &height);
	point.y += height / 2;
	return view->ConvertToScreen(point) - view->Window()->Frame().LeftTop();
}
