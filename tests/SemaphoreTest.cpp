// Counting semaphores: taking and giving units, the timeout forms, waking waiters, and what
// deleting does to them.
#include <OS.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "WaitFor.h"


TEST(Semaphore, UnitsAreTakenAndGivenBack)
{
	sem_id sem = create_sem(2, "units");
	ASSERT_GT(sem, 0);
	EXPECT_EQ(acquire_sem(sem), B_OK);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 0), B_OK);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	int32 count = -1;
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	EXPECT_EQ(release_sem_etc(sem, 3, 0), B_OK);
	EXPECT_EQ(acquire_sem_etc(sem, 3, B_TIMEOUT, 0), B_OK);

	sem_info info;
	ASSERT_EQ(get_sem_info(sem, &info), B_OK);
	EXPECT_STREQ(info.name, "units");
	EXPECT_EQ(info.latest_holder, find_thread(NULL));
	EXPECT_EQ(delete_sem(sem), B_OK);
	EXPECT_EQ(acquire_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(release_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(delete_sem(sem), B_BAD_SEM_ID);
}


TEST(Semaphore, TimeoutsEndTheWait)
{
	sem_id sem = create_sem(0, "timeouts");
	bigtime_t start = system_time();
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 20000), B_TIMED_OUT);
	EXPECT_GE(system_time() - start, 20000);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_ABSOLUTE_TIMEOUT, system_time() + 20000), B_TIMED_OUT);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_ABSOLUTE_TIMEOUT, system_time() - 1), B_TIMED_OUT);
	// A timed-out waiter leaves no demand behind.
	int32 count = -1;
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	delete_sem(sem);
}


// Timeouts too long for the clock (as BLocker::LockWithTimeout(B_INFINITE_TIMEOUT) passes
// with B_RELATIVE_TIMEOUT) wait for the units like infinite ones, without overflowing.
TEST(Semaphore, TimeoutsTooLongForTheClockWaitForTheUnits)
{
	sem_id sem = create_sem(0, "long timeouts");
	std::thread releaser([&]() {
		snooze(20000);
		release_sem_etc(sem, 3, 0);
	});
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, B_INFINITE_TIMEOUT), B_OK);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, B_INFINITE_TIMEOUT - 1), B_OK);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_ABSOLUTE_TIMEOUT, B_INFINITE_TIMEOUT - 1), B_OK);
	releaser.join();
	delete_sem(sem);
}


TEST(Semaphore, ReleaseWakesWaitersAndCountShowsThem)
{
	sem_id sem = create_sem(0, "waiters");
	std::atomic<int32> done{0};
	std::thread first([&]() { if (acquire_sem(sem) == B_OK) done++; });
	std::thread second([&]() { if (acquire_sem_etc(sem, 2, 0, 0) == B_OK) done++; });
	int32 count = 0;
	wait_for([&] { return get_sem_count(sem, &count) == B_OK && count == -3; });
	EXPECT_EQ(count, -3);
	EXPECT_EQ(release_sem_etc(sem, 1, B_RELEASE_ALL), B_OK);
	first.join();
	second.join();
	EXPECT_EQ(done, 2);
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	EXPECT_EQ(release_sem_etc(sem, 1, B_RELEASE_IF_WAITING_ONLY), B_OK);
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	delete_sem(sem);
}


TEST(Semaphore, DeletingWakesWaitersWithAnError)
{
	sem_id sem = create_sem(0, "deleted");
	std::atomic<status_t> result{B_OK};
	std::thread waiter([&]() { result = acquire_sem(sem); });
	int32 count = 0;
	wait_for([&] { return get_sem_count(sem, &count) == B_OK && count == -1; });
	EXPECT_EQ(delete_sem(sem), B_OK);
	waiter.join();
	EXPECT_EQ(result, B_BAD_SEM_ID);
}


TEST(Semaphore, BadArgumentsAreRefused)
{
	EXPECT_EQ(create_sem(-1, "negative"), B_BAD_VALUE);
	sem_id sem = create_sem(1, NULL);
	ASSERT_GT(sem, 0);
	EXPECT_EQ(acquire_sem_etc(sem, 0, 0, 0), B_BAD_VALUE);
	EXPECT_EQ(release_sem_etc(sem, 0, 0), B_BAD_VALUE);
	EXPECT_EQ(get_sem_count(sem, NULL), B_BAD_VALUE);
	EXPECT_EQ(acquire_sem(-5), B_BAD_SEM_ID);
	delete_sem(sem);
}

