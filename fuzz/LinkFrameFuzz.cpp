// Bytes from a peer as the I/O thread takes them: cut into frames (in chunks whose sizes
// the input chooses), their heads parsed and their messages unflattened.
#include <Message.h>

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "app/LinkFrame.h"

using namespace BPrivate;

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	// The first byte sets how the stream is split, as recv() might split it, and whether
	// the pieces are received in the decoder's room, where it has some, or fed from aside.
	size_t chunk = data[0] % 64 + 1;
	bool inPlace = (data[0] & 0x80) != 0;
	data++;
	size--;

	FrameDecoder decoder;
	for (size_t offset = 0; offset < size; offset += chunk) {
		size_t piece = size - offset < chunk ? size - offset : chunk;
		size_t room;
		uint8* place = decoder.Room(room);
		if (inPlace && room >= piece) {
			memcpy(place, data + offset, piece);
			decoder.Received(piece);
		} else
			decoder.Feed(data + offset, piece);
		Frame frame;
		status_t status;
		while ((status = decoder.Next(frame)) == B_OK) {
			const uint8* body = frame.body;
			size_t bodySize = frame.size;
			BMessage message;
			if (frame.kind == kMessageFrame) {
				MessageHead head;
				if (parse_message_head(body, bodySize, head) == B_OK) {
					message.Unflatten(reinterpret_cast<const char*>(body) + kMessageHeadSize,
						bodySize - kMessageHeadSize);
				}
			} else {
				ReplyHead head;
				if (parse_reply_head(body, bodySize, head) == B_OK) {
					message.Unflatten(reinterpret_cast<const char*>(body) + kReplyHeadSize,
						bodySize - kReplyHeadSize);
				}
			}
		}
		if (status == B_BAD_DATA)
			break;
		// Between feeds the decoder keeps one partial frame and nothing else.
		if (decoder.Buffered() >= kFrameHeaderSize + kMaxFrameBody)
			abort();
	}
	return 0;
}
