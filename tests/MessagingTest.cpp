// Messages between kit processes: synchronous round trips, replies that never come,
// targets that die, and peers that send garbage.
#include <AppDefs.h>
#include <Application.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include <unistd.h>

#include "KitAppTest.h"
#include "app/LinkConnection.h"
#include "app/MessengerPrivate.h"
#include "app/RuntimeDirectory.h"
#include "app/TokenSpace.h"

namespace {

const char* kSignature = "application/x-vnd.test-messaging";


int32
int32_of(const BMessage& message, const char* name)
{
	int32 value = -1;
	message.FindInt32(name, &value);
	return value;
}


class MessagingTest : public KitAppTest {
protected:
	MessagingTest() : KitAppTest(kSignature) {}

	// Writes bytes on a connection of its own to the application's socket, as a peer
	// that does not speak the protocol, and expects the application to close it.
	void ExpectDropped(const void* bytes, size_t size)
	{
		std::string path;
		ASSERT_EQ(BPrivate::app_socket_path(fApp, path), B_OK);
		int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
		sockaddr_un address = {};
		address.sun_family = AF_UNIX;
		strcpy(address.sun_path, path.c_str());
		ASSERT_EQ(connect(fd, (sockaddr*)&address, sizeof(address)), 0);

		ASSERT_EQ(write(fd, bytes, size), (ssize_t)size);
		timeval timeout = { 5, 0 };
		setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
		char buffer[16];
		EXPECT_EQ(read(fd, buffer, sizeof(buffer)), 0);
		close(fd);
	}
};

} // namespace


TEST_F(MessagingTest, SynchronousRoundTripCarriesTheFields)
{
	EXPECT_EQ(fMessenger.Team(), fApp);
	BMessage request('ping');
	request.AddString("text", "hello");
	request.AddInt32("number", 42);
	BMessage reply;
	ASSERT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');
	const char* text;
	ASSERT_EQ(reply.FindString("text", &text), B_OK);
	EXPECT_STREQ(text, "hello");
	EXPECT_EQ(int32_of(reply, "number"), 42);
	EXPECT_TRUE(reply.IsReply());
	EXPECT_TRUE(reply.IsSourceRemote());

	// The same connection serves many requests in a row.
	for (int i = 0; i < 100; i++)
		ASSERT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
}


// Messages far larger than a socket's buffer go out and come back in many pieces, each way,
// synchronously and not, and leave the connections fit for the next ones.
TEST_F(MessagingTest, MessagesLargerThanTheSocketBufferArriveWhole)
{
	std::string text(3 * 1024 * 1024, 'x');
	for (size_t i = 0; i < text.size(); i += 4093)
		text[i] = (char)('a' + i % 26);
	BMessage request('ping');
	request.AddString("text", text.c_str());
	request.AddInt32("number", 7);

	for (int round = 0; round < 3; round++) {
		BMessage reply;
		ASSERT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
		const char* echoed;
		ASSERT_EQ(reply.FindString("text", &echoed), B_OK);
		EXPECT_TRUE(text == echoed);
		EXPECT_EQ(int32_of(reply, "number"), 7);

		// The same connection right after, and the shared one for a message without reply.
		BMessage small('ping');
		small.AddInt32("number", round);
		ASSERT_EQ(fMessenger.SendMessage(&small, &reply), B_OK);
		EXPECT_EQ(int32_of(reply, "number"), round);
		EXPECT_EQ(fMessenger.SendMessage(&request), B_OK);
	}
}


// While the main looper is kept busy, the application's other loopers go on answering
// requests that arrive over the socket.
TEST_F(MessagingTest, AnotherLooperAnswersWhileTheMainLooperIsBusy)
{
	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("Messenger");
	request.AddSpecifier("Looper", "Worker");
	BMessage reply;
	ASSERT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
	BMessenger worker;
	ASSERT_EQ(reply.FindMessenger("result", &worker), B_OK);

	std::atomic<bool> busyAnswered{false};
	std::thread busy([this, &busyAnswered] {
		BMessage busy('busy');
		busy.AddInt64("microseconds", 3000000);
		BMessage busyReply;
		EXPECT_EQ(fMessenger.SendMessage(&busy, &busyReply), B_OK);
		busyAnswered = true;
	});
	usleep(200000);

	for (int i = 0; i < 20; i++) {
		BMessage name(B_GET_PROPERTY);
		name.AddSpecifier("InternalName");
		ASSERT_EQ(worker.SendMessage(&name, &reply), B_OK);
		const char* result = "";
		reply.FindString("result", &result);
		EXPECT_STREQ(result, "Worker");
	}
	EXPECT_FALSE(busyAnswered);
	busy.join();
	EXPECT_TRUE(busyAnswered);
}


TEST_F(MessagingTest, AMessageDroppedUnansweredGivesNoReply)
{
	BMessage reply;
	ASSERT_EQ(fMessenger.SendMessage('nrep', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);
}


TEST_F(MessagingTest, ATargetThatExitsEndsTheWaitWithAnError)
{
	BMessage reply;
	bigtime_t start = system_time();
	EXPECT_NE(fMessenger.SendMessage('exit', &reply), B_OK);
	EXPECT_LT(system_time() - start, 2000000);
	fRuntime.Wait(fApp);
}


TEST_F(MessagingTest, ATargetKilledWhileARequestWaitsEndsTheWait)
{
	std::thread killer([this] {
		snooze(200000);
		kill(fApp, SIGKILL);
	});
	BMessage reply;
	EXPECT_NE(fMessenger.SendMessage('hang', &reply), B_OK);
	killer.join();
	// Once the process is gone for good, so is the messenger's target.
	fRuntime.Wait(fApp);
	EXPECT_FALSE(fMessenger.IsValid());
	EXPECT_NE(fMessenger.SendMessage('ping', &reply), B_OK);
}


// The threads of a process share one connection per team for their requests: each
// reply goes to the request it answers, whatever the order the replies come in, and a
// request that times out takes no other with it.
TEST_F(MessagingTest, RequestsOfManyThreadsInFlightTogetherGetTheirOwnReplies)
{
	std::thread hung([this] {
		BMessage hang('hang');
		BMessage reply;
		EXPECT_EQ(fMessenger.SendMessage(&hang, &reply, B_INFINITE_TIMEOUT, 100000),
			B_TIMED_OUT);
	});
	std::vector<std::thread> senders;
	for (int32 thread = 0; thread < 6; thread++) {
		senders.emplace_back([this, thread] {
			for (int32 i = 0; i < 200; i++) {
				BMessage request(i % 10 == 0 ? 'busy' : 'ping');
				request.AddInt64("microseconds", 2000);
				request.AddInt32("serial", thread * 1000 + i);
				// Large ones keep the connection's writer busy while others come to write.
				if (i % 4 == 1)
					request.AddString("text", std::string(256 * 1024, 'a' + thread).c_str());
				BMessage reply;
				ASSERT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
				if (request.what == 'ping')
					ASSERT_EQ(int32_of(reply, "serial"), thread * 1000 + i);
				else
					ASSERT_EQ(reply.what, (uint32)B_REPLY);
			}
		});
	}
	for (std::thread& sender : senders)
		sender.join();
	hung.join();
}


TEST_F(MessagingTest, ATargetKilledEndsTheWaitOfEveryRequestInFlight)
{
	std::atomic<int> failed{0};
	std::vector<std::thread> senders;
	for (int i = 0; i < 4; i++) {
		senders.emplace_back([this, &failed] {
			BMessage reply;
			if (fMessenger.SendMessage('hang', &reply) != B_OK)
				failed++;
		});
	}
	snooze(200000);
	bigtime_t killed = system_time();
	kill(fApp, SIGKILL);
	for (std::thread& sender : senders)
		sender.join();
	EXPECT_EQ(failed, 4);
	EXPECT_LT(system_time() - killed, 2000000);
	fRuntime.Wait(fApp);
}


// Requests whose frames wait for another thread's write to a target that takes nothing
// end with it when the target is killed, long before a stalled peer is given up.
TEST_F(MessagingTest, RequestsWaitingToBeWrittenEndWhenTheTargetIsKilled)
{
	const int kSenders = 6;
	kill(fApp, SIGSTOP);
	std::string text(1024 * 1024, 'x');
	std::atomic<int> failed{0};
	std::vector<std::thread> senders;
	for (int i = 0; i < kSenders; i++) {
		senders.emplace_back([&] {
			BMessage request('ping');
			request.AddString("text", text.c_str());
			BMessage reply;
			if (fMessenger.SendMessage(&request, &reply) == B_BAD_PORT_ID)
				failed++;
		});
	}
	snooze(300000);
	bigtime_t killed = system_time();
	kill(fApp, SIGKILL);
	for (std::thread& sender : senders)
		sender.join();
	EXPECT_EQ(failed, kSenders);
	EXPECT_LT(system_time() - killed, BPrivate::kStalledPeerTimeout - 500000);
	fRuntime.Wait(fApp);
}


TEST_F(MessagingTest, AReplyTimeoutDoesNotConfuseTheNextRequest)
{
	BMessage reply;
	BMessage hang('hang');
	EXPECT_EQ(fMessenger.SendMessage(&hang, &reply, B_INFINITE_TIMEOUT, 50000), B_TIMED_OUT);
	BMessage request('ping');
	request.AddInt32("serial", 2);
	ASSERT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
	EXPECT_EQ(int32_of(reply, "serial"), 2);
}


// A request waits in its read, bounded by a receive timeout that the connection keeps
// from one request to the next: each request still waits as long as its own time limit,
// be the one before longer or shorter.
TEST_F(MessagingTest, EachRequestWaitsForItsOwnTimeLimit)
{
	auto waited = [&](bigtime_t timeout) {
		BMessage hang('hang');
		BMessage reply;
		bigtime_t start = system_time();
		EXPECT_EQ(fMessenger.SendMessage(&hang, &reply, B_INFINITE_TIMEOUT, timeout),
			B_TIMED_OUT);
		return system_time() - start;
	};
	EXPECT_GE(waited(300000), 300000);
	bigtime_t shorter = waited(40000);
	EXPECT_GE(shorter, 40000);
	EXPECT_LT(shorter, 250000);
	EXPECT_GE(waited(200000), 200000);

	BMessage request('ping');
	request.AddInt32("serial", 3);
	BMessage reply;
	ASSERT_EQ(fMessenger.SendMessage(&request, &reply, B_INFINITE_TIMEOUT, 2000000), B_OK);
	EXPECT_EQ(int32_of(reply, "serial"), 3);
	// Without a time limit, the read waits for as long as the reply takes.
	ASSERT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
	EXPECT_EQ(int32_of(reply, "serial"), 3);
}


TEST_F(MessagingTest, GarbageOnTheSocketDropsOnlyThatPeer)
{
	const char garbage[] = "this is not a frame of the protocol at all";
	ASSERT_NO_FATAL_FAILURE(ExpectDropped(garbage, sizeof(garbage)));

	BMessage reply;
	ASSERT_EQ(fMessenger.SendMessage('ping', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');
}


TEST_F(MessagingTest, AnOversizedFrameDropsThePeer)
{
	// A well-formed header that announces a body beyond the limit.
	const uint8 header[16] = { 'B', 'L', 'N', 'K', 1, 0, 1, 0, 0xff, 0xff, 0xff, 0x7f };
	ASSERT_NO_FATAL_FAILURE(ExpectDropped(header, sizeof(header)));

	BMessage reply;
	EXPECT_EQ(fMessenger.SendMessage('ping', &reply), B_OK);
}


TEST_F(MessagingTest, SigtermQuitsTheApplicationAndItsRecordGoes)
{
	int status = fRuntime.Stop(fApp, SIGTERM);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);
	EXPECT_TRUE(fRuntime.WaitForAppGone(fApp));
	EXPECT_FALSE(be_roster->IsRunning(kSignature));
}


// An application stuck before its message loop runs (in a modal alert of its
// constructor, say) cannot take the quit request: the signal ends it after the grace.
TEST_F(MessagingTest, SigtermEndsAnApplicationThatNeverRunsItsLoop)
{
	pid_t stuck = StartApp("application/x-vnd.test-never-runs", { "--never-run" });
	int status = fRuntime.Stop(stuck, SIGTERM, 20000000);
	ASSERT_TRUE(WIFSIGNALED(status)) << status;
	EXPECT_EQ(WTERMSIG(status), SIGTERM);
	EXPECT_TRUE(fRuntime.WaitForAppGone(stuck));
}


TEST_F(MessagingTest, APortThatDoesNotExistIsReportedAtOnce)
{
	BMessenger nowhere;
	BMessenger::Private(nowhere).SetTo(fApp, 9999, BPrivate::B_PREFERRED_TOKEN);
	BMessage reply;
	EXPECT_EQ(nowhere.SendMessage('ping', &reply), B_BAD_PORT_ID);

	// The application is unharmed, and asynchronous sends still reach it.
	BMessage request('ping');
	EXPECT_EQ(nowhere.SendMessage(&request, (BHandler*)NULL), B_OK);
	EXPECT_EQ(fMessenger.SendMessage(&request, (BHandler*)NULL), B_OK);
	ASSERT_EQ(fMessenger.SendMessage('ping', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');
}


// A process without an application listens once it sends a message whose replies are to
// come to one of its loopers, which reads them itself while it waits; once that looper has
// quit, the replies to the next still come. An application made afterwards takes the same
// socket on.
TEST_F(MessagingTest, RepliesReachALooperOfAProcessWithoutAnApplication)
{
	struct Catcher : BLooper {
		sem_id replied = create_sem(0, "replied");
		~Catcher() override { delete_sem(replied); }
		void MessageReceived(BMessage* message) override
		{
			if (message->IsReply() && message->what == 'pong')
				release_sem(replied);
		}
	};
	BMessage request('ping');
	for (int looper = 0; looper < 2; looper++) {
		Catcher* catcher = new Catcher;
		catcher->Run();
		for (int i = 0; i < 3; i++)
			ASSERT_EQ(fMessenger.SendMessage(&request, catcher), B_OK);
		for (int i = 0; i < 3; i++) {
			EXPECT_EQ(acquire_sem_etc(catcher->replied, 1, B_RELATIVE_TIMEOUT, 5000000), B_OK)
				<< "looper " << looper;
		}
		catcher->Lock();
		catcher->Quit();
	}

	BApplication application("application/x-vnd.test-messaging-late-application");
	EXPECT_EQ(application.InitCheck(), B_OK);
	BMessage reply;
	EXPECT_EQ(BMessenger(kSignature).SendMessage(&request, &reply), B_OK);
}
