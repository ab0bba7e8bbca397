// BRadioButton: a sunken circle, filled with a dot when on, the label beside it. The
// group is the parent's children that are radio buttons.
#include <RadioButton.h>

#include "interface/TwoStateControl.h"

BRadioButton::BRadioButton(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW),
	fPressed(false)
{
	BPrivate::grow_to_indicator_height(this);
}


BRadioButton::BRadioButton(BMessage* archive)
	:
	BControl(archive),
	fPressed(false)
{
}


BRadioButton::~BRadioButton()
{
}


BArchivable*
BRadioButton::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BRadioButton"))
		return NULL;
	return new BRadioButton(archive);
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


void
BRadioButton::Draw(BRect updateRect)
{
	BRect circle = BPrivate::indicator_frame(Bounds());
	SetHighColor(BPrivate::indicator_face(this, fPressed));
	FillEllipse(circle);
	// Sunken: dark above and left, light below and right.
	SetHighColor(tint_color(ViewColor(), B_DARKEN_3_TINT));
	StrokeEllipse(circle);
	SetHighColor(ui_color(B_CONTROL_BORDER_COLOR));
	StrokeEllipse(circle.InsetByCopy(1, 1));

	if (Value() == B_CONTROL_ON) {
		SetHighColor(BPrivate::indicator_mark(this));
		FillEllipse(circle.InsetByCopy(4, 4));
	}

	float left, right, baseline;
	if (BPrivate::draw_indicator_label(this, circle, LabelColor(), &left, &right, &baseline))
		DrawFocusMark(left, right, baseline);
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
	if (BPrivate::begin_press(this, true, &fPressed))
		SetTracking(true);
}


void
BRadioButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (IsTracking())
		BPrivate::follow_press(this, where, &fPressed);
}


void
BRadioButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	if (BPrivate::end_press(this, where, &fPressed))
		_Choose();
}


void
BRadioButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (BPrivate::is_click_key(this, bytes, numBytes))
		_Choose();
	else
		BControl::KeyDown(bytes, numBytes);
}


void
BRadioButton::GetPreferredSize(float* width, float* height)
{
	BPrivate::get_indicator_preferred_size(this, width, height);
}
