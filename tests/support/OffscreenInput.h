// Input for windows on the offscreen display, as a user would give it, and bounded waits
// on what a window's thread does with it. Tests that use these set BE_DISPLAY=offscreen
// before their first window.
#ifndef _OFFSCREEN_INPUT_H
#define _OFFSCREEN_INPUT_H

#include <Rect.h>

#include <functional>

class BLooper;

namespace BPrivate {
class OffscreenWindow;
}

// The offscreen window of that title, or NULL.
BPrivate::OffscreenWindow* offscreen_window(const char* title);

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

// Polls (at most five seconds) until condition holds, checked with looper locked.
bool wait_until(BLooper* looper, const std::function<bool()>& condition);
// Waits (at most five seconds) until the looper has handled every message posted to it
// so far.
bool wait_for_queue(BLooper* looper);

#endif // _OFFSCREEN_INPUT_H
