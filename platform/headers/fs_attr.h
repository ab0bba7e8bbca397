// Attributes of nodes: named, typed data kept beside a file's contents. On Linux they are
// extended attributes in the "user." namespace (docs/node-attributes.md).
#ifndef _FS_ATTR_H
#define _FS_ATTR_H

#include <SupportDefs.h>

#include <dirent.h>
#include <sys/types.h>

typedef struct attr_info {
	uint32	type;
	off_t	size;
} attr_info;

// The C interface over a file descriptor, as BNode's calls behave: the byte counts, or
// -1 (NULL) with errno set to the kit's status.
ssize_t fs_read_attr(int fd, const char* attribute, uint32 type, off_t pos, void* buffer,
	size_t count);
ssize_t fs_write_attr(int fd, const char* attribute, uint32 type, off_t pos,
	const void* buffer, size_t count);
int fs_remove_attr(int fd, const char* attribute);
int fs_stat_attr(int fd, const char* attribute, struct attr_info* info);

// A node's attribute names, one dirent each.
DIR* fs_open_attr_dir(const char* path);
DIR* fs_fopen_attr_dir(int fd);
int fs_close_attr_dir(DIR* attributes);
struct dirent* fs_read_attr_dir(DIR* attributes);
void fs_rewind_attr_dir(DIR* attributes);

#endif // _FS_ATTR_H
