// Teams of the user, described from /proc, and ended by kill_team; a real child process
// stands for another team.
#include <OS.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

class TeamsTest : public testing::Test {
protected:
	void SetUp() override
	{
		fChild = fork();
		ASSERT_GE(fChild, 0);
		if (fChild == 0) {
			execl("/bin/sleep", "sleep", "30", (char*)nullptr);
			_exit(127);
		}
		// Described once it runs the program rather than a copy of the test.
		ASSERT_TRUE(wait_for([this] {
			team_info info;
			return get_team_info(fChild, &info) == B_OK && strstr(info.args, "sleep") != nullptr;
		}));
	}

	void TearDown() override
	{
		if (fChild > 0) {
			kill(fChild, SIGKILL);
			waitpid(fChild, nullptr, 0);
		}
	}

	pid_t fChild = -1;
};

} // namespace


TEST_F(TeamsTest, DescribesAnotherTeamOfTheUser)
{
	team_info info;
	ASSERT_EQ(get_team_info(fChild, &info), B_OK);
	EXPECT_EQ(info.team, fChild);
	EXPECT_EQ(info.thread_count, 1);
	EXPECT_EQ(info.argc, 2);
	EXPECT_STREQ(info.args, "sleep 30");
	EXPECT_EQ(info.uid, getuid());
	EXPECT_GT(info.image_count, 0);
	EXPECT_GT(info.area_count, 0);

	int32 cookie = 0;
	thread_info thread;
	ASSERT_EQ(get_next_thread_info(fChild, &cookie, &thread), B_OK);
	EXPECT_EQ(thread.thread, fChild);
	EXPECT_EQ(thread.team, fChild);
	EXPECT_STREQ(thread.name, "sleep");
	EXPECT_EQ(get_next_thread_info(fChild, &cookie, &thread), B_BAD_VALUE);
}


TEST_F(TeamsTest, ListsTeamsInOrderIncludingThisOne)
{
	int32 cookie = 0;
	team_info info;
	team_id last = 0;
	bool sawSelf = false, sawChild = false;
	while (get_next_team_info(&cookie, &info) == B_OK) {
		EXPECT_GT(info.team, last);
		last = info.team;
		sawSelf |= info.team == getpid();
		sawChild |= info.team == fChild;
	}
	EXPECT_TRUE(sawSelf);
	EXPECT_TRUE(sawChild);
	ASSERT_EQ(get_team_info(B_CURRENT_TEAM, &info), B_OK);
	EXPECT_EQ(info.team, getpid());
	EXPECT_GT(info.thread_count, 0);
}


TEST_F(TeamsTest, KillTeamEndsIt)
{
	ASSERT_EQ(kill_team(fChild), B_OK);
	int status = 0;
	ASSERT_EQ(waitpid(fChild, &status, 0), fChild);
	EXPECT_TRUE(WIFSIGNALED(status));
	team_info info;
	EXPECT_EQ(get_team_info(fChild, &info), B_BAD_TEAM_ID);
	EXPECT_EQ(kill_team(fChild), B_BAD_TEAM_ID);
	fChild = -1;
}


TEST(Teams, UsageAndBadArguments)
{
	team_usage_info usage;
	ASSERT_EQ(get_team_usage_info(B_CURRENT_TEAM, B_TEAM_USAGE_SELF, &usage), B_OK);
	EXPECT_GE(usage.user_time + usage.kernel_time, 0);
	EXPECT_EQ(get_team_usage_info(B_CURRENT_TEAM, 5, &usage), B_BAD_VALUE);
	team_info info;
	EXPECT_EQ(get_team_info(-7, &info), B_BAD_TEAM_ID);
	EXPECT_EQ(kill_team(B_SYSTEM_TEAM), B_BAD_TEAM_ID);
	EXPECT_EQ(_get_team_info(0, &info, sizeof(info) - 1), B_BAD_VALUE);
}
