// Text controls in a window on the offscreen display: typing, the modification message,
// invocation on Enter and when the focus leaves, divider and alignment, the disabled
// state, and the text control suite.
#include <AppDefs.h>
#include <Button.h>
#include <Message.h>
#include <Messenger.h>
#include <TextControl.h>
#include <Window.h>

#include "MessageFields.h"
#include "OffscreenWindowTest.h"
#include "ScriptingRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Received {
	uint32 what;
	std::string text;
};


class FieldWindow : public BWindow {
public:
	explicit FieldWindow(const char* title)
		:
		BWindow(BRect(100, 100, 399, 199), title, B_TITLED_WINDOW, 0)
	{
		fName = new BTextControl(BRect(10, 10, 280, 30), "name", "Name:", "Ada",
			new BMessage('name'));
		fName->SetModificationMessage(new BMessage('modi'));
		AddChild(fName);
		fOther = new BTextControl(BRect(10, 40, 280, 60), "other", "Other:", NULL,
			new BMessage('othr'));
		AddChild(fOther);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'name' || message->what == 'modi' || message->what == 'othr') {
			void* source = NULL;
			message->FindPointer("source", &source);
			BTextControl* control = static_cast<BTextControl*>(source);
			received.push_back({ message->what, control != NULL ? control->Text() : "" });
			return;
		}
		BWindow::MessageReceived(message);
	}

	// A point on the control's label, in window coordinates.
	BPoint OnLabel(BView* view)
	{
		BRect frame = view->ConvertToScreen(view->Bounds());
		return BPoint(frame.left + 5, (frame.top + frame.bottom) / 2) - Frame().LeftTop();
	}

	BTextControl* fName;
	BTextControl* fOther;
	std::vector<Received> received;
};


class TextControlTest : public OffscreenWindowTest<FieldWindow> {
protected:
	template<typename F>
	void Locked(F f)
	{
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_until(fWindow, [&] { f(); return true; }));
	}

	BPoint OnLabel(BView* view)
	{
		BPoint point;
		Locked([&] { point = fWindow->OnLabel(view); });
		return point;
	}

	// What the window received, once the messages posted so far have arrived.
	std::vector<Received> Messages()
	{
		std::vector<Received> received;
		Locked([] {});
		Locked([&] { received = fWindow->received; });
		return received;
	}
};

} // namespace


TEST_F(TextControlTest, TypingModifiesAndEnterOrLeavingInvokes)
{
	Open("Field typing");
	// A click on the label focuses the field, with the whole text ready to be typed over.
	inject_click(fOffscreen, OnLabel(fWindow->fName));
	Locked([&] {
		EXPECT_TRUE(fWindow->fName->TextView()->IsFocus());
		int32 start;
		int32 end;
		fWindow->fName->TextView()->GetSelection(&start, &end);
		EXPECT_EQ(start, 0);
		EXPECT_EQ(end, 3);
	});
	inject_key(fOffscreen, "B");
	inject_key(fOffscreen, "o");
	inject_key(fOffscreen, "\n");
	std::vector<Received> received = Messages();
	// Typing over the selection deletes it and inserts: one modification a key.
	ASSERT_EQ(received.size(), 3u);
	EXPECT_EQ(received[0].what, (uint32)'modi');
	EXPECT_EQ(received[1].what, (uint32)'modi');
	EXPECT_EQ(received[2].what, (uint32)'name');
	EXPECT_EQ(received[2].text, "Bo");

	// Leaving with a changed text invokes; leaving unchanged does not. Enter left the
	// text selected, so typing replaces it.
	inject_key(fOffscreen, "b");
	inject_key(fOffscreen, "\t");
	Locked([&] { EXPECT_TRUE(fWindow->fOther->TextView()->IsFocus()); });
	inject_key(fOffscreen, "\t");
	inject_key(fOffscreen, "\t");
	received = Messages();
	ASSERT_EQ(received.size(), 5u);
	EXPECT_EQ(received[3].what, (uint32)'modi');
	EXPECT_EQ(received[4].what, (uint32)'name');
	EXPECT_EQ(received[4].text, "b");

	// The field holds one line: pasted newlines become spaces. SetText is no change
	// of the user's.
	Locked([&] {
		fWindow->fName->TextView()->SelectAll();
		fWindow->fName->TextView()->Delete();
		fWindow->fName->TextView()->Insert("two\nlines");
		EXPECT_STREQ(fWindow->fName->Text(), "two lines");
		size_t count = fWindow->received.size();
		fWindow->fName->SetText("quiet");
		EXPECT_EQ(fWindow->received.size(), count);
		EXPECT_STREQ(fWindow->fName->TextView()->Text(), "quiet");
	});
}


TEST_F(TextControlTest, DividerAlignmentAndTheDisabledState)
{
	Open("Field layout");
	Locked([&] {
		BTextControl* name = fWindow->fName;
		EXPECT_EQ(name->Divider(), 135);
		EXPECT_EQ(name->TextView()->Frame().left, 137);
		name->SetDivider(60);
		EXPECT_EQ(name->Divider(), 60);
		EXPECT_EQ(name->TextView()->Frame().left, 62);
		EXPECT_EQ(name->TextView()->Frame().right, name->Bounds().right - 2);

		name->SetAlignment(B_ALIGN_RIGHT, B_ALIGN_CENTER);
		alignment label;
		alignment text;
		name->GetAlignment(&label, &text);
		EXPECT_EQ(label, B_ALIGN_RIGHT);
		EXPECT_EQ(text, B_ALIGN_CENTER);
		EXPECT_EQ(name->TextView()->Alignment(), B_ALIGN_CENTER);
		// Centred text starts right of the field's left.
		EXPECT_GT(name->TextView()->PointAt(0).x, 20);

		// Preferred size: the divider comes in to just past the label.
		name->ResizeToPreferred();
		EXPECT_LT(name->Divider(), 60);
		EXPECT_GT(name->Divider(), name->StringWidth("Name:"));
		EXPECT_EQ(name->TextView()->Frame().right, name->Bounds().right - 2);
		EXPECT_GT(name->Bounds().Height(), name->TextView()->LineHeight());

		name->SetEnabled(false);
		EXPECT_FALSE(name->TextView()->IsEditable());

		// Disabled before it is attached, a field still greys on its parent's colour.
		BTextControl* late = new BTextControl(BRect(10, 70, 280, 90), "late", "Late:", "x",
			NULL);
		late->SetEnabled(false);
		fWindow->AddChild(late);
		EXPECT_EQ(late->TextView()->ViewColor(), name->TextView()->ViewColor());
		EXPECT_NE(late->TextView()->ViewColor(), ui_color(B_DOCUMENT_BACKGROUND_COLOR));
	});
	inject_click(fOffscreen, OnLabel(fWindow->fName));
	inject_key(fOffscreen, "x");
	Locked([&] {
		EXPECT_FALSE(fWindow->fName->TextView()->IsFocus());
		EXPECT_STREQ(fWindow->fName->Text(), "Ada");
		fWindow->fName->SetEnabled(true);
	});
	inject_click(fOffscreen, OnLabel(fWindow->fName));
	inject_key(fOffscreen, "x");
	Locked([&] { EXPECT_STREQ(fWindow->fName->Text(), "x"); });
}


TEST_F(TextControlTest, TheSuiteAnswersLabelValueAndText)
{
	Open("Field scripting");
	BMessenger window(fWindow);
	BMessage reply;

	BMessage label = view_property_request(B_GET_PROPERTY, "Label", "name");
	ASSERT_EQ(window.SendMessage(&label, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "Name:");

	BMessage value = view_property_request(B_GET_PROPERTY, "Value", "name");
	ASSERT_EQ(window.SendMessage(&value, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "Ada");

	BMessage setText = view_property_request(B_SET_PROPERTY, "Text", "name");
	setText.AddString("data", "Grace");
	ASSERT_EQ(window.SendMessage(&setText, &reply), B_OK);
	BMessage text = view_property_request(B_GET_PROPERTY, "Text", "name");
	ASSERT_EQ(window.SendMessage(&text, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "Grace");

	BMessage setValue = view_property_request(B_SET_PROPERTY, "Value", "name");
	setValue.AddString("data", "Hopper");
	ASSERT_EQ(window.SendMessage(&setValue, &reply), B_OK);
	Locked([&] { EXPECT_STREQ(fWindow->fName->Text(), "Hopper"); });

	BMessage setLabel = view_property_request(B_SET_PROPERTY, "Label", "name");
	setLabel.AddString("data", "Who:");
	ASSERT_EQ(window.SendMessage(&setLabel, &reply), B_OK);
	Locked([&] { EXPECT_STREQ(fWindow->fName->Label(), "Who:"); });

	// A value that is no text is refused.
	BMessage wrong = view_property_request(B_SET_PROPERTY, "Value", "name");
	wrong.AddInt32("data", 1);
	ASSERT_EQ(window.SendMessage(&wrong, &reply), B_OK);
	int32 error = B_OK;
	EXPECT_EQ(reply.FindInt32("error", &error), B_OK);
	EXPECT_NE(error, B_OK);

	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("View", "name");
	ASSERT_EQ(window.SendMessage(&suites, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "suites", 0), "suite/vnd.Be-text-control");
	EXPECT_EQ(string_field(reply, "suites", 1), "suite/vnd.Be-control");
	EXPECT_EQ(string_field(reply, "suites", 2), "suite/vnd.Be-view");

	// The field is the control's child view, with the text view suite.
	BMessage inner(B_GET_PROPERTY);
	inner.AddSpecifier("Text");
	inner.AddSpecifier("View", (int32)0);
	inner.AddSpecifier("View", "name");
	ASSERT_EQ(window.SendMessage(&inner, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "result"), "Hopper");
	EXPECT_EQ(fOffscreen->SaveToPNG(QV_BIN_DIR "/../TextControl-screen.png"), B_OK);
}
