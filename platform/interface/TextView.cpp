// BTextView: the text and its changes, the selection, undo, layout queries and drawing.
// Keyboard and mouse input live in TextViewInput.cpp, scripting in TextViewScripting.cpp.
#include <TextView.h>

#include "interface/RunArrayFormat.h"
#include "interface/TextClipboard.h"
#include "interface/TextLayout.h"

#include <File.h>
#include <ScrollBar.h>
#include <Window.h>

#include <algorithm>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <utility>

using BPrivate::utf8_boundary;
using BPrivate::utf8_next;
using BPrivate::utf8_previous;
using BPrivate::utf8_sanitized;

namespace {

// The platform's tab stops: every 28 pixels.
const float kDefaultTabWidth = 28;


// Appends the runs of text that follows, at shift, the text that runs styles.
void
append_runs(std::vector<text_run>* runs, int32 shift, const std::vector<text_run>& more)
{
	for (text_run run : more) {
		run.offset += shift;
		runs->push_back(run);
	}
}

} // namespace


BTextView::BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
	uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS)
{
	_Init(textRect, NULL, NULL);
}


BTextView::BTextView(BRect frame, const char* name, BRect textRect,
	const BFont* initialFont, const rgb_color* initialColor, uint32 resizingMode,
	uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS)
{
	_Init(textRect, initialFont, initialColor);
}


BTextView::~BTextView()
{
	delete fLayout;
}


void
BTextView::_Init(BRect textRect, const BFont* font, const rgb_color* color)
{
	fLayout = new BPrivate::TextLayout;
	fTextRect = textRect;
	fFont = font != NULL ? *font : *be_plain_font;
	fColor = color != NULL ? *color : ui_color(B_DOCUMENT_TEXT_COLOR);
	fTabWidth = kDefaultTabWidth;
	fWordWrap = true;
	fAlignment = B_ALIGN_LEFT;
	fAutoindent = false;
	fEditable = true;
	fSelectable = true;
	fMaxBytes = INT32_MAX;
	fSelectionStart = 0;
	fSelectionEnd = 0;
	fAnchor = 0;
	fGoalX = -1;
	fCaretShown = true;
	fTrackingClicks = 0;
	fTrackingStart = 0;
	fTrackingEnd = 0;
	fDragPending = false;
	fDragging = false;
	fDropOffset = -1;
	fRuns.assign(1, text_run{ 0, fFont, fColor });
	fStylable = false;
	fDoesUndo = true;
	fTypingHidden = false;
	fResizable = false;
	fResizeView = NULL;
	fColorSpace = B_CMAP8;
	BView::SetFont(&fFont);
	SetViewColor(ui_color(B_DOCUMENT_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
	SetHighColor(fColor);
	_Relayout();
}


void
BTextView::AttachedToWindow()
{
	BView::AttachedToWindow();
	_Relayout();
}


// #pragma mark - The text


void
BTextView::SetText(const char* text, const text_run_array* runs)
{
	SetText(text, text != NULL ? (int32)strlen(text) : 0, runs);
}


void
BTextView::SetText(const char* text, int32 length, const text_run_array* runs)
{
	std::string sanitized = text != NULL ? utf8_sanitized(text, std::max(length, (int32)0))
		: std::string();
	_Replace(0, TextLength(), sanitized, B_UNDO_UNAVAILABLE, runs);
	_SetSelection(0, 0);
	fAnchor = 0;
	if (Bounds().LeftTop() != BPoint(0, 0))
		ScrollTo(BPoint(0, 0));
}


void
BTextView::SetText(BFile* file, int32 offset, int32 length, const text_run_array* runs)
{
	off_t size;
	if (file == NULL || offset < 0 || length < 0 || file->GetSize(&size) != B_OK)
		return;
	// No more than the file holds from offset.
	off_t available = std::max(size - (off_t)offset, (off_t)0);
	std::string bytes((size_t)std::min((off_t)length, available), '\0');
	ssize_t read = file->ReadAt(offset, &bytes[0], bytes.size());
	if (read < 0)
		return;
	SetText(bytes.data(), (int32)read, runs);
}


void
BTextView::Insert(const char* text, const text_run_array* runs)
{
	Insert(text, text != NULL ? (int32)strlen(text) : 0, runs);
}


void
BTextView::Insert(const char* text, int32 length, const text_run_array* runs)
{
	Insert(fSelectionStart, text, length, runs);
}


void
BTextView::Insert(int32 offset, const char* text, int32 length, const text_run_array* runs)
{
	if (text == NULL || length <= 0)
		return;
	offset = utf8_boundary(fText, offset);
	std::string sanitized = utf8_sanitized(text, length);
	int32 start = fSelectionStart;
	int32 end = fSelectionEnd;
	_Replace(offset, offset, sanitized, B_UNDO_UNAVAILABLE, runs);
	// The selection keeps its characters; a caret at offset moves past the text.
	int32 added = (int32)sanitized.size();
	bool caret = start == end;
	if (start >= offset)
		start += added;
	if (end > offset || (caret && end == offset))
		end += added;
	_SetSelection(start, end);
}


void
BTextView::Delete()
{
	Delete(fSelectionStart, fSelectionEnd);
}


void
BTextView::Delete(int32 startOffset, int32 endOffset)
{
	int32 from = utf8_boundary(fText, std::min(startOffset, endOffset));
	int32 to = utf8_boundary(fText, std::max(startOffset, endOffset));
	if (from == to)
		return;
	auto moved = [&](int32 offset) {
		return offset <= from ? offset : offset >= to ? offset - (to - from) : from;
	};
	int32 start = moved(fSelectionStart);
	int32 end = moved(fSelectionEnd);
	_Replace(from, to, std::string(), B_UNDO_UNAVAILABLE);
	_SetSelection(start, end);
}


void
BTextView::GetText(int32 offset, int32 length, char* buffer) const
{
	if (buffer == NULL)
		return;
	offset = std::clamp(offset, (int32)0, TextLength());
	length = std::clamp(length, (int32)0, TextLength() - offset);
	memcpy(buffer, fText.data() + offset, length);
	buffer[length] = '\0';
}


uchar
BTextView::ByteAt(int32 offset) const
{
	if (offset < 0 || offset >= TextLength())
		return 0;
	return (uchar)fText[offset];
}


void
BTextView::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	fText.insert(offset, text, length);
}


void
BTextView::DeleteText(int32 fromOffset, int32 toOffset)
{
	fText.erase(fromOffset, toOffset - fromOffset);
}


void
BTextView::_Replace(int32 from, int32 to, const std::string& text, undo_state state,
	const text_run_array* runs)
{
	std::string removed = fText.substr(from, to - from);
	UndoRecord& last = fUndo;
	int32 lastEnd = last.offset + (int32)last.inserted.size();
	bool typing = state == B_UNDO_TYPING && last.state == B_UNDO_TYPING && !last.redo;
	if (state == B_UNDO_UNAVAILABLE || !fDoesUndo) {
		fUndo = UndoRecord();
	} else if (typing && from == to && from == lastEnd) {
		// Typing on: one undo takes back the whole run of typing.
		last.inserted += text;
	} else if (typing && text.empty() && to == lastEnd) {
		// Backspace over what was typed, and on before it.
		if (from >= last.offset) {
			last.inserted.erase(from - last.offset);
		} else {
			std::vector<text_run> runs = _UndoRunsIn(from, last.offset);
			append_runs(&runs, last.offset - from, last.removedRuns);
			last.removedRuns = std::move(runs);
			last.removed = fText.substr(from, last.offset - from) + last.removed;
			last.inserted.clear();
			last.offset = from;
		}
	} else if (typing && text.empty() && from == lastEnd) {
		// Delete forwards from where the typing stopped.
		append_runs(&last.removedRuns, (int32)last.removed.size(), _UndoRunsIn(from, to));
		last.removed += removed;
	} else {
		fUndo = UndoRecord{ state, from, removed, text, fSelectionStart, fSelectionEnd,
			false, _UndoRunsIn(from, to) };
	}

	size_t expected = fText.size() - (to - from) + text.size();
	if (to > from)
		DeleteText(from, to);
	if (!text.empty())
		InsertText(text.data(), (int32)text.size(), from, runs);
	// Only the paragraphs the change touched are laid out again, unless a subclass's
	// hook changed the text otherwise or runs restyled it.
	if (fText.size() != expected) {
		fRuns.assign(1, _RunAt(0));
		_Relayout();
		return;
	}
	_EditRuns(from, to - from, (int32)text.size());
	if (runs != NULL) {
		_ApplyRuns(from, from + (int32)text.size(), runs);
		_Relayout();
		return;
	}
	fLayout->SetRuns(fRuns);
	fLayout->Replace(fText, from, to - from, (int32)text.size());
	_FitWidth();
	_FixupScrollBar();
	Invalidate();
}


void
BTextView::_UserInsert(const std::string& input, undo_state state,
	const text_run_array* runs)
{
	if (!fEditable)
		return;
	std::string text = utf8_sanitized(input.data(), (int32)input.size());
	int64 room = (int64)fMaxBytes - (TextLength() - (fSelectionEnd - fSelectionStart));
	if ((int64)text.size() > room)
		text.resize(utf8_boundary(text, (int32)std::max(room, (int64)0)));
	if (text.empty() && fSelectionStart == fSelectionEnd)
		return;
	int32 start = fSelectionStart;
	_Replace(fSelectionStart, fSelectionEnd, text, state, runs);
	int32 caret = start + (int32)text.size();
	_SetSelection(caret, caret);
	fAnchor = caret;
	ScrollToSelection();
}


void
BTextView::_UserDelete(int32 from, int32 to)
{
	if (!fEditable || from >= to)
		return;
	_Replace(from, to, std::string(), B_UNDO_TYPING);
	_SetSelection(from, from);
	fAnchor = from;
	ScrollToSelection();
}


// #pragma mark - Clipboard and undo


void
BTextView::Cut(BClipboard* clipboard)
{
	if (!fEditable || fSelectionStart == fSelectionEnd || fTypingHidden)
		return;
	Copy(clipboard);
	int32 start = fSelectionStart;
	_Replace(fSelectionStart, fSelectionEnd, std::string(), B_UNDO_CUT);
	_SetSelection(start, start);
	fAnchor = start;
	ScrollToSelection();
}


void
BTextView::Copy(BClipboard* clipboard)
{
	// Hidden text (a password) never leaves the view.
	if (fSelectionStart == fSelectionEnd || fTypingHidden)
		return;
	BPrivate::set_clipboard_text(clipboard, fText.substr(fSelectionStart,
		fSelectionEnd - fSelectionStart), _FlattenedRunsIn(fSelectionStart, fSelectionEnd));
}


void
BTextView::Paste(BClipboard* clipboard)
{
	std::string flat;
	std::string text = BPrivate::clipboard_text(clipboard, fStylable ? &flat : NULL);
	// Runs that do not unflatten are dropped; the text is still taken.
	text_run_array* runs = flat.empty() ? NULL
		: BPrivate::unflatten_run_array(flat.data(), flat.size());
	_UserInsert(text, B_UNDO_PASTE, runs);
	free(runs);
}


void
BTextView::Clear()
{
	if (!fEditable || fSelectionStart == fSelectionEnd)
		return;
	int32 start = fSelectionStart;
	_Replace(fSelectionStart, fSelectionEnd, std::string(), B_UNDO_CLEAR);
	_SetSelection(start, start);
	fAnchor = start;
}


void
BTextView::Undo(BClipboard* clipboard)
{
	if (!fEditable || fUndo.state == B_UNDO_UNAVAILABLE)
		return;
	UndoRecord record = fUndo;
	int32 end = record.offset + (int32)record.inserted.size();
	// The text comes back in the styles it had; the undo's own removal is kept the same
	// way for the redo.
	std::vector<text_run> insertedRuns = _UndoRunsIn(record.offset, end);
	text_run_array* runs = fStylable ? _NewRunArray(record.removedRuns) : NULL;
	_Replace(record.offset, end, record.removed, B_UNDO_UNAVAILABLE, runs);
	free(runs);
	// Undoing selects as before the change; undoing the undo puts the caret after it.
	int32 after = record.offset + (int32)record.removed.size();
	fUndo = UndoRecord{ record.state, record.offset, record.inserted, record.removed,
		after, after, !record.redo, std::move(insertedRuns) };
	_SetSelection(record.selectionStart, record.selectionEnd);
	fAnchor = fSelectionStart;
	ScrollToSelection();
}


undo_state
BTextView::UndoState(bool* isRedo) const
{
	if (isRedo != NULL)
		*isRedo = fUndo.redo;
	return fUndo.state;
}


// #pragma mark - Selection


void
BTextView::Select(int32 startOffset, int32 endOffset)
{
	_SetSelection(std::min(startOffset, endOffset), std::max(startOffset, endOffset));
	fAnchor = fSelectionStart;
}


void
BTextView::SelectAll()
{
	Select(0, TextLength());
}


void
BTextView::GetSelection(int32* startOffset, int32* endOffset) const
{
	if (startOffset != NULL)
		*startOffset = fSelectionStart;
	if (endOffset != NULL)
		*endOffset = fSelectionEnd;
}


void
BTextView::_SetSelection(int32 start, int32 end, bool keepGoal)
{
	start = utf8_boundary(fText, start);
	end = std::max(start, utf8_boundary(fText, end));
	if (!keepGoal)
		fGoalX = -1;
	fCaretShown = true;
	if (start == fSelectionStart && end == fSelectionEnd)
		return;
	fSelectionStart = start;
	fSelectionEnd = end;
	Invalidate();
}


// #pragma mark - Lines


int32
BTextView::CountLines() const
{
	return fLayout->CountLines();
}


int32
BTextView::CurrentLine() const
{
	return LineAt(fSelectionStart);
}


void
BTextView::GoToLine(int32 index)
{
	index = std::clamp(index, (int32)0, CountLines() - 1);
	int32 offset = fLayout->LineAt(index).start;
	Select(offset, offset);
	ScrollToSelection();
}


int32
BTextView::LineAt(int32 offset) const
{
	return fLayout->LineOf(std::clamp(offset, (int32)0, TextLength()));
}


int32
BTextView::LineAt(BPoint point) const
{
	float lineHeight = fLayout->LineHeight();
	if (lineHeight <= 0)
		return 0;
	int32 line = (int32)floorf((point.y - fTextRect.top) / lineHeight);
	return std::clamp(line, (int32)0, CountLines() - 1);
}


int32
BTextView::OffsetAt(int32 line) const
{
	if (line < 0)
		return 0;
	if (line >= CountLines())
		return TextLength();
	return fLayout->LineAt(line).start;
}


int32
BTextView::OffsetAt(BPoint point) const
{
	if (point.y < fTextRect.top)
		return 0;
	if (point.y >= fTextRect.top + fLayout->Height())
		return TextLength();
	int32 line = LineAt(point);
	return fLayout->OffsetAt(line, point.x - _LineLeft(line));
}


BPoint
BTextView::PointAt(int32 offset, float* height) const
{
	offset = utf8_boundary(fText, offset);
	int32 line = LineAt(offset);
	if (height != NULL)
		*height = fLayout->LineHeight();
	return BPoint(_LineLeft(line) + fLayout->XOf(line, offset),
		fTextRect.top + line * fLayout->LineHeight());
}


float
BTextView::LineWidth(int32 line) const
{
	if (line < 0 || line >= CountLines())
		return 0;
	return fLayout->LineAt(line).width;
}


float
BTextView::LineHeight(int32 line) const
{
	return fLayout->LineHeight();
}


float
BTextView::TextHeight(int32 startLine, int32 endLine) const
{
	startLine = std::max(startLine, (int32)0);
	endLine = std::min(endLine, CountLines() - 1);
	return endLine >= startLine ? (endLine - startLine + 1) * fLayout->LineHeight() : 0;
}


void
BTextView::ScrollToOffset(int32 offset)
{
	float height;
	BPoint point = PointAt(offset, &height);
	BRect bounds = Bounds();
	BPoint target = bounds.LeftTop();
	if (point.y < bounds.top)
		target.y = point.y - fTextRect.top;
	else if (point.y + height > bounds.bottom + 1)
		target.y = point.y + height - bounds.Height() - 1 + fTextRect.top;
	// Sideways, the caret is brought back into view with some text around it.
	float margin = floorf(bounds.Width() / 4);
	if (point.x < bounds.left)
		target.x = point.x - margin;
	else if (point.x >= bounds.right)
		target.x = point.x - bounds.Width() + margin;
	target.x = std::max(0.0f, target.x);
	target.y = std::max(0.0f, target.y);
	if (target != bounds.LeftTop())
		ScrollTo(target);
}


void
BTextView::ScrollToSelection()
{
	ScrollToOffset(fSelectionStart == fAnchor ? fSelectionEnd : fSelectionStart);
}


// #pragma mark - Appearance and behaviour


void
BTextView::SetTextRect(BRect rect)
{
	if (rect == fTextRect)
		return;
	fTextRect = rect;
	_Relayout();
}


void
BTextView::SetTabWidth(float width)
{
	if (width == fTabWidth)
		return;
	fTabWidth = std::max(width, 0.0f);
	_Relayout();
}


void
BTextView::SetWordWrap(bool wrap)
{
	if (wrap == fWordWrap)
		return;
	fWordWrap = wrap;
	_Relayout();
}


void
BTextView::SetAlignment(alignment flag)
{
	if (flag == fAlignment)
		return;
	fAlignment = flag;
	Invalidate();
}


void
BTextView::SetAutoindent(bool state)
{
	fAutoindent = state;
}


void
BTextView::MakeEditable(bool editable)
{
	if (editable == fEditable)
		return;
	fEditable = editable;
	if (!editable)
		fUndo = UndoRecord();
	Invalidate();
}


void
BTextView::MakeSelectable(bool selectable)
{
	if (selectable == fSelectable)
		return;
	fSelectable = selectable;
	if (!selectable)
		_SetSelection(fSelectionStart, fSelectionStart);
	Invalidate();
}


void
BTextView::SetMaxBytes(int32 max)
{
	fMaxBytes = std::max(max, (int32)0);
}


void
BTextView::DisallowChar(uint32 character)
{
	fDisallowed.insert(character);
}


void
BTextView::AllowChar(uint32 character)
{
	fDisallowed.erase(character);
}


void
BTextView::SetFont(const BFont* font, uint32 mask)
{
	SetFontAndColor(font, mask, NULL);
}


void
BTextView::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = Bounds().Width();
	if (height != NULL)
		*height = ceilf(fLayout->Height() + 2 * std::max(fTextRect.top, 0.0f));
}


// #pragma mark - Layout and drawing


void
BTextView::_Relayout()
{
	fLayout->Update(fText, fRuns, fTextRect.Width(), fWordWrap, fTabWidth);
	_FitWidth();
	_FixupScrollBar();
	Invalidate();
}


void
BTextView::_FixupScrollBar()
{
	BRect bounds = Bounds();
	float margin = std::max(fTextRect.top, 0.0f);
	float visible = bounds.Height() + 1;
	float total = fLayout->Height() + 2 * margin;
	if (BScrollBar* bar = ScrollBar(B_VERTICAL)) {
		bar->SetRange(0, std::max(0.0f, total - visible));
		bar->SetProportion(total > visible ? visible / total : 1.0f);
		float step = fLayout->LineHeight();
		bar->SetSteps(step, std::max(step, visible - step));
	} else if (bounds.top > 0 && bounds.top > total - visible) {
		ScrollTo(BPoint(bounds.left, std::max(0.0f, total - visible)));
	}
	if (BScrollBar* bar = ScrollBar(B_HORIZONTAL)) {
		float widest = fTextRect.Width();
		for (int32 line = 0; line < CountLines(); line++)
			widest = std::max(widest, fLayout->LineAt(line).width);
		float visibleWidth = bounds.Width() + 1;
		float totalWidth = widest + 2 * std::max(fTextRect.left, 0.0f);
		bar->SetRange(0, std::max(0.0f, totalWidth - visibleWidth));
		bar->SetProportion(totalWidth > visibleWidth ? visibleWidth / totalWidth : 1.0f);
	}
}


float
BTextView::_LineLeft(int32 line) const
{
	float room = fTextRect.Width() - fLayout->LineAt(line).width;
	if (fAlignment == B_ALIGN_RIGHT && room > 0)
		return fTextRect.left + room;
	if (fAlignment == B_ALIGN_CENTER && room > 0)
		return fTextRect.left + floorf(room / 2);
	return fTextRect.left;
}


BRect
BTextView::_CaretRect(int32 offset) const
{
	float height;
	BPoint point = PointAt(offset, &height);
	float x = floorf(point.x);
	return BRect(x, point.y, x, point.y + height - 1);
}


void
BTextView::_InvalidateCaret()
{
	Invalidate(_CaretRect(fSelectionEnd));
}


void
BTextView::Draw(BRect updateRect)
{
	float lineHeight = fLayout->LineHeight();
	int32 first = LineAt(updateRect.LeftTop());
	int32 last = LineAt(updateRect.LeftBottom());
	bool selected = fSelectionStart != fSelectionEnd;
	rgb_color highlight = tint_color(ViewColor(),
		_IsActive() ? B_HIGHLIGHT_BACKGROUND_TINT : B_DARKEN_1_TINT);

	for (int32 index = first; index <= last; index++) {
		const BPrivate::TextLine& line = fLayout->LineAt(index);
		float top = fTextRect.top + index * lineHeight;
		float left = _LineLeft(index);
		bool newline = line.end > line.start && fText[line.end - 1] == '\n';

		if (selected && fSelectionStart <= line.caretEnd && fSelectionEnd > line.start) {
			float from = left + fLayout->XOf(index, std::max(fSelectionStart, line.start));
			float to;
			if (fSelectionEnd > line.caretEnd && newline)
				to = std::max(fTextRect.right, left + line.width);
			else if (fSelectionEnd > line.caretEnd)
				to = left + line.width;
			else
				to = left + fLayout->XOf(index, fSelectionEnd);
			if (to > from) {
				SetHighColor(highlight);
				FillRect(BRect(floorf(from), top, ceilf(to) - 1, top + lineHeight - 1));
			}
		}

		// The text between tabs and styled runs, piece by piece, each in its run's
		// font and colour.
		SetLowColor(ViewColor());
		int32 end = newline ? line.end - 1 : line.end;
		int32 piece = line.start;
		for (int32 offset = line.start; offset <= end; offset++) {
			bool tab = offset < end && fText[offset] == '\t';
			bool styled = !tab && offset < end && offset > piece
				&& &_RunAt(offset) != &_RunAt(offset - 1);
			if (offset < end && !tab && !styled)
				continue;
			if (offset > piece)
				_DrawPiece(piece, offset, BPoint(left + fLayout->XOf(index, piece),
					top + fLayout->Ascent()));
			piece = tab ? offset + 1 : offset;
		}
	}
	BView::SetFont(&fFont);

	if (_IsActive() && fEditable && !selected && fCaretShown) {
		BRect caret = _CaretRect(fSelectionEnd);
		SetHighColor(_RunAt(std::max(fSelectionEnd - 1, (int32)0)).color);
		StrokeLine(caret.LeftTop(), caret.LeftBottom());
	}
	// Where a drag passing over the view would drop its text.
	if (fDropOffset >= 0) {
		BRect caret = _CaretRect(std::min(fDropOffset, TextLength()));
		SetHighColor(_RunAt(std::max(fDropOffset - 1, (int32)0)).color);
		StrokeLine(caret.LeftTop(), caret.LeftBottom());
	}
}


void
BTextView::Pulse()
{
	if (!_IsActive() || !fEditable || fSelectionStart != fSelectionEnd)
		return;
	fCaretShown = !fCaretShown;
	_InvalidateCaret();
}


void
BTextView::FrameResized(float newWidth, float newHeight)
{
	_FixupScrollBar();
}


void
BTextView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	fCaretShown = true;
	Invalidate();
}


void
BTextView::WindowActivated(bool active)
{
	BView::WindowActivated(active);
	fCaretShown = true;
	Invalidate();
}


// #pragma mark - Behaviour


void
BTextView::SetInsets(float left, float top, float right, float bottom)
{
	BRect bounds = Bounds();
	SetTextRect(BRect(bounds.left + left, bounds.top + top, bounds.right - right,
		bounds.bottom - bottom));
}


void
BTextView::GetInsets(float* left, float* top, float* right, float* bottom) const
{
	BRect bounds = Bounds();
	if (left != NULL)
		*left = fTextRect.left - bounds.left;
	if (top != NULL)
		*top = fTextRect.top - bounds.top;
	if (right != NULL)
		*right = bounds.right - fTextRect.right;
	if (bottom != NULL)
		*bottom = bounds.bottom - fTextRect.bottom;
}


void
BTextView::SetColorSpace(color_space colors)
{
	fColorSpace = colors;
}


void
BTextView::MakeResizable(bool resize, BView* resizeView)
{
	fResizable = resize;
	fResizeView = resize ? resizeView : NULL;
	if (resize)
		fWordWrap = false;
	_Relayout();
}


void
BTextView::_FitWidth()
{
	if (!fResizable)
		return;
	float widest = 0;
	for (int32 line = 0; line < CountLines(); line++)
		widest = std::max(widest, fLayout->LineAt(line).width);
	// One pixel more for the caret after the last character.
	float delta = ceilf(widest) + 1 - fTextRect.Width();
	if (delta == 0)
		return;
	fTextRect.right += delta;
	// A view that follows resizeView's width grows with it; another is resized too.
	float wanted = Bounds().Width() + delta;
	if (fResizeView != NULL)
		fResizeView->ResizeBy(delta, 0);
	if (Bounds().Width() != wanted)
		ResizeBy(wanted - Bounds().Width(), 0);
}


void
BTextView::SetDoesUndo(bool undo)
{
	fDoesUndo = undo;
	if (!undo)
		fUndo = UndoRecord();
}


void
BTextView::HideTyping(bool enabled)
{
	if (enabled == fTypingHidden)
		return;
	fTypingHidden = enabled;
	fLayout->SetMasked(enabled);
	_Relayout();
}


bool
BTextView::AcceptsPaste(BClipboard* clipboard)
{
	return fEditable && !BPrivate::clipboard_text(clipboard).empty();
}


bool
BTextView::AcceptsDrop(const BMessage* message)
{
	return fEditable && message != NULL && message->HasData(BPrivate::kTextType, B_MIME_TYPE);
}


bool
BTextView::CanEndLine(int32 offset)
{
	if (offset < 0 || offset >= TextLength())
		return false;
	char byte = fText[offset];
	return byte == ' ' || byte == '\t' || byte == '\n';
}


void
BTextView::Highlight(int32 startOffset, int32 endOffset)
{
	int32 start = utf8_boundary(fText, std::clamp(std::min(startOffset, endOffset),
		(int32)0, TextLength()));
	int32 end = utf8_boundary(fText, std::clamp(std::max(startOffset, endOffset),
		(int32)0, TextLength()));
	float lineHeight = fLayout->LineHeight();
	for (int32 index = LineAt(start); start < end && index < CountLines(); index++) {
		const BPrivate::TextLine& line = fLayout->LineAt(index);
		if (line.start >= end)
			break;
		float left = _LineLeft(index);
		float from = left + fLayout->XOf(index, std::max(start, line.start));
		float to = left + (end >= line.caretEnd ? line.width : fLayout->XOf(index, end));
		float top = fTextRect.top + index * lineHeight;
		if (to > from)
			InvertRect(BRect(floorf(from), top, ceilf(to) - 1, top + lineHeight - 1));
	}
}
