// BScreen over the display back end.
#include <Screen.h>

#include "display/Display.h"
#include "interface/SystemPalette.h"

#include <InterfaceDefs.h>

BScreen::BScreen(screen_id id)
	:
	fValid(id.id == B_MAIN_SCREEN_ID.id)
{
}


BScreen::BScreen(BWindow* window)
	:
	fValid(true)
{
}


BScreen::~BScreen()
{
}


status_t
BScreen::SetToNext()
{
	return B_ERROR;
}


screen_id
BScreen::ID() const
{
	return B_MAIN_SCREEN_ID;
}


BRect
BScreen::Frame()
{
	if (!fValid)
		return BRect();
	return BPrivate::Display::Default()->ScreenFrame();
}


color_space
BScreen::ColorSpace()
{
	return fValid ? B_RGB32 : B_NO_COLOR_SPACE;
}


const color_map*
BScreen::ColorMap()
{
	return &BPrivate::SystemPalette();
}


uint8
BScreen::IndexForColor(rgb_color color)
{
	return BPrivate::PaletteIndexFor(color);
}


uint8
BScreen::IndexForColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
	return BPrivate::PaletteIndexFor(make_color(red, green, blue, alpha));
}


rgb_color
BScreen::ColorForIndex(uint8 index)
{
	return BPrivate::SystemPalette().color_list[index];
}


uint8
BScreen::InvertIndex(uint8 index)
{
	return BPrivate::SystemPalette().inversion_map[index];
}
