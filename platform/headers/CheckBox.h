// A box that is checked (B_CONTROL_ON) or not, with its label to the right; a click or
// Space flips it and invokes it.
#ifndef _CHECK_BOX_H
#define _CHECK_BOX_H

#include <Control.h>

class BCheckBox : public BControl {
public:
							BCheckBox(BRect frame, const char* name, const char* label,
								BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
							BCheckBox(BMessage* archive);
	virtual					~BCheckBox();

	static	BArchivable*	Instantiate(BMessage* archive);

	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			GetPreferredSize(float* width, float* height);

private:
			// Shown pressed while the pointer holds it.
			bool			fPressed;
};

#endif // _CHECK_BOX_H
