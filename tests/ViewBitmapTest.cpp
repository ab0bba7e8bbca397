// A view's background bitmap (tiled, placed, following the view's edges, kept after the
// caller deletes its bitmap), its overlay (shown only where the view shows the colour
// key), and DrawAfterChildren(), seen in the pixels of an offscreen window.
#include <Bitmap.h>
#include <View.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const rgb_color kRed = { 255, 0, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };
const rgb_color kGreen = { 0, 255, 0, 255 };
const rgb_color kWhite = { 255, 255, 255, 255 };


// A width by height B_RGB32 bitmap whose left half is red and right half blue.
BBitmap*
two_colour_bitmap(int32 width, int32 height, uint32 flags = 0)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, width - 1, height - 1), flags, B_RGB32);
	for (int32 y = 0; y < height; y++) {
		uint32* row = (uint32*)((uint8*)bitmap->Bits() + y * bitmap->BytesPerRow());
		for (int32 x = 0; x < width; x++)
			row[x] = x < width / 2 ? 0xffff0000 : 0xff0000ff;
	}
	return bitmap;
}


// A view whose drawing a test gives as functions, run on the window's thread.
class HookView : public BView {
public:
	HookView(BRect frame, uint32 resizingMode, uint32 flags)
		:
		BView(frame, "hooked", resizingMode, flags)
	{
	}

	void Draw(BRect updateRect) override
	{
		if (draw)
			draw(this);
	}

	void DrawAfterChildren(BRect updateRect) override
	{
		afterChildren++;
		if (drawAfter)
			drawAfter(this);
	}

	std::function<void(BView*)> draw;
	std::function<void(BView*)> drawAfter;
	int afterChildren = 0;
};


class BitmapWindow : public BWindow {
public:
	explicit BitmapWindow(const char* title)
		:
		BWindow(BRect(100, 100, 159, 139), title, B_TITLED_WINDOW, 0)
	{
		fView = new HookView(Bounds(), B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
		fView->SetViewColor(kWhite);
		AddChild(fView);
	}

	HookView* fView;
};


class ViewBitmapTest : public OffscreenWindowTest<BitmapWindow> {
protected:
	// Runs change on the window's thread, then waits until the window has shown what
	// it drew after it.
	void Change(const std::function<void()>& change)
	{
		int64 shown = fOffscreen->Presentations();
		wait_until(fWindow, [&] {
			change();
			return true;
		});
		ASSERT_TRUE(fOffscreen->WaitForPresentation(shown, kWaitTimeout));
		wait_for_queue(fWindow);
	}

	rgb_color Pixel(int32 x, int32 y) { return fOffscreen->PixelAt(x, y); }
};

} // namespace


TEST_F(ViewBitmapTest, ATiledBitmapRepeatsAcrossTheViewAndAnUntiledOneShowsOnce)
{
	Open(TestName());
	BBitmap* bitmap = two_colour_bitmap(4, 4);
	Change([&] { fWindow->fView->SetViewBitmap(bitmap); });
	EXPECT_EQ(Pixel(0, 0), kRed);
	EXPECT_EQ(Pixel(2, 0), kBlue);
	EXPECT_EQ(Pixel(4, 5), kRed);
	EXPECT_EQ(Pixel(59, 39), kBlue);
	SaveScreenshot("view-bitmap-tiled.png");

	// The view keeps its own copy.
	delete bitmap;
	bitmap = two_colour_bitmap(4, 4);
	Change([&] { fWindow->fView->SetViewBitmap(bitmap, B_FOLLOW_TOP | B_FOLLOW_LEFT, 0); });
	EXPECT_EQ(Pixel(1, 1), kRed);
	EXPECT_EQ(Pixel(5, 1), kWhite);
	EXPECT_EQ(Pixel(1, 5), kWhite);

	// Along one axis only: a band as high as the bitmap.
	Change([&] {
		fWindow->fView->SetViewBitmap(bitmap, B_FOLLOW_TOP | B_FOLLOW_LEFT,
			B_TILE_BITMAP_X);
	});
	EXPECT_EQ(Pixel(41, 3), kRed);
	EXPECT_EQ(Pixel(1, 4), kWhite);

	Change([&] { fWindow->fView->ClearViewBitmap(); });
	EXPECT_EQ(Pixel(1, 1), kWhite);
	delete bitmap;
}


TEST_F(ViewBitmapTest, APlacedBitmapIsScaledAndFollowsTheEdgesItIsToldTo)
{
	Open(TestName());
	BBitmap* bitmap = two_colour_bitmap(4, 4);
	// The bitmap's right half, stretched over 10 by 10 pixels at (20, 10).
	Change([&] {
		fWindow->fView->SetViewBitmap(bitmap, BRect(2, 0, 3, 3), BRect(20, 10, 29, 19),
			B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, 0);
	});
	delete bitmap;
	EXPECT_EQ(Pixel(20, 10), kBlue);
	EXPECT_EQ(Pixel(29, 19), kBlue);
	EXPECT_EQ(Pixel(30, 19), kWhite);
	EXPECT_EQ(Pixel(19, 10), kWhite);

	// The window grows by 10 by 6: the bitmap keeps its distance to the right and
	// bottom edges.
	Change([&] { fWindow->ResizeBy(10, 6); });
	EXPECT_EQ(Pixel(29, 15), kWhite);
	EXPECT_EQ(Pixel(30, 16), kBlue);
	EXPECT_EQ(Pixel(39, 25), kBlue);
}


TEST_F(ViewBitmapTest, DrawAfterChildrenDrawsOverTheChildrenOnlyWithTheFlag)
{
	Open(TestName());
	BView* child = nullptr;
	Change([&] {
		child = new BView(BRect(10, 10, 29, 29), "child", B_FOLLOW_NONE, 0);
		child->SetViewColor(kGreen);
		fWindow->fView->AddChild(child);
		fWindow->fView->drawAfter = [](BView* view) {
			view->SetHighColor(kRed);
			view->FillRect(BRect(0, 15, 59, 16));
		};
	});
	// Without B_DRAW_ON_CHILDREN the hook is not called.
	EXPECT_EQ(Pixel(20, 15), kGreen);
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fView->afterChildren, 0); return true; });

	Change([&] {
		fWindow->fView->SetFlags(B_WILL_DRAW | B_DRAW_ON_CHILDREN);
		fWindow->fView->Invalidate();
	});
	EXPECT_EQ(Pixel(20, 15), kRed);
	EXPECT_EQ(Pixel(20, 20), kGreen);
	EXPECT_EQ(Pixel(5, 16), kRed);
}


TEST_F(ViewBitmapTest, AnOverlayShowsWhereTheViewShowsTheColourKey)
{
	Open(TestName());
	BBitmap plain(BRect(0, 0, 3, 3), B_RGB32);
	rgb_color key = {};
	status_t refused = B_OK;
	wait_until(fWindow, [&] {
		refused = fWindow->fView->SetViewOverlay(&plain, &key);
		return true;
	});
	EXPECT_EQ(refused, B_BAD_VALUE);

	BBitmap* overlay = two_colour_bitmap(4, 4, B_BITMAP_WILL_OVERLAY);
	status_t status = B_ERROR;
	Change([&] {
		HookView* view = fWindow->fView;
		status = view->SetViewOverlay(overlay, overlay->Bounds(), view->Bounds(), &key,
			B_FOLLOW_ALL_SIDES, 0);
		view->SetViewColor(key);
		// A bar of another colour hides the overlay under it.
		view->draw = [](BView* self) {
			self->SetHighColor(kGreen);
			self->FillRect(BRect(0, 0, 59, 4));
		};
		view->Invalidate();
	});
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(Pixel(5, 20), kRed);
	EXPECT_EQ(Pixel(50, 20), kBlue);
	EXPECT_EQ(Pixel(5, 2), kGreen);
	SaveScreenshot("view-overlay.png");

	// The view reads the overlay each time it draws.
	Change([&] {
		memset(overlay->Bits(), 0, overlay->BitsLength());
		for (int32 i = 0; i < overlay->BitsLength() / 4; i++)
			((uint32*)overlay->Bits())[i] = 0xff00ff00;
		fWindow->fView->Invalidate();
	});
	EXPECT_EQ(Pixel(50, 20), kGreen);

	Change([&] {
		fWindow->fView->ClearViewOverlay();
		fWindow->fView->Invalidate();
	});
	rgb_color shown = Pixel(50, 20);
	EXPECT_EQ(make_color(shown.red, shown.green, shown.blue), key);
	delete overlay;
}
