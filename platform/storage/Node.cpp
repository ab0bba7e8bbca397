#include <Node.h>

#include <Entry.h>
#include <Path.h>

#include "storage/StorageErrors.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

using BPrivate::status_for_errno;


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
