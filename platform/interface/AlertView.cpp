// AlertView: the stripe, the icon and the wrapped text of an alert.
#include "interface/AlertView.h"

#include <algorithm>
#include <math.h>

namespace BPrivate {

namespace {

const float kStripeWidth = 30;
const float kIconSize = 32;
const float kIconTop = 12;
const float kTextTop = 12;

} // namespace


AlertView::AlertView(BRect frame, const char* text, alert_type type)
	:
	BView(frame, "TextView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	fType(type)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
	// Neither editable nor selectable, and never focused: the alert's keys go to its
	// buttons. Stylable, so that an application may style the message.
	fTextView = new BTextView(BRect(0, 0, 10, 10), "_tv_", BRect(0, 0, 10, 10),
		B_FOLLOW_NONE, B_WILL_DRAW);
	fTextView->SetStylable(true);
	fTextView->MakeEditable(false);
	fTextView->MakeSelectable(false);
	rgb_color textColor = ui_color(B_PANEL_TEXT_COLOR);
	fTextView->SetFontAndColor(be_plain_font, B_FONT_ALL, &textColor);
	fTextView->SetViewColor(ViewColor());
	fTextView->SetLowColor(ViewColor());
	fTextView->SetText(text);
	AddChild(fTextView);
}


void
AlertView::SetType(alert_type type)
{
	fType = type;
	Invalidate();
}


float
AlertView::TextLeft() const
{
	return fType == B_EMPTY_ALERT ? 12 : kStripeWidth + kIconSize / 2 + 16;
}


float
AlertView::LayoutText(float width)
{
	// Lines break at line feeds, then after spaces; a word wider than the line breaks
	// between characters.
	fTextView->MoveTo(TextLeft(), kTextTop);
	fTextView->ResizeTo(width, fTextView->Bounds().Height());
	fTextView->SetTextRect(BRect(0, 0, width, fTextView->Bounds().Height()));
	float textHeight = ceilf(fTextView->TextHeight(0, fTextView->CountLines() - 1));
	fTextView->ResizeTo(width, textHeight);
	fTextView->SetTextRect(BRect(0, 0, width, textHeight));
	float iconHeight = fType == B_EMPTY_ALERT ? 0 : kIconTop + kIconSize;
	return std::max(kTextTop + textHeight, iconHeight);
}


void
AlertView::Draw(BRect updateRect)
{
	if (fType != B_EMPTY_ALERT) {
		BRect stripe = Bounds();
		stripe.right = kStripeWidth - 1;
		SetHighColor(tint_color(ViewColor(), B_DARKEN_1_TINT));
		FillRect(stripe);
		float left = kStripeWidth - kIconSize / 2;
		_DrawIcon(BRect(left, kIconTop, left + kIconSize - 1, kIconTop + kIconSize - 1));
	}

	// A frame of its own: the alert stands out even where no window manager draws one.
	SetHighColor(tint_color(ViewColor(), B_DARKEN_3_TINT));
	StrokeRect(Bounds());
}


// Each type has a shape and colour of its own: a blue disc with "i", a yellow bulb, a
// yellow triangle with "!", a red disc with a bar.
void
AlertView::_DrawIcon(BRect frame)
{
	rgb_color black = make_color(0, 0, 0);
	rgb_color white = make_color(255, 255, 255);
	BFont font(be_bold_font);
	font.SetSize(22);
	SetFont(&font);
	font_height height;
	font.GetHeight(&height);
	BPoint center((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
	auto drawCentered = [&](const char* glyph, rgb_color color) {
		SetHighColor(color);
		SetDrawingMode(B_OP_OVER);
		DrawString(glyph, BPoint(center.x - StringWidth(glyph) / 2,
			center.y + (height.ascent - height.descent) / 2));
		SetDrawingMode(B_OP_COPY);
	};

	switch (fType) {
		case B_INFO_ALERT:
			SetHighColor(make_color(60, 110, 200));
			FillEllipse(frame);
			SetHighColor(black);
			StrokeEllipse(frame);
			drawCentered("i", white);
			break;
		case B_IDEA_ALERT:
		{
			BRect bulb(frame.left + 4, frame.top, frame.right - 4, frame.bottom - 8);
			SetHighColor(make_color(255, 220, 60));
			FillEllipse(bulb);
			SetHighColor(black);
			StrokeEllipse(bulb);
			BRect base(center.x - 5, frame.bottom - 9, center.x + 5, frame.bottom);
			SetHighColor(make_color(150, 150, 150));
			FillRect(base);
			SetHighColor(black);
			StrokeRect(base);
			break;
		}
		case B_WARNING_ALERT:
		{
			BPoint top(center.x, frame.top);
			BPoint left(frame.left, frame.bottom);
			BPoint right(frame.right, frame.bottom);
			SetHighColor(make_color(255, 200, 0));
			FillTriangle(top, left, right);
			SetHighColor(black);
			StrokeTriangle(top, left, right);
			center.y += 5;
			drawCentered("!", black);
			break;
		}
		case B_STOP_ALERT:
			SetHighColor(make_color(210, 40, 40));
			FillEllipse(frame);
			SetHighColor(black);
			StrokeEllipse(frame);
			SetHighColor(white);
			FillRect(BRect(frame.left + 7, center.y - 3, frame.right - 7, center.y + 3));
			break;
		default:
			break;
	}
	SetFont(be_plain_font);
}

} // namespace BPrivate
