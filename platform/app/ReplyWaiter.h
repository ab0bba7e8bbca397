// A synchronous send inside the process waiting for its answer: the receiving side hands
// the reply over (or B_NO_REPLY when the message dies unanswered) and the sender wakes.
#ifndef _REPLY_WAITER_H
#define _REPLY_WAITER_H

#include <OS.h>

#include <condition_variable>
#include <memory>
#include <mutex>

class BMessage;

namespace BPrivate {

class ReplyWaiter {
public:
				~ReplyWaiter();

	// Takes the reply; only the first one counts.
	void		Deliver(BMessage* reply);
	// The reply (the caller owns it), or NULL with B_TIMED_OUT.
	status_t	Wait(bigtime_t timeout, BMessage** reply);

private:
	std::mutex	fLock;
	std::condition_variable fArrived;
	BMessage*	fReply = nullptr;
	bool		fDone = false;
};

} // namespace BPrivate

#endif // _REPLY_WAITER_H
