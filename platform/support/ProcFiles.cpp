// Reads /proc. Every file is read whole into a bounded buffer and parsed from there, so a
// process that changes or ends meanwhile gives an error, never a partial record.
#include "support/ProcFiles.h"

#include <ctype.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace BPrivate {

namespace {

// The stat and cmdline files the kit reads are cut at this many bytes.
const size_t kMaxProcFileSize = 4096;


bool
read_file(const char* path, std::string* contents)
{
	int file = open(path, O_RDONLY | O_CLOEXEC);
	if (file < 0)
		return false;
	char buffer[kMaxProcFileSize];
	ssize_t length = read(file, buffer, sizeof(buffer));
	close(file);
	if (length < 0)
		return false;
	contents->assign(buffer, length);
	return true;
}


std::string
task_path(pid_t team, pid_t thread, const char* file)
{
	char path[96];
	if (thread < 0)
		snprintf(path, sizeof(path), "/proc/%d/%s", (int)team, file);
	else
		snprintf(path, sizeof(path), "/proc/%d/task/%d/%s", (int)team, (int)thread, file);
	return path;
}


bigtime_t
ticks_to_microseconds(unsigned long long ticks)
{
	static const long kTicksPerSecond = sysconf(_SC_CLK_TCK);
	long perSecond = kTicksPerSecond > 0 ? kTicksPerSecond : 100;
	return (bigtime_t)(ticks * (1000000 / perSecond));
}


std::vector<pid_t>
numbered_entries(const char* folder)
{
	std::vector<pid_t> numbers;
	DIR* directory = opendir(folder);
	if (directory == nullptr)
		return numbers;
	while (struct dirent* entry = readdir(directory)) {
		if (!isdigit((unsigned char)entry->d_name[0]))
			continue;
		numbers.push_back((pid_t)strtol(entry->d_name, nullptr, 10));
	}
	closedir(directory);
	std::sort(numbers.begin(), numbers.end());
	return numbers;
}

} // namespace


bool
is_users_team(pid_t team)
{
	if (team <= 0)
		return false;
	char path[32];
	snprintf(path, sizeof(path), "/proc/%d", (int)team);
	struct stat status;
	return stat(path, &status) == 0 && status.st_uid == getuid();
}


bool
read_task_stat(pid_t team, pid_t thread, TaskStat* stat)
{
	std::string contents;
	if (!read_file(task_path(team, thread, "stat").c_str(), &contents))
		return false;
	// The name in parentheses may hold anything, parentheses too: the fields start after
	// the last closing one.
	size_t nameEnd = contents.rfind(')');
	if (nameEnd == std::string::npos)
		return false;
	char state;
	unsigned long long user, kernel;
	long long childrenUser, childrenKernel, priority, nice, threads;
	int fields = sscanf(contents.c_str() + nameEnd + 1,
		" %c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu %lld %lld %lld %lld %lld",
		&state, &user, &kernel, &childrenUser, &childrenKernel, &priority, &nice, &threads);
	if (fields != 8)
		return false;
	stat->state = state;
	stat->userTime = ticks_to_microseconds(user);
	stat->kernelTime = ticks_to_microseconds(kernel);
	stat->childrenUserTime = ticks_to_microseconds(childrenUser > 0 ? childrenUser : 0);
	stat->childrenKernelTime = ticks_to_microseconds(childrenKernel > 0 ? childrenKernel : 0);
	stat->nice = (int32)nice;
	stat->threads = (int32)threads;
	return true;
}


bool
read_task_name(pid_t team, pid_t thread, char* name, size_t size)
{
	std::string contents;
	if (size == 0 || !read_file(task_path(team, thread, "comm").c_str(), &contents))
		return false;
	size_t end = contents.find('\n');
	snprintf(name, size, "%s", contents.substr(0, end).c_str());
	return true;
}


std::vector<pid_t>
list_threads(pid_t team)
{
	char folder[32];
	snprintf(folder, sizeof(folder), "/proc/%d/task", (int)team);
	return numbered_entries(folder);
}


std::vector<pid_t>
list_teams()
{
	return numbered_entries("/proc");
}


std::string
read_command_line(pid_t team, int32* count)
{
	std::string contents;
	*count = 0;
	if (!read_file(task_path(team, -1, "cmdline").c_str(), &contents))
		return "";
	for (char& c : contents) {
		if (c == '\0') {
			c = ' ';
			(*count)++;
		}
	}
	while (!contents.empty() && contents.back() == ' ')
		contents.pop_back();
	return contents;
}

} // namespace BPrivate
