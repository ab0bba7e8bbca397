// BTextControl: the label, the sunken frame around the field, invocation and the text
// control suite.
#include <TextControl.h>

#include "interface/ArchiveFields.h"
#include "interface/TextControlInput.h"
#include "interface/WidgetScripting.h"

#include <Message.h>
#include <PropertyInfo.h>
#include <Window.h>

#include <algorithm>
#include <math.h>
#include <string.h>

namespace {

// The frame around the field takes this much on each side.
const float kFieldInset = 2;
// Room between the label and the field.
const float kLabelGap = 6;
// The field's width when there is no text to size it by.
const float kMinFieldWidth = 60;

enum {
	kTextProperty = 1
};

property_info stTextControlProperties[] = {
	{ "Text", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The text in the field.", kTextProperty, { B_STRING_TYPE } },
	{ "Value", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The text in the field.", kTextProperty, { B_STRING_TYPE } },
	{ NULL }
};


// An enabled field shows the document's colours; a disabled one its text greyed on a
// lighter tint of the control's colour.
void
set_field_colors(BTextView* field, rgb_color viewColor, bool enabled)
{
	rgb_color background = enabled ? ui_color(B_DOCUMENT_BACKGROUND_COLOR)
		: tint_color(viewColor, B_LIGHTEN_1_TINT);
	rgb_color color = enabled ? ui_color(B_DOCUMENT_TEXT_COLOR)
		: tint_color(background, B_DISABLED_LABEL_TINT);
	field->SetViewColor(background);
	field->SetLowColor(background);
	field->SetFontAndColor(NULL, 0, &color);
}

} // namespace


BTextControl::BTextControl(BRect frame, const char* name, const char* label,
	const char* initialText, BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags & ~B_NAVIGABLE),
	fText(NULL),
	fModificationMessage(NULL),
	fLabelAlignment(B_ALIGN_LEFT),
	fDivider(label != NULL ? floorf(frame.Width() / 2) : 0),
	fChanged(false)
{
	BRect field(fDivider + kFieldInset, kFieldInset, frame.Width() - kFieldInset,
		frame.Height() - kFieldInset);
	fText = new BPrivate::TextControlInput(field, initialText, this, flags & B_NAVIGABLE);
	AddChild(fText);
	// The control is as tall as its font needs, whatever the frame's height.
	float height;
	BTextControl::GetPreferredSize(NULL, &height);
	ResizeTo(Bounds().Width(), height);
	_LayoutField();
}


BTextControl::BTextControl(BMessage* archive)
	:
	BControl(archive),
	fText(NULL),
	fModificationMessage(BPrivate::find_archived_message(archive, "_mod_msg")),
	fLabelAlignment(B_ALIGN_LEFT),
	fDivider(0),
	fChanged(false)
{
	// The field is the control's own part: an archived one (of a class that is not
	// public) gives its text and navigability, and the field is made anew.
	const char* text = NULL;
	uint32 navigable = B_NAVIGABLE;
	BMessage child;
	for (int32 i = 0; archive != NULL && archive->FindMessage("_views", i, &child) == B_OK;
			i++) {
		const char* name = NULL;
		if (child.FindString("_name", &name) != B_OK || strcmp(name, "_input_") != 0)
			continue;
		child.FindString("_text", &text);
		int32 flags;
		if (child.FindInt32("_flags", &flags) == B_OK)
			navigable = (uint32)flags & B_NAVIGABLE;
		break;
	}
	if (BView* stale = FindView("_input_")) {
		RemoveChild(stale);
		delete stale;
	}
	BPrivate::find_archived_float(archive, "_divide", 0, Bounds().Width(), &fDivider);
	fDivider = floorf(fDivider);
	BRect bounds = Bounds();
	BRect field(fDivider + kFieldInset, kFieldInset,
		std::max(fDivider + kFieldInset, bounds.right - kFieldInset),
		std::max((float)kFieldInset, bounds.bottom - kFieldInset));
	fText = new BPrivate::TextControlInput(field, text, this, navigable);
	AddChild(fText);

	int32 value;
	if (BPrivate::find_archived_int32(archive, "_a_label", B_ALIGN_LEFT, B_ALIGN_CENTER,
			&value)) {
		fLabelAlignment = (alignment)value;
	}
	if (BPrivate::find_archived_int32(archive, "_a_text", B_ALIGN_LEFT, B_ALIGN_CENTER,
			&value)) {
		fText->SetAlignment((alignment)value);
	}
	if (!IsEnabled()) {
		fText->MakeEditable(false);
		fText->MakeSelectable(false);
		set_field_colors(fText, ViewColor(), false);
	}
}


BTextControl::~BTextControl()
{
	delete fModificationMessage;
}


BArchivable*
BTextControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTextControl"))
		return NULL;
	return new BTextControl(archive);
}


status_t
BTextControl::Archive(BMessage* archive, bool deep) const
{
	status_t status = BControl::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_a_label", (int32)fLabelAlignment);
	if (status == B_OK)
		status = archive->AddInt32("_a_text", (int32)fText->Alignment());
	if (status == B_OK)
		status = archive->AddFloat("_divide", fDivider);
	if (status == B_OK && fModificationMessage != NULL)
		status = archive->AddMessage("_mod_msg", fModificationMessage);
	return status;
}


void
BTextControl::SetText(const char* text)
{
	static_cast<BPrivate::TextControlInput*>(fText)->SetTextQuietly(text);
	fChanged = false;
}


const char*
BTextControl::Text() const
{
	return fText->Text();
}


void
BTextControl::SetModificationMessage(BMessage* message)
{
	delete fModificationMessage;
	fModificationMessage = message;
}


void
BTextControl::SetAlignment(alignment label, alignment text)
{
	fLabelAlignment = label;
	fText->SetAlignment(text);
	Invalidate();
}


void
BTextControl::GetAlignment(alignment* label, alignment* text) const
{
	if (label != NULL)
		*label = fLabelAlignment;
	if (text != NULL)
		*text = fText->Alignment();
}


void
BTextControl::SetDivider(float position)
{
	fDivider = std::max(0.0f, floorf(position));
	_LayoutField();
	Invalidate();
}


void
BTextControl::SetEnabled(bool enabled)
{
	if (enabled == IsEnabled())
		return;
	BControl::SetEnabled(enabled);
	fText->MakeEditable(enabled);
	fText->MakeSelectable(enabled);
	if (!enabled && fText->IsFocus())
		fText->MakeFocus(false);
	set_field_colors(fText, ViewColor(), enabled);
	fText->Invalidate();
}


void
BTextControl::MakeFocus(bool focus)
{
	if (focus && !IsEnabled())
		return;
	fText->MakeFocus(focus);
}


void
BTextControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	// The field draws in the control's font.
	BFont font;
	GetFont(&font);
	fText->SetFontAndColor(&font, B_FONT_ALL, NULL);
	static_cast<BPrivate::TextControlInput*>(fText)->FitTextRect();
	// A control disabled before it was attached greyed its field on a colour it had not
	// taken from its parent yet.
	if (!IsEnabled())
		set_field_colors(fText, ViewColor(), false);
}


void
BTextControl::Draw(BRect updateRect)
{
	BRect frame = fText->Frame().InsetByCopy(-kFieldInset, -kFieldInset);
	rgb_color base = ViewColor();
	bool focused = fText->IsFocus() && IsEnabled();
	BeginLineArray(4);
	rgb_color dark = focused ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
		: tint_color(base, B_DARKEN_2_TINT);
	rgb_color light = focused ? dark : tint_color(base, B_LIGHTEN_2_TINT);
	AddLine(frame.LeftTop(), frame.RightTop(), dark);
	AddLine(frame.LeftTop(), frame.LeftBottom(), dark);
	AddLine(frame.LeftBottom(), frame.RightBottom(), light);
	AddLine(frame.RightTop(), frame.RightBottom(), light);
	EndLineArray();
	frame.InsetBy(1, 1);
	SetHighColor(focused ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
		: tint_color(base, B_DARKEN_1_TINT));
	StrokeRect(frame);

	const char* label = Label();
	if (label == NULL)
		return;
	// The label sits on the field's baseline.
	font_height height;
	GetFontHeight(&height);
	float baseline = fText->Frame().top + fText->TextRect().top + ceilf(height.ascent);
	float width = StringWidth(label);
	float room = fDivider - kLabelGap;
	float x = 0;
	if (fLabelAlignment == B_ALIGN_RIGHT)
		x = room - width;
	else if (fLabelAlignment == B_ALIGN_CENTER)
		x = floorf((room - width) / 2);
	SetHighColor(LabelColor());
	SetLowColor(base);
	DrawString(label, BPoint(std::max(0.0f, x), baseline));
}


void
BTextControl::MouseDown(BPoint where)
{
	if (IsEnabled())
		fText->MakeFocus(true);
}


void
BTextControl::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float lineHeight = ceilf(fontHeight.ascent + fontHeight.descent + fontHeight.leading);
	const char* label = Label();
	float labelWidth = label != NULL ? ceilf(StringWidth(label)) + kLabelGap : 0;
	float textWidth = std::max(kMinFieldWidth, ceilf(StringWidth(Text())) + 4);
	if (width != NULL)
		*width = labelWidth + textWidth + 2 * kFieldInset;
	if (height != NULL)
		*height = lineHeight + 2 + 2 * kFieldInset;
}


void
BTextControl::ResizeToPreferred()
{
	BControl::ResizeToPreferred();
	const char* label = Label();
	fDivider = label != NULL ? ceilf(StringWidth(label)) + kLabelGap : 0;
	_LayoutField();
	Invalidate();
}


void
BTextControl::_LayoutField()
{
	BRect bounds = Bounds();
	BRect field(fDivider + kFieldInset, kFieldInset, bounds.right - kFieldInset,
		bounds.bottom - kFieldInset);
	fText->MoveTo(field.LeftTop());
	fText->ResizeTo(std::max(0.0f, field.Width()), std::max(0.0f, field.Height()));
	static_cast<BPrivate::TextControlInput*>(fText)->FitTextRect();
}


void
BTextControl::_TextModified()
{
	fChanged = true;
	if (fModificationMessage != NULL)
		Invoke(fModificationMessage);
}


void
BTextControl::_Commit()
{
	fChanged = false;
	Invoke();
}


void
BTextControl::_FocusLeft()
{
	if (fChanged)
		_Commit();
}


void
BTextControl::MessageReceived(BMessage* message)
{
	BMessage specifier;
	int32 index;
	int32 form;
	const char* property;
	uint32 tag = 0;
	if (message->HasSpecifiers()
		&& message->GetCurrentSpecifier(&index, &specifier, &form, &property) == B_OK) {
		BPropertyInfo info(stTextControlProperties);
		if (info.FindMatch(message, index, &specifier, form, property, &tag) >= 0) {
			BMessage reply;
			status_t status = B_OK;
			const char* text;
			switch (tag) {
				case kTextProperty:
					if (message->what == B_GET_PROPERTY)
						reply.AddString("result", Text());
					else if ((status = message->FindString("data", &text)) == B_OK)
						SetText(text);
					break;
			}
			BPrivate::reply_result(message, &reply, status);
			return;
		}
	}
	BControl::MessageReceived(message);
}


BHandler*
BTextControl::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	BPropertyInfo info(stTextControlProperties);
	if (info.FindMatch(message, index, specifier, form, property) >= 0)
		return this;
	return BControl::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BTextControl::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-text-control",
		stTextControlProperties);
	if (status == B_OK)
		status = BControl::GetSupportedSuites(data);
	return status;
}
