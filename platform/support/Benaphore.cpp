// A thread that stops waiting (timeout, deleted semaphore) takes itself off the count of
// waiters. When the count is already zero, an unlock has counted it as the receiver of a
// unit that is on its way: it takes that unit, and with it the lock, so that no unit is
// ever left behind for a later waiter while another thread holds the lock.
#include "support/Benaphore.h"

namespace BPrivate {

status_t
benaphore_lock(std::atomic<int32>& state, sem_id semaphore, bigtime_t timeout)
{
	int32 current = 0;
	if (state.compare_exchange_strong(current, kBenaphoreHeld, std::memory_order_acquire,
			std::memory_order_relaxed))
		return B_OK;
	if (timeout == 0 && (current & kBenaphoreHeld) != 0)
		return B_WOULD_BLOCK;

	// Free but contended (a hand-over under way counts as held): taken, or counted as a
	// waiter.
	for (;;) {
		int32 next = (current & kBenaphoreHeld) != 0
			? current + kBenaphoreWaiter : current | kBenaphoreHeld;
		if (state.compare_exchange_weak(current, next, std::memory_order_acquire,
				std::memory_order_relaxed)) {
			if ((current & kBenaphoreHeld) == 0)
				return B_OK;
			break;
		}
	}

	status_t status = acquire_sem_etc(semaphore, 1, B_RELATIVE_TIMEOUT, timeout);
	if (status == B_OK)
		return B_OK;

	current = state.load(std::memory_order_relaxed);
	while (current >= kBenaphoreWaiter) {
		if (state.compare_exchange_weak(current, current - kBenaphoreWaiter,
				std::memory_order_relaxed))
			return status;
	}
	// Counted already as the receiver of a unit: it comes, unless the semaphore is gone.
	if (status == B_BAD_SEM_ID)
		return status;
	status_t taken = acquire_sem(semaphore);
	return taken == B_OK ? B_OK : taken;
}


status_t
benaphore_unlock(std::atomic<int32>& state, sem_id semaphore)
{
	int32 current = kBenaphoreHeld;
	if (state.compare_exchange_strong(current, 0, std::memory_order_release,
			std::memory_order_relaxed))
		return B_OK;
	// Waiters: the lock stays held and goes to one of them with a unit.
	while (!state.compare_exchange_weak(current,
			current >= kBenaphoreWaiter ? current - kBenaphoreWaiter : 0,
			std::memory_order_release, std::memory_order_relaxed)) {
	}
	if (current < kBenaphoreWaiter)
		return B_OK;
	return release_sem(semaphore) == B_OK ? B_OK : B_BAD_SEM_ID;
}

} // namespace BPrivate
