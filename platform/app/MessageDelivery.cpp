// The delivery side of BMessage: replies, the sender's address, and the B_NO_REPLY that
// a message owes its waiting sender when it dies unanswered. Also the messenger fields,
// whose items are a messenger's three numbers (docs/socket-protocol.md).
#include <Message.h>

#include <Handler.h>
#include <Messenger.h>

#include <endian.h>
#include <string.h>
#include <unistd.h>

#include "app/LinkConnection.h"
#include "app/MessageDelivery.h"
#include "app/MessengerPrivate.h"
#include "app/Port.h"
#include "app/ReplyWaiter.h"
#include "support/ThreadControl.h"

using BPrivate::DeliveryInfo;

namespace {

struct FlatMessenger {
	int32	team;
	int32	port;
	int32	token;
};


BMessenger
messenger_for(team_id team, port_id port, int32 token)
{
	BMessenger messenger;
	BMessenger::Private(messenger).SetTo(team, port, token);
	return messenger;
}


FlatMessenger
flatten_messenger(const BMessenger& messenger)
{
	BMessenger::Private address(messenger);
	return { (int32)htole32(messenger.Team()), (int32)htole32(address.Port()),
		(int32)htole32(address.Token()) };
}


// Answers a waiting sender: in this process through its waiter, else over its connection.
status_t
answer_sender(DeliveryInfo& info, const BMessage& reply, const BMessenger& replyTo,
	bigtime_t timeout)
{
	info.replied = true;
	if (info.waiter != nullptr) {
		BMessage* copy = new BMessage(reply);
		DeliveryInfo& answer = BMessage::Private(copy).Delivery();
		answer.isReply = true;
		answer.sourceTeam = BPrivate::current_team();
		if (replyTo.Team() >= 0) {
			BMessenger::Private address(replyTo);
			answer.hasReplyTo = true;
			answer.replyTeam = replyTo.Team();
			answer.replyPort = address.Port();
			answer.replyToken = address.Token();
		}
		info.waiter->Deliver(copy);
		return B_OK;
	}
	return info.connection->SendReply(info.serial, B_OK, &reply, timeout);
}

} // namespace


BPrivate::DeliveryInfo&
BMessage::Private::Delivery()
{
	if (fMessage->fDelivery == NULL)
		fMessage->fDelivery = new DeliveryInfo;
	return *fMessage->fDelivery;
}


void
BMessage::Private::ReleaseDelivery()
{
	DeliveryInfo* info = fMessage->fDelivery;
	if (info == NULL)
		return;
	fMessage->fDelivery = NULL;
	if (info->SourceWaits()) {
		BMessage noReply(B_NO_REPLY);
		// Replies over a connection never wait (what the peer does not take waits in
		// the connection), and a sender in this process takes them from its waiter.
		answer_sender(*info, noReply, BMessenger(), 0);
	}
	delete info;
}


void
BMessage::Private::TakeDeliveryFrom(BMessage* other)
{
	ReleaseDelivery();
	fMessage->fDelivery = other->fDelivery;
	other->fDelivery = NULL;
}


const void*
BMessage::Private::FlattenedBody(void* header, size_t* size) const
{
	fMessage->_WriteHeader(header);
	*size = fMessage->fBufferSize;
	return fMessage->fBuffer;
}


bool
BMessage::WasDelivered() const
{
	return fDelivery != NULL;
}


bool
BMessage::IsSourceWaiting() const
{
	return fDelivery != NULL && fDelivery->SourceWaits();
}


bool
BMessage::IsSourceRemote() const
{
	return fDelivery != NULL && fDelivery->sourceRemote;
}


BMessenger
BMessage::ReturnAddress() const
{
	if (fDelivery == NULL)
		return BMessenger();
	if (fDelivery->hasReplyTo) {
		return messenger_for(fDelivery->replyTeam, fDelivery->replyPort,
			fDelivery->replyToken);
	}
	if (fDelivery->sourceRemote) {
		return messenger_for(fDelivery->sourceTeam, BPrivate::kMainPort,
			BPrivate::B_PREFERRED_TOKEN);
	}
	return BPrivate::app_messenger();
}


const BMessage*
BMessage::Previous() const
{
	return NULL;
}


bool
BMessage::IsReply() const
{
	return fDelivery != NULL && fDelivery->isReply;
}


bool
BMessage::WasDropped() const
{
	return fDelivery != NULL && HasPoint("_drop_point_");
}


BPoint
BMessage::DropPoint(BPoint* offset) const
{
	BPoint point;
	FindPoint("_drop_point_", &point);
	if (offset != NULL)
		FindPoint("_drop_offset_", offset);
	return point;
}


status_t
BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}


status_t
BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t timeout)
{
	BMessenger messenger;
	if (replyTo != NULL && replyTo->Looper() != NULL)
		messenger.SetTo(replyTo);
	return SendReply(reply, messenger, timeout);
}


status_t
BMessage::SendReply(BMessage* reply, BMessenger replyTo, bigtime_t timeout)
{
	if (reply == NULL)
		return B_BAD_VALUE;
	if (fDelivery == NULL)
		return B_BAD_REPLY;

	if (fDelivery->waiter != nullptr || fDelivery->connection != nullptr) {
		if (fDelivery->replied)
			return B_DUPLICATE_REPLY;
		return answer_sender(*fDelivery, *reply, replyTo, timeout);
	}
	if (!fDelivery->hasReplyTo)
		return B_BAD_REPLY;

	BMessenger target = messenger_for(fDelivery->replyTeam, fDelivery->replyPort,
		fDelivery->replyToken);
	return BPrivate::send_message(target, *reply, replyTo, true, timeout);
}


status_t
BMessage::SendReply(uint32 command, BMessage* replyToReply)
{
	BMessage reply(command);
	return SendReply(&reply, replyToReply);
}


status_t
BMessage::SendReply(BMessage* reply, BMessage* replyToReply, bigtime_t sendTimeout,
	bigtime_t replyTimeout)
{
	if (reply == NULL || replyToReply == NULL)
		return B_BAD_VALUE;
	if (fDelivery == NULL)
		return B_BAD_REPLY;

	if (fDelivery->hasReplyTo && fDelivery->waiter == nullptr
		&& fDelivery->connection == nullptr) {
		BMessenger target = messenger_for(fDelivery->replyTeam, fDelivery->replyPort,
			fDelivery->replyToken);
		return target.SendMessage(reply, replyToReply, sendTimeout, replyTimeout);
	}

	// A sender blocked in its own synchronous send cannot answer a reply.
	status_t status = SendReply(reply, BMessenger(), sendTimeout);
	if (status == B_OK)
		replyToReply->what = B_NO_REPLY;
	return status;
}


status_t
BMessage::AddMessenger(const char* name, BMessenger messenger)
{
	FlatMessenger flat = flatten_messenger(messenger);
	return AddData(name, B_MESSENGER_TYPE, &flat, sizeof(flat), true);
}


status_t
BMessage::FindMessenger(const char* name, int32 index, BMessenger* messenger) const
{
	if (messenger == NULL)
		return B_BAD_VALUE;
	*messenger = BMessenger();
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_MESSENGER_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	if (size != (ssize_t)sizeof(FlatMessenger))
		return B_BAD_DATA;
	FlatMessenger flat;
	memcpy(&flat, data, sizeof(flat));
	*messenger = messenger_for((int32)le32toh(flat.team), (int32)le32toh(flat.port),
		(int32)le32toh(flat.token));
	return B_OK;
}


status_t
BMessage::ReplaceMessenger(const char* name, int32 index, BMessenger messenger)
{
	FlatMessenger flat = flatten_messenger(messenger);
	return ReplaceData(name, B_MESSENGER_TYPE, index, &flat, sizeof(flat));
}


status_t
BMessage::ReplaceMessenger(const char* name, BMessenger messenger)
{
	return ReplaceMessenger(name, 0, messenger);
}
