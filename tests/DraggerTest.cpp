// Draggers in a window on the offscreen display: the handle drawn in its target's corner,
// hidden and shown again for the whole application, its target, and its archive (a
// view's, with the relation to its target).
#include <Dragger.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include "OffscreenWindowTest.h"
#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

namespace {

const rgb_color kFace = { 200, 220, 240, 255 };


class DraggerTest : public OffscreenWindowTest<BWindow> {
protected:
	void Open(const char* title)
	{
		fWindow = new BWindow(BRect(100, 100, 199, 199), title, B_TITLED_WINDOW, 0);
		fTarget = new BView(BRect(10, 10, 59, 59), "target", B_FOLLOW_NONE, B_WILL_DRAW);
		fTarget->SetViewColor(kFace);
		fDragger = new BDragger(BRect(42, 42, 49, 49), fTarget, 0);
		fTarget->AddChild(fDragger);
		fWindow->AddChild(fTarget);
		ShowWindow();
	}

	void TearDown() override
	{
		BDragger::ShowAllDraggers();
		OffscreenWindowTest::TearDown();
	}

	// The user's choice of shown draggers is kept in this test's own settings folder.
	ScratchDirectory fScratch;
	ScopedEnvironment fConfig{ "XDG_CONFIG_HOME", fScratch.Path() };

	// The handle's frame, in window coordinates.
	bool FrameShows(bool drawn)
	{
		rgb_color frame = drawn ? tint_color(kFace, B_DARKEN_4_TINT) : kFace;
		return wait_until(fWindow, [&] { return fOffscreen->PixelAt(59, 59) == frame; });
	}

	BView* fTarget = nullptr;
	BDragger* fDragger = nullptr;
};

} // namespace


TEST_F(DraggerTest, HandleIsDrawnUntilTheApplicationHidesDraggers)
{
	Open("Dragger shown");
	EXPECT_TRUE(BDragger::AreDraggersDrawn());
	EXPECT_TRUE(FrameShows(true));
	// Outside the handle, the target's own colour.
	EXPECT_TRUE(wait_until(fWindow, [&] { return fOffscreen->PixelAt(30, 30) == kFace; }));

	ASSERT_EQ(BDragger::HideAllDraggers(), B_OK);
	EXPECT_FALSE(BDragger::AreDraggersDrawn());
	EXPECT_TRUE(FrameShows(false));
	ASSERT_EQ(BDragger::ShowAllDraggers(), B_OK);
	EXPECT_TRUE(FrameShows(true));
}


TEST_F(DraggerTest, TargetIsTheViewItStandsFor)
{
	Open("Dragger target");
	wait_until(fWindow, [&] {
		EXPECT_EQ(fDragger->Target(), fTarget);
		EXPECT_FALSE(fDragger->InShelf());
		return true;
	});
	BDragger orphan(BRect(0, 0, 7, 7), NULL);
	EXPECT_EQ(orphan.Target(), nullptr);
}


TEST_F(DraggerTest, ArchiveKeepsTheViewsFrameFlagsAndColour)
{
	BView target(BRect(5, 6, 55, 66), "clock", B_FOLLOW_RIGHT, B_WILL_DRAW | B_PULSE_NEEDED);
	target.SetViewColor(kFace);
	target.AddChild(new BDragger(BRect(43, 59, 50, 66), &target, 0));
	BMessage archive;
	ASSERT_EQ(target.Archive(&archive), B_OK);
	EXPECT_STREQ(archive.FindString("class"), "BView");
	BMessage child;
	ASSERT_EQ(archive.FindMessage("_views", &child), B_OK);
	EXPECT_STREQ(child.FindString("class"), "BDragger");

	BView* restored = dynamic_cast<BView*>(BView::Instantiate(&archive));
	ASSERT_NE(restored, nullptr);
	EXPECT_STREQ(restored->Name(), "clock");
	EXPECT_EQ(restored->Frame(), BRect(5, 6, 55, 66));
	EXPECT_EQ(restored->Bounds(), BRect(0, 0, 50, 60));
	EXPECT_EQ(restored->ResizingMode(), (uint32)B_FOLLOW_RIGHT);
	EXPECT_EQ(restored->Flags(), B_WILL_DRAW | B_PULSE_NEEDED);
	EXPECT_EQ(restored->ViewColor(), kFace);
	delete restored;

	BMessage shallow;
	ASSERT_EQ(target.Archive(&shallow, false), B_OK);
	EXPECT_FALSE(shallow.HasMessage("_views"));
	BDragger* dragger = dynamic_cast<BDragger*>(BDragger::Instantiate(&child));
	ASSERT_NE(dragger, nullptr);
	EXPECT_EQ(dragger->Frame(), BRect(43, 59, 50, 66));
	delete dragger;
	EXPECT_EQ(BDragger::Instantiate(&archive), nullptr);
}
