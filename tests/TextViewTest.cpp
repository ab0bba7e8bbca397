// Text views: UTF-8 editing, line layout and wrapping, and, in a window on the offscreen
// display, typing, the caret keys, mouse selection, the clipboard, undo, scrolling inside
// a scroll view and the text view suite.
#include <AppDefs.h>
#include <File.h>
#include <Message.h>
#include <Messenger.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TextView.h>
#include <Window.h>

#include "MessageFields.h"
#include "ScratchDirectory.h"
#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

// "a", "é" (2 bytes), "€" (3 bytes), "😀" (4 bytes): offsets 0, 1, 3, 6, 10.
const char kMixed[] = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80";


std::string
Selection(const BTextView& view)
{
	int32 start;
	int32 end;
	view.GetSelection(&start, &end);
	return std::to_string(start) + "-" + std::to_string(end);
}


class TextWindow : public BWindow {
public:
	explicit TextWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 299), title, B_TITLED_WINDOW, 0)
	{
		fView = new BTextView(BRect(0, 0, 200, 120), "text", BRect(4, 4, 196, 116),
			B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE);
		fScroll = new BScrollView("scroll", fView, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0, false,
			true);
		fScroll->MoveTo(10, 10);
		AddChild(fScroll);
	}

	BPoint PointOf(int32 offset) { return text_point_in_window(fView, offset); }

	BTextView* fView;
	BScrollView* fScroll;
};


class TextViewTest : public OffscreenWindowTest<TextWindow> {
protected:
	void Open(const char* title, const char* text = "")
	{
		fWindow = new TextWindow(title);
		fWindow->Lock();
		fWindow->fView->SetText(text);
		fWindow->Unlock();
		ShowWindow();
		// The caret shows only in the active window, which the user has clicked.
		fWindow->Lock();
		fWindow->Activate();
		fWindow->Unlock();
	}

	// Runs f with the window locked, after everything sent to the window so far.
	template<typename F>
	void Locked(F f)
	{
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_until(fWindow, [&] { f(); return true; }));
	}

	void Type(const char* text)
	{
		// One character a key, as the display delivers them.
		for (const char* c = text; *c != '\0'; ) {
			int32 length = 1;
			while ((c[length] & 0xc0) == 0x80)
				length++;
			inject_key(fOffscreen, std::string(c, length).c_str());
			c += length;
		}
	}

	std::string Text()
	{
		std::string text;
		Locked([&] { text = fWindow->fView->Text(); });
		return text;
	}

	BPoint PointOf(int32 offset)
	{
		BPoint point;
		Locked([&] { point = fWindow->PointOf(offset); });
		return point;
	}
};


BMessage
TextRequest(uint32 what, const char* property)
{
	BMessage message(what);
	message.AddSpecifier(property);
	message.AddSpecifier("View", "text");
	message.AddSpecifier("View", "scroll");
	return message;
}


int32
Int32(const BMessage& reply, int32 index)
{
	int32 value = -1;
	reply.FindInt32("result", index, &value);
	return value;
}


int32
ReplyError(const BMessage& reply)
{
	int32 error = B_OK;
	reply.FindInt32("error", &error);
	return error;
}

} // namespace


TEST(TextViewEditingTest, OffsetsNeverSplitACharacter)
{
	BTextView view(BRect(0, 0, 199, 99), "text", BRect(0, 0, 199, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	view.SetText(kMixed);
	EXPECT_EQ(view.TextLength(), 10);

	// Offsets inside a character go back to its start.
	view.Select(2, 8);
	EXPECT_EQ(Selection(view), "1-6");
	view.Delete(4, 7);
	EXPECT_STREQ(view.Text(), "a\xc3\xa9\xf0\x9f\x98\x80");
	view.Insert(5, "x", 1);
	EXPECT_STREQ(view.Text(), "a\xc3\xa9x\xf0\x9f\x98\x80");
	EXPECT_EQ(view.OffsetAt(view.PointAt(5)), 4);

	// Bytes that start no character become U+FFFD; NUL bytes go.
	view.SetText("a\xff\x80z\xe2\x82", 6);
	EXPECT_STREQ(view.Text(), "a\xef\xbf\xbd\xef\xbf\xbdz\xef\xbf\xbd\xef\xbf\xbd");
	view.SetText("a\0b", 3);
	EXPECT_STREQ(view.Text(), "ab");

	// Inserting at the caret moves it past the text; a selection keeps its characters.
	view.SetText("hello world");
	view.Select(6, 6);
	view.Insert("big ");
	EXPECT_EQ(Selection(view), "10-10");
	view.Select(4, 9);
	view.Insert(0, ">> ", 3);
	EXPECT_EQ(Selection(view), "7-12");
	view.Delete(0, 5);
	EXPECT_STREQ(view.Text(), "llo big world");
	EXPECT_EQ(Selection(view), "2-7");
	char buffer[8];
	view.GetText(4, 3, buffer);
	EXPECT_STREQ(buffer, "big");
	view.GetText(10, 100, buffer);
	EXPECT_STREQ(buffer, "rld");
	EXPECT_EQ(view.ByteAt(0), 'l');
	EXPECT_EQ(view.ByteAt(99), 0);
}


TEST(TextViewEditingTest, LinesWrapAfterSpacesAndAtNewlines)
{
	BTextView view(BRect(0, 0, 99, 299), "text", BRect(0, 0, 99, 299), B_FOLLOW_NONE,
		B_WILL_DRAW);
	const char* text = "The quick brown fox jumps over the lazy dog and keeps running";
	view.SetText(text);
	ASSERT_GT(view.CountLines(), 2);
	for (int32 line = 1; line < view.CountLines(); line++) {
		int32 start = view.OffsetAt(line);
		EXPECT_EQ(text[start - 1], ' ') << "line " << line;
		EXPECT_LE(view.LineWidth(line - 1) - view.StringWidth(" "), 100) << "line " << line;
		EXPECT_EQ(view.LineAt(start), line);
		EXPECT_EQ(view.LineAt(view.PointAt(start)), line);
	}
	EXPECT_EQ(view.TextHeight(0, view.CountLines() - 1),
		view.CountLines() * view.LineHeight());

	// A word longer than the line breaks inside it, between characters.
	view.SetText("\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
		"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9");
	ASSERT_GT(view.CountLines(), 1);
	EXPECT_EQ(view.OffsetAt(1) % 2, 0);

	view.SetWordWrap(false);
	view.SetText(text);
	EXPECT_EQ(view.CountLines(), 1);
	view.SetText("one\ntwo\n");
	EXPECT_EQ(view.CountLines(), 3);
	EXPECT_EQ(view.OffsetAt(1), 4);
	EXPECT_EQ(view.OffsetAt(2), 8);
	EXPECT_EQ(view.LineAt(3), 0);

	// Tabs reach the next stop.
	view.SetTabWidth(50);
	view.SetText("a\tb");
	EXPECT_FLOAT_EQ(view.PointAt(2).x, 50);
	EXPECT_FLOAT_EQ(view.TabWidth(), 50);

	// A narrower text rect wraps again.
	view.SetWordWrap(true);
	view.SetText(text);
	int32 lines = view.CountLines();
	view.SetTextRect(BRect(0, 0, 49, 299));
	EXPECT_GT(view.CountLines(), lines);
	EXPECT_EQ(view.TextRect(), BRect(0, 0, 49, 299));

	// The view's font is the text's.
	lines = view.CountLines();
	float height = view.LineHeight();
	BFont font(be_plain_font);
	font.SetSize(font.Size() * 2);
	view.SetFont(&font);
	EXPECT_GT(view.LineHeight(), height);
	EXPECT_GT(view.CountLines(), lines);
}


TEST(TextViewEditingTest, ChangesLayOutAsTheWholeTextWould)
{
	BTextView edited(BRect(0, 0, 99, 299), "edited", BRect(0, 0, 99, 299), B_FOLLOW_NONE,
		B_WILL_DRAW);
	BTextView fresh(BRect(0, 0, 99, 299), "fresh", BRect(0, 0, 99, 299), B_FOLLOW_NONE,
		B_WILL_DRAW);
	auto expectSameLines = [&](const char* step) {
		fresh.SetText(edited.Text());
		ASSERT_EQ(edited.CountLines(), fresh.CountLines()) << step;
		for (int32 line = 0; line < fresh.CountLines(); line++) {
			EXPECT_EQ(edited.OffsetAt(line), fresh.OffsetAt(line)) << step << " " << line;
			EXPECT_EQ(edited.LineWidth(line), fresh.LineWidth(line)) << step << " " << line;
		}
		for (int32 offset = 0; offset <= fresh.TextLength(); offset++)
			EXPECT_EQ(edited.PointAt(offset), fresh.PointAt(offset)) << step << " " << offset;
	};
	edited.SetText("first paragraph of several words\nsecond\n\nfourth one here");
	edited.Insert(6, "inserted words that wrap ", 25);
	expectSameLines("insert");
	edited.Insert(0, "new\nlines\n", 10);
	expectSameLines("newlines");
	edited.Delete(3, 20);
	expectSameLines("delete across a newline");
	edited.Insert(edited.TextLength(), "\n", 1);
	expectSameLines("newline at the end");
	edited.Delete(edited.TextLength() - 1, edited.TextLength());
	edited.Delete(0, 1);
	expectSameLines("first character");
}


// Pango reports only where a cluster starts ("ff" may be one glyph); a character inside
// one took its place from what the layout held before the edit.
TEST(TextViewEditingTest, AnEditBeforeALigatureMovesAllOfIt)
{
	BTextView edited(BRect(0, 0, 199, 99), "edited", BRect(0, 0, 199, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	BTextView fresh(BRect(0, 0, 199, 99), "fresh", BRect(0, 0, 199, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	edited.SetText("office affluent");
	edited.Insert(0, "wide ", 5);
	fresh.SetText(edited.Text());
	for (int32 offset = 0; offset <= fresh.TextLength(); offset++)
		EXPECT_EQ(edited.PointAt(offset), fresh.PointAt(offset)) << offset;
}


TEST_F(TextViewTest, TypingEditsAtTheCaret)
{
	Open("Text typing");
	inject_click(fOffscreen, PointOf(0));
	Type("h\xc3\xa9llo");
	EXPECT_EQ(Text(), "h\xc3\xa9llo");
	inject_key(fOffscreen, "\x1c");		// left
	inject_key(fOffscreen, "\x1c");
	inject_key(fOffscreen, "\x08");		// backspace
	EXPECT_EQ(Text(), "h\xc3\xa9lo");
	inject_key(fOffscreen, "\n");
	Type("X");
	EXPECT_EQ(Text(), "h\xc3\xa9\nXlo");
	Locked([&] {
		EXPECT_EQ(fWindow->fView->CountLines(), 2);
		EXPECT_EQ(fWindow->fView->CurrentLine(), 1);
		EXPECT_TRUE(fWindow->fView->IsFocus());
	});
	// Up goes back a line, Home and End to its ends; Delete takes the next character.
	inject_key(fOffscreen, "\x1e");		// up
	inject_key(fOffscreen, "\x01");		// home
	inject_key(fOffscreen, "\x7f");		// delete
	EXPECT_EQ(Text(), "\xc3\xa9\nXlo");
	inject_key(fOffscreen, "\x04");		// end
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "2-2"); });
	inject_key(fOffscreen, "\x1f", B_SHIFT_KEY);	// shift-down
	Locked([&] { EXPECT_EQ(fWindow->fView->LineAt(fWindow->fView->PointAt(4)), 1); });
	inject_key(fOffscreen, "\x04", B_SHIFT_KEY);	// shift-end
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "2-6"); });
	Type("!");
	EXPECT_EQ(Text(), "\xc3\xa9!");

	// Nothing is typed into a view that is not editable; the caret still moves.
	Locked([&] { fWindow->fView->MakeEditable(false); });
	Type("z");
	inject_key(fOffscreen, "\x08");
	inject_key(fOffscreen, "\x01");
	EXPECT_EQ(Text(), "\xc3\xa9!");
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "0-0"); });

	// Disallowed characters are refused; the byte limit stops typing.
	Locked([&] {
		fWindow->fView->MakeEditable(true);
		fWindow->fView->DisallowChar('q');
		fWindow->fView->SetMaxBytes(5);
	});
	Type("qab\xe2\x82\xac");
	EXPECT_EQ(Text(), "ab\xc3\xa9!");
}


TEST_F(TextViewTest, TheCaretAndDeletionStepOverWholeCharacters)
{
	Open("Text utf8", kMixed);
	inject_click(fOffscreen, PointOf(0));
	inject_key(fOffscreen, "\x04");		// end
	inject_key(fOffscreen, "\x1c");
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "6-6"); });
	inject_key(fOffscreen, "\x1c", B_SHIFT_KEY);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "3-6"); });
	inject_key(fOffscreen, "\x1c", B_SHIFT_KEY);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "1-6"); });
	inject_key(fOffscreen, "\x1d");		// right: to the selection's end
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "6-6"); });
	inject_key(fOffscreen, "\x7f");
	EXPECT_EQ(Text(), "a\xc3\xa9\xe2\x82\xac");
	inject_key(fOffscreen, "\x08");
	EXPECT_EQ(Text(), "a\xc3\xa9");
	inject_key(fOffscreen, "\x08");
	inject_key(fOffscreen, "\x08");
	inject_key(fOffscreen, "\x08");
	EXPECT_EQ(Text(), "");
}


TEST_F(TextViewTest, TheMouseSelects)
{
	Open("Text mouse", "alpha beta gamma\ndelta epsilon");
	BPoint start = PointOf(6);
	BPoint end = PointOf(10);
	inject_click(fOffscreen, start);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "6-6"); });

	// A drag selects between press and release, even backwards.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, end, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, start, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, start, 0);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "6-10"); });

	// Shift-click extends from the end that stays put.
	inject_click(fOffscreen, PointOf(2), B_SHIFT_KEY);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "2-10"); });

	// A double click selects the word; a triple click the line.
	inject_click(fOffscreen, PointOf(13), 0, 2);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "11-16"); });
	inject_click(fOffscreen, PointOf(20), 0, 3);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "17-30"); });

	// Below the text is its end; a view that is not selectable ignores the mouse.
	inject_click(fOffscreen, BPoint(60, 120));
	Locked([&] {
		EXPECT_EQ(Selection(*fWindow->fView), "30-30");
		fWindow->fView->MakeSelectable(false);
	});
	inject_click(fOffscreen, start);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "30-30"); });
}


TEST_F(TextViewTest, TheClipboardAndUndo)
{
	Open("Text undo", "one two");
	inject_click(fOffscreen, PointOf(7));
	Type(" three");
	EXPECT_EQ(Text(), "one two three");
	// One undo takes back the whole run of typing; the next one makes it again.
	inject_key(fOffscreen, "z", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "one two");
	Locked([&] {
		bool redo = false;
		EXPECT_EQ(fWindow->fView->UndoState(&redo), B_UNDO_TYPING);
		EXPECT_TRUE(redo);
	});
	inject_key(fOffscreen, "z", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "one two three");

	// Copy and paste; cut, and undo of the cut.
	inject_click(fOffscreen, PointOf(5), 0, 2);
	inject_key(fOffscreen, "c", B_COMMAND_KEY);
	inject_key(fOffscreen, "\x04", B_COMMAND_KEY);	// the text's end
	inject_key(fOffscreen, "v", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "one two threetwo");
	inject_key(fOffscreen, "a", B_COMMAND_KEY);
	Locked([&] { EXPECT_EQ(Selection(*fWindow->fView), "0-16"); });
	inject_key(fOffscreen, "x", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "");
	inject_key(fOffscreen, "z", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "one two threetwo");
	Locked([&] {
		EXPECT_EQ(Selection(*fWindow->fView), "0-16");
		EXPECT_EQ(fWindow->fView->UndoState(NULL), B_UNDO_CUT);
	});

	// Backspacing over typed text and on before it is one change too.
	inject_key(fOffscreen, "\x04", B_COMMAND_KEY);
	Type("xy");
	for (int i = 0; i < 5; i++)
		inject_key(fOffscreen, "\x08");
	EXPECT_EQ(Text(), "one two three");
	inject_key(fOffscreen, "z", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "one two threetwo");

	// The editing commands a menu sends do the same.
	Locked([&] {
		fWindow->fView->Select(0, 3);
		fWindow->PostMessage(B_CUT, fWindow->fView);
	});
	EXPECT_EQ(Text(), " two threetwo");
	Locked([&] { fWindow->PostMessage(B_PASTE, fWindow->fView); });
	EXPECT_EQ(Text(), "one two threetwo");

	// A change made by the program is not undone.
	Locked([&] {
		fWindow->fView->SetText("set");
		EXPECT_EQ(fWindow->fView->UndoState(NULL), B_UNDO_UNAVAILABLE);
	});
	inject_key(fOffscreen, "z", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "set");
}


TEST_F(TextViewTest, TheScrollBarFollowsTheTextHeight)
{
	Open("Text scrolling");
	BScrollBar* bar = nullptr;
	float max = 0;
	Locked([&] {
		bar = fWindow->fView->ScrollBar(B_VERTICAL);
		ASSERT_NE(bar, nullptr);
		float min;
		bar->GetRange(&min, &max);
		EXPECT_EQ(max, 0);
	});
	inject_click(fOffscreen, PointOf(0));
	for (int i = 0; i < 20; i++)
		Type("line\n");
	Locked([&] {
		float min;
		bar->GetRange(&min, &max);
		float textHeight = fWindow->fView->TextHeight(0, fWindow->fView->CountLines() - 1);
		EXPECT_EQ(max, textHeight + 8 - fWindow->fView->Bounds().Height() - 1);
		// The caret stays in sight.
		EXPECT_GT(fWindow->fView->Bounds().top, 0);
		EXPECT_EQ(bar->Value(), fWindow->fView->Bounds().top);
		BPoint caret = fWindow->fView->PointAt(fWindow->fView->TextLength());
		EXPECT_TRUE(fWindow->fView->Bounds().Contains(caret));
	});
	inject_key(fOffscreen, "\x01", B_COMMAND_KEY);	// the text's start
	Locked([&] { EXPECT_EQ(fWindow->fView->Bounds().top, 0); });
	Locked([&] {
		fWindow->fView->SetText("short");
		float min;
		bar->GetRange(&min, &max);
		EXPECT_EQ(max, 0);
	});
}


TEST_F(TextViewTest, TheSuiteGetsAndSetsTextAndSelection)
{
	Open("Text scripting", "hello world");
	BMessenger window(fWindow);
	BMessage reply;

	BMessage get = TextRequest(B_GET_PROPERTY, "Text");
	ASSERT_EQ(window.SendMessage(&get, &reply), B_OK);
	const char* text = nullptr;
	EXPECT_EQ(reply.FindString("result", &text), B_OK);
	EXPECT_STREQ(text, "hello world");

	BMessage count = TextRequest(B_COUNT_PROPERTIES, "Text");
	ASSERT_EQ(window.SendMessage(&count, &reply), B_OK);
	EXPECT_EQ(Int32(reply, 0), 11);

	// A range of bytes, from the start or from the end.
	BMessage range(B_GET_PROPERTY);
	range.AddSpecifier("Text", 6, 5);
	range.AddSpecifier("View", "text");
	range.AddSpecifier("View", "scroll");
	ASSERT_EQ(window.SendMessage(&range, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "world");

	BMessage reverse(B_SET_PROPERTY);
	BMessage specifier(B_REVERSE_RANGE_SPECIFIER);
	specifier.AddString("property", "Text");
	specifier.AddInt32("index", 6);
	specifier.AddInt32("range", 5);
	reverse.AddSpecifier(&specifier);
	reverse.AddSpecifier("View", "text");
	reverse.AddSpecifier("View", "scroll");
	reverse.AddString("data", "HELLO");
	ASSERT_EQ(window.SendMessage(&reverse, &reply), B_OK);
	EXPECT_EQ(ReplyError(reply), B_OK);
	EXPECT_EQ(Text(), "HELLO world");

	BMessage outside(B_GET_PROPERTY);
	outside.AddSpecifier("Text", 20, 2);
	outside.AddSpecifier("View", "text");
	outside.AddSpecifier("View", "scroll");
	ASSERT_EQ(window.SendMessage(&outside, &reply), B_OK);
	EXPECT_EQ(ReplyError(reply), B_BAD_INDEX);
	EXPECT_FALSE(reply.HasString("result"));

	BMessage set = TextRequest(B_SET_PROPERTY, "Text");
	set.AddString("data", "new \xc3\xa9 text");
	ASSERT_EQ(window.SendMessage(&set, &reply), B_OK);
	EXPECT_EQ(Text(), "new \xc3\xa9 text");

	// The selection is two offsets; one inside a character goes to its start.
	BMessage select = TextRequest(B_SET_PROPERTY, "Selection");
	select.AddInt32("data", 5);
	select.AddInt32("data", 10);
	ASSERT_EQ(window.SendMessage(&select, &reply), B_OK);
	EXPECT_EQ(ReplyError(reply), B_OK);
	BMessage selection = TextRequest(B_GET_PROPERTY, "Selection");
	ASSERT_EQ(window.SendMessage(&selection, &reply), B_OK);
	EXPECT_EQ(Int32(reply, 0), 4);
	EXPECT_EQ(Int32(reply, 1), 10);

	BMessage half = TextRequest(B_SET_PROPERTY, "Selection");
	half.AddInt32("data", 1);
	ASSERT_EQ(window.SendMessage(&half, &reply), B_OK);
	EXPECT_NE(ReplyError(reply), B_OK);
	BMessage wrong = TextRequest(B_SET_PROPERTY, "Text");
	wrong.AddInt32("data", 3);
	ASSERT_EQ(window.SendMessage(&wrong, &reply), B_OK);
	EXPECT_NE(ReplyError(reply), B_OK);
	EXPECT_EQ(Text(), "new \xc3\xa9 text");

	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("View", "text");
	suites.AddSpecifier("View", "scroll");
	ASSERT_EQ(window.SendMessage(&suites, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "suites", 0), "suite/vnd.Be-text-view");
	EXPECT_EQ(string_field(reply, "suites", 1), "suite/vnd.Be-view");
}


TEST_F(TextViewTest, TheCaretAndSelectionAreDrawn)
{
	Open("Text drawing", "Some text to look at, long enough to wrap onto a second line.");
	int32 end = 0;
	Locked([&] { end = fWindow->fView->TextLength(); });
	inject_click(fOffscreen, PointOf(end));
	// The caret is a line in the text's colour after the text, on the paper's colour.
	BPoint caret = PointOf(end);
	Locked([] {});
	EXPECT_LT(fOffscreen->PixelAt((int32)caret.x, (int32)caret.y).red, 100);
	EXPECT_EQ(fOffscreen->PixelAt((int32)caret.x + 3, (int32)caret.y).red, 255);

	// A selected word sits on the highlight, from the line's top.
	inject_click(fOffscreen, PointOf(5), 0, 2);
	BPoint top = PointOf(5);
	Locked([&] { top.y -= fWindow->fView->LineHeight() / 2; });
	rgb_color highlight = fOffscreen->PixelAt((int32)top.x + 1, (int32)top.y);
	EXPECT_LT(highlight.red, 230);
	EXPECT_GT(highlight.red, 120);
	EXPECT_EQ(fOffscreen->SaveToPNG(QV_BIN_DIR "/../TextView-screen.png"), B_OK);
}


namespace {

const rgb_color kRunRed = { 220, 0, 0, 255 };
const rgb_color kRunGreen = { 0, 160, 0, 255 };


// Two runs, red from 0 and green (in a 24-point font) from greenOffset.
std::vector<char>
two_runs(int32 greenOffset)
{
	std::vector<char> bytes(sizeof(text_run_array) + sizeof(text_run));
	text_run_array* runs = (text_run_array*)bytes.data();
	runs->count = 2;
	runs->runs[0] = text_run{ 0, *be_plain_font, kRunRed };
	BFont big(be_plain_font);
	big.SetSize(24);
	runs->runs[1] = text_run{ greenOffset, big, kRunGreen };
	return bytes;
}


// The runs' offsets and colours' green, as "offset:green" separated by spaces.
std::string
runs_of(const BTextView& view, int32 start, int32 end)
{
	text_run_array* runs = view.RunArray(start, end);
	if (runs == NULL)
		return "none";
	std::string text;
	for (int32 i = 0; i < runs->count; i++) {
		text += (i > 0 ? " " : "") + std::to_string(runs->runs[i].offset) + ":"
			+ std::to_string(runs->runs[i].color.green);
	}
	free(runs);
	return text;
}

} // namespace


TEST_F(TextViewTest, StyledRunsFollowTheEditsAndComeBackAsRunArrays)
{
	Open("Text runs", "red green");
	Locked([&] {
		BTextView* view = fWindow->fView;
		std::vector<char> runs = two_runs(4);
		// Not stylable: the first run takes the whole text.
		view->SetRunArray(0, view->TextLength(), (text_run_array*)runs.data());
		EXPECT_EQ(runs_of(*view, 0, view->TextLength()), "0:0");

		view->SetStylable(true);
		view->SetRunArray(0, view->TextLength(), (text_run_array*)runs.data());
		EXPECT_EQ(runs_of(*view, 0, view->TextLength()), "0:0 4:160");
		int32 size = 0;
		text_run_array* array = view->RunArray(0, 9, &size);
		EXPECT_EQ(size, (int32)(sizeof(text_run_array) + sizeof(text_run)));
		EXPECT_FLOAT_EQ(array->runs[1].font.Size(), 24);
		free(array);

		// Inserted text takes the style of the byte before it.
		view->Insert(3, "dish", 4);
		EXPECT_EQ(runs_of(*view, 0, view->TextLength()), "0:0 8:160");
		view->Insert(0, ">", 1);
		EXPECT_EQ(runs_of(*view, 0, view->TextLength()), "0:0 9:160");
		// Deleting across the boundary keeps the text after it green.
		view->Delete(5, 11);
		EXPECT_STREQ(view->Text(), ">reddeen");
		EXPECT_EQ(runs_of(*view, 0, view->TextLength()), "0:0 5:160");
		// A range inside runs reports offsets from its start.
		EXPECT_EQ(runs_of(*view, 2, 7), "0:0 3:160");
		EXPECT_EQ(runs_of(*view, 3, 3), "none");

		// The font and colour of a selection apply to it alone.
		view->Select(0, 1);
		rgb_color blue = { 0, 0, 200, 255 };
		view->SetFontAndColor(NULL, 0, &blue);
		EXPECT_EQ(runs_of(*view, 0, view->TextLength()), "0:0 1:0 5:160");
		BFont font;
		rgb_color color;
		view->Select(6, 6);
		view->GetFontAndColor(&font, (uint32*)NULL, &color);
		EXPECT_EQ(color, kRunGreen);
		EXPECT_FLOAT_EQ(font.Size(), 24);
	});
}


TEST_F(TextViewTest, UndoPutsBackTheRunsOfWhatItRestores)
{
	// "red green": red from 0, green in 24 points from 4.
	Open("Text undo runs", "red green");
	const std::string original = "0:0 4:160";
	auto restyle = [&] {
		fWindow->fView->SetStylable(true);
		fWindow->fView->SetText("red green");
		fWindow->fView->SetRunArray(0, 9, (text_run_array*)two_runs(4).data());
	};
	auto runs = [&] { return runs_of(*fWindow->fView, 0, fWindow->fView->TextLength()); };

	// A cut and a clear across the two runs come back in both styles; the redo takes
	// the text out again and the undo after it brings the styles back once more.
	Locked([&] {
		BTextView* view = fWindow->fView;
		restyle();
		view->Select(2, 6);
		view->Cut(NULL);
		EXPECT_STREQ(view->Text(), "reeen");
		view->Undo(NULL);
		EXPECT_STREQ(view->Text(), "red green");
		EXPECT_EQ(runs(), original);
		BFont font;
		view->GetFontAndColor(5, &font, NULL);
		EXPECT_FLOAT_EQ(font.Size(), 24);
		view->Undo(NULL);
		EXPECT_EQ(runs(), "0:0 2:160");
		view->Undo(NULL);
		EXPECT_EQ(runs(), original);

		view->Select(0, 9);
		view->Clear();
		EXPECT_EQ(view->TextLength(), 0);
		view->Undo(NULL);
		EXPECT_STREQ(view->Text(), "red green");
		EXPECT_EQ(runs(), original);
	});

	// Typing over a selection, then backspacing over the typed text and on before it.
	inject_click(fOffscreen, PointOf(0));
	Locked([&] {
		restyle();
		fWindow->fView->Select(2, 6);
	});
	Type("X");
	EXPECT_EQ(Text(), "reXeen");
	Locked([&] { EXPECT_EQ(runs(), "0:0 3:160"); });
	for (int i = 0; i < 3; i++)
		inject_key(fOffscreen, "\x08");
	EXPECT_EQ(Text(), "een");
	inject_key(fOffscreen, "z", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "red green");
	Locked([&] { EXPECT_EQ(runs(), original); });

	// Styled text pasted over a selection keeps its runs; undo takes them out with the
	// text and gives the replaced text its own back; redo pastes them again.
	Locked([&] {
		BTextView* view = fWindow->fView;
		restyle();
		view->Select(2, 6);
		view->Copy(NULL);
		view->Select(0, 9);
		view->Clear();
		view->SetText("plain");
		view->SetFontAndColor(0, 5, NULL, 0, &kRunRed);
		view->Select(1, 4);
		view->Paste(NULL);
		EXPECT_STREQ(view->Text(), "pd grn");
		std::string pasted = runs();
		rgb_color color;
		BFont font;
		view->GetFontAndColor(3, &font, &color);
		EXPECT_EQ(color, kRunGreen);
		EXPECT_FLOAT_EQ(font.Size(), 24);
		view->GetFontAndColor(5, &font, &color);
		EXPECT_EQ(color, kRunRed);
		view->Undo(NULL);
		EXPECT_STREQ(view->Text(), "plain");
		EXPECT_EQ(runs(), "0:0");
		view->Undo(NULL);
		EXPECT_STREQ(view->Text(), "pd grn");
		EXPECT_EQ(runs(), pasted);
	});
}


TEST_F(TextViewTest, RunsAreDrawnInTheirOwnFontsAndColours)
{
	Open("Text run drawing", "red green");
	float smallHeight = 0;
	Locked([&] {
		BTextView* view = fWindow->fView;
		smallHeight = view->LineHeight();
		view->SetStylable(true);
		std::vector<char> runs = two_runs(4);
		view->SetRunArray(0, view->TextLength(), (text_run_array*)runs.data());
		// The line grows with the big font, and the green text is wider than it was.
		EXPECT_GT(view->LineHeight(), smallHeight + 8);
		BFont plain(be_plain_font);
		EXPECT_GT(view->PointAt(9).x - view->PointAt(4).x, plain.StringWidth("green") + 10);
	});
	// Somewhere in each word a pixel of its colour.
	float lineHeight = 0;
	Locked([&] { lineHeight = fWindow->fView->LineHeight(); });
	BPoint points[] = { PointOf(0), PointOf(3), PointOf(4), PointOf(9) };
	auto finds = [&](BPoint left, BPoint right, rgb_color color) {
		for (int32 x = (int32)left.x; x < (int32)right.x; x++) {
			for (int32 y = (int32)(left.y - lineHeight / 2); y < left.y + lineHeight / 2; y++) {
				// Text is smoothed: its colour shows darker or lighter at its edges.
				rgb_color pixel = fOffscreen->PixelAt(x, y);
				bool red = pixel.red > 150 && pixel.green < 90 && pixel.blue < 90;
				bool green = pixel.green > 100 && pixel.red < 70 && pixel.blue < 70;
				if (color == kRunRed ? red : green)
					return true;
			}
		}
		return false;
	};
	EXPECT_TRUE(wait_until(fWindow, [&] { return finds(points[0], points[1], kRunRed); }));
	EXPECT_FALSE(finds(points[0], points[1], kRunGreen));
	EXPECT_TRUE(finds(points[2], points[3], kRunGreen));
	SaveScreenshot("text-view-runs.png");
}


TEST_F(TextViewTest, UndoCanBeTurnedOff)
{
	Open("Text no undo", "one");
	Locked([&] {
		EXPECT_TRUE(fWindow->fView->DoesUndo());
		fWindow->fView->SetDoesUndo(false);
		fWindow->fView->MakeFocus(true);
		fWindow->fView->Select(3, 3);
	});
	Type("!");
	inject_key(fOffscreen, "z", B_COMMAND_KEY);
	EXPECT_EQ(Text(), "one!");
	Locked([&] { EXPECT_EQ(fWindow->fView->UndoState(NULL), B_UNDO_UNAVAILABLE); });
}


TEST_F(TextViewTest, HiddenTypingShowsBulletsAndLetsNothingOut)
{
	Open("Text hidden", "pass");
	Locked([&] {
		BTextView* view = fWindow->fView;
		view->SelectAll();
		view->Copy(NULL);
		view->HideTyping(true);
		EXPECT_TRUE(view->IsTypingHidden());
		view->SetText("secret\xc3\xa9");
		// Every character, whatever its bytes, is as wide as the others.
		float first = view->PointAt(1).x - view->PointAt(0).x;
		EXPECT_GT(first, 0);
		EXPECT_FLOAT_EQ(view->PointAt(8).x - view->PointAt(6).x, first);
		view->SelectAll();
		view->Copy(NULL);
		view->Cut(NULL);
		EXPECT_STREQ(view->Text(), "secret\xc3\xa9");
		view->Select(0, 0);
		view->Paste(NULL);
		EXPECT_STREQ(view->Text(), "passsecret\xc3\xa9");
	});
}


TEST_F(TextViewTest, AResizableViewFitsItsWidthToTheText)
{
	Open("Text resizable", "short");
	Locked([&] {
		BTextView* view = fWindow->fView;
		view->MakeResizable(true, fWindow->fScroll);
		EXPECT_TRUE(view->IsResizable());
		EXPECT_FALSE(view->DoesWordWrap());
		float left;
		float right;
		view->GetInsets(&left, NULL, &right, NULL);
		EXPECT_FLOAT_EQ(left, 4);
		EXPECT_FLOAT_EQ(view->Bounds().Width(), ceilf(view->LineWidth(0)) + 1 + left + right);
		float scrollWidth = fWindow->fScroll->Bounds().Width();
		float width = view->Bounds().Width();
		view->SetText("a much longer line of text than before");
		float grown = view->Bounds().Width() - width;
		EXPECT_GT(grown, 50);
		EXPECT_FLOAT_EQ(fWindow->fScroll->Bounds().Width(), scrollWidth + grown);
	});
}


TEST_F(TextViewTest, WordsLineEndsAndWhatMayBeDroppedOrPasted)
{
	Open("Text words", "one, two");
	Locked([&] {
		BTextView* view = fWindow->fView;
		int32 from = -1;
		int32 to = -1;
		view->FindWord(1, &from, &to);
		EXPECT_EQ(from, 0);
		EXPECT_EQ(to, 3);
		view->FindWord(4, &from, &to);
		EXPECT_EQ(from, 3);
		EXPECT_EQ(to, 5);
		view->FindWord(99, &from, &to);
		EXPECT_EQ(from, 5);
		EXPECT_EQ(to, 8);
		EXPECT_TRUE(view->CanEndLine(4));
		EXPECT_FALSE(view->CanEndLine(1));
		EXPECT_FALSE(view->CanEndLine(-1));

		BMessage drop(B_SIMPLE_DATA);
		EXPECT_FALSE(view->AcceptsDrop(&drop));
		drop.AddData("text/plain", B_MIME_TYPE, "x", 1);
		EXPECT_TRUE(view->AcceptsDrop(&drop));
		view->Select(0, 3);
		view->Copy(NULL);
		EXPECT_TRUE(view->AcceptsPaste(NULL));
		view->MakeEditable(false);
		EXPECT_FALSE(view->AcceptsDrop(&drop));
		EXPECT_FALSE(view->AcceptsPaste(NULL));
	});
}


TEST(TextViewMembersTest, FontAndColourOfARangeAndWhatASelectionShares)
{
	BTextView view(BRect(0, 0, 199, 99), "styled", BRect(0, 0, 199, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	view.SetStylable(true);
	view.SetText("red green");
	std::vector<char> runs = two_runs(4);
	view.SetRunArray(0, view.TextLength(), (text_run_array*)runs.data());

	// A range restyles those bytes alone, whatever the selection; the range's ends may
	// come in either order.
	view.Select(0, 9);
	rgb_color blue = { 0, 0, 200, 255 };
	BFont bold(be_bold_font);
	bold.SetSize(30);
	view.SetFontAndColor(6, 1, &bold, B_FONT_SIZE, &blue);
	EXPECT_EQ(runs_of(view, 0, view.TextLength()), "0:0 1:0 6:160");
	BFont font;
	rgb_color color;
	view.GetFontAndColor(2, &font, &color);
	EXPECT_EQ(color, blue);
	EXPECT_FLOAT_EQ(font.Size(), 30);
	// Only the size was taken: the family stays the plain font's.
	EXPECT_EQ(font.FamilyAndStyle(), be_plain_font->FamilyAndStyle());
	view.GetFontAndColor(-5, &font, &color);
	EXPECT_EQ(color, kRunRed);
	view.GetFontAndColor(1000, &font, NULL);
	EXPECT_FLOAT_EQ(font.Size(), 24);

	// What every run of the selection shares.
	uint32 same = 0;
	bool sameColor = true;
	view.Select(0, 9);
	view.GetFontAndColor(&font, &same, &color, &sameColor);
	EXPECT_EQ(color, kRunRed);
	EXPECT_FALSE(sameColor);
	EXPECT_EQ(same & B_FONT_SIZE, 0u);
	EXPECT_NE(same & B_FONT_FAMILY_AND_STYLE, 0u);
	view.Select(1, 5);
	view.GetFontAndColor(&font, &same, &color, &sameColor);
	EXPECT_TRUE(sameColor);
	EXPECT_EQ(same, (uint32)B_FONT_ALL);

	// A view that is not stylable takes the font and colour for all its text.
	BTextView plain(BRect(0, 0, 199, 99), "plain", BRect(0, 0, 199, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	plain.SetText("all of it");
	plain.SetFontAndColor(2, 4, NULL, 0, &blue);
	EXPECT_EQ(runs_of(plain, 0, plain.TextLength()), "0:0");
	plain.GetFontAndColor(0, NULL, &color);
	EXPECT_EQ(color, blue);
}


TEST(TextViewMembersTest, TextFromAFileAndInsets)
{
	ScratchDirectory directory("text view file");
	ASSERT_TRUE(directory.WriteFile("text", "0123456789 bad \xff byte"));
	BFile file((directory / "text").c_str(), B_READ_ONLY);
	ASSERT_EQ(file.InitCheck(), B_OK);
	BTextView view(BRect(0, 0, 199, 99), "file", BRect(0, 0, 199, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	view.SetText(&file, 2, 3);
	EXPECT_STREQ(view.Text(), "234");
	// No more than the file holds; its bytes are taken as any text from outside.
	view.SetText(&file, 11, 1000);
	EXPECT_STREQ(view.Text(), "bad \xef\xbf\xbd byte");
	view.SetText(&file, 1000, 5);
	EXPECT_STREQ(view.Text(), "");
	view.SetText("kept");
	view.SetText(&file, -1, 5);
	view.SetText(NULL, 0, 5);
	EXPECT_STREQ(view.Text(), "kept");

	view.SetInsets(3, 4, 5, 6);
	float left, top, right, bottom;
	view.GetInsets(&left, &top, &right, &bottom);
	EXPECT_EQ(left, 3);
	EXPECT_EQ(top, 4);
	EXPECT_EQ(right, 5);
	EXPECT_EQ(bottom, 6);
	EXPECT_EQ(view.TextRect(), BRect(3, 4, 194, 93));
}
