#include <Autolock.h>
#include <Locker.h>

#include <gtest/gtest.h>

#include <thread>

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
