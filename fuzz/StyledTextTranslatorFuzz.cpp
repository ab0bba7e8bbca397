// Feeds arbitrary bytes to the kit's StyledText translator (fuzz/TranslatorFuzz.h).
#include "TranslatorFuzz.h"

#include "translation/BuiltinTranslators.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	fuzz_translator(BPrivate::make_styled_text_translator(), data, size, B_STYLED_TEXT_FORMAT);
	return 0;
}
