#include <Entry.h>

#include <Path.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace {

class EntryTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/qv-entry-test-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		// The temporary directory may itself sit behind a link.
		char* real = realpath(pattern, NULL);
		fDirectory = real;
		free(real);
		fFile = fDirectory + "/file";
		fLink = fDirectory + "/link";
		FILE* file = fopen(fFile.c_str(), "w");
		ASSERT_NE(file, nullptr);
		fclose(file);
		ASSERT_EQ(symlink("file", fLink.c_str()), 0);
	}

	void TearDown() override
	{
		unlink(fLink.c_str());
		unlink(fFile.c_str());
		rmdir(fDirectory.c_str());
	}

	std::string fDirectory;
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
	std::string missing = fDirectory + "/missing";
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
	EXPECT_EQ(fDirectory, parentPath.Path());

	EXPECT_EQ(BEntry((fDirectory + "/none/child").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(BEntry().InitCheck(), B_NO_INIT);

	// An unknown directory cannot be resolved.
	entry_ref unknown(ref.device, 1, "x");
	EXPECT_EQ(BEntry(&unknown).InitCheck(), B_ENTRY_NOT_FOUND);
	entry_ref copy = ref;
	EXPECT_TRUE(copy == ref);
	copy.set_name("other");
	EXPECT_TRUE(copy != ref);
}
