// Bitmaps that accept views: their views draw into the bits (B_RGB32 in place, B_CMAP8
// through the system palette), live in a window of the bitmap's own that locks like any
// window's, leave with RemoveChild() or with the bitmap, and the result draws on screen.
#include <Bitmap.h>
#include <GraphicsDefs.h>
#include <Screen.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <thread>

#include "OffscreenWindowTest.h"
#include "WaitFor.h"
#include "app/LooperList.h"
#include "interface/PixelFormat.h"

namespace {

const rgb_color kRed = { 255, 0, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };
const rgb_color kBlack = { 0, 0, 0, 255 };
const BRect kBounds(0, 0, 19, 9);


rgb_color
PixelOf(const BBitmap& bitmap, int32 x, int32 y)
{
	return BPrivate::ReadPixel((const uint8*)bitmap.Bits() + y * bitmap.BytesPerRow(), x,
		bitmap.ColorSpace());
}


uint8
IndexAt(const BBitmap& bitmap, int32 x, int32 y)
{
	return ((const uint8*)bitmap.Bits())[y * bitmap.BytesPerRow() + x];
}


// Draws a red rectangle (2, 2)-(5, 5) and a blue line along row 8, then syncs.
void
DrawRectAndLine(BView* view)
{
	view->SetHighColor(kRed);
	view->FillRect(BRect(2, 2, 5, 5));
	view->SetHighColor(kBlue);
	view->StrokeLine(BPoint(0, 8), BPoint(19, 8));
	view->Sync();
}


// A view that says when it leaves its window and when it is deleted.
class WatchedView : public BView {
public:
	WatchedView(BRect frame, const char* name, bool* detached, bool* deleted)
		:
		BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW),
		fDetached(detached),
		fDeleted(deleted)
	{
	}

	~WatchedView() override { *fDeleted = true; }

	void DetachedFromWindow() override { *fDetached = true; }

private:
	bool* fDetached;
	bool* fDeleted;
};

} // namespace


TEST(BitmapViewsTest, ViewsDrawIntoRGB32Bits)
{
	BBitmap bitmap(kBounds, B_RGB32, true);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	EXPECT_NE(bitmap.Flags() & B_BITMAP_ACCEPTS_VIEWS, 0u);
	BView* view = new BView(kBounds, "drawer", B_FOLLOW_NONE, B_WILL_DRAW);
	// A child offset by (10, 0) draws its (0, 0) at the bits' column 10.
	BView* inner = new BView(BRect(10, 0, 13, 3), "inner", B_FOLLOW_NONE, B_WILL_DRAW);
	ASSERT_TRUE(bitmap.Lock());
	bitmap.AddChild(view);
	view->AddChild(inner);
	DrawRectAndLine(view);
	inner->SetHighColor(kRed);
	inner->FillRect(inner->Bounds());
	inner->Flush();
	bitmap.Unlock();

	EXPECT_EQ(PixelOf(bitmap, 2, 2), kRed);
	EXPECT_EQ(PixelOf(bitmap, 5, 5), kRed);
	EXPECT_EQ(PixelOf(bitmap, 6, 5), kBlack);
	EXPECT_EQ(PixelOf(bitmap, 0, 8), kBlue);
	EXPECT_EQ(PixelOf(bitmap, 19, 8), kBlue);
	EXPECT_EQ(PixelOf(bitmap, 10, 7), kBlack);
	EXPECT_EQ(PixelOf(bitmap, 10, 0), kRed);
	EXPECT_EQ(PixelOf(bitmap, 13, 3), kRed);
	EXPECT_EQ(PixelOf(bitmap, 14, 3), kBlack);

	// What the application writes to the bits between two drawings stays.
	BBitmap copy(&bitmap, true);
	uint32 green = 0x0000ff00;
	copy.SetBits(&green, 4, 7 * copy.BytesPerRow() + 4 * 15, B_RGB32);
	BView* later = new BView(kBounds, "later", B_FOLLOW_NONE, B_WILL_DRAW);
	ASSERT_TRUE(copy.Lock());
	copy.AddChild(later);
	later->SetHighColor(kBlue);
	later->FillRect(BRect(0, 0, 0, 0));
	later->Sync();
	copy.Unlock();
	EXPECT_EQ(PixelOf(copy, 0, 0), kBlue);
	EXPECT_EQ(PixelOf(copy, 15, 7), make_color(0, 255, 0));
	EXPECT_EQ(PixelOf(copy, 3, 3), kRed);
}


TEST(BitmapViewsTest, ViewsDrawIntoCMAP8BitsThroughThePalette)
{
	BScreen screen;
	uint8 red = screen.IndexForColor(kRed);
	uint8 blue = screen.IndexForColor(kBlue);
	// An index no drawing below produces, written by the application.
	uint8 marked = 20;
	ASSERT_NE(marked, red);
	ASSERT_NE(marked, blue);

	BBitmap bitmap(kBounds, B_CMAP8, true);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	memset(bitmap.Bits(), marked, bitmap.BitsLength());
	BView* view = new BView(kBounds, "drawer", B_FOLLOW_NONE, B_WILL_DRAW);
	ASSERT_TRUE(bitmap.Lock());
	bitmap.AddChild(view);
	DrawRectAndLine(view);
	EXPECT_EQ(IndexAt(bitmap, 3, 3), red);
	EXPECT_EQ(IndexAt(bitmap, 12, 8), blue);
	EXPECT_EQ(IndexAt(bitmap, 6, 6), marked);
	EXPECT_EQ(IndexAt(bitmap, 1, 1), marked);

	// Bits the application changes after a sync are what the next drawing starts from.
	((uint8*)bitmap.Bits())[bitmap.BytesPerRow() * 1 + 10] = blue;
	view->SetHighColor(make_color(250, 10, 10));
	view->FillRect(BRect(15, 0, 19, 4));
	view->Sync();
	bitmap.Unlock();
	EXPECT_EQ(IndexAt(bitmap, 10, 1), blue);
	// A colour outside the palette lands on its nearest index, as any conversion does.
	EXPECT_EQ(IndexAt(bitmap, 17, 2), screen.IndexForColor(250, 10, 10));
	EXPECT_EQ(IndexAt(bitmap, 3, 3), red);
	EXPECT_EQ(IndexAt(bitmap, 14, 2), marked);
}


TEST(BitmapViewsTest, ViewsHaveAThreadlessWindowThatLocksWithTheBitmap)
{
	int32 windows = BPrivate::LooperList::CountWindows();
	BBitmap bitmap(kBounds, B_BITMAP_ACCEPTS_VIEWS, B_RGB32);
	BView* view = new BView(kBounds, "drawer", B_FOLLOW_NONE, B_WILL_DRAW);
	EXPECT_FALSE(bitmap.IsLocked());
	ASSERT_TRUE(bitmap.Lock());
	bitmap.AddChild(view);
	BWindow* window = view->Window();
	ASSERT_NE(window, nullptr);
	EXPECT_TRUE(window->IsLocked());
	EXPECT_TRUE(bitmap.IsLocked());
	EXPECT_LT(window->Thread(), 0);
	EXPECT_TRUE(window->IsHidden());
	// It is not one of the application's windows.
	EXPECT_EQ(BPrivate::LooperList::CountWindows(), windows);
	bitmap.Unlock();
	EXPECT_FALSE(window->IsLocked());

	// Another thread waits for the lock while this one holds it, through the view too.
	ASSERT_TRUE(view->LockLooper());
	status_t whileHeld = B_OK;
	std::thread([&] { whileHeld = window->LockWithTimeout(10000); }).join();
	EXPECT_EQ(whileHeld, B_TIMED_OUT);
	view->UnlockLooper();
	bool drewThere = false;
	std::thread([&] {
		if (bitmap.Lock()) {
			view->SetHighColor(kRed);
			view->FillRect(BRect(0, 0, 0, 0));
			view->Sync();
			drewThere = true;
			bitmap.Unlock();
		}
	}).join();
	EXPECT_TRUE(drewThere);
	EXPECT_EQ(PixelOf(bitmap, 0, 0), kRed);

	// Showing it gives it neither a thread nor a place on screen, and it keeps drawing
	// into the bitmap whatever size it is asked to take.
	ASSERT_TRUE(bitmap.Lock());
	window->Show();
	EXPECT_LT(window->Thread(), 0);
	window->ResizeTo(40, 40);
	EXPECT_EQ(window->Bounds(), kBounds);
	view->SetHighColor(kBlue);
	view->FillRect(BRect(1, 0, 1, 0));
	view->Sync();
	EXPECT_EQ(PixelOf(bitmap, 1, 0), kBlue);
	bitmap.Unlock();

	// A bitmap made without the flag takes no views, and its lock guards its pixels.
	BBitmap plain(kBounds, B_RGB32);
	BView* refused = new BView(kBounds, "refused", B_FOLLOW_NONE, 0);
	plain.AddChild(refused);
	EXPECT_EQ(plain.CountChildren(), 0);
	EXPECT_EQ(refused->Window(), nullptr);
	delete refused;
	EXPECT_FALSE(plain.IsLocked());
	ASSERT_TRUE(plain.Lock());
	EXPECT_TRUE(plain.IsLocked());
	bool otherSeesLocked = true;
	std::thread([&] { otherSeesLocked = plain.IsLocked(); }).join();
	EXPECT_FALSE(otherSeesLocked);
	plain.Unlock();
	EXPECT_FALSE(plain.IsLocked());
}


TEST(BitmapViewsTest, ViewsAreFoundRemovedAndDeleted)
{
	bool detached = false;
	bool deleted = false;
	BBitmap bitmap(kBounds, B_CMAP8, true);
	BView* left = new BView(BRect(0, 0, 9, 9), "left", B_FOLLOW_NONE, 0);
	BView* right = new WatchedView(BRect(10, 0, 19, 9), "right", &detached, &deleted);
	BView* nested = new BView(BRect(2, 2, 4, 4), "nested", B_FOLLOW_NONE, 0);
	ASSERT_TRUE(bitmap.Lock());
	bitmap.AddChild(left);
	bitmap.AddChild(right);
	left->AddChild(nested);
	EXPECT_EQ(bitmap.CountChildren(), 2);
	EXPECT_EQ(bitmap.ChildAt(0), left);
	EXPECT_EQ(bitmap.ChildAt(1), right);
	EXPECT_EQ(bitmap.ChildAt(2), nullptr);
	EXPECT_EQ(bitmap.FindView("nested"), nested);
	EXPECT_EQ(bitmap.FindView("none"), nullptr);
	EXPECT_EQ(bitmap.FindView(BPoint(15, 5)), right);
	EXPECT_EQ(bitmap.FindView(BPoint(3, 3)), nested);
	EXPECT_EQ(bitmap.FindView(BPoint(25, 5)), nullptr);

	ASSERT_TRUE(bitmap.RemoveChild(right));
	EXPECT_TRUE(detached);
	EXPECT_EQ(right->Window(), nullptr);
	EXPECT_EQ(bitmap.CountChildren(), 1);
	EXPECT_FALSE(bitmap.RemoveChild(right));
	delete right;
	EXPECT_TRUE(deleted);

	// A view deleted while in the bitmap leaves it first.
	delete left;
	EXPECT_EQ(bitmap.CountChildren(), 0);
	EXPECT_EQ(bitmap.FindView("nested"), nullptr);
	bitmap.Unlock();
}


TEST(BitmapViewsTest, DeletingTheBitmapDeletesItsViews)
{
	bool detached = false;
	bool deleted = false;
	BBitmap* bitmap = new BBitmap(kBounds, B_RGB32, true);
	ASSERT_TRUE(bitmap->Lock());
	bitmap->AddChild(new WatchedView(kBounds, "watched", &detached, &deleted));
	bitmap->Unlock();
	delete bitmap;
	EXPECT_TRUE(detached);
	EXPECT_TRUE(deleted);

	// Held by the deleting thread, as an application deleting it from a view of its own
	// may do.
	deleted = false;
	bitmap = new BBitmap(kBounds, B_CMAP8, true);
	ASSERT_TRUE(bitmap->Lock());
	bitmap->AddChild(new WatchedView(kBounds, "watched", &detached, &deleted));
	delete bitmap;
	EXPECT_TRUE(deleted);
}


namespace {

// A window whose view draws a CMAP8 bitmap that its own view filled, as an application
// draws flicker-free: offscreen first, then the finished picture on screen.
class DoubleBufferedWindow : public BWindow {
public:
	DoubleBufferedWindow(const char* title)
		:
		BWindow(BRect(100, 100, 139, 129), title, B_TITLED_WINDOW, 0),
		fOffscreen(new BBitmap(BRect(0, 0, 19, 9), B_COLOR_8_BIT, true)),
		fDrawer(new BView(fOffscreen->Bounds(), "drawer", B_FOLLOW_NONE, B_WILL_DRAW))
	{
		fOffscreen->Lock();
		fOffscreen->AddChild(fDrawer);
		fOffscreen->Unlock();
		AddChild(new Shower(Bounds(), this));
	}

	~DoubleBufferedWindow() override { delete fOffscreen; }

	class Shower : public BView {
	public:
		Shower(BRect frame, DoubleBufferedWindow* owner)
			:
			BView(frame, "shower", B_FOLLOW_ALL, B_WILL_DRAW),
			fOwner(owner)
		{
		}

		void Draw(BRect updateRect) override
		{
			BBitmap* offscreen = fOwner->fOffscreen;
			if (!offscreen->Lock())
				return;
			BView* drawer = fOwner->fDrawer;
			drawer->SetHighColor(kBlue);
			drawer->FillRect(drawer->Bounds());
			drawer->SetHighColor(kRed);
			drawer->FillRect(BRect(5, 2, 9, 6));
			drawer->Sync();
			DrawBitmap(offscreen, BPoint(10, 10));
			offscreen->Unlock();
		}

	private:
		DoubleBufferedWindow* fOwner;
	};

	BBitmap* fOffscreen;
	BView* fDrawer;
};


class BitmapViewsScreenTest : public OffscreenWindowTest<DoubleBufferedWindow> {
};

} // namespace


TEST_F(BitmapViewsScreenTest, TheBitmapsPictureDrawsInAWindow)
{
	// The bitmap holds the palette's nearest colours.
	BScreen screen;
	rgb_color red = screen.ColorForIndex(screen.IndexForColor(kRed));
	rgb_color blue = screen.ColorForIndex(screen.IndexForColor(kBlue));
	fWindow = new DoubleBufferedWindow(TestName());
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	EXPECT_TRUE(wait_until(fWindow, [&] { return fOffscreen->PixelAt(17, 14) == red; }));
	EXPECT_EQ(fOffscreen->PixelAt(10, 10), blue);
	EXPECT_EQ(fOffscreen->PixelAt(29, 19), blue);
	EXPECT_EQ(fOffscreen->PixelAt(15, 12), red);
	EXPECT_EQ(fOffscreen->PixelAt(30, 20), make_color(255, 255, 255));
	SaveScreenshot("bitmap-views.png");
}


namespace {

class BitmapViewsDeathTest : public testing::Test {
protected:
	void SetUp() override
	{
#ifndef KIT_CHECK_LOCKS
		GTEST_SKIP() << "built without the lock checks";
#endif
		GTEST_FLAG_SET(death_test_style, "threadsafe");
	}
};

} // namespace


TEST_F(BitmapViewsDeathTest, ItsViewsKeepTheLockRules)
{
	BBitmap bitmap(kBounds, B_RGB32, true);
	BView* view = new BView(kBounds, "drawer", B_FOLLOW_NONE, B_WILL_DRAW);
	EXPECT_DEATH(bitmap.AddChild(view), "BWindow::AddChild.*without the lock");
	ASSERT_TRUE(bitmap.Lock());
	bitmap.AddChild(view);
	bitmap.Unlock();
	EXPECT_DEATH(view->SetHighColor(kRed), "BView::SetHighColor.*without the lock");
}
