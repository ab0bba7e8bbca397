#include "app/LocalPorts.h"

#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/PortRecord.h"
#include "app/RecordFolder.h"
#include "app/RuntimeDirectory.h"
#include "support/ThreadControl.h"

namespace BPrivate {

namespace {

// The longest single wait, which then looks at the clock again: the clock's nanoseconds
// would overflow for a deadline centuries away.
const bigtime_t kLongestPortWait = 3600000000LL;

struct PortMessage {
	int32				code;
	std::vector<uint8>	data;
};

struct LocalPort {
	team_id					owner;
	// The process that made it; a forked child has the table but holds none of it.
	team_id					host;
	int32					capacity;
	std::string				name;
	std::deque<PortMessage>	queue;
	size_t					queuedBytes = 0;
	int32					totalCount = 0;
	bool					closed = false;
	bool					deleted = false;
	std::condition_variable	changed;
};

std::mutex stLock;
// Never destroyed: other threads may use ports while the process exits.
std::map<port_id, std::shared_ptr<LocalPort>>& stPorts
	= *new std::map<port_id, std::shared_ptr<LocalPort>>;
// Where the search for a free id starts: ids are not used again soon.
port_id stNextId = 0;
std::atomic<void (*)(bool)> stChangeHook{NULL};


std::shared_ptr<LocalPort>
find_port_locked(port_id id)
{
	auto found = stPorts.find(id);
	if (found == stPorts.end() || found->second->host != current_team())
		return nullptr;
	return found->second;
}


void
changed(LocalPort& port)
{
	port.changed.notify_all();
}


void
call_change_hook(bool ownerChanged = false)
{
	if (void (*hook)(bool) = stChangeHook.load())
		hook(ownerChanged);
}


PortRecord
record_of(const LocalPort& port)
{
	PortRecord record;
	record.owner = port.owner;
	record.host = port.host;
	record.capacity = port.capacity;
	record.name = port.name;
	return record;
}


// Waits on the port until ready() or the deadline; false when the deadline passed.
template<typename Ready>
bool
wait_for(std::unique_lock<std::mutex>& locker, LocalPort& port, bigtime_t deadline,
	Ready ready)
{
	while (!ready()) {
		if (deadline == B_INFINITE_TIMEOUT) {
			port.changed.wait(locker);
			continue;
		}
		bigtime_t left = deadline - system_time();
		if (left <= 0)
			return false;
		port.changed.wait_for(locker,
			std::chrono::microseconds(std::min(left, kLongestPortWait)));
	}
	return true;
}


bool
has_room(const LocalPort& port, size_t size)
{
	return (int32)port.queue.size() < port.capacity
		&& (port.queue.empty() || port.queuedBytes + size <= kMaxPortQueuedBytes);
}


// Removes the port from the table and its record; wakes its waiters.
void
delete_locked(port_id id, LocalPort& port)
{
	port.deleted = true;
	port.queue.clear();
	port.queuedBytes = 0;
	changed(port);
	std::string folder;
	if (ports_directory(folder) == B_OK)
		unlink(record_path(folder, id).c_str());
	// Last: the table's reference may be the port's only one.
	stPorts.erase(id);
}


bool
may_control(const LocalPort& port, team_id requester)
{
	return requester == port.owner || requester == port.host;
}

} // namespace


port_id
create_local_port(int32 capacity, const char* name)
{
	std::string folder;
	status_t status = ports_directory(folder);
	if (status != B_OK)
		return status;
	auto port = std::make_shared<LocalPort>();
	port->owner = current_team();
	port->host = current_team();
	port->capacity = capacity;
	port->name = std::string(name != NULL ? name : "").substr(0, B_OS_NAME_LENGTH - 1);

	std::lock_guard<std::mutex> locker(stLock);
	port_id id = publish_record(folder, format_port_record(record_of(*port)), 0,
		stNextId, kMaxPorts, [&](int32 candidate) {
			char buffer[kMaxPortRecordSize + 1];
			ssize_t length = read_record_file(folder, candidate, buffer, sizeof(buffer));
			PortRecord record;
			if (length <= 0 || !parse_port_record(buffer, length, record))
				return false;
			if (record.host == current_team())
				return find_port_locked(candidate) != nullptr;
			return record_team_alive(record.host);
		});
	if (id < 0)
		return B_NO_MORE_PORTS;
	stNextId = id + 1;
	stPorts[id] = port;
	return id;
}


bool
is_local_port(port_id id)
{
	std::lock_guard<std::mutex> locker(stLock);
	return find_port_locked(id) != nullptr;
}


status_t
local_port_write(port_id id, int32 code, const void* data, size_t size, bigtime_t deadline)
{
	{
		std::unique_lock<std::mutex> locker(stLock);
		std::shared_ptr<LocalPort> port = find_port_locked(id);
		if (port == nullptr || port->closed)
			return B_BAD_PORT_ID;
		bool ready = wait_for(locker, *port, deadline, [&] {
			return port->deleted || port->closed || has_room(*port, size);
		});
		if (port->deleted || port->closed)
			return B_BAD_PORT_ID;
		if (!ready)
			return B_TIMED_OUT;
		const uint8* bytes = (const uint8*)data;
		port->queue.push_back({ code, std::vector<uint8>(bytes, bytes + size) });
		port->queuedBytes += size;
		changed(*port);
	}
	call_change_hook();
	return B_OK;
}


ssize_t
local_port_read(port_id id, int32* code, void* buffer, size_t size, bigtime_t deadline,
	size_t* messageSize)
{
	ssize_t result;
	{
		std::unique_lock<std::mutex> locker(stLock);
		std::shared_ptr<LocalPort> port = find_port_locked(id);
		if (port == nullptr)
			return B_BAD_PORT_ID;
		wait_for(locker, *port, deadline, [&] {
			return port->deleted || port->closed || !port->queue.empty();
		});
		if (port->deleted || port->queue.empty())
			return port->deleted || port->closed ? B_BAD_PORT_ID : B_TIMED_OUT;
		PortMessage& message = port->queue.front();
		result = (ssize_t)std::min(size, message.data.size());
		if (result > 0)
			memcpy(buffer, message.data.data(), result);
		if (code != NULL)
			*code = message.code;
		if (messageSize != NULL)
			*messageSize = message.data.size();
		port->queuedBytes -= message.data.size();
		port->queue.pop_front();
		port->totalCount++;
		changed(*port);
	}
	call_change_hook();
	return result;
}


ssize_t
local_port_buffer_size(port_id id, bigtime_t deadline)
{
	std::unique_lock<std::mutex> locker(stLock);
	std::shared_ptr<LocalPort> port = find_port_locked(id);
	if (port == nullptr)
		return B_BAD_PORT_ID;
	wait_for(locker, *port, deadline, [&] {
		return port->deleted || port->closed || !port->queue.empty();
	});
	if (port->deleted || port->queue.empty())
		return port->deleted || port->closed ? B_BAD_PORT_ID : B_TIMED_OUT;
	return (ssize_t)port->queue.front().data.size();
}


status_t
local_port_counts(port_id id, PortCounts& counts)
{
	std::lock_guard<std::mutex> locker(stLock);
	std::shared_ptr<LocalPort> port = find_port_locked(id);
	if (port == nullptr)
		return B_BAD_PORT_ID;
	counts.owner = port->owner;
	counts.capacity = port->capacity;
	counts.queueCount = (int32)port->queue.size();
	counts.totalCount = port->totalCount;
	return B_OK;
}


status_t
local_port_close(port_id id, team_id requester)
{
	{
		std::lock_guard<std::mutex> locker(stLock);
		std::shared_ptr<LocalPort> port = find_port_locked(id);
		if (port == nullptr)
			return B_BAD_PORT_ID;
		if (!may_control(*port, requester))
			return B_NOT_ALLOWED;
		port->closed = true;
		changed(*port);
	}
	call_change_hook();
	return B_OK;
}


status_t
local_port_delete(port_id id, team_id requester)
{
	{
		std::lock_guard<std::mutex> locker(stLock);
		std::shared_ptr<LocalPort> port = find_port_locked(id);
		if (port == nullptr)
			return B_BAD_PORT_ID;
		if (!may_control(*port, requester))
			return B_NOT_ALLOWED;
		delete_locked(id, *port);
	}
	call_change_hook();
	return B_OK;
}


status_t
local_port_set_owner(port_id id, team_id owner, team_id requester)
{
	if (owner == B_CURRENT_TEAM)
		owner = requester;
	if (owner != current_team() && !record_team_alive(owner))
		return B_BAD_TEAM_ID;
	std::string folder;
	status_t status = ports_directory(folder);
	if (status != B_OK)
		return status;
	{
		std::lock_guard<std::mutex> locker(stLock);
		std::shared_ptr<LocalPort> port = find_port_locked(id);
		if (port == nullptr)
			return B_BAD_PORT_ID;
		if (!may_control(*port, requester))
			return B_NOT_ALLOWED;
		team_id previous = port->owner;
		port->owner = owner;
		if (publish_record(folder, format_port_record(record_of(*port)), id, 0, kMaxPorts,
				[](int32) { return true; }) != id) {
			port->owner = previous;
			return B_NO_MEMORY;
		}
	}
	// The host watches owners that are other teams.
	call_change_hook(true);
	return B_OK;
}


bool
delete_orphaned_ports()
{
	bool foreignOwners = false;
	bool deleted = false;
	{
		std::lock_guard<std::mutex> locker(stLock);
		for (auto entry = stPorts.begin(); entry != stPorts.end();) {
			auto next = std::next(entry);
			std::shared_ptr<LocalPort> port = entry->second;
			if (port->host == current_team() && port->owner != current_team()) {
				if (!record_team_alive(port->owner)) {
					delete_locked(entry->first, *port);
					deleted = true;
				} else
					foreignOwners = true;
			}
			entry = next;
		}
	}
	if (deleted)
		call_change_hook();
	return foreignOwners;
}


void
set_port_change_hook(void (*hook)(bool))
{
	stChangeHook = hook;
}

} // namespace BPrivate
