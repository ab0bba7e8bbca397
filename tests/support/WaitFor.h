// Bounded waits for tests: a condition polled until it holds or its time is up, and waits
// on what a looper's thread has done. Every wait ends; the test checks what it returns.
#ifndef _WAIT_FOR_H
#define _WAIT_FOR_H

#include <OS.h>

#include <functional>

class BLooper;

// How long a test waits for what should happen soon; generous, as the machine that runs
// the tests may be loaded.
const bigtime_t kWaitTimeout = 5000000;
// How long a wait sleeps between two checks of its condition.
const bigtime_t kWaitInterval = 10000;

// Checks condition until it holds or timeout has passed; whether it held. The condition
// is checked at least once, on the calling thread.
bool wait_for(const std::function<bool()>& condition, bigtime_t timeout = kWaitTimeout,
	bigtime_t interval = kWaitInterval);
// As wait_for, with the condition checked while looper is locked.
bool wait_until(BLooper* looper, const std::function<bool()>& condition,
	bigtime_t timeout = kWaitTimeout);
// Waits (at most kWaitTimeout) until the looper has handled every message posted to it
// so far.
bool wait_for_queue(BLooper* looper);

#endif // _WAIT_FOR_H
