// Threads of the kit: suspended start, full names, waiting and lookup.
#include <OS.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string.h>
#include <unistd.h>

#include "WaitFor.h"

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



std::atomic<int64> stCounter{0};

status_t
count_until_flag(void* data)
{
	auto flag = static_cast<std::atomic<bool>*>(data);
	while (!flag->load())
		stCounter++;
	return B_OK;
}


status_t
receive_one(void* data)
{
	char buffer[16] = {};
	thread_id sender = -1;
	int32 code = receive_data(&sender, buffer, sizeof(buffer));
	auto out = static_cast<std::string*>(data);
	*out = std::to_string(code) + ":" + buffer + ":" + std::to_string(sender);
	return B_OK;
}


std::string stExitOrder;

void
note_exit(void* data)
{
	stExitOrder += static_cast<const char*>(data);
}


status_t
exit_early(void*)
{
	on_exit_thread(note_exit, (void*)"a");
	on_exit_thread(note_exit, (void*)"b");
	exit_thread(23);
	return B_ERROR;
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


TEST(ThreadTest, SuspendStopsARunningThreadUntilResumed)
{
	std::atomic<bool> done{false};
	thread_id thread = spawn_thread(count_until_flag, "counter", B_NORMAL_PRIORITY, &done);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_TRUE(wait_for([] { return stCounter.load() > 1000; }));

	ASSERT_EQ(suspend_thread(thread), B_OK);
	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_SUSPENDED);
	// Once the count stands still it stays still while suspended.
	int64 before = -1;
	ASSERT_TRUE(wait_for([&] {
		int64 now = stCounter.load();
		bool still = now == before;
		before = now;
		snooze(2000);
		return still;
	}));
	snooze(20000);
	EXPECT_EQ(stCounter.load(), before);

	ASSERT_EQ(resume_thread(thread), B_OK);
	EXPECT_TRUE(wait_for([&] { return stCounter.load() > before; }));
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_STATE);
	done = true;
	EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_EQ(suspend_thread(thread), B_BAD_THREAD_ID);
}


TEST(ThreadTest, DataGoesToTheThreadWithCodeAndSender)
{
	std::string received;
	thread_id thread = spawn_thread(receive_one, "receiver", B_NORMAL_PRIORITY, &received);
	EXPECT_FALSE(has_data(thread));
	// Data sent before the thread runs waits for it.
	ASSERT_EQ(send_data(thread, 'abcd', "hello", 6), B_OK);
	EXPECT_TRUE(has_data(thread));
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_EQ(received, std::to_string('abcd') + ":hello:" + std::to_string(find_thread(NULL)));
}


TEST(ThreadTest, SendingToAnEndedThreadFails)
{
	thread_id thread = spawn_thread(count_run, "short", B_NORMAL_PRIORITY, nullptr);
	ASSERT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_EQ(send_data(thread, 1, "x", 1), B_BAD_THREAD_ID);
	EXPECT_EQ(send_data(find_thread(NULL), 1, nullptr, B_MAX_THREAD_DATA_SIZE + 1),
		B_BAD_VALUE);
}


TEST(ThreadTest, ExitThreadRunsExitCallbacksLatestFirst)
{
	stExitOrder.clear();
	thread_id thread = spawn_thread(exit_early, "exiting", B_NORMAL_PRIORITY, nullptr);
	status_t result = B_OK;
	ASSERT_EQ(wait_for_thread(thread, &result), B_OK);
	EXPECT_EQ(result, 23);
	EXPECT_EQ(stExitOrder, "ba");
	EXPECT_EQ(on_exit_thread(nullptr, nullptr), B_BAD_VALUE);
}


TEST(ThreadTest, RenameAndLowerPriority)
{
	std::atomic<bool> done{false};
	thread_id thread = spawn_thread(wait_for_flag, "before", B_NORMAL_PRIORITY, &done);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_EQ(rename_thread(thread, "after the rename, longer than Linux keeps"), B_OK);
	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_STREQ(info.name, "after the rename, longer than L");
	EXPECT_EQ(set_thread_priority(thread, B_LOW_PRIORITY), B_NORMAL_PRIORITY);
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.priority, B_LOW_PRIORITY);
	EXPECT_EQ(set_thread_priority(thread, 1000), B_BAD_VALUE);
	EXPECT_EQ(rename_thread(thread, nullptr), B_BAD_VALUE);
	done = true;
	EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_EQ(rename_thread(thread, "gone"), B_BAD_THREAD_ID);
}


TEST(ThreadTest, ListsTheTeamsThreadsOnce)
{
	std::atomic<bool> done{false};
	thread_id thread = spawn_thread(wait_for_flag, "listed", B_NORMAL_PRIORITY, &done);
	ASSERT_EQ(resume_thread(thread), B_OK);
	int32 cookie = 0;
	thread_info info;
	int found = 0;
	bool foundSelf = false;
	while (get_next_thread_info(B_CURRENT_TEAM, &cookie, &info) == B_OK) {
		EXPECT_EQ(info.team, getpid());
		found += info.thread == thread;
		foundSelf |= info.thread == find_thread(NULL);
		if (info.thread == thread) {
			EXPECT_STREQ(info.name, "listed");
		}
	}
	EXPECT_EQ(found, 1);
	EXPECT_TRUE(foundSelf);
	ASSERT_EQ(get_thread_info(find_thread(NULL), &info), B_OK);
	EXPECT_NE(info.stack_base, nullptr);
	EXPECT_LT((char*)info.stack_base, (char*)&info);
	EXPECT_GT((char*)info.stack_end, (char*)&info);
	done = true;
	EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
	cookie = 0;
	EXPECT_EQ(get_next_thread_info(-3, &cookie, &info), B_BAD_TEAM_ID);
}


TEST(ThreadTest, SnoozeUntilWakesAtTheTime)
{
	bigtime_t until = system_time() + 20000;
	EXPECT_EQ(snooze_until(until, B_SYSTEM_TIMEBASE), B_OK);
	EXPECT_GE(system_time(), until);
	EXPECT_EQ(snooze_until(until, 7), B_BAD_VALUE);
	EXPECT_EQ(snooze_etc(1000, B_SYSTEM_TIMEBASE, 0), B_OK);
}


TEST(ThreadTest, OnlyTheCallerOrTheTeamEndsAThread)
{
	std::atomic<bool> done{false};
	thread_id thread = spawn_thread(wait_for_flag, "survivor", B_NORMAL_PRIORITY, &done);
	ASSERT_EQ(resume_thread(thread), B_OK);
	EXPECT_EQ(kill_thread(thread), B_NOT_ALLOWED);
	EXPECT_EQ(kill_thread(-4), B_BAD_THREAD_ID);
	done = true;
	EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
}
