#include "RosterFile.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "support/WriteAll.h"

namespace {

// Another process of the user may put anything in place of the files: a link is not
// followed (its target is not ours to read or overwrite), and a FIFO or device is not
// waited on, since opening and reading only regular files never blocks.
const int kSafeOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

} // namespace


RosterFile::RosterFile(const std::string& path)
	:
	fPath(path)
{
}


status_t
RosterFile::Load(BMessage& roster) const
{
	roster.MakeEmpty();
	int fd = open(fPath.c_str(), O_RDONLY | kSafeOpenFlags);
	if (fd < 0)
		return errno == ENOENT ? B_ENTRY_NOT_FOUND : B_BAD_DATA;
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxSize) {
		close(fd);
		return B_BAD_DATA;
	}
	std::vector<char> data(info.st_size);
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
	if (done != data.size() || roster.Unflatten(data.data(), (ssize_t)done) != B_OK
		|| roster.what != kWhat) {
		roster.MakeEmpty();
		return B_BAD_DATA;
	}
	return B_OK;
}


status_t
RosterFile::Save(const BMessage& roster) const
{
	ssize_t size = roster.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	std::vector<char> data(size);
	status_t status = roster.Flatten(data.data(), size);
	if (status != B_OK)
		return status;

	// Made afresh each time: whatever lies under the temporary's name (a file left by a
	// registrar killed while saving, a link, a FIFO) is removed, never opened, so what is
	// opened is the regular file just created. Only this registrar writes there while it
	// holds the lock.
	std::string temporary = fPath + ".new";
	int fd = -1;
	for (int attempt = 0; attempt < 2 && fd < 0; attempt++) {
		fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | kSafeOpenFlags, 0600);
		if (fd < 0 && (errno != EEXIST || unlink(temporary.c_str()) != 0))
			break;
	}
	if (fd < 0)
		return B_PERMISSION_DENIED;
	status = BPrivate::write_all(fd, data);
	close(fd);
	if (status == B_OK && rename(temporary.c_str(), fPath.c_str()) != 0)
		status = B_IO_ERROR;
	if (status != B_OK)
		unlink(temporary.c_str());
	return status;
}
