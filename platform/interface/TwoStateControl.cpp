// The press, keys and indicator drawing that the two-state controls share.
#include "interface/TwoStateControl.h"

#include <math.h>

namespace BPrivate {

bool
begin_press(BControl* control, bool showPressed, bool* pressed)
{
	if (!control->IsEnabled())
		return false;
	*pressed = showPressed;
	control->Invalidate();
	return true;
}


void
follow_press(BControl* control, BPoint where, bool* pressed)
{
	bool inside = control->Bounds().Contains(where);
	if (inside != *pressed) {
		*pressed = inside;
		control->Invalidate();
	}
}


bool
end_press(BControl* control, BPoint where, bool* pressed)
{
	*pressed = false;
	control->Invalidate();
	return control->Bounds().Contains(where);
}


bool
is_click_key(const BControl* control, const char* bytes, int32 numBytes)
{
	return control->IsEnabled() && numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER);
}


BRect
indicator_frame(BRect bounds)
{
	float top = floorf(bounds.top + (bounds.Height() - kIndicatorSize) / 2);
	return BRect(bounds.left + 1, top, bounds.left + 1 + kIndicatorSize, top + kIndicatorSize);
}


rgb_color
indicator_face(const BControl* control, bool pressed)
{
	rgb_color face = control->IsEnabled() ? ui_color(B_DOCUMENT_BACKGROUND_COLOR)
		: control->ViewColor();
	return pressed ? tint_color(face, B_DARKEN_1_TINT) : face;
}


rgb_color
indicator_mark(const BControl* control)
{
	rgb_color mark = ui_color(B_CONTROL_MARK_COLOR);
	return control->IsEnabled() ? mark : tint_color(mark, B_DISABLED_MARK_TINT);
}


bool
draw_indicator_label(BControl* control, BRect indicator, rgb_color color, float* left,
	float* right, float* baseline)
{
	const char* label = control->Label();
	if (label == NULL)
		return false;
	font_height height;
	control->GetFontHeight(&height);
	BRect bounds = control->Bounds();
	*left = indicator.right + kIndicatorLabelGap;
	*right = *left + control->StringWidth(label);
	*baseline = floorf(bounds.top + (bounds.Height() + 1 - (height.ascent + height.descent)) / 2
		+ height.ascent);
	control->SetHighColor(color);
	control->DrawString(label, BPoint(*left, *baseline));
	return true;
}


void
get_indicator_preferred_size(BControl* control, float* width, float* height)
{
	font_height fontHeight;
	control->GetFontHeight(&fontHeight);
	const char* label = control->Label();
	if (width != NULL) {
		*width = ceilf(kIndicatorSize + 2
			+ (label != NULL ? kIndicatorLabelGap + control->StringWidth(label) : 0));
	}
	if (height != NULL)
		*height = fmaxf(kIndicatorSize + 2, ceilf(fontHeight.ascent + fontHeight.descent) + 2);
}


void
grow_to_indicator_height(BControl* control)
{
	float height;
	get_indicator_preferred_size(control, NULL, &height);
	if (control->Bounds().Height() < height)
		control->ResizeTo(control->Bounds().Width(), height);
}

} // namespace BPrivate
