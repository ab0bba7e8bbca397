// Sliders on the offscreen display: a click on the bar and a drag move the thumb and the
// value (modification messages while dragging, the message on release), arrow keys step
// by the key increment within the limits, and scripting "Value" through the control
// suite is kept within the limits.
#include <Message.h>
#include <Messenger.h>
#include <Slider.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

namespace {

const uint32 kSet = 'sset';
const uint32 kMoving = 'smov';


class SliderWindow : public BWindow {
public:
	explicit SliderWindow(const char* title)
		:
		BWindow(BRect(100, 100, 339, 199), title, B_TITLED_WINDOW, 0)
	{
		fSlider = new BSlider(BRect(10, 10, 229, 80), "volume", "Volume",
			new BMessage(kSet), 0, 100);
		fSlider->SetModificationMessage(new BMessage(kMoving));
		fSlider->SetHashMarks(B_HASH_MARKS_BOTTOM);
		fSlider->SetHashMarkCount(5);
		fSlider->SetLimitLabels("Quiet", "Loud");
		fSlider->SetKeyIncrementValue(5);
		AddChild(fSlider);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kSet || message->what == kMoving) {
			int32 value = -1;
			message->FindInt32("be:value", &value);
			(message->what == kSet ? sets : moves)++;
			lastValue = value;
			return;
		}
		BWindow::MessageReceived(message);
	}

	// Window coordinates of the bar's point at position (0 to 1).
	BPoint BarPoint(float position)
	{
		BRect bar = fSlider->BarFrame();
		return fSlider->ConvertToScreen(BPoint(bar.left + position * bar.Width(),
			(bar.top + bar.bottom) / 2)) - Frame().LeftTop();
	}

	BSlider* fSlider;
	int sets = 0;
	int moves = 0;
	int32 lastValue = -1;
};


using SliderTest = OffscreenWindowTest<SliderWindow>;

} // namespace


TEST_F(SliderTest, TheMouseSetsTheValueAlongTheBar)
{
	Open("Slider mouse");
	BPoint quarter;
	BPoint threeQuarters;
	wait_until(fWindow, [&] {
		quarter = fWindow->BarPoint(0.25);
		threeQuarters = fWindow->BarPoint(0.75);
		// Attached, the slider took the height its parts need (its frame was 70 high).
		float height;
		fWindow->fSlider->GetPreferredSize(NULL, &height);
		EXPECT_EQ(fWindow->fSlider->Frame().Height(), height);
		EXPECT_EQ(fWindow->fSlider->Frame().Width(), 219);
		return true;
	});
	inject_click(fOffscreen, quarter);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_NEAR(fWindow->fSlider->Value(), 25, 1);
		EXPECT_EQ(fWindow->lastValue, fWindow->fSlider->Value());
		return true;
	});

	// A drag sends modification messages on the way and the message at the end.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, quarter, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, threeQuarters, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, threeQuarters, 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 2; }));
	wait_until(fWindow, [&] {
		EXPECT_NEAR(fWindow->fSlider->Value(), 75, 1);
		EXPECT_GE(fWindow->moves, 1);
		// The thumb is drawn where the value is.
		BRect thumb = fWindow->fSlider->ThumbFrame();
		EXPECT_NEAR((thumb.left + thumb.right) / 2,
			fWindow->fSlider->BarFrame().left + 0.75 * fWindow->fSlider->BarFrame().Width(),
			2);
		return true;
	});

	// Right of the bar's end the value stays at the limit.
	inject_click(fOffscreen, BPoint(228, quarter.y));
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 3; }));
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fSlider->Value(), 100); return true; });

	SaveScreenshot("slider.png");
}


TEST_F(SliderTest, KeysStepByTheIncrementWithinTheLimits)
{
	Open("Slider keys");
	wait_until(fWindow, [&] {
		fWindow->fSlider->SetValue(50);
		fWindow->fSlider->MakeFocus(true);
		return true;
	});
	inject_key(fOffscreen, "\x1d");		// B_RIGHT_ARROW
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 1; }));
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fSlider->Value(), 55); return true; });
	inject_key(fOffscreen, "\x1c");		// B_LEFT_ARROW
	inject_key(fOffscreen, "\x1c");
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 3; }));
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fSlider->Value(), 45); return true; });
	inject_key(fOffscreen, "\x04");		// B_END
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 4; }));
	// At the limit a further step changes nothing and sends nothing.
	inject_key(fOffscreen, "\x1d");
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fSlider->Value(), 100);
		EXPECT_EQ(fWindow->sets, 4);
		return true;
	});
}


TEST_F(SliderTest, ScriptingTheValueStaysWithinTheLimits)
{
	Open("Slider scripting");
	BMessenger window(fWindow);
	BMessage request(B_SET_PROPERTY);
	request.AddInt32("data", 500);
	request.AddSpecifier("Value");
	request.AddSpecifier("View", "volume");
	BMessage reply;
	ASSERT_EQ(window.SendMessage(&request, &reply, 5000000, 5000000), B_OK);

	BMessage get(B_GET_PROPERTY);
	get.AddSpecifier("Value");
	get.AddSpecifier("View", "volume");
	ASSERT_EQ(window.SendMessage(&get, &reply, 5000000, 5000000), B_OK);
	int32 value = -1;
	EXPECT_EQ(reply.FindInt32("result", &value), B_OK);
	EXPECT_EQ(value, 100);
}
