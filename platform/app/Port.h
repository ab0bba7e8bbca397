// A looper's port: the queue of messages that its thread drains. Ports are numbered per
// process; port 0 stands for the process's main port (the application's), which is how
// other processes reach an application or the registrar without knowing its numbers.
#ifndef _PORT_H
#define _PORT_H

#include <OS.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

class BMessage;

namespace BPrivate {

const port_id kMainPort = 0;
// What a port may hold of messages from other processes, in flattened bytes, besides
// its capacity in messages.
const size_t kMaxRemoteQueueBytes = 64 * 1024 * 1024;
// What one connection may have waiting in a port even while the port is full, so that
// a peer that fills a port cannot make it refuse the others: a synchronous sender has
// one message waiting at a time.
const int32 kQueueShareMessages = 8;
const size_t kQueueShareBytes = 1024 * 1024;

// The messages and bytes that one connection has waiting in the process's ports.
struct QueueShare {
	std::atomic<int32>	messages{0};
	std::atomic<size_t>	bytes{0};
};

// What a port's reader waits on while it has nothing to read, when it reads the
// transport's connections itself (made by the transport for each such port): the
// connections whose messages come to that port, and a wake-up for the port's own
// writers. Between Watch(true) and Watch(false) the transport's own thread leaves those
// connections to the reader; Wait blocks until something can be read, WakeFD (an eventfd
// that Wait also watches) is written, or the time runs out (-1: never); Work then reads
// what Wait found ready. Before all that, Expect takes in, without waiting, what has
// already come where the next message is likeliest to come from; when that queued
// something, the reader looks at its queue again instead of waiting. Detach is called
// once the port closes: its connections go back to the transport's thread.
class IdleReader {
public:
	virtual				~IdleReader() {}

	virtual	int			WakeFD() const = 0;
	virtual	void		Watch(bool idle) = 0;
	virtual	void		Wait(int milliseconds) = 0;
	virtual	void		Work() = 0;
	virtual	bool		Expect() = 0;
	virtual	void		Detach() = 0;
};

class Port {
public:
	static std::shared_ptr<Port> Create(int32 capacity);
	// The open port with that number (kMainPort: the main port), or NULL.
	static std::shared_ptr<Port> Find(port_id id);
	// The main port; its reader reads the connections its messages come on while idle.
	static void SetMain(port_id id);
	// The reader of that port (that of a looper that replies come to) reads the
	// connections its messages come on while it is idle, as the main port's does, so
	// that each message is taken in by the thread that handles it.
	static void OfferIdleReader(port_id id);
	// How the transport makes each such port's IdleReader (NULL when it cannot); until
	// it is set, or without one, readers wait on the queue alone.
	static void SetIdleReaders(std::shared_ptr<IdleReader> (*make)());

	port_id ID() const { return fID; }

	// Takes the message on B_OK. Waits up to timeout while the port is full
	// (B_WOULD_BLOCK for 0, B_TIMED_OUT later); B_BAD_PORT_ID once closed.
	status_t Write(BMessage* message, bigtime_t timeout);
	// Ignores the capacity: for the kit's own notes to a looper, which must get through.
	status_t WriteForced(BMessage* message);
	// For the transport, which must never stall on one looper: B_WOULD_BLOCK at once
	// while the port is full or holds kMaxRemoteQueueBytes of such messages (size is the
	// message's flattened size), unless the message's connection has less than its
	// share waiting (share counts it while it waits); the transport then cuts that
	// connection off.
	status_t WriteRemote(BMessage* message, size_t size,
				const std::shared_ptr<QueueShare>& share);
	// Queues the message ahead of all others.
	status_t WriteFront(BMessage* message);
	// The next message (the caller owns it), or NULL on timeout or once closed.
	BMessage* Read(bigtime_t timeout);
	int32 Count() const;
	int32 Capacity() const { return (int32)fCapacity; }

	// Refuses further writes and deletes the queued messages; ports are closed by their
	// looper, never reopened.
	void Close();

	// What reads the transport's connections for this port while its reader is idle
	// (NULL: none).
	std::shared_ptr<IdleReader> Reader() const;
	// Reader()'s pointer alone, without the lock: to tell whether it changed.
	IdleReader* ReaderHint() const { return fReaderHint.load(std::memory_order_relaxed); }

				~Port();

private:
				Port(port_id id, int32 capacity);

	void		_WakeReader();
	// Under fLock.
	void		_WakePollingReader();
	void		_WaitWithIdleWork(std::unique_lock<std::mutex>& lock, bigtime_t deadline,
					IdleReader& reader);

	mutable std::mutex	fLock;
	std::condition_variable fReadable;
	std::condition_variable fWritable;
	struct Entry {
		BMessage*	message;
		// Counted in fRemoteBytes and in share.
		size_t		remoteBytes;
		std::shared_ptr<QueueShare> share;
	};

	// Under fLock: forgets a remote entry's count.
	void		_Forget(const Entry& entry);

	std::deque<Entry> fQueue;
	size_t		fRemoteBytes = 0;
	port_id		fID;
	size_t		fCapacity;
	bool		fClosed = false;
	// Whether the reader reads the connections its messages come on while idle, and
	// what does that for it once made.
	std::atomic<bool> fReadsIdle{false};
	std::shared_ptr<IdleReader> fIdleReader;
	std::atomic<IdleReader*> fReaderHint{nullptr};
	// A reader waiting in the idle work rather than on fReadable is woken through the
	// idle reader's descriptor, written once until the reader takes the wake-up (fWoken).
	bool		fPolling = false;
	bool		fWoken = false;
};

} // namespace BPrivate

#endif // _PORT_H
