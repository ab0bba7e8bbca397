#include "app/RecordFolder.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

namespace BPrivate {

namespace {

// Names the record files being written, which become records by a link or rename.
std::atomic<uint32> stSerial{0};

} // namespace


bool
record_team_alive(team_id team)
{
	return team > 0 && kill(team, 0) == 0;
}


std::string
record_path(const std::string& folder, int32 id)
{
	return folder + "/" + std::to_string(id);
}


ssize_t
read_record_file(const std::string& folder, int32 id, char* buffer, size_t size)
{
	std::string path = record_path(folder, id);
	int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
	if (fd < 0)
		return -1;
	struct stat info;
	ssize_t length = -1;
	if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
		length = read(fd, buffer, size);
	close(fd);
	return length;
}


int32
publish_record(const std::string& folder, const std::string& text, int32 id, int32 first,
	int32 limit, const std::function<bool(int32)>& isLive)
{
	char leaf[64];
	snprintf(leaf, sizeof(leaf), "/.new-%d-%u", (int)getpid(), (unsigned)stSerial++);
	std::string temporary = folder + leaf;
	int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
		0600);
	if (fd < 0)
		return B_NO_MEMORY;
	bool written = write(fd, text.data(), text.size()) == (ssize_t)text.size();
	close(fd);
	if (!written) {
		unlink(temporary.c_str());
		return B_NO_MEMORY;
	}

	int32 result = B_NO_MEMORY;
	if (id > 0) {
		if (rename(temporary.c_str(), record_path(folder, id).c_str()) == 0)
			result = id;
	} else {
		if (first <= 0 || first >= limit)
			first = 1;
		int32 candidate = first;
		for (int32 tried = 1; tried < limit; tried++) {
			std::string path = record_path(folder, candidate);
			if (link(temporary.c_str(), path.c_str()) == 0) {
				result = candidate;
				break;
			}
			if (errno != EEXIST)
				break;
			// The id of an object that has ended is free again once its record is gone.
			if (!isLive(candidate) && link(temporary.c_str(), path.c_str()) == 0) {
				result = candidate;
				break;
			}
			candidate = candidate + 1 < limit ? candidate + 1 : 1;
		}
	}
	unlink(temporary.c_str());
	return result;
}


std::vector<int32>
listed_record_ids(const std::string& folder, int32 limit)
{
	std::vector<int32> ids;
	DIR* directory = opendir(folder.c_str());
	if (directory == NULL)
		return ids;
	while (dirent* entry = readdir(directory)) {
		char* end;
		long id = strtol(entry->d_name, &end, 10);
		if (entry->d_name[0] >= '1' && entry->d_name[0] <= '9' && *end == '\0' && id > 0
			&& id < limit)
			ids.push_back((int32)id);
	}
	closedir(directory);
	std::sort(ids.begin(), ids.end());
	return ids;
}

} // namespace BPrivate
