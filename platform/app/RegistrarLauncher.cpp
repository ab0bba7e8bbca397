// Starting the registrar daemon on demand, the way a session bus is started.
#include <Roster.h>

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "app/LinkConnection.h"
#include "app/RosterPrivate.h"
#include "app/RuntimeDirectory.h"

namespace {

const bigtime_t kStartTimeout = 5000000;
const bigtime_t kRetryDelay = 10000;
// The registrar's standard error file is emptied when it starts beyond this size.
const off_t kMaxLogSize = 256 * 1024;
// Where closing the inherited descriptors one by one stops, on a system without
// close_range.
const int kFallbackMaxFD = 4096;


bool
is_executable(const std::string& path)
{
	return access(path.c_str(), X_OK) == 0;
}


// Beside our own executable, else on PATH, else where the build put the kit's programs.
std::string
find_registrar()
{
	char self[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
	if (length > 0) {
		std::string path(self, length);
		path = path.substr(0, path.rfind('/') + 1) + "registrar";
		if (is_executable(path))
			return path;
	}

	const char* searchPath = getenv("PATH");
	std::string directories = searchPath != NULL ? searchPath : "";
	size_t start = 0;
	while (start <= directories.size()) {
		size_t end = directories.find(':', start);
		if (end == std::string::npos)
			end = directories.size();
		std::string directory = directories.substr(start, end - start);
		if (!directory.empty() && is_executable(directory + "/registrar"))
			return directory + "/registrar";
		start = end + 1;
	}
	return std::string(KIT_INSTALL_BINDIR) + "/registrar";
}


// In the forked child, before exec: standard error on the log file (regular, not a link,
// emptied once it has grown past kMaxLogSize), else on /dev/null like the other two.
// Only async-signal-safe calls. False when not even /dev/null opens.
bool
detach_output(const char* logPath)
{
	int null = open("/dev/null", O_RDWR | O_CLOEXEC);
	if (null < 0)
		return false;
	dup2(null, STDIN_FILENO);
	dup2(null, STDOUT_FILENO);
	int log = open(logPath, O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK
		| O_CLOEXEC, 0600);
	struct stat info;
	if (log >= 0 && fstat(log, &info) == 0 && S_ISREG(info.st_mode)) {
		if (info.st_size > kMaxLogSize && ftruncate(log, 0) != 0) {
			// Appended to as it is.
		}
		dup2(log, STDERR_FILENO);
	} else
		dup2(null, STDERR_FILENO);
	return true;
}

} // namespace


status_t
BRoster::Private::LaunchRegistrar()
{
	std::string path = find_registrar();
	if (!is_executable(path))
		return B_LAUNCH_FAILED_APP_NOT_FOUND;
	std::string logPath;
	status_t status = BPrivate::runtime_directory(logPath);
	if (status != B_OK)
		return status;
	logPath += "/registrar.log";

	// Twice forked and in its own session, the daemon is nobody's child to reap. It keeps
	// nothing of ours open (no terminal, pipe or file of this process, whatever its
	// close-on-exec flag), so that nobody reading our output waits for its end, and its
	// signals are not blocked as our threads' may be.
	char* const arguments[] = { const_cast<char*>("registrar"), NULL };
	pid_t child = fork();
	if (child < 0)
		return B_LAUNCH_FAILED;
	if (child == 0) {
		setsid();
		if (fork() == 0) {
			if (!detach_output(logPath.c_str()))
				_exit(127);
			if (close_range(STDERR_FILENO + 1, ~0U, 0) != 0) {
				for (int fd = STDERR_FILENO + 1; fd < kFallbackMaxFD; fd++)
					close(fd);
			}
			sigset_t none;
			sigemptyset(&none);
			sigprocmask(SIG_SETMASK, &none, NULL);
			execv(path.c_str(), arguments);
			_exit(127);
		}
		_exit(0);
	}
	waitpid(child, NULL, 0);

	// Ready once it listens; the requests that follow wait in its queue. When several
	// were started at once, the one that took the lock is the one that listens.
	std::string socketPath;
	status = BPrivate::registrar_socket_path(socketPath);
	if (status != B_OK)
		return status;
	bigtime_t deadline = system_time() + kStartTimeout;
	while (system_time() < deadline) {
		std::shared_ptr<BPrivate::LinkConnection> connection;
		if (BPrivate::LinkConnection::Connect(socketPath, connection) == B_OK)
			return B_OK;
		snooze(kRetryDelay);
	}
	return B_LAUNCH_FAILED;
}
