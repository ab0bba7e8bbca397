#include <Roster.h>

#include <Mime.h>

#include <AppDefs.h>
#include <List.h>
#include <Application.h>
#include <Message.h>

#include <string.h>
#include <unistd.h>

#include <atomic>

#include "app/MessageDelivery.h"
#include "app/MessengerPrivate.h"
#include "app/RegistrarDefs.h"
#include "app/RegistrarSession.h"
#include "app/RosterPrivate.h"

using namespace BPrivate;

namespace {

// The longest Broadcast waits for room in one application's queue.
const bigtime_t kBroadcastTimeout = 100000;
// The longest ActivateApp waits for room in the application's queue.
const bigtime_t kActivateTimeout = 100000;

std::atomic<port_id> stFrontWindowPort{-1};

void
add_info_fields(BMessage& message, const app_info& info)
{
	message.AddString("signature", info.signature);
	message.AddInt32("team", info.team);
	message.AddInt32("thread", info.thread);
	message.AddInt32("port", info.port);
	message.AddInt32("flags", (int32)info.flags);
	if (info.ref.name != NULL)
		message.AddRef("ref", &info.ref);
}


status_t
read_info_fields(const BMessage& message, app_info* info)
{
	const char* signature = NULL;
	status_t status = message.FindString("signature", &signature);
	if (status == B_OK)
		status = message.FindInt32("team", &info->team);
	if (status != B_OK)
		return status;
	snprintf(info->signature, sizeof(info->signature), "%s", signature);
	message.FindInt32("thread", &info->thread);
	message.FindInt32("port", &info->port);
	int32 flags;
	if (message.FindInt32("flags", &flags) == B_OK)
		info->flags = (uint32)flags;
	message.FindRef("ref", &info->ref);
	return B_OK;
}


} // namespace


const BRoster* be_roster = new BRoster;


app_info::app_info()
	:
	thread(-1),
	team(-1),
	port(-1),
	flags(B_MULTIPLE_LAUNCH)
{
	signature[0] = '\0';
}


app_info::~app_info()
{
}


BRoster::BRoster()
{
}


BRoster::~BRoster()
{
}


bool
BRoster::IsRunning(const char* signature) const
{
	return TeamFor(signature) >= 0;
}


team_id
BRoster::TeamFor(const char* signature) const
{
	app_info info;
	status_t status = GetAppInfo(signature, &info);
	return status == B_OK ? info.team : status;
}


void
BRoster::GetAppList(BList* teams) const
{
	GetAppList(NULL, teams);
}


void
BRoster::GetAppList(const char* signature, BList* teams) const
{
	if (teams == NULL)
		return;
	BMessage request(kGetAppList);
	if (signature != NULL)
		request.AddString("signature", signature);
	BMessage reply;
	if (Private::Request(request, &reply) != B_OK)
		return;
	int32 team;
	for (int32 i = 0; reply.FindInt32("team", i, &team) == B_OK; i++)
		teams->AddItem((void*)(intptr_t)team);
}


status_t
BRoster::GetAppInfo(const char* signature, app_info* info) const
{
	if (signature == NULL || info == NULL)
		return B_BAD_VALUE;
	BMessage request(kGetAppInfo);
	request.AddString("signature", signature);
	BMessage reply;
	status_t status = Private::Request(request, &reply);
	return status == B_OK ? read_info_fields(reply, info) : status;
}


status_t
BRoster::FindApp(const char* signature, entry_ref* app) const
{
	if (signature == NULL || app == NULL)
		return B_BAD_VALUE;
	app_info info;
	if (GetAppInfo(signature, &info) == B_OK && info.ref.name != NULL) {
		*app = info.ref;
		return B_OK;
	}
	// An application that is not running is where the MIME database last saw it.
	BMimeType type(signature);
	if (type.InitCheck() == B_OK && type.GetAppHint(app) == B_OK)
		return B_OK;
	return B_LAUNCH_FAILED_APP_NOT_FOUND;
}


status_t
BRoster::GetRunningAppInfo(team_id team, app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (team < 0)
		return B_BAD_TEAM_ID;
	BMessage request(kGetAppInfo);
	request.AddInt32("team", team);
	BMessage reply;
	status_t status = Private::Request(request, &reply);
	return status == B_OK ? read_info_fields(reply, info) : status;
}


status_t
BRoster::GetActiveAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	BMessage request(kGetActiveApp);
	BMessage reply;
	status_t status = Private::Request(request, &reply);
	return status == B_OK ? read_info_fields(reply, info) : status;
}


status_t
BRoster::ActivateApp(team_id team) const
{
	app_info info;
	status_t status = GetRunningAppInfo(team, &info);
	if (status != B_OK)
		return status == B_NO_INIT ? status : B_BAD_TEAM_ID;
	BMessenger target;
	BMessenger::Private(target).SetTo(info.team, info.port, B_PREFERRED_TOKEN);
	BMessage request(kActivateApp);
	return target.SendMessage(&request, (BHandler*)NULL, kActivateTimeout);
}


status_t
BRoster::StartWatching(BMessenger target, uint32 eventMask) const
{
	BMessage request(kStartWatching);
	request.AddMessenger("target", target);
	request.AddUInt32("events", eventMask);
	BMessage reply;
	status_t status = Private::Request(request, &reply);
	if (status == B_OK)
		RegistrarSession::Default().AddWatcher(target, eventMask);
	return status;
}


status_t
BRoster::StopWatching(BMessenger target) const
{
	RegistrarSession::Default().RemoveWatcher(target);
	BMessage request(kStopWatching);
	request.AddMessenger("target", target);
	BMessage reply;
	return Private::Request(request, &reply);
}


status_t
BRoster::Broadcast(BMessage* message) const
{
	return Broadcast(message, be_app_messenger);
}


status_t
BRoster::Broadcast(BMessage* message, BMessenger replyTo) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	BList teams;
	GetAppList(&teams);
	for (int32 i = 0; i < teams.CountItems(); i++) {
		team_id team = (team_id)(intptr_t)teams.ItemAt(i);
		app_info info;
		if (team == getpid() || GetRunningAppInfo(team, &info) != B_OK)
			continue;
		// A hung or busy application misses the message rather than holding up the rest.
		BMessage copy(*message);
		BMessenger(info.signature, team).SendMessage(&copy, replyTo, kBroadcastTimeout);
	}
	return B_OK;
}


void
BRoster::Private::WindowActivated(port_id windowPort)
{
	stFrontWindowPort = windowPort;
	BMessage report(kAppActivated);
	report.AddInt32("team", getpid());
	RegistrarSession::Default().Tell(report);
}


port_id
BRoster::Private::FrontWindowPort()
{
	return stFrontWindowPort;
}


status_t
BRoster::Private::Request(BMessage& request, BMessage* reply)
{
	return RegistrarSession::Default().Request(request, reply);
}


bool
BRoster::Private::IsForgedNotice(const BMessage* message)
{
	if (message->what != B_SOME_APP_LAUNCHED && message->what != B_SOME_APP_QUIT
		&& message->what != B_SOME_APP_ACTIVATED)
		return false;
	// What this process posts itself is its own business.
	const DeliveryInfo* delivery = BMessage::Private(message).DeliveryIfAny();
	if (delivery == NULL || !delivery->sourceRemote)
		return false;
	return delivery->sourceTeam != RegistrarSession::Default().RegistrarTeam();
}


status_t
BRoster::Private::AddApplication(const app_info& info, app_info* running)
{
	BMessage request(kRegisterApp);
	add_info_fields(request, info);
	BMessage reply;
	status_t status = RegistrarSession::Default().Register(request, &reply);
	if (status == B_ALREADY_RUNNING && running != NULL)
		read_info_fields(reply, running);
	return status;
}


status_t
BRoster::Private::RemoveApplication(team_id team)
{
	return RegistrarSession::Default().Unregister(team);
}
