#include "app/RecentEntries.h"

#include <FindDirectory.h>
#include <Path.h>

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BPrivate {

namespace {

const uint32 kRecentWhat = 'rcnt';
const char* const kKindFields[] = { "document", "folder", "app" };


status_t
recent_file_path(std::string& path)
{
	BPath settings;
	status_t status = find_directory(B_USER_SETTINGS_DIRECTORY, &settings, true);
	if (status != B_OK)
		return status;
	path = std::string(settings.Path()) + "/recent_entries";
	return B_OK;
}


// The stored lists, or an empty message when the file is missing or unusable: never a
// link, never more than kMaxRecentFileSize, never a wait on something that is not a
// regular file.
BMessage
read_store(const std::string& path)
{
	BMessage store(kRecentWhat);
	int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
	if (fd < 0)
		return store;
	struct stat info;
	if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0
		&& info.st_size <= kMaxRecentFileSize) {
		std::vector<char> bytes(info.st_size);
		ssize_t got = read(fd, bytes.data(), bytes.size());
		BMessage read;
		if (got == (ssize_t)bytes.size() && read.Unflatten(bytes.data(), got) == B_OK
			&& read.what == kRecentWhat)
			store = read;
	}
	close(fd);
	return store;
}


// Writes store beside path and renames it over path, so that readers see the old list
// or the new one, never a part.
status_t
write_store(const std::string& path, const BMessage& store)
{
	ssize_t size = store.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	std::vector<char> bytes(size);
	status_t status = store.Flatten(bytes.data(), size);
	if (status != B_OK)
		return status;
	std::string temporary = path + "." + std::to_string(getpid()) + ".new";
	unlink(temporary.c_str());
	int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
		0600);
	if (fd < 0)
		return B_IO_ERROR;
	bool written = write(fd, bytes.data(), bytes.size()) == (ssize_t)bytes.size();
	close(fd);
	if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
		unlink(temporary.c_str());
		return B_IO_ERROR;
	}
	return B_OK;
}


std::vector<recent_entry>
entries_of(const BMessage& store, recent_kind kind)
{
	std::vector<recent_entry> entries;
	BMessage record;
	for (int32 i = 0; store.FindMessage(kKindFields[kind], i, &record) == B_OK
			&& (int32)entries.size() < kMaxRecentEntries; i++) {
		const char* path;
		if (record.FindString("path", &path) != B_OK)
			continue;
		const char* signature = "";
		record.FindString("signature", &signature);
		entries.push_back(recent_entry{path, signature});
	}
	return entries;
}

} // namespace


status_t
add_recent_entry(recent_kind kind, const char* path, const char* signature)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	std::string file;
	status_t status = recent_file_path(file);
	if (status != B_OK)
		return status;
	BMessage store = read_store(file);
	recent_entry added{path, signature != NULL ? signature : ""};
	BMessage updated(kRecentWhat);
	for (int32 k = kRecentDocument; k <= kRecentApp; k++) {
		std::vector<recent_entry> entries = entries_of(store, (recent_kind)k);
		if (k == kind)
			entries.insert(entries.begin(), added);
		int32 kept = 0;
		for (size_t i = 0; i < entries.size() && kept < kMaxRecentEntries; i++) {
			if (k == kind && i > 0 && entries[i].path == added.path
				&& entries[i].signature == added.signature)
				continue;
			BMessage record;
			record.AddString("path", entries[i].path.c_str());
			record.AddString("signature", entries[i].signature.c_str());
			updated.AddMessage(kKindFields[k], &record);
			kept++;
		}
	}
	return write_store(file, updated);
}


std::vector<recent_entry>
recent_entries(recent_kind kind)
{
	std::string file;
	if (recent_file_path(file) != B_OK)
		return {};
	return entries_of(read_store(file), kind);
}

} // namespace BPrivate
