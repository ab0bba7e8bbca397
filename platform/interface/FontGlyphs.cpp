// BFont's per-character measures (escapements, edges, ink boxes, outlines, coverage) and
// what it reports about the font file behind it. Characters are UTF-8 sequences; each is
// measured alone through pango, so the results do not depend on its neighbours.
#include <Font.h>

#include "interface/FontList.h"
#include "interface/TextEngine.h"

#include <Shape.h>

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <hb.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-font.h>

#include <math.h>
#include <string.h>

using BPrivate::FontList;

namespace {

// The Unicode blocks that Blocks() reports, one bit each from the lowest (docs/fonts.md).
struct BlockRange {
	uint32 first;
	uint32 last;
};

const BlockRange kBlocks[] = {
	{ 0x0020, 0x007e },	// basic Latin
	{ 0x00a0, 0x00ff },	// Latin-1 supplement
	{ 0x0100, 0x017f },	// Latin extended A
	{ 0x0180, 0x024f },	// Latin extended B
	{ 0x0250, 0x02af },	// IPA extensions
	{ 0x02b0, 0x02ff },	// spacing modifier letters
	{ 0x0300, 0x036f },	// combining diacritical marks
	{ 0x0370, 0x03ff },	// Greek and Coptic
	{ 0x0400, 0x04ff },	// Cyrillic
	{ 0x0530, 0x058f },	// Armenian
	{ 0x0590, 0x05ff },	// Hebrew
	{ 0x0600, 0x06ff },	// Arabic
	{ 0x0900, 0x097f },	// Devanagari
	{ 0x0e00, 0x0e7f },	// Thai
	{ 0x10a0, 0x10ff },	// Georgian
	{ 0x1100, 0x11ff },	// Hangul Jamo
	{ 0x1e00, 0x1eff },	// Latin extended additional
	{ 0x1f00, 0x1fff },	// Greek extended
	{ 0x2000, 0x206f },	// general punctuation
	{ 0x20a0, 0x20cf },	// currency symbols
	{ 0x2100, 0x214f },	// letterlike symbols
	{ 0x2190, 0x21ff },	// arrows
	{ 0x2200, 0x22ff },	// mathematical operators
	{ 0x2500, 0x257f },	// box drawing
	{ 0x25a0, 0x25ff },	// geometric shapes
	{ 0x2600, 0x26ff },	// miscellaneous symbols
	{ 0x3040, 0x309f },	// Hiragana
	{ 0x30a0, 0x30ff },	// Katakana
	{ 0x4e00, 0x9fff },	// CJK unified ideographs
	{ 0xac00, 0xd7af },	// Hangul syllables
	{ 0xfb00, 0xfb4f },	// alphabetic presentation forms
	{ 0xff00, 0xffef }	// half-width and full-width forms
};


// The byte length of each of the first count characters of text in the font's encoding:
// one byte each in the 8-bit encodings; in UTF-8, a lead byte and the continuation bytes
// after it.
std::vector<int32>
CharacterLengths(const BFont& font, const char* text, int32 count)
{
	std::vector<int32> lengths;
	if (text == NULL)
		return lengths;
	bool utf8 = font.Encoding() == B_UNICODE_UTF8;
	const uint8* at = (const uint8*)text;
	for (int32 i = 0; i < count; i++) {
		int32 length = !utf8 ? 1 : *at >= 0xf0 ? 4 : *at >= 0xe0 ? 3 : *at >= 0xc0 ? 2 : 1;
		// Only continuation bytes belong to a sequence, so a broken one ends early and
		// counting lead bytes gives the number of characters.
		int32 used = 1;
		while (used < length && (at[used] & 0xc0) == 0x80)
			used++;
		lengths.push_back(used);
		at += used;
	}
	return lengths;
}


// The ink and logical rectangles of text in pixels, relative to the start of its baseline.
void
TextExtents(const BFont& font, const char* text, int32 length, BRect* ink, float* advance)
{
	PangoLayout* layout = BPrivate::CreateTextLayout(font, text, length);
	PangoRectangle inkRect;
	PangoRectangle logical;
	pango_layout_get_extents(layout, &inkRect, &logical);
	float baseline = (float)pango_layout_get_baseline(layout) / PANGO_SCALE;
	g_object_unref(layout);
	if (advance != NULL)
		*advance = (float)logical.width / PANGO_SCALE;
	if (ink == NULL)
		return;
	if (inkRect.width == 0 || inkRect.height == 0) {
		*ink = BRect();
		return;
	}
	*ink = BRect((float)inkRect.x / PANGO_SCALE,
		(float)inkRect.y / PANGO_SCALE - baseline,
		(float)(inkRect.x + inkRect.width) / PANGO_SCALE,
		(float)(inkRect.y + inkRect.height) / PANGO_SCALE - baseline);
}


float
DeltaFor(const char* character, const escapement_delta* delta)
{
	if (delta == NULL)
		return 0;
	return *character == ' ' ? delta->space : delta->nonspace;
}


// The font's fontconfig pattern, through the font pango loads for it.
template<typename Use>
void
WithPattern(const BFont& font, Use use)
{
	PangoFont* loaded = BPrivate::LoadTextFont(font);
	if (loaded == NULL)
		return;
	if (PANGO_IS_FC_FONT(loaded)) {
		FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(loaded));
		if (pattern != NULL)
			use(pattern);
	}
	g_object_unref(loaded);
}


// Moves that nothing is drawn from (a space's, the pen's place after the last glyph) are
// left out, so that a glyph without ink has an empty shape.
void
AppendGlyphPath(BShape* shape, cairo_path_t* path)
{
	bool pending = false;
	BPoint start;
	auto beginAt = [&]() {
		if (pending)
			shape->MoveTo(start);
		pending = false;
	};
	for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
		cairo_path_data_t* data = &path->data[i];
		switch (data->header.type) {
			case CAIRO_PATH_MOVE_TO:
				start = BPoint(data[1].point.x, data[1].point.y);
				pending = true;
				break;
			case CAIRO_PATH_LINE_TO:
				beginAt();
				shape->LineTo(BPoint(data[1].point.x, data[1].point.y));
				break;
			case CAIRO_PATH_CURVE_TO:
				beginAt();
				shape->BezierTo(BPoint(data[1].point.x, data[1].point.y),
					BPoint(data[2].point.x, data[2].point.y),
					BPoint(data[3].point.x, data[3].point.y));
				break;
			case CAIRO_PATH_CLOSE_PATH:
				if (!pending)
					shape->Close();
				break;
		}
	}
}

} // namespace


bool
BFont::IsFullAndHalfFixed() const
{
	if (!IsFixed())
		return false;
	// A wide ideograph taking two cells of the font's fixed width.
	const char* ideograph = "\xe4\xb8\x80";
	bool has;
	GetHasGlyphs(ideograph, 1, &has);
	if (!has)
		return false;
	float wide = StringWidth(ideograph);
	float narrow = StringWidth("M");
	return narrow > 0 && fabsf(wide - 2 * narrow) < 0.5f;
}


uint32
BFont::FamilyAndStyle() const
{
	FontList& list = FontList::Default();
	int32 families = list.CountFamilies();
	for (int32 f = 0; f < families; f++) {
		font_family family;
		if (list.GetFamily(f, &family, NULL) != B_OK || strcmp(family, fFamily) != 0)
			continue;
		int32 styles = list.CountStyles(family);
		for (int32 s = 0; s < styles; s++) {
			font_style style;
			if (list.GetStyle(family, s, &style, NULL, NULL) == B_OK
				&& strcmp(style, fStyle) == 0) {
				return ((uint32)f << 16) | (uint32)s;
			}
		}
		return (uint32)f << 16;
	}
	return 0;
}


status_t
BFont::SetFamilyAndStyle(uint32 code)
{
	FontList& list = FontList::Default();
	font_family family;
	font_style style;
	status_t status = list.GetFamily((int32)(code >> 16), &family, NULL);
	if (status == B_OK)
		status = list.GetStyle(family, (int32)(code & 0xffff), &style, NULL, NULL);
	if (status != B_OK)
		return B_NAME_NOT_FOUND;
	return SetFamilyAndStyle(family, style);
}


// From the font file's own box ('head' table), scaled to the size, y pointing down.
BRect
BFont::BoundingBox() const
{
	BRect box;
	PangoFont* loaded = BPrivate::LoadTextFont(*this);
	if (loaded == NULL)
		return box;
	hb_font_t* font = pango_font_get_hb_font(loaded);
	hb_blob_t* head = font != NULL
		? hb_face_reference_table(hb_font_get_face(font), HB_TAG('h', 'e', 'a', 'd'))
		: NULL;
	unsigned int length = 0;
	const uint8* data = head != NULL
		? (const uint8*)hb_blob_get_data(head, &length) : NULL;
	if (data != NULL && length >= 54) {
		auto read16 = [data](int offset) { return (int16)((data[offset] << 8)
			| data[offset + 1]); };
		float unitsPerEm = (float)(uint16)read16(18);
		if (unitsPerEm > 0) {
			float scale = fSize / unitsPerEm;
			box = BRect(read16(36) * scale, -read16(42) * scale, read16(40) * scale,
				-read16(38) * scale);
		}
	}
	hb_blob_destroy(head);
	g_object_unref(loaded);
	return box;
}


unicode_block
BFont::Blocks() const
{
	uint64 bits = 0;
	WithPattern(*this, [&bits](FcPattern* pattern) {
		FcCharSet* charset = NULL;
		if (FcPatternGetCharSet(pattern, FC_CHARSET, 0, &charset) != FcResultMatch)
			return;
		int bit = 0;
		for (const BlockRange& block : kBlocks) {
			// A block counts when the font has its first and middle characters.
			uint32 middle = block.first + (block.last - block.first) / 2;
			if (FcCharSetHasChar(charset, block.first) && FcCharSetHasChar(charset, middle))
				bits |= (uint64)1 << bit;
			bit++;
		}
	});
	return unicode_block(0, bits);
}


font_file_format
BFont::FileFormat() const
{
	font_file_format format = B_TRUETYPE_WINDOWS;
	WithPattern(*this, [&format](FcPattern* pattern) {
		FcChar8* name = NULL;
		if (FcPatternGetString(pattern, FC_FONTFORMAT, 0, &name) == FcResultMatch
			&& (strcmp((const char*)name, "Type 1") == 0
				|| strcmp((const char*)name, "CFF") == 0)) {
			format = B_POSTSCRIPT_TYPE1_WINDOWS;
		}
	});
	return format;
}


int32
BFont::CountTuned() const
{
	return 0;
}


void
BFont::GetTunedInfo(int32 index, tuned_font_info* info) const
{
	// There are no tuned fonts, so every index is out of range and info is left alone.
}


void
BFont::GetEscapements(const char charArray[], int32 numChars,
	float escapementArray[]) const
{
	GetEscapements(charArray, numChars, NULL, escapementArray);
}


void
BFont::GetEscapements(const char charArray[], int32 numChars, escapement_delta* delta,
	float escapementArray[]) const
{
	if (escapementArray == NULL || fSize <= 0)
		return;
	const char* at = charArray;
	int32 i = 0;
	for (int32 length : CharacterLengths(*this, charArray, numChars)) {
		escapementArray[i++] = (StringWidth(at, length) + DeltaFor(at, delta)) / fSize;
		at += length;
	}
}


void
BFont::GetEscapements(const char charArray[], int32 numChars, escapement_delta* delta,
	BPoint escapementArray[]) const
{
	GetEscapements(charArray, numChars, delta, escapementArray, NULL);
}


// Rotated fonts advance along their baseline; the kit places glyphs without hinting, so
// no glyph is offset from where its escapement puts it.
void
BFont::GetEscapements(const char charArray[], int32 numChars, escapement_delta* delta,
	BPoint escapementArray[], BPoint offsetArray[]) const
{
	if (escapementArray == NULL || numChars <= 0)
		return;
	std::vector<float> advances(numChars);
	GetEscapements(charArray, numChars, delta, advances.data());
	double angle = fRotation * M_PI / 180;
	for (int32 i = 0; i < numChars; i++) {
		escapementArray[i] = BPoint(advances[i] * cos(angle), -advances[i] * sin(angle));
		if (offsetArray != NULL)
			offsetArray[i] = B_ORIGIN;
	}
}


void
BFont::GetEdges(const char charArray[], int32 numChars, edge_info edgeArray[]) const
{
	if (edgeArray == NULL || fSize <= 0)
		return;
	const char* at = charArray;
	int32 i = 0;
	for (int32 length : CharacterLengths(*this, charArray, numChars)) {
		BRect ink;
		float advance;
		TextExtents(*this, at, length, &ink, &advance);
		edgeArray[i].left = ink.IsValid() ? ink.left / fSize : 0;
		edgeArray[i].right = ink.IsValid() ? (advance - ink.right) / fSize : 0;
		i++;
		at += length;
	}
}


void
BFont::GetBoundingBoxesAsGlyphs(const char charArray[], int32 numChars,
	font_metric_mode mode, BRect boundingBoxArray[]) const
{
	if (boundingBoxArray == NULL)
		return;
	const char* at = charArray;
	int32 i = 0;
	for (int32 length : CharacterLengths(*this, charArray, numChars)) {
		TextExtents(*this, at, length, &boundingBoxArray[i++], NULL);
		at += length;
	}
}


void
BFont::GetBoundingBoxesAsString(const char charArray[], int32 numChars,
	font_metric_mode mode, escapement_delta* delta, BRect boundingBoxArray[]) const
{
	if (boundingBoxArray == NULL)
		return;
	const char* at = charArray;
	float pen = 0;
	int32 i = 0;
	for (int32 length : CharacterLengths(*this, charArray, numChars)) {
		float advance;
		TextExtents(*this, at, length, &boundingBoxArray[i], &advance);
		if (boundingBoxArray[i].IsValid())
			boundingBoxArray[i].OffsetBy(pen, 0);
		pen += advance + DeltaFor(at, delta);
		i++;
		at += length;
	}
}


void
BFont::GetBoundingBoxesForStrings(const char* stringArray[], int32 numStrings,
	font_metric_mode mode, escapement_delta deltas[], BRect boundingBoxArray[]) const
{
	if (stringArray == NULL || boundingBoxArray == NULL)
		return;
	for (int32 i = 0; i < numStrings; i++) {
		const char* string = stringArray[i];
		if (string == NULL) {
			boundingBoxArray[i] = BRect();
			continue;
		}
		int32 count = 0;
		for (const uint8* at = (const uint8*)string; *at != 0; at++) {
			if (fEncoding != B_UNICODE_UTF8 || (*at & 0xc0) != 0x80)
				count++;
		}
		// The union of the characters' boxes where the spaced string puts them.
		std::vector<BRect> boxes(count);
		GetBoundingBoxesAsString(string, count, mode, deltas != NULL ? &deltas[i] : NULL,
			boxes.data());
		BRect all;
		for (const BRect& box : boxes) {
			if (box.IsValid())
				all = all.IsValid() ? all | box : box;
		}
		boundingBoxArray[i] = all;
	}
}


void
BFont::GetGlyphShapes(const char charArray[], int32 numChars,
	BShape* glyphShapeArray[]) const
{
	if (glyphShapeArray == NULL)
		return;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
	cairo_t* cairo = cairo_create(surface);
	const char* at = charArray;
	int32 i = 0;
	for (int32 length : CharacterLengths(*this, charArray, numChars)) {
		cairo_new_path(cairo);
		BPrivate::AppendTextPath(cairo, *this, at, length, 0, 0);
		cairo_path_t* path = cairo_copy_path(cairo);
		BShape* shape = new BShape;
		if (path->status == CAIRO_STATUS_SUCCESS)
			AppendGlyphPath(shape, path);
		cairo_path_destroy(path);
		glyphShapeArray[i++] = shape;
		at += length;
	}
	cairo_destroy(cairo);
	cairo_surface_destroy(surface);
}


void
BFont::GetHasGlyphs(const char charArray[], int32 numChars, bool hasArray[]) const
{
	if (hasArray == NULL)
		return;
	const char* at = charArray;
	int32 i = 0;
	for (int32 length : CharacterLengths(*this, charArray, numChars)) {
		// Pango falls back to other fonts for what this one lacks, so the glyph counts
		// only when this font's own coverage has it.
		PangoFont* loaded = BPrivate::LoadTextFont(*this);
		std::string utf8 = BPrivate::TextInUtf8(*this, at, length);
		gunichar character = g_utf8_get_char_validated(utf8.data(), (gssize)utf8.size());
		hasArray[i] = loaded != NULL && character != (gunichar)-1
			&& character != (gunichar)-2 && pango_font_has_char(loaded, character);
		if (loaded != NULL)
			g_object_unref(loaded);
		i++;
		at += length;
	}
}
