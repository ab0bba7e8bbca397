// Limits and open modes of the Storage Kit.
#ifndef _STORAGE_DEFS_H
#define _STORAGE_DEFS_H

#include <fcntl.h>
#include <limits.h>

#define B_DEV_NAME_LENGTH		128
#define B_FILE_NAME_LENGTH		(NAME_MAX + 1)
#define B_PATH_NAME_LENGTH		PATH_MAX
#define B_ATTR_NAME_LENGTH		(B_FILE_NAME_LENGTH - 1)
#define B_MIME_TYPE_LENGTH		(B_ATTR_NAME_LENGTH - 15)
#define B_MAX_SYMLINKS			16

// Open modes of BFile: one of the first three, or'ed with any of the others.
#define B_READ_ONLY			O_RDONLY
#define B_WRITE_ONLY		O_WRONLY
#define B_READ_WRITE		O_RDWR

#define B_FAIL_IF_EXISTS	O_EXCL
#define B_CREATE_FILE		O_CREAT
#define B_ERASE_FILE		O_TRUNC
#define B_OPEN_AT_END		O_APPEND

#endif // _STORAGE_DEFS_H
