// Feeds arbitrary bytes to the kit's PNG translator (fuzz/TranslatorFuzz.h).
#include "TranslatorFuzz.h"

#include "translation/BuiltinTranslators.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	fuzz_translator(BPrivate::make_png_translator(), data, size, B_PNG_FORMAT);
	return 0;
}
