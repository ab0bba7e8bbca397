#include <VolumeRoster.h>

#include "storage/MountTable.h"

#include <sys/stat.h>


BVolumeRoster::BVolumeRoster()
	:
	fNext(0)
{
}


status_t
BVolumeRoster::GetNextVolume(BVolume* volume)
{
	if (volume == NULL)
		return B_BAD_VALUE;
	// The table is read afresh each time: mounts come and go between calls.
	std::vector<BPrivate::MountEntry> mounts = BPrivate::read_mount_table();
	while (fNext < (int32)mounts.size()) {
		if (volume->SetTo(mounts[fNext++].device) == B_OK)
			return B_OK;
	}
	return B_BAD_VALUE;
}


void
BVolumeRoster::Rewind()
{
	fNext = 0;
}


status_t
BVolumeRoster::GetBootVolume(BVolume* volume)
{
	if (volume == NULL)
		return B_BAD_VALUE;
	for (const BPrivate::MountEntry& mount : BPrivate::read_mount_table()) {
		if (mount.mountPoint == "/")
			return volume->SetTo(mount.device);
	}
	return B_ENTRY_NOT_FOUND;
}
