// Views' input on the offscreen display: dragging a message to a view of this or another
// window, the pointer's history in GetMouse(), event masks and rectangle tracking.
#include <Bitmap.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "OffscreenWindowTest.h"
#include "WaitFor.h"

using BPrivate::kDisplayMouseDown;
using BPrivate::kDisplayMouseMoved;
using BPrivate::kDisplayMouseUp;

namespace {

const uint32 kColorDrop = 'cDrp';

// Starts a drag on a press; keeps what is dropped on it.
class DragView : public BView {
public:
	DragView(BRect frame, const char* name, bool withImage)
		:
		BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW),
		fWithImage(withImage)
	{
	}

	void MouseDown(BPoint where) override
	{
		BMessage message(kColorDrop);
		message.AddInt32("color", 0x336699);
		if (fWithImage) {
			BBitmap* image = new BBitmap(BRect(0, 0, 15, 15), B_RGBA32);
			DragMessage(&message, image, BPoint(8, 8));
		} else
			DragMessage(&message, BRect(where.x - 5, where.y - 5, where.x + 5, where.y + 5));
	}

	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragged) override
	{
		if (dragged != NULL && dragged->what == kColorDrop)
			draggedOver++;
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->WasDropped()) {
			std::lock_guard<std::mutex> locker(lock);
			dropped = *message;
			dropPoint = message->DropPoint(&dropOffset);
			drops++;
			return;
		}
		BView::MessageReceived(message);
	}

	const bool fWithImage;
	std::mutex lock;
	BMessage dropped;
	BPoint dropPoint;
	BPoint dropOffset;
	std::atomic<int> drops{0};
	std::atomic<int> draggedOver{0};
};


class DragWindow : public BWindow {
public:
	DragWindow(const char* title, BRect frame, bool withImage = false)
		:
		BWindow(frame, title, B_TITLED_WINDOW, 0)
	{
		source = new DragView(BRect(0, 0, 49, 49), "source", withImage);
		target = new DragView(BRect(60, 0, 99, 49), "target", withImage);
		AddChild(source);
		AddChild(target);
	}

	explicit DragWindow(const char* title)
		:
		DragWindow(title, BRect(100, 100, 199, 149))
	{
	}

	DragView* source;
	DragView* target;
};


// Hears every pointer event once it asked to.
class ListeningView : public BView {
public:
	explicit ListeningView(BRect frame)
		:
		BView(frame, "listener", B_FOLLOW_NONE, 0)
	{
	}

	void MouseDown(BPoint where) override { downs++; }
	void MouseUp(BPoint where) override { ups++; }
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragged) override
	{
		moves++;
		lastWhere = where;
	}
	void KeyDown(const char* bytes, int32 numBytes) override { keys++; }

	std::atomic<int> downs{0};
	std::atomic<int> ups{0};
	std::atomic<int> moves{0};
	std::atomic<int> keys{0};
	BPoint lastWhere;
};

} // namespace


class DragAndDropTest : public OffscreenWindowTest<DragWindow> {
};


TEST_F(DragAndDropTest, DropReachesTheViewUnderThePointer)
{
	Open(TestName());
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(10, 10), 0);
	inject_mouse(fOffscreen, kDisplayMouseDown, BPoint(10, 10), B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(70, 20), B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, kDisplayMouseUp, BPoint(70, 20), 0);

	DragView* target = fWindow->target;
	ASSERT_TRUE(wait_for([&] { return target->drops == 1; }));
	EXPECT_GE(target->draggedOver, 1);
	EXPECT_EQ(fWindow->source->drops, 0);
	std::lock_guard<std::mutex> locker(target->lock);
	EXPECT_EQ(target->dropped.what, kColorDrop);
	int32 color = 0;
	EXPECT_EQ(target->dropped.FindInt32("color", &color), B_OK);
	EXPECT_EQ(color, 0x336699);
	// The drop point is on the screen; the offset is where the rectangle was held.
	EXPECT_EQ(target->dropPoint, BPoint(170, 120));
	EXPECT_EQ(target->dropOffset, BPoint(5, 5));
}


TEST_F(DragAndDropTest, DropReachesAnotherWindowAndItsImageFollows)
{
	fWindow = new DragWindow(TestName(), BRect(100, 100, 199, 149), true);
	ShowWindow();
	DragWindow* other = new DragWindow("DragAndDropTest other", BRect(300, 100, 399, 149));
	other->Show();

	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(10, 10), 0);
	inject_mouse(fOffscreen, kDisplayMouseDown, BPoint(10, 10), B_PRIMARY_MOUSE_BUTTON);
	// The drag's image is a popup that follows the pointer.
	BPrivate::OffscreenDisplay* display = (BPrivate::OffscreenDisplay*)
		BPrivate::Display::Default();
	auto image = [&]() -> BPrivate::OffscreenWindow* {
		for (BPrivate::OffscreenWindow* window : display->Windows()) {
			if (window->IsPopup() && window->IsVisible())
				return window;
		}
		return NULL;
	};
	ASSERT_TRUE(wait_for([&] { return image() != NULL; }));
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(270, 20), B_PRIMARY_MOUSE_BUTTON);
	ASSERT_TRUE(wait_for([&] {
		BPrivate::OffscreenWindow* shown = image();
		return shown != NULL && shown->Frame().LeftTop() == BPoint(362, 112);
	}));
	EXPECT_TRUE(fOffscreen->HoldsPointer());
	inject_mouse(fOffscreen, kDisplayMouseUp, BPoint(270, 20), 0);

	ASSERT_TRUE(wait_for([&] { return other->target->drops == 1; }));
	EXPECT_EQ(fWindow->target->drops, 0);
	EXPECT_TRUE(wait_for([&] { return image() == NULL; }));
	EXPECT_FALSE(fOffscreen->HoldsPointer());
	{
		std::lock_guard<std::mutex> locker(other->target->lock);
		EXPECT_EQ(other->target->dropPoint, BPoint(370, 120));
		EXPECT_EQ(other->target->dropOffset, BPoint(8, 8));
	}
	ASSERT_TRUE(other->Lock());
	other->Quit();
}


TEST_F(DragAndDropTest, DropOnTheDesktopGoesNowhere)
{
	Open(TestName());
	inject_mouse(fOffscreen, kDisplayMouseDown, BPoint(10, 10), B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, kDisplayMouseUp, BPoint(900, 900), 0);
	ASSERT_TRUE(wait_for_queue(fWindow));
	EXPECT_EQ(fWindow->source->drops + fWindow->target->drops, 0);
	// No drag is left over: the pointer is free, and moving over a view carries nothing.
	EXPECT_FALSE(fOffscreen->HoldsPointer());
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(70, 10), 0);
	ASSERT_TRUE(wait_for_queue(fWindow));
	EXPECT_EQ(fWindow->target->draggedOver, 0);
}


TEST_F(DragAndDropTest, GetMouseHandsOutThePathInOrder)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	// The window's thread is held: the positions wait as history.
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(1, 2), 0);
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(3, 4), B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(70, 6), 0);
	BPoint where;
	uint32 buttons;
	fWindow->target->GetMouse(&where, &buttons);
	EXPECT_EQ(where, BPoint(-59, 2));
	fWindow->source->GetMouse(&where, &buttons);
	EXPECT_EQ(where, BPoint(3, 4));
	EXPECT_EQ(buttons, (uint32)B_PRIMARY_MOUSE_BUTTON);
	fWindow->source->GetMouse(&where, &buttons);
	EXPECT_EQ(where, BPoint(70, 6));
	// Without history, and once it is spent, the latest position.
	fWindow->source->GetMouse(&where, &buttons);
	EXPECT_EQ(where, BPoint(70, 6));
	EXPECT_EQ(buttons, 0u);
	fWindow->Unlock();
}


TEST_F(DragAndDropTest, EventMasksBringEventsFromOutsideTheView)
{
	Open(TestName());
	ListeningView* listener = new ListeningView(BRect(0, 60, 9, 69));
	ASSERT_TRUE(fWindow->Lock());
	fWindow->AddChild(listener);
	EXPECT_EQ(listener->SetEventMask(B_KEYBOARD_EVENTS), B_OK);
	EXPECT_EQ(listener->SetEventMask(0x100), B_BAD_VALUE);
	EXPECT_EQ(listener->SetMouseEventMask(B_POINTER_EVENTS), B_OK);
	fWindow->Unlock();
	EXPECT_TRUE(fOffscreen->HoldsPointer());

	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(-20, 30), B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, kDisplayMouseUp, BPoint(-20, 30), 0);
	ASSERT_TRUE(wait_for([&] { return listener->ups == 1; }));
	EXPECT_EQ(listener->moves, 1);
	EXPECT_EQ(listener->lastWhere, BPoint(-20, -30));
	// The mask held until the buttons went up.
	EXPECT_FALSE(fOffscreen->HoldsPointer());
	inject_mouse(fOffscreen, kDisplayMouseMoved, BPoint(30, 30), 0);
	inject_key(fOffscreen, 'x');
	ASSERT_TRUE(wait_for([&] { return listener->keys == 1; }));
	EXPECT_EQ(listener->moves, 1);
}


TEST_F(DragAndDropTest, RectTrackingShowsAnOutlineUntilEnded)
{
	Open(TestName());
	BPrivate::OffscreenDisplay* display = (BPrivate::OffscreenDisplay*)
		BPrivate::Display::Default();
	auto edges = [&] {
		int count = 0;
		for (BPrivate::OffscreenWindow* window : display->Windows())
			count += window->IsPopup() && window->IsVisible();
		return count;
	};
	ASSERT_TRUE(fWindow->Lock());
	fWindow->source->BeginRectTracking(BRect(0, 0, 19, 9), B_TRACK_RECT_CORNER);
	EXPECT_EQ(edges(), 4);
	fWindow->Unlock();
	ASSERT_TRUE(fWindow->Lock());
	fWindow->source->EndRectTracking();
	EXPECT_EQ(edges(), 0);
	fWindow->Unlock();
}
