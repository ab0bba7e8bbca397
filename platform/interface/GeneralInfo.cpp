// The colours the platform's libbe exported as the global general_info before ui_color
// existed. The platform never declared it in a header: applications of the era declare
// the structure themselves and link to the symbol, so it keeps the platform's layout
// and the kit's default colours (those ui_color gives for the same roles).
#include <GraphicsDefs.h>

struct general_ui_info {
	rgb_color	background_color;
	rgb_color	mark_color;
	rgb_color	highlight_color;
	bool		color_frame;
	rgb_color	window_frame_color;
};

extern general_ui_info general_info;

general_ui_info general_info = {
	{ 216, 216, 216, 255 },	// B_PANEL_BACKGROUND_COLOR
	{ 0, 0, 0, 255 },		// B_CONTROL_MARK_COLOR
	{ 102, 152, 203, 255 },	// B_CONTROL_HIGHLIGHT_COLOR
	false,
	{ 255, 203, 0, 255 }	// B_WINDOW_TAB_COLOR
};
