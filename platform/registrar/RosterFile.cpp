#include "RosterFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>


RosterFile::RosterFile(const std::string& path)
	:
	fPath(path)
{
}


status_t
RosterFile::Load(BMessage& roster) const
{
	roster.MakeEmpty();
	int fd = open(fPath.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return B_ENTRY_NOT_FOUND;
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxSize) {
		close(fd);
		return B_BAD_DATA;
	}
	std::vector<char> data(info.st_size);
	size_t done = 0;
	while (done < data.size()) {
		ssize_t bytes = read(fd, data.data() + done, data.size() - done);
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

	std::string temporary = fPath + ".new";
	int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	if (fd < 0)
		return B_PERMISSION_DENIED;
	size_t done = 0;
	while (done < data.size()) {
		ssize_t bytes = write(fd, data.data() + done, data.size() - done);
		if (bytes <= 0)
			break;
		done += bytes;
	}
	close(fd);
	if (done != data.size() || rename(temporary.c_str(), fPath.c_str()) != 0) {
		unlink(temporary.c_str());
		return B_IO_ERROR;
	}
	return B_OK;
}
