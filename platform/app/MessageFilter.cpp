#include <MessageFilter.h>

#include "app/MessageFiltering.h"


BMessageFilter::BMessageFilter(uint32 what, filter_hook func)
	:
	fOwner(NULL),
	fFilterFunction(func),
	fWhat(what),
	fDelivery(B_ANY_DELIVERY),
	fSource(B_ANY_SOURCE),
	fFiltersAny(false)
{
}


BMessageFilter::BMessageFilter(message_delivery delivery, message_source source,
	filter_hook func)
	:
	fOwner(NULL),
	fFilterFunction(func),
	fWhat(0),
	fDelivery(delivery),
	fSource(source),
	fFiltersAny(true)
{
}


BMessageFilter::BMessageFilter(message_delivery delivery, message_source source, uint32 what,
	filter_hook func)
	:
	fOwner(NULL),
	fFilterFunction(func),
	fWhat(what),
	fDelivery(delivery),
	fSource(source),
	fFiltersAny(false)
{
}


BMessageFilter::BMessageFilter(const BMessageFilter& filter)
	:
	fOwner(NULL),
	fFilterFunction(filter.fFilterFunction),
	fWhat(filter.fWhat),
	fDelivery(filter.fDelivery),
	fSource(filter.fSource),
	fFiltersAny(filter.fFiltersAny)
{
}


BMessageFilter::BMessageFilter(const BMessageFilter* filter)
	:
	BMessageFilter(*filter)
{
}


BMessageFilter::~BMessageFilter()
{
}


BMessageFilter&
BMessageFilter::operator=(const BMessageFilter& from)
{
	// The owner stays: assigning criteria does not move a filter between handlers.
	fFilterFunction = from.fFilterFunction;
	fWhat = from.fWhat;
	fDelivery = from.fDelivery;
	fSource = from.fSource;
	fFiltersAny = from.fFiltersAny;
	return *this;
}


filter_result
BMessageFilter::Filter(BMessage* message, BHandler** target)
{
	return B_DISPATCH_MESSAGE;
}


BLooper*
BMessageFilter::Looper() const
{
	return fOwner != NULL ? fOwner->Looper() : NULL;
}


bool
BMessageFilter::Private::Matches(const BMessage* message) const
{
	if (!fFilter->fFiltersAny && message->what != fFilter->fWhat)
		return false;
	if (fFilter->fDelivery == B_DROPPED_DELIVERY && !message->WasDropped())
		return false;
	if (fFilter->fDelivery == B_PROGRAMMED_DELIVERY && message->WasDropped())
		return false;
	if (fFilter->fSource == B_REMOTE_SOURCE && !message->IsSourceRemote())
		return false;
	if (fFilter->fSource == B_LOCAL_SOURCE && message->IsSourceRemote())
		return false;
	return true;
}


filter_result
BMessageFilter::Private::Run(BMessage* message, BHandler** target)
{
	if (fFilter->fFilterFunction != NULL)
		return fFilter->fFilterFunction(message, target, fFilter);
	return fFilter->Filter(message, target);
}
