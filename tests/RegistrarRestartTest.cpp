// The registrar going away while applications run: killed, the applications start another
// and register there again; stopped, they wait for one to start and rejoin it. Watchers,
// Quorvane among them, go on hearing launches and quits, and hear no re-registration as
// a launch.
#include <AppDefs.h>
#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <dirent.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KitAppTest.h"
#include "TestRuntime.h"
#include "app/RegistrarDefs.h"
#include "app/RosterPrivate.h"
#include "app/RuntimeDirectory.h"

namespace {

const char* kWatcher = "application/x-vnd.test-restart-watcher";
const char* kFirst = "application/x-vnd.test-restart-first";
const char* kSecond = "application/x-vnd.test-restart-second";
const char* kLate = "application/x-vnd.test-restart-late";
const char* kQuorvane = "application/x-vnd.thessory-Quorvane";


std::vector<team_id>
app_list()
{
	BList teams;
	be_roster->GetAppList(&teams);
	std::vector<team_id> result;
	for (int32 i = 0; i < teams.CountItems(); i++)
		result.push_back((team_id)(intptr_t)teams.ItemAt(i));
	std::sort(result.begin(), result.end());
	return result;
}


bool
wait_for_app_list(std::vector<team_id> expected)
{
	std::sort(expected.begin(), expected.end());
	return wait_for([&] { return app_list() == expected; });
}


// The registrar processes that run for this runtime directory, whoever started them.
int
count_registrars(const std::string& directory)
{
	std::error_code error;
	std::filesystem::path binary = std::filesystem::canonical(
		TestRuntime::BinaryPath("registrar"), error);
	std::string variable = std::string(BPrivate::kRuntimeDirEnvironment) + "=" + directory;
	int count = 0;
	for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
		std::filesystem::path exe = std::filesystem::read_symlink(entry.path() / "exe", error);
		if (error || exe != binary)
			continue;
		std::ifstream environ(entry.path() / "environ");
		std::string item;
		while (std::getline(environ, item, '\0')) {
			if (item == variable) {
				count++;
				break;
			}
		}
	}
	return count;
}


// The rows that Quorvane's outline shows (each application's row, collapsed).
int32
outline_rows(BMessenger& quorvane)
{
	BMessage count(B_COUNT_PROPERTIES);
	count.AddSpecifier("Item");
	count.AddSpecifier("View", "fView");
	count.AddSpecifier("View", "fBackView->BScrollView");
	count.AddSpecifier("View", "fBackView");
	count.AddSpecifier("Window", (int32)0);
	BMessage reply;
	int32 rows = -1;
	if (quorvane.SendMessage(&count, &reply, kWaitTimeout, kWaitTimeout) != B_OK
		|| reply.FindInt32("result", &rows) != B_OK)
		return -1;
	return rows;
}


bool
wait_for_rows(BMessenger& quorvane, int32 rows)
{
	return wait_for([&] { return outline_rows(quorvane) == rows; });
}


// The status an application's own roster request ended with.
status_t
roster_status_of(BMessenger& app)
{
	BMessage request('info');
	BMessage reply;
	int32 error = B_ERROR;
	if (app.SendMessage(&request, &reply, kWaitTimeout, kWaitTimeout) != B_OK
		|| reply.FindInt32("error", &error) != B_OK)
		return B_TIMED_OUT;
	return error;
}


// Until the application's own roster requests go through again: it is listed once its
// registration is taken, and has asked for its watching again a moment later.
bool
wait_until_rejoined(BMessenger& app)
{
	return wait_for([&] { return roster_status_of(app) == B_OK; });
}


int
count_lines(const std::string& path, const std::string& line)
{
	std::ifstream file(path);
	int count = 0;
	for (std::string text; std::getline(file, text);)
		count += text == line ? 1 : 0;
	return count;
}


class RegistrarRestartTest : public KitAppTest {
protected:
	static void SetUpTestSuite() { setenv("BE_DISPLAY", "offscreen", 1); }

	// Quits them as SIGTERM does, all at once; each must end well (no crash, no
	// sanitizer report).
	void ExpectCleanQuit(const std::vector<pid_t>& processes)
	{
		for (pid_t process : processes)
			kill(process, SIGTERM);
		for (pid_t process : processes) {
			int status = fRuntime.Wait(process);
			EXPECT_TRUE(WIFEXITED(status)) << process << ": " << status;
			EXPECT_EQ(WEXITSTATUS(status), 0) << process;
		}
	}
};

} // namespace


TEST_F(RegistrarRestartTest, AKilledRegistrarIsStartedAgainAndTheApplicationsRegisterThere)
{
	pid_t watcher = StartApp(kWatcher, { "--watch" });
	BMessenger watcherMessenger(kWatcher);
	BMessage reply;
	ASSERT_EQ(watcherMessenger.SendMessage('ping', &reply), B_OK);
	pid_t first = StartApp(kFirst);
	pid_t second = StartApp(kSecond, { "--single" });
	app_info before;
	ASSERT_EQ(be_roster->GetRunningAppInfo(second, &before), B_OK);

	pid_t killed = TestRuntime::RegistrarProcess();
	ASSERT_TRUE(fRuntime.SignalRegistrar(SIGKILL));
	// Launched while none runs: it starts a registrar, or finds the one the others started.
	pid_t late = fRuntime.Start("KitTestApp", { kLate });

	ASSERT_TRUE(wait_for_app_list({ watcher, first, second, late }));
	ASSERT_TRUE(wait_until_rejoined(watcherMessenger));
	EXPECT_NE(TestRuntime::RegistrarProcess(), killed);
	// The registrars that lost the race end on their own.
	// Each check reads all of /proc: not too often.
	wait_for([&] { return count_registrars(fRuntime.Directory()) <= 1; }, kWaitTimeout,
		20000);
	EXPECT_EQ(count_registrars(fRuntime.Directory()), 1);

	// The same record as before, single launch included.
	app_info after;
	ASSERT_EQ(be_roster->GetRunningAppInfo(second, &after), B_OK);
	EXPECT_STREQ(after.signature, kSecond);
	EXPECT_EQ(after.thread, before.thread);
	EXPECT_EQ(after.port, before.port);
	EXPECT_EQ(after.flags, before.flags);
	ASSERT_NE(after.ref.name, nullptr);
	EXPECT_STREQ(after.ref.name, "KitTestApp");
	pid_t again = fRuntime.Start("KitTestApp", { kSecond, "--single" });
	int status = fRuntime.Wait(again);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);

	ExpectCleanQuit({ first });
	ASSERT_TRUE(fRuntime.WaitForAppGone(first));
	ASSERT_GE(fRuntime.Stop(second, SIGKILL), 0);
	ASSERT_TRUE(fRuntime.WaitForAppGone(second));

	// The watcher heard the late launch once, and no re-registration as a launch.
	std::vector<HeardNotice> expected = {
		{ B_SOME_APP_LAUNCHED, kFirst, first }, { B_SOME_APP_LAUNCHED, kSecond, second },
		{ B_SOME_APP_LAUNCHED, kLate, late },
		{ B_SOME_APP_QUIT, kFirst, first }, { B_SOME_APP_QUIT, kSecond, second } };
	EXPECT_EQ(WaitForNotices(watcherMessenger, expected.size()), expected);

	EXPECT_EQ(BMessenger(kLate).SendMessage('ping', &reply), B_OK);
	ExpectCleanQuit({ late, watcher });
}


TEST_F(RegistrarRestartTest, AStoppedRegistrarIsRejoinedOnceStartedAgainAndQuorvaneKeepsItsOutline)
{
	pid_t watcher = StartApp(kWatcher, { "--watch" });
	BMessenger watcherMessenger(kWatcher);
	BMessage reply;
	ASSERT_EQ(watcherMessenger.SendMessage('ping', &reply), B_OK);
	pid_t first = StartApp(kFirst);
	pid_t second = StartApp(kSecond);
	std::string output = fRuntime.Directory() + "/quorvane.out";
	pid_t quorvane = fRuntime.Start("Quorvane", {}, output);
	ASSERT_TRUE(fRuntime.WaitForApp(kQuorvane));
	BMessenger outline(kQuorvane);
	BMessenger firstMessenger(kFirst);
	ASSERT_TRUE(wait_for_rows(outline, 3));

	// Stopped on purpose, it takes its socket away: nobody starts another, and roster
	// requests fail at once while the applications go on answering.
	fRuntime.StopRegistrar();
	EXPECT_EQ(roster_status_of(firstMessenger), B_NO_INIT);
	EXPECT_EQ(outline_rows(outline), 3);
	// This one quits while no registrar runs.
	ExpectCleanQuit({ second });
	EXPECT_EQ(TestRuntime::RegistrarProcess(), -1);

	// The new one learns from its predecessor's roster that the second has ended, and
	// tells Quorvane when its watching comes back.
	ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	ASSERT_TRUE(wait_for_app_list({ watcher, first, quorvane }));
	EXPECT_TRUE(wait_until_rejoined(firstMessenger));
	EXPECT_TRUE(wait_until_rejoined(watcherMessenger));
	ASSERT_TRUE(wait_for_rows(outline, 2));

	// Quorvane follows the new registrar: a launch adds a row, a quit takes one away; the
	// applications that registered again were never announced as launches.
	pid_t third = StartApp(kLate);
	ASSERT_TRUE(wait_for_rows(outline, 3));
	ExpectCleanQuit({ first });
	ASSERT_TRUE(wait_for_rows(outline, 2));
	EXPECT_EQ(count_lines(output, "Application KitTestApp reports 0 windows"), 4);

	// The other watcher heard each launch and quit once.
	std::vector<HeardNotice> expected = {
		{ B_SOME_APP_LAUNCHED, kFirst, first }, { B_SOME_APP_LAUNCHED, kSecond, second },
		{ B_SOME_APP_LAUNCHED, kQuorvane, quorvane }, { B_SOME_APP_QUIT, kSecond, second },
		{ B_SOME_APP_LAUNCHED, kLate, third }, { B_SOME_APP_QUIT, kFirst, first } };
	EXPECT_EQ(WaitForNotices(watcherMessenger, expected.size()), expected);

	ExpectCleanQuit({ third, quorvane, watcher });
}


TEST_F(RegistrarRestartTest, TheRegistrarTakesBackALiveTeamQuietlyAndNoOtherTeam)
{
	StartApp(kWatcher, { "--watch" });
	BMessenger watcher(kWatcher);
	BMessage reply;
	ASSERT_EQ(watcher.SendMessage('ping', &reply), B_OK);
	StartApp(kSecond, { "--single" });

	// This process, as an application that ran before this registrar started.
	BMessage request(BPrivate::kRegisterApp);
	request.AddString("signature", kSecond);
	request.AddInt32("team", getpid());
	request.AddInt32("thread", getpid());
	request.AddInt32("port", 7);
	request.AddInt32("flags", B_SINGLE_LAUNCH);
	EXPECT_EQ(BRoster::Private::Request(request, &reply), B_ALREADY_RUNNING);
	request.AddBool("rejoin", true);
	EXPECT_EQ(BRoster::Private::Request(request, &reply), B_OK);
	EXPECT_EQ(BRoster::Private::Request(request, &reply), B_OK);
	app_info info;
	ASSERT_EQ(be_roster->GetRunningAppInfo(getpid(), &info), B_OK);
	EXPECT_EQ(info.port, 7);

	// Only a team itself rejoins.
	BMessage other(request);
	other.ReplaceInt32("team", 1);
	EXPECT_EQ(BRoster::Private::Request(other, &reply), B_BAD_VALUE);
	EXPECT_NE(be_roster->GetRunningAppInfo(1, &info), B_OK);

	BMessage unregister(BPrivate::kUnregisterApp);
	unregister.AddInt32("team", getpid());
	EXPECT_EQ(BRoster::Private::Request(unregister, &reply), B_OK);
	std::vector<HeardNotice> heard = WaitForNotices(watcher, 2);
	ASSERT_EQ(heard.size(), 2u);
	EXPECT_EQ(heard[0].what, (uint32)B_SOME_APP_LAUNCHED);
	EXPECT_EQ(heard[1], (HeardNotice{ B_SOME_APP_QUIT, kSecond, getpid() }));
}


TEST_F(RegistrarRestartTest, ARegistrarStartedByHandRightAfterAKillRacesTheApplicationsAndOneWins)
{
	pid_t first = StartApp(kFirst);
	pid_t second = StartApp(kSecond);
	ASSERT_TRUE(fRuntime.SignalRegistrar(SIGKILL));
	// Whichever registrar takes the lock serves everyone; the others end by themselves.
	ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	ASSERT_TRUE(wait_for_app_list({ first, second }));
	// Each check reads all of /proc: not too often.
	wait_for([&] { return count_registrars(fRuntime.Directory()) <= 1; }, kWaitTimeout,
		20000);
	EXPECT_EQ(count_registrars(fRuntime.Directory()), 1);
	ExpectCleanQuit({ first });
	ASSERT_TRUE(fRuntime.WaitForAppGone(first));
	EXPECT_EQ(app_list(), std::vector<team_id>{ second });
}


namespace {

std::string
roster_path()
{
	std::string path;
	BPrivate::registrar_roster_path(path);
	return path;
}


void
write_file(const std::string& path, const std::string& data)
{
	std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}


// The teams of the roster file, in its order; none when it is not one.
std::vector<team_id>
roster_file_teams()
{
	std::ifstream file(roster_path(), std::ios::binary);
	std::stringstream data;
	data << file.rdbuf();
	std::string bytes = data.str();
	BMessage roster;
	std::vector<team_id> teams;
	if (roster.Unflatten(bytes.data(), bytes.size()) != B_OK || roster.what != 'rgRS')
		return teams;
	BMessage app;
	int32 team;
	for (int32 i = 0; roster.FindMessage("app", i, &app) == B_OK; i++) {
		if (app.FindInt32("team", &team) == B_OK)
			teams.push_back(team);
	}
	return teams;
}


status_t
rejoin_as_this_process(const char* signature)
{
	BMessage request(BPrivate::kRegisterApp);
	request.AddString("signature", signature);
	request.AddInt32("team", getpid());
	request.AddBool("rejoin", true);
	BMessage reply;
	return BRoster::Private::Request(request, &reply);
}

} // namespace


TEST(RegistrarRosterTest, ARosterFileThatIsNotOneIsIgnoredAndReplaced)
{
	TestRuntime runtime;
	write_file(roster_path(), "BLNK this is not a roster");
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	ASSERT_EQ(rejoin_as_this_process(kFirst), B_OK);
	EXPECT_EQ(app_list(), std::vector<team_id>{ getpid() });
	EXPECT_EQ(roster_file_teams(), std::vector<team_id>{ getpid() });
}


TEST(RegistrarRosterTest, TheNextRegistrarExpectsTheLivingTeamsOfTheRosterBackAndDropsTheDead)
{
	TestRuntime runtime;
	pid_t ended = fork();
	if (ended == 0)
		_exit(0);
	ASSERT_GT(ended, 0);
	waitpid(ended, NULL, 0);

	BMessage roster('rgRS');
	for (team_id team : { (team_id)ended, (team_id)getpid() }) {
		BMessage app;
		app.AddString("signature", kFirst);
		app.AddInt32("team", team);
		roster.AddMessage("app", &app);
	}
	BMessage broken;
	broken.AddInt32("team", 1);
	roster.AddMessage("app", &broken);
	std::string data(roster.FlattenedSize(), '\0');
	ASSERT_EQ(roster.Flatten(data.data(), data.size()), B_OK);
	write_file(roster_path(), data);

	// Nothing of the old roster is listed before it rejoins; the living team may.
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	EXPECT_TRUE(app_list().empty());
	ASSERT_EQ(rejoin_as_this_process(kFirst), B_OK);
	EXPECT_EQ(app_list(), std::vector<team_id>{ getpid() });
	EXPECT_EQ(roster_file_teams(), std::vector<team_id>{ getpid() });
}
