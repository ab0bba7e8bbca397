// What the messaging kit knows about a message it delivered: its target in the receiving
// looper, where it came from, and where its reply goes. A message carries this only
// between delivery and its deletion; copies never inherit it.
#ifndef _MESSAGE_DELIVERY_H
#define _MESSAGE_DELIVERY_H

#include <Message.h>

#include "app/MessageFormat.h"
#include "app/TokenSpace.h"

#include <memory>

namespace BPrivate {

class LinkConnection;
class ReplyWaiter;

struct DeliveryInfo {
	int32		token = B_PREFERRED_TOKEN;
	team_id		sourceTeam = -1;
	bool		sourceRemote = false;
	bool		isReply = false;
	bool		replied = false;

	// Exactly one way back, or none: a waiting sender in this process, a waiting sender
	// in another (its connection and serial), or a reply messenger.
	std::shared_ptr<ReplyWaiter>	waiter;
	std::shared_ptr<LinkConnection>	connection;
	uint64		serial = 0;
	bool		hasReplyTo = false;
	team_id		replyTeam = -1;
	port_id		replyPort = -1;
	int32		replyToken = B_NULL_TOKEN;

	bool		SourceWaits() const
					{ return (waiter != nullptr || connection != nullptr) && !replied; }
};

} // namespace BPrivate


class BMessage::Private {
public:
				Private(BMessage* message) : fMessage(message) {}
				Private(const BMessage* message)
					: fMessage(const_cast<BMessage*>(message)) {}

	// The message's delivery record, made on first use.
	BPrivate::DeliveryInfo& Delivery();
	BPrivate::DeliveryInfo* DeliveryIfAny() const { return fMessage->fDelivery; }
	// Answers a waiting sender with B_NO_REPLY and forgets the record (~BMessage).
	void		ReleaseDelivery();
	// Moves the delivery record to another message (a reply that replaces it).
	void		TakeDeliveryFrom(BMessage* other);
	// The flattened form in two parts, so that it can be sent without a copy: writes the
	// header (kMessageHeaderSize bytes) and gives the rest as it lies in the message.
	const void*	FlattenedBody(void* header, size_t* size) const;

private:
	BMessage*	fMessage;
};

#endif // _MESSAGE_DELIVERY_H
