// The filter lists of handlers and loopers, and running them at dispatch.
#include <Handler.h>
#include <List.h>
#include <Looper.h>

#include "app/MessageFiltering.h"

namespace {

// Takes filter into list for owner; false when it already belongs to someone.
bool
adopt_filter(BList*& list, BHandler* owner, BMessageFilter* filter)
{
	if (filter == NULL)
		return false;
	BMessageFilter::Private access(filter);
	if (access.Owner() != NULL)
		return false;
	if (list == NULL)
		list = new BList;
	if (!list->AddItem(filter))
		return false;
	access.SetOwner(owner);
	return true;
}


bool
release_filter(BList* list, BHandler* owner, BMessageFilter* filter)
{
	if (list == NULL || filter == NULL || BMessageFilter::Private(filter).Owner() != owner
		|| !list->RemoveItem(filter))
		return false;
	BMessageFilter::Private(filter).SetOwner(NULL);
	return true;
}


// Deletes the filters of list and list itself, then takes filters (owned from now on).
void
replace_filters(BList*& list, BHandler* owner, BList* filters)
{
	if (filters == list && list != NULL)
		return;
	if (list != NULL) {
		for (int32 i = 0; i < list->CountItems(); i++)
			delete static_cast<BMessageFilter*>(list->ItemAt(i));
		delete list;
	}
	list = filters;
	if (list == NULL)
		return;
	for (int32 i = list->CountItems() - 1; i >= 0; i--) {
		BMessageFilter* filter = static_cast<BMessageFilter*>(list->ItemAt(i));
		BMessageFilter::Private access(filter);
		// A filter that another handler owns stays with it.
		if (filter == NULL || (access.Owner() != NULL && access.Owner() != owner))
			list->RemoveItem(i);
		else
			access.SetOwner(owner);
	}
}


// False when a filter of list skipped the message or left it without a target.
bool
run_filters(BList* list, BMessage* message, BHandler** target)
{
	if (list == NULL)
		return true;
	for (int32 i = 0; i < list->CountItems(); i++) {
		BMessageFilter::Private filter(static_cast<BMessageFilter*>(list->ItemAt(i)));
		if (!filter.Matches(message))
			continue;
		if (filter.Run(message, target) == B_SKIP_MESSAGE || *target == NULL)
			return false;
	}
	return true;
}

} // namespace


void
BHandler::AddFilter(BMessageFilter* filter)
{
	adopt_filter(fFilters, this, filter);
}


bool
BHandler::RemoveFilter(BMessageFilter* filter)
{
	return release_filter(fFilters, this, filter);
}


void
BHandler::SetFilterList(BList* filters)
{
	replace_filters(fFilters, this, filters);
}


BList*
BHandler::FilterList()
{
	return fFilters;
}


void
BLooper::AddCommonFilter(BMessageFilter* filter)
{
	adopt_filter(fCommonFilters, this, filter);
}


bool
BLooper::RemoveCommonFilter(BMessageFilter* filter)
{
	return release_filter(fCommonFilters, this, filter);
}


void
BLooper::SetCommonFilterList(BList* filters)
{
	replace_filters(fCommonFilters, this, filters);
}


BList*
BLooper::CommonFilterList() const
{
	return fCommonFilters;
}


bool
BPrivate::filter_message(BLooper* looper, BMessage* message, BHandler** target)
{
	if (!run_filters(looper->CommonFilterList(), message, target))
		return false;
	BHandler* filtered = NULL;
	for (int32 hops = 0; *target != filtered; hops++) {
		if (hops > kMaxFilterRetargets || (*target)->Looper() != looper)
			return false;
		filtered = *target;
		if (!run_filters(filtered->FilterList(), message, target))
			return false;
	}
	return true;
}
