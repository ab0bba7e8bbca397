// The keyboard, mouse and workspace functions of InterfaceDefs.h on the offscreen
// display: the keyboard follows the injected keys, the key map is the system's default
// layout, and the settings refuse what is not one.
#include <InterfaceDefs.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>

#include "OffscreenWindowTest.h"

namespace {

bool
KeyIsDown(const key_info& info, uint32 code)
{
	return (info.key_states[code / 8] & (0x80 >> (code % 8))) != 0;
}


std::string
Typed(const key_map* map, const char* chars, const int32* table, uint32 code)
{
	const char* entry = chars + table[code];
	return std::string(entry + 1, (uint8)entry[0]);
}


class KeyWindow : public BWindow {
public:
	explicit KeyWindow(const char* title)
		:
		BWindow(BRect(10, 10, 109, 109), title, B_TITLED_WINDOW, 0)
	{
	}
};

} // namespace


class InterfaceDefsInputTest : public OffscreenWindowTest<KeyWindow> {
};


TEST_F(InterfaceDefsInputTest, KeyInfoFollowsTheKeysHeldDown)
{
	Open(TestName());
	BPrivate::DisplayEvent event;
	event.type = BPrivate::kDisplayKeyDown;
	event.key = 0x4b;
	event.modifiers = B_SHIFT_KEY | B_LEFT_SHIFT_KEY;
	strcpy(event.bytes, "");
	fOffscreen->Inject(event);

	key_info info;
	ASSERT_EQ(get_key_info(&info), B_OK);
	EXPECT_TRUE(KeyIsDown(info, 0x4b));
	EXPECT_FALSE(KeyIsDown(info, 0x3c));
	EXPECT_EQ(info.modifiers & B_LEFT_SHIFT_KEY, (uint32)B_LEFT_SHIFT_KEY);
	EXPECT_EQ(modifiers() & B_SHIFT_KEY, (uint32)B_SHIFT_KEY);

	event.type = BPrivate::kDisplayKeyUp;
	event.modifiers = 0;
	fOffscreen->Inject(event);
	ASSERT_EQ(get_key_info(&info), B_OK);
	EXPECT_FALSE(KeyIsDown(info, 0x4b));
	EXPECT_EQ(modifiers(), 0u);
	EXPECT_EQ(get_key_info(NULL), B_BAD_VALUE);
}


TEST_F(InterfaceDefsInputTest, KeyboardLocksStayUntilChanged)
{
	set_keyboard_locks(B_CAPS_LOCK | B_NUM_LOCK | B_SHIFT_KEY);
	EXPECT_EQ(modifiers() & (B_CAPS_LOCK | B_NUM_LOCK | B_SHIFT_KEY),
		(uint32)(B_CAPS_LOCK | B_NUM_LOCK));
	set_keyboard_locks(0);
	EXPECT_EQ(modifiers() & (B_CAPS_LOCK | B_NUM_LOCK), 0u);
}


TEST_F(InterfaceDefsInputTest, KeyMapTellsWhatEachKeyTypes)
{
	key_map* map = NULL;
	char* chars = NULL;
	get_key_map(&map, &chars);
	if (map == NULL)
		GTEST_SKIP() << "no xkb layout installed";
	ASSERT_NE(chars, nullptr);
	// The A key, Enter, the 1 key and Escape.
	EXPECT_EQ(Typed(map, chars, map->normal_map, 0x3c), "a");
	EXPECT_EQ(Typed(map, chars, map->shift_map, 0x3c), "A");
	EXPECT_EQ(Typed(map, chars, map->caps_map, 0x3c), "A");
	EXPECT_EQ(Typed(map, chars, map->caps_shift_map, 0x3c), "a");
	EXPECT_EQ(Typed(map, chars, map->control_map, 0x3c), "\x01");
	EXPECT_EQ(Typed(map, chars, map->normal_map, 0x47), std::string(1, B_ENTER));
	EXPECT_EQ(Typed(map, chars, map->shift_map, 0x12), "!");
	EXPECT_EQ(Typed(map, chars, map->normal_map, 0x01), std::string(1, B_ESCAPE));
	// A code no key has types nothing.
	EXPECT_EQ(Typed(map, chars, map->normal_map, 0x7f), "");
	EXPECT_EQ(map->left_shift_key, 0x4bu);
	free(map);
	free(chars);

	uint32 key = 0;
	EXPECT_EQ(get_modifier_key(B_LEFT_COMMAND_KEY, &key), B_OK);
	EXPECT_EQ(key, 0x5cu);
	EXPECT_EQ(get_modifier_key(B_SHIFT_KEY | B_CAPS_LOCK, &key), B_BAD_VALUE);
	EXPECT_EQ(get_modifier_key(B_CAPS_LOCK, NULL), B_BAD_VALUE);
	uint16 id = 0;
	EXPECT_EQ(get_keyboard_id(&id), B_OK);
	EXPECT_NE(id, 0);
}


TEST_F(InterfaceDefsInputTest, MouseSettingsKeepWhatIsValid)
{
	bigtime_t speed = 0;
	ASSERT_EQ(get_click_speed(&speed), B_OK);
	EXPECT_EQ(speed, 500000);
	EXPECT_EQ(set_click_speed(300000), B_OK);
	get_click_speed(&speed);
	EXPECT_EQ(speed, 300000);
	EXPECT_EQ(set_click_speed(-5), B_BAD_VALUE);
	get_click_speed(&speed);
	EXPECT_EQ(speed, 300000);
	set_click_speed(500000);

	mouse_map map;
	ASSERT_EQ(get_mouse_map(&map), B_OK);
	EXPECT_EQ(map.left, (uint32)B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(map.right, (uint32)B_SECONDARY_MOUSE_BUTTON);
	mouse_map swapped = { B_SECONDARY_MOUSE_BUTTON, B_PRIMARY_MOUSE_BUTTON,
		B_TERTIARY_MOUSE_BUTTON };
	EXPECT_EQ(set_mouse_map(&swapped), B_OK);
	get_mouse_map(&map);
	EXPECT_EQ(map.left, (uint32)B_SECONDARY_MOUSE_BUTTON);
	mouse_map bad = { 0x10, B_PRIMARY_MOUSE_BUTTON, B_TERTIARY_MOUSE_BUTTON };
	EXPECT_EQ(set_mouse_map(&bad), B_BAD_VALUE);
	mouse_map usual = { B_PRIMARY_MOUSE_BUTTON, B_SECONDARY_MOUSE_BUTTON,
		B_TERTIARY_MOUSE_BUTTON };
	set_mouse_map(&usual);

	int32 value = 0;
	ASSERT_EQ(get_mouse_speed(&value), B_OK);
	EXPECT_EQ(value, 65536);
	EXPECT_EQ(set_mouse_acceleration(131072), B_OK);
	get_mouse_acceleration(&value);
	EXPECT_EQ(value, 131072);
	EXPECT_EQ(set_mouse_acceleration(-1), B_BAD_VALUE);
	set_mouse_acceleration(65536);

	ASSERT_EQ(get_mouse_type(&value), B_OK);
	EXPECT_EQ(value, 3);
	EXPECT_EQ(set_mouse_type(3), B_OK);
	EXPECT_EQ(set_mouse_type(0), B_BAD_VALUE);
}
