// Channel sliders on the offscreen display: each channel keeps its value within its
// limits, a press moves every channel to the pointer (only the pressed one with Shift)
// and reports which changed, the keys step and choose the current channel, thumbs are
// drawn where the values put them, archives come back whole, and scripting "Value"
// reaches the current channel.
#include <ChannelSlider.h>
#include <Messenger.h>
#include <Window.h>

#include "OffscreenWindowTest.h"
#include "ScriptingRequest.h"

#include <gtest/gtest.h>

#include <math.h>
#include <memory>
#include <vector>

namespace {

const uint32 kSet = 'mset';
const uint32 kMoving = 'mmov';


class MixerWindow : public BWindow {
public:
	explicit MixerWindow(const char* title)
		:
		BWindow(BRect(100, 100, 299, 319), title, B_TITLED_WINDOW, 0)
	{
		fSlider = new BChannelSlider(BRect(10, 10, 109, 209), "mixer", "Mix",
			new BMessage(kSet), 3, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
		fSlider->SetModificationMessage(new BMessage(kMoving));
		fSlider->SetLimitLabels("Off", "Max");
		AddChild(fSlider);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kSet || message->what == kMoving) {
			(message->what == kSet ? sets : moves)++;
			last = *message;
			return;
		}
		BWindow::MessageReceived(message);
	}

	// The point of channel's groove at fraction (0: minimum, 1: maximum), in window
	// coordinates.
	BPoint GroovePoint(int32 channel, float fraction)
	{
		BRect thumb;
		fSlider->ThumbFrameFor(channel, &thumb);
		float x = floorf((thumb.left + thumb.right) / 2);
		float zero = floorf((thumb.top + thumb.bottom) / 2) + fSlider->ThumbDeltaFor(channel);
		float y = floorf(zero - fraction * fSlider->ThumbRangeFor(channel) + 0.5);
		return fSlider->ConvertToParent(BPoint(x, y));
	}

	BChannelSlider* fSlider;
	int sets = 0;
	int moves = 0;
	BMessage last;
};


using ChannelSliderTest = OffscreenWindowTest<MixerWindow>;


std::vector<bool>
changed_channels(const BMessage& message)
{
	std::vector<bool> changed;
	bool flag;
	for (int32 i = 0; message.FindBool("be:channel_changed", i, &flag) == B_OK; i++)
		changed.push_back(flag);
	return changed;
}

} // namespace


TEST_F(ChannelSliderTest, ChannelsKeepTheirValuesWithinTheirLimits)
{
	Open("Channels limits");
	wait_until(fWindow, [&] {
		BChannelSlider* slider = fWindow->fSlider;
		EXPECT_EQ(slider->Orientation(), B_VERTICAL);
		EXPECT_EQ(slider->CountChannels(), 3);
		EXPECT_EQ(slider->MaxChannelCount(), 32);
		int32 minimum = -1;
		int32 maximum = -1;
		EXPECT_EQ(slider->GetLimits(&minimum, &maximum), B_OK);
		EXPECT_EQ(minimum, 0);
		EXPECT_EQ(maximum, 100);

		EXPECT_EQ(slider->SetValueFor(1, 250), B_OK);
		EXPECT_EQ(slider->ValueFor(1), 100);
		EXPECT_EQ(slider->SetLimitsFor(1, 10, 50), B_OK);
		EXPECT_EQ(slider->ValueFor(1), 50);
		EXPECT_EQ(slider->SetLimitsFor(1, 60, 40), B_BAD_VALUE);
		EXPECT_EQ(slider->SetValueFor(3, 5), B_BAD_VALUE);
		EXPECT_EQ(slider->ValueFor(3), -1);

		// Value() is the current channel's.
		EXPECT_EQ(slider->SetCurrentChannel(1), B_OK);
		EXPECT_EQ(slider->Value(), 50);
		slider->SetValue(20);
		EXPECT_EQ(slider->ValueFor(1), 20);
		EXPECT_EQ(slider->SetCurrentChannel(3), B_BAD_INDEX);
		EXPECT_EQ(slider->CurrentChannel(), 1);

		int32 values[4] = { -1, -1, -1, -1 };
		EXPECT_EQ(slider->GetValue(values, 1, 4), 2);
		EXPECT_EQ(values[0], 20);
		EXPECT_EQ(values[2], -1);

		// New channels take the last one's value and limits; too many are refused.
		EXPECT_EQ(slider->SetChannelCount(33), B_BAD_VALUE);
		EXPECT_EQ(slider->SetChannelCount(0), B_BAD_VALUE);
		slider->SetValueFor(2, 70);
		EXPECT_EQ(slider->SetChannelCount(4), B_OK);
		EXPECT_EQ(slider->ValueFor(3), 70);
		EXPECT_EQ(slider->SetChannelCount(1), B_OK);
		EXPECT_EQ(slider->CurrentChannel(), 0);

		EXPECT_EQ(slider->SetLimitLabelsFor(0, "Low", "High"), B_OK);
		EXPECT_STREQ(slider->MinLimitLabelFor(0), "Low");
		EXPECT_EQ(slider->MaxLimitLabelFor(5), nullptr);
		return true;
	});
}


TEST_F(ChannelSliderTest, APressMovesEveryChannelAndShiftOnlyOne)
{
	Open("Channels mouse");
	BPoint top;
	BPoint quarter;
	wait_until(fWindow, [&] {
		top = fWindow->GroovePoint(1, 1);
		quarter = fWindow->GroovePoint(2, 0.25);
		return true;
	});
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, top, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, top, 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 1; }));
	wait_until(fWindow, [&] {
		for (int32 i = 0; i < 3; i++)
			EXPECT_EQ(fWindow->fSlider->ValueFor(i), 100) << i;
		EXPECT_EQ(fWindow->fSlider->CurrentChannel(), 1);
		EXPECT_GE(fWindow->moves, 1);
		EXPECT_EQ(changed_channels(fWindow->last), std::vector<bool>(3, true));
		EXPECT_EQ(fWindow->last.FindInt32("be:channel_value", 2), 100);
		EXPECT_EQ(fWindow->last.FindInt32("be:current_channel"), 1);
		return true;
	});

	// With Shift only the pressed channel follows, and only it is reported changed.
	inject_click(fOffscreen, quarter, B_SHIFT_KEY);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 2; }));
	wait_until(fWindow, [&] {
		EXPECT_NEAR(fWindow->fSlider->ValueFor(2), 25, 1);
		EXPECT_EQ(fWindow->fSlider->ValueFor(0), 100);
		EXPECT_EQ(fWindow->fSlider->Value(), fWindow->fSlider->ValueFor(2));
		EXPECT_EQ(changed_channels(fWindow->last), (std::vector<bool>{ false, false, true }));
		return true;
	});
	SaveScreenshot("channel-slider.png");
}


TEST_F(ChannelSliderTest, ThumbsAreDrawnWhereTheValuesPutThem)
{
	Open("Channels drawing");
	BRect low;
	BRect high;
	wait_until(fWindow, [&] {
		fWindow->fSlider->SetValueFor(0, 0);
		fWindow->fSlider->SetValueFor(1, 100);
		fWindow->fSlider->ThumbFrameFor(0, &low);
		fWindow->fSlider->ThumbFrameFor(1, &high);
		low = fWindow->fSlider->ConvertToParent(low);
		high = fWindow->fSlider->ConvertToParent(high);
		return true;
	});
	EXPECT_GT(low.top, high.top + 100);
	rgb_color border = ui_color(B_CONTROL_BORDER_COLOR);
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return fOffscreen->PixelAt(low.left, low.top) == border
			&& fOffscreen->PixelAt(high.right, high.bottom) == border
			&& fOffscreen->PixelAt(low.left, high.top) != border;
	}));
}


TEST_F(ChannelSliderTest, KeysStepTheCurrentChannelAndChooseAnother)
{
	Open("Channels keys");
	wait_until(fWindow, [&] {
		fWindow->fSlider->SetAllValue(50);
		fWindow->fSlider->MakeFocus(true);
		return true;
	});
	inject_key(fOffscreen, B_UP_ARROW);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 1; }));
	inject_key(fOffscreen, B_RIGHT_ARROW);
	inject_key(fOffscreen, B_DOWN_ARROW);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->sets == 2; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fSlider->ValueFor(0), 51);
		EXPECT_EQ(fWindow->fSlider->ValueFor(1), 49);
		EXPECT_EQ(fWindow->fSlider->CurrentChannel(), 1);
		EXPECT_EQ(changed_channels(fWindow->last), (std::vector<bool>{ false, true, false }));
		return true;
	});
	// At the last channel Right goes no further.
	inject_key(fOffscreen, B_RIGHT_ARROW);
	inject_key(fOffscreen, B_RIGHT_ARROW);
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fSlider->CurrentChannel(), 2); return true; });
}


TEST_F(ChannelSliderTest, AnArchiveBringsBackChannelsLimitsAndLabels)
{
	Open("Channels archive");
	BMessage archive;
	wait_until(fWindow, [&] {
		BChannelSlider* slider = fWindow->fSlider;
		slider->SetLimitsFor(2, -10, 10);
		slider->SetValueFor(2, -5);
		slider->SetValueFor(0, 33);
		slider->SetCurrentChannel(2);
		EXPECT_EQ(slider->Archive(&archive), B_OK);
		return true;
	});
	std::unique_ptr<BChannelSlider> copy(
		(BChannelSlider*)BChannelSlider::Instantiate(&archive));
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->CountChannels(), 3);
	EXPECT_EQ(copy->ValueFor(0), 33);
	EXPECT_EQ(copy->ValueFor(2), -5);
	int32 minimum = 0;
	int32 maximum = 0;
	EXPECT_EQ(copy->GetLimitsFor(2, &minimum, &maximum), B_OK);
	EXPECT_EQ(minimum, -10);
	EXPECT_EQ(copy->CurrentChannel(), 2);
	EXPECT_EQ(copy->Value(), -5);
	EXPECT_STREQ(copy->Label(), "Mix");
	EXPECT_STREQ(copy->MaxLimitLabel(), "Max");
	EXPECT_EQ(copy->Orientation(), B_VERTICAL);
	ASSERT_NE(copy->Message(), nullptr);
	EXPECT_EQ(copy->Message()->what, kSet);
	ASSERT_NE(copy->ModificationMessage(), nullptr);
	EXPECT_EQ(copy->ModificationMessage()->what, kMoving);

	// An archive claiming more channels than the slider has gets at most 32.
	BMessage many(archive);
	for (int32 i = 0; i < 40; i++)
		many.AddInt32("_val", 1);
	std::unique_ptr<BChannelSlider> capped(
		(BChannelSlider*)BChannelSlider::Instantiate(&many));
	ASSERT_NE(capped, nullptr);
	EXPECT_EQ(capped->CountChannels(), 32);

	BMessage other;
	other.AddString("class", "BSlider");
	EXPECT_EQ(BChannelSlider::Instantiate(&other), nullptr);
}


TEST_F(ChannelSliderTest, ScriptingTheValueSetsTheCurrentChannel)
{
	Open("Channels scripting");
	wait_until(fWindow, [&] { fWindow->fSlider->SetCurrentChannel(1); return true; });
	BMessenger window(fWindow);
	BMessage set = view_property_request(B_SET_PROPERTY, "Value", "mixer");
	set.AddInt32("data", 500);
	BMessage reply;
	ASSERT_EQ(window.SendMessage(&set, &reply, 5000000, 5000000), B_OK);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fSlider->ValueFor(1), 100);
		EXPECT_EQ(fWindow->fSlider->ValueFor(0), 0);
		return true;
	});
}
