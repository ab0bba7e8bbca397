// load_image over fork and exec. The child stops itself before exec, so the new team runs
// nothing until resume_thread continues it, as a new team's main thread waits on the
// platform; wait_for_thread reaps it and gives its exit code.
#include <image.h>

#include "support/LoadedTeams.h"

#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <set>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::mutex stLock;
std::set<team_id>& stTeams = *new std::set<team_id>;


bool
is_executable(const std::string& path)
{
	struct stat status;
	return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)
		&& access(path.c_str(), X_OK) == 0;
}


// The program that argv[0] names: a path as it is, a bare name looked up on PATH.
std::string
program_path(const char* name)
{
	if (strchr(name, '/') != nullptr)
		return is_executable(name) ? name : "";
	const char* path = getenv("PATH");
	std::string folders = path != nullptr ? path : "/usr/bin:/bin";
	size_t start = 0;
	while (start <= folders.size()) {
		size_t end = folders.find(':', start);
		if (end == std::string::npos)
			end = folders.size();
		std::string folder = folders.substr(start, end - start);
		std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
		if (is_executable(candidate))
			return candidate;
		start = end + 1;
	}
	return "";
}


bool
take_team(team_id team)
{
	std::lock_guard<std::mutex> lock(stLock);
	return stTeams.erase(team) > 0;
}

} // namespace


thread_id
load_image(int32 argc, const char** argv, const char** envp)
{
	if (argc <= 0 || argv == nullptr || argv[0] == nullptr)
		return B_BAD_VALUE;
	std::string program = program_path(argv[0]);
	if (program.empty())
		return B_ENTRY_NOT_FOUND;
	// Everything the child needs is made before fork: after it, only calls that are safe
	// in a copy of a threaded process.
	std::vector<char*> arguments;
	for (int32 i = 0; i < argc && argv[i] != nullptr; i++)
		arguments.push_back(const_cast<char*>(argv[i]));
	arguments.push_back(nullptr);
	char** environment = envp != nullptr ? const_cast<char**>(envp) : environ;

	pid_t child = fork();
	if (child < 0)
		return B_NO_MORE_TEAMS;
	if (child == 0) {
		raise(SIGSTOP);
		execve(program.c_str(), arguments.data(), environment);
		_exit(127);
	}
	int status = 0;
	while (waitpid(child, &status, WUNTRACED) < 0 && errno == EINTR)
		;
	std::lock_guard<std::mutex> lock(stLock);
	stTeams.insert(child);
	return child;
}


status_t
BPrivate::resume_loaded_team(team_id team)
{
	{
		std::lock_guard<std::mutex> lock(stLock);
		if (stTeams.count(team) == 0)
			return B_BAD_THREAD_ID;
	}
	return kill(team, SIGCONT) == 0 ? B_OK : B_BAD_THREAD_ID;
}


status_t
BPrivate::wait_for_loaded_team(team_id team, status_t* exitValue)
{
	if (!take_team(team))
		return B_BAD_THREAD_ID;
	kill(team, SIGCONT);
	int status = 0;
	pid_t result;
	while ((result = waitpid(team, &status, 0)) < 0 && errno == EINTR)
		;
	if (result != team)
		return B_BAD_THREAD_ID;
	if (exitValue != nullptr) {
		*exitValue = WIFEXITED(status) ? WEXITSTATUS(status)
			: WIFSIGNALED(status) ? B_INTERRUPTED : B_ERROR;
	}
	return B_OK;
}
