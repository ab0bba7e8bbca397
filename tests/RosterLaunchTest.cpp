// BRoster::Launch starting real processes: arguments and messages reaching a new
// application, a running single-launch one taking them instead, and the errors of
// launches that cannot happen.
#include <Entry.h>
#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "KitAppTest.h"
#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"
#include "WaitFor.h"

namespace {

const char* kLaunchedSignature = "application/x-vnd.test-launched";


class RosterLaunchTest : public KitAppTest {
protected:
	void TearDown() override
	{
		// Launched processes are nobody's children: each is stopped here.
		for (team_id team : fLaunched)
			kill(team, SIGKILL);
	}

	entry_ref RefFor(const std::string& path)
	{
		entry_ref ref;
		EXPECT_EQ(get_ref_for_path(path.c_str(), &ref), B_OK);
		return ref;
	}

	// What the KitTestApp of team answers to request, once it answers.
	BMessage Ask(team_id team, const char* signature, uint32 request)
	{
		BMessage reply;
		BMessenger app(signature, team);
		BMessage message(request);
		EXPECT_EQ(app.SendMessage(&message, &reply, kWaitTimeout, kWaitTimeout), B_OK);
		return reply;
	}

	std::vector<std::string> Notes(team_id team, const char* signature)
	{
		std::vector<std::string> notes;
		BMessage reply = Ask(team, signature, 'nots');
		const char* note;
		for (int32 i = 0; reply.FindString("note", i, &note) == B_OK; i++)
			notes.push_back(note);
		return notes;
	}

	std::vector<team_id> fLaunched;
	// Launch records the applications it starts among the user's recent ones.
	ScratchDirectory fSettings{"settings"};
	ScopedEnvironment fSettingsHome{"XDG_CONFIG_HOME", fSettings.Path()};
};

} // namespace


TEST_F(RosterLaunchTest, AnExecutableStartsWithItsArguments)
{
	entry_ref app = RefFor(TestRuntime::BinaryPath("KitTestApp"));
	const char* args[] = { kLaunchedSignature, "first", "second word" };
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(&app, 3, args, &team), B_OK);
	fLaunched.push_back(team);
	ASSERT_GT(team, 0);
	ASSERT_TRUE(fRuntime.WaitForApp(kLaunchedSignature));
	EXPECT_EQ(be_roster->TeamFor(kLaunchedSignature), team);

	BMessage arguments = Ask(team, kLaunchedSignature, 'args');
	EXPECT_EQ(arguments.FindInt32("argc"), 4);
	EXPECT_STREQ(arguments.FindString("argv", 1), kLaunchedSignature);
	EXPECT_STREQ(arguments.FindString("argv", 3), "second word");

	BMessage recent;
	be_roster->GetRecentApps(&recent, 5);
	entry_ref recorded;
	ASSERT_EQ(recent.FindRef("refs", &recorded), B_OK);
	EXPECT_EQ(recorded, app);
}


TEST_F(RosterLaunchTest, TheNewApplicationGetsTheLaunchMessages)
{
	// Started without arguments, KitTestApp takes this signature.
	const char* signature = "application/x-vnd.test-kit";
	entry_ref app = RefFor(TestRuntime::BinaryPath("KitTestApp"));
	BMessage first('note');
	first.AddString("note", "one");
	BMessage second('note');
	second.AddString("note", "two");
	BList messages;
	messages.AddItem(&first);
	messages.AddItem(&second);

	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(&app, &messages, &team), B_OK);
	fLaunched.push_back(team);
	ASSERT_TRUE(wait_for([&] { return Notes(team, signature).size() == 2; }));
	EXPECT_EQ(Notes(team, signature), (std::vector<std::string>{ "one", "two" }));

	// By signature: the running one's executable, started again (it is multiple launch).
	team_id again = -1;
	ASSERT_EQ(be_roster->Launch(signature, &first, &again), B_OK);
	fLaunched.push_back(again);
	EXPECT_NE(again, team);
	ASSERT_TRUE(wait_for([&] { return Notes(again, signature).size() == 1; }));
}


TEST_F(RosterLaunchTest, ARunningSingleLaunchApplicationTakesTheMessageInstead)
{
	const char* signature = "application/x-vnd.test-single";
	pid_t running = fRuntime.Start("SingleLaunchTestApp", { signature });
	ASSERT_TRUE(fRuntime.WaitForApp(signature));

	BMessage note('note');
	note.AddString("note", "for the running one");
	team_id team = -1;
	entry_ref app = RefFor(TestRuntime::BinaryPath("SingleLaunchTestApp"));
	EXPECT_EQ(be_roster->Launch(&app, &note, &team), B_ALREADY_RUNNING);
	EXPECT_EQ(team, running);
	EXPECT_TRUE(wait_for([&] { return Notes(running, signature).size() == 1; }));

	const char* args[] = { "an argument" };
	EXPECT_EQ(be_roster->Launch(signature, 1, args, &team), B_ALREADY_RUNNING);
	// Its own arguments came first; the launch's follow as a second list.
	ASSERT_TRUE(wait_for([&] {
		return Ask(running, signature, 'args').FindString("argv", 3) != NULL;
	}));
	EXPECT_STREQ(Ask(running, signature, 'args').FindString("argv", 3), "an argument");
}


TEST_F(RosterLaunchTest, ADocumentGoesToItsPreferredApplication)
{
	const char* signature = "application/x-vnd.test-kit";
	pid_t viewer = fRuntime.Start("KitTestApp", {});
	ASSERT_TRUE(fRuntime.WaitForApp(signature));
	ScratchDirectory scratch("launch");
	ASSERT_TRUE(scratch.WriteFile("letter.txt", "Dear reader"));
	BNode node((scratch / "letter.txt").c_str());
	BNodeInfo info(&node);
	ASSERT_EQ(info.SetPreferredApp(signature), B_OK);

	// KitTestApp is built for multiple launch, so a second one starts and gets the ref.
	entry_ref document = RefFor(scratch / "letter.txt");
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(&document, (BMessage*)NULL, &team), B_OK);
	fLaunched.push_back(team);
	EXPECT_NE(team, viewer);
	ASSERT_TRUE(wait_for([&] { return !Notes(team, signature).empty(); }));
	EXPECT_EQ(Notes(team, signature), (std::vector<std::string>{ "ref:letter.txt" }));
	EXPECT_TRUE(Notes(viewer, signature).empty());
}


TEST_F(RosterLaunchTest, LaunchesThatCannotHappenSaySo)
{
	EXPECT_EQ(be_roster->Launch((const entry_ref*)NULL), B_BAD_VALUE);
	EXPECT_EQ(be_roster->Launch((const char*)NULL), B_BAD_VALUE);
	EXPECT_EQ(be_roster->Launch("not a type"), B_BAD_VALUE);
	EXPECT_EQ(be_roster->Launch("application/x-vnd.test-nobody"),
		B_LAUNCH_FAILED_APP_NOT_FOUND);
	EXPECT_EQ(be_roster->Launch("text/x-vnd.test-untyped"), B_LAUNCH_FAILED_NO_PREFERRED_APP);

	ScratchDirectory scratch("launch");
	ASSERT_TRUE(scratch.WriteFile("plain", "no type, no application"));
	entry_ref plain = RefFor(scratch / "plain");
	EXPECT_EQ(be_roster->Launch(&plain), B_LAUNCH_FAILED_NO_PREFERRED_APP);

	// Executable by its mode, but nothing the system can run.
	ASSERT_TRUE(scratch.WriteFile("broken", "\x7f" "ELF but not really"));
	ASSERT_EQ(chmod((scratch / "broken").c_str(), 0700), 0);
	entry_ref broken = RefFor(scratch / "broken");
	team_id team = -1;
	EXPECT_EQ(be_roster->Launch(&broken, 0, NULL, &team), B_LAUNCH_FAILED_EXECUTABLE);

	entry_ref gone = RefFor(scratch / "gone");
	EXPECT_EQ(be_roster->Launch(&gone), B_ENTRY_NOT_FOUND);
}
