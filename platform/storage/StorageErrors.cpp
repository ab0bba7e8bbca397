#include "storage/StorageErrors.h"

#include <errno.h>

namespace BPrivate {

status_t
status_for_errno(int error)
{
	switch (error) {
		case 0:
			return B_OK;
		case ENOENT:
			return B_ENTRY_NOT_FOUND;
		case EEXIST:
			return B_FILE_EXISTS;
		case EACCES:
		case EPERM:
			return B_PERMISSION_DENIED;
		case EISDIR:
			return B_IS_A_DIRECTORY;
		case ENOTDIR:
			return B_NOT_A_DIRECTORY;
		case ENAMETOOLONG:
			return B_NAME_TOO_LONG;
		case ENOTEMPTY:
			return B_DIRECTORY_NOT_EMPTY;
		case EMFILE:
		case ENFILE:
			return B_NO_MORE_FDS;
		case ENOSPC:
			return B_DEVICE_FULL;
		case EROFS:
			return B_READ_ONLY_DEVICE;
		case ELOOP:
			return B_LINK_LIMIT;
		case EXDEV:
			return B_CROSS_DEVICE_LINK;
		case EPIPE:
			return B_BUSTED_PIPE;
		case EBADF:
			return B_FILE_ERROR;
		case EINVAL:
			return B_BAD_VALUE;
		case ENOMEM:
			return B_NO_MEMORY;
		case EIO:
			return B_IO_ERROR;
		case EBUSY:
			return B_BUSY;
		case EINTR:
			return B_INTERRUPTED;
		case EAGAIN:
			return B_WOULD_BLOCK;
		case ENOTSUP:
			return B_UNSUPPORTED;
		default:
			return error;
	}
}

} // namespace BPrivate
