// Input for windows on the offscreen display, as a user would give it, and bounded waits
// for windows to come and go there. Tests that use these set BE_DISPLAY=offscreen before
// their first window, with use_offscreen_display() (OffscreenWindowTest does). The waits on what a window's thread does
// with the input are in WaitFor.h, included here.
#ifndef _OFFSCREEN_INPUT_H
#define _OFFSCREEN_INPUT_H

#include <Rect.h>

#include <stdlib.h>

#include "WaitFor.h"

class BTextView;

namespace BPrivate {
class OffscreenWindow;
}

// Selects the offscreen display for the windows this process opens from now on, and for
// the kit processes it starts.
inline void
use_offscreen_display()
{
	setenv("BE_DISPLAY", "offscreen", 1);
}

// The offscreen window of that title, or NULL.
BPrivate::OffscreenWindow* offscreen_window(const char* title);
// Waits (at most kWaitTimeout) until the window of that title is on the display, shown
// and drawn once; NULL when it was not.
BPrivate::OffscreenWindow* shown_offscreen_window(const char* title);
// Waits (at most kWaitTimeout) until no window of that title is on the display.
bool wait_for_no_offscreen_window(const char* title);

// Half a line below where offset's character starts in view, in its window's coordinates:
// where a click lands on that character. Called with the window locked.
BPoint text_point_in_window(BTextView* view, int32 offset);

// A primary-button click (down and up) at where, in window coordinates; clicks counts
// the presses in a row (2 for a double click).
void inject_click(BPrivate::OffscreenWindow* window, BPoint where, uint32 modifiers = 0,
	int32 clicks = 1);
void inject_mouse(BPrivate::OffscreenWindow* window, int type, BPoint where,
	uint32 buttons);
// The pointer moves to where, then the wheel turns by delta notches (positive: down).
void inject_wheel(BPrivate::OffscreenWindow* window, BPoint where, float delta);
// A key typed: down and up, with bytes as the window receives them.
void inject_key(BPrivate::OffscreenWindow* window, const char* bytes,
	uint32 modifiers = 0);
// A key whose bytes are the one byte: a character or one of the platform's key codes.
void inject_key(BPrivate::OffscreenWindow* window, char byte, uint32 modifiers = 0);

#endif // _OFFSCREEN_INPUT_H
