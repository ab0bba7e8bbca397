// BSlider: the label above a sunken bar with a thumb, hash marks beside the bar and the
// limit labels below it. The thumb's middle runs from the bar's left end (the minimum) to
// its right end (the maximum).
#include <Slider.h>

#include <Window.h>

#include <math.h>

namespace {

const float kThumbWidth = 12;
const float kBarHeight = 6;
const float kThumbHeight = 16;
const float kHashLength = 4;
const float kSideInset = kThumbWidth / 2 + 1;

} // namespace


BSlider::BSlider(BRect frame, const char* name, const char* label, BMessage* message,
	int32 minValue, int32 maxValue, thumb_style thumbType, uint32 resizingMode,
	uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW),
	fModificationMessage(NULL),
	fMinValue(minValue),
	fMaxValue(maxValue > minValue ? maxValue : minValue),
	fKeyIncrement(1),
	fHashMarks(B_HASH_MARKS_NONE),
	fHashMarkCount(0),
	fBarColor(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_4_TINT)),
	fFillColor(ui_color(B_CONTROL_MARK_COLOR)),
	fUseFill(false),
	fStyle(thumbType)
{
	SetValueNoUpdate(fMinValue);
}


BSlider::~BSlider()
{
	delete fModificationMessage;
}


void
BSlider::SetValue(int32 value)
{
	value = value < fMinValue ? fMinValue : value > fMaxValue ? fMaxValue : value;
	if (value == Value())
		return;
	BControl::SetValue(value);
}


void
BSlider::SetLimits(int32 minimum, int32 maximum)
{
	fMinValue = minimum;
	fMaxValue = maximum > minimum ? maximum : minimum;
	int32 value = Value();
	SetValueNoUpdate(value < fMinValue ? fMinValue : value > fMaxValue ? fMaxValue : value);
	Invalidate();
}


void
BSlider::GetLimits(int32* minimum, int32* maximum) const
{
	if (minimum != NULL)
		*minimum = fMinValue;
	if (maximum != NULL)
		*maximum = fMaxValue;
}


void
BSlider::SetPosition(float position)
{
	position = position < 0 ? 0 : position > 1 ? 1 : position;
	SetValue(fMinValue + (int32)roundf(position * (fMaxValue - fMinValue)));
}


float
BSlider::Position() const
{
	if (fMaxValue == fMinValue)
		return 0;
	return (float)(Value() - fMinValue) / (float)(fMaxValue - fMinValue);
}


status_t
BSlider::SetModificationMessage(BMessage* message)
{
	delete fModificationMessage;
	fModificationMessage = message;
	return B_OK;
}


void
BSlider::SetKeyIncrementValue(int32 value)
{
	fKeyIncrement = value > 0 ? value : 1;
}


void
BSlider::SetHashMarks(hash_mark_location where)
{
	fHashMarks = where;
	Invalidate();
}


void
BSlider::SetHashMarkCount(int32 count)
{
	fHashMarkCount = count > 0 ? count : 0;
	Invalidate();
}


void
BSlider::SetLimitLabels(const char* minLabel, const char* maxLabel)
{
	fMinLabel = minLabel != NULL ? minLabel : "";
	fMaxLabel = maxLabel != NULL ? maxLabel : "";
	Invalidate();
}


void
BSlider::SetBarColor(rgb_color color)
{
	fBarColor = color;
	Invalidate();
}


void
BSlider::UseFillColor(bool useFill, const rgb_color* color)
{
	fUseFill = useFill;
	if (color != NULL)
		fFillColor = *color;
	Invalidate();
}


bool
BSlider::FillColor(rgb_color* color) const
{
	if (color != NULL && fUseFill)
		*color = fFillColor;
	return fUseFill;
}


void
BSlider::SetStyle(thumb_style style)
{
	fStyle = style;
	Invalidate();
}


// #pragma mark - Geometry and drawing


BRect
BSlider::BarFrame() const
{
	font_height height;
	GetFontHeight(&height);
	float textHeight = ceilf(height.ascent + height.descent);
	float top = Label() != NULL ? textHeight + 4 + (kThumbHeight - kBarHeight) / 2
		: (kThumbHeight - kBarHeight) / 2 + 1;
	BRect bounds = Bounds();
	return BRect(bounds.left + kSideInset, top, bounds.right - kSideInset,
		top + kBarHeight - 1);
}


BRect
BSlider::ThumbFrame() const
{
	BRect bar = BarFrame();
	float middle = roundf(bar.left + Position() * bar.Width());
	float top = bar.top - (kThumbHeight - kBarHeight) / 2;
	return BRect(middle - kThumbWidth / 2, top, middle + kThumbWidth / 2,
		top + kThumbHeight - 1);
}


void
BSlider::AttachedToWindow()
{
	BControl::AttachedToWindow();
	float height;
	GetPreferredSize(NULL, &height);
	ResizeTo(Bounds().Width(), height);
}


void
BSlider::Draw(BRect updateRect)
{
	font_height height;
	GetFontHeight(&height);
	rgb_color background = ViewColor();
	if (Label() != NULL) {
		SetHighColor(LabelColor());
		DrawString(Label(), BPoint(Bounds().left + 1, ceilf(height.ascent) + 1));
		DrawFocusMark(Bounds().left + 1, Bounds().left + 1 + StringWidth(Label()),
			ceilf(height.ascent) + 1);
	}

	BRect bar = BarFrame();
	SetHighColor(fBarColor);
	FillRect(bar);
	if (fUseFill) {
		SetHighColor(fFillColor);
		FillRect(BRect(bar.left, bar.top, ThumbFrame().left + kThumbWidth / 2, bar.bottom));
	}
	BeginLineArray(4);
	AddLine(bar.LeftTop(), bar.RightTop(), tint_color(background, B_DARKEN_3_TINT));
	AddLine(bar.LeftTop(), bar.LeftBottom(), tint_color(background, B_DARKEN_3_TINT));
	AddLine(bar.LeftBottom(), bar.RightBottom(), tint_color(background, B_LIGHTEN_MAX_TINT));
	AddLine(bar.RightTop(), bar.RightBottom(), tint_color(background, B_LIGHTEN_MAX_TINT));
	EndLineArray();

	if (fHashMarkCount > 1 && fHashMarks != B_HASH_MARKS_NONE) {
		SetHighColor(tint_color(background, B_DARKEN_3_TINT));
		float top = bar.top - (kThumbHeight - kBarHeight) / 2;
		float bottom = top + kThumbHeight - 1;
		for (int32 i = 0; i < fHashMarkCount; i++) {
			float x = roundf(bar.left + bar.Width() * i / (fHashMarkCount - 1));
			if ((fHashMarks & B_HASH_MARKS_TOP) != 0)
				StrokeLine(BPoint(x, top - kHashLength), BPoint(x, top - 1));
			if ((fHashMarks & B_HASH_MARKS_BOTTOM) != 0)
				StrokeLine(BPoint(x, bottom + 1), BPoint(x, bottom + kHashLength));
		}
	}

	BRect thumb = ThumbFrame();
	rgb_color face = IsEnabled() ? ui_color(B_CONTROL_BACKGROUND_COLOR) : background;
	// A disabled thumb's outline greys out with the labels.
	rgb_color outline = IsEnabled() ? ui_color(B_CONTROL_BORDER_COLOR)
		: tint_color(background, B_DISABLED_LABEL_TINT);
	if (fStyle == B_TRIANGLE_THUMB) {
		SetHighColor(face);
		FillTriangle(BPoint(thumb.left, thumb.bottom), BPoint(thumb.right, thumb.bottom),
			BPoint((thumb.left + thumb.right) / 2, thumb.top));
		SetHighColor(outline);
		StrokeTriangle(BPoint(thumb.left, thumb.bottom), BPoint(thumb.right, thumb.bottom),
			BPoint((thumb.left + thumb.right) / 2, thumb.top));
	} else {
		SetHighColor(face);
		FillRect(thumb);
		SetHighColor(outline);
		StrokeRect(thumb);
		// A groove in the middle, where the value lies.
		float middle = floorf((thumb.left + thumb.right) / 2);
		SetHighColor(tint_color(face, B_DARKEN_2_TINT));
		StrokeLine(BPoint(middle, thumb.top + 3), BPoint(middle, thumb.bottom - 3));
	}

	if (!fMinLabel.empty() || !fMaxLabel.empty()) {
		float baseline = thumb.bottom + (fHashMarks & B_HASH_MARKS_BOTTOM ? kHashLength : 0)
			+ 2 + ceilf(height.ascent);
		SetHighColor(LabelColor());
		DrawString(fMinLabel.c_str(), BPoint(Bounds().left + 1, baseline));
		DrawString(fMaxLabel.c_str(),
			BPoint(Bounds().right - 1 - StringWidth(fMaxLabel.c_str()), baseline));
	}
}


void
BSlider::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float textHeight = ceilf(fontHeight.ascent + fontHeight.descent);
	float total = kThumbHeight + 2;
	if (Label() != NULL)
		total += textHeight + 4;
	if (fHashMarks != B_HASH_MARKS_NONE)
		total += 2 * kHashLength;
	if (!fMinLabel.empty() || !fMaxLabel.empty())
		total += textHeight + 2;
	if (width != NULL) {
		float labels = StringWidth(fMinLabel.c_str()) + StringWidth(fMaxLabel.c_str()) + 8;
		*width = fmaxf(Bounds().Width(), fmaxf(labels, 2 * kSideInset + 40));
	}
	if (height != NULL)
		*height = total;
}


// #pragma mark - Input


int32
BSlider::_ValueFor(float x) const
{
	BRect bar = BarFrame();
	float position = bar.Width() > 0 ? (x - bar.left) / bar.Width() : 0;
	position = position < 0 ? 0 : position > 1 ? 1 : position;
	return fMinValue + (int32)roundf(position * (fMaxValue - fMinValue));
}


// A value the user chose: the modification message tells where the drag is.
void
BSlider::_SetFromUser(int32 value)
{
	int32 old = Value();
	SetValue(value);
	if (Value() != old && IsTracking() && fModificationMessage != NULL)
		Invoke(fModificationMessage);
}


void
BSlider::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	if (Flags() & B_NAVIGABLE)
		MakeFocus(true);
	SetTracking(true);
	_SetFromUser(_ValueFor(where.x));
}


void
BSlider::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (IsTracking())
		_SetFromUser(_ValueFor(where.x));
}


void
BSlider::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	_SetFromUser(_ValueFor(where.x));
	SetTracking(false);
	Invoke();
}


void
BSlider::KeyDown(const char* bytes, int32 numBytes)
{
	if (!IsEnabled() || numBytes != 1) {
		BControl::KeyDown(bytes, numBytes);
		return;
	}
	int32 value = Value();
	switch (bytes[0]) {
		case B_LEFT_ARROW:
		case B_DOWN_ARROW:
			value -= fKeyIncrement;
			break;
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
			value += fKeyIncrement;
			break;
		case B_HOME:
			value = fMinValue;
			break;
		case B_END:
			value = fMaxValue;
			break;
		default:
			// Space and Enter do not flip a slider.
			if (bytes[0] != B_SPACE && bytes[0] != B_ENTER)
				BView::KeyDown(bytes, numBytes);
			return;
	}
	int32 old = Value();
	SetValue(value);
	if (Value() != old)
		Invoke();
}
