#include "app/LinkHub.h"

#include <errno.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <unordered_map>

#include "app/LinkConnection.h"
#include "app/MessageDelivery.h"
#include "app/Port.h"
#include "app/QuitSignals.h"
#include "app/RuntimeDirectory.h"

namespace BPrivate {

namespace LinkHub {

namespace {

// How long the I/O thread may wait to tell a sender that its target port is gone.
const bigtime_t kRefusalTimeout = 100000;
// How long the I/O thread, woken by a connection while the main looper is busy, leaves
// it to that looper: a request that arrives as the looper finishes its last message
// (typically the sender's next one, right after the reply) is best read by the looper,
// which is about to wait for it anyway; one that stays busy gets help after this.
const bigtime_t kMainLooperGrace = 50;

struct ListenState {
	std::string		path;
	// Read by the I/O thread, replaced under stLock.
	std::atomic<int> listenFD{-1};
	// The accepted connections; part of ioEpollFD except while the idle main looper
	// watches it itself, so that a request wakes one thread, not two.
	int				epollFD = -1;
	// What the I/O thread waits on: the listening socket, the quit signals, epollFD.
	int				ioEpollFD = -1;
	int				signalFD = -1;
	// Accepted connections by descriptor. Each is armed for one event at a time
	// (EPOLLONESHOT), so that only one thread reads it: the I/O thread, or the main
	// looper's thread while it is idle.
	std::mutex		acceptedLock;
	std::unordered_map<int, std::shared_ptr<LinkConnection>> accepted;
	// The main port's wake-up (an eventfd) for while its looper is idle; part of
	// epollFD, so that one wait covers both. It is written only while the I/O thread
	// does not watch epollFD, and drained before it does again.
	int				wakeFD = -1;
	// Whether the main looper waits (and so watches epollFD itself), for the I/O thread
	// to learn when the looper comes back.
	std::mutex		idleLock;
	std::condition_variable idleChanged;
	bool			mainIdle = false;
	// What the idle main looper's last wait found ready.
	epoll_event		ready[16];
	int				readyCount = 0;
};

// The tables outlive static destruction: other threads may still use them while
// the process exits.
std::mutex stLock;
// Never freed: the I/O thread runs until the process ends.
std::atomic<ListenState*> stListen{nullptr};
std::unordered_map<team_id, std::shared_ptr<LinkConnection>>& stShared
	= *new std::unordered_map<team_id, std::shared_ptr<LinkConnection>>;
std::atomic<void (*)(uint64)> stClosedHook{nullptr};
std::atomic<void (*)()> stQuitHook{nullptr};

// Each thread's connections for synchronous sends, read by that thread only.
thread_local std::unordered_map<team_id, std::shared_ptr<LinkConnection>> tlRequests;


status_t
connect_to_team(team_id team, std::shared_ptr<LinkConnection>& connection)
{
	std::string path;
	status_t status = app_socket_path(team, path);
	if (status != B_OK)
		return status;
	status = LinkConnection::Connect(path, connection);
	// A socket file left behind by another process of that number is not the team.
	if (status == B_OK && connection->PeerTeam() != team) {
		connection.reset();
		return B_BAD_PORT_ID;
	}
	return status;
}


// Queues a message frame on the port it names; an error drops the connection.
status_t
deliver(const std::shared_ptr<LinkConnection>& connection, const Frame& frame)
{
	MessageHead head;
	if (frame.kind != kMessageFrame
		|| parse_message_head(frame.body.data(), frame.body.size(), head) != B_OK)
		return B_BAD_DATA;

	BMessage* message = new BMessage;
	const char* flat = reinterpret_cast<const char*>(frame.body.data()) + kMessageHeadSize;
	if (message->Unflatten(flat, frame.body.size() - kMessageHeadSize) != B_OK) {
		delete message;
		return B_BAD_DATA;
	}

	DeliveryInfo& info = BMessage::Private(message).Delivery();
	info.token = head.token;
	info.sourceTeam = connection->PeerTeam();
	info.sourceRemote = true;
	info.isReply = (head.flags & kFrameIsReply) != 0;
	if ((head.flags & kFrameWantsReply) != 0) {
		info.connection = connection;
		info.serial = head.serial;
	}
	if ((head.flags & kFrameReplyToMessenger) != 0) {
		info.hasReplyTo = true;
		info.replyTeam = head.replyTeam;
		info.replyPort = head.replyPort;
		info.replyToken = head.replyToken;
	}

	std::shared_ptr<Port> port = Port::Find(head.port);
	if (port == nullptr || port->WriteForced(message) != B_OK) {
		if (info.connection != nullptr)
			connection->SendReply(head.serial, B_BAD_PORT_ID, NULL, kRefusalTimeout);
		info.connection = nullptr;
		delete message;
	}
	return B_OK;
}


const uint32 kConnectionEvents = EPOLLIN | EPOLLRDHUP | EPOLLONESHOT;


std::shared_ptr<LinkConnection>
accepted_connection(ListenState& state, int fd)
{
	std::lock_guard<std::mutex> lock(state.acceptedLock);
	auto it = state.accepted.find(fd);
	return it != state.accepted.end() ? it->second : nullptr;
}


void
drop(ListenState& state, const std::shared_ptr<LinkConnection>& connection)
{
	{
		std::lock_guard<std::mutex> lock(state.acceptedLock);
		state.accepted.erase(connection->FD());
		epoll_ctl(state.epollFD, EPOLL_CTL_DEL, connection->FD(), nullptr);
	}
	connection->Close();
	if (auto hook = stClosedHook.load())
		hook(connection->ID());
}


void
accept_all(ListenState& state)
{
	for (;;) {
		int listenFD = state.listenFD;
		if (listenFD < 0)
			return;
		int fd = accept4(listenFD, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
		if (fd < 0) {
			if (errno == EINTR || errno == ECONNABORTED)
				continue;
			return;
		}
		std::shared_ptr<LinkConnection> connection;
		if (LinkConnection::Adopt(fd, connection) != B_OK)
			continue;
		std::lock_guard<std::mutex> lock(state.acceptedLock);
		state.accepted[fd] = connection;
		epoll_event event = {};
		event.events = kConnectionEvents;
		event.data.fd = fd;
		if (epoll_ctl(state.epollFD, EPOLL_CTL_ADD, fd, &event) != 0)
			state.accepted.erase(fd);
	}
}


void
read_from(ListenState& state, int fd)
{
	std::shared_ptr<LinkConnection> connection = accepted_connection(state, fd);
	if (connection == nullptr)
		return;

	std::vector<Frame> frames;
	status_t status = connection->ReadFrames(frames);
	for (const Frame& frame : frames) {
		if (deliver(connection, frame) != B_OK) {
			status = B_BAD_DATA;
			break;
		}
	}
	if (status != B_OK) {
		drop(state, connection);
		return;
	}
	epoll_event event = {};
	event.events = kConnectionEvents;
	event.data.fd = fd;
	epoll_ctl(state.epollFD, EPOLL_CTL_MOD, fd, &event);
}


void
serve_connections(ListenState& state, int timeout)
{
	epoll_event events[16];
	int count = epoll_wait(state.epollFD, events, 16, timeout);
	for (int i = 0; i < count; i++)
		read_from(state, events[i].data.fd);
}


// Whether the busy main looper comes back to wait within the grace time; it then reads
// what woke this thread itself.
bool
main_looper_returns(ListenState& state)
{
	std::unique_lock<std::mutex> lock(state.idleLock);
	return state.idleChanged.wait_for(lock, std::chrono::microseconds(kMainLooperGrace),
		[&state] { return state.mainIdle; });
}


status_t
io_loop(void* data)
{
	ListenState& state = *static_cast<ListenState*>(data);
	epoll_event events[4];
	for (;;) {
		int count = epoll_wait(state.ioEpollFD, events, 4, -1);
		if (count < 0) {
			if (errno == EINTR)
				continue;
			return B_ERROR;
		}
		for (int i = 0; i < count; i++) {
			int fd = events[i].data.fd;
			if (fd == state.epollFD) {
				if (!main_looper_returns(state))
					serve_connections(state, 0);
			} else if (fd == state.signalFD) {
				auto hook = stQuitHook.load();
				if (quit_signals_drain(fd) && hook != nullptr)
					hook();
			} else
				accept_all(state);
		}
	}
}


// The idle main looper's share of the I/O: it takes the connections over while it
// waits, and serves what is ready.
void
watch_connections(bool idle)
{
	ListenState* state = stListen.load();
	if (state == nullptr)
		return;
	if (idle) {
		epoll_ctl(state->ioEpollFD, EPOLL_CTL_DEL, state->epollFD, nullptr);
		{
			std::lock_guard<std::mutex> lock(state->idleLock);
			state->mainIdle = true;
		}
		state->idleChanged.notify_one();
	} else {
		{
			std::lock_guard<std::mutex> lock(state->idleLock);
			state->mainIdle = false;
		}
		epoll_event event = {};
		event.events = EPOLLIN;
		event.data.fd = state->epollFD;
		epoll_ctl(state->ioEpollFD, EPOLL_CTL_ADD, state->epollFD, &event);
	}
}


void
wait_for_connections(int milliseconds)
{
	ListenState* state = stListen.load();
	if (state == nullptr)
		return;
	int count = epoll_wait(state->epollFD, state->ready, 16, milliseconds);
	state->readyCount = count > 0 ? count : 0;
}


void
serve_ready_connections()
{
	ListenState* state = stListen.load();
	if (state == nullptr)
		return;
	for (int i = 0; i < state->readyCount; i++) {
		// The wake-up is the port's to take.
		if (state->ready[i].data.fd != state->wakeFD)
			read_from(*state, state->ready[i].data.fd);
	}
	state->readyCount = 0;
}


// Under stLock: the epoll set, the quit signals and the thread that serves them.
status_t
start_io_thread()
{
	auto state = new ListenState;
	state->epollFD = epoll_create1(EPOLL_CLOEXEC);
	state->ioEpollFD = epoll_create1(EPOLL_CLOEXEC);
	if (state->epollFD < 0 || state->ioEpollFD < 0) {
		close(state->epollFD);
		close(state->ioEpollFD);
		delete state;
		return B_NO_MORE_FDS;
	}
	epoll_event event = {};
	event.events = EPOLLIN;
	event.data.fd = state->epollFD;
	epoll_ctl(state->ioEpollFD, EPOLL_CTL_ADD, state->epollFD, &event);
	if (stQuitHook.load() != nullptr) {
		state->signalFD = quit_signals_install();
		event.data.fd = state->signalFD;
		if (state->signalFD >= 0)
			epoll_ctl(state->ioEpollFD, EPOLL_CTL_ADD, state->signalFD, &event);
	}

	thread_id thread = spawn_thread(io_loop, "link hub", B_URGENT_DISPLAY_PRIORITY, state);
	if (thread < 0) {
		close(state->epollFD);
		close(state->ioEpollFD);
		delete state;
		return thread;
	}
	stListen = state;
	state->wakeFD = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
	event.data.fd = state->wakeFD;
	if (state->wakeFD >= 0 && epoll_ctl(state->epollFD, EPOLL_CTL_ADD, state->wakeFD,
			&event) != 0) {
		close(state->wakeFD);
		state->wakeFD = -1;
	}
	Port::SetIdleWork(state->wakeFD, watch_connections, wait_for_connections,
		serve_ready_connections);
	resume_thread(thread);
	return B_OK;
}

} // namespace


status_t
Listen(const std::string& path)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (stListen != nullptr && stListen.load()->listenFD >= 0)
		return B_BUSY;

	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	if (path.size() >= sizeof(address.sun_path))
		return B_NAME_TOO_LONG;
	memcpy(address.sun_path, path.c_str(), path.size() + 1);

	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
	if (fd < 0)
		return B_NO_MORE_FDS;
	// The caller owns the name (its own team's, or the registrar's under its lock).
	unlink(path.c_str());
	if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0
		|| chmod(path.c_str(), 0600) != 0 || listen(fd, 64) != 0) {
		close(fd);
		return B_PERMISSION_DENIED;
	}

	if (stListen == nullptr) {
		status_t status = start_io_thread();
		if (status != B_OK) {
			close(fd);
			unlink(path.c_str());
			return status;
		}
	}
	stListen.load()->path = path;
	stListen.load()->listenFD = fd;
	epoll_event event = {};
	event.events = EPOLLIN;
	event.data.fd = fd;
	epoll_ctl(stListen.load()->ioEpollFD, EPOLL_CTL_ADD, fd, &event);
	return B_OK;
}


void
StopListening()
{
	std::lock_guard<std::mutex> lock(stLock);
	if (stListen == nullptr || stListen.load()->listenFD < 0)
		return;
	int fd = stListen.load()->listenFD.exchange(-1);
	epoll_ctl(stListen.load()->ioEpollFD, EPOLL_CTL_DEL, fd, nullptr);
	close(fd);
	unlink(stListen.load()->path.c_str());
}


void
SetConnectionClosedHook(void (*hook)(uint64 connection))
{
	stClosedHook = hook;
}


void
SetQuitSignalHook(void (*hook)())
{
	stQuitHook = hook;
}


status_t
Send(team_id team, const MessageHead& head, const BMessage& message, bigtime_t timeout)
{
	for (int attempt = 0; attempt < 2; attempt++) {
		std::shared_ptr<LinkConnection> connection;
		{
			std::lock_guard<std::mutex> lock(stLock);
			auto it = stShared.find(team);
			if (it != stShared.end() && !it->second->IsHungUp())
				connection = it->second;
			else {
				stShared.erase(team);
				status_t status = connect_to_team(team, connection);
				if (status != B_OK)
					return status;
				stShared[team] = connection;
			}
		}
		status_t status = connection->SendMessage(head, message, timeout);
		// A connection that broke since its last use gets one fresh try.
		if (status != B_BAD_PORT_ID)
			return status;
	}
	return B_BAD_PORT_ID;
}


status_t
SendAndWait(team_id team, const MessageHead& head, const BMessage& message, BMessage* reply,
	bigtime_t sendTimeout, bigtime_t replyTimeout)
{
	// A connection whose peer has gone fails its next request and is closed by it; the
	// one after that connects anew.
	std::shared_ptr<LinkConnection>& connection = tlRequests[team];
	if (connection == nullptr || connection->IsClosed()) {
		connection.reset();
		status_t status = connect_to_team(team, connection);
		if (status != B_OK) {
			tlRequests.erase(team);
			return status;
		}
	}
	return connection->Request(head, message, reply, sendTimeout, replyTimeout);
}


bool
IsReachable(team_id team)
{
	std::lock_guard<std::mutex> lock(stLock);
	auto it = stShared.find(team);
	if (it != stShared.end() && !it->second->IsHungUp())
		return true;
	stShared.erase(team);
	std::shared_ptr<LinkConnection> connection;
	if (connect_to_team(team, connection) != B_OK)
		return false;
	stShared[team] = connection;
	return true;
}

} // namespace LinkHub

} // namespace BPrivate
