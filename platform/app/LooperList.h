// The process's loopers, in the order they were made, with the lock of each. A looper's
// lock lives here rather than in the looper, so that locking a looper that another
// thread has just deleted fails cleanly instead of touching freed memory.
//
// Windows are loopers too: the window code registers each window with SetWindow, which
// makes it count for BApplication::CountWindows/WindowAt and the "Window" property.
#ifndef _LOOPER_LIST_H
#define _LOOPER_LIST_H

#include <OS.h>

#include <atomic>
#include <memory>
#include <mutex>

class BLooper;
class BWindow;

namespace BPrivate {

// A recursive lock that its owner may take again; waiters give up when it is retired.
// A benaphore (support/Benaphore.h): threads that find it held wait on a semaphore of the
// kernel kit (BLooper::Sem), which holds no unit while nobody waits; retiring deletes it.
class LooperLock {
public:
				LooperLock();
				~LooperLock();

	// B_OK, B_TIMED_OUT (B_WOULD_BLOCK for 0), or B_BAD_VALUE once retired.
	status_t	Lock(bigtime_t timeout);
	void		Unlock();
	// Gives the lock up entirely and says how often it was held, for Quit.
	int32		UnlockFully();
	thread_id	Owner() const { return fOwner; }
	int32		Count() const { return fCount; }
	int32		Requests() const;
	sem_id		Semaphore() const { return fSemaphore; }
	// The looper is going away: every waiter fails from now on.
	void		Retire();

private:
	sem_id		fSemaphore;
	std::atomic<int32> fState{0};
	std::atomic<thread_id> fOwner{-1};
	// Changed by the owner only.
	std::atomic<int32> fCount{0};
	std::atomic<bool> fRetired{false};
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
// The port of the window whose port is preferred, else of the first window; -1 when there
// is no window.
port_id WindowPort(port_id preferred);

} // namespace LooperList

} // namespace BPrivate

#endif // _LOOPER_LIST_H
