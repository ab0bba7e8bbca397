#include "RawPingPong.h"

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace {

bool
transfer(int fd, char* buffer, size_t size, bool sending)
{
	size_t done = 0;
	while (done < size) {
		ssize_t bytes = sending ? write(fd, buffer + done, size - done)
			: read(fd, buffer + done, size - done);
		if (bytes <= 0)
			return false;
		done += bytes;
	}
	return true;
}

} // namespace


RawPingPong::RawPingPong(size_t requestSize, size_t replySize)
	:
	fRequestSize(requestSize),
	fReplySize(replySize),
	fBuffer(std::max(requestSize, replySize), 'r')
{
	int pair[2];
	if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
		return;
	fEcho = fork();
	if (fEcho == 0) {
		close(pair[0]);
		while (transfer(pair[1], fBuffer.data(), fRequestSize, false)
			&& transfer(pair[1], fBuffer.data(), fReplySize, true)) {
		}
		_exit(0);
	}
	close(pair[1]);
	if (fEcho < 0)
		close(pair[0]);
	else
		fSocket = pair[0];
}


RawPingPong::~RawPingPong()
{
	if (fEcho <= 0)
		return;
	close(fSocket);
	waitpid(fEcho, NULL, 0);
}


bool
RawPingPong::RoundTrip()
{
	return fSocket >= 0 && transfer(fSocket, fBuffer.data(), fRequestSize, true)
		&& transfer(fSocket, fBuffer.data(), fReplySize, false);
}
