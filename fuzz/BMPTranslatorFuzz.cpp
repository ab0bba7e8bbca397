// Feeds arbitrary bytes to the kit's BMP translator (fuzz/TranslatorFuzz.h).
#include "TranslatorFuzz.h"

#include "translation/BuiltinTranslators.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	fuzz_translator(BPrivate::make_bmp_translator(), data, size, B_BMP_FORMAT);
	return 0;
}
