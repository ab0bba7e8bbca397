// The platform's directory entry records: every producer (readdir, BDirectory and BQuery
// entry lists, the query, index and attribute directories) fills each field from the real
// nodes, and the records of a buffer follow each other aligned.
#include <gtest/gtest.h>

#include <Directory.h>
#include <Entry.h>
#include <Node.h>
#include <Path.h>
#include <Query.h>
#include <Volume.h>
#include <fs_attr.h>
#include <fs_index.h>
#include <fs_query.h>

#include <dirent.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <map>
#include <string>

#include "ScratchDirectory.h"
#include "storage/QueryWalker.h"

namespace {

struct stat
stat_of(const std::string& path)
{
	struct stat info = {};
	EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
	return info;
}


// Checks that record names the entry name of directory as the file system has it.
void
expect_names(const struct dirent* record, const std::string& directory)
{
	std::string name = record->d_name;
	struct stat node = stat_of(directory + "/" + name);
	struct stat parent = stat_of(directory);
	EXPECT_EQ(record->d_dev, node.st_dev) << name;
	EXPECT_EQ(record->d_ino, node.st_ino) << name;
	EXPECT_EQ(record->d_pdev, parent.st_dev) << name;
	EXPECT_EQ(record->d_pino, parent.st_ino) << name;
	EXPECT_GE(record->d_reclen, offsetof(struct dirent, d_name) + name.size() + 1);
	EXPECT_EQ(record->d_reclen % alignof(struct dirent), 0u);
}


class DirentTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("alpha", "a"));
		ASSERT_TRUE(fScratch.WriteFile(std::string(200, 'n'), "long name"));
		ASSERT_EQ(mkdir((fScratch / "folder").c_str(), 0700), 0);
		ASSERT_TRUE(fScratch.WriteFile("folder/inner", "i"));
	}

	ScratchDirectory fScratch{"dirent"};
};

} // namespace


TEST_F(DirentTest, ReaddirNamesEachNodeAndItsDirectory)
{
	DIR* stream = opendir(fScratch.Path().c_str());
	ASSERT_NE(stream, nullptr);
	int seen = 0;
	while (struct dirent* record = readdir(stream)) {
		if (strcmp(record->d_name, "..") == 0)
			continue;
		expect_names(record, fScratch.Path());
		seen++;
	}
	EXPECT_EQ(seen, 4);	// ".", alpha, the long name and folder
	// Rewound, the same stream gives the same records again.
	rewinddir(stream);
	EXPECT_NE(readdir(stream), nullptr);
	EXPECT_EQ(closedir(stream), 0);
}


TEST_F(DirentTest, TwoStreamsKeepTheirOwnRecords)
{
	DIR* outer = opendir(fScratch.Path().c_str());
	DIR* inner = opendir((fScratch / "folder").c_str());
	ASSERT_NE(outer, nullptr);
	ASSERT_NE(inner, nullptr);
	struct dirent* first = readdir(outer);
	ASSERT_NE(first, nullptr);
	std::string firstName = first->d_name;
	ino_t firstParent = first->d_pino;
	while (readdir(inner) != NULL) {
	}
	EXPECT_EQ(first->d_name, firstName);
	EXPECT_EQ(first->d_pino, firstParent);
	EXPECT_EQ(closedir(inner), 0);
	EXPECT_EQ(closedir(outer), 0);
}


TEST_F(DirentTest, ReaddirRCopiesIntoTheCallersRecord)
{
	DIR* stream = opendir((fScratch / "folder").c_str());
	ASSERT_NE(stream, nullptr);
	union {
		struct dirent entry;
		char bytes[sizeof(struct dirent) + 256];
	} buffer;
	struct dirent* result = NULL;
	bool found = false;
	while (readdir_r(stream, &buffer.entry, &result) == 0 && result != NULL) {
		EXPECT_EQ(result, &buffer.entry);
		if (strcmp(result->d_name, "inner") == 0) {
			expect_names(result, fScratch / "folder");
			found = true;
		}
	}
	EXPECT_TRUE(found);
	closedir(stream);
}


TEST_F(DirentTest, DirectoryFillsABufferWithAlignedRecords)
{
	BDirectory directory(fScratch.Path().c_str());
	ASSERT_EQ(directory.InitCheck(), B_OK);
	char buffer[4096];
	int32 count = directory.GetNextDirents((struct dirent*)buffer, sizeof(buffer), 10);
	ASSERT_EQ(count, 3);	// no "." or ".."
	size_t offset = 0;
	for (int32 i = 0; i < count; i++) {
		const struct dirent* record = (const struct dirent*)(buffer + offset);
		expect_names(record, fScratch.Path());
		offset += record->d_reclen;
	}
	EXPECT_LE(offset, sizeof(buffer));
}


TEST_F(DirentTest, DirectoryKeepsWhatDoesNotFitForTheNextCall)
{
	BDirectory directory(fScratch.Path().c_str());
	// Room for one short record only: the long name waits for a larger buffer.
	union {
		struct dirent entry;
		char bytes[offsetof(struct dirent, d_name) + 16];
	} small;
	char large[1024];
	std::map<std::string, int> names;
	while (true) {
		int32 count = directory.GetNextDirents(&small.entry, sizeof(small), 1);
		if (count == 1) {
			names[small.entry.d_name]++;
			continue;
		}
		count = directory.GetNextDirents((struct dirent*)large, sizeof(large), 1);
		if (count != 1)
			break;
		names[((struct dirent*)large)->d_name]++;
	}
	EXPECT_EQ(names.size(), 3u);
	for (const auto& [name, times] : names)
		EXPECT_EQ(times, 1) << name;
}


TEST_F(DirentTest, QueryRecordsMakeRefsOfTheirEntries)
{
	setenv(BPrivate::kQueryRootsVariable, fScratch.Path().c_str(), 1);
	struct stat volume = stat_of(fScratch.Path());
	DIR* query = fs_open_query(volume.st_dev, "name==inner", 0);
	ASSERT_NE(query, nullptr);
	struct dirent* record = fs_read_query(query);
	ASSERT_NE(record, nullptr);
	EXPECT_STREQ(record->d_name, "inner");
	expect_names(record, fScratch / "folder");
	// As applications make refs of them.
	entry_ref ref(record->d_pdev, record->d_pino, record->d_name);
	BPath path(&ref);
	EXPECT_EQ(std::string(path.Path()), fScratch / "folder/inner");
	EXPECT_EQ(fs_read_query(query), nullptr);
	fs_close_query(query);

	BVolume queried(volume.st_dev);
	BQuery live;
	live.SetVolume(&queried);
	live.SetPredicate("name==alpha");
	ASSERT_EQ(live.Fetch(), B_OK);
	char buffer[512];
	ASSERT_EQ(live.GetNextDirents((struct dirent*)buffer, sizeof(buffer), 5), 1);
	expect_names((struct dirent*)buffer, fScratch.Path());
	unsetenv(BPrivate::kQueryRootsVariable);
}


TEST_F(DirentTest, AttributeRecordsNameTheirNode)
{
	if (!fScratch.KeepsUserAttributes())
		GTEST_SKIP() << "no user attributes here";
	BNode node((fScratch / "alpha").c_str());
	ASSERT_EQ(node.WriteAttr("rating", B_INT32_TYPE, 0, "four", 4), 4);
	DIR* attributes = fs_open_attr_dir((fScratch / "alpha").c_str());
	ASSERT_NE(attributes, nullptr);
	struct dirent* record = fs_read_attr_dir(attributes);
	ASSERT_NE(record, nullptr);
	EXPECT_STREQ(record->d_name, "rating");
	struct stat file = stat_of(fScratch / "alpha");
	EXPECT_EQ(record->d_dev, file.st_dev);
	EXPECT_EQ(record->d_ino, file.st_ino);
	EXPECT_EQ(record->d_pino, file.st_ino);
	fs_close_attr_dir(attributes);
}


TEST_F(DirentTest, IndexRecordsNameTheirVolume)
{
	struct stat volume = stat_of(fScratch.Path());
	DIR* indexes = fs_open_index_dir(volume.st_dev);
	if (indexes == NULL)
		GTEST_SKIP() << "no index directory for this volume";
	struct dirent* record = fs_read_index_dir(indexes);
	ASSERT_NE(record, nullptr);
	EXPECT_STREQ(record->d_name, "name");
	EXPECT_EQ(record->d_dev, volume.st_dev);
	EXPECT_EQ(record->d_pdev, volume.st_dev);
	fs_close_index_dir(indexes);
}
