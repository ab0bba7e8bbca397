// The part every image translator of the kit shares: identifying its format or a bitmap
// stream, and translating between the two. A subclass says how to recognise, decode and
// encode.
#ifndef _IMAGE_TRANSLATOR_H
#define _IMAGE_TRANSLATOR_H

#include <Translator.h>

#include "translation/ImageData.h"

namespace BPrivate {

class ImageTranslator : public BTranslator {
public:
	// format describes the translator's own format.
								ImageTranslator(const char* name, const char* info,
									int32 version, const translation_format& format);

	virtual	const char*			TranslatorName() const;
	virtual	const char*			TranslatorInfo() const;
	virtual	int32				TranslatorVersion() const;
	virtual	const translation_format* InputFormats(int32* _count) const;
	virtual	const translation_format* OutputFormats(int32* _count) const;
	virtual	status_t			Identify(BPositionIO* source,
									const translation_format* format, BMessage* extension,
									translator_info* info, uint32 outType);
	virtual	status_t			Translate(BPositionIO* source, const translator_info* info,
									BMessage* extension, uint32 outType,
									BPositionIO* destination);

	// The bytes Identify looks at.
	static	const size_t		kPrefixLength = 64;

	// Whether the first bytes of some data (at most kPrefixLength) are of this format.
	virtual	bool				Recognizes(const uint8* prefix, size_t length) const = 0;
	// B_ILLEGAL_DATA (or B_NO_MEMORY past the caps) for data that do not decode.
	virtual	status_t			Decode(const uint8* data, size_t length,
									ImageData* image) const = 0;
	virtual	status_t			Encode(const ImageData& image,
									BPositionIO* destination) const = 0;

private:
			const char*			fName;
			const char*			fInfo;
			int32				fVersion;
			translation_format	fFormats[2];
};

} // namespace BPrivate

#endif // _IMAGE_TRANSLATOR_H
