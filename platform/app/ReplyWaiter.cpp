#include "app/ReplyWaiter.h"

#include <Message.h>

#include <chrono>

namespace BPrivate {

ReplyWaiter::~ReplyWaiter()
{
	delete fReply;
}


void
ReplyWaiter::Deliver(BMessage* reply)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fDone) {
		delete reply;
		return;
	}
	fReply = reply;
	fDone = true;
	fArrived.notify_all();
}


status_t
ReplyWaiter::Wait(bigtime_t timeout, BMessage** reply)
{
	std::unique_lock<std::mutex> lock(fLock);
	auto done = [this] { return fDone; };
	if (timeout == B_INFINITE_TIMEOUT)
		fArrived.wait(lock, done);
	else if (!fArrived.wait_for(lock, std::chrono::microseconds(timeout), done)) {
		// A late reply is dropped by Deliver.
		fDone = true;
		return B_TIMED_OUT;
	}
	*reply = fReply;
	fReply = nullptr;
	return B_OK;
}

} // namespace BPrivate
