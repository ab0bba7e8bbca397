#include "app/PortPeer.h"

#include <errno.h>
#include <poll.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "app/RuntimeDirectory.h"

namespace BPrivate {

namespace {

// Waits until fd is ready for events or the deadline; false when it passed.
bool
wait_ready(int fd, short events, bigtime_t deadline)
{
	for (;;) {
		int timeout = -1;
		if (deadline != B_INFINITE_TIMEOUT) {
			bigtime_t left = deadline - system_time();
			if (left <= 0)
				return false;
			timeout = (int)std::min<bigtime_t>((left + 999) / 1000, 60000);
		} else
			timeout = 60000;
		pollfd polled = { fd, events, 0 };
		int result = poll(&polled, 1, timeout);
		if (result > 0)
			return true;
		if (result < 0 && errno != EINTR)
			return false;
	}
}


// Connects to the host's socket, retrying while its backlog is full; the socket, or an
// error.
int
connect_host(team_id host, bigtime_t deadline)
{
	std::string path;
	if (port_socket_path(host, path) != B_OK)
		return B_BAD_PORT_ID;
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
	for (;;) {
		int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
		if (fd < 0)
			return B_NO_MEMORY;
		if (connect(fd, (sockaddr*)&address, sizeof(address)) == 0) {
			// The socket must be the host's own, of this user.
			ucred credentials;
			socklen_t length = sizeof(credentials);
			if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0
				&& credentials.uid == geteuid() && credentials.pid == host)
				return fd;
			close(fd);
			return B_BAD_PORT_ID;
		}
		int error = errno;
		close(fd);
		if (error != EAGAIN)
			return B_BAD_PORT_ID;
		if (deadline != B_INFINITE_TIMEOUT && system_time() >= deadline)
			return B_TIMED_OUT;
		snooze(kPortRetryInterval);
	}
}


status_t
send_all(int fd, const uint8* data, size_t size, bigtime_t deadline)
{
	while (size > 0) {
		ssize_t bytes = send(fd, data, size, MSG_DONTWAIT | MSG_NOSIGNAL);
		if (bytes < 0) {
			if (errno == EINTR)
				continue;
			if (errno != EAGAIN)
				return B_BAD_PORT_ID;
			if (!wait_ready(fd, POLLOUT, deadline))
				return B_TIMED_OUT;
			continue;
		}
		data += bytes;
		size -= bytes;
	}
	return B_OK;
}


status_t
receive_all(int fd, uint8* data, size_t size, bigtime_t deadline)
{
	while (size > 0) {
		ssize_t bytes = recv(fd, data, size, MSG_DONTWAIT);
		if (bytes == 0)
			return B_BAD_PORT_ID;
		if (bytes < 0) {
			if (errno == EINTR)
				continue;
			if (errno != EAGAIN)
				return B_BAD_PORT_ID;
			if (!wait_ready(fd, POLLIN, deadline))
				return B_TIMED_OUT;
			continue;
		}
		data += bytes;
		size -= bytes;
	}
	return B_OK;
}


// One request over one connection; B_BUSY when the host had no room for it.
status_t
ask_once(team_id host, const std::vector<uint8>& head, const void* data, size_t dataSize,
	void* buffer, size_t bufferSize, bigtime_t waitDeadline, PortReply& reply)
{
	int fd = connect_host(host, waitDeadline);
	if (fd < 0)
		return fd;
	status_t status = send_all(fd, head.data(), head.size(), waitDeadline);
	if (status == B_OK && dataSize > 0)
		status = send_all(fd, (const uint8*)data, dataSize, waitDeadline);
	uint8 replyHead[kPortReplyHeadSize];
	// A busy host answers before it reads: its reply may come while the request goes.
	if (status == B_BAD_PORT_ID || status == B_OK)
		status = receive_all(fd, replyHead, sizeof(replyHead), waitDeadline);
	if (status == B_OK)
		status = parse_port_reply(replyHead, sizeof(replyHead), reply);
	if (status == B_OK && reply.dataSize > bufferSize)
		status = B_BAD_DATA;
	if (status == B_OK && reply.dataSize > 0)
		status = receive_all(fd, (uint8*)buffer, reply.dataSize, waitDeadline);
	close(fd);
	if (status == B_OK && reply.status == B_BUSY)
		return B_BUSY;
	return status;
}

} // namespace


status_t
ask_port_host(team_id host, const PortRequest& request, const void* data, void* buffer,
	PortReply& reply)
{
	bigtime_t waitDeadline = request.deadline == B_INFINITE_TIMEOUT
		|| request.deadline > B_INFINITE_TIMEOUT - kPortReplyGrace
		? B_INFINITE_TIMEOUT : request.deadline + kPortReplyGrace;
	std::vector<uint8> head;
	append_port_request(head, request);
	size_t dataSize = request.operation == kPortWrite ? request.size : 0;
	size_t bufferSize = request.operation == kPortRead ? request.size : 0;
	for (;;) {
		status_t status = ask_once(host, head, data, dataSize, buffer, bufferSize,
			waitDeadline, reply);
		if (status != B_BUSY)
			return status;
		if (request.deadline != B_INFINITE_TIMEOUT && system_time() >= request.deadline) {
			reply = PortReply();
			reply.status = B_TIMED_OUT;
			return B_OK;
		}
		snooze(kPortRetryInterval);
	}
}

} // namespace BPrivate
