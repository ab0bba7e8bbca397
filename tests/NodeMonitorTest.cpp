// The node monitor over real files: entries created, removed and moved in a watched
// directory, a watched node's stat and attribute changes, its own renames, and the
// errors of watch_node for nodes and targets it cannot watch.
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Node.h>
#include <NodeMonitor.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "MessageCollector.h"
#include "ScratchDirectory.h"
#include "WaitFor.h"

namespace {

class NodeMonitorTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("file", "contents"));
		BDirectory directory(fScratch.Path().c_str());
		ASSERT_EQ(directory.GetNodeRef(&fDirectory), B_OK);
	}

	void TearDown() override
	{
		stop_watching(fCollector.Messenger());
	}

	node_ref NodeOf(const std::string& name)
	{
		node_ref ref;
		BEntry entry((fScratch / name).c_str());
		EXPECT_EQ(entry.GetNodeRef(&ref), B_OK);
		return ref;
	}

	BMessage Wait(int32 opcode)
	{
		return fCollector.WaitForOpcode(B_NODE_MONITOR, opcode);
	}

	ScratchDirectory fScratch{"node-monitor"};
	MessageCollector fCollector;
	node_ref fDirectory;
};

} // namespace


TEST_F(NodeMonitorTest, DirectoryWatchReportsCreatedAndRemovedEntries)
{
	ASSERT_EQ(watch_node(&fDirectory, B_WATCH_DIRECTORY, fCollector.Messenger()), B_OK);
	ASSERT_TRUE(fScratch.WriteFile("new", ""));
	BMessage created = Wait(B_ENTRY_CREATED);
	ASSERT_EQ(created.what, B_NODE_MONITOR);
	EXPECT_STREQ(created.FindString("name"), "new");
	EXPECT_EQ(created.FindInt32("device"), (int32)fDirectory.device);
	EXPECT_EQ(created.FindInt64("directory"), (int64)fDirectory.node);
	node_ref newNode = NodeOf("new");
	EXPECT_EQ(created.FindInt64("node"), (int64)newNode.node);

	ASSERT_EQ(unlink((fScratch / "new").c_str()), 0);
	BMessage removed = Wait(B_ENTRY_REMOVED);
	ASSERT_EQ(removed.what, B_NODE_MONITOR);
	EXPECT_EQ(removed.FindInt64("node"), (int64)newNode.node);
	EXPECT_EQ(removed.FindInt64("directory"), (int64)fDirectory.node);
}


TEST_F(NodeMonitorTest, RenameWithinWatchedDirectoriesIsOneMove)
{
	ASSERT_EQ(mkdir((fScratch / "sub").c_str(), 0700), 0);
	node_ref sub = NodeOf("sub");
	node_ref file = NodeOf("file");
	ASSERT_EQ(watch_node(&fDirectory, B_WATCH_DIRECTORY, fCollector.Messenger()), B_OK);
	ASSERT_EQ(watch_node(&sub, B_WATCH_DIRECTORY, fCollector.Messenger()), B_OK);

	ASSERT_EQ(rename((fScratch / "file").c_str(), (fScratch / "sub/moved").c_str()), 0);
	BMessage moved = Wait(B_ENTRY_MOVED);
	ASSERT_EQ(moved.what, B_NODE_MONITOR);
	EXPECT_STREQ(moved.FindString("name"), "moved");
	EXPECT_EQ(moved.FindInt64("from directory"), (int64)fDirectory.node);
	EXPECT_EQ(moved.FindInt64("to directory"), (int64)sub.node);
	EXPECT_EQ(moved.FindInt64("node"), (int64)file.node);
	// One notice for the target, though both of its directories saw the move.
	ASSERT_TRUE(wait_for_queue(fCollector.Looper()));
	int moves = 0;
	for (const BMessage& message : fCollector.Messages())
		moves += message.FindInt32("opcode") == B_ENTRY_MOVED;
	EXPECT_EQ(moves, 1);
}


TEST_F(NodeMonitorTest, MoveOutOfSightReadsAsRemoval)
{
	ScratchDirectory elsewhere("node-monitor-elsewhere");
	ASSERT_EQ(watch_node(&fDirectory, B_WATCH_DIRECTORY, fCollector.Messenger()), B_OK);
	ASSERT_EQ(rename((fScratch / "file").c_str(), (elsewhere / "file").c_str()), 0);
	BMessage removed = Wait(B_ENTRY_REMOVED);
	EXPECT_EQ(removed.what, B_NODE_MONITOR);
	EXPECT_STREQ(removed.FindString("name"), "file");
}


TEST_F(NodeMonitorTest, StatWatchSeesWritesAndPermissions)
{
	node_ref file = NodeOf("file");
	ASSERT_EQ(watch_node(&file, B_WATCH_STAT, fCollector.Messenger()), B_OK);
	ASSERT_EQ(chmod((fScratch / "file").c_str(), 0600), 0);
	BMessage changed = Wait(B_STAT_CHANGED);
	ASSERT_EQ(changed.what, B_NODE_MONITOR);
	EXPECT_EQ(changed.FindInt64("node"), (int64)file.node);

	fCollector.Clear();
	BFile writer((fScratch / "file").c_str(), B_WRITE_ONLY);
	ASSERT_EQ(writer.Write("more", 4), 4);
	EXPECT_EQ(Wait(B_STAT_CHANGED).what, B_NODE_MONITOR);
}


TEST_F(NodeMonitorTest, AttributeWatchNamesTheAttributeAndCause)
{
	if (!fScratch.KeepsUserAttributes())
		GTEST_SKIP() << "no user extended attributes here";
	node_ref file = NodeOf("file");
	ASSERT_EQ(watch_node(&file, B_WATCH_ATTR, fCollector.Messenger()), B_OK);
	BNode node((fScratch / "file").c_str());
	int32 value = 1;
	ASSERT_EQ(node.WriteAttr("color", B_INT32_TYPE, 0, &value, 4), 4);
	BMessage created = Wait(B_ATTR_CHANGED);
	ASSERT_EQ(created.what, B_NODE_MONITOR);
	EXPECT_STREQ(created.FindString("attr"), "color");
	EXPECT_EQ(created.FindInt32("cause"), B_ATTR_CREATED);

	fCollector.Clear();
	ASSERT_EQ(node.RemoveAttr("color"), B_OK);
	BMessage removed = Wait(B_ATTR_CHANGED);
	EXPECT_EQ(removed.FindInt32("cause"), B_ATTR_REMOVED);
	// Attribute changes are not stat changes for a target that asked for attributes.
	EXPECT_TRUE(wait_for_queue(fCollector.Looper()));
	for (const BMessage& message : fCollector.Messages())
		EXPECT_NE(message.FindInt32("opcode"), B_STAT_CHANGED);
}


TEST_F(NodeMonitorTest, NameWatchFollowsTheNodeAcrossRenames)
{
	node_ref file = NodeOf("file");
	ASSERT_EQ(watch_node(&file, B_WATCH_NAME, fCollector.Messenger()), B_OK);
	ASSERT_EQ(rename((fScratch / "file").c_str(), (fScratch / "renamed").c_str()), 0);
	BMessage moved = Wait(B_ENTRY_MOVED);
	ASSERT_EQ(moved.what, B_NODE_MONITOR);
	EXPECT_STREQ(moved.FindString("name"), "renamed");

	ASSERT_EQ(unlink((fScratch / "renamed").c_str()), 0);
	BMessage removed = Wait(B_ENTRY_REMOVED);
	ASSERT_EQ(removed.what, B_NODE_MONITOR);
	EXPECT_EQ(removed.FindInt64("node"), (int64)file.node);
}


TEST_F(NodeMonitorTest, StoppedWatchesSendNothingMore)
{
	ASSERT_EQ(watch_node(&fDirectory, B_WATCH_DIRECTORY, fCollector.Messenger()), B_OK);
	ASSERT_EQ(watch_node(&fDirectory, B_STOP_WATCHING, fCollector.Messenger()), B_OK);
	// A marker watch on another node shows when the kit has caught up.
	node_ref file = NodeOf("file");
	ASSERT_EQ(watch_node(&file, B_WATCH_STAT, fCollector.Messenger()), B_OK);
	ASSERT_TRUE(fScratch.WriteFile("ignored", ""));
	ASSERT_EQ(chmod((fScratch / "file").c_str(), 0600), 0);
	ASSERT_EQ(Wait(B_STAT_CHANGED).what, B_NODE_MONITOR);
	for (const BMessage& message : fCollector.Messages())
		EXPECT_NE(message.FindInt32("opcode"), B_ENTRY_CREATED);
	EXPECT_EQ(stop_watching(fCollector.Messenger()), B_OK);
	EXPECT_EQ(stop_watching(fCollector.Messenger()), B_BAD_VALUE);
}


TEST_F(NodeMonitorTest, BadRequestsGetClearErrors)
{
	EXPECT_EQ(watch_node(NULL, B_WATCH_STAT, fCollector.Messenger()), B_BAD_VALUE);
	EXPECT_EQ(watch_node(&fDirectory, B_WATCH_STAT, BMessenger()), B_BAD_VALUE);
	node_ref unknown(fDirectory.device, 0x7fffffffffffLL);
	EXPECT_EQ(watch_node(&unknown, B_WATCH_STAT, fCollector.Messenger()), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(watch_node(&fDirectory, B_STOP_WATCHING, fCollector.Messenger()), B_BAD_VALUE);
	// A mount watch needs no node.
	EXPECT_EQ(watch_node(NULL, B_WATCH_MOUNT, fCollector.Messenger()), B_OK);
}
