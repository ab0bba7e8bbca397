// Drag and drop between two kit processes on a private X server: the user presses in one
// application's window, moves the pointer over another's and releases; the message lands
// in the other's view, and the drag's outline followed the pointer on the way. A
// replicant dragged by its dragger onto another application's shelf comes alive there.
#include "KitAppTest.h"
#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"
#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <Messenger.h>

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


TEST_F(X11DragTest, ReplicantDraggedOntoAnotherApplicationsShelfComesAlive)
{
	// Draggers are drawn unless the user's settings hide them: these settings are fresh.
	ScratchDirectory scratch;
	ScopedEnvironment config("XDG_CONFIG_HOME", scratch.Path());
	const char* const kShelfApp = "application/x-vnd.test-shelf";
	pid_t source = fRuntime.Start("ShelfTestApp", { scratch / "source", "100", "100" });
	pid_t target = fRuntime.Start("ShelfTestApp", { scratch / "target", "100", "260" });
	// Each window: its shelf's container (grey) at its left, the view with a dragger (blue)
	// at (160, 10), 30 pixels wide, its dragger in its bottom right corner.
	const uint32 kGrey = 0xe6e6e6;
	const uint32 kBlue = 0x5a8cc8;
	XvfbScreen screen(fServer.Name(), 400, 400);
	ASSERT_TRUE(screen.IsOpen());
	ASSERT_TRUE(screen.WaitFor([&] {
		return screen.At(150, 150) == kGrey && screen.At(265, 115) == kBlue
			&& screen.At(150, 310) == kGrey;
	}));

	// Press on the dragger, move past the few pixels that make a drag, and drop the
	// replicant on the other window's shelf.
	screen.MoveTo(285, 135);
	screen.Press();
	screen.MoveTo(280, 140);
	screen.MoveTo(200, 250);
	screen.MoveTo(170, 320);
	snooze(200000);
	screen.MoveTo(171, 320);
	screen.MoveTo(170, 320);
	screen.Release();

	// The receiving application instantiated the replicant where it was dropped: held by
	// its dragger, the view's top left corner lands 25 pixels up and left of the pointer.
	BMessenger shelfOf(kShelfApp, target);
	ASSERT_TRUE(shelfOf.IsValid());
	auto count = [&](const BMessenger& app) {
		BMessage request(B_COUNT_PROPERTIES);
		request.AddSpecifier("Replicant");
		request.AddSpecifier("Shelf");
		request.AddSpecifier("View", "container");
		request.AddSpecifier("Window", (int32)0);
		BMessage reply;
		if (app.SendMessage(&request, &reply, 1000000, 1000000) != B_OK)
			return -1;
		return (int)reply.FindInt32("result");
	};
	EXPECT_TRUE(wait_for([&] { return count(shelfOf) == 1; })) << count(shelfOf);
	EXPECT_TRUE(screen.WaitFor([&] { return screen.At(150, 300) == kBlue; }));
	screen.Save(QV_BIN_DIR "/../X11DragTest-replicant.png");
	BMessage name(B_GET_PROPERTY);
	name.AddSpecifier("InternalName");
	name.AddSpecifier("View");
	name.AddSpecifier("Replicant", (int32)0);
	name.AddSpecifier("Shelf");
	name.AddSpecifier("View", "container");
	name.AddSpecifier("Window", (int32)0);
	BMessage reply;
	ASSERT_EQ(shelfOf.SendMessage(&name, &reply, 1000000, 1000000), B_OK);
	EXPECT_STREQ(reply.FindString("result"), "source");
	// The source keeps its view: the drag copied it.
	EXPECT_EQ(count(BMessenger(kShelfApp, source)), 0);
	EXPECT_EQ(screen.At(265, 115), kBlue);
	fRuntime.Stop(source);
	fRuntime.Stop(target);
}
