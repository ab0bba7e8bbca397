#include <List.h>

#include <stdlib.h>
#include <string.h>

BList::BList(int32 blockSize)
	:
	fObjectList(NULL),
	fPhysicalSize(0),
	fItemCount(0),
	fBlockSize(blockSize > 0 ? blockSize : 1)
{
}


BList::BList(const BList& other)
	:
	fObjectList(NULL),
	fPhysicalSize(0),
	fItemCount(0),
	fBlockSize(other.fBlockSize)
{
	*this = other;
}


BList::~BList()
{
	free(fObjectList);
}


BList&
BList::operator=(const BList& other)
{
	if (this == &other)
		return *this;
	fBlockSize = other.fBlockSize;
	if (_ResizeArray(other.fItemCount)) {
		fItemCount = other.fItemCount;
		if (fItemCount > 0)
			memcpy(fObjectList, other.fObjectList, fItemCount * sizeof(void*));
	} else
		fItemCount = 0;
	return *this;
}


bool
BList::operator==(const BList& other) const
{
	return fItemCount == other.fItemCount
		&& (fItemCount == 0
			|| memcmp(fObjectList, other.fObjectList, fItemCount * sizeof(void*)) == 0);
}


bool
BList::operator!=(const BList& other) const
{
	return !(*this == other);
}


bool
BList::AddItem(void* item)
{
	return AddItem(item, fItemCount);
}


bool
BList::AddItem(void* item, int32 index)
{
	if (index < 0 || index > fItemCount || !_ResizeArray(fItemCount + 1))
		return false;
	memmove(fObjectList + index + 1, fObjectList + index,
		(fItemCount - index) * sizeof(void*));
	fObjectList[index] = item;
	fItemCount++;
	return true;
}


bool
BList::AddList(const BList* list)
{
	return list != NULL && AddList(list, fItemCount);
}


bool
BList::AddList(const BList* list, int32 index)
{
	if (list == NULL || index < 0 || index > fItemCount)
		return false;
	int32 count = list->fItemCount;
	if (count == 0)
		return true;
	if (list == this) {
		BList copy(*this);
		return copy.fItemCount == count && AddList(&copy, index);
	}
	if (!_ResizeArray(fItemCount + count))
		return false;
	memmove(fObjectList + index + count, fObjectList + index,
		(fItemCount - index) * sizeof(void*));
	memcpy(fObjectList + index, list->fObjectList, count * sizeof(void*));
	fItemCount += count;
	return true;
}


bool
BList::RemoveItem(void* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	RemoveItem(index);
	return true;
}


void*
BList::RemoveItem(int32 index)
{
	if (index < 0 || index >= fItemCount)
		return NULL;
	void* item = fObjectList[index];
	RemoveItems(index, 1);
	return item;
}


bool
BList::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || index >= fItemCount || count < 0)
		return false;
	if (count > fItemCount - index)
		count = fItemCount - index;
	memmove(fObjectList + index, fObjectList + index + count,
		(fItemCount - index - count) * sizeof(void*));
	fItemCount -= count;
	_ResizeArray(fItemCount);
	return true;
}


bool
BList::ReplaceItem(int32 index, void* item)
{
	if (index < 0 || index >= fItemCount)
		return false;
	fObjectList[index] = item;
	return true;
}


void
BList::MakeEmpty()
{
	fItemCount = 0;
	_ResizeArray(0);
}


bool
BList::SwapItems(int32 indexA, int32 indexB)
{
	if (indexA < 0 || indexA >= fItemCount || indexB < 0 || indexB >= fItemCount)
		return false;
	void* item = fObjectList[indexA];
	fObjectList[indexA] = fObjectList[indexB];
	fObjectList[indexB] = item;
	return true;
}


bool
BList::MoveItem(int32 fromIndex, int32 toIndex)
{
	if (fromIndex < 0 || fromIndex >= fItemCount || toIndex < 0 || toIndex >= fItemCount)
		return false;
	void* item = fObjectList[fromIndex];
	if (fromIndex < toIndex) {
		memmove(fObjectList + fromIndex, fObjectList + fromIndex + 1,
			(toIndex - fromIndex) * sizeof(void*));
	} else {
		memmove(fObjectList + toIndex + 1, fObjectList + toIndex,
			(fromIndex - toIndex) * sizeof(void*));
	}
	fObjectList[toIndex] = item;
	return true;
}


void
BList::SortItems(int (*compare)(const void*, const void*))
{
	if (compare != NULL && fItemCount > 1)
		qsort(fObjectList, fItemCount, sizeof(void*), compare);
}


void*
BList::ItemAt(int32 index) const
{
	if (index < 0 || index >= fItemCount)
		return NULL;
	return fObjectList[index];
}


void*
BList::FirstItem() const
{
	return fItemCount > 0 ? fObjectList[0] : NULL;
}


void*
BList::LastItem() const
{
	return fItemCount > 0 ? fObjectList[fItemCount - 1] : NULL;
}


int32
BList::IndexOf(const void* item) const
{
	for (int32 i = 0; i < fItemCount; i++) {
		if (fObjectList[i] == item)
			return i;
	}
	return -1;
}


void
BList::DoForEach(bool (*func)(void* item))
{
	if (func == NULL)
		return;
	for (int32 i = 0; i < fItemCount; i++) {
		if (func(fObjectList[i]))
			break;
	}
}


void
BList::DoForEach(bool (*func)(void* item, void* arg), void* arg)
{
	if (func == NULL)
		return;
	for (int32 i = 0; i < fItemCount; i++) {
		if (func(fObjectList[i], arg))
			break;
	}
}


// Keeps the storage at the smallest multiple of the block size that holds count items,
// and at least one block.
bool
BList::_ResizeArray(int32 count)
{
	int32 needed = (count + fBlockSize - 1) / fBlockSize * fBlockSize;
	if (needed < fBlockSize)
		needed = fBlockSize;
	if (fObjectList != NULL && needed == fPhysicalSize)
		return true;

	void** list = (void**)realloc(fObjectList, needed * sizeof(void*));
	if (list == NULL)
		return needed <= fPhysicalSize;
	fObjectList = list;
	fPhysicalSize = needed;
	return true;
}
