// The heads of the port protocol as a peer of the user may send them: the first byte
// picks the request's or the reply's decoder. What parses lies within the protocol's
// limits and encodes back to the same bytes.
#include "app/PortWire.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	bool request = (data[0] & 1) != 0;
	data++;
	size--;
	std::vector<uint8> again;
	if (request) {
		BPrivate::PortRequest parsed;
		if (BPrivate::parse_port_request(data, size, parsed) != B_OK)
			return 0;
		if (parsed.size > BPrivate::kMaxPortMessageSize || parsed.port <= 0
			|| parsed.deadline < 0)
			__builtin_trap();
		BPrivate::append_port_request(again, parsed);
		if (memcmp(again.data(), data, BPrivate::kPortRequestHeadSize) != 0)
			__builtin_trap();
	} else {
		BPrivate::PortReply parsed;
		if (BPrivate::parse_port_reply(data, size, parsed) != B_OK)
			return 0;
		if (parsed.messageSize > BPrivate::kMaxPortMessageSize
			|| parsed.dataSize > parsed.messageSize || parsed.status > 0
			|| parsed.queueCount > parsed.capacity)
			__builtin_trap();
		BPrivate::append_port_reply(again, parsed);
		if (memcmp(again.data(), data, BPrivate::kPortReplyHeadSize) != 0)
			__builtin_trap();
	}
	return 0;
}
