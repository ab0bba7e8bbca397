// The lock checks: a thread that changes a window, a view, a list view or an outline list
// view without holding the window's lock is stopped, the method named; a thread that holds
// it (through BAutolock too) goes on. Built without the checks (a release build), calls
// are not checked and the test is skipped.
#include <Autolock.h>
#include <ListItem.h>
#include <ListView.h>
#include <OutlineListView.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

class LockCheckDeathTest : public testing::Test {
protected:
	void SetUp() override
	{
#ifndef KIT_CHECK_LOCKS
		GTEST_SKIP() << "built without the lock checks";
#endif
		// The child process runs the test again up to the statement that must die,
		// rather than inheriting a fork of the window's thread.
		GTEST_FLAG_SET(death_test_style, "threadsafe");
		setenv("BE_DISPLAY", "offscreen", 1);
		fWindow = new BWindow(BRect(0, 0, 199, 199), "Lock rules", B_TITLED_WINDOW, 0);
		fView = new BView(BRect(0, 0, 49, 49), "plain", B_FOLLOW_NONE, 0);
		fList = new BListView(BRect(50, 0, 99, 99), "list");
		fOutline = new BOutlineListView(BRect(100, 0, 149, 99), "outline");
		fWindow->AddChild(fView);
		fWindow->AddChild(fList);
		fWindow->AddChild(fOutline);
		// The first Show starts the window's thread and gives up this thread's lock.
		fWindow->Show();
	}

	void TearDown() override
	{
		if (fWindow != NULL && fWindow->Lock())
			fWindow->Quit();
	}

	BWindow* fWindow = NULL;
	BView* fView = NULL;
	BListView* fList = NULL;
	BOutlineListView* fOutline = NULL;
};

} // namespace


TEST_F(LockCheckDeathTest, AnUnlockedCallStopsNamingTheMethod)
{
	EXPECT_DEATH(fView->MoveTo(5, 5), "BView::MoveTo.*without the lock of looper");
	EXPECT_DEATH(fView->Invalidate(), "BView::Invalidate");
	EXPECT_DEATH(fWindow->SetSizeLimits(10, 500, 10, 500), "BWindow::SetSizeLimits");
	EXPECT_DEATH(fWindow->AddChild(new BView(BRect(0, 0, 9, 9), "late", 0, 0)),
		"BWindow::AddChild");
	EXPECT_DEATH(fList->AddItem(new BStringItem("row")), "BListView::AddItem");
	EXPECT_DEATH(fList->DeselectAll(), "BListView::DeselectAll");
	EXPECT_DEATH(fOutline->AddUnder(new BStringItem("child"), NULL),
		"BOutlineListView::AddUnder");
}


TEST_F(LockCheckDeathTest, TheLockHolderAndDetachedViewsPass)
{
	// The lists delete no items: these outlive their rows.
	BStringItem row("row");
	BStringItem parent("parent");
	BStringItem child("child");
	{
		BAutolock lock(fWindow);
		ASSERT_TRUE(lock.IsLocked());
		fView->MoveTo(5, 5);
		fWindow->SetTitle("Changed");
		fList->AddItem(&row);
		fOutline->AddItem(&parent);
		fOutline->AddUnder(&child, &parent);
		EXPECT_EQ(fView->Frame().LeftTop(), BPoint(5, 5));
		EXPECT_TRUE(fList->RemoveItem(&row));
		// Removing an item takes its subitems with it.
		EXPECT_TRUE(fOutline->RemoveItem(&parent));
	}
	EXPECT_FALSE(fWindow->IsLocked());

	// SetTitle takes the window's lock itself, as on the platform.
	fWindow->SetTitle("Renamed unlocked");
	EXPECT_STREQ(fWindow->Title(), "Renamed unlocked");
	EXPECT_FALSE(fWindow->IsLocked());

	// A view outside any window belongs to no looper: any thread may change it.
	BView detached(BRect(0, 0, 9, 9), "detached", B_FOLLOW_NONE, 0);
	detached.MoveTo(3, 3);
	EXPECT_EQ(detached.Frame().LeftTop(), BPoint(3, 3));

	BAutolock none((BLooper*)NULL);
	EXPECT_FALSE(none.IsLocked());
}
