// Text through pango: layouts, metrics and truncation for a BFont.
#ifndef _TEXT_ENGINE_H
#define _TEXT_ENGINE_H

#include <Font.h>

#include <string>

typedef struct _PangoContext PangoContext;
typedef struct _PangoFont PangoFont;
typedef struct _PangoLayout PangoLayout;
typedef struct _cairo cairo_t;

namespace BPrivate {

// Each thread has its own pango context (pango objects are not thread-safe). Hinting is
// off, so widths are the same whether measured or drawn and on every surface.
PangoContext* ThreadTextContext();

// The text as UTF-8: converted from the font's 8-bit encoding when it has one (and the
// bytes convert), as they are otherwise. A negative length means up to the NUL.
std::string TextInUtf8(const BFont& font, const char* text, int32 length);

// A layout of the text in the font; the caller releases it with g_object_unref().
PangoLayout* CreateTextLayout(const BFont& font, const char* text, int32 length);

// The font that renders the BFont's family, style and size on this thread; the caller
// releases it with g_object_unref(). NULL when no font can be loaded.
PangoFont* LoadTextFont(const BFont& font);

float TextWidth(const BFont& font, const char* text, int32 length);
void GetTextHeight(const BFont& font, font_height* height);

// The text shortened to fit in width, with an ellipsis where it was cut; empty when not
// even the ellipsis fits.
std::string TruncateText(const BFont& font, const char* text, uint32 mode, float width);

// Draws the text in cairo's current source and operator, with the baseline starting at
// (x, y); returns the text's advance.
float ShowText(cairo_t* cairo, const BFont& font, const char* text, int32 length, double x,
	double y);

// Adds the outlines of the text to cairo's path, with the baseline starting at (x, y);
// returns the text's advance.
float AppendTextPath(cairo_t* cairo, const BFont& font, const char* text, int32 length,
	double x, double y);

} // namespace BPrivate

#endif // _TEXT_ENGINE_H
