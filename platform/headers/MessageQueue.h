// A queue of messages, first in first out, that owns what it holds: deleting the queue
// deletes its messages, NextMessage and RemoveMessage hand them back. Every call locks the
// queue itself; Lock/Unlock keep it across several calls. A looper takes the messages of its
// port into one (BLooper::MessageQueue) before dispatching them.
#ifndef _MESSAGE_QUEUE_H
#define _MESSAGE_QUEUE_H

#include <List.h>
#include <Locker.h>
#include <Message.h>

class BMessageQueue {
public:
								BMessageQueue();
	virtual						~BMessageQueue();

			void				AddMessage(BMessage* message);
			void				RemoveMessage(BMessage* message);

			int32				CountMessages() const;
			bool				IsEmpty() const;

	// The index-th message, or the index-th of those with command what; NULL if none.
			BMessage*			FindMessage(int32 index) const;
			BMessage*			FindMessage(uint32 what, int32 index = 0) const;

			bool				Lock();
			void				Unlock();
			bool				IsLocked() const;

	// Takes the oldest message out, or NULL when the queue is empty.
			BMessage*			NextMessage();

private:
								BMessageQueue(const BMessageQueue&);
			BMessageQueue&		operator=(const BMessageQueue&);

	mutable	BLocker				fLock;
			BList				fMessages;
};

#endif // _MESSAGE_QUEUE_H
