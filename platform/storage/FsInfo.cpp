// fs_info.h: the volumes of the mount table described through BVolume and statvfs.
#include <fs_info.h>

#include <Volume.h>

#include "storage/MountTable.h"
#include "storage/StorageErrors.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

using namespace BPrivate;


dev_t
dev_for_path(const char* path)
{
	if (path == NULL)
		return B_BAD_VALUE;
	struct stat info;
	if (stat(path, &info) != 0)
		return status_for_errno(errno);
	return info.st_dev;
}


dev_t
next_dev(int32* pos)
{
	if (pos == NULL || *pos < 0)
		return B_BAD_VALUE;
	std::vector<MountEntry> mounts = read_mount_table();
	if (*pos >= (int32)mounts.size())
		return B_BAD_VALUE;
	return mounts[(*pos)++].device;
}


int
fs_stat_dev(dev_t device, fs_info* info)
{
	if (info == NULL) {
		errno = B_BAD_VALUE;
		return -1;
	}
	for (const MountEntry& mount : read_mount_table()) {
		if (mount.device != device)
			continue;
		BVolume volume(device);
		struct statvfs space;
		struct stat root;
		if (volume.InitCheck() != B_OK || statvfs(mount.mountPoint.c_str(), &space) != 0
			|| stat(mount.mountPoint.c_str(), &root) != 0) {
			errno = volume.InitCheck() != B_OK ? volume.InitCheck() : status_for_errno(errno);
			return -1;
		}
		memset(info, 0, sizeof(*info));
		info->dev = device;
		info->root = root.st_ino;
		info->flags = (volume.IsReadOnly() ? B_FS_IS_READONLY : 0)
			| (volume.IsRemovable() ? B_FS_IS_REMOVABLE : 0)
			| (volume.IsPersistent() ? B_FS_IS_PERSISTENT : 0)
			| (volume.IsShared() ? B_FS_IS_SHARED : 0)
			| (volume.KnowsMime() ? B_FS_HAS_MIME : 0)
			| (volume.KnowsAttr() ? B_FS_HAS_ATTR : 0)
			| (volume.KnowsQuery() ? B_FS_HAS_QUERY : 0);
		info->block_size = space.f_frsize;
		info->io_size = space.f_bsize;
		info->total_blocks = space.f_blocks;
		info->free_blocks = space.f_bavail;
		info->total_nodes = space.f_files;
		info->free_nodes = space.f_favail;
		strncpy(info->device_name, mount.source.c_str(), sizeof(info->device_name) - 1);
		volume.GetName(info->volume_name);
		strncpy(info->fsh_name, mount.fileSystem.c_str(), sizeof(info->fsh_name) - 1);
		return 0;
	}
	errno = B_BAD_VALUE;
	return -1;
}
