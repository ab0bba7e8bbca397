// A recursive lock: the thread that holds it may lock it again and must unlock it as often.
// Any thread may use a BLocker; only the holder may unlock it.
#ifndef _LOCKER_H
#define _LOCKER_H

#include <OS.h>
#include <SupportDefs.h>

#include <pthread.h>

class BLocker {
public:
	BLocker();
	explicit BLocker(const char* name);
	BLocker(bool benaphoreStyle);
	BLocker(const char* name, bool benaphoreStyle);
	virtual ~BLocker();

	status_t InitCheck() const { return B_OK; }

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

private:
	BLocker(const BLocker&) = delete;
	BLocker& operator=(const BLocker&) = delete;

	void _Init(const char* name);

	mutable pthread_mutex_t fMutex;
	pthread_cond_t fCondition;
	thread_id fHolder;
	int32 fLockCount;
	int32 fWaiting;
	char fName[32];
};

#endif // _LOCKER_H
