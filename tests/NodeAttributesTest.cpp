// Attributes of nodes kept as extended attributes: typed round trips, partial reads and
// writes, listing, removal, and values that did not come through the kit.
#include <Node.h>
#include <fs_attr.h>
#include <String.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <string.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <set>
#include <string>

#include "ScratchDirectory.h"

namespace {

class NodeAttributesTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("file", "contents"));
		fPath = fScratch / "file";
		ASSERT_EQ(fNode.SetTo(fPath.c_str()), B_OK);
		if (!fScratch.KeepsUserAttributes())
			GTEST_SKIP() << "no user extended attributes on " << fPath;
	}

	ScratchDirectory fScratch{"attributes"};
	std::string fPath;
	BNode fNode;
};

} // namespace


TEST_F(NodeAttributesTest, TypedValuesRoundTrip)
{
	int32 value = 0x12345678;
	EXPECT_EQ(fNode.WriteAttr("number", B_INT32_TYPE, 0, &value, sizeof(value)), 4);
	attr_info info;
	ASSERT_EQ(fNode.GetAttrInfo("number", &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_INT32_TYPE);
	EXPECT_EQ(info.size, 4);
	int32 read = 0;
	EXPECT_EQ(fNode.ReadAttr("number", B_INT32_TYPE, 0, &read, sizeof(read)), 4);
	EXPECT_EQ(read, value);

	// On disk: "user.<name>", the type little-endian, then the data.
	unsigned char raw[16];
	ASSERT_EQ(getxattr(fPath.c_str(), "user.number", raw, sizeof(raw)), 8);
	EXPECT_EQ(memcmp(raw, "GNOL", 4), 0);
}


TEST_F(NodeAttributesTest, ReadsAndWritesAtAnOffset)
{
	ASSERT_EQ(fNode.WriteAttr("text", B_STRING_TYPE, 0, "abcdef", 6), 6);
	char buffer[8] = {};
	EXPECT_EQ(fNode.ReadAttr("text", B_STRING_TYPE, 2, buffer, sizeof(buffer)), 4);
	EXPECT_STREQ(buffer, "cdef");
	EXPECT_EQ(fNode.ReadAttr("text", B_STRING_TYPE, 10, buffer, sizeof(buffer)), 0);

	// Bytes before pos stay, those after the written ones go.
	ASSERT_EQ(fNode.WriteAttr("text", B_STRING_TYPE, 2, "XY", 2), 2);
	memset(buffer, 0, sizeof(buffer));
	EXPECT_EQ(fNode.ReadAttr("text", B_STRING_TYPE, 0, buffer, sizeof(buffer)), 4);
	EXPECT_STREQ(buffer, "abXY");

	// A gap past the end reads as zeros.
	ASSERT_EQ(fNode.WriteAttr("gap", B_RAW_TYPE, 2, "z", 1), 1);
	EXPECT_EQ(fNode.ReadAttr("gap", B_RAW_TYPE, 0, buffer, sizeof(buffer)), 3);
	EXPECT_EQ(memcmp(buffer, "\0\0z", 3), 0);
}


TEST_F(NodeAttributesTest, ListsOnlyUserAttributesAndRemovesThem)
{
	ASSERT_EQ(fNode.WriteAttr("one", B_RAW_TYPE, 0, "1", 1), 1);
	ASSERT_EQ(fNode.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, "text/plain", 11), 11);
	std::set<std::string> names;
	char name[B_ATTR_NAME_LENGTH];
	while (fNode.GetNextAttrName(name) == B_OK)
		names.insert(name);
	EXPECT_EQ(names, std::set<std::string>({ "one", "BEOS:TYPE" }));
	EXPECT_EQ(fNode.GetNextAttrName(name), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(fNode.RewindAttrs(), B_OK);
	EXPECT_EQ(fNode.GetNextAttrName(name), B_OK);

	EXPECT_EQ(fNode.RemoveAttr("one"), B_OK);
	EXPECT_EQ(fNode.RemoveAttr("one"), B_ENTRY_NOT_FOUND);
	attr_info info;
	EXPECT_EQ(fNode.GetAttrInfo("one", &info), B_ENTRY_NOT_FOUND);
}


TEST_F(NodeAttributesTest, BadNamesAndForeignValuesAreRefused)
{
	char buffer[4];
	EXPECT_EQ(fNode.ReadAttr(NULL, B_RAW_TYPE, 0, buffer, 4), B_BAD_VALUE);
	EXPECT_EQ(fNode.WriteAttr("", B_RAW_TYPE, 0, buffer, 4), B_BAD_VALUE);
	std::string longName(B_ATTR_NAME_LENGTH, 'n');
	EXPECT_EQ(fNode.WriteAttr(longName.c_str(), B_RAW_TYPE, 0, "x", 1), B_NAME_TOO_LONG);
	EXPECT_EQ(fNode.WriteAttr("big", B_RAW_TYPE, 0, buffer, 1 << 20), B_FILE_TOO_LARGE);
	EXPECT_EQ(fNode.ReadAttr("x", B_RAW_TYPE, -1, buffer, 4), B_BAD_VALUE);

	// Another program's attribute, too short to carry a type, is not misread.
	ASSERT_EQ(setxattr(fPath.c_str(), "user.short", "ab", 2, 0), 0);
	attr_info info;
	EXPECT_EQ(fNode.GetAttrInfo("short", &info), B_BAD_DATA);
	EXPECT_EQ(fNode.ReadAttr("short", B_RAW_TYPE, 0, buffer, 4), B_BAD_DATA);

	BNode unset;
	EXPECT_EQ(unset.ReadAttr("x", B_RAW_TYPE, 0, buffer, 4), B_FILE_ERROR);
}


TEST_F(NodeAttributesTest, RenameKeepsTypeAndDataAndRefusesToClobber)
{
	int32 value = 7;
	ASSERT_EQ(fNode.WriteAttr("old", B_INT32_TYPE, 0, &value, sizeof(value)), 4);
	ASSERT_EQ(fNode.WriteAttr("taken", B_INT32_TYPE, 0, &value, sizeof(value)), 4);
	EXPECT_EQ(fNode.RenameAttr("old", "taken"), B_FILE_EXISTS);
	EXPECT_EQ(fNode.RenameAttr("old", "new"), B_OK);
	attr_info info;
	EXPECT_EQ(fNode.GetAttrInfo("old", &info), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(fNode.GetAttrInfo("new", &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_INT32_TYPE);
	EXPECT_EQ(fNode.RenameAttr("missing", "other"), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(fNode.RenameAttr("new", ""), B_BAD_VALUE);
}


TEST_F(NodeAttributesTest, StringsRoundTripWithOrWithoutTheirNul)
{
	BString written("a value"), read;
	ASSERT_EQ(fNode.WriteAttrString("text", &written), B_OK);
	ASSERT_EQ(fNode.ReadAttrString("text", &read), B_OK);
	EXPECT_STREQ(read.String(), "a value");
	attr_info info;
	ASSERT_EQ(fNode.GetAttrInfo("text", &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_STRING_TYPE);
	EXPECT_EQ(info.size, 7);

	ASSERT_EQ(fNode.WriteAttr("mime", B_MIME_STRING_TYPE, 0, "text/plain", 11), 11);
	ASSERT_EQ(fNode.ReadAttrString("mime", &read), B_OK);
	EXPECT_EQ(read.Length(), 10);
	EXPECT_EQ(fNode.ReadAttrString("missing", &read), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(fNode.ReadAttrString("text", NULL), B_BAD_VALUE);
}


TEST_F(NodeAttributesTest, CInterfaceSharesTheFormatWithBNode)
{
	int fd = open(fPath.c_str(), O_RDONLY | O_CLOEXEC);
	ASSERT_GE(fd, 0);
	int64 value = 42;
	EXPECT_EQ(fs_write_attr(fd, "answer", B_INT64_TYPE, 0, &value, sizeof(value)), 8);
	attr_info info;
	ASSERT_EQ(fNode.GetAttrInfo("answer", &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_INT64_TYPE);
	ASSERT_EQ(fs_stat_attr(fd, "answer", &info), 0);
	EXPECT_EQ(info.size, 8);
	int64 read = 0;
	EXPECT_EQ(fs_read_attr(fd, "answer", B_INT64_TYPE, 0, &read, sizeof(read)), 8);
	EXPECT_EQ(read, 42);

	DIR* attributes = fs_fopen_attr_dir(fd);
	ASSERT_NE(attributes, nullptr);
	std::set<std::string> names;
	while (struct dirent* entry = fs_read_attr_dir(attributes))
		names.insert(entry->d_name);
	EXPECT_EQ(names.count("answer"), 1u);
	fs_rewind_attr_dir(attributes);
	EXPECT_NE(fs_read_attr_dir(attributes), nullptr);
	EXPECT_EQ(fs_close_attr_dir(attributes), 0);

	EXPECT_EQ(fs_remove_attr(fd, "answer"), 0);
	EXPECT_EQ(fs_remove_attr(fd, "answer"), -1);
	EXPECT_EQ(errno, B_ENTRY_NOT_FOUND);
	EXPECT_EQ(fs_read_attr(-1, "answer", B_INT64_TYPE, 0, &read, sizeof(read)), -1);
	EXPECT_EQ(fs_open_attr_dir("/nonexistent/path"), nullptr);
	EXPECT_EQ(fs_close_attr_dir(NULL), -1);
	close(fd);
}
