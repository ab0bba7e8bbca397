// An image in memory as the kit's translators pass it between a format and a bitmap
// stream: 32-bit pixels in B_RGBA32's byte order (blue, green, red, alpha), rows without
// padding. The caps bound what any input may make the kit allocate.
#ifndef _IMAGE_DATA_H
#define _IMAGE_DATA_H

#include <DataIO.h>
#include <GraphicsDefs.h>
#include <Rect.h>

#include <vector>

namespace BPrivate {

// The widest and tallest image, and the most pixel bytes (width * height * 4), a
// translator makes or reads.
const int32 kMaxImageDimension = 16384;
const size_t kMaxImageBytes = 64 * 1024 * 1024;
// The most bytes of a file a translator reads into memory to decode.
const size_t kMaxEncodedBytes = 64 * 1024 * 1024;

struct ImageData {
	int32				width = 0;
	int32				height = 0;
	// False when every pixel is opaque: the bitmap stream then says B_RGB32.
	bool				hasAlpha = false;
	std::vector<uint8>	pixels;

	// B_BAD_VALUE for sizes outside the caps; else the pixels are allocated (zero).
	status_t			Allocate(int32 width, int32 height);
	// Sets hasAlpha from the pixels.
	void				UpdateAlpha();
	uint8*				Row(int32 y) { return pixels.data() + (size_t)y * width * 4; }
	const uint8*		Row(int32 y) const { return pixels.data() + (size_t)y * width * 4; }
};

// The checked header of a bitmap stream.
struct BitmapStreamHeader {
	BRect				bounds;
	int32				width;
	int32				height;
	uint32				rowBytes;
	color_space			space;
};

// Whether bytes start like a bitmap stream (its magic).
bool is_bitmap_stream(const uint8* bytes, size_t length);

// Reads and checks a bitmap stream's header at source's position: B_NO_TRANSLATOR when it is
// none, B_ILLEGAL_DATA when its fields break the format or the caps.
status_t read_bitmap_header(BPositionIO* source, BitmapStreamHeader* header);
// Reads a whole bitmap stream from source's position, converting its pixels.
status_t read_bitmap_stream(BPositionIO* source, ImageData* image);
// Writes image as a bitmap stream (B_RGBA32 or B_RGB32).
status_t write_bitmap_stream(BPositionIO* destination, const ImageData& image);

// Reads source from its position to its end: B_NO_MEMORY past kMaxEncodedBytes.
status_t read_to_end(BPositionIO* source, std::vector<uint8>* bytes);
// Reads up to length bytes from source's position and moves back; the count read.
ssize_t peek(BPositionIO* source, uint8* buffer, size_t length);
// Writes all of length, or fails with B_IO_ERROR (or the stream's error).
status_t write_all(BPositionIO* destination, const void* data, size_t length);
// Copies source from its position to its end onto destination.
status_t copy_to_end(BPositionIO* source, BPositionIO* destination);

} // namespace BPrivate

#endif // _IMAGE_DATA_H
