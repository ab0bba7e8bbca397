// The timer behind BMessageRunner: one thread per process, started with the first
// runner, sends each runner's copies when they fall due. A copy goes out with
// kRunnerDeliveryTimeout, so a target whose queue is full misses that copy rather than
// holding up the other runners; either way it counts as sent.
#ifndef _RUNNER_SCHEDULE_H
#define _RUNNER_SCHEDULE_H

#include <Message.h>
#include <Messenger.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace BPrivate {

// The longest a copy waits for room in its target's queue.
constexpr bigtime_t kRunnerDeliveryTimeout = 0;
// Shorter intervals are raised to this, so no runner can flood its target.
constexpr bigtime_t kMinimumRunnerInterval = 1000;

class RunnerSchedule {
public:
	static	RunnerSchedule*		Default();

	// A token for the new runner, or an error.
			int32				Add(const BMessenger& target, const BMessage& message,
									bigtime_t interval, int32 count,
									const BMessenger& replyTo);
	// Returns once no copy of token's is on its way.
			void				Remove(int32 token);
	// Either restarts the interval from now. A count of 0 ends the runner; below zero,
	// it sends until removed.
			status_t			SetInterval(int32 token, bigtime_t interval);
			status_t			SetCount(int32 token, int32 count);
			status_t			Get(int32 token, bigtime_t* interval, int32* count);

private:
	using Clock = std::chrono::steady_clock;

	struct Runner {
		BMessenger			target;
		BMessage			message;
		BMessenger			replyTo;
		bigtime_t			interval;
		int32				remaining;
		Clock::time_point	next;
	};

								RunnerSchedule();
			void				Loop();
			status_t			ChangeLocked(int32 token, bigtime_t interval,
									int32 count);

			std::mutex			fLock;
			std::condition_variable fChanged;
			std::condition_variable fDelivered;
			std::map<int32, Runner> fRunners;
			int32				fNextToken;
			int32				fSending;
			std::thread::id		fThread;
			bool				fRunning;
};

} // namespace BPrivate

#endif // _RUNNER_SCHEDULE_H
