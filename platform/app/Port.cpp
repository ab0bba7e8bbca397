#include "app/Port.h"

#include <Message.h>

#include <unistd.h>

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
std::atomic<port_id> stMainID{-1};
// Set once, before any reader uses it.
std::atomic<std::shared_ptr<IdleReader> (*)()> stMakeIdleReader{nullptr};
// The port this thread last offered, so that a stream of sends looks it up once.
thread_local port_id stLastOffered = -1;

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
	auto it = stPorts.find(id == kMainPort ? stMainID.load() : id);
	return it == stPorts.end() ? nullptr : it->second;
}


void
Port::SetMain(port_id id)
{
	stMainID = id;
	if (std::shared_ptr<Port> port = Find(id))
		port->fReadsIdle = true;
}


void
Port::OfferIdleReader(port_id id)
{
	if (id == stLastOffered)
		return;
	if (std::shared_ptr<Port> port = Find(id)) {
		port->fReadsIdle = true;
		stLastOffered = id;
	}
}


void
Port::SetIdleReaders(std::shared_ptr<IdleReader> (*make)())
{
	stMakeIdleReader = make;
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


void
Port::_WakeReader()
{
	if (fPolling)
		_WakePollingReader();
	else
		fReadable.notify_one();
}


void
Port::_WakePollingReader()
{
	if (fWoken || fIdleReader == nullptr)
		return;
	fWoken = true;
	uint64 one = 1;
	ssize_t ignored = write(fIdleReader->WakeFD(), &one, sizeof(one));
	(void)ignored;
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
	fQueue.push_back({ message, 0, nullptr });
	_WakeReader();
	return B_OK;
}


status_t
Port::WriteForced(BMessage* message)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fClosed)
		return B_BAD_PORT_ID;
	fQueue.push_back({ message, 0, nullptr });
	_WakeReader();
	return B_OK;
}


status_t
Port::WriteRemote(BMessage* message, size_t size, const std::shared_ptr<QueueShare>& share)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fClosed)
		return B_BAD_PORT_ID;
	if ((fQueue.size() >= fCapacity || fRemoteBytes + size > kMaxRemoteQueueBytes)
		&& (share->messages >= kQueueShareMessages
			|| share->bytes + size > kQueueShareBytes))
		return B_WOULD_BLOCK;
	fQueue.push_back({ message, size, share });
	fRemoteBytes += size;
	share->messages++;
	share->bytes += size;
	_WakeReader();
	return B_OK;
}


void
Port::_Forget(const Entry& entry)
{
	if (entry.share == nullptr)
		return;
	fRemoteBytes -= entry.remoteBytes;
	entry.share->messages--;
	entry.share->bytes -= entry.remoteBytes;
}


status_t
Port::WriteFront(BMessage* message)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fClosed)
		return B_BAD_PORT_ID;
	fQueue.push_front({ message, 0, nullptr });
	_WakeReader();
	return B_OK;
}


BMessage*
Port::Read(bigtime_t timeout)
{
	bigtime_t deadline = timeout == B_INFINITE_TIMEOUT || timeout > B_INFINITE_TIMEOUT / 2
		? B_INFINITE_TIMEOUT : system_time() + timeout;
	std::unique_lock<std::mutex> lock(fLock);
	for (;;) {
		if (fClosed)
			return nullptr;
		if (!fQueue.empty()) {
			BMessage* message = fQueue.front().message;
			_Forget(fQueue.front());
			fQueue.pop_front();
			fWritable.notify_one();
			return message;
		}
		if (deadline != B_INFINITE_TIMEOUT && system_time() >= deadline)
			return nullptr;

		if (fReadsIdle && fIdleReader == nullptr) {
			if (auto make = stMakeIdleReader.load()) {
				lock.unlock();
				std::shared_ptr<IdleReader> reader = make();
				lock.lock();
				if (fClosed) {
					if (reader != nullptr)
						reader->Detach();
					continue;
				}
				// Without one, the transport's thread reads for this port.
				fReadsIdle = reader != nullptr;
				fIdleReader = reader;
				fReaderHint = reader.get();
			}
		}
		if (fIdleReader != nullptr) {
			// Held here: closing the port lets go of the port's reference.
			std::shared_ptr<IdleReader> reader = fIdleReader;
			_WaitWithIdleWork(lock, deadline, *reader);
			continue;
		}
		auto ready = [this] { return fClosed || !fQueue.empty(); };
		if (deadline == B_INFINITE_TIMEOUT)
			fReadable.wait(lock, ready);
		else {
			fReadable.wait_for(lock, std::chrono::microseconds(deadline - system_time()),
				ready);
		}
	}
}


void
Port::_WaitWithIdleWork(std::unique_lock<std::mutex>& lock, bigtime_t deadline,
	IdleReader& reader)
{
	// A sender with several requests in flight has often sent the next one already:
	// taking it in costs a read, where waiting for it would cost a wait and a read.
	// While the lock is let go, the transport's thread or another looper may queue a
	// message and wake nobody, as nobody polls yet: the caller looks at the queue again.
	lock.unlock();
	bool queued = reader.Expect();
	lock.lock();
	if (queued || !fQueue.empty() || fClosed)
		return;

	// The transport's thread lets go of the connections before this one may be woken
	// through them, so that it never sees a wake-up meant for this thread.
	reader.Watch(true);
	fPolling = true;
	fWoken = false;
	lock.unlock();

	int milliseconds = -1;
	if (deadline != B_INFINITE_TIMEOUT) {
		bigtime_t left = deadline - system_time();
		milliseconds = left <= 0 ? 0 : (int)((left + 999) / 1000);
	}
	reader.Wait(milliseconds);

	lock.lock();
	fPolling = false;
	if (fWoken) {
		uint64 count;
		ssize_t ignored = read(reader.WakeFD(), &count, sizeof(count));
		(void)ignored;
		fWoken = false;
	}
	// Messages that the work queues wake nobody: this thread reads them next.
	lock.unlock();
	reader.Work();
	lock.lock();
	// Busy from here on: the transport's own thread takes over again.
	reader.Watch(false);
}


std::shared_ptr<IdleReader>
Port::Reader() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fIdleReader;
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

	std::deque<Entry> pending;
	std::shared_ptr<IdleReader> reader;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fClosed = true;
		for (const Entry& entry : fQueue)
			_Forget(entry);
		pending.swap(fQueue);
		fReadable.notify_all();
		if (fPolling)
			_WakePollingReader();
		fWritable.notify_all();
		reader.swap(fIdleReader);
		fReaderHint = nullptr;
	}
	// The transport's thread takes the connections back.
	if (reader != nullptr)
		reader->Detach();
	// Deleting them answers senders that still wait (B_NO_REPLY).
	for (const Entry& entry : pending)
		delete entry.message;
}

} // namespace BPrivate
