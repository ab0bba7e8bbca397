// The platform's directory entries. Its record names the entry's node and its parent's
// (device and inode each), where the C library's names the inode and the entry's type: the
// C library's header is included with its record renamed, and the functions that hand out
// records return the platform's (docs/directory-entries.md).
#ifndef _BE_DIRENT_H
#define _BE_DIRENT_H

#ifdef _DIRENT_H
#error "the C library's <dirent.h> was included before the kit's; put platform/headers first"
#endif

#include <sys/types.h>

// The C library's record stays reachable as struct posix_dirent (readdir64 and struct
// dirent64 are untouched, for code that wants the entry's type).
#define dirent posix_dirent
#include_next <dirent.h>
#undef dirent

#ifdef __cplusplus
extern "C" {
#endif

// One entry: d_reclen bytes, of which d_name takes the rest (NUL-terminated). Records that
// follow each other in a buffer start at multiples of the record's alignment.
typedef struct dirent {
	dev_t				d_dev;		// the device of the entry's node
	dev_t				d_pdev;		// the device of the directory holding it
	ino_t				d_ino;		// the entry's node
	ino_t				d_pino;		// the directory's node
	unsigned short		d_reclen;	// the whole record's length
	char				d_name[1];
} dirent_t;

struct dirent*	__be_readdir(DIR* directory);
int				__be_readdir_r(DIR* directory, struct dirent* entry, struct dirent** result);
int				__be_closedir(DIR* directory);

#ifdef __cplusplus
}
#endif

#define readdir		__be_readdir
#define readdir_r	__be_readdir_r
#define closedir	__be_closedir

#endif // _BE_DIRENT_H
