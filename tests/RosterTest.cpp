// The roster and the registrar with real applications: records, launch order, notices,
// single launch, and applications that die.
#include <AppDefs.h>
#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "KitAppTest.h"
#include "TestRuntime.h"

namespace {

const char* kWatcher = "application/x-vnd.test-watcher";
const char* kFirst = "application/x-vnd.test-first";
const char* kSecond = "application/x-vnd.test-second";
const char* kSingle = "application/x-vnd.test-single";


class RosterTest : public KitAppTest {
};

} // namespace


TEST_F(RosterTest, RecordsDescribeTheApplicationAndListInLaunchOrder)
{
	pid_t first = StartApp(kFirst);
	pid_t second = StartApp(kSecond);
	EXPECT_EQ(AppList(), (std::vector<team_id>{ first, second }));

	app_info info;
	ASSERT_EQ(be_roster->GetRunningAppInfo(second, &info), B_OK);
	EXPECT_STREQ(info.signature, kSecond);
	EXPECT_EQ(info.team, second);
	EXPECT_EQ(info.thread, second);
	EXPECT_GT(info.port, 0);
	EXPECT_EQ(info.flags & B_LAUNCH_MASK, (uint32)B_MULTIPLE_LAUNCH);
	ASSERT_NE(info.ref.name, nullptr);
	EXPECT_STREQ(info.ref.name, "KitTestApp");

	app_info bySignature;
	ASSERT_EQ(be_roster->GetAppInfo(kFirst, &bySignature), B_OK);
	EXPECT_EQ(bySignature.team, first);
	EXPECT_EQ(be_roster->TeamFor(kSecond), second);
	EXPECT_FALSE(be_roster->IsRunning("application/x-vnd.test-nobody"));
	EXPECT_NE(be_roster->GetRunningAppInfo(999999, &info), B_OK);

	entry_ref app;
	ASSERT_EQ(be_roster->FindApp(kFirst, &app), B_OK);
	EXPECT_STREQ(app.name, "KitTestApp");
	EXPECT_EQ(be_roster->FindApp("application/x-vnd.test-nobody", &app),
		B_LAUNCH_FAILED_APP_NOT_FOUND);
}


TEST_F(RosterTest, WatchersHearLaunchesAndQuitsInOrder)
{
	pid_t watcher = StartApp(kWatcher, { "--watch" });
	BMessenger messenger(kWatcher);
	BMessage reply;
	// ReadyToRun, and with it StartWatching, comes before any later message.
	ASSERT_EQ(messenger.SendMessage('ping', &reply), B_OK);

	pid_t first = StartApp(kFirst);
	pid_t second = StartApp(kSecond);
	ASSERT_GE(fRuntime.Stop(first, SIGTERM), 0);
	ASSERT_GE(fRuntime.Stop(second, SIGKILL), 0);
	ASSERT_TRUE(fRuntime.WaitForAppGone(second));

	std::vector<HeardNotice> expected = {
		{ B_SOME_APP_LAUNCHED, kFirst, first }, { B_SOME_APP_LAUNCHED, kSecond, second },
		{ B_SOME_APP_QUIT, kFirst, first }, { B_SOME_APP_QUIT, kSecond, second } };

	std::vector<HeardNotice> heard = WaitForNotices(messenger, expected.size());
	EXPECT_EQ(heard, expected);
	ASSERT_EQ(messenger.SendMessage('ntcs', &reply), B_OK);
	EXPECT_EQ(AppList(), std::vector<team_id>{ watcher });

	// Each notice names the main thread and the executable too.
	for (int32 i = 0; i < 4; i++) {
		int32 thread = -1;
		const char* file = "";
		reply.FindInt32("thread", i, &thread);
		reply.FindString("file", i, &file);
		EXPECT_EQ(thread, heard[i].team);
		EXPECT_STREQ(file, "KitTestApp");
	}

	// After StopWatching, nothing more is heard.
	ASSERT_EQ(messenger.SendMessage('unwt', &reply), B_OK);
	int32 error = -1;
	EXPECT_EQ(reply.FindInt32("error", &error), B_OK);
	EXPECT_EQ(error, B_OK);
	// Killed: how it ends is not what is tested here (a thread-sanitizer run on a loaded
	// machine once took more than ten seconds to end it with SIGTERM).
	pid_t third = StartApp(kSingle);
	EXPECT_GE(fRuntime.Stop(third, SIGKILL), 0);
	ASSERT_TRUE(fRuntime.WaitForAppGone(third));
	ASSERT_EQ(messenger.SendMessage('ntcs', &reply), B_OK);
	int32 count = 0;
	for (int32 what; reply.FindInt32("what", count, &what) == B_OK; count++) {
	}
	EXPECT_EQ(count, 4);
}


TEST_F(RosterTest, ASecondSingleLaunchHandsOverItsArguments)
{
	pid_t running = StartApp(kSingle, { "--single", "first" });
	pid_t second = fRuntime.Start("KitTestApp", { kSingle, "--single", "two", "three" });
	int status = fRuntime.Wait(second);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);
	EXPECT_EQ(AppList(), std::vector<team_id>{ running });

	BMessenger messenger(kSingle);
	BMessage reply;
	std::vector<std::string> arguments;
	bigtime_t deadline = system_time() + 5000000;
	int32 lists = 0;
	while (lists < 2 && system_time() < deadline) {
		ASSERT_EQ(messenger.SendMessage('args', &reply), B_OK);
		int32 count;
		for (lists = 0; reply.FindInt32("argc", lists, &count) == B_OK; lists++) {
		}
		snooze(10000);
	}
	ASSERT_EQ(lists, 2);
	const char* argument;
	for (int32 i = 0; reply.FindString("argv", i, &argument) == B_OK; i++)
		arguments.push_back(argument);
	ASSERT_EQ(arguments.size(), 9u);
	EXPECT_EQ(arguments[3], "first");
	EXPECT_EQ(arguments[7], "two");
	EXPECT_EQ(arguments[8], "three");
}


TEST_F(RosterTest, MultipleLaunchAllowsTwoInstances)
{
	pid_t one = StartApp(kFirst);
	pid_t two = fRuntime.Start("KitTestApp", { kFirst });
	wait_for([&] { return AppList().size() >= 2; });
	EXPECT_EQ(AppList(), (std::vector<team_id>{ one, two }));
}


TEST(RegistrarTest, ARegistrarWhoseSocketIsRemovedLeaves)
{
	TestRuntime runtime;
	pid_t registrar = runtime.Start("registrar");
	std::string socket = runtime.Directory() + "/registrar";
	// The socket is made private right after it is bound: removed before that, the registrar
	// could not finish listening and would fail instead of leaving.
	wait_for([&] {
		struct stat status;
		return stat(socket.c_str(), &status) == 0 && (status.st_mode & 0777) == 0600;
	});
	ASSERT_EQ(unlink(socket.c_str()), 0);
	int status = runtime.Wait(registrar, 5000000);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);
}


TEST_F(RosterTest, ABroadcastReachesEveryOtherApplication)
{
	pid_t first = StartApp(kFirst);
	pid_t second = StartApp(kSecond);
	BMessage note('note');
	note.AddString("note", "to all");
	ASSERT_EQ(be_roster->Broadcast(&note), B_OK);
	for (auto [signature, team] : { std::pair(kFirst, first), std::pair(kSecond, second) }) {
		BMessenger app(signature, team);
		ASSERT_TRUE(wait_for([&] {
			BMessage request('nots');
			BMessage reply;
			return app.SendMessage(&request, &reply, kWaitTimeout, kWaitTimeout) == B_OK
				&& reply.FindString("note") != NULL;
		}));
	}
	EXPECT_EQ(be_roster->Broadcast(NULL), B_BAD_VALUE);
}
