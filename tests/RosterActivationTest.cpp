// The active application: windows that become active tell the registrar, which tells the
// applications concerned (B_APP_ACTIVATED); BRoster::ActivateApp brings an application's
// window forward through the application itself.
#include <Roster.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ScopedEnvironment.h"
#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

const char* kFirst = "application/x-vnd.test-active-first";
const char* kSecond = "application/x-vnd.test-active-second";


class RosterActivationTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	}

	pid_t StartApp(const char* signature, const std::string& output)
	{
		pid_t app = fRuntime.Start("ActivationTestApp", { signature }, output);
		EXPECT_TRUE(fRuntime.WaitForApp(signature));
		return app;
	}

	static team_id ActiveTeam()
	{
		app_info info;
		return be_roster->GetActiveAppInfo(&info) == B_OK ? info.team : -1;
	}

	static std::string Output(const std::string& path)
	{
		std::ifstream file(path);
		std::stringstream contents;
		contents << file.rdbuf();
		return contents.str();
	}

	// Each application shows its window on a display of its own.
	ScopedEnvironment fDisplay{"BE_DISPLAY", "offscreen"};
	TestRuntime fRuntime;
};

} // namespace


TEST_F(RosterActivationTest, TheApplicationWhoseWindowBecameActiveLastIsActive)
{
	app_info info;
	EXPECT_EQ(be_roster->GetActiveAppInfo(&info), B_ERROR);
	EXPECT_EQ(be_roster->GetActiveAppInfo(NULL), B_BAD_VALUE);

	std::string firstOutput = fRuntime.Directory() + "/first.out";
	std::string secondOutput = fRuntime.Directory() + "/second.out";
	pid_t first = StartApp(kFirst, firstOutput);
	ASSERT_TRUE(wait_for([&] { return ActiveTeam() == first; }));
	ASSERT_EQ(be_roster->GetActiveAppInfo(&info), B_OK);
	EXPECT_STREQ(info.signature, kFirst);

	pid_t second = StartApp(kSecond, secondOutput);
	ASSERT_TRUE(wait_for([&] { return ActiveTeam() == second; }));
	EXPECT_TRUE(wait_for([&] { return Output(firstOutput) == "activated 1\nactivated 0\n"; }))
		<< Output(firstOutput);
	EXPECT_TRUE(wait_for([&] { return Output(secondOutput) == "activated 1\n"; }))
		<< Output(secondOutput);

	// The first brings its window forward itself, and is active again.
	ASSERT_EQ(be_roster->ActivateApp(first), B_OK);
	ASSERT_TRUE(wait_for([&] { return ActiveTeam() == first; }));
	EXPECT_TRUE(wait_for([&] { return Output(secondOutput) == "activated 1\nactivated 0\n"; }))
		<< Output(secondOutput);

	// An application that ends is active no more.
	ASSERT_GE(fRuntime.Stop(first, SIGKILL), 0);
	ASSERT_TRUE(fRuntime.WaitForAppGone(first));
	EXPECT_EQ(be_roster->GetActiveAppInfo(&info), B_ERROR);
}


TEST_F(RosterActivationTest, ActivatingWhatIsNoApplicationFails)
{
	EXPECT_EQ(be_roster->ActivateApp(-1), B_BAD_TEAM_ID);
	EXPECT_EQ(be_roster->ActivateApp(getpid()), B_BAD_TEAM_ID);
}
