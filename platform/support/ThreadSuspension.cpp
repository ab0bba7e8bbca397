// suspend_thread for running threads. Linux stops only whole processes, so the kit stops a
// thread by a signal whose handler waits, inside the thread, until resume_thread clears
// the thread's flag. A thread keeps its slot of the table until it has ended, so that a
// handler never finds its slot handed to another thread.
#include <OS.h>

#include "support/ThreadControl.h"

#include <errno.h>
#include <linux/futex.h>
#include <signal.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace {

// Threads that have been suspended at once, alive (the slots of ended threads are reused).
const int kMaxSuspendedThreads = 256;
// A real-time signal that neither the C library nor the rest of the kit uses.
const int kSuspendSignalOffset = 4;

struct Slot {
	std::atomic<pid_t>	thread{0};
	std::atomic<int>	suspended{0};
};

Slot stSlots[kMaxSuspendedThreads];
std::mutex stLock;
std::once_flag stHandlerInstalled;


void
wait_while_suspended(int)
{
	int savedError = errno;
	pid_t self = (pid_t)syscall(SYS_gettid);
	for (Slot& slot : stSlots) {
		if (slot.thread.load() != self)
			continue;
		while (slot.suspended.load() != 0) {
			syscall(SYS_futex, (int*)&slot.suspended, FUTEX_WAIT_PRIVATE, 1, nullptr,
				nullptr, 0);
		}
		break;
	}
	errno = savedError;
}


void
install_handler()
{
	struct sigaction action;
	memset(&action, 0, sizeof(action));
	action.sa_handler = wait_while_suspended;
	action.sa_flags = SA_RESTART;
	sigemptyset(&action.sa_mask);
	sigaction(SIGRTMIN + kSuspendSignalOffset, &action, nullptr);
}


// Under stLock.
Slot*
slot_of(thread_id thread, bool create)
{
	Slot* free = nullptr;
	for (Slot& slot : stSlots) {
		pid_t holder = slot.thread.load();
		if (holder == thread)
			return &slot;
		if (free == nullptr && (holder == 0 || !BPrivate::is_team_thread(holder)))
			free = &slot;
	}
	if (!create || free == nullptr)
		return nullptr;
	free->suspended.store(0);
	free->thread.store(thread);
	return free;
}

} // namespace


bool
BPrivate::is_team_thread(thread_id thread)
{
	if (thread <= 0 || is_ended_thread(thread))
		return false;
	char path[64];
	snprintf(path, sizeof(path), "/proc/self/task/%d", (int)thread);
	return access(path, F_OK) == 0;
}


bool
BPrivate::is_thread_suspended(thread_id thread)
{
	std::lock_guard<std::mutex> lock(stLock);
	Slot* slot = slot_of(thread, false);
	return slot != nullptr && slot->suspended.load() != 0;
}


status_t
BPrivate::resume_suspended_thread(thread_id thread)
{
	std::lock_guard<std::mutex> lock(stLock);
	Slot* slot = slot_of(thread, false);
	if (slot == nullptr || slot->suspended.load() == 0)
		return is_team_thread(thread) ? B_BAD_THREAD_STATE : B_BAD_THREAD_ID;
	slot->suspended.store(0);
	syscall(SYS_futex, (int*)&slot->suspended, FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
	return B_OK;
}


status_t
suspend_thread(thread_id thread)
{
	if (!BPrivate::is_team_thread(thread))
		return B_BAD_THREAD_ID;
	std::call_once(stHandlerInstalled, install_handler);
	{
		std::lock_guard<std::mutex> lock(stLock);
		Slot* slot = slot_of(thread, true);
		if (slot == nullptr)
			return B_NO_MORE_THREADS;
		if (slot->suspended.exchange(1) != 0)
			return B_OK;
	}
	// A thread suspending itself waits in the handler before this call returns.
	if (syscall(SYS_tgkill, getpid(), thread, SIGRTMIN + kSuspendSignalOffset) != 0) {
		std::lock_guard<std::mutex> lock(stLock);
		if (Slot* slot = slot_of(thread, false))
			slot->suspended.store(0);
		return B_BAD_THREAD_ID;
	}
	return B_OK;
}
