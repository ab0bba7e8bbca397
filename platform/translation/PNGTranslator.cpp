// PNG through libpng's simplified API, which reports errors as return values rather than
// through longjmp.
#include <TranslationErrors.h>

#include <png.h>
#include <stdint.h>

#include <algorithm>
#include <string.h>

#include "translation/BuiltinTranslators.h"
#include "translation/ImageTranslator.h"

namespace BPrivate {

namespace {

const translation_format kPNGFormat = { B_PNG_FORMAT, B_TRANSLATOR_BITMAP, 0.8f, 0.8f,
	"image/png", "PNG image" };


class PNGTranslator : public ImageTranslator {
public:
	PNGTranslator()
		:
		ImageTranslator("PNG images", "Reads and writes PNG images (libpng).", 100,
			kPNGFormat)
	{
	}

	bool Recognizes(const uint8* prefix, size_t length) const override
	{
		return length >= 8 && png_sig_cmp(prefix, 0, 8) == 0;
	}

	status_t Decode(const uint8* data, size_t length, ImageData* image) const override
	{
		png_image png;
		memset(&png, 0, sizeof(png));
		png.version = PNG_IMAGE_VERSION;
		if (!png_image_begin_read_from_memory(&png, data, length))
			return B_ILLEGAL_DATA;
		if (image->Allocate((int32)std::min<png_uint_32>(png.width, INT32_MAX),
				(int32)std::min<png_uint_32>(png.height, INT32_MAX)) != B_OK) {
			png_image_free(&png);
			return B_NO_MEMORY;
		}
		png.format = PNG_FORMAT_BGRA;
		if (!png_image_finish_read(&png, NULL, image->pixels.data(), 0, NULL)) {
			png_image_free(&png);
			return B_ILLEGAL_DATA;
		}
		image->UpdateAlpha();
		return B_OK;
	}

	status_t Encode(const ImageData& image, BPositionIO* destination) const override
	{
		png_image png;
		memset(&png, 0, sizeof(png));
		png.version = PNG_IMAGE_VERSION;
		png.width = (png_uint_32)image.width;
		png.height = (png_uint_32)image.height;
		// An opaque image is written without its alpha channel.
		const uint8* pixels = image.pixels.data();
		std::vector<uint8> opaque;
		png.format = PNG_FORMAT_BGRA;
		if (!image.hasAlpha) {
			opaque.resize(image.pixels.size() / 4 * 3);
			for (size_t in = 0, out = 0; in < image.pixels.size(); in += 4, out += 3)
				memcpy(&opaque[out], &image.pixels[in], 3);
			pixels = opaque.data();
			png.format = PNG_FORMAT_BGR;
		}
		png_alloc_size_t size = 0;
		// The first call measures, the second writes.
		if (!png_image_write_to_memory(&png, NULL, &size, 0, pixels, 0, NULL))
			return B_ERROR;
		std::vector<uint8> encoded(size);
		if (!png_image_write_to_memory(&png, encoded.data(), &size, 0, pixels, 0, NULL))
			return B_ERROR;
		return write_all(destination, encoded.data(), size);
	}
};

} // namespace


BTranslator*
make_png_translator()
{
	return new PNGTranslator;
}

} // namespace BPrivate
