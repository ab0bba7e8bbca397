// The field of a BTextControl.
#include "interface/TextControlInput.h"

#include <Window.h>

#include <math.h>
#include <string>

namespace BPrivate {

TextControlInput::TextControlInput(BRect frame, const char* text, BTextControl* control,
	uint32 flags)
	:
	BTextView(frame, "_input_", BRect(0, 0, frame.Width(), frame.Height()),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | flags),
	fControl(control),
	fQuiet(false),
	fFocused(false),
	fBatching(false),
	fBatchChanged(false)
{
	SetWordWrap(false);
	FitTextRect();
	SetTextQuietly(text);
}


void
TextControlInput::SetTextQuietly(const char* text)
{
	fQuiet = true;
	SetText(text);
	fQuiet = false;
}


void
TextControlInput::FitTextRect()
{
	// The line is centred vertically, with a little room on both sides.
	BRect bounds = Bounds();
	float lineHeight = LineHeight();
	float top = std::max(0.0f, floorf((bounds.Height() + 1 - lineHeight) / 2));
	SetTextRect(BRect(2, top, std::max(2.0f, bounds.Width() - 2), top + lineHeight - 1));
}


void
TextControlInput::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_ENTER) {
		if (fControl->IsEnabled()) {
			BTextControl::Private(fControl).Commit();
			SelectAll();
		}
		return;
	}
	fBatching = true;
	fBatchChanged = false;
	BTextView::KeyDown(bytes, numBytes);
	fBatching = false;
	if (fBatchChanged)
		BTextControl::Private(fControl).TextModified();
}


void
TextControlInput::MessageReceived(BMessage* message)
{
	fBatching = true;
	fBatchChanged = false;
	BTextView::MessageReceived(message);
	fBatching = false;
	if (fBatchChanged)
		BTextControl::Private(fControl).TextModified();
}


void
TextControlInput::MakeFocus(bool focus)
{
	BTextView::MakeFocus(focus);
	// The window tells the view that loses the focus after the focus has moved on, so
	// the view keeps its own note of having it.
	if (IsFocus() == fFocused)
		return;
	fFocused = IsFocus();
	// Coming in through the keyboard or a click, the whole text is ready to be typed over.
	if (fFocused)
		SelectAll();
	else
		BTextControl::Private(fControl).FocusLeft();
	fControl->Invalidate();
}


void
TextControlInput::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	std::string line(text, length);
	for (char& byte : line) {
		if (byte == '\n')
			byte = ' ';
	}
	BTextView::InsertText(line.data(), length, offset, runs);
	_Changed();
}


void
TextControlInput::DeleteText(int32 fromOffset, int32 toOffset)
{
	BTextView::DeleteText(fromOffset, toOffset);
	_Changed();
}


void
TextControlInput::_Changed()
{
	if (fQuiet)
		return;
	if (fBatching)
		fBatchChanged = true;
	else
		BTextControl::Private(fControl).TextModified();
}

} // namespace BPrivate
