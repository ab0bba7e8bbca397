// Message runners: timed delivery, counts, changing a running runner, and that deleting
// one stops it for good.
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <atomic>

#include "WaitFor.h"

namespace {

class Counter : public BHandler {
public:
	Counter() : BHandler("counter") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'tick') {
			fLastValue = message->FindInt32("value");
			fCount++;
			return;
		}
		BHandler::MessageReceived(message);
	}

	std::atomic<int32> fCount{0};
	std::atomic<int32> fLastValue{0};
};


class MessageRunnerTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fLooper = new BLooper("runner target");
		fCounter = new Counter;
		fLooper->AddHandler(fCounter);
		fLooper->Run();
		fTick.AddInt32("value", 7);
	}

	void TearDown() override
	{
		fLooper->Lock();
		fLooper->RemoveHandler(fCounter);
		delete fCounter;
		fLooper->Quit();
	}

	BLooper* fLooper;
	Counter* fCounter;
	BMessage fTick{'tick'};
};

} // namespace


TEST_F(MessageRunnerTest, SendsItsCountOfCopiesThenStops)
{
	BMessageRunner runner(BMessenger(fCounter), &fTick, 2000, 3);
	ASSERT_EQ(runner.InitCheck(), B_OK);
	ASSERT_TRUE(wait_for([&] { return fCounter->fCount == 3; }));
	EXPECT_EQ(fCounter->fLastValue, 7);
	// The runner is spent: nothing more comes, and it says so.
	bigtime_t interval;
	int32 count;
	ASSERT_TRUE(wait_for([&] { return runner.GetInfo(&interval, &count) == B_BAD_VALUE; }));
	wait_for_queue(fLooper);
	EXPECT_EQ(fCounter->fCount, 3);
}


TEST_F(MessageRunnerTest, WaitsAnIntervalBeforeTheFirstCopy)
{
	bigtime_t start = system_time();
	BMessageRunner runner(BMessenger(fCounter), &fTick, 50000, 1);
	ASSERT_TRUE(wait_for([&] { return fCounter->fCount == 1; }));
	EXPECT_GE(system_time() - start, 50000);
}


TEST_F(MessageRunnerTest, ReportsAndChangesIntervalAndCount)
{
	BMessageRunner runner(BMessenger(fCounter), &fTick, 10000000);
	bigtime_t interval = 0;
	int32 count = 0;
	ASSERT_EQ(runner.GetInfo(&interval, &count), B_OK);
	EXPECT_EQ(interval, 10000000);
	EXPECT_EQ(count, -1);

	ASSERT_EQ(runner.SetCount(2), B_OK);
	ASSERT_EQ(runner.GetInfo(&interval, &count), B_OK);
	EXPECT_EQ(count, 2);
	EXPECT_EQ(fCounter->fCount, 0);

	// A shorter interval takes effect at once, not after the old one.
	ASSERT_EQ(runner.SetInterval(1000), B_OK);
	ASSERT_TRUE(wait_for([&] { return fCounter->fCount == 2; }));
	EXPECT_EQ(runner.SetInterval(1000), B_BAD_VALUE);
}


TEST_F(MessageRunnerTest, DeletingTheRunnerStopsIt)
{
	auto* runner = new BMessageRunner(BMessenger(fCounter), &fTick, 1000);
	ASSERT_TRUE(wait_for([&] { return fCounter->fCount >= 2; }));
	delete runner;
	wait_for_queue(fLooper);
	int32 seen = fCounter->fCount;
	// Well past several intervals, nothing more has come.
	BMessageRunner witness(BMessenger(fLooper), &fTick, 20000, 1);
	ASSERT_TRUE(wait_for([&] { return witness.GetInfo(NULL, NULL) != B_OK; }));
	wait_for_queue(fLooper);
	EXPECT_EQ(fCounter->fCount, seen);
}


TEST_F(MessageRunnerTest, RefusesBadArguments)
{
	EXPECT_EQ(BMessageRunner(BMessenger(fCounter), NULL, 1000).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner(BMessenger(fCounter), &fTick, 0).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner(BMessenger(fCounter), &fTick, 1000, 0).InitCheck(),
		B_BAD_VALUE);
	BMessageRunner bad(BMessenger(fCounter), NULL, 1000);
	EXPECT_EQ(bad.SetCount(3), B_BAD_VALUE);
	EXPECT_EQ(bad.GetInfo(NULL, NULL), B_BAD_VALUE);
}


TEST_F(MessageRunnerTest, ATargetThatIsGoneDoesNotStopOtherRunners)
{
	BMessageRunner orphan(BMessenger(), &fTick, 1000);
	BMessageRunner runner(BMessenger(fCounter), &fTick, 1000, 5);
	ASSERT_TRUE(wait_for([&] { return fCounter->fCount == 5; }));
}
