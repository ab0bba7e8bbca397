#include <Locker.h>

#include <errno.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <sys/syscall.h>

namespace {

thread_local thread_id stThreadID = -1;

thread_id
CurrentThread()
{
	if (stThreadID < 0)
		stThreadID = (thread_id)syscall(SYS_gettid);
	return stThreadID;
}

} // namespace


BLocker::BLocker()
{
	_Init(NULL);
}


BLocker::BLocker(const char* name)
{
	_Init(name);
}


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
	pthread_cond_destroy(&fCondition);
	pthread_mutex_destroy(&fMutex);
}


void
BLocker::_Init(const char* name)
{
	pthread_mutex_init(&fMutex, NULL);
	// Timeouts are measured on the monotonic clock, immune to changes of the time of day.
	pthread_condattr_t attributes;
	pthread_condattr_init(&attributes);
	pthread_condattr_setclock(&attributes, CLOCK_MONOTONIC);
	pthread_cond_init(&fCondition, &attributes);
	pthread_condattr_destroy(&attributes);
	fHolder = -1;
	fLockCount = 0;
	fWaiting = 0;
	strncpy(fName, name != NULL ? name : "some BLocker", sizeof(fName) - 1);
	fName[sizeof(fName) - 1] = '\0';
}


bool
BLocker::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	thread_id self = CurrentThread();
	pthread_mutex_lock(&fMutex);
	if (fHolder == self) {
		fLockCount++;
		pthread_mutex_unlock(&fMutex);
		return B_OK;
	}

	status_t status = B_OK;
	if (fHolder >= 0) {
		if (timeout <= 0)
			status = B_WOULD_BLOCK;
		else {
			timespec deadline;
			bool infinite = timeout == B_INFINITE_TIMEOUT;
			if (!infinite) {
				clock_gettime(CLOCK_MONOTONIC, &deadline);
				int64 nanoseconds = deadline.tv_nsec + (timeout % 1000000) * 1000;
				deadline.tv_sec += timeout / 1000000 + nanoseconds / 1000000000;
				deadline.tv_nsec = nanoseconds % 1000000000;
			}
			fWaiting++;
			while (fHolder >= 0) {
				int error = infinite ? pthread_cond_wait(&fCondition, &fMutex)
					: pthread_cond_timedwait(&fCondition, &fMutex, &deadline);
				if (error == ETIMEDOUT && fHolder >= 0) {
					status = B_TIMED_OUT;
					break;
				}
			}
			fWaiting--;
		}
	}
	if (status == B_OK) {
		fHolder = self;
		fLockCount = 1;
	}
	pthread_mutex_unlock(&fMutex);
	return status;
}


void
BLocker::Unlock()
{
	pthread_mutex_lock(&fMutex);
	// Unlocking a lock the caller does not hold is a bug of the caller; it changes nothing.
	if (fHolder == CurrentThread() && --fLockCount == 0) {
		fHolder = -1;
		if (fWaiting > 0)
			pthread_cond_signal(&fCondition);
	}
	pthread_mutex_unlock(&fMutex);
}


thread_id
BLocker::LockingThread() const
{
	pthread_mutex_lock(&fMutex);
	thread_id holder = fHolder;
	pthread_mutex_unlock(&fMutex);
	return holder;
}


bool
BLocker::IsLocked() const
{
	return LockingThread() == CurrentThread();
}


int32
BLocker::CountLocks() const
{
	pthread_mutex_lock(&fMutex);
	int32 count = fLockCount;
	pthread_mutex_unlock(&fMutex);
	return count;
}


int32
BLocker::CountLockRequests() const
{
	pthread_mutex_lock(&fMutex);
	int32 count = fLockCount + fWaiting;
	pthread_mutex_unlock(&fMutex);
	return count;
}
