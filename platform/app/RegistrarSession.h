// The process's one link to the registrar (docs/registrar-protocol.md). The roster's
// requests travel over one connection, whose closing the registrar takes as the end of
// this application. Once the application has registered, a thread of the session
// ("registrar watch") waits for that connection to hang up: then it finds a registrar
// again, or starts one, with bounded retries (or waits for one to appear when the last
// was stopped on purpose), and registers the application and its watchers there anew.
// Meanwhile the roster's requests fail at once with B_NO_INIT; no looper ever waits for
// the registrar to come back.
#ifndef _REGISTRAR_SESSION_H
#define _REGISTRAR_SESSION_H

#include <Message.h>
#include <Messenger.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

class LinkConnection;

class RegistrarSession {
public:
	static RegistrarSession& Default();

	// Sends request to the registrar and waits for its answer: the status of the
	// exchange, else the answer's "error".
	status_t			Request(BMessage& request, BMessage* reply);
	// Sends message to the registrar without waiting for it to be taken or answered;
	// B_NO_INIT before this process has registered or while no registrar is there.
	status_t			Tell(const BMessage& message);
	// Sends the registration request (kRegisterApp), starting a registrar when none
	// runs. Once accepted it is kept, and told again to any registrar that follows.
	status_t			Register(const BMessage& request, BMessage* reply);
	// Unregisters team; the registration and the watchers are forgotten.
	status_t			Unregister(team_id team);

	// The watching that this process asked for, asked again of a registrar that follows.
	void				AddWatcher(const BMessenger& target, uint32 events);
	void				RemoveWatcher(const BMessenger& target);

	// The process of the registrar this one last connected to, or -1: the only process
	// whose roster notices are believed.
	team_id				RegistrarTeam() const { return fRegistrarTeam; }

private:
	struct Watcher {
		BMessenger		target;
		uint32			events;
	};

						RegistrarSession();

	status_t			_Connection(std::shared_ptr<LinkConnection>& connection);
	void				_Wake();
	bool				_Wait(int fd, bigtime_t timeout, short events = 0);
	static status_t		_WatchThread(void* data);
	void				_Watch();
	void				_Recover(uint64 generation);
	status_t			_WaitForSocket(uint64 generation);
	status_t			_Rejoin(uint64 generation);

	std::mutex			fLock;
	std::shared_ptr<LinkConnection> fConnection;
	// What=0 until the application has registered.
	BMessage			fRegistration;
	std::string			fSocketPath;
	std::vector<Watcher> fWatchers;
	// The registrar went away; requests fail until the watch thread has rejoined one.
	bool				fLost = false;
	// The watch thread is trying to rejoin; after its last try, a request wakes it.
	bool				fRecovering = false;
	// Changes with every registration and unregistration, so that a rejoin begun for
	// one is not installed for another.
	uint64				fGeneration = 0;
	std::atomic<team_id> fRegistrarTeam{-1};
	int					fWakeFD = -1;
	thread_id			fThread = -1;
};

} // namespace BPrivate

#endif // _REGISTRAR_SESSION_H
