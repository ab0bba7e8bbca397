// Windows and views in one process, on the offscreen display: the view tree and its
// hooks, layout by resizing modes, drawing of invalidated areas, and input delivery.
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "OffscreenWindowTest.h"

using BPrivate::DisplayEvent;
using BPrivate::OffscreenWindow;

namespace {


class RecordingView : public BView {
public:
	RecordingView(BRect frame, const char* name, uint32 mode, std::vector<std::string>* log)
		:
		BView(frame, name, mode, B_WILL_DRAW | B_FRAME_EVENTS),
		fLog(log)
	{
	}

	void AttachedToWindow() override { fLog->push_back(std::string("attached ") + Name()); }
	void AllAttached() override { fLog->push_back(std::string("all attached ") + Name()); }
	void DetachedFromWindow() override { fLog->push_back(std::string("detached ") + Name()); }
	void FrameResized(float width, float height) override { resized++; }

	void Draw(BRect updateRect) override
	{
		draws++;
		lastUpdate = updateRect;
		SetHighColor(255, 0, 0);
		FillRect(Bounds());
	}

	void MouseDown(BPoint where) override
	{
		mouseWhere = where;
		BMessage* message = Window()->CurrentMessage();
		message->FindInt32("buttons", &buttons);
		message->FindInt32("clicks", &clicks);
		message->FindInt32("modifiers", &modifiers);
		MakeFocus(true);
	}

	void MouseUp(BPoint where) override { mouseUps++; }

	void KeyDown(const char* bytes, int32 numBytes) override { keys += bytes; }

	std::vector<std::string>* fLog;
	int resized = 0;
	int draws = 0;
	BRect lastUpdate;
	BPoint mouseWhere;
	int32 buttons = 0;
	int32 clicks = 0;
	int32 modifiers = 0;
	int mouseUps = 0;
	std::string keys;
};


class RecordingWindow : public BWindow {
public:
	RecordingWindow(BRect frame, const char* title)
		:
		BWindow(frame, title, B_TITLED_WINDOW, 0)
	{
	}

	void FrameResized(float width, float height) override
	{
		resizedTo = BPoint(width, height);
	}

	bool QuitRequested() override
	{
		quitRequests++;
		return allowQuit;
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'shrt')
			shortcuts++;
		else
			BWindow::MessageReceived(message);
	}

	BPoint resizedTo;
	int quitRequests = 0;
	bool allowQuit = false;
	int shortcuts = 0;
};


// The tests make, show and end their windows themselves, as the cases need.
class WindowTest : public OffscreenWindowTest<> {
};


DisplayEvent
MouseEvent(BPrivate::DisplayEventType type, BPoint where, uint32 buttons, int32 clicks)
{
	DisplayEvent event;
	event.type = type;
	event.where = where;
	event.buttons = buttons;
	event.clicks = clicks;
	return event;
}

} // namespace


TEST_F(WindowTest, ViewsFollowTheirResizingModes)
{
	std::vector<std::string> log;
	BWindow* window = new BWindow(BRect(100, 100, 299, 199), "Layout", B_TITLED_WINDOW, 0);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 199, 99));
	EXPECT_EQ(window->Frame(), BRect(100, 100, 299, 199));

	struct Case {
		uint32 mode;
		BRect expected;
	} cases[] = {
		{ B_FOLLOW_LEFT | B_FOLLOW_TOP, BRect(10, 10, 29, 29) },
		{ B_FOLLOW_NONE, BRect(10, 10, 29, 29) },
		{ B_FOLLOW_ALL_SIDES, BRect(10, 10, 129, 79) },
		{ B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, BRect(110, 60, 129, 79) },
		{ B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, BRect(10, 10, 129, 29) },
		{ B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM, BRect(10, 10, 29, 79) },
		{ B_FOLLOW_H_CENTER | B_FOLLOW_V_CENTER, BRect(60, 35, 79, 54) },
	};
	std::vector<RecordingView*> views;
	for (const Case& test : cases) {
		RecordingView* view = new RecordingView(BRect(10, 10, 29, 29), "case", test.mode,
			&log);
		window->AddChild(view);
		views.push_back(view);
	}
	// A child follows its parent, not the window.
	RecordingView* child = new RecordingView(BRect(2, 2, 5, 5), "child",
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, &log);
	views[2]->AddChild(child);

	window->ResizeBy(100, 50);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 299, 149));
	for (size_t i = 0; i < views.size(); i++)
		EXPECT_EQ(views[i]->Frame(), cases[i].expected) << "case " << i;
	EXPECT_EQ(child->Frame(), BRect(102, 52, 105, 55));
	EXPECT_EQ(views[2]->Bounds(), BRect(0, 0, 119, 69));
	EXPECT_EQ(views[0]->resized, 0);
	EXPECT_EQ(views[2]->resized, 1);

	// Size limits bound every resize.
	window->SetSizeLimits(50, 250, 40, 120);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 250, 120));
	window->ResizeTo(10, 10);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 50, 40));
	window->Quit();
}


TEST_F(WindowTest, TheTreeCallsItsHooksInOrderAndConvertsCoordinates)
{
	std::vector<std::string> log;
	BWindow* window = new BWindow(BRect(100, 50, 299, 249), "Tree", B_TITLED_WINDOW, 0);
	RecordingView* parent = new RecordingView(BRect(10, 20, 109, 119), "parent",
		B_FOLLOW_NONE, &log);
	RecordingView* child = new RecordingView(BRect(5, 5, 54, 54), "child", B_FOLLOW_NONE,
		&log);
	RecordingView* sibling = new RecordingView(BRect(60, 5, 69, 14), "sibling",
		B_FOLLOW_NONE, &log);
	parent->AddChild(child);
	parent->AddChild(sibling);
	EXPECT_TRUE(log.empty());
	window->AddChild(parent);
	std::vector<std::string> expected = { "attached parent", "attached child",
		"attached sibling", "all attached child", "all attached sibling",
		"all attached parent" };
	EXPECT_EQ(log, expected);

	EXPECT_EQ(window->CountChildren(), 1);
	EXPECT_EQ(window->ChildAt(0), parent);
	EXPECT_EQ(parent->CountChildren(), 2);
	EXPECT_EQ(child->NextSibling(), sibling);
	EXPECT_EQ(sibling->PreviousSibling(), child);
	EXPECT_EQ(child->Parent(), parent);
	EXPECT_EQ(child->Window(), window);
	EXPECT_EQ(window->FindView("sibling"), sibling);
	EXPECT_EQ(window->FindView("nothing"), nullptr);
	EXPECT_EQ(window->FindView(BPoint(20, 30)), child);
	EXPECT_EQ(window->FindView(BPoint(72, 27)), sibling);

	EXPECT_EQ(child->ConvertToParent(BPoint(1, 1)), BPoint(6, 6));
	EXPECT_EQ(child->ConvertToScreen(BPoint(0, 0)), BPoint(115, 75));
	EXPECT_EQ(child->ConvertFromScreen(BPoint(115, 75)), BPoint(0, 0));
	// Scrolling the parent moves what its children show.
	parent->ScrollBy(5, 0);
	EXPECT_EQ(parent->Bounds(), BRect(5, 0, 104, 99));
	EXPECT_EQ(child->ConvertToScreen(BPoint(0, 0)), BPoint(110, 75));
	EXPECT_EQ(window->FindView(BPoint(15, 30)), child);

	log.clear();
	EXPECT_TRUE(parent->RemoveChild(child));
	EXPECT_EQ(log, std::vector<std::string>{ "detached child" });
	EXPECT_EQ(child->Window(), nullptr);
	EXPECT_FALSE(parent->RemoveChild(child));
	delete child;

	sibling->Hide();
	EXPECT_TRUE(sibling->IsHidden());
	EXPECT_EQ(window->FindView(BPoint(67, 27)), parent);
	window->Quit();
}


TEST_F(WindowTest, DrawsInvalidatedViewsAndPresentsThem)
{
	std::vector<std::string> log;
	RecordingWindow* window = new RecordingWindow(BRect(0, 0, 99, 99), "Drawing");
	RecordingView* view = new RecordingView(BRect(10, 10, 49, 49), "red", B_FOLLOW_NONE,
		&log);
	window->AddChild(view);
	OffscreenWindow* offscreen = offscreen_window("Drawing");
	ASSERT_NE(offscreen, nullptr);

	window->Show();
	ASSERT_TRUE(offscreen->WaitForPresentation(0, 5000000));
	EXPECT_TRUE(offscreen->IsVisible());
	EXPECT_EQ(offscreen->PixelAt(10, 10), make_color(255, 0, 0));
	EXPECT_EQ(offscreen->PixelAt(49, 49), make_color(255, 0, 0));
	EXPECT_EQ(offscreen->PixelAt(50, 50), ui_color(B_PANEL_BACKGROUND_COLOR));

	// Only the invalidated part is drawn again.
	ASSERT_TRUE(window->Lock());
	int draws = view->draws;
	int64 presented = offscreen->Presentations();
	view->Invalidate(BRect(0, 0, 4, 4));
	window->Unlock();
	ASSERT_TRUE(offscreen->WaitForPresentation(presented, 5000000));
	ASSERT_TRUE(window->Lock());
	EXPECT_EQ(view->draws, draws + 1);
	EXPECT_EQ(view->lastUpdate, BRect(0, 0, 4, 4));

	// Nothing is drawn while updates are disabled.
	window->DisableUpdates();
	view->SetViewColor(0, 0, 255);
	draws = view->draws;
	window->Unlock();
	snooze(50000);
	ASSERT_TRUE(window->Lock());
	EXPECT_EQ(view->draws, draws);
	presented = offscreen->Presentations();
	window->EnableUpdates();
	window->Unlock();
	ASSERT_TRUE(offscreen->WaitForPresentation(presented, 5000000));

	ASSERT_TRUE(window->Lock());
	window->Quit();
}


// A thread that quits a shown window without holding its lock, though it should: the lock
// is taken for it, so the window's thread, drawing without pause, is not torn down under
// its feet (the thread sanitizer would see it).
TEST_F(WindowTest, AWindowQuitWithoutItsLockEndsWhileItDraws)
{
	class RedrawingView : public BView {
	public:
		RedrawingView()
			:
			BView(BRect(0, 0, 49, 49), "redrawing", B_FOLLOW_NONE, B_WILL_DRAW)
		{
		}

		void Draw(BRect) override
		{
			FillRect(Bounds());
			draws++;
			Invalidate();
		}

		std::atomic<int> draws = 0;
	};

	BWindow* window = new BWindow(BRect(0, 0, 99, 99), "Redrawing", B_TITLED_WINDOW, 0);
	RedrawingView* view = new RedrawingView;
	window->AddChild(view);
	window->Show();
	ASSERT_TRUE(wait_for([&] { return view->draws > 10; }));
	thread_id thread = window->Thread();

	window->Quit();
	EXPECT_EQ(offscreen_window("Redrawing"), nullptr);
	EXPECT_EQ(wait_for_thread(thread, NULL), B_BAD_THREAD_ID);
}


TEST_F(WindowTest, InputArrivesAsMessagesForTheRightView)
{
	std::vector<std::string> log;
	RecordingWindow* window = new RecordingWindow(BRect(0, 0, 199, 99), "Input");
	RecordingView* left = new RecordingView(BRect(0, 0, 99, 99), "left", B_FOLLOW_NONE,
		&log);
	RecordingView* right = new RecordingView(BRect(100, 0, 199, 99), "right",
		B_FOLLOW_LEFT_RIGHT, &log);
	window->AddChild(left);
	window->AddChild(right);
	window->AddShortcut('k', 0, new BMessage('shrt'));
	window->Show();
	OffscreenWindow* offscreen = offscreen_window("Input");
	ASSERT_NE(offscreen, nullptr);

	DisplayEvent down = MouseEvent(BPrivate::kDisplayMouseDown, BPoint(130, 40),
		B_PRIMARY_MOUSE_BUTTON, 2);
	down.modifiers = B_SHIFT_KEY;
	offscreen->Inject(down);
	ASSERT_TRUE(wait_until(window, [&] { return right->clicks == 2; }));
	ASSERT_TRUE(window->Lock());
	EXPECT_EQ(right->mouseWhere, BPoint(30, 40));
	EXPECT_EQ(right->buttons, (int32)B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(right->modifiers, (int32)B_SHIFT_KEY);
	EXPECT_TRUE(right->IsFocus());
	EXPECT_EQ(left->clicks, 0);
	window->Unlock();

	// The button goes up over the other view; the view that took it down hears it.
	offscreen->Inject(MouseEvent(BPrivate::kDisplayMouseUp, BPoint(20, 40), 0, 0));
	ASSERT_TRUE(wait_until(window, [&] { return right->mouseUps == 1; }));

	DisplayEvent key;
	key.type = BPrivate::kDisplayKeyDown;
	strcpy(key.bytes, "a");
	offscreen->Inject(key);
	strcpy(key.bytes, "k");
	key.modifiers = B_COMMAND_KEY;
	offscreen->Inject(key);
	ASSERT_TRUE(wait_until(window, [&] { return window->shortcuts == 1; }));
	ASSERT_TRUE(window->Lock());
	EXPECT_EQ(right->keys, "a");
	window->Unlock();

	// Tab moves the focus through the navigable views only.
	ASSERT_TRUE(window->Lock());
	left->SetFlags(left->Flags() | B_NAVIGABLE);
	window->Unlock();
	DisplayEvent tab;
	tab.type = BPrivate::kDisplayKeyDown;
	tab.bytes[0] = B_TAB;
	offscreen->Inject(tab);
	ASSERT_TRUE(wait_until(window, [&] { return left->IsFocus(); }));
	tab.modifiers = B_SHIFT_KEY;
	offscreen->Inject(tab);
	snooze(20000);
	ASSERT_TRUE(window->Lock());
	EXPECT_TRUE(left->IsFocus());
	EXPECT_EQ(right->keys, "a");
	window->Unlock();

	// A resize by the user lays the views out and reaches FrameResized.
	DisplayEvent resize;
	resize.type = BPrivate::kDisplayResized;
	resize.frame = BRect(0, 0, 299, 149);
	offscreen->Inject(resize);
	ASSERT_TRUE(wait_until(window, [&] { return window->resizedTo == BPoint(299, 149); }));
	ASSERT_TRUE(window->Lock());
	EXPECT_EQ(right->Frame(), BRect(100, 0, 299, 99));
	window->Unlock();

	// Closing asks QuitRequested; this window refuses once, then agrees.
	DisplayEvent close;
	close.type = BPrivate::kDisplayCloseRequested;
	offscreen->Inject(close);
	ASSERT_TRUE(wait_until(window, [&] { return window->quitRequests == 1; }));
	ASSERT_TRUE(window->Lock());
	window->allowQuit = true;
	window->Unlock();
	thread_id thread = window->Thread();
	offscreen->Inject(close);
	// The views write their log until the window's thread has deleted the window.
	EXPECT_EQ(wait_for_thread(thread, NULL), B_OK);
	EXPECT_EQ(offscreen_window("Input"), nullptr);
	EXPECT_EQ(log.back(), "detached right");
}
