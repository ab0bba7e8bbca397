// BButton: a bevelled face with the label centred; pressed while tracked under the
// pointer.
#include <Button.h>

#include <Window.h>

#include <math.h>

namespace {

// The default button's extra frame takes this much room on each side.
const float kDefaultInset = 3;

} // namespace


BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW),
	fDefault(false)
{
	// A button is at least as tall as its font needs; a taller frame stays.
	float height;
	BButton::GetPreferredSize(NULL, &height);
	if (Bounds().Height() < height)
		ResizeTo(Bounds().Width(), height);
}


BButton::BButton(BMessage* archive)
	:
	BControl(archive),
	fDefault(false)
{
	if (archive != NULL)
		archive->FindBool("_default", &fDefault);
}


BButton::~BButton()
{
}


BArchivable*
BButton::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BButton"))
		return NULL;
	return new BButton(archive);
}


status_t
BButton::Archive(BMessage* archive, bool deep) const
{
	status_t status = BControl::Archive(archive, deep);
	if (status == B_OK && fDefault)
		status = archive->AddBool("_default", true);
	return status;
}


void
BButton::MakeDefault(bool flag)
{
	if (flag == fDefault)
		return;
	fDefault = flag;
	if (BWindow* window = Window()) {
		if (flag)
			window->SetDefaultButton(this);
		else if (window->DefaultButton() == this)
			window->SetDefaultButton(NULL);
	}
	Invalidate();
}


void
BButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	if (fDefault)
		Window()->SetDefaultButton(this);
}


void
BButton::DetachedFromWindow()
{
	if (Window()->DefaultButton() == this)
		Window()->SetDefaultButton(NULL);
	fDefault = false;
	BControl::DetachedFromWindow();
}


void
BButton::Draw(BRect updateRect)
{
	BRect frame = Bounds();
	rgb_color background = ViewColor();
	if (fDefault) {
		SetHighColor(tint_color(background, B_DARKEN_4_TINT));
		StrokeRect(frame);
		frame.InsetBy(kDefaultInset, kDefaultInset);
	}

	bool pressed = Value() == B_CONTROL_ON;
	rgb_color face = ui_color(B_CONTROL_BACKGROUND_COLOR);
	if (pressed)
		face = tint_color(face, B_DARKEN_2_TINT);
	else if (!IsEnabled())
		face = tint_color(face, B_LIGHTEN_1_TINT);
	// A disabled button's frame greys out with its label.
	rgb_color border = IsEnabled() ? ui_color(B_CONTROL_BORDER_COLOR)
		: tint_color(background, B_DISABLED_LABEL_TINT);
	rgb_color light = tint_color(face, B_LIGHTEN_2_TINT);
	rgb_color dark = tint_color(face, B_DARKEN_2_TINT);

	SetHighColor(border);
	StrokeRect(frame);
	frame.InsetBy(1, 1);
	BeginLineArray(4);
	AddLine(frame.LeftTop(), frame.RightTop(), pressed ? dark : light);
	AddLine(frame.LeftTop(), frame.LeftBottom(), pressed ? dark : light);
	AddLine(frame.LeftBottom(), frame.RightBottom(), pressed ? light : dark);
	AddLine(frame.RightTop(), frame.RightBottom(), pressed ? light : dark);
	EndLineArray();
	frame.InsetBy(1, 1);
	SetHighColor(face);
	FillRect(frame);

	const char* label = Label();
	if (label == NULL)
		return;
	font_height height;
	GetFontHeight(&height);
	float width = StringWidth(label);
	float x = floorf(frame.left + (frame.Width() - width) / 2);
	float y = floorf(frame.top + (frame.Height() + 1 - (height.ascent + height.descent)) / 2
		+ height.ascent);
	SetLowColor(face);
	SetHighColor(LabelColor());
	DrawString(label, BPoint(x, y));
	DrawFocusMark(x, x + width, y);
}


void
BButton::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	SetValue(B_CONTROL_ON);
}


void
BButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (IsTracking())
		SetValue(Bounds().Contains(where) ? B_CONTROL_ON : B_CONTROL_OFF);
}


void
BButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	if (Bounds().Contains(where))
		Invoke();
	SetValue(B_CONTROL_OFF);
}


void
BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (IsEnabled() && numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


status_t
BButton::Invoke(BMessage* message)
{
	// The message reports the button pressed, though it shows released again.
	SetValueNoUpdate(B_CONTROL_ON);
	status_t status = BControl::Invoke(message);
	SetValueNoUpdate(B_CONTROL_OFF);
	Invalidate();
	return status;
}


void
BButton::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float extra = fDefault ? 2 * kDefaultInset : 0;
	const char* label = Label();
	float labelWidth = label != NULL ? StringWidth(label) : 0;
	if (width != NULL)
		*width = ceilf(fmaxf(labelWidth + 20, 75) + extra);
	if (height != NULL)
		*height = ceilf(fontHeight.ascent + fontHeight.descent) + 10 + extra;
}
