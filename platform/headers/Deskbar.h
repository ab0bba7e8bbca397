// The Deskbar, from an application: where it stands, and the items (replicants) it shows.
// Every call asks the running Deskbar ("application/x-vnd.Be-TSKB") and waits for its
// answer a bounded time (docs/deskbar.md); without a Deskbar, calls fail with
// B_BAD_VALUE (or answer nothing: an empty frame, no items).
#ifndef _DESKBAR_H
#define _DESKBAR_H

#include <Rect.h>
#include <SupportDefs.h>

class BMessage;
class BMessenger;
class BView;
struct entry_ref;

enum deskbar_location {
	B_DESKBAR_TOP,
	B_DESKBAR_BOTTOM,
	B_DESKBAR_LEFT_TOP,
	B_DESKBAR_RIGHT_TOP,
	B_DESKBAR_LEFT_BOTTOM,
	B_DESKBAR_RIGHT_BOTTOM
};

class BDeskbar {
public:
	BDeskbar();
	~BDeskbar();

	// The Deskbar window's frame, in screen coordinates.
	BRect Frame() const;
	deskbar_location Location(bool* isExpanded = NULL) const;
	status_t SetLocation(deskbar_location location, bool expanded = false);
	bool IsExpanded() const;
	status_t Expand(bool expand);

	// The name of the item id, newly allocated: the caller frees it with free().
	status_t GetItemInfo(int32 id, const char** name) const;
	status_t GetItemInfo(const char* name, int32* id) const;
	bool HasItem(int32 id) const;
	bool HasItem(const char* name) const;
	uint32 CountItems() const;

	// Adds the view's archive as an item (the view stays the caller's), or the view that
	// the add-on's instantiate_deskbar_item() makes; *id is the item's id.
	status_t AddItem(BView* archivableView, int32* id = NULL);
	status_t AddItem(entry_ref* addon, int32* id = NULL);
	status_t RemoveItem(int32 id);
	status_t RemoveItem(const char* name);

private:
	BDeskbar(const BDeskbar&) = delete;
	BDeskbar& operator=(const BDeskbar&) = delete;

	status_t _Ask(BMessage* request, BMessage* reply) const;

	BMessenger* fMessenger;
};

#endif // _DESKBAR_H
