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

// A frame as the decoder cut it: its body stays in the decoder's buffer, and is valid
// until the decoder is next fed, read into or asked for a frame.
struct Frame {
	FrameKind			kind = kMessageFrame;
	const uint8*		body = NULL;
	size_t				size = 0;
};

// Appends a frame's header to buffer; the body follows it.
void append_frame_header(std::vector<uint8>& buffer, FrameKind kind, size_t bodySize);
void append_message_head(std::vector<uint8>& buffer, const MessageHead& head);
void append_reply_head(std::vector<uint8>& buffer, const ReplyHead& head);
// The same, written at out, which has room for kFrameHeaderSize, kMessageHeadSize or
// kReplyHeadSize bytes: a frame on its way out is put together without allocating.
void write_frame_header(uint8* out, FrameKind kind, size_t bodySize);
void write_message_head(uint8* out, const MessageHead& head);
void write_reply_head(uint8* out, const ReplyHead& head);

// Read the heads at the start of a body; the flattened message follows at the head's
// size. B_BAD_DATA for a short body or unknown flags.
status_t parse_message_head(const uint8* body, size_t size, MessageHead& head);
status_t parse_reply_head(const uint8* body, size_t size, ReplyHead& head);


// A decoder that held a large frame gives its storage back once that frame is taken,
// beyond this much.
const size_t kDecoderKeptCapacity = 256 * 1024;
// The room a decoder makes after the bytes it holds for the next read.
const size_t kDecoderReadAhead = 64 * 1024;

// Cuts a byte stream into frames. Trusts nothing: a wrong magic, version, kind or size
// leaves it failed, and the connection it reads must be dropped. It keeps at most one
// partial frame: once the complete frames before it are taken, the partial one moves to
// the front, so that what it holds never exceeds a frame and the bytes of one read.
// Bytes are received straight into its buffer where it has room (Room, Received), and
// frames are handed out in place, so that a frame is copied once, into its message.
class FrameDecoder {
public:
						FrameDecoder() = default;
						FrameDecoder(const FrameDecoder&) = delete;
						~FrameDecoder();
	FrameDecoder&		operator=(const FrameDecoder&) = delete;

	// Adds bytes received from the peer.
	void				Feed(const void* data, size_t size);
	// Where bytes may be received in place: size is set to the room after the bytes
	// held, at least kDecoderReadAhead (less when memory runs out, 0 once failed).
	// Received then adds the bytes written there.
	uint8*				Room(size_t& size);
	void				Received(size_t size);
	// B_OK with the next frame, B_WOULD_BLOCK until more bytes arrive, or B_BAD_DATA
	// (for good) when the stream is not the protocol.
	status_t			Next(Frame& frame);
	// The bytes it holds, taken frames included until the next Next compacts them.
	size_t				Buffered() const { return fSize; }

private:
	// Forgets the frames taken once none is left partial, releasing a large buffer.
	void				_Settle();
	bool				_Reserve(size_t size);
	// Moves the partial frame to the front; B_WOULD_BLOCK.
	status_t			_Incomplete();

	uint8*				fBuffer = NULL;
	size_t				fSize = 0;
	size_t				fCapacity = 0;
	size_t				fStart = 0;
	bool				fFailed = false;
};

} // namespace BPrivate

#endif // _LINK_FRAME_H
