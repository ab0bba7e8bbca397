// The one-line field that opens over a line of the capabilities pane to edit a value. Enter
// posts kMsgEditCommit with the text typed in "text" to its target, Escape posts
// kMsgEditCancel; Ctrl+A (the Command key on X11) selects the whole text again. The field
// opens with its text selected and the keyboard focus.
#ifndef VALUE_EDIT_FIELD_H
#define VALUE_EDIT_FIELD_H

#include <Messenger.h>
#include <TextView.h>

enum {
	kMsgEditCommit = 'EdtC',
	kMsgEditCancel = 'EdtX'
};

class ValueEditField : public BTextView {
public:
							ValueEditField(BRect frame, const char* text,
								const BMessenger& target);

	virtual	void			AttachedToWindow();
	virtual	void			KeyDown(const char* bytes, int32 numBytes);

private:
			BMessenger		fTarget;
};

#endif // VALUE_EDIT_FIELD_H
