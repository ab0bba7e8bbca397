// Tells a looper that a pause has passed: a message is posted to the target once no
// Restart() has come for the given time. One thread of its own waits, from the first
// Restart() until the notifier is deleted; it never waits for the target.
#ifndef PAUSE_NOTIFIER_H
#define PAUSE_NOTIFIER_H

#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include <condition_variable>
#include <mutex>
#include <thread>

class PauseNotifier {
public:
							PauseNotifier(const BMessenger& target, uint32 what,
								bigtime_t pause);
	// Stops the thread; a message not yet posted is not.
							~PauseNotifier();

	// The pause starts again now.
			void			Restart();
	// No message until the next Restart().
			void			Stop();

private:
			void			_Wait();

			BMessenger		fTarget;
			uint32			fWhat;
			bigtime_t		fPause;
			std::mutex		fLock;
			std::condition_variable fChanged;
			bigtime_t		fDeadline;
			bool			fQuitting;
			std::thread		fThread;
};

#endif // PAUSE_NOTIFIER_H
