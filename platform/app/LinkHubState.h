// The state that the process's end of the socket protocol (LinkHub) shares between its
// I/O thread and the loopers that read their own connections (ConnectionReader).
#ifndef _LINK_HUB_STATE_H
#define _LINK_HUB_STATE_H

#include <OS.h>

#include <sys/epoll.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "app/LinkConnection.h"
#include "app/Port.h"

namespace BPrivate {

namespace LinkHub {

// How long a looper that reads its own connections (the main looper, or one that
// replies come to) may stay busy before the I/O thread reads them in its stead. A
// request that arrives while the looper finishes its last message (typically the
// sender's next one, right after the reply) is best read by the looper, which is about
// to wait for it anyway; on a loaded machine a looper is often kept from running for a
// while, and taking over then would only cost both threads work. Messages for other
// loopers wait at most this long behind a busy looper.
const bigtime_t kReaderGrace = 2000;
// While looking at the connection an idle looper last read before it waits finds
// nothing there, it looks once in this many waits.
const uint32 kExpectProbe = 16;
// The most loopers that read their own connections at once (each holds three
// descriptors); those beyond it are served by the I/O thread.
const size_t kMaxConnectionReaders = 64;

// Edge-triggered, so that a looper and the I/O thread can both watch a connection
// without either being told again of what the other read. Write space is watched only
// while output waits for the peer (output_waits): watched always, the peer reading each
// reply woke this process once more per request, for nothing.
const uint32 kConnectionEvents = EPOLLIN | EPOLLRDHUP | EPOLLET;
const uint32 kReadEvents = EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR;

class ConnectionReader;

// An accepted connection, and the wake-ups for it that are not yet served. Whoever
// raises that count from zero reads the connection until the count stays put, so that
// one thread at a time reads it, and in order.
struct Accepted {
	~Accepted();

	std::shared_ptr<LinkConnection> connection;
	std::atomic<int> pending{0};
	// What it has waiting in ports.
	std::shared_ptr<QueueShare> queued = std::make_shared<QueueShare>();
	// Its share of stPartialInput; kept by the thread that reads it, and given back
	// once nobody does.
	size_t partialInput = 0;
	// Under acceptedLock: the looper whose set watches it (NULL: the I/O thread's), and
	// whether write space is watched too. home's pointer alone, for a look without the
	// lock.
	std::shared_ptr<ConnectionReader> home;
	std::atomic<IdleReader*> homeHint{nullptr};
	bool			outputWaits = false;
};

struct ListenState {
	std::string		path;
	// Read by the I/O thread, replaced under stLock.
	std::atomic<int> listenFD{-1};
	// The accepted connections that no looper reads for itself (new ones, and those
	// whose messages go to loopers that do not): the I/O thread watches them.
	int				epollFD = -1;
	// What the I/O thread waits on: the listening socket, the quit signals, epollFD,
	// and the readers' sets and timers (ConnectionReader).
	int				ioEpollFD = -1;
	int				signalFD = -1;
	// Goes off when an accepted connection's pending output may have stalled for
	// kStalledPeerTimeout (armed while stallCheckArmed), and when accepting may go on
	// after running out of descriptors.
	int				stallTimerFD = -1;
	std::atomic<bool> stallCheckArmed{false};
	int				acceptTimerFD = -1;
	// Goes off kQuitSignalGrace after a quit signal; quitSignal is the last one's number.
	int				quitTimerFD = -1;
	int				quitSignal = 0;
	std::mutex		acceptedLock;
	std::unordered_map<int, std::shared_ptr<Accepted>> accepted;
	// The readers by the descriptors of their sets and timers, for the I/O thread.
	std::mutex		readersLock;
	std::unordered_map<int, std::shared_ptr<ConnectionReader>> readers;
};

// The share of the I/O that a looper takes while it has nothing else to do (the main
// looper, or one that replies come to): the connections whose messages last went to its
// port, watched on a set of their own with its port's wake-up, so that a message is
// taken in by the thread that handles it. Once the looper has been busy for
// kReaderGrace, the I/O thread watches them in its stead, until the looper waits again.
class ConnectionReader : public IdleReader {
public:
	// Registered with the I/O thread; NULL when out of descriptors or beyond
	// kMaxConnectionReaders.
	static	std::shared_ptr<ConnectionReader> Make(ListenState& state);

							~ConnectionReader() override;

			int				WakeFD() const override { return fWakeFD; }
			void			Watch(bool idle) override;
			void			Wait(int milliseconds) override;
			void			Work() override;
			bool			Expect() override;
			void			Detach() override;

			int				EpollFD() const { return fEpollFD; }
			bool			IsDetached() const { return fDetached; }

	// On the I/O thread: fd (the set's, or the busy timer's) is ready.
			void			ServeIOEvent(int fd);

private:
							ConnectionReader(ListenState& state);

	// Under fIdleLock.
			void			_SetIOWatching(bool watching);
			void			_StartBusyTimer(bigtime_t microseconds);

			ListenState&	fState;
			int				fEpollFD;
			int				fWakeFD;
	// Goes off when the looper may have been busy for kReaderGrace. The looper starts it
	// when it gets busy and no timer runs, and does not stop it when it waits again:
	// setting and clearing a timer costs more than a message (microseconds on virtual
	// machines), so a stream of messages pays for it once per grace time.
			int				fBusyTimerFD;
			std::atomic<bool> fDetached{false};
	// Whether the looper waits, since when it has been busy, whether fBusyTimerFD runs,
	// and whether the I/O thread watches the set (it does until the looper first waits).
			std::mutex		fIdleLock;
			bool			fIdle = false;
			bigtime_t		fBusySince = 0;
			bool			fTimerRunning = false;
			bool			fIOWatching = false;
	// What the last wait found ready, and the connection last read (-1: none); the
	// looper's alone.
			epoll_event		fReady[16];
			int				fReadyCount = 0;
			int				fExpectedFD = -1;
			bool			fExpectMissed = false;
			uint32			fExpectSkipped = 0;
};


// The set that watches the accepted connection; under acceptedLock.
int home_set(const ListenState& state, const Accepted& accepted);

// Under acceptedLock: moves the accepted connection to the set of reader (NULL: the I/O
// thread's), watching what it watched.
void move_home(ListenState& state, Accepted& accepted,
	const std::shared_ptr<ConnectionReader>& reader);

// timerFD goes off after microseconds.
bool start_timer(int timerFD, bigtime_t microseconds);

void drain_timer(int timerFD);

// Reads what has come on the accepted connection fd and queues its messages; how many
// it queued.
int read_from(ListenState& state, int fd);

// What a set's wait found ready; wakeFD (-1: none) is the port's to take.
void serve(ListenState& state, const epoll_event* events, int count, int wakeFD);

} // namespace LinkHub

} // namespace BPrivate

#endif // _LINK_HUB_STATE_H
