// The indexes of a volume: which attributes it indexes, and as what type
// (docs/queries.md says where they are kept and what they change).
#ifndef _FS_INDEX_H
#define _FS_INDEX_H

#include <SupportDefs.h>

#include <dirent.h>
#include <sys/types.h>
#include <time.h>

typedef struct index_info {
	uint32	type;
	off_t	size;
	time_t	modification_time;
	time_t	creation_time;
	uid_t	uid;
	gid_t	gid;
} index_info;

// The index directory of device: one dirent per index, "name", "size" and
// "last_modified" first. NULL with errno set when the volume is unknown.
DIR* fs_open_index_dir(dev_t device);
int fs_close_index_dir(DIR* indexes);
struct dirent* fs_read_index_dir(DIR* indexes);
void fs_rewind_index_dir(DIR* indexes);

// These return 0, or -1 with errno set (B_FILE_EXISTS, B_ENTRY_NOT_FOUND,
// B_BAD_VALUE, B_NOT_ALLOWED for the built-in indexes).
int fs_create_index(dev_t device, const char* name, uint32 type, uint32 flags);
int fs_remove_index(dev_t device, const char* name);
int fs_stat_index(dev_t device, const char* name, struct index_info* info);

#endif // _FS_INDEX_H
