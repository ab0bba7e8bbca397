#include "interface/PulseTimer.h"

#include <AppDefs.h>
#include <Message.h>

#include <chrono>

namespace BPrivate {

PulseTimer::PulseTimer(const BMessenger& target)
	:
	fTarget(target),
	fRate(0),
	fQuitting(false),
	fPending(false)
{
	fThread = std::thread(&PulseTimer::Loop, this);
}


PulseTimer::~PulseTimer()
{
	{
		std::lock_guard<std::mutex> locker(fLock);
		fQuitting = true;
	}
	fChanged.notify_all();
	fThread.join();
}


void
PulseTimer::SetRate(bigtime_t rate)
{
	{
		std::lock_guard<std::mutex> locker(fLock);
		fRate = rate > 0 ? rate : 0;
	}
	fChanged.notify_all();
}


void
PulseTimer::Loop()
{
	std::unique_lock<std::mutex> locker(fLock);
	while (!fQuitting) {
		if (fRate <= 0) {
			fChanged.wait(locker);
			continue;
		}
		bigtime_t rate = fRate;
		// A new rate starts a new beat at once.
		if (fChanged.wait_for(locker, std::chrono::microseconds(rate),
				[&] { return fQuitting || fRate != rate; })) {
			continue;
		}
		if (fPending.exchange(true))
			continue;
		locker.unlock();
		BMessage pulse(B_PULSE);
		// Never waits: a window whose queue is full misses this beat.
		if (fTarget.SendMessage(&pulse, (BHandler*)NULL, 0) != B_OK)
			fPending = false;
		locker.lock();
	}
}

} // namespace BPrivate
