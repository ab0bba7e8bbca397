// Text views' drag and drop on the offscreen display: dragging the selection within a
// view (a move, or a copy with Option) and into another, what a click in the selection
// does, the drop's caret, drops from outside that are too big or malformed, and the caret
// following the window's activation.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <TextView.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>
#include <vector>

using BPrivate::kDisplayMouseDown;
using BPrivate::kDisplayMouseMoved;
using BPrivate::kDisplayMouseUp;

namespace {

const rgb_color kGreen = { 0, 160, 0, 255 };


class DragTextWindow : public BWindow {
public:
	explicit DragTextWindow(const char* title)
		:
		BWindow(BRect(100, 100, 499, 199), title, B_TITLED_WINDOW, 0)
	{
		source = new BTextView(BRect(0, 0, 189, 99), "source", BRect(4, 4, 185, 95),
			B_FOLLOW_NONE, B_WILL_DRAW);
		target = new BTextView(BRect(200, 0, 399, 99), "target", BRect(4, 4, 195, 95),
			B_FOLLOW_NONE, B_WILL_DRAW);
		AddChild(source);
		AddChild(target);
	}

	BTextView* source;
	BTextView* target;
};


std::string
Selection(const BTextView* view)
{
	int32 start;
	int32 end;
	view->GetSelection(&start, &end);
	return std::to_string(start) + "-" + std::to_string(end);
}

} // namespace


class TextViewDragTest : public OffscreenWindowTest<DragTextWindow> {
protected:
	void Open(const char* source, const char* target)
	{
		fWindow = new DragTextWindow(TestName());
		fWindow->Lock();
		fWindow->source->SetText(source);
		fWindow->target->SetText(target);
		fWindow->Unlock();
		ShowWindow();
	}

	template<typename F>
	void Locked(F f)
	{
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_until(fWindow, [&] { f(); return true; }));
	}

	BPoint PointOf(BTextView* view, int32 offset)
	{
		BPoint point;
		Locked([&] { point = text_point_in_window(view, offset); });
		return point;
	}

	void Mouse(int type, BPoint where, uint32 buttons, uint32 modifiers = 0)
	{
		BPrivate::DisplayEvent event;
		event.type = (BPrivate::DisplayEventType)type;
		event.where = where;
		event.buttons = buttons;
		event.clicks = type == kDisplayMouseDown ? 1 : 0;
		event.modifiers = modifiers;
		static_cast<BPrivate::OffscreenDisplay*>(BPrivate::Display::Default())
			->Inject(fOffscreen, event);
	}

	// Presses at from, moves past the drag threshold to to and lets go there.
	void Drag(BPoint from, BPoint to, uint32 modifiers = 0)
	{
		Mouse(kDisplayMouseMoved, from, 0);
		Mouse(kDisplayMouseDown, from, B_PRIMARY_MOUSE_BUTTON);
		Mouse(kDisplayMouseMoved, from + BPoint(0, 6), B_PRIMARY_MOUSE_BUTTON);
		Mouse(kDisplayMouseMoved, to, B_PRIMARY_MOUSE_BUTTON);
		Mouse(kDisplayMouseUp, to, 0, modifiers);
	}

	// Waits until view's text is expected; the text it has otherwise.
	std::string TextOnceIs(BTextView* view, const std::string& expected)
	{
		std::string text;
		wait_for([&] {
			Locked([&] { text = view->Text(); });
			return text == expected;
		});
		return text;
	}

	// A message sent to the target as if dropped on its first line.
	void DropOnTarget(BMessage* message)
	{
		BPoint where = PointOf(fWindow->target, 0);
		message->AddPoint("_drop_point_", where + fWindow->Frame().LeftTop());
		message->AddPoint("_drop_offset_", BPoint(0, 0));
		ASSERT_EQ(BMessenger(fWindow->target).SendMessage(message), B_OK);
		ASSERT_TRUE(wait_for_queue(fWindow));
	}
};


TEST_F(TextViewDragTest, DraggingTheSelectionMovesItAndUndoPutsItBack)
{
	Open("one two three", "");
	BTextView* view = fWindow->source;
	Locked([&] { view->Select(0, 4); });
	Drag(PointOf(view, 1), PointOf(view, 13));
	EXPECT_EQ(TextOnceIs(view, "two threeone "), "two threeone ");
	Locked([&] {
		EXPECT_EQ(Selection(view), "9-13");
		bool isRedo = true;
		EXPECT_EQ(view->UndoState(&isRedo), B_UNDO_DROP);
		EXPECT_FALSE(isRedo);
		view->Undo(NULL);
		EXPECT_STREQ(view->Text(), "one two three");
		EXPECT_EQ(Selection(view), "0-4");
		view->Undo(NULL);
		EXPECT_STREQ(view->Text(), "two threeone ");
	});

	// Backwards, and dropped back inside the selection: nothing moves.
	Locked([&] { view->Select(9, 13); });
	Drag(PointOf(view, 10), PointOf(view, 0));
	EXPECT_EQ(TextOnceIs(view, "one two three"), "one two three");
	Locked([&] { view->Select(0, 4); });
	Drag(PointOf(view, 1), PointOf(view, 3));
	Locked([] {});
	Locked([&] {
		EXPECT_STREQ(view->Text(), "one two three");
		EXPECT_EQ(Selection(view), "0-4");
	});
}


TEST_F(TextViewDragTest, OptionCopiesAndAClickThatDoesNotMovePlacesTheCaret)
{
	Open("one two", "");
	BTextView* view = fWindow->source;
	Locked([&] { view->Select(0, 3); });
	Drag(PointOf(view, 1), PointOf(view, 7), B_OPTION_KEY);
	EXPECT_EQ(TextOnceIs(view, "one twoone"), "one twoone");
	Locked([&] { EXPECT_EQ(Selection(view), "7-10"); });

	Locked([&] { view->Select(0, 3); });
	inject_click(fOffscreen, PointOf(view, 2));
	Locked([&] {
		EXPECT_EQ(Selection(view), "2-2");
		EXPECT_STREQ(view->Text(), "one twoone");
	});
}


TEST_F(TextViewDragTest, TextDroppedOnAnotherViewIsCopiedWithItsRuns)
{
	Open("red green", "[]");
	BTextView* source = fWindow->source;
	BTextView* target = fWindow->target;
	Locked([&] {
		source->SetStylable(true);
		target->SetStylable(true);
		source->SetFontAndColor(4, 9, NULL, 0, &kGreen);
		source->Select(4, 9);
	});
	Drag(PointOf(source, 5), PointOf(target, 1));
	EXPECT_EQ(TextOnceIs(target, "[green]"), "[green]");
	Locked([&] {
		EXPECT_STREQ(source->Text(), "red green");
		EXPECT_EQ(Selection(target), "1-6");
		BFont font;
		rgb_color color;
		target->GetFontAndColor(2, &font, &color);
		EXPECT_EQ(color.green, kGreen.green);
		EXPECT_EQ(color.red, kGreen.red);
		target->GetFontAndColor(0, &font, &color);
		EXPECT_NE(color.green, kGreen.green);
	});

	// A view that is not editable takes nothing.
	Locked([&] {
		target->MakeEditable(false);
		source->Select(0, 3);
	});
	Drag(PointOf(source, 1), PointOf(target, 1));
	Locked([] {});
	Locked([&] { EXPECT_STREQ(target->Text(), "[green]"); });
}


TEST_F(TextViewDragTest, UndoingADropPutsTheRunsBackAsTheyWere)
{
	Open("red green", "[]");
	BTextView* source = fWindow->source;
	BTextView* target = fWindow->target;
	auto green_at = [](BTextView* view, int32 offset) {
		rgb_color color;
		view->GetFontAndColor(offset, NULL, &color);
		return color == kGreen;
	};
	Locked([&] {
		source->SetStylable(true);
		target->SetStylable(true);
		source->SetFontAndColor(4, 9, NULL, 0, &kGreen);
		source->Select(4, 9);
	});

	// Moved to the front, the green word keeps its colour; undo and redo move it back
	// and forth with its runs.
	Drag(PointOf(source, 5), PointOf(source, 0));
	EXPECT_EQ(TextOnceIs(source, "greenred "), "greenred ");
	Locked([&] {
		EXPECT_TRUE(green_at(source, 0));
		EXPECT_FALSE(green_at(source, 5));
		source->Undo(NULL);
		EXPECT_STREQ(source->Text(), "red green");
		EXPECT_FALSE(green_at(source, 0));
		EXPECT_TRUE(green_at(source, 4));
		EXPECT_TRUE(green_at(source, 8));
		source->Undo(NULL);
		EXPECT_STREQ(source->Text(), "greenred ");
		EXPECT_TRUE(green_at(source, 4));
		EXPECT_FALSE(green_at(source, 5));
		source->Undo(NULL);
		source->Select(4, 9);
	});

	// Copied into another view: undo takes the green runs out with the text, redo
	// brings both back.
	Drag(PointOf(source, 5), PointOf(target, 1));
	EXPECT_EQ(TextOnceIs(target, "[green]"), "[green]");
	Locked([&] {
		EXPECT_EQ(target->UndoState(NULL), B_UNDO_DROP);
		target->Undo(NULL);
		EXPECT_STREQ(target->Text(), "[]");
		text_run_array* runs = target->RunArray(0, 2);
		ASSERT_NE(runs, nullptr);
		EXPECT_EQ(runs->count, 1);
		free(runs);
		EXPECT_FALSE(green_at(target, 1));
		target->Undo(NULL);
		EXPECT_STREQ(target->Text(), "[green]");
		EXPECT_TRUE(green_at(target, 1));
		EXPECT_FALSE(green_at(target, 6));
	});
}


TEST_F(TextViewDragTest, ADragOverAViewShowsWhereTheTextWouldGoUntilItLeaves)
{
	Open("abc", "wide  gap");
	BTextView* target = fWindow->target;
	Locked([&] { fWindow->source->Select(0, 3); });
	BPoint from = PointOf(fWindow->source, 1);
	BPoint gap = PointOf(target, 5);
	Mouse(kDisplayMouseMoved, from, 0);
	Mouse(kDisplayMouseDown, from, B_PRIMARY_MOUSE_BUTTON);
	Mouse(kDisplayMouseMoved, from + BPoint(0, 6), B_PRIMARY_MOUSE_BUTTON);
	Mouse(kDisplayMouseMoved, gap, B_PRIMARY_MOUSE_BUTTON);
	Locked([] {});
	BPoint caret = PointOf(target, 5);
	auto caretDrawn = [&](bool drawn) {
		return wait_for([&] {
			return (fOffscreen->PixelAt((int32)caret.x, (int32)caret.y).red < 100) == drawn;
		});
	};
	EXPECT_TRUE(caretDrawn(true));
	// The drag goes back over the source: the target no longer shows where it would land.
	Mouse(kDisplayMouseMoved, from, B_PRIMARY_MOUSE_BUTTON);
	Locked([] {});
	EXPECT_TRUE(caretDrawn(false));
	Mouse(kDisplayMouseMoved, gap, B_PRIMARY_MOUSE_BUTTON);
	Mouse(kDisplayMouseUp, gap, 0);
	EXPECT_EQ(TextOnceIs(target, "wide abc gap"), "wide abc gap");
}


TEST_F(TextViewDragTest, DropsFromOutsideAreCheckedAndCut)
{
	Open("", "");
	BTextView* target = fWindow->target;
	Locked([&] {
		target->SetStylable(true);
		target->SetMaxBytes(8);
	});

	// Too long: cut at the view's limit, on a character boundary ("é" is 2 bytes).
	std::string text = "abcdefg\xc3\xa9" + std::string(1 << 20, 'x');
	BMessage big(B_MIME_DATA);
	big.AddData("text/plain", B_MIME_TYPE, text.data(), text.size());
	DropOnTarget(&big);
	Locked([&] { EXPECT_STREQ(target->Text(), "abcdefg"); });

	// Invalid UTF-8 and NULs are mended; broken runs are refused, the text still taken.
	Locked([&] {
		target->SetText("");
		target->SetMaxBytes(INT32_MAX);
	});
	const char bad[] = { 'a', '\0', '\xff', 'b' };
	std::vector<uint8> runs(40, 0xff);
	memcpy(runs.data(), "Ali!", 4);
	BMessage broken(B_MIME_DATA);
	broken.AddData("text/plain", B_MIME_TYPE, bad, sizeof(bad));
	broken.AddData("application/x-vnd.Be-text_run_array", B_MIME_TYPE, runs.data(),
		runs.size());
	DropOnTarget(&broken);
	Locked([&] { EXPECT_STREQ(target->Text(), "a\xef\xbf\xbd" "b"); });

	// Text of another type, or none, is not a drop for a text view.
	BMessage other(B_MIME_DATA);
	other.AddData("text/plain", B_RAW_TYPE, "zz", 2);
	other.AddData("text/html", B_MIME_TYPE, "zz", 2);
	DropOnTarget(&other);
	Locked([&] { EXPECT_STREQ(target->Text(), "a\xef\xbf\xbd" "b"); });
}


TEST_F(TextViewDragTest, TheCaretShowsOnlyInAnActiveWindow)
{
	Open("", "text");
	BTextView* target = fWindow->target;
	inject_click(fOffscreen, PointOf(target, 4));
	BPoint caret = PointOf(target, 4);
	auto caretDrawn = [&](bool drawn) {
		return wait_for([&] {
			Locked([] {});
			return (fOffscreen->PixelAt((int32)caret.x, (int32)caret.y).red < 100) == drawn;
		});
	};
	BMessage active(B_WINDOW_ACTIVATED);
	active.AddBool("active", true);
	fWindow->PostMessage(&active);
	EXPECT_TRUE(caretDrawn(true));

	BMessage inactive(B_WINDOW_ACTIVATED);
	inactive.AddBool("active", false);
	fWindow->PostMessage(&inactive);
	EXPECT_TRUE(caretDrawn(false));
	fWindow->PostMessage(&active);
	EXPECT_TRUE(caretDrawn(true));
}
