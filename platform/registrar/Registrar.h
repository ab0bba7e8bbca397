// The registrar's table of running applications and of the messengers that watch it.
// All of it lives on the registrar looper's thread; requests arrive as messages
// (app/RegistrarDefs.h), and so do the closings of connections, which end the
// applications that registered over them.
#ifndef _REGISTRAR_H
#define _REGISTRAR_H

#include <Entry.h>
#include <Looper.h>
#include <Messenger.h>

#include <string>
#include <vector>

class Registrar : public BLooper {
public:
						Registrar();

	virtual void		MessageReceived(BMessage* message);

private:
	struct AppRecord {
		std::string		signature;
		team_id			team;
		thread_id		thread;
		port_id			port;
		uint32			flags;
		entry_ref		ref;
		uint64			connection;
		// Registered again after a registrar before this one went away: the watchers
		// that were there knew of it already.
		bool			rejoined;
	};

	struct Watcher {
		BMessenger		target;
		uint32			events;
	};

	void				_Register(BMessage* request);
	void				_Unregister(BMessage* request);
	void				_GetAppList(BMessage* request);
	void				_GetAppInfo(BMessage* request);
	void				_StartWatching(BMessage* request);
	void				_StopWatching(BMessage* request);
	void				_ConnectionClosed(BMessage* message);

	void				_Remove(size_t index);
	void				_Notify(uint32 what, uint32 event, const AppRecord& record);
	bool				_Tell(size_t index, BMessage& notice);
	AppRecord*			_Find(team_id team);
	static void			_AddFields(BMessage& message, const AppRecord& record,
							const char* prefix);

	std::vector<AppRecord> fApps;
	std::vector<Watcher> fWatchers;
};

#endif // _REGISTRAR_H
