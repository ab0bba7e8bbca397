// A filter that a looper runs on messages before it dispatches them. A looper's common
// filters see every message it dispatches; a handler's filters see the messages aimed at
// that handler, after the common ones. A filter applies when the message matches its
// command, delivery and source; it then calls its hook function when it has one, Filter()
// otherwise. B_SKIP_MESSAGE drops the message; a filter may also aim the message at
// another handler of the same looper, whose own filters then run too.
//
// Ownership: the handler or looper a filter is added to owns it and deletes it with
// itself; RemoveFilter/RemoveCommonFilter hand it back. A filter belongs to one owner at a
// time. Filters run on the looper's thread with the looper locked.
#ifndef _MESSAGE_FILTER_H
#define _MESSAGE_FILTER_H

#include <Handler.h>

class BLooper;
class BMessage;
class BMessageFilter;

enum filter_result {
	B_SKIP_MESSAGE,
	B_DISPATCH_MESSAGE
};

typedef filter_result (*filter_hook)(BMessage* message, BHandler** target,
	BMessageFilter* filter);

enum message_delivery {
	B_ANY_DELIVERY,
	B_DROPPED_DELIVERY,
	B_PROGRAMMED_DELIVERY
};

enum message_source {
	B_ANY_SOURCE,
	B_REMOTE_SOURCE,
	B_LOCAL_SOURCE
};

class BMessageFilter {
public:
							BMessageFilter(uint32 what, filter_hook func = NULL);
							BMessageFilter(message_delivery delivery, message_source source,
								filter_hook func = NULL);
							BMessageFilter(message_delivery delivery, message_source source,
								uint32 what, filter_hook func = NULL);
	// A copy has the original's criteria and hook and no owner.
							BMessageFilter(const BMessageFilter& filter);
							BMessageFilter(const BMessageFilter* filter);
	virtual					~BMessageFilter();

			BMessageFilter&	operator=(const BMessageFilter& from);

	// Called for matching messages when there is no hook function; the default dispatches.
	virtual	filter_result	Filter(BMessage* message, BHandler** target);

			message_delivery MessageDelivery() const { return fDelivery; }
			message_source	MessageSource() const { return fSource; }
			uint32			Command() const { return fWhat; }
			bool			FiltersAnyCommand() const { return fFiltersAny; }
	// The looper of the handler or looper that owns the filter, or NULL.
			BLooper*		Looper() const;

	class Private;

private:
	friend class Private;

			BHandler*		fOwner;
			filter_hook		fFilterFunction;
			uint32			fWhat;
			message_delivery fDelivery;
			message_source	fSource;
			bool			fFiltersAny;
};

#endif // _MESSAGE_FILTER_H
