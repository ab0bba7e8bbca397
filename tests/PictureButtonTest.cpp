// Picture buttons in a window on the offscreen display: the picture shown for each value
// and state, one- and two-state behaviour by pointer and keyboard, disabled pictures, and
// the button's suite.
#include <Message.h>
#include <Messenger.h>
#include <Picture.h>
#include <PictureButton.h>
#include <PropertyInfo.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

namespace {

const rgb_color kRed = { 255, 0, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };
const rgb_color kGreen = { 0, 255, 0, 255 };


int32
int32_of(const BMessage& message, const char* name, int32 fallback)
{
	int32 value;
	return message.FindInt32(name, &value) == B_OK ? value : fallback;
}


// A picture that fills the button's 40 by 40 pixels with colour.
BPicture*
solid_picture(BView* view, rgb_color color)
{
	view->BeginPicture(new BPicture);
	view->SetHighColor(color);
	view->FillRect(BRect(0, 0, 39, 39));
	return view->EndPicture();
}


class ButtonWindow : public BWindow {
public:
	explicit ButtonWindow(const char* title)
		:
		BWindow(BRect(100, 100, 299, 199), title, B_TITLED_WINDOW, 0)
	{
		BView* scratch = new BView(BRect(0, 0, 39, 39), "scratch", B_FOLLOW_NONE, 0);
		AddChild(scratch);
		BPicture* off = solid_picture(scratch, kRed);
		BPicture* on = solid_picture(scratch, kBlue);
		fGreen = solid_picture(scratch, kGreen);
		RemoveChild(scratch);
		delete scratch;

		fButton = new BPictureButton(BRect(10, 10, 49, 49), "picture", off, on,
			new BMessage('pict'), B_TWO_STATE_BUTTON);
		// The button keeps copies.
		delete off;
		delete on;
		AddChild(fButton);
	}

	~ButtonWindow() override { delete fGreen; }

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'pict') {
			fInvoked++;
			return;
		}
		BWindow::MessageReceived(message);
	}

	BPictureButton* fButton;
	BPicture* fGreen;
	int32 fInvoked = 0;
};


class PictureButtonTest : public OffscreenWindowTest<ButtonWindow> {
protected:
	bool Shows(rgb_color color)
	{
		return wait_until(fWindow, [&] { return fOffscreen->PixelAt(30, 30) == color; });
	}

	bool Invoked(int32 count)
	{
		return wait_until(fWindow, [&] { return fWindow->fInvoked == count; });
	}
};

} // namespace


TEST_F(PictureButtonTest, TwoStateButtonFlipsWithEachClickAndShowsItsValue)
{
	Open("Two-state picture button");
	ASSERT_TRUE(Shows(kRed));
	inject_click(fOffscreen, BPoint(30, 30));
	ASSERT_TRUE(Invoked(1));
	EXPECT_TRUE(Shows(kBlue));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fButton->Value(), B_CONTROL_ON);
		return true;
	});
	inject_click(fOffscreen, BPoint(30, 30));
	ASSERT_TRUE(Invoked(2));
	EXPECT_TRUE(Shows(kRed));

	// Space on the focused button clicks it too.
	wait_until(fWindow, [&] { fWindow->fButton->MakeFocus(); return true; });
	inject_key(fOffscreen, " ");
	ASSERT_TRUE(Invoked(3));
	EXPECT_TRUE(Shows(kBlue));
}


TEST_F(PictureButtonTest, OneStateButtonShowsOnOnlyWhilePressed)
{
	Open("One-state picture button");
	wait_until(fWindow, [&] {
		fWindow->fButton->SetBehavior(B_ONE_STATE_BUTTON);
		return true;
	});
	ASSERT_TRUE(Shows(kRed));
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(30, 30), 1);
	EXPECT_TRUE(Shows(kBlue));
	// Dragged off, it lets go; back on, it is pressed again.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(150, 80), 1);
	EXPECT_TRUE(Shows(kRed));
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(30, 30), 1);
	EXPECT_TRUE(Shows(kBlue));
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(30, 30), 0);
	ASSERT_TRUE(Invoked(1));
	EXPECT_TRUE(Shows(kRed));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fButton->Value(), B_CONTROL_OFF);
		return true;
	});

	// A press released outside does nothing.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(30, 30), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(150, 80), 0);
	EXPECT_TRUE(wait_for_queue(fWindow));
	EXPECT_TRUE(Invoked(1));
}


TEST_F(PictureButtonTest, DisabledButtonShowsItsDisabledPictureOrADimmedOne)
{
	Open("Disabled picture button");
	ASSERT_TRUE(Shows(kRed));
	wait_until(fWindow, [&] { fWindow->fButton->SetEnabled(false); return true; });
	// Dimmed towards the background: no longer pure red, still reddish.
	EXPECT_TRUE(wait_until(fWindow, [&] {
		rgb_color pixel = fOffscreen->PixelAt(30, 30);
		return pixel != kRed && pixel.red > pixel.blue && pixel.green > 0;
	}));
	wait_until(fWindow, [&] {
		fWindow->fButton->SetDisabledOff(fWindow->fGreen);
		EXPECT_NE(fWindow->fButton->DisabledOff(), fWindow->fGreen);
		return true;
	});
	EXPECT_TRUE(Shows(kGreen));
	inject_click(fOffscreen, BPoint(30, 30));
	EXPECT_TRUE(wait_for_queue(fWindow));
	EXPECT_TRUE(Invoked(0));
}


TEST_F(PictureButtonTest, BehaviorIsScriptableAndTheSuiteComesFirst)
{
	Open("Picture button scripting");
	BMessenger window(fWindow);
	BMessage reply;

	BMessage get(B_GET_PROPERTY);
	get.AddSpecifier("Behavior");
	get.AddSpecifier("View", "picture");
	ASSERT_EQ(window.SendMessage(&get, &reply), B_OK);
	EXPECT_EQ(int32_of(reply, "result", -1), B_TWO_STATE_BUTTON);

	BMessage set(B_SET_PROPERTY);
	set.AddSpecifier("Behavior");
	set.AddSpecifier("View", "picture");
	set.AddInt32("data", B_ONE_STATE_BUTTON);
	ASSERT_EQ(window.SendMessage(&set, &reply), B_OK);
	EXPECT_EQ(int32_of(reply, "error", -1), B_OK);
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return fWindow->fButton->Behavior() == B_ONE_STATE_BUTTON;
	}));

	BMessage bad(B_SET_PROPERTY);
	bad.AddSpecifier("Behavior");
	bad.AddSpecifier("View", "picture");
	bad.AddInt32("data", 7);
	ASSERT_EQ(window.SendMessage(&bad, &reply), B_OK);
	EXPECT_EQ(int32_of(reply, "error", B_OK), B_BAD_VALUE);

	// The control suite still answers beneath.
	BMessage value(B_GET_PROPERTY);
	value.AddSpecifier("Value");
	value.AddSpecifier("View", "picture");
	ASSERT_EQ(window.SendMessage(&value, &reply), B_OK);
	EXPECT_EQ(int32_of(reply, "result", -1), B_CONTROL_OFF);

	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("View", "picture");
	ASSERT_EQ(window.SendMessage(&suites, &reply), B_OK);
	const char* suite = NULL;
	ASSERT_EQ(reply.FindString("suites", 0, &suite), B_OK);
	EXPECT_STREQ(suite, "suite/vnd.Be-picture-button");
	ASSERT_EQ(reply.FindString("suites", 1, &suite), B_OK);
	EXPECT_STREQ(suite, "suite/vnd.Be-control");
	BPropertyInfo info;
	const void* flat = NULL;
	ssize_t size = 0;
	ASSERT_EQ(reply.FindData("messages", B_PROPERTY_INFO_TYPE, 0, &flat, &size), B_OK);
	ASSERT_EQ(info.Unflatten(B_PROPERTY_INFO_TYPE, flat, size), B_OK);
	ASSERT_EQ(info.CountProperties(), 1);
	EXPECT_STREQ(info.Properties()[0].name, "Behavior");
}
