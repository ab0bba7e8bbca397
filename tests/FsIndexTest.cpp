// A volume's indexes: the built-in ones, created ones with their types, removal, and
// the errors for names and volumes that cannot be.
#include <TypeConstants.h>
#include <fs_index.h>

#include <gtest/gtest.h>

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "ScratchDirectory.h"

namespace {

class FsIndexTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		const char* previous = getenv("XDG_DATA_HOME");
		fPrevious = previous != NULL ? previous : "";
		fHadPrevious = previous != NULL;
		setenv("XDG_DATA_HOME", fScratch.Path().c_str(), 1);
		struct stat info;
		ASSERT_EQ(stat(fScratch.Path().c_str(), &info), 0);
		fDevice = info.st_dev;
	}

	void TearDown() override
	{
		if (fHadPrevious)
			setenv("XDG_DATA_HOME", fPrevious.c_str(), 1);
		else
			unsetenv("XDG_DATA_HOME");
	}

	std::vector<std::string> List()
	{
		std::vector<std::string> names;
		DIR* indexes = fs_open_index_dir(fDevice);
		EXPECT_NE(indexes, nullptr);
		if (indexes == NULL)
			return names;
		while (struct dirent* entry = fs_read_index_dir(indexes))
			names.push_back(entry->d_name);
		EXPECT_EQ(fs_close_index_dir(indexes), 0);
		return names;
	}

	ScratchDirectory fScratch{"indexes"};
	std::string fPrevious;
	bool fHadPrevious = false;
	dev_t fDevice = 0;
};

typedef std::vector<std::string> Names;

} // namespace


TEST_F(FsIndexTest, EveryVolumeIndexesNameSizeAndTime)
{
	EXPECT_EQ(List(), (Names{"name", "size", "last_modified"}));
	index_info info;
	ASSERT_EQ(fs_stat_index(fDevice, "size", &info), 0);
	EXPECT_EQ(info.type, (uint32)B_INT64_TYPE);
	EXPECT_EQ(fs_remove_index(fDevice, "name"), -1);
	EXPECT_EQ(errno, B_NOT_ALLOWED);
}


TEST_F(FsIndexTest, CreatedIndexesAreListedTypedAndRemoved)
{
	ASSERT_EQ(fs_create_index(fDevice, "META:email", B_STRING_TYPE, 0), 0);
	ASSERT_EQ(fs_create_index(fDevice, "rating", B_INT32_TYPE, 0), 0);
	EXPECT_EQ(List(), (Names{"name", "size", "last_modified", "META:email", "rating"}));
	index_info info;
	ASSERT_EQ(fs_stat_index(fDevice, "rating", &info), 0);
	EXPECT_EQ(info.type, (uint32)B_INT32_TYPE);
	EXPECT_GT(info.modification_time, 0);

	EXPECT_EQ(fs_create_index(fDevice, "rating", B_INT32_TYPE, 0), -1);
	EXPECT_EQ(errno, B_FILE_EXISTS);
	ASSERT_EQ(fs_remove_index(fDevice, "rating"), 0);
	EXPECT_EQ(fs_stat_index(fDevice, "rating", &info), -1);
	EXPECT_EQ(errno, B_ENTRY_NOT_FOUND);

	// Rewinding lists them again from the first.
	DIR* indexes = fs_open_index_dir(fDevice);
	ASSERT_NE(indexes, nullptr);
	while (fs_read_index_dir(indexes) != NULL) {
	}
	fs_rewind_index_dir(indexes);
	struct dirent* first = fs_read_index_dir(indexes);
	ASSERT_NE(first, nullptr);
	EXPECT_STREQ(first->d_name, "name");
	fs_close_index_dir(indexes);
}


TEST_F(FsIndexTest, BadNamesAndVolumesAreRefused)
{
	EXPECT_EQ(fs_create_index(fDevice, "a/b", B_STRING_TYPE, 0), -1);
	EXPECT_EQ(errno, B_BAD_VALUE);
	EXPECT_EQ(fs_create_index(fDevice, "", B_STRING_TYPE, 0), -1);
	EXPECT_EQ(fs_create_index(fDevice, "..", B_STRING_TYPE, 0), -1);
	EXPECT_EQ(fs_create_index(fDevice, std::string(300, 'x').c_str(), B_STRING_TYPE, 0), -1);
	EXPECT_EQ(errno, B_NAME_TOO_LONG);
	dev_t nowhere = (dev_t)0x7ffffff0;
	EXPECT_EQ(fs_open_index_dir(nowhere), nullptr);
	EXPECT_EQ(errno, B_ENTRY_NOT_FOUND);
	EXPECT_EQ(fs_stat_index(fDevice, "size", NULL), -1);
	EXPECT_EQ(fs_close_index_dir(NULL), -1);
}
