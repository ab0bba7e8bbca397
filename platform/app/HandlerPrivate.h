// Kit-internal access to handlers and loopers.
#ifndef _HANDLER_PRIVATE_H
#define _HANDLER_PRIVATE_H

#include <Handler.h>
#include <Looper.h>

#include "app/Port.h"

class BHandler::Private {
public:
				Private(const BHandler* handler) : fHandler(handler) {}
	int32		Token() const { return fHandler->fToken; }

private:
	const BHandler* fHandler;
};


class BLooper::Private {
public:
				Private(const BLooper* looper) : fLooper(looper) {}
	port_id		PortID() const { return fLooper->fPort->ID(); }
	const std::shared_ptr<BPrivate::Port>& Port() const { return fLooper->fPort; }

	// On the looper's own thread, with it locked: handles the next message, waiting for
	// one at most timeout; false once the looper is told to quit or its port is closed.
	// While it waits the lock is given up, as the looper's own loop does, so that other
	// threads may lock the looper meanwhile.
	bool DispatchNextMessage(bigtime_t timeout) const
	{
		BLooper* looper = const_cast<BLooper*>(fLooper);
		int32 held = looper->CountLocks();
		for (int32 i = 0; i < held; i++)
			looper->Unlock();
		bool waiting = looper->_WaitForMessage(timeout);
		for (int32 i = 0; i < held; i++) {
			if (!looper->Lock())
				return false;
		}
		BMessage* message = waiting ? looper->_TakeNextMessage() : NULL;
		// Nothing came in time, or a handler took what had come.
		if (message == NULL)
			return (waiting || timeout != B_INFINITE_TIMEOUT) && !looper->fTerminating;
		looper->_DispatchOne(message);
		return !looper->fTerminating;
	}

private:
	const BLooper* fLooper;
};

#endif // _HANDLER_PRIVATE_H
