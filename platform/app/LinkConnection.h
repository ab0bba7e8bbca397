// One connection of the kit's socket protocol, to a process of the same user. Writes
// come from any thread (one frame at a time); reads are done either by the I/O thread
// (ReadFrames, on accepted connections) or by the one thread that owns the connection
// for its synchronous requests (Request).
#ifndef _LINK_CONNECTION_H
#define _LINK_CONNECTION_H

#include <Message.h>

#include "app/LinkFrame.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

struct iovec;

namespace BPrivate {

// How long a synchronous request polls for its reply before it sleeps. A scripting reply
// typically takes some microseconds, less than falling asleep and being woken costs once
// the processor has gone idle in between (tens of microseconds on virtual machines). A
// connection's requests poll only while that has brought their replies sooner than
// sleeping does, and within this time; on a machine whose processors are all busy,
// sleeping costs little and polling only takes a processor from the peer.
const bigtime_t kReplyPollTime = 50;

class LinkConnection {
public:
	// Connects to the socket at path. B_PERMISSION_DENIED when its owner is another user;
	// B_BAD_PORT_ID when nobody listens there.
	static status_t		Connect(const std::string& path,
							std::shared_ptr<LinkConnection>& connection);
	// Takes an accepted socket; B_PERMISSION_DENIED (and the socket closed) for a peer
	// of another user.
	static status_t		Adopt(int fd, std::shared_ptr<LinkConnection>& connection);

						~LinkConnection();

	int					FD() const { return fFD; }
	uint64				ID() const { return fID; }
	team_id				PeerTeam() const { return fPeer; }
	bool				IsClosed() const { return fClosed; }
	// Also notices a peer that hung up on a connection nobody reads; closes it then.
	bool				IsHungUp();
	// Hangs up; the descriptor itself is released with the object.
	void				Close();

	// B_BAD_VALUE for a message larger than the protocol allows, B_TIMED_OUT (or
	// B_WOULD_BLOCK for 0) when the peer does not take it in time, B_BAD_PORT_ID when the
	// connection is gone.
	status_t			SendMessage(const MessageHead& head, const BMessage& message,
							bigtime_t timeout);
	// reply is ignored unless status is B_OK.
	status_t			SendReply(uint64 serial, status_t status, const BMessage* reply,
							bigtime_t timeout);
	// Sends head (given a fresh serial) and message, then reads this connection until
	// the reply comes, the time runs out or the peer goes away.
	status_t			Request(MessageHead head, const BMessage& message,
							BMessage* reply, bigtime_t sendTimeout,
							bigtime_t replyTimeout);

	// Reads what has arrived and appends the complete frames. An error means the
	// connection is finished (closed by the peer, or bytes that are not the protocol).
	status_t			ReadFrames(std::vector<Frame>& frames);

private:
						LinkConnection(int fd, team_id peer);

	// Writes the parts as one frame; changes the array as it goes.
	status_t			_Write(iovec* parts, int count, bigtime_t timeout);
	// With wait, blocks until something arrives (on a blocking socket).
	status_t			_ReadSome(bool wait);

	int					fFD;
	team_id				fPeer;
	uint64				fID;
	std::atomic<bool>	fClosed{false};
	std::mutex			fWriteLock;
	// Serializes requests, and with them the reading of their replies.
	std::mutex			fRequestLock;
	FrameDecoder		fDecoder;
	uint64				fNextSerial = 0;
	// How long replies took, on average, to requests that polled for them and to those
	// that slept (0: none yet).
	bigtime_t			fPolledReply = 0;
	bigtime_t			fSleptReply = 0;
};

} // namespace BPrivate

#endif // _LINK_CONNECTION_H
