#include "support/SmallFile.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BPrivate {

namespace {

const int kSafeOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;


status_t
write_all(int fd, const std::vector<char>& data)
{
	size_t done = 0;
	while (done < data.size()) {
		ssize_t bytes = write(fd, data.data() + done, data.size() - done);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes <= 0)
			return B_IO_ERROR;
		done += bytes;
	}
	return B_OK;
}

} // namespace


status_t
read_small_file(const std::string& path, size_t maxSize, std::vector<char>& data)
{
	data.clear();
	int fd = open(path.c_str(), O_RDONLY | kSafeOpenFlags);
	if (fd < 0)
		return errno == ENOENT ? B_ENTRY_NOT_FOUND : B_BAD_DATA;
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0
		|| (size_t)info.st_size > maxSize) {
		close(fd);
		return B_BAD_DATA;
	}
	data.resize(info.st_size);
	size_t done = 0;
	while (done < data.size()) {
		ssize_t bytes = read(fd, data.data() + done, data.size() - done);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes <= 0)
			break;
		done += bytes;
	}
	close(fd);
	if (done != data.size()) {
		data.clear();
		return B_BAD_DATA;
	}
	return B_OK;
}


status_t
replace_small_file(const std::string& path, const std::string& temporary,
	const std::vector<char>& data)
{
	int fd = -1;
	for (int attempt = 0; attempt < 2 && fd < 0; attempt++) {
		fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | kSafeOpenFlags, 0600);
		if (fd < 0 && (errno != EEXIST || unlink(temporary.c_str()) != 0))
			break;
	}
	if (fd < 0)
		return B_PERMISSION_DENIED;
	status_t status = write_all(fd, data);
	close(fd);
	if (status == B_OK && rename(temporary.c_str(), path.c_str()) != 0)
		status = B_IO_ERROR;
	if (status != B_OK)
		unlink(temporary.c_str());
	return status;
}

} // namespace BPrivate
