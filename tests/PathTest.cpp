#include <Path.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

TEST(PathTest, NormalizesOnlyWhatNeedsIt)
{
	BPath path("/no/such/directory/file");
	ASSERT_EQ(path.InitCheck(), B_OK);
	EXPECT_STREQ(path.Path(), "/no/such/directory/file");
	EXPECT_STREQ(path.Leaf(), "file");

	// Anything that needs the file system's help does need the directory.
	EXPECT_NE(BPath("/no/such/../file").InitCheck(), B_OK);

	char* cwd = getcwd(NULL, 0);
	char* real = realpath(cwd, NULL);
	BPath relative("relative-leaf");
	ASSERT_EQ(relative.InitCheck(), B_OK);
	EXPECT_EQ(std::string(real) + "/relative-leaf", relative.Path());
	free(cwd);
	free(real);

	BPath dots("/usr/./lib/../bin/");
	ASSERT_EQ(dots.InitCheck(), B_OK);
	BPath bin("/usr/bin", NULL, true);
	EXPECT_TRUE(dots == bin);

	BPath root("/");
	EXPECT_STREQ(root.Leaf(), "");
	BPath parent;
	EXPECT_EQ(root.GetParent(&parent), B_ENTRY_NOT_FOUND);
}


TEST(PathTest, AppendsAndClimbs)
{
	BPath path("/usr", "lib");
	EXPECT_STREQ(path.Path(), "/usr/lib");
	ASSERT_EQ(path.Append("x/y"), B_OK);
	EXPECT_STREQ(path.Path(), "/usr/lib/x/y");
	EXPECT_EQ(path.Append("/absolute"), B_BAD_VALUE);
	BPath parent;
	ASSERT_EQ(path.GetParent(&parent), B_OK);
	EXPECT_STREQ(parent.Path(), "/usr/lib/x");
	BPath top("/usr");
	ASSERT_EQ(top.GetParent(&parent), B_OK);
	EXPECT_STREQ(parent.Path(), "/");
	EXPECT_EQ(BPath().InitCheck(), B_NO_INIT);
	EXPECT_EQ(BPath().Path(), nullptr);
	EXPECT_EQ(BPath("/a", "/b").InitCheck(), B_BAD_VALUE);
}
