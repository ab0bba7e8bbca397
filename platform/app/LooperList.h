// The process's loopers, in the order they were made, with the lock of each. A looper's
// lock lives here rather than in the looper, so that locking a looper that another
// thread has just deleted fails cleanly instead of touching freed memory.
//
// Windows are loopers too: the window code registers each window with SetWindow, which
// makes it count for BApplication::CountWindows/WindowAt and the "Window" property.
#ifndef _LOOPER_LIST_H
#define _LOOPER_LIST_H

#include <OS.h>

#include <condition_variable>
#include <memory>
#include <mutex>

class BLooper;
class BWindow;

namespace BPrivate {

// A recursive lock that its owner may take again; waiters give up when it is retired.
class LooperLock {
public:
	// B_OK, B_TIMED_OUT (B_WOULD_BLOCK for 0), or B_BAD_VALUE once retired.
	status_t	Lock(bigtime_t timeout);
	void		Unlock();
	// Gives the lock up entirely and says how often it was held, for Quit.
	int32		UnlockFully();
	thread_id	Owner() const;
	int32		Count() const;
	int32		Requests() const;
	// The looper is going away: every waiter fails from now on.
	void		Retire();

private:
	mutable std::mutex	fMutex;
	std::condition_variable fFree;
	thread_id	fOwner = -1;
	int32		fCount = 0;
	int32		fWaiting = 0;
	bool		fRetired = false;
};


namespace LooperList {

void Add(BLooper* looper, port_id port);
// Records the thread that runs the looper's loop.
void SetThread(BLooper* looper, thread_id thread);
// Retires the looper's lock and forgets it.
void Remove(BLooper* looper);
// NULL when the looper is not (or no longer) alive.
std::shared_ptr<LooperLock> LockFor(const BLooper* looper);

BLooper* LooperForThread(thread_id thread);
BLooper* LooperForPort(port_id port);
int32 CountLoopers();
BLooper* LooperAt(int32 index);

// Marks a registered looper as the given window (NULL: no longer a window).
void SetWindow(BLooper* looper, BWindow* window);
int32 CountWindows();
// The index-th window, in the order the windows were made, and its looper.
BWindow* WindowAt(int32 index, BLooper** looper = nullptr);

} // namespace LooperList

} // namespace BPrivate

#endif // _LOOPER_LIST_H
