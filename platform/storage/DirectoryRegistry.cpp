#include "storage/DirectoryRegistry.h"

#include <sys/stat.h>

#include <map>
#include <mutex>
#include <utility>

namespace BPrivate {

namespace {

// Enough for every directory an application names; past it the registry starts over
// rather than grow without bound.
const size_t kMaxDirectories = 4096;

std::mutex stLock;
std::map<std::pair<dev_t, ino_t>, std::string> stDirectories;

} // namespace


void
RememberDirectory(dev_t device, ino_t directory, const std::string& path)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (stDirectories.size() >= kMaxDirectories)
		stDirectories.clear();
	stDirectories[{device, directory}] = path;
}


namespace {

bool
find_path(dev_t device, ino_t node, bool directory, std::string* path)
{
	std::string found;
	{
		std::lock_guard<std::mutex> lock(stLock);
		auto entry = stDirectories.find({device, node});
		if (entry == stDirectories.end())
			return false;
		found = entry->second;
	}
	struct stat info;
	int returned = directory ? stat(found.c_str(), &info) : lstat(found.c_str(), &info);
	if (returned != 0 || (directory && !S_ISDIR(info.st_mode))
		|| info.st_dev != device || info.st_ino != node)
		return false;
	*path = std::move(found);
	return true;
}

} // namespace


bool
FindDirectory(dev_t device, ino_t directory, std::string* path)
{
	return find_path(device, directory, true, path);
}


void
RememberNode(dev_t device, ino_t node, const std::string& path)
{
	RememberDirectory(device, node, path);
}


bool
FindNode(dev_t device, ino_t node, std::string* path)
{
	return find_path(device, node, false, path);
}

} // namespace BPrivate
