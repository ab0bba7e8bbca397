// BetterScrollView: the bars' ranges, proportions and steps from a declared data
// rectangle, scrolling back into the data, the corner's shade, and ScrollViewCorner's
// drawing.
#include <ScrollBar.h>
#include <View.h>
#include <Window.h>

#include "BetterScrollView.h"
#include "ScrollViewCorner.h"

#include <gtest/gtest.h>

#include "OffscreenWindowTest.h"

namespace {

class BetterScrollViewTest : public OffscreenWindowTest<> {
protected:
	void SetUp() override
	{
		fWindow = new BWindow(BRect(100, 100, 599, 399), TestName(), B_TITLED_WINDOW, 0);
		target = new BView(BRect(0, 0, 399, 199), "target", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
		scrollView = new BetterScrollView("target->BScrollView", target,
			B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_FRAME_EVENTS, true, true, true);
		fWindow->AddChild(scrollView);
		horizontal = scrollView->ScrollBar(B_HORIZONTAL);
		vertical = scrollView->ScrollBar(B_VERTICAL);
	}

	static void ExpectBar(BScrollBar* bar, float min, float max, float proportion,
		float small, float large)
	{
		float gotMin, gotMax, gotSmall, gotLarge;
		bar->GetRange(&gotMin, &gotMax);
		EXPECT_FLOAT_EQ(gotMin, min);
		EXPECT_FLOAT_EQ(gotMax, max);
		EXPECT_FLOAT_EQ(bar->Proportion(), proportion);
		if (small >= 0) {
			bar->GetSteps(&gotSmall, &gotLarge);
			EXPECT_FLOAT_EQ(gotSmall, small);
			EXPECT_FLOAT_EQ(gotLarge, large);
		}
	}

	static bool IsShade(BView* view, uint8 shade)
	{
		rgb_color color = view->ViewColor();
		return color.red == shade && color.green == shade && color.blue == shade
			&& color.alpha == 255;
	}

	BView* target = NULL;
	BetterScrollView* scrollView = NULL;
	BScrollBar* horizontal = NULL;
	BScrollBar* vertical = NULL;
};

} // namespace


TEST_F(BetterScrollViewTest, StartsWithoutDataAndPutsTheCornerBetweenTheBars)
{
	EXPECT_EQ(scrollView->GetDataRect(), BRect(-1, -1, -1, -1));
	ScrollViewCorner* corner = scrollView->Corner();
	ASSERT_NE(corner, nullptr);
	EXPECT_EQ(corner->Parent(), scrollView);
	EXPECT_EQ(corner->Frame(), BRect(vertical->Frame().left, horizontal->Frame().top,
		vertical->Frame().left + 14, horizontal->Frame().top + 14));
	EXPECT_EQ(corner->ResizingMode(), (uint32)(B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM));
}


TEST_F(BetterScrollViewTest, DataLargerThanTheViewMakesBothBarsActive)
{
	scrollView->SetDataRect(BRect(0, 0, 999, 499), true);
	EXPECT_EQ(scrollView->GetDataRect(), BRect(0, 0, 999, 499));
	ExpectBar(horizontal, 0, 600, 399.0f / 999.0f, 20, 399);
	ExpectBar(vertical, 0, 300, 199.0f / 499.0f, 10, 199);
	EXPECT_TRUE(IsShade(scrollView->Corner(), 216));
}


TEST_F(BetterScrollViewTest, DataSmallerThanTheViewLeavesNothingToScroll)
{
	scrollView->SetDataRect(BRect(0, 0, 99, 49), true);
	ExpectBar(horizontal, 0, 0, 1, -1, -1);
	ExpectBar(vertical, 0, 0, 1, -1, -1);
	EXPECT_TRUE(IsShade(scrollView->Corner(), 240));
}


TEST_F(BetterScrollViewTest, FitScrollsATargetBeyondTheDataBack)
{
	scrollView->SetDataRect(BRect(0, 0, 999, 499), true);
	target->ScrollTo(700, 0);
	ASSERT_EQ(target->Bounds(), BRect(700, 0, 1099, 199));
	scrollView->SetDataRect(BRect(0, 0, 999, 499), true);
	EXPECT_EQ(target->Bounds(), BRect(600, 0, 999, 199));
	ExpectBar(horizontal, 0, 600, 399.0f / 999.0f, 20, 399);

	// Shrinking the data while the lower end shows scrolls the target up to it.
	target->ScrollTo(0, 300);
	scrollView->SetDataRect(BRect(0, 0, 999, 349), true);
	EXPECT_EQ(target->Bounds(), BRect(0, 150, 399, 349));
	ExpectBar(vertical, 0, 150, 199.0f / 349.0f, 10, 199);
}


TEST_F(BetterScrollViewTest, WithoutFitTheExtentStretchesToWhatShows)
{
	scrollView->SetDataRect(BRect(0, 0, 999, 499), true);
	target->ScrollTo(0, 300);
	scrollView->SetDataRect(BRect(0, 0, 999, 349), false);
	// Nothing scrolls; the extent covers 0 to 499 and the range keeps the position.
	EXPECT_EQ(target->Bounds(), BRect(0, 300, 399, 499));
	ExpectBar(vertical, 0, 300, 199.0f / 499.0f, 10, 199);
	EXPECT_FLOAT_EQ(vertical->Value(), 300);
}


TEST_F(BetterScrollViewTest, AResizeRefitsTheBars)
{
	scrollView->SetDataRect(BRect(0, 0, 999, 499), true);
	ASSERT_TRUE(fWindow->Lock());
	scrollView->ResizeBy(200, 0);
	fWindow->Unlock();
	EXPECT_EQ(target->Bounds().Width(), 599);
	ExpectBar(horizontal, 0, 400, 599.0f / 999.0f, 30, 599);
}


TEST_F(BetterScrollViewTest, OneBarOrNoCornerFlagMeansNoCorner)
{
	BView* onlyVertical = new BView(BRect(0, 0, 99, 99), "v", B_FOLLOW_NONE, 0);
	BetterScrollView* first = new BetterScrollView("v->BScrollView", onlyVertical,
		B_FOLLOW_NONE, 0, false, true, true);
	EXPECT_EQ(first->Corner(), nullptr);
	onlyVertical->ScrollTo(0, 0);
	first->SetDataRect(BRect(50, 0, 149, 999), true);
	// The absent horizontal bar's axis is never scrolled back.
	EXPECT_EQ(onlyVertical->Bounds().left, 0);
	delete first;

	BView* both = new BView(BRect(0, 0, 99, 99), "b", B_FOLLOW_NONE, 0);
	BetterScrollView* second = new BetterScrollView("b->BScrollView", both,
		B_FOLLOW_NONE, 0, true, true, false);
	EXPECT_EQ(second->Corner(), nullptr);
	delete second;
}


TEST_F(BetterScrollViewTest, CornerDrawsItsEdgesInTheDarkerGrey)
{
	scrollView->SetDataRect(BRect(0, 0, 999, 499), true);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fWindow->Lock());
	BPoint origin = scrollView->Corner()->ConvertToScreen(BPoint(0, 0))
		- fWindow->Frame().LeftTop();
	fWindow->Unlock();
	rgb_color inside = fOffscreen->PixelAt((int32)origin.x + 5, (int32)origin.y + 5);
	rgb_color bottom = fOffscreen->PixelAt((int32)origin.x + 5, (int32)origin.y + 14);
	rgb_color right = fOffscreen->PixelAt((int32)origin.x + 14, (int32)origin.y + 5);
	EXPECT_EQ(inside.red, 216);
	EXPECT_EQ(bottom.red, 152);
	EXPECT_EQ(right.red, 152);
}
