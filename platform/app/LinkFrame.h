// The framing of the kit's socket protocol (docs/socket-protocol.md): every frame is a
// 16-byte header and a body of at most kMaxFrameBody bytes. This file knows bytes only;
// the messages inside the bodies are flattened BMessages.
#ifndef _LINK_FRAME_H
#define _LINK_FRAME_H

#include <SupportDefs.h>

#include <vector>

namespace BPrivate {

const uint32 kFrameMagic = 0x4b4e4c42;		// "BLNK" in the stream
const uint16 kFrameVersion = 1;
const size_t kFrameHeaderSize = 16;
// The largest body, and so the largest message, that the kit sends or accepts.
const size_t kMaxFrameBody = 8 * 1024 * 1024;

enum FrameKind : uint16 {
	kMessageFrame	= 1,
	kReplyFrame		= 2
};

// Flags of a message frame.
enum : uint32 {
	kFrameWantsReply		= 0x1,	// the sender waits; answer with a reply frame
	kFrameReplyToMessenger	= 0x2,	// replies go to replyTeam/replyPort/replyToken
	kFrameIsReply			= 0x4,	// an answer sent to a reply messenger
	kFrameKnownFlags		= 0x7
};

struct MessageHead {
	port_id		port = -1;
	int32		token = -1;
	uint32		flags = 0;
	uint64		serial = 0;
	team_id		replyTeam = -1;
	port_id		replyPort = -1;
	int32		replyToken = -1;
};
const size_t kMessageHeadSize = 36;

struct ReplyHead {
	uint64		serial = 0;
	status_t	status = B_OK;
};
const size_t kReplyHeadSize = 16;

struct Frame {
	FrameKind			kind = kMessageFrame;
	std::vector<uint8>	body;
};

// Appends a frame's header to buffer; the body follows it.
void append_frame_header(std::vector<uint8>& buffer, FrameKind kind, size_t bodySize);
void append_message_head(std::vector<uint8>& buffer, const MessageHead& head);
void append_reply_head(std::vector<uint8>& buffer, const ReplyHead& head);

// Read the heads at the start of a body; the flattened message follows at the head's
// size. B_BAD_DATA for a short body or unknown flags.
status_t parse_message_head(const uint8* body, size_t size, MessageHead& head);
status_t parse_reply_head(const uint8* body, size_t size, ReplyHead& head);


// A decoder that held a large frame gives its storage back once that frame is taken,
// beyond this much.
const size_t kDecoderKeptCapacity = 256 * 1024;

// Cuts a byte stream into frames. Trusts nothing: a wrong magic, version, kind or size
// leaves it failed, and the connection it reads must be dropped. It keeps at most one
// partial frame: once the complete frames before it are taken, the partial one moves to
// the front, so that what it holds never exceeds a frame and the bytes of one Feed.
class FrameDecoder {
public:
	// Adds bytes received from the peer.
	void				Feed(const void* data, size_t size);
	// B_OK with the next frame, B_WOULD_BLOCK until more bytes arrive, or B_BAD_DATA
	// (for good) when the stream is not the protocol.
	status_t			Next(Frame& frame);
	// The bytes it holds, taken frames included until the next Next compacts them.
	size_t				Buffered() const { return fBuffer.size(); }

private:
	// Moves the partial frame to the front; B_WOULD_BLOCK.
	status_t			_Incomplete();

	std::vector<uint8>	fBuffer;
	size_t				fStart = 0;
	bool				fFailed = false;
};

} // namespace BPrivate

#endif // _LINK_FRAME_H
