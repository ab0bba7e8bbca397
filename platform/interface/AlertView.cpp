// AlertView: the stripe, the icon and the wrapped text of an alert.
#include "interface/AlertView.h"

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
	fText(text != NULL ? text : ""),
	fType(type)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
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
	// Lines break at line feeds, then between words; a word wider than the line stays
	// whole on a line of its own.
	fLines.clear();
	size_t start = 0;
	for (;;) {
		size_t end = fText.find('\n', start);
		std::string paragraph = fText.substr(start,
			end == std::string::npos ? std::string::npos : end - start);
		std::string line;
		size_t position = 0;
		while (position <= paragraph.size()) {
			size_t space = paragraph.find(' ', position);
			std::string word = paragraph.substr(position,
				space == std::string::npos ? std::string::npos : space - position);
			std::string candidate = line.empty() ? word : line + " " + word;
			if (!line.empty() && StringWidth(candidate.c_str()) > width) {
				fLines.push_back(line);
				line = word;
			} else
				line = candidate;
			if (space == std::string::npos)
				break;
			position = space + 1;
		}
		fLines.push_back(line);
		if (end == std::string::npos)
			break;
		start = end + 1;
	}
	// A final line feed ends the last line; it does not start an empty one.
	if (fLines.size() > 1 && fLines.back().empty())
		fLines.pop_back();

	font_height height;
	GetFontHeight(&height);
	float lineHeight = ceilf(height.ascent + height.descent + height.leading);
	float textHeight = kTextTop + lineHeight * fLines.size();
	float iconHeight = fType == B_EMPTY_ALERT ? 0 : kIconTop + kIconSize;
	return textHeight > iconHeight ? textHeight : iconHeight;
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

	font_height height;
	GetFontHeight(&height);
	float lineHeight = ceilf(height.ascent + height.descent + height.leading);
	float y = kTextTop + ceilf(height.ascent);
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
	SetLowColor(ViewColor());
	for (const std::string& line : fLines) {
		DrawString(line.c_str(), BPoint(TextLeft(), y));
		y += lineHeight;
	}
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
