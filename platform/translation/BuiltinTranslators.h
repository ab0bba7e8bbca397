// The translators the kit carries itself, each made with one reference that the caller
// owns.
#ifndef _BUILTIN_TRANSLATORS_H
#define _BUILTIN_TRANSLATORS_H

class BTranslator;

namespace BPrivate {

BTranslator* make_png_translator();
BTranslator* make_jpeg_translator();
BTranslator* make_gif_translator();
BTranslator* make_bmp_translator();
BTranslator* make_ppm_translator();
BTranslator* make_styled_text_translator();

} // namespace BPrivate

#endif // _BUILTIN_TRANSLATORS_H
