// Xvfb for tests: a display number whose lock file and socket are both free, a server
// without TCP, and a bounded wait for its socket to accept connections.
#include "XvfbServer.h"

#include <xcb/xcb.h>

#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool
DisplayInUse(int number)
{
	char path[64];
	struct stat info;
	snprintf(path, sizeof(path), "/tmp/.X%d-lock", number);
	if (stat(path, &info) == 0)
		return true;
	snprintf(path, sizeof(path), "/tmp/.X11-unix/X%d", number);
	return stat(path, &info) == 0;
}


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
	int number = 90;
	while (number < 190 && DisplayInUse(number))
		number++;
	if (number == 190)
		return B_BUSY;
	fName = ":" + std::to_string(number);
	std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";

	fPid = fork();
	if (fPid < 0)
		return B_ERROR;
	if (fPid == 0) {
		execlp("Xvfb", "Xvfb", fName.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
			"tcp", "-noreset", (char*)NULL);
		_exit(127);
	}

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
