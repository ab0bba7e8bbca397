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

private:
	const BLooper* fLooper;
};

#endif // _HANDLER_PRIVATE_H
