#include <ListView.h>

#include "app/LockCheck.h"
#include "interface/DragSession.h"
#include "interface/ListRows.h"
#include "interface/WidgetScripting.h"

#include <Errors.h>
#include <List.h>
#include <Message.h>
#include <PropertyInfo.h>
#include <ScrollBar.h>
#include <Window.h>

#include <algorithm>
#include <math.h>
#include <vector>

using BPrivate::ListRows;

namespace {

// The tags of the rows below (their extra_data).
enum {
	kItemCountProperty = 1,
	kItemProperty,
	kItemExecuteProperty,
	kSelectionCountProperty,
	kSelectionProperty,
	kSelectionSetProperty,
	kSelectionExecuteProperty
};

property_info stListViewProperties[] = {
	{ "Item", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of rows shown.", kItemCountProperty, { B_INT32_TYPE } },
	{ "Item", { B_GET_PROPERTY }, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Returns the text of a row that shows text.", kItemProperty, { B_STRING_TYPE } },
	{ "Item", { B_EXECUTE_PROPERTY }, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER,
			B_RANGE_SPECIFIER, B_REVERSE_RANGE_SPECIFIER },
		"Selects the rows, and only them, and invokes them.", kItemExecuteProperty },
	{ "Selection", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of selected rows.", kSelectionCountProperty, { B_INT32_TYPE } },
	{ "Selection", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Returns the index of each selected row.", kSelectionProperty, { B_INT32_TYPE } },
	{ "Selection", { B_SET_PROPERTY }, { B_DIRECT_SPECIFIER, B_INDEX_SPECIFIER,
			B_REVERSE_INDEX_SPECIFIER, B_RANGE_SPECIFIER, B_REVERSE_RANGE_SPECIFIER },
		"Adds the rows (every row when direct) to the selection when the bool \"data\" "
		"is true, takes them out of it when false.", kSelectionSetProperty, { B_BOOL_TYPE } },
	{ "Selection", { B_EXECUTE_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Invokes the selected rows.", kSelectionExecuteProperty },
	{ NULL }
};


// A row is part of the list's content: it starts at the content's left edge (x = 0), so
// that it scrolls sideways with it, and reaches the right edge of what the list shows.
BRect
row_frame(const BRect& bounds, float top, float height)
{
	return BRect(std::min(bounds.left, 0.0f), top, std::max(bounds.right, 0.0f),
		top + height - 1);
}

} // namespace


BListView::BListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fRows(new ListRows),
	fListType(type),
	fSelectMessage(NULL),
	fSelectedCount(0),
	fAnchor(NULL),
	fDragIndex(-1),
	fDragWasSelected(false)
{
	SetViewColor(ui_color(B_LIST_BACKGROUND_COLOR));
}


BListView::~BListView()
{
	// The items belong to the caller; they only forget where they were.
	fRows->Clear();
	delete fRows;
	delete fSelectMessage;
}


// #pragma mark - Hooks


void
BListView::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (!Messenger().IsValid())
		SetTarget(Window());
	BFont font;
	GetFont(&font);
	for (int32 row = 0; row < fRows->CountAll(); row++) {
		fRows->ItemAt(row)->Update(this, &font);
		fRows->Remeasure(row);
	}
	_FixupScrollBar();
}


void
BListView::Draw(BRect updateRect)
{
	EachShownRow(updateRect.top, updateRect.bottom,
		[&](int32 index, BListItem* item, BRect frame) {
			DrawItem(item, frame, false);
			return true;
		});
}


void
BListView::DrawItem(BListItem* item, BRect itemRect, bool complete)
{
	item->DrawItem(this, itemRect, complete);
}


void
BListView::MessageReceived(BMessage* message)
{
	if (message->what == B_MOUSE_WHEEL_CHANGED) {
		if (BScrollBar* bar = ScrollBar(B_VERTICAL)) {
			bar->MessageReceived(message);
			return;
		}
	}
	if (_HandleScripting(message))
		return;
	BView::MessageReceived(message);
}


void
BListView::MouseDown(BPoint where)
{
	if ((Flags() & B_NAVIGABLE) != 0 && !IsFocus())
		MakeFocus(true);
	int32 clicks = 1;
	int32 modifiers = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL) {
		Window()->CurrentMessage()->FindInt32("clicks", &clicks);
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	}
	int32 index = IndexOf(where);
	if (index < 0) {
		if ((modifiers & (B_SHIFT_KEY | B_COMMAND_KEY)) == 0)
			DeselectAll();
		return;
	}
	if (clicks >= 2 && IsItemSelected(index)) {
		Invoke();
		return;
	}
	fDragStart = where;
	fDragIndex = index;
	fDragWasSelected = IsItemSelected(index);
	if (fListType == B_MULTIPLE_SELECTION_LIST && (modifiers & B_SHIFT_KEY) != 0
		&& IndexOf(fAnchor) >= 0) {
		BListItem* anchor = fAnchor;
		int32 from = IndexOf(anchor);
		Select(std::min(from, index), std::max(from, index), true);
		fAnchor = anchor;
	} else if (fListType == B_MULTIPLE_SELECTION_LIST
		&& (modifiers & B_COMMAND_KEY) != 0) {
		if (IsItemSelected(index))
			Deselect(index);
		else
			Select(index, true);
	} else
		Select(index);
}


void
BListView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fDragIndex < 0)
		return;
	if (!BPrivate::moved_to_drag(fDragStart, where))
		return;
	// One drag a press, and only while the row pressed is still there.
	int32 index = fDragIndex;
	fDragIndex = -1;
	if (index < CountItems())
		InitiateDrag(fDragStart, index, fDragWasSelected);
}


void
BListView::MouseUp(BPoint where)
{
	fDragIndex = -1;
}


bool
BListView::InitiateDrag(BPoint point, int32 index, bool wasSelected)
{
	return false;
}


void
BListView::KeyDown(const char* bytes, int32 numBytes)
{
	int32 modifiers = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	bool extend = fListType == B_MULTIPLE_SELECTION_LIST && (modifiers & B_SHIFT_KEY) != 0;
	int32 current = IndexOf(fAnchor);
	if (current < 0)
		current = CurrentSelection(0);
	float page = Bounds().Height();

	switch (bytes[0]) {
		case B_UP_ARROW:
			_MoveSelection(current < 0 ? CountItems() - 1 : current - 1, extend);
			break;
		case B_DOWN_ARROW:
			_MoveSelection(current + 1, extend);
			break;
		case B_HOME:
			_MoveSelection(0, extend);
			break;
		case B_END:
			_MoveSelection(CountItems() - 1, extend);
			break;
		case B_PAGE_UP:
		{
			float top = current < 0 ? Bounds().top : ItemFrame(current).top;
			int32 to = IndexOf(BPoint(0, top - page));
			_MoveSelection(to < 0 ? 0 : to, extend);
			break;
		}
		case B_PAGE_DOWN:
		{
			float top = current < 0 ? Bounds().top : ItemFrame(current).top;
			int32 to = IndexOf(BPoint(0, top + page));
			_MoveSelection(to < 0 ? CountItems() - 1 : to, extend);
			break;
		}
		case B_ENTER:
			if (fSelectedCount > 0)
				Invoke();
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}


void
BListView::FrameResized(float newWidth, float newHeight)
{
	BView::FrameResized(newWidth, newHeight);
	_FixupScrollBar();
}


void
BListView::TargetedByScrollView(BScrollView* scrollView)
{
	BView::TargetedByScrollView(scrollView);
	_FixupScrollBar();
}


void
BListView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	if (Window() == NULL)
		return;
	BFont current;
	GetFont(&current);
	for (int32 row = 0; row < fRows->CountAll(); row++) {
		fRows->ItemAt(row)->Update(this, &current);
		fRows->Remeasure(row);
	}
	Invalidate();
	_FixupScrollBar();
}


void
BListView::SelectionChanged()
{
}


// #pragma mark - Rows


bool
BListView::AddItem(BListItem* item)
{
	BPrivate::check_lock(Window());
	return AddItem(item, CountItems());
}


bool
BListView::AddItem(BListItem* item, int32 index)
{
	BPrivate::check_lock(Window());
	if (item == NULL || index < 0 || index > CountItems())
		return false;
	MeasureItem(item);
	item->Deselect();
	if (!fRows->Insert(index, &item, 1, true))
		return false;
	RowsChanged(index);
	return true;
}


bool
BListView::AddList(BList* items)
{
	return items != NULL && AddList(items, CountItems());
}


bool
BListView::AddList(BList* items, int32 index)
{
	BPrivate::check_lock(Window());
	if (items == NULL || index < 0 || index > CountItems())
		return false;
	BListItem** array = (BListItem**)items->Items();
	int32 count = items->CountItems();
	for (int32 i = 0; i < count; i++) {
		if (array[i] == NULL)
			return false;
		MeasureItem(array[i]);
		array[i]->Deselect();
	}
	if (!fRows->Insert(index, array, count, true))
		return false;
	RowsChanged(index);
	return true;
}


bool
BListView::RemoveItem(BListItem* item)
{
	BPrivate::check_lock(Window());
	int32 index = IndexOf(item);
	return index >= 0 && RemoveItems(index, 1);
}


BListItem*
BListView::RemoveItem(int32 index)
{
	BPrivate::check_lock(Window());
	BListItem* item = ItemAt(index);
	if (item == NULL || !RemoveItems(index, 1))
		return NULL;
	return item;
}


bool
BListView::RemoveItems(int32 index, int32 count)
{
	BPrivate::check_lock(Window());
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 row = index; row < index + count; row++)
		ForgetSelection(fRows->ItemAt(row));
	fRows->Remove(index, count);
	RowsChanged(index);
	return true;
}


void
BListView::MakeEmpty()
{
	BPrivate::check_lock(Window());
	for (int32 row = 0; row < fRows->CountAll(); row++)
		ForgetSelection(fRows->ItemAt(row));
	fRows->Clear();
	fAnchor = NULL;
	RowsChanged(0);
}


bool
BListView::ReplaceItem(int32 index, BListItem* item)
{
	BPrivate::check_lock(Window());
	if (item == NULL || fRows->IndexOf(item) >= 0 || ItemAt(index) == NULL)
		return false;
	int32 row = fRows->IndexOfShown(index);
	ForgetSelection(fRows->ItemAt(row));
	MeasureItem(item);
	item->Deselect();
	fRows->Remove(row, 1);
	fRows->Insert(row, &item, 1, true);
	RowsChanged(index);
	return true;
}


bool
BListView::SwapItems(int32 a, int32 b)
{
	BPrivate::check_lock(Window());
	if (ItemAt(a) == NULL || ItemAt(b) == NULL)
		return false;
	fRows->Swap(fRows->IndexOfShown(a), fRows->IndexOfShown(b));
	RowsChanged(std::min(a, b));
	return true;
}


bool
BListView::MoveItem(int32 from, int32 to)
{
	BPrivate::check_lock(Window());
	if (ItemAt(from) == NULL || ItemAt(to) == NULL)
		return false;
	fRows->Move(fRows->IndexOfShown(from), fRows->IndexOfShown(to));
	RowsChanged(std::min(from, to));
	return true;
}


void
BListView::SortItems(int (*compare)(const void*, const void*))
{
	BPrivate::check_lock(Window());
	if (compare == NULL)
		return;
	fRows->Sort([compare](BListItem* a, BListItem* b) { return compare(&a, &b) < 0; });
	RowsChanged(0);
}


BListItem*
BListView::ItemAt(int32 index) const
{
	return fRows->ItemAt(fRows->IndexOfShown(index));
}


BListItem*
BListView::FirstItem() const
{
	return ItemAt(0);
}


BListItem*
BListView::LastItem() const
{
	return ItemAt(CountItems() - 1);
}


int32
BListView::IndexOf(const BListItem* item) const
{
	return fRows->ShownIndexOf(fRows->IndexOf(item));
}


int32
BListView::IndexOf(BPoint point) const
{
	int32 found = -1;
	EachShownRow(point.y, point.y, [&](int32 index, BListItem* item, BRect frame) {
		found = index;
		return false;
	});
	return found;
}


bool
BListView::HasItem(const BListItem* item) const
{
	return IndexOf(item) >= 0;
}


int32
BListView::CountItems() const
{
	return fRows->CountShown();
}


bool
BListView::IsEmpty() const
{
	return CountItems() == 0;
}


const BListItem**
BListView::Items() const
{
	fItemsCopy.resize(CountItems());
	for (int32 i = 0; i < CountItems(); i++)
		fItemsCopy[i] = ItemAt(i);
	return fItemsCopy.data();
}


void
BListView::DoForEach(bool (*func)(BListItem* item))
{
	DoForEach([](BListItem* item, void* arg) {
		return ((bool (*)(BListItem*))arg)(item);
	}, (void*)func);
}


void
BListView::DoForEach(bool (*func)(BListItem* item, void* arg), void* arg)
{
	if (func == NULL)
		return;
	for (int32 row = 0; row < fRows->CountAll(); row++) {
		if (fRows->IsShown(row) && func(fRows->ItemAt(row), arg))
			return;
	}
}


BRect
BListView::ItemFrame(int32 index)
{
	int32 row = fRows->IndexOfShown(index);
	if (row < 0)
		return BRect();
	return row_frame(Bounds(), fRows->TopOf(row), fRows->HeightOf(row));
}


void
BListView::InvalidateItem(int32 index)
{
	BPrivate::check_lock(Window());
	int32 row = fRows->IndexOfShown(index);
	if (row < 0)
		return;
	float height = fRows->HeightOf(row);
	fRows->Remeasure(row);
	if (fRows->HeightOf(row) != height)
		RowsChanged(index);
	else if (Window() != NULL)
		Invalidate(ItemFrame(index));
}


void
BListView::ScrollToSelection()
{
	_ScrollToRow(CurrentSelection(0));
}


void
BListView::ScrollTo(int32 index)
{
	BPrivate::check_lock(Window());
	BRect frame = ItemFrame(index);
	if (!frame.IsValid())
		return;
	float visible = Bounds().Height() + 1;
	float last = std::max(0.0f, fRows->TotalHeight() - visible);
	ScrollTo(BPoint(Bounds().left, std::min(frame.top, last)));
}


void
BListView::EachShownRow(float top, float bottom,
	const std::function<bool(int32 index, BListItem* item, BRect frame)>& visit) const
{
	int32 row = fRows->IndexAtHeight(std::max(top, 0.0f));
	if (row < 0)
		return;
	int32 index = fRows->ShownIndexOf(row);
	float y = fRows->TopOf(row);
	BRect bounds = Bounds();
	while (row >= 0 && y <= bottom) {
		float height = fRows->HeightOf(row);
		if (!visit(index, fRows->ItemAt(row), row_frame(bounds, y, height))) {
			return;
		}
		y += height;
		index++;
		row = fRows->IsShown(row + 1) ? row + 1 : fRows->IndexOfShown(index);
	}
}


void
BListView::MeasureItem(BListItem* item)
{
	if (Window() == NULL)
		return;
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
}


void
BListView::RowsChanged(int32 index)
{
	if (Window() != NULL) {
		BRect bounds = Bounds();
		int32 row = fRows->IndexOfShown(index);
		float top = row >= 0 ? fRows->TopOf(row) : fRows->TotalHeight();
		if (top <= bounds.bottom) {
			bounds.top = std::max(bounds.top, top);
			Invalidate(bounds);
		}
	}
	_FixupScrollBar();
}


bool
BListView::ForgetSelection(BListItem* item)
{
	if (item == fAnchor)
		fAnchor = NULL;
	if (item == NULL || !item->IsSelected())
		return false;
	item->Deselect();
	fSelectedCount--;
	return true;
}


void
BListView::NotifySelectionChanged()
{
	SelectionChanged();
	if (fSelectMessage != NULL)
		InvokeNotify(fSelectMessage, B_CONTROL_MODIFIED);
}


void
BListView::_FixupScrollBar()
{
	BScrollBar* bar = ScrollBar(B_VERTICAL);
	if (bar == NULL)
		return;
	float visible = Bounds().Height() + 1;
	float total = fRows->TotalHeight();
	bar->SetRange(0, std::max(0.0f, total - visible));
	bar->SetProportion(total > visible ? visible / total : 1.0f);
	float step = fRows->CountShown() > 0 ? fRows->HeightOf(fRows->IndexOfShown(0)) : 20;
	bar->SetSteps(step, std::max(step, visible - step));
}


// #pragma mark - Selection


void
BListView::SetListType(list_view_type type)
{
	BPrivate::check_lock(Window());
	if (type == fListType)
		return;
	fListType = type;
	if (type == B_SINGLE_SELECTION_LIST && fSelectedCount > 1) {
		int32 first = CurrentSelection(0);
		if (_DeselectOutside(first, first))
			NotifySelectionChanged();
	}
}


void
BListView::Select(int32 index, bool extend)
{
	Select(index, index, extend);
}


void
BListView::Select(int32 from, int32 to, bool extend)
{
	BPrivate::check_lock(Window());
	if (from > to || from < 0 || to >= CountItems())
		return;
	if (fListType == B_SINGLE_SELECTION_LIST) {
		from = to;
		extend = false;
	}
	bool changed = !extend && _DeselectOutside(from, to);
	for (int32 index = from; index <= to; index++)
		changed |= _SetSelected(index, true);
	fAnchor = ItemAt(to);
	if (changed)
		NotifySelectionChanged();
}


bool
BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != NULL && item->IsSelected();
}


int32
BListView::CurrentSelection(int32 i) const
{
	if (i < 0 || i >= fSelectedCount)
		return -1;
	if (fSelectedCount == 1 && fAnchor != NULL && fAnchor->IsSelected())
		return IndexOf(fAnchor);
	int32 found = -1;
	int32 seen = 0;
	_EachSelected([&](int32 index) {
		if (seen++ == i)
			found = index;
	});
	return found;
}


void
BListView::Deselect(int32 index)
{
	BPrivate::check_lock(Window());
	if (_SetSelected(index, false))
		NotifySelectionChanged();
}


void
BListView::DeselectAll()
{
	BPrivate::check_lock(Window());
	if (_DeselectOutside(0, -1))
		NotifySelectionChanged();
}


void
BListView::DeselectExcept(int32 exceptFrom, int32 exceptTo)
{
	BPrivate::check_lock(Window());
	if (_DeselectOutside(exceptFrom, exceptTo))
		NotifySelectionChanged();
}


void
BListView::SetSelectionMessage(BMessage* message)
{
	if (message == fSelectMessage)
		return;
	delete fSelectMessage;
	fSelectMessage = message;
}


void
BListView::SetInvocationMessage(BMessage* message)
{
	SetMessage(message);
}


uint32
BListView::SelectionCommand() const
{
	return fSelectMessage != NULL ? fSelectMessage->what : 0;
}


status_t
BListView::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	_EachSelected([&](int32 index) { copy.AddInt32("index", index); });
	return BInvoker::Invoke(&copy);
}


bool
BListView::_SetSelected(int32 index, bool selected)
{
	BListItem* item = ItemAt(index);
	if (item == NULL || item->IsSelected() == selected)
		return false;
	if (selected) {
		item->Select();
		fSelectedCount++;
	} else {
		item->Deselect();
		fSelectedCount--;
	}
	if (Window() != NULL)
		Invalidate(ItemFrame(index));
	return true;
}


void
BListView::_EachSelected(const std::function<void(int32 index)>& visit) const
{
	if (fSelectedCount == 0)
		return;
	if (fSelectedCount == 1 && fAnchor != NULL && fAnchor->IsSelected()) {
		visit(IndexOf(fAnchor));
		return;
	}
	int32 index = 0;
	int32 left = fSelectedCount;
	for (int32 row = 0; row < fRows->CountAll() && left > 0; row++) {
		if (!fRows->IsShown(row))
			continue;
		if (fRows->ItemAt(row)->IsSelected()) {
			visit(index);
			left--;
		}
		index++;
	}
}


// Deselects the selected rows before from and after to.
bool
BListView::_DeselectOutside(int32 from, int32 to)
{
	std::vector<int32> outside;
	_EachSelected([&](int32 index) {
		if (index < from || index > to)
			outside.push_back(index);
	});
	for (int32 index : outside)
		_SetSelected(index, false);
	return !outside.empty();
}


void
BListView::_MoveSelection(int32 to, bool extend)
{
	to = std::clamp(to, (int32)0, CountItems() - 1);
	if (to < 0)
		return;
	Select(to, extend);
	_ScrollToRow(to);
}


void
BListView::_ScrollToRow(int32 index)
{
	BRect frame = ItemFrame(index);
	if (!frame.IsValid())
		return;
	BRect bounds = Bounds();
	if (frame.top < bounds.top)
		ScrollTo(BPoint(bounds.left, frame.top));
	else if (frame.bottom > bounds.bottom)
		ScrollTo(BPoint(bounds.left, frame.bottom - bounds.Height()));
}


// #pragma mark - Scripting


BHandler*
BListView::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stListViewProperties) != BPrivate::kNoProperty) {
		return this;
	}
	return BView::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BListView::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-list-view",
		stListViewProperties);
	if (status == B_OK)
		status = BView::GetSupportedSuites(data);
	return status;
}


// Answers a request for one of the suite's properties; false when it is not one.
bool
BListView::_HandleScripting(BMessage* message)
{
	uint32 tag = BPrivate::match_property(message, stListViewProperties);
	if (tag == BPrivate::kNoProperty)
		return false;
	BMessage specifier;
	int32 index;
	int32 form;
	const char* property;
	message->GetCurrentSpecifier(&index, &specifier, &form, &property);

	// The rows an index or range specifier names; [first, first + count) must lie among
	// the shown rows. The reverse forms count from the end as views and windows do, 1 being
	// the last row: a reverse range is taken in that reversed order, from its index on.
	int32 first = 0;
	int32 count = CountItems();
	if (form != B_DIRECT_SPECIFIER) {
		int32 range = 1;
		if (specifier.FindInt32("index", &first) != B_OK)
			first = -1;
		if (form == B_RANGE_SPECIFIER || form == B_REVERSE_RANGE_SPECIFIER)
			specifier.FindInt32("range", &range);
		if (form == B_REVERSE_INDEX_SPECIFIER || form == B_REVERSE_RANGE_SPECIFIER)
			first = CountItems() - first - (form == B_REVERSE_RANGE_SPECIFIER ? range - 1 : 0);
		count = range;
	}
	BMessage reply(B_REPLY);
	status_t error = B_OK;
	if (first < 0 || count < 0 || first + count > CountItems())
		error = B_BAD_INDEX;
	else {
		switch (tag) {
			case kItemCountProperty:
				reply.AddInt32("result", CountItems());
				break;
			case kItemProperty:
			{
				BStringItem* item = dynamic_cast<BStringItem*>(ItemAt(first));
				if (item != NULL && item->Text() != NULL)
					reply.AddString("result", item->Text());
				else
					error = B_BAD_TYPE;
				break;
			}
			case kItemExecuteProperty:
				Select(first, first + count - 1);
				Invoke();
				break;
			case kSelectionCountProperty:
				reply.AddInt32("result", fSelectedCount);
				break;
			case kSelectionProperty:
				_EachSelected([&](int32 row) { reply.AddInt32("result", row); });
				break;
			case kSelectionSetProperty:
			{
				bool select;
				if ((error = BPrivate::find_data(message, &select)) != B_OK)
					break;
				if (count == 0)
					break;
				if (select)
					Select(first, first + count - 1, true);
				else {
					bool changed = false;
					for (int32 row = first; row < first + count; row++)
						changed |= _SetSelected(row, false);
					if (changed)
						NotifySelectionChanged();
				}
				break;
			}
			case kSelectionExecuteProperty:
				Invoke();
				break;
		}
	}
	BPrivate::reply_result(message, &reply, error);
	return true;
}
