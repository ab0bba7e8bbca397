// BRadioButton: a sunken circle, filled with a dot when on, the label beside it. The
// group is the parent's children that are radio buttons.
#include <RadioButton.h>

#include <math.h>

namespace {

const float kDotSize = 12;
const float kLabelGap = 6;

} // namespace


BRadioButton::BRadioButton(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW),
	fPressed(false)
{
}


BRadioButton::~BRadioButton()
{
}


void
BRadioButton::SetValue(int32 value)
{
	value = value != B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF;
	if (value == Value())
		return;
	BControl::SetValue(value);
	if (value != B_CONTROL_ON || Parent() == NULL)
		return;
	for (int32 i = 0; BView* sibling = Parent()->ChildAt(i); i++) {
		BRadioButton* other = dynamic_cast<BRadioButton*>(sibling);
		if (other != NULL && other != this && other->Value() != B_CONTROL_OFF)
			other->SetValue(B_CONTROL_OFF);
	}
}


BRect
BRadioButton::_DotFrame()
{
	BRect bounds = Bounds();
	float top = floorf(bounds.top + (bounds.Height() - kDotSize) / 2);
	return BRect(bounds.left + 1, top, bounds.left + 1 + kDotSize, top + kDotSize);
}


void
BRadioButton::Draw(BRect updateRect)
{
	BRect circle = _DotFrame();
	rgb_color background = ViewColor();
	rgb_color face = IsEnabled() ? ui_color(B_DOCUMENT_BACKGROUND_COLOR) : background;
	if (fPressed)
		face = tint_color(face, B_DARKEN_1_TINT);
	SetHighColor(face);
	FillEllipse(circle);
	// Sunken: dark above and left, light below and right.
	SetHighColor(tint_color(background, B_DARKEN_3_TINT));
	StrokeEllipse(circle);
	SetHighColor(ui_color(B_CONTROL_BORDER_COLOR));
	StrokeEllipse(circle.InsetByCopy(1, 1));

	if (Value() == B_CONTROL_ON) {
		rgb_color mark = ui_color(B_CONTROL_MARK_COLOR);
		if (!IsEnabled())
			mark = tint_color(mark, B_DISABLED_MARK_TINT);
		SetHighColor(mark);
		FillEllipse(circle.InsetByCopy(4, 4));
	}

	const char* label = Label();
	if (label == NULL)
		return;
	font_height height;
	GetFontHeight(&height);
	BRect bounds = Bounds();
	float x = circle.right + kLabelGap;
	float y = floorf(bounds.top + (bounds.Height() + 1 - (height.ascent + height.descent)) / 2
		+ height.ascent);
	SetHighColor(LabelColor());
	DrawString(label, BPoint(x, y));
	DrawFocusMark(x, x + StringWidth(label), y);
}


void
BRadioButton::_Choose()
{
	if (Value() == B_CONTROL_ON)
		return;
	SetValue(B_CONTROL_ON);
	Invoke();
}


void
BRadioButton::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	fPressed = true;
	Invalidate();
}


void
BRadioButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
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
BRadioButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	fPressed = false;
	if (Bounds().Contains(where))
		_Choose();
	Invalidate();
}


void
BRadioButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		if (IsEnabled())
			_Choose();
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}


void
BRadioButton::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	const char* label = Label();
	if (width != NULL)
		*width = ceilf(kDotSize + 2 + (label != NULL ? kLabelGap + StringWidth(label) : 0));
	if (height != NULL)
		*height = fmaxf(kDotSize + 2, ceilf(fontHeight.ascent + fontHeight.descent) + 2);
}
