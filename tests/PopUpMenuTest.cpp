// Pop-up menus on the offscreen display: Go() synchronously from the window's own thread
// (press-drag-release and click, click) and from another thread, asynchronously with the
// item's message, and a pop-up near the bottom of a small window, which shows all its
// items in a popup of its own beyond the window's edge.
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

using BPrivate::OffscreenWindow;

namespace {

const uint32 kChosen = 'chsn';
const uint32 kPing = 'ping';


BPopUpMenu*
make_menu(const char* name, int32 count)
{
	BPopUpMenu* menu = new BPopUpMenu(name);
	for (int32 i = 0; i < count; i++) {
		std::string label = "Choice " + std::to_string(i);
		BMessage* message = new BMessage(kChosen);
		message->AddInt32("choice", i);
		menu->AddItem(new BMenuItem(label.c_str(), message));
	}
	return menu;
}


// A view that opens its pop-up menu where it is pressed.
class Opener : public BView {
public:
	Opener(BRect frame, BPopUpMenu* menu, bool async)
		:
		BView(frame, "opener", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
		fMenu(menu),
		fAsync(async),
		fOwnsMenu(!async || !menu->AsyncAutoDestruct())
	{
	}

	~Opener() override
	{
		if (fOwnsMenu)
			delete fMenu;
	}

	void MouseDown(BPoint where) override
	{
		opened++;
		BMenuItem* item = fMenu->Go(ConvertToScreen(where), fAsync, false, fAsync);
		chosen = item != NULL ? item->Label() : "(none)";
		returned++;
	}

	BPopUpMenu* fMenu;
	bool fAsync;
	// A menu that deletes itself once closed is gone by the time the view is.
	bool fOwnsMenu;
	int opened = 0;
	int returned = 0;
	std::string chosen;
};


class PopUpWindow : public BWindow {
public:
	PopUpWindow(const char* title, BRect frame, BPopUpMenu* menu, bool async)
		:
		BWindow(frame, title, B_TITLED_WINDOW, 0)
	{
		fOpener = new Opener(Bounds(), menu, async);
		AddChild(fOpener);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kChosen) {
			message->FindInt32("choice", &delivered);
			return;
		}
		if (message->what == kPing) {
			pings++;
			return;
		}
		BWindow::MessageReceived(message);
	}

	Opener* fOpener;
	int32 delivered = -1;
	int pings = 0;
};


class PopUpMenuTest : public OffscreenWindowTest<PopUpWindow> {
protected:
	void Open(const char* title, BRect frame, BPopUpMenu* menu, bool async = false)
	{
		fMenu = menu;
		fWindow = new PopUpWindow(title, frame, menu, async);
		ShowWindow();
	}

	// The popup that shows the menu, once it shows.
	OffscreenWindow* Popup()
	{
		OffscreenWindow* popup = nullptr;
		wait_until(fWindow, [&] {
			popup = offscreen_window(fMenu->Name());
			return popup != nullptr && popup->IsPopup();
		});
		return popup;
	}

	// The middle of an item in the popup's own coordinates.
	BPoint ItemMiddle(int32 index)
	{
		BPoint middle;
		wait_until(fWindow, [&] {
			BRect frame = fMenu->ItemAt(index)->Frame();
			middle = BPoint(floorf((frame.left + frame.right) / 2),
				floorf((frame.top + frame.bottom) / 2));
			return true;
		});
		return middle;
	}

	BPopUpMenu* fMenu = nullptr;
};

} // namespace


TEST_F(PopUpMenuTest, GoOnTheWindowsThreadReturnsTheClickedItemWhileTheWindowGoesOn)
{
	Open("Pop-up click", BRect(100, 100, 399, 299), make_menu("click menu", 4));
	inject_click(fOffscreen, BPoint(20, 20));
	OffscreenWindow* popup = Popup();
	ASSERT_NE(popup, nullptr);

	// The window keeps handling its messages while Go() waits, and other threads may
	// lock it.
	fWindow->PostMessage(kPing);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->pings == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fOpener->returned, 0);
		// The menu's top left corner is where the press was.
		EXPECT_EQ(popup->Frame().LeftTop(), BPoint(120, 120));
		return true;
	});

	inject_click(popup, ItemMiddle(2));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fOpener->returned == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fOpener->chosen, "Choice 2");
		// Synchronously the item does not send its message, but radio mode marks it.
		EXPECT_EQ(fWindow->delivered, -1);
		EXPECT_TRUE(fMenu->ItemAt(2)->IsMarked());
		EXPECT_EQ(offscreen_window(fMenu->Name()), nullptr);
		return true;
	});
}


TEST_F(PopUpMenuTest, PressDragReleaseChoosesAndAClickOutsideReturnsNothing)
{
	Open("Pop-up drag", BRect(100, 100, 399, 299), make_menu("drag menu", 4));
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(30, 30), 1);
	ASSERT_NE(Popup(), nullptr);
	// Window coordinates: the menu's corner is at the press.
	BPoint item = ItemMiddle(1) + BPoint(30, 30);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, item, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, item, 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fOpener->returned == 1; }));
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fOpener->chosen, "Choice 1"); return true; });

	// A click without a drag leaves the menu open; a click outside it closes it.
	inject_click(fOffscreen, BPoint(30, 30));
	ASSERT_NE(Popup(), nullptr);
	inject_click(fOffscreen, BPoint(280, 180));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fOpener->returned == 2; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fOpener->chosen, "(none)");
		EXPECT_EQ(fWindow->fOpener->opened, 2);
		return true;
	});
}


TEST_F(PopUpMenuTest, GoFromAnotherThreadWaitsWithTheWindowUnlocked)
{
	Open("Pop-up thread", BRect(100, 100, 399, 299), make_menu("thread menu", 3));
	wait_for_queue(fWindow);
	std::string chosen;
	std::thread caller([&] {
		BMenuItem* item = fMenu->Go(BPoint(150, 150));
		chosen = item != NULL ? item->Label() : "(none)";
	});
	OffscreenWindow* popup = Popup();
	ASSERT_NE(popup, nullptr);
	inject_click(popup, ItemMiddle(0));
	caller.join();
	EXPECT_EQ(chosen, "Choice 0");
}


TEST_F(PopUpMenuTest, AsynchronousGoReturnsAtOnceAndTheItemSendsItsMessage)
{
	BPopUpMenu* menu = make_menu("async menu", 3);
	menu->SetAsyncAutoDestruct(true);
	Open("Pop-up async", BRect(100, 100, 399, 299), menu, true);
	inject_click(fOffscreen, BPoint(40, 40));
	OffscreenWindow* popup = Popup();
	ASSERT_NE(popup, nullptr);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fOpener->returned, 1);
		EXPECT_EQ(fWindow->fOpener->chosen, "(none)");
		return true;
	});
	inject_click(popup, ItemMiddle(1));
	// The menu deleted itself once closed: the window only hears the message.
	EXPECT_TRUE(wait_until(fWindow, [&] { return fWindow->delivered == 1; }));
}


TEST_F(PopUpMenuTest, APopUpNearTheBottomOfASmallWindowShowsAllItsItemsBelowIt)
{
	Open("Pop-up small", BRect(300, 300, 499, 359), make_menu("long menu", 12));
	inject_click(fOffscreen, BPoint(10, 50));
	OffscreenWindow* popup = Popup();
	ASSERT_NE(popup, nullptr);

	BRect frame = popup->Frame();
	float height = 0;
	wait_until(fWindow, [&] {
		height = fMenu->Bounds().Height();
		return true;
	});
	// Every item fits in the popup, which reaches far past the window's bottom.
	EXPECT_EQ(frame.LeftTop(), BPoint(310, 350));
	EXPECT_EQ(frame.Height(), height);
	EXPECT_GT(frame.bottom, fOffscreen->Frame().bottom + 100);

	// The last item is drawn: its row holds text-coloured pixels.
	BPoint last = ItemMiddle(11);
	ASSERT_TRUE(wait_until(fWindow, [&] { return popup->Presentations() > 0; }));
	bool ink = false;
	rgb_color background = ui_color(B_MENU_BACKGROUND_COLOR);
	for (int32 x = 2; x < frame.Width() - 2 && !ink; x++) {
		for (int32 dy = -3; dy <= 3 && !ink; dy++)
			ink = popup->PixelAt(x, (int32)last.y + dy) != background;
	}
	EXPECT_TRUE(ink);
	SaveScreenshot("popup-small-window.png", popup);

	// An item outside the window's bounds is chosen by a click on it.
	inject_click(popup, last);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fOpener->returned == 1; }));
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fOpener->chosen, "Choice 11"); return true; });
}


namespace {

// Opens 40 pixels right of and 20 below where it is asked to.
class OffsetMenu : public BPopUpMenu {
public:
	using BPopUpMenu::BPopUpMenu;

	BPoint ScreenLocation() override
	{
		return BPopUpMenu::ScreenLocation() + BPoint(40, 20);
	}
};

} // namespace


TEST_F(PopUpMenuTest, ASubclassChoosesWhereTheMenuOpens)
{
	OffsetMenu* menu = new OffsetMenu("offset menu");
	menu->AddItem(new BMenuItem("Only", new BMessage(kChosen)));
	Open("Pop-up location", BRect(100, 100, 399, 299), menu, true);
	inject_click(fOffscreen, BPoint(10, 30));
	OffscreenWindow* popup = Popup();
	ASSERT_NE(popup, nullptr);
	EXPECT_EQ(popup->Frame().LeftTop(), BPoint(100 + 10 + 40, 100 + 30 + 20));
	inject_key(popup, B_ESCAPE);
	EXPECT_TRUE(wait_until(fWindow, [&] { return menu->Window() == NULL; }));
}
