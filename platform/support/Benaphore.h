// The lock word of BLocker and of the loopers' locks: a lock taken and given back without
// a system call or a look-up of its semaphore when no other thread wants it. Threads that
// find it held wait on the semaphore, which holds no unit while nobody waits: each unlock
// that finds a waiter hands the lock over with one unit.
#ifndef _KIT_BENAPHORE_H
#define _KIT_BENAPHORE_H

#include <OS.h>

#include <atomic>

namespace BPrivate {

// The state word: one while the lock is held, plus two for every thread counted as
// waiting for it.
const int32 kBenaphoreHeld = 1;
const int32 kBenaphoreWaiter = 2;

// Takes the lock (its caller does not hold it). B_OK, B_WOULD_BLOCK for a timeout of 0
// while it is held, B_TIMED_OUT, or B_BAD_SEM_ID when the semaphore went away while
// the caller waited. A waiter whose timeout passes just as the lock is handed to it
// takes it (B_OK).
status_t benaphore_lock(std::atomic<int32>& state, sem_id semaphore, bigtime_t timeout);

// Gives the lock back, handing it to a waiter if there is one: B_BAD_SEM_ID when that
// waiter could not be woken because the semaphore is gone.
status_t benaphore_unlock(std::atomic<int32>& state, sem_id semaphore);

} // namespace BPrivate

#endif // _KIT_BENAPHORE_H
