// The X11 back end's screen and input against a private Xvfb: the keyboard's state as the
// server has it, the locks, the shared click speed, the pointer's map, the screen's
// pixels, stacking, drop targets across connections, the pace of WaitForRetrace, display
// modes through RandR, power through DPMS and the modifier keys' mapping.
#include "display/X11Display.h"

#include "display/DisplayModes.h"
#include "display/KeyCodes.h"

#include <InterfaceDefs.h>
#include <Screen.h>

#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <xcb/xtest.h>

#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

using namespace BPrivate;

namespace {

bool
KeyIsDown(const uint8 states[16], uint32 code)
{
	return (states[code / 8] & (0x80 >> (code % 8))) != 0;
}


void
Fill(DisplayWindow* window, BRect frame, double red, double green, double blue)
{
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24,
		(int)frame.Width() + 1, (int)frame.Height() + 1);
	cairo_t* cairo = cairo_create(surface);
	cairo_set_source_rgb(cairo, red, green, blue);
	cairo_paint(cairo);
	cairo_destroy(cairo);
	window->Present(surface, frame.OffsetToCopy(0, 0));
	cairo_surface_destroy(surface);
}

} // namespace


class X11InputTest : public testing::Test {
protected:
	static void SetUpTestSuite()
	{
		stServer = new XvfbServer;
		ASSERT_EQ(stServer->Start(), B_OK);
		setenv("DISPLAY", stServer->Name().c_str(), 1);
		setenv("BE_DISPLAY", "x11", 1);
		stDisplay = X11Display::Connect();
		stOther = X11Display::Connect();
		ASSERT_NE(stDisplay, nullptr);
		ASSERT_NE(stOther, nullptr);
		stScreen = new XvfbScreen(stServer->Name(), 1024, 768);
	}

	static void TearDownTestSuite()
	{
		delete stScreen;
		stServer->Stop();
		delete stServer;
	}

	// Presses or releases the key that types keysym, as a user does.
	static void FakeKey(xcb_keysym_t keysym, bool press)
	{
		xcb_connection_t* connection = xcb_connect(stServer->Name().c_str(), NULL);
		xcb_test_fake_input(connection, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
			stScreen->KeyCode(keysym), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
		xcb_aux_sync_free(connection);
	}

	static void xcb_aux_sync_free(xcb_connection_t* connection)
	{
		free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), NULL));
		xcb_disconnect(connection);
	}

	static XvfbServer* stServer;
	static X11Display* stDisplay;
	static X11Display* stOther;
	static XvfbScreen* stScreen;
};

XvfbServer* X11InputTest::stServer = NULL;
X11Display* X11InputTest::stDisplay = NULL;
X11Display* X11InputTest::stOther = NULL;
XvfbScreen* X11InputTest::stScreen = NULL;


TEST_F(X11InputTest, KeyStatesAndModifiersAreTheServers)
{
	FakeKey(0xffe1, true);	// Shift_L
	FakeKey(0x0061, true);	// a
	uint8 states[16];
	stDisplay->GetKeyStates(states);
	EXPECT_TRUE(KeyIsDown(states, 0x4b));
	EXPECT_TRUE(KeyIsDown(states, 0x3c));
	EXPECT_FALSE(KeyIsDown(states, 0x56));
	EXPECT_EQ(stDisplay->Modifiers() & (B_SHIFT_KEY | B_LEFT_SHIFT_KEY | B_RIGHT_SHIFT_KEY),
		(uint32)(B_SHIFT_KEY | B_LEFT_SHIFT_KEY));
	FakeKey(0x0061, false);
	FakeKey(0xffe1, false);
	stDisplay->GetKeyStates(states);
	EXPECT_FALSE(KeyIsDown(states, 0x4b));
	EXPECT_EQ(stDisplay->Modifiers() & B_SHIFT_KEY, 0u);
}


TEST_F(X11InputTest, KeyboardLocksReachTheServer)
{
	ASSERT_EQ(stDisplay->SetKeyboardLocks(B_CAPS_LOCK), B_OK);
	EXPECT_TRUE(wait_for([] { return (stOther->Modifiers() & B_CAPS_LOCK) != 0; }));
	EXPECT_EQ(stOther->Modifiers() & B_NUM_LOCK, 0u);
	ASSERT_EQ(stDisplay->SetKeyboardLocks(0), B_OK);
	EXPECT_TRUE(wait_for([] { return (stOther->Modifiers() & B_CAPS_LOCK) == 0; }));
}


TEST_F(X11InputTest, KeyMapComesFromTheServersLayout)
{
	key_map* map = NULL;
	char* chars = NULL;
	ASSERT_EQ(stDisplay->GetKeyMap(&map, &chars), B_OK);
	const char* a = chars + map->normal_map[0x3c];
	EXPECT_EQ(std::string(a + 1, (uint8)a[0]), "a");
	const char* bang = chars + map->shift_map[0x12];
	EXPECT_EQ(std::string(bang + 1, (uint8)bang[0]), "!");
	free(map);
	free(chars);
}


TEST_F(X11InputTest, ClickSpeedIsSharedByTheDisplaysClients)
{
	EXPECT_EQ(stOther->ClickSpeed(), kDefaultClickSpeed);
	ASSERT_EQ(stDisplay->SetClickSpeed(250000), B_OK);
	EXPECT_TRUE(wait_for([] { return stOther->ClickSpeed() == 250000; }));
	EXPECT_EQ(stDisplay->SetClickSpeed(0), B_BAD_VALUE);
	ASSERT_EQ(stDisplay->SetClickSpeed(kDefaultClickSpeed), B_OK);
	EXPECT_TRUE(wait_for([] { return stOther->ClickSpeed() == kDefaultClickSpeed; }));
}


TEST_F(X11InputTest, MouseMapAndAccelerationAreTheServers)
{
	uint32 map[3];
	ASSERT_EQ(stDisplay->GetMouseMap(map), B_OK);
	EXPECT_EQ(map[0], (uint32)B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(map[2], (uint32)B_SECONDARY_MOUSE_BUTTON);
	const uint32 swapped[3] = { B_SECONDARY_MOUSE_BUTTON, B_TERTIARY_MOUSE_BUTTON,
		B_PRIMARY_MOUSE_BUTTON };
	ASSERT_EQ(stDisplay->SetMouseMap(swapped), B_OK);
	ASSERT_EQ(stOther->GetMouseMap(map), B_OK);
	EXPECT_EQ(map[0], (uint32)B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(map[2], (uint32)B_PRIMARY_MOUSE_BUTTON);
	const uint32 usual[3] = { B_PRIMARY_MOUSE_BUTTON, B_TERTIARY_MOUSE_BUTTON,
		B_SECONDARY_MOUSE_BUTTON };
	ASSERT_EQ(stDisplay->SetMouseMap(usual), B_OK);
	EXPECT_EQ(stDisplay->CountMouseButtons(), 3);

	ASSERT_EQ(stDisplay->SetMouseSpeed(kDefaultMouseSpeed, 131072), B_OK);
	int32 speed = 0;
	int32 acceleration = 0;
	ASSERT_EQ(stOther->GetMouseSpeed(&speed, &acceleration), B_OK);
	EXPECT_EQ(acceleration, 131072);
	EXPECT_EQ(stDisplay->SetMouseSpeed(2 * kDefaultMouseSpeed, 0), B_UNSUPPORTED);
	ASSERT_EQ(stDisplay->SetMouseSpeed(kDefaultMouseSpeed, kDefaultMouseAcceleration), B_OK);
}


TEST_F(X11InputTest, ScreenPixelsStackingAndDropTargets)
{
	std::vector<DisplayWindow*> windows;
	for (int i = 0; i < 2; i++) {
		windows.push_back(stDisplay->CreateWindow(BRect(100 + 50 * i, 100, 199 + 50 * i, 149),
			"stacked", [](const DisplayEvent&) {}));
		windows[i]->Show();
	}
	windows[0]->SetDropTarget("first");
	windows[1]->SetDropTarget("second");

	// The server keeps no pixels of a window that is not mapped yet, or covered: each
	// try presents them again.
	auto fill = [&] {
		for (int i = 0; i < 2; i++)
			Fill(windows[i], BRect(0, 0, 99, 49), i, 0, 1 - i);
	};
	std::vector<uint32> pixels(20 * 10);
	ASSERT_TRUE(wait_for([&] {
		fill();
		return stOther->ReadScreen(BRect(160, 110, 179, 119), pixels.data()) == B_OK
			&& pixels[0] == 0xffff0000;
	}));
	EXPECT_EQ(stOther->ReadScreen(BRect(1020, 0, 1030, 10), pixels.data()), B_BAD_VALUE);
	EXPECT_TRUE(windows[1]->IsFront());

	std::string data;
	ASSERT_EQ(stOther->DropTargetAt(BPoint(170, 120), &data), B_OK);
	EXPECT_EQ(data, "second");
	ASSERT_EQ(stOther->DropTargetAt(BPoint(110, 120), &data), B_OK);
	EXPECT_EQ(data, "first");
	EXPECT_EQ(stOther->DropTargetAt(BPoint(600, 600), &data), B_ENTRY_NOT_FOUND);

	windows[1]->SendBehind(windows[0]);
	EXPECT_TRUE(wait_for([&] { return windows[0]->IsFront(); }));
	ASSERT_EQ(stOther->DropTargetAt(BPoint(170, 120), &data), B_OK);
	EXPECT_EQ(data, "first");
	ASSERT_TRUE(wait_for([&] {
		fill();
		return stOther->ReadScreen(BRect(160, 110, 179, 119), pixels.data()) == B_OK
			&& pixels[0] == 0xff0000ff;
	}));
	stScreen->Grab();
	stScreen->Save(QV_BIN_DIR "/../X11InputTest-stacked.png");
	for (DisplayWindow* window : windows)
		delete window;
}


TEST_F(X11InputTest, WaitForRetraceKeepsTheServersPace)
{
	bigtime_t period = Display::Default()->RefreshPeriod();
	ASSERT_GT(period, 0);
	BScreen screen;
	ASSERT_EQ(screen.WaitForRetrace(), B_OK);
	bigtime_t start = system_time();
	for (int i = 0; i < 3; i++)
		ASSERT_EQ(screen.WaitForRetrace(), B_OK);
	bigtime_t elapsed = system_time() - start;
	// Each wait ends at a refresh: the first may have returned late (a loaded machine),
	// the other two took a whole period each.
	EXPECT_GE(elapsed, 2 * period);
	EXPECT_LT(elapsed, 3 * period + 400000);
	EXPECT_STREQ(Display::Default()->Name(), "x11");
}


TEST_F(X11InputTest, DisplayModesComeFromRandRAndSetModeResizesTheScreen)
{
	display_mode current;
	ASSERT_EQ(stDisplay->GetMode(&current), B_OK);
	EXPECT_EQ(current.timing.h_display, 1024);
	EXPECT_EQ(current.timing.v_display, 768);
	std::vector<display_mode> modes;
	ASSERT_EQ(stDisplay->GetModeList(&modes), B_OK);
	ASSERT_FALSE(modes.empty());

	// Xvfb lists its one size; a smaller mode is added to its output and shown.
	display_mode small = make_display_mode(800, 600, 60);
	ASSERT_EQ(stDisplay->SetMode(small), B_OK);
	EXPECT_TRUE(wait_for([] {
		return stOther->ScreenFrame() == BRect(0, 0, 799, 599);
	}));
	display_mode shown;
	ASSERT_EQ(stOther->GetMode(&shown), B_OK);
	EXPECT_EQ(shown.timing.h_display, 800);
	EXPECT_EQ(shown.timing.v_total, small.timing.v_total);

	// A timing the output lacks, whose sync starts inside the picture, is not made.
	display_mode nonsense = make_display_mode(700, 500, 60);
	nonsense.timing.h_sync_start = 10;
	EXPECT_EQ(stDisplay->SetMode(nonsense), B_BAD_VALUE);

	ASSERT_EQ(stDisplay->SetMode(current), B_OK);
	EXPECT_TRUE(wait_for([] {
		return stOther->ScreenFrame() == BRect(0, 0, 1023, 767);
	}));
	accelerant_device_info info;
	ASSERT_EQ(stDisplay->GetDeviceInfo(&info), B_OK);
	EXPECT_GT(strlen(info.name), 0u);
}


TEST_F(X11InputTest, PowerStatesGoThroughDPMS)
{
	uint32 capabilities = stDisplay->DPMSCapabilities();
	if (capabilities == 0) {
		EXPECT_EQ(stDisplay->SetDPMS(B_DPMS_OFF), B_UNSUPPORTED);
		GTEST_SKIP() << "this Xvfb has no DPMS";
	}
	ASSERT_EQ(stDisplay->SetDPMS(B_DPMS_STAND_BY), B_OK);
	EXPECT_EQ(stOther->DPMSState(), (uint32)B_DPMS_STAND_BY);
	ASSERT_EQ(stDisplay->SetDPMS(B_DPMS_ON), B_OK);
	EXPECT_EQ(stOther->DPMSState(), (uint32)B_DPMS_ON);
	EXPECT_EQ(stDisplay->SetDPMS(12345), B_BAD_VALUE);
}


TEST_F(X11InputTest, SetModifierKeyMovesTheServersModifierMapping)
{
	xcb_connection_t* connection = xcb_connect(stServer->Name().c_str(), NULL);
	auto rowHolds = [connection](int row, uint8 code) {
		xcb_get_modifier_mapping_reply_t* reply = xcb_get_modifier_mapping_reply(
			connection, xcb_get_modifier_mapping(connection), NULL);
		bool found = false;
		const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
		for (int i = 0; i < reply->keycodes_per_modifier; i++)
			found = found || codes[row * reply->keycodes_per_modifier + i] == code;
		free(reply);
		return found;
	};
	// The Menu key (X key 135) becomes the left Control key, which X11 gives as Mod4.
	uint8 menuKey = (uint8)x_key_for_key_code(0x68);
	uint8 superKey = (uint8)x_key_for_key_code(0x66);
	ASSERT_TRUE(rowHolds(XCB_MAP_INDEX_4, superKey));
	ASSERT_EQ(stDisplay->SetModifierKey(B_LEFT_CONTROL_KEY, 0x68), B_OK);
	EXPECT_TRUE(rowHolds(XCB_MAP_INDEX_4, menuKey));
	EXPECT_FALSE(rowHolds(XCB_MAP_INDEX_4, superKey));
	key_map* map = NULL;
	char* chars = NULL;
	ASSERT_EQ(stDisplay->GetKeyMap(&map, &chars), B_OK);
	EXPECT_EQ(map->left_control_key, 0x68u);
	free(map);
	free(chars);

	ASSERT_EQ(stDisplay->SetModifierKey(B_LEFT_CONTROL_KEY, 0x66), B_OK);
	EXPECT_TRUE(rowHolds(XCB_MAP_INDEX_4, superKey));
	EXPECT_FALSE(rowHolds(XCB_MAP_INDEX_4, menuKey));
	xcb_disconnect(connection);
}
