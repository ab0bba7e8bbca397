// BScrollView: the frame it takes around its target for each border and set of bars,
// its bars, a change of border, resizing, and the wheel over its frame.
#include <ScrollBar.h>
#include <ScrollView.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include "OffscreenWindowTest.h"

namespace {

class ScrollViewTest : public OffscreenWindowTest<> {
protected:
	void SetUp() override
	{
		fWindow = new BWindow(BRect(100, 100, 499, 399), TestName(), B_TITLED_WINDOW, 0);
	}
};

} // namespace


TEST_F(ScrollViewTest, GrowsAroundItsTargetByTheBorderAndTheBars)
{
	struct Case {
		border_style border;
		bool horizontal;
		bool vertical;
		BRect frame;
		float inset;
	} cases[] = {
		{ B_FANCY_BORDER, true, true, BRect(8, 18, 126, 96), 2 },
		{ B_PLAIN_BORDER, true, true, BRect(9, 19, 125, 95), 1 },
		{ B_NO_BORDER, true, true, BRect(10, 20, 124, 94), 0 },
		{ B_FANCY_BORDER, false, true, BRect(8, 18, 126, 82), 2 },
		{ B_PLAIN_BORDER, true, false, BRect(9, 19, 111, 95), 1 },
		{ B_NO_BORDER, false, false, BRect(10, 20, 110, 80), 0 },
	};
	for (const Case& test : cases) {
		BView* target = new BView(BRect(10, 20, 110, 80), "target", B_FOLLOW_ALL_SIDES,
			B_WILL_DRAW);
		BScrollView* scrollView = new BScrollView("target->BScrollView", target,
			B_FOLLOW_LEFT | B_FOLLOW_TOP, 0, test.horizontal, test.vertical, test.border);
		fWindow->AddChild(scrollView);
		SCOPED_TRACE(testing::Message() << "border " << test.border << " bars "
			<< test.horizontal << test.vertical);
		EXPECT_EQ(scrollView->Frame(), test.frame);
		EXPECT_STREQ(scrollView->Name(), "target->BScrollView");
		EXPECT_EQ(scrollView->Target(), target);
		EXPECT_EQ(scrollView->Border(), test.border);
		EXPECT_EQ(target->Parent(), scrollView);
		EXPECT_EQ(target->Frame(), BRect(test.inset, test.inset, test.inset + 100,
			test.inset + 60));

		BScrollBar* horizontal = scrollView->ScrollBar(B_HORIZONTAL);
		BScrollBar* vertical = scrollView->ScrollBar(B_VERTICAL);
		EXPECT_EQ(horizontal != NULL, test.horizontal);
		EXPECT_EQ(vertical != NULL, test.vertical);
		if (vertical != NULL) {
			EXPECT_STREQ(vertical->Name(), "_VSB_");
			EXPECT_EQ(vertical->Target(), target);
			EXPECT_EQ(target->ScrollBar(B_VERTICAL), vertical);
			EXPECT_EQ(vertical->Frame(), BRect(test.inset + 101, test.inset - 1,
				test.inset + 115, test.inset + 61));
		}
		if (horizontal != NULL) {
			EXPECT_STREQ(horizontal->Name(), "_HSB_");
			EXPECT_EQ(horizontal->Frame(), BRect(test.inset - 1, test.inset + 61,
				test.inset + 101, test.inset + 75));
		}
		// Deleting the scroll view deletes the target and the bars, in any order.
		scrollView->RemoveSelf();
		delete scrollView;
	}
}


TEST_F(ScrollViewTest, ABorderChangeKeepsTheFrameAndMovesTheInside)
{
	BView* target = new BView(BRect(0, 0, 100, 60), "target", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW);
	BScrollView* scrollView = new BScrollView("scroller", target, B_FOLLOW_LEFT
		| B_FOLLOW_TOP, 0, true, true, B_FANCY_BORDER);
	fWindow->AddChild(scrollView);
	BRect frame = scrollView->Frame();
	scrollView->SetBorder(B_NO_BORDER);
	EXPECT_EQ(scrollView->Border(), B_NO_BORDER);
	EXPECT_EQ(scrollView->Frame(), frame);
	EXPECT_EQ(target->Frame(), BRect(0, 0, 104, 64));
	EXPECT_EQ(scrollView->ScrollBar(B_VERTICAL)->Frame(), BRect(105, -1, 119, 65));
	EXPECT_EQ(scrollView->ScrollBar(B_HORIZONTAL)->Frame(), BRect(-1, 65, 105, 79));

	// Growing the scroll view grows the target and keeps the bars at the edges.
	scrollView->ResizeBy(20, 10);
	EXPECT_EQ(target->Frame(), BRect(0, 0, 124, 74));
	EXPECT_EQ(scrollView->ScrollBar(B_VERTICAL)->Frame(), BRect(125, -1, 139, 75));
	EXPECT_EQ(scrollView->ScrollBar(B_HORIZONTAL)->Frame(), BRect(-1, 75, 125, 89));
}


TEST_F(ScrollViewTest, TheWheelOverTheFrameScrollsTheVerticalBar)
{
	BView* target = new BView(BRect(10, 10, 110, 70), "target", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW);
	BScrollView* scrollView = new BScrollView("scroller", target, B_FOLLOW_LEFT
		| B_FOLLOW_TOP, 0, false, true, B_FANCY_BORDER);
	fWindow->AddChild(scrollView);
	BScrollBar* bar = scrollView->ScrollBar(B_VERTICAL);
	bar->SetRange(0, 500);
	bar->SetSteps(5, 50);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	// On the border, left of the target.
	inject_wheel(fOffscreen, BPoint(9, 30), 2);
	ASSERT_TRUE(wait_until(fWindow, [&] { return target->Bounds().top == 30; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(bar->Value(), 30);
}


TEST_F(ScrollViewTest, AHighlightedFancyBorderShowsTheNavigationColour)
{
	BView* target = new BView(BRect(10, 10, 110, 80), "target", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW);
	BScrollView* scrollView = new BScrollView("scroller", target);
	fWindow->AddChild(scrollView);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	rgb_color navigation = ui_color(B_KEYBOARD_NAVIGATION_COLOR);
	BPoint inner;
	wait_until(fWindow, [&] {
		EXPECT_FALSE(scrollView->IsBorderHighlighted());
		EXPECT_EQ(scrollView->SetBorderHighlighted(true), B_OK);
		EXPECT_TRUE(scrollView->IsBorderHighlighted());
		inner = scrollView->Frame().LeftTop() + BPoint(1, 20);
		return true;
	});
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return fOffscreen->PixelAt(inner.x, inner.y) == navigation;
	}));
	wait_until(fWindow, [&] { scrollView->SetBorderHighlighted(false); return true; });
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return fOffscreen->PixelAt(inner.x, inner.y) != navigation;
	}));
	// Only a fancy border can be highlighted; a change of border drops the highlight.
	wait_until(fWindow, [&] {
		scrollView->SetBorderHighlighted(true);
		scrollView->SetBorder(B_PLAIN_BORDER);
		EXPECT_FALSE(scrollView->IsBorderHighlighted());
		EXPECT_EQ(scrollView->SetBorderHighlighted(true), B_ERROR);
		EXPECT_FALSE(scrollView->IsBorderHighlighted());
		return true;
	});
}
