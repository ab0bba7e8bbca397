// A fixture for tests of several kit applications under one registrar: each test gets its
// own runtime with a registrar running, and starts KitTestApp instances in it.
#ifndef _KIT_APP_TEST_H
#define _KIT_APP_TEST_H

#include <List.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestRuntime.h"

class KitAppTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
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

	TestRuntime fRuntime;
};

#endif // _KIT_APP_TEST_H
