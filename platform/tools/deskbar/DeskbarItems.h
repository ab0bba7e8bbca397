// The Deskbar's items: replicants in the tray's shelf (from archives) and views made by
// add-ons' instantiate_deskbar_item(), each with an id and its view's name; laid out in a
// row in the tray.
#ifndef _DESKBAR_ITEMS_H
#define _DESKBAR_ITEMS_H

#include <Entry.h>
#include <Shelf.h>

#include <vector>

class BView;

namespace BPrivate {

// Posted to the tray's window when items came or went without it asking.
const uint32 kTrayChanged = 'DBtc';

class DeskbarItems;


// The tray's shelf: tells the items when a replicant went (its dragger's menu).
class TrayShelf : public BShelf {
public:
	TrayShelf(const entry_ref* ref, BView* tray, DeskbarItems* items);

protected:
	virtual void ReplicantDeleted(int32 index, const BMessage* archive,
		const BView* replicant);

private:
	DeskbarItems* fItems;
};


class DeskbarItems {
public:
	// The shelf is saved to saveRef; the window's lock guards every call.
	DeskbarItems(BView* tray, const entry_ref* saveRef);
	~DeskbarItems();

	status_t AddArchive(BMessage* archive, int32* id);
	status_t AddFromAddOn(const entry_ref& ref, int32* id);
	status_t Remove(int32 id);
	status_t Find(int32 id, const char** name) const;
	status_t Find(const char* name, int32* id) const;
	int32 Count() const { return (int32)fItems.size(); }

	// The size the tray needs for its items in a row.
	BRect TrayBounds() const;
	// Called when the shelf removed a replicant itself.
	void ReplicantGone(const BView* view);

private:
	struct Item {
		int32 id;
		BView* view;
		// The shelf's id of a replicant; 0 for a view from an add-on.
		uint32 shelfId;
	};

	void _Layout();
	BPoint _NextLocation() const;
	void _Adopt(BView* view, uint32 shelfId, int32* id);

	BView* fTray;
	TrayShelf* fShelf;
	std::vector<Item> fItems;
	int32 fNextId;
};

} // namespace BPrivate

#endif // _DESKBAR_ITEMS_H
