#include "app/RegistrarSession.h"

#include <Roster.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "app/LinkConnection.h"
#include "app/Port.h"
#include "app/RegistrarDefs.h"
#include "app/RosterPrivate.h"
#include "app/RuntimeDirectory.h"
#include "app/TokenSpace.h"

namespace BPrivate {

namespace {

// Roster requests should never take long; a registrar that hangs must not hang us.
const bigtime_t kRequestTimeout = 10000000;

// Rejoining: the first try at once, then after delays that double up to the last.
const int32 kRejoinAttempts = 10;
const bigtime_t kFirstRejoinDelay = 50000;
const bigtime_t kLastRejoinDelay = 2000000;


status_t
send_request(LinkConnection& connection, BMessage& request, BMessage* reply)
{
	MessageHead head;
	head.port = kMainPort;
	head.token = B_PREFERRED_TOKEN;
	status_t status = connection.Request(head, request, reply, kRequestTimeout,
		kRequestTimeout);
	if (status != B_OK)
		return status;
	int32 error = B_OK;
	if (reply->FindInt32("error", &error) != B_OK)
		return B_BAD_REPLY;
	return error;
}

} // namespace


RegistrarSession&
RegistrarSession::Default()
{
	// Never destroyed: the watch thread may still use it while the process exits.
	static RegistrarSession& session = *new RegistrarSession;
	return session;
}


RegistrarSession::RegistrarSession()
	:
	fRegistration(0)
{
}


status_t
RegistrarSession::Request(BMessage& request, BMessage* reply)
{
	std::shared_ptr<LinkConnection> connection;
	status_t status = _Connection(connection);
	if (status != B_OK)
		return status;
	return send_request(*connection, request, reply);
}


status_t
RegistrarSession::Tell(const BMessage& message)
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fRegistration.what == 0)
			return B_NO_INIT;
	}
	std::shared_ptr<LinkConnection> connection;
	status_t status = _Connection(connection);
	if (status != B_OK)
		return status;
	MessageHead head;
	head.port = kMainPort;
	head.token = B_PREFERRED_TOKEN;
	return connection->SendMessage(head, message, 0);
}


status_t
RegistrarSession::Register(const BMessage& request, BMessage* reply)
{
	BMessage message(request);
	status_t status = Request(message, reply);
	if (status == B_NO_INIT) {
		status = BRoster::Private::LaunchRegistrar();
		if (status == B_OK)
			status = Request(message, reply);
	}
	if (status != B_OK)
		return status;

	std::string path;
	registrar_socket_path(path);
	std::lock_guard<std::mutex> lock(fLock);
	fRegistration = request;
	fSocketPath = path;
	fLost = false;
	fRecovering = false;
	fGeneration++;
	if (fThread < 0) {
		fWakeFD = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
		fThread = spawn_thread(_WatchThread, "registrar watch", B_NORMAL_PRIORITY, this);
		if (fThread >= 0)
			resume_thread(fThread);
	} else
		_Wake();
	return B_OK;
}


status_t
RegistrarSession::Unregister(team_id team)
{
	BMessage request(kUnregisterApp);
	request.AddInt32("team", team);
	BMessage reply;
	status_t status = Request(request, &reply);

	std::lock_guard<std::mutex> lock(fLock);
	fRegistration.MakeEmpty();
	fRegistration.what = 0;
	fWatchers.clear();
	fLost = false;
	fRecovering = false;
	fGeneration++;
	_Wake();
	return status;
}


void
RegistrarSession::AddWatcher(const BMessenger& target, uint32 events)
{
	std::lock_guard<std::mutex> lock(fLock);
	for (Watcher& watcher : fWatchers) {
		if (watcher.target == target) {
			watcher.events = events;
			return;
		}
	}
	fWatchers.push_back({ target, events });
}


void
RegistrarSession::RemoveWatcher(const BMessenger& target)
{
	std::lock_guard<std::mutex> lock(fLock);
	fWatchers.erase(std::remove_if(fWatchers.begin(), fWatchers.end(),
		[&](const Watcher& watcher) { return watcher.target == target; }),
		fWatchers.end());
}


status_t
RegistrarSession::_Connection(std::shared_ptr<LinkConnection>& connection)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fRegistration.what != 0) {
		// A registered application reaches only the registrar it registered with; the
		// watch thread alone connects it to another.
		if (!fLost && fConnection != nullptr && !fConnection->IsHungUp()) {
			connection = fConnection;
			return B_OK;
		}
		fLost = true;
		fConnection.reset();
		if (!fRecovering) {
			fRecovering = true;
			_Wake();
		}
		return B_NO_INIT;
	}

	if (fConnection == nullptr || fConnection->IsHungUp()) {
		std::string path;
		status_t status = registrar_socket_path(path);
		if (status == B_OK)
			status = LinkConnection::Connect(path, fConnection);
		if (status != B_OK) {
			fConnection.reset();
			return status == B_BAD_PORT_ID ? B_NO_INIT : status;
		}
		fRegistrarTeam = fConnection->PeerTeam();
	}
	connection = fConnection;
	return B_OK;
}


// Under fLock.
void
RegistrarSession::_Wake()
{
	uint64 one = 1;
	if (fWakeFD >= 0 && write(fWakeFD, &one, sizeof(one)) < 0) {
		// The counter is full: the thread has a wake-up pending anyway.
	}
}


// Waits until fd (when not -1) has one of events, the session is woken, or the timeout
// (-1: none) passes. Whether fd had an event.
bool
RegistrarSession::_Wait(int fd, bigtime_t timeout, short events)
{
	pollfd entries[2] = { { fWakeFD, POLLIN, 0 }, { fd, events, 0 } };
	int milliseconds = timeout < 0 ? -1 : (int)((timeout + 999) / 1000);
	if (poll(entries, fd >= 0 ? 2 : 1, milliseconds) <= 0)
		return false;
	uint64 count;
	if ((entries[0].revents & POLLIN) != 0 && read(fWakeFD, &count, sizeof(count)) < 0) {
		// Another wait took the wake-up; nothing is lost.
	}
	return fd >= 0 && entries[1].revents != 0;
}


status_t
RegistrarSession::_WatchThread(void* data)
{
	static_cast<RegistrarSession*>(data)->_Watch();
	return B_OK;
}


void
RegistrarSession::_Watch()
{
	for (;;) {
		std::shared_ptr<LinkConnection> connection;
		uint64 generation;
		bool recover;
		{
			std::lock_guard<std::mutex> lock(fLock);
			generation = fGeneration;
			bool registered = fRegistration.what != 0;
			recover = registered && fLost && fRecovering;
			if (registered && !fLost)
				connection = fConnection;
		}

		if (recover)
			_Recover(generation);
		else if (connection == nullptr)
			_Wait(-1, -1);
		else if (_Wait(connection->FD(), -1, POLLRDHUP)) {
			// The registrar is gone: its end of our connection closed.
			std::lock_guard<std::mutex> lock(fLock);
			if (fConnection == connection) {
				fLost = true;
				fRecovering = true;
				fConnection.reset();
			}
			connection->Close();
		}
	}
}


void
RegistrarSession::_Recover(uint64 generation)
{
	bigtime_t delay = kFirstRejoinDelay;
	for (int32 attempt = 0; attempt < kRejoinAttempts; attempt++) {
		if (attempt > 0) {
			_Wait(-1, delay);
			delay = std::min(delay * 2, kLastRejoinDelay);
		}
		{
			std::lock_guard<std::mutex> lock(fLock);
			if (generation != fGeneration || !fLost)
				return;
		}
		status_t status = _Rejoin(generation);
		if (status == B_OK)
			return;
		if (status == B_ENTRY_NOT_FOUND) {
			// Nobody to join, and nothing to start: a round of tries begins again, a
			// little after a registrar's socket appears.
			status = _WaitForSocket(generation);
			if (status == B_INTERRUPTED)
				return;
			if (status == B_OK) {
				attempt = 0;
				delay = kFirstRejoinDelay;
			}
		}
	}

	// Given up for now; the next roster request of this process tries again.
	std::lock_guard<std::mutex> lock(fLock);
	if (generation == fGeneration)
		fRecovering = false;
}


// Sleeps until a file named as the registrar's socket exists (B_OK), this registration
// ends (B_INTERRUPTED), or B_UNSUPPORTED when the directory cannot be watched. The
// directory's changes wake it; nothing polls.
status_t
RegistrarSession::_WaitForSocket(uint64 generation)
{
	std::string path;
	{
		std::lock_guard<std::mutex> lock(fLock);
		path = fSocketPath;
	}
	int notify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
	if (notify < 0)
		return B_UNSUPPORTED;
	std::string directory = path.substr(0, path.rfind('/'));
	if (inotify_add_watch(notify, directory.c_str(), IN_CREATE | IN_MOVED_TO) < 0) {
		close(notify);
		return B_UNSUPPORTED;
	}

	// Watched first, looked for next, so that a socket made in between is not missed.
	status_t status = B_OK;
	for (;;) {
		struct stat socketFile;
		if (lstat(path.c_str(), &socketFile) == 0)
			break;
		{
			std::lock_guard<std::mutex> lock(fLock);
			if (generation != fGeneration) {
				status = B_INTERRUPTED;
				break;
			}
		}
		_Wait(notify, -1, POLLIN);
		char events[4096];
		while (read(notify, events, sizeof(events)) > 0) {
		}
	}
	close(notify);
	return status;
}


status_t
RegistrarSession::_Rejoin(uint64 generation)
{
	BMessage registration;
	std::string path;
	std::vector<Watcher> watchers;
	{
		std::lock_guard<std::mutex> lock(fLock);
		registration = fRegistration;
		path = fSocketPath;
		watchers = fWatchers;
	}

	std::shared_ptr<LinkConnection> connection;
	status_t status = LinkConnection::Connect(path, connection);
	if (status != B_OK) {
		// A registrar that died leaves its socket behind, and is started again as at
		// start-up; one that was stopped on purpose took its socket away, and only a
		// registrar that someone else starts is joined.
		struct stat socketFile;
		if (lstat(path.c_str(), &socketFile) != 0)
			return B_ENTRY_NOT_FOUND;
		status = BRoster::Private::LaunchRegistrar();
		if (status == B_OK)
			status = LinkConnection::Connect(path, connection);
		if (status != B_OK)
			return status;
	}

	// Its notices, the catch-up among them, may come before the rejoin is done.
	fRegistrarTeam = connection->PeerTeam();
	registration.AddBool("rejoin", true);
	BMessage reply;
	status = send_request(*connection, registration, &reply);
	for (size_t i = 0; status == B_OK && i < watchers.size(); i++) {
		BMessage request(kStartWatching);
		request.AddMessenger("target", watchers[i].target);
		request.AddUInt32("events", watchers[i].events);
		request.AddBool("rejoin", true);
		// A watcher that the registrar refuses is left out; a registrar that goes away
		// again ends this try.
		if (send_request(*connection, request, &reply) != B_OK && connection->IsHungUp())
			status = B_BAD_PORT_ID;
	}
	if (status != B_OK) {
		connection->Close();
		return status;
	}

	std::vector<BMessenger> stopped;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (generation != fGeneration) {
			// Unregistered meanwhile: the registrar drops the record when this closes.
			connection->Close();
			return B_OK;
		}
		fConnection = connection;
		fLost = false;
		fRecovering = false;
		for (const Watcher& watcher : watchers) {
			if (std::none_of(fWatchers.begin(), fWatchers.end(),
					[&](const Watcher& kept) { return kept.target == watcher.target; }))
				stopped.push_back(watcher.target);
		}
	}

	// Watching that was stopped while this rejoin asked for it again.
	for (const BMessenger& target : stopped) {
		BMessage request(kStopWatching);
		request.AddMessenger("target", target);
		send_request(*connection, request, &reply);
	}
	return B_OK;
}

} // namespace BPrivate
