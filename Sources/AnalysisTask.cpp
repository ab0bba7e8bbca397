#include "AnalysisTask.h"

#include <assert.h>


std::coroutine_handle<>
AnalysisTask::FinalAwaiter::await_suspend(Handle handle) noexcept
{
	promise_type& promise = handle.promise();
	if (promise.endHook == nullptr)
		return promise.continuation;
	// The hook may delete the task and with it this frame: nothing here is read after.
	EndHook hook = promise.endHook;
	return hook(promise.endCookie);
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
