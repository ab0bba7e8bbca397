// Xvfb for tests: a display number the server picks itself, a server without TCP, and a
// bounded wait for it to accept connections.
#include "XvfbServer.h"

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The descriptor on which the server writes its display number.
const int kNumberFd = 200;
const char* kNumberFdText = "200";

bool
CanConnect(const std::string& name)
{
	xcb_connection_t* connection = xcb_connect(name.c_str(), NULL);
	bool ok = xcb_connection_has_error(connection) == 0;
	xcb_disconnect(connection);
	return ok;
}

} // namespace


XvfbServer::XvfbServer()
	:
	fPid(-1)
{
}


XvfbServer::~XvfbServer()
{
	Stop();
}


status_t
XvfbServer::Start(int width, int height)
{
	// The server picks a free display number itself and writes it to the pipe
	// (-displayfd), so tests that start servers side by side never share one.
	int numberPipe[2];
	if (pipe2(numberPipe, O_CLOEXEC) != 0)
		return B_ERROR;
	std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";

	fPid = fork();
	if (fPid < 0) {
		close(numberPipe[0]);
		close(numberPipe[1]);
		return B_ERROR;
	}
	if (fPid == 0) {
		// Only async-signal-safe calls here: the test may run other threads. The server
		// goes with the test's process, even when that dies before stopping it.
		prctl(PR_SET_PDEATHSIG, SIGTERM);
		if (numberPipe[1] == kNumberFd)
			fcntl(kNumberFd, F_SETFD, 0);
		else
			dup2(numberPipe[1], kNumberFd);
		execlp("Xvfb", "Xvfb", "-displayfd", kNumberFdText, "-screen", "0",
			screen.c_str(), "-nolisten", "tcp", "-noreset", (char*)NULL);
		_exit(127);
	}
	close(numberPipe[1]);

	std::string number;
	struct pollfd readable = { numberPipe[0], POLLIN, 0 };
	while (poll(&readable, 1, 10000) == 1) {
		char c;
		if (read(numberPipe[0], &c, 1) != 1 || c == '\n')
			break;
		number += c;
	}
	close(numberPipe[0]);
	if (number.empty()) {
		Stop();
		return B_ERROR;
	}
	fName = ":" + number;

	for (int attempt = 0; attempt < 200; attempt++) {
		int status;
		if (waitpid(fPid, &status, WNOHANG) == fPid) {
			fPid = -1;
			return B_ERROR;
		}
		if (CanConnect(fName))
			return B_OK;
		usleep(50000);
	}
	Stop();
	return B_TIMED_OUT;
}


void
XvfbServer::Stop()
{
	if (fPid <= 0)
		return;
	kill(fPid, SIGTERM);
	int status;
	for (int attempt = 0; attempt < 100; attempt++) {
		if (waitpid(fPid, &status, WNOHANG) == fPid) {
			fPid = -1;
			return;
		}
		usleep(20000);
	}
	kill(fPid, SIGKILL);
	waitpid(fPid, &status, 0);
	fPid = -1;
}
