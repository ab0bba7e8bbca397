// The registrar that an application starts is a daemon of its own: a pipeline through the
// application ends when the application does, as `app | tail -2` or `out=$(app)` would.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

const char* kApp = "application/x-vnd.test-launcher";
const bigtime_t kTimeout = 10000000;


// A child process of the test: killed and reaped at the end of the scope.
class Child {
public:
	explicit Child(pid_t process) : fProcess(process) {}
	~Child()
	{
		if (fProcess > 0) {
			kill(fProcess, SIGKILL);
			waitpid(fProcess, NULL, 0);
		}
	}

	// Its exit status, or -1 when it did not end in time.
	int Wait(bigtime_t timeout)
	{
		int status = -1;
		if (!wait_for([&] { return waitpid(fProcess, &status, WNOHANG) != 0; }, timeout))
			return -1;
		fProcess = -1;
		return status;
	}

private:
	pid_t fProcess;
};


// Reads fd until its end of file; false when that does not come in time.
bool
read_to_end(int fd, std::string& text, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	for (;;) {
		bigtime_t left = deadline - system_time();
		if (left <= 0)
			return false;
		pollfd entry = { fd, POLLIN, 0 };
		if (poll(&entry, 1, (int)(left / 1000)) <= 0)
			continue;
		char buffer[256];
		ssize_t bytes = read(fd, buffer, sizeof(buffer));
		if (bytes == 0)
			return true;
		if (bytes < 0 && errno != EINTR)
			return false;
		if (bytes > 0)
			text.append(buffer, bytes);
	}
}


std::string
descriptor_target(pid_t process, int fd)
{
	std::error_code error;
	return std::filesystem::read_symlink(
		"/proc/" + std::to_string(process) + "/fd/" + std::to_string(fd), error).string();
}

} // namespace


TEST(RegistrarLauncherTest, APipelineThroughAnApplicationEndsWhileItsRegistrarRuns)
{
	TestRuntime runtime;
	int output[2];
	ASSERT_EQ(pipe2(output, O_CLOEXEC), 0);
	std::string path = TestRuntime::BinaryPath("KitTestApp");
	pid_t process = fork();
	if (process == 0) {
		// Standard output and error on the pipe, and a third copy that a shell's "3>&1"
		// would leave without close-on-exec.
		dup2(output[1], STDOUT_FILENO);
		dup2(output[1], STDERR_FILENO);
		dup2(output[1], 3);
		execl(path.c_str(), path.c_str(), kApp, "--quit", (char*)NULL);
		_exit(127);
	}
	Child app(process);
	close(output[1]);

	std::string text;
	bool ended = read_to_end(output[0], text, kTimeout);
	close(output[0]);
	EXPECT_TRUE(ended);
	EXPECT_EQ(text, "ready\n");
	int status = app.Wait(kTimeout);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);

	// The registrar it started runs on, in a session of its own, its output elsewhere.
	pid_t registrar = TestRuntime::RegistrarProcess();
	ASSERT_GT(registrar, 0);
	// Not its leader, so that it never gains a controlling terminal.
	EXPECT_NE(getsid(registrar), getsid(0));
	EXPECT_NE(getsid(registrar), registrar);
	EXPECT_EQ(descriptor_target(registrar, STDIN_FILENO), "/dev/null");
	EXPECT_EQ(descriptor_target(registrar, STDOUT_FILENO), "/dev/null");
	EXPECT_EQ(descriptor_target(registrar, STDERR_FILENO),
		runtime.Directory() + "/registrar.log");
}
