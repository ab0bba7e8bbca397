#include "translation/ImageData.h"

#include <ByteOrder.h>
#include <TranslationErrors.h>
#include <TranslatorFormats.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "interface/PixelFormat.h"

namespace BPrivate {

namespace {

const size_t kCopyChunk = 64 * 1024;


bool
is_whole(float value)
{
	return std::isfinite(value) && floorf(value) == value && fabsf(value) < 1e7f;
}


uint32
big_endian_int32(const uint8* bytes)
{
	return (uint32)bytes[0] << 24 | (uint32)bytes[1] << 16 | (uint32)bytes[2] << 8 | bytes[3];
}


float
big_endian_float(const uint8* bytes)
{
	uint32 bits = big_endian_int32(bytes);
	float value;
	memcpy(&value, &bits, sizeof(value));
	return value;
}

} // namespace


status_t
ImageData::Allocate(int32 newWidth, int32 newHeight)
{
	if (newWidth < 1 || newHeight < 1 || newWidth > kMaxImageDimension
		|| newHeight > kMaxImageDimension
		|| (size_t)newWidth * newHeight * 4 > kMaxImageBytes)
		return B_BAD_VALUE;
	width = newWidth;
	height = newHeight;
	pixels.assign((size_t)width * height * 4, 0);
	return B_OK;
}


void
ImageData::UpdateAlpha()
{
	hasAlpha = false;
	for (size_t i = 3; i < pixels.size(); i += 4) {
		if (pixels[i] != 255) {
			hasAlpha = true;
			return;
		}
	}
}


bool
is_bitmap_stream(const uint8* bytes, size_t length)
{
	return length >= 4 && big_endian_int32(bytes) == B_TRANSLATOR_BITMAP;
}


status_t
read_bitmap_header(BPositionIO* source, BitmapStreamHeader* header)
{
	uint8 bytes[sizeof(TranslatorBitmap)];
	ssize_t got = source->Read(bytes, sizeof(bytes));
	if (got < 4 || !is_bitmap_stream(bytes, (size_t)got))
		return B_NO_TRANSLATOR;
	if (got != (ssize_t)sizeof(bytes))
		return B_ILLEGAL_DATA;
	float left = big_endian_float(bytes + 4);
	float top = big_endian_float(bytes + 8);
	float right = big_endian_float(bytes + 12);
	float bottom = big_endian_float(bytes + 16);
	uint32 rowBytes = big_endian_int32(bytes + 20);
	int32 space = (int32)big_endian_int32(bytes + 24);
	uint32 dataSize = big_endian_int32(bytes + 28);
	if (!is_whole(left) || !is_whole(top) || !is_whole(right) || !is_whole(bottom)
		|| right < left || bottom < top)
		return B_ILLEGAL_DATA;
	float width = right - left + 1;
	float height = bottom - top + 1;
	if (width > kMaxImageDimension || height > kMaxImageDimension)
		return B_ILLEGAL_DATA;
	header->bounds.Set(left, top, right, bottom);
	header->width = (int32)width;
	header->height = (int32)height;
	header->space = ColorSpaceFrom(space);
	header->rowBytes = rowBytes;
	int32 minimum = MinimumBytesPerRow(header->space, header->width);
	// Rows may be padded, but no wider than four bytes a pixel and some slack.
	if (header->space == B_NO_COLOR_SPACE || minimum < 0 || rowBytes < (uint32)minimum
		|| rowBytes > (uint32)header->width * 4 + 64
		|| (uint64)rowBytes * header->height > kMaxImageBytes
		|| dataSize != rowBytes * (uint32)header->height)
		return B_ILLEGAL_DATA;
	return B_OK;
}


status_t
read_bitmap_stream(BPositionIO* source, ImageData* image)
{
	BitmapStreamHeader header;
	status_t status = read_bitmap_header(source, &header);
	if (status != B_OK)
		return status;
	status = image->Allocate(header.width, header.height);
	if (status != B_OK)
		return B_ILLEGAL_DATA;
	image->hasAlpha = false;
	std::vector<uint8> row(header.rowBytes);
	for (int32 y = 0; y < header.height; y++) {
		if (source->Read(row.data(), row.size()) != (ssize_t)row.size())
			return B_ILLEGAL_DATA;
		uint8* out = image->Row(y);
		for (int32 x = 0; x < header.width; x++, out += 4) {
			rgb_color color = ReadPixel(row.data(), x, header.space);
			out[0] = color.blue;
			out[1] = color.green;
			out[2] = color.red;
			out[3] = color.alpha;
			if (color.alpha != 255)
				image->hasAlpha = true;
		}
	}
	return B_OK;
}


status_t
write_bitmap_stream(BPositionIO* destination, const ImageData& image)
{
	uint32 rowBytes = (uint32)image.width * 4;
	TranslatorBitmap header;
	header.magic = B_HOST_TO_BENDIAN_INT32(B_TRANSLATOR_BITMAP);
	header.bounds.left = B_HOST_TO_BENDIAN_FLOAT(0.0f);
	header.bounds.top = B_HOST_TO_BENDIAN_FLOAT(0.0f);
	header.bounds.right = B_HOST_TO_BENDIAN_FLOAT((float)(image.width - 1));
	header.bounds.bottom = B_HOST_TO_BENDIAN_FLOAT((float)(image.height - 1));
	header.rowBytes = B_HOST_TO_BENDIAN_INT32(rowBytes);
	header.colors = (color_space)B_HOST_TO_BENDIAN_INT32(
		(uint32)(image.hasAlpha ? B_RGBA32 : B_RGB32));
	header.dataSize = B_HOST_TO_BENDIAN_INT32(rowBytes * (uint32)image.height);
	status_t status = write_all(destination, &header, sizeof(header));
	if (status != B_OK)
		return status;
	return write_all(destination, image.pixels.data(), image.pixels.size());
}


status_t
read_to_end(BPositionIO* source, std::vector<uint8>* bytes)
{
	bytes->clear();
	uint8 chunk[kCopyChunk];
	while (true) {
		ssize_t got = source->Read(chunk, sizeof(chunk));
		if (got < 0)
			return (status_t)got;
		if (got == 0)
			return B_OK;
		if (bytes->size() + (size_t)got > kMaxEncodedBytes)
			return B_NO_MEMORY;
		bytes->insert(bytes->end(), chunk, chunk + got);
	}
}


ssize_t
peek(BPositionIO* source, uint8* buffer, size_t length)
{
	off_t start = source->Position();
	if (start < 0)
		return (ssize_t)start;
	ssize_t got = source->Read(buffer, length);
	source->Seek(start, SEEK_SET);
	return got;
}


status_t
write_all(BPositionIO* destination, const void* data, size_t length)
{
	ssize_t written = destination->Write(data, length);
	if (written < 0)
		return (status_t)written;
	return (size_t)written == length ? B_OK : B_IO_ERROR;
}


status_t
copy_to_end(BPositionIO* source, BPositionIO* destination)
{
	uint8 chunk[kCopyChunk];
	while (true) {
		ssize_t got = source->Read(chunk, sizeof(chunk));
		if (got <= 0)
			return (status_t)got;
		status_t status = write_all(destination, chunk, (size_t)got);
		if (status != B_OK)
			return status;
	}
}

} // namespace BPrivate
