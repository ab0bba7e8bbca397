// The framing of the socket protocol: frames cut from a stream however it arrives, and
// streams that are not the protocol refused for good.
#include <gtest/gtest.h>

#include "app/LinkFrame.h"

using namespace BPrivate;

namespace {

std::vector<uint8>
message_frame(const MessageHead& head, const std::string& payload)
{
	std::vector<uint8> frame;
	append_frame_header(frame, kMessageFrame, kMessageHeadSize + payload.size());
	append_message_head(frame, head);
	frame.insert(frame.end(), payload.begin(), payload.end());
	return frame;
}

} // namespace


TEST(LinkFrameTest, HeadsSurviveTheRoundTrip)
{
	MessageHead head;
	head.port = 7;
	head.token = -2;
	head.flags = kFrameWantsReply | kFrameReplyToMessenger;
	head.serial = 0x1122334455667788ULL;
	head.replyTeam = 1234;
	head.replyPort = 3;
	head.replyToken = 99;
	std::vector<uint8> frame = message_frame(head, "payload");
	ASSERT_EQ(frame.size(), kFrameHeaderSize + kMessageHeadSize + 7);
	EXPECT_EQ(memcmp(frame.data(), "BLNK", 4), 0);

	FrameDecoder decoder;
	decoder.Feed(frame.data(), frame.size());
	Frame decoded;
	ASSERT_EQ(decoder.Next(decoded), B_OK);
	EXPECT_EQ(decoded.kind, kMessageFrame);
	MessageHead parsed;
	ASSERT_EQ(parse_message_head(decoded.body, decoded.size, parsed), B_OK);
	EXPECT_EQ(parsed.port, 7);
	EXPECT_EQ(parsed.token, -2);
	EXPECT_EQ(parsed.flags, head.flags);
	EXPECT_EQ(parsed.serial, head.serial);
	EXPECT_EQ(parsed.replyTeam, 1234);
	EXPECT_EQ(parsed.replyPort, 3);
	EXPECT_EQ(parsed.replyToken, 99);
	EXPECT_EQ(std::string((const char*)decoded.body + kMessageHeadSize,
		decoded.size - kMessageHeadSize), "payload");
	EXPECT_EQ(decoder.Next(decoded), B_WOULD_BLOCK);

	std::vector<uint8> reply;
	append_reply_head(reply, { 42, B_BAD_PORT_ID });
	ReplyHead replyHead;
	ASSERT_EQ(parse_reply_head(reply.data(), reply.size(), replyHead), B_OK);
	EXPECT_EQ(replyHead.serial, 42u);
	EXPECT_EQ(replyHead.status, B_BAD_PORT_ID);
}


TEST(LinkFrameTest, FramesArriveByteByByteOrSeveralAtOnce)
{
	std::vector<uint8> stream;
	for (int i = 0; i < 3; i++) {
		MessageHead head;
		head.serial = i;
		std::vector<uint8> frame = message_frame(head, std::string(i * 10, 'x'));
		stream.insert(stream.end(), frame.begin(), frame.end());
	}

	FrameDecoder trickle;
	std::vector<Frame> frames;
	for (uint8 byte : stream) {
		trickle.Feed(&byte, 1);
		Frame frame;
		while (trickle.Next(frame) == B_OK)
			frames.push_back(frame);
	}
	ASSERT_EQ(frames.size(), 3u);
	EXPECT_EQ(frames[2].size, kMessageHeadSize + 20);

	FrameDecoder flood;
	flood.Feed(stream.data(), stream.size());
	Frame frame;
	int count = 0;
	while (flood.Next(frame) == B_OK)
		count++;
	EXPECT_EQ(count, 3);
}


TEST(LinkFrameTest, AStreamThatIsNotTheProtocolStaysRefused)
{
	MessageHead head;
	std::vector<uint8> good = message_frame(head, "ok");

	std::vector<std::vector<uint8>> bad(5, good);
	bad[0][0] = 'X';									// magic
	bad[1][4] = 2;										// version
	bad[2][6] = 9;										// kind
	bad[3][11] = 0x7f;									// size beyond the limit
	bad[4][12] = 1;										// reserved
	for (const std::vector<uint8>& stream : bad) {
		FrameDecoder decoder;
		decoder.Feed(stream.data(), stream.size());
		Frame frame;
		EXPECT_EQ(decoder.Next(frame), B_BAD_DATA);
		// Later good bytes do not revive it.
		decoder.Feed(good.data(), good.size());
		EXPECT_EQ(decoder.Next(frame), B_BAD_DATA);
	}

	MessageHead parsed;
	EXPECT_EQ(parse_message_head(good.data(), kMessageHeadSize - 1, parsed), B_BAD_DATA);
	std::vector<uint8> unknownFlags = good;
	unknownFlags[kFrameHeaderSize + 8] = 0x80;
	EXPECT_EQ(parse_message_head(unknownFlags.data() + kFrameHeaderSize, kMessageHeadSize,
		parsed), B_BAD_DATA);
	ReplyHead reply;
	EXPECT_EQ(parse_reply_head(good.data(), kReplyHeadSize - 1, reply), B_BAD_DATA);
}


// Before, the buffer was compacted only when less than a header was left in it, so that a
// stream whose pieces always ended mid-frame made it grow by everything sent.
TEST(LinkFrameTest, PiecesEndingMidFrameLeaveOnlyThePartialFrame)
{
	MessageHead head;
	std::vector<uint8> frame = message_frame(head, std::string(200, 'x'));
	std::vector<uint8> stream;
	for (int i = 0; i < 1000; i++)
		stream.insert(stream.end(), frame.begin(), frame.end());

	FrameDecoder decoder;
	size_t piece = 3 * frame.size() + 17;
	int frames = 0;
	for (size_t offset = 0; offset < stream.size(); offset += piece) {
		decoder.Feed(stream.data() + offset, std::min(piece, stream.size() - offset));
		Frame decoded;
		while (decoder.Next(decoded) == B_OK)
			frames++;
		EXPECT_LT(decoder.Buffered(), frame.size());
	}
	EXPECT_EQ(frames, 1000);
	EXPECT_EQ(decoder.Buffered(), 0u);
}


// Bytes received in place (Room, Received) and fed from aside make the same frames; the
// room is always kDecoderReadAhead, whatever the frames' sizes, never much more.
TEST(LinkFrameTest, BytesReceivedInPlaceMakeTheSameFrames)
{
	MessageHead head;
	std::vector<uint8> small = message_frame(head, std::string(50, 's'));
	std::vector<uint8> large = message_frame(head, std::string(3 * kDecoderReadAhead, 'l'));
	std::vector<uint8> stream = small;
	stream.insert(stream.end(), large.begin(), large.end());
	stream.insert(stream.end(), small.begin(), small.end());

	FrameDecoder decoder;
	size_t room;
	decoder.Room(room);
	EXPECT_EQ(room, kDecoderReadAhead);
	// A first piece from aside, ending inside the large frame's header.
	size_t offset = small.size() + 10;
	decoder.Feed(stream.data(), offset);
	std::vector<size_t> sizes;
	Frame frame;
	while (decoder.Next(frame) == B_OK)
		sizes.push_back(frame.size);
	int pieces = 0;
	while (offset < stream.size()) {
		uint8* place = decoder.Room(room);
		EXPECT_GE(room, kDecoderReadAhead);
		EXPECT_LE(room, decoder.Buffered() + 2 * kDecoderReadAhead);
		size_t piece = std::min(room, stream.size() - offset);
		if (pieces % 2 == 1) {
			// Every other piece a few bytes from aside, splitting headers.
			piece = std::min<size_t>(6, stream.size() - offset);
			decoder.Feed(stream.data() + offset, piece);
		} else {
			memcpy(place, stream.data() + offset, piece);
			decoder.Received(piece);
		}
		offset += piece;
		pieces++;
		while (decoder.Next(frame) == B_OK) {
			sizes.push_back(frame.size);
			EXPECT_EQ(frame.body[kMessageHeadSize], sizes.size() == 2 ? 'l' : 's');
		}
	}
	EXPECT_GE(pieces, 3);
	EXPECT_EQ(sizes, (std::vector<size_t>{ kMessageHeadSize + 50,
		kMessageHeadSize + 3 * kDecoderReadAhead, kMessageHeadSize + 50 }));
	EXPECT_EQ(decoder.Buffered(), 0u);
}
