// Sends a copy of a message to a target at a fixed interval, a given number of times
// (count < 0: until the runner is deleted). The first copy goes one interval after
// construction. Deleting the runner stops it: no copy is sent once the destructor returns.
#ifndef _MESSAGE_RUNNER_H
#define _MESSAGE_RUNNER_H

#include <Messenger.h>

class BMessageRunner {
public:
	// Replies to the copies go to replyTo, or be_app_messenger in the first form.
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
		int32 count = -1);
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
		int32 count, BMessenger replyTo);
	virtual ~BMessageRunner();

	// B_OK, or B_BAD_VALUE for a missing message, an interval not above zero or a count
	// of zero.
	status_t InitCheck() const;

	// Both restart the interval from now; B_BAD_VALUE once the runner has sent its count.
	status_t SetInterval(bigtime_t interval);
	status_t SetCount(int32 count);
	// The interval, and the copies still to send (-1: unlimited).
	status_t GetInfo(bigtime_t* interval, int32* count) const;

private:
	BMessageRunner(const BMessageRunner&) = delete;
	BMessageRunner& operator=(const BMessageRunner&) = delete;

	void _Start(BMessenger target, const BMessage* message, bigtime_t interval, int32 count,
		BMessenger replyTo);

	int32 fToken;
	status_t fInitStatus;
};

#endif // _MESSAGE_RUNNER_H
