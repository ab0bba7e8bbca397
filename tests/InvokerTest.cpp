// BInvoker: what it sends, where, and what it reports when it cannot.
#include <AppDefs.h>
#include <Handler.h>
#include <Invoker.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <atomic>

#include "WaitFor.h"

namespace {

class Recorder : public BHandler {
public:
	Recorder() : BHandler("recorder") {}

	void MessageReceived(BMessage* message) override
	{
		int32 value = -1;
		message->FindInt32("value", &value);
		fValue = value;
		fLast = message->what;
		fCount++;
	}

	std::atomic<uint32> fLast{0};
	std::atomic<int32> fValue{0};
	std::atomic<int32> fCount{0};
};



class InvokerTest : public testing::Test {
protected:
	void SetUp() override
	{
		fLooper = new BLooper("invoker target");
		fLooper->AddHandler(&fRecorder);
		fLooper->Run();
	}

	void TearDown() override
	{
		fLooper->Lock();
		fLooper->RemoveHandler(&fRecorder);
		fLooper->Quit();
	}

	BLooper* fLooper = nullptr;
	Recorder fRecorder;
};

} // namespace


TEST_F(InvokerTest, InvokeSendsItsMessageToTheHandler)
{
	BMessage* message = new BMessage('invk');
	message->AddInt32("value", 7);
	BInvoker invoker(message, &fRecorder);

	EXPECT_EQ(invoker.Message(), message);
	EXPECT_EQ(invoker.Command(), 'invk');
	EXPECT_TRUE(invoker.IsTargetLocal());
	BLooper* looper = nullptr;
	EXPECT_EQ(invoker.Target(&looper), &fRecorder);
	EXPECT_EQ(looper, fLooper);

	ASSERT_EQ(invoker.Invoke(), B_OK);
	ASSERT_TRUE(wait_for([&] { return fRecorder.fCount == 1; }));
	EXPECT_EQ(fRecorder.fLast, 'invk');
	EXPECT_EQ(fRecorder.fValue, 7);

	// Another message instead of its own, which stays untouched.
	BMessage other('othr');
	ASSERT_EQ(invoker.Invoke(&other), B_OK);
	ASSERT_TRUE(wait_for([&] { return fRecorder.fCount == 2; }));
	EXPECT_EQ(fRecorder.fLast, 'othr');
	EXPECT_EQ(invoker.Command(), 'invk');
}


TEST_F(InvokerTest, TargetsByMessengerAndByLooper)
{
	BInvoker invoker(new BMessage('one'), BMessenger(&fRecorder));
	ASSERT_EQ(invoker.Invoke(), B_OK);
	ASSERT_TRUE(wait_for([&] { return fRecorder.fCount == 1; }));

	// A looper alone means its preferred handler, which has no handler of its own.
	ASSERT_EQ(invoker.SetTarget(NULL, fLooper), B_OK);
	BLooper* looper = nullptr;
	EXPECT_EQ(invoker.Target(&looper), nullptr);
	EXPECT_EQ(looper, fLooper);
	EXPECT_EQ(invoker.Messenger(), BMessenger(NULL, fLooper));
}


TEST_F(InvokerTest, FailuresAreReported)
{
	BInvoker empty;
	EXPECT_EQ(empty.Command(), 0u);
	EXPECT_EQ(empty.Invoke(), B_BAD_VALUE);

	BInvoker untargeted(new BMessage('none'), NULL);
	EXPECT_FALSE(untargeted.Messenger().IsValid());
	EXPECT_NE(untargeted.Invoke(), B_OK);

	// A handler outside any looper cannot be a target.
	BHandler loose("loose");
	BInvoker invoker(new BMessage('lost'), &loose);
	EXPECT_FALSE(invoker.Messenger().IsValid());
	EXPECT_NE(invoker.Invoke(), B_OK);
	EXPECT_EQ(fRecorder.fCount, 0);
}


TEST_F(InvokerTest, SetMessageReplacesAndOwnsTheMessage)
{
	BInvoker invoker(new BMessage('old'), &fRecorder);
	invoker.SetMessage(new BMessage('new'));
	EXPECT_EQ(invoker.Command(), 'new');
	invoker.SetMessage(NULL);
	EXPECT_EQ(invoker.Message(), nullptr);
	EXPECT_EQ(invoker.Invoke(), B_BAD_VALUE);
}


TEST_F(InvokerTest, InvokeNotifyTellsTheKindDuringTheCall)
{
	class Probe : public BInvoker {
	public:
		using BInvoker::BInvoker;
		status_t Invoke(BMessage* message) override
		{
			fKind = InvokeKind(&fNotifying);
			return BInvoker::Invoke(message);
		}
		uint32 fKind = 0;
		bool fNotifying = false;
	};

	Probe probe(new BMessage('prob'), &fRecorder);
	ASSERT_EQ(probe.InvokeNotify(NULL, 'kind'), B_OK);
	EXPECT_EQ(probe.fKind, 'kind');
	EXPECT_TRUE(probe.fNotifying);
	ASSERT_EQ(probe.Invoke(NULL), B_OK);
	EXPECT_EQ(probe.fKind, (uint32)B_CONTROL_INVOKED);
	EXPECT_FALSE(probe.fNotifying);
	EXPECT_TRUE(wait_for([&] { return fRecorder.fCount == 2; }));
}
