// SampleViewer on a real X server (a private Xvfb): its windows reach the screen, drawn.
#include <AppDefs.h>
#include <Messenger.h>

#include "TestRuntime.h"
#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <set>
#include <stdlib.h>

namespace {

const char* kSignature = "application/x-vnd.quorvane-SampleViewer";
const int kWidth = 800;
const int kHeight = 400;

} // namespace


TEST(SampleViewerScreenTest, WindowsAreDrawnOnTheXServer)
{
	XvfbServer server;
	ASSERT_EQ(server.Start(), B_OK);
	setenv("DISPLAY", server.Name().c_str(), 1);
	unsetenv("BE_DISPLAY");

	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	pid_t app = runtime.Start("SampleViewer");
	ASSERT_TRUE(runtime.WaitForApp(kSignature));

	XvfbScreen screen(server.Name(), kWidth, kHeight);
	ASSERT_TRUE(screen.IsOpen());

	// The leaf swatch of the first window and the deepest view of the second.
	const uint32 kLeaf = 0xffb0a0;
	const uint32 kDeep = 0xffffff;
	std::set<uint32> colors;
	auto shown = [&] {
		colors.clear();
		for (int y = 0; y < kHeight; y++) {
			for (int x = 0; x < kWidth; x++)
				colors.insert(screen.At(x, y));
		}
		return colors.count(kLeaf) == 1 && colors.count(kDeep) == 1;
	};
	ASSERT_TRUE(screen.WaitFor(shown));

	// Not blank: the windows show many colours, text included.
	EXPECT_GT(colors.size(), 20u);
	// The first window's content starts at its frame's corner (60, 60).
	EXPECT_EQ(screen.At(60, 60), 0xd8d8d8u);
	EXPECT_TRUE(screen.Save(QV_BIN_DIR "/../SampleViewer-screen.png"));

	BMessenger(kSignature).SendMessage(B_QUIT_REQUESTED);
	EXPECT_NE(runtime.Wait(app), -1);
}
