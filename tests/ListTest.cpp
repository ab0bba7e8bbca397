#include <List.h>

#include <gtest/gtest.h>

#include <stdint.h>

namespace {

void*
Item(intptr_t value)
{
	return (void*)value;
}


int
CompareItems(const void* a, const void* b)
{
	intptr_t left = *(const intptr_t*)a;
	intptr_t right = *(const intptr_t*)b;
	return left < right ? -1 : left > right;
}

} // namespace


TEST(ListTest, GrowsAcrossBlocksAndShiftsOnInsertAndRemove)
{
	// A block size of 2 makes every few adds cross a block boundary.
	BList list(2);
	for (intptr_t i = 1; i <= 7; i++)
		ASSERT_TRUE(list.AddItem(Item(i)));
	ASSERT_TRUE(list.AddItem(Item(100), 0));
	ASSERT_TRUE(list.AddItem(Item(200), 4));
	ASSERT_TRUE(list.AddItem(Item(300), list.CountItems()));
	EXPECT_FALSE(list.AddItem(Item(400), list.CountItems() + 1));
	EXPECT_FALSE(list.AddItem(Item(400), -1));

	const intptr_t expected[] = { 100, 1, 2, 3, 200, 4, 5, 6, 7, 300 };
	ASSERT_EQ(list.CountItems(), 10);
	for (int32 i = 0; i < 10; i++)
		EXPECT_EQ(list.ItemAt(i), Item(expected[i]));

	EXPECT_EQ(list.RemoveItem(4), Item(200));
	EXPECT_TRUE(list.RemoveItem(Item(100)));
	EXPECT_FALSE(list.RemoveItem(Item(100)));
	EXPECT_EQ(list.RemoveItem(list.CountItems()), nullptr);
	EXPECT_EQ(list.FirstItem(), Item(1));
	EXPECT_EQ(list.LastItem(), Item(300));
	EXPECT_EQ(list.IndexOf(Item(4)), 3);
	EXPECT_TRUE(list.HasItem(Item(7)));
	EXPECT_EQ(list.ItemAt(-1), nullptr);
	EXPECT_EQ(list.ItemAt(8), nullptr);

	// Shrinking back through the blocks keeps the rest in order.
	while (list.CountItems() > 1)
		list.RemoveItem((int32)0);
	EXPECT_EQ(list.FirstItem(), Item(300));
	list.MakeEmpty();
	EXPECT_TRUE(list.IsEmpty());
	EXPECT_EQ(list.FirstItem(), nullptr);
	EXPECT_TRUE(list.AddItem(Item(1)));
}


TEST(ListTest, ListOperationsSortAndIterate)
{
	BList list(3);
	for (intptr_t value : { 5, 3, 9, 1 })
		list.AddItem(Item(value));

	BList other(list);
	EXPECT_TRUE(other == list);
	ASSERT_TRUE(list.AddList(&list, 2));
	EXPECT_EQ(list.CountItems(), 8);
	EXPECT_EQ(list.ItemAt(2), Item(5));
	EXPECT_EQ(list.ItemAt(5), Item(1));
	EXPECT_EQ(list.ItemAt(6), Item(9));

	list.SortItems(CompareItems);
	for (int32 i = 1; i < list.CountItems(); i++)
		EXPECT_LE((intptr_t)list.ItemAt(i - 1), (intptr_t)list.ItemAt(i));

	EXPECT_TRUE(list.RemoveItems(1, 100));
	EXPECT_EQ(list.CountItems(), 1);

	EXPECT_TRUE(other.MoveItem(0, 3));
	EXPECT_EQ(other.ItemAt(3), Item(5));
	EXPECT_EQ(other.ItemAt(0), Item(3));
	EXPECT_TRUE(other.SwapItems(0, 3));
	EXPECT_EQ(other.ItemAt(0), Item(5));
	EXPECT_TRUE(other.ReplaceItem(1, Item(42)));

	intptr_t sum = 0;
	other.DoForEach([](void* item, void* total) {
		*(intptr_t*)total += (intptr_t)item;
		return (intptr_t)item == 42;
	}, &sum);
	EXPECT_EQ(sum, 5 + 42);
}
