#include "PauseNotifier.h"

#include <chrono>


PauseNotifier::PauseNotifier(const BMessenger& target, uint32 what, bigtime_t pause)
	:
	fTarget(target),
	fWhat(what),
	fPause(pause),
	fDeadline(-1),
	fQuitting(false)
{
}


PauseNotifier::~PauseNotifier()
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fQuitting = true;
	}
	fChanged.notify_all();
	if (fThread.joinable())
		fThread.join();
}


void
PauseNotifier::Restart()
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fDeadline = system_time() + fPause;
		if (!fThread.joinable())
			fThread = std::thread(&PauseNotifier::_Wait, this);
	}
	fChanged.notify_all();
}


void
PauseNotifier::Stop()
{
	std::lock_guard<std::mutex> lock(fLock);
	fDeadline = -1;
}


void
PauseNotifier::_Wait()
{
	std::unique_lock<std::mutex> lock(fLock);
	while (!fQuitting) {
		if (fDeadline < 0) {
			fChanged.wait(lock);
			continue;
		}
		bigtime_t left = fDeadline - system_time();
		if (left > 0) {
			fChanged.wait_for(lock, std::chrono::microseconds(left));
			continue;
		}
		fDeadline = -1;
		lock.unlock();
		// Posting to a looper of this process does not wait for it to read the message.
		fTarget.SendMessage(fWhat);
		lock.lock();
	}
}
