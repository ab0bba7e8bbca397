// What runs when a thread ends: its on_exit_thread callbacks, latest first, and the
// forgetting of what was sent to it. exit_thread unwinds the thread's stack.
#include <OS.h>

#include "support/ThreadControl.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace BPrivate {
void forget_thread_data(thread_id thread);
}

namespace {

// A thread registers at most this many callbacks (B_NO_MEMORY beyond).
const size_t kMaxExitCallbacks = 64;

struct ExitCallbacks {
	std::vector<std::pair<void (*)(void*), void*>> callbacks;

	// Threads the kit did not make run theirs as the C library ends them.
	~ExitCallbacks() { BPrivate::thread_exiting(); }
};

thread_local ExitCallbacks tlExitCallbacks;

} // namespace


status_t
on_exit_thread(void (*callback)(void*), void* data)
{
	if (callback == nullptr)
		return B_BAD_VALUE;
	if (tlExitCallbacks.callbacks.size() >= kMaxExitCallbacks)
		return B_NO_MEMORY;
	tlExitCallbacks.callbacks.emplace_back(callback, data);
	return B_OK;
}


void
BPrivate::thread_exiting()
{
	std::vector<std::pair<void (*)(void*), void*>>& callbacks = tlExitCallbacks.callbacks;
	while (!callbacks.empty()) {
		std::pair<void (*)(void*), void*> callback = callbacks.back();
		callbacks.pop_back();
		callback.first(callback.second);
	}
	forget_thread_data(find_thread(nullptr));
}


status_t
kill_thread(thread_id thread)
{
	if (!BPrivate::is_team_thread(thread))
		return B_BAD_THREAD_ID;
	// The main thread's end is the team's, as on the platform.
	if (thread == getpid())
		return kill(getpid(), SIGKILL) == 0 ? B_OK : B_ERROR;
	if (thread == find_thread(nullptr))
		exit_thread(B_INTERRUPTED);
	// Linux cannot end one thread of a process from outside it without leaving its locks
	// held; a thread ends itself (exit_thread) or the team ends.
	return B_NOT_ALLOWED;
}
