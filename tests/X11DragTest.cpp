// Drag and drop between two kit processes on a private X server: the user presses in one
// application's window, moves the pointer over another's and releases; the message lands
// in the other's view, and the drag's outline followed the pointer on the way.
#include "KitAppTest.h"
#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>

namespace {

std::string
ReadFile(const std::string& path)
{
	std::ifstream file(path);
	std::stringstream contents;
	contents << file.rdbuf();
	return contents.str();
}

} // namespace


class X11DragTest : public KitAppTest {
protected:
	void SetUp() override
	{
		KitAppTest::SetUp();
		ASSERT_EQ(fServer.Start(), B_OK);
		setenv("DISPLAY", fServer.Name().c_str(), 1);
		setenv("BE_DISPLAY", "x11", 1);
	}

	XvfbServer fServer;
};


TEST_F(X11DragTest, DropReachesAViewOfAnotherProcess)
{
	std::string sourceLog = fRuntime.Directory() + "/source.out";
	std::string targetLog = fRuntime.Directory() + "/target.out";
	pid_t source = fRuntime.Start("DropTestApp", { "100", "100", "0x00ff00" }, sourceLog);
	pid_t target = fRuntime.Start("DropTestApp", { "300", "100", "0x0000ff" }, targetLog);
	XvfbScreen screen(fServer.Name(), 500, 300);
	ASSERT_TRUE(screen.IsOpen());
	ASSERT_TRUE(screen.WaitFor([&] {
		return screen.At(150, 130) == 0x00ff00 && screen.At(350, 130) == 0x0000ff;
	}));

	screen.MoveTo(150, 130);
	screen.Press();
	screen.MoveTo(250, 130);
	screen.MoveTo(350, 130);
	// The outline of the dragged rectangle (held at its middle) is over the target. The
	// outline follows the pointer's motion: when the source reads the press only after the
	// moves, the pointer is nudged until the drag shows.
	ASSERT_TRUE(screen.WaitFor([&] {
		if (screen.At(346, 126) == 0 && screen.At(354, 134) == 0
			&& screen.At(350, 130) == 0x0000ff) {
			return true;
		}
		screen.MoveTo(350, 131);
		screen.MoveTo(350, 130);
		return false;
	}));
	screen.Save(QV_BIN_DIR "/../X11DragTest-dragging.png");
	screen.Release();

	std::string expected = "dropped " + std::to_string(source) + " 350 130";
	EXPECT_TRUE(wait_for([&] {
		return ReadFile(targetLog).find(expected) != std::string::npos;
	})) << ReadFile(targetLog);
	// The outline went with the drag.
	EXPECT_TRUE(screen.WaitFor([&] { return screen.At(346, 126) == 0x0000ff; }));
	EXPECT_EQ(ReadFile(sourceLog).find("dropped"), std::string::npos);
	fRuntime.Stop(source);
	fRuntime.Stop(target);
}
