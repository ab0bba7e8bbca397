#include <Locker.h>

#include <string.h>

#include "support/Benaphore.h"


BLocker::BLocker()
{
	_Init(NULL);
}


BLocker::BLocker(const char* name)
{
	_Init(name);
}


// Every BLocker is a benaphore: both styles are the same lock.
BLocker::BLocker(bool benaphoreStyle)
{
	_Init(NULL);
}


BLocker::BLocker(const char* name, bool benaphoreStyle)
{
	_Init(name);
}


BLocker::~BLocker()
{
	if (fSemaphore >= 0)
		delete_sem(fSemaphore);
}


void
BLocker::_Init(const char* name)
{
	strncpy(fName, name != NULL ? name : "some BLocker", sizeof(fName) - 1);
	fName[sizeof(fName) - 1] = '\0';
	fSemaphore = create_sem(0, fName);
	fState = 0;
	fSemaphoreGone = false;
	fHolder = -1;
	fLockCount = 0;
}


bool
BLocker::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	thread_id self = find_thread(NULL);
	if (fHolder.load(std::memory_order_relaxed) == self) {
		fLockCount++;
		return B_OK;
	}
	if (fSemaphore < 0 || fSemaphoreGone.load(std::memory_order_relaxed))
		return B_BAD_SEM_ID;
	status_t status = BPrivate::benaphore_lock(fState, fSemaphore, timeout);
	if (status != B_OK) {
		if (status == B_BAD_SEM_ID)
			fSemaphoreGone = true;
		return status;
	}
	fHolder.store(self, std::memory_order_relaxed);
	fLockCount.store(1, std::memory_order_relaxed);
	return B_OK;
}


void
BLocker::Unlock()
{
	// Unlocking a lock the caller does not hold is a bug of the caller; it changes nothing.
	if (fHolder.load(std::memory_order_relaxed) != find_thread(NULL) || --fLockCount > 0)
		return;
	fHolder.store(-1, std::memory_order_relaxed);
	if (BPrivate::benaphore_unlock(fState, fSemaphore) != B_OK)
		fSemaphoreGone = true;
}


thread_id
BLocker::LockingThread() const
{
	return fHolder;
}


bool
BLocker::IsLocked() const
{
	return fHolder == find_thread(NULL);
}


int32
BLocker::CountLocks() const
{
	return fLockCount;
}


int32
BLocker::CountLockRequests() const
{
	// The semaphore counts the threads waiting on it below zero.
	int32 count = 0;
	if (get_sem_count(fSemaphore, &count) != B_OK)
		return 0;
	return fLockCount + (count < 0 ? -count : 0);
}
