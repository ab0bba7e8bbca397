// BMessageQueue: order, lookups by index and command, ownership, and locking.
#include <MessageQueue.h>

#include <gtest/gtest.h>

#include <thread>


TEST(MessageQueue, FirstInFirstOutWithLookups)
{
	BMessageQueue queue;
	EXPECT_TRUE(queue.IsEmpty());
	BMessage* first = new BMessage('one');
	BMessage* second = new BMessage('two');
	BMessage* third = new BMessage('one');
	queue.AddMessage(first);
	queue.AddMessage(second);
	queue.AddMessage(third);
	queue.AddMessage(NULL);
	EXPECT_EQ(queue.CountMessages(), 3);

	EXPECT_EQ(queue.FindMessage((int32)1), second);
	EXPECT_EQ(queue.FindMessage((int32)3), nullptr);
	EXPECT_EQ(queue.FindMessage('one', 1), third);
	EXPECT_EQ(queue.FindMessage('two', 0), second);
	EXPECT_EQ(queue.FindMessage('none', 0), nullptr);

	queue.RemoveMessage(second);
	delete second;
	BMessage* next = queue.NextMessage();
	EXPECT_EQ(next, first);
	delete next;
	// The queue deletes what it still holds.
}


TEST(MessageQueue, LockingKeepsOtherThreadsOut)
{
	BMessageQueue queue;
	ASSERT_TRUE(queue.Lock());
	EXPECT_TRUE(queue.IsLocked());
	std::thread adder([&queue]() { queue.AddMessage(new BMessage('late')); });
	snooze(20000);
	EXPECT_TRUE(queue.IsEmpty());
	queue.Unlock();
	adder.join();
	EXPECT_EQ(queue.CountMessages(), 1);
	EXPECT_FALSE(queue.IsLocked());
}
