#include "Registrar.h"

#include <AppDefs.h>
#include <Message.h>
#include <Roster.h>

#include <errno.h>
#include <signal.h>
#include <strings.h>

#include "app/LinkConnection.h"
#include "app/MessageDelivery.h"
#include "app/RegistrarDefs.h"

using namespace BPrivate;

namespace {

// A watcher that does not take a notice within this time is dropped.
const bigtime_t kNoticeTimeout = 1000000;


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


Registrar::Registrar()
	:
	BLooper("registrar")
{
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
		case kConnectionClosed:
			_ConnectionClosed(message);
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
	if (delivery == NULL || delivery->connection == nullptr) {
		reply(request, B_BAD_VALUE);
		return;
	}

	AppRecord record;
	const char* signature = NULL;
	if (request->FindString("signature", &signature) != B_OK
		|| request->FindInt32("team", &record.team) != B_OK) {
		reply(request, B_BAD_VALUE);
		return;
	}
	record.signature = signature;
	record.thread = -1;
	record.port = -1;
	record.flags = B_MULTIPLE_LAUNCH;
	request->FindInt32("thread", &record.thread);
	request->FindInt32("port", &record.port);
	int32 flags;
	if (request->FindInt32("flags", &flags) == B_OK)
		record.flags = (uint32)flags;
	request->FindRef("ref", &record.ref);
	record.connection = delivery->connection->ID();
	record.rejoined = false;
	request->FindBool("rejoin", &record.rejoined);

	// A team registers for itself only, while it lives.
	if (record.team != delivery->sourceTeam) {
		reply(request, B_BAD_VALUE);
		return;
	}
	if (kill(record.team, 0) != 0 && errno == ESRCH) {
		reply(request, B_BAD_TEAM_ID);
		return;
	}
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
			if (strcasecmp(running.signature.c_str(), signature) == 0) {
				BMessage answer(B_REPLY);
				_AddFields(answer, running, "");
				reply(request, B_ALREADY_RUNNING, &answer);
				return;
			}
		}
	}

	fApps.push_back(record);
	reply(request, B_OK);
	if (!record.rejoined)
		_Notify(B_SOME_APP_LAUNCHED, B_REQUEST_LAUNCHED, record);
}


void
Registrar::_Unregister(BMessage* request)
{
	team_id team = -1;
	request->FindInt32("team", &team);
	DeliveryInfo* delivery = BMessage::Private(request).DeliveryIfAny();
	if (delivery == NULL || delivery->sourceTeam != team) {
		reply(request, B_NOT_ALLOWED);
		return;
	}
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
	if (request->FindMessenger("target", &watcher.target) != B_OK
		|| request->FindUInt32("events", &watcher.events) != B_OK) {
		reply(request, B_BAD_VALUE);
		return;
	}
	bool rejoin = false;
	request->FindBool("rejoin", &rejoin);
	for (Watcher& existing : fWatchers) {
		if (existing.target == watcher.target) {
			existing.events = watcher.events;
			reply(request, B_OK);
			return;
		}
	}
	fWatchers.push_back(watcher);
	reply(request, B_OK);

	// A watcher of the registrar before this one missed the launches seen here before
	// it came back; the applications that rejoined it knew of already.
	if (rejoin && (watcher.events & B_REQUEST_LAUNCHED) != 0) {
		for (const AppRecord& record : fApps) {
			if (record.rejoined || record.team == watcher.target.Team())
				continue;
			BMessage notice(B_SOME_APP_LAUNCHED);
			_AddFields(notice, record, "be:");
			if (!_Tell(fWatchers.size() - 1, notice))
				break;
		}
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
	for (size_t i = 0; i < fApps.size(); i++) {
		if (fApps[i].connection == connection) {
			_Remove(i);
			return;
		}
	}
}


void
Registrar::_Remove(size_t index)
{
	AppRecord record = fApps[index];
	fApps.erase(fApps.begin() + index);
	_Notify(B_SOME_APP_QUIT, B_REQUEST_QUIT, record);

	// Its watchers are gone with it.
	for (size_t i = fWatchers.size(); i-- > 0;) {
		if (fWatchers[i].target.Team() == record.team)
			fWatchers.erase(fWatchers.begin() + i);
	}
}


void
Registrar::_Notify(uint32 what, uint32 event, const AppRecord& record)
{
	BMessage notice(what);
	_AddFields(notice, record, "be:");
	for (size_t i = fWatchers.size(); i-- > 0;) {
		if ((fWatchers[i].events & event) != 0 && fWatchers[i].target.Team() != record.team)
			_Tell(i, notice);
	}
}


// False when the watcher did not take the notice and was dropped.
bool
Registrar::_Tell(size_t index, BMessage& notice)
{
	if (fWatchers[index].target.SendMessage(&notice,
			(BHandler*)NULL, kNoticeTimeout) == B_OK)
		return true;
	fWatchers.erase(fWatchers.begin() + index);
	return false;
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
