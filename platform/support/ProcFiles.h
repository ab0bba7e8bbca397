// What /proc tells about the processes (teams) and threads of this user.
#ifndef _PROC_FILES_H
#define _PROC_FILES_H

#include <SupportDefs.h>

#include <sys/types.h>

#include <string>
#include <vector>

namespace BPrivate {

struct TaskStat {
	char		state = '?';
	bigtime_t	userTime = 0;
	bigtime_t	kernelTime = 0;
	bigtime_t	childrenUserTime = 0;
	bigtime_t	childrenKernelTime = 0;
	int32		nice = 0;
	int32		threads = 0;
};

// Whether the process exists and belongs to the user running this one: the kit describes
// and acts on no other user's processes.
bool is_users_team(pid_t team);
// Thread is a thread of team, or -1 for the whole team.
bool read_task_stat(pid_t team, pid_t thread, TaskStat* stat);
bool read_task_name(pid_t team, pid_t thread, char* name, size_t size);
// The team's threads in ascending order.
std::vector<pid_t> list_threads(pid_t team);
// The processes of the machine in ascending order.
std::vector<pid_t> list_teams();
// The team's command line, its arguments separated by spaces, and their count.
std::string read_command_line(pid_t team, int32* count);

} // namespace BPrivate

#endif // _PROC_FILES_H
