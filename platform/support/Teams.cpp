// Teams are the processes of this machine; the kit describes and acts on those of the user
// running it only, as /proc tells them.
#include <OS.h>

#include "support/ProcFiles.h"

#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>

namespace {

// The images of another team are the files it maps executable.
int32
count_images(team_id team)
{
	char path[32];
	snprintf(path, sizeof(path), "/proc/%d/maps", (int)team);
	FILE* maps = fopen(path, "re");
	if (maps == nullptr)
		return 0;
	std::set<std::string> files;
	char line[512];
	while (fgets(line, sizeof(line), maps) != nullptr) {
		char permissions[8] = "";
		char file[400] = "";
		if (sscanf(line, "%*s %7s %*s %*s %*s %399s", permissions, file) == 2
			&& permissions[2] == 'x' && file[0] == '/')
			files.insert(file);
	}
	fclose(maps);
	return (int32)files.size();
}


int32
count_areas(team_id team)
{
	char path[32];
	snprintf(path, sizeof(path), "/proc/%d/maps", (int)team);
	FILE* maps = fopen(path, "re");
	if (maps == nullptr)
		return 0;
	int32 count = 0;
	for (int c; (c = fgetc(maps)) != EOF;)
		count += c == '\n';
	fclose(maps);
	return count;
}


status_t
fill_team_info(team_id team, team_info* info)
{
	if (!BPrivate::is_users_team(team))
		return B_BAD_TEAM_ID;
	BPrivate::TaskStat taskStat;
	if (!BPrivate::read_task_stat(team, -1, &taskStat))
		return B_BAD_TEAM_ID;
	memset(info, 0, sizeof(*info));
	info->team = team;
	info->thread_count = taskStat.threads;
	info->image_count = count_images(team);
	info->area_count = count_areas(team);
	info->debugger_nub_thread = -1;
	info->debugger_nub_port = -1;
	std::string arguments = BPrivate::read_command_line(team, &info->argc);
	snprintf(info->args, sizeof(info->args), "%s", arguments.c_str());
	char path[32];
	snprintf(path, sizeof(path), "/proc/%d", (int)team);
	struct stat status;
	if (stat(path, &status) == 0) {
		info->uid = status.st_uid;
		info->gid = status.st_gid;
	}
	return B_OK;
}

} // namespace


status_t
_get_team_info(team_id team, team_info* info, size_t size)
{
	if (info == nullptr || size != sizeof(team_info))
		return B_BAD_VALUE;
	return fill_team_info(team == B_CURRENT_TEAM ? getpid() : team, info);
}


status_t
_get_next_team_info(int32* cookie, team_info* info, size_t size)
{
	if (cookie == nullptr || info == nullptr || size != sizeof(team_info))
		return B_BAD_VALUE;
	// The cookie is the lowest team id still to list.
	for (pid_t team : BPrivate::list_teams()) {
		if (team < *cookie)
			continue;
		if (fill_team_info(team, info) == B_OK) {
			*cookie = team + 1;
			return B_OK;
		}
	}
	return B_BAD_VALUE;
}


status_t
_get_team_usage_info(team_id team, int32 who, team_usage_info* info, size_t size)
{
	if (info == nullptr || size != sizeof(team_usage_info)
		|| (who != B_TEAM_USAGE_SELF && who != B_TEAM_USAGE_CHILDREN))
		return B_BAD_VALUE;
	if (team == B_CURRENT_TEAM)
		team = getpid();
	if (!BPrivate::is_users_team(team))
		return B_BAD_TEAM_ID;
	BPrivate::TaskStat stat;
	if (!BPrivate::read_task_stat(team, -1, &stat))
		return B_BAD_TEAM_ID;
	bool self = who == B_TEAM_USAGE_SELF;
	info->user_time = self ? stat.userTime : stat.childrenUserTime;
	info->kernel_time = self ? stat.kernelTime : stat.childrenKernelTime;
	return B_OK;
}


status_t
kill_team(team_id team)
{
	if (team == B_CURRENT_TEAM)
		team = getpid();
	if (team == B_SYSTEM_TEAM || !BPrivate::is_users_team(team))
		return B_BAD_TEAM_ID;
	return kill(team, SIGKILL) == 0 ? B_OK : B_BAD_TEAM_ID;
}
