// Launch flags come from an executable's resources: a program that records single launch
// runs once, and a second start hands its arguments to the first.
#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <string.h>
#include <sys/wait.h>

#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

const char* kSignature = "application/x-vnd.test-single";

int32
count_running(const char* signature)
{
	BList teams;
	be_roster->GetAppList(signature, &teams);
	return teams.CountItems();
}

} // namespace


TEST(LaunchFlagsTest, RecordedSingleLaunchHandsArgumentsToTheRunningInstance)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	pid_t first = runtime.Start("SingleLaunchTestApp", { kSignature });
	ASSERT_TRUE(runtime.WaitForApp(kSignature));

	app_info info;
	ASSERT_EQ(be_roster->GetAppInfo(kSignature, &info), B_OK);
	EXPECT_EQ(info.team, first);
	EXPECT_EQ(info.flags & B_LAUNCH_MASK, (uint32)B_SINGLE_LAUNCH);

	pid_t second = runtime.Start("SingleLaunchTestApp", { kSignature, "hello" });
	int status = runtime.Wait(second);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);
	EXPECT_EQ(count_running(kSignature), 1);

	BMessage request('args');
	BMessage reply;
	ASSERT_EQ(BMessenger(kSignature).SendMessage(&request, &reply), B_OK);
	bool handedOver = false;
	const char* argument;
	for (int32 i = 0; reply.FindString("argv", i, &argument) == B_OK; i++)
		handedOver |= strcmp(argument, "hello") == 0;
	EXPECT_TRUE(handedOver);
}


TEST(LaunchFlagsTest, WithoutRecordedFlagsAnApplicationLaunchesMultiply)
{
	const char* signature = "application/x-vnd.test-multiple";
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	runtime.Start("KitTestApp", { signature });
	ASSERT_TRUE(runtime.WaitForApp(signature));
	runtime.Start("KitTestApp", { signature });

	EXPECT_TRUE(wait_for([&] { return count_running(signature) == 2; }));
	app_info info;
	ASSERT_EQ(be_roster->GetAppInfo(signature, &info), B_OK);
	EXPECT_EQ(info.flags & B_LAUNCH_MASK, (uint32)B_MULTIPLE_LAUNCH);
}
