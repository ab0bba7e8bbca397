// BControl: label, value and enabled state, invocation, focus, and the control suite.
#include <Control.h>

#include "interface/ArchiveFields.h"
#include "interface/WidgetScripting.h"

#include <Message.h>
#include <PropertyInfo.h>
#include <Window.h>

namespace {

// The tags of the rows below (their extra_data).
enum {
	kEnabledProperty = 1,
	kLabelProperty,
	kValueProperty
};

property_info stControlProperties[] = {
	{ "Enabled", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether the control accepts input.", kEnabledProperty, { B_BOOL_TYPE } },
	{ "Label", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The control's label.", kLabelProperty, { B_STRING_TYPE } },
	{ "Value", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The control's value.", kValueProperty, { B_INT32_TYPE } },
	{ NULL }
};

} // namespace


BControl::BControl(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	BInvoker(message, NULL),
	fLabel(label != NULL ? label : ""),
	fHasLabel(label != NULL),
	fValue(B_CONTROL_OFF),
	fEnabled(true),
	fTracking(false),
	fFocusChanging(false)
{
}


BControl::BControl(BMessage* archive)
	:
	BView(archive),
	BInvoker(BPrivate::find_archived_message(archive, "_msg"), NULL),
	fLabel(""),
	fHasLabel(false),
	fValue(B_CONTROL_OFF),
	fEnabled(true),
	fTracking(false),
	fFocusChanging(false)
{
	if (archive == NULL)
		return;
	const char* label = NULL;
	if (archive->FindString("_label", &label) == B_OK) {
		fLabel = label;
		fHasLabel = true;
	}
	archive->FindInt32("_val", &fValue);
	bool disabled = false;
	if (archive->FindBool("_disable", &disabled) == B_OK)
		fEnabled = !disabled;
}


BControl::~BControl()
{
}


BArchivable*
BControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BControl"))
		return NULL;
	return new BControl(archive);
}


status_t
BControl::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && Message() != NULL)
		status = archive->AddMessage("_msg", Message());
	if (status == B_OK)
		status = archive->AddInt32("_val", fValue);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	return status;
}


void
BControl::SetLabel(const char* label)
{
	fHasLabel = label != NULL;
	fLabel = label != NULL ? label : "";
	Invalidate();
}


const char*
BControl::Label() const
{
	return fHasLabel ? fLabel.c_str() : NULL;
}


void
BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}


void
BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}


status_t
BControl::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("be:value", fValue);
	return BInvoker::Invoke(&copy);
}


void
BControl::AttachedToWindow()
{
	rgb_color background = Parent() != NULL ? Parent()->ViewColor()
		: ui_color(B_PANEL_BACKGROUND_COLOR);
	SetViewColor(background);
	SetLowColor(background);
	if (!Messenger().IsValid())
		SetTarget(Window());
}


void
BControl::MakeFocus(bool focus)
{
	if (focus && !fEnabled)
		return;
	bool changing = focus != IsFocus();
	BView::MakeFocus(focus);
	Invalidate();
	if (changing && Window() != NULL && find_thread(NULL) == Window()->Thread()) {
		fFocusChanging = true;
		Window()->UpdateIfNeeded();
		fFocusChanging = false;
	}
}


void
BControl::KeyDown(const char* bytes, int32 numBytes)
{
	// Space and Enter act as a click.
	if (fEnabled && numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		SetValue(fValue == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


rgb_color
BControl::LabelColor() const
{
	rgb_color text = ui_color(B_CONTROL_TEXT_COLOR);
	if (fEnabled)
		return text;
	return tint_color(ViewColor(), B_DISABLED_LABEL_TINT);
}


void
BControl::DrawFocusMark(float left, float right, float baseline)
{
	if (!IsFocus())
		return;
	SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
	StrokeLine(BPoint(left, baseline + 2), BPoint(right, baseline + 2));
}


void
BControl::MessageReceived(BMessage* message)
{
	BMessage reply;
	status_t status = B_OK;
	bool get = message->what == B_GET_PROPERTY;
	switch (BPrivate::match_property(message, stControlProperties)) {
		case kEnabledProperty:
		{
			bool enabled;
			if (get)
				reply.AddBool("result", fEnabled);
			else if ((status = BPrivate::find_data(message, &enabled)) == B_OK)
				SetEnabled(enabled);
			break;
		}
		case kLabelProperty:
		{
			const char* label;
			if (get) {
				if (fHasLabel)
					reply.AddString("result", fLabel.c_str());
			} else if ((status = BPrivate::find_data(message, &label)) == B_OK)
				SetLabel(label);
			break;
		}
		case kValueProperty:
		{
			int32 value;
			if (get)
				reply.AddInt32("result", fValue);
			else if ((status = BPrivate::find_data(message, &value)) == B_OK)
				SetValue(value);
			break;
		}
		default:
			BView::MessageReceived(message);
			return;
	}
	BPrivate::reply_result(message, &reply, status);
}


BHandler*
BControl::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stControlProperties) != BPrivate::kNoProperty) {
		return this;
	}
	return BView::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BControl::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-control",
		stControlProperties);
	if (status == B_OK)
		status = BView::GetSupportedSuites(data);
	return status;
}
