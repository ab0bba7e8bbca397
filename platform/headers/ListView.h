// A view that shows a column of items, lets the user select them with the mouse and the
// keyboard, and tells its target: the selection message when the selection changes, the
// invocation message (the invoker's own) on a double click or Enter. Both go to the
// target, the window unless set, with "index" holding each selected row, "when" and
// "source". Items draw themselves through DrawItem; each row takes its item's Height()
// + 1 pixels. In a scroll view, the vertical bar follows the rows.
//
// The list never deletes items: RemoveItem, RemoveItems and MakeEmpty only take them
// out, and the destructor leaves them to their owner.
//
// Everything runs on the window's thread, with the window locked.
#ifndef _LIST_VIEW_H
#define _LIST_VIEW_H

#include <Invoker.h>
#include <ListItem.h>
#include <View.h>

#include <vector>

class BList;

namespace BPrivate {
class ListRows;
}

enum list_view_type {
	B_SINGLE_SELECTION_LIST,
	B_MULTIPLE_SELECTION_LIST
};

class BListView : public BView, public BInvoker {
public:
							BListView(BRect frame, const char* name,
								list_view_type type = B_SINGLE_SELECTION_LIST,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
									| B_NAVIGABLE);
	// The list of an archive: the view's fields, "_lv_type" (int32), "_msg" (the
	// invocation message), "_2nd_msg" (the selection message) and the items archived
	// in "_l_items", selected as they were. The items belong to the caller, who
	// deletes them as it deletes any list's items.
							BListView(BMessage* archive);
	virtual					~BListView();

	static	BArchivable*	Instantiate(BMessage* archive);
	// When deep, each item's archive goes to "_l_items".
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	// Hooks.
	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			MouseUp(BPoint where);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			TargetedByScrollView(BScrollView* scrollView);
	virtual	void			SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	// Called after the selection changed, before the selection message goes.
	virtual	void			SelectionChanged();

	// Rows. Adding refuses NULL, items already in a list and indexes past the end.
	virtual	bool			AddItem(BListItem* item);
	virtual	bool			AddItem(BListItem* item, int32 index);
	virtual	bool			AddList(BList* items);
	virtual	bool			AddList(BList* items, int32 index);
	virtual	bool			RemoveItem(BListItem* item);
	virtual	BListItem*		RemoveItem(int32 index);
	virtual	bool			RemoveItems(int32 index, int32 count);
	// Takes every item out; deletes none.
	virtual	void			MakeEmpty();
			bool			ReplaceItem(int32 index, BListItem* item);
			bool			SwapItems(int32 a, int32 b);
			bool			MoveItem(int32 from, int32 to);
			// compare receives two pointers to BListItem* (as qsort's does).
			void			SortItems(int (*compare)(const void*, const void*));

			BListItem*		ItemAt(int32 index) const;
			BListItem*		FirstItem() const;
			BListItem*		LastItem() const;
			int32			IndexOf(const BListItem* item) const;
			// The row under point (view coordinates), -1 for none.
			int32			IndexOf(BPoint point) const;
			bool			HasItem(const BListItem* item) const;
			int32			CountItems() const;
			bool			IsEmpty() const;
			// The shown items in order, valid until the list next changes.
			const BListItem**	Items() const;
			// Stops at the first call that returns true.
			void			DoForEach(bool (*func)(BListItem* item));
			void			DoForEach(bool (*func)(BListItem* item, void* arg), void* arg);

			BRect			ItemFrame(int32 index);
			void			InvalidateItem(int32 index);
			// Scrolls the least that shows the first selected row.
			void			ScrollToSelection();
			// Scrolls the row to the top (as far as the rows allow).
			void			ScrollTo(int32 index);
			using BView::ScrollTo;

	// Selection. extend keeps the rows already selected (multiple selection only).
	virtual	void			SetListType(list_view_type type);
			list_view_type	ListType() const { return fListType; }
			void			Select(int32 index, bool extend = false);
			void			Select(int32 from, int32 to, bool extend = false);
			bool			IsItemSelected(int32 index) const;
			// The index of the i-th selected row, -1 past the last.
			int32			CurrentSelection(int32 i = 0) const;
			void			Deselect(int32 index);
			void			DeselectAll();
			void			DeselectExcept(int32 exceptFrom, int32 exceptTo);

	// Both take ownership of the message. The invocation message is the invoker's.
	virtual	void			SetSelectionMessage(BMessage* message);
	virtual	void			SetInvocationMessage(BMessage* message);
			BMessage*		SelectionMessage() const { return fSelectMessage; }
			uint32			SelectionCommand() const;
			BMessage*		InvocationMessage() const { return Message(); }
			uint32			InvocationCommand() const { return Command(); }
	// Sends a copy with "when", "source" and one "index" per selected row.
	virtual	status_t		Invoke(BMessage* message = NULL);

	// Scripting: the list view suite ("Item", "Selection").
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

protected:
	// Called once the pointer, pressed on the row index (selected before the press or
	// not), has moved a few pixels with the button held. A subclass starts a drag there
	// and returns true; the list itself drags nothing and returns false.
	virtual	bool			InitiateDrag(BPoint point, int32 index, bool wasSelected);

	// Draws one shown row; an outline adds its latch.
	virtual	void			DrawItem(BListItem* item, BRect itemRect, bool complete = false);

			// The rows: every item with its level, height and whether it is shown. A
			// plain list shows them all; an outline keeps its full list here.
			BPrivate::ListRows& Rows() const { return *fRows; }
			// Visits the shown rows that meet [top, bottom] (view coordinates) in order,
			// with their shown index and frame, until visit returns false. Painting,
			// hit-testing and scrolling all walk the rows through here.
			void			EachShownRow(float top, float bottom,
								const std::function<bool(int32 index, BListItem* item,
									BRect frame)>& visit) const;
			// Measures new rows with the view's font (when attached) before they are
			// inserted.
			void			MeasureItem(BListItem* item);
			// Called after rows were inserted, removed, shown or hidden from the shown
			// position index on: redraws from there and fits the scroll bar.
			void			RowsChanged(int32 index);
			// Clears the selection flag of a row about to be removed or hidden; returns
			// whether it was selected.
			bool			ForgetSelection(BListItem* item);
			// SelectionChanged() and the selection message.
			void			NotifySelectionChanged();

private:
			void			_FixupScrollBar();
			// Sets a shown row's flag; true when it changed.
			bool			_SetSelected(int32 index, bool selected);
			// Calls visit with the shown index of each selected row, in order.
			void			_EachSelected(const std::function<void(int32 index)>& visit)
								const;
			bool			_DeselectOutside(int32 from, int32 to);
			void			_MoveSelection(int32 to, bool extend);
			void			_ScrollToRow(int32 index);
			bool			_HandleScripting(BMessage* message);

			BPrivate::ListRows* fRows;
			list_view_type	fListType;
			BMessage*		fSelectMessage;
			int32			fSelectedCount;
			// The row a keyboard move or a Shift-click starts from.
			BListItem*		fAnchor;
			// The press that may become a drag: where, on which row, whether the row
			// was selected before it; fDragIndex is -1 when no press is pending.
			BPoint			fDragStart;
			int32			fDragIndex;
			bool			fDragWasSelected;
			mutable std::vector<const BListItem*> fItemsCopy;
};

#endif // _LIST_VIEW_H
