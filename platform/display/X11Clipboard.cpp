#include "display/X11Clipboard.h"

#include <Errors.h>
#include <OS.h>

#include <algorithm>
#include <chrono>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace BPrivate {

namespace {

// Bytes of a ChangeProperty request besides its data.
const size_t kPropertyRequestHeader = 24;

} // namespace


X11Clipboard::X11Clipboard(xcb_connection_t* connection, xcb_screen_t* screen)
	:
	fConnection(connection),
	fOwned(false),
	fArrived(false),
	fArrivedProperty(XCB_ATOM_NONE)
{
	fClipboardAtom = Atom("CLIPBOARD");
	fTargetsAtom = Atom("TARGETS");
	fUTF8Atom = Atom("UTF8_STRING");
	fTextAtom = Atom("text/plain;charset=utf-8");
	fIncrAtom = Atom("INCR");
	fMarkerAtom = Atom("_BEKIT_CLIPBOARD");
	fPropertyAtom = Atom("_BEKIT_SELECTION");

	size_t maxRequest = (size_t)xcb_get_maximum_request_length(connection) * 4;
	fMaxServed = std::min(kMaxTextSize, maxRequest - kPropertyRequestHeader);

	// An unmapped window owns the selection and receives what others hand over; its
	// marker tells the kit's other applications that the kit's store has the data.
	fWindow = xcb_generate_id(connection);
	uint32 values[2] = { 1, XCB_EVENT_MASK_PROPERTY_CHANGE };
	xcb_create_window(connection, 0, fWindow, screen->root, -10, -10, 1, 1, 0,
		XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
		XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
	uint32 team = (uint32)getpid();
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, fWindow, fMarkerAtom,
		XCB_ATOM_CARDINAL, 32, 1, &team);
	xcb_flush(connection);
}


X11Clipboard::~X11Clipboard()
{
	xcb_destroy_window(fConnection, fWindow);
}


xcb_atom_t
X11Clipboard::Atom(const char* name)
{
	xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(fConnection,
		xcb_intern_atom(fConnection, 0, strlen(name), name), NULL);
	xcb_atom_t atom = reply != NULL ? reply->atom : (xcb_atom_t)XCB_ATOM_NONE;
	free(reply);
	return atom;
}


void
X11Clipboard::Publish(const std::string& text)
{
	{
		std::lock_guard<std::mutex> locker(fLock);
		fText = text;
		fOwned = !text.empty();
	}
	if (!text.empty()) {
		xcb_set_selection_owner(fConnection, fWindow, fClipboardAtom, XCB_CURRENT_TIME);
	} else {
		// Giving up what another program holds would empty its clipboard.
		xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(fConnection,
			xcb_get_selection_owner(fConnection, fClipboardAtom), NULL);
		if (owner != NULL && owner->owner == fWindow) {
			xcb_set_selection_owner(fConnection, XCB_WINDOW_NONE, fClipboardAtom,
				XCB_CURRENT_TIME);
		}
		free(owner);
	}
	xcb_flush(fConnection);
}


bool
X11Clipboard::OwnedByKit(xcb_window_t owner)
{
	if (owner == fWindow)
		return true;
	xcb_get_property_reply_t* marker = xcb_get_property_reply(fConnection,
		xcb_get_property(fConnection, 0, owner, fMarkerAtom, XCB_ATOM_CARDINAL, 0, 1), NULL);
	bool kit = marker != NULL && marker->type == XCB_ATOM_CARDINAL;
	free(marker);
	return kit;
}


status_t
X11Clipboard::Fetch(std::string& text)
{
	std::lock_guard<std::mutex> fetching(fFetchLock);
	xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(fConnection,
		xcb_get_selection_owner(fConnection, fClipboardAtom), NULL);
	xcb_window_t holder = owner != NULL ? owner->owner : (xcb_window_t)XCB_WINDOW_NONE;
	free(owner);
	if (holder == XCB_WINDOW_NONE || OwnedByKit(holder))
		return B_ENTRY_NOT_FOUND;

	{
		std::lock_guard<std::mutex> locker(fLock);
		fArrived = false;
	}
	xcb_convert_selection(fConnection, fWindow, fClipboardAtom, fUTF8Atom, fPropertyAtom,
		XCB_CURRENT_TIME);
	xcb_flush(fConnection);

	xcb_atom_t property;
	{
		std::unique_lock<std::mutex> locker(fLock);
		if (!fArrival.wait_for(locker, std::chrono::microseconds(kFetchTimeout),
				[this] { return fArrived; })) {
			return B_TIMED_OUT;
		}
		property = fArrivedProperty;
	}
	if (property == XCB_ATOM_NONE)
		return B_ENTRY_NOT_FOUND;

	xcb_get_property_reply_t* reply = xcb_get_property_reply(fConnection,
		xcb_get_property(fConnection, 1, fWindow, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
			kMaxTextSize / 4), NULL);
	if (reply == NULL)
		return B_ERROR;
	status_t status = B_OK;
	if (reply->type == fIncrAtom)
		status = B_UNSUPPORTED;
	else if (reply->bytes_after > 0)
		status = B_NO_MEMORY;
	else if (reply->format != 8)
		status = B_BAD_DATA;
	else {
		text.assign((const char*)xcb_get_property_value(reply),
			xcb_get_property_value_length(reply));
	}
	free(reply);
	if (status != B_OK) {
		xcb_delete_property(fConnection, fWindow, property);
		xcb_flush(fConnection);
	}
	return status;
}


bool
X11Clipboard::HandleEvent(const xcb_generic_event_t* event)
{
	switch (event->response_type & 0x7f) {
		case XCB_SELECTION_REQUEST:
			Answer((const xcb_selection_request_event_t*)event);
			return true;
		case XCB_SELECTION_NOTIFY:
		{
			auto* notify = (const xcb_selection_notify_event_t*)event;
			if (notify->requestor != fWindow)
				return true;
			std::lock_guard<std::mutex> locker(fLock);
			fArrived = true;
			fArrivedProperty = notify->property;
			fArrival.notify_all();
			return true;
		}
		case XCB_SELECTION_CLEAR:
		{
			std::lock_guard<std::mutex> locker(fLock);
			fOwned = false;
			return true;
		}
		default:
			return false;
	}
}


// Answers from the kept copy with requests that need no reply, so that a requestor that
// never reads its events costs nothing but the server's memory.
void
X11Clipboard::Answer(const xcb_selection_request_event_t* request)
{
	xcb_selection_notify_event_t notify = {};
	notify.response_type = XCB_SELECTION_NOTIFY;
	notify.time = request->time;
	notify.requestor = request->requestor;
	notify.selection = request->selection;
	notify.target = request->target;
	notify.property = XCB_ATOM_NONE;
	// Obsolete requestors name no property; the target's name serves.
	xcb_atom_t property = request->property != XCB_ATOM_NONE
		? request->property : request->target;

	if (request->selection == fClipboardAtom && request->owner == fWindow) {
		std::lock_guard<std::mutex> locker(fLock);
		if (!fOwned) {
			// Lost meanwhile: refused below.
		} else if (request->target == fTargetsAtom) {
			xcb_atom_t targets[] = { fTargetsAtom, fUTF8Atom, fTextAtom };
			xcb_change_property(fConnection, XCB_PROP_MODE_REPLACE, request->requestor,
				property, XCB_ATOM_ATOM, 32, 3, targets);
			notify.property = property;
		} else if ((request->target == fUTF8Atom || request->target == fTextAtom)
			&& fText.size() <= fMaxServed) {
			xcb_change_property(fConnection, XCB_PROP_MODE_REPLACE, request->requestor,
				property, request->target, 8, fText.size(), fText.data());
			notify.property = property;
		}
	}
	// SendEvent carries exactly 32 bytes.
	char buffer[32] = {};
	memcpy(buffer, &notify, std::min(sizeof(notify), sizeof(buffer)));
	xcb_send_event(fConnection, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT, buffer);
	xcb_flush(fConnection);
}

} // namespace BPrivate
