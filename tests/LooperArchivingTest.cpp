// A looper's archive keeps its name, priority and port capacity; a looper made from an
// archive is a working looper, and an archive's out-of-range values are brought in range.
#include <gtest/gtest.h>

#include <Looper.h>
#include <Message.h>

#include <OS.h>

#include "WaitFor.h"

namespace {

class CountingLooper : public BLooper {
public:
	explicit CountingLooper(BMessage* archive) : BLooper(archive) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'ping')
			atomic_add(&fPings, 1);
		else
			BLooper::MessageReceived(message);
	}

	int32 Pings() { return atomic_get(&fPings); }

private:
	int32 fPings = 0;
};

} // namespace


TEST(LooperArchiving, ArchiveHoldsNamePriorityAndCapacity)
{
	BLooper* looper = new BLooper("keeper", B_DISPLAY_PRIORITY, 37);
	BMessage archive;
	ASSERT_EQ(looper->Archive(&archive), B_OK);
	EXPECT_STREQ(archive.FindString("_name"), "keeper");
	EXPECT_EQ(archive.FindInt32("_prio"), B_DISPLAY_PRIORITY);
	EXPECT_EQ(archive.FindInt32("_port_cap"), 37);
	EXPECT_STREQ(archive.FindString("class"), "BLooper");
	looper->Quit();
}


TEST(LooperArchiving, InstantiatedLooperRunsAtItsArchivedPriority)
{
	BMessage archive;
	{
		BLooper* original = new BLooper("copied", B_URGENT_DISPLAY_PRIORITY, 12);
		ASSERT_EQ(original->Archive(&archive), B_OK);
		original->Quit();
	}
	BArchivable* object = instantiate_object(&archive);
	BLooper* looper = dynamic_cast<BLooper*>(object);
	ASSERT_NE(looper, nullptr);
	EXPECT_STREQ(looper->Name(), "copied");
	// New loopers are locked by the thread that made them, whichever constructor made them.
	EXPECT_TRUE(looper->IsLocked());
	thread_id thread = looper->Run();
	ASSERT_GE(thread, 0);
	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	// Linux may refuse a raised priority to an unprivileged user (docs/kernel.md).
	EXPECT_TRUE(info.priority == B_URGENT_DISPLAY_PRIORITY || info.priority == B_NORMAL_PRIORITY)
		<< info.priority;
	BMessage again;
	ASSERT_TRUE(looper->Lock());
	ASSERT_EQ(looper->Archive(&again), B_OK);
	EXPECT_EQ(again.FindInt32("_port_cap"), 12);
	looper->Quit();
}


TEST(LooperArchiving, DerivedLooperFromAnArchiveDispatches)
{
	BMessage archive;
	archive.AddString("_name", "derived");
	CountingLooper* looper = new CountingLooper(&archive);
	looper->Run();
	ASSERT_EQ(looper->PostMessage('ping'), B_OK);
	EXPECT_TRUE(wait_for([&] { return looper->Pings() == 1; }));
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}


TEST(LooperArchiving, OutOfRangeArchiveValuesAreBroughtInRange)
{
	BMessage archive;
	archive.AddString("class", "BLooper");
	archive.AddInt32("_prio", 100000);
	archive.AddInt32("_port_cap", 2000000000);
	BLooper* looper = new BLooper(&archive);
	BMessage again;
	ASSERT_EQ(looper->Archive(&again), B_OK);
	EXPECT_LE(again.FindInt32("_prio"), B_REAL_TIME_PRIORITY);
	EXPECT_GT(again.FindInt32("_port_cap"), 0);
	EXPECT_LE(again.FindInt32("_port_cap"), 10000);
	looper->Quit();

	BMessage negative;
	negative.AddInt32("_prio", -5);
	negative.AddInt32("_port_cap", -1);
	looper = new BLooper(&negative);
	again.MakeEmpty();
	ASSERT_EQ(looper->Archive(&again), B_OK);
	EXPECT_EQ(again.FindInt32("_prio"), B_LOWEST_ACTIVE_PRIORITY);
	EXPECT_EQ(again.FindInt32("_port_cap"), B_LOOPER_PORT_DEFAULT_CAPACITY);
	looper->Quit();
}


TEST(LooperArchiving, InstantiateRefusesAnotherClassArchive)
{
	BMessage archive;
	archive.AddString("class", "BWindow");
	EXPECT_EQ(BLooper::Instantiate(&archive), nullptr);
}
