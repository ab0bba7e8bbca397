// What every fuzz target of a translator does with its bytes: identify them, translate
// them to a bitmap stream and, when that works, translate the stream back. Any error is
// fine; a crash, a leak or a decoded bitmap stream the kit's own reader refuses is not.
// (A bitmap stream given as input passes through unchanged, so only decoded ones are
// checked.)
#ifndef _TRANSLATOR_FUZZ_H
#define _TRANSLATOR_FUZZ_H

#include <DataIO.h>
#include <Translator.h>

#include <stdlib.h>
#include <string.h>

#include "translation/ImageData.h"

inline void
fuzz_translator(BTranslator* translator, const uint8_t* data, size_t size, uint32 ownType)
{
	BMemoryIO source(data, size);
	translator_info info;
	memset(&info, 0, sizeof(info));
	translator->Identify(&source, NULL, NULL, &info, 0);
	source.Seek(0, SEEK_SET);
	BMallocIO decoded;
	uint32 group = ownType == B_STYLED_TEXT_FORMAT ? (uint32)B_TRANSLATOR_TEXT
		: (uint32)B_TRANSLATOR_BITMAP;
	if (translator->Translate(&source, &info, NULL, group, &decoded) == B_OK
		&& group == B_TRANSLATOR_BITMAP && !BPrivate::is_bitmap_stream(data, size)) {
		decoded.Seek(0, SEEK_SET);
		BPrivate::ImageData image;
		if (BPrivate::read_bitmap_stream(&decoded, &image) != B_OK)
			abort();
		decoded.Seek(0, SEEK_SET);
		BMallocIO encoded;
		if (translator->Translate(&decoded, NULL, NULL, ownType, &encoded) != B_OK)
			abort();
	}
	translator->Release();
}

#endif // _TRANSLATOR_FUZZ_H
