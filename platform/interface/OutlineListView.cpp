#include <OutlineListView.h>

#include "app/LockCheck.h"
#include "interface/ListRows.h"

#include <List.h>
#include <Window.h>

#include <algorithm>
#include <math.h>

namespace {

// Each level indents its rows by one latch.
const float kLatchWidth = 12;
const float kLatchSize = 8;

} // namespace


BOutlineListView::BOutlineListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	:
	BListView(frame, name, type, resizingMode, flags),
	fTailMoves(0)
{
}


BOutlineListView::~BOutlineListView()
{
}


// #pragma mark - Input


void
BOutlineListView::MouseDown(BPoint where)
{
	int32 index = IndexOf(where);
	if (index >= 0) {
		int32 row = Rows().IndexOfShown(index);
		if (_HasSubitems(row)
			&& LatchRect(ItemFrame(index), Rows().LevelAt(row)).Contains(where)) {
			BListItem* item = Rows().ItemAt(row);
			ExpandOrCollapse(item, !item->IsExpanded());
			return;
		}
	}
	BListView::MouseDown(where);
}


void
BOutlineListView::KeyDown(const char* bytes, int32 numBytes)
{
	int32 index = CurrentSelection(0);
	BListItem* item = ItemAt(index);
	if (item == NULL) {
		BListView::KeyDown(bytes, numBytes);
		return;
	}
	int32 row = Rows().IndexOfShown(index);
	switch (bytes[0]) {
		case B_RIGHT_ARROW:
		case '+':
			if (_HasSubitems(row))
				Expand(item);
			break;
		case B_LEFT_ARROW:
		case '-':
			if (_HasSubitems(row) && item->IsExpanded())
				Collapse(item);
			else if (BListItem* super = Superitem(item)) {
				Select(IndexOf(super));
				ScrollToSelection();
			}
			break;
		default:
			BListView::KeyDown(bytes, numBytes);
			break;
	}
}


// #pragma mark - Adding and removing


bool
BOutlineListView::AddUnder(BListItem* item, BListItem* superitem)
{
	BPrivate::check_lock(Window());
	if (superitem == NULL)
		return AddItem(item);
	int32 super = Rows().IndexOf(superitem);
	if (item == NULL || super < 0 || Rows().IndexOf(item) >= 0)
		return false;
	item->SetOutlineLevel(superitem->OutlineLevel() + 1);
	return AddItem(item, super + 1);
}


bool
BOutlineListView::AddItem(BListItem* item)
{
	BPrivate::check_lock(Window());
	if (item == NULL || Rows().IndexOf(item) >= 0)
		return false;
	int32 index = Rows().CountAll();
	if (fTailMoves != Rows().Moves()) {
		// Walks back from the last item to the top one, collecting the superitems.
		fTail.clear();
		for (int32 row = index - 1; row >= 0; row--) {
			if (fTail.empty() || Rows().LevelAt(row) < Rows().LevelAt(fTail.back()))
				fTail.push_back(row);
			if (Rows().LevelAt(row) == 0)
				break;
		}
		std::reverse(fTail.begin(), fTail.end());
		fTailMoves = Rows().Moves();
	}
	uint32 level = item->OutlineLevel();
	while (!fTail.empty() && Rows().LevelAt(fTail.back()) >= level)
		fTail.pop_back();
	bool shown = fTail.empty()
		|| (Rows().IsShown(fTail.back()) && Rows().ItemAt(fTail.back())->IsExpanded());
	MeasureItem(item);
	item->Deselect();
	if (!Rows().Insert(index, &item, 1, shown))
		return false;
	fTail.push_back(index);
	// A superitem right above has just got its first subitem, and so its latch.
	bool firstSubitem = fTail.size() > 1 && fTail[fTail.size() - 2] == index - 1;
	if (shown)
		RowsChanged(CountItems() - (firstSubitem ? 2 : 1));
	else if (firstSubitem && Rows().IsShown(index - 1))
		RowsChanged(CountItems() - 1);
	return true;
}


bool
BOutlineListView::AddItem(BListItem* item, int32 fullListIndex)
{
	BPrivate::check_lock(Window());
	if (fullListIndex == Rows().CountAll())
		return AddItem(item);
	if (item == NULL || fullListIndex < 0 || fullListIndex > Rows().CountAll()
		|| Rows().IndexOf(item) >= 0) {
		return false;
	}
	int32 super = -1;
	for (int32 row = fullListIndex - 1; row >= 0; row--) {
		if (Rows().LevelAt(row) < item->OutlineLevel()) {
			super = row;
			break;
		}
	}
	bool shown = super < 0
		|| (Rows().IsShown(super) && Rows().ItemAt(super)->IsExpanded());
	MeasureItem(item);
	item->Deselect();
	if (!Rows().Insert(fullListIndex, &item, 1, shown))
		return false;
	bool hidSelected = _UpdateShown(fullListIndex);
	RowsChanged(Rows().ShownBefore(super >= 0 ? super : fullListIndex));
	if (hidSelected)
		NotifySelectionChanged();
	return true;
}


bool
BOutlineListView::AddList(BList* items)
{
	return items != NULL && AddList(items, Rows().CountAll());
}


bool
BOutlineListView::AddList(BList* items, int32 fullListIndex)
{
	BPrivate::check_lock(Window());
	if (items == NULL || fullListIndex < 0 || fullListIndex > Rows().CountAll())
		return false;
	for (int32 i = 0; i < items->CountItems(); i++) {
		if (!AddItem((BListItem*)items->ItemAt(i), fullListIndex + i))
			return false;
	}
	return true;
}


bool
BOutlineListView::RemoveItem(BListItem* item)
{
	BPrivate::check_lock(Window());
	int32 index = Rows().IndexOf(item);
	return index >= 0 && RemoveItems(index, 1);
}


BListItem*
BOutlineListView::RemoveItem(int32 fullListIndex)
{
	BPrivate::check_lock(Window());
	BListItem* item = Rows().ItemAt(fullListIndex);
	if (item == NULL || !RemoveItems(fullListIndex, 1))
		return NULL;
	return item;
}


bool
BOutlineListView::RemoveItems(int32 fullListIndex, int32 count)
{
	BPrivate::check_lock(Window());
	if (fullListIndex < 0 || count < 0 || fullListIndex + count > Rows().CountAll())
		return false;
	if (count == 0)
		return true;
	int32 end = fullListIndex;
	for (int32 i = 0; i < count; i++)
		end = _SubtreeEnd(end);
	for (int32 row = fullListIndex; row < end; row++)
		ForgetSelection(Rows().ItemAt(row));
	int32 shownIndex = Rows().ShownBefore(fullListIndex);
	// A superitem left without subitems loses its latch.
	int32 before = fullListIndex - 1;
	if (before >= 0 && Rows().LevelAt(before) < Rows().LevelAt(fullListIndex)
		&& Rows().IsShown(before)) {
		shownIndex = Rows().ShownIndexOf(before);
	}
	bool tailKept = end == Rows().CountAll() && fTailMoves == Rows().Moves();
	Rows().Remove(fullListIndex, end - fullListIndex);
	if (tailKept) {
		// Taking the last items off keeps the path to the new last item, when that
		// item is on it (it is not when it is a deeper one).
		while (!fTail.empty() && fTail.back() >= fullListIndex)
			fTail.pop_back();
		int32 last = Rows().CountAll() - 1;
		if (last < 0 || (!fTail.empty() && fTail.back() == last))
			fTailMoves = Rows().Moves();
	}
	RowsChanged(shownIndex);
	return true;
}


// #pragma mark - The full list


BListItem*
BOutlineListView::FullListItemAt(int32 fullListIndex) const
{
	return Rows().ItemAt(fullListIndex);
}


int32
BOutlineListView::FullListIndexOf(const BListItem* item) const
{
	return Rows().IndexOf(item);
}


int32
BOutlineListView::FullListIndexOf(BPoint point) const
{
	return Rows().IndexOfShown(IndexOf(point));
}


BListItem*
BOutlineListView::FullListFirstItem() const
{
	return Rows().ItemAt(0);
}


BListItem*
BOutlineListView::FullListLastItem() const
{
	return Rows().ItemAt(Rows().CountAll() - 1);
}


bool
BOutlineListView::FullListHasItem(const BListItem* item) const
{
	return Rows().IndexOf(item) >= 0;
}


int32
BOutlineListView::FullListCountItems() const
{
	return Rows().CountAll();
}


bool
BOutlineListView::FullListIsEmpty() const
{
	return Rows().CountAll() == 0;
}


int32
BOutlineListView::FullListCurrentSelection(int32 i) const
{
	return Rows().IndexOfShown(CurrentSelection(i));
}


void
BOutlineListView::FullListDoForEach(bool (*func)(BListItem* item))
{
	FullListDoForEach([](BListItem* item, void* arg) {
		return ((bool (*)(BListItem*))arg)(item);
	}, (void*)func);
}


void
BOutlineListView::FullListDoForEach(bool (*func)(BListItem* item, void* arg), void* arg)
{
	if (func == NULL)
		return;
	for (int32 row = 0; row < Rows().CountAll(); row++) {
		if (func(Rows().ItemAt(row), arg))
			return;
	}
}


// #pragma mark - The tree


BListItem*
BOutlineListView::Superitem(const BListItem* item)
{
	return Rows().ItemAt(_Superitem(Rows().IndexOf(item)));
}


void
BOutlineListView::Expand(BListItem* item)
{
	ExpandOrCollapse(item, true);
}


void
BOutlineListView::Collapse(BListItem* item)
{
	ExpandOrCollapse(item, false);
}


bool
BOutlineListView::IsExpanded(int32 fullListIndex)
{
	BListItem* item = Rows().ItemAt(fullListIndex);
	return item != NULL && item->IsExpanded();
}


void
BOutlineListView::ExpandOrCollapse(BListItem* item, bool expand)
{
	BPrivate::check_lock(Window());
	int32 index = Rows().IndexOf(item);
	if (index < 0 || item->IsExpanded() == expand)
		return;
	item->SetExpanded(expand);
	if (!Rows().IsShown(index))
		return;
	bool hidSelected = _UpdateShown(index);
	RowsChanged(Rows().ShownIndexOf(index));
	if (hidSelected)
		NotifySelectionChanged();
}


int32
BOutlineListView::CountItemsUnder(BListItem* under, bool oneLevelOnly) const
{
	int32 count = 0;
	_EachUnder(under, oneLevelOnly, [&](int32 index) {
		count++;
		return true;
	});
	return count;
}


BListItem*
BOutlineListView::EachItemUnder(BListItem* under, bool oneLevelOnly,
	BListItem* (*eachFunc)(BListItem* item, void* arg), void* arg)
{
	if (eachFunc == NULL)
		return NULL;
	BListItem* result = NULL;
	_EachUnder(under, oneLevelOnly, [&](int32 index) {
		result = eachFunc(Rows().ItemAt(index), arg);
		return result == NULL;
	});
	return result;
}


BListItem*
BOutlineListView::ItemUnderAt(BListItem* under, bool oneLevelOnly, int32 index) const
{
	BListItem* found = NULL;
	_EachUnder(under, oneLevelOnly, [&](int32 row) {
		if (index-- == 0) {
			found = Rows().ItemAt(row);
			return false;
		}
		return true;
	});
	return found;
}


// The walk takes the level of each row as it comes, so that the visitor may expand and
// collapse items on the way.
void
BOutlineListView::_EachUnder(const BListItem* under, bool oneLevelOnly,
	const std::function<bool(int32 index)>& visit) const
{
	int32 start = 0;
	int64 level = -1;
	if (under != NULL) {
		start = Rows().IndexOf(under);
		if (start < 0)
			return;
		level = Rows().LevelAt(start);
		start++;
	}
	for (int32 row = start; row < Rows().CountAll() && Rows().LevelAt(row) > level; row++) {
		if (oneLevelOnly && Rows().LevelAt(row) != level + 1)
			continue;
		if (!visit(row))
			return;
	}
}


void
BOutlineListView::FullListSortItems(int (*compareFunc)(const BListItem* a,
	const BListItem* b))
{
	SortItemsUnder(NULL, false, compareFunc);
}


void
BOutlineListView::SortItemsUnder(BListItem* superItem, bool oneLevelOnly,
	int (*compareFunc)(const BListItem* a, const BListItem* b))
{
	if (compareFunc == NULL)
		return;
	int32 start = 0;
	int32 end = Rows().CountAll();
	if (superItem != NULL) {
		int32 index = Rows().IndexOf(superItem);
		if (index < 0)
			return;
		start = index + 1;
		end = _SubtreeEnd(index);
	}
	if (end - start < 2)
		return;
	_SortRange(start, end, oneLevelOnly, compareFunc);
	RowsChanged(Rows().ShownBefore(start));
}


void
BOutlineListView::_SortRange(int32 start, int32 end, bool oneLevelOnly,
	int (*compareFunc)(const BListItem* a, const BListItem* b))
{
	// Each subtree is a block [first, end) that moves whole.
	std::vector<std::pair<int32, int32>> blocks;
	for (int32 row = start; row < end; row = _SubtreeEnd(row))
		blocks.push_back({ row, _SubtreeEnd(row) });
	std::stable_sort(blocks.begin(), blocks.end(),
		[&](const std::pair<int32, int32>& a, const std::pair<int32, int32>& b) {
			return compareFunc(Rows().ItemAt(a.first), Rows().ItemAt(b.first)) < 0;
		});
	std::vector<int32> order;
	order.reserve(end - start);
	for (const std::pair<int32, int32>& block : blocks) {
		for (int32 row = block.first; row < block.second; row++)
			order.push_back(row - start);
	}
	Rows().Reorder(start, order);
	if (oneLevelOnly)
		return;
	for (int32 row = start; row < end; row = _SubtreeEnd(row)) {
		if (_HasSubitems(row))
			_SortRange(row + 1, _SubtreeEnd(row), false, compareFunc);
	}
}


int32
BOutlineListView::_SubtreeEnd(int32 index) const
{
	uint32 level = Rows().LevelAt(index);
	int32 end = index + 1;
	while (end < Rows().CountAll() && Rows().LevelAt(end) > level)
		end++;
	return end;
}


int32
BOutlineListView::_Superitem(int32 index)
{
	if (index < 0)
		return -1;
	uint32 level = Rows().LevelAt(index);
	for (int32 row = index - 1; row >= 0 && level > 0; row--) {
		if (Rows().LevelAt(row) < level)
			return row;
	}
	return -1;
}


bool
BOutlineListView::_HasSubitems(int32 index) const
{
	return index >= 0 && index + 1 < Rows().CountAll()
		&& Rows().LevelAt(index + 1) > Rows().LevelAt(index);
}


bool
BOutlineListView::_UpdateShown(int32 index)
{
	// Levels with whether their rows' subitems show, from index down the current path.
	struct Open {
		uint32 level;
		bool open;
	};
	std::vector<Open> path;
	path.push_back({ Rows().LevelAt(index),
		Rows().IsShown(index) && Rows().ItemAt(index)->IsExpanded() });
	bool hidSelected = false;
	int32 end = _SubtreeEnd(index);
	for (int32 row = index + 1; row < end; row++) {
		uint32 level = Rows().LevelAt(row);
		while (path.back().level >= level)
			path.pop_back();
		bool shown = path.back().open;
		if (!shown && Rows().IsShown(row))
			hidSelected |= ForgetSelection(Rows().ItemAt(row));
		Rows().SetShown(row, shown);
		path.push_back({ level, shown && Rows().ItemAt(row)->IsExpanded() });
	}
	return hidSelected;
}


// #pragma mark - Drawing


void
BOutlineListView::DrawItem(BListItem* item, BRect itemRect, bool complete)
{
	int32 row = Rows().IndexOf(item);
	uint32 level = Rows().LevelAt(row);
	if (_HasSubitems(row))
		DrawLatch(itemRect, level, !item->IsExpanded(), false, false);
	itemRect.left = LatchRect(itemRect, level).right + 1;
	item->DrawItem(this, itemRect, complete);
}


BRect
BOutlineListView::LatchRect(BRect itemRect, int32 level) const
{
	float left = itemRect.left + level * kLatchWidth;
	return BRect(left, itemRect.top, left + kLatchWidth - 1, itemRect.bottom);
}


void
BOutlineListView::DrawLatch(BRect itemRect, int32 level, bool collapsed,
	bool highlighted, bool misTracked)
{
	BRect latch = LatchRect(itemRect, level);
	// A triangle centred in the latch's square top part: right when collapsed, down
	// when expanded.
	float size = std::min(kLatchSize, latch.Height());
	float left = latch.left + floorf((latch.Width() - size) / 2);
	float top = latch.top + floorf((std::min(latch.Height(), kLatchWidth + 4) - size) / 2);
	PushState();
	SetHighColor(highlighted ? make_color(0, 0, 0)
		: tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_4_TINT));
	if (collapsed) {
		FillTriangle(BPoint(left + 1, top), BPoint(left + 1, top + size),
			BPoint(left + 1 + size / 2, top + size / 2));
	} else {
		FillTriangle(BPoint(left, top + 2), BPoint(left + size, top + 2),
			BPoint(left + size / 2, top + 2 + size / 2));
	}
	PopState();
}
