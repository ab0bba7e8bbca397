// The coroutines the analysis is written in: awaited tasks that end at once leave the
// stack as they found it, however many there are, and a task that waits goes on, with
// its awaiter after it, when it is resumed.
#include <gtest/gtest.h>

#include <stdint.h>

#include <coroutine>
#include <vector>

#include "AnalysisTask.h"

namespace {

AnalysisTask
Leaf(uintptr_t* frame)
{
	*frame = (uintptr_t)__builtin_frame_address(0);
	co_return;
}


AnalysisTask
Leaves(std::vector<uintptr_t>* frames)
{
	for (uintptr_t& frame : *frames)
		co_await Leaf(&frame);
}


// Suspends until resumed from outside, as a request waiting for its reply does.
struct Pause {
	std::coroutine_handle<>* resume;

	bool await_ready() const { return false; }
	void await_suspend(std::coroutine_handle<> awaiter) { *resume = awaiter; }
	void await_resume() const {}
};


AnalysisTask
Waiting(std::coroutine_handle<>* resume, std::vector<int>* steps)
{
	steps->push_back(1);
	co_await Pause{ resume };
	steps->push_back(2);
}


AnalysisTask
Awaiting(std::coroutine_handle<>* resume, std::vector<int>* steps)
{
	co_await Waiting(resume, steps);
	steps->push_back(3);
}


std::coroutine_handle<>
Ended(void* cookie)
{
	*static_cast<bool*>(cookie) = true;
	return std::noop_coroutine();
}

} // namespace


TEST(AnalysisTaskTest, TasksThatEndAtOnceLeaveTheStackAsItWas)
{
	std::vector<uintptr_t> frames(100000, 0);
	RunNow(Leaves(&frames));
	EXPECT_NE(frames.front(), 0u);
	EXPECT_EQ(frames.back(), frames.front());
}


TEST(AnalysisTaskTest, AWaitingTaskGoesOnWithItsAwaiterWhenResumed)
{
	std::coroutine_handle<> resume;
	std::vector<int> steps;
	bool ended = false;
	AnalysisTask task = Awaiting(&resume, &steps);
	task.Start(Ended, &ended);
	EXPECT_EQ(steps, std::vector<int>({ 1 }));
	EXPECT_FALSE(ended);
	EXPECT_FALSE(task.IsDone());

	resume.resume();
	EXPECT_EQ(steps, std::vector<int>({ 1, 2, 3 }));
	EXPECT_TRUE(ended);
	EXPECT_TRUE(task.IsDone());
}
