#include "app/ClipboardStore.h"

#include "app/RuntimeDirectory.h"

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "support/WriteAll.h"

namespace BPrivate {

namespace {

// Any process of the user may put something else under these names: a link is never
// followed and a FIFO never waited on.
const int kSafeOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

} // namespace


ClipboardStore::ClipboardStore(const char* name)
	:
	fLeaf("clipboard.")
{
	std::string safe = name != NULL ? name : "";
	if (safe.size() > kMaxNameLength)
		safe.resize(kMaxNameLength);
	for (char& c : safe) {
		if (!isalnum((unsigned char)c) && c != '-' && c != '_')
			c = '_';
	}
	fLeaf += safe;
}


status_t
ClipboardStore::Path(std::string& path) const
{
	status_t status = runtime_directory(path);
	if (status == B_OK)
		path += "/" + fLeaf;
	return status;
}


status_t
ClipboardStore::Load(ClipboardContents& contents) const
{
	contents = ClipboardContents();
	std::string path;
	status_t status = Path(path);
	if (status != B_OK)
		return status;
	int fd = open(path.c_str(), O_RDONLY | kSafeOpenFlags);
	if (fd < 0)
		return errno == ENOENT ? B_ENTRY_NOT_FOUND : B_BAD_DATA;
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0
		|| (size_t)info.st_size > kMaxSize) {
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
	if (done != data.size())
		return B_BAD_DATA;
	return Decode(data.data(), done, contents);
}


status_t
ClipboardStore::Decode(const void* data, size_t size, ClipboardContents& contents)
{
	contents = ClipboardContents();
	BMessage file;
	int32 count = 0;
	if (size > kMaxSize || file.Unflatten((const char*)data, (ssize_t)size) != B_OK
		|| file.what != kWhat || file.FindInt32("count", &count) != B_OK
		|| file.FindMessage("data", &contents.data) != B_OK) {
		contents = ClipboardContents();
		return B_BAD_DATA;
	}
	contents.count = (uint32)count;
	// A source that does not decode leaves the data usable: it only names who wrote it.
	if (file.FindMessenger("source", &contents.source) != B_OK)
		contents.source = BMessenger();
	return B_OK;
}


status_t
ClipboardStore::Save(const ClipboardContents& contents) const
{
	BMessage file(kWhat);
	file.AddInt32("count", (int32)contents.count);
	file.AddMessage("data", &contents.data);
	if (contents.source.IsValid())
		file.AddMessenger("source", contents.source);
	ssize_t size = file.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	if ((size_t)size > kMaxSize)
		return B_NO_MEMORY;
	std::vector<char> data(size);
	status_t status = file.Flatten(data.data(), size);
	if (status != B_OK)
		return status;

	std::string path;
	status = Path(path);
	if (status != B_OK)
		return status;
	// Each writer makes its own temporary, created afresh, so that two applications
	// committing at once never write into one file; the rename publishes it whole.
	std::string temporary = path + ".new." + std::to_string(getpid()) + "."
		+ std::to_string(gettid());
	int fd = -1;
	for (int attempt = 0; attempt < 2 && fd < 0; attempt++) {
		fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | kSafeOpenFlags, 0600);
		if (fd < 0 && (errno != EEXIST || unlink(temporary.c_str()) != 0))
			break;
	}
	if (fd < 0)
		return B_PERMISSION_DENIED;
	status = write_all(fd, data);
	close(fd);
	if (status == B_OK && rename(temporary.c_str(), path.c_str()) != 0)
		status = B_IO_ERROR;
	if (status != B_OK)
		unlink(temporary.c_str());
	return status;
}

} // namespace BPrivate
