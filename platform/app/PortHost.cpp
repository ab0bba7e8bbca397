#include "app/PortHost.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <string.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/LocalPorts.h"
#include "app/PortPeer.h"
#include "app/PortWire.h"
#include "app/RuntimeDirectory.h"
#include "support/ThreadControl.h"

namespace BPrivate {

namespace {

struct Connection {
	int					fd;
	team_id				peer;
	// The request's bytes as they arrive: its head, then a write's data.
	std::vector<uint8>	input;
	bool				haveRequest = false;
	PortRequest			request;
	// Where a read request takes its message.
	std::vector<uint8>	readBuffer;
	// The reply, once there is one; the connection ends when it is sent.
	std::vector<uint8>	output;
	size_t				sent = 0;
	// When the peer must have sent its request, or taken its reply.
	bigtime_t			stallDeadline;
};

std::mutex stStartLock;
team_id stHostTeam = -1;
// Where the host listens: a process whose runtime directory changes (a test's) listens
// again there.
std::string stHostPath;
// Wakes the host's poll when a port changes.
std::atomic<int> stWakeFd{-1};
// Whether requests wait for a change of a port, and whether a port changed owner.
std::atomic<bool> stRequestsWait{false};
std::atomic<bool> stOwnersChanged{false};


void
wake_host(bool ownerChanged)
{
	if (ownerChanged)
		stOwnersChanged = true;
	else if (!stRequestsWait)
		return;
	int fd = stWakeFd.load();
	if (fd >= 0) {
		uint64 one = 1;
		ssize_t written = write(fd, &one, sizeof(one));
		(void)written;
	}
}


// The bytes that follow a request's head.
size_t
data_size(const PortRequest& request)
{
	return request.operation == kPortWrite ? request.size : 0;
}


std::vector<uint8>
reply_bytes(const PortReply& reply, const uint8* data = NULL)
{
	std::vector<uint8> bytes;
	append_port_reply(bytes, reply);
	if (data != NULL)
		bytes.insert(bytes.end(), data, data + reply.dataSize);
	return bytes;
}


class Host {
public:
						Host(int listener, int wake)
							: fListener(listener), fWake(wake) {}
	void				Run();

private:
	void				_Accept();
	// False when the connection is to be dropped.
	bool				_Receive(Connection& connection);
	bool				_Send(Connection& connection);
	// Answers the request when it can, or when its deadline has passed.
	void				_Serve(Connection& connection, bigtime_t now);

	int					fListener;
	int					fWake;
	std::list<Connection> fConnections;
	bigtime_t			fNextOwnerCheck = 0;
	bool				fForeignOwners = false;
};


void
Host::Run()
{
	for (;;) {
		bigtime_t now = system_time();
		if (fForeignOwners && now >= fNextOwnerCheck) {
			fForeignOwners = delete_orphaned_ports();
			fNextOwnerCheck = now + kPortOwnerCheckInterval;
		}
		bool waiting = false;
		for (Connection& connection : fConnections) {
			if (connection.haveRequest && connection.output.empty())
				_Serve(connection, now);
			waiting |= connection.haveRequest && connection.output.empty();
		}
		// Set before the poll: a change after it wakes the poll.
		stRequestsWait = waiting;
		if (waiting) {
			for (Connection& connection : fConnections) {
				if (connection.haveRequest && connection.output.empty())
					_Serve(connection, now);
			}
		}

		std::vector<pollfd> polled;
		polled.push_back({ fListener, POLLIN, 0 });
		polled.push_back({ fWake, POLLIN, 0 });
		bigtime_t wakeAt = fForeignOwners ? fNextOwnerCheck : B_INFINITE_TIMEOUT;
		for (Connection& connection : fConnections) {
			// A waiting request's connection is watched for its peer giving up.
			polled.push_back({ connection.fd,
				(short)(connection.output.empty() ? POLLIN : POLLOUT), 0 });
			if (!connection.haveRequest || !connection.output.empty())
				wakeAt = std::min(wakeAt, connection.stallDeadline);
			else
				wakeAt = std::min(wakeAt, connection.request.deadline);
		}
		int timeout = -1;
		if (wakeAt != B_INFINITE_TIMEOUT) {
			bigtime_t left = std::max<bigtime_t>(wakeAt - system_time(), 0);
			timeout = (int)std::min<bigtime_t>((left + 999) / 1000, 60000);
		}
		if (poll(polled.data(), polled.size(), timeout) < 0 && errno != EINTR)
			continue;

		if ((polled[1].revents & POLLIN) != 0) {
			uint64 count;
			ssize_t bytes = read(fWake, &count, sizeof(count));
			(void)bytes;
		}
		if (stOwnersChanged.exchange(false)) {
			fForeignOwners = true;
			fNextOwnerCheck = 0;
		}
		now = system_time();
		size_t index = 2;
		for (auto connection = fConnections.begin(); connection != fConnections.end();
				index++) {
			short events = polled[index].revents;
			bool keep = true;
			if ((events & (POLLIN | POLLHUP | POLLERR)) != 0 && connection->output.empty())
				keep = _Receive(*connection);
			else if ((events & (POLLOUT | POLLHUP | POLLERR)) != 0)
				keep = _Send(*connection);
			if (keep && (!connection->haveRequest || !connection->output.empty())
				&& now >= connection->stallDeadline)
				keep = false;
			if (!keep) {
				close(connection->fd);
				connection = fConnections.erase(connection);
			} else
				connection++;
		}
		if ((polled[0].revents & POLLIN) != 0)
			_Accept();
	}
}


void
Host::_Accept()
{
	for (;;) {
		int fd = accept4(fListener, NULL, NULL, SOCK_NONBLOCK | SOCK_CLOEXEC);
		if (fd < 0)
			return;
		ucred credentials;
		socklen_t length = sizeof(credentials);
		if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0
			|| credentials.uid != geteuid()) {
			close(fd);
			continue;
		}
		if ((int32)fConnections.size() >= kMaxPortConnections) {
			// A fresh socket has room for the head: this never waits.
			PortReply reply;
			reply.status = B_BUSY;
			std::vector<uint8> bytes = reply_bytes(reply);
			ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
			(void)sent;
			close(fd);
			continue;
		}
		Connection connection;
		connection.fd = fd;
		connection.peer = credentials.pid;
		connection.stallDeadline = system_time() + kPortStallTimeout;
		fConnections.push_back(std::move(connection));
	}
}


bool
Host::_Receive(Connection& connection)
{
	if (connection.haveRequest) {
		// A peer that hangs up while its request waits, or that sends more, is done.
		uint8 extra;
		return recv(connection.fd, &extra, 1, MSG_DONTWAIT | MSG_PEEK) < 0
			&& (errno == EAGAIN || errno == EINTR);
	}
	// Only the request's bytes are read: its head, then a write's data.
	size_t had = connection.input.size();
	size_t wanted = had < kPortRequestHeadSize ? kPortRequestHeadSize
		: kPortRequestHeadSize + data_size(connection.request);
	connection.input.resize(wanted);
	ssize_t bytes = recv(connection.fd, connection.input.data() + had, wanted - had,
		MSG_DONTWAIT);
	if (bytes <= 0) {
		connection.input.resize(had);
		return bytes < 0 && (errno == EAGAIN || errno == EINTR);
	}
	connection.input.resize(had + bytes);
	if (connection.input.size() < kPortRequestHeadSize)
		return true;
	if (had < kPortRequestHeadSize && parse_port_request(connection.input.data(),
			kPortRequestHeadSize, connection.request) != B_OK)
		return false;
	connection.haveRequest = connection.input.size()
		== kPortRequestHeadSize + data_size(connection.request);
	return true;
}


bool
Host::_Send(Connection& connection)
{
	ssize_t bytes = send(connection.fd, connection.output.data() + connection.sent,
		connection.output.size() - connection.sent, MSG_DONTWAIT | MSG_NOSIGNAL);
	if (bytes < 0)
		return errno == EAGAIN || errno == EINTR;
	connection.sent += bytes;
	return connection.sent < connection.output.size();
}


void
Host::_Serve(Connection& connection, bigtime_t now)
{
	const PortRequest& request = connection.request;
	PortReply reply;
	// Its sender has given up on it by now: it is answered, not carried out.
	if (request.deadline <= B_INFINITE_TIMEOUT - kPortReplyGrace
		&& now > request.deadline + kPortReplyGrace) {
		reply.status = B_TIMED_OUT;
		connection.output = reply_bytes(reply);
		connection.sent = 0;
		connection.stallDeadline = now + kPortStallTimeout;
		return;
	}
	std::vector<uint8>& data = connection.readBuffer;
	// Waits are not the host's: each try ends at once, and the request waits for the
	// next change of a port or its deadline.
	const bigtime_t kNow = 0;
	switch (request.operation) {
		case kPortWrite:
			reply.status = local_port_write(request.port, request.code,
				connection.input.data() + kPortRequestHeadSize, request.size, kNow);
			break;
		case kPortRead:
		{
			data.resize(request.size);
			size_t messageSize = 0;
			ssize_t bytes = local_port_read(request.port, &reply.code, data.data(),
				data.size(), kNow, &messageSize);
			reply.status = bytes < 0 ? (status_t)bytes : B_OK;
			if (bytes >= 0) {
				reply.dataSize = (uint32)bytes;
				reply.messageSize = (uint32)messageSize;
			}
			break;
		}
		case kPortBufferSize:
		{
			ssize_t size = local_port_buffer_size(request.port, kNow);
			reply.status = size < 0 ? (status_t)size : B_OK;
			if (size >= 0)
				reply.messageSize = (uint32)size;
			break;
		}
		case kPortInfo:
		{
			PortCounts counts;
			reply.status = local_port_counts(request.port, counts);
			reply.owner = counts.owner;
			reply.capacity = counts.capacity;
			reply.queueCount = counts.queueCount;
			reply.totalCount = counts.totalCount;
			break;
		}
		case kPortClose:
			reply.status = local_port_close(request.port, connection.peer);
			break;
		case kPortDelete:
			reply.status = local_port_delete(request.port, connection.peer);
			break;
		case kPortSetOwner:
			reply.status = local_port_set_owner(request.port, request.team,
				connection.peer);
			break;
	}
	if (reply.status == B_TIMED_OUT && now < request.deadline)
		return;
	connection.output = reply_bytes(reply, data.data());
	connection.sent = 0;
	connection.stallDeadline = now + kPortStallTimeout;
	// The request's data is no longer needed.
	std::vector<uint8>().swap(connection.input);
	std::vector<uint8>().swap(connection.readBuffer);
}

} // namespace


status_t
start_port_host()
{
	std::lock_guard<std::mutex> locker(stStartLock);
	std::string path;
	status_t status = port_socket_path(current_team(), path);
	if (status != B_OK)
		return status;
	if (stHostTeam == current_team() && stHostPath == path)
		return B_OK;
	int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
	if (listener < 0)
		return B_NO_MORE_PORTS;
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
	// A socket of this id is left by an ended process that had it.
	unlink(path.c_str());
	int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
	if (bind(listener, (sockaddr*)&address, sizeof(address)) != 0
		|| chmod(path.c_str(), 0600) != 0 || listen(listener, kMaxPortConnections) != 0
		|| wake < 0) {
		close(listener);
		if (wake >= 0)
			close(wake);
		return B_NO_MORE_PORTS;
	}
	// In a forked child, the parent's descriptor stays the parent's.
	stWakeFd = wake;
	set_port_change_hook(wake_host);
	std::thread([listener, wake] { Host(listener, wake).Run(); }).detach();
	stHostTeam = current_team();
	stHostPath = path;
	return B_OK;
}

} // namespace BPrivate
