#include <Volume.h>

#include <Directory.h>

#include "storage/MountTable.h"
#include "storage/RemovableDevice.h"

#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// File systems whose contents live only in memory or are made up by the kernel.
const char* const kVolatileFileSystems[] = {
	"tmpfs", "ramfs", "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "mqueue",
	"debugfs", "tracefs", "securityfs", "pstore", "bpf", "configfs", "fusectl", "hugetlbfs",
	"autofs", "binfmt_misc", "efivarfs", "nsfs", "rpc_pipefs"
};

// File systems of other machines.
const char* const kSharedFileSystems[] = {
	"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs", "ceph", "glusterfs", "fuse.sshfs"
};

const char kLabelFolder[] = "/dev/disk/by-label";


template<size_t N>
bool
is_one_of(const char* name, const char* const (&names)[N])
{
	for (const char* candidate : names) {
		if (strcmp(name, candidate) == 0)
			return true;
	}
	return false;
}


// The label of the block device source, from the links of /dev/disk/by-label.
bool
device_label(const char* source, char* name)
{
	char* device = realpath(source, NULL);
	if (device == NULL)
		return false;
	bool found = false;
	DIR* labels = opendir(kLabelFolder);
	while (labels != NULL && !found) {
		struct dirent* entry = readdir(labels);
		if (entry == NULL)
			break;
		if (entry->d_name[0] == '.')
			continue;
		char link[B_PATH_NAME_LENGTH];
		snprintf(link, sizeof(link), "%s/%s", kLabelFolder, entry->d_name);
		char* target = realpath(link, NULL);
		// The names of the links escape unusual characters; plain labels are kept.
		if (target != NULL && strcmp(target, device) == 0
			&& strlen(entry->d_name) < B_FILE_NAME_LENGTH && strchr(entry->d_name, '\\') == NULL) {
			strcpy(name, entry->d_name);
			found = true;
		}
		free(target);
	}
	if (labels != NULL)
		closedir(labels);
	free(device);
	return found;
}

} // namespace


BVolume::BVolume()
{
	Unset();
}


BVolume::BVolume(dev_t device)
{
	SetTo(device);
}


BVolume::BVolume(const BVolume& volume)
{
	*this = volume;
}


BVolume::~BVolume()
{
}


status_t
BVolume::SetTo(dev_t device)
{
	Unset();
	for (const BPrivate::MountEntry& mount : BPrivate::read_mount_table()) {
		if (mount.device != device)
			continue;
		if (mount.mountPoint.size() >= sizeof(fMountPoint)
			|| mount.source.size() >= sizeof(fSource)) {
			fCStatus = B_NAME_TOO_LONG;
			return fCStatus;
		}
		fDevice = device;
		strcpy(fMountPoint, mount.mountPoint.c_str());
		strcpy(fSource, mount.source.c_str());
		snprintf(fFileSystem, sizeof(fFileSystem), "%s", mount.fileSystem.c_str());
		fReadOnly = mount.readOnly;
		fCStatus = B_OK;
		return B_OK;
	}
	fCStatus = B_ENTRY_NOT_FOUND;
	return fCStatus;
}


void
BVolume::Unset()
{
	fDevice = (dev_t)-1;
	fCStatus = B_NO_INIT;
	fMountPoint[0] = '\0';
	fFileSystem[0] = '\0';
	fSource[0] = '\0';
	fReadOnly = false;
}


status_t
BVolume::InitCheck() const
{
	return fCStatus;
}


dev_t
BVolume::Device() const
{
	return fDevice;
}


status_t
BVolume::GetRootDirectory(BDirectory* directory) const
{
	if (directory == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	return directory->SetTo(fMountPoint);
}


off_t
BVolume::Capacity() const
{
	struct statvfs info;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (statvfs(fMountPoint, &info) != 0)
		return B_ERROR;
	return (off_t)info.f_blocks * info.f_frsize;
}


off_t
BVolume::FreeBytes() const
{
	struct statvfs info;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (statvfs(fMountPoint, &info) != 0)
		return B_ERROR;
	return (off_t)info.f_bavail * info.f_frsize;
}


status_t
BVolume::GetName(char* name) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (fSource[0] == '/' && device_label(fSource, name))
		return B_OK;
	const char* slash = strrchr(fMountPoint, '/');
	const char* leaf = slash != NULL && slash[1] != '\0' ? slash + 1 : fMountPoint;
	strncpy(name, leaf, B_FILE_NAME_LENGTH - 1);
	name[B_FILE_NAME_LENGTH - 1] = '\0';
	return B_OK;
}


status_t
BVolume::SetName(const char* name)
{
	return fCStatus != B_OK ? B_NO_INIT : B_NOT_ALLOWED;
}


bool
BVolume::IsRemovable() const
{
	if (fCStatus != B_OK)
		return false;
	return BPrivate::is_removable_device(fDevice);
}


bool
BVolume::IsReadOnly() const
{
	return fCStatus == B_OK && fReadOnly;
}


bool
BVolume::IsPersistent() const
{
	return fCStatus == B_OK && !is_one_of(fFileSystem, kVolatileFileSystems);
}


bool
BVolume::IsShared() const
{
	return fCStatus == B_OK && is_one_of(fFileSystem, kSharedFileSystems);
}


bool
BVolume::KnowsMime() const
{
	return KnowsAttr();
}


bool
BVolume::KnowsAttr() const
{
	if (fCStatus != B_OK)
		return false;
	// Asking for an attribute that is not there tells whether the file system keeps any.
	char value;
	return lgetxattr(fMountPoint, "user.bekit-probe", &value, sizeof(value)) >= 0
		|| errno == ENODATA || errno == ERANGE;
}


bool
BVolume::KnowsQuery() const
{
	// Queries walk the volume and read attributes where it keeps them
	// (docs/queries.md).
	return KnowsAttr();
}


bool
BVolume::operator==(const BVolume& volume) const
{
	return fCStatus == volume.fCStatus && (fCStatus != B_OK || fDevice == volume.fDevice);
}


bool
BVolume::operator!=(const BVolume& volume) const
{
	return !(*this == volume);
}


BVolume&
BVolume::operator=(const BVolume& volume)
{
	if (this == &volume)
		return *this;
	fDevice = volume.fDevice;
	fCStatus = volume.fCStatus;
	memcpy(fMountPoint, volume.fMountPoint, sizeof(fMountPoint));
	memcpy(fFileSystem, volume.fFileSystem, sizeof(fFileSystem));
	memcpy(fSource, volume.fSource, sizeof(fSource));
	fReadOnly = volume.fReadOnly;
	return *this;
}
