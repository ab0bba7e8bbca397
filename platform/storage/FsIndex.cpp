// The indexes of a volume, kept as files of the user's data directory, one folder per
// device (docs/queries.md): an index is a file named after the attribute that holds
// its type, 4 bytes little-endian.
#include <fs_index.h>

#include <ByteOrder.h>
#include <FindDirectory.h>
#include <StorageDefs.h>
#include <TypeConstants.h>

#include "storage/MountTable.h"
#include "storage/StorageErrors.h"
#include "support/DirentRecord.h"

#include <errno.h>
#include <fcntl.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using namespace BPrivate;

namespace {

struct BuiltInIndex {
	const char*	name;
	uint32		type;
};

// What every volume indexes, as the platform's file system does.
const BuiltInIndex kBuiltInIndexes[] = {
	{"name", B_STRING_TYPE},
	{"size", B_INT64_TYPE},
	{"last_modified", B_INT64_TYPE}
};

struct IndexDirectory {
	std::vector<std::string>	names;
	size_t						next = 0;
	dev_t						device = 0;
	DirentBuffer				entry;
};

std::mutex stLock;
std::vector<IndexDirectory*> stDirectories;


int
fail(status_t status)
{
	errno = status;
	return -1;
}


bool
volume_exists(dev_t device)
{
	for (const MountEntry& mount : read_mount_table()) {
		if (mount.device == device)
			return true;
	}
	return false;
}


// The folder of device's indexes; made when create asks for it.
status_t
index_folder(dev_t device, bool create, std::string* folder)
{
	if (!volume_exists(device))
		return B_ENTRY_NOT_FOUND;
	char data[B_PATH_NAME_LENGTH];
	status_t status = find_directory(B_USER_DATA_DIRECTORY, -1, create, data, sizeof(data));
	if (status != B_OK)
		return status;
	char name[32];
	snprintf(name, sizeof(name), "%llx", (unsigned long long)device);
	*folder = std::string(data) + "/bekit/indexes/" + name;
	if (create) {
		std::string parent = std::string(data) + "/bekit";
		mkdir(parent.c_str(), 0700);
		mkdir((parent + "/indexes").c_str(), 0700);
		if (mkdir(folder->c_str(), 0700) != 0 && errno != EEXIST)
			return status_for_errno(errno);
	}
	return B_OK;
}


status_t
check_name(const char* name)
{
	if (name == NULL || name[0] == '\0' || strchr(name, '/') != NULL
		|| strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
		return B_BAD_VALUE;
	if (strlen(name) >= B_ATTR_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	return B_OK;
}


const BuiltInIndex*
built_in(const char* name)
{
	for (const BuiltInIndex& index : kBuiltInIndexes) {
		if (strcmp(index.name, name) == 0)
			return &index;
	}
	return NULL;
}

} // namespace


DIR*
fs_open_index_dir(dev_t device)
{
	std::string folder;
	status_t status = index_folder(device, false, &folder);
	if (status != B_OK) {
		errno = status;
		return NULL;
	}
	auto indexes = std::make_unique<IndexDirectory>();
	indexes->device = device;
	for (const BuiltInIndex& index : kBuiltInIndexes)
		indexes->names.push_back(index.name);
	if (DIR* stream = opendir(folder.c_str())) {
		std::vector<std::string> created;
		while (struct dirent* entry = readdir(stream)) {
			if (entry->d_name[0] != '.' && built_in(entry->d_name) == NULL)
				created.push_back(entry->d_name);
		}
		closedir(stream);
		std::sort(created.begin(), created.end());
		indexes->names.insert(indexes->names.end(), created.begin(), created.end());
	}
	std::lock_guard<std::mutex> lock(stLock);
	stDirectories.push_back(indexes.get());
	return reinterpret_cast<DIR*>(indexes.release());
}


int
fs_close_index_dir(DIR* indexes)
{
	std::lock_guard<std::mutex> lock(stLock);
	auto found = std::find(stDirectories.begin(), stDirectories.end(),
		reinterpret_cast<IndexDirectory*>(indexes));
	if (found == stDirectories.end())
		return fail(B_BAD_VALUE);
	delete *found;
	stDirectories.erase(found);
	return 0;
}


struct dirent*
fs_read_index_dir(DIR* indexes)
{
	std::lock_guard<std::mutex> lock(stLock);
	auto found = std::find(stDirectories.begin(), stDirectories.end(),
		reinterpret_cast<IndexDirectory*>(indexes));
	if (found == stDirectories.end()) {
		errno = B_BAD_VALUE;
		return NULL;
	}
	IndexDirectory* directory = *found;
	if (directory->next >= directory->names.size())
		return NULL;
	// An index is not a node of the volume here: the record names the volume alone.
	const std::string& name = directory->names[directory->next++];
	fill_dirent(&directory->entry.entry, sizeof(directory->entry), directory->device, 0,
		directory->device, 0, name.c_str());
	return &directory->entry.entry;
}


void
fs_rewind_index_dir(DIR* indexes)
{
	std::lock_guard<std::mutex> lock(stLock);
	auto found = std::find(stDirectories.begin(), stDirectories.end(),
		reinterpret_cast<IndexDirectory*>(indexes));
	if (found != stDirectories.end())
		(*found)->next = 0;
}


int
fs_create_index(dev_t device, const char* name, uint32 type, uint32 flags)
{
	status_t status = check_name(name);
	if (status != B_OK)
		return fail(status);
	if (built_in(name) != NULL)
		return fail(B_FILE_EXISTS);
	std::string folder;
	status = index_folder(device, true, &folder);
	if (status != B_OK)
		return fail(status);
	std::string path = folder + "/" + name;
	int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
	if (fd < 0)
		return fail(errno == EEXIST ? B_FILE_EXISTS : status_for_errno(errno));
	uint32 littleType = B_HOST_TO_LENDIAN_INT32(type);
	bool written = write(fd, &littleType, sizeof(littleType)) == sizeof(littleType);
	close(fd);
	if (!written) {
		unlink(path.c_str());
		return fail(B_IO_ERROR);
	}
	return 0;
}


int
fs_remove_index(dev_t device, const char* name)
{
	status_t status = check_name(name);
	if (status != B_OK)
		return fail(status);
	if (built_in(name) != NULL)
		return fail(B_NOT_ALLOWED);
	std::string folder;
	status = index_folder(device, false, &folder);
	if (status != B_OK)
		return fail(status);
	if (unlink((folder + "/" + name).c_str()) != 0)
		return fail(status_for_errno(errno));
	return 0;
}


int
fs_stat_index(dev_t device, const char* name, struct index_info* info)
{
	status_t status = check_name(name);
	if (status != B_OK || info == NULL)
		return fail(status != B_OK ? status : B_BAD_VALUE);
	std::string folder;
	status = index_folder(device, false, &folder);
	if (status != B_OK)
		return fail(status);
	memset(info, 0, sizeof(*info));
	if (const BuiltInIndex* index = built_in(name)) {
		info->type = index->type;
		info->uid = 0;
		info->gid = 0;
		return 0;
	}
	std::string path = folder + "/" + name;
	int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return fail(status_for_errno(errno));
	uint32 littleType = 0;
	struct stat record;
	bool complete = read(fd, &littleType, sizeof(littleType)) == sizeof(littleType)
		&& fstat(fd, &record) == 0;
	close(fd);
	if (!complete)
		return fail(B_BAD_DATA);
	info->type = B_LENDIAN_TO_HOST_INT32(littleType);
	info->size = 0;
	info->modification_time = record.st_mtime;
	info->creation_time = record.st_mtime;
	info->uid = record.st_uid;
	info->gid = record.st_gid;
	return 0;
}
