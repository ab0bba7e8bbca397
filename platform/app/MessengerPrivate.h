// Kit-internal access to a messenger's target.
#ifndef _MESSENGER_PRIVATE_H
#define _MESSENGER_PRIVATE_H

#include <Messenger.h>

class BMessenger::Private {
public:
				Private(const BMessenger& messenger)
					: fMessenger(const_cast<BMessenger*>(&messenger)) {}

	port_id		Port() const { return fMessenger->fPort; }
	int32		Token() const { return fMessenger->fHandlerToken; }
	void		SetTo(team_id team, port_id port, int32 token)
					{ fMessenger->_SetTo(team, port, token); }

private:
	BMessenger*	fMessenger;
};


namespace BPrivate {

// The application's messenger while there is an application object; unlike reading
// be_app_messenger, safe on any thread while the application goes away.
BMessenger app_messenger();

// The one asynchronous send: to a local port or over the link. isReply marks an answer
// (BMessage::IsReply on the other side). replyTo invalid: the application, when there
// is one.
status_t send_message(const BMessenger& target, const BMessage& message, BMessenger replyTo,
	bool isReply, bigtime_t timeout);

} // namespace BPrivate

#endif // _MESSENGER_PRIVATE_H
