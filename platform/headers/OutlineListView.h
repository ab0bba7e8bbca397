// A list view that shows a tree. It keeps the full list: every item in order, each with
// its outline level; an item's subitems are the items after it of a greater level, up to
// the next item of its level or less. It shows the rows whose superitems are all
// expanded. ItemAt, IndexOf, CountItems and the "index" of the selection and invocation
// messages count shown rows; the FullList calls count every item.
//
// Ownership: as in BListView, the outline deletes no item. RemoveItem takes out the item
// and every item under it; the caller still owns all of them (deleting the tree they
// form is the caller's affair). MakeEmpty takes out everything and deletes nothing.
//
// Appending to the full list costs O(1) amortised; removing costs the subtree plus one
// shift of the items behind; expanding or collapsing costs the subtree.
//
// Everything runs on the window's thread, with the window locked.
#ifndef _OUTLINE_LIST_VIEW_H
#define _OUTLINE_LIST_VIEW_H

#include <ListView.h>

#include <vector>

class BOutlineListView : public BListView {
public:
							BOutlineListView(BRect frame, const char* name,
								list_view_type type = B_SINGLE_SELECTION_LIST,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
									| B_NAVIGABLE);
	// The list of an archive: the list's fields and the whole outline's items in
	// "_l_full_items", each at its archived level and expanded state.
							BOutlineListView(BMessage* archive);
	virtual					~BOutlineListView();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Archives the whole outline, hidden subitems too, in "_l_full_items" when deep.
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	// A click on a latch expands or collapses its item, and selects nothing.
	virtual	void			MouseDown(BPoint where);
	// Right arrow (or +) expands the selected item, left arrow (or -) collapses it, or
	// when collapsed already, selects its superitem.
	virtual	void			KeyDown(const char* bytes, int32 numBytes);

	// Puts item directly after superitem, one level below it (the item's level is set).
	virtual	bool			AddUnder(BListItem* item, BListItem* superitem);
	// To the end of the full list: its level places it under the nearest preceding
	// item of a lower level.
	virtual	bool			AddItem(BListItem* item);
	// At an index of the full list; following items of a greater level become its
	// subitems.
	virtual	bool			AddItem(BListItem* item, int32 fullListIndex);
	virtual	bool			AddList(BList* items);
	virtual	bool			AddList(BList* items, int32 fullListIndex);
	// Takes out the item and every item under it (see Ownership).
	virtual	bool			RemoveItem(BListItem* item);
	virtual	BListItem*		RemoveItem(int32 fullListIndex);
	// The items at [fullListIndex, fullListIndex + count), each with its subitems.
	virtual	bool			RemoveItems(int32 fullListIndex, int32 count);

			BListItem*		FullListItemAt(int32 fullListIndex) const;
			int32			FullListIndexOf(const BListItem* item) const;
			// The item of the shown row under point, as an index of the full list.
			int32			FullListIndexOf(BPoint point) const;
			BListItem*		FullListFirstItem() const;
			BListItem*		FullListLastItem() const;
			bool			FullListHasItem(const BListItem* item) const;
			int32			FullListCountItems() const;
			bool			FullListIsEmpty() const;
			// The full-list index of the i-th selected item, -1 past the last.
			int32			FullListCurrentSelection(int32 i = 0) const;
			void			FullListDoForEach(bool (*func)(BListItem* item));
			void			FullListDoForEach(bool (*func)(BListItem* item, void* arg),
								void* arg);

			// The nearest preceding item of a lower level; NULL for a top item.
			BListItem*		Superitem(const BListItem* item);
			// Shows (hides) the subitems; those that were selected are deselected when
			// hidden.
			void			Expand(BListItem* item);
			void			Collapse(BListItem* item);
			bool			IsExpanded(int32 fullListIndex);

			// Under NULL means under no item: every item, or the top ones.
			int32			CountItemsUnder(BListItem* under, bool oneLevelOnly) const;
			// Calls eachFunc for the items under under in order, until one returns an
			// item, which it returns. eachFunc may expand and collapse items.
			BListItem*		EachItemUnder(BListItem* under, bool oneLevelOnly,
								BListItem* (*eachFunc)(BListItem* item, void* arg),
								void* arg);
			BListItem*		ItemUnderAt(BListItem* under, bool oneLevelOnly,
								int32 index) const;

	// Sorts every level, each item moving with the items under it.
			void			FullListSortItems(int (*compareFunc)(const BListItem* a,
								const BListItem* b));
	// Sorts the items right under superItem (the top items for NULL), each moving with
	// the items under it, and unless oneLevelOnly the levels below them too. The order
	// of items compareFunc finds equal is kept.
			void			SortItemsUnder(BListItem* superItem, bool oneLevelOnly,
								int (*compareFunc)(const BListItem* a, const BListItem* b));

protected:
	// Draws the latch and indents the item by its level.
	virtual	void			DrawItem(BListItem* item, BRect itemRect,
								bool complete = false);
	virtual	void			ExpandOrCollapse(BListItem* item, bool expand);
	// Where the latch of an item of that level is drawn in its row.
			BRect			LatchRect(BRect itemRect, int32 level) const;
	virtual	void			DrawLatch(BRect itemRect, int32 level, bool collapsed,
								bool highlighted, bool misTracked);

private:
			int32			_SubtreeEnd(int32 index) const;
			int32			_Superitem(int32 index);
			bool			_HasSubitems(int32 index) const;
			// Sets the shown flag of the rows under index from their superitems; true
			// when a selected row was hidden.
			bool			_UpdateShown(int32 index);
			// Sorts the subtrees that start in [start, end).
			void			_SortRange(int32 start, int32 end, bool oneLevelOnly,
								int (*compareFunc)(const BListItem* a, const BListItem* b));
			// Calls visit with the full index of each item under under, in order.
			void			_EachUnder(const BListItem* under, bool oneLevelOnly,
								const std::function<bool(int32 index)>& visit) const;

			// The full-list indexes of the last item and its superitems, top first;
			// lets AddItem find the superitem of an appended item in O(1) amortised.
			// It holds while the rows have not moved since (ListRows::Moves()).
			std::vector<int32> fTail;
			uint32			fTailMoves;
};

#endif // _OUTLINE_LIST_VIEW_H
