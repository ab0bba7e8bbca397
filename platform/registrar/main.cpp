// The registrar daemon: one per user and runtime directory. A second one finds the lock
// taken and leaves at once. SIGTERM and SIGINT end it; messages from other processes
// never do.
#include <AppDefs.h>
#include <Message.h>

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Registrar.h"
#include "app/HandlerPrivate.h"
#include "app/LinkHub.h"
#include "app/Port.h"
#include "app/RegistrarDefs.h"
#include "app/RuntimeDirectory.h"

namespace {

void
connection_closed(uint64 connection)
{
	BMessage* message = new BMessage(BPrivate::kConnectionClosed);
	message->AddUInt64("connection", connection);
	std::shared_ptr<BPrivate::Port> port = BPrivate::Port::Find(BPrivate::kMainPort);
	if (port == nullptr || port->WriteForced(message) != B_OK)
		delete message;
}


void
quit_requested()
{
	if (std::shared_ptr<BPrivate::Port> port = BPrivate::Port::Find(BPrivate::kMainPort))
		port->WriteForced(new BMessage(B_QUIT_REQUESTED));
}


// How often the registrar looks whether its socket is still there.
const bigtime_t kSocketCheckInterval = 1000000;


// A registrar whose socket was removed (its runtime directory deleted, as tests do) can
// no longer be reached: it leaves instead of lingering.
struct SocketFile {
	std::string		path;
	struct stat		original;
};


status_t
watch_socket(void* data)
{
	const SocketFile& socket = *static_cast<SocketFile*>(data);
	for (;;) {
		struct stat current;
		if (stat(socket.path.c_str(), &current) != 0
			|| current.st_ino != socket.original.st_ino
			|| current.st_dev != socket.original.st_dev) {
			quit_requested();
			return B_OK;
		}
		snooze(kSocketCheckInterval);
	}
}

} // namespace


int
main()
{
	std::string lockPath;
	std::string socketPath;
	std::string rosterPath;
	status_t status = BPrivate::registrar_lock_path(lockPath);
	if (status == B_OK)
		status = BPrivate::registrar_socket_path(socketPath);
	if (status == B_OK)
		status = BPrivate::registrar_roster_path(rosterPath);
	if (status != B_OK) {
		fprintf(stderr, "registrar: no runtime directory: %s\n", strerror(status));
		return 1;
	}

	// Held until the process ends; the kernel lets it go even after a crash. Neither a
	// link nor a FIFO put in its place is followed or waited on.
	int lockFD = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW
		| O_NONBLOCK, 0600);
	if (lockFD < 0) {
		fprintf(stderr, "registrar: cannot open %s: %s\n", lockPath.c_str(),
			strerror(errno));
		return 1;
	}
	struct stat lockFile;
	if (fstat(lockFD, &lockFile) != 0 || !S_ISREG(lockFile.st_mode)) {
		fprintf(stderr, "registrar: %s is not a regular file\n", lockPath.c_str());
		return 1;
	}
	if (flock(lockFD, LOCK_EX | LOCK_NB) != 0)
		return 0;

	Registrar* registrar = new Registrar(rosterPath);
	BPrivate::Port::SetMain(BLooper::Private(registrar).PortID());
	BPrivate::LinkHub::SetConnectionClosedHook(connection_closed);
	BPrivate::LinkHub::SetQuitSignalHook(quit_requested);
	status = BPrivate::LinkHub::Listen(socketPath);
	if (status != B_OK) {
		fprintf(stderr, "registrar: cannot listen on %s: %s\n", socketPath.c_str(),
			strerror(status));
		return 1;
	}

	// Taken at once, so that a removal even before the watch begins is seen.
	SocketFile socket = { socketPath, {} };
	stat(socketPath.c_str(), &socket.original);
	thread_id thread = registrar->Run();
	resume_thread(spawn_thread(watch_socket, "socket watch", B_LOW_PRIORITY, &socket));
	wait_for_thread(thread, NULL);
	BPrivate::LinkHub::StopListening();
	return 0;
}
