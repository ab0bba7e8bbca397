// The bounds of a process's end of the socket protocol, tried with real processes: an
// application (KitTestApp) beside a hostile peer (HostilePeer) that never reads its
// replies, floods, sends frames it never finishes, holds connections or never accepts
// them. The application must keep serving everyone else, in bounded memory. And the
// loopers that replies come to, which read their own connections while idle: one that
// hangs or quits holds up no other.
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SanitizedBuild.h"
#include "TestRuntime.h"
#include "WaitFor.h"
#include "app/LinkConnection.h"
#include "app/MessengerPrivate.h"
#include "app/Port.h"
#include "app/RuntimeDirectory.h"
#include "app/TokenSpace.h"

namespace {

const char* kSignature = "application/x-vnd.test-link-hub";
const bigtime_t kPeerTimeout = 15000000;
// The bounds on memory are checked in plain builds: under a sanitizer a process's size
// no longer shows what it holds.
const bool kSizeShowsMemory = !kSanitizedBuild;


// Waits until the file holds the line; bounded.
bool
wait_for_line(const std::string& file, const std::string& line, bigtime_t timeout = kPeerTimeout)
{
	return wait_for([&] {
		std::ifstream input(file);
		for (std::string read; std::getline(input, read);) {
			if (read == line)
				return true;
		}
		return false;
	}, timeout);
}


// The process's resident memory, in bytes (0 under the sanitizers).
size_t
resident_bytes(pid_t process)
{
	if (!kSizeShowsMemory)
		return 0;
	std::ifstream status("/proc/" + std::to_string(process) + "/status");
	std::string line;
	while (std::getline(status, line)) {
		if (line.rfind("VmRSS:", 0) == 0)
			return std::stoull(line.substr(6)) * 1024;
	}
	return 0;
}


// The processor time the process has used, in clock ticks.
long
cpu_ticks(pid_t process)
{
	std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
	std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
	std::istringstream fields(text.substr(text.rfind(')') + 2));
	std::string field;
	long user = 0, system = 0;
	for (int i = 3; i <= 15 && fields >> field; i++) {
		if (i == 14)
			user = std::stol(field);
		else if (i == 15)
			system = std::stol(field);
	}
	return user + system;
}


class LinkHubTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	}

	void StartApp()
	{
		fApp = fRuntime.Start("KitTestApp", { kSignature });
		ASSERT_TRUE(fRuntime.WaitForApp(kSignature));
		fMessenger = BMessenger(kSignature);
		ASSERT_TRUE(fMessenger.IsValid());
		ASSERT_EQ(BPrivate::app_socket_path(fApp, fSocket), B_OK);
	}

	// Starts HostilePeer with the arguments; its output goes to a file of its own.
	pid_t StartPeer(std::vector<std::string> arguments)
	{
		fPeerOutput = fRuntime.Directory() + "/peer-" + std::to_string(fPeers++);
		return fRuntime.Start("HostilePeer", arguments, fPeerOutput);
	}

	// The application answers a request at once, with the time it has to answer.
	void ExpectServed(bigtime_t timeout = 5000000)
	{
		BMessage request('ping');
		request.AddInt32("number", 5);
		BMessage reply;
		ASSERT_EQ(fMessenger.SendMessage(&request, &reply, timeout, timeout), B_OK);
		EXPECT_EQ(reply.what, (uint32)'pong');
	}

	TestRuntime fRuntime;
	pid_t fApp = -1;
	BMessenger fMessenger;
	std::string fSocket;
	std::string fPeerOutput;
	int fPeers = 0;
};

// Counts the replies that come to it; the first one blocks it until Unblock when asked to.
class ReplyCounter : public BHandler {
public:
	ReplyCounter(bool blocks)
		:
		BHandler("reply counter"),
		fBlocks(blocks),
		fBlocked(create_sem(0, "blocked")),
		fUnblocked(create_sem(0, "unblocked"))
	{
	}

	~ReplyCounter() override
	{
		delete_sem(fBlocked);
		delete_sem(fUnblocked);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'pong')
			return;
		if (fReplies++ == 0 && fBlocks) {
			release_sem(fBlocked);
			acquire_sem(fUnblocked);
		}
	}

	bool WaitUntilBlocked() { return acquire_sem_etc(fBlocked, 1, B_RELATIVE_TIMEOUT,
		kPeerTimeout) == B_OK; }
	void Unblock() { release_sem(fUnblocked); }
	int32 Replies() const { return fReplies; }

private:
	bool fBlocks;
	sem_id fBlocked;
	sem_id fUnblocked;
	std::atomic<int32> fReplies{0};
};


// A looper with a ReplyCounter, running.
struct CountingLooper {
	CountingLooper(const char* name, bool blocks)
		:
		looper(new BLooper(name)),
		counter(new ReplyCounter(blocks))
	{
		looper->AddHandler(counter);
		looper->Run();
	}

	~CountingLooper()
	{
		// A counter still blocked would hold the looper's lock for good.
		counter->Unblock();
		if (looper->Lock())
			looper->Quit();
		delete counter;
	}

	// Sends count pings to target, their replies to come to the counter.
	void Ping(const BMessenger& target, int count)
	{
		for (int i = 0; i < count; i++)
			ASSERT_EQ(target.SendMessage('ping', counter), B_OK);
	}

	bool Receives(int32 replies)
	{
		return wait_for([&] { return counter->Replies() >= replies; }, kPeerTimeout);
	}

	BLooper* looper;
	ReplyCounter* counter;
};

} // namespace


// The replies to two loopers come on one connection. While one of them hangs, the I/O
// thread reads for it, so the other's replies keep coming; once one quits, the connection
// goes back to the I/O thread and reaches the next looper that replies come to.
TEST_F(LinkHubTest, RepliesReachEveryLooperWhileAnotherThatTheyComeToHangsOrQuits)
{
	StartApp();
	auto hung = std::make_unique<CountingLooper>("hung", true);
	hung->Ping(fMessenger, 1);
	ASSERT_TRUE(hung->counter->WaitUntilBlocked());

	auto quitting = std::make_unique<CountingLooper>("quitting", false);
	for (int round = 0; round < 10; round++) {
		quitting->Ping(fMessenger, 5);
		hung->Ping(fMessenger, 5);
	}
	EXPECT_TRUE(quitting->Receives(50));
	quitting.reset();

	CountingLooper next("next", false);
	next.Ping(fMessenger, 20);
	EXPECT_TRUE(next.Receives(20));

	hung->counter->Unblock();
	EXPECT_TRUE(hung->Receives(51));
	hung.reset();
	ExpectServed();
}


// Each looper that reads for itself holds descriptors of its own: beyond the cap, loopers
// that replies come to are served by the I/O thread, and get their replies all the same.
TEST_F(LinkHubTest, LoopersBeyondTheCapOfThoseReadingForThemselvesGetTheirRepliesToo)
{
	StartApp();
	auto descriptors = [] {
		return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
			std::filesystem::directory_iterator());
	};
	auto before = descriptors();
	std::vector<std::unique_ptr<CountingLooper>> loopers;
	for (int i = 0; i < 100; i++) {
		loopers.push_back(std::make_unique<CountingLooper>("many", false));
		loopers.back()->Ping(fMessenger, 2);
	}
	for (auto& looper : loopers)
		EXPECT_TRUE(looper->Receives(2));
	// An epoll set, an eventfd and a timer for each of at most 64, and a few connections.
	EXPECT_LE(descriptors() - before, 3 * 64 + 16);
}


// Before, the looper that replied blocked in the write for good, and nobody else was
// answered again.
TEST_F(LinkHubTest, APeerThatNeverReadsItsRepliesIsCutOffWhileOthersAreServed)
{
	StartApp();
	StartPeer({ "noread", fSocket, "40" });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "sent"));
	for (int i = 0; i < 20; i++)
		ExpectServed();
	EXPECT_TRUE(wait_for_line(fPeerOutput, "cut off 1"));
	ExpectServed();
}


// Replies the socket cannot take wait in the application, which sends them on as the
// peer makes room, however late it starts reading (within the stall time).
TEST_F(LinkHubTest, RepliesThatWaitReachAPeerThatReadsLate)
{
	StartApp();
	StartPeer({ "slowread", fSocket, "12" });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "sent"));
	ExpectServed();
	EXPECT_TRUE(wait_for_line(fPeerOutput, "read 12"));
	ExpectServed();
}


// More than the pending output may hold is cut off at once, not after the stall time.
TEST_F(LinkHubTest, RepliesPilingUpBeyondTheCapCutThePeerOff)
{
	StartApp();
	size_t before = resident_bytes(fApp);
	StartPeer({ "noread", fSocket, "200" });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "cut off 1"));
	ExpectServed();
	// The requests wait in the port, the replies in the connection.
	EXPECT_LT(resident_bytes(fApp),
		before + BPrivate::kMaxRemoteQueueBytes + 2 * BPrivate::kMaxPendingOutput);
}


// Before, the sender stayed in connect() for as long as the peer liked.
TEST_F(LinkHubTest, ConnectingToAPeerThatNeverAcceptsGivesUp)
{
	pid_t peer = StartPeer({ "listen", fRuntime.Directory() });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "ready"));
	BMessenger stuck;
	BMessenger::Private(stuck).SetTo(peer, 0, BPrivate::B_PREFERRED_TOKEN);

	BMessage message('ping');
	bigtime_t start = system_time();
	EXPECT_EQ(stuck.SendMessage(&message, (BHandler*)NULL, 300000), B_TIMED_OUT);
	EXPECT_LT(system_time() - start, BPrivate::kConnectTimeout);

	// Without a time limit of the caller's, the kit's own applies, to both kinds of send.
	start = system_time();
	EXPECT_EQ(stuck.SendMessage(&message, (BHandler*)NULL), B_TIMED_OUT);
	BMessage reply;
	EXPECT_EQ(stuck.SendMessage(&message, &reply), B_TIMED_OUT);
	EXPECT_LT(system_time() - start, 3 * BPrivate::kConnectTimeout);
	// A full queue means a live process: asking does not wait.
	EXPECT_TRUE(stuck.IsValid());
}


// The threads that send to one team share a connection: a peer that garbles its replies
// fails every request waiting on it at once, not only the one whose reader met the
// garbage.
TEST_F(LinkHubTest, GarbageInsteadOfRepliesFailsEveryRequestWaitingOnTheConnection)
{
	const int kSenders = 4;
	pid_t peer = StartPeer({ "garble", fRuntime.Directory(), std::to_string(kSenders) });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "ready"));
	BMessenger garbling;
	BMessenger::Private(garbling).SetTo(peer, 0, BPrivate::B_PREFERRED_TOKEN);

	std::atomic<int> failed{0};
	bigtime_t start = system_time();
	std::vector<std::thread> senders;
	for (int i = 0; i < kSenders; i++) {
		senders.emplace_back([&] {
			BMessage request('ping');
			BMessage reply;
			if (garbling.SendMessage(&request, &reply, 5000000, 5000000) == B_BAD_PORT_ID)
				failed++;
		});
	}
	for (std::thread& sender : senders)
		sender.join();
	EXPECT_EQ(failed, kSenders);
	EXPECT_LT(system_time() - start, 2000000);
}


// A message to a team whose kept connection was hung up goes out over a new one, and
// its sender learns nothing of the old one.
TEST_F(LinkHubTest, AMessageToAPeerThatHungUpGoesOverANewConnection)
{
	pid_t peer = StartPeer({ "hangup", fRuntime.Directory(), "3" });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "ready"));
	BMessenger hangingUp;
	BMessenger::Private(hangingUp).SetTo(peer, 0, BPrivate::B_PREFERRED_TOKEN);

	for (int i = 1; i <= 3; i++) {
		BMessage message('ping');
		message.AddInt32("number", i);
		ASSERT_EQ(hangingUp.SendMessage(&message, (BHandler*)NULL, 1000000), B_OK);
		ASSERT_TRUE(wait_for_line(fPeerOutput, "got " + std::to_string(i)));
	}
}


// Before, a decoder compacted its buffer only when it was nearly empty, so that writes
// always ending mid-frame made it grow by everything sent.
TEST_F(LinkHubTest, WritesThatAlwaysEndMidFrameKeepOnlyOnePartialFrame)
{
	StartApp();
	size_t before = resident_bytes(fApp);
	StartPeer({ "split", fSocket, "64" });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "sent", 60000000));
	ExpectServed();
	EXPECT_LT(resident_bytes(fApp), before + 16 * 1024 * 1024);
}


// Before, every connection could hold a partial frame of up to the largest body.
TEST_F(LinkHubTest, PartialFramesOfManyConnectionsAreCappedTogether)
{
	StartApp();
	size_t before = resident_bytes(fApp);
	// 128 MiB in all, of which 64 MiB are kept.
	StartPeer({ "partial", fSocket, "32", std::to_string(4 * 1024 * 1024) });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "sent", 60000000));
	EXPECT_TRUE(wait_for_line(fPeerOutput, "cut off 10"));
	ExpectServed();
	EXPECT_LT(resident_bytes(fApp), before + 100 * 1024 * 1024);
}


// Before, the transport queued every message whatever the port's capacity. (The cap in
// bytes is PortTest's.)
TEST_F(LinkHubTest, AFloodOfMessagesIsCutOffAtThePortsLimits)
{
	StartApp();
	// A busy main looper lets its queue fill.
	BMessage busy('busy');
	busy.AddInt64("microseconds", 6000000);
	ASSERT_EQ(fMessenger.SendMessage(&busy, (BHandler*)NULL), B_OK);
	StartPeer({ "flood", fSocket, "2000", "4096" });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "cut off 1"));
	// Once the looper is done with its long message.
	ExpectServed(10000000);
}


// Before, accept() failed on a listening socket that stayed ready, and the I/O thread
// spun at a whole core.
TEST_F(LinkHubTest, OutOfDescriptorsTheApplicationWaitsInsteadOfSpinning)
{
	rlimit saved;
	ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
	rlimit low = saved;
	low.rlim_cur = 40;
	ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
	fApp = fRuntime.Start("KitTestApp", { kSignature });
	ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
	ASSERT_TRUE(fRuntime.WaitForApp(kSignature));
	fMessenger = BMessenger(kSignature);
	ASSERT_EQ(BPrivate::app_socket_path(fApp, fSocket), B_OK);
	// Running its loop: done with what its start needs descriptors for.
	ExpectServed();

	pid_t peer = StartPeer({ "hold", fSocket, "60" });
	ASSERT_TRUE(wait_for_line(fPeerOutput, "held 60"));
	snooze(200000);
	long ticks = cpu_ticks(fApp);
	snooze(1000000);
	EXPECT_LT(cpu_ticks(fApp) - ticks, sysconf(_SC_CLK_TCK) / 10);

	// Once the descriptors are free again, the application accepts and answers.
	fRuntime.Stop(peer, SIGKILL);
	ExpectServed();
}
