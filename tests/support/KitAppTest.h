// A fixture for tests of several kit applications under one registrar: each test gets its
// own runtime with a registrar running, and starts KitTestApp instances in it. A fixture
// made with a signature starts one KitTestApp of that signature before each test, as
// the application the test talks to (fApp, fMessenger). A KitTestApp started with
// --watch keeps the roster's notices it hears; NoticesHeard() reads them.
#ifndef _KIT_APP_TEST_H
#define _KIT_APP_TEST_H

#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestRuntime.h"
#include "WaitFor.h"

// A launch or quit notice as a watching KitTestApp heard it.
struct HeardNotice {
	uint32 what;
	std::string signature;
	team_id team;
	bool operator==(const HeardNotice&) const = default;
};


inline void
PrintTo(const HeardNotice& notice, std::ostream* out)
{
	*out << (notice.what == B_SOME_APP_LAUNCHED ? "launched " : notice.what
		== B_SOME_APP_QUIT ? "quit " : "other ") << notice.signature << " " << notice.team;
}

class KitAppTest : public ::testing::Test {
protected:
	explicit KitAppTest(const char* target = NULL)
		:
		fTarget(target)
	{
	}

	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
		if (fTarget != NULL) {
			fApp = StartApp(fTarget);
			fMessenger = BMessenger(fTarget);
			ASSERT_TRUE(fMessenger.IsValid());
		}
	}

	// Starts KitTestApp with the signature and arguments, and waits until the roster
	// lists it.
	pid_t StartApp(const char* signature, std::vector<std::string> arguments = {})
	{
		arguments.insert(arguments.begin(), signature);
		pid_t app = fRuntime.Start("KitTestApp", arguments);
		EXPECT_TRUE(fRuntime.WaitForApp(signature));
		return app;
	}

	// The teams the roster lists, in its order.
	std::vector<team_id> AppList()
	{
		BList teams;
		be_roster->GetAppList(&teams);
		std::vector<team_id> result;
		for (int32 i = 0; i < teams.CountItems(); i++)
			result.push_back((team_id)(intptr_t)teams.ItemAt(i));
		return result;
	}

	// The notices the watching KitTestApp behind watcher has heard so far, in order;
	// none when it does not answer.
	static std::vector<HeardNotice> NoticesHeard(const BMessenger& watcher)
	{
		BMessage reply;
		std::vector<HeardNotice> heard;
		if (watcher.SendMessage('ntcs', &reply) != B_OK)
			return heard;
		int32 what;
		for (int32 i = 0; reply.FindInt32("what", i, &what) == B_OK; i++) {
			const char* signature = "";
			int32 team = -1;
			reply.FindString("signature", i, &signature);
			reply.FindInt32("team", i, &team);
			heard.push_back({ (uint32)what, signature, team });
		}
		return heard;
	}

	// The notices heard once count have come (or kWaitTimeout has passed), and a moment
	// more, so that a notice too many shows.
	static std::vector<HeardNotice> WaitForNotices(const BMessenger& watcher, size_t count)
	{
		wait_for([&] { return NoticesHeard(watcher).size() >= count; });
		snooze(100000);
		return NoticesHeard(watcher);
	}

	TestRuntime fRuntime;
	const char* fTarget;
	pid_t fApp = -1;
	BMessenger fMessenger;
};

#endif // _KIT_APP_TEST_H
