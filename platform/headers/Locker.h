// A recursive lock: the thread that holds it may lock it again and must unlock it as often.
// Any thread may use a BLocker; only the holder may unlock it. Every BLocker is a
// benaphore: taking a free lock and giving it back touch an atomic count only. Threads
// that find it held wait on a semaphore of the kernel kit (Sem()), which holds no unit
// while nobody waits (its count is minus the number of waiting threads).
#ifndef _LOCKER_H
#define _LOCKER_H

#include <OS.h>
#include <SupportDefs.h>

#include <atomic>

class BLocker {
public:
	BLocker();
	explicit BLocker(const char* name);
	BLocker(bool benaphoreStyle);
	BLocker(const char* name, bool benaphoreStyle);
	virtual ~BLocker();

	// B_NO_MORE_SEMS when the process had no semaphore left for the lock; it then never locks.
	status_t InitCheck() const { return fSemaphore >= 0 ? B_OK : fSemaphore; }

	bool Lock();
	// B_WOULD_BLOCK when timeout is 0 and the lock is held elsewhere, B_TIMED_OUT when the
	// (relative) timeout passes, B_OK otherwise. B_INFINITE_TIMEOUT waits forever.
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();

	// The holding thread, or -1.
	thread_id LockingThread() const;
	// True when the calling thread holds the lock.
	bool IsLocked() const;
	// How often the holder has locked it without unlocking yet.
	int32 CountLocks() const;
	// Threads waiting for the lock plus the holder's locks.
	int32 CountLockRequests() const;
	const char* Name() const { return fName; }
	// The semaphore threads wait on. Deleting it fails the threads waiting on it, and
	// every Lock after one of them (or an unlock handing the lock over) found it gone.
	sem_id Sem() const { return fSemaphore; }

private:
	BLocker(const BLocker&) = delete;
	BLocker& operator=(const BLocker&) = delete;

	void _Init(const char* name);

	sem_id fSemaphore;
	// The benaphore's count (support/Benaphore.h).
	std::atomic<int32> fState;
	std::atomic<bool> fSemaphoreGone;
	std::atomic<thread_id> fHolder;
	// Changed by the holder only.
	std::atomic<int32> fLockCount;
	char fName[32];
};

#endif // _LOCKER_H
