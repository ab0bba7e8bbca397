#include <Directory.h>

#include <Entry.h>
#include <File.h>
#include <Path.h>
#include <SymLink.h>

#include "storage/StorageErrors.h"
#include "support/DirentRecord.h"

#include <errno.h>
#include <fcntl.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

using BPrivate::fill_dirent;
using BPrivate::status_for_errno;

namespace {

const mode_t kDirectoryMode = 0755;


bool
is_dot_or_dot_dot(const char* name)
{
	return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}


// Whether the node of st is of one of the kinds in nodeFlags (0: any).
bool
matches_kind(const struct stat& st, int32 nodeFlags)
{
	if (nodeFlags == 0)
		return true;
	return ((nodeFlags & B_FILE_NODE) != 0 && S_ISREG(st.st_mode))
		|| ((nodeFlags & B_SYMLINK_NODE) != 0 && S_ISLNK(st.st_mode))
		|| ((nodeFlags & B_DIRECTORY_NODE) != 0 && S_ISDIR(st.st_mode));
}

} // namespace


BDirectory::BDirectory()
	:
	fPath(NULL),
	fStream(NULL)
{
}


BDirectory::BDirectory(const BDirectory& directory)
	:
	BNode(),
	BEntryList(),
	fPath(NULL),
	fStream(NULL)
{
	*this = directory;
}


BDirectory::BDirectory(const entry_ref* ref)
	:
	fPath(NULL),
	fStream(NULL)
{
	SetTo(ref);
}


BDirectory::BDirectory(const BEntry* entry)
	:
	fPath(NULL),
	fStream(NULL)
{
	SetTo(entry);
}


BDirectory::BDirectory(const char* path)
	:
	fPath(NULL),
	fStream(NULL)
{
	SetTo(path);
}


BDirectory::BDirectory(const BDirectory* directory, const char* path)
	:
	fPath(NULL),
	fStream(NULL)
{
	SetTo(directory, path);
}


BDirectory::~BDirectory()
{
	Unset();
}


status_t
BDirectory::SetTo(const entry_ref* ref)
{
	if (ref == NULL) {
		Unset();
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	BEntry entry(ref, true);
	return SetTo(&entry);
}


status_t
BDirectory::SetTo(const BEntry* entry)
{
	Unset();
	BPath path;
	status_t status = entry != NULL ? entry->GetPath(&path) : B_BAD_VALUE;
	if (status != B_OK) {
		_SetDescriptor(-1, status);
		return status;
	}
	int fd = open(path.Path(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0) {
		status = status_for_errno(errno);
		_SetDescriptor(-1, status);
		return status;
	}
	fPath = strdup(path.Path());
	if (fPath == NULL) {
		close(fd);
		_SetDescriptor(-1, B_NO_MEMORY);
		return B_NO_MEMORY;
	}
	_SetDescriptor(fd, B_OK);
	return B_OK;
}


status_t
BDirectory::SetTo(const char* path)
{
	if (path == NULL || path[0] == '\0') {
		Unset();
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	BEntry entry(path, true);
	return SetTo(&entry);
}


status_t
BDirectory::SetTo(const BDirectory* directory, const char* path)
{
	char resolved[B_PATH_NAME_LENGTH];
	status_t status = B_BAD_VALUE;
	if (directory != NULL && path != NULL)
		status = path[0] == '/' ? B_OK : directory->_Resolve(path, resolved);
	if (status != B_OK) {
		Unset();
		_SetDescriptor(-1, status);
		return status;
	}
	return SetTo(path[0] == '/' ? path : resolved);
}


void
BDirectory::Unset()
{
	_CloseStream();
	free(fPath);
	fPath = NULL;
	BNode::Unset();
}


status_t
BDirectory::GetEntry(BEntry* entry) const
{
	if (entry == NULL)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	return entry->SetTo(fPath);
}


bool
BDirectory::IsRootDirectory() const
{
	return fPath != NULL && strcmp(fPath, "/") == 0;
}


status_t
BDirectory::FindEntry(const char* path, BEntry* entry, bool traverse) const
{
	if (path == NULL || entry == NULL)
		return B_BAD_VALUE;
	char resolved[B_PATH_NAME_LENGTH];
	status_t status = _Resolve(path, resolved);
	if (status != B_OK)
		return status;
	struct stat st;
	if (lstat(resolved, &st) != 0) {
		entry->Unset();
		return status_for_errno(errno);
	}
	return entry->SetTo(resolved, traverse);
}


bool
BDirectory::Contains(const char* path, int32 nodeFlags) const
{
	struct stat st;
	char resolved[B_PATH_NAME_LENGTH];
	return path != NULL && _Resolve(path, resolved) == B_OK && lstat(resolved, &st) == 0
		&& matches_kind(st, nodeFlags);
}


bool
BDirectory::Contains(const BEntry* entry, int32 nodeFlags) const
{
	BPath path;
	if (entry == NULL || InitCheck() != B_OK || entry->GetPath(&path) != B_OK)
		return false;
	size_t length = strlen(fPath);
	const char* candidate = path.Path();
	bool inside = strcmp(fPath, "/") == 0
		? candidate[0] == '/'
		: strncmp(candidate, fPath, length) == 0 && candidate[length] == '/';
	struct stat st;
	return inside && lstat(candidate, &st) == 0 && matches_kind(st, nodeFlags);
}


status_t
BDirectory::GetStatFor(const char* path, struct stat* st) const
{
	if (path == NULL || st == NULL)
		return B_BAD_VALUE;
	char resolved[B_PATH_NAME_LENGTH];
	status_t status = _Resolve(path, resolved);
	if (status != B_OK)
		return status;
	return lstat(resolved, st) == 0 ? B_OK : status_for_errno(errno);
}


status_t
BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
	if (entry == NULL)
		return B_BAD_VALUE;
	struct {
		struct dirent header;
		char more[B_FILE_NAME_LENGTH];
	} buffer;
	if (GetNextDirents(&buffer.header, sizeof(buffer), 1) != 1) {
		entry->Unset();
		return InitCheck() != B_OK ? B_NO_INIT : B_ENTRY_NOT_FOUND;
	}
	char path[B_PATH_NAME_LENGTH];
	status_t status = _Resolve(buffer.header.d_name, path);
	return status == B_OK ? entry->SetTo(path, traverse) : status;
}


status_t
BDirectory::GetNextRef(entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	BEntry entry;
	status_t status = GetNextEntry(&entry);
	if (status != B_OK)
		return status;
	return entry.GetRef(ref);
}


int32
BDirectory::GetNextDirents(struct dirent* buffer, size_t length, int32 count)
{
	if (buffer == NULL || InitCheck() != B_OK)
		return B_BAD_VALUE;
	if (fStream == NULL) {
		// A description of its own: a copy's stream must not move this one's position.
		int fd = openat(_Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
		DIR* stream = fd >= 0 ? fdopendir(fd) : NULL;
		if (stream == NULL) {
			if (fd >= 0)
				close(fd);
			return status_for_errno(errno);
		}
		fStream = stream;
	}
	DIR* stream = static_cast<DIR*>(fStream);
	int32 found = 0;
	size_t used = 0;
	while (found < count) {
		long position = telldir(stream);
		struct dirent* next = readdir(stream);
		if (next == NULL)
			break;
		if (is_dot_or_dot_dot(next->d_name))
			continue;
		size_t size = fill_dirent((struct dirent*)((uint8*)buffer + used), length - used,
			next->d_dev, next->d_ino, next->d_pdev, next->d_pino, next->d_name);
		if (size == 0) {
			// The record that does not fit is read again next time.
			seekdir(stream, position);
			break;
		}
		used += size;
		found++;
	}
	return found;
}


status_t
BDirectory::Rewind()
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (fStream != NULL)
		rewinddir(static_cast<DIR*>(fStream));
	return B_OK;
}


int32
BDirectory::CountEntries()
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	// A stream of its own leaves the position of GetNext... where it was.
	int fd = openat(_Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	DIR* stream = fd >= 0 ? fdopendir(fd) : NULL;
	if (stream == NULL) {
		if (fd >= 0)
			close(fd);
		return status_for_errno(errno);
	}
	int32 count = 0;
	while (struct dirent* next = readdir(stream)) {
		if (!is_dot_or_dot_dot(next->d_name))
			count++;
	}
	closedir(stream);
	return count;
}


status_t
BDirectory::CreateDirectory(const char* path, BDirectory* directory)
{
	if (path == NULL)
		return B_BAD_VALUE;
	char resolved[B_PATH_NAME_LENGTH];
	status_t status = _Resolve(path, resolved);
	if (status != B_OK)
		return status;
	if (mkdir(resolved, kDirectoryMode) != 0)
		return status_for_errno(errno);
	return directory != NULL ? directory->SetTo(resolved) : B_OK;
}


status_t
BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
	if (path == NULL)
		return B_BAD_VALUE;
	char resolved[B_PATH_NAME_LENGTH];
	status_t status = _Resolve(path, resolved);
	if (status != B_OK)
		return status;
	uint32 mode = B_READ_WRITE | B_CREATE_FILE
		| (failIfExists ? B_FAIL_IF_EXISTS : B_ERASE_FILE);
	BFile created;
	return (file != NULL ? file : &created)->SetTo(resolved, mode);
}


status_t
BDirectory::CreateSymLink(const char* path, const char* linkToPath, BSymLink* link)
{
	if (path == NULL || linkToPath == NULL || linkToPath[0] == '\0')
		return B_BAD_VALUE;
	char resolved[B_PATH_NAME_LENGTH];
	status_t status = _Resolve(path, resolved);
	if (status != B_OK)
		return status;
	if (symlink(linkToPath, resolved) != 0)
		return errno == EEXIST ? B_FILE_EXISTS : status_for_errno(errno);
	return link != NULL ? link->SetTo(resolved) : B_OK;
}


BDirectory&
BDirectory::operator=(const BDirectory& directory)
{
	if (this == &directory)
		return *this;
	Unset();
	BNode::operator=(directory);
	if (directory.fPath != NULL && InitCheck() == B_OK) {
		fPath = strdup(directory.fPath);
		if (fPath == NULL)
			BNode::Unset();
	}
	return *this;
}


status_t
BDirectory::_Resolve(const char* path, char* resolved) const
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	if (path[0] == '/') {
		if (strlen(path) >= B_PATH_NAME_LENGTH)
			return B_NAME_TOO_LONG;
		strcpy(resolved, path);
		return B_OK;
	}
	if (fPath == NULL)
		return B_NO_INIT;
	const char* separator = strcmp(fPath, "/") == 0 ? "" : "/";
	int length = snprintf(resolved, B_PATH_NAME_LENGTH, "%s%s%s", fPath, separator, path);
	return length < B_PATH_NAME_LENGTH ? B_OK : B_NAME_TOO_LONG;
}


void
BDirectory::_CloseStream()
{
	if (fStream != NULL)
		closedir(static_cast<DIR*>(fStream));
	fStream = NULL;
}


status_t
create_directory(const char* path, mode_t mode)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	BPath absolute(path);
	if (absolute.InitCheck() != B_OK)
		return absolute.InitCheck();
	const char* full = absolute.Path();
	size_t length = strlen(full);
	char part[B_PATH_NAME_LENGTH];
	if (length >= sizeof(part))
		return B_NAME_TOO_LONG;
	for (size_t end = 1; end <= length; end++) {
		if (end != length && full[end] != '/')
			continue;
		memcpy(part, full, end);
		part[end] = '\0';
		if (mkdir(part, mode) != 0 && errno != EEXIST)
			return status_for_errno(errno);
	}
	struct stat st;
	if (stat(full, &st) != 0)
		return status_for_errno(errno);
	return S_ISDIR(st.st_mode) ? B_OK : B_NOT_A_DIRECTORY;
}
