// A control drawn with pictures: one for off and one for on, each in an enabled and a
// disabled version. A one-state button shows its on picture while pressed and invokes on
// release; a two-state button flips its value with each click and shows the picture of
// its value.
#ifndef _PICTURE_BUTTON_H
#define _PICTURE_BUTTON_H

#include <Control.h>
#include <Picture.h>

enum {
	B_ONE_STATE_BUTTON,
	B_TWO_STATE_BUTTON
};

class BPictureButton : public BControl {
public:
	// The button keeps copies of the pictures; the caller keeps its own.
	BPictureButton(BRect frame, const char* name, BPicture* off, BPicture* on,
		BMessage* message, uint32 behavior = B_ONE_STATE_BUTTON,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// The button of an archive: the control's fields, "_behave" (int32) and the
	// pictures' archives "_e_off", "_e_on", "_d_off" and "_d_on".
	BPictureButton(BMessage* archive);
	virtual ~BPictureButton();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MessageReceived(BMessage* message);

	// Each setter copies the picture (NULL removes it). Without a disabled picture, a
	// disabled button shows its enabled picture dimmed.
	virtual void SetEnabledOn(BPicture* picture);
	virtual void SetEnabledOff(BPicture* picture);
	virtual void SetDisabledOn(BPicture* picture);
	virtual void SetDisabledOff(BPicture* picture);
	// Owned by the button.
	BPicture* EnabledOn() const { return fEnabledOn; }
	BPicture* EnabledOff() const { return fEnabledOff; }
	BPicture* DisabledOn() const { return fDisabledOn; }
	BPicture* DisabledOff() const { return fDisabledOff; }

	virtual void SetBehavior(uint32 behavior);
	uint32 Behavior() const { return fBehavior; }

	// Scripting: "Behavior" (get, set: B_ONE_STATE_BUTTON or B_TWO_STATE_BUTTON), then
	// the control suite.
	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index,
		BMessage* specifier, int32 form, const char* property);
	virtual status_t GetSupportedSuites(BMessage* data);

private:
	BPictureButton(const BPictureButton&) = delete;
	BPictureButton& operator=(const BPictureButton&) = delete;

	void _Replace(BPicture** slot, BPicture* picture);
	void _Press();

	BPicture* fEnabledOff;
	BPicture* fEnabledOn;
	BPicture* fDisabledOff;
	BPicture* fDisabledOn;
	uint32 fBehavior;
	// Shown pressed while the pointer holds a one-state button.
	bool fPressed;
};

#endif // _PICTURE_BUTTON_H
