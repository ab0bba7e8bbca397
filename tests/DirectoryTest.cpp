// BDirectory: opening, iterating its entries in every form, lookups relative to it and
// creating entries; create_directory.
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>

#include "ScratchDirectory.h"

namespace {

class DirectoryTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("alpha", "a"));
		ASSERT_TRUE(fScratch.WriteFile("beta", "b"));
		ASSERT_EQ(mkdir((fScratch / "sub").c_str(), 0755), 0);
		ASSERT_EQ(symlink("alpha", (fScratch / "link").c_str()), 0);
		ASSERT_EQ(fDirectory.SetTo(fScratch.Path().c_str()), B_OK);
	}

	std::set<std::string> AllNames()
	{
		return { "alpha", "beta", "sub", "link" };
	}

	ScratchDirectory fScratch{"directory"};
	BDirectory fDirectory;
};

} // namespace


TEST_F(DirectoryTest, EntriesComeOnceEachWithoutDots)
{
	std::set<std::string> names;
	BEntry entry;
	while (fDirectory.GetNextEntry(&entry) == B_OK) {
		char name[B_FILE_NAME_LENGTH];
		ASSERT_EQ(entry.GetName(name), B_OK);
		EXPECT_TRUE(names.insert(name).second) << name;
	}
	EXPECT_EQ(names, AllNames());
	EXPECT_EQ(fDirectory.GetNextEntry(&entry), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(fDirectory.CountEntries(), 4);

	// Counting leaves the position alone; rewinding starts again.
	ASSERT_EQ(fDirectory.Rewind(), B_OK);
	entry_ref ref;
	int32 refs = 0;
	while (fDirectory.GetNextRef(&ref) == B_OK) {
		EXPECT_TRUE(AllNames().count(ref.name)) << ref.name;
		refs++;
	}
	EXPECT_EQ(refs, 4);
}


TEST_F(DirectoryTest, DirentsFillTheBufferAndResumeWhereTheyStopped)
{
	char buffer[4096];
	struct dirent* dirents = reinterpret_cast<struct dirent*>(buffer);
	std::set<std::string> names;
	// A buffer for one record at a time takes four calls.
	size_t oneRecord = offsetof(struct dirent, d_name) + 16;
	for (int i = 0; i < 4; i++) {
		ASSERT_EQ(fDirectory.GetNextDirents(dirents, oneRecord), 1) << i;
		names.insert(dirents->d_name);
	}
	EXPECT_EQ(fDirectory.GetNextDirents(dirents, sizeof(buffer)), 0);
	EXPECT_EQ(names, AllNames());

	fDirectory.Rewind();
	int32 count = fDirectory.GetNextDirents(dirents, sizeof(buffer));
	ASSERT_EQ(count, 4);
	size_t offset = 0;
	for (int32 i = 0; i < count; i++) {
		struct dirent* record = reinterpret_cast<struct dirent*>(buffer + offset);
		EXPECT_TRUE(AllNames().count(record->d_name));
		offset += record->d_reclen;
	}
}


TEST_F(DirectoryTest, LookupsAreRelativeToTheDirectory)
{
	BEntry entry;
	ASSERT_EQ(fDirectory.FindEntry("alpha", &entry), B_OK);
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(std::string(path.Path()), fScratch / "alpha");
	EXPECT_EQ(fDirectory.FindEntry("missing", &entry), B_ENTRY_NOT_FOUND);

	EXPECT_TRUE(fDirectory.Contains("alpha"));
	EXPECT_TRUE(fDirectory.Contains("alpha", B_FILE_NODE));
	EXPECT_FALSE(fDirectory.Contains("alpha", B_DIRECTORY_NODE));
	EXPECT_TRUE(fDirectory.Contains("link", B_SYMLINK_NODE));
	EXPECT_TRUE(fDirectory.Contains("sub", B_DIRECTORY_NODE));
	EXPECT_FALSE(fDirectory.Contains("missing"));

	BEntry inside((fScratch / "sub").c_str());
	BEntry outside("/tmp");
	EXPECT_TRUE(fDirectory.Contains(&inside));
	EXPECT_FALSE(fDirectory.Contains(&outside));

	struct stat st;
	ASSERT_EQ(fDirectory.GetStatFor("beta", &st), B_OK);
	EXPECT_EQ(st.st_size, 1);

	BDirectory sub(&fDirectory, "sub");
	ASSERT_EQ(sub.InitCheck(), B_OK);
	BEntry subEntry;
	ASSERT_EQ(sub.GetEntry(&subEntry), B_OK);
	EXPECT_TRUE(subEntry == inside);
}


TEST_F(DirectoryTest, CreatesFilesAndDirectories)
{
	BFile file;
	ASSERT_EQ(fDirectory.CreateFile("new", &file), B_OK);
	EXPECT_EQ(file.Write("xyz", 3), 3);
	EXPECT_EQ(fDirectory.CreateFile("new", NULL, true), B_FILE_EXISTS);
	// Without failIfExists the file is emptied.
	ASSERT_EQ(fDirectory.CreateFile("new", &file), B_OK);
	off_t size = -1;
	EXPECT_EQ(file.GetSize(&size), B_OK);
	EXPECT_EQ(size, 0);

	BDirectory created;
	ASSERT_EQ(fDirectory.CreateDirectory("made", &created), B_OK);
	EXPECT_EQ(created.CountEntries(), 0);
	EXPECT_EQ(fDirectory.CreateDirectory("made", NULL), B_FILE_EXISTS);

	std::string deep = fScratch / "one/two/three";
	EXPECT_EQ(create_directory(deep.c_str(), 0755), B_OK);
	EXPECT_EQ(create_directory(deep.c_str(), 0755), B_OK);
	EXPECT_EQ(create_directory((fScratch / "alpha/x").c_str(), 0755), B_NOT_A_DIRECTORY);
}


TEST_F(DirectoryTest, OnlyDirectoriesOpen)
{
	BDirectory file((fScratch / "alpha").c_str());
	EXPECT_EQ(file.InitCheck(), B_NOT_A_DIRECTORY);
	BEntry entry;
	EXPECT_NE(file.GetNextEntry(&entry), B_OK);
	BDirectory missing((fScratch / "missing").c_str());
	EXPECT_EQ(missing.InitCheck(), B_ENTRY_NOT_FOUND);
	BDirectory root("/");
	EXPECT_TRUE(root.IsRootDirectory());
	EXPECT_FALSE(fDirectory.IsRootDirectory());

	// A copy iterates on its own.
	BDirectory copy(fDirectory);
	ASSERT_EQ(copy.InitCheck(), B_OK);
	EXPECT_EQ(copy.CountEntries(), 4);
	ASSERT_EQ(copy.GetNextEntry(&entry), B_OK);
	int32 rest = 0;
	while (fDirectory.GetNextEntry(&entry) == B_OK)
		rest++;
	EXPECT_EQ(rest, 4);
}
