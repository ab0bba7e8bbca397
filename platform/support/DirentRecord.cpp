// The platform's directory entry records and readdir over the C library's.
#include "support/DirentRecord.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>

#include <map>
#include <memory>
#include <mutex>

namespace BPrivate {

size_t
dirent_length(const char* name)
{
	size_t nameLength = strlen(name) + 1;
	if (nameLength > kDirentNameLength)
		return 0;
	size_t length = offsetof(struct dirent, d_name) + nameLength;
	const size_t alignment = alignof(struct dirent);
	return (length + alignment - 1) / alignment * alignment;
}


size_t
fill_dirent(struct dirent* record, size_t capacity, dev_t device, ino_t node,
	dev_t parentDevice, ino_t parentNode, const char* name)
{
	size_t length = dirent_length(name);
	if (length == 0 || length > capacity)
		return 0;
	memset(record, 0, length);
	record->d_dev = device;
	record->d_pdev = parentDevice;
	record->d_ino = node;
	record->d_pino = parentNode;
	record->d_reclen = length;
	// Through the record's bytes: d_name is declared one character long.
	memcpy((char*)record + offsetof(struct dirent, d_name), name, strlen(name) + 1);
	return length;
}

} // namespace BPrivate


using namespace BPrivate;

namespace {

// What readdir hands out for one open stream: the record of its last entry, and the
// directory's own node, read once.
struct StreamRecord {
	int				fd = -1;
	dev_t			device = 0;
	ino_t			node = 0;
	DirentBuffer	buffer;
};

std::mutex stStreamsLock;
std::map<DIR*, std::unique_ptr<StreamRecord>> stStreams;


StreamRecord*
stream_record(DIR* directory)
{
	std::lock_guard<std::mutex> lock(stStreamsLock);
	std::unique_ptr<StreamRecord>& record = stStreams[directory];
	if (!record)
		record.reset(new StreamRecord);
	return record.get();
}

} // namespace


// The C library's functions, which the kit's <dirent.h> names after its own.
#undef readdir
#undef readdir_r
#undef closedir

extern "C" struct dirent*
__be_readdir(DIR* directory)
{
	if (directory == NULL) {
		errno = EBADF;
		return NULL;
	}
	StreamRecord* record = stream_record(directory);
	// The stream's descriptor changes only if it was closed behind the kit's back and
	// its address reused: read the directory's node again then.
	int fd = dirfd(directory);
	if (fd != record->fd) {
		struct stat info;
		if (fstat(fd, &info) != 0)
			return NULL;
		record->fd = fd;
		record->device = info.st_dev;
		record->node = info.st_ino;
	}
	while (struct dirent64* entry = readdir64(directory)) {
		dev_t device = record->device;
		ino_t node = entry->d_ino;
		// A directory another file system is mounted on is that file system's root,
		// as a walk through it finds it.
		if (entry->d_type == DT_DIR && strcmp(entry->d_name, "..") != 0) {
			struct stat info;
			if (fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
				device = info.st_dev;
				node = info.st_ino;
			}
		}
		if (fill_dirent(&record->buffer.entry, sizeof(record->buffer), device, node,
				record->device, record->node, entry->d_name) != 0) {
			return &record->buffer.entry;
		}
	}
	return NULL;
}


extern "C" int
__be_readdir_r(DIR* directory, struct dirent* entry, struct dirent** result)
{
	int error = errno;
	errno = 0;
	struct dirent* next = __be_readdir(directory);
	int status = errno;
	errno = error;
	*result = NULL;
	if (next == NULL)
		return status;
	memcpy(entry, next, next->d_reclen);
	*result = entry;
	return 0;
}


extern "C" int
__be_closedir(DIR* directory)
{
	{
		std::lock_guard<std::mutex> lock(stStreamsLock);
		stStreams.erase(directory);
	}
	return closedir(directory);
}
