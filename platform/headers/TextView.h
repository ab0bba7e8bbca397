// Editable, selectable text, in one font and colour or in styled runs, laid out in lines
// inside the text rect (wrapped to its width unless word wrap is off). Offsets are byte offsets into the UTF-8
// text; the view moves every offset it is given back to the start of the character it
// falls in, so the caret, the selection and deletions never split a character.
//
// Keys: arrows (with Shift to extend the selection, with Command or Option by words),
// Home/End (with Command: the text's start and end), Page Up/Down, Backspace, Delete,
// Enter, and Command-A/C/X/V/Z (select all, copy, cut, paste, undo). The mouse selects:
// a click places the caret, a drag selects, Shift extends, a double click selects a word,
// a triple click a line. Pressing inside the selection and moving drags the selected text;
// text dropped on an editable view is inserted where it was dropped.
//
// Runs on the window's thread, with the window locked.
#ifndef _TEXT_VIEW_H
#define _TEXT_VIEW_H

#include <View.h>

#include <set>
#include <string>
#include <vector>

class BClipboard;
class BFile;

namespace BPrivate {
class TextLayout;
}

// Styled runs: each applies from its offset to the next run's. A stylable view draws each
// run in its font and colour; one that is not stylable takes the first run for the whole
// text. Arrays that the view returns are allocated with malloc(): free() them.
struct text_run {
	int32		offset;
	BFont		font;
	rgb_color	color;
};

struct text_run_array {
	int32		count;
	text_run	runs[1];
};

enum undo_state {
	B_UNDO_UNAVAILABLE,
	B_UNDO_TYPING,
	B_UNDO_CUT,
	B_UNDO_PASTE,
	B_UNDO_CLEAR,
	B_UNDO_DROP
};

class BTextView : public BView {
public:
	// textRect is in the view's coordinates: where the lines go.
							BTextView(BRect frame, const char* name, BRect textRect,
								uint32 resizingMode, uint32 flags);
							BTextView(BRect frame, const char* name, BRect textRect,
								const BFont* initialFont, const rgb_color* initialColor,
								uint32 resizingMode, uint32 flags);
	// The view of an archive: the view's fields (its font and high colour are the
	// text's), "_trect", "_text", "_runs" (a flattened run array, B_RAW_TYPE), "_align",
	// "_tab", "_col_sp", "_max", "_sel" (two offsets), "_stylable", "_auto_in", "_wrap",
	// "_nedit", "_nsel", "_undo" and the refused characters in "_dis_ch".
							BTextView(BMessage* archive);
	virtual					~BTextView();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	// Blinks the caret when the window delivers pulses.
	virtual	void			Pulse();
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			MakeFocus(bool focus = true);
	// The caret shows, and the selection is drawn in the highlight colour, only while
	// the window is active.
	virtual	void			WindowActivated(bool active);
	// The view's font is the text's: setting it lays the text out again.
	virtual	void			SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	// Also answers B_CUT, B_COPY, B_PASTE, B_SELECT_ALL and B_UNDO.
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			GetPreferredSize(float* width, float* height);

	// The text. Text from outside is taken as UTF-8: a byte that starts no valid
	// character becomes U+FFFD and NUL bytes are dropped.
			void			SetText(const char* text, const text_run_array* runs = NULL);
			void			SetText(const char* text, int32 length,
								const text_run_array* runs = NULL);
	// length bytes of file from offset (taken as any text from outside).
			void			SetText(BFile* file, int32 offset, int32 length,
								const text_run_array* runs = NULL);
			// At the selection (replacing nothing: the selection moves past the text).
			void			Insert(const char* text, const text_run_array* runs = NULL);
			void			Insert(const char* text, int32 length,
								const text_run_array* runs = NULL);
			void			Insert(int32 offset, const char* text, int32 length,
								const text_run_array* runs = NULL);
			// The selection, or the bytes [startOffset, endOffset).
			void			Delete();
			void			Delete(int32 startOffset, int32 endOffset);
			const char*		Text() const { return fText.c_str(); }
			int32			TextLength() const { return (int32)fText.size(); }
			// Copies at most length bytes from offset and a terminating NUL.
			void			GetText(int32 offset, int32 length, char* buffer) const;
			uchar			ByteAt(int32 offset) const;

	// Editing through the clipboard: the text as "text/plain" and, in a stylable view,
	// its runs beside it (NULL: a buffer of this process).
	virtual	void			Cut(BClipboard* clipboard);
	virtual	void			Copy(BClipboard* clipboard);
	virtual	void			Paste(BClipboard* clipboard);
			void			Clear();
	// Reverts the last change, the text it puts back in the styles it had; a second call
	// makes the change again.
	virtual	void			Undo(BClipboard* clipboard);
			undo_state		UndoState(bool* isRedo) const;

	// The selection: [start, end), the caret when both are equal.
	virtual	void			Select(int32 startOffset, int32 endOffset);
			void			SelectAll();
			void			GetSelection(int32* startOffset, int32* endOffset) const;

	// Lines, as laid out now.
			int32			CountLines() const;
			int32			CurrentLine() const;
			void			GoToLine(int32 index);
			int32			LineAt(int32 offset) const;
			int32			LineAt(BPoint point) const;
			// The first offset of the line.
			int32			OffsetAt(int32 line) const;
			// The offset nearest to the point (view coordinates).
			int32			OffsetAt(BPoint point) const;
			// The top-left corner of the character at offset; height gets the line's.
			BPoint			PointAt(int32 offset, float* height = NULL) const;
			float			LineWidth(int32 line = 0) const;
			float			LineHeight(int32 line = 0) const;
			float			TextHeight(int32 startLine, int32 endLine) const;
			void			ScrollToOffset(int32 offset);
			void			ScrollToSelection();

	// Appearance and behaviour.
			void			SetTextRect(BRect rect);
			BRect			TextRect() const { return fTextRect; }
			void			SetTabWidth(float width);
			float			TabWidth() const { return fTabWidth; }
			void			SetWordWrap(bool wrap);
			bool			DoesWordWrap() const { return fWordWrap; }
			void			SetAlignment(alignment flag);
			alignment		Alignment() const { return fAlignment; }
			void			SetAutoindent(bool state);
			bool			DoesAutoindent() const { return fAutoindent; }
			void			MakeEditable(bool editable = true);
			bool			IsEditable() const { return fEditable; }
			void			MakeSelectable(bool selectable = true);
			bool			IsSelectable() const { return fSelectable; }
			// Typing and pasting stop at this many bytes of text.
			void			SetMaxBytes(int32 max);
			int32			MaxBytes() const { return fMaxBytes; }
			// Typed characters that are refused (pasted ones are not checked).
			void			DisallowChar(uint32 character);
			void			AllowChar(uint32 character);
	// The font and colour of the selection in a stylable view, of the whole text
	// otherwise (or when nothing is selected); mode says which parts of font to take.
			void			SetFontAndColor(const BFont* font, uint32 mode = B_FONT_ALL,
								const rgb_color* color = NULL);
	// The same for the bytes from startOffset to endOffset.
			void			SetFontAndColor(int32 startOffset, int32 endOffset,
								const BFont* font, uint32 mode = B_FONT_ALL,
								const rgb_color* color = NULL);
	// The font and colour at the start of the selection; sameProperties has the
	// B_FONT_* bits of what every run of the selection shares, sameColor whether they
	// share their colour.
			void			GetFontAndColor(BFont* font, uint32* sameProperties,
								rgb_color* color = NULL, bool* sameColor = NULL) const;
			void			GetFontAndColor(int32 offset, BFont* font,
								rgb_color* color = NULL) const;
	// The runs of [startOffset, endOffset), offsets from startOffset; size gets the
	// array's bytes. NULL for an empty range.
			text_run_array*	RunArray(int32 startOffset, int32 endOffset,
								int32* size = NULL) const;
			void			SetRunArray(int32 startOffset, int32 endOffset,
								const text_run_array* runs);
	// The platform's flattened form of a run array ('Ali!', big-endian; docs/text-widgets.md),
	// malloc()ed; size gets its bytes. Unflattening trusts the count the data gives, as on
	// the platform: data must hold that many runs. Both give NULL on failure.
	static	void*			FlattenRunArray(const text_run_array* runs, int32* size = NULL);
	static	text_run_array*	UnflattenRunArray(const void* data, int32* size = NULL);
			void			SetStylable(bool stylable);
			bool			IsStylable() const { return fStylable; }

	// The word around offset (a space between words is a word of its own).
			void			FindWord(int32 offset, int32* fromOffset, int32* toOffset);
	// Whether a line may break after the character at offset, as the layout breaks
	// them: after spaces, tabs and newlines.
	virtual	bool			CanEndLine(int32 offset);
	// Inverts the bytes [startOffset, endOffset) as drawn now.
			void			Highlight(int32 startOffset, int32 endOffset);
	// The text rect's distances from the bounds' edges.
			void			GetInsets(float* left, float* top, float* right,
								float* bottom) const;
	// Sets the text rect to the bounds less these distances.
			void			SetInsets(float left, float top, float right, float bottom);
	// Kept for the platform's offscreen drawing; windows here draw without flicker.
			void			SetColorSpace(color_space colors);
			color_space		ColorSpace() const { return fColorSpace; }
	// A resizable view fits its width (and resizeView's, by as much) to the widest
	// line as the text changes; it stops wrapping words.
			void			MakeResizable(bool resize, BView* resizeView = NULL);
			bool			IsResizable() const { return fResizable; }
	// Without undo, changes are not kept and Undo() has nothing to revert.
			void			SetDoesUndo(bool undo);
			bool			DoesUndo() const { return fDoesUndo; }
	// Hidden typing draws each character as a bullet and copies nothing out.
			void			HideTyping(bool enabled);
			bool			IsTypingHidden() const { return fTypingHidden; }
	// Whether Paste() would insert something: an editable view and text on clipboard.
	virtual	bool			AcceptsPaste(BClipboard* clipboard);
	// Whether a dropped message would be inserted: an editable view and "text/plain"
	// data (B_MIME_TYPE) in the message.
	virtual	bool			AcceptsDrop(const BMessage* message);

	// What a drag of the selection carries: drag gets the selected text as "text/plain"
	// (B_MIME_TYPE) and, from a stylable view, its flattened runs as
	// "application/x-vnd.Be-text_run_array"; bitmap an image to drag (NULL: the
	// selection's outline is dragged), point where the pointer holds it, handler the
	// target of the drop's reply.
	virtual	void			GetDragParameters(BMessage* drag, BBitmap** bitmap,
								BPoint* point, BHandler** handler);

	// Scripting: "Text" (get, set; whole or a range of bytes; count: its length) and
	// "Selection" (get, set: two int32 offsets).
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

protected:
	// Every change of the text goes through these two: subclasses watch edits here.
	virtual	void			InsertText(const char* text, int32 length, int32 offset,
								const text_run_array* runs);
	virtual	void			DeleteText(int32 fromOffset, int32 toOffset);

private:
			struct UndoRecord {
				undo_state	state = B_UNDO_UNAVAILABLE;
				int32		offset = 0;
				std::string	removed;
				std::string	inserted;
				int32		selectionStart = 0;
				int32		selectionEnd = 0;
				bool		redo = false;
				// The styles of removed (offsets from its start), in a stylable view.
				std::vector<text_run> removedRuns;
			};

			void			_Init(BRect textRect, const BFont* font, const rgb_color* color);
			// Replaces [from, to) with text and lays the text out again; records the
			// change for undo under state unless state is B_UNDO_UNAVAILABLE (which
			// forgets the last change instead).
			void			_Replace(int32 from, int32 to, const std::string& text,
								undo_state state, const text_run_array* runs = NULL);
			// The run in force at offset.
			const text_run&	_RunAt(int32 offset) const;
			// The runs of the bytes [start, end), offsets from start; none when empty.
			std::vector<text_run> _RunsIn(int32 start, int32 end) const;
			// The runs of a change's removed bytes, kept for undo; none unless stylable.
			std::vector<text_run> _UndoRunsIn(int32 start, int32 end) const;
			// The flattened runs of [start, end) that the clipboard and drags carry
			// beside the text; empty unless stylable.
			std::string		_FlattenedRunsIn(int32 start, int32 end) const;
			// runs as an array from malloc() (free() it); NULL for none.
	static	text_run_array*	_NewRunArray(const std::vector<text_run>& runs);
			// Moves the runs for an edit that replaced removed bytes at offset with
			// inserted ones, the inserted text taking the style of the byte before it.
			void			_EditRuns(int32 offset, int32 removed, int32 inserted);
			// Applies runs (offsets from start) to [start, end).
			void			_ApplyRuns(int32 start, int32 end, const text_run_array* runs);
			void			_SetStyle(int32 start, int32 end, const BFont& font,
								rgb_color color);
			void			_NormalizeRuns();
			// Draws the bytes [from, to) of one line in their run's font and colour,
			// the baseline starting at where.
			void			_DrawPiece(int32 from, int32 to, BPoint where);
			void			_FitWidth();
			void			_UserInsert(const std::string& text, undo_state state,
								const text_run_array* runs = NULL);
			void			_UserDelete(int32 from, int32 to);
			void			_Relayout();
			void			_FixupScrollBar();
			void			_SetSelection(int32 start, int32 end, bool keepGoal = false);
			void			_MoveCaret(int32 offset, bool extend, bool keepGoal = false);
			int32			_VerticalTarget(int32 lines) const;
			int32			_WordStart(int32 offset) const;
			int32			_WordEnd(int32 offset) const;
			float			_LineLeft(int32 line) const;
			// The caret's line before the character at offset.
			BRect			_CaretRect(int32 offset) const;
			void			_InvalidateCaret();
			// Drags the selection once the pointer is far enough from the press.
			void			_InitiateDrag(BPoint where);
			// Shows where a drop at point would insert (none for a NULL message).
			void			_TrackDrop(BPoint point, const BMessage* message);
			// Inserts a dropped message's text; false when the view does not take it.
			bool			_MessageDropped(BMessage* message);
			bool			_IsActive() const;
			void			_HandleScripting(BMessage* message, uint32 property);
			bool			_ScriptingRange(BMessage* message, int32* from, int32* to);

			std::string		fText;
			BPrivate::TextLayout* fLayout;
			BRect			fTextRect;
			BFont			fFont;
			rgb_color		fColor;
			float			fTabWidth;
			bool			fWordWrap;
			alignment		fAlignment;
			bool			fAutoindent;
			bool			fEditable;
			bool			fSelectable;
			int32			fMaxBytes;
			std::set<uint32> fDisallowed;
			int32			fSelectionStart;
			int32			fSelectionEnd;
			// The end that stays put when the selection is extended.
			int32			fAnchor;
			// Where vertical moves aim across the lines; negative: at the caret.
			float			fGoalX;
			bool			fCaretShown;
			// Dragging selects characters, words (after a double click) or lines.
			int32			fTrackingClicks;
			int32			fTrackingStart;
			int32			fTrackingEnd;
			// A press inside the selection, which becomes a drag if the pointer moves.
			bool			fDragPending;
			BPoint			fDragStart;
			// The selection was dragged from this view and its drop has not come back.
			bool			fDragging;
			// Where a drag passing over the view would insert; negative: none.
			int32			fDropOffset;
			UndoRecord		fUndo;
			// Ascending offsets, the first at 0; a single run unless stylable.
			std::vector<text_run> fRuns;
			bool			fStylable;
			bool			fDoesUndo;
			bool			fTypingHidden;
			bool			fResizable;
			BView*			fResizeView;
			color_space		fColorSpace;
};

#endif // _TEXT_VIEW_H
