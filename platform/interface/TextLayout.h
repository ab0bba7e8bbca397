// The line layout of a text view: where each line starts, and where each character of a
// line lies across it. Offsets are byte offsets into UTF-8 text; the layout only ever
// reports offsets at character boundaries.
#ifndef _TEXT_LAYOUT_H
#define _TEXT_LAYOUT_H

#include <Font.h>
#include <TextView.h>

#include <string>
#include <vector>

namespace BPrivate {

// What each character of hidden text is measured and drawn as.
const char* const kHiddenTextBullet = "\xe2\x80\xa2";

// The length of the UTF-8 character that starts with byte lead (1 for a stray byte).
int32 utf8_char_length(uint8 lead);
// The character boundary at or before offset, and the ones just before and after it.
int32 utf8_boundary(const std::string& text, int32 offset);
int32 utf8_previous(const std::string& text, int32 offset);
int32 utf8_next(const std::string& text, int32 offset);
// The text with each byte that starts no valid UTF-8 character replaced by U+FFFD and
// without NUL bytes, so that every offset the layout reports splits no character.
std::string utf8_sanitized(const char* text, int32 length);

// One line: the bytes [start, end) of the text, end being the next line's start. A line
// that ends a paragraph includes its newline. caretEnd is where the caret stops at the
// line's end: before its newline, or before the space where it wraps.
struct TextLine {
	int32	start;
	int32	end;
	int32	caretEnd;
	float	width;
};

class TextLayout {
public:
								TextLayout();

			// Lays text out with tabs at multiples of tabWidth; with wrap, lines break
			// after spaces (or inside a word longer than the width) to fit width.
			void				Update(const std::string& text, const BFont& font,
									float width, bool wrap, float tabWidth);
			// The same in styled runs (offsets ascending, the first at 0), each measured
			// in its own font. Every line is as tall as the tallest font makes one.
			void				Update(const std::string& text,
									const std::vector<text_run>& runs, float width,
									bool wrap, float tabWidth);
			// The runs of the next Replace(), for an edit that moved them.
			void				SetRuns(const std::vector<text_run>& runs);
			// With mask each character is measured as a bullet (hidden typing).
			void				SetMasked(bool mask) { fMasked = mask; }
			bool				IsMasked() const { return fMasked; }

			// Lays out again only the paragraphs that a change touched: at offset,
			// removed bytes were replaced by inserted ones, giving text. Uses the font and
			// measures of the last Update().
			void				Replace(const std::string& text, int32 offset,
									int32 removed, int32 inserted);

			int32				CountLines() const { return (int32)fLines.size(); }
			const TextLine&		LineAt(int32 index) const { return fLines[index]; }
			float				LineHeight() const { return fLineHeight; }
			float				Ascent() const { return fAscent; }
			float				Height() const { return fLineHeight * fLines.size(); }

			// The line that holds offset: a line break's offset belongs to the next line.
			int32				LineOf(int32 offset) const;
			// The distance of offset (a boundary of line index) from the line's left.
			float				XOf(int32 index, int32 offset) const;
			// The caret offset of line index nearest to x.
			int32				OffsetAt(int32 index, float x) const;

private:
			// Measures [start, end) in font, its distances starting at base.
			void				_MeasureSegment(const std::string& text, const BFont& font,
									int32 start, int32 end, float base);
			const BFont&		_FontAt(int32 offset) const;
			bool				_RunStartsAt(int32 offset) const;
			// Measures and lays out the paragraphs from start (a paragraph's start) to
			// the end of the one holding last, adding their lines to lines.
			void				_LayParagraphs(const std::string& text, int32 start,
									int32 last, std::vector<TextLine>& lines);
			void				_LayParagraph(const std::string& text, int32 start,
									int32 end, std::vector<TextLine>& lines);

			std::vector<TextLine> fLines;
			// For each byte that starts a character, and for the text's end: first its
			// distance from the start of its run of text without tabs, then (once the
			// lines are laid) from its line's left. Other bytes hold kNoBoundary.
			std::vector<float>	fX;
			float				fLineHeight;
			float				fAscent;
			std::vector<text_run> fRuns;
			bool				fMasked = false;
			float				fWidth;
			bool				fWrap;
			float				fTabWidth;
};

} // namespace BPrivate

#endif // _TEXT_LAYOUT_H
