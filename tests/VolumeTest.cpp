// Volumes as Linux mounts: the roster lists each file system once, and a volume answers
// for the device of the files on it.
#include <Bitmap.h>
#include <Directory.h>
#include <Entry.h>
#include <Mime.h>
#include <NodeMonitor.h>
#include <Path.h>
#include <Volume.h>
#include <VolumeRoster.h>
#include <fs_info.h>

#include <gtest/gtest.h>

#include <string.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "MessageCollector.h"
#include "ScratchDirectory.h"
#include "ScratchMimeDatabase.h"


TEST(Volume, BootVolumeHoldsTheRoot)
{
	BVolumeRoster roster;
	BVolume boot;
	ASSERT_EQ(roster.GetBootVolume(&boot), B_OK);
	struct stat root;
	ASSERT_EQ(stat("/", &root), 0);
	EXPECT_EQ(boot.Device(), root.st_dev);
	EXPECT_GT(boot.Capacity(), 0);
	EXPECT_GE(boot.FreeBytes(), 0);
	EXPECT_LE(boot.FreeBytes(), boot.Capacity());
	char name[B_FILE_NAME_LENGTH];
	ASSERT_EQ(boot.GetName(name), B_OK);
	EXPECT_NE(name[0], '\0');
	EXPECT_EQ(boot.SetName("other"), B_NOT_ALLOWED);

	BDirectory directory;
	ASSERT_EQ(boot.GetRootDirectory(&directory), B_OK);
	EXPECT_GT(directory.CountEntries(), 0);
}


TEST(Volume, RosterListsEachDeviceOnce)
{
	BVolumeRoster roster;
	BVolume volume;
	std::set<dev_t> devices;
	int32 count = 0;
	while (roster.GetNextVolume(&volume) == B_OK) {
		EXPECT_TRUE(devices.insert(volume.Device()).second) << volume.Device();
		count++;
	}
	EXPECT_GT(count, 0);
	EXPECT_EQ(roster.GetNextVolume(&volume), B_BAD_VALUE);
	roster.Rewind();
	EXPECT_EQ(roster.GetNextVolume(&volume), B_OK);
}


TEST(Volume, VolumeOfAFileAndItsProperties)
{
	ScratchDirectory scratch("volume");
	struct stat info;
	ASSERT_EQ(stat(scratch.Path().c_str(), &info), 0);
	BVolume volume(info.st_dev);
	ASSERT_EQ(volume.InitCheck(), B_OK);
	EXPECT_TRUE(volume == BVolume(info.st_dev));
	EXPECT_FALSE(volume.IsReadOnly());
	EXPECT_EQ(volume.KnowsQuery(), volume.KnowsAttr());
	EXPECT_EQ(volume.KnowsMime(), volume.KnowsAttr());

	BVolume proc;
	struct stat procInfo;
	ASSERT_EQ(stat("/proc", &procInfo), 0);
	if (proc.SetTo(procInfo.st_dev) == B_OK) {
		EXPECT_FALSE(proc.IsPersistent());
	}

	BVolume none((dev_t)-2);
	EXPECT_EQ(none.InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_TRUE(none != volume);
	char name[B_FILE_NAME_LENGTH];
	EXPECT_EQ(none.GetName(name), B_NO_INIT);
}


TEST(Volume, RosterWatchesForOneMessengerAtATime)
{
	MessageCollector first, second;
	BVolumeRoster roster;
	EXPECT_FALSE(roster.Messenger().IsValid());
	EXPECT_EQ(roster.StartWatching(BMessenger()), B_BAD_VALUE);
	ASSERT_EQ(roster.StartWatching(first.Messenger()), B_OK);
	EXPECT_EQ(roster.Messenger(), first.Messenger());
	ASSERT_EQ(roster.StartWatching(second.Messenger()), B_OK);
	EXPECT_EQ(roster.Messenger(), second.Messenger());
	// The first messenger's watch went with the move.
	EXPECT_EQ(stop_watching(first.Messenger()), B_BAD_VALUE);
	roster.StopWatching();
	EXPECT_FALSE(roster.Messenger().IsValid());
	EXPECT_EQ(stop_watching(second.Messenger()), B_BAD_VALUE);
}


TEST(Volume, FsInfoDescribesTheVolumeOfAPath)
{
	ScratchDirectory scratch("fs-info");
	// Linux's dev_t is unsigned: a status comes back as a huge device, negative as int64.
	dev_t device = dev_for_path(scratch.Path().c_str());
	ASSERT_GE((int64)device, 0);
	fs_info info;
	ASSERT_EQ(fs_stat_dev(device, &info), 0);
	EXPECT_EQ(info.dev, device);
	EXPECT_GT(info.block_size, 0);
	EXPECT_GT(info.total_blocks, 0);
	EXPECT_EQ((info.flags & B_FS_IS_READONLY) != 0, BVolume(device).IsReadOnly());
	EXPECT_NE(info.fsh_name[0], '\0');

	// next_dev lists each device of the roster, the scratch's among them.
	int32 position = 0;
	bool seen = false;
	dev_t next;
	while ((int64)(next = next_dev(&position)) >= 0 && position < 10000)
		seen = seen || next == device;
	EXPECT_TRUE(seen);

	EXPECT_LT((int64)dev_for_path((scratch / "missing").c_str()), 0);
	EXPECT_EQ(fs_stat_dev((dev_t)0x7ffffff0, &info), -1);
	EXPECT_EQ(fs_stat_dev(device, NULL), -1);
}


TEST(Volume, IconsOfVolumesAndDevices)
{
	ScratchMimeDatabase database("volume-icons");
	BVolumeRoster roster;
	BVolume boot;
	ASSERT_EQ(roster.GetBootVolume(&boot), B_OK);
	BBitmap large(BRect(0, 0, 31, 31), B_CMAP8);
	ASSERT_EQ(boot.GetIcon(&large, B_LARGE_ICON), B_OK);
	// Some pixels of a drive show, and the corners are see-through.
	const uint8* bits = static_cast<const uint8*>(large.Bits());
	EXPECT_EQ(bits[0], B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_NE(bits[16 * large.BytesPerRow() + 16], B_TRANSPARENT_MAGIC_CMAP8);
	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	EXPECT_EQ(boot.GetIcon(&mini, B_MINI_ICON), B_OK);
	EXPECT_EQ(boot.GetIcon(&mini, B_LARGE_ICON), B_BAD_VALUE);
	EXPECT_EQ(BVolume().GetIcon(&mini, B_MINI_ICON), B_NO_INIT);

	uint8 icon[B_LARGE_ICON * B_LARGE_ICON];
	EXPECT_EQ(get_device_icon("/dev/no-such-device", icon, B_LARGE_ICON), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(get_device_icon("/dev/null", icon, B_LARGE_ICON), B_BAD_VALUE);
	EXPECT_EQ(get_device_icon("/dev/null", icon, 24), B_BAD_VALUE);
	// Where the machine shows a block device, it gets a drive's icon.
	for (const auto& entry : std::filesystem::directory_iterator("/sys/class/block")) {
		std::string device = "/dev/" + entry.path().filename().string();
		struct stat info;
		if (stat(device.c_str(), &info) != 0 || !S_ISBLK(info.st_mode))
			continue;
		memset(icon, 0, sizeof(icon));
		ASSERT_EQ(get_device_icon(device.c_str(), icon, B_MINI_ICON), B_OK);
		EXPECT_EQ(icon[0], B_TRANSPARENT_MAGIC_CMAP8);
		EXPECT_EQ(icon[16 * 16], 0) << "wrote past a mini icon";
		break;
	}
}
