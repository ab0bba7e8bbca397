// The analysis of a target is written once, as a coroutine that awaits each request's
// reply (ScriptingElement::Ask), and runs in two ways: one request at a time on the calling
// thread, where every reply is there when it is awaited and the coroutine never suspends
// (RunNow), or on an AnalysisLooper, where it suspends at each request and the looper
// resumes it when the reply comes, so that many targets wait for replies at once on one
// thread.
//
// An AnalysisTask starts when it is awaited (its awaiter then continues where it ends) or
// when Start is called; it owns its coroutine's frame.
#ifndef ANALYSIS_TASK_H
#define ANALYSIS_TASK_H

#include <coroutine>
#include <exception>
#include <utility>

class AnalysisTask {
public:
	// Called when a started task ends, on the thread that ran its last step: the task may
	// be deleted there. The coroutine it returns runs next (std::noop_coroutine: none).
	typedef std::coroutine_handle<> (*EndHook)(void* cookie);

	struct promise_type;
	typedef std::coroutine_handle<promise_type> Handle;

	struct FinalAwaiter {
		bool				await_ready() noexcept { return false; }
		std::coroutine_handle<> await_suspend(Handle handle) noexcept;
		void				await_resume() noexcept {}
	};

	struct promise_type {
		// Who awaited the task; nobody for one that was started.
		std::coroutine_handle<> continuation = std::noop_coroutine();
		// While the awaiter runs the task from its await_suspend: a task that ends then
		// leaves the awaiter to go on by itself, so that the stack does not grow with
		// every task that ends at once, as the tasks of an analysis without requests in
		// flight all do.
		bool				awaiterRunning = false;
		EndHook				endHook = nullptr;
		void*				endCookie = nullptr;

		AnalysisTask		get_return_object()
								{ return AnalysisTask(Handle::from_promise(*this)); }
		std::suspend_always	initial_suspend() noexcept { return {}; }
		FinalAwaiter		final_suspend() noexcept { return {}; }
		void				return_void() {}
		// The analysis reports failures as status codes; nothing it calls throws.
		void				unhandled_exception() { std::terminate(); }
	};

							AnalysisTask() = default;
							AnalysisTask(AnalysisTask&& other)
								: fHandle(std::exchange(other.fHandle, nullptr)) {}
			AnalysisTask&	operator=(AnalysisTask&& other);
							~AnalysisTask();

	// Runs the task until it ends or awaits a reply that has not come; endHook(cookie)
	// is called when it ends, now or later.
			void			Start(EndHook endHook, void* cookie);
			bool			IsDone() const { return !fHandle || fHandle.done(); }

	// Awaiting a task runs it; the awaiter goes on when it ends.
			bool			await_ready() const noexcept { return IsDone(); }
			bool			await_suspend(std::coroutine_handle<> awaiter) noexcept;
			void			await_resume() const noexcept {}

private:
	explicit				AnalysisTask(Handle handle) : fHandle(handle) {}

			Handle			fHandle = nullptr;
};


// Runs task to its end on the calling thread; every request it awaits must be answered
// when it is sent, as it is without an AnalysisLooper.
void RunNow(AnalysisTask task);

#endif // ANALYSIS_TASK_H
