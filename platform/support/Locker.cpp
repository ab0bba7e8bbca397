#include <Locker.h>

#include <string.h>


BLocker::BLocker()
{
	_Init(NULL);
}


BLocker::BLocker(const char* name)
{
	_Init(name);
}


// Every BLocker waits on its semaphore only when the lock is taken: the kit's semaphores
// are already cheap when nobody waits, so both styles are the same lock.
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
	fSemaphore = create_sem(1, fName);
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
	if (fHolder == self) {
		fLockCount++;
		return B_OK;
	}
	status_t status = acquire_sem_etc(fSemaphore, 1, B_RELATIVE_TIMEOUT, timeout);
	if (status != B_OK)
		return status;
	fHolder = self;
	fLockCount = 1;
	return B_OK;
}


void
BLocker::Unlock()
{
	// Unlocking a lock the caller does not hold is a bug of the caller; it changes nothing.
	if (fHolder != find_thread(NULL) || --fLockCount > 0)
		return;
	fHolder = -1;
	release_sem(fSemaphore);
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
	// A held lock's semaphore counts its waiters below zero.
	int32 count = 1;
	if (get_sem_count(fSemaphore, &count) != B_OK)
		return 0;
	return fLockCount + (count < 0 ? -count : 0);
}
