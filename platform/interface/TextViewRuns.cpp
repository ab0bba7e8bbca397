// BTextView's styled runs: keeping them in step with edits, applying run arrays and fonts
// to ranges, handing them out, and drawing each run in its font and colour.
#include <TextView.h>

#include "interface/TextLayout.h"

#include <algorithm>
#include <new>
#include <stdlib.h>
#include <type_traits>

// Run arrays are handed out from malloc() and freed with free(), so a run must need no
// destructor.
static_assert(std::is_trivially_destructible<text_run>::value,
	"text_run must be trivially destructible");

namespace {

// base with the parts of with that mode names.
BFont
merged_font(BFont base, const BFont& with, uint32 mode)
{
	if ((mode & B_FONT_FAMILY_AND_STYLE) != 0) {
		font_family family;
		font_style style;
		with.GetFamilyAndStyle(&family, &style);
		base.SetFamilyAndStyle(family, style);
	}
	if ((mode & B_FONT_SIZE) != 0)
		base.SetSize(with.Size());
	if ((mode & B_FONT_SHEAR) != 0)
		base.SetShear(with.Shear());
	if ((mode & B_FONT_ROTATION) != 0)
		base.SetRotation(with.Rotation());
	if ((mode & B_FONT_FACE) != 0)
		base.SetFace(with.Face());
	return base;
}


// The B_FONT_* bits of the properties in which a and b differ.
uint32
differing_properties(const BFont& a, const BFont& b)
{
	uint32 differing = 0;
	if (a.FamilyAndStyle() != b.FamilyAndStyle())
		differing |= B_FONT_FAMILY_AND_STYLE;
	if (a.Size() != b.Size())
		differing |= B_FONT_SIZE;
	if (a.Shear() != b.Shear())
		differing |= B_FONT_SHEAR;
	if (a.Rotation() != b.Rotation())
		differing |= B_FONT_ROTATION;
	if (a.Spacing() != b.Spacing())
		differing |= B_FONT_SPACING;
	if (a.Encoding() != b.Encoding())
		differing |= B_FONT_ENCODING;
	if (a.Face() != b.Face())
		differing |= B_FONT_FACE;
	if (a.Flags() != b.Flags())
		differing |= B_FONT_FLAGS;
	return differing;
}


bool
same_style(const text_run& a, const text_run& b)
{
	return a.font == b.font && a.color == b.color;
}

} // namespace


void
BTextView::SetStylable(bool stylable)
{
	fStylable = stylable;
}


void
BTextView::SetFontAndColor(const BFont* font, uint32 mode, const rgb_color* color)
{
	SetFontAndColor(fSelectionStart, fSelectionEnd, font, mode, color);
}


void
BTextView::SetFontAndColor(int32 startOffset, int32 endOffset, const BFont* font,
	uint32 mode, const rgb_color* color)
{
	int32 from = BPrivate::utf8_boundary(fText, std::clamp(std::min(startOffset, endOffset),
		(int32)0, TextLength()));
	int32 to = BPrivate::utf8_boundary(fText, std::clamp(std::max(startOffset, endOffset),
		(int32)0, TextLength()));
	// A stylable view restyles the range; otherwise, or for an empty range, the whole
	// text changes.
	bool selection = fStylable && from != to;
	if (!selection) {
		if (font != NULL) {
			BView::SetFont(font, mode);
			GetFont(&fFont);
		}
		if (color != NULL)
			fColor = *color;
	}
	if (!fStylable || TextLength() == 0) {
		fRuns.assign(1, text_run{ 0, fFont, fColor });
	} else {
		int32 start = selection ? from : 0;
		int32 end = selection ? to : TextLength();
		for (int32 offset = start; offset < end; ) {
			text_run run = _RunAt(offset);
			auto next = std::upper_bound(fRuns.begin(), fRuns.end(), offset,
				[](int32 value, const text_run& r) { return value < r.offset; });
			int32 to = next == fRuns.end() ? end : std::min(next->offset, end);
			_SetStyle(offset, to, font != NULL ? merged_font(run.font, *font, mode)
				: run.font, color != NULL ? *color : run.color);
			offset = to;
		}
	}
	_Relayout();
}


void
BTextView::GetFontAndColor(BFont* font, uint32* sameProperties, rgb_color* color,
	bool* sameColor) const
{
	const text_run& first = _RunAt(fSelectionStart);
	uint32 same = B_FONT_ALL;
	bool colorSame = true;
	for (const text_run& run : fRuns) {
		if (run.offset <= fSelectionStart || run.offset >= fSelectionEnd)
			continue;
		same &= ~differing_properties(first.font, run.font);
		colorSame = colorSame && run.color == first.color;
	}
	if (font != NULL)
		*font = first.font;
	if (sameProperties != NULL)
		*sameProperties = same;
	if (color != NULL)
		*color = first.color;
	if (sameColor != NULL)
		*sameColor = colorSame;
}


void
BTextView::GetFontAndColor(int32 offset, BFont* font, rgb_color* color) const
{
	const text_run& run = _RunAt(std::clamp(offset, (int32)0, TextLength()));
	if (font != NULL)
		*font = run.font;
	if (color != NULL)
		*color = run.color;
}


text_run_array*
BTextView::RunArray(int32 startOffset, int32 endOffset, int32* size) const
{
	int32 start = std::clamp(startOffset, (int32)0, TextLength());
	int32 end = std::clamp(endOffset, start, TextLength());
	text_run_array* array = _NewRunArray(_RunsIn(start, end));
	if (array != NULL && size != NULL)
		*size = (int32)(sizeof(text_run_array) + (array->count - 1) * sizeof(text_run));
	return array;
}


text_run_array*
BTextView::_NewRunArray(const std::vector<text_run>& runs)
{
	if (runs.empty())
		return NULL;
	size_t bytes = sizeof(text_run_array) + (runs.size() - 1) * sizeof(text_run);
	text_run_array* array = (text_run_array*)malloc(bytes);
	if (array == NULL)
		return NULL;
	array->count = (int32)runs.size();
	for (size_t i = 0; i < runs.size(); i++)
		new (&array->runs[i]) text_run(runs[i]);
	return array;
}


std::vector<text_run>
BTextView::_RunsIn(int32 start, int32 end) const
{
	std::vector<text_run> runs;
	if (start >= end)
		return runs;
	runs.push_back(_RunAt(start));
	runs[0].offset = 0;
	for (const text_run& run : fRuns) {
		if (run.offset > start && run.offset < end) {
			runs.push_back(run);
			runs.back().offset -= start;
		}
	}
	return runs;
}


std::string
BTextView::_FlattenedRunsIn(int32 start, int32 end) const
{
	std::string flattened;
	if (!fStylable)
		return flattened;
	text_run_array* runs = RunArray(start, end);
	int32 size = 0;
	void* flat = runs != NULL ? FlattenRunArray(runs, &size) : NULL;
	if (flat != NULL)
		flattened.assign(static_cast<const char*>(flat), size);
	free(flat);
	free(runs);
	return flattened;
}


std::vector<text_run>
BTextView::_UndoRunsIn(int32 start, int32 end) const
{
	return fStylable ? _RunsIn(start, end) : std::vector<text_run>();
}


void
BTextView::SetRunArray(int32 startOffset, int32 endOffset, const text_run_array* runs)
{
	int32 start = BPrivate::utf8_boundary(fText, std::clamp(startOffset, (int32)0,
		TextLength()));
	int32 end = BPrivate::utf8_boundary(fText, std::clamp(endOffset, start, TextLength()));
	_ApplyRuns(start, end, runs);
	_Relayout();
}


const text_run&
BTextView::_RunAt(int32 offset) const
{
	auto after = std::upper_bound(fRuns.begin(), fRuns.end(), offset,
		[](int32 value, const text_run& run) { return value < run.offset; });
	return after == fRuns.begin() ? fRuns.front() : *(after - 1);
}


void
BTextView::_EditRuns(int32 offset, int32 removed, int32 inserted)
{
	// A run that started inside the removed bytes now starts after the inserted ones,
	// so the text that followed keeps its style; the inserted text takes the style of
	// the byte before it (of the first byte, at the start).
	for (text_run& run : fRuns) {
		if (run.offset == 0 || run.offset < offset)
			continue;
		if (run.offset < offset + removed)
			run.offset = offset + inserted;
		else
			run.offset += inserted - removed;
	}
	_NormalizeRuns();
}


void
BTextView::_ApplyRuns(int32 start, int32 end, const text_run_array* runs)
{
	if (runs == NULL || runs->count <= 0)
		return;
	if (!fStylable) {
		fFont = runs->runs[0].font;
		fColor = runs->runs[0].color;
		BView::SetFont(&fFont);
		fRuns.assign(1, text_run{ 0, fFont, fColor });
		return;
	}
	for (int32 i = 0; i < runs->count; i++) {
		int32 from = std::clamp(start + runs->runs[i].offset, start, end);
		int32 to = i + 1 < runs->count
			? std::clamp(start + runs->runs[i + 1].offset, from, end) : end;
		_SetStyle(BPrivate::utf8_boundary(fText, from), BPrivate::utf8_boundary(fText, to),
			runs->runs[i].font, runs->runs[i].color);
	}
}


void
BTextView::_SetStyle(int32 start, int32 end, const BFont& font, rgb_color color)
{
	if (start >= end)
		return;
	text_run after = _RunAt(end);
	fRuns.erase(std::remove_if(fRuns.begin(), fRuns.end(),
		[&](const text_run& run) { return run.offset >= start && run.offset <= end; }),
		fRuns.end());
	fRuns.push_back(text_run{ start, font, color });
	if (end < TextLength()) {
		after.offset = end;
		fRuns.push_back(after);
	}
	_NormalizeRuns();
}


void
BTextView::_NormalizeRuns()
{
	std::stable_sort(fRuns.begin(), fRuns.end(),
		[](const text_run& a, const text_run& b) { return a.offset < b.offset; });
	std::vector<text_run> runs;
	for (const text_run& run : fRuns) {
		if (run.offset > 0 && run.offset >= TextLength())
			continue;
		// Of runs at one offset the last applies.
		if (!runs.empty() && runs.back().offset == run.offset)
			runs.back() = run;
		else
			runs.push_back(run);
	}
	if (runs.empty())
		runs.push_back(text_run{ 0, fFont, fColor });
	runs.front().offset = 0;
	fRuns.clear();
	for (const text_run& run : runs) {
		if (fRuns.empty() || !same_style(fRuns.back(), run))
			fRuns.push_back(run);
	}
}


void
BTextView::_DrawPiece(int32 from, int32 to, BPoint where)
{
	const text_run& run = _RunAt(from);
	BView::SetFont(&run.font);
	SetHighColor(run.color);
	if (!fTypingHidden) {
		DrawString(fText.data() + from, to - from, where);
		return;
	}
	std::string bullets;
	for (int32 offset = from; offset < to; offset = BPrivate::utf8_next(fText, offset))
		bullets += BPrivate::kHiddenTextBullet;
	DrawString(bullets.c_str(), (int32)bullets.size(), where);
}
