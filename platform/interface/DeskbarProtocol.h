// The messages between BDeskbar and the Deskbar (docs/deskbar.md). Each request gets a
// B_REPLY with "error" (a status_t) and the fields named beside it.
#ifndef _DESKBAR_PROTOCOL_H
#define _DESKBAR_PROTOCOL_H

#include <OS.h>
#include <SupportDefs.h>

namespace BPrivate {

const char* const kDeskbarSignature = "application/x-vnd.Be-TSKB";

enum {
	// -> "frame" (rect)
	kDeskbarGetFrame = 'DBfr',
	// -> "location" (int32 deskbar_location), "expanded" (bool)
	kDeskbarGetLocation = 'DBgl',
	// "location" (int32), "expanded" (bool) ->
	kDeskbarSetLocation = 'DBsl',
	// "expanded" (bool) ->
	kDeskbarExpand = 'DBex',
	// "id" (int32) or "name" (string) -> "id", "name" when the item exists
	kDeskbarFindItem = 'DBfi',
	// -> "count" (int32)
	kDeskbarCountItems = 'DBci',
	// "view" (message: a view's archive) or "addon" (entry_ref) -> "id"
	kDeskbarAddItem = 'DBai',
	// "id" (int32) or "name" (string) ->
	kDeskbarRemoveItem = 'DBri'
};

// How long BDeskbar waits for the Deskbar to take a request, and to answer it: a hung
// Deskbar makes the call fail, not hang. Adding an item from an add-on loads code, so
// its answer may take longer.
const bigtime_t kDeskbarSendTimeout = 500000;
const bigtime_t kDeskbarReplyTimeout = 2000000;
const bigtime_t kDeskbarAddOnReplyTimeout = 5000000;

} // namespace BPrivate

#endif // _DESKBAR_PROTOCOL_H
