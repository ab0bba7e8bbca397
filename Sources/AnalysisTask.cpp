#include "AnalysisTask.h"

#include <assert.h>


std::coroutine_handle<>
AnalysisTask::FinalAwaiter::await_suspend(Handle handle) noexcept
{
	promise_type& promise = handle.promise();
	if (promise.awaiterRunning) {
		promise.awaiterRunning = false;
		return std::noop_coroutine();
	}
	if (promise.endHook == nullptr)
		return promise.continuation;
	// The hook may delete the task and with it this frame: nothing here is read after.
	EndHook hook = promise.endHook;
	return hook(promise.endCookie);
}


bool
AnalysisTask::await_suspend(std::coroutine_handle<> awaiter) noexcept
{
	promise_type& promise = fHandle.promise();
	promise.continuation = awaiter;
	promise.awaiterRunning = true;
	fHandle.resume();
	if (!promise.awaiterRunning)
		return false;
	// It waits for a reply: it resumes the awaiter when it ends.
	promise.awaiterRunning = false;
	return true;
}


AnalysisTask&
AnalysisTask::operator=(AnalysisTask&& other)
{
	if (this != &other) {
		if (fHandle)
			fHandle.destroy();
		fHandle = std::exchange(other.fHandle, nullptr);
	}
	return *this;
}


AnalysisTask::~AnalysisTask()
{
	if (fHandle)
		fHandle.destroy();
}


void
AnalysisTask::Start(EndHook endHook, void* cookie)
{
	fHandle.promise().endHook = endHook;
	fHandle.promise().endCookie = cookie;
	fHandle.resume();
}


void
RunNow(AnalysisTask task)
{
	task.Start(nullptr, nullptr);
	// Only an AnalysisLooper leaves a request waiting.
	assert(task.IsDone());
}
