#include <Node.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "storage/DirectoryRegistry.h"
#include "storage/StatChanges.h"
#include "storage/StorageErrors.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

using BPrivate::status_for_errno;


node_ref::node_ref()
	:
	device(0),
	node(0)
{
}


node_ref::node_ref(dev_t device, ino_t node)
	:
	device(device),
	node(node)
{
}


node_ref::node_ref(const node_ref& other) = default;


bool
node_ref::operator==(const node_ref& other) const
{
	return device == other.device && node == other.node;
}


bool
node_ref::operator!=(const node_ref& other) const
{
	return !(*this == other);
}


bool
node_ref::operator<(const node_ref& other) const
{
	return device != other.device ? device < other.device : node < other.node;
}


node_ref&
node_ref::operator=(const node_ref& other) = default;


BNode::BNode()
	:
	fFd(-1),
	fCStatus(B_NO_INIT)
{
}


BNode::BNode(const char* path)
	:
	fFd(-1),
	fCStatus(B_NO_INIT)
{
	SetTo(path);
}


BNode::BNode(const entry_ref* ref)
	:
	fFd(-1),
	fCStatus(B_NO_INIT)
{
	SetTo(ref);
}


BNode::BNode(const BEntry* entry)
	:
	fFd(-1),
	fCStatus(B_NO_INIT)
{
	SetTo(entry);
}


BNode::BNode(const BDirectory* directory, const char* path)
	:
	fFd(-1),
	fCStatus(B_NO_INIT)
{
	SetTo(directory, path);
}


BNode::BNode(const BNode& node)
	:
	fFd(-1),
	fCStatus(B_NO_INIT)
{
	*this = node;
}


BNode::~BNode()
{
	Unset();
}


status_t
BNode::InitCheck() const
{
	return fCStatus;
}


status_t
BNode::SetTo(const char* path)
{
	if (path == NULL || path[0] == '\0') {
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	int fd = open(path, O_RDONLY | O_CLOEXEC);
	_SetDescriptor(fd, fd < 0 ? status_for_errno(errno) : B_OK);
	return fCStatus;
}


status_t
BNode::SetTo(const entry_ref* ref)
{
	BPath path(ref);
	if (path.InitCheck() != B_OK) {
		_SetDescriptor(-1, path.InitCheck());
		return InitCheck();
	}
	return SetTo(path.Path());
}


status_t
BNode::SetTo(const BEntry* entry)
{
	BPath path(entry);
	if (path.InitCheck() != B_OK) {
		_SetDescriptor(-1, path.InitCheck());
		return InitCheck();
	}
	return SetTo(path.Path());
}


status_t
BNode::SetTo(const BDirectory* directory, const char* path)
{
	if (directory == NULL || path == NULL || path[0] == '\0') {
		_SetDescriptor(-1, B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	if (path[0] == '/')
		return SetTo(path);
	BEntry directoryEntry;
	BPath full;
	status_t status = directory->GetEntry(&directoryEntry);
	if (status == B_OK)
		status = directoryEntry.GetPath(&full);
	if (status == B_OK)
		status = full.Append(path);
	if (status != B_OK) {
		_SetDescriptor(-1, status);
		return status;
	}
	return SetTo(full.Path());
}


void
BNode::Unset()
{
	_SetDescriptor(-1, B_NO_INIT);
}


status_t
BNode::GetStat(struct stat* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (fFd < 0)
		return B_NO_INIT;
	if (fstat(fFd, info) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
BNode::Sync()
{
	if (fFd < 0)
		return B_NO_INIT;
	if (fsync(fFd) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
BNode::Lock()
{
	if (fFd < 0)
		return B_BAD_VALUE;
	if (flock(fFd, LOCK_EX | LOCK_NB) != 0)
		return errno == EWOULDBLOCK ? B_BUSY : status_for_errno(errno);
	return B_OK;
}


status_t
BNode::Unlock()
{
	if (fFd < 0)
		return B_BAD_VALUE;
	if (flock(fFd, LOCK_UN) != 0)
		return status_for_errno(errno);
	return B_OK;
}


bool
BNode::operator==(const BNode& node) const
{
	if (fFd < 0 || node.fFd < 0)
		return fFd < 0 && node.fFd < 0;
	node_ref mine, theirs;
	return GetNodeRef(&mine) == B_OK && node.GetNodeRef(&theirs) == B_OK && mine == theirs;
}


bool
BNode::operator!=(const BNode& node) const
{
	return !(*this == node);
}


status_t
BNode::set_stat(const struct stat& stat, uint32 what)
{
	if (fFd < 0)
		return B_NO_INIT;
	return BPrivate::apply_stat_changes(fFd, NULL, stat, what);
}


status_t
BNode::get_birth_time(time_t* birthTime) const
{
	if (fFd < 0)
		return B_NO_INIT;
	return BPrivate::read_birth_time(fFd, NULL, birthTime);
}


void
BNode::remember_node(const node_ref& ref) const
{
	char link[64];
	snprintf(link, sizeof(link), "/proc/self/fd/%d", fFd);
	char path[B_PATH_NAME_LENGTH];
	ssize_t length = readlink(link, path, sizeof(path) - 1);
	if (length <= 0 || path[0] != '/')
		return;
	path[length] = '\0';
	BPrivate::RememberNode(ref.device, ref.node, path);
}


BNode&
BNode::operator=(const BNode& node)
{
	if (this == &node)
		return *this;
	if (node.fFd < 0) {
		_SetDescriptor(-1, node.fCStatus);
		return *this;
	}
	int fd = fcntl(node.fFd, F_DUPFD_CLOEXEC, 0);
	_SetDescriptor(fd, fd < 0 ? status_for_errno(errno) : B_OK);
	return *this;
}


void
BNode::_SetDescriptor(int fd, status_t status)
{
	if (fFd >= 0)
		close(fFd);
	fFd = fd;
	fCStatus = fd >= 0 ? B_OK : (status == B_OK ? B_ERROR : status);
}


int
BNode::_Descriptor() const
{
	return fFd;
}
