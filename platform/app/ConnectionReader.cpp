#include "app/LinkHubState.h"

#include <errno.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace BPrivate {

namespace LinkHub {

namespace {

// Whether an event is more than write space, which is watched only while output waits
// but may come just after that output went out.
bool
wants_service(const epoll_event* events, int count, int wakeFD)
{
	for (int i = 0; i < count; i++) {
		if ((events[i].events & kReadEvents) != 0 || events[i].data.fd == wakeFD)
			return true;
	}
	return LinkConnection::AnyPendingOutput();
}

} // namespace


std::shared_ptr<ConnectionReader>
ConnectionReader::Make(ListenState& state)
{
	std::shared_ptr<ConnectionReader> reader(new ConnectionReader(state));
	if (reader->fEpollFD < 0 || reader->fWakeFD < 0 || reader->fBusyTimerFD < 0)
		return nullptr;
	epoll_event event = {};
	event.events = EPOLLIN;
	event.data.fd = reader->fWakeFD;
	if (epoll_ctl(reader->fEpollFD, EPOLL_CTL_ADD, reader->fWakeFD, &event) != 0)
		return nullptr;
	{
		// Each reader is listed under its set and its timer.
		std::lock_guard<std::mutex> lock(state.readersLock);
		if (state.readers.size() / 2 >= kMaxConnectionReaders)
			return nullptr;
		state.readers[reader->fEpollFD] = reader;
		state.readers[reader->fBusyTimerFD] = reader;
	}
	event.data.fd = reader->fBusyTimerFD;
	epoll_ctl(state.ioEpollFD, EPOLL_CTL_ADD, reader->fBusyTimerFD, &event);
	std::lock_guard<std::mutex> lock(reader->fIdleLock);
	reader->_SetIOWatching(true);
	return reader;
}


ConnectionReader::ConnectionReader(ListenState& state)
	:
	fState(state),
	fEpollFD(epoll_create1(EPOLL_CLOEXEC)),
	fWakeFD(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
	fBusyTimerFD(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK))
{
}


ConnectionReader::~ConnectionReader()
{
	for (int fd : { fEpollFD, fWakeFD, fBusyTimerFD }) {
		if (fd >= 0)
			close(fd);
	}
}


// The looper waits (idle) and watches its connections itself, or is busy from now on and
// leaves them to the I/O thread after the grace time.
void
ConnectionReader::Watch(bool idle)
{
	std::lock_guard<std::mutex> lock(fIdleLock);
	fIdle = idle;
	if (idle)
		_SetIOWatching(false);
	else {
		fBusySince = system_time();
		if (!fTimerRunning)
			_StartBusyTimer(kReaderGrace);
	}
}


void
ConnectionReader::Wait(int milliseconds)
{
	bigtime_t deadline = milliseconds < 0 ? B_INFINITE_TIMEOUT
		: system_time() + (bigtime_t)milliseconds * 1000;
	for (;;) {
		int count = epoll_wait(fEpollFD, fReady, 16, milliseconds);
		fReadyCount = count > 0 ? count : 0;
		if (count == 0 || wants_service(fReady, fReadyCount, fWakeFD))
			return;
		if (count < 0 && errno != EINTR)
			return;
		if (deadline != B_INFINITE_TIMEOUT) {
			bigtime_t left = deadline - system_time();
			if (left <= 0)
				return;
			milliseconds = (int)((left + 999) / 1000);
		}
	}
}


void
ConnectionReader::Work()
{
	for (int i = 0; i < fReadyCount; i++) {
		if ((fReady[i].events & kReadEvents) != 0 && fReady[i].data.fd != fWakeFD)
			fExpectedFD = fReady[i].data.fd;
	}
	serve(fState, fReady, fReadyCount, fWakeFD);
	fReadyCount = 0;
}


// The idle looper reads the connection it last took a message from before it waits: a
// sender with requests in flight has often sent the next one already. After a look that
// found nothing, only one wait in kExpectProbe looks first, until a look finds something
// again: a sender of one request at a time is not worth the read.
bool
ConnectionReader::Expect()
{
	if (fExpectedFD < 0 || (fExpectMissed && ++fExpectSkipped % kExpectProbe != 0))
		return false;
	fExpectMissed = read_from(fState, fExpectedFD) == 0;
	return !fExpectMissed;
}


void
ConnectionReader::Detach()
{
	std::shared_ptr<ConnectionReader> self;
	{
		std::lock_guard<std::mutex> lock(fState.readersLock);
		auto it = fState.readers.find(fEpollFD);
		if (it == fState.readers.end() || it->second.get() != this)
			return;
		self = it->second;
		fState.readers.erase(fEpollFD);
		fState.readers.erase(fBusyTimerFD);
	}
	fDetached = true;
	{
		std::lock_guard<std::mutex> lock(fIdleLock);
		_SetIOWatching(false);
		epoll_ctl(fState.ioEpollFD, EPOLL_CTL_DEL, fBusyTimerFD, nullptr);
	}
	std::lock_guard<std::mutex> lock(fState.acceptedLock);
	for (const auto& entry : fState.accepted) {
		if (entry.second->home == self)
			move_home(fState, *entry.second, nullptr);
	}
}


void
ConnectionReader::ServeIOEvent(int fd)
{
	if (fd == fEpollFD) {
		epoll_event ready[16];
		serve(fState, ready, epoll_wait(fEpollFD, ready, 16, 0), fWakeFD);
		return;
	}
	// The timer went off: if the looper has stayed busy past the grace time, the I/O
	// thread reads for it; if it is busy since less long, the timer runs on.
	drain_timer(fBusyTimerFD);
	std::lock_guard<std::mutex> lock(fIdleLock);
	fTimerRunning = false;
	if (fIdle)
		return;
	bigtime_t busyFor = system_time() - fBusySince;
	if (busyFor >= kReaderGrace)
		_SetIOWatching(true);
	else
		_StartBusyTimer(kReaderGrace - busyFor);
}


void
ConnectionReader::_SetIOWatching(bool watching)
{
	if (fDetached)
		watching = false;
	if (fIOWatching == watching)
		return;
	epoll_event event = {};
	event.events = EPOLLIN;
	event.data.fd = fEpollFD;
	epoll_ctl(fState.ioEpollFD, watching ? EPOLL_CTL_ADD : EPOLL_CTL_DEL, fEpollFD, &event);
	fIOWatching = watching;
}


void
ConnectionReader::_StartBusyTimer(bigtime_t microseconds)
{
	fTimerRunning = !fDetached && start_timer(fBusyTimerFD, microseconds);
}

} // namespace LinkHub

} // namespace BPrivate
