// What a mounted file system is, through the C interface: the mount table and statvfs
// (docs/volumes.md).
#ifndef _FS_INFO_H
#define _FS_INFO_H

#include <OS.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

#include <sys/types.h>

#define B_FS_IS_READONLY	0x00000001
#define B_FS_IS_REMOVABLE	0x00000002
#define B_FS_IS_PERSISTENT	0x00000004
#define B_FS_IS_SHARED		0x00000008
#define B_FS_HAS_MIME		0x00010000
#define B_FS_HAS_ATTR		0x00020000
#define B_FS_HAS_QUERY		0x00040000

typedef struct fs_info {
	dev_t	dev;
	ino_t	root;
	uint32	flags;
	off_t	block_size;
	off_t	io_size;
	off_t	total_blocks;
	off_t	free_blocks;
	off_t	total_nodes;
	off_t	free_nodes;
	char	device_name[128];
	char	volume_name[B_FILE_NAME_LENGTH];
	char	fsh_name[B_OS_NAME_LENGTH];
} fs_info;

// The device of the volume path is on; a negative status when there is none.
dev_t dev_for_path(const char* path);
// The mounted volumes one by one: pos starts at 0; a negative status after the last.
dev_t next_dev(int32* pos);
// 0, or -1 with errno set (B_BAD_VALUE for no such volume).
int fs_stat_dev(dev_t device, fs_info* info);

#endif // _FS_INFO_H
