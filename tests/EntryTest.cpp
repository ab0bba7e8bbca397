#include <Entry.h>

#include <Directory.h>
#include <Message.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "ScratchDirectory.h"
#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

class EntryTest : public testing::Test {
protected:
	void SetUp() override
	{
		fFile = fScratch / "file";
		fLink = fScratch / "link";
		ASSERT_TRUE(fScratch.WriteFile("file", ""));
		ASSERT_EQ(symlink("file", fLink.c_str()), 0);
	}

	ScratchDirectory fScratch{"entry"};
	std::string fFile;
	std::string fLink;
};

} // namespace


TEST_F(EntryTest, FollowsLinksOnlyWhenAsked)
{
	BEntry entry(fLink.c_str(), false);
	ASSERT_EQ(entry.InitCheck(), B_OK);
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(fLink, path.Path());
	char name[B_FILE_NAME_LENGTH];
	ASSERT_EQ(entry.GetName(name), B_OK);
	EXPECT_STREQ(name, "link");

	ASSERT_EQ(entry.SetTo(fLink.c_str(), true), B_OK);
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(fFile, path.Path());

	// A dangling link exists as an entry, but cannot be followed.
	unlink(fFile.c_str());
	EXPECT_EQ(entry.SetTo(fLink.c_str(), false), B_OK);
	EXPECT_TRUE(entry.Exists());
	EXPECT_EQ(entry.SetTo(fLink.c_str(), true), B_ENTRY_NOT_FOUND);
}


TEST_F(EntryTest, RefsNameTheEntryAndLeavesNeedNotExist)
{
	std::string missing = fScratch / "missing";
	BEntry entry(missing.c_str());
	ASSERT_EQ(entry.InitCheck(), B_OK);
	EXPECT_FALSE(entry.Exists());

	entry_ref ref;
	ASSERT_EQ(entry.GetRef(&ref), B_OK);
	EXPECT_STREQ(ref.name, "missing");
	BEntry again(&ref);
	ASSERT_EQ(again.InitCheck(), B_OK);
	EXPECT_TRUE(again == entry);

	BEntry parent;
	ASSERT_EQ(entry.GetParent(&parent), B_OK);
	BPath parentPath(&parent);
	EXPECT_EQ(fScratch.Path(), parentPath.Path());

	EXPECT_EQ(BEntry((fScratch / "none/child").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(BEntry().InitCheck(), B_NO_INIT);

	// An unknown directory cannot be resolved.
	entry_ref unknown(ref.device, 1, "x");
	EXPECT_EQ(BEntry(&unknown).InitCheck(), B_ENTRY_NOT_FOUND);
	entry_ref copy = ref;
	EXPECT_TRUE(copy == ref);
	copy.set_name("other");
	EXPECT_TRUE(copy != ref);
}


TEST_F(EntryTest, AnotherProcessOpensTheSameFile)
{
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(fFile.c_str(), &ref), B_OK);
	BMessage message;
	ASSERT_EQ(message.AddRef("be:ref", &ref), B_OK);
	std::vector<char> flat(message.FlattenedSize());
	ASSERT_EQ(message.Flatten(flat.data(), flat.size()), B_OK);
	std::string hex;
	for (char byte : flat) {
		char digits[3];
		snprintf(digits, sizeof(digits), "%02x", (unsigned char)byte);
		hex += digits;
	}

	// A fresh process, which has never seen the directory, resolves the ref.
	TestRuntime runtime;
	std::string output;
	EXPECT_EQ(runtime.Run("EntryRefResolver", { hex }, &output, kWaitTimeout), 0) << output;
	EXPECT_EQ(output, fFile + "\n");
}


TEST_F(EntryTest, KindsAreTheEntrysOwnNotTheLinkTargets)
{
	BEntry link(fLink.c_str());
	EXPECT_TRUE(link.IsSymLink());
	EXPECT_FALSE(link.IsFile());
	BEntry followed(fLink.c_str(), true);
	EXPECT_TRUE(followed.IsFile());
	BEntry directory(fScratch.Path().c_str());
	EXPECT_TRUE(directory.IsDirectory());
	BDirectory parent;
	EXPECT_EQ(followed.GetParent(&parent), B_OK);
	EXPECT_TRUE(parent.Contains("file"));
}


TEST_F(EntryTest, RenameFollowsTheEntryAndRefusesToClobber)
{
	ASSERT_TRUE(fScratch.WriteFile("other", "x"));
	BEntry entry(fFile.c_str());
	EXPECT_EQ(entry.Rename("other"), B_FILE_EXISTS);
	EXPECT_TRUE(entry.Exists());
	EXPECT_EQ(entry.Rename("renamed"), B_OK);
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(std::string(path.Path()), fScratch / "renamed");
	EXPECT_EQ(access(fFile.c_str(), F_OK), -1);

	EXPECT_EQ(entry.Rename("other", true), B_OK);
	EXPECT_EQ(access((fScratch / "renamed").c_str(), F_OK), -1);
	EXPECT_EQ(entry.Rename(""), B_BAD_VALUE);
}


TEST_F(EntryTest, MoveToPutsTheEntryInAnotherDirectory)
{
	BDirectory scratch(fScratch.Path().c_str());
	BDirectory sub;
	ASSERT_EQ(scratch.CreateDirectory("sub", &sub), B_OK);
	BEntry entry(fFile.c_str());
	EXPECT_EQ(entry.MoveTo(&sub), B_OK);
	EXPECT_EQ(access((fScratch / "sub/file").c_str(), F_OK), 0);
	EXPECT_EQ(entry.MoveTo(&scratch, "back"), B_OK);
	EXPECT_EQ(access((fScratch / "back").c_str(), F_OK), 0);
	EXPECT_EQ(entry.MoveTo(NULL), B_BAD_VALUE);
}


TEST_F(EntryTest, RemoveTakesFilesLinksAndEmptyDirectoriesOnly)
{
	BEntry link(fLink.c_str());
	EXPECT_EQ(link.Remove(), B_OK);
	EXPECT_EQ(access(fFile.c_str(), F_OK), 0);

	ASSERT_EQ(mkdir((fScratch / "full").c_str(), 0700), 0);
	ASSERT_TRUE(fScratch.WriteFile("full/inside", ""));
	BEntry full((fScratch / "full").c_str());
	EXPECT_NE(full.Remove(), B_OK);
	EXPECT_TRUE(full.Exists());
	BEntry inside((fScratch / "full/inside").c_str());
	EXPECT_EQ(inside.Remove(), B_OK);
	EXPECT_EQ(full.Remove(), B_OK);
	EXPECT_FALSE(full.Exists());
	EXPECT_EQ(full.Remove(), B_ENTRY_NOT_FOUND);
}
