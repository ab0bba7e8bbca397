#include "app/PortWire.h"

#include "app/PortRecord.h"

namespace BPrivate {

namespace {

void
append32(std::vector<uint8>& buffer, uint32 value)
{
	for (int shift = 0; shift < 32; shift += 8)
		buffer.push_back((uint8)(value >> shift));
}


void
append64(std::vector<uint8>& buffer, uint64 value)
{
	append32(buffer, (uint32)value);
	append32(buffer, (uint32)(value >> 32));
}


uint32
read32(const uint8* data)
{
	return (uint32)data[0] | (uint32)data[1] << 8 | (uint32)data[2] << 16
		| (uint32)data[3] << 24;
}


uint64
read64(const uint8* data)
{
	return (uint64)read32(data) | (uint64)read32(data + 4) << 32;
}

} // namespace


void
append_port_request(std::vector<uint8>& buffer, const PortRequest& request)
{
	append32(buffer, kPortRequestMagic);
	append32(buffer, request.operation);
	append32(buffer, (uint32)request.port);
	append32(buffer, (uint32)request.code);
	append32(buffer, request.size);
	append32(buffer, (uint32)request.team);
	append64(buffer, (uint64)request.deadline);
}


void
append_port_reply(std::vector<uint8>& buffer, const PortReply& reply)
{
	append32(buffer, kPortReplyMagic);
	append32(buffer, (uint32)reply.status);
	append32(buffer, (uint32)reply.code);
	append32(buffer, reply.messageSize);
	append32(buffer, reply.dataSize);
	append32(buffer, (uint32)reply.owner);
	append32(buffer, (uint32)reply.capacity);
	append32(buffer, (uint32)reply.queueCount);
	append32(buffer, (uint32)reply.totalCount);
}


status_t
parse_port_request(const uint8* data, size_t size, PortRequest& request)
{
	if (data == NULL || size < kPortRequestHeadSize || read32(data) != kPortRequestMagic)
		return B_BAD_DATA;
	uint32 operation = read32(data + 4);
	int32 port = (int32)read32(data + 8);
	uint32 length = read32(data + 16);
	int64 deadline = (int64)read64(data + 24);
	if (operation < kPortWrite || operation > kPortSetOwner || port <= 0
		|| length > kMaxPortMessageSize || deadline < 0)
		return B_BAD_DATA;
	request.operation = (PortOperation)operation;
	request.port = port;
	request.code = (int32)read32(data + 12);
	request.size = length;
	request.team = (team_id)read32(data + 20);
	request.deadline = deadline;
	return B_OK;
}


status_t
parse_port_reply(const uint8* data, size_t size, PortReply& reply)
{
	if (data == NULL || size < kPortReplyHeadSize || read32(data) != kPortReplyMagic)
		return B_BAD_DATA;
	PortReply parsed;
	parsed.status = (status_t)read32(data + 4);
	parsed.code = (int32)read32(data + 8);
	parsed.messageSize = read32(data + 12);
	parsed.dataSize = read32(data + 16);
	parsed.owner = (team_id)read32(data + 20);
	parsed.capacity = (int32)read32(data + 24);
	parsed.queueCount = (int32)read32(data + 28);
	parsed.totalCount = (int32)read32(data + 32);
	if (parsed.status > 0 || parsed.messageSize > kMaxPortMessageSize
		|| parsed.dataSize > parsed.messageSize || parsed.capacity < 0
		|| parsed.capacity > kMaxPortCapacity || parsed.queueCount < 0
		|| parsed.queueCount > parsed.capacity || parsed.totalCount < 0)
		return B_BAD_DATA;
	reply = parsed;
	return B_OK;
}

} // namespace BPrivate
