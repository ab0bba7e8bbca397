#include "storage/PathNormalization.h"

#include <StorageDefs.h>

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <sys/stat.h>

#include "storage/StorageErrors.h"

namespace BPrivate {

namespace {

status_t
RealPath(const std::string& path, std::string* result)
{
	char* resolved = realpath(path.c_str(), NULL);
	if (resolved == NULL)
		return status_for_errno(errno);
	*result = resolved;
	free(resolved);
	return B_OK;
}

} // namespace


status_t
NormalizePath(const char* path, bool traverseLeaf, std::string* result)
{
	if (path == NULL)
		return B_BAD_VALUE;
	if (path[0] == '\0')
		return B_ENTRY_NOT_FOUND;

	std::string absolute;
	if (path[0] != '/') {
		char* cwd = getcwd(NULL, 0);
		if (cwd == NULL)
			return status_for_errno(errno);
		absolute = cwd;
		free(cwd);
		absolute += '/';
	}
	absolute += path;
	if (absolute.size() >= B_PATH_NAME_LENGTH)
		return B_NAME_TOO_LONG;

	while (absolute.size() > 1 && absolute.back() == '/')
		absolute.pop_back();
	if (absolute == "/") {
		*result = absolute;
		return B_OK;
	}

	size_t slash = absolute.rfind('/');
	std::string leaf = absolute.substr(slash + 1);
	if (leaf == "." || leaf == "..")
		return RealPath(absolute, result);

	std::string directory;
	status_t status = RealPath(slash == 0 ? "/" : absolute.substr(0, slash), &directory);
	if (status != B_OK)
		return status;
	struct stat info;
	if (stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
		return B_NOT_A_DIRECTORY;
	std::string full = directory == "/" ? "/" + leaf : directory + "/" + leaf;

	if (traverseLeaf && lstat(full.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
		return RealPath(full, result);
	*result = full;
	return B_OK;
}


void
SplitPath(const std::string& path, std::string* directory, std::string* leaf)
{
	if (path == "/") {
		*directory = "/";
		*leaf = ".";
		return;
	}
	size_t slash = path.rfind('/');
	*directory = slash == 0 ? "/" : path.substr(0, slash);
	*leaf = path.substr(slash + 1);
}

} // namespace BPrivate
