// BDeskbar: each call is one request to the running Deskbar (DeskbarProtocol.h).
#include <Deskbar.h>

#include "interface/DeskbarProtocol.h"

#include <Entry.h>
#include <Message.h>
#include <Messenger.h>
#include <View.h>

#include <stdlib.h>
#include <string.h>

using namespace BPrivate;


BDeskbar::BDeskbar()
	:
	fMessenger(new BMessenger(kDeskbarSignature))
{
}


BDeskbar::~BDeskbar()
{
	delete fMessenger;
}


// Sends the request and reads the reply's "error"; the messenger is found again when the
// Deskbar started (or restarted) since this object was made.
status_t
BDeskbar::_Ask(BMessage* request, BMessage* reply) const
{
	if (!fMessenger->IsValid())
		*fMessenger = BMessenger(kDeskbarSignature);
	if (!fMessenger->IsValid())
		return B_BAD_VALUE;
	bigtime_t replyTimeout = request->what == kDeskbarAddItem && request->HasRef("addon")
		? kDeskbarAddOnReplyTimeout : kDeskbarReplyTimeout;
	status_t status = fMessenger->SendMessage(request, reply, kDeskbarSendTimeout,
		replyTimeout);
	if (status != B_OK)
		return status;
	if (reply->what != B_REPLY)
		return B_ERROR;
	int32 error;
	if (reply->FindInt32("error", &error) != B_OK)
		return B_ERROR;
	return error;
}


BRect
BDeskbar::Frame() const
{
	BMessage request(kDeskbarGetFrame);
	BMessage reply;
	BRect frame(0, 0, -1, -1);
	if (_Ask(&request, &reply) == B_OK)
		reply.FindRect("frame", &frame);
	return frame;
}


deskbar_location
BDeskbar::Location(bool* isExpanded) const
{
	BMessage request(kDeskbarGetLocation);
	BMessage reply;
	int32 location = B_DESKBAR_RIGHT_TOP;
	bool expanded = false;
	if (_Ask(&request, &reply) == B_OK) {
		reply.FindInt32("location", &location);
		reply.FindBool("expanded", &expanded);
	}
	if (isExpanded != NULL)
		*isExpanded = expanded;
	if (location < B_DESKBAR_TOP || location > B_DESKBAR_RIGHT_BOTTOM)
		location = B_DESKBAR_RIGHT_TOP;
	return (deskbar_location)location;
}


status_t
BDeskbar::SetLocation(deskbar_location location, bool expanded)
{
	BMessage request(kDeskbarSetLocation);
	request.AddInt32("location", location);
	request.AddBool("expanded", expanded);
	BMessage reply;
	return _Ask(&request, &reply);
}


bool
BDeskbar::IsExpanded() const
{
	bool expanded = false;
	Location(&expanded);
	return expanded;
}


status_t
BDeskbar::Expand(bool expand)
{
	BMessage request(kDeskbarExpand);
	request.AddBool("expanded", expand);
	BMessage reply;
	return _Ask(&request, &reply);
}


status_t
BDeskbar::GetItemInfo(int32 id, const char** name) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	*name = NULL;
	BMessage request(kDeskbarFindItem);
	request.AddInt32("id", id);
	BMessage reply;
	status_t status = _Ask(&request, &reply);
	const char* found;
	if (status == B_OK)
		status = reply.FindString("name", &found);
	if (status == B_OK) {
		*name = strdup(found);
		if (*name == NULL)
			status = B_NO_MEMORY;
	}
	return status;
}


status_t
BDeskbar::GetItemInfo(const char* name, int32* id) const
{
	if (name == NULL || id == NULL)
		return B_BAD_VALUE;
	BMessage request(kDeskbarFindItem);
	request.AddString("name", name);
	BMessage reply;
	status_t status = _Ask(&request, &reply);
	if (status == B_OK)
		status = reply.FindInt32("id", id);
	return status;
}


bool
BDeskbar::HasItem(int32 id) const
{
	const char* name = NULL;
	status_t status = GetItemInfo(id, &name);
	free((char*)name);
	return status == B_OK;
}


bool
BDeskbar::HasItem(const char* name) const
{
	int32 id;
	return GetItemInfo(name, &id) == B_OK;
}


uint32
BDeskbar::CountItems() const
{
	BMessage request(kDeskbarCountItems);
	BMessage reply;
	int32 count = 0;
	if (_Ask(&request, &reply) == B_OK)
		reply.FindInt32("count", &count);
	return count > 0 ? (uint32)count : 0;
}


status_t
BDeskbar::AddItem(BView* archivableView, int32* id)
{
	if (archivableView == NULL)
		return B_BAD_VALUE;
	BMessage archive;
	status_t status = archivableView->Archive(&archive, true);
	if (status != B_OK)
		return status;
	BMessage request(kDeskbarAddItem);
	request.AddMessage("view", &archive);
	BMessage reply;
	status = _Ask(&request, &reply);
	if (status == B_OK && id != NULL)
		status = reply.FindInt32("id", id);
	return status;
}


status_t
BDeskbar::AddItem(entry_ref* addon, int32* id)
{
	if (addon == NULL)
		return B_BAD_VALUE;
	BMessage request(kDeskbarAddItem);
	request.AddRef("addon", addon);
	BMessage reply;
	status_t status = _Ask(&request, &reply);
	if (status == B_OK && id != NULL)
		status = reply.FindInt32("id", id);
	return status;
}


status_t
BDeskbar::RemoveItem(int32 id)
{
	BMessage request(kDeskbarRemoveItem);
	request.AddInt32("id", id);
	BMessage reply;
	return _Ask(&request, &reply);
}


status_t
BDeskbar::RemoveItem(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	BMessage request(kDeskbarRemoveItem);
	request.AddString("name", name);
	BMessage reply;
	return _Ask(&request, &reply);
}
