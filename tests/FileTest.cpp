#include <Directory.h>
#include <Entry.h>
#include <File.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "ScratchDirectory.h"

namespace {

class FileTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fPath = fScratch / "data";
	}

	void WriteFile(const char* contents)
	{
		BFile file(fPath.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		ASSERT_EQ(file.InitCheck(), B_OK);
		ASSERT_EQ(file.Write(contents, strlen(contents)), (ssize_t)strlen(contents));
	}

	std::string ReadFile()
	{
		BFile file(fPath.c_str(), B_READ_ONLY);
		off_t size = 0;
		EXPECT_EQ(file.GetSize(&size), B_OK);
		std::string contents(size, '\0');
		EXPECT_EQ(file.ReadAt(0, contents.data(), size), size);
		return contents;
	}

	ScratchDirectory fScratch{"file"};
	std::string fPath;
};

} // namespace


TEST_F(FileTest, UninitializedFileRefusesEverything)
{
	BFile file;
	char byte;
	off_t size;
	EXPECT_EQ(file.InitCheck(), B_NO_INIT);
	EXPECT_EQ(file.Read(&byte, 1), B_FILE_ERROR);
	EXPECT_EQ(file.WriteAt(0, &byte, 1), B_FILE_ERROR);
	EXPECT_EQ(file.Seek(0, SEEK_SET), B_FILE_ERROR);
	EXPECT_EQ(file.GetSize(&size), B_NO_INIT);
	EXPECT_FALSE(file.IsReadable());
}


TEST_F(FileTest, OpenModesFollowTheirFlags)
{
	BFile missing(fPath.c_str(), B_READ_ONLY);
	EXPECT_EQ(missing.InitCheck(), B_ENTRY_NOT_FOUND);

	WriteFile("hello");
	BFile exclusive(fPath.c_str(), B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS);
	EXPECT_EQ(exclusive.InitCheck(), B_FILE_EXISTS);

	BFile appending(fPath.c_str(), B_WRITE_ONLY | B_OPEN_AT_END);
	ASSERT_EQ(appending.InitCheck(), B_OK);
	EXPECT_EQ(appending.Write(" world", 6), 6);
	EXPECT_EQ(ReadFile(), "hello world");

	BFile erasing(fPath.c_str(), B_READ_WRITE | B_ERASE_FILE);
	ASSERT_EQ(erasing.InitCheck(), B_OK);
	off_t size = -1;
	EXPECT_EQ(erasing.GetSize(&size), B_OK);
	EXPECT_EQ(size, 0);
	EXPECT_TRUE(erasing.IsReadable());
	EXPECT_TRUE(erasing.IsWritable());

	BFile readOnly(fPath.c_str(), B_READ_ONLY);
	EXPECT_TRUE(readOnly.IsReadable());
	EXPECT_FALSE(readOnly.IsWritable());
	EXPECT_LT(readOnly.Write("x", 1), 0);

	EXPECT_EQ(BFile(fPath.c_str(), 0x40000000).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BFile(fScratch.Path().c_str(), B_READ_ONLY).InitCheck(), B_IS_A_DIRECTORY);
	EXPECT_EQ(BFile("", B_READ_ONLY).InitCheck(), B_BAD_VALUE);
}


TEST_F(FileTest, SequentialAndPositionedAccessShareOneOffset)
{
	BFile file(fPath.c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(file.InitCheck(), B_OK);
	EXPECT_EQ(file.Write("abcdef", 6), 6);
	EXPECT_EQ(file.Position(), 6);

	// Positioned access leaves the offset alone.
	EXPECT_EQ(file.WriteAt(2, "XY", 2), 2);
	char buffer[8] = {};
	EXPECT_EQ(file.ReadAt(1, buffer, 4), 4);
	EXPECT_STREQ(buffer, "bXYe");
	EXPECT_EQ(file.Position(), 6);

	EXPECT_EQ(file.Seek(-3, SEEK_END), 3);
	memset(buffer, 0, sizeof(buffer));
	EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 3);
	EXPECT_STREQ(buffer, "Yef");
	EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 0);
	EXPECT_EQ(file.Seek(1, SEEK_CUR), 7);
	EXPECT_EQ(file.Seek(0, 17), B_BAD_VALUE);
	EXPECT_LT(file.Seek(-100, SEEK_SET), 0);
	EXPECT_EQ(file.ReadAt(-1, buffer, 1), B_BAD_VALUE);
}


TEST_F(FileTest, SetSizeTruncatesAndExtendsWithZeros)
{
	WriteFile("0123456789");
	BFile file(fPath.c_str(), B_READ_WRITE);
	EXPECT_EQ(file.SetSize(4), B_OK);
	EXPECT_EQ(ReadFile(), "0123");
	EXPECT_EQ(file.SetSize(6), B_OK);
	EXPECT_EQ(ReadFile(), std::string("0123\0\0", 6));
	EXPECT_EQ(file.SetSize(-1), B_BAD_VALUE);

	BFile readOnly(fPath.c_str(), B_READ_ONLY);
	EXPECT_NE(readOnly.SetSize(0), B_OK);
	EXPECT_EQ(ReadFile().size(), 6u);
}


TEST_F(FileTest, DescriptorsAreCloseOnExecAndCopiesShareTheFile)
{
	WriteFile("shared");
	BFile file(fPath.c_str(), B_READ_ONLY);
	ASSERT_EQ(file.InitCheck(), B_OK);

	BFile copy(file);
	ASSERT_EQ(copy.InitCheck(), B_OK);
	EXPECT_FALSE(copy.IsWritable());
	file.Unset();
	EXPECT_EQ(file.InitCheck(), B_NO_INIT);
	char buffer[7] = {};
	EXPECT_EQ(copy.ReadAt(0, buffer, 6), 6);
	EXPECT_STREQ(buffer, "shared");

	// Every descriptor the process holds on the file must be close-on-exec.
	struct stat target;
	ASSERT_EQ(stat(fPath.c_str(), &target), 0);
	int checked = 0;
	for (int fd = 0; fd < 1024; fd++) {
		struct stat info;
		if (fstat(fd, &info) != 0 || info.st_ino != target.st_ino
			|| info.st_dev != target.st_dev)
			continue;
		EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC) << "descriptor " << fd;
		checked++;
	}
	EXPECT_EQ(checked, 1);
}


TEST_F(FileTest, StatableReportsTheKindOfNode)
{
	WriteFile("x");
	BFile file(fPath.c_str(), B_READ_ONLY);
	EXPECT_TRUE(file.IsFile());
	EXPECT_FALSE(file.IsDirectory());
	mode_t permissions = 0;
	EXPECT_EQ(file.GetPermissions(&permissions), B_OK);
	EXPECT_EQ(permissions & S_IFMT, 0u);

	BNode directory(fScratch.Path().c_str());
	EXPECT_EQ(directory.InitCheck(), B_OK);
	EXPECT_TRUE(directory.IsDirectory());
}


TEST_F(FileTest, OpensByEntryAndReference)
{
	WriteFile("by reference");
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(fPath.c_str(), &ref), B_OK);
	BFile byRef(&ref, B_READ_ONLY);
	ASSERT_EQ(byRef.InitCheck(), B_OK);
	char buffer[13] = {};
	EXPECT_EQ(byRef.Read(buffer, 12), 12);
	EXPECT_STREQ(buffer, "by reference");

	BEntry entry(fPath.c_str());
	BFile byEntry(&entry, B_READ_WRITE);
	EXPECT_TRUE(byEntry.IsWritable());
	BNode node(&entry);
	EXPECT_TRUE(node.IsFile());

	// An entry that does not exist yet can be created through its reference.
	entry_ref newRef;
	ASSERT_EQ(get_ref_for_path((fScratch / "new").c_str(), &newRef), B_OK);
	EXPECT_EQ(BFile(&newRef, B_READ_ONLY).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(BFile(&newRef, B_WRITE_ONLY | B_CREATE_FILE).InitCheck(), B_OK);

	EXPECT_NE(BFile((const entry_ref*)NULL, B_READ_ONLY).InitCheck(), B_OK);
	BEntry unset;
	EXPECT_NE(BFile(&unset, B_READ_ONLY).InitCheck(), B_OK);
}


TEST_F(FileTest, OpensAPathRelativeToADirectory)
{
	ASSERT_EQ(mkdir((fScratch / "folder").c_str(), 0755), 0);
	BDirectory folder((fScratch / "folder").c_str());
	BFile created(&folder, "new.txt", B_WRITE_ONLY | B_CREATE_FILE);
	ASSERT_EQ(created.InitCheck(), B_OK);
	ASSERT_EQ(created.Write("abc", 3), 3);
	struct stat info;
	ASSERT_EQ(stat((fScratch / "folder/new.txt").c_str(), &info), 0);
	EXPECT_EQ(info.st_size, 3);

	BFile absolute(&folder, (fScratch / "folder/new.txt").c_str(), B_READ_ONLY);
	EXPECT_EQ(absolute.InitCheck(), B_OK);
	BFile missing;
	EXPECT_EQ(missing.SetTo(&folder, "missing.txt", B_READ_ONLY), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(missing.SetTo(NULL, "new.txt", B_READ_ONLY), B_BAD_VALUE);
}
