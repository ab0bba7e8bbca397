// BCheckBox: a small sunken square, a cross when checked, the label beside it.
#include <CheckBox.h>

#include <math.h>

namespace {

const float kBoxSize = 12;
const float kLabelGap = 6;

} // namespace


BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW),
	fPressed(false)
{
}


BCheckBox::~BCheckBox()
{
}


BRect
BCheckBox::_BoxFrame()
{
	BRect bounds = Bounds();
	float top = floorf(bounds.top + (bounds.Height() - kBoxSize) / 2);
	return BRect(bounds.left + 1, top, bounds.left + 1 + kBoxSize, top + kBoxSize);
}


void
BCheckBox::Draw(BRect updateRect)
{
	BRect box = _BoxFrame();
	rgb_color background = ViewColor();
	rgb_color dark = tint_color(background, B_DARKEN_3_TINT);
	rgb_color light = tint_color(background, B_LIGHTEN_MAX_TINT);
	BeginLineArray(4);
	AddLine(box.LeftTop(), box.RightTop(), dark);
	AddLine(box.LeftTop(), box.LeftBottom(), dark);
	AddLine(box.LeftBottom(), box.RightBottom(), light);
	AddLine(box.RightTop(), box.RightBottom(), light);
	EndLineArray();
	box.InsetBy(1, 1);
	rgb_color face = IsEnabled() ? ui_color(B_DOCUMENT_BACKGROUND_COLOR) : background;
	if (fPressed)
		face = tint_color(face, B_DARKEN_1_TINT);
	SetHighColor(ui_color(B_CONTROL_BORDER_COLOR));
	StrokeRect(box);
	box.InsetBy(1, 1);
	SetHighColor(face);
	FillRect(box);

	if (Value() == B_CONTROL_ON) {
		rgb_color mark = ui_color(B_CONTROL_MARK_COLOR);
		if (!IsEnabled())
			mark = tint_color(mark, B_DISABLED_MARK_TINT);
		BRect cross = box.InsetByCopy(1, 1);
		SetHighColor(mark);
		SetPenSize(2);
		StrokeLine(cross.LeftTop(), cross.RightBottom());
		StrokeLine(cross.LeftBottom(), cross.RightTop());
		SetPenSize(1);
	}

	const char* label = Label();
	if (label == NULL)
		return;
	font_height height;
	GetFontHeight(&height);
	BRect bounds = Bounds();
	float x = _BoxFrame().right + kLabelGap;
	float y = floorf(bounds.top + (bounds.Height() + 1 - (height.ascent + height.descent)) / 2
		+ height.ascent);
	SetHighColor(LabelColor());
	DrawString(label, BPoint(x, y));
	DrawFocusMark(x, x + StringWidth(label), y);
}


void
BCheckBox::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	fPressed = true;
	Invalidate();
}


void
BCheckBox::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (!IsTracking())
		return;
	bool inside = Bounds().Contains(where);
	if (inside != fPressed) {
		fPressed = inside;
		Invalidate();
	}
}


void
BCheckBox::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	fPressed = false;
	if (Bounds().Contains(where)) {
		SetValue(Value() == B_CONTROL_ON ? B_CONTROL_OFF : B_CONTROL_ON);
		Invoke();
	}
	Invalidate();
}


void
BCheckBox::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	const char* label = Label();
	if (width != NULL)
		*width = ceilf(kBoxSize + 2 + (label != NULL ? kLabelGap + StringWidth(label) : 0));
	if (height != NULL)
		*height = fmaxf(kBoxSize + 2, ceilf(fontHeight.ascent + fontHeight.descent) + 2);
}
