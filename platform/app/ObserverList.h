// A handler's observers: who hears its SendNotices, and of which whats. Touched with the
// handler's looper locked, as the handler itself is.
#ifndef _OBSERVER_LIST_H
#define _OBSERVER_LIST_H

#include <Handler.h>
#include <Messenger.h>

#include <vector>

namespace BPrivate {

// The private requests by which a handler asks another, maybe in another process, to add
// or remove it as an observer: "be:observe_target" (messenger) and B_OBSERVE_WHAT_CHANGE.
enum {
	kStartObserving	= '_OBS',
	kStopObserving	= '_OBP'
};
#define B_OBSERVE_TARGET_FIELD "be:observe_target"

// The observers one handler keeps; more are refused, so that another process cannot
// grow the list without bound.
constexpr size_t kMaxObservers = 256;
// How long a notice waits for room in an observer's queue before that notice is dropped.
constexpr bigtime_t kObserverNoticeTimeout = 0;

class ObserverList {
public:
			status_t			Add(const BMessenger& messenger, uint32 what);
			status_t			Add(BHandler* handler, uint32 what);
	// what B_OBSERVER_OBSERVE_ALL removes every entry of that observer.
			status_t			Remove(const BMessenger& messenger, uint32 what);
			status_t			Remove(BHandler* handler, uint32 what);
			void				Send(uint32 what, const BMessage& notice);
			bool				IsEmpty() const { return fObservers.empty(); }

private:
	struct Observer {
		// A local handler is kept by its token (B_NULL_TOKEN for a messenger), since it
		// may join a looper only later and may be deleted without telling us.
		int32				handler;
		BMessenger			messenger;
		uint32				what;
	};

			status_t			AddObserver(const Observer& observer);

			std::vector<Observer> fObservers;
};

} // namespace BPrivate

#endif // _OBSERVER_LIST_H
