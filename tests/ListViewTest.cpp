// BListView and BStringItem on the offscreen display: rows and their frames, selection
// by mouse and keyboard with the selection and invocation messages, drawing, scrolling
// with the view's bar, and the list view scripting suite.
#include <List.h>
#include <ListView.h>
#include <Message.h>
#include <Messenger.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <math.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <string.h>
#include <string>
#include <vector>

#include "MessageFields.h"
#include "OffscreenWindowTest.h"

namespace {

// Keeps the "index" values of each selection ('sel ') and invocation ('inv ') message.
class ListWindow : public BWindow {
public:
	explicit ListWindow(const char* title)
		:
		BWindow(BRect(100, 100, 299, 199), title, B_TITLED_WINDOW, 0)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'sel ' && message->what != 'inv ') {
			BWindow::MessageReceived(message);
			return;
		}
		std::vector<int32> indexes;
		int32 index;
		for (int32 i = 0; message->FindInt32("index", i, &index) == B_OK; i++)
			indexes.push_back(index);
		(message->what == 'sel ' ? selections : invocations).push_back(indexes);
	}

	std::vector<std::vector<int32>> selections;
	std::vector<std::vector<int32>> invocations;
};


class CountingList : public BListView {
public:
	using BListView::BListView;
	void SelectionChanged() override { changes++; }
	bool InitiateDrag(BPoint point, int32 index, bool wasSelected) override
	{
		drags.push_back({ index, wasSelected });
		dragPoint = point;
		return true;
	}
	int changes = 0;
	std::vector<std::pair<int32, bool>> drags;
	BPoint dragPoint;
};


int32
Int32(const BMessage& message, const char* name, int32 index = 0)
{
	int32 value = -1;
	message.FindInt32(name, index, &value);
	return value;
}


class ListViewTest : public OffscreenWindowTest<ListWindow> {
protected:
	// A window with a list of rows "row 0"... in a scroll view with a vertical bar.
	void Open(const char* title, int32 rows, list_view_type type = B_SINGLE_SELECTION_LIST)
	{
		fWindow = new ListWindow(title);
		list = new CountingList(BRect(0, 0, 150, 95), "list", type, B_FOLLOW_ALL_SIDES);
		for (int32 i = 0; i < rows; i++) {
			items.emplace_back(new BStringItem(("row " + std::to_string(i)).c_str()));
			list->AddItem(items.back().get());
		}
		list->SetSelectionMessage(new BMessage('sel '));
		list->SetInvocationMessage(new BMessage('inv '));
		scrollView = new BScrollView("scroller", list, B_FOLLOW_ALL_SIDES, 0, false, true,
			B_NO_BORDER);
		fWindow->AddChild(scrollView);
		ASSERT_NO_FATAL_FAILURE(ShowWindow());
		ASSERT_TRUE(fWindow->Lock());
		rowHeight = list->ItemFrame(0).Height() + 1;
		fWindow->Unlock();
	}

	// The middle of a row, in window coordinates (the list is at the window's origin).
	BPoint Row(int32 index) { return BPoint(20, index * rowHeight + rowHeight / 2); }

	std::vector<std::unique_ptr<BStringItem>> items;
	CountingList* list = NULL;
	BScrollView* scrollView = NULL;
	float rowHeight = 0;
};

} // namespace


TEST_F(ListViewTest, RowsTakeTheirHeightFromTheFontAndStack)
{
	Open("Rows", 3);
	ASSERT_TRUE(fWindow->Lock());
	font_height height;
	list->GetFontHeight(&height);
	float line = ceilf(height.ascent + height.descent + height.leading);
	EXPECT_EQ(items[0]->Height(), line);
	EXPECT_EQ(list->ItemFrame(0), BRect(0, 0, 150, line));
	EXPECT_EQ(list->ItemFrame(2).top, 2 * (line + 1));
	EXPECT_FALSE(list->ItemFrame(3).IsValid());
	EXPECT_EQ(list->IndexOf(BPoint(5, line + 1)), 1);
	EXPECT_EQ(list->IndexOf(BPoint(5, 3 * (line + 1))), -1);

	// A bigger font makes every row taller.
	BFont font(be_plain_font);
	font.SetSize(30);
	list->SetFont(&font);
	EXPECT_GT(items[0]->Height(), line + 10);
	EXPECT_EQ(list->ItemFrame(1).top, items[0]->Height() + 1);
	fWindow->Unlock();
}


TEST_F(ListViewTest, AddingRemovingAndReorderingKeepIndexesAndDeleteNothing)
{
	Open("Model", 0);
	ASSERT_TRUE(fWindow->Lock());
	BStringItem a("a"), b("b"), c("c"), d("d");
	EXPECT_TRUE(list->AddItem(&b));
	EXPECT_TRUE(list->AddItem(&a, 0));
	EXPECT_FALSE(list->AddItem(&a));
	EXPECT_FALSE(list->AddItem(&c, 5));
	BList more;
	more.AddItem(&c);
	more.AddItem(&d);
	EXPECT_TRUE(list->AddList(&more));
	EXPECT_EQ(list->CountItems(), 4);
	EXPECT_EQ(list->FirstItem(), &a);
	EXPECT_EQ(list->LastItem(), &d);
	EXPECT_EQ(list->IndexOf(&c), 2);
	EXPECT_TRUE(list->HasItem(&d));

	EXPECT_TRUE(list->SwapItems(0, 3));
	EXPECT_EQ(list->ItemAt(0), &d);
	EXPECT_EQ(list->ItemAt(3), &a);
	EXPECT_TRUE(list->MoveItem(0, 2));
	EXPECT_EQ(list->ItemAt(0), &b);
	EXPECT_EQ(list->ItemAt(2), &d);
	list->SortItems([](const void* first, const void* second) {
		return strcmp((*(BStringItem**)first)->Text(), (*(BStringItem**)second)->Text());
	});
	std::string order;
	list->DoForEach([](BListItem* item, void* text) {
		*(std::string*)text += ((BStringItem*)item)->Text();
		return false;
	}, &order);
	EXPECT_EQ(order, "abcd");

	list->Select(1);
	EXPECT_EQ(list->RemoveItem(1), &b);
	EXPECT_FALSE(b.IsSelected());
	EXPECT_EQ(list->CurrentSelection(), -1);
	EXPECT_TRUE(list->RemoveItem(&d));
	EXPECT_FALSE(list->RemoveItem(&d));
	EXPECT_EQ(list->IndexOf(&c), 1);
	EXPECT_TRUE(list->RemoveItems(0, 2));
	EXPECT_TRUE(list->IsEmpty());

	// MakeEmpty takes the rows out and leaves the items to their owner (the stack here:
	// a delete by the list would be caught by the sanitizers).
	list->AddItem(&a);
	list->AddItem(&b);
	list->MakeEmpty();
	EXPECT_EQ(list->CountItems(), 0);
	EXPECT_TRUE(list->AddItem(&a));
	EXPECT_EQ(list->IndexOf(&a), 0);
	list->MakeEmpty();
	fWindow->Unlock();
}


TEST_F(ListViewTest, AClickSelectsAndSendsTheIndexADoubleClickInvokes)
{
	Open("Clicks", 3);
	inject_click(fOffscreen, Row(2));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->selections.size() == 1; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->selections[0], std::vector<int32>{ 2 });
	EXPECT_EQ(list->CurrentSelection(), 2);
	EXPECT_TRUE(items[2]->IsSelected());
	EXPECT_EQ(list->changes, 1);
	EXPECT_TRUE(list->IsFocus());
	fWindow->Unlock();

	// The same row again changes nothing; a double click invokes it.
	inject_click(fOffscreen, Row(2));
	inject_click(fOffscreen, Row(2), 0, 2);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->invocations.size() == 1; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->selections.size(), 1u);
	EXPECT_EQ(fWindow->invocations[0], std::vector<int32>{ 2 });
	fWindow->Unlock();

	// Single selection: another row replaces it; a click below the rows clears it and
	// the message then carries no index.
	inject_click(fOffscreen, Row(0));
	inject_click(fOffscreen, BPoint(20, 90));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->selections.size() == 3; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->selections[1], std::vector<int32>{ 0 });
	EXPECT_TRUE(fWindow->selections[2].empty());
	EXPECT_FALSE(items[2]->IsSelected());
	EXPECT_EQ(list->CurrentSelection(), -1);
	fWindow->Unlock();
}


TEST_F(ListViewTest, MultipleSelectionExtendsWithShiftAndTogglesWithCommand)
{
	Open("Multiple", 6, B_MULTIPLE_SELECTION_LIST);
	inject_click(fOffscreen, Row(1));
	inject_click(fOffscreen, Row(3), B_SHIFT_KEY);
	inject_click(fOffscreen, Row(5), B_COMMAND_KEY);
	inject_click(fOffscreen, Row(2), B_COMMAND_KEY);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->selections.size() == 4; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->selections[1], (std::vector<int32>{ 1, 2, 3 }));
	EXPECT_EQ(fWindow->selections[3], (std::vector<int32>{ 1, 3, 5 }));
	EXPECT_EQ(list->CurrentSelection(0), 1);
	EXPECT_EQ(list->CurrentSelection(1), 3);
	EXPECT_EQ(list->CurrentSelection(2), 5);
	EXPECT_EQ(list->CurrentSelection(3), -1);

	list->Select(0, true);
	EXPECT_TRUE(list->IsItemSelected(0));
	EXPECT_TRUE(list->IsItemSelected(5));
	list->DeselectExcept(3, 5);
	EXPECT_FALSE(list->IsItemSelected(0));
	EXPECT_EQ(list->CurrentSelection(0), 3);
	list->Deselect(3);
	EXPECT_EQ(list->CurrentSelection(0), 5);
	list->DeselectAll();
	EXPECT_EQ(list->CurrentSelection(0), -1);

	// Becoming a single-selection list keeps only the first selected row.
	list->Select(1, 4);
	list->SetListType(B_SINGLE_SELECTION_LIST);
	EXPECT_EQ(list->CurrentSelection(0), 1);
	EXPECT_EQ(list->CurrentSelection(1), -1);
	fWindow->Unlock();
}


TEST_F(ListViewTest, KeysMoveTheSelectionAndScrollToIt)
{
	Open("Keys", 40);
	ASSERT_TRUE(fWindow->Lock());
	list->MakeFocus();
	fWindow->Unlock();
	inject_key(fOffscreen, B_DOWN_ARROW);
	inject_key(fOffscreen, B_DOWN_ARROW);
	inject_key(fOffscreen, B_DOWN_ARROW);
	inject_key(fOffscreen, B_UP_ARROW);
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(list->CurrentSelection(), 1);
	EXPECT_EQ(list->Bounds().top, 0);
	fWindow->Unlock();

	inject_key(fOffscreen, B_END);
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(list->CurrentSelection(), 39);
	// The last row shows at the bottom, and the bar followed the view.
	EXPECT_EQ(list->Bounds().bottom, list->ItemFrame(39).bottom);
	EXPECT_EQ(scrollView->ScrollBar(B_VERTICAL)->Value(), list->Bounds().top);
	fWindow->Unlock();

	inject_key(fOffscreen, B_PAGE_UP);
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fWindow->Lock());
	int32 afterPage = list->CurrentSelection();
	EXPECT_LT(afterPage, 39);
	EXPECT_GE(afterPage, 39 - (int32)(list->Bounds().Height() / rowHeight) - 1);
	EXPECT_GE(list->ItemFrame(afterPage).top, list->Bounds().top);
	fWindow->Unlock();

	// Enter invokes the selected row, and nothing without a selection.
	ASSERT_TRUE(fWindow->Lock());
	list->DeselectAll();
	fWindow->Unlock();
	inject_key(fOffscreen, B_ENTER);
	inject_key(fOffscreen, B_HOME);
	inject_key(fOffscreen, B_ENTER);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->invocations.size() == 1; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(list->CurrentSelection(), 0);
	EXPECT_EQ(list->Bounds().top, 0);
	EXPECT_EQ(fWindow->invocations[0], std::vector<int32>{ 0 });
	fWindow->Unlock();
}


TEST_F(ListViewTest, RowsDrawThemselvesAndTheSelectionShows)
{
	Open("Drawing", 3);
	ASSERT_TRUE(fWindow->Lock());
	list->Select(1);
	int64 presented = fOffscreen->Presentations();
	fWindow->Unlock();
	ASSERT_TRUE(fOffscreen->WaitForPresentation(presented, 5000000));
	ASSERT_TRUE(wait_for_queue(fWindow));
	// The selected row is filled to its right edge; the others keep the list's colour.
	EXPECT_EQ(fOffscreen->PixelAt(140, (int32)(rowHeight * 1.5)),
		ui_color(B_LIST_SELECTED_BACKGROUND_COLOR));
	EXPECT_EQ(fOffscreen->PixelAt(140, (int32)(rowHeight * 0.5)),
		ui_color(B_LIST_BACKGROUND_COLOR));
	// Some text was drawn in the first row.
	bool ink = false;
	for (int32 x = 0; x < 60 && !ink; x++) {
		for (int32 y = 0; y < (int32)rowHeight && !ink; y++)
			ink = fOffscreen->PixelAt(x, y) != ui_color(B_LIST_BACKGROUND_COLOR);
	}
	EXPECT_TRUE(ink);
}


// Regression: rows were laid out from the left edge of the list's bounds, so that a list
// scrolled sideways drew its text where it was before.
TEST_F(ListViewTest, RowsScrollSidewaysWithTheContent)
{
	Open("Sideways", 3);
	// Which columns of the first row hold ink, from the window's left edge.
	auto inked = [&] {
		std::vector<bool> columns;
		for (int32 x = 0; x < 60; x++) {
			bool ink = false;
			for (int32 y = 0; y < (int32)rowHeight && !ink; y++)
				ink = fOffscreen->PixelAt(x, y) != ui_color(B_LIST_BACKGROUND_COLOR);
			columns.push_back(ink);
		}
		return columns;
	};
	auto present = [&](const std::function<void()>& change) {
		ASSERT_TRUE(fWindow->Lock());
		int64 presented = fOffscreen->Presentations();
		change();
		fWindow->Unlock();
		ASSERT_TRUE(fOffscreen->WaitForPresentation(presented, 5000000));
		ASSERT_TRUE(wait_for_queue(fWindow));
	};
	present([&] { list->Invalidate(); });
	std::vector<bool> before = inked();
	ASSERT_NE(std::count(before.begin(), before.end(), true), 0);

	present([&] {
		list->Select(1);
		list->ScrollTo(BPoint(10, 0));
		EXPECT_EQ(list->Bounds().left, 10);
		EXPECT_EQ(list->ItemFrame(0), BRect(0, 0, 160, rowHeight - 1));
		EXPECT_EQ(list->IndexOf(BPoint(15, rowHeight + 1)), 1);
	});
	// The text moved left by as much as the content; the selection still fills the row
	// to the list's right edge.
	std::vector<bool> after = inked();
	for (int32 x = 0; x < 50; x++)
		EXPECT_EQ(after[x], before[x + 10]) << x;
	EXPECT_EQ(fOffscreen->PixelAt(140, (int32)(rowHeight * 1.5)),
		ui_color(B_LIST_SELECTED_BACKGROUND_COLOR));
}


TEST_F(ListViewTest, TheBarFollowsTheRowsAndTheWheelScrolls)
{
	Open("Bar", 40);
	ASSERT_TRUE(fWindow->Lock());
	BScrollBar* bar = scrollView->ScrollBar(B_VERTICAL);
	ASSERT_EQ(list->ScrollBar(B_VERTICAL), bar);
	float min, max;
	bar->GetRange(&min, &max);
	float visible = list->Bounds().Height() + 1;
	EXPECT_EQ(min, 0);
	EXPECT_EQ(max, 40 * rowHeight - visible);
	EXPECT_FLOAT_EQ(bar->Proportion(), visible / (40 * rowHeight));
	float small, large;
	bar->GetSteps(&small, &large);
	EXPECT_EQ(small, rowHeight);
	fWindow->Unlock();

	inject_wheel(fOffscreen, BPoint(50, 40), 1);
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(list->Bounds().top, 3 * rowHeight);
	EXPECT_EQ(bar->Value(), 3 * rowHeight);

	// ScrollTo(index) puts the row at the top, as far as the rows allow.
	list->ScrollTo(2);
	EXPECT_EQ(list->Bounds().top, 2 * rowHeight);
	list->ScrollTo(39);
	EXPECT_EQ(list->Bounds().top, max);

	// Fewer rows shrink the range, and the view scrolls back within it.
	list->RemoveItems(5, 35);
	bar->GetRange(&min, &max);
	EXPECT_EQ(max, 0);
	EXPECT_EQ(list->Bounds().top, 0);
	fWindow->Unlock();
}


TEST_F(ListViewTest, TheSuiteCountsGetsSelectsAndInvokesRows)
{
	Open("Suite", 4, B_MULTIPLE_SELECTION_LIST);
	BMessenger messenger(list);
	BMessage reply;

	BMessage count(B_COUNT_PROPERTIES);
	count.AddSpecifier("Item");
	ASSERT_EQ(messenger.SendMessage(&count, &reply), B_OK);
	EXPECT_EQ(Int32(reply, "result"), 4);

	BMessage get(B_GET_PROPERTY);
	get.AddSpecifier("Item", (int32)1);
	ASSERT_EQ(messenger.SendMessage(&get, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "row 1");
	BMessage past(B_GET_PROPERTY);
	past.AddSpecifier("Item", (int32)9);
	ASSERT_EQ(messenger.SendMessage(&past, &reply), B_OK);
	EXPECT_FALSE(reply.HasString("result"));
	EXPECT_EQ(Int32(reply, "error"), B_BAD_INDEX);

	BMessage select(B_SET_PROPERTY);
	select.AddSpecifier("Selection", (int32)1, (int32)2);
	select.AddBool("data", true);
	ASSERT_EQ(messenger.SendMessage(&select, &reply), B_OK);
	BMessage selection(B_GET_PROPERTY);
	selection.AddSpecifier("Selection");
	ASSERT_EQ(messenger.SendMessage(&selection, &reply), B_OK);
	EXPECT_EQ(Int32(reply, "result", 0), 1);
	EXPECT_EQ(Int32(reply, "result", 1), 2);

	BMessage execute(B_EXECUTE_PROPERTY);
	execute.AddSpecifier("Item", (int32)3);
	ASSERT_EQ(messenger.SendMessage(&execute, &reply), B_OK);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->invocations.size() == 1; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->invocations[0], std::vector<int32>{ 3 });
	fWindow->Unlock();

	BMessage suites(B_GET_SUPPORTED_SUITES);
	ASSERT_EQ(messenger.SendMessage(&suites, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "suites", 0), "suite/vnd.Be-list-view");
	EXPECT_EQ(string_field(reply, "suites", 1), "suite/vnd.Be-view");
}


TEST_F(ListViewTest, AReverseIndexCountsFromOneAtTheLastRowAsAViewsDoes)
{
	Open("Reverse", 4, B_MULTIPLE_SELECTION_LIST);
	BMessenger messenger(list);
	BMessage reply;

	BMessage last(B_GET_PROPERTY);
	BMessage reverse(B_REVERSE_INDEX_SPECIFIER);
	reverse.AddString("property", "Item");
	reverse.AddInt32("index", 1);
	last.AddSpecifier(&reverse);
	ASSERT_EQ(messenger.SendMessage(&last, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "row 3");

	BMessage beyond(B_GET_PROPERTY);
	reverse.ReplaceInt32("index", 0);
	beyond.AddSpecifier(&reverse);
	ASSERT_EQ(messenger.SendMessage(&beyond, &reply), B_OK);
	EXPECT_FALSE(reply.HasString("result"));
	EXPECT_EQ(Int32(reply, "error"), B_BAD_INDEX);

	// A reverse range is taken in reversed order: from the second last row, two rows.
	BMessage select(B_SET_PROPERTY);
	BMessage range(B_REVERSE_RANGE_SPECIFIER);
	range.AddString("property", "Selection");
	range.AddInt32("index", 2);
	range.AddInt32("range", 2);
	select.AddSpecifier(&range);
	select.AddBool("data", true);
	ASSERT_EQ(messenger.SendMessage(&select, &reply), B_OK);
	BMessage selection(B_GET_PROPERTY);
	selection.AddSpecifier("Selection");
	ASSERT_EQ(messenger.SendMessage(&selection, &reply), B_OK);
	EXPECT_EQ(Int32(reply, "result", 0), 1);
	EXPECT_EQ(Int32(reply, "result", 1), 2);
	EXPECT_FALSE(reply.HasInt32("result", 2));
}


TEST_F(ListViewTest, APressThatMovesBecomesOneDragOfItsRow)
{
	Open("Drags", 3);
	// A click that does not move is no drag.
	inject_click(fOffscreen, Row(1));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->selections.size() == 1; }));

	// Pressed on a selected row, moved past the threshold twice: one drag, from the press.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, Row(1), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, Row(1) + BPoint(2, 0), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, Row(1) + BPoint(0, 10), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, Row(1) + BPoint(0, 20), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, Row(1) + BPoint(0, 20), 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return list->drags.size() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(list->drags[0], std::make_pair((int32)1, true));
		EXPECT_EQ(list->dragPoint, Row(1));
		return true;
	});

	// Pressed on a row not yet selected; moving after the release drags nothing.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, Row(0), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, Row(0) + BPoint(8, 0), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, Row(0) + BPoint(8, 0), 0);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, Row(2), 0);
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_EQ(list->drags.size(), 2u);
		if (list->drags.size() == 2) {
			EXPECT_EQ(list->drags[1], std::make_pair((int32)0, false));
		}
		EXPECT_EQ(list->CurrentSelection(), 0);
		return true;
	});
}


TEST_F(ListViewTest, ItemsGivesTheShownItemsInOrder)
{
	Open("Items", 3);
	ASSERT_TRUE(fWindow->Lock());
	list->SwapItems(0, 2);
	const BListItem** shown = list->Items();
	EXPECT_EQ(shown[0], items[2].get());
	EXPECT_EQ(shown[1], items[1].get());
	EXPECT_EQ(shown[2], items[0].get());
	list->MakeEmpty();
	list->Items();
	EXPECT_EQ(list->CountItems(), 0);
	fWindow->Unlock();
}
