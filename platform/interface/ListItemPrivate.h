// What a list may do to its items beyond the public API: remember where it keeps each.
#ifndef _LIST_ITEM_PRIVATE_H
#define _LIST_ITEM_PRIVATE_H

#include <ListItem.h>

class BListItem::Private {
public:
	explicit Private(BListItem* item) : fItem(item) {}

	int32 ListIndex() const { return fItem->fListIndex; }
	void SetListIndex(int32 index) { fItem->fListIndex = index; }

private:
	BListItem* fItem;
};

#endif // _LIST_ITEM_PRIVATE_H
