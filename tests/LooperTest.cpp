// Loopers and handlers inside one process: dispatching, locking, quitting, local
// messengers with and without replies, and scripting that crosses loopers.
#include <AppDefs.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string.h>
#include <mutex>
#include <thread>
#include <vector>

#include "WaitFor.h"

namespace {

// Records what it receives and answers 'ping' with 'pong'.
class Recorder : public BHandler {
public:
	explicit Recorder(const char* name = "recorder") : BHandler(name) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'ping') {
			fReturnAddress = message->ReturnAddress();
			BMessage reply('pong');
			reply.AddInt32("seen", ++fCount);
			message->SendReply(&reply);
			return;
		}
		if (message->what == 'keep') {
			fKept = Looper()->DetachCurrentMessage();
			return;
		}
		fLast = message->what;
		fCount++;
		if (message->what != 'drop')
			BHandler::MessageReceived(message);
	}

	std::atomic<uint32> fLast{0};
	std::atomic<int32> fCount{0};
	std::atomic<BMessage*> fKept{nullptr};
	BMessenger fReturnAddress;
};


class RecordingLooper : public BLooper {
public:
	explicit RecordingLooper(const char* name = "recording looper") : BLooper(name) {}

	void MessageReceived(BMessage* message) override
	{
		fThread = find_thread(NULL);
		fLocked = IsLocked();
		fCurrent = CurrentMessage() == message;
		fLast = message->what;
		BLooper::MessageReceived(message);
	}

	bool QuitRequested() override { return fMayQuit; }

	std::atomic<thread_id> fThread{-1};
	std::atomic<bool> fLocked{false};
	std::atomic<bool> fCurrent{false};
	std::atomic<uint32> fLast{0};
	std::atomic<bool> fMayQuit{true};
};

} // namespace


TEST(LooperTest, DispatchesOnItsOwnThreadWithTheLockHeld)
{
	RecordingLooper* looper = new RecordingLooper;
	EXPECT_TRUE(looper->IsLocked());
	thread_id thread = looper->Run();
	ASSERT_GT(thread, 0);
	EXPECT_FALSE(looper->IsLocked());

	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_STREQ(info.name, "recording looper");

	ASSERT_EQ(looper->PostMessage('abcd'), B_OK);
	ASSERT_TRUE(wait_for([&] { return looper->fLast == (uint32)'abcd'; }));
	EXPECT_EQ(looper->fThread, thread);
	EXPECT_TRUE(looper->fLocked);
	EXPECT_TRUE(looper->fCurrent);
	EXPECT_EQ(BLooper::LooperForThread(thread), looper);

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	EXPECT_EQ(wait_for_thread(thread, NULL), B_BAD_THREAD_ID);
}


TEST(LooperTest, PostsToItsHandlersAndThePreferredOne)
{
	BLooper* looper = new BLooper("handlers");
	Recorder* first = new Recorder("first");
	Recorder* second = new Recorder("second");
	looper->AddHandler(first);
	looper->AddHandler(second);
	EXPECT_EQ(looper->CountHandlers(), 3);
	EXPECT_EQ(looper->HandlerAt(0), looper);
	EXPECT_EQ(looper->IndexOf(second), 2);
	looper->SetPreferredHandler(second);
	looper->Run();

	ASSERT_EQ(looper->PostMessage('one!', first), B_OK);
	ASSERT_EQ(looper->PostMessage('two!'), B_OK);
	ASSERT_TRUE(wait_for([&] { return first->fLast == (uint32)'one!'; }));
	ASSERT_TRUE(wait_for([&] { return second->fLast == (uint32)'two!'; }));

	Recorder stranger;
	EXPECT_EQ(looper->PostMessage('nope', &stranger), B_MISMATCHED_VALUES);

	ASSERT_TRUE(looper->Lock());
	EXPECT_TRUE(looper->RemoveHandler(first));
	EXPECT_EQ(first->Looper(), nullptr);
	looper->Quit();
	delete first;
	// The looper never deletes its handlers.
	EXPECT_EQ(second->Looper(), nullptr);
	delete second;
}


TEST(LooperTest, NestedLockingAndTimeouts)
{
	BLooper* looper = new BLooper("locks");
	looper->Run();
	ASSERT_TRUE(looper->Lock());
	ASSERT_TRUE(looper->Lock());
	EXPECT_EQ(looper->CountLocks(), 2);
	EXPECT_EQ(looper->LockingThread(), find_thread(NULL));

	status_t other = B_OK;
	std::thread([&] { other = looper->LockWithTimeout(20000); }).join();
	EXPECT_EQ(other, B_TIMED_OUT);
	std::thread([&] { other = looper->LockWithTimeout(0); }).join();
	EXPECT_EQ(other, B_WOULD_BLOCK);

	looper->Unlock();
	looper->Unlock();
	EXPECT_FALSE(looper->IsLocked());
	std::thread([&] {
		other = looper->LockWithTimeout(1000000);
		looper->Unlock();
	}).join();
	EXPECT_EQ(other, B_OK);

	BMessenger gone(NULL, looper);
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	// A looper that is gone cannot be locked.
	EXPECT_FALSE(gone.LockTarget());
	EXPECT_FALSE(gone.IsValid());
}


TEST(LooperTest, QuitRequestedDecides)
{
	RecordingLooper* looper = new RecordingLooper("stubborn");
	looper->fMayQuit = false;
	looper->Run();
	BMessenger messenger(NULL, looper);

	BMessage reply;
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	bool result = true;
	EXPECT_EQ(reply.FindBool("result", &result), B_OK);
	EXPECT_FALSE(result);
	EXPECT_TRUE(messenger.IsValid());

	looper->fMayQuit = true;
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_TRUE(wait_for([&] { return !messenger.IsValid(); }));
}


TEST(LooperTest, SynchronousSendsGetTheirReplyOrNoReply)
{
	BLooper* looper = new BLooper("replies");
	Recorder* recorder = new Recorder;
	looper->AddHandler(recorder);
	looper->Run();
	BMessenger messenger(recorder);
	EXPECT_TRUE(messenger.IsTargetLocal());
	BLooper* targetLooper = NULL;
	EXPECT_EQ(messenger.Target(&targetLooper), recorder);
	EXPECT_EQ(targetLooper, looper);

	BMessage reply;
	ASSERT_EQ(messenger.SendMessage('ping', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');
	EXPECT_TRUE(reply.IsReply());
	EXPECT_FALSE(reply.IsSourceRemote());

	ASSERT_EQ(messenger.SendMessage('drop', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);

	// Kept but unanswered: the wait ends only with the timeout.
	BMessage keep('keep');
	EXPECT_EQ(messenger.SendMessage(&keep, &reply, B_INFINITE_TIMEOUT, 20000), B_TIMED_OUT);
	ASSERT_TRUE(wait_for([&] { return recorder->fKept != nullptr; }));
	BMessage* kept = recorder->fKept;
	EXPECT_TRUE(kept->IsSourceWaiting());
	EXPECT_TRUE(kept->WasDelivered());
	delete kept;

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	delete recorder;
	EXPECT_EQ(messenger.SendMessage('ping', &reply), B_BAD_PORT_ID);
}


TEST(LooperTest, AsynchronousRepliesReachTheReplyHandler)
{
	BLooper* looper = new BLooper("asker");
	Recorder* asker = new Recorder("asker");
	looper->AddHandler(asker);
	looper->Run();

	BLooper* other = new BLooper("answerer");
	Recorder* answerer = new Recorder("answerer");
	other->AddHandler(answerer);
	other->Run();

	BMessage request('ping');
	ASSERT_EQ(BMessenger(answerer).SendMessage(&request, asker), B_OK);
	EXPECT_TRUE(wait_for([&] { return asker->fLast == (uint32)'pong'; }));
	// The reply went to the return address the request carried.
	ASSERT_TRUE(other->Lock());
	EXPECT_TRUE(answerer->fReturnAddress == BMessenger(asker));
	other->Unlock();

	for (BLooper* quitting : { looper, other }) {
		ASSERT_TRUE(quitting->Lock());
		quitting->Quit();
	}
	delete asker;
	delete answerer;
}


TEST(LooperTest, ASpecifierNamingAHandlerOfAnotherLooperIsHandedOn)
{
	// A looper whose property "Back" names another looper, as "Window" does for an
	// application.
	struct Front : BLooper {
		Front(BLooper* back) : BLooper("front"), fBack(back) {}
		BHandler* ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
			int32 form, const char* property) override
		{
			if (strcmp(property, "Back") == 0) {
				message->PopSpecifier();
				return fBack;
			}
			return BLooper::ResolveSpecifier(message, index, specifier, form, property);
		}
		BLooper* fBack;
	};
	BLooper* back = new BLooper("back");
	back->Run();
	Front* front = new Front(back);
	front->Run();

	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("InternalName");
	request.AddSpecifier("Back");
	BMessage reply;
	ASSERT_EQ(BMessenger(NULL, front).SendMessage(&request, &reply), B_OK);
	const char* name = NULL;
	ASSERT_EQ(reply.FindString("result", &name), B_OK);
	EXPECT_STREQ(name, "back");

	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("Back");
	ASSERT_EQ(BMessenger(NULL, front).SendMessage(&suites, &reply), B_OK);
	ASSERT_EQ(reply.FindString("suites", &name), B_OK);
	EXPECT_STREQ(name, "suite/vnd.Be-looper");

	BMessage count(B_COUNT_PROPERTIES);
	count.AddSpecifier("Handler");
	ASSERT_EQ(BMessenger(NULL, front).SendMessage(&count, &reply), B_OK);
	int32 handlers = 0;
	EXPECT_EQ(reply.FindInt32("result", &handlers), B_OK);
	EXPECT_EQ(handlers, 1);

	BMessage beyond(B_GET_PROPERTY);
	beyond.AddSpecifier("InternalName");
	beyond.AddSpecifier("Handler", (int32)5);
	ASSERT_EQ(BMessenger(NULL, front).SendMessage(&beyond, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);

	for (BLooper* quitting : { (BLooper*)front, back }) {
		ASSERT_TRUE(quitting->Lock());
		quitting->Quit();
	}
}


TEST(LooperTest, SendingToTheOwnLooperAndWaitingIsRefused)
{
	struct SelfAsker : BLooper {
		SelfAsker() : BLooper("self") {}
		void MessageReceived(BMessage* message) override
		{
			BMessage reply;
			fResult = BMessenger(this).SendMessage('ping', &reply);
		}
		std::atomic<status_t> fResult{1};
	};
	SelfAsker* looper = new SelfAsker;
	looper->Run();
	looper->PostMessage('go!!');
	ASSERT_TRUE(wait_for([&] { return looper->fResult != 1; }));
	EXPECT_EQ(looper->fResult, B_MESSAGE_TO_SELF);
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}


namespace {

// Drops the stale 'move' messages that wait behind the one it handles, as applications
// coalesce mouse moves, and records the order of what it handles.
class CoalescingLooper : public BLooper {
public:
	CoalescingLooper() : BLooper("coalescing") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'move') {
			BMessageQueue* queue = MessageQueue();
			fWaitingSeen = queue->CountMessages();
			while (BMessage* stale = queue->FindMessage((uint32)'move')) {
				queue->RemoveMessage(stale);
				delete stale;
			}
		}
		std::lock_guard<std::mutex> lock(fLock);
		fHandled.push_back(message->what);
	}

	std::vector<uint32> Handled()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fHandled;
	}

	std::atomic<int32> fWaitingSeen{-1};

private:
	std::mutex fLock;
	std::vector<uint32> fHandled;
};

} // namespace


TEST(LooperTest, HandlersSeeAndThinTheMessagesWaitingInTheQueue)
{
	CoalescingLooper* looper = new CoalescingLooper;
	ASSERT_NE(looper->MessageQueue(), nullptr);
	looper->Run();
	// Everything is posted while the looper is held, so that it all waits together.
	ASSERT_TRUE(looper->Lock());
	for (uint32 what : { 'move', 'move', 'clik', 'move', 'last' })
		ASSERT_EQ(looper->PostMessage(what), B_OK);
	EXPECT_TRUE(looper->IsMessageWaiting());
	looper->Unlock();

	ASSERT_TRUE(wait_for([&] { return looper->Handled().size() == 3; }));
	EXPECT_EQ(looper->Handled(), (std::vector<uint32>{ 'move', 'clik', 'last' }));
	EXPECT_EQ(looper->fWaitingSeen, 4);
	ASSERT_TRUE(looper->Lock());
	EXPECT_FALSE(looper->IsMessageWaiting());
	EXPECT_TRUE(looper->MessageQueue()->IsEmpty());
	looper->Quit();
}


TEST(LooperTest, ThreadsWaitForTheLockOnItsSemaphore)
{
	BLooper* looper = new BLooper("sem");
	looper->Run();
	sem_id sem = looper->Sem();
	ASSERT_GE(sem, 0);
	ASSERT_TRUE(looper->Lock());
	int32 count = 0;
	ASSERT_EQ(get_sem_count(sem, &count), B_OK);
	EXPECT_EQ(count, 0);
	status_t waited = B_ERROR;
	std::thread waiter([&] {
		waited = looper->LockWithTimeout(kWaitTimeout);
		if (waited == B_OK)
			looper->Unlock();
	});
	EXPECT_TRUE(wait_for([&] {
		return get_sem_count(sem, &count) == B_OK && count == -1;
	}));
	EXPECT_EQ(looper->CountLockRequests(), 2);
	looper->Unlock();
	waiter.join();
	EXPECT_EQ(waited, B_OK);

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	// The lock's semaphore goes with the looper.
	EXPECT_EQ(get_sem_count(sem, &count), B_BAD_SEM_ID);
}
