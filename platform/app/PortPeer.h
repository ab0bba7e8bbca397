// Asking the process that holds a port of another team (docs/port-protocol.md).
#ifndef _PORT_PEER_H
#define _PORT_PEER_H

#include "app/PortWire.h"

namespace BPrivate {

// How long past a request's deadline its reply is waited for: the host answers at the
// deadline, and its answer takes a moment to come.
const bigtime_t kPortReplyGrace = 100000;
// How long a request that waits for nothing (get_port_info, port_count, close_port ...)
// waits for a host's answer.
const bigtime_t kPortQueryTimeout = 1000000;
// How often a busy host (or one whose socket's backlog is full) is asked again.
const bigtime_t kPortRetryInterval = 10000;

// Sends the request (with size bytes of data for a write) to host, the process holding
// the port, and waits for its reply until the request's deadline and kPortReplyGrace
// (B_TIMED_OUT then). A read's data goes to buffer, which holds request.size bytes.
// B_BAD_PORT_ID when the host is gone or is not the team it should be, or hangs up;
// B_BAD_DATA for a reply that is not the protocol.
status_t ask_port_host(team_id host, const PortRequest& request, const void* data,
	void* buffer, PortReply& reply);

} // namespace BPrivate

#endif // _PORT_PEER_H
