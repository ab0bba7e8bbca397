#include <Entry.h>

#include <Path.h>

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "storage/DirectoryRegistry.h"
#include "storage/PathNormalization.h"
#include "storage/StorageErrors.h"

using namespace BPrivate;

status_t
get_ref_for_path(const char* path, entry_ref* ref)
{
	if (path == NULL || ref == NULL)
		return B_BAD_VALUE;
	BEntry entry(path);
	status_t status = entry.InitCheck();
	return status == B_OK ? entry.GetRef(ref) : status;
}


BEntry::BEntry()
	:
	fPath(NULL),
	fStatus(B_NO_INIT)
{
}


BEntry::BEntry(const char* path, bool traverse)
	:
	BEntry()
{
	SetTo(path, traverse);
}


BEntry::BEntry(const entry_ref* ref, bool traverse)
	:
	BEntry()
{
	SetTo(ref, traverse);
}


BEntry::BEntry(const BEntry& other)
	:
	BEntry()
{
	*this = other;
}


BEntry::~BEntry()
{
	free(fPath);
}


bool
BEntry::Exists() const
{
	struct stat info;
	return fPath != NULL && lstat(fPath, &info) == 0;
}


status_t
BEntry::SetTo(const char* path, bool traverse)
{
	Unset();
	if (path == NULL)
		return fStatus = B_BAD_VALUE;
	return _SetAbsolute(path, traverse);
}


status_t
BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	Unset();
	if (ref == NULL || ref->name == NULL || ref->name[0] == '\0'
		|| strchr(ref->name, '/') != NULL)
		return fStatus = B_BAD_VALUE;
	std::string directory;
	if (!FindDirectory(ref->device, ref->directory, &directory))
		return fStatus = B_ENTRY_NOT_FOUND;
	std::string path = directory == "/" ? "/" : directory + "/";
	path += ref->name;
	return _SetAbsolute(path.c_str(), traverse);
}


void
BEntry::Unset()
{
	free(fPath);
	fPath = NULL;
	fStatus = B_NO_INIT;
}


status_t
BEntry::GetRef(entry_ref* ref) const
{
	if (fStatus != B_OK)
		return fStatus;
	if (ref == NULL)
		return B_BAD_VALUE;
	std::string directory, leaf;
	SplitPath(fPath, &directory, &leaf);
	struct stat info;
	if (stat(directory.c_str(), &info) != 0)
		return status_for_errno(errno);
	RememberDirectory(info.st_dev, info.st_ino, directory);
	ref->device = info.st_dev;
	ref->directory = info.st_ino;
	return ref->set_name(leaf.c_str());
}


status_t
BEntry::GetPath(BPath* path) const
{
	if (fStatus != B_OK)
		return fStatus;
	if (path == NULL)
		return B_BAD_VALUE;
	return path->SetTo(fPath);
}


status_t
BEntry::GetParent(BEntry* parent) const
{
	if (fStatus != B_OK)
		return fStatus;
	if (parent == NULL)
		return B_BAD_VALUE;
	if (strcmp(fPath, "/") == 0)
		return B_ENTRY_NOT_FOUND;
	std::string directory, leaf;
	SplitPath(fPath, &directory, &leaf);
	return parent->SetTo(directory.c_str());
}


status_t
BEntry::GetName(char* name) const
{
	if (fStatus != B_OK)
		return fStatus;
	if (name == NULL)
		return B_BAD_VALUE;
	std::string directory, leaf;
	SplitPath(fPath, &directory, &leaf);
	const char* result = strcmp(fPath, "/") == 0 ? "/" : leaf.c_str();
	strncpy(name, result, B_FILE_NAME_LENGTH - 1);
	name[B_FILE_NAME_LENGTH - 1] = '\0';
	return B_OK;
}


BEntry&
BEntry::operator=(const BEntry& other)
{
	if (this != &other) {
		Unset();
		fStatus = other.fStatus;
		if (other.fPath != NULL) {
			fPath = strdup(other.fPath);
			if (fPath == NULL)
				fStatus = B_NO_MEMORY;
		}
	}
	return *this;
}


bool
BEntry::operator==(const BEntry& other) const
{
	if (fPath == NULL || other.fPath == NULL)
		return fPath == other.fPath;
	return strcmp(fPath, other.fPath) == 0;
}


bool
BEntry::operator!=(const BEntry& other) const
{
	return !(*this == other);
}


status_t
BEntry::_SetAbsolute(const char* path, bool traverse)
{
	std::string normalized;
	status_t status = NormalizePath(path, traverse, &normalized);
	if (status != B_OK)
		return fStatus = status;
	fPath = strdup(normalized.c_str());
	return fStatus = fPath != NULL ? B_OK : B_NO_MEMORY;
}
