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


bool
FindDirectory(dev_t device, ino_t directory, std::string* path)
{
	std::string found;
	{
		std::lock_guard<std::mutex> lock(stLock);
		auto entry = stDirectories.find({device, directory});
		if (entry == stDirectories.end())
			return false;
		found = entry->second;
	}
	struct stat info;
	if (stat(found.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_dev != device
		|| info.st_ino != directory)
		return false;
	*path = std::move(found);
	return true;
}

} // namespace BPrivate
