#include "translation/ImageTranslator.h"

#include <TranslationErrors.h>

#include <stdio.h>
#include <string.h>

namespace BPrivate {

namespace {

// How a bitmap stream rates as input of a translator that writes another format: it
// keeps everything, but the translator only converts it.
const float kBitmapQuality = 0.4f;
const float kBitmapCapability = 0.6f;


void
fill_info(translator_info* info, const translation_format& format)
{
	info->type = format.type;
	info->group = format.group;
	info->quality = format.quality;
	info->capability = format.capability;
	snprintf(info->name, sizeof(info->name), "%s", format.name);
	snprintf(info->MIME, sizeof(info->MIME), "%s", format.MIME);
}

} // namespace


ImageTranslator::ImageTranslator(const char* name, const char* info, int32 version,
	const translation_format& format)
	:
	fName(name),
	fInfo(info),
	fVersion(version)
{
	translation_format& bitmap = fFormats[0];
	bitmap.type = B_TRANSLATOR_BITMAP;
	bitmap.group = B_TRANSLATOR_BITMAP;
	bitmap.quality = kBitmapQuality;
	bitmap.capability = kBitmapCapability;
	snprintf(bitmap.MIME, sizeof(bitmap.MIME), "%s", "image/x-be-bitmap");
	snprintf(bitmap.name, sizeof(bitmap.name), "Be Bitmap Format (%s)", name);
	fFormats[1] = format;
}


const char*
ImageTranslator::TranslatorName() const
{
	return fName;
}


const char*
ImageTranslator::TranslatorInfo() const
{
	return fInfo;
}


int32
ImageTranslator::TranslatorVersion() const
{
	return fVersion;
}


const translation_format*
ImageTranslator::InputFormats(int32* _count) const
{
	if (_count != NULL)
		*_count = 2;
	return fFormats;
}


const translation_format*
ImageTranslator::OutputFormats(int32* _count) const
{
	if (_count != NULL)
		*_count = 2;
	return fFormats;
}


status_t
ImageTranslator::Identify(BPositionIO* source, const translation_format* format,
	BMessage* extension, translator_info* info, uint32 outType)
{
	if (source == NULL || info == NULL)
		return B_BAD_VALUE;
	if (outType == 0)
		outType = B_TRANSLATOR_BITMAP;
	uint8 prefix[kPrefixLength];
	ssize_t length = peek(source, prefix, sizeof(prefix));
	if (length < 0)
		return (status_t)length;
	if (is_bitmap_stream(prefix, (size_t)length)) {
		// A bitmap is ours to take only to write our format.
		if (outType != fFormats[1].type)
			return B_NO_TRANSLATOR;
		off_t start = source->Position();
		BitmapStreamHeader header;
		status_t status = read_bitmap_header(source, &header);
		source->Seek(start, SEEK_SET);
		if (status != B_OK)
			return status;
		fill_info(info, fFormats[0]);
		return B_OK;
	}
	if (!Recognizes(prefix, (size_t)length))
		return B_NO_TRANSLATOR;
	if (outType != B_TRANSLATOR_BITMAP && outType != fFormats[1].type)
		return B_NO_TRANSLATOR;
	fill_info(info, fFormats[1]);
	return B_OK;
}


status_t
ImageTranslator::Translate(BPositionIO* source, const translator_info* info,
	BMessage* extension, uint32 outType, BPositionIO* destination)
{
	if (source == NULL || destination == NULL)
		return B_BAD_VALUE;
	if (outType == 0)
		outType = B_TRANSLATOR_BITMAP;
	uint8 prefix[kPrefixLength];
	ssize_t length = peek(source, prefix, sizeof(prefix));
	if (length < 0)
		return (status_t)length;
	bool isBitmap = is_bitmap_stream(prefix, (size_t)length);
	if (!isBitmap && !Recognizes(prefix, (size_t)length))
		return B_NO_TRANSLATOR;

	// The same format out as in: the data pass unchanged.
	if ((isBitmap && outType == B_TRANSLATOR_BITMAP)
		|| (!isBitmap && outType == fFormats[1].type))
		return copy_to_end(source, destination);

	ImageData image;
	if (isBitmap) {
		if (outType != fFormats[1].type)
			return B_NO_TRANSLATOR;
		status_t status = read_bitmap_stream(source, &image);
		if (status != B_OK)
			return status;
		return Encode(image, destination);
	}
	if (outType != B_TRANSLATOR_BITMAP)
		return B_NO_TRANSLATOR;
	std::vector<uint8> data;
	status_t status = read_to_end(source, &data);
	if (status != B_OK)
		return status;
	status = Decode(data.data(), data.size(), &image);
	if (status != B_OK)
		return status;
	return write_bitmap_stream(destination, image);
}


} // namespace BPrivate
