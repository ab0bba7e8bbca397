// A labelled view with a value that the user changes, sending its message to its target
// (the window unless set) when invoked. Controls take the keyboard focus when they are
// B_NAVIGABLE.
#ifndef _CONTROL_H
#define _CONTROL_H

#include <Invoker.h>
#include <Message.h>
#include <View.h>

#include <string>

enum {
	B_CONTROL_OFF = 0,
	B_CONTROL_ON = 1
};

class BControl : public BView, public BInvoker {
public:
							BControl(BRect frame, const char* name, const char* label,
								BMessage* message, uint32 resizingMode, uint32 flags);
	// The control of an archive made by Archive(): the view's fields and "_label",
	// "_msg" (the message, copied), "_val" and "_disable".
							BControl(BMessage* archive);
	virtual					~BControl();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	virtual	void			SetLabel(const char* label);
			const char*		Label() const;
	virtual	void			SetValue(int32 value);
			int32			Value() const { return fValue; }
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const { return fEnabled; }

	// Sends the message with "when", "source" (this control) and "be:value" added.
	virtual	status_t		Invoke(BMessage* message = NULL);

	virtual	void			AttachedToWindow();
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MessageReceived(BMessage* message);

	// Scripting: "Enabled", "Label", "Value" (get, set).
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

protected:
			// True while the control draws because it gained or lost the focus
			// (MakeFocus draws it at once then), so that Draw may redraw the mark alone.
			bool			IsFocusChanging() const { return fFocusChanging; }
			// Whether the pointer holds the control pressed.
			bool			IsTracking() const { return fTracking; }
			void			SetTracking(bool state) { fTracking = state; }
			void			SetValueNoUpdate(int32 value) { fValue = value; }
			// The label's colour for the current state.
			rgb_color		LabelColor() const;
			// Draws the focus mark under a label drawn at baseline from left to right.
			void			DrawFocusMark(float left, float right, float baseline);

private:
			std::string		fLabel;
			bool			fHasLabel;
			int32			fValue;
			bool			fEnabled;
			bool			fTracking;
			bool			fFocusChanging;
};

#endif // _CONTROL_H
