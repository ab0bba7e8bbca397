// The pulse of a window: a thread that posts B_PULSE to the window at its pulse rate. At
// most one pulse waits in the window's queue: a busy window skips beats instead of
// gathering them.
#ifndef _PULSE_TIMER_H
#define _PULSE_TIMER_H

#include <Messenger.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace BPrivate {

class PulseTimer {
public:
	explicit					PulseTimer(const BMessenger& target);
	// Stops and joins the thread.
								~PulseTimer();

	// 0 stops the pulses (the thread stays, waiting).
			void				SetRate(bigtime_t rate);
	// The window handled a pulse; the next may be posted.
			void				Delivered() { fPending = false; }

private:
			void				Loop();

			BMessenger			fTarget;
			std::mutex			fLock;
			std::condition_variable fChanged;
			bigtime_t			fRate;
			bool				fQuitting;
			std::atomic<bool>	fPending;
			std::thread			fThread;
};

} // namespace BPrivate

#endif // _PULSE_TIMER_H
