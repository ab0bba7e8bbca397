// What a team says to the process that holds a port of another team, over that process's
// port socket (docs/port-protocol.md): one request, then one reply, per connection. Both
// heads are fixed-size, little-endian; a write request's data follows its head, as does a
// read reply's. Heads come from other processes: parsing trusts nothing.
#ifndef _PORT_WIRE_H
#define _PORT_WIRE_H

#include <OS.h>

#include <vector>

namespace BPrivate {

// The largest message a port carries (write_port of more is B_BAD_VALUE).
const size_t kMaxPortMessageSize = 256 * 1024;

const uint32 kPortRequestMagic = 0x51525042;	// "BPRQ" in the stream
const uint32 kPortReplyMagic = 0x50525042;		// "BPRP"
const size_t kPortRequestHeadSize = 32;
const size_t kPortReplyHeadSize = 36;

enum PortOperation : uint32 {
	kPortWrite		= 1,	// code and size bytes of data; waits for room
	kPortRead		= 2,	// up to size bytes of the next message; waits for one
	kPortBufferSize	= 3,	// the next message's size; waits for one
	kPortInfo		= 4,	// the counts of get_port_info
	kPortClose		= 5,
	kPortDelete		= 6,
	kPortSetOwner	= 7		// team is the new owner
};

struct PortRequest {
	PortOperation	operation = kPortInfo;
	port_id			port = -1;
	int32			code = 0;
	uint32			size = 0;
	team_id			team = -1;
	// In system_time()'s clock, which the user's processes share; B_INFINITE_TIMEOUT
	// waits as long as it takes.
	bigtime_t		deadline = B_INFINITE_TIMEOUT;
};

struct PortReply {
	status_t		status = B_OK;
	int32			code = 0;
	// The whole message's size, and the bytes of it that follow the head.
	uint32			messageSize = 0;
	uint32			dataSize = 0;
	team_id			owner = -1;
	int32			capacity = 0;
	int32			queueCount = 0;
	int32			totalCount = 0;
};

void append_port_request(std::vector<uint8>& buffer, const PortRequest& request);
void append_port_reply(std::vector<uint8>& buffer, const PortReply& reply);

// B_BAD_DATA for anything but a whole head of the protocol within its limits (a size
// above kMaxPortMessageSize, an unknown operation, a negative count ...).
status_t parse_port_request(const uint8* data, size_t size, PortRequest& request);
status_t parse_port_reply(const uint8* data, size_t size, PortReply& reply);

} // namespace BPrivate

#endif // _PORT_WIRE_H
