// The line layout of a text view, measured through pango one run of text between tabs at
// a time, and the UTF-8 helpers that keep every offset at a character boundary.
#include "interface/TextLayout.h"

#include "interface/TextEngine.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <math.h>
#include <string.h>

namespace BPrivate {

namespace {

// Marks the bytes of fX that start no character.
const float kNoBoundary = -1;

bool
IsContinuation(uint8 byte)
{
	return (byte & 0xc0) == 0x80;
}

} // namespace


int32
utf8_char_length(uint8 lead)
{
	if (lead >= 0xf0 && lead <= 0xf4)
		return 4;
	if (lead >= 0xe0)
		return lead <= 0xef ? 3 : 1;
	if (lead >= 0xc2)
		return 2;
	return 1;
}


int32
utf8_boundary(const std::string& text, int32 offset)
{
	offset = std::clamp(offset, (int32)0, (int32)text.size());
	// Sanitized text has at most three continuation bytes after each lead byte.
	while (offset > 0 && offset < (int32)text.size() && IsContinuation(text[offset]))
		offset--;
	return offset;
}


int32
utf8_previous(const std::string& text, int32 offset)
{
	offset = utf8_boundary(text, offset);
	return offset > 0 ? utf8_boundary(text, offset - 1) : 0;
}


int32
utf8_next(const std::string& text, int32 offset)
{
	offset = utf8_boundary(text, offset);
	if (offset >= (int32)text.size())
		return (int32)text.size();
	return std::min(offset + utf8_char_length(text[offset]), (int32)text.size());
}


std::string
utf8_sanitized(const char* text, int32 length)
{
	static const char kReplacement[] = "\xef\xbf\xbd";
	std::string result;
	result.reserve(length);
	int32 i = 0;
	while (i < length) {
		uint8 lead = text[i];
		if (lead == 0) {
			i++;
			continue;
		}
		int32 size = utf8_char_length(lead);
		bool valid = (lead < 0x80 || size > 1) && i + size <= length;
		for (int32 k = 1; valid && k < size; k++)
			valid = IsContinuation(text[i + k]);
		// Overlong three- and four-byte forms, surrogates and values past U+10FFFF.
		if (valid && size == 3) {
			uint8 second = text[i + 1];
			valid = !(lead == 0xe0 && second < 0xa0) && !(lead == 0xed && second >= 0xa0);
		} else if (valid && size == 4) {
			uint8 second = text[i + 1];
			valid = !(lead == 0xf0 && second < 0x90) && !(lead == 0xf4 && second >= 0x90);
		}
		if (valid) {
			result.append(text + i, size);
			i += size;
		} else {
			result.append(kReplacement);
			i++;
		}
	}
	return result;
}


TextLayout::TextLayout()
	:
	fLineHeight(0),
	fAscent(0),
	fWidth(0),
	fWrap(false),
	fTabWidth(0)
{
	fLines.push_back(TextLine{ 0, 0, 0, 0 });
	fX.push_back(0);
}


void
TextLayout::Update(const std::string& text, const BFont& font, float width, bool wrap,
	float tabWidth)
{
	Update(text, std::vector<text_run>{ text_run{ 0, font, rgb_color() } }, width, wrap,
		tabWidth);
}


void
TextLayout::Update(const std::string& text, const std::vector<text_run>& runs, float width,
	bool wrap, float tabWidth)
{
	SetRuns(runs);
	fWidth = width;
	fWrap = wrap;
	fTabWidth = tabWidth;
	fLines.clear();
	fX.assign(text.size() + 1, kNoBoundary);
	_LayParagraphs(text, 0, (int32)text.size(), fLines);
}


void
TextLayout::SetRuns(const std::vector<text_run>& runs)
{
	fRuns = runs;
	if (fRuns.empty())
		fRuns.push_back(text_run{ 0, *be_plain_font, rgb_color() });
	float ascent = 0;
	float descent = 0;
	float leading = 0;
	for (const text_run& run : fRuns) {
		font_height height;
		GetTextHeight(run.font, &height);
		ascent = std::max(ascent, height.ascent);
		descent = std::max(descent, height.descent);
		leading = std::max(leading, height.leading);
	}
	fAscent = ceilf(ascent);
	fLineHeight = ceilf(ascent + descent + leading);
}


const BFont&
TextLayout::_FontAt(int32 offset) const
{
	auto after = std::upper_bound(fRuns.begin(), fRuns.end(), offset,
		[](int32 value, const text_run& run) { return value < run.offset; });
	return after == fRuns.begin() ? fRuns.front().font : (after - 1)->font;
}


bool
TextLayout::_RunStartsAt(int32 offset) const
{
	auto at = std::lower_bound(fRuns.begin(), fRuns.end(), offset,
		[](const text_run& run, int32 value) { return run.offset < value; });
	return at != fRuns.end() && at->offset == offset;
}


void
TextLayout::Replace(const std::string& text, int32 offset, int32 removed, int32 inserted)
{
	int32 length = (int32)text.size();
	fX.erase(fX.begin() + offset, fX.begin() + offset + removed);
	fX.insert(fX.begin() + offset, inserted, kNoBoundary);

	// The paragraphs from the one holding offset to the one holding the inserted text's
	// end are laid out again; the lines before stay, the ones after move.
	size_t newline = offset > 0 ? text.rfind('\n', offset - 1) : std::string::npos;
	int32 start = newline == std::string::npos ? 0 : (int32)newline + 1;
	size_t next = text.find('\n', offset + inserted);
	int32 end = next == std::string::npos ? length : (int32)next;
	int32 oldEnd = end - inserted + removed;
	int32 delta = inserted - removed;

	auto first = std::lower_bound(fLines.begin(), fLines.end(), start,
		[](const TextLine& line, int32 value) { return line.start < value; });
	auto last = std::upper_bound(first, fLines.end(), oldEnd,
		[](int32 value, const TextLine& line) { return value < line.start; });
	std::vector<TextLine> lines;
	_LayParagraphs(text, start, end, lines);
	for (auto line = last; line != fLines.end(); ++line) {
		line->start += delta;
		line->end += delta;
		line->caretEnd += delta;
	}
	size_t index = first - fLines.begin();
	fLines.erase(first, last);
	fLines.insert(fLines.begin() + index, lines.begin(), lines.end());
}


void
TextLayout::_LayParagraphs(const std::string& text, int32 start, int32 last,
	std::vector<TextLine>& lines)
{
	int32 length = (int32)text.size();
	while (true) {
		size_t newline = text.find('\n', start);
		int32 end = newline == std::string::npos ? length : (int32)newline;
		// Segments end at tabs, which the line layout places, and where a styled run
		// starts, after which the next segment goes on from the same distance.
		int32 run = start;
		float base = 0;
		for (int32 i = start; i <= end; i++) {
			bool tab = i < end && text[i] == '\t';
			bool styled = !tab && i < end && i > run && _RunStartsAt(i);
			if (i == end || tab || styled) {
				_MeasureSegment(text, _FontAt(run), run, i, base);
				base = styled ? fX[i] : 0;
				run = styled ? i : i + 1;
			}
		}
		_LayParagraph(text, start, end, lines);
		if (end >= last || end == length)
			break;
		start = end + 1;
	}
}


int32
TextLayout::LineOf(int32 offset) const
{
	auto after = std::upper_bound(fLines.begin(), fLines.end(), offset,
		[](int32 value, const TextLine& line) { return value < line.start; });
	return after == fLines.begin() ? 0 : (int32)(after - fLines.begin()) - 1;
}


float
TextLayout::XOf(int32 index, int32 offset) const
{
	const TextLine& line = fLines[index];
	if (offset >= line.end && index + 1 < (int32)fLines.size())
		return line.width;
	offset = std::clamp(offset, line.start, line.end);
	while (offset > line.start && fX[offset] == kNoBoundary)
		offset--;
	return fX[offset] == kNoBoundary ? 0 : fX[offset];
}


int32
TextLayout::OffsetAt(int32 index, float x) const
{
	const TextLine& line = fLines[index];
	int32 previous = line.start;
	for (int32 offset = line.start + 1; offset <= line.caretEnd; offset++) {
		if (fX[offset] == kNoBoundary)
			continue;
		if (x < (fX[previous] + fX[offset]) / 2)
			return previous;
		previous = offset;
	}
	return line.caretEnd;
}


// Sets fX over [start, end] to the distances from start, end being the run's width.
void
TextLayout::_MeasureSegment(const std::string& text, const BFont& font, int32 start,
	int32 end, float base)
{
	// Pango reports where each cluster starts; whatever fX held before must not be
	// taken for the start of a character inside a cluster.
	std::fill(fX.begin() + start, fX.begin() + end + 1, kNoBoundary);
	fX[end] = base;
	if (start == end)
		return;
	if (fMasked) {
		float bullet = TextWidth(font, kHiddenTextBullet, (int32)strlen(kHiddenTextBullet));
		float x = base;
		for (int32 offset = start; offset < end; offset = utf8_next(text, offset)) {
			fX[offset] = x;
			x += bullet;
		}
		fX[end] = x;
		return;
	}
	PangoLayout* layout = CreateTextLayout(font, text.data() + start, end - start);
	PangoLayoutIter* iter = pango_layout_get_iter(layout);
	do {
		int index = pango_layout_iter_get_index(iter);
		if (index >= 0 && index < end - start) {
			PangoRectangle logical;
			pango_layout_iter_get_cluster_extents(iter, NULL, &logical);
			fX[start + index] = base + (float)logical.x / PANGO_SCALE;
		}
	} while (pango_layout_iter_next_cluster(iter));
	pango_layout_iter_free(iter);
	PangoRectangle logical;
	pango_layout_get_extents(layout, NULL, &logical);
	fX[end] = base + (float)logical.width / PANGO_SCALE;
	g_object_unref(layout);

	// Characters inside a cluster (a letter and its accents) share the cluster's start.
	float last = base;
	for (int32 offset = start; offset < end; offset++) {
		if (IsContinuation(text[offset]))
			fX[offset] = kNoBoundary;
		else if (fX[offset] == kNoBoundary)
			fX[offset] = last;
		else
			last = fX[offset];
	}
}


// Breaks the paragraph [start, end) (end: its newline or the text's end) into lines and
// turns the run distances of its boundaries into distances from their line's left.
void
TextLayout::_LayParagraph(const std::string& text, int32 start, int32 end,
	std::vector<TextLine>& lines)
{
	float width = fWidth;
	bool wrap = fWrap;
	float tabWidth = fTabWidth;
	std::vector<float> runX(fX.begin() + start, fX.begin() + end + 1);
	int32 paragraphEnd = end < (int32)text.size() ? end + 1 : end;
	int32 lineStart = start;
	while (true) {
		float x = 0;
		int32 lastBreak = -1;
		int32 broken = -1;
		fX[lineStart] = 0;
		for (int32 offset = lineStart; offset < end; ) {
			int32 next = std::min(utf8_next(text, offset), end);
			float advance;
			if (text[offset] == '\t') {
				advance = tabWidth > 0 ? (floorf(x / tabWidth) + 1) * tabWidth - x : 0;
			} else
				advance = runX[next - start] - runX[offset - start];
			// Spaces may hang past the edge; anything else starts a new line there,
			// after the line's last space if it has one.
			if (wrap && offset > lineStart && text[offset] != ' ' && x + advance > width) {
				broken = lastBreak > lineStart ? lastBreak : offset;
				break;
			}
			x += advance;
			offset = next;
			fX[offset] = x;
			if (text[offset - 1] == ' ')
				lastBreak = offset;
		}
		if (broken < 0) {
			lines.push_back(TextLine{ lineStart, paragraphEnd, end, x });
			return;
		}
		lines.push_back(TextLine{ lineStart, broken, utf8_previous(text, broken),
			fX[broken] });
		lineStart = broken;
	}
}

} // namespace BPrivate
