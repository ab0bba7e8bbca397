#include "RawPingPong.h"

#include <errno.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

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


// Reads what arrives within microseconds without sleeping; the number of bytes read, or
// -1 when the peer is gone.
ssize_t
poll_for(int fd, char* buffer, size_t size, int microseconds)
{
	auto start = std::chrono::steady_clock::now();
	size_t done = 0;
	while (done < size && std::chrono::steady_clock::now() - start
			< std::chrono::microseconds(microseconds)) {
		ssize_t bytes = recv(fd, buffer + done, size - done, MSG_DONTWAIT);
		if (bytes == 0 || (bytes < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
			return -1;
		if (bytes > 0)
			done += bytes;
	}
	return done;
}

} // namespace


RawPingPong::RawPingPong(size_t requestSize, size_t replySize, int pollMicroseconds)
	:
	fRequestSize(requestSize),
	fReplySize(replySize),
	fPollMicroseconds(pollMicroseconds),
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
	if (fSocket < 0 || !transfer(fSocket, fBuffer.data(), fRequestSize, true))
		return false;
	ssize_t polled = 0;
	if (fPollMicroseconds > 0)
		polled = poll_for(fSocket, fBuffer.data(), fReplySize, fPollMicroseconds);
	return polled >= 0
		&& transfer(fSocket, fBuffer.data() + polled, fReplySize - polled, false);
}


bool
RawPingPong::RoundTrips(long count, int inFlight)
{
	std::vector<char> replies(fReplySize * inFlight);
	long sent = 0;
	long answered = 0;
	size_t partial = 0;
	while (answered < count) {
		for (; sent < count && sent - answered < inFlight; sent++) {
			if (fSocket < 0 || !transfer(fSocket, fBuffer.data(), fRequestSize, true))
				return false;
		}
		// Whatever has come of the replies awaited, at least one byte.
		size_t awaited = (sent - answered) * fReplySize - partial;
		ssize_t bytes = read(fSocket, replies.data(), awaited);
		if (bytes <= 0)
			return false;
		partial += bytes;
		answered += partial / fReplySize;
		partial %= fReplySize;
	}
	return true;
}
