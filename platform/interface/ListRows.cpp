#include "interface/ListRows.h"

#include "interface/ListItemPrivate.h"

#include <algorithm>

namespace BPrivate {

namespace {

inline int32
LowBit(int32 value)
{
	return value & -value;
}


inline int32
HighestPowerOfTwo(int32 value)
{
	int32 power = 1;
	while (power * 2 <= value)
		power *= 2;
	return value > 0 ? power : 0;
}

} // namespace


BListItem*
ListRows::ItemAt(int32 index) const
{
	return index >= 0 && index < CountAll() ? fRows[index].item : NULL;
}


uint32
ListRows::LevelAt(int32 index) const
{
	return index >= 0 && index < CountAll() ? fRows[index].level : 0;
}


bool
ListRows::IsShown(int32 index) const
{
	return index >= 0 && index < CountAll() && fRows[index].shown;
}


float
ListRows::HeightOf(int32 index) const
{
	return index >= 0 && index < CountAll() ? fRows[index].height : 0;
}


int32
ListRows::IndexOf(const BListItem* item) const
{
	if (item == NULL)
		return -1;
	int32 index = BListItem::Private(const_cast<BListItem*>(item)).ListIndex();
	return index >= 0 && index < CountAll() && fRows[index].item == item ? index : -1;
}


int32
ListRows::ShownIndexOf(int32 index) const
{
	return IsShown(index) ? ShownBefore(index) : -1;
}


int32
ListRows::ShownBefore(int32 index) const
{
	index = std::clamp(index, (int32)0, CountAll());
	int32 count = 0;
	for (int32 node = index; node > 0; node -= LowBit(node))
		count += fCounts[node];
	return count;
}


float
ListRows::TopOf(int32 index) const
{
	index = std::clamp(index, (int32)0, CountAll());
	// The last row is asked for after each append: no need to walk the tree.
	if (index == CountAll())
		return (float)fShownHeight;
	if (index == CountAll() - 1)
		return (float)(fShownHeight - (fRows[index].shown ? fRows[index].height : 0));
	double top = 0;
	for (int32 node = index; node > 0; node -= LowBit(node))
		top += fHeights[node];
	return (float)top;
}


int32
ListRows::IndexOfShown(int32 shownIndex) const
{
	if (shownIndex < 0 || shownIndex >= fShownCount)
		return -1;
	// The first and last shown rows are asked for after each append.
	if (shownIndex == 0 && fRows.front().shown)
		return 0;
	if (shownIndex == fShownCount - 1 && fRows.back().shown)
		return CountAll() - 1;
	// Descends to the last row with at most shownIndex shown rows up to it; the next
	// row is the one.
	int32 position = 0;
	int32 remaining = shownIndex;
	for (int32 step = HighestPowerOfTwo(CountAll()); step > 0; step /= 2) {
		int32 next = position + step;
		if (next <= CountAll() && fCounts[next] <= remaining) {
			position = next;
			remaining -= fCounts[next];
		}
	}
	return position;
}


int32
ListRows::IndexAtHeight(float y) const
{
	if (y < 0 || y >= fShownHeight)
		return -1;
	int32 position = 0;
	double remaining = y;
	for (int32 step = HighestPowerOfTwo(CountAll()); step > 0; step /= 2) {
		int32 next = position + step;
		if (next <= CountAll() && fHeights[next] <= remaining) {
			position = next;
			remaining -= fHeights[next];
		}
	}
	return position < CountAll() ? position : -1;
}


bool
ListRows::Insert(int32 index, BListItem* const* items, int32 count, bool shown)
{
	if (index < 0 || index > CountAll() || count < 0)
		return false;
	for (int32 i = 0; i < count; i++) {
		if (items[i] == NULL || IndexOf(items[i]) >= 0)
			return false;
	}
	std::vector<Row> rows;
	rows.reserve(count);
	for (int32 i = 0; i < count; i++) {
		float height = items[i]->Height() + 1;
		rows.push_back({ items[i], height, items[i]->OutlineLevel(), shown });
		if (shown) {
			fShownCount++;
			fShownHeight += height;
		}
	}
	bool append = index == CountAll();
	fRows.insert(fRows.begin() + index, rows.begin(), rows.end());
	if (append) {
		for (int32 i = 0; i < count; i++) {
			BListItem::Private(items[i]).SetListIndex(index + i);
			_AppendNode();
		}
	} else {
		fMoves++;
		_Rebuild(index);
	}
	return true;
}


void
ListRows::Remove(int32 index, int32 count)
{
	index = std::clamp(index, (int32)0, CountAll());
	count = std::clamp(count, (int32)0, CountAll() - index);
	if (count == 0)
		return;
	for (int32 i = index; i < index + count; i++) {
		BListItem::Private(fRows[i].item).SetListIndex(-1);
		if (fRows[i].shown) {
			fShownCount--;
			fShownHeight -= fRows[i].height;
		}
	}
	fRows.erase(fRows.begin() + index, fRows.begin() + index + count);
	fMoves++;
	if (fShownCount == 0)
		fShownHeight = 0;
	_Rebuild(index);
}


void
ListRows::Clear()
{
	for (const Row& row : fRows)
		BListItem::Private(row.item).SetListIndex(-1);
	fRows.clear();
	fCounts.clear();
	fHeights.clear();
	fShownCount = 0;
	fShownHeight = 0;
	fMoves++;
}


void
ListRows::SetShown(int32 index, bool shown)
{
	if (index < 0 || index >= CountAll() || fRows[index].shown == shown)
		return;
	Row& row = fRows[index];
	row.shown = shown;
	int32 sign = shown ? 1 : -1;
	fShownCount += sign;
	fShownHeight += sign * (double)row.height;
	_Add(index, sign, sign * (double)row.height);
}


void
ListRows::Remeasure(int32 index)
{
	if (index < 0 || index >= CountAll())
		return;
	Row& row = fRows[index];
	float height = row.item->Height() + 1;
	if (height == row.height)
		return;
	double delta = (double)height - row.height;
	row.height = height;
	if (row.shown) {
		fShownHeight += delta;
		_Add(index, 0, delta);
	}
}


void
ListRows::Swap(int32 a, int32 b)
{
	if (a < 0 || b < 0 || a >= CountAll() || b >= CountAll() || a == b)
		return;
	Row& first = fRows[a];
	Row& second = fRows[b];
	double delta = (first.shown ? first.height : 0.0) - (second.shown ? second.height : 0.0);
	int32 countDelta = (int32)first.shown - (int32)second.shown;
	std::swap(first, second);
	fMoves++;
	BListItem::Private(fRows[a].item).SetListIndex(a);
	BListItem::Private(fRows[b].item).SetListIndex(b);
	_Add(a, -countDelta, -delta);
	_Add(b, countDelta, delta);
}


void
ListRows::Move(int32 from, int32 to)
{
	if (from < 0 || to < 0 || from >= CountAll() || to >= CountAll() || from == to)
		return;
	if (from < to)
		std::rotate(fRows.begin() + from, fRows.begin() + from + 1, fRows.begin() + to + 1);
	else
		std::rotate(fRows.begin() + to, fRows.begin() + from, fRows.begin() + from + 1);
	fMoves++;
	_Rebuild(std::min(from, to));
}


void
ListRows::Reorder(int32 from, const std::vector<int32>& order)
{
	if (from < 0 || (size_t)from + order.size() > fRows.size() || order.empty())
		return;
	std::vector<Row> rows;
	rows.reserve(order.size());
	for (int32 old : order)
		rows.push_back(fRows[from + old]);
	std::copy(rows.begin(), rows.end(), fRows.begin() + from);
	fMoves++;
	_Rebuild(from);
}


void
ListRows::Sort(const std::function<bool(BListItem*, BListItem*)>& less)
{
	std::stable_sort(fRows.begin(), fRows.end(),
		[&](const Row& a, const Row& b) { return less(a.item, b.item); });
	fMoves++;
	_Rebuild(0);
}


// Adds to the shown count and height of one row.
void
ListRows::_Add(int32 index, int32 count, double height)
{
	for (int32 node = index + 1; node <= CountAll(); node += LowBit(node)) {
		fCounts[node] += count;
		fHeights[node] += height;
	}
}


// Renumbers the rows from index on and builds both trees again, in linear time.
void
ListRows::_Rebuild(int32 from)
{
	for (int32 i = from; i < CountAll(); i++)
		BListItem::Private(fRows[i].item).SetListIndex(i);
	int32 size = CountAll();
	fCounts.assign(size + 1, 0);
	fHeights.assign(size + 1, 0);
	for (int32 node = 1; node <= size; node++) {
		const Row& row = fRows[node - 1];
		if (row.shown) {
			fCounts[node] += 1;
			fHeights[node] += row.height;
		}
		int32 parent = node + LowBit(node);
		if (parent <= size) {
			fCounts[parent] += fCounts[node];
			fHeights[parent] += fHeights[node];
		}
	}
}


// Adds the tree node of the last row, which covers the rows since the previous node of
// a larger span.
void
ListRows::_AppendNode()
{
	int32 node = (int32)fCounts.size();
	if (node == 0) {
		fCounts.push_back(0);
		fHeights.push_back(0);
		node = 1;
	}
	const Row& row = fRows[node - 1];
	int32 count = row.shown ? 1 : 0;
	double height = row.shown ? row.height : 0;
	for (int32 child = node - 1; child > node - LowBit(node); child -= LowBit(child)) {
		count += fCounts[child];
		height += fHeights[child];
	}
	fCounts.push_back(count);
	fHeights.push_back(height);
}

} // namespace BPrivate
