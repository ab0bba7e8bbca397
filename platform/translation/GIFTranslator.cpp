// GIF through giflib: the first image of a file is read onto its logical screen; images are
// written quantised to the 256 colours a GIF holds (255 and a transparent one when the
// image has transparency).
#include <TranslationErrors.h>

#include <gif_lib.h>
#include <string.h>

#include <unordered_map>

#include "translation/BuiltinTranslators.h"
#include "translation/ImageTranslator.h"

namespace BPrivate {

namespace {

const translation_format kGIFFormat = { B_GIF_FORMAT, B_TRANSLATOR_BITMAP, 0.5f, 0.7f,
	"image/gif", "GIF image" };
// Below this alpha a pixel is written as the transparent colour.
const uint8 kGIFAlphaThreshold = 128;


struct MemoryReader {
	const uint8*	data;
	size_t			length;
	size_t			position;
};


int
read_memory(GifFileType* file, GifByteType* buffer, int size)
{
	MemoryReader* reader = (MemoryReader*)file->UserData;
	size_t count = std::min((size_t)size, reader->length - reader->position);
	memcpy(buffer, reader->data + reader->position, count);
	reader->position += count;
	return (int)count;
}


int
write_stream(GifFileType* file, const GifByteType* buffer, int size)
{
	BPositionIO* stream = (BPositionIO*)file->UserData;
	ssize_t written = stream->Write(buffer, (size_t)size);
	return written < 0 ? 0 : (int)written;
}


// The transparent index a graphics control block gives, or -1.
int
transparent_index(const ExtensionBlock& block)
{
	GraphicsControlBlock control;
	if (DGifExtensionToGCB(block.ByteCount, block.Bytes, &control) != GIF_OK)
		return -1;
	return control.TransparentColor;
}


// An image of at most limit colours keeps them exactly; others are quantised.
bool
exact_palette(const ImageData& image, int limit, GifByteType* indexes, GifColorType* palette)
{
	std::unordered_map<uint32, GifByteType> seen;
	size_t count = (size_t)image.width * image.height;
	for (size_t i = 0; i < count; i++) {
		const uint8* pixel = &image.pixels[i * 4];
		uint32 key = pixel[2] << 16 | pixel[1] << 8 | pixel[0];
		auto found = seen.find(key);
		if (found == seen.end()) {
			if ((int)seen.size() == limit)
				return false;
			GifByteType index = (GifByteType)seen.size();
			palette[index] = { pixel[2], pixel[1], pixel[0] };
			found = seen.emplace(key, index).first;
		}
		indexes[i] = found->second;
	}
	return true;
}


status_t
decode_first_image(GifFileType* file, ImageData* image)
{
	int transparent = -1;
	GifRecordType type;
	do {
		if (DGifGetRecordType(file, &type) != GIF_OK)
			return B_ILLEGAL_DATA;
		if (type == EXTENSION_RECORD_TYPE) {
			int code;
			GifByteType* bytes;
			if (DGifGetExtension(file, &code, &bytes) != GIF_OK)
				return B_ILLEGAL_DATA;
			if (code == GRAPHICS_EXT_FUNC_CODE && bytes != NULL) {
				ExtensionBlock block = { bytes[0], bytes + 1, code };
				transparent = transparent_index(block);
			}
			while (bytes != NULL) {
				if (DGifGetExtensionNext(file, &bytes) != GIF_OK)
					return B_ILLEGAL_DATA;
			}
		} else if (type == IMAGE_DESC_RECORD_TYPE) {
			if (DGifGetImageDesc(file) != GIF_OK)
				return B_ILLEGAL_DATA;
			const GifImageDesc& desc = file->Image;
			const ColorMapObject* map = desc.ColorMap != NULL ? desc.ColorMap
				: file->SColorMap;
			if (map == NULL || desc.Width <= 0 || desc.Height <= 0
				|| desc.Width > kMaxImageDimension || desc.Height > kMaxImageDimension)
				return B_ILLEGAL_DATA;
			// The screen is allocated only once there is an image to put on it.
			if (image->Allocate(file->SWidth, file->SHeight) != B_OK)
				return B_NO_MEMORY;
			std::vector<GifPixelType> line(desc.Width);
			// Interlaced images store every eighth row, then the rows between.
			const int kStarts[] = { 0, 4, 2, 1 };
			const int kSteps[] = { 8, 8, 4, 2 };
			int passes = desc.Interlace ? 4 : 1;
			for (int pass = 0; pass < passes; pass++) {
				int start = desc.Interlace ? kStarts[pass] : 0;
				int step = desc.Interlace ? kSteps[pass] : 1;
				for (int row = start; row < desc.Height; row += step) {
					if (DGifGetLine(file, line.data(), desc.Width) != GIF_OK)
						return B_ILLEGAL_DATA;
					int y = desc.Top + row;
					if (y < 0 || y >= image->height)
						continue;
					uint8* out = image->Row(y);
					for (int column = 0; column < desc.Width; column++) {
						int x = desc.Left + column;
						int index = line[column];
						if (x < 0 || x >= image->width || index == transparent)
							continue;
						if (index >= map->ColorCount)
							index = 0;
						const GifColorType& color = map->Colors[index];
						uint8* pixel = out + x * 4;
						pixel[0] = color.Blue;
						pixel[1] = color.Green;
						pixel[2] = color.Red;
						pixel[3] = 255;
					}
				}
			}
			image->UpdateAlpha();
			return B_OK;
		}
	} while (type != TERMINATE_RECORD_TYPE);
	return B_ILLEGAL_DATA;
}


class GIFTranslator : public ImageTranslator {
public:
	GIFTranslator()
		:
		ImageTranslator("GIF images", "Reads and writes GIF images (giflib).", 100,
			kGIFFormat)
	{
	}

	bool Recognizes(const uint8* prefix, size_t length) const override
	{
		return length >= 6 && (memcmp(prefix, "GIF87a", 6) == 0
			|| memcmp(prefix, "GIF89a", 6) == 0);
	}

	status_t Decode(const uint8* data, size_t length, ImageData* image) const override
	{
		MemoryReader reader = { data, length, 0 };
		int error = 0;
		GifFileType* file = DGifOpen(&reader, read_memory, &error);
		if (file == NULL)
			return B_ILLEGAL_DATA;
		status_t status = decode_first_image(file, image);
		DGifCloseFile(file, &error);
		return status;
	}

	status_t Encode(const ImageData& image, BPositionIO* destination) const override
	{
		size_t count = (size_t)image.width * image.height;
		std::vector<GifByteType> indexes(count);
		int colors = image.hasAlpha ? 255 : 256;
		GifColorType palette[256];
		memset(palette, 0, sizeof(palette));
		if (!exact_palette(image, colors, indexes.data(), palette)) {
			std::vector<GifByteType> red(count), green(count), blue(count);
			for (size_t i = 0; i < count; i++) {
				blue[i] = image.pixels[i * 4];
				green[i] = image.pixels[i * 4 + 1];
				red[i] = image.pixels[i * 4 + 2];
			}
			if (GifQuantizeBuffer(image.width, image.height, &colors, red.data(),
					green.data(), blue.data(), indexes.data(), palette) != GIF_OK)
				return B_NO_MEMORY;
		}
		const int kTransparent = 255;
		if (image.hasAlpha) {
			for (size_t i = 0; i < count; i++) {
				if (image.pixels[i * 4 + 3] < kGIFAlphaThreshold)
					indexes[i] = kTransparent;
			}
		}
		ColorMapObject* map = GifMakeMapObject(256, palette);
		if (map == NULL)
			return B_NO_MEMORY;
		int error = 0;
		GifFileType* file = EGifOpen(destination, write_stream, &error);
		if (file == NULL) {
			GifFreeMapObject(map);
			return B_NO_MEMORY;
		}
		EGifSetGifVersion(file, true);
		bool ok = EGifPutScreenDesc(file, image.width, image.height, 8, 0, map) == GIF_OK;
		if (ok && image.hasAlpha) {
			GraphicsControlBlock control = { DISPOSAL_UNSPECIFIED, false, 0, kTransparent };
			GifByteType block[4];
			size_t size = EGifGCBToExtension(&control, block);
			ok = EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, (int)size, block) == GIF_OK;
		}
		ok = ok && EGifPutImageDesc(file, 0, 0, image.width, image.height, false, NULL)
			== GIF_OK;
		for (int32 y = 0; ok && y < image.height; y++) {
			ok = EGifPutLine(file, indexes.data() + (size_t)y * image.width, image.width)
				== GIF_OK;
		}
		if (EGifCloseFile(file, &error) != GIF_OK)
			ok = false;
		GifFreeMapObject(map);
		return ok ? B_OK : B_IO_ERROR;
	}
};

} // namespace


BTranslator*
make_gif_translator()
{
	return new GIFTranslator;
}

} // namespace BPrivate
