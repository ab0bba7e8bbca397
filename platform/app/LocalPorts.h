// The ports this process holds: their queues live here, and the process's threads use
// them directly; the port host (PortHost.h) serves other teams from the same table
// (docs/kernel.md). Every wait ends at its deadline, in system_time()'s clock; a deadline
// already past tries once.
#ifndef _LOCAL_PORTS_H
#define _LOCAL_PORTS_H

#include <OS.h>

namespace BPrivate {

// The most bytes of messages one port queues (its writers wait beyond; a message fits an
// empty port whatever its size).
const size_t kMaxPortQueuedBytes = 8 * 1024 * 1024;

// The user's ports at once, counting every team's: ids run below this (B_NO_MORE_PORTS
// beyond).
const port_id kMaxPorts = 65536;

struct PortCounts {
	team_id		owner = -1;
	int32		capacity = 0;
	int32		queueCount = 0;
	int32		totalCount = 0;
};

// Makes the port and publishes its record; its id, or B_NO_MORE_PORTS.
port_id create_local_port(int32 capacity, const char* name);
// Whether this process holds the port (deleted ones are not held).
bool is_local_port(port_id port);

// B_OK, or B_BAD_PORT_ID (no such port, closed or deleted), or B_TIMED_OUT.
status_t local_port_write(port_id port, int32 code, const void* data, size_t size,
	bigtime_t deadline);
// Takes the next message, copying up to size bytes of it to buffer; the bytes copied, or
// B_BAD_PORT_ID (deleted, or closed and empty), or B_TIMED_OUT. messageSize (may be null)
// receives the message's whole size.
ssize_t local_port_read(port_id port, int32* code, void* buffer, size_t size,
	bigtime_t deadline, size_t* messageSize = NULL);
// The next message's size, once there is one.
ssize_t local_port_buffer_size(port_id port, bigtime_t deadline);
status_t local_port_counts(port_id port, PortCounts& counts);

// Only the port's owner or the process that holds it (requester) may close, delete or
// give away a port: B_NOT_ALLOWED for others.
status_t local_port_close(port_id port, team_id requester);
status_t local_port_delete(port_id port, team_id requester);
// B_BAD_TEAM_ID for a team that is not a living one of the user.
status_t local_port_set_owner(port_id port, team_id owner, team_id requester);

// Deletes the ports whose owner (another team) has ended; whether any port has an owner
// other than this process, which the host then keeps watching.
bool delete_orphaned_ports();

// Called, without the table's lock, after every change of a port that may let a waiting
// request go on (a message queued or taken, a port closed or deleted), and with
// ownerChanged after a port has a new owner.
void set_port_change_hook(void (*hook)(bool ownerChanged));

} // namespace BPrivate

#endif // _LOCAL_PORTS_H
