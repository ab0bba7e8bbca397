// BTextView's keyboard and mouse: moving the caret, extending the selection, typing and
// deleting, and selecting with the pointer by characters, words or lines.
#include <TextView.h>

#include "interface/TextLayout.h"

#include <Clipboard.h>
#include <Window.h>

#include <algorithm>
#include <ctype.h>
#include <math.h>

using BPrivate::utf8_next;
using BPrivate::utf8_previous;

namespace {

// Letters and digits of any script: every byte of a multi-byte character counts.
bool
IsWordByte(char byte)
{
	return (uint8)byte >= 0x80 || isalnum((uint8)byte) || byte == '_';
}


// The first character of bytes, which the display hands over as UTF-8.
uint32
CodePoint(const char* bytes, int32 numBytes)
{
	uint8 lead = (uint8)bytes[0];
	int32 length = std::min(BPrivate::utf8_char_length(lead), numBytes);
	if (length == 1)
		return lead;
	uint32 code = lead & (0xff >> (length + 1));
	for (int32 i = 1; i < length; i++)
		code = (code << 6) | ((uint8)bytes[i] & 0x3f);
	return code;
}


int32
CurrentInt32(BView* view, const char* name, int32 fallback)
{
	int32 value = fallback;
	if (view->Window() != NULL && view->Window()->CurrentMessage() != NULL)
		view->Window()->CurrentMessage()->FindInt32(name, &value);
	return value;
}

} // namespace


int32
BTextView::_WordStart(int32 offset) const
{
	while (offset > 0 && IsWordByte(fText[offset - 1]))
		offset--;
	return offset;
}


int32
BTextView::_WordEnd(int32 offset) const
{
	while (offset < TextLength() && IsWordByte(fText[offset]))
		offset++;
	return offset;
}


// Moves the caret (the selection's moving end) to offset, extending the selection from
// the anchor when extend is set.
void
BTextView::_MoveCaret(int32 offset, bool extend, bool keepGoal)
{
	if (!extend)
		fAnchor = offset;
	_SetSelection(std::min(fAnchor, offset), std::max(fAnchor, offset), keepGoal);
	ScrollToOffset(offset);
}


// The offset the caret reaches lines away (negative: up), aiming at the same distance
// from the left as where vertical moves started.
int32
BTextView::_VerticalTarget(int32 lines) const
{
	int32 caret = fSelectionStart == fAnchor ? fSelectionEnd : fSelectionStart;
	int32 line = LineAt(caret);
	float goal = fGoalX >= 0 ? fGoalX : PointAt(caret).x;
	int32 target = line + lines;
	if (target < 0)
		return 0;
	if (target >= CountLines())
		return TextLength();
	return fLayout->OffsetAt(target, goal - _LineLeft(target));
}


void
BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	uint32 modifiers = (uint32)CurrentInt32(this, "modifiers", 0);
	if ((modifiers & B_COMMAND_KEY) != 0 && numBytes == 1
		&& bytes[0] != B_LEFT_ARROW && bytes[0] != B_RIGHT_ARROW
		&& bytes[0] != B_HOME && bytes[0] != B_END) {
		switch (tolower((uint8)bytes[0])) {
			case 'a':
				if (fSelectable)
					SelectAll();
				return;
			case 'c':
				Copy(be_clipboard);
				return;
			case 'x':
				Cut(be_clipboard);
				return;
			case 'v':
				Paste(be_clipboard);
				return;
			case 'z':
				Undo(NULL);
				return;
		}
		BView::KeyDown(bytes, numBytes);
		return;
	}

	bool extend = (modifiers & B_SHIFT_KEY) != 0;
	bool byWord = (modifiers & (B_COMMAND_KEY | B_OPTION_KEY)) != 0;
	bool selected = fSelectionStart != fSelectionEnd;
	int32 caret = fSelectionStart == fAnchor ? fSelectionEnd : fSelectionStart;
	float lineHeight = std::max(fLayout->LineHeight(), 1.0f);
	int32 page = std::max((int32)1, (int32)floorf(Bounds().Height() / lineHeight) - 1);
	switch (numBytes == 1 ? bytes[0] : 0) {
		case B_LEFT_ARROW:
			if (!fSelectable)
				return;
			if (selected && !extend)
				_MoveCaret(fSelectionStart, false);
			else if (byWord)
				_MoveCaret(_WordStart(utf8_previous(fText, caret)), extend);
			else
				_MoveCaret(utf8_previous(fText, caret), extend);
			return;
		case B_RIGHT_ARROW:
			if (!fSelectable)
				return;
			if (selected && !extend)
				_MoveCaret(fSelectionEnd, false);
			else if (byWord) {
				int32 offset = caret;
				while (offset < TextLength() && !IsWordByte(fText[offset]))
					offset++;
				_MoveCaret(_WordEnd(offset), extend);
			} else
				_MoveCaret(utf8_next(fText, caret), extend);
			return;
		case B_UP_ARROW:
		case B_DOWN_ARROW:
		case B_PAGE_UP:
		case B_PAGE_DOWN:
		{
			if (!fSelectable)
				return;
			int32 lines = bytes[0] == B_UP_ARROW ? -1 : bytes[0] == B_DOWN_ARROW ? 1
				: bytes[0] == B_PAGE_UP ? -page : page;
			if (fGoalX < 0)
				fGoalX = PointAt(caret).x;
			_MoveCaret(_VerticalTarget(lines), extend, true);
			return;
		}
		case B_HOME:
			if (fSelectable)
				_MoveCaret(byWord ? 0 : fLayout->LineAt(LineAt(caret)).start, extend);
			return;
		case B_END:
			if (fSelectable)
				_MoveCaret(byWord ? TextLength() : fLayout->LineAt(LineAt(caret)).caretEnd,
					extend);
			return;
		case B_BACKSPACE:
			if (selected)
				_UserDelete(fSelectionStart, fSelectionEnd);
			else
				_UserDelete(utf8_previous(fText, caret), caret);
			return;
		case B_DELETE:
			if (selected)
				_UserDelete(fSelectionStart, fSelectionEnd);
			else
				_UserDelete(caret, utf8_next(fText, caret));
			return;
	}

	// Other control keys (Escape, Insert, function keys) are not text.
	uint8 lead = (uint8)bytes[0];
	if (!fEditable || (lead < B_SPACE && lead != B_ENTER && lead != B_TAB)) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	if (fDisallowed.count(CodePoint(bytes, numBytes)) != 0) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	std::string text(bytes, numBytes);
	if (lead == B_ENTER && fAutoindent) {
		int32 start = fLayout->LineAt(LineAt(fSelectionStart)).start;
		while (start > 0 && fText[start - 1] != '\n')
			start = fLayout->LineAt(LineAt(start - 1)).start;
		int32 end = start;
		while (end < fSelectionStart && (fText[end] == ' ' || fText[end] == '\t'))
			end++;
		text += fText.substr(start, end - start);
	}
	_UserInsert(text, B_UNDO_TYPING);
}


void
BTextView::MouseDown(BPoint where)
{
	if (fEditable || fSelectable)
		MakeFocus(true);
	if (!fSelectable)
		return;
	int32 clicks = CurrentInt32(this, "clicks", 1);
	uint32 modifiers = (uint32)CurrentInt32(this, "modifiers", 0);
	int32 offset = OffsetAt(where);

	fDragging = false;
	fTrackingClicks = std::max(clicks, (int32)1);
	// A press inside the selection may start a drag of it; the caret goes there only
	// if the pointer comes up without moving.
	if (clicks <= 1 && (modifiers & B_SHIFT_KEY) == 0 && !fTypingHidden
		&& fSelectionStart < fSelectionEnd && offset >= fSelectionStart
		&& offset < fSelectionEnd) {
		fDragPending = true;
		fDragStart = where;
		fTrackingClicks = 0;
		return;
	}
	if ((modifiers & B_SHIFT_KEY) != 0 && clicks <= 1) {
		// Shift extends from the end that stays put.
		fTrackingStart = fTrackingEnd = fAnchor;
		_MoveCaret(offset, true);
		return;
	}
	if (clicks == 2) {
		fTrackingStart = _WordStart(offset);
		fTrackingEnd = _WordEnd(offset);
		if (fTrackingStart == fTrackingEnd)
			fTrackingEnd = utf8_next(fText, offset);
	} else if (clicks >= 3) {
		const BPrivate::TextLine& line = fLayout->LineAt(LineAt(offset));
		fTrackingStart = line.start;
		fTrackingEnd = line.end;
	} else {
		fTrackingStart = fTrackingEnd = offset;
	}
	Select(fTrackingStart, fTrackingEnd);
}


void
BTextView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (dragMessage != NULL || fDropOffset >= 0)
		_TrackDrop(where, transit == B_EXITED_VIEW ? NULL : dragMessage);
	if (fDragPending) {
		_InitiateDrag(where);
		return;
	}
	if (fTrackingClicks == 0)
		return;
	int32 offset = OffsetAt(where);
	int32 start = offset;
	int32 end = offset;
	if (fTrackingClicks == 2) {
		start = _WordStart(offset);
		end = _WordEnd(offset);
	} else if (fTrackingClicks >= 3) {
		const BPrivate::TextLine& line = fLayout->LineAt(LineAt(offset));
		start = line.start;
		end = line.end;
	}
	// The selection spans what was pressed and what the pointer is over now.
	if (start < fTrackingStart) {
		_SetSelection(start, fTrackingEnd);
		fAnchor = fTrackingEnd;
	} else {
		_SetSelection(fTrackingStart, std::max(end, fTrackingEnd));
		fAnchor = fTrackingStart;
	}
	ScrollToOffset(offset);
}


void
BTextView::MouseUp(BPoint where)
{
	if (fDragPending) {
		fDragPending = false;
		Select(OffsetAt(fDragStart), OffsetAt(fDragStart));
	}
	_TrackDrop(where, NULL);
	fTrackingClicks = 0;
}


void
BTextView::FindWord(int32 offset, int32* fromOffset, int32* toOffset)
{
	offset = BPrivate::utf8_boundary(fText, std::clamp(offset, (int32)0, TextLength()));
	int32 from = _WordStart(offset);
	int32 to = _WordEnd(offset);
	if (from == to && offset < TextLength()) {
		// Between words: the run of other characters there is the word.
		from = offset;
		while (from > 0 && !IsWordByte(fText[from - 1]))
			from--;
		while (to < TextLength() && !IsWordByte(fText[to]))
			to++;
	}
	if (fromOffset != NULL)
		*fromOffset = from;
	if (toOffset != NULL)
		*toOffset = to;
}
