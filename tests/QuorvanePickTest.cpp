// Pick a View on a real X server (a private Xvfb, no window manager): Ctrl+P, then a
// click on the sample workbench's Apply button selects that button's row; Escape (with
// the pointer over another application), or a click where no kit window is, cancels and
// says so in the specifier field. The screen
// during the pick is saved as Quorvane-pick.png in the build directory.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include "QuorvaneOnScreen.h"
#include "TargetFrame.h"
#include "TestRuntime.h"
#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

using namespace quorvane_on_screen;

namespace {

const xcb_keysym_t kEscapeKeysym = 0xff1b;
const char* kApply = "View \"ApplyButton\" of View \"OptionsBox\" of View \"RightPane\" "
	"of View \"Body\" of Window \"Workbench\"";


class QuorvanePickTest : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fServer.Start(kWidth, kHeight), B_OK);
		setenv("DISPLAY", fServer.Name().c_str(), 1);
		unsetenv("BE_DISPLAY");
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
		fRuntime.Start("SampleWorkbench");
		ASSERT_TRUE(fRuntime.WaitForApp(kWorkbench));
		fQuorvane = fRuntime.Start("Quorvane", { "SampleWorkbench" }, "/dev/null");
		ASSERT_TRUE(fRuntime.WaitForApp(kQuorvane));
		fScreen.reset(new XvfbScreen(fServer.Name(), kWidth, kHeight));
		ASSERT_TRUE(fScreen->IsOpen());
		// The workbench's rows come once its analysis has ended.
		ASSERT_TRUE(fScreen->WaitFor([&] {
			return !fScreen->Bands(kListLeft, kListRight, is_red).empty();
		}));

		// The workbench goes to the screen's right edge, so that its button is seen
		// beside Quorvane's window.
		BRect quorvane = frame_of("Window \"Quorvane\"", kQuorvane);
		BRect workbench = frame_of("Window \"Workbench\"");
		ASSERT_TRUE(quorvane.IsValid() && workbench.IsValid());
		BMessage move(B_SET_PROPERTY);
		move.AddSpecifier("Frame");
		move.AddSpecifier("Window", "Workbench");
		BRect beside = workbench.OffsetToCopy(kWidth - 1 - workbench.Width(), 20);
		move.AddRect("data", beside);
		BMessage reply;
		ASSERT_EQ(BMessenger(kWorkbench).SendMessage(&move, &reply, 5000000, 5000000),
			B_OK);
		ASSERT_TRUE(wait_for([&] { return frame_of("Window \"Workbench\"") == beside; }));
		fQuorvaneFrame = quorvane;
	}

	void TearDown() override
	{
		BMessenger(kQuorvane).SendMessage(B_QUIT_REQUESTED);
		if (fQuorvane > 0) {
			EXPECT_NE(fRuntime.Wait(fQuorvane), -1);
		}
		BMessenger(kWorkbench).SendMessage(B_QUIT_REQUESTED);
	}

	// Ctrl+P in Quorvane's window until the field asks for a click. Without a window
	// manager the keyboard goes where the pointer is: it goes to the field first.
	void StartPick()
	{
		fScreen->MoveTo(kListLeft + 100, fQuorvaneFrame.top + 28);
		fScreen->ControlKey('p');
		std::string text;
		ASSERT_TRUE(wait_for([&] {
			text = specifier_text();
			return text.find("Pick a View") == 0;
		})) << text;
	}

	XvfbServer fServer;
	TestRuntime fRuntime;
	pid_t fQuorvane = -1;
	std::unique_ptr<XvfbScreen> fScreen;
	BRect fQuorvaneFrame;
};

} // namespace


TEST_F(QuorvanePickTest, AClickOnAButtonSelectsItsRow)
{
	BRect button = ScreenFrameOf({ frame_of("Window \"Workbench\""),
		frame_of("View \"Body\" of Window \"Workbench\""),
		frame_of("View \"RightPane\" of View \"Body\" of Window \"Workbench\""),
		frame_of("View \"OptionsBox\" of View \"RightPane\" of View \"Body\" "
			"of Window \"Workbench\""),
		frame_of(kApply) });
	ASSERT_TRUE(button.IsValid());
	BPoint middle((button.left + button.right) / 2, (button.top + button.bottom) / 2);
	ASSERT_FALSE(fQuorvaneFrame.Contains(middle));

	ASSERT_NO_FATAL_FAILURE(StartPick());
	fScreen->MoveTo(middle.x, middle.y);
	ASSERT_TRUE(fScreen->Grab());
	EXPECT_TRUE(fScreen->Save(QV_BIN_DIR "/../Quorvane-pick.png"));
	fScreen->Click(middle.x, middle.y);

	// The button's row is selected: the field shows a view's specifier, and Highlight
	// Selection outlines the button.
	std::string text;
	ASSERT_TRUE(wait_for([&] {
		text = specifier_text();
		return text.find("Specifier: View") == 0;
	})) << text;
	xcb_connection_t* connection = xcb_connect(fServer.Name().c_str(), NULL);
	ASSERT_EQ(xcb_connection_has_error(connection), 0);
	OutlineWindow outline;
	EXPECT_TRUE(wait_for([&] {
		outline = find_outline(connection);
		return outline.mapped && outline.frame == button;
	})) << outline.frame.left << "," << outline.frame.top << " " << outline.frame.right
		<< "," << outline.frame.bottom << " for " << button.left << "," << button.top
		<< " " << button.right << "," << button.bottom;
	xcb_disconnect(connection);

	// The click was the pick's: the button did not take it. The pointer is free again,
	// so the next click reaches the button.
	auto status = [] {
		const char* text = "";
		BMessage reply = workbench_reply("Text of View \"StatusBar\" of View \"Body\" "
			"of Window \"Workbench\"");
		reply.FindString("result", &text);
		return std::string(text);
	};
	EXPECT_NE(status(), "Settings applied.");
	fScreen->Click(middle.x, middle.y);
	EXPECT_TRUE(wait_for([&] { return status() == "Settings applied."; })) << status();
}


TEST_F(QuorvanePickTest, EscapeOrAClickOnNoKitWindowCancels)
{
	// The keyboard is the pick's wherever the pointer is: over the workbench too.
	ASSERT_NO_FATAL_FAILURE(StartPick());
	BRect workbench = frame_of("Window \"Workbench\"");
	fScreen->MoveTo(workbench.right - 20, workbench.bottom - 20);
	fScreen->Key(kEscapeKeysym);
	std::string text;
	ASSERT_TRUE(wait_for([&] {
		text = specifier_text();
		return text == "Pick canceled: Escape pressed";
	})) << text;

	// The desktop, below every window, is no kit window.
	ASSERT_NO_FATAL_FAILURE(StartPick());
	fScreen->Click(5, kHeight - 5);
	// The field may shorten the sentence to its width.
	ASSERT_TRUE(wait_for([&] {
		text = specifier_text();
		return text.find("Pick canceled: no kit") == 0;
	})) << text;
}
