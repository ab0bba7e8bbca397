// An ordered list of untyped pointers. The list never owns what its items point to:
// removing items, MakeEmpty() and the destructor delete nothing.
// Storage grows and shrinks in steps of the block size given at construction.
#ifndef _LIST_H
#define _LIST_H

#include <SupportDefs.h>

#include <stdint.h>

#include <type_traits>

class BList {
public:
	explicit BList(int32 blockSize = 20);
	BList(const BList& other);
	virtual ~BList();

	BList& operator=(const BList& other);
	bool operator==(const BList& other) const;
	bool operator!=(const BList& other) const;

	// Adding fails (false) only when memory runs out or the index is out of range;
	// index == CountItems() appends.
	bool AddItem(void* item);
	bool AddItem(void* item, int32 index);
	bool AddList(const BList* list);
	bool AddList(const BList* list, int32 index);

	// Removes the first occurrence of item; the items after it move down by one.
	bool RemoveItem(void* item);
	// Returns the removed item, or NULL when the index is out of range.
	void* RemoveItem(int32 index);
	// An index of another integer type (the platform's int32 was a long), which would
	// otherwise be ambiguous with the item form for a constant 0.
	template<typename Index,
		typename = std::enable_if_t<std::is_integral_v<Index> && !std::is_same_v<Index, int32>>>
	void* RemoveItem(Index index)
	{
		int64 wide = (int64)index;
		return wide >= 0 && wide <= INT32_MAX ? RemoveItem((int32)wide) : NULL;
	}
	bool RemoveItems(int32 index, int32 count);
	bool ReplaceItem(int32 index, void* item);
	void MakeEmpty();

	bool SwapItems(int32 indexA, int32 indexB);
	bool MoveItem(int32 fromIndex, int32 toIndex);

	// compare receives pointers to two items (void** passed as const void*), as qsort does.
	void SortItems(int (*compare)(const void*, const void*));

	// Out-of-range indices give NULL; ItemAtFast does not check.
	void* ItemAt(int32 index) const;
	void* ItemAtFast(int32 index) const { return fObjectList[index]; }
	void* FirstItem() const;
	void* LastItem() const;
	void* Items() const { return fObjectList; }

	bool HasItem(void* item) const { return IndexOf(item) >= 0; }
	bool HasItem(const void* item) const { return IndexOf(item) >= 0; }
	int32 IndexOf(void* item) const { return IndexOf((const void*)item); }
	int32 IndexOf(const void* item) const;
	int32 CountItems() const { return fItemCount; }
	bool IsEmpty() const { return fItemCount == 0; }

	// Calls func for each item in order until it returns true.
	void DoForEach(bool (*func)(void* item));
	void DoForEach(bool (*func)(void* item, void* arg), void* arg);

private:
	bool _ResizeArray(int32 count);

	void** fObjectList;
	int32 fPhysicalSize;
	int32 fItemCount;
	int32 fBlockSize;
};

#endif // _LIST_H
