#include <Entry.h>

#include <Directory.h>
#include <Node.h>
#include <Path.h>

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "storage/DirectoryRegistry.h"
#include "storage/PathNormalization.h"
#include "storage/StatChanges.h"
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


BEntry::BEntry(const BDirectory* directory, const char* path, bool traverse)
	:
	BEntry()
{
	SetTo(directory, path, traverse);
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


status_t
BEntry::SetTo(const BDirectory* directory, const char* path, bool traverse)
{
	Unset();
	if (directory == NULL || path == NULL || path[0] == '\0')
		return fStatus = B_BAD_VALUE;
	if (path[0] == '/')
		return _SetAbsolute(path, traverse);
	BEntry directoryEntry;
	BPath full;
	status_t status = directory->GetEntry(&directoryEntry);
	if (status == B_OK)
		status = directoryEntry.GetPath(&full);
	if (status != B_OK)
		return fStatus = status;
	std::string joined = full.Path();
	if (joined != "/")
		joined += "/";
	joined += path;
	return _SetAbsolute(joined.c_str(), traverse);
}


status_t
BEntry::GetStat(struct stat* stat) const
{
	if (fStatus != B_OK)
		return fStatus;
	if (stat == NULL)
		return B_BAD_VALUE;
	return lstat(fPath, stat) == 0 ? B_OK : status_for_errno(errno);
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
BEntry::GetParent(BDirectory* parent) const
{
	if (parent == NULL)
		return B_BAD_VALUE;
	BEntry parentEntry;
	status_t status = GetParent(&parentEntry);
	if (status != B_OK)
		return status;
	return parent->SetTo(&parentEntry);
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


status_t
BEntry::Rename(const char* path, bool clobber)
{
	if (fStatus != B_OK)
		return fStatus;
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	if (path[0] == '/')
		return _MoveTo(path, clobber);
	std::string directory, leaf;
	SplitPath(fPath, &directory, &leaf);
	std::string target = directory == "/" ? "/" : directory + "/";
	target += path;
	return _MoveTo(target.c_str(), clobber);
}


status_t
BEntry::MoveTo(BDirectory* directory, const char* path, bool clobber)
{
	if (fStatus != B_OK)
		return fStatus;
	if (directory == NULL)
		return B_BAD_VALUE;
	if (path != NULL && path[0] == '/')
		return _MoveTo(path, clobber);
	BEntry directoryEntry;
	BPath target;
	status_t status = directory->GetEntry(&directoryEntry);
	if (status == B_OK)
		status = directoryEntry.GetPath(&target);
	if (status != B_OK)
		return status;
	std::string directoryPath, leaf;
	SplitPath(fPath, &directoryPath, &leaf);
	status = target.Append(path != NULL ? path : leaf.c_str());
	return status == B_OK ? _MoveTo(target.Path(), clobber) : status;
}


status_t
BEntry::Remove()
{
	if (fStatus != B_OK)
		return fStatus;
	struct stat info;
	if (lstat(fPath, &info) != 0)
		return status_for_errno(errno);
	int returned = S_ISDIR(info.st_mode) ? rmdir(fPath) : unlink(fPath);
	return returned == 0 ? B_OK : status_for_errno(errno);
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
BEntry::set_stat(const struct stat& stat, uint32 what)
{
	if (fStatus != B_OK)
		return fStatus;
	return apply_stat_changes(-1, fPath, stat, what);
}


status_t
BEntry::get_birth_time(time_t* birthTime) const
{
	if (fStatus != B_OK)
		return fStatus;
	return read_birth_time(-1, fPath, birthTime);
}


void
BEntry::remember_node(const node_ref& ref) const
{
	RememberNode(ref.device, ref.node, fPath);
}


status_t
BEntry::_MoveTo(const char* target, bool clobber)
{
	std::string normalized;
	status_t status = NormalizePath(target, false, &normalized);
	if (status != B_OK)
		return status;
	// renameat2 refuses to replace atomically, so no other process can slip an
	// entry in between a check and the rename.
	int returned = renameat2(AT_FDCWD, fPath, AT_FDCWD, normalized.c_str(),
		clobber ? 0 : RENAME_NOREPLACE);
	if (returned != 0 && errno == EINVAL && !clobber) {
		// A file system without RENAME_NOREPLACE gets a check before the rename,
		// which another process could race.
		struct stat info;
		if (lstat(normalized.c_str(), &info) == 0)
			return B_FILE_EXISTS;
		returned = rename(fPath, normalized.c_str());
	}
	if (returned != 0)
		return errno == EEXIST ? B_FILE_EXISTS : status_for_errno(errno);
	char* moved = strdup(normalized.c_str());
	if (moved == NULL)
		return B_NO_MEMORY;
	free(fPath);
	fPath = moved;
	return B_OK;
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
