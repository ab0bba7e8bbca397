// The mounted file systems, read from /proc/self/mountinfo.
#ifndef _MOUNT_TABLE_H
#define _MOUNT_TABLE_H

#include <SupportDefs.h>

#include <sys/types.h>

#include <string>
#include <vector>

namespace BPrivate {

struct MountEntry {
	dev_t		device;
	std::string	mountPoint;
	std::string	fileSystem;
	std::string	source;
	bool		readOnly;
};

// The mounts in the system's order, one per device: the first mount of a file system
// stands for it. Empty when the table cannot be read.
std::vector<MountEntry> read_mount_table();

} // namespace BPrivate

#endif // _MOUNT_TABLE_H
