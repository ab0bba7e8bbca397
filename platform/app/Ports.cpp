// Ports: queues of messages (a code and up to kMaxPortMessageSize bytes) that the teams
// of one user share (docs/kernel.md). A port lives in the process that created it, which
// its own threads use directly and which answers the user's other teams over its port
// socket (PortHost.h); a record in the runtime directory's "ports" folder, named after the
// port's id, tells the other teams which process that is.
#include <OS.h>

#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "app/LocalPorts.h"
#include "app/PortHost.h"
#include "app/PortPeer.h"
#include "app/PortRecord.h"
#include "app/RecordFolder.h"
#include "app/RuntimeDirectory.h"
#include "support/Deadline.h"
#include "support/KernelCounts.h"
#include "support/ThreadControl.h"

using namespace BPrivate;

namespace {

// The record of a port; false when there is none, or it does not parse, or the process
// holding it has ended (the record is then removed).
bool
read_record(const std::string& folder, port_id port, PortRecord& record)
{
	char buffer[kMaxPortRecordSize + 1];
	ssize_t length = read_record_file(folder, port, buffer, sizeof(buffer));
	if (length <= 0 || !parse_port_record(buffer, length, record))
		return false;
	bool stale = record.host == current_team() ? !is_local_port(port)
		: !record_team_alive(record.host);
	if (stale) {
		unlink(record_path(folder, port).c_str());
		return false;
	}
	return true;
}


bool
find_record(port_id port, PortRecord& record)
{
	std::string folder;
	return port > 0 && ports_directory(folder) == B_OK && read_record(folder, port, record);
}


// The user's ports in use, for get_system_info: those whose records name a live process.
int32
count_ports()
{
	std::string folder;
	if (ports_directory(folder) != B_OK)
		return 0;
	int32 count = 0;
	for (port_id port : listed_record_ids(folder, kMaxPorts)) {
		PortRecord record;
		count += read_record(folder, port, record);
	}
	return count;
}

const bool stPortCounterSet = (set_port_counter(kMaxPorts, count_ports), true);


// Asks the process holding request.port, a port of another team; the reply's status, or
// the failure.
status_t
ask(PortRequest& request, const void* data, void* buffer, PortReply& reply)
{
	PortRecord record;
	if (!find_record(request.port, record))
		return B_BAD_PORT_ID;
	status_t status = ask_port_host(record.host, request, data, buffer, reply);
	return status != B_OK ? status : reply.status;
}


status_t
ask_now(port_id port, PortOperation operation, team_id team, PortReply& reply)
{
	PortRequest request;
	request.operation = operation;
	request.port = port;
	request.team = team;
	request.deadline = system_time() + kPortQueryTimeout;
	return ask(request, NULL, NULL, reply);
}


status_t
fill_info(port_id port, port_info* info)
{
	PortRecord record;
	if (!find_record(port, record))
		return B_BAD_PORT_ID;
	PortCounts counts;
	if (record.host == current_team()) {
		status_t status = local_port_counts(port, counts);
		if (status != B_OK)
			return status;
	} else {
		PortReply reply;
		status_t status = ask_now(port, kPortInfo, -1, reply);
		if (status != B_OK)
			return status;
		counts.owner = reply.owner;
		counts.capacity = reply.capacity;
		counts.queueCount = reply.queueCount;
		counts.totalCount = reply.totalCount;
	}
	memset(info, 0, sizeof(*info));
	info->port = port;
	info->team = counts.owner;
	strncpy(info->name, record.name.c_str(), sizeof(info->name) - 1);
	info->capacity = counts.capacity;
	info->queue_count = counts.queueCount;
	info->total_count = counts.totalCount;
	return B_OK;
}


// What a wait that ended unfulfilled returns, as the caller's flags ask.
status_t
unfulfilled(status_t status, uint32 flags, bigtime_t timeout)
{
	return status == B_TIMED_OUT ? timeout_status(flags, timeout) : status;
}

} // namespace


port_id
create_port(int32 capacity, const char* name)
{
	if (capacity < 1 || capacity > kMaxPortCapacity)
		return B_BAD_VALUE;
	status_t status = start_port_host();
	if (status != B_OK)
		return status;
	return create_local_port(capacity, name);
}


port_id
find_port(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	std::string folder;
	if (ports_directory(folder) != B_OK)
		return B_NAME_NOT_FOUND;
	for (port_id port : listed_record_ids(folder, kMaxPorts)) {
		PortRecord record;
		if (read_record(folder, port, record) && record.name == name)
			return port;
	}
	return B_NAME_NOT_FOUND;
}


status_t
write_port(port_id port, int32 code, const void* buffer, size_t bufferSize)
{
	return write_port_etc(port, code, buffer, bufferSize, 0, 0);
}


status_t
write_port_etc(port_id port, int32 code, const void* buffer, size_t bufferSize,
	uint32 flags, bigtime_t timeout)
{
	if (bufferSize > kMaxPortMessageSize || (buffer == NULL && bufferSize > 0))
		return B_BAD_VALUE;
	bigtime_t deadline = timeout_deadline(flags, timeout);
	if (is_local_port(port)) {
		return unfulfilled(local_port_write(port, code, buffer, bufferSize, deadline), flags,
			timeout);
	}
	PortRequest request;
	request.operation = kPortWrite;
	request.port = port;
	request.code = code;
	request.size = (uint32)bufferSize;
	request.deadline = deadline;
	PortReply reply;
	return unfulfilled(ask(request, buffer, NULL, reply), flags, timeout);
}


ssize_t
read_port(port_id port, int32* code, void* buffer, size_t bufferSize)
{
	return read_port_etc(port, code, buffer, bufferSize, 0, 0);
}


ssize_t
read_port_etc(port_id port, int32* code, void* buffer, size_t bufferSize, uint32 flags,
	bigtime_t timeout)
{
	if (code == NULL || (buffer == NULL && bufferSize > 0))
		return B_BAD_VALUE;
	bigtime_t deadline = timeout_deadline(flags, timeout);
	if (is_local_port(port)) {
		ssize_t bytes = local_port_read(port, code, buffer, bufferSize, deadline);
		return bytes < 0 ? unfulfilled((status_t)bytes, flags, timeout) : bytes;
	}
	PortRequest request;
	request.operation = kPortRead;
	request.port = port;
	// No message is larger; what does not fit the buffer is dropped, as for this team.
	request.size = (uint32)std::min(bufferSize, kMaxPortMessageSize);
	request.deadline = deadline;
	PortReply reply;
	status_t status = ask(request, NULL, buffer, reply);
	if (status != B_OK)
		return unfulfilled(status, flags, timeout);
	*code = reply.code;
	return reply.dataSize;
}


ssize_t
port_buffer_size(port_id port)
{
	return port_buffer_size_etc(port, 0, 0);
}


ssize_t
port_buffer_size_etc(port_id port, uint32 flags, bigtime_t timeout)
{
	bigtime_t deadline = timeout_deadline(flags, timeout);
	if (is_local_port(port)) {
		ssize_t size = local_port_buffer_size(port, deadline);
		return size < 0 ? unfulfilled((status_t)size, flags, timeout) : size;
	}
	PortRequest request;
	request.operation = kPortBufferSize;
	request.port = port;
	request.deadline = deadline;
	PortReply reply;
	status_t status = ask(request, NULL, NULL, reply);
	if (status != B_OK)
		return unfulfilled(status, flags, timeout);
	return reply.messageSize;
}


ssize_t
port_count(port_id port)
{
	port_info info;
	status_t status = get_port_info(port, &info);
	return status != B_OK ? status : info.queue_count;
}


status_t
close_port(port_id port)
{
	if (is_local_port(port))
		return local_port_close(port, current_team());
	PortReply reply;
	return ask_now(port, kPortClose, -1, reply);
}


status_t
delete_port(port_id port)
{
	if (is_local_port(port))
		return local_port_delete(port, current_team());
	PortReply reply;
	return ask_now(port, kPortDelete, -1, reply);
}


status_t
set_port_owner(port_id port, team_id team)
{
	if (team == B_CURRENT_TEAM)
		team = current_team();
	if (is_local_port(port))
		return local_port_set_owner(port, team, current_team());
	PortReply reply;
	return ask_now(port, kPortSetOwner, team, reply);
}


status_t
_get_port_info(port_id port, port_info* info, size_t size)
{
	if (info == NULL || size != sizeof(port_info))
		return B_BAD_VALUE;
	return fill_info(port, info);
}


status_t
_get_next_port_info(team_id team, int32* cookie, port_info* info, size_t size)
{
	if (cookie == NULL || info == NULL || size != sizeof(port_info))
		return B_BAD_VALUE;
	if (team == B_CURRENT_TEAM)
		team = current_team();
	if (!record_team_alive(team))
		return B_BAD_TEAM_ID;
	std::string folder;
	if (ports_directory(folder) != B_OK)
		return B_BAD_PORT_ID;
	// The cookie is the last id listed.
	for (port_id port : listed_record_ids(folder, kMaxPorts)) {
		PortRecord record;
		if (port <= *cookie || !read_record(folder, port, record) || record.owner != team)
			continue;
		*cookie = port;
		status_t status = fill_info(port, info);
		// A port deleted since it was listed is passed over.
		if (status != B_BAD_PORT_ID)
			return status;
	}
	return B_BAD_PORT_ID;
}
