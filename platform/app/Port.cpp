#include "app/Port.h"

#include <Message.h>

#include <chrono>
#include <unordered_map>

namespace BPrivate {

namespace {

// The tables outlive static destruction: other threads may still use them while
// the process exits.
std::mutex stRegistryLock;
std::unordered_map<port_id, std::shared_ptr<Port>>& stPorts
	= *new std::unordered_map<port_id, std::shared_ptr<Port>>;
port_id stNextID = 1;
port_id stMainID = -1;


// Waits on condition until ready() or the timeout; false when the time ran out.
template<typename Ready>
bool
wait_until(std::condition_variable& condition, std::unique_lock<std::mutex>& lock,
	bigtime_t timeout, Ready ready)
{
	if (timeout == B_INFINITE_TIMEOUT) {
		condition.wait(lock, ready);
		return true;
	}
	return condition.wait_for(lock, std::chrono::microseconds(timeout), ready);
}

} // namespace


std::shared_ptr<Port>
Port::Create(int32 capacity)
{
	std::lock_guard<std::mutex> lock(stRegistryLock);
	std::shared_ptr<Port> port(new Port(stNextID++, capacity));
	stPorts[port->ID()] = port;
	return port;
}


std::shared_ptr<Port>
Port::Find(port_id id)
{
	std::lock_guard<std::mutex> lock(stRegistryLock);
	auto it = stPorts.find(id == kMainPort ? stMainID : id);
	return it == stPorts.end() ? nullptr : it->second;
}


void
Port::SetMain(port_id id)
{
	std::lock_guard<std::mutex> lock(stRegistryLock);
	stMainID = id;
}


Port::Port(port_id id, int32 capacity)
	:
	fID(id),
	fCapacity(capacity > 0 ? capacity : 1)
{
}


Port::~Port()
{
	Close();
}


status_t
Port::Write(BMessage* message, bigtime_t timeout)
{
	std::unique_lock<std::mutex> lock(fLock);
	bool ready = wait_until(fWritable, lock, timeout,
		[this] { return fClosed || fQueue.size() < fCapacity; });
	if (fClosed)
		return B_BAD_PORT_ID;
	if (!ready)
		return timeout == 0 ? B_WOULD_BLOCK : B_TIMED_OUT;
	fQueue.push_back(message);
	fReadable.notify_one();
	return B_OK;
}


status_t
Port::WriteForced(BMessage* message)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fClosed)
		return B_BAD_PORT_ID;
	fQueue.push_back(message);
	fReadable.notify_one();
	return B_OK;
}


status_t
Port::WriteFront(BMessage* message)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fClosed)
		return B_BAD_PORT_ID;
	fQueue.push_front(message);
	fReadable.notify_one();
	return B_OK;
}


BMessage*
Port::Read(bigtime_t timeout)
{
	std::unique_lock<std::mutex> lock(fLock);
	wait_until(fReadable, lock, timeout, [this] { return fClosed || !fQueue.empty(); });
	if (fClosed || fQueue.empty())
		return nullptr;
	BMessage* message = fQueue.front();
	fQueue.pop_front();
	fWritable.notify_one();
	return message;
}


int32
Port::Count() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return (int32)fQueue.size();
}


void
Port::Close()
{
	{
		std::lock_guard<std::mutex> lock(stRegistryLock);
		auto it = stPorts.find(fID);
		if (it != stPorts.end() && it->second.get() == this)
			stPorts.erase(it);
	}

	std::deque<BMessage*> pending;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fClosed = true;
		pending.swap(fQueue);
		fReadable.notify_all();
		fWritable.notify_all();
	}
	// Deleting them answers senders that still wait (B_NO_REPLY).
	for (BMessage* message : pending)
		delete message;
}

} // namespace BPrivate
