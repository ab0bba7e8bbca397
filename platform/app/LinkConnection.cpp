#include "app/LinkConnection.h"

#include <errno.h>
#include <fcntl.h>
#include <linux/futex.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

#include "app/MessageDelivery.h"

namespace BPrivate {

namespace {

std::atomic<uint64> stNextID{1};
// How many connections hold pending output, and whom to tell when one starts to.
std::atomic<int> stPendingConnections{0};
std::atomic<void (*)(LinkConnection*, bool)> stStalledHook{nullptr};

// One request in this many waits the other way than the faster one, to keep its figure
// current.
const uint64 kReplyWaitProbe = 64;
// The threads of this process that wait for a reply, on any connection.
std::atomic<int32> stWaitingRequests{0};

// The longest a request whose frame another thread is to write sleeps before it looks
// at its time again, when its reply timeout is shorter: one with no time for its reply
// waits for its frame to go out all the same.
const bigtime_t kUnsentLook = 1000;

// What a waiting request's futex word holds.
const uint32 kAwake = 0;
const uint32 kRoused = 1;
const uint32 kAsleep = 2;


// Sleeps while word holds value, at most timeout microseconds (B_INFINITE_TIMEOUT: no
// limit); may return early, as futexes do.
void
futex_wait(std::atomic<uint32>& word, uint32 value, bigtime_t timeout)
{
	timespec limit = { (time_t)(timeout / 1000000), (long)(timeout % 1000000 * 1000) };
	syscall(SYS_futex, reinterpret_cast<uint32*>(&word), FUTEX_WAIT_PRIVATE, value,
		timeout == B_INFINITE_TIMEOUT ? nullptr : &limit, nullptr, 0);
}


// Wakes the thread sleeping on word. The word may have gone with its request by then:
// a wake-up of whatever waits at that address now is one its loop looks past.
void
futex_wake(std::atomic<uint32>* word)
{
	syscall(SYS_futex, reinterpret_cast<uint32*>(word), FUTEX_WAKE_PRIVATE, 1, nullptr,
		nullptr, 0);
}


int32
processor_count()
{
	static const int32 count = std::max<long>(sysconf(_SC_NPROCESSORS_ONLN), 1);
	return count;
}


// Folds a reply's latency into a running average (0: none yet).
void
average_in(bigtime_t& average, bigtime_t latency)
{
	average = average == 0 ? latency : (average * 7 + latency) / 8;
}


// The peer's team, or an error for a peer of another user.
status_t
peer_team(int fd, team_id& team)
{
	ucred credentials;
	socklen_t length = sizeof(credentials);
	if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
		return B_ERROR;
	if (credentials.uid != getuid())
		return B_PERMISSION_DENIED;
	team = credentials.pid;
	return B_OK;
}


// Milliseconds for poll() until deadline (-1: none).
int
poll_timeout(bigtime_t deadline)
{
	if (deadline == B_INFINITE_TIMEOUT)
		return -1;
	bigtime_t left = deadline - system_time();
	return left <= 0 ? 0 : (int)((left + 999) / 1000);
}


bigtime_t
deadline_for(bigtime_t timeout)
{
	if (timeout == B_INFINITE_TIMEOUT || timeout > B_INFINITE_TIMEOUT - system_time())
		return B_INFINITE_TIMEOUT;
	return system_time() + (timeout < 0 ? 0 : timeout);
}


// A frame on its way out: its header, its head and the flattened message's header in
// one block, then the message's body as it lies in the message, so that it goes out
// with one call, no copy and no allocation.
struct OutgoingFrame {
	uint8				heads[kFrameHeaderSize + std::max(kMessageHeadSize, kReplyHeadSize)];
	uint8				messageHeader[kMessageHeaderSize];
	iovec				parts[3];
};


// Completes a frame whose head (of headSize bytes) is written after its header's place;
// B_BAD_VALUE when the message is too large for a frame.
status_t
build_frame(FrameKind kind, size_t headSize, const BMessage* message, OutgoingFrame& frame)
{
	size_t bodySize = 0;
	const void* body = NULL;
	size_t messageSize = 0;
	if (message != NULL) {
		body = BMessage::Private(message).FlattenedBody(frame.messageHeader, &bodySize);
		messageSize = kMessageHeaderSize + bodySize;
	}
	if (headSize + messageSize > kMaxFrameBody)
		return B_BAD_VALUE;

	write_frame_header(frame.heads, kind, headSize + messageSize);
	frame.parts[0] = { frame.heads, kFrameHeaderSize + headSize };
	frame.parts[1] = { frame.messageHeader, message != NULL ? kMessageHeaderSize : 0 };
	frame.parts[2] = { const_cast<void*>(body), bodySize };
	return B_OK;
}


status_t
build_message_frame(const MessageHead& head, const BMessage& message, OutgoingFrame& frame)
{
	write_message_head(frame.heads + kFrameHeaderSize, head);
	return build_frame(kMessageFrame, kMessageHeadSize, &message, frame);
}

} // namespace


// A request that waits for its reply; it lives on its sender's stack.
struct LinkConnection::ReplyWait {
	uint64				serial = 0;
	BMessage*			reply = NULL;
	// Its frame, and how long its writing may wait for the peer, while another thread
	// is to write it (queued, in fOutbox) or writes it (writing).
	iovec*				parts = NULL;
	bigtime_t			sendTimeout = 0;
	bool				queued = false;
	bool				writing = false;
	// Whether its frame has gone out: until then its reply is kept in early. Its reply
	// is waited for until deadline, set when it went out.
	bool				sent = false;
	bigtime_t			replyTimeout = 0;
	bigtime_t			sentAt = 0;
	bigtime_t			deadline = B_INFINITE_TIMEOUT;
	std::unique_ptr<std::vector<uint8>> early;
	bool				done = false;
	status_t			status = B_OK;
	// Its thread sleeps on it: kAwake while it waits but has not yet fallen asleep,
	// kAsleep once it is about to, kRoused (set under fRequestLock) when it is done or is
	// to read. Only a thread that is asleep costs a wake-up.
	std::atomic<uint32>	woken{kAwake};
};


status_t
LinkConnection::Connect(const std::string& path, std::shared_ptr<LinkConnection>& connection,
	bigtime_t timeout)
{
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	if (path.size() >= sizeof(address.sun_path))
		return B_NAME_TOO_LONG;
	memcpy(address.sun_path, path.c_str(), path.size() + 1);

	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return B_NO_MORE_FDS;
	// The kernel waits for room in the listener's queue for at most the socket's send
	// timeout (none: not at all), and then fails with EAGAIN. The socket is left
	// blocking: its owner may wait for a reply in recv() itself. Everything else passes
	// MSG_DONTWAIT.
	bigtime_t deadline = deadline_for(std::min(timeout, kConnectTimeout));
	for (;;) {
		bigtime_t left = std::max<bigtime_t>(deadline - system_time(), 0);
		// A zero timeval means no limit; the shortest wait is a microsecond.
		timeval wait = { (time_t)(left / 1000000), (suseconds_t)(left % 1000000) };
		if (left == 0)
			wait.tv_usec = 1;
		setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof(wait));
		if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0)
			break;
		int error = errno;
		if (error == EINTR && system_time() < deadline)
			continue;
		close(fd);
		if (error == EAGAIN || error == EINTR)
			return timeout <= 0 ? B_WOULD_BLOCK : B_TIMED_OUT;
		return B_BAD_PORT_ID;
	}

	team_id team;
	status_t status = peer_team(fd, team);
	if (status != B_OK) {
		close(fd);
		return status;
	}
	connection.reset(new LinkConnection(fd, team));
	return B_OK;
}


status_t
LinkConnection::Adopt(int fd, std::shared_ptr<LinkConnection>& connection)
{
	team_id team;
	status_t status = peer_team(fd, team);
	if (status != B_OK) {
		close(fd);
		return status;
	}
	fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
	connection.reset(new LinkConnection(fd, team));
	connection->fKeepsOutput = true;
	return B_OK;
}


void
LinkConnection::SetStalledHook(void (*hook)(LinkConnection* connection, bool waits))
{
	stStalledHook = hook;
}


bool
LinkConnection::AnyPendingOutput()
{
	return stPendingConnections.load(std::memory_order_relaxed) > 0;
}


LinkConnection::LinkConnection(int fd, team_id peer)
	:
	fFD(fd),
	fPeer(peer),
	fID(stNextID++)
{
}


LinkConnection::~LinkConnection()
{
	_ReleasePending();
	close(fFD);
}


void
LinkConnection::Close()
{
	if (!fClosed.exchange(true))
		shutdown(fFD, SHUT_RDWR);
}


bool
LinkConnection::IsHungUp()
{
	if (fClosed)
		return true;
	pollfd entry = { fFD, POLLRDHUP, 0 };
	if (poll(&entry, 1, 0) == 0)
		return false;
	Close();
	return true;
}


status_t
LinkConnection::SendMessage(const MessageHead& head, const BMessage& message,
	bigtime_t timeout)
{
	OutgoingFrame frame;
	status_t status = build_message_frame(head, message, frame);
	if (status != B_OK)
		return status;
	return _Write(frame.parts, 3, timeout);
}


status_t
LinkConnection::SendReply(uint64 serial, status_t status, const BMessage* reply,
	bigtime_t timeout)
{
	OutgoingFrame frame;
	write_reply_head(frame.heads + kFrameHeaderSize, { serial, status });
	if (build_frame(kReplyFrame, kReplyHeadSize, status == B_OK ? reply : NULL, frame)
			!= B_OK) {
		// The sender must not wait for an answer that cannot be sent.
		return SendReply(serial, B_BAD_VALUE, NULL, timeout) == B_OK ? B_BAD_VALUE
			: B_BAD_PORT_ID;
	}
	return _Write(frame.parts, 3, timeout);
}


status_t
LinkConnection::Request(MessageHead head, const BMessage& message, BMessage* reply,
	bigtime_t sendTimeout, bigtime_t replyTimeout)
{
	ReplyWait wait;
	wait.reply = reply;
	wait.sendTimeout = sendTimeout;
	wait.replyTimeout = replyTimeout;
	{
		std::lock_guard<std::mutex> lock(fRequestLock);
		if (fClosed)
			return B_BAD_PORT_ID;
		head.serial = wait.serial = ++fNextSerial;
		// Waiting before the frame goes out: another thread may read the reply first.
		fWaits.push_back(&wait);
	}
	head.flags |= kFrameWantsReply;

	OutgoingFrame frame;
	status_t status = build_message_frame(head, message, frame);
	wait.parts = frame.parts;

	std::unique_lock<std::mutex> lock(fRequestLock);
	if (status == B_OK && !fWriteLock.try_lock()) {
		// Another thread writes: it writes this frame too before it lets the lock go,
		// and this thread sleeps once, until its reply comes, instead of first on the
		// lock.
		wait.queued = true;
		fOutbox.push_back(&wait);
	} else if (status == B_OK) {
		lock.unlock();
		status = _WriteLocked(frame.parts, 3, sendTimeout);
		lock.lock();
		if (status == B_OK)
			_Sent(wait);
		_WriteQueued(lock);
	}
	if (status != B_OK) {
		_Forget(wait);
		_UnlockAndWake(lock, &wait);
		return status;
	}
	stWaitingRequests++;
	for (;;) {
		if (wait.done && !wait.writing) {
			status = wait.status;
			break;
		}
		// Only a request whose frame is out reads: its reply ends the reading.
		if (!fReading && wait.sent && !wait.done) {
			fReading = true;
			_UnlockAndWake(lock, &wait);
			status = _ReadReplies(wait, wait.sentAt, wait.deadline);
			lock.lock();
			fReading = false;
			if (wait.done)
				status = wait.status;
			else
				_Forget(wait);
			// The next request waiting reads on (its reply may be in the decoder
			// already); one whose frame is still going out will when it is out.
			auto next = std::find_if(fWaits.begin(), fWaits.end(),
				[](const ReplyWait* other) { return other->sent; });
			if (next != fWaits.end())
				_Rouse(**next);
			break;
		}
		// A request that is done waits for the writing of its frame to end, which
		// rouses it. One whose frame is not out yet has at least its reply timeout
		// left: it is not roused when the frame goes out, and looks at its deadline
		// again when that time is over.
		bigtime_t left = B_INFINITE_TIMEOUT;
		if (!wait.done && !wait.sent)
			left = std::max<bigtime_t>(wait.replyTimeout, kUnsentLook);
		else if (!wait.done && wait.deadline != B_INFINITE_TIMEOUT) {
			left = wait.deadline - system_time();
			if (left <= 0) {
				_Forget(wait);
				status = B_TIMED_OUT;
				break;
			}
		}
		wait.woken.store(kAwake, std::memory_order_relaxed);
		_UnlockAndWake(lock, &wait);
		// Roused meanwhile, it does not sleep, and its rouser makes no system call.
		uint32 awake = kAwake;
		if (wait.woken.compare_exchange_strong(awake, kAsleep))
			futex_wait(wait.woken, kAsleep, left);
		lock.lock();
	}
	_UnlockAndWake(lock, &wait);
	stWaitingRequests--;
	return status;
}


status_t
LinkConnection::_ReadReplies(ReplyWait& wait, bigtime_t sent, bigtime_t deadline)
{
	bool pollingWins = fPolledReply <= kReplyPollTime
		&& (fSleptReply == 0 || fPolledReply < fSleptReply);
	bool polling = stWaitingRequests.load(std::memory_order_relaxed) <= processor_count()
		&& pollingWins != (wait.serial % kReplyWaitProbe == 0);
	bigtime_t pollUntil = polling ? std::min(sent + kReplyPollTime, deadline) : 0;
	Frame answer;
	for (;;) {
		status_t status = fDecoder.Next(answer);
		if (status == B_OK) {
			std::unique_lock<std::mutex> lock(fRequestLock);
			if (_Answer(answer) != B_OK) {
				_FailAll(B_BAD_PORT_ID);
				_UnlockAndWake(lock, &wait);
				return B_BAD_PORT_ID;
			}
			if (!wait.done) {
				_UnlockAndWake(lock, &wait);
				continue;
			}
			average_in(polling ? fPolledReply : fSleptReply, system_time() - sent);
			// Replies that came in the same read go to their requests now, without
			// waking them to read.
			while ((status = fDecoder.Next(answer)) == B_OK && _Answer(answer) == B_OK)
				;
			if (status != B_WOULD_BLOCK) {
				Close();
				_FailAll(B_BAD_PORT_ID);
			}
			_UnlockAndWake(lock, &wait);
			return B_OK;
		}
		if (status != B_WOULD_BLOCK) {
			std::unique_lock<std::mutex> lock(fRequestLock);
			Close();
			_FailAll(B_BAD_PORT_ID);
			_UnlockAndWake(lock, &wait);
			return B_BAD_PORT_ID;
		}
		if (system_time() < pollUntil)
			status = _ReadSome(false);
		else
			status = _ReadUntil(deadline);
		if (status == B_OK || status == B_WOULD_BLOCK)
			continue;
		if (status == B_TIMED_OUT)
			return status;
		std::unique_lock<std::mutex> lock(fRequestLock);
		_FailAll(status);
		_UnlockAndWake(lock, &wait);
		return status;
	}
}


status_t
LinkConnection::_Answer(const Frame& frame)
{
	ReplyHead replyHead;
	if (frame.kind != kReplyFrame
		|| parse_reply_head(frame.body, frame.size, replyHead) != B_OK) {
		Close();
		return B_BAD_PORT_ID;
	}
	auto it = std::find_if(fWaits.begin(), fWaits.end(),
		[&](const ReplyWait* wait) { return wait->serial == replyHead.serial; });
	// Replies to requests that timed out earlier arrive late; skip them.
	if (it == fWaits.end())
		return B_OK;
	ReplyWait& wait = **it;
	if (!wait.sent) {
		// Its sender may still be writing from the message that is to take the reply.
		if (wait.early != nullptr) {
			Close();
			return B_BAD_PORT_ID;
		}
		wait.early.reset(new std::vector<uint8>(frame.body, frame.body + frame.size));
		return B_OK;
	}

	status_t status = replyHead.status;
	if (status == B_OK) {
		const char* flat = reinterpret_cast<const char*>(frame.body) + kReplyHeadSize;
		if (wait.reply->Unflatten(flat, frame.size - kReplyHeadSize) != B_OK) {
			Close();
			return B_BAD_PORT_ID;
		}
		BMessage::Private(wait.reply).ReleaseDelivery();
		BPrivate::DeliveryInfo& info = BMessage::Private(wait.reply).Delivery();
		info.isReply = true;
		info.sourceRemote = true;
		info.sourceTeam = fPeer;
	}
	fWaits.erase(it);
	_Finish(wait, status);
	return B_OK;
}


void
LinkConnection::_FailAll(status_t status)
{
	for (ReplyWait* wait : fWaits)
		_Finish(*wait, status);
	fWaits.clear();
}


void
LinkConnection::_Finish(ReplyWait& wait, status_t status)
{
	wait.status = status;
	wait.done = true;
	if (wait.queued) {
		fOutbox.erase(std::find(fOutbox.begin(), fOutbox.end(), &wait));
		wait.queued = false;
	}
	_Rouse(wait);
}


void
LinkConnection::_Sent(ReplyWait& wait)
{
	wait.sent = true;
	wait.sentAt = system_time();
	wait.deadline = deadline_for(wait.replyTimeout);
	if (wait.early != nullptr) {
		// The reply came before the writing was over: it may be the message itself.
		std::unique_ptr<std::vector<uint8>> early = std::move(wait.early);
		Frame answer = { kReplyFrame, early->data(), early->size() };
		if (_Answer(answer) != B_OK)
			_FailAll(B_BAD_PORT_ID);
	}
	// Nobody reads: its own thread is to. (A reader hands it its reply.)
	if (!fReading && !wait.done)
		_Rouse(wait);
}


void
LinkConnection::_WriteQueued(std::unique_lock<std::mutex>& lock)
{
	while (!fOutbox.empty()) {
		ReplyWait& next = *fOutbox.front();
		fOutbox.erase(fOutbox.begin());
		next.queued = false;
		next.writing = true;
		lock.unlock();
		status_t status = _WriteLocked(next.parts, 3, next.sendTimeout);
		lock.lock();
		next.writing = false;
		if (next.done)
			_Rouse(next);
		else if (status == B_OK)
			_Sent(next);
		else {
			_Forget(next);
			_Finish(next, status);
		}
	}
	fWriteLock.unlock();
}


void
LinkConnection::_Rouse(ReplyWait& wait)
{
	if (wait.woken.exchange(kRoused) == kAsleep)
		fWakes.push_back(&wait.woken);
}


void
LinkConnection::_UnlockAndWake(std::unique_lock<std::mutex>& lock, const ReplyWait* self)
{
	// Woken after the lock is let go, so that they do not wake only to wait for it.
	thread_local std::vector<std::atomic<uint32>*> tlWakes;
	tlWakes.swap(fWakes);
	lock.unlock();
	for (std::atomic<uint32>* word : tlWakes) {
		if (self == NULL || word != &self->woken)
			futex_wake(word);
	}
	tlWakes.clear();
}


void
LinkConnection::_Forget(ReplyWait& wait)
{
	auto it = std::find(fWaits.begin(), fWaits.end(), &wait);
	if (it != fWaits.end())
		fWaits.erase(it);
}


status_t
LinkConnection::ReadInput(bool& more)
{
	more = false;
	status_t status = _ReadSome(false, &more);
	return status == B_WOULD_BLOCK ? B_OK : status;
}


status_t
LinkConnection::FlushPending()
{
	std::lock_guard<std::mutex> lock(fWriteLock);
	return _Flush();
}


bigtime_t
LinkConnection::StalledSince()
{
	std::lock_guard<std::mutex> lock(fWriteLock);
	return fPending.empty() ? 0 : fStalledSince;
}


status_t
LinkConnection::_ReadUntil(bigtime_t deadline)
{
	for (;;) {
		bigtime_t left = 0;
		if (deadline != B_INFINITE_TIMEOUT) {
			left = deadline - system_time();
			if (left <= 0) {
				status_t status = _ReadSome(false);
				return status == B_WOULD_BLOCK ? B_TIMED_OUT : status;
			}
		}
		if (_SetReceiveTimeout(left) != B_OK) {
			pollfd entry = { fFD, POLLIN, 0 };
			int ready = poll(&entry, 1, poll_timeout(deadline));
			if (ready == 0)
				return B_TIMED_OUT;
			if (ready < 0 && errno != EINTR)
				return B_BAD_PORT_ID;
			if (ready < 0)
				continue;
			status_t status = _ReadSome(false);
			if (status != B_WOULD_BLOCK)
				return status;
			continue;
		}
		// Nothing to watch but this connection: wait in the read itself, which the
		// socket's receive timeout ends; the loop then looks at the time left.
		status_t status = _ReadSome(true);
		if (status != B_WOULD_BLOCK)
			return status;
	}
}


status_t
LinkConnection::_SetReceiveTimeout(bigtime_t timeout)
{
	// Requests of one connection mostly wait as long as each other: the timeout set for
	// one serves the next while it ends within kReceiveTimeoutSlack of the time left.
	if (timeout == 0 ? fReceiveTimeout == 0
			: fReceiveTimeout > 0 && fReceiveTimeout <= timeout + kReceiveTimeoutSlack
				&& fReceiveTimeout + kReceiveTimeoutSlack >= timeout)
		return B_OK;
	timeval value = { (time_t)(timeout / 1000000), (suseconds_t)(timeout % 1000000) };
	if (setsockopt(fFD, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof(value)) != 0) {
		fReceiveTimeout = -1;
		return B_ERROR;
	}
	fReceiveTimeout = timeout;
	return B_OK;
}


status_t
LinkConnection::_ReadSome(bool wait, bool* more)
{
	// One read at a time, decoded before the next: a peer that writes as fast as it is
	// read makes the decoder hold no more than one partial frame and one read. The bytes
	// go straight into the decoder's room, so that a frame is copied once, into its
	// message. Without room (memory ran out, or the stream is broken) the connection
	// cannot go on.
	size_t size;
	uint8* room = fDecoder.Room(size);
	if (room == NULL || size == 0) {
		Close();
		return B_BAD_PORT_ID;
	}
	for (;;) {
		ssize_t bytes = recv(fFD, room, size, wait ? 0 : MSG_DONTWAIT);
		if (bytes > 0) {
			fDecoder.Received(bytes);
			if (more != NULL)
				*more = (size_t)bytes == size;
			return B_OK;
		}
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
			return B_WOULD_BLOCK;
		// The peer hung up or the connection broke.
		Close();
		return B_BAD_PORT_ID;
	}
}


status_t
LinkConnection::_Write(iovec* parts, int count, bigtime_t timeout)
{
	// Requests go only over connections this process opened (an accepted one is read
	// by the I/O thread, not by its senders): nothing is ever left to an accepted
	// connection's writer, whose replies need not look.
	if (fKeepsOutput) {
		std::lock_guard<std::mutex> lock(fWriteLock);
		return _WriteLocked(parts, count, timeout);
	}
	fWriteLock.lock();
	status_t status = _WriteLocked(parts, count, timeout);
	std::unique_lock<std::mutex> lock(fRequestLock);
	_WriteQueued(lock);
	_UnlockAndWake(lock, NULL);
	return status;
}


status_t
LinkConnection::_WriteLocked(iovec* parts, int count, bigtime_t timeout)
{
	if (fClosed)
		return B_BAD_PORT_ID;
	if (fKeepsOutput)
		return _WriteOrKeep(parts, count);

	// A peer that takes nothing for kStalledPeerTimeout is not waited for any longer.
	// The deadline is set when the peer first lets the write wait (-1: not yet).
	bool capped = timeout > kStalledPeerTimeout;
	bigtime_t deadline = -1;
	bool started = false;
	for (;;) {
		while (count > 0 && parts->iov_len == 0) {
			parts++;
			count--;
		}
		if (count == 0)
			return B_OK;

		msghdr message = {};
		message.msg_iov = parts;
		message.msg_iovlen = count;
		ssize_t bytes = sendmsg(fFD, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
		if (bytes > 0) {
			started = true;
			for (; count > 0 && (size_t)bytes >= parts->iov_len; parts++, count--)
				bytes -= parts->iov_len;
			if (count > 0) {
				parts->iov_base = static_cast<uint8*>(parts->iov_base) + bytes;
				parts->iov_len -= bytes;
			}
			if (capped)
				deadline = -1;
			continue;
		}
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
			if (deadline < 0)
				deadline = deadline_for(capped ? kStalledPeerTimeout : timeout);
			pollfd entry = { fFD, POLLOUT, 0 };
			int ready = poll(&entry, 1, poll_timeout(deadline));
			if (ready > 0 || (ready < 0 && errno == EINTR))
				continue;
			// Half a frame would corrupt the stream, and a peer that stalls past the
			// limit is cut off: give the connection up.
			if (started || capped)
				Close();
			return timeout == 0 ? B_WOULD_BLOCK : B_TIMED_OUT;
		}
		Close();
		return B_BAD_PORT_ID;
	}
}


status_t
LinkConnection::_WriteOrKeep(iovec* parts, int count)
{
	size_t size = 0;
	for (int i = 0; i < count; i++)
		size += parts[i].iov_len;

	bool starting = fPending.empty();
	if (starting) {
		// The usual case: the peer takes the whole frame at once.
		msghdr message = {};
		message.msg_iov = parts;
		message.msg_iovlen = count;
		ssize_t bytes;
		do
			bytes = sendmsg(fFD, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
		while (bytes < 0 && errno == EINTR);
		if (bytes < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
			Close();
			return B_BAD_PORT_ID;
		}
		size_t sent = bytes > 0 ? bytes : 0;
		if (sent == size)
			return B_OK;
		for (; count > 0 && sent >= parts->iov_len; parts++, count--) {
			sent -= parts->iov_len;
			size -= parts->iov_len;
		}
		parts->iov_base = static_cast<uint8*>(parts->iov_base) + sent;
		parts->iov_len -= sent;
		size -= sent;
	}

	if (fPending.size() - fPendingStart + size > kMaxPendingOutput) {
		// The peer lets its replies pile up: cut it off.
		Close();
		_ReleasePending();
		return B_BAD_PORT_ID;
	}
	for (int i = 0; i < count; i++) {
		const uint8* bytes = static_cast<const uint8*>(parts[i].iov_base);
		fPending.insert(fPending.end(), bytes, bytes + parts[i].iov_len);
	}
	if (starting) {
		fPendingStart = 0;
		fStalledSince = system_time();
		stPendingConnections++;
		if (auto hook = stStalledHook.load())
			hook(this, true);
	}
	// The peer may have made room before the count above told the threads that watch
	// for it to send what waits: try once more, so that no room goes unused.
	return _Flush();
}


status_t
LinkConnection::_Flush()
{
	if (fClosed) {
		_ReleasePending();
		return B_BAD_PORT_ID;
	}
	while (fPendingStart < fPending.size()) {
		ssize_t bytes = send(fFD, fPending.data() + fPendingStart,
			fPending.size() - fPendingStart, MSG_NOSIGNAL | MSG_DONTWAIT);
		if (bytes > 0) {
			fPendingStart += bytes;
			fStalledSince = system_time();
			continue;
		}
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
			// Keep the untaken part at the front once a good share has gone.
			if (fPendingStart > fPending.size() / 2) {
				fPending.erase(fPending.begin(), fPending.begin() + fPendingStart);
				fPendingStart = 0;
			}
			return B_OK;
		}
		Close();
		_ReleasePending();
		return B_BAD_PORT_ID;
	}
	_ReleasePending();
	return B_OK;
}


void
LinkConnection::_ReleasePending()
{
	if (fPending.empty())
		return;
	std::vector<uint8>().swap(fPending);
	fPendingStart = 0;
	fStalledSince = 0;
	stPendingConnections--;
	if (auto hook = stStalledHook.load())
		hook(this, false);
}

} // namespace BPrivate
