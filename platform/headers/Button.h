// A push button: invoked when the pointer is released over it, or by Space or Enter when
// it has the focus. The window's default button (drawn with a heavier frame) is invoked
// by Enter wherever the focus is.
#ifndef _BUTTON_H
#define _BUTTON_H

#include <Control.h>

class BButton : public BControl {
public:
							BButton(BRect frame, const char* name, const char* label,
								BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// The button of an archive: the control's fields and "_default" (bool).
							BButton(BMessage* archive);
	virtual					~BButton();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	// A window has at most one default button; making one default unmakes the other.
	virtual	void			MakeDefault(bool flag);
			bool			IsDefault() const { return fDefault; }

	virtual	void			AttachedToWindow();
	virtual	void			DetachedFromWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	status_t		Invoke(BMessage* message = NULL);

private:
			bool			fDefault;
};

#endif // _BUTTON_H
