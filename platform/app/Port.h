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

class Port {
public:
	static std::shared_ptr<Port> Create(int32 capacity);
	// The open port with that number (kMainPort: the main port), or NULL.
	static std::shared_ptr<Port> Find(port_id id);
	// The main port's reader is also the one that takes the transport's I/O over while
	// it is idle (below).
	static void SetMain(port_id id);
	// In a process without a main port, the reader of the first port offered (that of a
	// looper that replies come to) takes the I/O over instead, until the port closes or
	// a main port is set.
	static void OfferIdleReader(port_id id);
	// While that port's reader has nothing to read, it takes the transport's I/O
	// over (between watch(true) and watch(false)), so that a request for an idle
	// application is taken in by the thread that will handle it: wait blocks until
	// something can be read, wakeFD (an eventfd that the transport also watches then) is
	// written, or the time runs out (-1: never), and work then reads what wait found
	// ready. Before all that, expect takes in, without waiting, what has already come
	// where the next message is likeliest to come from; when that queued something, the
	// reader looks at its queue again instead of waiting. Without a wakeFD (-1), the
	// reader looks at both sides in turn.
	static void SetIdleWork(int wakeFD, void (*watch)(bool idle),
					void (*wait)(int milliseconds), void (*work)(), bool (*expect)());

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

				~Port();

private:
				Port(port_id id, int32 capacity);

	void		_WakeReader();
	// Under fLock.
	void		_WakePollingReader();
	void		_WaitWithIdleWork(std::unique_lock<std::mutex>& lock, bigtime_t deadline);

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
	// A reader waiting in the idle work rather than on fReadable is woken through the
	// idle work's descriptor, written once until the reader takes the wake-up (fWoken).
	bool		fPolling = false;
	bool		fWoken = false;
};

} // namespace BPrivate

#endif // _PORT_H
