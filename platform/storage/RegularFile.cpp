#include "storage/RegularFile.h"

#include "storage/StorageErrors.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>


int
BPrivate::open_regular_file(const char* path, status_t* status)
{
	int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
	if (fd < 0) {
		*status = status_for_errno(errno);
		return -1;
	}
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
		close(fd);
		*status = B_BAD_DATA;
		return -1;
	}
	*status = B_OK;
	return fd;
}
