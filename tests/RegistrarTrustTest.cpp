// What the registrar and the applications believe of other processes: this test process
// is such a process, and sends what a hostile one of the same user could.
#include <AppDefs.h>
#include <Handler.h>
#include <List.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <errno.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "KitAppTest.h"
#include "TestRuntime.h"
#include "app/RegistrarDefs.h"
#include "app/RosterPrivate.h"

namespace {

const char* kWatcher = "application/x-vnd.test-trust-watcher";
const char* kFirst = "application/x-vnd.test-trust-first";
const char* kSecond = "application/x-vnd.test-trust-second";


// A process that is not our child: killed at the end of the scope, and waited for
// until it has ended (init reaps it).
class Orphan {
public:
	explicit Orphan(pid_t process) : fProcess(process) {}
	~Orphan()
	{
		if (fProcess <= 0)
			return;
		kill(fProcess, SIGKILL);
		wait_for([&] { return HasEnded(); });
	}

	bool HasEnded() const { return TestRuntime::HasEnded(fProcess); }

private:
	pid_t fProcess;
};


class RegistrarTrustTest : public KitAppTest {
protected:
	// Sends the registrar a message as any request goes; the answer's "error".
	status_t Ask(BMessage request)
	{
		BMessage reply;
		return BRoster::Private::Request(request, &reply);
	}
};

} // namespace


TEST_F(RegistrarTrustTest, ForgedConnectionClosingsAndEndsDoNotEmptyTheRoster)
{
	pid_t first = StartApp(kFirst);
	pid_t second = StartApp(kSecond);
	for (uint64 connection = 1; connection <= 300; connection++) {
		BMessage closed(BPrivate::kConnectionClosed);
		closed.AddUInt64("connection", connection);
		EXPECT_EQ(Ask(closed), B_NOT_ALLOWED);
	}
	for (team_id team : { first, second }) {
		BMessage ended(BPrivate::kTeamEnded);
		ended.AddInt32("team", team);
		EXPECT_EQ(Ask(ended), B_NOT_ALLOWED);
	}
	EXPECT_EQ(AppList(), (std::vector<team_id>{ first, second }));
}


TEST_F(RegistrarTrustTest, QuitRequestsFromAnotherProcessDoNotStopTheRegistrar)
{
	pid_t registrar = TestRuntime::RegistrarProcess();
	ASSERT_GT(registrar, 0);
	EXPECT_EQ(Ask(BMessage(B_QUIT_REQUESTED)), B_NOT_ALLOWED);
	// Its looper's private quit goes unanswered, and unheeded.
	Ask(BMessage(_QUIT_));

	pid_t first = StartApp(kFirst);
	EXPECT_EQ(AppList(), std::vector<team_id>{ first });
	EXPECT_EQ(TestRuntime::RegistrarProcess(), registrar);
	// A signal still does.
	EXPECT_TRUE(fRuntime.SignalRegistrar(SIGTERM, kWaitTimeout));
}


TEST_F(RegistrarTrustTest, ATeamActsOnlyOnItsOwnBehalf)
{
	pid_t watcher = StartApp(kWatcher, { "--watch" });
	BMessenger watcherMessenger(kWatcher);
	BMessage reply;
	ASSERT_EQ(watcherMessenger.SendMessage('ping', &reply), B_OK);

	// Registering, unregistering, watching and unwatching another team is refused.
	BMessage registration(BPrivate::kRegisterApp);
	registration.AddString("signature", kFirst);
	registration.AddInt32("team", watcher);
	EXPECT_EQ(Ask(registration), B_BAD_VALUE);
	BMessage unregistration(BPrivate::kUnregisterApp);
	unregistration.AddInt32("team", watcher);
	EXPECT_EQ(Ask(unregistration), B_NOT_ALLOWED);
	BMessage watch(BPrivate::kStartWatching);
	watch.AddMessenger("target", watcherMessenger);
	watch.AddUInt32("events", B_REQUEST_LAUNCHED | B_REQUEST_QUIT);
	EXPECT_EQ(Ask(watch), B_NOT_ALLOWED);
	BMessage unwatch(BPrivate::kStopWatching);
	unwatch.AddMessenger("target", watcherMessenger);
	EXPECT_EQ(Ask(unwatch), B_NOT_ALLOWED);

	// So the watcher still hears a launch, once.
	pid_t first = StartApp(kFirst);
	EXPECT_EQ(WaitForNotices(watcherMessenger, 1),
		(std::vector<HeardNotice>{ { B_SOME_APP_LAUNCHED, kFirst, first } }));
	EXPECT_EQ(AppList(), (std::vector<team_id>{ watcher, first }));

	// Its own watchers are capped.
	BLooper* looper = new BLooper("watchers");
	std::vector<BHandler*> handlers;
	for (int i = 0; i < 20; i++) {
		handlers.push_back(new BHandler("watcher"));
		looper->AddHandler(handlers.back());
	}
	looper->Run();
	int accepted = 0;
	for (BHandler* handler : handlers) {
		if (be_roster->StartWatching(BMessenger(handler, looper), B_REQUEST_QUIT) == B_OK)
			accepted++;
	}
	EXPECT_EQ(accepted, 16);
	for (BHandler* handler : handlers)
		be_roster->StopWatching(BMessenger(handler, looper));
	looper->Lock();
	looper->Quit();
}


TEST_F(RegistrarTrustTest, ApplicationsBelieveRosterNoticesFromTheRegistrarOnly)
{
	StartApp(kWatcher, { "--watch" });
	BMessenger watcher(kWatcher);
	BMessage reply;
	ASSERT_EQ(watcher.SendMessage('ping', &reply), B_OK);

	for (uint32 what : { B_SOME_APP_LAUNCHED, B_SOME_APP_QUIT }) {
		BMessage forged(what);
		forged.AddString("be:signature", "application/x-vnd.test-forged");
		forged.AddInt32("be:team", 1);
		ASSERT_EQ(watcher.SendMessage(&forged), B_OK);
	}
	// Messages from one sender arrive in order: the forged ones have been handled by
	// the time the watcher answers this.
	ASSERT_EQ(watcher.SendMessage('ping', &reply), B_OK);
	EXPECT_TRUE(NoticesHeard(watcher).empty());

	pid_t first = StartApp(kFirst);
	EXPECT_EQ(WaitForNotices(watcher, 1),
		(std::vector<HeardNotice>{ { B_SOME_APP_LAUNCHED, kFirst, first } }));
}


TEST_F(RegistrarTrustTest, ADeadTeamGoesWhileItsChildHoldsItsConnection)
{
	pid_t watcher = StartApp(kWatcher, { "--watch" });
	BMessage reply;
	ASSERT_EQ(BMessenger(kWatcher).SendMessage('ping', &reply), B_OK);
	pid_t first = StartApp(kFirst);
	ASSERT_EQ(BMessenger(kFirst).SendMessage('fork', &reply), B_OK);
	int32 process = -1;
	reply.FindInt32("child", &process);
	Orphan child(process);
	ASSERT_GT(process, 0);

	ASSERT_GE(fRuntime.Stop(first, SIGKILL), 0);
	EXPECT_TRUE(fRuntime.WaitForAppGone(first));
	EXPECT_FALSE(child.HasEnded());
	EXPECT_EQ(AppList(), std::vector<team_id>{ watcher });

	EXPECT_EQ(WaitForNotices(BMessenger(kWatcher), 2), (std::vector<HeardNotice>{
		{ B_SOME_APP_LAUNCHED, kFirst, first }, { B_SOME_APP_QUIT, kFirst, first } }));
}
