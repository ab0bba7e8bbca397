#include <Errors.h>
#include <SupportDefs.h>

#include <gtest/gtest.h>

#include <errno.h>
#include <string.h>

TEST(ErrorsTest, NamesPlatformCodesAndFallsBackToTheSystem)
{
	EXPECT_STREQ(strerror(B_BAD_SCRIPT_SYNTAX), "Bad script syntax");
	EXPECT_STREQ(strerror(B_OK), "No error");
	EXPECT_STREQ(strerror(B_BAD_INDEX), "Index not in range for the data set");
	EXPECT_STREQ(strerror(ENOENT), "No such file or directory");
	EXPECT_EQ(B_BAD_SCRIPT_SYNTAX, (int32)0x80002008);
	EXPECT_STRNE(strerror(B_GENERAL_ERROR_BASE + 0x5555), "");
}
