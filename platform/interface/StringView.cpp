// BStringView: one line of text, aligned in its bounds and centred vertically.
#include <StringView.h>

#include "interface/ArchiveFields.h"
#include "interface/WidgetScripting.h"

#include <Message.h>
#include <PropertyInfo.h>

#include <math.h>

namespace {

// The tags of the rows below (their extra_data).
enum {
	kTextProperty = 1
};

property_info stStringViewProperties[] = {
	{ "Text", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The text the view shows.", kTextProperty, { B_STRING_TYPE } },
	{ NULL }
};

} // namespace


BStringView::BStringView(BRect frame, const char* name, const char* text,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fText(text != NULL ? text : ""),
	fAlignment(B_ALIGN_LEFT)
{
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
}


BStringView::BStringView(BMessage* archive)
	:
	BView(archive),
	fAlignment(B_ALIGN_LEFT)
{
	const char* text = NULL;
	if (archive != NULL && archive->FindString("_text", &text) == B_OK)
		fText = text;
	int32 align;
	if (BPrivate::find_archived_int32(archive, "_align", B_ALIGN_LEFT, B_ALIGN_CENTER,
			&align)) {
		fAlignment = (alignment)align;
	}
}


BStringView::~BStringView()
{
}


BArchivable*
BStringView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BStringView"))
		return NULL;
	return new BStringView(archive);
}


status_t
BStringView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddString("_text", fText.c_str());
	if (status == B_OK)
		status = archive->AddInt32("_align", (int32)fAlignment);
	return status;
}


void
BStringView::SetText(const char* text)
{
	std::string newText = text != NULL ? text : "";
	if (newText == fText)
		return;
	fText = newText;
	Invalidate();
}


void
BStringView::SetAlignment(alignment flag)
{
	if (flag == fAlignment)
		return;
	fAlignment = flag;
	Invalidate();
}


void
BStringView::AttachedToWindow()
{
	rgb_color background = Parent() != NULL ? Parent()->ViewColor()
		: ui_color(B_PANEL_BACKGROUND_COLOR);
	SetViewColor(background);
	SetLowColor(background);
}


void
BStringView::Draw(BRect updateRect)
{
	if (fText.empty())
		return;
	font_height height;
	GetFontHeight(&height);
	BRect bounds = Bounds();
	float width = StringWidth(fText.c_str());
	float x = bounds.left;
	if (fAlignment == B_ALIGN_RIGHT)
		x = bounds.right - width;
	else if (fAlignment == B_ALIGN_CENTER)
		x = bounds.left + floorf((bounds.Width() - width) / 2);
	float textHeight = ceilf(height.ascent + height.descent);
	float y = bounds.top + floorf((bounds.Height() + 1 - textHeight) / 2)
		+ ceilf(height.ascent);
	DrawString(fText.c_str(), BPoint(x, y));
}


void
BStringView::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL)
		*width = ceilf(StringWidth(fText.c_str()));
	if (height != NULL)
		*height = ceilf(fontHeight.ascent + fontHeight.descent + fontHeight.leading);
}


void
BStringView::MessageReceived(BMessage* message)
{
	if (BPrivate::match_property(message, stStringViewProperties) == kTextProperty) {
		BMessage reply;
		status_t status = B_OK;
		if (message->what == B_GET_PROPERTY)
			reply.AddString("result", Text());
		else {
			const char* text;
			status = BPrivate::find_data(message, &text);
			if (status == B_OK)
				SetText(text);
		}
		BPrivate::reply_result(message, &reply, status);
		return;
	}
	BView::MessageReceived(message);
}


BHandler*
BStringView::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stStringViewProperties) != BPrivate::kNoProperty) {
		return this;
	}
	return BView::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BStringView::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-string-view",
		stStringViewProperties);
	if (status == B_OK)
		status = BView::GetSupportedSuites(data);
	return status;
}
