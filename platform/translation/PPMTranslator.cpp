// Portable pixmaps: binary (P6) and text (P3), up to 16 bits a sample; written binary with
// 8 bits a sample. The format has no transparency.
#include <TranslationErrors.h>

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include "translation/BuiltinTranslators.h"
#include "translation/ImageTranslator.h"

namespace BPrivate {

namespace {

const translation_format kPPMFormat = { B_PPM_FORMAT, B_TRANSLATOR_BITMAP, 0.3f, 0.8f,
	"image/x-portable-pixmap", "PPM image" };


// Reads the header's and the text format's numbers, skipping white space and comments.
class PPMScanner {
public:
	PPMScanner(const uint8* data, size_t length)
		:
		fData(data), fLength(length), fPosition(0)
	{
	}

	// False at the end, at a character that starts no number, or past limit.
	bool Number(uint32 limit, uint32* value)
	{
		_SkipSpace();
		if (fPosition >= fLength || !isdigit(fData[fPosition]))
			return false;
		uint64 number = 0;
		while (fPosition < fLength && isdigit(fData[fPosition])) {
			number = number * 10 + (fData[fPosition++] - '0');
			if (number > limit)
				return false;
		}
		*value = (uint32)number;
		return true;
	}

	// The header ends with one white space character before binary samples.
	bool SkipOneSpace()
	{
		if (fPosition >= fLength || !isspace(fData[fPosition]))
			return false;
		fPosition++;
		return true;
	}

	size_t Position() const { return fPosition; }

private:
	void _SkipSpace()
	{
		while (fPosition < fLength) {
			if (fData[fPosition] == '#') {
				while (fPosition < fLength && fData[fPosition] != '\n')
					fPosition++;
			} else if (isspace(fData[fPosition]))
				fPosition++;
			else
				break;
		}
	}

	const uint8*	fData;
	size_t			fLength;
	size_t			fPosition;
};


class PPMTranslator : public ImageTranslator {
public:
	PPMTranslator()
		:
		ImageTranslator("PPM images", "Reads and writes portable pixmaps (P6 and P3).", 100,
			kPPMFormat)
	{
	}

	bool Recognizes(const uint8* prefix, size_t length) const override
	{
		return length >= 3 && prefix[0] == 'P' && (prefix[1] == '6' || prefix[1] == '3')
			&& isspace(prefix[2]);
	}

	status_t Decode(const uint8* data, size_t length, ImageData* image) const override
	{
		if (!Recognizes(data, length))
			return B_ILLEGAL_DATA;
		bool binary = data[1] == '6';
		PPMScanner scanner(data + 2, length - 2);
		uint32 width, height, maximum;
		if (!scanner.Number(kMaxImageDimension, &width)
			|| !scanner.Number(kMaxImageDimension, &height)
			|| !scanner.Number(65535, &maximum) || maximum == 0)
			return B_ILLEGAL_DATA;
		if (image->Allocate((int32)width, (int32)height) != B_OK)
			return B_ILLEGAL_DATA;
		image->hasAlpha = false;
		size_t sampleBytes = maximum > 255 ? 2 : 1;
		size_t samples = (size_t)width * height * 3;
		if (binary) {
			if (!scanner.SkipOneSpace())
				return B_ILLEGAL_DATA;
			size_t start = 2 + scanner.Position();
			if (length - start < samples * sampleBytes)
				return B_ILLEGAL_DATA;
			const uint8* in = data + start;
			for (size_t i = 0; i < samples; i++, in += sampleBytes) {
				uint32 sample = sampleBytes == 2 ? (uint32)(in[0] << 8 | in[1]) : in[0];
				_Store(image, i, sample, maximum);
			}
			return B_OK;
		}
		for (size_t i = 0; i < samples; i++) {
			uint32 sample;
			if (!scanner.Number(maximum, &sample))
				return B_ILLEGAL_DATA;
			_Store(image, i, sample, maximum);
		}
		return B_OK;
	}

	status_t Encode(const ImageData& image, BPositionIO* destination) const override
	{
		char header[64];
		int headerLength = snprintf(header, sizeof(header), "P6\n%d %d\n255\n",
			(int)image.width, (int)image.height);
		status_t status = write_all(destination, header, (size_t)headerLength);
		std::vector<uint8> row((size_t)image.width * 3);
		for (int32 y = 0; status == B_OK && y < image.height; y++) {
			const uint8* in = image.Row(y);
			for (int32 x = 0; x < image.width; x++, in += 4) {
				row[x * 3] = in[2];
				row[x * 3 + 1] = in[1];
				row[x * 3 + 2] = in[0];
			}
			status = write_all(destination, row.data(), row.size());
		}
		return status;
	}

private:
	// Sample i (red, green, blue of each pixel in turn) scaled to 8 bits.
	static void _Store(ImageData* image, size_t i, uint32 sample, uint32 maximum)
	{
		size_t pixel = i / 3;
		// Red is the first sample of a pixel, and the third byte of a B_RGBA32 pixel.
		const int kOffsets[] = { 2, 1, 0 };
		uint8* out = image->pixels.data() + pixel * 4;
		out[kOffsets[i % 3]] = (uint8)((sample * 255 + maximum / 2) / maximum);
		out[3] = 255;
	}
};

} // namespace


BTranslator*
make_ppm_translator()
{
	return new PPMTranslator;
}

} // namespace BPrivate
