// BScreen's display modes and power on the offscreen display, and set_modifier_key() in
// the kit's key map: the modes listed, a change of mode that resizes the screen and
// reaches every window, proposals within limits, and the power states.
#include <InterfaceDefs.h>
#include <Screen.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <atomic>

namespace {

class ScreenWindow : public BWindow {
public:
	explicit ScreenWindow(const char* title)
		:
		BWindow(BRect(100, 100, 199, 199), title, B_TITLED_WINDOW, 0)
	{
	}

	void ScreenChanged(BRect frame, color_space space) override
	{
		lastFrame = frame;
		changes++;
	}

	BRect lastFrame;
	std::atomic<int> changes = 0;
};


class ScreenModesTest : public OffscreenWindowTest<ScreenWindow> {
};


display_mode
mode_of_size(BScreen& screen, uint16 width, uint16 height)
{
	display_mode* list = NULL;
	uint32 count = 0;
	display_mode found = {};
	if (screen.GetModeList(&list, &count) == B_OK) {
		for (uint32 i = 0; i < count; i++) {
			if (list[i].timing.h_display == width && list[i].timing.v_display == height)
				found = list[i];
		}
		free(list);
	}
	return found;
}

} // namespace


TEST_F(ScreenModesTest, TheScreenListsItsModesAndShowsOne)
{
	BScreen screen;
	display_mode* list = NULL;
	uint32 count = 0;
	ASSERT_EQ(screen.GetModeList(&list, &count), B_OK);
	ASSERT_GE(count, 4u);
	display_mode current;
	ASSERT_EQ(screen.GetMode(&current), B_OK);
	EXPECT_EQ(current.timing.h_display, screen.Frame().Width() + 1);
	EXPECT_EQ(current.timing.v_display, screen.Frame().Height() + 1);
	EXPECT_EQ(current.space, (uint32)B_RGB32);
	bool listed = false;
	for (uint32 i = 0; i < count; i++) {
		const display_timing& timing = list[i].timing;
		// Every timing is whole: syncs inside the blanks, about 60 refreshes a second.
		EXPECT_LE(timing.h_display, timing.h_sync_start);
		EXPECT_LT(timing.h_sync_end, timing.h_total);
		EXPECT_LT(timing.v_sync_end, timing.v_total);
		double refresh = timing.pixel_clock * 1000.0 / timing.h_total / timing.v_total;
		EXPECT_NEAR(refresh, 60, 0.5);
		listed = listed || memcmp(&list[i], &current, sizeof(display_mode)) == 0;
	}
	EXPECT_TRUE(listed);
	free(list);

	accelerant_device_info info;
	ASSERT_EQ(screen.GetDeviceInfo(&info), B_OK);
	EXPECT_STREQ(info.name, "Offscreen");
	display_timing_constraints constraints;
	EXPECT_EQ(screen.GetTimingConstraints(&constraints), B_UNSUPPORTED);
	EXPECT_EQ(screen.GetMode(NULL), B_BAD_VALUE);
}


TEST_F(ScreenModesTest, SetModeResizesTheScreenAndEveryWindowHearsIt)
{
	Open(TestName());
	BScreen screen;
	display_mode original;
	ASSERT_EQ(screen.GetMode(&original), B_OK);
	display_mode small = mode_of_size(screen, 800, 600);
	ASSERT_EQ(small.timing.h_display, 800);
	ASSERT_EQ(screen.SetMode(&small), B_OK);
	EXPECT_EQ(screen.Frame(), BRect(0, 0, 799, 599));
	EXPECT_TRUE(wait_for([&] { return fWindow->changes.load() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->lastFrame, BRect(0, 0, 799, 599));
		return true;
	});

	// A size the screen does not list is refused, and nothing changes.
	display_mode odd = small;
	odd.timing.h_display = 801;
	EXPECT_EQ(screen.SetMode(&odd), B_BAD_VALUE);
	EXPECT_EQ(screen.Frame(), BRect(0, 0, 799, 599));

	ASSERT_EQ(screen.SetMode(&original), B_OK);
	EXPECT_EQ(screen.Frame().Width() + 1, original.timing.h_display);
	EXPECT_TRUE(wait_for([&] { return fWindow->changes.load() == 2; }));
}


TEST_F(ScreenModesTest, AProposalIsTheNearestModeAndSaysWhetherItFitsTheLimits)
{
	BScreen screen;
	display_mode target = {};
	target.timing.h_display = 1000;
	target.timing.v_display = 700;
	display_mode low = {};
	display_mode high = {};
	memset(&high, 0xff, sizeof(high));
	ASSERT_EQ(screen.ProposeMode(&target, &low, &high), B_OK);
	EXPECT_EQ(target.timing.h_display, 1024);
	EXPECT_EQ(target.timing.v_display, 768);

	// Limits that leave out the nearest mode: it is proposed, but does not fit.
	high.timing.h_display = 900;
	target.timing.h_display = 1024;
	EXPECT_EQ(screen.ProposeDisplayMode(&target, &low, &high), B_BAD_VALUE);
	EXPECT_EQ(target.timing.h_display, 1024);
	EXPECT_EQ(screen.ProposeMode(NULL, &low, &high), B_BAD_VALUE);

	uint32 slowest = 0;
	uint32 fastest = 0;
	ASSERT_EQ(screen.GetPixelClockLimits(&target, &slowest, &fastest), B_OK);
	EXPECT_LT(slowest, target.timing.pixel_clock);
	EXPECT_GT(fastest, target.timing.pixel_clock);
	display_mode empty = {};
	EXPECT_EQ(screen.GetPixelClockLimits(&empty, &slowest, &fastest), B_BAD_VALUE);
}


TEST_F(ScreenModesTest, PowerStatesAreRememberedOffscreen)
{
	BScreen screen;
	EXPECT_EQ(screen.DPMSCapabilites(),
		(uint32)(B_DPMS_ON | B_DPMS_STAND_BY | B_DPMS_SUSPEND | B_DPMS_OFF));
	EXPECT_EQ(screen.DPMSState(), (uint32)B_DPMS_ON);
	ASSERT_EQ(screen.SetDPMS(B_DPMS_SUSPEND), B_OK);
	EXPECT_EQ(screen.DPMSState(), (uint32)B_DPMS_SUSPEND);
	EXPECT_EQ(screen.SetDPMS(B_DPMS_ON | B_DPMS_OFF), B_BAD_VALUE);
	ASSERT_EQ(screen.SetDPMS(B_DPMS_ON), B_OK);
}


TEST_F(ScreenModesTest, SetModifierKeyChangesTheKeyMap)
{
	uint32 key = 0;
	ASSERT_EQ(get_modifier_key(B_LEFT_CONTROL_KEY, &key), B_OK);
	EXPECT_EQ(key, 0x66u);
	set_modifier_key(B_LEFT_CONTROL_KEY, 0x3b);
	ASSERT_EQ(get_modifier_key(B_LEFT_CONTROL_KEY, &key), B_OK);
	EXPECT_EQ(key, 0x3bu);
	key_map* map = NULL;
	char* chars = NULL;
	get_key_map(&map, &chars);
	ASSERT_NE(map, nullptr);
	EXPECT_EQ(map->left_control_key, 0x3bu);
	// The other modifiers keep their keys.
	EXPECT_EQ(map->caps_key, 0x3bu);
	EXPECT_EQ(map->right_control_key, 0x67u);
	free(map);
	free(chars);

	// Neither a key code out of range nor a modifier that is none is taken.
	set_modifier_key(B_LEFT_CONTROL_KEY, 500);
	set_modifier_key(B_SHIFT_KEY | B_CONTROL_KEY, 0x10);
	ASSERT_EQ(get_modifier_key(B_LEFT_CONTROL_KEY, &key), B_OK);
	EXPECT_EQ(key, 0x3bu);
	set_modifier_key(B_LEFT_CONTROL_KEY, 0x66);
}
