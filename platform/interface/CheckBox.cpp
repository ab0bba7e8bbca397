// BCheckBox: a small sunken square, a cross when checked, the label beside it.
#include <CheckBox.h>

#include "interface/SunkenEdge.h"
#include "interface/TwoStateControl.h"

BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW),
	fPressed(false)
{
	BPrivate::grow_to_indicator_height(this);
}


BCheckBox::BCheckBox(BMessage* archive)
	:
	BControl(archive),
	fPressed(false)
{
}


BCheckBox::~BCheckBox()
{
}


BArchivable*
BCheckBox::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BCheckBox"))
		return NULL;
	return new BCheckBox(archive);
}


void
BCheckBox::Draw(BRect updateRect)
{
	BRect box = BPrivate::indicator_frame(Bounds());
	BRect frame = box;
	BPrivate::stroke_sunken_edge(this, box, ViewColor());
	box.InsetBy(1, 1);
	SetHighColor(ui_color(B_CONTROL_BORDER_COLOR));
	StrokeRect(box);
	box.InsetBy(1, 1);
	SetHighColor(BPrivate::indicator_face(this, fPressed));
	FillRect(box);

	if (Value() == B_CONTROL_ON) {
		// One-pixel strokes with a pixel of face around them: a thicker cross fills the
		// small box and reads as a dark square.
		BRect cross = box.InsetByCopy(1, 1);
		SetHighColor(BPrivate::indicator_mark(this));
		StrokeLine(cross.LeftTop(), cross.RightBottom());
		StrokeLine(cross.LeftBottom(), cross.RightTop());
	}

	float left, right, baseline;
	if (BPrivate::draw_indicator_label(this, frame, LabelColor(), &left, &right, &baseline))
		DrawFocusMark(left, right, baseline);
}


void
BCheckBox::MouseDown(BPoint where)
{
	if (BPrivate::begin_press(this, true, &fPressed))
		SetTracking(true);
}


void
BCheckBox::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (IsTracking())
		BPrivate::follow_press(this, where, &fPressed);
}


void
BCheckBox::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	if (BPrivate::end_press(this, where, &fPressed)) {
		SetValue(Value() == B_CONTROL_ON ? B_CONTROL_OFF : B_CONTROL_ON);
		Invoke();
	}
}


void
BCheckBox::GetPreferredSize(float* width, float* height)
{
	BPrivate::get_indicator_preferred_size(this, width, height);
}
