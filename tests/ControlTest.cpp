// Buttons, check boxes, boxes and string views in a window on the offscreen display:
// invocation by click and keyboard, values, focus, the default button, and their
// scripting suites.
#include <AppDefs.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <Message.h>
#include <Messenger.h>
#include <RadioButton.h>
#include <StringView.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <math.h>
#include <string>
#include <vector>

#include "MessageFields.h"
#include "OffscreenWindowTest.h"
#include "interface/TwoStateControl.h"

namespace {

struct Received {
	uint32 what;
	int32 value;
	void* source;
};


class ControlWindow : public BWindow {
public:
	explicit ControlWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 299), title, B_TITLED_WINDOW, 0)
	{
		fBox = new BBox(BRect(10, 10, 289, 189), "box");
		fBox->SetLabel("Options");
		AddChild(fBox);
		fCheck = new BCheckBox(BRect(10, 20, 200, 40), "check", "Watch launches",
			new BMessage('chek'));
		fBox->AddChild(fCheck);
		fButton = new BButton(BRect(10, 50, 100, 80), "button", "Apply",
			new BMessage('push'));
		fBox->AddChild(fButton);
		fDefault = new BButton(BRect(120, 50, 220, 80), "default", "OK",
			new BMessage('dflt'));
		fDefault->MakeDefault(true);
		fBox->AddChild(fDefault);
		fText = new BStringView(BRect(10, 100, 250, 120), "text", "Specifier:");
		fBox->AddChild(fText);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'chek' || message->what == 'push' || message->what == 'dflt') {
			Received entry = { message->what, -1, nullptr };
			message->FindInt32("be:value", &entry.value);
			message->FindPointer("source", &entry.source);
			received.push_back(entry);
			return;
		}
		BWindow::MessageReceived(message);
	}

	BBox* fBox;
	BCheckBox* fCheck;
	BButton* fButton;
	BButton* fDefault;
	BStringView* fText;
	std::vector<Received> received;
};


class ControlTest : public OffscreenWindowTest<ControlWindow> {
protected:
	size_t Count()
	{
		size_t count = 0;
		wait_until(fWindow, [&] { count = fWindow->received.size(); return true; });
		return count;
	}
};

} // namespace


TEST_F(ControlTest, AClickInvokesTheButtonAndFlipsTheCheckBox)
{
	Open("Controls click");
	inject_click(fOffscreen, Middle(fWindow->fButton));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));
	inject_click(fOffscreen, Middle(fWindow->fCheck));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 2; }));
	inject_click(fOffscreen, Middle(fWindow->fCheck));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 3; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[0].what, (uint32)'push');
		EXPECT_EQ(fWindow->received[0].source, (BControl*)fWindow->fButton);
		EXPECT_EQ(fWindow->fButton->Value(), B_CONTROL_OFF);
		EXPECT_EQ(fWindow->received[1].what, (uint32)'chek');
		EXPECT_EQ(fWindow->received[1].value, B_CONTROL_ON);
		EXPECT_EQ(fWindow->received[2].value, B_CONTROL_OFF);
		EXPECT_EQ(fWindow->fCheck->Value(), B_CONTROL_OFF);
		fWindow->fButton->SetEnabled(false);
		return true;
	});

	// A disabled button ignores the pointer; a press released elsewhere does nothing.
	inject_click(fOffscreen, Middle(fWindow->fButton));
	BPoint check = Middle(fWindow->fCheck);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, check, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(280, 180), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(280, 180), 0);
	snooze(50000);
	EXPECT_EQ(Count(), 3u);
}


TEST_F(ControlTest, TheKeyboardFocusesAndInvokesAndEnterPressesTheDefaultButton)
{
	Open("Controls keys");
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->DefaultButton(), fWindow->fDefault);
		EXPECT_TRUE(fWindow->fDefault->IsDefault());
		return true;
	});
	// Tab reaches the check box first; Space flips it.
	inject_key(fOffscreen, "\t");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fCheck->IsFocus(); }));
	inject_key(fOffscreen, " ");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 1; }));
	// Enter goes to the default button wherever the focus is.
	inject_key(fOffscreen, "\n");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 2; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[0].what, (uint32)'chek');
		EXPECT_EQ(fWindow->fCheck->Value(), B_CONTROL_ON);
		EXPECT_EQ(fWindow->received[1].what, (uint32)'dflt');
		// Only one default button per window.
		fWindow->fButton->MakeDefault(true);
		EXPECT_FALSE(fWindow->fDefault->IsDefault());
		EXPECT_EQ(fWindow->DefaultButton(), fWindow->fButton);
		return true;
	});
	inject_key(fOffscreen, "\n");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->received.size() == 3; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->received[2].what, (uint32)'push');
		return true;
	});
}


// A checked box's cross is drawn in thin strokes with face around them: a thicker one
// filled the small box and read as a dark square.
TEST_F(ControlTest, ACheckedBoxShowsAThinCrossInsideItsFace)
{
	Open("Controls cross");
	BRect face;
	wait_until(fWindow, [&] {
		BCheckBox* check = fWindow->fCheck;
		check->SetValue(B_CONTROL_ON);
		face = check->ConvertToScreen(BPrivate::indicator_frame(check->Bounds()))
			.OffsetByCopy(-fWindow->Frame().LeftTop()).InsetByCopy(2, 2);
		return true;
	});
	auto isDark = [&](int32 x, int32 y) { return fOffscreen->PixelAt(x, y).green < 128; };
	auto darkPixels = [&] {
		int32 count = 0;
		for (int32 y = (int32)face.top; y <= (int32)face.bottom; y++) {
			for (int32 x = (int32)face.left; x <= (int32)face.right; x++)
				count += isDark(x, y) ? 1 : 0;
		}
		return count;
	};
	// Drawn checked: the gap between the box and its label is light, the cross dark.
	ASSERT_TRUE(wait_for([&] {
		return !isDark((int32)face.right + 4, (int32)face.top) && darkPixels() >= 8;
	}));
	// Two diagonals of a 6-pixel square, one pixel wide.
	EXPECT_LE(darkPixels(), 14);
	EXPECT_FALSE(isDark((int32)face.left, (int32)face.top));
	EXPECT_FALSE(isDark((int32)face.right, (int32)face.bottom));
	int32 middle = (int32)((face.left + face.right) / 2);
	EXPECT_FALSE(isDark(middle, (int32)face.top));
}


TEST_F(ControlTest, TheSuitesAnswerThroughTheWindow)
{
	Open("Controls scripting");
	BMessenger window(fWindow);
	auto viewRequest = [](uint32 what, const char* property,
		std::vector<const char*> path) {
		BMessage message(what);
		message.AddSpecifier(property);
		for (auto it = path.rbegin(); it != path.rend(); ++it)
			message.AddSpecifier("View", *it);
		return message;
	};
	BMessage reply;

	BMessage label = viewRequest(B_GET_PROPERTY, "Label", { "box", "button" });
	ASSERT_EQ(window.SendMessage(&label, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "Apply");

	BMessage setValue = viewRequest(B_SET_PROPERTY, "Value", { "box", "check" });
	setValue.AddInt32("data", B_CONTROL_ON);
	ASSERT_EQ(window.SendMessage(&setValue, &reply), B_OK);
	EXPECT_TRUE(wait_until(fWindow, [&] { return fWindow->fCheck->Value() == B_CONTROL_ON; }));

	BMessage enabled = viewRequest(B_GET_PROPERTY, "Enabled", { "box", "check" });
	ASSERT_EQ(window.SendMessage(&enabled, &reply), B_OK);
	bool isEnabled = false;
	EXPECT_EQ(reply.FindBool("result", &isEnabled), B_OK);
	EXPECT_TRUE(isEnabled);

	BMessage boxLabel = viewRequest(B_GET_PROPERTY, "Label", { "box" });
	ASSERT_EQ(window.SendMessage(&boxLabel, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "Options");

	BMessage text = viewRequest(B_SET_PROPERTY, "Text", { "box", "text" });
	text.AddString("data", "Specifier: Window 0");
	ASSERT_EQ(window.SendMessage(&text, &reply), B_OK);
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return std::string(fWindow->fText->Text()) == "Specifier: Window 0";
	}));

	// A wrong type is an error, and changes nothing.
	BMessage wrong = viewRequest(B_SET_PROPERTY, "Label", { "box", "button" });
	wrong.AddInt32("data", 3);
	ASSERT_EQ(window.SendMessage(&wrong, &reply), B_OK);
	int32 error = B_OK;
	EXPECT_EQ(reply.FindInt32("error", &error), B_OK);
	EXPECT_NE(error, B_OK);
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return std::string(fWindow->fButton->Label()) == "Apply";
	}));

	// The most specific suite comes first.
	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("View", "button");
	suites.AddSpecifier("View", "box");
	ASSERT_EQ(window.SendMessage(&suites, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "suites", 0), "suite/vnd.Be-control");
	EXPECT_EQ(string_field(reply, "suites", 1), "suite/vnd.Be-view");
	EXPECT_EQ(string_field(reply, "suites", 2), "suite/vnd.Be-handler");
}


TEST(StringViewTest, TextAlignmentAndPreferredSize)
{
	BStringView view(BRect(0, 0, 99, 15), "text", "Hello");
	EXPECT_STREQ(view.Text(), "Hello");
	EXPECT_EQ(view.Alignment(), B_ALIGN_LEFT);
	view.SetAlignment(B_ALIGN_RIGHT);
	EXPECT_EQ(view.Alignment(), B_ALIGN_RIGHT);
	view.SetText(NULL);
	EXPECT_STREQ(view.Text(), "");
	view.SetText("Wider text");
	float width;
	float height;
	view.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, ceilf(view.StringWidth("Wider text")));
	EXPECT_GT(height, 10);

	// A box is a grey panel before it is attached, even to a subclass that never lets
	// BBox::AttachedToWindow() run.
	BBox box(BRect(0, 0, 99, 99));
	EXPECT_EQ(box.ViewColor(), ui_color(B_PANEL_BACKGROUND_COLOR));
	EXPECT_EQ(box.Label(), nullptr);
	EXPECT_EQ(box.Border(), B_FANCY_BORDER);
	box.SetBorder(B_PLAIN_BORDER);
	EXPECT_EQ(box.Border(), B_PLAIN_BORDER);
	BRect plain = box.InnerFrame();
	box.SetLabel("Label");
	EXPECT_STREQ(box.Label(), "Label");
	EXPECT_GT(box.InnerFrame().top, plain.top);
}


namespace {

// Records, each time it draws, whether it draws for a change of focus.
class FocusRecorder : public BButton {
public:
	using BButton::BButton;

	void Draw(BRect updateRect) override
	{
		draws.push_back(IsFocusChanging());
		BButton::Draw(updateRect);
	}

	// Focuses on the window's thread, where a change of focus draws at once, and keeps
	// what was drawn meanwhile.
	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'fcus') {
			BButton::MessageReceived(message);
			return;
		}
		draws.clear();
		MakeFocus(true);
		duringFocus = draws;
		draws.clear();
		MakeFocus(true);
		duringSecondFocus = draws;
	}

	std::vector<bool> draws;
	std::vector<bool> duringFocus;
	std::vector<bool> duringSecondFocus;
};

} // namespace


TEST_F(ControlTest, AChangeOfFocusDrawsAtOnceAndSaysSo)
{
	Open("Controls focus changing");
	FocusRecorder* recorder = nullptr;
	wait_until(fWindow, [&] {
		recorder = new FocusRecorder(BRect(200, 100, 270, 130), "recorder", "Rec",
			new BMessage('push'));
		fWindow->fBox->AddChild(recorder);
		return true;
	});
	wait_for_queue(fWindow);
	fWindow->PostMessage('fcus', recorder);
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		// Drawn before MakeFocus returned, for the focus; focused already, nothing
		// changed and nothing was drawn at once.
		EXPECT_EQ(recorder->duringFocus, std::vector<bool>{ true });
		EXPECT_TRUE(recorder->duringSecondFocus.empty());
		recorder->draws.clear();
		recorder->Invalidate();
		return true;
	});
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_FALSE(recorder->draws.empty());
		for (bool changing : recorder->draws)
			EXPECT_FALSE(changing);
		return true;
	});
}


TEST_F(ControlTest, ABoxTakesAViewForItsLabel)
{
	Open("Box label view");
	BRect frame;
	wait_until(fWindow, [&] {
		BBox* box = fWindow->fBox;
		EXPECT_EQ(box->LabelView(), nullptr);
		BRect inner = box->InnerFrame();
		BCheckBox* label = new BCheckBox(BRect(0, 0, 99, 29), "label check", "Enabled",
			NULL);
		EXPECT_EQ(box->SetLabel(label), B_OK);
		EXPECT_EQ(box->LabelView(), label);
		EXPECT_EQ(box->Label(), nullptr);
		EXPECT_EQ(label->Parent(), box);
		EXPECT_EQ(label->Frame().LeftTop(), BPoint(7, 0));
		// The inside starts below the taller label.
		EXPECT_EQ(box->InnerFrame().top, 30);
		EXPECT_GT(box->InnerFrame().top, inner.top);
		float width;
		float height;
		box->GetPreferredSize(&width, &height);
		EXPECT_EQ(height, 34);
		frame = label->Frame();
		// A text label again takes the view away.
		box->SetLabel("Text");
		EXPECT_EQ(box->LabelView(), nullptr);
		EXPECT_EQ(box->FindView("label check"), nullptr);
		EXPECT_STREQ(box->Label(), "Text");
		return true;
	});
}


// A frame too short for the font, as old applications often give (QueryApp's text control
// is 5 pixels high), grows to the height the font needs; the width stays.
TEST(ControlSizeTest, ControlsGrowToTheHeightTheirFontNeeds)
{
	BButton button(BRect(0, 0, 100, 10), "button", "Fetch", NULL);
	BCheckBox check(BRect(0, 0, 100, 2), "check", "Check", NULL);
	BRadioButton radio(BRect(0, 0, 100, 2), "radio", "Radio", NULL);
	BTextControl text(BRect(0, 0, 200, 5), "text", "Name:", "query", NULL);
	for (BControl* control : std::vector<BControl*>{ &button, &check, &radio, &text }) {
		SCOPED_TRACE(control->Name());
		float height;
		control->GetPreferredSize(NULL, &height);
		font_height fontHeight;
		control->GetFontHeight(&fontHeight);
		EXPECT_GE(height, ceilf(fontHeight.ascent + fontHeight.descent));
		EXPECT_EQ(control->Frame().Height(), height);
		EXPECT_EQ(control->Frame().LeftTop(), BPoint(0, 0));
		EXPECT_EQ(control->Frame().Width(), control == &text ? 200 : 100);
		// Its archive keeps the grown frame.
		BMessage archive;
		ASSERT_EQ(control->Archive(&archive), B_OK);
		BView* copy = dynamic_cast<BView*>(instantiate_object(&archive));
		ASSERT_NE(copy, nullptr);
		EXPECT_EQ(copy->Frame(), control->Frame());
		delete copy;
	}
	// The text control's field lies inside it, as high as a line of its font.
	BTextView* field = text.TextView();
	EXPECT_LE(field->Frame().bottom, text.Bounds().bottom);
	EXPECT_GE(field->Frame().top, 0);
	EXPECT_GE(field->Frame().Height() + 1, field->LineHeight());

	// A taller frame stays, but a text control has the one height of its font.
	BButton tallButton(BRect(0, 0, 100, 60), "tall button", "Fetch", NULL);
	BCheckBox tallCheck(BRect(0, 0, 100, 60), "tall check", "Check", NULL);
	BTextControl tallText(BRect(0, 0, 200, 60), "tall text", "Name:", "query", NULL);
	EXPECT_EQ(tallButton.Frame().Height(), 60);
	EXPECT_EQ(tallCheck.Frame().Height(), 60);
	EXPECT_EQ(tallText.Frame().Height(), text.Frame().Height());
}
