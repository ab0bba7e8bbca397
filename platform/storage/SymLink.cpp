#include <SymLink.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "storage/StorageErrors.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

using BPrivate::status_for_errno;


BSymLink::BSymLink()
{
}


BSymLink::BSymLink(const BSymLink& link)
	:
	BNode(link)
{
}


BSymLink::BSymLink(const entry_ref* ref)
{
	SetTo(ref);
}


BSymLink::BSymLink(const BEntry* entry)
{
	SetTo(entry);
}


BSymLink::BSymLink(const char* path)
{
	SetTo(path);
}


BSymLink::BSymLink(const BDirectory* directory, const char* path)
{
	SetTo(directory, path);
}


BSymLink::~BSymLink()
{
}


status_t
BSymLink::SetTo(const entry_ref* ref)
{
	BEntry entry(ref);
	return SetTo(&entry);
}


status_t
BSymLink::SetTo(const BEntry* entry)
{
	BPath path;
	status_t status = entry != NULL ? entry->GetPath(&path) : B_BAD_VALUE;
	if (status != B_OK) {
		_SetDescriptor(-1, status);
		return status;
	}
	return SetTo(path.Path());
}


status_t
BSymLink::SetTo(const char* path)
{
	if (path == NULL || path[0] == '\0') {
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	// O_PATH opens the link itself; readlinkat and fstat work on it.
	int fd = open(path, O_PATH | O_NOFOLLOW | O_CLOEXEC);
	if (fd < 0) {
		status_t status = status_for_errno(errno);
		_SetDescriptor(-1, status);
		return status;
	}
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISLNK(info.st_mode)) {
		close(fd);
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	_SetDescriptor(fd, B_OK);
	return B_OK;
}


status_t
BSymLink::SetTo(const BDirectory* directory, const char* path)
{
	BEntry entry(directory, path);
	return SetTo(&entry);
}


ssize_t
BSymLink::ReadLink(char* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	if (buffer == NULL || size == 0)
		return B_BAD_VALUE;
	char contents[B_PATH_NAME_LENGTH];
	ssize_t length = readlinkat(_Descriptor(), "", contents, sizeof(contents));
	if (length < 0)
		return status_for_errno(errno);
	if ((size_t)length >= sizeof(contents))
		return B_NAME_TOO_LONG;
	size_t copied = (size_t)length < size ? length : size - 1;
	memcpy(buffer, contents, copied);
	buffer[copied] = '\0';
	return length;
}


ssize_t
BSymLink::MakeLinkedPath(const char* dirPath, BPath* path)
{
	if (dirPath == NULL || path == NULL)
		return B_BAD_VALUE;
	char contents[B_PATH_NAME_LENGTH];
	ssize_t length = ReadLink(contents, sizeof(contents));
	if (length < 0)
		return length;
	status_t status = contents[0] == '/' ? path->SetTo(contents)
		: path->SetTo(dirPath, contents);
	if (status != B_OK)
		return status;
	return strlen(path->Path());
}


ssize_t
BSymLink::MakeLinkedPath(const BDirectory* directory, BPath* path)
{
	if (directory == NULL || path == NULL)
		return B_BAD_VALUE;
	BEntry directoryEntry;
	BPath directoryPath;
	status_t status = directory->GetEntry(&directoryEntry);
	if (status == B_OK)
		status = directoryEntry.GetPath(&directoryPath);
	if (status != B_OK)
		return status;
	return MakeLinkedPath(directoryPath.Path(), path);
}


bool
BSymLink::IsAbsolute()
{
	char contents[B_PATH_NAME_LENGTH];
	return ReadLink(contents, sizeof(contents)) > 0 && contents[0] == '/';
}


BSymLink&
BSymLink::operator=(const BSymLink& link)
{
	BNode::operator=(link);
	return *this;
}
