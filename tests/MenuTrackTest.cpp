// BMenu::Track: a menu among a window's views followed in place (press, drag and
// release; a sticky click), a menu in no window opened as a pop-up where the pointer is,
// and a tracking hook that ends the tracking. The chosen item is returned, not invoked.
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

using BPrivate::OffscreenWindow;

namespace {

const uint32 kChosen = 'chsn';
const uint32 kTrack = 'trak';
const uint32 kTrackPopUp = 'trkp';


// Track() and SetTrackingHook() are for subclasses.
class TrackedMenu : public BMenu {
public:
	explicit TrackedMenu(const char* name) : BMenu(name) {}

	using BMenu::SetTrackingHook;
	using BMenu::Track;
};


TrackedMenu*
make_menu(const char* name)
{
	TrackedMenu* menu = new TrackedMenu(name);
	for (int32 i = 0; i < 3; i++) {
		BMessage* message = new BMessage(kChosen);
		message->AddInt32("choice", i);
		menu->AddItem(new BMenuItem(("Item " + std::to_string(i)).c_str(), message));
	}
	return menu;
}


class TrackWindow : public BWindow {
public:
	explicit TrackWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 299), title, B_TITLED_WINDOW, 0)
	{
		fMenu = make_menu("in place");
		fMenu->MoveTo(10, 10);
		AddChild(fMenu);
		fLoose = make_menu("loose menu");
	}

	~TrackWindow() override { delete fLoose; }

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kTrack:
			case kTrackPopUp:
			{
				tracking = true;
				TrackedMenu* menu = message->what == kTrack ? fMenu : fLoose;
				BMenuItem* item = menu->Track(message->FindBool("sticky"));
				chosen = item != NULL ? item->Label() : "(none)";
				returned++;
				break;
			}
			case kChosen:
				message->FindInt32("choice", &delivered);
				break;
			default:
				BWindow::MessageReceived(message);
		}
	}

	TrackedMenu* fMenu;
	TrackedMenu* fLoose;
	std::atomic<bool> tracking = false;
	std::atomic<int> returned = 0;
	std::string chosen;
	int32 delivered = -1;
};


class MenuTrackTest : public OffscreenWindowTest<TrackWindow> {
protected:
	// The middle of the in-place menu's item, in window coordinates.
	BPoint ItemMiddle(int32 index)
	{
		BPoint middle;
		wait_until(fWindow, [&] {
			BRect frame = fWindow->fMenu->ConvertToParent(
				fWindow->fMenu->ItemAt(index)->Frame());
			middle = BPoint(floorf((frame.left + frame.right) / 2),
				floorf((frame.top + frame.bottom) / 2));
			return true;
		});
		return middle;
	}

	void StartTracking(uint32 what, bool sticky)
	{
		BMessage message(what);
		message.AddBool("sticky", sticky);
		fWindow->PostMessage(&message);
		ASSERT_TRUE(wait_for([&] { return fWindow->tracking.load(); }));
	}

	std::string Chosen()
	{
		EXPECT_TRUE(wait_for([&] { return fWindow->returned.load() == 1; }));
		std::string chosen;
		wait_until(fWindow, [&] {
			chosen = fWindow->chosen;
			// Track() only returns the item: its message is not sent.
			EXPECT_EQ(fWindow->delivered, -1);
			return true;
		});
		return chosen;
	}
};

} // namespace


TEST_F(MenuTrackTest, InPlaceAReleaseAfterADragChoosesTheItemUnderThePointer)
{
	Open(TestName());
	BPoint first = ItemMiddle(0);
	BPoint last = ItemMiddle(2);
	StartTracking(kTrack, false);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, first, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, last, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, last, 0);
	EXPECT_EQ(Chosen(), "Item 2");
}


TEST_F(MenuTrackTest, InPlaceAStickyMenuOutlivesAReleaseOffItsItemsAndAClickChooses)
{
	Open(TestName());
	BPoint item = ItemMiddle(1);
	// The press that opens the menu is down when the tracking starts.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(250, 150), 1);
	wait_for_queue(fWindow);
	StartTracking(kTrack, true);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(250, 150), 0);
	snooze(50000);
	EXPECT_EQ(fWindow->returned.load(), 0);
	inject_click(fOffscreen, item);
	EXPECT_EQ(Chosen(), "Item 1");

	// Any later click off the items ends the tracking without a choice.
	fWindow->tracking = false;
	fWindow->returned = 0;
	StartTracking(kTrack, false);
	inject_click(fOffscreen, BPoint(250, 150));
	EXPECT_EQ(Chosen(), "(none)");
}


namespace {

bool
stop_on_third_call(BMenu* menu, void* state)
{
	return ++*(int*)state >= 3;
}

} // namespace


TEST_F(MenuTrackTest, ATrackingHookThatSaysStopEndsTheTrackingWithoutAChoice)
{
	Open(TestName());
	int calls = 0;
	wait_until(fWindow, [&] {
		return fWindow->fMenu->SetTrackingHook(stop_on_third_call, &calls) == B_OK;
	});
	StartTracking(kTrack, false);
	EXPECT_EQ(Chosen(), "(none)");
	EXPECT_EQ(calls, 3);
}


TEST_F(MenuTrackTest, AMenuInNoWindowOpensAsAPopUpWhereThePointerIs)
{
	Open(TestName());
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(40, 60), 0);
	wait_for_queue(fWindow);
	StartTracking(kTrackPopUp, false);
	OffscreenWindow* popup = nullptr;
	ASSERT_TRUE(wait_for([&] {
		popup = offscreen_window("loose menu");
		return popup != nullptr && popup->IsVisible();
	}));
	EXPECT_EQ(popup->Frame().LeftTop(), BPoint(140, 160));
	BRect frame = popup->Frame();
	// The first item's middle, in the popup's coordinates.
	inject_click(popup, BPoint(frame.Width() / 2, 8));
	EXPECT_EQ(Chosen(), "Item 0");
}
