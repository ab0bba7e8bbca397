#include "WaitFor.h"

#include <Looper.h>
#include <Message.h>
#include <Messenger.h>


bool
wait_for(const std::function<bool()>& condition, bigtime_t timeout, bigtime_t interval)
{
	bigtime_t deadline = system_time() + timeout;
	for (;;) {
		if (condition())
			return true;
		if (system_time() >= deadline)
			return false;
		snooze(interval);
	}
}


bool
wait_until(BLooper* looper, const std::function<bool()>& condition, bigtime_t timeout)
{
	return wait_for([&] {
		if (!looper->Lock())
			return false;
		bool done = condition();
		looper->Unlock();
		return done;
	}, timeout);
}


bool
wait_for_queue(BLooper* looper)
{
	// A synchronous message is handled after everything queued before it.
	BMessage request('wQue');
	BMessage reply;
	return BMessenger(looper).SendMessage(&request, &reply, kWaitTimeout, kWaitTimeout)
		== B_OK;
}
