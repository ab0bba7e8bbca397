// BScreen on the offscreen display: the refresh it paces callers to, the screen's pixels
// read into bitmaps, and the desktop's colour.
#include <Bitmap.h>
#include <Screen.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include "OffscreenWindowTest.h"
#include "WaitFor.h"

namespace {

class FilledWindow : public BWindow {
public:
	explicit FilledWindow(const char* title)
		:
		BWindow(BRect(100, 50, 139, 69), title, B_TITLED_WINDOW, 0)
	{
		BView* view = new BView(Bounds(), "fill", B_FOLLOW_ALL, B_WILL_DRAW);
		view->SetViewColor(200, 30, 40);
		AddChild(view);
	}
};


uint32
PixelOf(const BBitmap* bitmap, int32 x, int32 y)
{
	const uint8* row = (const uint8*)bitmap->Bits() + y * bitmap->BytesPerRow();
	return (uint32)row[x * 4 + 2] << 16 | (uint32)row[x * 4 + 1] << 8 | row[x * 4];
}

} // namespace


class ScreenTest : public OffscreenWindowTest<FilledWindow> {
};


TEST_F(ScreenTest, WaitForRetraceReturnsOncePerRefresh)
{
	BScreen screen;
	ASSERT_EQ(screen.WaitForRetrace(), B_OK);
	bigtime_t start = system_time();
	for (int i = 0; i < 3; i++)
		ASSERT_EQ(screen.WaitForRetrace(), B_OK);
	bigtime_t elapsed = system_time() - start;
	// Each wait ends at one of the offscreen screen's refreshes (60 Hz): the first may
	// have returned late on a loaded machine, the other two took a period each.
	EXPECT_GE(elapsed, 2 * 16667);
	EXPECT_LT(elapsed, 500000);
}


TEST_F(ScreenTest, WaitForRetraceTimesOutBeforeTheRefresh)
{
	BScreen screen;
	ASSERT_EQ(screen.WaitForRetrace(), B_OK);
	EXPECT_EQ(screen.WaitForRetrace(1000), B_TIMED_OUT);
	EXPECT_EQ(BScreen(screen_id{ 5 }).WaitForRetrace(), B_ERROR);
}


TEST_F(ScreenTest, GetBitmapShowsWindowsOverTheDesktop)
{
	Open(TestName());
	ASSERT_TRUE(fOffscreen->WaitForPresentation(0, kWaitTimeout));
	BScreen screen;
	BRect area(90, 40, 149, 79);
	BBitmap* bitmap = NULL;
	ASSERT_EQ(screen.GetBitmap(&bitmap, false, &area), B_OK);
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 59, 39));
	EXPECT_EQ(bitmap->ColorSpace(), B_RGB32);
	rgb_color desktop = screen.DesktopColor();
	EXPECT_EQ(PixelOf(bitmap, 0, 0),
		(uint32)desktop.red << 16 | (uint32)desktop.green << 8 | desktop.blue);
	EXPECT_EQ(PixelOf(bitmap, 20, 20), 0xc81e28u);
	delete bitmap;
}


TEST_F(ScreenTest, ReadBitmapRefusesBadAreasAndConverts)
{
	BScreen screen;
	BRect area(0, 0, 9, 9);
	BBitmap wrongSize(BRect(0, 0, 4, 4), B_RGB32);
	EXPECT_EQ(screen.ReadBitmap(&wrongSize, false, &area), B_BAD_VALUE);
	BRect outside(1270, 0, 1289, 9);
	BBitmap fits(BRect(0, 0, 19, 9), B_RGB32);
	EXPECT_EQ(screen.ReadBitmap(&fits, false, &outside), B_BAD_VALUE);
	EXPECT_EQ(screen.ReadBitmap(NULL), B_BAD_VALUE);
	EXPECT_EQ(screen.GetBitmap(NULL), B_BAD_VALUE);

	BBitmap indexed(area, B_CMAP8);
	ASSERT_EQ(screen.ReadBitmap(&indexed, false, &area), B_OK);
	EXPECT_EQ(((const uint8*)indexed.Bits())[0], screen.IndexForColor(screen.DesktopColor()));
}


TEST_F(ScreenTest, SetDesktopColorRepaintsTheDesktop)
{
	BScreen screen;
	rgb_color old = screen.DesktopColor();
	screen.SetDesktopColor(make_color(10, 200, 30, 40));
	EXPECT_EQ(screen.DesktopColor(), make_color(10, 200, 30, 255));
	BRect corner(1270, 1010, 1279, 1023);
	BBitmap* bitmap = NULL;
	ASSERT_EQ(screen.GetBitmap(&bitmap, false, &corner), B_OK);
	EXPECT_EQ(PixelOf(bitmap, 5, 5), 0x0ac81eu);
	delete bitmap;
	screen.SetDesktopColor(old);
}
