// A window's place on the offscreen screen: zoom, the alignment grid, conversion to the
// screen, stacking, type and subsets, and the hooks for workspaces and screen changes.
#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Screen.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <atomic>

#include "OffscreenWindowTest.h"
#include "WaitFor.h"

namespace {

class PlacedWindow : public BWindow {
public:
	explicit PlacedWindow(const char* title, window_type type = B_TITLED_WINDOW)
		:
		BWindow(BRect(40, 30, 239, 129), title, type, 0)
	{
	}

	using BWindow::Zoom;

	void Zoom(BPoint origin, float width, float height) override
	{
		zooms++;
		BWindow::Zoom(origin, width, height);
	}

	void WorkspacesChanged(uint32 oldWorkspaces, uint32 newWorkspaces) override
	{
		changedFrom = oldWorkspaces;
		changedTo = newWorkspaces;
	}

	void WorkspaceActivated(int32 workspace, bool state) override
	{
		if (state)
			entered = workspace;
		else
			left = workspace;
	}

	void ScreenChanged(BRect frame, color_space depth) override
	{
		screenFrame = frame;
		screenDepth = depth;
	}

	std::atomic<int> zooms{0};
	std::atomic<uint32> changedFrom{0};
	std::atomic<uint32> changedTo{0};
	std::atomic<int32> entered{-1};
	std::atomic<int32> left{-1};
	BRect screenFrame;
	color_space screenDepth = B_NO_COLOR_SPACE;
};

} // namespace


class WindowPlacementTest : public OffscreenWindowTest<PlacedWindow> {
};


TEST_F(WindowPlacementTest, ZoomGrowsToTheLimitsAndBack)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	fWindow->SetZoomLimits(600, 10000);
	fWindow->SetSizeLimits(50, 5000, 50, 400);
	fWindow->Zoom();
	EXPECT_EQ(fWindow->Frame(), BRect(0, 0, 600, 400));
	EXPECT_EQ(fWindow->zooms, 1);
	fWindow->Zoom();
	EXPECT_EQ(fWindow->Frame(), BRect(40, 30, 239, 129));
	fWindow->Unlock();

	// The zoom button's message zooms too.
	fWindow->PostMessage(B_ZOOM);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->zooms == 3; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fWindow->Frame(), BRect(0, 0, 600, 400));
	fWindow->Unlock();
}


TEST_F(WindowPlacementTest, AlignmentKeepsTheFrameOnItsGrid)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	ASSERT_EQ(fWindow->SetWindowAlignment(B_PIXEL_ALIGNMENT, 8, 2, 16, 0, 0, 0, 0, 0),
		B_OK);
	fWindow->MoveTo(45, 31);
	EXPECT_EQ(fWindow->Frame().left, 42);
	EXPECT_EQ(fWindow->Frame().top, 31);
	fWindow->ResizeTo(100, 50);
	// 101 pixels snap to 96, the nearest multiple of 16.
	EXPECT_EQ(fWindow->Frame().Width(), 95);
	EXPECT_EQ(fWindow->Frame().Height(), 50);

	window_alignment mode;
	int32 h;
	int32 hOffset;
	int32 width;
	EXPECT_EQ(fWindow->GetWindowAlignment(&mode, &h, &hOffset, &width), B_OK);
	EXPECT_EQ(mode, B_PIXEL_ALIGNMENT);
	EXPECT_EQ(h, 8);
	EXPECT_EQ(hOffset, 2);
	EXPECT_EQ(width, 16);

	// An offset must lie inside its step; a bad request changes nothing.
	EXPECT_EQ(fWindow->SetWindowAlignment(B_PIXEL_ALIGNMENT, 4, 4), B_BAD_VALUE);
	EXPECT_EQ(fWindow->SetWindowAlignment(B_PIXEL_ALIGNMENT, -1), B_BAD_VALUE);
	EXPECT_EQ(fWindow->SetWindowAlignment((window_alignment)7, 1), B_BAD_VALUE);
	EXPECT_EQ(fWindow->GetWindowAlignment(NULL, &h), B_OK);
	EXPECT_EQ(h, 8);
	fWindow->Unlock();
}


TEST_F(WindowPlacementTest, ConvertsBetweenWindowAndScreen)
{
	fWindow = new PlacedWindow(TestName());
	EXPECT_EQ(fWindow->ConvertToScreen(BPoint(1, 2)), BPoint(41, 32));
	EXPECT_EQ(fWindow->ConvertFromScreen(BPoint(41, 32)), BPoint(1, 2));
	EXPECT_EQ(fWindow->ConvertToScreen(BRect(0, 0, 9, 9)), BRect(40, 30, 49, 39));
	BRect rect(40, 30, 49, 39);
	fWindow->ConvertFromScreen(&rect);
	EXPECT_EQ(rect, BRect(0, 0, 9, 9));
}


TEST_F(WindowPlacementTest, SendBehindChangesTheFrontWindow)
{
	Open(TestName());
	PlacedWindow* other = new PlacedWindow("WindowPlacementTest other");
	other->Show();
	ASSERT_TRUE(other->Lock());
	EXPECT_TRUE(other->IsFront());
	EXPECT_EQ(other->SendBehind(fWindow), B_OK);
	EXPECT_FALSE(other->IsFront());
	EXPECT_EQ(other->SendBehind(other), B_ERROR);
	other->Quit();
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_TRUE(fWindow->IsFront());
	fWindow->Hide();
	EXPECT_FALSE(fWindow->IsFront());
	fWindow->Unlock();
}


TEST_F(WindowPlacementTest, TypeFeelAndSubsets)
{
	fWindow = new PlacedWindow(TestName());
	EXPECT_FALSE(fWindow->IsModal());
	EXPECT_EQ(fWindow->SetType(B_MODAL_WINDOW), B_OK);
	EXPECT_EQ(fWindow->Type(), B_MODAL_WINDOW);
	EXPECT_TRUE(fWindow->IsModal());
	EXPECT_EQ(fWindow->SetType(B_FLOATING_WINDOW), B_OK);
	EXPECT_TRUE(fWindow->IsFloating());
	EXPECT_EQ(fWindow->SetType((window_type)99), B_BAD_VALUE);
	EXPECT_EQ(fWindow->Type(), B_FLOATING_WINDOW);

	BWindow* normal = new BWindow(BRect(0, 0, 10, 10), "normal", B_TITLED_WINDOW, 0);
	// Only a subset window has a subset.
	EXPECT_EQ(fWindow->AddToSubset(normal), B_BAD_VALUE);
	fWindow->SetFeel(B_FLOATING_SUBSET_WINDOW_FEEL);
	EXPECT_EQ(fWindow->AddToSubset(normal), B_OK);
	EXPECT_EQ(fWindow->AddToSubset(fWindow), B_BAD_VALUE);
	EXPECT_EQ(fWindow->RemoveFromSubset(normal), B_OK);
	EXPECT_EQ(fWindow->RemoveFromSubset(normal), B_BAD_VALUE);
	normal->Quit();
}


TEST_F(WindowPlacementTest, WorkspaceHooksHearChanges)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	uint32 before = fWindow->Workspaces();
	EXPECT_EQ(before, 1u << current_workspace());
	fWindow->SetWorkspaces(0x6);
	fWindow->Unlock();
	ASSERT_TRUE(wait_for([&] { return fWindow->changedTo == 0x6; }));
	EXPECT_EQ(fWindow->changedFrom, before);

	set_workspace_count(3);
	EXPECT_EQ(count_workspaces(), 3);
	activate_workspace(2);
	EXPECT_EQ(current_workspace(), 2);
	ASSERT_TRUE(wait_for([&] { return fWindow->entered == 2; }));
	EXPECT_EQ(fWindow->left, 0);
	// Beyond the count: nothing happens.
	activate_workspace(7);
	EXPECT_EQ(current_workspace(), 2);
	set_workspace_count(1);
	EXPECT_EQ(current_workspace(), 0);
}


TEST_F(WindowPlacementTest, ScreenChangedHearsTheDisplay)
{
	Open(TestName());
	BPrivate::DisplayEvent event;
	event.type = BPrivate::kDisplayScreenChanged;
	event.frame = BRect(0, 0, 799, 599);
	fOffscreen->Inject(event);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->screenDepth == B_RGB32; }));
	EXPECT_EQ(fWindow->screenFrame, BRect(0, 0, 799, 599));
}
