#include <Roster.h>

#include <AppDefs.h>
#include <List.h>
#include <Message.h>

#include <string.h>

#include <mutex>

#include "app/LinkConnection.h"
#include "app/Port.h"
#include "app/RegistrarDefs.h"
#include "app/RosterPrivate.h"
#include "app/RuntimeDirectory.h"
#include "app/TokenSpace.h"

using namespace BPrivate;

namespace {

// Roster requests should never take long; a registrar that hangs must not hang us.
const bigtime_t kRequestTimeout = 10000000;

// One connection to the registrar for the whole process. The registrar takes its
// closing as the end of this application.
std::mutex stLock;
std::shared_ptr<LinkConnection>& stRegistrar = *new std::shared_ptr<LinkConnection>;


status_t
registrar_connection(std::shared_ptr<LinkConnection>& connection)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (stRegistrar == nullptr || stRegistrar->IsHungUp()) {
		std::string path;
		status_t status = registrar_socket_path(path);
		if (status == B_OK)
			status = LinkConnection::Connect(path, stRegistrar);
		if (status != B_OK) {
			stRegistrar.reset();
			return status == B_BAD_PORT_ID ? B_NO_INIT : status;
		}
	}
	connection = stRegistrar;
	return B_OK;
}


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


status_t
reply_status(status_t status, const BMessage& reply)
{
	if (status != B_OK)
		return status;
	int32 error = B_OK;
	if (reply.FindInt32("error", &error) != B_OK)
		return B_BAD_REPLY;
	return error;
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
	if (reply_status(Private::Request(request, &reply), reply) != B_OK)
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
	status_t status = reply_status(Private::Request(request, &reply), reply);
	return status == B_OK ? read_info_fields(reply, info) : status;
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
	status_t status = reply_status(Private::Request(request, &reply), reply);
	return status == B_OK ? read_info_fields(reply, info) : status;
}


status_t
BRoster::StartWatching(BMessenger target, uint32 eventMask) const
{
	BMessage request(kStartWatching);
	request.AddMessenger("target", target);
	request.AddUInt32("events", eventMask);
	BMessage reply;
	return reply_status(Private::Request(request, &reply), reply);
}


status_t
BRoster::StopWatching(BMessenger target) const
{
	BMessage request(kStopWatching);
	request.AddMessenger("target", target);
	BMessage reply;
	return reply_status(Private::Request(request, &reply), reply);
}


status_t
BRoster::Private::Request(BMessage& request, BMessage* reply)
{
	std::shared_ptr<LinkConnection> connection;
	status_t status = registrar_connection(connection);
	if (status != B_OK)
		return status;
	MessageHead head;
	head.port = kMainPort;
	head.token = B_PREFERRED_TOKEN;
	return connection->Request(head, request, reply, kRequestTimeout, kRequestTimeout);
}


status_t
BRoster::Private::AddApplication(const app_info& info, app_info* running)
{
	BMessage request(kRegisterApp);
	add_info_fields(request, info);
	BMessage reply;
	status_t status = Request(request, &reply);
	if (status == B_NO_INIT) {
		status = LaunchRegistrar();
		if (status == B_OK)
			status = Request(request, &reply);
	}
	status = reply_status(status, reply);
	if (status == B_ALREADY_RUNNING && running != NULL)
		read_info_fields(reply, running);
	return status;
}


status_t
BRoster::Private::RemoveApplication(team_id team)
{
	BMessage request(kUnregisterApp);
	request.AddInt32("team", team);
	BMessage reply;
	return reply_status(Request(request, &reply), reply);
}
