// Menu fields on the offscreen display: the box shows the marked item's label, a click
// opens the menu in its own popup, choosing an item marks it (radio mode), relabels the
// field and sends the item's message; the divider places the box.
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

using BPrivate::OffscreenWindow;

namespace {

const uint32 kSize = 'size';


class FieldWindow : public BWindow {
public:
	explicit FieldWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 179), title, B_TITLED_WINDOW, 0)
	{
		fMenu = new BPopUpMenu("sizes");
		const char* labels[] = { "Small", "Medium", "Large" };
		for (int32 i = 0; i < 3; i++) {
			BMessage* message = new BMessage(kSize);
			message->AddInt32("size", i);
			fMenu->AddItem(new BMenuItem(labels[i], message));
		}
		fMenu->ItemAt(1)->SetMarked(true);
		fField = new BMenuField(BRect(10, 10, 250, 30), "size field", "Size:", fMenu);
		fField->SetDivider(60);
		AddChild(fField);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kSize) {
			message->FindInt32("size", &chosen);
			return;
		}
		BWindow::MessageReceived(message);
	}

	BPopUpMenu* fMenu;
	BMenuField* fField;
	int32 chosen = -1;
};


using MenuFieldTest = OffscreenWindowTest<FieldWindow>;

} // namespace


TEST_F(MenuFieldTest, ChoosingAnItemMarksItRelabelsTheFieldAndSendsItsMessage)
{
	Open("Field choose");
	wait_until(fWindow, [&] {
		EXPECT_STREQ(fWindow->fField->MenuItem()->Label(), "Medium");
		EXPECT_EQ(fWindow->fField->Menu(), fWindow->fMenu);
		EXPECT_EQ(fWindow->fField->MenuBar()->Frame().left, 60);
		EXPECT_EQ(fWindow->fField->Divider(), 60);
		return true;
	});
	SaveScreenshot("menu-field.png");

	// A click on the box opens the menu below it, in a popup of its own.
	inject_click(fOffscreen, BPoint(10 + 80, 20));
	OffscreenWindow* popup = nullptr;
	ASSERT_TRUE(wait_until(fWindow, [&] {
		popup = offscreen_window("sizes");
		return popup != nullptr && fWindow->fMenu->Window() != NULL;
	}));
	SaveScreenshot("menu-field-open.png", popup);
	BPoint large;
	wait_until(fWindow, [&] {
		BRect frame = fWindow->fMenu->ItemAt(2)->Frame();
		large = BPoint(frame.left + 10, floorf((frame.top + frame.bottom) / 2));
		return true;
	});
	inject_click(popup, large);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->chosen == 2; }));
	wait_until(fWindow, [&] {
		EXPECT_TRUE(fWindow->fMenu->ItemAt(2)->IsMarked());
		EXPECT_FALSE(fWindow->fMenu->ItemAt(1)->IsMarked());
		EXPECT_STREQ(fWindow->fField->MenuItem()->Label(), "Large");
		EXPECT_EQ(fWindow->fMenu->Window(), nullptr);
		return true;
	});
}


TEST_F(MenuFieldTest, TheFieldsBarNeverBecomesTheKeyMenuBar)
{
	Open("Field key bar");
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->KeyMenuBar(), nullptr);
		return true;
	});
}


TEST_F(MenuFieldTest, TheFieldTakesItsFontsHeightAndItsBarKeepsTheFieldsLayout)
{
	// Made 20 pixels high, the field is as high as its bar needs; the bar, attached,
	// neither spans the field nor passes its right edge.
	Open("Field layout");
	wait_until(fWindow, [&] {
		BMenuField* field = fWindow->fField;
		BMenuBar* bar = field->MenuBar();
		float height;
		bar->GetPreferredSize(NULL, &height);
		EXPECT_EQ(field->Frame().Height(), height);
		EXPECT_EQ(bar->Frame().Height(), height);
		float width;
		bar->GetPreferredSize(&width, NULL);
		EXPECT_EQ(bar->Frame().left, 60);
		EXPECT_EQ(bar->Frame().Width(), width);
		EXPECT_LT(bar->Frame().right, field->Bounds().right);
		return true;
	});

	// Too short a frame grows, too tall a frame shrinks, to the same height; an archive
	// keeps the height.
	BMenuField small(BRect(0, 0, 150, 5), "small", "Small:", new BPopUpMenu("one"));
	BMenuField tall(BRect(0, 0, 150, 60), "tall", "Tall:", new BPopUpMenu("two"));
	float height;
	small.GetPreferredSize(NULL, &height);
	EXPECT_EQ(small.Frame().Height(), height);
	EXPECT_EQ(tall.Frame().Height(), height);
	EXPECT_EQ(small.Frame().Width(), 150);
	EXPECT_EQ(small.MenuBar()->Frame().Height(), height);
	BMessage archive;
	ASSERT_EQ(small.Archive(&archive), B_OK);
	BMenuField copy(&archive);
	EXPECT_EQ(copy.Frame(), small.Frame());
}
