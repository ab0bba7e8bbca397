// The one-line field of a BTextControl: a text view that tells its control about changes,
// Enter and the focus leaving.
#ifndef _TEXT_CONTROL_INPUT_H
#define _TEXT_CONTROL_INPUT_H

#include <TextControl.h>

class BTextControl::Private {
public:
	explicit					Private(BTextControl* control) : fControl(control) {}

			void				TextModified() { fControl->_TextModified(); }
			void				Commit() { fControl->_Commit(); }
			void				FocusLeft() { fControl->_FocusLeft(); }

private:
			BTextControl*		fControl;
};

namespace BPrivate {

class TextControlInput : public BTextView {
public:
								TextControlInput(BRect frame, const char* text,
									BTextControl* control, uint32 flags);

			// Sets the text without counting it as the user's change.
			void				SetTextQuietly(const char* text);
			// Keeps the line inside the field as the field changes size.
			void				FitTextRect();

	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				MakeFocus(bool focus = true);
	virtual	void				MessageReceived(BMessage* message);

protected:
	// Newlines become spaces: the field holds one line.
	virtual	void				InsertText(const char* text, int32 length, int32 offset,
									const text_run_array* runs);
	virtual	void				DeleteText(int32 fromOffset, int32 toOffset);

private:
			void				_Changed();

			BTextControl*		fControl;
			bool				fQuiet;
			bool				fFocused;
			// While a key or a message is handled, its changes (typing over a selection
			// deletes and inserts) are told to the control once, at the end.
			bool				fBatching;
			bool				fBatchChanged;
};

} // namespace BPrivate

#endif // _TEXT_CONTROL_INPUT_H
