#include "app/QuitSignals.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <mutex>

namespace BPrivate {

namespace {

int stPipe[2] = { -1, -1 };
// A child forked but not yet exec'd shares the pipe: its signals are its own.
pid_t stOwner = -1;


void
on_quit_signal(int signalNumber)
{
	int savedErrno = errno;
	if (getpid() != stOwner) {
		quit_signals_end_process(signalNumber);
		errno = savedErrno;
		return;
	}
	char byte = (char)signalNumber;
	// Async-signal-safe; a full pipe already says enough.
	ssize_t ignored = write(stPipe[1], &byte, 1);
	(void)ignored;
	errno = savedErrno;
}

} // namespace


int
quit_signals_install()
{
	static std::once_flag stOnce;
	std::call_once(stOnce, [] {
		if (pipe2(stPipe, O_CLOEXEC | O_NONBLOCK) != 0)
			return;
		stOwner = getpid();
		struct sigaction action = {};
		action.sa_handler = on_quit_signal;
		sigemptyset(&action.sa_mask);
		action.sa_flags = SA_RESTART;
		sigaction(SIGTERM, &action, nullptr);
		sigaction(SIGINT, &action, nullptr);
	});
	return stPipe[0];
}


int
quit_signals_drain(int fd)
{
	char buffer[64];
	int last = 0;
	ssize_t bytes;
	while ((bytes = read(fd, buffer, sizeof(buffer))) > 0)
		last = buffer[bytes - 1];
	return last;
}


void
quit_signals_end_process(int signalNumber)
{
	// Async-signal-safe: the handler of a forked child calls it too.
	signal(signalNumber, SIG_DFL);
	raise(signalNumber);
}

} // namespace BPrivate
