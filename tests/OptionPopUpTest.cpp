// Option pop-ups on the offscreen display: options are the items of the field's menu, the
// first one added is selected, choosing one from the menu sets the value and sends the
// control's message, options are selected by value or name (and refused when none has
// it), and scripting "Value" marks the option of that value.
#include <MenuField.h>
#include <MenuItem.h>
#include <Messenger.h>
#include <OptionPopUp.h>
#include <Window.h>

#include "OffscreenWindowTest.h"
#include "ScriptingRequest.h"

#include <gtest/gtest.h>

#include <math.h>

using BPrivate::OffscreenWindow;

namespace {

const uint32 kSpeed = 'sped';


class OptionWindow : public BWindow {
public:
	explicit OptionWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 179), title, B_TITLED_WINDOW, 0)
	{
		fOptions = new BOptionPopUp(BRect(10, 10, 250, 30), "speed", "Speed:",
			new BMessage(kSpeed));
		fOptions->AddOption("Slow", 10);
		fOptions->AddOption("Fast", 30);
		fOptions->AddOptionAt("Normal", 20, 1);
		AddChild(fOptions);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kSpeed) {
			message->FindInt32("be:value", &sent);
			return;
		}
		BWindow::MessageReceived(message);
	}

	BOptionPopUp* fOptions;
	int32 sent = -1;
};


using OptionPopUpTest = OffscreenWindowTest<OptionWindow>;

} // namespace


TEST_F(OptionPopUpTest, OptionsAreTheMenusItemsAndTheFirstIsSelected)
{
	Open("Options kept");
	wait_until(fWindow, [&] {
		BOptionPopUp* options = fWindow->fOptions;
		EXPECT_EQ(options->CountOptions(), 3);
		const char* name = nullptr;
		int32 value = 0;
		EXPECT_TRUE(options->GetOptionAt(1, &name, &value));
		EXPECT_STREQ(name, "Normal");
		EXPECT_EQ(value, 20);
		EXPECT_FALSE(options->GetOptionAt(3, &name, &value));
		EXPECT_EQ(options->Value(), 10);
		EXPECT_EQ(options->SelectedOption(&name, &value), 0);
		EXPECT_STREQ(name, "Slow");
		EXPECT_EQ(options->MenuField()->Menu()->CountItems(), 3);
		EXPECT_STREQ(options->MenuField()->MenuItem()->Label(), "Slow");

		EXPECT_EQ(options->AddOptionAt("Wrong", 1, 7), B_BAD_INDEX);
		EXPECT_EQ(options->AddOptionAt(nullptr, 1, 0), B_BAD_VALUE);
		options->RemoveOptionAt(1);
		EXPECT_EQ(options->CountOptions(), 2);
		EXPECT_TRUE(options->GetOptionAt(1, &name, &value));
		EXPECT_STREQ(name, "Fast");
		return true;
	});
}


TEST_F(OptionPopUpTest, SelectingByValueOrNameMarksTheOption)
{
	Open("Options select");
	wait_until(fWindow, [&] {
		BOptionPopUp* options = fWindow->fOptions;
		EXPECT_EQ(options->SelectOptionFor(30), B_OK);
		EXPECT_EQ(options->Value(), 30);
		EXPECT_EQ(options->SelectedOption(), 2);
		EXPECT_EQ(options->SelectOptionFor("Normal"), B_OK);
		EXPECT_EQ(options->Value(), 20);
		EXPECT_TRUE(options->MenuField()->Menu()->ItemAt(1)->IsMarked());

		// No option has these: a clear error and nothing changes.
		EXPECT_EQ(options->SelectOptionFor(99), B_BAD_VALUE);
		EXPECT_EQ(options->SelectOptionFor("Warp"), B_BAD_VALUE);
		EXPECT_EQ(options->SelectOptionFor((const char*)nullptr), B_BAD_VALUE);
		EXPECT_EQ(options->Value(), 20);

		// A value no option has leaves none marked.
		options->SetValue(99);
		EXPECT_EQ(options->SelectedOption(), -1);
		EXPECT_EQ(options->MenuField()->Menu()->FindMarked(), nullptr);
		return true;
	});
	// No message is sent for a value set by the program.
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->sent, -1); return true; });
}


TEST_F(OptionPopUpTest, ChoosingFromTheMenuSetsTheValueAndInvokes)
{
	Open("Options choose");
	BPoint box;
	wait_until(fWindow, [&] {
		BMenuField* field = fWindow->fOptions->MenuField();
		BRect bar = field->ConvertToParent(field->MenuBar()->Frame());
		bar = fWindow->fOptions->ConvertToParent(bar);
		box = BPoint(bar.left + 10, floorf((bar.top + bar.bottom) / 2));
		return true;
	});
	inject_click(fOffscreen, box);
	OffscreenWindow* popup = nullptr;
	BMenu* menu = fWindow->fOptions->MenuField()->Menu();
	ASSERT_TRUE(wait_until(fWindow, [&] {
		popup = offscreen_window("Speed:");
		return popup != nullptr && menu->Window() != nullptr;
	}));
	BPoint fast;
	wait_until(fWindow, [&] {
		BRect frame = menu->ItemAt(2)->Frame();
		fast = BPoint(frame.left + 10, floorf((frame.top + frame.bottom) / 2));
		return true;
	});
	inject_click(popup, fast);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sent == 30; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fOptions->Value(), 30);
		EXPECT_EQ(fWindow->fOptions->SelectedOption(), 2);
		return true;
	});
}


TEST_F(OptionPopUpTest, ScriptingTheValueMarksTheOption)
{
	Open("Options scripting");
	BMessenger window(fWindow);
	BMessage set = view_property_request(B_SET_PROPERTY, "Value", "speed");
	set.AddInt32("data", 20);
	BMessage reply;
	ASSERT_EQ(window.SendMessage(&set, &reply, 5000000, 5000000), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_OK);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fOptions->SelectedOption(), 1);
		EXPECT_STREQ(fWindow->fOptions->MenuField()->MenuItem()->Label(), "Normal");
		return true;
	});
}
