// Text layout, measuring and truncation over pango and fontconfig.
#include "interface/TextEngine.h"

#include "interface/FontList.h"

#include <InterfaceDefs.h>

#include <pango/pangocairo.h>

#include <string.h>
#include <vector>

namespace BPrivate {

namespace {

struct ContextHolder {
	PangoContext* context = NULL;

	~ContextHolder()
	{
		if (context != NULL)
			g_object_unref(context);
	}
};


cairo_font_options_t*
TextFontOptions()
{
	static cairo_font_options_t* stOptions = [] {
		cairo_font_options_t* options = cairo_font_options_create();
		cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
		cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
		cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
		return options;
	}();
	return stOptions;
}


PangoFontDescription*
CreateDescription(const BFont& font)
{
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	PangoFontDescription* description = FontList::Default().CreateDescription(family,
		style);
	pango_font_description_set_absolute_size(description, font.Size() * PANGO_SCALE);
	return description;
}


// Offsets of the UTF-8 characters of text, plus its length.
std::vector<size_t>
CharacterOffsets(const std::string& text)
{
	std::vector<size_t> offsets;
	for (size_t i = 0; i < text.size(); i++) {
		if (((uint8)text[i] & 0xc0) != 0x80)
			offsets.push_back(i);
	}
	offsets.push_back(text.size());
	return offsets;
}


// The candidate that keeps `kept` of the characters, cut as mode says.
std::string
Candidate(const std::string& text, const std::vector<size_t>& offsets, size_t kept,
	uint32 mode)
{
	size_t count = offsets.size() - 1;
	switch (mode) {
		case B_TRUNCATE_BEGINNING:
			return B_UTF8_ELLIPSIS + text.substr(offsets[count - kept]);
		// A single string has no neighbours to be told apart from, so the smart mode
		// keeps both of its ends, as the middle mode does.
		case B_TRUNCATE_MIDDLE:
		case B_TRUNCATE_SMART:
		{
			size_t head = (kept + 1) / 2;
			size_t tail = kept - head;
			return text.substr(0, offsets[head]) + B_UTF8_ELLIPSIS
				+ text.substr(offsets[count - tail]);
		}
		case B_TRUNCATE_END:
		default:
			return text.substr(0, offsets[kept]) + B_UTF8_ELLIPSIS;
	}
}

} // namespace


PangoContext*
ThreadTextContext()
{
	thread_local ContextHolder holder;
	if (holder.context == NULL) {
		holder.context = pango_font_map_create_context(pango_cairo_font_map_get_default());
		pango_cairo_context_set_font_options(holder.context, TextFontOptions());
		pango_cairo_context_set_resolution(holder.context, 72);
		// Glyphs keep their fractional advances: a string's width scales with its size,
		// and small sizes do not gather each glyph's rounding.
		pango_context_set_round_glyph_positions(holder.context, FALSE);
	}
	return holder.context;
}


PangoLayout*
CreateTextLayout(const BFont& font, const char* text, int32 length)
{
	PangoLayout* layout = pango_layout_new(ThreadTextContext());
	PangoFontDescription* description = CreateDescription(font);
	pango_layout_set_font_description(layout, description);
	pango_font_description_free(description);
	pango_layout_set_single_paragraph_mode(layout, TRUE);
	if (text != NULL && font.Encoding() == B_UNICODE_UTF8)
		pango_layout_set_text(layout, text, length);
	else if (text != NULL) {
		std::string utf8 = TextInUtf8(font, text, length);
		pango_layout_set_text(layout, utf8.data(), (int)utf8.size());
	}
	return layout;
}


std::string
TextInUtf8(const BFont& font, const char* text, int32 length)
{
	size_t size = length < 0 ? strlen(text) : (size_t)length;
	static const char* const kCharsets[] = { NULL, "ISO-8859-1", "ISO-8859-2",
		"ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6", "ISO-8859-7", "ISO-8859-8",
		"ISO-8859-9", "ISO-8859-10", "MACINTOSH" };
	uint8 encoding = font.Encoding();
	if (encoding != B_UNICODE_UTF8 && encoding < sizeof(kCharsets) / sizeof(kCharsets[0])) {
		gsize written = 0;
		gchar* converted = g_convert(text, (gssize)size, "UTF-8", kCharsets[encoding], NULL,
			&written, NULL);
		if (converted != NULL) {
			std::string result(converted, written);
			g_free(converted);
			return result;
		}
	}
	return std::string(text, size);
}


PangoFont*
LoadTextFont(const BFont& font)
{
	PangoFontDescription* description = CreateDescription(font);
	PangoFont* loaded = pango_context_load_font(ThreadTextContext(), description);
	pango_font_description_free(description);
	return loaded;
}


float
TextWidth(const BFont& font, const char* text, int32 length)
{
	if (text == NULL || length == 0)
		return 0;
	PangoLayout* layout = CreateTextLayout(font, text, length);
	PangoRectangle logical;
	pango_layout_get_extents(layout, NULL, &logical);
	g_object_unref(layout);
	return (float)logical.width / PANGO_SCALE;
}


void
GetTextHeight(const BFont& font, font_height* height)
{
	// Asking pango for metrics costs microseconds, and a list asks for every row;
	// the heights depend only on family, style and size, so each thread keeps those
	// it asked for. Few fonts are in use at once: a full cache simply starts over.
	struct Entry {
		font_family	family;
		font_style	style;
		float		size;
		font_height	height;
	};
	static const size_t kMaxEntries = 32;
	thread_local std::vector<Entry> heights;

	Entry key;
	font.GetFamilyAndStyle(&key.family, &key.style);
	key.size = font.Size();
	for (const Entry& entry : heights) {
		if (entry.size == key.size && strcmp(entry.family, key.family) == 0
			&& strcmp(entry.style, key.style) == 0) {
			*height = entry.height;
			return;
		}
	}

	PangoFontDescription* description = CreateDescription(font);
	PangoFontMetrics* metrics = pango_context_get_metrics(ThreadTextContext(), description,
		NULL);
	pango_font_description_free(description);
	key.height.ascent = (float)pango_font_metrics_get_ascent(metrics) / PANGO_SCALE;
	key.height.descent = (float)pango_font_metrics_get_descent(metrics) / PANGO_SCALE;
	float lineHeight = (float)pango_font_metrics_get_height(metrics) / PANGO_SCALE;
	key.height.leading = lineHeight > key.height.ascent + key.height.descent
		? lineHeight - key.height.ascent - key.height.descent : 0;
	pango_font_metrics_unref(metrics);

	if (heights.size() == kMaxEntries)
		heights.clear();
	heights.push_back(key);
	*height = key.height;
}


std::string
TruncateText(const BFont& font, const char* text, uint32 mode, float width)
{
	std::string source = text != NULL ? text : "";
	if (TextWidth(font, source.c_str(), (int32)source.size()) <= width)
		return source;

	// Widths grow with the characters kept, so the longest fitting cut is found by
	// bisection.
	std::vector<size_t> offsets = CharacterOffsets(source);
	size_t low = 0;
	size_t high = offsets.size() - 1;
	std::string best;
	bool found = false;
	while (low <= high) {
		size_t kept = (low + high) / 2;
		std::string candidate = Candidate(source, offsets, kept, mode);
		if (TextWidth(font, candidate.c_str(), (int32)candidate.size()) <= width) {
			best = candidate;
			found = true;
			low = kept + 1;
		} else {
			if (kept == 0)
				break;
			high = kept - 1;
		}
	}
	return found ? best : std::string();
}


namespace {

// Lays the text out for cairo and places cairo's current point at its top-left corner.
PangoLayout*
PlaceText(cairo_t* cairo, const BFont& font, const char* text, int32 length, double x,
	double y, float* advance)
{
	PangoContext* context = ThreadTextContext();
	pango_cairo_update_context(cairo, context);
	PangoLayout* layout = CreateTextLayout(font, text, length);
	double baseline = (double)pango_layout_get_baseline(layout) / PANGO_SCALE;
	PangoRectangle logical;
	pango_layout_get_extents(layout, NULL, &logical);
	*advance = (float)logical.width / PANGO_SCALE;
	cairo_move_to(cairo, x, y - baseline);
	return layout;
}

} // namespace


float
ShowText(cairo_t* cairo, const BFont& font, const char* text, int32 length, double x,
	double y)
{
	float advance;
	PangoLayout* layout = PlaceText(cairo, font, text, length, x, y, &advance);
	pango_cairo_show_layout(cairo, layout);
	g_object_unref(layout);
	return advance;
}


float
AppendTextPath(cairo_t* cairo, const BFont& font, const char* text, int32 length, double x,
	double y)
{
	float advance;
	PangoLayout* layout = PlaceText(cairo, font, text, length, x, y, &advance);
	pango_cairo_layout_path(cairo, layout);
	g_object_unref(layout);
	return advance;
}

} // namespace BPrivate
