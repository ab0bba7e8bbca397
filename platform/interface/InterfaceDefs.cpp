// ui_color() and tint_color(). The system colours are fixed: the kit has no preferences
// application that could change them.
#include <InterfaceDefs.h>

namespace {

struct SystemColor {
	color_which which;
	rgb_color color;
};

const SystemColor kSystemColors[] = {
	{ B_PANEL_BACKGROUND_COLOR, { 216, 216, 216, 255 } },
	{ B_MENU_BACKGROUND_COLOR, { 216, 216, 216, 255 } },
	{ B_WINDOW_TAB_COLOR, { 255, 203, 0, 255 } },
	{ B_KEYBOARD_NAVIGATION_COLOR, { 0, 0, 229, 255 } },
	{ B_DESKTOP_COLOR, { 51, 102, 152, 255 } },
	{ B_MENU_SELECTED_BACKGROUND_COLOR, { 168, 168, 168, 255 } },
	{ B_MENU_ITEM_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_MENU_SELECTED_ITEM_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_MENU_SELECTED_BORDER_COLOR, { 0, 0, 0, 255 } },
	{ B_PANEL_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_DOCUMENT_BACKGROUND_COLOR, { 255, 255, 255, 255 } },
	{ B_DOCUMENT_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_CONTROL_BACKGROUND_COLOR, { 245, 245, 245, 255 } },
	{ B_CONTROL_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_CONTROL_BORDER_COLOR, { 0, 0, 0, 255 } },
	{ B_CONTROL_HIGHLIGHT_COLOR, { 102, 152, 203, 255 } },
	{ B_NAVIGATION_PULSE_COLOR, { 0, 0, 0, 255 } },
	{ B_SHINE_COLOR, { 255, 255, 255, 255 } },
	{ B_SHADOW_COLOR, { 0, 0, 0, 255 } },
	{ B_TOOL_TIP_BACKGROUND_COLOR, { 255, 255, 0, 255 } },
	{ B_TOOL_TIP_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_WINDOW_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_WINDOW_INACTIVE_TAB_COLOR, { 232, 232, 232, 255 } },
	{ B_WINDOW_INACTIVE_TEXT_COLOR, { 80, 80, 80, 255 } },
	{ B_WINDOW_BORDER_COLOR, { 255, 203, 0, 255 } },
	{ B_WINDOW_INACTIVE_BORDER_COLOR, { 232, 232, 232, 255 } },
	{ B_CONTROL_MARK_COLOR, { 0, 0, 0, 255 } },
	{ B_LIST_BACKGROUND_COLOR, { 255, 255, 255, 255 } },
	{ B_LIST_SELECTED_BACKGROUND_COLOR, { 190, 190, 190, 255 } },
	{ B_LIST_ITEM_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_LIST_SELECTED_ITEM_TEXT_COLOR, { 0, 0, 0, 255 } },
	{ B_SCROLL_BAR_THUMB_COLOR, { 216, 216, 216, 255 } },
	{ B_SUCCESS_COLOR, { 0, 255, 0, 255 } },
	{ B_FAILURE_COLOR, { 255, 0, 0, 255 } }
};


uint8
Clamp(float value)
{
	if (value <= 0)
		return 0;
	if (value >= 255)
		return 255;
	return (uint8)(value + 0.5f);
}

} // namespace


rgb_color
ui_color(color_which which)
{
	for (const SystemColor& entry : kSystemColors) {
		if (entry.which == which)
			return entry.color;
	}
	return make_color(0, 0, 0);
}


rgb_color
tint_color(rgb_color color, float tint)
{
	rgb_color result = color;
	if (tint < 1.0f) {
		// Lighten: move each component towards 255, all the way at tint 0.
		result.red = Clamp(255 - (255 - color.red) * tint);
		result.green = Clamp(255 - (255 - color.green) * tint);
		result.blue = Clamp(255 - (255 - color.blue) * tint);
	} else if (tint > 1.0f) {
		// Darken: scale each component towards 0, reached at tint 2.
		result.red = Clamp(color.red * (2.0f - tint));
		result.green = Clamp(color.green * (2.0f - tint));
		result.blue = Clamp(color.blue * (2.0f - tint));
	}
	return result;
}
