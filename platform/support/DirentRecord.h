// Writing the platform's directory entry records (<dirent.h>), for every producer of them:
// readdir, the directory and query entry lists, and the index and attribute directories.
#ifndef _DIRENT_RECORD_H
#define _DIRENT_RECORD_H

#include <dirent.h>
#include <stddef.h>

namespace BPrivate {

// The longest name a record holds, its NUL included (as B_FILE_NAME_LENGTH).
const size_t kDirentNameLength = 256;

// A record with room for the longest name.
union DirentBuffer {
	struct dirent	entry;
	char			bytes[offsetof(struct dirent, d_name) + kDirentNameLength];
};

// The length of the record that holds name: the header, the name and its NUL, rounded up
// so that a record that follows it in a buffer is aligned. 0 when name is too long.
size_t dirent_length(const char* name);

// Writes a whole record at record, which has capacity bytes. Returns its length, or 0
// (writing nothing) when it does not fit or name is too long.
size_t fill_dirent(struct dirent* record, size_t capacity, dev_t device, ino_t node,
	dev_t parentDevice, ino_t parentNode, const char* name);

} // namespace BPrivate

#endif // _DIRENT_RECORD_H
