// The thread through which a process answers other teams for the ports it holds: it
// listens on the process's port socket, takes one request per connection from processes
// of the same user, and answers each when it can (docs/port-protocol.md). It never
// waits on a peer: a stalled, slow or hostile one loses its connection.
#ifndef _PORT_HOST_H
#define _PORT_HOST_H

#include <OS.h>

namespace BPrivate {

// Connections the host keeps at once; one more is told B_BUSY and closed.
const int32 kMaxPortConnections = 64;
// How long a peer has to send its whole request, and to take its whole reply.
const bigtime_t kPortStallTimeout = 2000000;
// How often the host looks whether the owners of its ports that are other teams live.
const bigtime_t kPortOwnerCheckInterval = 250000;

// Starts the host of this process once (again in a forked child).
status_t start_port_host();

} // namespace BPrivate

#endif // _PORT_HOST_H
