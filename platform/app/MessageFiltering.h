// Kit-internal side of message filters: who owns a filter, and running a looper's filters
// on a message it is about to dispatch.
#ifndef _MESSAGE_FILTERING_H
#define _MESSAGE_FILTERING_H

#include <Message.h>
#include <MessageFilter.h>

class BMessageFilter::Private {
public:
							Private(BMessageFilter* filter) : fFilter(filter) {}

			BHandler*		Owner() const { return fFilter->fOwner; }
			void			SetOwner(BHandler* owner) { fFilter->fOwner = owner; }
			bool			Matches(const BMessage* message) const;
			filter_result	Run(BMessage* message, BHandler** target);

private:
			BMessageFilter*	fFilter;
};

namespace BPrivate {

// How often the handler filters of one message may aim it at another handler; a chain of
// filters that keep passing a message on stops there and drops it.
constexpr int32 kMaxFilterRetargets = 16;

// Runs looper's common filters, then the filters of *target and of each handler a filter
// aims the message at. False when the message is to be dropped: a filter skipped it, or
// aimed it at nothing or at a handler of another looper.
bool filter_message(BLooper* looper, BMessage* message, BHandler** target);

} // namespace BPrivate

#endif // _MESSAGE_FILTERING_H
