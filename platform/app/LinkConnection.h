// One connection of the kit's socket protocol, to a process of the same user. Writes
// come from any thread (one frame at a time); reads are done either by the I/O thread
// (ReadInput, on accepted connections) or, on a connection this process opened, by the
// threads waiting in Request: one of them reads at a time and hands the others the
// replies that come for them.
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
// sleeping costs little and polling only takes a processor from the peer. No request
// polls while more threads of the process wait for replies than there are processors.
const bigtime_t kReplyPollTime = 50;
// How much longer than the time left a synchronous request may wait for its reply in
// one read: the receive timeout that the connection's previous request set for itself is
// kept while it ends no more than this after (or before) the time left. The system
// rounds it up to its clock's tick besides (1 to 4 ms).
const bigtime_t kReceiveTimeoutSlack = 1000;
// The longest a process waits for a peer to accept its connection: a peer whose listen
// queue stays full (hung, or flooded) is given up after this (B_TIMED_OUT).
const bigtime_t kConnectTimeout = 2000000;
// The longest a peer may leave a frame of ours untaken: an accepted connection whose
// peer takes nothing of its pending output for this long, and a connection we opened
// whose peer takes nothing for this long from a sender that would wait longer, is cut
// off (closed).
const bigtime_t kStalledPeerTimeout = 2000000;
// What an accepted connection may hold of output its peer has not taken yet: twice the
// largest frame. A peer that lets more pile up is cut off.
const size_t kMaxPendingOutput = 2 * (kFrameHeaderSize + kMaxFrameBody);

class LinkConnection {
public:
	// Connects to the socket at path, waiting at most timeout (and never longer than
	// kConnectTimeout) while the listener's queue is full. B_PERMISSION_DENIED when its
	// owner is another user; B_BAD_PORT_ID when nobody listens there; B_TIMED_OUT when
	// the peer does not accept in time (B_WOULD_BLOCK for a zero timeout).
	static status_t		Connect(const std::string& path,
							std::shared_ptr<LinkConnection>& connection,
							bigtime_t timeout = kConnectTimeout);
	// Takes an accepted socket; B_PERMISSION_DENIED (and the socket closed) for a peer
	// of another user. Writes to it never wait: what the peer does not take at once
	// waits in the connection's pending output, which FlushPending sends on.
	static status_t		Adopt(int fd, std::shared_ptr<LinkConnection>& connection);
	// Called under the connection's write lock when an accepted connection's output
	// starts to wait for its peer (waits true) and when none waits any more: the hub
	// watches for write space only meanwhile, and checks StalledSince within
	// kStalledPeerTimeout.
	static void			SetStalledHook(void (*hook)(LinkConnection* connection,
							bool waits));
	// Whether any connection holds pending output: cheap, for the wake-up path.
	static bool			AnyPendingOutput();

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
	// connection is gone or has just been cut off.
	status_t			SendMessage(const MessageHead& head, const BMessage& message,
							bigtime_t timeout);
	// reply is ignored unless status is B_OK.
	status_t			SendReply(uint64 serial, status_t status, const BMessage* reply,
							bigtime_t timeout);
	// Sends head (given a fresh serial) and message, then waits until the reply comes,
	// the time runs out or the peer goes away. Several threads may wait at once, each
	// for its own reply and as long as its own time limit; one of them reads the
	// connection at a time. A peer that hangs up or sends what is not a reply to a
	// request fails every request waiting.
	status_t			Request(MessageHead head, const BMessage& message,
							BMessage* reply, bigtime_t sendTimeout,
							bigtime_t replyTimeout);

	// Reads once (at most the decoder's room and one buffer's worth); more tells whether
	// more may be waiting. An error means the connection is finished (closed by the
	// peer); the frames that arrived before are still to be taken with NextFrame.
	status_t			ReadInput(bool& more);
	// B_OK with the next complete frame, in place: valid until the next call or read.
	// B_WOULD_BLOCK when none is left; B_BAD_DATA for bytes that are not the protocol,
	// which finish the connection.
	status_t			NextFrame(Frame& frame) { return fDecoder.Next(frame); }
	// The bytes of a partial frame held.
	size_t				BufferedInput() const { return fDecoder.Buffered(); }

	// Sends on what waits of the pending output; an error when the connection is gone.
	status_t			FlushPending();
	// Since when the pending output has waited without the peer taking any of it (0: no
	// output waits).
	bigtime_t			StalledSince();

private:
	struct ReplyWait;

						LinkConnection(int fd, team_id peer);

	// Reads, as the connection's reader, until wait's reply has come (B_OK), its time
	// has run out (B_TIMED_OUT) or the connection is finished (an error, every
	// waiting request failed).
	status_t			_ReadReplies(ReplyWait& wait, bigtime_t sent, bigtime_t deadline);
	// Hands a reply frame to the request it answers; a frame that is not a reply
	// finishes the connection (B_BAD_PORT_ID). Under fRequestLock.
	status_t			_Answer(const Frame& frame);
	// Under fRequestLock: ends every waiting request with status.
	void				_FailAll(status_t status);
	// Under fRequestLock: the request is done, with status; its thread is woken.
	void				_Finish(ReplyWait& wait, status_t status);
	// Under fRequestLock: the request's thread is to be woken (done, or to read).
	void				_Rouse(ReplyWait& wait);
	// Lets fRequestLock go, then wakes the threads roused under it (not self's).
	void				_UnlockAndWake(std::unique_lock<std::mutex>& lock,
							const ReplyWait* self);
	// Under fRequestLock: the request no longer waits.
	void				_Forget(ReplyWait& wait);

	// Writes the parts as one frame; changes the array as it goes.
	status_t			_Write(iovec* parts, int count, bigtime_t timeout);
	// The same, under fWriteLock.
	status_t			_WriteLocked(iovec* parts, int count, bigtime_t timeout);
	// Under fRequestLock (let go meanwhile) and fWriteLock: writes the frames of the
	// requests in fOutbox, then lets fWriteLock go.
	void				_WriteQueued(std::unique_lock<std::mutex>& lock);
	// Under fRequestLock: the request's frame is out; its reply is waited for from now.
	void				_Sent(ReplyWait& wait);
	// Under fWriteLock, for accepted connections: sends what the peer takes at once and
	// keeps the rest in fPending.
	status_t			_WriteOrKeep(iovec* parts, int count);
	// Under fWriteLock.
	status_t			_Flush();
	void				_ReleasePending();
	// Reads once, waiting at most until deadline (B_TIMED_OUT then).
	status_t			_ReadUntil(bigtime_t deadline);
	// Sets the socket's receive timeout (0: none) unless the one set is close enough.
	status_t			_SetReceiveTimeout(bigtime_t timeout);
	// With wait, blocks until something arrives (on a blocking socket) or its receive
	// timeout ends (B_WOULD_BLOCK). One read; more tells whether it filled the buffer.
	status_t			_ReadSome(bool wait, bool* more = NULL);

	int					fFD;
	team_id				fPeer;
	uint64				fID;
	std::atomic<bool>	fClosed{false};
	// Whether output the peer does not take waits in fPending (accepted connections)
	// rather than in the writer.
	bool				fKeepsOutput = false;
	std::mutex			fWriteLock;
	// Under fWriteLock: output the peer has not taken yet, from fPendingStart on, and
	// since when it has made no progress.
	std::vector<uint8>	fPending;
	size_t				fPendingStart = 0;
	bigtime_t			fStalledSince = 0;
	// Guards the serials, the requests that wait and who reads their replies.
	std::mutex			fRequestLock;
	uint64				fNextSerial = 0;
	std::vector<ReplyWait*> fWaits;
	bool				fReading = false;
	// The requests whose frames the thread that holds fWriteLock is to write before
	// it lets the lock go, in the order they came.
	std::vector<ReplyWait*> fOutbox;
	// The sleeping words of the requests to wake once the lock is let go.
	std::vector<std::atomic<uint32>*> fWakes;
	// The reader's alone (fReading passes them from one reader to the next), or the
	// I/O thread's on accepted connections.
	FrameDecoder		fDecoder;
	// How long replies took, on average, to requests that polled for them and to those
	// that slept (0: none yet).
	bigtime_t			fPolledReply = 0;
	bigtime_t			fSleptReply = 0;
	// The socket's receive timeout as last set (0: none; -1: unknown).
	bigtime_t			fReceiveTimeout = 0;
};

} // namespace BPrivate

#endif // _LINK_CONNECTION_H
