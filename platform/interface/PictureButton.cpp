// BPictureButton: its pictures drawn at the view's origin, the focus as a frame around
// them, and its own suite driven by one property table.
#include <PictureButton.h>

#include "interface/TwoStateControl.h"
#include "interface/WidgetScripting.h"

#include <Message.h>
#include <PropertyInfo.h>

namespace {

// The tags of the table's rows (extra_data).
enum {
	kBehaviorProperty = 1
};

property_info stPictureButtonProperties[] = {
	{ "Behavior", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"B_ONE_STATE_BUTTON (0) or B_TWO_STATE_BUTTON (1).", kBehaviorProperty,
		{ B_INT32_TYPE } },
	{ NULL }
};

// How far a disabled button without disabled pictures fades towards its background.
const uint8 kDisabledVeil = 140;


// The picture archived in field; NULL without one.
BPicture*
archived_picture(const BMessage* archive, const char* field)
{
	BMessage pictureArchive;
	if (archive == NULL || archive->FindMessage(field, &pictureArchive) != B_OK)
		return NULL;
	BArchivable* object = instantiate_object(&pictureArchive);
	BPicture* picture = dynamic_cast<BPicture*>(object);
	if (picture == NULL)
		delete object;
	return picture;
}


status_t
archive_picture(BMessage* archive, const char* field, const BPicture* picture)
{
	if (picture == NULL)
		return B_OK;
	BMessage pictureArchive;
	status_t status = picture->Archive(&pictureArchive);
	if (status == B_OK)
		status = archive->AddMessage(field, &pictureArchive);
	return status;
}

} // namespace


BPictureButton::BPictureButton(BRect frame, const char* name, BPicture* off, BPicture* on,
	BMessage* message, uint32 behavior, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, NULL, message, resizingMode, flags | B_WILL_DRAW),
	fEnabledOff(off != NULL ? new BPicture(*off) : NULL),
	fEnabledOn(on != NULL ? new BPicture(*on) : NULL),
	fDisabledOff(NULL),
	fDisabledOn(NULL),
	fBehavior(behavior == B_TWO_STATE_BUTTON ? B_TWO_STATE_BUTTON : B_ONE_STATE_BUTTON),
	fPressed(false)
{
}


BPictureButton::BPictureButton(BMessage* archive)
	:
	BControl(archive),
	fEnabledOff(archived_picture(archive, "_e_off")),
	fEnabledOn(archived_picture(archive, "_e_on")),
	fDisabledOff(archived_picture(archive, "_d_off")),
	fDisabledOn(archived_picture(archive, "_d_on")),
	fBehavior(B_ONE_STATE_BUTTON),
	fPressed(false)
{
	int32 behavior;
	if (archive != NULL && archive->FindInt32("_behave", &behavior) == B_OK
			&& behavior == B_TWO_STATE_BUTTON) {
		fBehavior = B_TWO_STATE_BUTTON;
	}
}


BArchivable*
BPictureButton::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BPictureButton"))
		return NULL;
	return new BPictureButton(archive);
}


status_t
BPictureButton::Archive(BMessage* archive, bool deep) const
{
	status_t status = BControl::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_behave", (int32)fBehavior);
	if (status == B_OK)
		status = archive_picture(archive, "_e_off", fEnabledOff);
	if (status == B_OK)
		status = archive_picture(archive, "_e_on", fEnabledOn);
	if (status == B_OK)
		status = archive_picture(archive, "_d_off", fDisabledOff);
	if (status == B_OK)
		status = archive_picture(archive, "_d_on", fDisabledOn);
	return status;
}


BPictureButton::~BPictureButton()
{
	delete fEnabledOff;
	delete fEnabledOn;
	delete fDisabledOff;
	delete fDisabledOn;
}


void
BPictureButton::Draw(BRect updateRect)
{
	bool on = fPressed || Value() == B_CONTROL_ON;
	BPicture* picture = IsEnabled() ? (on ? fEnabledOn : fEnabledOff)
		: (on ? fDisabledOn : fDisabledOff);
	bool veiled = false;
	if (picture == NULL && !IsEnabled()) {
		picture = on ? fEnabledOn : fEnabledOff;
		veiled = true;
	}
	if (picture != NULL)
		DrawPicture(picture, B_ORIGIN);
	if (veiled) {
		rgb_color veil = ViewColor();
		veil.alpha = kDisabledVeil;
		PushState();
		SetDrawingMode(B_OP_ALPHA);
		SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_OVERLAY);
		SetHighColor(veil);
		FillRect(Bounds());
		PopState();
	}
	if (IsFocus()) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeRect(Bounds());
	}
}


void
BPictureButton::MouseDown(BPoint where)
{
	if (BPrivate::begin_press(this, fBehavior == B_ONE_STATE_BUTTON, &fPressed))
		SetTracking(true);
}


void
BPictureButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (IsTracking() && fBehavior == B_ONE_STATE_BUTTON)
		BPrivate::follow_press(this, where, &fPressed);
}


void
BPictureButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	if (BPrivate::end_press(this, where, &fPressed))
		_Press();
}


void
BPictureButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (BPrivate::is_click_key(this, bytes, numBytes))
		_Press();
	else
		BControl::KeyDown(bytes, numBytes);
}


// A click: a two-state button flips its value first; both then invoke.
void
BPictureButton::_Press()
{
	if (fBehavior == B_TWO_STATE_BUTTON)
		SetValue(Value() == B_CONTROL_ON ? B_CONTROL_OFF : B_CONTROL_ON);
	Invoke();
}


void
BPictureButton::_Replace(BPicture** slot, BPicture* picture)
{
	BPicture* old = *slot;
	*slot = picture != NULL ? new BPicture(*picture) : NULL;
	delete old;
	Invalidate();
}


void
BPictureButton::SetEnabledOn(BPicture* picture)
{
	_Replace(&fEnabledOn, picture);
}


void
BPictureButton::SetEnabledOff(BPicture* picture)
{
	_Replace(&fEnabledOff, picture);
}


void
BPictureButton::SetDisabledOn(BPicture* picture)
{
	_Replace(&fDisabledOn, picture);
}


void
BPictureButton::SetDisabledOff(BPicture* picture)
{
	_Replace(&fDisabledOff, picture);
}


void
BPictureButton::SetBehavior(uint32 behavior)
{
	fBehavior = behavior == B_TWO_STATE_BUTTON ? B_TWO_STATE_BUTTON : B_ONE_STATE_BUTTON;
	fPressed = false;
	Invalidate();
}


void
BPictureButton::MessageReceived(BMessage* message)
{
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	uint32 tag = 0;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK
		|| BPropertyInfo(stPictureButtonProperties).FindMatch(message, index, &specifier,
			form, property, &tag) < 0) {
		BControl::MessageReceived(message);
		return;
	}
	BMessage reply;
	status_t status = B_OK;
	switch (tag) {
		case kBehaviorProperty:
		{
			int32 behavior;
			if (message->what == B_GET_PROPERTY)
				reply.AddInt32("result", (int32)fBehavior);
			else if ((status = message->FindInt32("data", &behavior)) == B_OK) {
				if (behavior == B_ONE_STATE_BUTTON || behavior == B_TWO_STATE_BUTTON)
					SetBehavior(behavior);
				else
					status = B_BAD_VALUE;
			}
			break;
		}
	}
	BPrivate::reply_result(message, &reply, status);
}


BHandler*
BPictureButton::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	if (BPropertyInfo(stPictureButtonProperties).FindMatch(message, index, specifier, form,
			property) >= 0) {
		return this;
	}
	return BControl::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BPictureButton::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-picture-button",
		stPictureButtonProperties);
	if (status == B_OK)
		status = BControl::GetSupportedSuites(data);
	return status;
}
