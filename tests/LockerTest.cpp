#include <Autolock.h>
#include <Locker.h>

#include <gtest/gtest.h>

#include "WaitFor.h"

#include <atomic>
#include <thread>
#include <vector>

TEST(LockerTest, IsRecursiveForItsHolder)
{
	BLocker locker("test");
	EXPECT_FALSE(locker.IsLocked());
	EXPECT_EQ(locker.LockingThread(), -1);
	ASSERT_TRUE(locker.Lock());
	ASSERT_TRUE(locker.Lock());
	EXPECT_TRUE(locker.IsLocked());
	EXPECT_EQ(locker.CountLocks(), 2);
	locker.Unlock();
	EXPECT_TRUE(locker.IsLocked());
	locker.Unlock();
	EXPECT_FALSE(locker.IsLocked());
	{
		BAutolock lock(locker);
		EXPECT_TRUE(lock.IsLocked());
		EXPECT_EQ(locker.CountLocks(), 1);
	}
	EXPECT_EQ(locker.CountLocks(), 0);
}


TEST(LockerTest, OtherThreadsWaitOrTimeOut)
{
	BLocker locker;
	ASSERT_TRUE(locker.Lock());
	status_t immediate = B_OK, timed = B_OK;
	bool isLockedThere = true;
	std::thread other([&] {
		immediate = locker.LockWithTimeout(0);
		timed = locker.LockWithTimeout(20000);
		isLockedThere = locker.IsLocked();
		// Unlocking a lock held by another thread changes nothing.
		locker.Unlock();
	});
	other.join();
	EXPECT_EQ(immediate, B_WOULD_BLOCK);
	EXPECT_EQ(timed, B_TIMED_OUT);
	EXPECT_FALSE(isLockedThere);
	EXPECT_TRUE(locker.IsLocked());

	status_t later = B_ERROR;
	std::thread waiter([&] {
		later = locker.LockWithTimeout(10000000);
		if (later == B_OK)
			locker.Unlock();
	});
	locker.Unlock();
	waiter.join();
	EXPECT_EQ(later, B_OK);
}


TEST(LockerTest, WaitersWaitOnItsSemaphore)
{
	BLocker locker("sem test");
	ASSERT_EQ(locker.InitCheck(), B_OK);
	sem_id sem = locker.Sem();
	ASSERT_GE(sem, 0);
	sem_info info;
	ASSERT_EQ(get_sem_info(sem, &info), B_OK);
	EXPECT_STREQ(info.name, "sem test");
	// Taking and giving back a lock nobody else wants leaves the semaphore alone.
	int32 count = -1;
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);

	ASSERT_TRUE(locker.Lock());
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	status_t waited = B_ERROR;
	std::thread waiter([&] {
		waited = locker.LockWithTimeout(kWaitTimeout);
		if (waited == B_OK)
			locker.Unlock();
	});
	EXPECT_TRUE(wait_for([&] { return locker.CountLockRequests() == 2; }));
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, -1);
	locker.Unlock();
	waiter.join();
	EXPECT_EQ(waited, B_OK);
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	EXPECT_EQ(locker.CountLockRequests(), 0);
}


TEST(LockerTest, DeletingItsSemaphoreFailsWaitersAndLaterLocks)
{
	BLocker locker;
	ASSERT_TRUE(locker.Lock());
	status_t waited = B_OK;
	std::thread waiter([&] { waited = locker.LockWithTimeout(kWaitTimeout); });
	EXPECT_TRUE(wait_for([&] { return locker.CountLockRequests() == 2; }));
	ASSERT_EQ(delete_sem(locker.Sem()), B_OK);
	waiter.join();
	EXPECT_EQ(waited, B_BAD_SEM_ID);
	locker.Unlock();
	EXPECT_FALSE(locker.Lock());
}


// Waiters that give up while the lock is handed over must leave nothing behind that would
// let two threads hold it at once.
TEST(LockerTest, TimeoutsUnderContentionKeepTheLockExclusive)
{
	BLocker locker("contended");
	std::atomic<int32> inside{0};
	std::atomic<int32> overlaps{0};
	std::atomic<int32> acquired{0};
	std::atomic<int32> timedOut{0};
	std::vector<std::thread> threads;
	for (int32 t = 0; t < 4; t++) {
		threads.emplace_back([&, t] {
			for (int32 i = 0; i < 2000; i++) {
				status_t status = locker.LockWithTimeout(t == 0 ? B_INFINITE_TIMEOUT : 50);
				if (status != B_OK) {
					EXPECT_TRUE(status == B_TIMED_OUT) << status;
					timedOut++;
					continue;
				}
				EXPECT_EQ(locker.LockingThread(), find_thread(NULL));
				if (inside.fetch_add(1) != 0)
					overlaps++;
				if (i % 16 == 0)
					snooze(20);
				inside.fetch_sub(1);
				acquired++;
				locker.Unlock();
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_EQ(overlaps, 0);
	EXPECT_EQ(acquired + timedOut, 4 * 2000);
	// Nothing is left over: the lock is free and the semaphore holds no unit.
	EXPECT_EQ(locker.LockingThread(), -1);
	int32 count = -1;
	ASSERT_EQ(get_sem_count(locker.Sem(), &count), B_OK);
	EXPECT_EQ(count, 0);
	EXPECT_EQ(locker.LockWithTimeout(0), B_OK);
	locker.Unlock();
}


TEST(LockerTest, ASemaphoreFoundGoneFailsLaterLocks)
{
	BLocker locker;
	ASSERT_EQ(delete_sem(locker.Sem()), B_OK);
	// Free, it is taken without its semaphore; the first thread that has to wait finds
	// the semaphore gone, and from then on the lock fails.
	ASSERT_TRUE(locker.Lock());
	status_t waited = B_OK;
	std::thread waiter([&] { waited = locker.LockWithTimeout(kWaitTimeout); });
	waiter.join();
	EXPECT_EQ(waited, B_BAD_SEM_ID);
	locker.Unlock();
	EXPECT_FALSE(locker.Lock());
	EXPECT_EQ(locker.LockWithTimeout(0), B_BAD_SEM_ID);
}
