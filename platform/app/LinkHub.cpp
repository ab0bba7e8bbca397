#include "app/LinkHub.h"
#include "app/LinkHubState.h"

#include <errno.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <unordered_map>

#include "app/LinkConnection.h"
#include "app/MessageDelivery.h"
#include "app/Port.h"
#include "app/QuitSignals.h"
#include "app/RuntimeDirectory.h"
#include "support/ThreadControl.h"

namespace BPrivate {

namespace LinkHub {

namespace {

// The most connections a process accepts at once; beyond it, new ones are closed at once.
const size_t kMaxAcceptedConnections = 512;
// How long accepting pauses when the process is out of descriptors (or memory), instead
// of trying again at once: the listening socket would stay ready and the I/O thread spin.
const bigtime_t kAcceptRetryDelay = 100000;
// What the partial frames of all accepted connections together may hold. A connection
// that holds more than kLargePartialFrame of a partial frame while the total is over
// this is cut off.
const size_t kMaxPartialInput = 64 * 1024 * 1024;
const size_t kLargePartialFrame = 1024 * 1024;
// The length of the listen queue: connections not accepted yet.
const int kListenBacklog = 64;
// How long the main looper has to begin answering the quit request of a quit signal
// before the signal ends the process.
const bigtime_t kQuitSignalGrace = 5000000;

// The tables outlive static destruction: other threads may still use them while
// the process exits.
std::mutex stLock;
// Never freed: the I/O thread runs until the process ends.
std::atomic<ListenState*> stListen{nullptr};
// Connections this process opened, one per team.
struct SharedConnections {
	std::mutex		lock;
	std::unordered_map<team_id, std::shared_ptr<LinkConnection>> connections;
};
// For asynchronous sends.
SharedConnections& stShared = *new SharedConnections;
std::atomic<void (*)(uint64)> stClosedHook{nullptr};
std::atomic<void (*)()> stQuitHook{nullptr};
// Whether the main looper has begun to answer the last quit signal's request.
std::atomic<bool> stQuitTaken{true};
// The bytes of partial frames that the accepted connections hold together.
std::atomic<size_t> stPartialInput{0};


// The connections for synchronous sends, one per team, shared by the threads that send:
// their requests are in flight together and each reply goes to the request it answers.
SharedConnections& stRequests = *new SharedConnections;


status_t
connect_to_team(team_id team, std::shared_ptr<LinkConnection>& connection, bigtime_t timeout)
{
	std::string path;
	status_t status = app_socket_path(team, path);
	if (status != B_OK)
		return status;
	status = LinkConnection::Connect(path, connection, timeout);
	// A socket file left behind by another process of that number is not the team.
	if (status == B_OK && connection->PeerTeam() != team) {
		connection.reset();
		return B_BAD_PORT_ID;
	}
	return status;
}


// The connection to team kept in shared, made and kept there when there is none or the
// one kept is finished. Connecting may wait, for a peer that is slow to accept: not under
// the lock, which other senders need.
status_t
shared_connection(SharedConnections& shared, team_id team,
	bool (*finished)(LinkConnection& connection), bigtime_t timeout,
	std::shared_ptr<LinkConnection>& connection)
{
	{
		std::lock_guard<std::mutex> lock(shared.lock);
		auto it = shared.connections.find(team);
		if (it != shared.connections.end() && !finished(*it->second)) {
			connection = it->second;
			return B_OK;
		}
	}
	status_t status = connect_to_team(team, connection, timeout);
	if (status != B_OK)
		return status;
	std::lock_guard<std::mutex> lock(shared.lock);
	std::shared_ptr<LinkConnection>& kept = shared.connections[team];
	if (kept != nullptr && !finished(*kept))
		connection = kept;
	else
		kept = connection;
	return B_OK;
}


// What is left of timeout after since (B_INFINITE_TIMEOUT stays).
bigtime_t
time_left(bigtime_t timeout, bigtime_t since)
{
	if (timeout == B_INFINITE_TIMEOUT)
		return timeout;
	return std::max<bigtime_t>(timeout - (system_time() - since), 0);
}


// The accepted connection's messages went to the port of another looper that reads for
// itself: that looper watches the connection from now on.
void
follow_reader(Accepted& accepted, const Port& port)
{
	ListenState* state = stListen.load();
	std::shared_ptr<ConnectionReader> reader
		= std::static_pointer_cast<ConnectionReader>(port.Reader());
	if (state == nullptr || reader == nullptr)
		return;
	std::lock_guard<std::mutex> lock(state->acceptedLock);
	auto it = state->accepted.find(accepted.connection->FD());
	if (it == state->accepted.end() || it->second.get() != &accepted
		|| reader->IsDetached() || accepted.home == reader)
		return;
	move_home(*state, accepted, reader);
}


// Queues a message frame on the port it names; an error drops the connection (a sender
// that overfills a port is cut off).
status_t
deliver(Accepted& accepted, const Frame& frame)
{
	const std::shared_ptr<LinkConnection>& connection = accepted.connection;
	MessageHead head;
	if (frame.kind != kMessageFrame
		|| parse_message_head(frame.body, frame.size, head) != B_OK)
		return B_BAD_DATA;

	BMessage* message = new BMessage;
	const char* flat = reinterpret_cast<const char*>(frame.body) + kMessageHeadSize;
	if (message->Unflatten(flat, frame.size - kMessageHeadSize) != B_OK) {
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
	status_t status = port != nullptr ? port->WriteRemote(message, frame.size, accepted.queued)
		: B_BAD_PORT_ID;
	if (status == B_OK) {
		IdleReader* reader = port->ReaderHint();
		if (reader != nullptr && reader != accepted.homeHint.load(std::memory_order_relaxed))
			follow_reader(accepted, *port);
		return B_OK;
	}
	bool waits = info.connection != nullptr;
	info.connection = nullptr;
	delete message;
	if (status == B_WOULD_BLOCK)
		return status;
	if (waits)
		connection->SendReply(head.serial, B_BAD_PORT_ID, NULL, 0);
	return B_OK;
}


std::shared_ptr<Accepted>
accepted_connection(ListenState& state, int fd)
{
	std::lock_guard<std::mutex> lock(state.acceptedLock);
	auto it = state.accepted.find(fd);
	return it != state.accepted.end() ? it->second : nullptr;
}


// Closes an accepted connection and forgets it; once only, whoever gets there first.
void
drop(ListenState& state, const std::shared_ptr<LinkConnection>& connection)
{
	{
		std::lock_guard<std::mutex> lock(state.acceptedLock);
		auto it = state.accepted.find(connection->FD());
		if (it == state.accepted.end() || it->second->connection != connection)
			return;
		epoll_ctl(home_set(state, *it->second), EPOLL_CTL_DEL, connection->FD(), nullptr);
		state.accepted.erase(it);
	}
	connection->Close();
	if (auto hook = stClosedHook.load())
		hook(connection->ID());
}


// Out of descriptors or memory: the listening socket stays ready, so stop watching it
// for kAcceptRetryDelay instead of failing to accept in a loop.
void
pause_accepting(ListenState& state, int listenFD)
{
	epoll_ctl(state.ioEpollFD, EPOLL_CTL_DEL, listenFD, nullptr);
	start_timer(state.acceptTimerFD, kAcceptRetryDelay);
}


void
resume_accepting(ListenState& state)
{
	drain_timer(state.acceptTimerFD);
	std::lock_guard<std::mutex> lock(stLock);
	int listenFD = state.listenFD;
	if (listenFD < 0)
		return;
	epoll_event event = {};
	event.events = EPOLLIN;
	event.data.fd = listenFD;
	epoll_ctl(state.ioEpollFD, EPOLL_CTL_ADD, listenFD, &event);
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
			if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
				pause_accepting(state, listenFD);
			return;
		}
		{
			std::lock_guard<std::mutex> lock(state.acceptedLock);
			if (state.accepted.size() >= kMaxAcceptedConnections) {
				// Refused: the peer sees its connection closed at once.
				close(fd);
				continue;
			}
		}
		auto accepted = std::make_shared<Accepted>();
		if (LinkConnection::Adopt(fd, accepted->connection) != B_OK)
			continue;
		std::lock_guard<std::mutex> lock(state.acceptedLock);
		state.accepted[fd] = accepted;
		epoll_event event = {};
		event.events = kConnectionEvents;
		event.data.fd = fd;
		if (epoll_ctl(state.epollFD, EPOLL_CTL_ADD, fd, &event) != 0)
			state.accepted.erase(fd);
	}
}


// Keeps the accepted connection's share of stPartialInput; false when the partial
// frames together are over their limit and this connection holds a large one.
bool
count_partial_input(Accepted& accepted)
{
	size_t partial = accepted.connection->BufferedInput();
	if (partial == accepted.partialInput)
		return true;
	size_t total = stPartialInput += partial - accepted.partialInput;
	accepted.partialInput = partial;
	return partial <= kLargePartialFrame || total <= kMaxPartialInput;
}


// Reads what has arrived and queues its messages, a read at a time; false when the
// connection is to be dropped.
bool
read_frames(Accepted& accepted, int& delivered)
{
	LinkConnection& connection = *accepted.connection;
	for (;;) {
		bool more;
		status_t status = connection.ReadInput(more);
		// What arrived before the peer hung up is delivered all the same.
		Frame frame;
		status_t next;
		while ((next = connection.NextFrame(frame)) == B_OK) {
			if (deliver(accepted, frame) != B_OK)
				return false;
			delivered++;
		}
		if (next != B_WOULD_BLOCK || status != B_OK || !count_partial_input(accepted))
			return false;
		if (!more)
			return true;
	}
}


// The peer took some of our output: send it what waits.
void
flush_to(ListenState& state, int fd)
{
	std::shared_ptr<Accepted> accepted = accepted_connection(state, fd);
	if (accepted != nullptr && accepted->connection->FlushPending() != B_OK)
		drop(state, accepted->connection);
}


// Under the connection's write lock, when its output starts or stops waiting for the
// peer: write space is watched meanwhile, and a peer that takes nothing is cut off. A
// change of an edge-triggered registration reports readiness that is already there, so
// room made before the change is not missed.
void
output_waits(LinkConnection* connection, bool waits)
{
	ListenState* state = stListen.load();
	if (state == nullptr)
		return;
	{
		std::lock_guard<std::mutex> lock(state->acceptedLock);
		auto it = state->accepted.find(connection->FD());
		if (it != state->accepted.end() && it->second->connection.get() == connection) {
			it->second->outputWaits = waits;
			epoll_event event = {};
			event.events = waits ? kConnectionEvents | EPOLLOUT : kConnectionEvents;
			event.data.fd = connection->FD();
			epoll_ctl(home_set(*state, *it->second), EPOLL_CTL_MOD, connection->FD(), &event);
		}
	}
	if (waits && !state->stallCheckArmed.exchange(true))
		start_timer(state->stallTimerFD, kStalledPeerTimeout);
}


// Cuts off the accepted connections whose peers have taken nothing of their pending
// output for kStalledPeerTimeout, and looks again when the next one could be.
void
cut_off_stalled_peers(ListenState& state)
{
	drain_timer(state.stallTimerFD);
	state.stallCheckArmed = false;
	std::vector<std::shared_ptr<LinkConnection>> connections;
	{
		std::lock_guard<std::mutex> lock(state.acceptedLock);
		for (const auto& entry : state.accepted)
			connections.push_back(entry.second->connection);
	}
	bigtime_t now = system_time();
	bigtime_t next = B_INFINITE_TIMEOUT;
	for (const std::shared_ptr<LinkConnection>& connection : connections) {
		bigtime_t since = connection->StalledSince();
		if (since == 0)
			continue;
		if (now - since >= kStalledPeerTimeout)
			drop(state, connection);
		else
			next = std::min(next, since + kStalledPeerTimeout - now);
	}
	if (next != B_INFINITE_TIMEOUT && !state.stallCheckArmed.exchange(true))
		start_timer(state.stallTimerFD, next);
}


void
post_quit_request(ListenState& state)
{
	int signalNumber = quit_signals_drain(state.signalFD);
	auto hook = stQuitHook.load();
	if (signalNumber == 0 || hook == nullptr)
		return;
	state.quitSignal = signalNumber;
	stQuitTaken = false;
	hook();
	start_timer(state.quitTimerFD, kQuitSignalGrace);
}


void
check_quit_taken(ListenState& state)
{
	drain_timer(state.quitTimerFD);
	if (!stQuitTaken)
		quit_signals_end_process(state.quitSignal);
}


// The reader whose set or timer fd is, or NULL.
std::shared_ptr<ConnectionReader>
reader_for(ListenState& state, int fd)
{
	std::lock_guard<std::mutex> lock(state.readersLock);
	auto it = state.readers.find(fd);
	return it != state.readers.end() ? it->second : nullptr;
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
				epoll_event ready[16];
				serve(state, ready, epoll_wait(state.epollFD, ready, 16, 0), -1);
			} else if (fd == state.stallTimerFD)
				cut_off_stalled_peers(state);
			else if (fd == state.acceptTimerFD)
				resume_accepting(state);
			else if (fd == state.signalFD)
				post_quit_request(state);
			else if (fd == state.quitTimerFD)
				check_quit_taken(state);
			else if (std::shared_ptr<ConnectionReader> reader = reader_for(state, fd))
				reader->ServeIOEvent(fd);
			else
				accept_all(state);
		}
	}
}


// For each port whose looper reads for itself.
std::shared_ptr<IdleReader>
make_reader()
{
	ListenState* state = stListen.load();
	return state != nullptr ? ConnectionReader::Make(*state) : nullptr;
}


void
close_io_state(ListenState* state)
{
	for (int fd : { state->epollFD, state->ioEpollFD, state->stallTimerFD,
			state->acceptTimerFD, state->quitTimerFD }) {
		if (fd >= 0)
			close(fd);
	}
	delete state;
}


// Under stLock: the epoll set, the quit signals and the thread that serves them.
status_t
start_io_thread()
{
	auto state = new ListenState;
	state->epollFD = epoll_create1(EPOLL_CLOEXEC);
	state->ioEpollFD = epoll_create1(EPOLL_CLOEXEC);
	state->stallTimerFD = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
	state->acceptTimerFD = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
	state->quitTimerFD = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
	if (state->epollFD < 0 || state->ioEpollFD < 0 || state->stallTimerFD < 0
		|| state->acceptTimerFD < 0 || state->quitTimerFD < 0) {
		close_io_state(state);
		return B_NO_MORE_FDS;
	}
	epoll_event event = {};
	event.events = EPOLLIN;
	for (int fd : { state->epollFD, state->stallTimerFD, state->acceptTimerFD,
			state->quitTimerFD }) {
		event.data.fd = fd;
		epoll_ctl(state->ioEpollFD, EPOLL_CTL_ADD, fd, &event);
	}
	if (stQuitHook.load() != nullptr) {
		state->signalFD = quit_signals_install();
		event.data.fd = state->signalFD;
		if (state->signalFD >= 0)
			epoll_ctl(state->ioEpollFD, EPOLL_CTL_ADD, state->signalFD, &event);
	}

	thread_id thread = spawn_thread(io_loop, "link hub", B_URGENT_DISPLAY_PRIORITY, state);
	if (thread < 0) {
		close_io_state(state);
		return thread;
	}
	stListen = state;
	LinkConnection::SetStalledHook(output_waits);
	Port::SetIdleReaders(make_reader);
	resume_thread(thread);
	return B_OK;
}

} // namespace


Accepted::~Accepted()
{
	stPartialInput -= partialInput;
}


int
home_set(const ListenState& state, const Accepted& accepted)
{
	return accepted.home != nullptr ? accepted.home->EpollFD() : state.epollFD;
}


void
move_home(ListenState& state, Accepted& accepted,
	const std::shared_ptr<ConnectionReader>& reader)
{
	int fd = accepted.connection->FD();
	epoll_ctl(home_set(state, accepted), EPOLL_CTL_DEL, fd, nullptr);
	epoll_event event = {};
	event.events = accepted.outputWaits ? kConnectionEvents | EPOLLOUT : kConnectionEvents;
	event.data.fd = fd;
	if (reader != nullptr && epoll_ctl(reader->EpollFD(), EPOLL_CTL_ADD, fd, &event) == 0) {
		accepted.home = reader;
		accepted.homeHint = reader.get();
		return;
	}
	// Back to the I/O thread, or no room in the reader's set: the I/O thread watches it.
	accepted.home = nullptr;
	accepted.homeHint = nullptr;
	epoll_ctl(state.epollFD, EPOLL_CTL_ADD, fd, &event);
}


bool
start_timer(int timerFD, bigtime_t microseconds)
{
	itimerspec timer = {};
	timer.it_value.tv_sec = microseconds / 1000000;
	timer.it_value.tv_nsec = microseconds % 1000000 * 1000;
	return timerfd_settime(timerFD, 0, &timer, nullptr) == 0;
}


void
drain_timer(int timerFD)
{
	uint64 expirations;
	ssize_t ignored = read(timerFD, &expirations, sizeof(expirations));
	(void)ignored;
}


int
read_from(ListenState& state, int fd)
{
	std::shared_ptr<Accepted> accepted = accepted_connection(state, fd);
	if (accepted == nullptr || accepted->pending.fetch_add(1) != 0)
		return 0;
	int delivered = 0;
	for (;;) {
		int seen = accepted->pending.load();
		if (!read_frames(*accepted, delivered)) {
			// Left counted, so that nobody reads it again.
			drop(state, accepted->connection);
			return delivered;
		}
		if (accepted->pending.fetch_sub(seen) == seen)
			return delivered;
	}
}


void
serve(ListenState& state, const epoll_event* events, int count, int wakeFD)
{
	for (int i = 0; i < count; i++) {
		if (events[i].data.fd == wakeFD)
			continue;
		if ((events[i].events & kReadEvents) != 0)
			read_from(state, events[i].data.fd);
		if ((events[i].events & EPOLLOUT) != 0 && LinkConnection::AnyPendingOutput())
			flush_to(state, events[i].data.fd);
	}
}


status_t
Listen(const std::string& path)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (stListen != nullptr && stListen.load()->listenFD >= 0)
		return stListen.load()->path == path ? B_OK : B_BUSY;

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
		|| chmod(path.c_str(), 0600) != 0 || listen(fd, kListenBacklog) != 0) {
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


status_t
ListenForReplies()
{
	ListenState* state = stListen.load();
	if (state != nullptr && state->listenFD >= 0)
		return B_OK;
	std::string path;
	status_t status = app_socket_path(current_team(), path);
	if (status == B_OK)
		status = Listen(path);
	// An application removes its socket when it ends; without one, the exit does.
	static std::once_flag stRemoval;
	if (status == B_OK)
		std::call_once(stRemoval, [] { atexit([] { StopListening(); }); });
	return status;
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


void
QuitRequestTaken()
{
	stQuitTaken = true;
}


status_t
Send(team_id team, const MessageHead& head, const BMessage& message, bigtime_t timeout)
{
	bigtime_t start = system_time();
	for (int attempt = 0; attempt < 2; attempt++) {
		// A kept connection whose peer has hung up fails the send (the socket refuses
		// it before a byte goes out) and is then closed: asking the system first would
		// cost every send a call.
		std::shared_ptr<LinkConnection> connection;
		status_t status = shared_connection(stShared, team,
			[](LinkConnection& kept) { return kept.IsClosed(); }, time_left(timeout, start),
			connection);
		if (status != B_OK)
			return status;
		status = connection->SendMessage(head, message, time_left(timeout, start));
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
	// A connection whose peer has gone fails the requests that wait on it and is closed;
	// the next request connects anew.
	std::shared_ptr<LinkConnection> connection;
	bigtime_t start = system_time();
	status_t status = shared_connection(stRequests, team,
		[](LinkConnection& kept) { return kept.IsClosed(); }, sendTimeout, connection);
	if (status != B_OK)
		return status;
	sendTimeout = time_left(sendTimeout, start);
	return connection->Request(head, message, reply, sendTimeout, replyTimeout);
}


bool
IsReachable(team_id team)
{
	{
		std::lock_guard<std::mutex> lock(stShared.lock);
		auto it = stShared.connections.find(team);
		if (it != stShared.connections.end() && !it->second->IsHungUp())
			return true;
		stShared.connections.erase(team);
	}
	// Without waiting: a socket whose queue is full has a live (if busy) process behind.
	std::shared_ptr<LinkConnection> connection;
	status_t status = connect_to_team(team, connection, 0);
	if (status == B_WOULD_BLOCK)
		return true;
	if (status != B_OK)
		return false;
	std::lock_guard<std::mutex> lock(stShared.lock);
	stShared.connections.emplace(team, connection);
	return true;
}

} // namespace LinkHub

} // namespace BPrivate
