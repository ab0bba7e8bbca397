// Quorvane on a real X server (a private Xvfb) beside the sample applications: its
// outline fills, real clicks through the server's XTEST extension expand rows and select
// a view, and the capabilities pane and the specifier field show it; Ctrl+C hands the
// specifier to other X11 programs, and the window carries the program's icon. The screen
// is saved as Quorvane-screen.png in the build directory.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include "QuorvaneOnScreen.h"
#include "TestRuntime.h"
#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

using quorvane_on_screen::is_red;
using quorvane_on_screen::kQuorvane;
using quorvane_on_screen::kWorkbench;
using quorvane_on_screen::specifier_text;

const char* kViewer = "application/x-vnd.quorvane-SampleViewer";
const int kWidth = 700;
const int kHeight = 450;

// The window sits at (50, 50) (no window manager moves it); after its first layout the
// outline's list starts 279 pixels in, behind its scroll view's border.
const int kListLeft = 50 + 279;
const int kListRight = 50 + 540;
const int kPaneLeft = 50 + 10;
const int kPaneRight = 50 + 240;
// The outline's rows of text are taller than this.
const int kShortestRow = 10;


bool
is_dark(uint32 pixel)
{
	return ((pixel >> 16) & 0xff) < 100 && ((pixel >> 8) & 0xff) < 100
		&& (pixel & 0xff) < 100;
}


// What command prints on standard output, "<failed>" when it fails.
std::string
read_command(const std::string& command)
{
	FILE* pipe = popen(command.c_str(), "r");
	if (pipe == NULL)
		return "<failed>";
	std::string output;
	char buffer[256];
	while (size_t bytes = fread(buffer, 1, sizeof(buffer), pipe))
		output.append(buffer, bytes);
	return pclose(pipe) == 0 ? output : "<failed>";
}

} // namespace


TEST(QuorvaneScreenTest, ARealClickSelectsAViewBesideTheSampleApplications)
{
	XvfbServer server;
	ASSERT_EQ(server.Start(), B_OK);
	setenv("DISPLAY", server.Name().c_str(), 1);
	unsetenv("BE_DISPLAY");

	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	runtime.Start("SampleViewer");
	ASSERT_TRUE(runtime.WaitForApp(kViewer));
	if (access(TestRuntime::BinaryPath("SampleWorkbench").c_str(), X_OK) == 0) {
		runtime.Start("SampleWorkbench");
		ASSERT_TRUE(runtime.WaitForApp(kWorkbench));
	}
	pid_t quorvane = runtime.Start("Quorvane", {}, "/dev/null");
	ASSERT_TRUE(runtime.WaitForApp(kQuorvane));

	XvfbScreen screen(server.Name(), kWidth, kHeight);
	ASSERT_TRUE(screen.IsOpen());

	// The first application's row: its file name in red.
	std::vector<int> rows;
	ASSERT_TRUE(screen.WaitFor([&] {
		rows = screen.TextRows(kListLeft, kListRight, is_red, kShortestRow);
		return !rows.empty();
	}));
	int first = rows[0];
	int count = rows.size();

	// Its latch expands it: its windows' rows follow, the first one named in red. The
	// rows are read once two grabs agree, so that none is caught half drawn.
	screen.Click(kListLeft + 6, first + 6);
	std::vector<int> previous;
	ASSERT_TRUE(screen.WaitFor([&] {
		previous.swap(rows);
		rows = screen.TextRows(kListLeft, kListRight, is_red, kShortestRow);
		return (int)rows.size() > count && rows == previous;
	}));
	int pitch = rows[1] - rows[0];
	ASSERT_GE(pitch, 18);

	// The first window's latch, one level in, shows its views; the first view's row is
	// selected by a click on its text.
	screen.Click(kListLeft + 12 + 6, first + pitch + 6);
	screen.Click(kListLeft + 120, first + 2 * pitch + 6);

	// The capabilities pane fills with text; the specifier names a view of a window.
	ASSERT_TRUE(screen.WaitFor([&] {
		return screen.Bands(kPaneLeft, kPaneRight, is_dark).size() > 10;
	}));
	std::string specifier = specifier_text();
	EXPECT_EQ(specifier.rfind("Specifier: ", 0), 0u) << specifier;
	EXPECT_NE(specifier.find("View"), std::string::npos) << specifier;
	EXPECT_NE(specifier.find("Window"), std::string::npos) << specifier;

	ASSERT_TRUE(screen.Grab());
	EXPECT_TRUE(screen.Save(QV_BIN_DIR "/../Quorvane-screen.png"));

	// Ctrl+C puts the view's whole specifier on the CLIPBOARD selection, where another
	// X11 program reads it.
	if (access("/usr/bin/xclip", X_OK) == 0) {
		screen.ControlKey('c');
		std::string chain = specifier.substr(strlen("Specifier: "));
		std::string pasted;
		for (int i = 0; i < 100 && pasted != chain; i++) {
			usleep(100000);
			pasted = read_command("timeout 10 /usr/bin/xclip -display " + server.Name()
				+ " -selection clipboard -o");
		}
		EXPECT_EQ(pasted, chain);
	}

	// The window shows the program's 16 by 16 icon.
	std::vector<uint32> icon = screen.Cardinals("Quorvane", "_NET_WM_ICON");
	ASSERT_EQ(icon.size(), 2u + 16 * 16);
	EXPECT_EQ(icon[0], 16u);
	EXPECT_EQ(icon[1], 16u);
	EXPECT_EQ(icon[2] >> 24, 0u);
	EXPECT_EQ(icon[2 + 8 * 16 + 8] >> 24, 0xffu);

	BMessenger(kQuorvane).SendMessage(B_QUIT_REQUESTED);
	EXPECT_NE(runtime.Wait(quorvane), -1);
}
