// A labelled one-line text field: the label left of the divider, an editable BTextView
// right of it. Enter invokes the control, and so does the focus leaving it after the text
// changed; each change by the user sends the modification message.
//
// Runs on the window's thread, with the window locked.
#ifndef _TEXT_CONTROL_H
#define _TEXT_CONTROL_H

#include <Control.h>
#include <TextView.h>

class BTextControl : public BControl {
public:
							BTextControl(BRect frame, const char* name, const char* label,
								const char* initialText, BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// The control of an archive: the control's fields, "_a_label" and "_a_text" (the
	// alignments), "_divide" and "_mod_msg"; the text and whether the field is
	// navigable come from the archived field, the child "_input_".
							BTextControl(BMessage* archive);
	virtual					~BTextControl();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	virtual	void			SetText(const char* text);
			const char*		Text() const;
	// The field that holds the text; the control owns it.
			BTextView*		TextView() const { return fText; }

	// Sent (to the target, with "source" and "when") after each change the user makes.
	// The control takes ownership of message.
	virtual	void			SetModificationMessage(BMessage* message);
			BMessage*		ModificationMessage() const { return fModificationMessage; }

	virtual	void			SetAlignment(alignment label, alignment text);
			void			GetAlignment(alignment* label, alignment* text) const;
	// The distance from the left edge where the field starts. The field keeps its size
	// when the control is resized (it follows the control's left and top edges), except
	// through SetDivider() and ResizeToPreferred(), which fit it to the control.
	virtual	void			SetDivider(float position);
			float			Divider() const { return fDivider; }

	virtual	void			SetEnabled(bool enabled);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			GetPreferredSize(float* width, float* height);
	// Also brings the divider in to just past the label.
	virtual	void			ResizeToPreferred();
	virtual	void			MessageReceived(BMessage* message);

	// Scripting: "Text" and "Value" (get, set: the text, a string) with the control
	// suite's "Label" and "Enabled".
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

			class Private;

private:
	friend class Private;

			// Fits the field between the divider and the control's right edge.
			void			_LayoutField();
			void			_TextModified();
			// Invokes the control with its message and starts watching for changes anew.
			void			_Commit();
			void			_FocusLeft();

			BTextView*		fText;
			BMessage*		fModificationMessage;
			alignment		fLabelAlignment;
			float			fDivider;
			// Changed by the user since the control was last invoked.
			bool			fChanged;
};

#endif // _TEXT_CONTROL_H
