// Menus on the offscreen display: opening on a click, choosing with a click or a
// press-drag-release, closing on an outside click, shortcuts, marks, FindItem, layouts,
// and the menu scripting suite through the window's "MenuBar".
#include <AppDefs.h>
#include <List.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <math.h>
#include <memory>
#include <string.h>
#include <string>
#include <vector>

#include "MessageFields.h"
#include "OffscreenWindowTest.h"

namespace {

class MenuWindow : public BWindow {
public:
	explicit MenuWindow(const char* title)
		:
		BWindow(BRect(100, 100, 499, 399), title, B_TITLED_WINDOW, 0)
	{
		fBar = new BMenuBar(BRect(0, 0, 399, 10), "MainMenu");
		fMenu = new BMenu("Vane");
		fLaunch = new BMenuItem("Watch Application Launch", new BMessage('WLau'));
		fLaunch->SetMarked(true);
		fMenu->AddItem(fLaunch);
		fMenu->AddItem(new BMenuItem("Watch Application Quit", new BMessage('WQui')));
		fMenu->AddSeparatorItem();
		BMenu* more = new BMenu("More");
		more->AddItem(new BMenuItem("Deeper", new BMessage('deep')));
		fMenu->AddItem(more);
		fMenu->AddSeparatorItem();
		fMenu->AddItem(new BMenuItem("Quit", new BMessage('quit'), 'Q'));
		fBar->AddItem(fMenu);
		fBar->AddItem(new BMenu("Other"));
		AddChild(fBar);
		fUnder = new Spot(BRect(100, 150, 300, 250));
		AddChild(fUnder);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'WLau' || message->what == 'WQui' || message->what == 'deep'
			|| message->what == 'quit') {
			received.push_back(message->what);
			message->FindInt32("index", &lastIndex);
			message->FindPointer("source", &lastSource);
			return;
		}
		BWindow::MessageReceived(message);
	}

	void MenusBeginning() override { beginnings++; }
	void MenusEnded() override { endings++; }

	// Window coordinates of the middle of an item, in whatever menu shows it.
	BPoint Middle(BMenuItem* item)
	{
		BRect frame = item->Menu()->ConvertToScreen(item->Frame());
		BPoint middle((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
		return middle - Frame().LeftTop();
	}

	class Spot : public BView {
	public:
		explicit Spot(BRect frame) : BView(frame, "spot", B_FOLLOW_NONE, B_WILL_DRAW) {}
		void MouseDown(BPoint where) override { downs++; }
		int downs = 0;
	};

	BMenuBar* fBar;
	BMenu* fMenu;
	BMenuItem* fLaunch;
	Spot* fUnder;
	std::vector<uint32> received;
	int32 lastIndex = -1;
	void* lastSource = nullptr;
	int beginnings = 0;
	int endings = 0;
};


class MenuTest : public OffscreenWindowTest<MenuWindow> {
protected:
	BPoint TitleMiddle(int32 index)
	{
		BPoint middle;
		wait_until(fWindow, [&] {
			middle = fWindow->Middle(fWindow->fBar->ItemAt(index));
			return true;
		});
		return middle;
	}

	bool MenuIsOpen() { return fWindow->fMenu->Window() != NULL; }
};

} // namespace


TEST_F(MenuTest, AClickOpensTheMenuAndAClickOnAnItemSendsItsMessageToTheWindow)
{
	Open("Menu click");
	inject_click(fOffscreen, TitleMiddle(0));
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));

	BPoint item;
	wait_until(fWindow, [&] { item = fWindow->Middle(fWindow->fMenu->ItemAt(1)); return true; });
	inject_click(fOffscreen, item);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[0], (uint32)'WQui');
		EXPECT_EQ(fWindow->lastIndex, 1);
		EXPECT_EQ(fWindow->lastSource, fWindow->fMenu->ItemAt(1));
		EXPECT_FALSE(MenuIsOpen());
		EXPECT_EQ(fWindow->beginnings, 1);
		EXPECT_EQ(fWindow->endings, 1);
		// The layer is gone: the window has its own views only.
		EXPECT_EQ(fWindow->CountChildren(), 2);
		return true;
	});
}


TEST_F(MenuTest, AnOutsideClickClosesTheMenuAndReachesNothingElse)
{
	Open("Menu outside");
	inject_click(fOffscreen, TitleMiddle(0));
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	inject_click(fOffscreen, BPoint(250, 240));
	ASSERT_TRUE(wait_until(fWindow, [&] { return !MenuIsOpen(); }));
	wait_until(fWindow, [&] {
		EXPECT_TRUE(fWindow->received.empty());
		EXPECT_EQ(fWindow->fUnder->downs, 0);
		EXPECT_EQ(fWindow->fBar->ItemAt(0)->IsSelected(), false);
		return true;
	});

	// Closed, the same spot takes clicks again.
	inject_click(fOffscreen, BPoint(250, 240));
	EXPECT_TRUE(wait_until(fWindow, [&] { return fWindow->fUnder->downs == 1; }));
}


TEST_F(MenuTest, PressDragReleaseChoosesAndEscapeCloses)
{
	Open("Menu drag");
	BPoint title = TitleMiddle(0);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, title, 1);
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	BPoint item;
	wait_until(fWindow, [&] { item = fWindow->Middle(fWindow->fLaunch); return true; });
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, item, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, item, 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[0], (uint32)'WLau');
		EXPECT_FALSE(MenuIsOpen());
		return true;
	});

	// A release over the title keeps the menu open; Escape closes it.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, title, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, title, 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	inject_key(fOffscreen, "\x1b");
	EXPECT_TRUE(wait_until(fWindow, [&] { return !MenuIsOpen(); }));
}


TEST_F(MenuTest, TheMenuClosesWhenItsWindowIsNoLongerActive)
{
	Open("Menu deactivated");
	inject_click(fOffscreen, TitleMiddle(0));
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	BPrivate::DisplayEvent event;
	event.type = BPrivate::kDisplayActivated;
	event.active = true;
	fOffscreen->Inject(event);
	event.active = false;
	fOffscreen->Inject(event);
	ASSERT_TRUE(wait_until(fWindow, [&] { return !MenuIsOpen(); }));
	wait_until(fWindow, [&] {
		EXPECT_TRUE(fWindow->received.empty());
		EXPECT_EQ(fWindow->endings, 1);
		return true;
	});

	// With one menu open, moving over another title opens that one instead.
	inject_click(fOffscreen, TitleMiddle(1));
	ASSERT_TRUE(wait_until(fWindow, [&] {
		return fWindow->fBar->SubmenuAt(1)->Window() != NULL; }));
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, TitleMiddle(0), 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fBar->SubmenuAt(1)->Window(), nullptr);
		return true;
	});
	// The window then quits with the menu open, and takes it down with it.
}


TEST_F(MenuTest, SubmenusOpenBesideTheirItem)
{
	Open("Menu submenu");
	inject_click(fOffscreen, TitleMiddle(0));
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	BMenu* more = fWindow->fMenu->SubmenuAt(3);
	BPoint item;
	wait_until(fWindow, [&] { item = fWindow->Middle(more->Superitem()); return true; });
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, item, 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return more->Window() != NULL; }));
	wait_until(fWindow, [&] {
		EXPECT_GE(more->Frame().left, fWindow->fMenu->Frame().right - 1);
		item = fWindow->Middle(more->ItemAt(0));
		return true;
	});
	inject_click(fOffscreen, item);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[0], (uint32)'deep');
		EXPECT_EQ(more->Window(), nullptr);
		EXPECT_FALSE(MenuIsOpen());
		return true;
	});
}


TEST_F(MenuTest, CommandShortcutsInvokeEnabledItems)
{
	Open("Menu shortcut");
	inject_key(fOffscreen, "q", B_COMMAND_KEY | B_LEFT_COMMAND_KEY);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[0], (uint32)'quit');
		fWindow->fMenu->FindItem('quit')->SetEnabled(false);
		return true;
	});
	// Disabled, the item swallows its shortcut: the window's own Command-Q does not run.
	inject_key(fOffscreen, "q", B_COMMAND_KEY);
	inject_key(fOffscreen, "q", B_COMMAND_KEY | B_SHIFT_KEY);
	snooze(50000);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received.size(), 1u);
		return true;
	});
}


TEST_F(MenuTest, TheBarSizesItselfToItsFontAndBecomesTheKeyMenuBar)
{
	Open("Menu bar");
	wait_until(fWindow, [&] {
		font_height height;
		fWindow->fBar->GetFontHeight(&height);
		EXPECT_EQ(fWindow->fBar->Frame().Height(), ceilf(height.ascent + height.descent) + 6);
		EXPECT_EQ(fWindow->fBar->Frame().Width(), 399);
		EXPECT_EQ(fWindow->KeyMenuBar(), fWindow->fBar);
		// Titles run left to right.
		BRect first = fWindow->fBar->ItemAt(0)->Frame();
		BRect second = fWindow->fBar->ItemAt(1)->Frame();
		EXPECT_EQ(second.left, first.right + 1);
		EXPECT_EQ(second.top, first.top);
		return true;
	});

	BWindow* big = new BWindow(BRect(0, 0, 300, 200), "Big bar", B_TITLED_WINDOW, 0);
	BMenuBar* bar = new BMenuBar(BRect(0, 0, 300, 10), "big");
	BFont font(be_plain_font);
	font.SetSize(24);
	bar->SetFont(&font);
	bar->AddItem(new BMenu("File"));
	big->AddChild(bar);
	font_height height;
	font.GetHeight(&height);
	EXPECT_EQ(bar->Frame().Height(), ceilf(height.ascent + height.descent) + 6);
	big->Quit();
	// A bar made without a size, as many applications make theirs, spans its window and
	// shows its items.
	BWindow* plain = new BWindow(BRect(0, 0, 250, 100), "Plain bar", B_TITLED_WINDOW, 0);
	BMenuBar* unsized = new BMenuBar(BRect(0, 0, 0, 0), "unsized");
	unsized->AddItem(new BMenu("File"));
	unsized->AddItem(new BMenu("Edit"));
	plain->AddChild(unsized);
	EXPECT_EQ(unsized->Frame().Width(), plain->Bounds().Width());
	EXPECT_GT(unsized->Frame().Height(), 0);
	EXPECT_TRUE(unsized->Bounds().Contains(unsized->ItemAt(1)->Frame()));
	plain->Quit();
}


TEST(MenuItemsTest, MarksFindItemAndColumns)
{
	BMenu menu("menu");
	BMenuItem* a = new BMenuItem("A", new BMessage('a'));
	BMenuItem* b = new BMenuItem("B", new BMessage('b'), 'B', B_SHIFT_KEY);
	BMenu* sub = new BMenu("Sub");
	BMenuItem* c = new BMenuItem("C", new BMessage('c'));
	sub->AddItem(c);
	EXPECT_TRUE(menu.AddItem(a));
	EXPECT_TRUE(menu.AddItem(b));
	EXPECT_TRUE(menu.AddItem(sub, 0));
	BMenuItem* late = new BMenuItem("late", NULL);
	EXPECT_FALSE(menu.AddItem(late, 9));
	delete late;
	EXPECT_FALSE(menu.AddItem(a));

	EXPECT_EQ(menu.IndexOf(sub), 0);
	EXPECT_EQ(menu.IndexOf(a), 1);
	EXPECT_EQ(sub->Supermenu(), &menu);
	EXPECT_EQ(sub->Superitem(), menu.ItemAt(0));
	EXPECT_STREQ(menu.ItemAt(0)->Label(), "Sub");
	EXPECT_EQ(c->Menu(), sub);

	// FindItem looks into submenus.
	EXPECT_EQ(menu.FindItem('c'), c);
	EXPECT_EQ(menu.FindItem("C"), c);
	EXPECT_EQ(menu.FindItem('b'), b);
	EXPECT_EQ(menu.FindItem("nothing"), nullptr);
	EXPECT_EQ(menu.FindItem('none'), nullptr);

	uint32 modifiers = 0;
	EXPECT_EQ(b->Shortcut(&modifiers), 'B');
	EXPECT_EQ(modifiers, (uint32)(B_SHIFT_KEY | B_COMMAND_KEY));

	EXPECT_EQ(menu.FindMarked(), nullptr);
	b->SetMarked(true);
	a->SetMarked(true);
	EXPECT_EQ(menu.FindMarked(), a);
	EXPECT_TRUE(b->IsMarked());
	menu.SetRadioMode(true);
	b->SetMarked(true);
	EXPECT_FALSE(a->IsMarked());
	EXPECT_EQ(menu.FindMarked(), b);

	// A disabled menu disables its items.
	sub->SetEnabled(false);
	EXPECT_FALSE(c->IsEnabled());
	EXPECT_FALSE(menu.ItemAt(0)->IsEnabled());

	// Columns stack their items, all as wide as the widest, inside a border.
	float width;
	float height;
	menu.GetPreferredSize(&width, &height);
	EXPECT_EQ(a->Frame().top, menu.ItemAt(0)->Frame().bottom + 1);
	EXPECT_EQ(a->Frame().Width(), b->Frame().Width());
	EXPECT_EQ(height, b->Frame().bottom + 1);
	EXPECT_EQ(width, b->Frame().right + 1);

	EXPECT_TRUE(menu.RemoveItem(a));
	EXPECT_EQ(a->Menu(), nullptr);
	EXPECT_EQ(menu.CountItems(), 2);
	delete a;
	EXPECT_TRUE(menu.RemoveItems(0, 2, true));
	EXPECT_EQ(menu.CountItems(), 0);
}


TEST_F(MenuTest, TheMenuSuiteAnswersThroughTheWindowsMenuBar)
{
	Open("Menu scripting");
	BMessenger window(fWindow);
	auto request = [&](uint32 what, std::vector<std::pair<const char*, const char*>> chain) {
		BMessage message(what);
		for (auto& [property, name] : chain) {
			if (name == nullptr)
				message.AddSpecifier(property);
			else
				message.AddSpecifier(property, name);
		}
		return message;
	};

	BMessage get = request(B_GET_PROPERTY, { { "Label", nullptr },
		{ "MenuItem", "Watch Application Launch" }, { "Menu", "Vane" },
		{ "MenuBar", nullptr } });
	BMessage reply;
	ASSERT_EQ(window.SendMessage(&get, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "Watch Application Launch");

	BMessage mark = request(B_GET_PROPERTY, { { "Mark", nullptr },
		{ "MenuItem", "Watch Application Launch" }, { "Menu", "Vane" },
		{ "MenuBar", nullptr } });
	ASSERT_EQ(window.SendMessage(&mark, &reply), B_OK);
	bool marked = false;
	EXPECT_EQ(reply.FindBool("result", &marked), B_OK);
	EXPECT_TRUE(marked);

	BMessage unmark = request(B_SET_PROPERTY, { { "Mark", nullptr },
		{ "MenuItem", "Watch Application Launch" }, { "Menu", "Vane" },
		{ "MenuBar", nullptr } });
	unmark.AddBool("data", false);
	ASSERT_EQ(window.SendMessage(&unmark, &reply), B_OK);
	EXPECT_TRUE(wait_until(fWindow, [&] { return !fWindow->fLaunch->IsMarked(); }));

	BMessage count = request(B_COUNT_PROPERTIES, { { "MenuItem", nullptr },
		{ "Menu", "Vane" }, { "MenuBar", nullptr } });
	ASSERT_EQ(window.SendMessage(&count, &reply), B_OK);
	int32 items = 0;
	EXPECT_EQ(reply.FindInt32("result", &items), B_OK);
	EXPECT_EQ(items, 6);

	BMessage execute = request(B_EXECUTE_PROPERTY, { { "MenuItem", "Quit" },
		{ "Menu", "Vane" }, { "MenuBar", nullptr } });
	ASSERT_EQ(window.SendMessage(&execute, &reply), B_OK);
	EXPECT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));

	// A submenu's label is its superitem's.
	BMessage submenu(B_GET_PROPERTY);
	submenu.AddSpecifier("Label");
	submenu.AddSpecifier("Menu", (int32)0);
	submenu.AddSpecifier("Menu", "Vane");
	submenu.AddSpecifier("MenuBar");
	ASSERT_EQ(window.SendMessage(&submenu, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "More");

	BMessage missing = request(B_GET_PROPERTY, { { "Label", nullptr },
		{ "MenuItem", "Absent" }, { "Menu", "Vane" }, { "MenuBar", nullptr } });
	ASSERT_EQ(window.SendMessage(&missing, &reply), B_OK);
	EXPECT_FALSE(reply.HasString("result"));
	int32 error = B_OK;
	reply.FindInt32("error", &error);
	EXPECT_EQ(error, B_NAME_NOT_FOUND);

	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("MenuBar");
	ASSERT_EQ(window.SendMessage(&suites, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "suites", 0), "suite/vnd.Be-menu");
	EXPECT_EQ(string_field(reply, "suites", 1), "suite/vnd.Be-view");

	// A submenu, closed and outside the view tree, tells its suites too.
	BMessage submenuSuites(B_GET_SUPPORTED_SUITES);
	submenuSuites.AddSpecifier("Menu", "Vane");
	submenuSuites.AddSpecifier("MenuBar");
	ASSERT_EQ(window.SendMessage(&submenuSuites, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	EXPECT_EQ(string_field(reply, "suites", 0), "suite/vnd.Be-menu");
}


TEST(MenuMatrixTest, ItemsStayWhereTheyWerePutAndTheMenuKeepsItsSize)
{
	BMenu menu("palette", 60, 40);
	EXPECT_EQ(menu.Layout(), B_ITEMS_IN_MATRIX);
	BMenuItem* left = new BMenuItem("L", new BMessage('left'));
	BMenuItem* right = new BMenuItem("R", new BMessage('rght'));
	EXPECT_TRUE(menu.AddItem(left, BRect(0, 0, 29, 39)));
	EXPECT_TRUE(menu.AddItem(right, BRect(30, 0, 59, 39)));
	EXPECT_EQ(left->Frame(), BRect(0, 0, 29, 39));
	EXPECT_EQ(right->Frame(), BRect(30, 0, 59, 39));
	float width;
	float height;
	menu.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, 60);
	EXPECT_EQ(height, 40);

	// A frame is only for matrix menus.
	BMenu column("column");
	BMenuItem* item = new BMenuItem("X", NULL);
	EXPECT_FALSE(column.AddItem(item, BRect(0, 0, 10, 10)));
	delete item;
}


TEST_F(MenuTest, TriggersChooseItemsWhileTheMenuIsOpen)
{
	Open("Menu triggers");
	inject_click(fOffscreen, TitleMiddle(0));
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	// "Watch Application Quit" takes "a": the "W" went to the item before it.
	inject_key(fOffscreen, "A");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[0], (uint32)'WQui');
		EXPECT_FALSE(MenuIsOpen());
		// An explicit trigger, and with triggers off, keys choose nothing.
		fWindow->fLaunch->SetTrigger('u');
		EXPECT_EQ(fWindow->fLaunch->Trigger(), 'u');
		return true;
	});
	inject_click(fOffscreen, TitleMiddle(0));
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	inject_key(fOffscreen, "u");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 2; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[1], (uint32)'WLau');
		fWindow->fMenu->SetTriggersEnabled(false);
		EXPECT_FALSE(fWindow->fMenu->AreTriggersEnabled());
		return true;
	});
	inject_click(fOffscreen, TitleMiddle(0));
	ASSERT_TRUE(wait_until(fWindow, [&] { return MenuIsOpen(); }));
	inject_key(fOffscreen, "u");
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_TRUE(MenuIsOpen());
		EXPECT_EQ(fWindow->received.size(), 2u);
		return true;
	});
	inject_key(fOffscreen, B_ESCAPE);
	ASSERT_TRUE(wait_until(fWindow, [&] { return !MenuIsOpen(); }));
}


namespace {

// Opens an item's protected layout helpers to the test.
class OpenItem : public BMenuItem {
public:
	using BMenuItem::BMenuItem;
	using BMenuItem::ContentLocation;
	using BMenuItem::TruncateLabel;
};

} // namespace


TEST_F(MenuTest, MarginsAndAMaximumWidthPlaceTheItems)
{
	Open("Menu margins");
	wait_until(fWindow, [&] {
		BMenu menu("margins");
		OpenItem* longItem = new OpenItem("A rather long label for a menu item", NULL);
		OpenItem* shortItem = new OpenItem("Short", NULL);
		menu.AddItem(longItem);
		menu.AddItem(shortItem);
		float width;
		float height;
		menu.GetPreferredSize(&width, &height);
		BRect first = menu.ItemAt(0)->Frame();

		menu.SetItemMargins(5, 7, 11, 13);
		float left;
		float bottom;
		menu.GetItemMargins(&left, NULL, NULL, &bottom);
		EXPECT_EQ(left, 5);
		EXPECT_EQ(bottom, 13);
		float marginWidth;
		float marginHeight;
		menu.GetPreferredSize(&marginWidth, &marginHeight);
		EXPECT_EQ(menu.ItemAt(0)->Frame().LeftTop(), first.LeftTop() + BPoint(5, 7));
		EXPECT_EQ(marginWidth, width + 16);
		EXPECT_EQ(marginHeight, height + 20);
		EXPECT_EQ(longItem->ContentLocation().x, menu.ItemAt(0)->Frame().left + 20);

		menu.SetMaxContentWidth(80);
		EXPECT_EQ(menu.MaxContentWidth(), 80);
		menu.GetPreferredSize(&width, &height);
		EXPECT_EQ(menu.ItemAt(0)->Frame().Width(), 79);
		char shortened[64];
		longItem->TruncateLabel(60, shortened);
		EXPECT_LE(menu.StringWidth(shortened), 60);
		EXPECT_LT(strlen(shortened), strlen(menu.ItemAt(0)->Label()));
		shortItem->TruncateLabel(500, shortened);
		EXPECT_STREQ(shortened, "Short");

		// A list goes in at the index, in order; one with an item that has a menu is
		// refused whole.
		BMenuItem* one = new BMenuItem("One", NULL);
		BMenuItem* two = new BMenuItem("Two", NULL);
		BList list;
		list.AddItem(one);
		list.AddItem(two);
		EXPECT_TRUE(menu.AddList(&list, 1));
		EXPECT_EQ(menu.ItemAt(1), one);
		EXPECT_EQ(menu.ItemAt(2), two);
		BList again;
		again.AddItem(new BMenuItem("Three", NULL));
		again.AddItem(one);
		EXPECT_FALSE(menu.AddList(&again, 0));
		EXPECT_EQ(menu.CountItems(), 4);
		delete (BMenuItem*)again.ItemAt(0);
		EXPECT_FALSE(menu.AddList(&list, 9));
		return true;
	});
}


TEST(MenuItemArchiveTest, AnArchiveBringsBackTheItem)
{
	BMenuItem item("Save", new BMessage('save'), 'S', B_SHIFT_KEY);
	item.SetTrigger('v');
	item.SetEnabled(false);
	item.SetMarked(true);
	BMessage archive;
	ASSERT_EQ(item.Archive(&archive), B_OK);
	std::unique_ptr<BMenuItem> copy((BMenuItem*)BMenuItem::Instantiate(&archive));
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Label(), "Save");
	ASSERT_NE(copy->Message(), nullptr);
	EXPECT_EQ(copy->Message()->what, (uint32)'save');
	uint32 modifiers = 0;
	EXPECT_EQ(copy->Shortcut(&modifiers), 'S');
	EXPECT_EQ(modifiers, (uint32)(B_SHIFT_KEY | B_COMMAND_KEY));
	EXPECT_EQ(copy->Trigger(), 'v');
	EXPECT_FALSE(copy->IsEnabled());
	EXPECT_TRUE(copy->IsMarked());

	BMessage other;
	other.AddString("class", "BMenu");
	EXPECT_EQ(BMenuItem::Instantiate(&other), nullptr);
}


TEST(MenuInfoTest, NewMenusTakeTheProcesssMenuSettings)
{
	menu_info saved;
	ASSERT_EQ(get_menu_info(&saved), B_OK);
	EXPECT_EQ(saved.font_size, be_plain_font->Size());
	EXPECT_EQ(get_menu_info(NULL), B_BAD_VALUE);

	menu_info info = saved;
	info.background_color = { 10, 20, 30, 255 };
	info.font_size = 20;
	ASSERT_EQ(set_menu_info(&info), B_OK);
	{
		BMenu menu("styled");
		EXPECT_EQ(menu.ViewColor(), info.background_color);
		BFont font;
		menu.GetFont(&font);
		EXPECT_EQ(font.Size(), 20);
	}
	menu_info bad = info;
	bad.separator = 3;
	EXPECT_EQ(set_menu_info(&bad), B_BAD_VALUE);
	EXPECT_EQ(set_menu_info(NULL), B_BAD_VALUE);
	ASSERT_EQ(set_menu_info(&saved), B_OK);
	BMenu plain("plain");
	EXPECT_EQ(plain.ViewColor(), saved.background_color);
}
