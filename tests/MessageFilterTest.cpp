// Message filters of loopers and handlers: which messages they see, skipping and
// retargeting, hook functions, and who owns a filter.
#include <Handler.h>
#include <List.h>
#include <Looper.h>
#include <Message.h>
#include <MessageFilter.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

class Recorder : public BHandler {
public:
	explicit Recorder(const char* name) : BHandler(name) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'sync') {
			message->SendReply('done');
			return;
		}
		fSeen.push_back(message->what);
	}

	std::vector<uint32> fSeen;
};


// Counts what it filters and answers as it was told.
class CountingFilter : public BMessageFilter {
public:
	CountingFilter(uint32 what, filter_result result, BHandler* retarget = NULL)
		: BMessageFilter(what), fResult(result), fRetarget(retarget) {}
	CountingFilter(message_delivery delivery, message_source source, filter_result result)
		: BMessageFilter(delivery, source), fResult(result), fRetarget(NULL) {}
	~CountingFilter() override { stDeleted++; }

	filter_result Filter(BMessage* message, BHandler** target) override
	{
		fCount++;
		fLooperSeen = Looper();
		if (fRetarget != NULL)
			*target = fRetarget;
		return fResult;
	}

	static std::atomic<int32> stDeleted;

	filter_result fResult;
	BHandler* fRetarget;
	std::atomic<int32> fCount{0};
	BLooper* fLooperSeen = NULL;
};

std::atomic<int32> CountingFilter::stDeleted{0};


filter_result
skip_all(BMessage* message, BHandler** target, BMessageFilter* filter)
{
	return B_SKIP_MESSAGE;
}


class MessageFilterTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fLooper = new BLooper("filtering looper");
		fFirst = new Recorder("first");
		fSecond = new Recorder("second");
		fLooper->AddHandler(fFirst);
		fLooper->AddHandler(fSecond);
		fLooper->Run();
	}

	void TearDown() override
	{
		fLooper->Lock();
		fLooper->RemoveHandler(fFirst);
		fLooper->RemoveHandler(fSecond);
		fLooper->Quit();
		delete fFirst;
		delete fSecond;
	}

	// Posts what to handler and waits until the looper has dispatched it.
	void Deliver(uint32 what, BHandler* handler)
	{
		ASSERT_EQ(fLooper->PostMessage(what, handler), B_OK);
		BMessage reply;
		ASSERT_EQ(BMessenger(fSecond).SendMessage('sync', &reply), B_OK);
	}

	BLooper* fLooper;
	Recorder* fFirst;
	Recorder* fSecond;
};

} // namespace


TEST_F(MessageFilterTest, CommonFilterSkipsOnlyItsCommand)
{
	CountingFilter* filter = new CountingFilter('skip', B_SKIP_MESSAGE);
	fLooper->Lock();
	fLooper->AddCommonFilter(filter);
	fLooper->Unlock();

	Deliver('skip', fFirst);
	Deliver('keep', fFirst);

	fLooper->Lock();
	EXPECT_EQ(fFirst->fSeen, std::vector<uint32>({ 'keep' }));
	EXPECT_EQ(filter->fCount, 1);
	EXPECT_EQ(filter->fLooperSeen, fLooper);
	fLooper->Unlock();
}


TEST_F(MessageFilterTest, HandlerFilterSeesOnlyItsHandlersMessages)
{
	CountingFilter* filter = new CountingFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_SKIP_MESSAGE);
	fLooper->Lock();
	fFirst->AddFilter(filter);
	fLooper->Unlock();

	Deliver('one', fFirst);
	Deliver('two', fSecond);

	fLooper->Lock();
	EXPECT_TRUE(fFirst->fSeen.empty());
	EXPECT_EQ(fSecond->fSeen, std::vector<uint32>({ 'two' }));
	EXPECT_EQ(filter->fCount, 1);
	fLooper->Unlock();
}


TEST_F(MessageFilterTest, RetargetedMessageRunsTheNewTargetsFilters)
{
	CountingFilter* redirect = new CountingFilter('move', B_DISPATCH_MESSAGE, fSecond);
	CountingFilter* second = new CountingFilter('move', B_DISPATCH_MESSAGE);
	fLooper->Lock();
	fFirst->AddFilter(redirect);
	fSecond->AddFilter(second);
	fLooper->Unlock();

	Deliver('move', fFirst);

	fLooper->Lock();
	EXPECT_TRUE(fFirst->fSeen.empty());
	EXPECT_EQ(fSecond->fSeen, std::vector<uint32>({ 'move' }));
	EXPECT_EQ(second->fCount, 1);
	fLooper->Unlock();
}


TEST_F(MessageFilterTest, FiltersThatPassAMessageBackAndForthStop)
{
	fLooper->Lock();
	fFirst->AddFilter(new CountingFilter('loop', B_DISPATCH_MESSAGE, fSecond));
	fSecond->AddFilter(new CountingFilter('loop', B_DISPATCH_MESSAGE, fFirst));
	fLooper->Unlock();

	Deliver('loop', fFirst);

	fLooper->Lock();
	EXPECT_TRUE(fFirst->fSeen.empty());
	EXPECT_TRUE(fSecond->fSeen.empty());
	fLooper->Unlock();
}


TEST_F(MessageFilterTest, RetargetToAHandlerOfAnotherLooperDropsTheMessage)
{
	Recorder stranger("stranger");
	fLooper->Lock();
	fLooper->AddCommonFilter(new CountingFilter('away', B_DISPATCH_MESSAGE, &stranger));
	fLooper->Unlock();

	Deliver('away', fFirst);

	fLooper->Lock();
	EXPECT_TRUE(fFirst->fSeen.empty());
	EXPECT_TRUE(stranger.fSeen.empty());
	fLooper->Unlock();
}


TEST_F(MessageFilterTest, HookFunctionTakesPrecedenceOverFilter)
{
	CountingFilter* filter = new CountingFilter('hook', B_DISPATCH_MESSAGE);
	BMessageFilter* hooked = new BMessageFilter('hook', skip_all);
	fLooper->Lock();
	fFirst->AddFilter(hooked);
	fFirst->AddFilter(filter);
	fLooper->Unlock();

	Deliver('hook', fFirst);

	fLooper->Lock();
	EXPECT_TRUE(fFirst->fSeen.empty());
	EXPECT_EQ(filter->fCount, 0);
	fLooper->Unlock();
}


TEST_F(MessageFilterTest, LocalMessagesAreProgrammedAndLocal)
{
	CountingFilter* remote = new CountingFilter(B_ANY_DELIVERY, B_REMOTE_SOURCE, B_SKIP_MESSAGE);
	CountingFilter* dropped = new CountingFilter(B_DROPPED_DELIVERY, B_ANY_SOURCE,
		B_SKIP_MESSAGE);
	CountingFilter* local = new CountingFilter(B_PROGRAMMED_DELIVERY, B_LOCAL_SOURCE,
		B_DISPATCH_MESSAGE);
	fLooper->Lock();
	fFirst->AddFilter(remote);
	fFirst->AddFilter(dropped);
	fFirst->AddFilter(local);
	fLooper->Unlock();

	Deliver('locl', fFirst);

	fLooper->Lock();
	EXPECT_EQ(fFirst->fSeen, std::vector<uint32>({ 'locl' }));
	EXPECT_EQ(remote->fCount, 0);
	EXPECT_EQ(dropped->fCount, 0);
	EXPECT_EQ(local->fCount, 1);
	fLooper->Unlock();
}


TEST_F(MessageFilterTest, OwnersDeleteTheirFiltersAndRemovingHandsThemBack)
{
	int32 deletedBefore = CountingFilter::stDeleted;
	CountingFilter* kept = new CountingFilter('keep', B_DISPATCH_MESSAGE);
	{
		Recorder owner("owner");
		owner.AddFilter(kept);
		owner.AddFilter(new CountingFilter('gone', B_DISPATCH_MESSAGE));
		// A filter belongs to one owner at a time.
		Recorder other("other");
		other.AddFilter(kept);
		EXPECT_EQ(other.FilterList(), nullptr);
		EXPECT_TRUE(owner.RemoveFilter(kept));
		EXPECT_FALSE(owner.RemoveFilter(kept));
		EXPECT_EQ(owner.FilterList()->CountItems(), 1);
	}
	EXPECT_EQ(CountingFilter::stDeleted, deletedBefore + 1);
	delete kept;

	BList* list = new BList;
	list->AddItem(new CountingFilter('a', B_DISPATCH_MESSAGE));
	fLooper->Lock();
	fLooper->SetCommonFilterList(list);
	EXPECT_EQ(fLooper->CommonFilterList(), list);
	fLooper->SetCommonFilterList(NULL);
	fLooper->Unlock();
	// kept, deleted by hand above, and the list's filter.
	EXPECT_EQ(CountingFilter::stDeleted, deletedBefore + 3);
}


TEST(MessageFilter, CopiesKeepCriteriaButNoOwner)
{
	BMessageFilter original(B_DROPPED_DELIVERY, B_REMOTE_SOURCE, 'what', skip_all);
	Recorder owner("owner");
	BMessageFilter* added = new BMessageFilter(original);
	owner.AddFilter(added);
	BMessageFilter copy(added);
	EXPECT_EQ(copy.Command(), (uint32)'what');
	EXPECT_EQ(copy.MessageDelivery(), B_DROPPED_DELIVERY);
	EXPECT_EQ(copy.MessageSource(), B_REMOTE_SOURCE);
	EXPECT_FALSE(copy.FiltersAnyCommand());
	EXPECT_EQ(copy.Looper(), nullptr);
	BMessageFilter any(B_ANY_DELIVERY, B_ANY_SOURCE);
	EXPECT_TRUE(any.FiltersAnyCommand());
	BMessage message('test');
	BHandler* target = &owner;
	EXPECT_EQ(any.Filter(&message, &target), B_DISPATCH_MESSAGE);
}
