// The registrar's table of running applications and of the messengers that watch it.
// All of it lives on the registrar looper's thread; requests arrive as messages
// (app/RegistrarDefs.h), and so do the closings of connections and the ends of
// processes, which end the applications that registered over them or ran in them. The table is kept in a roster file as well,
// for a registrar that may follow this one: applications that ran before that registrar
// rejoin it, and it tells their returning watchers of those that ended meanwhile.
#ifndef _REGISTRAR_H
#define _REGISTRAR_H

#include <Entry.h>
#include <Looper.h>
#include <Messenger.h>

#include <string>
#include <vector>

#include "RosterFile.h"
#include "TeamWatch.h"

class Registrar : public BLooper {
public:
	explicit			Registrar(const std::string& rosterPath);

	virtual void		DispatchMessage(BMessage* message, BHandler* handler);
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
		// Watched the registrar before this one: knows the applications that ran then.
		bool			rejoined;
	};

	void				_Register(BMessage* request);
	void				_Unregister(BMessage* request);
	void				_GetAppList(BMessage* request);
	void				_GetAppInfo(BMessage* request);
	void				_StartWatching(BMessage* request);
	void				_StopWatching(BMessage* request);
	void				_AppActivated(BMessage* request);
	void				_GetActiveApp(BMessage* request);
	// Posts B_APP_ACTIVATED to the application's main port without waiting.
	void				_TellActivated(team_id team, bool active);
	void				_ConnectionClosed(BMessage* message);
	void				_TeamEnded(BMessage* message);

	void				_Remove(size_t index);
	void				_LoadRoster();
	void				_SaveRoster();
	void				_CheckPrevious();
	void				_Ended(const AppRecord& record);
	void				_CatchUp(size_t watcher);
	void				_Notify(uint32 what, uint32 event, const AppRecord& record,
							bool rejoinedOnly = false);
	bool				_Tell(const BMessenger& target, BMessage& notice);
	void				_DropWatchers(team_id team);
	AppRecord*			_Find(team_id team);
	static void			_AddFields(BMessage& message, const AppRecord& record,
							const char* prefix);
	static bool			_ReadFields(const BMessage& message, AppRecord& record);

	std::vector<AppRecord> fApps;
	std::vector<Watcher> fWatchers;
	RosterFile			fRosterFile;
	TeamWatch			fTeamWatch;
	// The applications of the previous registrar's roster that have not rejoined yet and
	// were not seen to end.
	std::vector<AppRecord> fPrevious;
	// Those of them that ended while no registrar ran.
	std::vector<AppRecord> fEnded;
	bool				fSaveFailed = false;
	// The application whose window last became active, or -1.
	team_id				fActiveTeam = -1;
};

#endif // _REGISTRAR_H
