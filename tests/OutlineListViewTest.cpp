// BOutlineListView: the full list and the shown rows, levels and latches, expanding and
// collapsing by call, click and key, subtree removal (which deletes nothing), the walks
// under an item, and a randomised check of the whole against a plain model.
#include <ListItem.h>
#include <Message.h>
#include <OutlineListView.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "OffscreenWindowTest.h"

namespace {

class OutlineWindow : public BWindow {
public:
	explicit OutlineWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 399), title, B_TITLED_WINDOW, 0)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'sel ') {
			BWindow::MessageReceived(message);
			return;
		}
		int32 index;
		selections.push_back(message->FindInt32("index", &index) == B_OK ? index : -1);
	}

	std::vector<int32> selections;
};


class OutlineListViewTest : public OffscreenWindowTest<OutlineWindow> {
protected:
	void SetUp() override
	{
		fWindow = new OutlineWindow(TestName());
		outline = new BOutlineListView(BRect(0, 0, 299, 299), "outline");
		outline->SetSelectionMessage(new BMessage('sel '));
		fWindow->AddChild(outline);
		ASSERT_NO_FATAL_FAILURE(ShowWindow());
		ASSERT_TRUE(fWindow->Lock());
	}

	BStringItem* Item(const char* text, uint32 level, bool expanded = true)
	{
		items.emplace_back(new BStringItem(text, level, expanded));
		return items.back().get();
	}

	// The texts of the shown rows, separated by spaces.
	std::string Shown()
	{
		std::string text;
		for (int32 i = 0; i < outline->CountItems(); i++)
			text += std::string(i > 0 ? " " : "") + ((BStringItem*)outline->ItemAt(i))->Text();
		return text;
	}

	// a (b (c d) e) f (g), with b collapsed.
	void BuildTree()
	{
		outline->AddItem(Item("a", 0));
		outline->AddItem(Item("b", 1, false));
		outline->AddItem(Item("c", 2));
		outline->AddItem(Item("d", 2));
		outline->AddItem(Item("e", 1));
		outline->AddItem(Item("f", 0));
		outline->AddItem(Item("g", 1));
	}

	std::vector<std::unique_ptr<BStringItem>> items;
	BOutlineListView* outline = NULL;
};

} // namespace


TEST_F(OutlineListViewTest, ShowsTheRowsUnderExpandedItemsOnly)
{
	BuildTree();
	EXPECT_EQ(outline->FullListCountItems(), 7);
	EXPECT_EQ(outline->CountItems(), 5);
	EXPECT_EQ(Shown(), "a b e f g");
	EXPECT_EQ(outline->FullListItemAt(2), items[2].get());
	EXPECT_EQ(outline->ItemAt(2), items[4].get());
	EXPECT_EQ(outline->IndexOf(items[2].get()), -1);
	EXPECT_EQ(outline->FullListIndexOf(items[2].get()), 2);
	EXPECT_EQ(outline->FullListIndexOf(outline->ItemFrame(2).LeftTop() + BPoint(1, 1)), 4);

	outline->Expand(items[1].get());
	EXPECT_TRUE(outline->IsExpanded(1));
	EXPECT_EQ(Shown(), "a b c d e f g");
	// Collapsing a top item hides everything under it, whatever their own state.
	outline->Collapse(items[0].get());
	EXPECT_EQ(Shown(), "a f g");
	EXPECT_TRUE(items[1]->IsExpanded());
	outline->Collapse(items[1].get());
	outline->Expand(items[0].get());
	EXPECT_EQ(Shown(), "a b e f g");
	// An item added under a collapsed one stays hidden.
	outline->AddItem(Item("h", 2));
	EXPECT_EQ(outline->FullListCountItems(), 8);
	outline->Collapse(items[5].get());
	outline->AddItem(Item("i", 1));
	EXPECT_EQ(Shown(), "a b e f");
	outline->AddItem(Item("j", 0));
	EXPECT_EQ(Shown(), "a b e f j");
}


TEST_F(OutlineListViewTest, WalksCountsAndFindsTheItemsUnderAnItem)
{
	BuildTree();
	EXPECT_EQ(outline->Superitem(items[3].get()), items[1].get());
	EXPECT_EQ(outline->Superitem(items[4].get()), items[0].get());
	EXPECT_EQ(outline->Superitem(items[5].get()), nullptr);
	EXPECT_EQ(outline->CountItemsUnder(items[0].get(), false), 4);
	EXPECT_EQ(outline->CountItemsUnder(items[0].get(), true), 2);
	EXPECT_EQ(outline->CountItemsUnder(NULL, true), 2);
	EXPECT_EQ(outline->CountItemsUnder(NULL, false), 7);
	EXPECT_EQ(outline->ItemUnderAt(items[0].get(), true, 1), items[4].get());
	EXPECT_EQ(outline->ItemUnderAt(items[0].get(), false, 2), items[3].get());
	EXPECT_EQ(outline->ItemUnderAt(items[0].get(), true, 2), nullptr);

	// The walk may expand items as it goes, and stops at the first item returned.
	struct Walk {
		BOutlineListView* outline;
		std::string seen;
	} walk = { outline, "" };
	BListItem* stop = outline->EachItemUnder(items[0].get(), false,
		[](BListItem* item, void* arg) -> BListItem* {
			Walk* walk = (Walk*)arg;
			walk->seen += ((BStringItem*)item)->Text();
			walk->outline->Expand(item);
			return strcmp(((BStringItem*)item)->Text(), "d") == 0 ? item : NULL;
		}, &walk);
	EXPECT_EQ(stop, items[3].get());
	EXPECT_EQ(walk.seen, "bcd");
	EXPECT_EQ(Shown(), "a b c d e f g");

	// AddUnder puts the item right after its superitem, one level down.
	BStringItem* under = Item("x", 7);
	EXPECT_TRUE(outline->AddUnder(under, items[4].get()));
	EXPECT_EQ(under->OutlineLevel(), 2u);
	EXPECT_EQ(outline->FullListIndexOf(under), 5);
	EXPECT_EQ(outline->Superitem(under), items[4].get());
	// An item inserted before deeper ones takes them as its subitems.
	BStringItem* adopter = Item("y", 1, false);
	EXPECT_TRUE(outline->AddItem(adopter, 2));
	EXPECT_EQ(outline->Superitem(items[2].get()), adopter);
	EXPECT_EQ(Shown(), "a b y e x f g");
}


TEST_F(OutlineListViewTest, RemovingAnItemTakesItsSubtreeAndDeletesNothing)
{
	BuildTree();
	outline->Expand(items[1].get());
	outline->Select(3);
	EXPECT_TRUE(outline->RemoveItem(items[1].get()));
	EXPECT_EQ(outline->FullListCountItems(), 4);
	EXPECT_EQ(Shown(), "a e f g");
	EXPECT_EQ(outline->CurrentSelection(), -1);
	// The removed items are the caller's, intact, and may come back.
	EXPECT_EQ(items[2]->Text(), std::string("c"));
	EXPECT_FALSE(outline->FullListHasItem(items[3].get()));
	EXPECT_TRUE(outline->AddItem(items[1].get(), 1));
	EXPECT_EQ(outline->FullListCountItems(), 5);

	EXPECT_EQ(outline->RemoveItem(3), items[5].get());
	EXPECT_EQ(Shown(), "a b e");
	// Appending after removals finds the right superitem.
	outline->Collapse(items[4].get());
	outline->AddItem(Item("z", 2));
	EXPECT_EQ(Shown(), "a b e");
	outline->Expand(items[4].get());
	EXPECT_EQ(Shown(), "a b e z");
	EXPECT_TRUE(outline->RemoveItems(0, 1));
	EXPECT_EQ(outline->FullListCountItems(), 0);
	outline->AddItem(Item("top", 0));
	EXPECT_EQ(Shown(), "top");
	outline->MakeEmpty();
	EXPECT_TRUE(outline->FullListIsEmpty());
}


// Regression: the path of superitems kept for appending went stale when rows moved.
TEST_F(OutlineListViewTest, AppendingAfterRowsMovedFindsTheRightSuperitem)
{
	outline->AddItem(Item("a", 0, false));
	outline->AddItem(Item("b", 1));
	outline->AddItem(Item("c", 0));
	EXPECT_EQ(Shown(), "a c");
	EXPECT_TRUE(outline->MoveItem(1, 0));
	EXPECT_EQ(Shown(), "c a");
	BStringItem* appended = Item("d", 1);
	outline->AddItem(appended);
	EXPECT_EQ(outline->Superitem(appended), items[0].get());
	EXPECT_EQ(Shown(), "c a");
}


TEST_F(OutlineListViewTest, AClickOnALatchTogglesAndAClickOnTheRowSelectsShownIndexes)
{
	BuildTree();
	fWindow->Unlock();
	// b's latch: level 1, one latch width in.
	BRect bRow;
	ASSERT_TRUE(fWindow->Lock());
	bRow = outline->ItemFrame(1);
	fWindow->Unlock();
	inject_click(fOffscreen, BPoint(bRow.left + 12 + 6, bRow.top + bRow.Height() / 2));
	ASSERT_TRUE(wait_until(fWindow, [&] { return outline->CountItems() == 7; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_TRUE(items[1]->IsExpanded());
	EXPECT_EQ(outline->CurrentSelection(), -1);
	EXPECT_TRUE(fWindow->selections.empty());
	BRect eRow = outline->ItemFrame(4);
	fWindow->Unlock();

	// A click on e's text selects it; "index" counts shown rows.
	inject_click(fOffscreen, BPoint(150, eRow.top + 2));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->selections.size() == 1; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->selections[0], 4);
	EXPECT_EQ(outline->FullListCurrentSelection(), 4);
	fWindow->Unlock();

	// Collapsing with the keys: left collapses a, which hides the selection.
	inject_click(fOffscreen, BPoint(150, 2));
	inject_key(fOffscreen, B_LEFT_ARROW);
	ASSERT_TRUE(wait_until(fWindow, [&] { return outline->CountItems() == 3; }));
	inject_key(fOffscreen, B_RIGHT_ARROW);
	ASSERT_TRUE(wait_until(fWindow, [&] { return outline->CountItems() == 7; }));
	// Left on a row without subitems selects its superitem.
	ASSERT_TRUE(fWindow->Lock());
	outline->Select(2);
	fWindow->Unlock();
	inject_key(fOffscreen, B_LEFT_ARROW);
	ASSERT_TRUE(wait_until(fWindow, [&] { return outline->CurrentSelection() == 1; }));
}


TEST_F(OutlineListViewTest, CollapsingHidesTheSelectionAndSaysSo)
{
	BuildTree();
	outline->Expand(items[1].get());
	outline->Select(2);
	fWindow->Unlock();
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->selections.size() == 1; }));
	ASSERT_TRUE(fWindow->Lock());
	outline->Collapse(items[0].get());
	EXPECT_FALSE(items[2]->IsSelected());
	EXPECT_EQ(outline->CurrentSelection(), -1);
	fWindow->Unlock();
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->selections.size() == 2; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->selections[1], -1);
}


TEST_F(OutlineListViewTest, LatchesAndIndentsAreDrawn)
{
	BuildTree();
	int64 presented = fOffscreen->Presentations();
	fWindow->Unlock();
	ASSERT_TRUE(fOffscreen->WaitForPresentation(presented, 5000000));
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fWindow->Lock());
	BRect aRow = outline->ItemFrame(0);
	BRect eRow = outline->ItemFrame(2);
	fWindow->Unlock();
	auto inked = [&](BRect area) {
		for (int32 y = (int32)area.top; y <= (int32)area.bottom; y++) {
			for (int32 x = (int32)area.left; x <= (int32)area.right; x++) {
				if (fOffscreen->PixelAt(x, y) != ui_color(B_LIST_BACKGROUND_COLOR))
					return true;
			}
		}
		return false;
	};
	// a has a latch in the first column; e (no subitems) has none in the second.
	EXPECT_TRUE(inked(BRect(0, aRow.top, 11, aRow.bottom)));
	EXPECT_FALSE(inked(BRect(12, eRow.top, 23, eRow.bottom)));
	EXPECT_TRUE(inked(BRect(24, eRow.top, 60, eRow.bottom)));
	ASSERT_TRUE(fWindow->Lock());
}


// Regression: appending the first, hidden, subitem of a collapsed row did not redraw
// the row, whose latch then did not show.
TEST_F(OutlineListViewTest, AFirstHiddenSubitemShowsItsSuperitemsLatch)
{
	int64 presented = fOffscreen->Presentations();
	outline->AddItem(Item("a", 0, false));
	fWindow->Unlock();
	ASSERT_TRUE(fOffscreen->WaitForPresentation(presented, 5000000));
	ASSERT_TRUE(wait_for_queue(fWindow));
	auto latchInked = [&] {
		for (int32 y = 0; y < 10; y++) {
			for (int32 x = 0; x < 12; x++) {
				if (fOffscreen->PixelAt(x, y) != ui_color(B_LIST_BACKGROUND_COLOR))
					return true;
			}
		}
		return false;
	};
	EXPECT_FALSE(latchInked());
	ASSERT_TRUE(fWindow->Lock());
	presented = fOffscreen->Presentations();
	outline->AddItem(Item("b", 1));
	fWindow->Unlock();
	ASSERT_TRUE(fOffscreen->WaitForPresentation(presented, 5000000));
	EXPECT_TRUE(latchInked());
	ASSERT_TRUE(fWindow->Lock());
}


// Random adds, inserts, removals, expansions and collapses, each checked against a
// plain model that recomputes everything from the levels.
TEST_F(OutlineListViewTest, StaysConsistentWithAPlainModelThroughRandomChanges)
{
	struct Entry {
		BStringItem* item;
		uint32 level;
	};
	std::vector<Entry> model;
	std::mt19937 random(7);
	auto check = [&](int step) {
		std::vector<BListItem*> shown;
		// Per level on the current path, whether the item there shows its subitems; a
		// level that the path skips hides nothing.
		std::vector<bool> open;
		for (size_t i = 0; i < model.size(); i++) {
			uint32 level = model[i].level;
			open.resize(level, true);
			bool visible = true;
			for (bool isOpen : open)
				visible = visible && isOpen;
			if (visible)
				shown.push_back(model[i].item);
			open.push_back(model[i].item->IsExpanded());
		}
		ASSERT_EQ(outline->FullListCountItems(), (int32)model.size()) << step;
		ASSERT_EQ(outline->CountItems(), (int32)shown.size()) << step;
		for (size_t i = 0; i < model.size(); i++)
			ASSERT_EQ(outline->FullListIndexOf(model[i].item), (int32)i) << step;
		float top = 0;
		for (size_t i = 0; i < shown.size(); i++) {
			ASSERT_EQ(outline->ItemAt(i), shown[i]) << step;
			ASSERT_EQ(outline->ItemFrame(i).top, top) << step;
			ASSERT_EQ(outline->IndexOf(BPoint(3, top + 1)), (int32)i) << step;
			top += shown[i]->Height() + 1;
		}
	};

	for (int step = 0; step < 1500; step++) {
		int action = random() % 10;
		if (action < 4 || model.empty()) {
			// Append at a level at most one below the last item's.
			uint32 level = model.empty() ? 0 : random() % (model.back().level + 2);
			BStringItem* item = Item("r", level, random() % 2);
			ASSERT_TRUE(outline->AddItem(item));
			model.push_back({ item, level });
		} else if (action < 6) {
			int32 index = random() % (model.size() + 1);
			uint32 level = random() % 4;
			BStringItem* item = Item("i", level, random() % 2);
			ASSERT_TRUE(outline->AddItem(item, index));
			model.insert(model.begin() + index, { item, level });
		} else if (action < 7) {
			int32 index = random() % model.size();
			size_t end = index + 1;
			while (end < model.size() && model[end].level > model[index].level)
				end++;
			ASSERT_TRUE(outline->RemoveItem(model[index].item));
			model.erase(model.begin() + index, model.begin() + end);
		} else {
			BListItem* item = model[random() % model.size()].item;
			if (item->IsExpanded())
				outline->Collapse(item);
			else
				outline->Expand(item);
		}
		check(step);
		if (HasFatalFailure())
			return;
	}
}


namespace {

// Descending by text, so that a sort visibly changes the tree's order.
int
descending_text(const BListItem* a, const BListItem* b)
{
	return strcmp(((const BStringItem*)b)->Text(), ((const BStringItem*)a)->Text());
}


// The full list's texts with their levels, as "text:level" separated by spaces.
std::string
full_list(BOutlineListView* outline)
{
	std::string text;
	for (int32 i = 0; i < outline->FullListCountItems(); i++) {
		BListItem* item = outline->FullListItemAt(i);
		text += std::string(i > 0 ? " " : "") + ((BStringItem*)item)->Text() + ":"
			+ std::to_string(item->OutlineLevel());
	}
	return text;
}

} // namespace


TEST_F(OutlineListViewTest, SortingMovesEachItemWithItsSubtree)
{
	BuildTree();
	// Only the items right under a, with their subtrees; c and d keep their order.
	outline->SortItemsUnder(items[0].get(), true, descending_text);
	EXPECT_EQ(full_list(outline), "a:0 e:1 b:1 c:2 d:2 f:0 g:1");
	EXPECT_EQ(Shown(), "a e b f g");

	// The whole tree, every level.
	outline->FullListSortItems(descending_text);
	EXPECT_EQ(full_list(outline), "f:0 g:1 a:0 e:1 b:1 d:2 c:2");
	EXPECT_EQ(Shown(), "f g a e b");
	EXPECT_EQ(outline->FullListIndexOf(items[2].get()), 6);
	EXPECT_EQ(outline->Superitem(items[2].get()), items[1].get());

	// An item not in the list, or no function, changes nothing.
	BStringItem stranger("z");
	outline->SortItemsUnder(&stranger, false, descending_text);
	outline->SortItemsUnder(NULL, false, NULL);
	EXPECT_EQ(full_list(outline), "f:0 g:1 a:0 e:1 b:1 d:2 c:2");

	// Items appended after a sort go under the right superitem.
	outline->AddItem(Item("h", 3));
	EXPECT_EQ(outline->Superitem(items.back().get()), items[2].get());
}


TEST_F(OutlineListViewTest, SortingKeepsTheSelectionOnItsItems)
{
	BuildTree();
	outline->Select(3);		// f
	outline->FullListSortItems(descending_text);
	EXPECT_EQ(outline->CurrentSelection(), 0);
	EXPECT_EQ(outline->ItemAt(outline->CurrentSelection()), items[5].get());
}
