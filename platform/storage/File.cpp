#include <File.h>

#include <Entry.h>
#include <Path.h>

#include "storage/StorageErrors.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

using BPrivate::status_for_errno;

namespace {

// The open modes that BFile accepts; anything else in a mode is refused.
const uint32 kOpenModeMask = O_ACCMODE | B_FAIL_IF_EXISTS | B_CREATE_FILE
	| B_ERASE_FILE | B_OPEN_AT_END;

// Created files get what the user's umask leaves of read-write for all.
const mode_t kCreatePermissions = 0666;

} // namespace


BFile::BFile()
	:
	fMode(0)
{
}


BFile::BFile(const char* path, uint32 openMode)
	:
	fMode(0)
{
	SetTo(path, openMode);
}


BFile::BFile(const entry_ref* ref, uint32 openMode)
	:
	fMode(0)
{
	SetTo(ref, openMode);
}


BFile::BFile(const BEntry* entry, uint32 openMode)
	:
	fMode(0)
{
	SetTo(entry, openMode);
}


BFile::BFile(const BDirectory* directory, const char* path, uint32 openMode)
	:
	fMode(0)
{
	SetTo(directory, path, openMode);
}


BFile::BFile(const BFile& file)
	:
	BNode(),
	BPositionIO(),
	fMode(0)
{
	*this = file;
}


BFile::~BFile()
{
}


status_t
BFile::SetTo(const char* path, uint32 openMode)
{
	Unset();
	if (path == NULL || path[0] == '\0' || (openMode & ~kOpenModeMask) != 0
		|| (openMode & O_ACCMODE) == O_ACCMODE) {
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}

	int fd;
	do {
		fd = open(path, openMode | O_CLOEXEC, kCreatePermissions);
	} while (fd < 0 && errno == EINTR);
	if (fd < 0) {
		_SetDescriptor(-1, status_for_errno(errno));
		return InitCheck();
	}

	// A directory opens read-only on Linux, but it is no file.
	struct stat info;
	if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
		close(fd);
		_SetDescriptor(-1, B_IS_A_DIRECTORY);
		return B_IS_A_DIRECTORY;
	}

	_SetDescriptor(fd, B_OK);
	fMode = openMode;
	return B_OK;
}


status_t
BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	BPath path(ref);
	if (path.InitCheck() != B_OK) {
		Unset();
		_SetDescriptor(-1, path.InitCheck());
		return InitCheck();
	}
	return SetTo(path.Path(), openMode);
}


status_t
BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	BPath path(entry);
	if (path.InitCheck() != B_OK) {
		Unset();
		_SetDescriptor(-1, path.InitCheck());
		return InitCheck();
	}
	return SetTo(path.Path(), openMode);
}


status_t
BFile::SetTo(const BDirectory* directory, const char* path, uint32 openMode)
{
	if (directory == NULL || path == NULL) {
		Unset();
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	// The entry may not exist yet: B_CREATE_FILE makes it.
	BEntry entry;
	status_t status = entry.SetTo(directory, path);
	if (status != B_OK) {
		Unset();
		_SetDescriptor(-1, status);
		return status;
	}
	return SetTo(&entry, openMode);
}


void
BFile::Unset()
{
	BNode::Unset();
	fMode = 0;
}


bool
BFile::IsReadable() const
{
	return InitCheck() == B_OK && (fMode & O_ACCMODE) != B_WRITE_ONLY;
}


bool
BFile::IsWritable() const
{
	return InitCheck() == B_OK && (fMode & O_ACCMODE) != B_READ_ONLY;
}


ssize_t
BFile::Read(void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (buffer == NULL)
		return B_BAD_VALUE;
	ssize_t result;
	do {
		result = read(_Descriptor(), buffer, size);
	} while (result < 0 && errno == EINTR);
	return result < 0 ? status_for_errno(errno) : result;
}


ssize_t
BFile::ReadAt(off_t position, void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	ssize_t result;
	do {
		result = pread(_Descriptor(), buffer, size, position);
	} while (result < 0 && errno == EINTR);
	return result < 0 ? status_for_errno(errno) : result;
}


ssize_t
BFile::Write(const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (buffer == NULL)
		return B_BAD_VALUE;
	ssize_t result;
	do {
		result = write(_Descriptor(), buffer, size);
	} while (result < 0 && errno == EINTR);
	return result < 0 ? status_for_errno(errno) : result;
}


ssize_t
BFile::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	ssize_t result;
	do {
		result = pwrite(_Descriptor(), buffer, size, position);
	} while (result < 0 && errno == EINTR);
	return result < 0 ? status_for_errno(errno) : result;
}


off_t
BFile::Seek(off_t offset, uint32 seekMode)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
		return B_BAD_VALUE;
	off_t result = lseek(_Descriptor(), offset, seekMode);
	return result < 0 ? status_for_errno(errno) : result;
}


off_t
BFile::Position() const
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	off_t result = lseek(_Descriptor(), 0, SEEK_CUR);
	return result < 0 ? status_for_errno(errno) : result;
}


status_t
BFile::SetSize(off_t size)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (size < 0)
		return B_BAD_VALUE;
	if (ftruncate(_Descriptor(), size) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
BFile::GetSize(off_t* size) const
{
	if (size == NULL)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*size = info.st_size;
	return status;
}


BFile&
BFile::operator=(const BFile& file)
{
	if (this != &file) {
		BNode::operator=(file);
		fMode = InitCheck() == B_OK ? file.fMode : 0;
	}
	return *this;
}
