#include <ListItem.h>

#include <Font.h>
#include <InterfaceDefs.h>
#include <View.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Space between the row's left edge and the text.
const float kTextInset = 4;

} // namespace


BStringItem::BStringItem(const char* text, uint32 outlineLevel, bool expanded)
	:
	BListItem(outlineLevel, expanded),
	fText(NULL),
	fBaselineOffset(0)
{
	SetText(text);
}


BStringItem::BStringItem(BMessage* archive)
	:
	BListItem(archive),
	fText(NULL),
	fBaselineOffset(0)
{
	const char* text = NULL;
	if (archive != NULL && archive->FindString("_label", &text) == B_OK)
		SetText(text);
}


BStringItem::~BStringItem()
{
	free(fText);
}


BArchivable*
BStringItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BStringItem"))
		return NULL;
	return new BStringItem(archive);
}


status_t
BStringItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BListItem::Archive(archive, deep);
	if (status == B_OK && fText != NULL)
		status = archive->AddString("_label", fText);
	return status;
}


void
BStringItem::SetText(const char* text)
{
	free(fText);
	fText = text != NULL ? strdup(text) : NULL;
}


const char*
BStringItem::Text() const
{
	return fText;
}


float
BStringItem::BaselineOffset() const
{
	return fBaselineOffset;
}


void
BStringItem::Update(BView* owner, const BFont* font)
{
	// Measured here once rather than again in BListItem::Update: asking a font for its
	// height is not cheap, and a list measures every row it is given.
	font_height height;
	font->GetHeight(&height);
	float line = height.ascent + height.descent + height.leading;
	SetWidth(owner->Bounds().Width());
	SetHeight(ceilf(line));
	// Half the rounding slack above the line keeps the text centred in the row.
	float slack = Height() - line;
	fBaselineOffset = floorf(slack / 2 + height.leading / 2 + height.ascent);
}


void
BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	rgb_color high = owner->HighColor();
	rgb_color low = owner->LowColor();
	if (IsSelected() || complete) {
		rgb_color background = IsSelected()
			? ui_color(B_LIST_SELECTED_BACKGROUND_COLOR) : owner->ViewColor();
		owner->SetLowColor(background);
		owner->SetHighColor(background);
		owner->FillRect(frame);
	}
	if (fText != NULL) {
		rgb_color text = ui_color(IsSelected()
			? B_LIST_SELECTED_ITEM_TEXT_COLOR : B_LIST_ITEM_TEXT_COLOR);
		owner->SetHighColor(IsEnabled() ? text : tint_color(text, B_LIGHTEN_2_TINT));
		owner->DrawString(fText, BPoint(frame.left + kTextInset,
			frame.top + fBaselineOffset));
	}
	owner->SetHighColor(high);
	owner->SetLowColor(low);
}
