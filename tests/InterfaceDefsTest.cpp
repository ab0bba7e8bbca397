// System colours, tints, the system palette and the screen.
#include <InterfaceDefs.h>
#include <Screen.h>

#include <gtest/gtest.h>

#include <stdlib.h>

TEST(InterfaceDefsTest, TintsLightenBelowOneAndDarkenAboveOne)
{
	rgb_color red = make_color(240, 16, 0);
	rgb_color darker = tint_color(red, B_DARKEN_3_TINT);
	EXPECT_EQ(darker, make_color(142, 9, 0));
	rgb_color black = make_color(0, 0, 0);
	EXPECT_EQ(tint_color(black, B_LIGHTEN_2_TINT), make_color(157, 157, 157));
	EXPECT_EQ(tint_color(black, B_LIGHTEN_MAX_TINT), make_color(255, 255, 255));
	EXPECT_EQ(tint_color(red, B_DARKEN_MAX_TINT), make_color(0, 0, 0));
	EXPECT_EQ(tint_color(red, B_NO_TINT), red);
	EXPECT_EQ(tint_color(make_color(10, 20, 30, 77), B_DARKEN_1_TINT).alpha, 77);
}


TEST(InterfaceDefsTest, SystemColoursAreOpaqueAndPanelIsLightGrey)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	EXPECT_EQ(panel.red, panel.green);
	EXPECT_EQ(panel.green, panel.blue);
	EXPECT_GT(panel.red, 180);
	EXPECT_LT(panel.red, 255);
	EXPECT_EQ(ui_color(B_DOCUMENT_BACKGROUND_COLOR), make_color(255, 255, 255));
	EXPECT_EQ(ui_color(B_PANEL_TEXT_COLOR), make_color(0, 0, 0));
	for (int32 which = B_PANEL_BACKGROUND_COLOR; which <= B_SCROLL_BAR_THUMB_COLOR; which++)
		EXPECT_EQ(ui_color((color_which)which).alpha, 255) << which;
}


TEST(SystemPaletteTest, Index255IsTransparentAndColoursRoundTrip)
{
	const color_map* map = system_colors();
	ASSERT_NE(map, nullptr);
	EXPECT_EQ(map->color_list[255].alpha, 0);
	EXPECT_EQ(map->color_list[0], make_color(0, 0, 0));
	// The platform's own table: greys step by 8, white is index 63.
	EXPECT_EQ(map->color_list[31], make_color(248, 248, 248));
	EXPECT_EQ(map->color_list[63], make_color(255, 255, 255));

	BScreen screen;
	ASSERT_TRUE(screen.IsValid());
	EXPECT_EQ(screen.ColorMap(), map);
	for (int32 i = 0; i < 255; i++) {
		EXPECT_EQ(map->color_list[i].alpha, 255);
		// Duplicated colours may map to an earlier index, never to another colour.
		rgb_color color = screen.ColorForIndex((uint8)i);
		EXPECT_EQ(screen.ColorForIndex(screen.IndexForColor(color)), color) << i;
	}
	EXPECT_EQ(screen.IndexForColor(B_TRANSPARENT_COLOR), B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_EQ(screen.IndexForColor(1, 2, 3, 0), B_TRANSPARENT_MAGIC_CMAP8);

	// A colour outside the palette finds a close entry.
	rgb_color near = screen.ColorForIndex(screen.IndexForColor(250, 10, 10));
	EXPECT_LT(abs(near.red - 250) + abs(near.green - 10) + abs(near.blue - 10), 40);
	EXPECT_EQ(screen.InvertIndex(0), 63);
}
