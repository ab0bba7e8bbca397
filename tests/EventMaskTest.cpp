// The options of a view's event masks on the offscreen display: the focus view's keys
// suspended, the window's activation held while the mask is in effect, and the pointer's
// history given or not; EventMask() says what was set and unknown bits are refused.
#include <AppDefs.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "OffscreenWindowTest.h"
#include "WaitFor.h"
#include "display/Display.h"

namespace {

// Records the keys and the pointer's moves it hears; a press sets its mouse event mask
// with the options it was given.
class ListeningView : public BView {
public:
	ListeningView(BRect frame, const char* name, uint32 mouseOptions = 0)
		:
		BView(frame, name, B_FOLLOW_NONE, 0),
		fMouseOptions(mouseOptions)
	{
	}

	void KeyDown(const char* bytes, int32 numBytes) override { fKeys += bytes; }

	void MouseDown(BPoint where) override
	{
		SetMouseEventMask(B_POINTER_EVENTS, fMouseOptions);
	}

	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag) override
	{
		fMoves++;
		fLastMove = where;
	}

	uint32 fMouseOptions;
	std::string fKeys;
	std::atomic<int> fMoves{0};
	BPoint fLastMove;
};


class ActivationWindow : public BWindow {
public:
	ActivationWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 299), title, B_TITLED_WINDOW, 0)
	{
	}

	void WindowActivated(bool active) override
	{
		fDeactivations += active ? 0 : 1;
	}

	std::atomic<int> fDeactivations{0};
};


class EventMaskTest : public OffscreenWindowTest<> {
protected:
	// Posts an activation change as the display does, and waits until it is handled.
	void Activate(bool active)
	{
		BMessage message(B_WINDOW_ACTIVATED);
		message.AddBool("active", active);
		fWindow->PostMessage(&message);
		ASSERT_TRUE(wait_for_queue(fWindow));
	}

	template<class F>
	void Locked(F function)
	{
		ASSERT_TRUE(fWindow->Lock());
		function();
		fWindow->Unlock();
	}
};

} // namespace


TEST_F(EventMaskTest, EventMaskSaysWhatWasSetAndUnknownBitsAreRefused)
{
	BView view(BRect(0, 0, 9, 9), "view", B_FOLLOW_NONE, 0);
	EXPECT_EQ(view.SetEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY | B_LOCK_WINDOW_FOCUS),
		B_OK);
	EXPECT_EQ(view.EventMask(), (uint32)B_POINTER_EVENTS);
	EXPECT_EQ(view.SetEventMask(B_KEYBOARD_EVENTS, 0x100), B_BAD_VALUE);
	EXPECT_EQ(view.SetEventMask(0x10), B_BAD_VALUE);
	EXPECT_EQ(view.EventMask(), (uint32)B_POINTER_EVENTS);
	// A mouse event mask needs a window.
	EXPECT_EQ(view.SetMouseEventMask(B_POINTER_EVENTS), B_ERROR);
}


TEST_F(EventMaskTest, SuspendingTheViewFocusKeepsKeysFromTheFocusView)
{
	fWindow = new BWindow(BRect(100, 100, 399, 299), TestName(), B_TITLED_WINDOW, 0);
	ListeningView* focus = new ListeningView(BRect(0, 0, 99, 99), "focus");
	ListeningView* listener = new ListeningView(BRect(150, 0, 249, 99), "listener",
		B_SUSPEND_VIEW_FOCUS);
	fWindow->AddChild(focus);
	fWindow->AddChild(listener);
	focus->MakeFocus(true);
	listener->SetEventMask(B_KEYBOARD_EVENTS, B_SUSPEND_VIEW_FOCUS);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	fWindow->Unlock();

	inject_key(fOffscreen, 'a');
	ASSERT_TRUE(wait_for_queue(fWindow));
	Locked([&] {
		EXPECT_EQ(listener->fKeys, "a");
		EXPECT_EQ(focus->fKeys, "");
		listener->SetEventMask(B_KEYBOARD_EVENTS);
	});
	inject_key(fOffscreen, 'b');
	ASSERT_TRUE(wait_for_queue(fWindow));
	Locked([&] {
		EXPECT_EQ(listener->fKeys, "ab");
		EXPECT_EQ(focus->fKeys, "b");
		listener->SetEventMask(0);
	});

	// A mouse event mask suspends the focus until the buttons go up.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(200, 50), 1);
	inject_key(fOffscreen, 'c');
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(200, 50), 0);
	inject_key(fOffscreen, 'd');
	ASSERT_TRUE(wait_for_queue(fWindow));
	Locked([&] { EXPECT_EQ(focus->fKeys, "bd"); });
	fWindow->Lock();
}


TEST_F(EventMaskTest, LockingTheWindowFocusHoldsADeactivationUntilTheMaskEnds)
{
	ActivationWindow* window = new ActivationWindow(TestName());
	fWindow = window;
	ListeningView* view = new ListeningView(BRect(0, 0, 99, 99), "locker",
		B_LOCK_WINDOW_FOCUS);
	fWindow->AddChild(view);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	fWindow->Unlock();
	ASSERT_NO_FATAL_FAILURE(Activate(true));
	ASSERT_TRUE(window->IsActive());

	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(50, 50), 1);
	ASSERT_NO_FATAL_FAILURE(Activate(false));
	EXPECT_TRUE(window->IsActive());
	EXPECT_EQ(window->fDeactivations, 0);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(50, 50), 0);
	ASSERT_TRUE(wait_for_queue(fWindow));
	EXPECT_FALSE(window->IsActive());
	EXPECT_EQ(window->fDeactivations, 1);

	// Activated again while the deactivation waited, the window stays active.
	ASSERT_NO_FATAL_FAILURE(Activate(true));
	Locked([&] { view->SetEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS); });
	ASSERT_NO_FATAL_FAILURE(Activate(false));
	ASSERT_NO_FATAL_FAILURE(Activate(true));
	Locked([&] { view->SetEventMask(0); });
	ASSERT_NO_FATAL_FAILURE(Activate(true));
	EXPECT_TRUE(window->IsActive());
	EXPECT_EQ(window->fDeactivations, 1);
	fWindow->Lock();
}


TEST_F(EventMaskTest, WithoutPointerHistoryAViewHearsOnlyTheLatestOfTheMovesWaiting)
{
	fWindow = new BWindow(BRect(100, 100, 399, 299), TestName(), B_TITLED_WINDOW, 0);
	ListeningView* every = new ListeningView(BRect(200, 0, 219, 19), "every");
	ListeningView* latest = new ListeningView(BRect(200, 30, 219, 49), "latest");
	ListeningView* full = new ListeningView(BRect(200, 60, 219, 79), "full");
	fWindow->AddChild(every);
	fWindow->AddChild(latest);
	fWindow->AddChild(full);
	every->SetEventMask(B_POINTER_EVENTS);
	latest->SetEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	full->SetEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY | B_FULL_POINTER_HISTORY);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	// What showing the window sent is handled and not counted.
	fWindow->Unlock();
	ASSERT_TRUE(wait_for_queue(fWindow));
	fWindow->Lock();
	every->fMoves = latest->fMoves = full->fMoves = 0;

	// The window is busy (locked here) while the pointer moves five times.
	for (int i = 1; i <= 5; i++)
		inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(10 * i, 150), 0);
	fWindow->Unlock();
	ASSERT_TRUE(wait_for_queue(fWindow));
	Locked([&] {
		EXPECT_EQ(every->fMoves, 5);
		EXPECT_EQ(full->fMoves, 5);
		EXPECT_EQ(latest->fMoves, 1);
		EXPECT_EQ(latest->fLastMove, BPoint(50 - 200, 150 - 30));
	});
	fWindow->Lock();
}
