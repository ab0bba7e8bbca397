// Windows and OS/2 bitmaps: uncompressed 1, 4, 8, 24 and 32 bits a pixel, bottom-up or
// top-down. Written as 24 bits a pixel, or 32 when the image has transparency.
#include <TranslationErrors.h>

#include <string.h>

#include "translation/BuiltinTranslators.h"
#include "translation/ImageTranslator.h"

namespace BPrivate {

namespace {

const translation_format kBMPFormat = { B_BMP_FORMAT, B_TRANSLATOR_BITMAP, 0.4f, 0.8f,
	"image/bmp", "BMP image" };

const size_t kFileHeaderSize = 14;
const uint32 kCoreHeaderSize = 12;
const uint32 kInfoHeaderSize = 40;
const uint32 kBitFields = 3;


uint32
little32(const uint8* bytes)
{
	return bytes[0] | (uint32)bytes[1] << 8 | (uint32)bytes[2] << 16 | (uint32)bytes[3] << 24;
}


uint16
little16(const uint8* bytes)
{
	return (uint16)(bytes[0] | bytes[1] << 8);
}


void
put32(uint8* bytes, uint32 value)
{
	for (int i = 0; i < 4; i++)
		bytes[i] = (uint8)(value >> (8 * i));
}


void
put16(uint8* bytes, uint16 value)
{
	bytes[0] = (uint8)value;
	bytes[1] = (uint8)(value >> 8);
}


class BMPTranslator : public ImageTranslator {
public:
	BMPTranslator()
		:
		ImageTranslator("BMP images", "Reads and writes uncompressed BMP images.", 100,
			kBMPFormat)
	{
	}

	bool Recognizes(const uint8* prefix, size_t length) const override
	{
		if (length < kFileHeaderSize + 4 || prefix[0] != 'B' || prefix[1] != 'M')
			return false;
		uint32 headerSize = little32(prefix + kFileHeaderSize);
		return headerSize == kCoreHeaderSize || (headerSize >= kInfoHeaderSize
			&& headerSize <= 256);
	}

	status_t Decode(const uint8* data, size_t length, ImageData* image) const override
	{
		if (length < kFileHeaderSize + kCoreHeaderSize || !Recognizes(data, length))
			return B_ILLEGAL_DATA;
		uint32 pixelOffset = little32(data + 10);
		const uint8* info = data + kFileHeaderSize;
		uint32 headerSize = little32(info);
		if (kFileHeaderSize + (size_t)headerSize > length)
			return B_ILLEGAL_DATA;
		int64 width, height;
		uint16 bits;
		uint32 compression = 0, paletteCount = 0;
		size_t paletteEntry = 4;
		if (headerSize == kCoreHeaderSize) {
			width = little16(info + 4);
			height = little16(info + 6);
			bits = little16(info + 10);
			paletteEntry = 3;
		} else {
			width = (int32)little32(info + 4);
			height = (int32)little32(info + 8);
			bits = little16(info + 14);
			compression = little32(info + 16);
			paletteCount = little32(info + 32);
		}
		bool topDown = height < 0;
		if (topDown)
			height = -height;
		if (width < 1 || height < 1 || width > kMaxImageDimension
			|| height > kMaxImageDimension)
			return B_ILLEGAL_DATA;
		if (compression != 0 && !(compression == kBitFields && bits == 32))
			return B_ILLEGAL_DATA;
		if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
			return B_ILLEGAL_DATA;

		const uint8* palette = info + headerSize;
		if (bits <= 8) {
			uint32 maximum = 1u << bits;
			if (paletteCount == 0 || paletteCount > maximum)
				paletteCount = maximum;
			if ((size_t)(palette - data) + paletteCount * paletteEntry > length)
				return B_ILLEGAL_DATA;
		}
		size_t rowBytes = (((size_t)width * bits + 31) / 32) * 4;
		if (pixelOffset > length || rowBytes * height > length - pixelOffset)
			return B_ILLEGAL_DATA;
		if (image->Allocate((int32)width, (int32)height) != B_OK)
			return B_NO_MEMORY;
		for (int32 y = 0; y < image->height; y++) {
			const uint8* row = data + pixelOffset
				+ rowBytes * (topDown ? y : image->height - 1 - y);
			uint8* out = image->Row(y);
			for (int32 x = 0; x < image->width; x++, out += 4) {
				if (bits >= 24) {
					const uint8* pixel = row + x * (bits / 8);
					memcpy(out, pixel, 3);
					// 32-bit files of that era leave the fourth byte zero.
					out[3] = 255;
					continue;
				}
				uint32 index;
				if (bits == 8)
					index = row[x];
				else if (bits == 4)
					index = (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xf;
				else
					index = (row[x / 8] >> (7 - x % 8)) & 1;
				if (index >= paletteCount)
					index = 0;
				memcpy(out, palette + index * paletteEntry, 3);
				out[3] = 255;
			}
		}
		image->hasAlpha = false;
		return B_OK;
	}

	status_t Encode(const ImageData& image, BPositionIO* destination) const override
	{
		uint16 bits = image.hasAlpha ? 32 : 24;
		size_t rowBytes = (((size_t)image.width * bits + 31) / 32) * 4;
		size_t dataSize = rowBytes * image.height;
		uint8 header[kFileHeaderSize + kInfoHeaderSize];
		memset(header, 0, sizeof(header));
		header[0] = 'B';
		header[1] = 'M';
		put32(header + 2, (uint32)(sizeof(header) + dataSize));
		put32(header + 10, (uint32)sizeof(header));
		uint8* info = header + kFileHeaderSize;
		put32(info, kInfoHeaderSize);
		put32(info + 4, (uint32)image.width);
		put32(info + 8, (uint32)image.height);
		put16(info + 12, 1);
		put16(info + 14, bits);
		put32(info + 20, (uint32)dataSize);
		status_t status = write_all(destination, header, sizeof(header));
		std::vector<uint8> row(rowBytes, 0);
		for (int32 y = image.height - 1; status == B_OK && y >= 0; y--) {
			const uint8* in = image.Row(y);
			for (int32 x = 0; x < image.width; x++)
				memcpy(&row[x * (bits / 8)], in + x * 4, bits / 8);
			status = write_all(destination, row.data(), row.size());
		}
		return status;
	}
};

} // namespace


BTranslator*
make_bmp_translator()
{
	return new BMPTranslator;
}

} // namespace BPrivate
