// fs_attr.h: the C interface to attributes, through a BNode on a copy of the caller's
// descriptor, so that both keep one format (docs/node-attributes.md).
#include <fs_attr.h>

#include <Node.h>
#include <StorageDefs.h>

#include "storage/StorageErrors.h"
#include "support/DirentRecord.h"

#include <errno.h>
#include <fcntl.h>
#include <stddef.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using BPrivate::DirentBuffer;
using BPrivate::fill_dirent;

namespace {

// A BNode on a duplicate of a descriptor the caller keeps.
class DescriptorNode : public BNode {
public:
	explicit DescriptorNode(int fd)
	{
		int copy = fd >= 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
		_SetDescriptor(copy, copy < 0 ? B_FILE_ERROR : B_OK);
	}
};

struct AttributeDirectory {
	std::vector<std::string>	names;
	size_t						next = 0;
	struct stat					node;
	DirentBuffer				entry;
};

std::mutex stLock;
std::vector<AttributeDirectory*> stDirectories;


template<typename Result>
Result
fail(status_t status, Result failed)
{
	errno = status;
	return failed;
}


DIR*
open_directory(BNode& node)
{
	if (node.InitCheck() != B_OK)
		return fail(node.InitCheck(), (DIR*)NULL);
	auto directory = std::make_unique<AttributeDirectory>();
	status_t status = node.GetStat(&directory->node);
	if (status != B_OK)
		return fail(status, (DIR*)NULL);
	char name[B_ATTR_NAME_LENGTH];
	while ((status = node.GetNextAttrName(name)) == B_OK)
		directory->names.push_back(name);
	if (status != B_ENTRY_NOT_FOUND && status != B_UNSUPPORTED)
		return fail(status, (DIR*)NULL);
	std::lock_guard<std::mutex> lock(stLock);
	stDirectories.push_back(directory.get());
	return reinterpret_cast<DIR*>(directory.release());
}


AttributeDirectory*
find_directory_locked(DIR* attributes)
{
	auto found = std::find(stDirectories.begin(), stDirectories.end(),
		reinterpret_cast<AttributeDirectory*>(attributes));
	return found != stDirectories.end() ? *found : NULL;
}

} // namespace


ssize_t
fs_read_attr(int fd, const char* attribute, uint32 type, off_t pos, void* buffer,
	size_t count)
{
	DescriptorNode node(fd);
	ssize_t result = node.ReadAttr(attribute, type, pos, buffer, count);
	return result < 0 ? fail(result, (ssize_t)-1) : result;
}


ssize_t
fs_write_attr(int fd, const char* attribute, uint32 type, off_t pos, const void* buffer,
	size_t count)
{
	DescriptorNode node(fd);
	ssize_t result = node.WriteAttr(attribute, type, pos, buffer, count);
	return result < 0 ? fail(result, (ssize_t)-1) : result;
}


int
fs_remove_attr(int fd, const char* attribute)
{
	DescriptorNode node(fd);
	status_t status = node.RemoveAttr(attribute);
	return status != B_OK ? fail(status, -1) : 0;
}


int
fs_stat_attr(int fd, const char* attribute, struct attr_info* info)
{
	DescriptorNode node(fd);
	status_t status = node.GetAttrInfo(attribute, info);
	return status != B_OK ? fail(status, -1) : 0;
}


DIR*
fs_open_attr_dir(const char* path)
{
	if (path == NULL)
		return fail(B_BAD_VALUE, (DIR*)NULL);
	BNode node(path);
	return open_directory(node);
}


DIR*
fs_fopen_attr_dir(int fd)
{
	DescriptorNode node(fd);
	return open_directory(node);
}


int
fs_close_attr_dir(DIR* attributes)
{
	std::lock_guard<std::mutex> lock(stLock);
	AttributeDirectory* directory = find_directory_locked(attributes);
	if (directory == NULL)
		return fail(B_BAD_VALUE, -1);
	stDirectories.erase(std::find(stDirectories.begin(), stDirectories.end(), directory));
	delete directory;
	return 0;
}


struct dirent*
fs_read_attr_dir(DIR* attributes)
{
	std::lock_guard<std::mutex> lock(stLock);
	AttributeDirectory* directory = find_directory_locked(attributes);
	if (directory == NULL)
		return fail(B_BAD_VALUE, (struct dirent*)NULL);
	if (directory->next >= directory->names.size())
		return NULL;
	// An attribute lives in its node: the record names the node as both entry and parent.
	const std::string& name = directory->names[directory->next++];
	const struct stat& node = directory->node;
	fill_dirent(&directory->entry.entry, sizeof(directory->entry), node.st_dev, node.st_ino,
		node.st_dev, node.st_ino, name.c_str());
	return &directory->entry.entry;
}


void
fs_rewind_attr_dir(DIR* attributes)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (AttributeDirectory* directory = find_directory_locked(attributes))
		directory->next = 0;
}
