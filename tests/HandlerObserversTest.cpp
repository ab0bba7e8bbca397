// Observers: handlers in other loopers watching a subject, by pointer and by messenger,
// per what and for all, and what a notice carries.
#include <AppDefs.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "WaitFor.h"

namespace {

// Keeps the notices it hears.
class Observer : public BHandler {
public:
	explicit Observer(const char* name) : BHandler(name) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == B_OBSERVER_NOTICE_CHANGE) {
			std::lock_guard<std::mutex> lock(fLock);
			fNotices.push_back(*message);
			return;
		}
		BHandler::MessageReceived(message);
	}

	std::vector<BMessage> Notices()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fNotices;
	}

	size_t CountNotices()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fNotices.size();
	}

private:
	std::mutex fLock;
	std::vector<BMessage> fNotices;
};


class HandlerObserversTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fSubjectLooper = Start("subject looper", fSubject = new BHandler("subject"));
		fFirstLooper = Start("first looper", fFirst = new Observer("first"));
		fSecondLooper = Start("second looper", fSecond = new Observer("second"));
	}

	void TearDown() override
	{
		Stop(fSubjectLooper, fSubject);
		Stop(fFirstLooper, fFirst);
		Stop(fSecondLooper, fSecond);
	}

	static BLooper* Start(const char* name, BHandler* handler)
	{
		BLooper* looper = new BLooper(name);
		looper->AddHandler(handler);
		looper->Run();
		return looper;
	}

	static void Stop(BLooper* looper, BHandler* handler)
	{
		looper->Lock();
		looper->RemoveHandler(handler);
		delete handler;
		looper->Quit();
	}

	// Sends the notice from the subject's thread, as a subject does.
	void Notify(uint32 what, const BMessage* notice = NULL)
	{
		ASSERT_TRUE(fSubjectLooper->Lock());
		fSubject->SendNotices(what, notice);
		fSubjectLooper->Unlock();
	}

	BLooper* fSubjectLooper;
	BLooper* fFirstLooper;
	BLooper* fSecondLooper;
	BHandler* fSubject;
	Observer* fFirst;
	Observer* fSecond;
};

} // namespace


TEST_F(HandlerObserversTest, NoticesReachTheObserversOfTheirWhatOnly)
{
	EXPECT_FALSE(fSubject->IsWatched());
	ASSERT_EQ(fSubject->StartWatching(fFirst, 'colr'), B_OK);
	ASSERT_EQ(fSubject->StartWatchingAll(fSecond), B_OK);
	EXPECT_TRUE(fSubject->IsWatched());

	BMessage notice('orig');
	notice.AddString("detail", "red");
	Notify('colr', &notice);
	Notify('size');
	ASSERT_TRUE(wait_for([&] { return fSecond->CountNotices() == 2; }));
	wait_for_queue(fFirstLooper);

	std::vector<BMessage> first = fFirst->Notices();
	ASSERT_EQ(first.size(), 1u);
	EXPECT_EQ(first[0].what, B_OBSERVER_NOTICE_CHANGE);
	EXPECT_EQ((uint32)first[0].FindInt32(B_OBSERVE_WHAT_CHANGE), 'colr');
	EXPECT_EQ((uint32)first[0].FindInt32(B_OBSERVE_ORIGINAL_WHAT), 'orig');
	EXPECT_STREQ(first[0].FindString("detail"), "red");
	EXPECT_EQ((uint32)fSecond->Notices()[1].FindInt32(B_OBSERVE_WHAT_CHANGE), 'size');
}


TEST_F(HandlerObserversTest, StoppingEndsTheNotices)
{
	fSubject->StartWatching(fFirst, 'colr');
	fSubject->StartWatching(fFirst, 'size');
	EXPECT_EQ(fSubject->StopWatching(fFirst, 'colr'), B_OK);
	EXPECT_EQ(fSubject->StopWatching(fFirst, 'colr'), B_BAD_HANDLER);
	Notify('colr');
	Notify('size');
	ASSERT_TRUE(wait_for([&] { return fFirst->CountNotices() == 1; }));
	EXPECT_EQ(fSubject->StopWatchingAll(fFirst), B_OK);
	EXPECT_FALSE(fSubject->IsWatched());
	Notify('size');
	wait_for_queue(fFirstLooper);
	EXPECT_EQ(fFirst->CountNotices(), 1u);
}


TEST_F(HandlerObserversTest, AnObserverAsksThroughAMessenger)
{
	ASSERT_EQ(fFirst->StartWatching(BMessenger(fSubject), 'colr'), B_OK);
	ASSERT_TRUE(wait_for_queue(fSubjectLooper));
	ASSERT_TRUE(wait_until(fSubjectLooper, [&] { return fSubject->IsWatched(); }));
	Notify('colr');
	ASSERT_TRUE(wait_for([&] { return fFirst->CountNotices() == 1; }));

	ASSERT_EQ(fFirst->StopWatchingAll(BMessenger(fSubject)), B_OK);
	ASSERT_TRUE(wait_until(fSubjectLooper, [&] { return !fSubject->IsWatched(); }));
}


TEST_F(HandlerObserversTest, ADeletedObserverIsDroppedNotCalled)
{
	Observer* passing = new Observer("passing");
	fFirstLooper->Lock();
	fFirstLooper->AddHandler(passing);
	fFirstLooper->Unlock();
	fSubject->StartWatchingAll(passing);
	fSubject->StartWatchingAll(fSecond);
	fFirstLooper->Lock();
	fFirstLooper->RemoveHandler(passing);
	fFirstLooper->Unlock();
	delete passing;

	Notify('colr');
	ASSERT_TRUE(wait_for([&] { return fSecond->CountNotices() == 1; }));
	fSubject->StopWatchingAll(fSecond);
	EXPECT_FALSE(fSubject->IsWatched());
}
