#include "app/LinkFrame.h"

#include <endian.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace BPrivate {

namespace {

template<typename Type>
void
append_le(std::vector<uint8>& buffer, Type value)
{
	static_assert(sizeof(Type) == 2 || sizeof(Type) == 4 || sizeof(Type) == 8);
	if constexpr (sizeof(Type) == 2)
		value = (Type)htole16((uint16)value);
	else if constexpr (sizeof(Type) == 4)
		value = (Type)htole32((uint32)value);
	else
		value = (Type)htole64((uint64)value);
	const uint8* bytes = reinterpret_cast<const uint8*>(&value);
	buffer.insert(buffer.end(), bytes, bytes + sizeof(Type));
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
append_frame_header(std::vector<uint8>& buffer, FrameKind kind, size_t bodySize)
{
	append_le<uint32>(buffer, kFrameMagic);
	append_le<uint16>(buffer, kFrameVersion);
	append_le<uint16>(buffer, kind);
	append_le<uint32>(buffer, (uint32)bodySize);
	append_le<uint32>(buffer, 0);
}


void
append_message_head(std::vector<uint8>& buffer, const MessageHead& head)
{
	append_le<int32>(buffer, head.port);
	append_le<int32>(buffer, head.token);
	append_le<uint32>(buffer, head.flags);
	append_le<uint64>(buffer, head.serial);
	append_le<int32>(buffer, head.replyTeam);
	append_le<int32>(buffer, head.replyPort);
	append_le<int32>(buffer, head.replyToken);
	append_le<uint32>(buffer, 0);
}


void
append_reply_head(std::vector<uint8>& buffer, const ReplyHead& head)
{
	append_le<uint64>(buffer, head.serial);
	append_le<int32>(buffer, head.status);
	append_le<uint32>(buffer, 0);
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
	// A partial frame whose size is known gets room for the rest of it (it will be held
	// whole anyway), kDecoderReadAhead at a time: memory follows the bytes that arrive.
	size_t available = fSize - fStart;
	if (available >= kFrameHeaderSize) {
		uint32 bodySize = read_le<uint32>(fBuffer + fStart + 8);
		size_t end = fStart + kFrameHeaderSize + std::min<size_t>(bodySize, kMaxFrameBody);
		_Reserve(std::min(end, fSize + kDecoderReadAhead));
	}
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
