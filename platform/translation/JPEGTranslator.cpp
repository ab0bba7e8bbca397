// JPEG through libjpeg-turbo's TurboJPEG API, which reports errors as return values rather
// than through longjmp.
#include <TranslationErrors.h>

#include <turbojpeg.h>

#include "translation/BuiltinTranslators.h"
#include "translation/ImageTranslator.h"

namespace BPrivate {

namespace {

const translation_format kJPEGFormat = { B_JPEG_FORMAT, B_TRANSLATOR_BITMAP, 0.6f, 0.8f,
	"image/jpeg", "JPEG image" };
// The quality images are saved with (0 to 100); colour is kept at full resolution.
const int kJPEGQuality = 90;


// A TurboJPEG handle, destroyed with its owner.
class TurboHandle {
public:
	explicit TurboHandle(tjhandle handle) : fHandle(handle) {}
	~TurboHandle()
	{
		if (fHandle != NULL)
			tjDestroy(fHandle);
	}
	tjhandle Get() const { return fHandle; }

private:
	TurboHandle(const TurboHandle&);
	TurboHandle& operator=(const TurboHandle&);

	tjhandle fHandle;
};


class JPEGTranslator : public ImageTranslator {
public:
	JPEGTranslator()
		:
		ImageTranslator("JPEG images", "Reads and writes JPEG images (libjpeg-turbo).", 100,
			kJPEGFormat)
	{
	}

	bool Recognizes(const uint8* prefix, size_t length) const override
	{
		return length >= 3 && prefix[0] == 0xff && prefix[1] == 0xd8 && prefix[2] == 0xff;
	}

	status_t Decode(const uint8* data, size_t length, ImageData* image) const override
	{
		TurboHandle handle(tjInitDecompress());
		if (handle.Get() == NULL)
			return B_NO_MEMORY;
		int width, height, subsampling, colorspace;
		if (tjDecompressHeader3(handle.Get(), data, (unsigned long)length, &width, &height,
				&subsampling, &colorspace) != 0)
			return B_ILLEGAL_DATA;
		if (image->Allocate(width, height) != B_OK)
			return B_NO_MEMORY;
		// A damaged tail still gives the rows before it; only a fatal error fails.
		if (tjDecompress2(handle.Get(), data, (unsigned long)length, image->pixels.data(),
				width, width * 4, height, TJPF_BGRA, 0) != 0
			&& tjGetErrorCode(handle.Get()) == TJERR_FATAL)
			return B_ILLEGAL_DATA;
		image->hasAlpha = false;
		return B_OK;
	}

	status_t Encode(const ImageData& image, BPositionIO* destination) const override
	{
		TurboHandle handle(tjInitCompress());
		if (handle.Get() == NULL)
			return B_NO_MEMORY;
		unsigned char* encoded = NULL;
		unsigned long size = 0;
		if (tjCompress2(handle.Get(), image.pixels.data(), image.width, image.width * 4,
				image.height, TJPF_BGRX, &encoded, &size, TJSAMP_444, kJPEGQuality, 0) != 0) {
			tjFree(encoded);
			return B_ERROR;
		}
		status_t status = write_all(destination, encoded, size);
		tjFree(encoded);
		return status;
	}
};

} // namespace


BTranslator*
make_jpeg_translator()
{
	return new JPEGTranslator;
}

} // namespace BPrivate
