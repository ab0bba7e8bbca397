// Debug.h with DEBUG on: assertions stop the team in debugger(), printing follows the
// run-time flag; and SERIAL_PRINT goes to standard error.
#define DEBUG 1
#include <Debug.h>

#include <Rect.h>

#include <gtest/gtest.h>

#include <string>


TEST(Debug, PrintFollowsTheRuntimeFlag)
{
	testing::internal::CaptureStdout();
	PRINT(("value %d\n", 42));
	bool previous = SET_DEBUG_ENABLED(false);
	EXPECT_TRUE(previous);
	EXPECT_FALSE(IS_DEBUG_ENABLED());
	PRINT(("hidden\n"));
	SET_DEBUG_ENABLED(true);
	PRINT_OBJECT(BRect(1, 2, 3, 4));
	std::string output = testing::internal::GetCapturedStdout();
	EXPECT_EQ(output.find("value 42\n"), 0u) << output;
	EXPECT_EQ(output.find("hidden"), std::string::npos) << output;
	EXPECT_NE(output.find("BRect(1, 2, 3, 4)\tBRect(l:1.0, t:2.0, r:3.0, b:4.0)"),
		std::string::npos) << output;
}


TEST(Debug, SerialPrintGoesToStandardError)
{
	testing::internal::CaptureStderr();
	SERIAL_PRINT(("serial %s\n", "line"));
	EXPECT_EQ(testing::internal::GetCapturedStderr(), "serial line\n");
}


TEST(Debug, PassingAssertionDoesNothing)
{
	int evaluated = 0;
	ASSERT((evaluated++, true));
	EXPECT_EQ(evaluated, 1);
}


TEST(DebugDeathTest, FailedAssertionStopsInTheDebugger)
{
	EXPECT_DEATH(ASSERT(1 + 1 == 3), "debugger\\(\\): Assert failed: .*DebugTest.cpp:[0-9]+: "
		"1 \\+ 1 == 3");
	EXPECT_DEATH(debugger("by hand"), "debugger\\(\\): by hand");
}
