#include <Path.h>

#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <vector>

#include "ScratchDirectory.h"

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


TEST(PathTest, FlattensAsTheRefOfItsEntry)
{
	ScratchDirectory scratch("path-flatten");
	BPath path((scratch / "leaf-need-not-exist").c_str());
	EXPECT_FALSE(path.IsFixedSize());
	EXPECT_EQ(path.TypeCode(), (type_code)B_REF_TYPE);
	EXPECT_TRUE(path.AllowsTypeCode(B_REF_TYPE));
	EXPECT_FALSE(path.AllowsTypeCode(B_STRING_TYPE));
	ssize_t size = path.FlattenedSize();
	ASSERT_GT(size, 24);
	std::vector<char> buffer(size);
	ASSERT_EQ(path.Flatten(buffer.data(), size), B_OK);
	EXPECT_EQ(path.Flatten(buffer.data(), size - 1), B_BAD_VALUE);

	BPath copy;
	ASSERT_EQ(copy.Unflatten(B_REF_TYPE, buffer.data(), size), B_OK);
	EXPECT_STREQ(copy.Path(), path.Path());

	// Bad bytes leave the path as it was.
	buffer[20] = 1;
	EXPECT_EQ(copy.Unflatten(B_REF_TYPE, buffer.data(), size), B_BAD_DATA);
	EXPECT_STREQ(copy.Path(), path.Path());
	EXPECT_EQ(copy.Unflatten(B_STRING_TYPE, buffer.data(), size), B_BAD_VALUE);

	BPath empty;
	std::vector<char> none(empty.FlattenedSize());
	ASSERT_EQ(empty.Flatten(none.data(), none.size()), B_OK);
	ASSERT_EQ(copy.Unflatten(B_REF_TYPE, none.data(), none.size()), B_OK);
	EXPECT_NE(copy.InitCheck(), B_OK);
}
