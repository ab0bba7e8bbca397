#include "Registrar.h"

#include <AppDefs.h>
#include <Message.h>
#include <Roster.h>

#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include "app/LinkConnection.h"
#include "app/MessageDelivery.h"
#include "app/MessengerPrivate.h"
#include "app/Port.h"
#include "app/RegistrarDefs.h"
#include "app/TokenSpace.h"

#include <algorithm>

using namespace BPrivate;

namespace {

// A watcher that does not take a notice within this time, connecting included, is
// dropped, and every other watcher of its team with it.
const bigtime_t kNoticeTimeout = 1000000;
// The watchers one team may have; more are refused.
const size_t kMaxWatchersPerTeam = 16;


// Whether a team runs; one that has ended but is not reaped yet does not.
bool
team_alive(team_id team)
{
	if (team <= 0 || (kill(team, 0) != 0 && errno == ESRCH))
		return false;
	char path[64];
	snprintf(path, sizeof(path), "/proc/%d/stat", (int)team);
	FILE* file = fopen(path, "re");
	if (file == NULL)
		return false;
	char line[512];
	bool alive = true;
	if (fgets(line, sizeof(line), file) != NULL) {
		// "pid (name) state ...": the name may hold anything, even ") ".
		const char* end = strrchr(line, ')');
		alive = end == NULL || end[1] != ' ' || end[2] != 'Z';
	}
	fclose(file);
	return alive;
}


// Called on the team watch's thread.
void
post_team_ended(team_id team)
{
	BMessage* message = new BMessage(kTeamEnded);
	message->AddInt32("team", team);
	std::shared_ptr<Port> port = Port::Find(kMainPort);
	if (port == nullptr || port->WriteForced(message) != B_OK)
		delete message;
}


// The team that sent a request: the one the connection's credentials name, or this
// registrar for its own messages. -1 when unknown.
team_id
sender_of(const BMessage* request)
{
	DeliveryInfo* delivery = BMessage::Private(request).DeliveryIfAny();
	return delivery != NULL ? delivery->sourceTeam : -1;
}


void
reply(BMessage* request, status_t error, BMessage* answer = NULL)
{
	BMessage plain(B_REPLY);
	if (answer == NULL)
		answer = &plain;
	answer->AddInt32("error", error);
	request->SendReply(answer);
}

} // namespace


Registrar::Registrar(const std::string& rosterPath)
	:
	BLooper("registrar"),
	fRosterFile(rosterPath),
	fTeamWatch(post_team_ended)
{
	_LoadRoster();
	if (fTeamWatch.Start() != B_OK)
		fprintf(stderr, "registrar: cannot watch the ends of processes\n");
}


// The messages the registrar tells itself (closed connections, ended processes, the
// quit signals) carry no delivery from another process; another process that sends them
// is refused. Only SIGTERM and SIGINT stop the registrar.
void
Registrar::DispatchMessage(BMessage* message, BHandler* handler)
{
	switch (message->what) {
		case B_QUIT_REQUESTED:
		case kConnectionClosed:
		case kTeamEnded:
			if (message->IsSourceRemote()) {
				reply(message, B_NOT_ALLOWED);
				return;
			}
			break;
	}
	BLooper::DispatchMessage(message, handler);
}


void
Registrar::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kRegisterApp:
			_Register(message);
			break;
		case kUnregisterApp:
			_Unregister(message);
			break;
		case kGetAppList:
			_GetAppList(message);
			break;
		case kGetAppInfo:
			_GetAppInfo(message);
			break;
		case kStartWatching:
			_StartWatching(message);
			break;
		case kStopWatching:
			_StopWatching(message);
			break;
		case kAppActivated:
			_AppActivated(message);
			break;
		case kGetActiveApp:
			_GetActiveApp(message);
			break;
		case kConnectionClosed:
			_ConnectionClosed(message);
			break;
		case kTeamEnded:
			_TeamEnded(message);
			break;
		default:
			BLooper::MessageReceived(message);
			break;
	}
}


void
Registrar::_Register(BMessage* request)
{
	// Only a synchronous request names the connection whose end ends the application.
	DeliveryInfo* delivery = BMessage::Private(request).DeliveryIfAny();
	AppRecord record;
	if (delivery == NULL || delivery->connection == nullptr
		|| !_ReadFields(*request, record)) {
		reply(request, B_BAD_VALUE);
		return;
	}
	record.connection = delivery->connection->ID();
	request->FindBool("rejoin", &record.rejoined);

	// A team registers for itself only, while it lives.
	if (record.team != delivery->sourceTeam) {
		reply(request, B_BAD_VALUE);
		return;
	}
	if (!team_alive(record.team)) {
		reply(request, B_BAD_TEAM_ID);
		return;
	}
	_CheckPrevious();
	if (AppRecord* existing = _Find(record.team)) {
		// Rejoining twice (its first connection broke) only moves the record over.
		if (!record.rejoined) {
			reply(request, B_BAD_VALUE);
			return;
		}
		*existing = record;
		reply(request, B_OK);
		return;
	}

	// An application that ran before this registrar keeps running whatever its launch
	// mode: the roster lists what runs.
	uint32 launch = record.flags & B_LAUNCH_MASK;
	if (!record.rejoined && (launch == B_SINGLE_LAUNCH || launch == B_EXCLUSIVE_LAUNCH)) {
		for (const AppRecord& running : fApps) {
			if (strcasecmp(running.signature.c_str(), record.signature.c_str()) == 0) {
				BMessage answer(B_REPLY);
				_AddFields(answer, running, "");
				reply(request, B_ALREADY_RUNNING, &answer);
				return;
			}
		}
	}

	// The team of an application of the previous roster is back, or, registering
	// afresh, is another application now: the one the roster named has ended.
	for (size_t i = 0; i < fPrevious.size(); i++) {
		if (fPrevious[i].team == record.team) {
			AppRecord previous = fPrevious[i];
			fPrevious.erase(fPrevious.begin() + i);
			if (!record.rejoined)
				_Ended(previous);
			break;
		}
	}

	if (fTeamWatch.Add(record.team) != B_OK) {
		reply(request, B_BAD_TEAM_ID);
		return;
	}
	fApps.push_back(record);
	_SaveRoster();
	reply(request, B_OK);
	if (!record.rejoined)
		_Notify(B_SOME_APP_LAUNCHED, B_REQUEST_LAUNCHED, record);
}


void
Registrar::_Unregister(BMessage* request)
{
	team_id team = -1;
	request->FindInt32("team", &team);
	if (team < 0 || sender_of(request) != team) {
		reply(request, B_NOT_ALLOWED);
		return;
	}
	_CheckPrevious();
	for (size_t i = 0; i < fApps.size(); i++) {
		if (fApps[i].team == team) {
			reply(request, B_OK);
			_Remove(i);
			return;
		}
	}
	reply(request, B_BAD_TEAM_ID);
}


void
Registrar::_GetAppList(BMessage* request)
{
	const char* signature = NULL;
	request->FindString("signature", &signature);
	BMessage answer(B_REPLY);
	for (const AppRecord& record : fApps) {
		if (signature == NULL || strcasecmp(record.signature.c_str(), signature) == 0)
			answer.AddInt32("team", record.team);
	}
	reply(request, B_OK, &answer);
}


void
Registrar::_GetAppInfo(BMessage* request)
{
	const AppRecord* found = NULL;
	team_id team;
	const char* signature;
	if (request->FindInt32("team", &team) == B_OK)
		found = _Find(team);
	else if (request->FindString("signature", &signature) == B_OK) {
		for (const AppRecord& record : fApps) {
			if (strcasecmp(record.signature.c_str(), signature) == 0) {
				found = &record;
				break;
			}
		}
	}

	if (found == NULL) {
		reply(request, B_BAD_TEAM_ID);
		return;
	}
	BMessage answer(B_REPLY);
	_AddFields(answer, *found, "");
	reply(request, B_OK, &answer);
}


void
Registrar::_StartWatching(BMessage* request)
{
	Watcher watcher;
	watcher.rejoined = false;
	if (request->FindMessenger("target", &watcher.target) != B_OK
		|| request->FindUInt32("events", &watcher.events) != B_OK) {
		reply(request, B_BAD_VALUE);
		return;
	}
	// Notices go only where their asker lives: nobody points the registrar at another.
	team_id team = watcher.target.Team();
	if (team < 0 || sender_of(request) != team) {
		reply(request, B_NOT_ALLOWED);
		return;
	}
	request->FindBool("rejoin", &watcher.rejoined);
	size_t teamWatchers = 0;
	for (Watcher& existing : fWatchers) {
		if (existing.target == watcher.target) {
			existing.events = watcher.events;
			existing.rejoined |= watcher.rejoined;
			reply(request, B_OK);
			return;
		}
		if (existing.target.Team() == team)
			teamWatchers++;
	}
	if (teamWatchers >= kMaxWatchersPerTeam) {
		reply(request, B_NOT_ALLOWED);
		return;
	}
	// Before it is added, so that it hears of each application that ended once.
	_CheckPrevious();
	fWatchers.push_back(watcher);
	reply(request, B_OK);
	if (watcher.rejoined)
		_CatchUp(fWatchers.size() - 1);
}


// A watcher of the registrar before this one hears what it missed while none ran, as
// far as this one knows: the applications of the previous roster that ended, then the
// applications that registered here afresh before it came back. Those that rejoined it
// knew of already.
void
Registrar::_CatchUp(size_t index)
{
	Watcher watcher = fWatchers[index];
	std::vector<BMessage> notices;
	for (const AppRecord& record : fEnded) {
		if ((watcher.events & B_REQUEST_QUIT) != 0 && record.team != watcher.target.Team()) {
			notices.emplace_back(B_SOME_APP_QUIT);
			_AddFields(notices.back(), record, "be:");
		}
	}
	for (const AppRecord& record : fApps) {
		if ((watcher.events & B_REQUEST_LAUNCHED) != 0 && !record.rejoined
			&& record.team != watcher.target.Team()) {
			notices.emplace_back(B_SOME_APP_LAUNCHED);
			_AddFields(notices.back(), record, "be:");
		}
	}
	for (BMessage& notice : notices) {
		if (!_Tell(watcher.target, notice))
			break;
	}
}


void
Registrar::_StopWatching(BMessage* request)
{
	BMessenger target;
	if (request->FindMessenger("target", &target) != B_OK) {
		reply(request, B_BAD_VALUE);
		return;
	}
	if (sender_of(request) != target.Team()) {
		reply(request, B_NOT_ALLOWED);
		return;
	}
	for (auto it = fWatchers.begin(); it != fWatchers.end(); it++) {
		if (it->target == target) {
			fWatchers.erase(it);
			reply(request, B_OK);
			return;
		}
	}
	reply(request, B_BAD_VALUE);
}


void
Registrar::_ConnectionClosed(BMessage* message)
{
	uint64 connection = 0;
	if (message->FindUInt64("connection", &connection) != B_OK)
		return;
	_CheckPrevious();
	for (size_t i = 0; i < fApps.size(); i++) {
		if (fApps[i].connection == connection) {
			_Remove(i);
			return;
		}
	}
}


// The process of a registered team has ended, whoever still holds its connection.
void
Registrar::_TeamEnded(BMessage* message)
{
	team_id team = -1;
	if (message->FindInt32("team", &team) != B_OK || !fTeamWatch.HasEnded(team))
		return;
	_CheckPrevious();
	for (size_t i = 0; i < fApps.size(); i++) {
		if (fApps[i].team == team) {
			_Remove(i);
			return;
		}
	}
}


// Only a registered team reports itself; the report needs no answer.
void
Registrar::_AppActivated(BMessage* request)
{
	team_id team = -1;
	if (request->FindInt32("team", &team) != B_OK || sender_of(request) != team
		|| _Find(team) == NULL || team == fActiveTeam)
		return;
	team_id previous = fActiveTeam;
	fActiveTeam = team;
	if (previous >= 0)
		_TellActivated(previous, false);
	_TellActivated(team, true);
}


void
Registrar::_GetActiveApp(BMessage* request)
{
	const AppRecord* active = _Find(fActiveTeam);
	if (active == NULL) {
		reply(request, B_ERROR);
		return;
	}
	BMessage answer(B_REPLY);
	_AddFields(answer, *active, "");
	reply(request, B_OK, &answer);
}


// An application too busy to take the notice at once misses it: the registrar never
// waits on one.
void
Registrar::_TellActivated(team_id team, bool active)
{
	const AppRecord* record = _Find(team);
	if (record == NULL)
		return;
	BMessenger target;
	BMessenger::Private(target).SetTo(record->team, record->port, B_PREFERRED_TOKEN);
	BMessage notice(B_APP_ACTIVATED);
	notice.AddBool("active", active);
	target.SendMessage(&notice, (BHandler*)NULL, 0);
}


void
Registrar::_Remove(size_t index)
{
	AppRecord record = fApps[index];
	fApps.erase(fApps.begin() + index);
	if (record.team == fActiveTeam)
		fActiveTeam = -1;
	fTeamWatch.Remove(record.team);
	_SaveRoster();
	// Its watchers are gone with it.
	_DropWatchers(record.team);
	_Notify(B_SOME_APP_QUIT, B_REQUEST_QUIT, record);
}


// To the watchers of that event, but not to the application's own; with rejoinedOnly,
// to those that came back from the registrar before this one only.
void
Registrar::_Notify(uint32 what, uint32 event, const AppRecord& record, bool rejoinedOnly)
{
	BMessage notice(what);
	_AddFields(notice, record, "be:");
	std::vector<BMessenger> targets;
	for (const Watcher& watcher : fWatchers) {
		if ((watcher.events & event) != 0 && watcher.target.Team() != record.team
			&& (watcher.rejoined || !rejoinedOnly))
			targets.push_back(watcher.target);
	}
	// A team that did not take it has lost its other watchers too.
	for (const BMessenger& target : targets) {
		if (std::any_of(fWatchers.begin(), fWatchers.end(),
				[&](const Watcher& watcher) { return watcher.target == target; }))
			_Tell(target, notice);
	}
}


// False when the target did not take the notice in time: its team, hung or gone, loses
// all its watchers, so that it holds up the roster once and not once per watcher.
bool
Registrar::_Tell(const BMessenger& target, BMessage& notice)
{
	if (target.SendMessage(&notice, (BHandler*)NULL, kNoticeTimeout) == B_OK)
		return true;
	_DropWatchers(target.Team());
	return false;
}


void
Registrar::_DropWatchers(team_id team)
{
	fWatchers.erase(std::remove_if(fWatchers.begin(), fWatchers.end(),
		[team](const Watcher& watcher) { return watcher.target.Team() == team; }),
		fWatchers.end());
}


// The applications that the previous registrar's roster names are expected back.
void
Registrar::_LoadRoster()
{
	BMessage roster;
	if (fRosterFile.Load(roster) != B_OK)
		return;
	BMessage fields;
	for (int32 i = 0; roster.FindMessage("app", i, &fields) == B_OK; i++) {
		AppRecord record;
		if (_ReadFields(fields, record))
			fPrevious.push_back(record);
	}
}


// What runs, and what ran before and may still come back, for a registrar that follows.
void
Registrar::_SaveRoster()
{
	BMessage roster(RosterFile::kWhat);
	for (const std::vector<AppRecord>* records : { &fApps, &fPrevious }) {
		for (const AppRecord& record : *records) {
			BMessage fields;
			_AddFields(fields, record, "");
			roster.AddMessage("app", &fields);
		}
	}
	// Said once until a save succeeds again, so that the log stays small.
	status_t status = fRosterFile.Save(roster);
	if (status != B_OK && !fSaveFailed)
		fprintf(stderr, "registrar: cannot save the roster: %s\n", strerror(status));
	fSaveFailed = status != B_OK;
}


// Applications of the previous roster whose team has ended quit while no registrar ran.
void
Registrar::_CheckPrevious()
{
	bool changed = false;
	for (size_t i = 0; i < fPrevious.size();) {
		if (team_alive(fPrevious[i].team)) {
			i++;
			continue;
		}
		AppRecord record = fPrevious[i];
		fPrevious.erase(fPrevious.begin() + i);
		_Ended(record);
		changed = true;
	}
	if (changed)
		_SaveRoster();
}


// Only the watchers that came back from the previous registrar knew of it.
void
Registrar::_Ended(const AppRecord& record)
{
	fEnded.push_back(record);
	_Notify(B_SOME_APP_QUIT, B_REQUEST_QUIT, record, true);
}


Registrar::AppRecord*
Registrar::_Find(team_id team)
{
	for (AppRecord& record : fApps) {
		if (record.team == team)
			return &record;
	}
	return NULL;
}


void
Registrar::_AddFields(BMessage& message, const AppRecord& record, const char* prefix)
{
	std::string p(prefix);
	message.AddString((p + "signature").c_str(), record.signature.c_str());
	message.AddInt32((p + "team").c_str(), record.team);
	message.AddInt32((p + "thread").c_str(), record.thread);
	message.AddInt32((p + "port").c_str(), record.port);
	message.AddInt32((p + "flags").c_str(), (int32)record.flags);
	if (record.ref.name != NULL)
		message.AddRef((p + "ref").c_str(), &record.ref);
}


// The fields of a registration, as _AddFields writes them without a prefix; signature
// and team are required.
bool
Registrar::_ReadFields(const BMessage& message, AppRecord& record)
{
	const char* signature = NULL;
	if (message.FindString("signature", &signature) != B_OK
		|| message.FindInt32("team", &record.team) != B_OK)
		return false;
	record.signature = signature;
	record.thread = -1;
	record.port = -1;
	record.flags = B_MULTIPLE_LAUNCH;
	record.connection = 0;
	record.rejoined = false;
	message.FindInt32("thread", &record.thread);
	message.FindInt32("port", &record.port);
	int32 flags;
	if (message.FindInt32("flags", &flags) == B_OK)
		record.flags = (uint32)flags;
	message.FindRef("ref", &record.ref);
	return true;
}
