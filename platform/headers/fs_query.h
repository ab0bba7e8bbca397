// Queries of a volume through the C interface: the same predicates and evaluation as
// BQuery (docs/queries.md).
#ifndef _FS_QUERY_H
#define _FS_QUERY_H

#include <SupportDefs.h>

#include <dirent.h>
#include <sys/types.h>

// A flag of fs_open_live_query: results that change are sent to port. Live results
// need a messenger on Linux, so it is refused (errno B_UNSUPPORTED); BQuery with a
// target delivers them.
#define B_LIVE_QUERY	0x00000001

// Opens a query of device's volume; NULL with errno set (B_BAD_VALUE for a predicate
// that does not parse, B_ENTRY_NOT_FOUND for no such volume).
DIR* fs_open_query(dev_t device, const char* query, uint32 flags);
DIR* fs_open_live_query(dev_t device, const char* query, uint32 flags, port_id port,
	int32 token);
int fs_close_query(DIR* query);
// The next match (d_ino its node), valid until the next call; NULL after the last.
struct dirent* fs_read_query(DIR* query);
// The path of the entry a dirent of fs_read_query names.
status_t get_path_for_dirent(struct dirent* entry, char* buffer, size_t length);

#endif // _FS_QUERY_H
