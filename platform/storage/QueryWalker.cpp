#include "QueryWalker.h"

#include <ByteOrder.h>

#include "storage/AttributeLayout.h"
#include "storage/MountTable.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace BPrivate {

const char* const kQueryRootsVariable = "BE_QUERY_ROOTS";

namespace {

std::string
join(const std::string& directory, const char* name)
{
	return directory == "/" ? "/" + std::string(name) : directory + "/" + name;
}

} // namespace


QueryWalker::QueryWalker(const QueryPredicate& predicate, dev_t device,
	DirectoryHook directoryHook)
	:
	fPredicate(predicate),
	fDevice(device),
	fDirectoryHook(std::move(directoryHook)),
	fRoots(Roots(device)),
	fNextRoot(0)
{
}


QueryWalker::~QueryWalker()
{
	_CloseAll();
}


std::vector<std::string>
QueryWalker::Roots(dev_t device)
{
	std::vector<std::string> roots;
	const char* variable = getenv(kQueryRootsVariable);
	if (variable != NULL && variable[0] != '\0') {
		std::string list = variable;
		size_t start = 0;
		while (start <= list.size()) {
			size_t end = list.find(':', start);
			if (end == std::string::npos)
				end = list.size();
			std::string root = list.substr(start, end - start);
			struct stat info;
			if (!root.empty() && root[0] == '/' && stat(root.c_str(), &info) == 0
				&& S_ISDIR(info.st_mode) && info.st_dev == device) {
				roots.push_back(root);
			}
			start = end + 1;
		}
		return roots;
	}
	for (const MountEntry& mount : read_mount_table()) {
		if (mount.device == device) {
			roots.push_back(mount.mountPoint);
			break;
		}
	}
	return roots;
}


status_t
QueryWalker::Next(QueryMatch* match)
{
	while (true) {
		if (fLevels.empty()) {
			if (fNextRoot >= fRoots.size())
				return B_ENTRY_NOT_FOUND;
			_Enter(fRoots[fNextRoot++]);
			continue;
		}
		Level& level = fLevels.back();
		// The C library's own record, for the entry's type.
		struct dirent64* entry = readdir64(level.stream);
		if (entry == NULL) {
			closedir(level.stream);
			fLevels.pop_back();
			continue;
		}
		const char* name = entry->d_name;
		if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
			continue;
		int directoryFd = dirfd(level.stream);
		struct stat info;
		bool haveStat = false;
		std::string directoryPath = level.path;
		ino_t directoryNode = level.node;
		if (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN) {
			haveStat = fstatat(directoryFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
			// Another file system mounted here is another volume.
			if (haveStat && S_ISDIR(info.st_mode) && info.st_dev == fDevice)
				_Enter(join(directoryPath, name));
		}
		// _Enter may have moved the levels, but not the streams they hold.
		int fd = directoryFd;
		if (!_Matches(fd, directoryPath, name, &info, &haveStat))
			continue;
		match->device = fDevice;
		match->directory = directoryNode;
		match->name = name;
		match->path = join(directoryPath, name);
		if (!haveStat)
			haveStat = fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
		if (!haveStat)
			continue;
		match->node = info.st_ino;
		return B_OK;
	}
}


void
QueryWalker::SetRoots(const std::vector<std::string>& roots)
{
	_CloseAll();
	fRoots = roots;
	fNextRoot = 0;
}


void
QueryWalker::Rewind()
{
	_CloseAll();
	fNextRoot = 0;
}


bool
QueryWalker::Evaluate(const std::string& directory, const char* name, QueryMatch* match)
{
	int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return false;
	struct stat directoryInfo, info;
	bool haveStat = fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
	bool matches = haveStat && info.st_dev == fDevice && fstat(fd, &directoryInfo) == 0
		&& _Matches(fd, directory, name, &info, &haveStat);
	close(fd);
	if (!matches)
		return false;
	match->device = fDevice;
	match->directory = directoryInfo.st_ino;
	match->node = info.st_ino;
	match->name = name;
	match->path = join(directory, name);
	return true;
}


bool
QueryWalker::_Enter(const std::string& path)
{
	int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
	if (fd < 0)
		return false;
	struct stat info;
	DIR* stream = fstat(fd, &info) == 0 && info.st_dev == fDevice ? fdopendir(fd) : NULL;
	if (stream == NULL) {
		close(fd);
		return false;
	}
	fLevels.push_back({stream, path, info.st_ino});
	if (fDirectoryHook)
		fDirectoryHook(path);
	return true;
}


void
QueryWalker::_CloseAll()
{
	for (Level& level : fLevels)
		closedir(level.stream);
	fLevels.clear();
}


bool
QueryWalker::_Matches(int directoryFd, const std::string& path, const char* name,
	struct stat* info, bool* haveStat)
{
	if (fPredicate.NeedsStat() && !*haveStat) {
		*haveStat = fstatat(directoryFd, name, info, AT_SYMLINK_NOFOLLOW) == 0;
		if (!*haveStat)
			return false;
	}
	std::string entryPath;
	QueryCandidate candidate;
	candidate.name = name;
	candidate.stat = *haveStat ? info : NULL;
	if (!fPredicate.Attributes().empty()) {
		entryPath = join(path, name);
		candidate.attributeReader = [&](const char* attribute, uint32* type,
				std::string* value) {
			std::string xattr = kAttributePrefix;
			xattr += attribute;
			fValue.resize(kMaxAttributeValue);
			ssize_t length = lgetxattr(entryPath.c_str(), xattr.c_str(), fValue.data(),
				fValue.size());
			if (length < (ssize_t)kAttributeTypeSize)
				return false;
			uint32 littleType;
			memcpy(&littleType, fValue.data(), kAttributeTypeSize);
			*type = B_LENDIAN_TO_HOST_INT32(littleType);
			value->assign(fValue.data() + kAttributeTypeSize, length - kAttributeTypeSize);
			return true;
		};
	}
	return fPredicate.Matches(candidate);
}

} // namespace BPrivate
