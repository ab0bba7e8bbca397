// One choice of a group: the radio buttons that share a parent view are one group, and
// turning one on (a click, Space, or SetValue) turns the others off. A click on a button
// that is on leaves it on.
#ifndef _RADIO_BUTTON_H
#define _RADIO_BUTTON_H

#include <Control.h>

class BRadioButton : public BControl {
public:
							BRadioButton(BRect frame, const char* name, const char* label,
								BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
							BRadioButton(BMessage* archive);
	virtual					~BRadioButton();

	static	BArchivable*	Instantiate(BMessage* archive);

	// B_CONTROL_ON turns the group's other buttons off.
	virtual	void			SetValue(int32 value);

	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			GetPreferredSize(float* width, float* height);

private:
			void			_Choose();

			// Shown pressed while the pointer holds it.
			bool			fPressed;
};

#endif // _RADIO_BUTTON_H
