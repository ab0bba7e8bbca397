#include "app/LinkConnection.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

#include "app/MessageDelivery.h"

namespace BPrivate {

namespace {

std::atomic<uint64> stNextID{1};

// One request in this many waits the other way than the faster one, to keep its figure
// current.
const uint64 kReplyWaitProbe = 64;


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
// with one call and no copy.
struct OutgoingFrame {
	std::vector<uint8>	heads;
	uint8				messageHeader[kMessageHeaderSize];
	iovec				parts[3];
};


// B_BAD_VALUE when the message is too large for a frame.
status_t
build_frame(FrameKind kind, const uint8* head, size_t headSize, const BMessage* message,
	OutgoingFrame& frame)
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

	frame.heads.reserve(kFrameHeaderSize + headSize);
	append_frame_header(frame.heads, kind, headSize + messageSize);
	frame.heads.insert(frame.heads.end(), head, head + headSize);
	frame.parts[0] = { frame.heads.data(), frame.heads.size() };
	frame.parts[1] = { frame.messageHeader, message != NULL ? kMessageHeaderSize : 0 };
	frame.parts[2] = { const_cast<void*>(body), bodySize };
	return B_OK;
}


status_t
build_message_frame(const MessageHead& head, const BMessage& message, OutgoingFrame& frame)
{
	std::vector<uint8> flatHead;
	flatHead.reserve(kMessageHeadSize);
	append_message_head(flatHead, head);
	return build_frame(kMessageFrame, flatHead.data(), flatHead.size(), &message, frame);
}

} // namespace


status_t
LinkConnection::Connect(const std::string& path, std::shared_ptr<LinkConnection>& connection)
{
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	if (path.size() >= sizeof(address.sun_path))
		return B_NAME_TOO_LONG;
	memcpy(address.sun_path, path.c_str(), path.size() + 1);

	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return B_NO_MORE_FDS;
	if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
		close(fd);
		return B_BAD_PORT_ID;
	}
	// Left blocking: its owner may wait for a reply in recv() itself. Everything else
	// passes MSG_DONTWAIT.

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
	return B_OK;
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
	std::vector<uint8> head;
	head.reserve(kReplyHeadSize);
	append_reply_head(head, { serial, status });
	OutgoingFrame frame;
	if (build_frame(kReplyFrame, head.data(), head.size(),
			status == B_OK ? reply : NULL, frame) != B_OK) {
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
	std::lock_guard<std::mutex> lock(fRequestLock);
	head.serial = ++fNextSerial;
	head.flags |= kFrameWantsReply;

	OutgoingFrame frame;
	status_t status = build_message_frame(head, message, frame);
	if (status != B_OK)
		return status;
	status = _Write(frame.parts, 3, sendTimeout);
	if (status != B_OK)
		return status;

	bigtime_t sent = system_time();
	bigtime_t deadline = deadline_for(replyTimeout);
	bool pollingWins = fPolledReply <= kReplyPollTime
		&& (fSleptReply == 0 || fPolledReply < fSleptReply);
	bool polling = pollingWins != (head.serial % kReplyWaitProbe == 0);
	bigtime_t pollUntil = polling ? std::min(sent + kReplyPollTime, deadline) : 0;
	Frame answer;
	for (;;) {
		status = fDecoder.Next(answer);
		if (status == B_WOULD_BLOCK && system_time() < pollUntil) {
			status = _ReadSome(false);
			if (status != B_OK && status != B_WOULD_BLOCK)
				return status;
			continue;
		}
		if (status == B_WOULD_BLOCK && deadline == B_INFINITE_TIMEOUT) {
			// Nothing to watch but this connection: wait in the read itself.
			status = _ReadSome(true);
			if (status == B_OK)
				continue;
			if (status != B_WOULD_BLOCK)
				return status;
		}
		if (status == B_WOULD_BLOCK) {
			pollfd entry = { fFD, POLLIN, 0 };
			int ready = poll(&entry, 1, poll_timeout(deadline));
			if (ready < 0 && errno == EINTR)
				continue;
			if (ready == 0)
				return B_TIMED_OUT;
			status = _ReadSome(false);
			if (status != B_OK)
				return status;
			continue;
		}
		ReplyHead replyHead;
		if (status != B_OK || answer.kind != kReplyFrame
			|| parse_reply_head(answer.body.data(), answer.body.size(), replyHead) != B_OK) {
			Close();
			return B_BAD_PORT_ID;
		}
		// Replies to requests that timed out earlier arrive late; skip them.
		if (replyHead.serial != head.serial)
			continue;
		average_in(polling ? fPolledReply : fSleptReply, system_time() - sent);
		if (replyHead.status != B_OK)
			return replyHead.status;

		const char* flat = reinterpret_cast<const char*>(answer.body.data()) + kReplyHeadSize;
		if (reply->Unflatten(flat, answer.body.size() - kReplyHeadSize) != B_OK) {
			Close();
			return B_BAD_PORT_ID;
		}
		BMessage::Private(reply).ReleaseDelivery();
		BPrivate::DeliveryInfo& info = BMessage::Private(reply).Delivery();
		info.isReply = true;
		info.sourceRemote = true;
		info.sourceTeam = fPeer;
		return B_OK;
	}
}


status_t
LinkConnection::ReadFrames(std::vector<Frame>& frames)
{
	status_t status = _ReadSome(false);
	for (;;) {
		Frame frame;
		status_t next = fDecoder.Next(frame);
		if (next == B_WOULD_BLOCK)
			break;
		if (next != B_OK)
			return B_BAD_DATA;
		frames.push_back(std::move(frame));
	}
	return status == B_WOULD_BLOCK ? B_OK : status;
}


status_t
LinkConnection::_ReadSome(bool wait)
{
	uint8 buffer[65536];
	int flags = wait ? 0 : MSG_DONTWAIT;
	for (;;) {
		ssize_t bytes = recv(fFD, buffer, sizeof(buffer), flags);
		if (bytes > 0) {
			fDecoder.Feed(buffer, bytes);
			if ((size_t)bytes < sizeof(buffer))
				return B_OK;
			flags = MSG_DONTWAIT;
			continue;
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
	std::lock_guard<std::mutex> lock(fWriteLock);
	if (fClosed)
		return B_BAD_PORT_ID;

	bigtime_t deadline = deadline_for(timeout);
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
			continue;
		}
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
			pollfd entry = { fFD, POLLOUT, 0 };
			int ready = poll(&entry, 1, poll_timeout(deadline));
			if (ready > 0 || (ready < 0 && errno == EINTR))
				continue;
			// Half a frame would corrupt the stream: give the connection up.
			if (started)
				Close();
			return timeout == 0 ? B_WOULD_BLOCK : B_TIMED_OUT;
		}
		Close();
		return B_BAD_PORT_ID;
	}
}

} // namespace BPrivate
