// Radio buttons on the offscreen display: a group is the buttons of one parent, a click
// or Space turns one on and its siblings off, a click on a button that is on changes
// nothing, and scripting "Value" through the control suite keeps the group consistent.
#include <Message.h>
#include <Messenger.h>
#include <PropertyInfo.h>
#include <RadioButton.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

namespace {

const uint32 kPicked = 'pick';


class RadioWindow : public BWindow {
public:
	explicit RadioWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 299), title, B_TITLED_WINDOW, 0)
	{
		BView* group = new BView(BRect(10, 10, 200, 120), "group", B_FOLLOW_NONE, 0);
		for (int32 i = 0; i < 3; i++) {
			BMessage* message = new BMessage(kPicked);
			message->AddInt32("choice", i);
			fButtons[i] = new BRadioButton(BRect(0, i * 30, 150, i * 30 + 20),
				i == 0 ? "first" : i == 1 ? "second" : "third",
				i == 0 ? "Red" : i == 1 ? "Green" : "Blue", message);
			group->AddChild(fButtons[i]);
		}
		fButtons[0]->SetValue(B_CONTROL_ON);
		AddChild(group);
		// A button of another parent is another group.
		fOther = new BRadioButton(BRect(220, 10, 290, 30), "other", "Other", NULL);
		fOther->SetValue(B_CONTROL_ON);
		AddChild(fOther);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kPicked) {
			invokes++;
			message->FindInt32("choice", &lastChoice);
			return;
		}
		BWindow::MessageReceived(message);
	}

	int32 Values() const
	{
		// One digit per button of the group: 100 means the first is on.
		return fButtons[0]->Value() * 100 + fButtons[1]->Value() * 10 + fButtons[2]->Value();
	}

	BRadioButton* fButtons[3];
	BRadioButton* fOther;
	int invokes = 0;
	int32 lastChoice = -1;
};


using RadioButtonTest = OffscreenWindowTest<RadioWindow>;

} // namespace


TEST_F(RadioButtonTest, AClickTurnsOneOnAndItsSiblingsOff)
{
	Open("Radio click");
	// The third button's middle, in window coordinates.
	inject_click(fOffscreen, BPoint(30, 10 + 60 + 10));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->invokes == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->Values(), 1);
		EXPECT_EQ(fWindow->lastChoice, 2);
		// Another parent's button is another group.
		EXPECT_EQ(fWindow->fOther->Value(), B_CONTROL_ON);
		return true;
	});

	// A click on the button that is on leaves it on and sends nothing.
	inject_click(fOffscreen, BPoint(30, 10 + 60 + 10));
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->Values(), 1);
		EXPECT_EQ(fWindow->invokes, 1);
		return true;
	});

	// Space on the focused first button chooses it.
	wait_until(fWindow, [&] { fWindow->fButtons[0]->MakeFocus(true); return true; });
	inject_key(fOffscreen, " ");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->invokes == 2; }));
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->Values(), 100); return true; });

	SaveScreenshot("radio-buttons.png");
}


TEST_F(RadioButtonTest, ScriptingTheValueKeepsOneButtonOn)
{
	Open("Radio scripting");
	BMessenger window(fWindow);
	BMessage request(B_SET_PROPERTY);
	request.AddInt32("data", B_CONTROL_ON);
	request.AddSpecifier("Value");
	request.AddSpecifier("View", "second");
	request.AddSpecifier("View", "group");
	BMessage reply;
	ASSERT_EQ(window.SendMessage(&request, &reply, 5000000, 5000000), B_OK);
	int32 error = -1;
	EXPECT_EQ(reply.FindInt32("error", &error), B_OK);
	EXPECT_EQ(error, B_OK);
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->Values(), 10); return true; });

	// The button answers the control suite before the view's.
	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("View", "first");
	suites.AddSpecifier("View", "group");
	ASSERT_EQ(window.SendMessage(&suites, &reply, 5000000, 5000000), B_OK);
	const char* first = NULL;
	EXPECT_EQ(reply.FindString("suites", 0, &first), B_OK);
	EXPECT_STREQ(first, "suite/vnd.Be-control");
}
