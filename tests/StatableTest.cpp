// A node's stat record read and changed through BNode and BEntry alike: sizes,
// permissions, times, owners, node_refs, and what Linux cannot change.
#include <Entry.h>
#include <File.h>
#include <Node.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include "ScratchDirectory.h"

namespace {

class StatableTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("file", "twelve bytes"));
		fPath = fScratch / "file";
	}

	ScratchDirectory fScratch{"statable"};
	std::string fPath;
};


// Runs the same checks through a node and through an entry.
void
check_changes(BStatable& statable, const std::string& path)
{
	off_t size = 0;
	EXPECT_EQ(statable.GetSize(&size), B_OK);
	EXPECT_EQ(size, 12);

	EXPECT_EQ(statable.SetPermissions(0640), B_OK);
	mode_t permissions = 0;
	EXPECT_EQ(statable.GetPermissions(&permissions), B_OK);
	EXPECT_EQ(permissions, (mode_t)0640);
	struct stat info;
	ASSERT_EQ(stat(path.c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 07777, (mode_t)0640);

	EXPECT_EQ(statable.SetModificationTime(1000000), B_OK);
	EXPECT_EQ(statable.SetAccessTime(2000000), B_OK);
	time_t when = 0;
	EXPECT_EQ(statable.GetModificationTime(&when), B_OK);
	EXPECT_EQ(when, 1000000);
	EXPECT_EQ(statable.GetAccessTime(&when), B_OK);
	EXPECT_EQ(when, 2000000);

	// Setting the owner to who owns it already is allowed to anyone.
	uid_t owner;
	gid_t group;
	EXPECT_EQ(statable.GetOwner(&owner), B_OK);
	EXPECT_EQ(statable.GetGroup(&group), B_OK);
	EXPECT_EQ(owner, getuid());
	EXPECT_EQ(statable.SetOwner(owner), B_OK);
	EXPECT_EQ(statable.SetGroup(group), B_OK);

	EXPECT_EQ(statable.GetCreationTime(&when), B_OK);
	EXPECT_GT(when, 0);
	EXPECT_EQ(statable.SetCreationTime(when), B_UNSUPPORTED);

	node_ref ref;
	EXPECT_EQ(statable.GetNodeRef(&ref), B_OK);
	EXPECT_EQ(ref.device, info.st_dev);
	EXPECT_EQ(ref.node, info.st_ino);
}

} // namespace


TEST_F(StatableTest, NodeReadsAndChangesItsRecord)
{
	BNode node(fPath.c_str());
	ASSERT_EQ(node.InitCheck(), B_OK);
	check_changes(node, fPath);
}


TEST_F(StatableTest, EntryReadsAndChangesItsRecord)
{
	BEntry entry(fPath.c_str());
	ASSERT_EQ(entry.InitCheck(), B_OK);
	EXPECT_TRUE(entry.IsFile());
	check_changes(entry, fPath);
}


TEST_F(StatableTest, UnsetObjectsAndNullArgumentsAreRefused)
{
	BNode node;
	BEntry entry;
	off_t size;
	EXPECT_EQ(node.GetSize(&size), B_NO_INIT);
	EXPECT_EQ(node.SetPermissions(0600), B_NO_INIT);
	EXPECT_EQ(entry.SetModificationTime(1), B_NO_INIT);
	BNode file(fPath.c_str());
	EXPECT_EQ(file.GetSize(NULL), B_BAD_VALUE);
	EXPECT_EQ(file.GetNodeRef(NULL), B_BAD_VALUE);
}


TEST_F(StatableTest, NodeRefsCompareByDeviceAndNode)
{
	node_ref a(1, 2), b(1, 2), c(1, 3);
	EXPECT_EQ(a, b);
	EXPECT_NE(a, c);
	EXPECT_TRUE(a < c);
	node_ref unset;
	EXPECT_EQ(unset.device, 0);

	BNode first(fPath.c_str()), second(fPath.c_str()), other(fScratch.Path().c_str());
	EXPECT_TRUE(first == second);
	EXPECT_TRUE(first != other);
}


TEST_F(StatableTest, LockIsExclusiveBetweenNodesOfOneFile)
{
	BNode first(fPath.c_str()), second(fPath.c_str());
	EXPECT_EQ(first.Lock(), B_OK);
	EXPECT_EQ(second.Lock(), B_BUSY);
	EXPECT_EQ(first.Unlock(), B_OK);
	EXPECT_EQ(second.Lock(), B_OK);
	EXPECT_EQ(second.Unlock(), B_OK);
	BNode unset;
	EXPECT_EQ(unset.Lock(), B_BAD_VALUE);
}
