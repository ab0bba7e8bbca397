// The outline that Quorvane draws around the selected view on a real X server (a private
// Xvfb): an override-redirect window over the view's screen rectangle that takes no input,
// whose inside is cut away, which goes when "Highlight Selection" is turned off, when
// the application quits and when Quorvane quits. The screen with the outline is saved as Quorvane-outline.png in the
// build directory.
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

#include <string>
#include <vector>

#include <xcb/shape.h>
#include <xcb/xcb.h>

using namespace quorvane_on_screen;

namespace {

bool
is_outline(uint32 pixel)
{
	return pixel == 0xff00a0;
}

} // namespace


TEST(QuorvaneOutlineTest, TheSelectedViewIsOutlinedOnTheScreenUntilHighlightingStops)
{
	XvfbServer server;
	ASSERT_EQ(server.Start(kWidth, kHeight), B_OK);
	setenv("DISPLAY", server.Name().c_str(), 1);
	unsetenv("BE_DISPLAY");

	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	runtime.Start("SampleWorkbench");
	ASSERT_TRUE(runtime.WaitForApp(kWorkbench));
	pid_t quorvane = runtime.Start("Quorvane", { "SampleWorkbench" }, "/dev/null");
	ASSERT_TRUE(runtime.WaitForApp(kQuorvane));

	XvfbScreen screen(server.Name(), kWidth, kHeight);
	ASSERT_TRUE(screen.IsOpen());
	xcb_connection_t* connection = xcb_connect(server.Name().c_str(), NULL);
	ASSERT_EQ(xcb_connection_has_error(connection), 0);

	// The application's row, its window's row, then its window's first view.
	std::vector<int> rows;
	ASSERT_TRUE(screen.WaitFor([&] {
		rows = screen.Bands(kListLeft, kListRight, is_red);
		return !rows.empty();
	}));
	int first = rows[0];
	screen.Click(kListLeft + 6, first + 6);
	ASSERT_TRUE(screen.WaitFor([&] {
		rows = screen.Bands(kListLeft, kListRight, is_red);
		return rows.size() > 1;
	}));
	int pitch = rows[1] - rows[0];
	screen.Click(kListLeft + 12 + 6, first + pitch + 6);
	screen.Click(kListLeft + 120, first + 2 * pitch + 6);

	std::string specifier;
	ASSERT_TRUE(wait_for([&] {
		specifier = specifier_text();
		return specifier.find("View") != std::string::npos;
	})) << specifier;
	std::string phrase = specifier.substr(strlen("Specifier: "));
	std::string window = phrase.substr(phrase.rfind("Window"));
	BRect expected = ScreenFrameOf({ frame_of(window), frame_of(phrase) });
	ASSERT_TRUE(expected.IsValid()) << phrase;

	// The outline window covers the view exactly, takes no input and is drawn only at
	// its edges: inside, the application shows through.
	OutlineWindow outline;
	ASSERT_TRUE(wait_for([&] {
		outline = find_outline(connection);
		return outline.mapped && outline.frame == expected;
	})) << outline.frame.left << "," << outline.frame.top << " " << outline.frame.right
		<< "," << outline.frame.bottom << " for " << expected.left << "," << expected.top
		<< " " << expected.right << "," << expected.bottom;
	EXPECT_TRUE(outline.overrideRedirect);
	EXPECT_EQ(outline.inputRectangles, 0);
	ASSERT_TRUE(screen.WaitFor([&] {
		return is_outline(screen.At(expected.left, expected.top))
			&& is_outline(screen.At(expected.right - 1, expected.bottom - 1));
	}));
	int left = expected.left;
	int top = expected.top;
	int right = expected.right;
	int bottom = expected.bottom;
	EXPECT_EQ(screen.Count(left + 2, top + 2, right - 2, bottom - 2, is_outline), 0);
	EXPECT_EQ(screen.Count(left, top, right, top + 1, is_outline), 2 * (right - left + 1));
	EXPECT_TRUE(screen.Save(QV_BIN_DIR "/../Quorvane-outline.png"));

	// Ctrl+H turns highlighting off: the outline goes; on again, it comes back.
	screen.ControlKey('h');
	ASSERT_TRUE(wait_for([&] { return !find_outline(connection).mapped; }));
	screen.ControlKey('h');
	ASSERT_TRUE(wait_for([&] { return find_outline(connection).mapped; }));

	// The application quits: the outline goes with its row. Then Quorvane quits, and its
	// outline window goes with it.
	BMessenger(kWorkbench).SendMessage(B_QUIT_REQUESTED);
	ASSERT_TRUE(wait_for([&] { return !find_outline(connection).mapped; }));
	BMessenger(kQuorvane).SendMessage(B_QUIT_REQUESTED);
	EXPECT_NE(runtime.Wait(quorvane), -1);
	EXPECT_FALSE(find_outline(connection).found);
	xcb_disconnect(connection);
}


// A view's screen rectangle: its window's frame on the screen, then each frame in its
// parent's coordinates, added up; the last frame gives the size.
TEST(TargetFrameTest, FramesAlongTheChainAddUp)
{
	EXPECT_EQ(ScreenFrameOf({ BRect(80, 60, 719, 519) }), BRect(80, 60, 719, 519));
	EXPECT_EQ(ScreenFrameOf({ BRect(80, 60, 719, 519), BRect(10, 20, 110, 45),
		BRect(5, 3, 54, 22) }), BRect(95, 83, 144, 102));
	EXPECT_FALSE(ScreenFrameOf({}).IsValid());
}
