#include <Messenger.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Roster.h>

#include <string.h>
#include <unistd.h>

#include "app/HandlerPrivate.h"
#include "app/LinkHub.h"
#include "app/LooperList.h"
#include "app/MessageDelivery.h"
#include "app/MessengerPrivate.h"
#include "app/Port.h"
#include "app/ReplyWaiter.h"
#include "support/ThreadControl.h"

using BPrivate::B_NULL_TOKEN;
using BPrivate::B_PREFERRED_TOKEN;

namespace {

// Queues a copy of message on a port of this process, carrying the delivery record.
status_t
post_local(port_id portID, int32 token, const BMessage& message, const BMessenger& replyTo,
	bool isReply, const std::shared_ptr<BPrivate::ReplyWaiter>& waiter, bigtime_t timeout)
{
	std::shared_ptr<BPrivate::Port> port = BPrivate::Port::Find(portID);
	if (port == nullptr)
		return B_BAD_PORT_ID;

	BMessage* copy = new BMessage(message);
	BPrivate::DeliveryInfo& info = BMessage::Private(copy).Delivery();
	info.token = token;
	info.sourceTeam = BPrivate::current_team();
	info.isReply = isReply;
	info.waiter = waiter;
	if (replyTo.Team() >= 0) {
		BMessenger::Private reply(replyTo);
		info.hasReplyTo = true;
		info.replyTeam = replyTo.Team();
		info.replyPort = reply.Port();
		info.replyToken = reply.Token();
	}

	status_t status = port->Write(copy, timeout);
	if (status != B_OK) {
		// Nobody received it: its sender learns from the status, not from a B_NO_REPLY.
		info.waiter = nullptr;
		delete copy;
	}
	return status;
}

} // namespace


status_t
BPrivate::send_message(const BMessenger& target, const BMessage& message, BMessenger replyTo,
	bool isReply, bigtime_t timeout)
{
	BMessenger::Private address(target);
	if (target.Team() < 0 || address.Port() < 0)
		return B_BAD_PORT_ID;
	if (replyTo.Team() < 0)
		replyTo = BPrivate::app_messenger();

	if (target.IsTargetLocal()) {
		return post_local(address.Port(), address.Token(), message, replyTo, isReply, nullptr,
			timeout);
	}

	MessageHead head;
	head.port = address.Port();
	head.token = address.Token();
	if (isReply)
		head.flags |= kFrameIsReply;
	if (replyTo.Team() >= 0) {
		// Replies to a handler of this process come to its socket, which a process
		// without an application opens now; the looper they go to reads them itself
		// while it waits, as an application's main looper does.
		BMessenger::Private reply(replyTo);
		if (replyTo.IsTargetLocal()) {
			status_t status = LinkHub::ListenForReplies();
			if (status != B_OK)
				return status;
			Port::OfferIdleReader(reply.Port());
		}
		head.flags |= kFrameReplyToMessenger;
		head.replyTeam = replyTo.Team();
		head.replyPort = reply.Port();
		head.replyToken = reply.Token();
	}
	return LinkHub::Send(target.Team(), head, message, timeout);
}


BMessenger::BMessenger()
	:
	fPort(-1),
	fHandlerToken(B_NULL_TOKEN),
	fTeam(-1)
{
}


BMessenger::BMessenger(const char* signature, team_id team, status_t* result)
	:
	BMessenger()
{
	status_t status = SetTo(signature, team);
	if (result != NULL)
		*result = status;
}


BMessenger::BMessenger(const BHandler* handler, const BLooper* looper, status_t* result)
	:
	BMessenger()
{
	status_t status = SetTo(handler, looper);
	if (result != NULL)
		*result = status;
}


BMessenger::BMessenger(const BMessenger& other) = default;


BMessenger::~BMessenger()
{
}


BMessenger&
BMessenger::operator=(const BMessenger& other) = default;


bool
BMessenger::operator==(const BMessenger& other) const
{
	return fTeam == other.fTeam && fPort == other.fPort
		&& fHandlerToken == other.fHandlerToken;
}


bool
BMessenger::operator<(const BMessenger& other) const
{
	if (fTeam != other.fTeam)
		return fTeam < other.fTeam;
	if (fPort != other.fPort)
		return fPort < other.fPort;
	return fHandlerToken < other.fHandlerToken;
}


status_t
BMessenger::SetTo(const char* signature, team_id team)
{
	_SetTo(-1, -1, B_NULL_TOKEN);
	// The team alone names an application; with both, they must agree.
	if ((signature == NULL && team < 0) || be_roster == NULL)
		return B_BAD_VALUE;

	app_info info;
	status_t status = team >= 0 ? be_roster->GetRunningAppInfo(team, &info)
		: be_roster->GetAppInfo(signature, &info);
	if (status != B_OK)
		return status;
	if (signature != NULL && strcasecmp(info.signature, signature) != 0)
		return B_MISMATCHED_VALUES;
	_SetTo(info.team, info.port, B_PREFERRED_TOKEN);
	return B_OK;
}


status_t
BMessenger::SetTo(const BHandler* handler, const BLooper* looper)
{
	_SetTo(-1, -1, B_NULL_TOKEN);
	if (handler == NULL && looper == NULL)
		return B_BAD_VALUE;

	int32 token = B_PREFERRED_TOKEN;
	if (handler != NULL) {
		BLooper* owner = handler->Looper();
		if (owner == NULL || (looper != NULL && looper != owner))
			return B_MISMATCHED_VALUES;
		looper = owner;
		token = BHandler::Private(handler).Token();
	}
	_SetTo(BPrivate::current_team(), BLooper::Private(looper).PortID(), token);
	return B_OK;
}


void
BMessenger::_SetTo(team_id team, port_id port, int32 token)
{
	fTeam = team;
	fPort = port;
	fHandlerToken = token;
}


bool
BMessenger::IsTargetLocal() const
{
	return fTeam == BPrivate::current_team();
}


BHandler*
BMessenger::Target(BLooper** looper) const
{
	BLooper* owner = IsTargetLocal() ? BPrivate::LooperList::LooperForPort(fPort) : NULL;
	if (looper != NULL)
		*looper = owner;
	if (owner == NULL || fHandlerToken == B_PREFERRED_TOKEN)
		return NULL;
	return BPrivate::handler_for_token(fHandlerToken);
}


bool
BMessenger::LockTarget() const
{
	return LockTargetWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BMessenger::LockTargetWithTimeout(bigtime_t timeout) const
{
	BLooper* looper = NULL;
	Target(&looper);
	if (looper == NULL)
		return B_BAD_VALUE;
	status_t status = looper->LockWithTimeout(timeout);
	// The port may have been taken over by another looper meanwhile.
	if (status == B_OK && BPrivate::LooperList::LooperForPort(fPort) != looper) {
		looper->Unlock();
		return B_BAD_VALUE;
	}
	return status;
}


status_t
BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}


status_t
BMessenger::SendMessage(BMessage* message, BHandler* replyTo, bigtime_t timeout) const
{
	BMessenger replyMessenger;
	if (replyTo != NULL && replyTo->Looper() != NULL)
		replyMessenger.SetTo(replyTo);
	return SendMessage(message, replyMessenger, timeout);
}


status_t
BMessenger::SendMessage(BMessage* message, BMessenger replyTo, bigtime_t timeout) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	return BPrivate::send_message(*this, *message, replyTo, false, timeout);
}


status_t
BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}


status_t
BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t deliveryTimeout,
	bigtime_t replyTimeout) const
{
	if (message == NULL || reply == NULL)
		return B_BAD_VALUE;
	if (fTeam < 0 || fPort < 0)
		return B_BAD_PORT_ID;

	if (!IsTargetLocal()) {
		BPrivate::MessageHead head;
		head.port = fPort;
		head.token = fHandlerToken;
		return BPrivate::LinkHub::SendAndWait(fTeam, head, *message, reply, deliveryTimeout,
			replyTimeout);
	}

	// Waiting for our own looper would wait forever.
	BLooper* current = BLooper::LooperForThread(find_thread(NULL));
	if (current != NULL && BLooper::Private(current).PortID() == fPort)
		return B_MESSAGE_TO_SELF;

	auto waiter = std::make_shared<BPrivate::ReplyWaiter>();
	status_t status = post_local(fPort, fHandlerToken, *message, BMessenger(), false, waiter,
		deliveryTimeout);
	if (status != B_OK)
		return status;

	BMessage* answer = NULL;
	status = waiter->Wait(replyTimeout, &answer);
	if (status != B_OK)
		return status;
	*reply = *answer;
	BMessage::Private(reply).TakeDeliveryFrom(answer);
	delete answer;
	return B_OK;
}


bool
BMessenger::IsValid() const
{
	if (fTeam < 0 || fPort < 0)
		return false;
	if (IsTargetLocal())
		return BPrivate::Port::Find(fPort) != nullptr;
	return BPrivate::LinkHub::IsReachable(fTeam);
}


team_id
BMessenger::Team() const
{
	return fTeam;
}
