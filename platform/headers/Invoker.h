// Something that sends a message to a target when it is invoked: the base of controls,
// menu items and list views. The target is a messenger, local or remote. A handler can
// only be a target once it belongs to a looper; the widgets fall back on their window.
//
// Ownership: the invoker owns its message; SetMessage() deletes the previous one.
#ifndef _INVOKER_H
#define _INVOKER_H

#include <Messenger.h>
#include <OS.h>

class BHandler;
class BLooper;
class BMessage;

class BInvoker {
public:
							BInvoker();
							BInvoker(BMessage* message, const BHandler* handler,
								const BLooper* looper = NULL);
							BInvoker(BMessage* message, BMessenger target);
	virtual					~BInvoker();

	virtual	status_t		SetMessage(BMessage* message);
			BMessage*		Message() const { return fMessage; }
			uint32			Command() const;

	virtual	status_t		SetTarget(const BHandler* handler, const BLooper* looper = NULL);
	virtual	status_t		SetTarget(BMessenger messenger);
			bool			IsTargetLocal() const;
			// The local target; looper receives its looper. NULL for a remote target.
			BHandler*		Target(BLooper** looper = NULL) const;
			BMessenger		Messenger() const;

	virtual	status_t		SetHandlerForReply(BHandler* handler);
			BHandler*		HandlerForReply() const { return fReplyTo; }

	// Sends message (the invoker's own when NULL) to the target. B_BAD_VALUE without a
	// message; B_BAD_PORT_ID without a reachable target.
	virtual	status_t		Invoke(BMessage* message = NULL);
	// As Invoke(), telling InvokeKind() what kind of change caused it.
			status_t		InvokeNotify(BMessage* message, uint32 kind = 'CIVK');
			status_t		SetTimeout(bigtime_t timeout);
			bigtime_t		Timeout() const { return fTimeout; }

protected:
			// The kind of the InvokeNotify() call under way; the command of the
			// invoker's message otherwise.
			uint32			InvokeKind(bool* notify = NULL);
			void			BeginInvokeNotify(uint32 kind = 'CIVK');
			void			EndInvokeNotify();

private:
							BInvoker(const BInvoker&) = delete;
			BInvoker&		operator=(const BInvoker&) = delete;

			BMessage*		fMessage;
			BMessenger		fMessenger;
			BHandler*		fReplyTo;
			bigtime_t		fTimeout;
			uint32			fNotifyKind;
			bool			fNotifying;
};

#endif // _INVOKER_H
