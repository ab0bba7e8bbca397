// Threads of the kit: suspended start, full names, waiting and lookup.
#include <OS.h>

#include <gtest/gtest.h>

#include <atomic>
#include <unistd.h>

namespace {

std::atomic<int> stRuns{0};

status_t
count_run(void* data)
{
	stRuns++;
	return (status_t)(intptr_t)data;
}


status_t
wait_for_flag(void* data)
{
	auto flag = static_cast<std::atomic<bool>*>(data);
	while (!flag->load())
		snooze(1000);
	return B_OK;
}

} // namespace


TEST(ThreadTest, SpawnedThreadWaitsForResume)
{
	stRuns = 0;
	thread_id thread = spawn_thread(count_run, "counter", B_NORMAL_PRIORITY, (void*)42);
	ASSERT_GT(thread, 0);
	snooze(20000);
	EXPECT_EQ(stRuns.load(), 0);

	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_SUSPENDED);
	EXPECT_EQ(info.team, getpid());

	ASSERT_EQ(resume_thread(thread), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 42);
	EXPECT_EQ(stRuns.load(), 1);
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_BAD_THREAD_ID);
}


TEST(ThreadTest, WaitingForANeverResumedThreadStartsIt)
{
	stRuns = 0;
	thread_id thread = spawn_thread(count_run, "lazy", B_LOW_PRIORITY, (void*)7);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 7);
	EXPECT_EQ(stRuns.load(), 1);
}


TEST(ThreadTest, KeepsTheFullNameAndPriority)
{
	std::atomic<bool> done{false};
	const char* name = "QuorvaneBrowser analysis";
	thread_id thread = spawn_thread(wait_for_flag, name, 10, &done);
	ASSERT_EQ(resume_thread(thread), B_OK);

	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_STREQ(info.name, name);
	EXPECT_EQ(info.priority, 10);
	EXPECT_EQ(find_thread(name), thread);
	EXPECT_EQ(find_thread("no such thread"), B_NAME_NOT_FOUND);

	done = true;
	EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_EQ(find_thread(name), B_NAME_NOT_FOUND);
}


TEST(ThreadTest, TheCallingThreadIsKnown)
{
	EXPECT_EQ(find_thread(nullptr), (thread_id)gettid());
	thread_info info;
	ASSERT_EQ(get_thread_info(find_thread(nullptr), &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_RUNNING);
	EXPECT_EQ(wait_for_thread(find_thread(nullptr), nullptr), B_BAD_THREAD_ID);
}


TEST(ThreadTest, RejectsBadArguments)
{
	EXPECT_EQ(spawn_thread(nullptr, "x", 10, nullptr), B_BAD_VALUE);
	EXPECT_EQ(resume_thread(-5), B_BAD_THREAD_ID);
	thread_info info;
	EXPECT_EQ(get_thread_info(-5, &info), B_BAD_THREAD_ID);
}


TEST(ThreadTest, ClockMovesForwardAndSnoozeSleeps)
{
	bigtime_t start = system_time();
	ASSERT_EQ(snooze(10000), B_OK);
	EXPECT_GE(system_time() - start, 10000);
	EXPECT_EQ(snooze(-1), B_BAD_VALUE);
}
