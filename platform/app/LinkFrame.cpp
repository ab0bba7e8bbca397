#include "app/LinkFrame.h"

#include <endian.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace BPrivate {

namespace {

// Writes value at out, little-endian, and moves out past it.
template<typename Type>
void
write_le(uint8*& out, Type value)
{
	static_assert(sizeof(Type) == 2 || sizeof(Type) == 4 || sizeof(Type) == 8);
	if constexpr (sizeof(Type) == 2)
		value = (Type)htole16((uint16)value);
	else if constexpr (sizeof(Type) == 4)
		value = (Type)htole32((uint32)value);
	else
		value = (Type)htole64((uint64)value);
	memcpy(out, &value, sizeof(Type));
	out += sizeof(Type);
}


// Makes room for size bytes at the end of buffer: where to write them.
uint8*
grow(std::vector<uint8>& buffer, size_t size)
{
	buffer.resize(buffer.size() + size);
	return buffer.data() + buffer.size() - size;
}


template<typename Type>
Type
read_le(const uint8* data)
{
	Type value;
	memcpy(&value, data, sizeof(Type));
	if constexpr (sizeof(Type) == 2)
		return (Type)le16toh((uint16)value);
	else if constexpr (sizeof(Type) == 4)
		return (Type)le32toh((uint32)value);
	else
		return (Type)le64toh((uint64)value);
}

} // namespace


void
write_frame_header(uint8* out, FrameKind kind, size_t bodySize)
{
	write_le<uint32>(out, kFrameMagic);
	write_le<uint16>(out, kFrameVersion);
	write_le<uint16>(out, kind);
	write_le<uint32>(out, (uint32)bodySize);
	write_le<uint32>(out, 0);
}


void
write_message_head(uint8* out, const MessageHead& head)
{
	write_le<int32>(out, head.port);
	write_le<int32>(out, head.token);
	write_le<uint32>(out, head.flags);
	write_le<uint64>(out, head.serial);
	write_le<int32>(out, head.replyTeam);
	write_le<int32>(out, head.replyPort);
	write_le<int32>(out, head.replyToken);
	write_le<uint32>(out, 0);
}


void
write_reply_head(uint8* out, const ReplyHead& head)
{
	write_le<uint64>(out, head.serial);
	write_le<int32>(out, head.status);
	write_le<uint32>(out, 0);
}


void
append_frame_header(std::vector<uint8>& buffer, FrameKind kind, size_t bodySize)
{
	write_frame_header(grow(buffer, kFrameHeaderSize), kind, bodySize);
}


void
append_message_head(std::vector<uint8>& buffer, const MessageHead& head)
{
	write_message_head(grow(buffer, kMessageHeadSize), head);
}


void
append_reply_head(std::vector<uint8>& buffer, const ReplyHead& head)
{
	write_reply_head(grow(buffer, kReplyHeadSize), head);
}


status_t
parse_message_head(const uint8* body, size_t size, MessageHead& head)
{
	if (size < kMessageHeadSize)
		return B_BAD_DATA;
	head.port = read_le<int32>(body);
	head.token = read_le<int32>(body + 4);
	head.flags = read_le<uint32>(body + 8);
	head.serial = read_le<uint64>(body + 12);
	head.replyTeam = read_le<int32>(body + 20);
	head.replyPort = read_le<int32>(body + 24);
	head.replyToken = read_le<int32>(body + 28);
	if ((head.flags & ~kFrameKnownFlags) != 0 || read_le<uint32>(body + 32) != 0)
		return B_BAD_DATA;
	return B_OK;
}


status_t
parse_reply_head(const uint8* body, size_t size, ReplyHead& head)
{
	if (size < kReplyHeadSize)
		return B_BAD_DATA;
	head.serial = read_le<uint64>(body);
	head.status = read_le<int32>(body + 8);
	if (read_le<uint32>(body + 12) != 0)
		return B_BAD_DATA;
	return B_OK;
}


FrameDecoder::~FrameDecoder()
{
	free(fBuffer);
}


void
FrameDecoder::Feed(const void* data, size_t size)
{
	_Settle();
	if (fFailed || size == 0)
		return;
	if (!_Reserve(fSize + size)) {
		// Without the memory to hold them, the bytes are lost: the stream is broken.
		fFailed = true;
		return;
	}
	memcpy(fBuffer + fSize, data, size);
	fSize += size;
}


uint8*
FrameDecoder::Room(size_t& size)
{
	_Settle();
	size = 0;
	if (fFailed)
		return NULL;
	// Room for kDecoderReadAhead more: one read takes what a peer with requests in
	// flight has sent, and a large frame grows the buffer only as its bytes arrive.
	_Reserve(fSize + kDecoderReadAhead);
	size = fCapacity - fSize;
	return fBuffer != NULL ? fBuffer + fSize : NULL;
}


void
FrameDecoder::Received(size_t size)
{
	if (!fFailed)
		fSize += std::min(size, fCapacity - fSize);
}


status_t
FrameDecoder::Next(Frame& frame)
{
	_Settle();
	if (fFailed)
		return B_BAD_DATA;

	size_t available = fSize - fStart;
	if (available < kFrameHeaderSize)
		return _Incomplete();

	const uint8* header = fBuffer + fStart;
	uint32 magic = read_le<uint32>(header);
	uint16 version = read_le<uint16>(header + 4);
	uint16 kind = read_le<uint16>(header + 6);
	uint32 bodySize = read_le<uint32>(header + 8);
	uint32 reserved = read_le<uint32>(header + 12);
	if (magic != kFrameMagic || version != kFrameVersion
		|| (kind != kMessageFrame && kind != kReplyFrame) || bodySize > kMaxFrameBody
		|| reserved != 0) {
		fFailed = true;
		free(fBuffer);
		fBuffer = NULL;
		fSize = fCapacity = fStart = 0;
		return B_BAD_DATA;
	}
	if (available - kFrameHeaderSize < bodySize)
		return _Incomplete();

	frame.kind = (FrameKind)kind;
	frame.body = header + kFrameHeaderSize;
	frame.size = bodySize;
	fStart += kFrameHeaderSize + bodySize;
	return B_OK;
}


void
FrameDecoder::_Settle()
{
	if (fStart == 0 || fStart != fSize)
		return;
	fSize = fStart = 0;
	if (fCapacity > kDecoderKeptCapacity) {
		free(fBuffer);
		fBuffer = NULL;
		fCapacity = 0;
	}
}


bool
FrameDecoder::_Reserve(size_t size)
{
	if (size <= fCapacity)
		return true;
	size_t capacity = std::max(size, fCapacity * 2);
	uint8* buffer = (uint8*)realloc(fBuffer, capacity);
	if (buffer == NULL)
		return false;
	fBuffer = buffer;
	fCapacity = capacity;
	return true;
}


status_t
FrameDecoder::_Incomplete()
{
	// Only the partial frame stays, at the front: the next read appends to it alone.
	if (fStart > 0) {
		memmove(fBuffer, fBuffer + fStart, fSize - fStart);
		fSize -= fStart;
		fStart = 0;
	}
	return B_WOULD_BLOCK;
}

} // namespace BPrivate
