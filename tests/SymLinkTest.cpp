// Symbolic links held as nodes of their own: made through BDirectory, read, resolved
// against their directory, and refused where the entry is no link.
#include <Directory.h>
#include <Entry.h>
#include <Path.h>
#include <SymLink.h>

#include <gtest/gtest.h>

#include <string.h>

#include "ScratchDirectory.h"

namespace {

class SymLinkTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("target", "contents"));
		ASSERT_EQ(fDirectory.SetTo(fScratch.Path().c_str()), B_OK);
	}

	ScratchDirectory fScratch{"symlink"};
	BDirectory fDirectory;
};

} // namespace


TEST_F(SymLinkTest, RelativeLinkReadsAndResolvesAgainstItsDirectory)
{
	BSymLink link;
	ASSERT_EQ(fDirectory.CreateSymLink("relative", "target", &link), B_OK);
	ASSERT_EQ(link.InitCheck(), B_OK);
	EXPECT_TRUE(link.IsSymLink());
	EXPECT_FALSE(link.IsAbsolute());

	char contents[B_PATH_NAME_LENGTH];
	EXPECT_EQ(link.ReadLink(contents, sizeof(contents)), 6);
	EXPECT_STREQ(contents, "target");

	BPath resolved;
	EXPECT_EQ(link.MakeLinkedPath(&fDirectory, &resolved),
		(ssize_t)(fScratch / "target").size());
	EXPECT_STREQ(resolved.Path(), (fScratch / "target").c_str());
}


TEST_F(SymLinkTest, AbsoluteLinkIgnoresTheDirectory)
{
	std::string target = fScratch / "target";
	ASSERT_EQ(fDirectory.CreateSymLink("absolute", target.c_str(), NULL), B_OK);
	BSymLink link(&fDirectory, "absolute");
	ASSERT_EQ(link.InitCheck(), B_OK);
	EXPECT_TRUE(link.IsAbsolute());
	BPath resolved;
	EXPECT_GT(link.MakeLinkedPath("/somewhere/else", &resolved), 0);
	EXPECT_STREQ(resolved.Path(), target.c_str());
}


TEST_F(SymLinkTest, ShortBufferIsCutButTheFullLengthIsReturned)
{
	ASSERT_EQ(fDirectory.CreateSymLink("link", "a-rather-long-target", NULL), B_OK);
	BSymLink link((fScratch / "link").c_str());
	char small[4];
	EXPECT_EQ(link.ReadLink(small, sizeof(small)), 20);
	EXPECT_STREQ(small, "a-r");
}


TEST_F(SymLinkTest, BadInputGetsClearErrors)
{
	ASSERT_EQ(fDirectory.CreateSymLink("link", "target", NULL), B_OK);
	EXPECT_EQ(fDirectory.CreateSymLink("link", "elsewhere", NULL), B_FILE_EXISTS);
	EXPECT_EQ(fDirectory.CreateSymLink("other", "", NULL), B_BAD_VALUE);

	// A regular file is no link, and nothing is no link either.
	BSymLink notALink((fScratch / "target").c_str());
	EXPECT_EQ(notALink.InitCheck(), B_BAD_VALUE);
	BSymLink missing((fScratch / "missing").c_str());
	EXPECT_EQ(missing.InitCheck(), B_ENTRY_NOT_FOUND);
	char buffer[8];
	EXPECT_EQ(missing.ReadLink(buffer, sizeof(buffer)), B_FILE_ERROR);
}


TEST_F(SymLinkTest, DanglingLinkOpensAsItself)
{
	ASSERT_EQ(fDirectory.CreateSymLink("dangling", "nowhere", NULL), B_OK);
	BEntry entry(&fDirectory, "dangling");
	BSymLink link(&entry);
	ASSERT_EQ(link.InitCheck(), B_OK);
	char contents[16];
	EXPECT_EQ(link.ReadLink(contents, sizeof(contents)), 7);
}
