// BScrollBar: its range, value, proportion and steps, the link with its target in both
// directions, and the user's arrows, trough clicks, thumb drags and wheel on the
// offscreen display.
#include <ScrollBar.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <vector>

#include "OffscreenWindowTest.h"

namespace {

const uint32 kPrimary = B_PRIMARY_MOUSE_BUTTON;

class RecordingBar : public BScrollBar {
public:
	using BScrollBar::BScrollBar;

	void ValueChanged(float newValue) override
	{
		values.push_back(newValue);
		BScrollBar::ValueChanged(newValue);
	}

	std::vector<float> values;
};


class ScrollBarTest : public OffscreenWindowTest<> {
protected:
	// A 100 by 200 target with a vertical bar beside it; the bar is 15 pixels wide
	// and 201 long: arrows at 0-14 and 186-200, a 171-pixel trough between.
	void SetUp() override
	{
		fWindow = new BWindow(BRect(100, 100, 299, 299), TestName(), B_TITLED_WINDOW, 0);
		target = new BView(BRect(0, 0, 99, 199), "target", B_FOLLOW_NONE, B_WILL_DRAW);
		bar = new RecordingBar(BRect(100, 0, 100 + B_V_SCROLL_BAR_WIDTH, 200), "bar",
			target, 0, 1000, B_VERTICAL);
		fWindow->AddChild(target);
		fWindow->AddChild(bar);
		ASSERT_NO_FATAL_FAILURE(ShowWindow());
	}

	BView* target = NULL;
	RecordingBar* bar = NULL;
};

} // namespace


TEST_F(ScrollBarTest, KeepsItsValueInItsRangeAndScrollsItsTarget)
{
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(bar->Orientation(), B_VERTICAL);
	EXPECT_EQ(bar->Target(), target);
	EXPECT_EQ(target->ScrollBar(B_VERTICAL), bar);
	EXPECT_EQ(target->ScrollBar(B_HORIZONTAL), nullptr);

	bar->SetValue(250.4f);
	EXPECT_EQ(bar->Value(), 250);
	EXPECT_EQ(target->Bounds().top, 250);
	EXPECT_EQ(bar->values, std::vector<float>{ 250 });
	bar->SetValue(5000);
	EXPECT_EQ(bar->Value(), 1000);
	bar->SetValue(-3);
	EXPECT_EQ(bar->Value(), 0);

	// A narrower range pulls the value, and the target, back inside.
	bar->SetValue(900);
	bar->SetRange(0, 600);
	float min, max;
	bar->GetRange(&min, &max);
	EXPECT_EQ(max, 600);
	EXPECT_EQ(bar->Value(), 600);
	EXPECT_EQ(target->Bounds().top, 600);
	bar->SetRange(10, 5);
	bar->GetRange(&min, &max);
	EXPECT_EQ(min, 10);
	EXPECT_EQ(max, 10);
	EXPECT_EQ(bar->Value(), 10);

	bar->SetProportion(1.5f);
	EXPECT_EQ(bar->Proportion(), 1);
	bar->SetProportion(0.25f);
	EXPECT_EQ(bar->Proportion(), 0.25f);
	bar->SetSteps(7, 70);
	float small, large;
	bar->GetSteps(&small, &large);
	EXPECT_EQ(small, 7);
	EXPECT_EQ(large, 70);

	// Scrolling the target moves the bar; a bar without target scrolls nothing.
	bar->SetRange(0, 1000);
	target->ScrollTo(0, 321);
	EXPECT_EQ(bar->Value(), 321);
	bar->SetTarget((BView*)NULL);
	EXPECT_EQ(target->ScrollBar(B_VERTICAL), nullptr);
	bar->SetValue(0);
	EXPECT_EQ(target->Bounds().top, 321);
	bar->SetTarget("target");
	EXPECT_EQ(bar->Target(), target);
	fWindow->Unlock();
}


// Regression: a bar kept a dangling target when its target went first.
TEST_F(ScrollBarTest, LetsGoOfATargetThatIsDeletedOrTakenByAnotherBar)
{
	ASSERT_TRUE(fWindow->Lock());
	BView* other = new BView(BRect(0, 0, 9, 9), "other", B_FOLLOW_NONE, 0);
	BScrollBar* rival = new BScrollBar(BRect(0, 0, 14, 99), "rival", other, 0, 10,
		B_VERTICAL);
	bar->SetTarget(other);
	EXPECT_EQ(other->ScrollBar(B_VERTICAL), bar);
	EXPECT_EQ(rival->Target(), nullptr);
	delete rival;
	EXPECT_EQ(other->ScrollBar(B_VERTICAL), bar);

	delete other;
	EXPECT_EQ(bar->Target(), nullptr);
	bar->SetValue(10);
	EXPECT_EQ(bar->Value(), 10);
	fWindow->Unlock();
}


TEST_F(ScrollBarTest, ArrowsStepTroughClicksPageAndTheWheelSteps)
{
	ASSERT_TRUE(fWindow->Lock());
	bar->SetSteps(10, 100);
	bar->SetProportion(0.2f);
	bar->SetValue(500);
	fWindow->Unlock();

	inject_click(fOffscreen, BPoint(107, 5));
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 490; }));
	inject_click(fOffscreen, BPoint(107, 195));
	inject_click(fOffscreen, BPoint(107, 195));
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 510; }));
	// The thumb (34 pixels) sits around the middle of the trough; above and below it
	// the trough pages.
	inject_click(fOffscreen, BPoint(107, 20));
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 410; }));
	inject_click(fOffscreen, BPoint(107, 180));
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 510; }));

	inject_wheel(fOffscreen, BPoint(107, 100), 2);
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 570; }));
	inject_wheel(fOffscreen, BPoint(107, 100), -1);
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 540; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(target->Bounds().top, 540);
	fWindow->Unlock();
}


TEST_F(ScrollBarTest, DraggingTheThumbFollowsThePointer)
{
	ASSERT_TRUE(fWindow->Lock());
	bar->SetProportion(0.2f);
	bar->SetValue(0);
	fWindow->Unlock();
	// The thumb starts right after the top arrow; the trough leaves it 137 pixels of
	// travel for the range of 1000.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(107, 20), kPrimary);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(107, 20 + 137 / 2.0f),
		kPrimary);
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 500; }));
	// Beyond the end it stops at the maximum, and the target follows all the way.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(140, 400), kPrimary);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(140, 400), 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return bar->Value() == 1000; }));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(target->Bounds().top, 1000);
	fWindow->Unlock();
	// Once the button is up, moving does nothing.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(107, 30), 0);
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(bar->Value(), 1000);
	fWindow->Unlock();

	// The thumb is drawn where the value puts it: at the bottom of the trough now.
	int64 presented = fOffscreen->Presentations();
	ASSERT_TRUE(fOffscreen->WaitForPresentation(presented - 1, 5000000));
	ASSERT_TRUE(wait_for_queue(fWindow));
	EXPECT_EQ(fOffscreen->PixelAt(107, 180), ui_color(B_SCROLL_BAR_THUMB_COLOR));
	EXPECT_NE(fOffscreen->PixelAt(107, 30), ui_color(B_SCROLL_BAR_THUMB_COLOR));
}


TEST_F(ScrollBarTest, ArrowsEndAtTheirTipsWithoutASpike)
{
	ASSERT_TRUE(fWindow->Lock());
	bar->SetProportion(0.2f);
	fWindow->Unlock();
	int64 presented = fOffscreen->Presentations();
	ASSERT_TRUE(fOffscreen->WaitForPresentation(presented - 1, 5000000));
	ASSERT_TRUE(wait_for_queue(fWindow));
	// The arrows' tips lie 4 pixels inside their 15-pixel boxes, in the middle column.
	rgb_color arrow = make_color(0, 0, 0);
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	EXPECT_EQ(fOffscreen->PixelAt(107, 4), arrow);
	EXPECT_EQ(fOffscreen->PixelAt(107, 3), panel);
	EXPECT_EQ(fOffscreen->PixelAt(107, 196), arrow);
	EXPECT_EQ(fOffscreen->PixelAt(107, 197), panel);
	// Their bases span the box's inner width.
	EXPECT_EQ(fOffscreen->PixelAt(104, 10), arrow);
	EXPECT_EQ(fOffscreen->PixelAt(110, 190), arrow);
}
