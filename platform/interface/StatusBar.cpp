// BStatusBar: the labels and texts on one line, the sunken bar below them, filled in the
// bar colour from the left in proportion to the value.
#include <StatusBar.h>

#include <Message.h>

#include <math.h>

namespace {

const float kDefaultBarHeight = 16;
const float kTextGap = 2;
// The bar's colour unless set.
const rgb_color kDefaultBarColor = { 50, 150, 255, 255 };

} // namespace


BStatusBar::BStatusBar(BRect frame, const char* name, const char* label,
	const char* trailingLabel)
	:
	BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
	fLabel(label != NULL ? label : ""),
	fTrailingLabel(trailingLabel != NULL ? trailingLabel : ""),
	fValue(0),
	fMax(100),
	fBarHeight(kDefaultBarHeight),
	fBarColor(kDefaultBarColor)
{
}


BStatusBar::~BStatusBar()
{
}


void
BStatusBar::AttachedToWindow()
{
	if (Parent() != NULL)
		SetViewColor(Parent()->ViewColor());
	SetLowColor(ViewColor());
	// Attached, the bar takes the height its font and bar thickness need.
	float height;
	GetPreferredSize(NULL, &height);
	ResizeTo(Bounds().Width(), height);
}


void
BStatusBar::Update(float delta, const char* text, const char* trailingText)
{
	SetTo(fValue + delta, text, trailingText);
}


void
BStatusBar::SetTo(float value, const char* text, const char* trailingText)
{
	fValue = value < 0 ? 0 : value > fMax ? fMax : value;
	if (text != NULL)
		fText = text;
	if (trailingText != NULL)
		fTrailingText = trailingText;
	Invalidate();
}


void
BStatusBar::Reset(const char* label, const char* trailingLabel)
{
	fLabel = label != NULL ? label : "";
	fTrailingLabel = trailingLabel != NULL ? trailingLabel : "";
	fText.clear();
	fTrailingText.clear();
	fValue = 0;
	Invalidate();
}


void
BStatusBar::SetMaxValue(float max)
{
	fMax = max > 0 ? max : 0;
	fValue = fValue > fMax ? fMax : fValue;
	Invalidate();
}


void
BStatusBar::SetText(const char* text)
{
	fText = text != NULL ? text : "";
	Invalidate();
}


void
BStatusBar::SetTrailingText(const char* text)
{
	fTrailingText = text != NULL ? text : "";
	Invalidate();
}


void
BStatusBar::SetBarColor(rgb_color color)
{
	fBarColor = color;
	Invalidate();
}


void
BStatusBar::SetBarHeight(float height)
{
	fBarHeight = height > 1 ? height : 1;
	Invalidate();
}


BRect
BStatusBar::BarFrame() const
{
	font_height height;
	GetFontHeight(&height);
	float top = ceilf(height.ascent + height.descent) + kTextGap;
	BRect bounds = Bounds();
	return BRect(bounds.left, top, bounds.right, top + fBarHeight - 1);
}


void
BStatusBar::Draw(BRect updateRect)
{
	font_height height;
	GetFontHeight(&height);
	float baseline = ceilf(height.ascent);
	BRect bounds = Bounds();
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
	std::string left = fLabel + (fLabel.empty() || fText.empty() ? "" : " ") + fText;
	DrawString(left.c_str(), BPoint(bounds.left, baseline));
	std::string right = fTrailingText
		+ (fTrailingText.empty() || fTrailingLabel.empty() ? "" : " ") + fTrailingLabel;
	DrawString(right.c_str(), BPoint(bounds.right - StringWidth(right.c_str()), baseline));

	BRect bar = BarFrame();
	rgb_color background = ViewColor();
	SetHighColor(tint_color(background, B_DARKEN_1_TINT));
	FillRect(bar);
	BeginLineArray(4);
	AddLine(bar.LeftTop(), bar.RightTop(), tint_color(background, B_DARKEN_3_TINT));
	AddLine(bar.LeftTop(), bar.LeftBottom(), tint_color(background, B_DARKEN_3_TINT));
	AddLine(bar.LeftBottom(), bar.RightBottom(), tint_color(background, B_LIGHTEN_MAX_TINT));
	AddLine(bar.RightTop(), bar.RightBottom(), tint_color(background, B_LIGHTEN_MAX_TINT));
	EndLineArray();
	if (fMax <= 0 || fValue <= 0)
		return;
	BRect inside = bar.InsetByCopy(1, 1);
	float filled = inside.left + roundf((inside.Width() + 1) * fValue / fMax) - 1;
	SetHighColor(fBarColor);
	FillRect(BRect(inside.left, inside.top, filled, inside.bottom));
}


void
BStatusBar::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_UPDATE_STATUS_BAR:
		{
			float delta = 0;
			const char* text = NULL;
			const char* trailing = NULL;
			message->FindFloat("delta", &delta);
			message->FindString("text", &text);
			message->FindString("trailing_text", &trailing);
			Update(delta, text, trailing);
			break;
		}
		case B_RESET_STATUS_BAR:
		{
			const char* label = NULL;
			const char* trailing = NULL;
			message->FindString("label", &label);
			message->FindString("trailing_label", &trailing);
			Reset(label, trailing);
			break;
		}
		default:
			BView::MessageReceived(message);
			break;
	}
}


void
BStatusBar::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL)
		*width = Bounds().Width();
	if (height != NULL)
		*height = ceilf(fontHeight.ascent + fontHeight.descent) + kTextGap + fBarHeight;
}
