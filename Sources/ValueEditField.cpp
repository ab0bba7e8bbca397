#include "ValueEditField.h"

#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>


ValueEditField::ValueEditField(BRect frame, const char* text, const BMessenger& target)
	:
	BTextView(frame, "fValueEditor", frame.OffsetToCopy(0, 0).InsetByCopy(2, 0),
		B_FOLLOW_NONE, B_WILL_DRAW | B_NAVIGABLE),
	fTarget(target)
{
	SetWordWrap(false);
	SetText(text);
}


void
ValueEditField::AttachedToWindow()
{
	BTextView::AttachedToWindow();
	SelectAll();
	MakeFocus(true);
}


void
ValueEditField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_ENTER) {
		BMessage commit(kMsgEditCommit);
		commit.AddString("text", Text());
		fTarget.SendMessage(&commit);
		return;
	}
	if (numBytes == 1 && bytes[0] == B_ESCAPE) {
		fTarget.SendMessage(kMsgEditCancel);
		return;
	}
	int32 modifiers = 0;
	BMessage* message = Window() != NULL ? Window()->CurrentMessage() : NULL;
	if (message != NULL)
		message->FindInt32("modifiers", &modifiers);
	if (numBytes == 1 && (bytes[0] == 'a' || bytes[0] == 'A' || bytes[0] == 0x01)
		&& (modifiers & B_COMMAND_KEY) != 0) {
		SelectAll();
		return;
	}
	BTextView::KeyDown(bytes, numBytes);
}
