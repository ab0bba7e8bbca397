#include "ResourceEncoders.h"

#include <Message.h>
#include <Rect.h>
#include <TypeConstants.h>

#include <string.h>

namespace {

// An archived bitmap records its colour space by number: 4 is B_CMAP8.
const int32 kColorSpaceCMap8 = 4;
// B_BITMAP_CLEAR_TO_WHITE, as an archived bitmap from the platform carries.
const int32 kBitmapFlags = 1;

} // namespace


void
append_uint32(std::vector<uint8>* data, uint32 value)
{
	for (int shift = 0; shift < 32; shift += 8)
		data->push_back((uint8)(value >> shift));
}


void
append_version(std::vector<uint8>* data, const version_info& version)
{
	append_uint32(data, version.major);
	append_uint32(data, version.middle);
	append_uint32(data, version.minor);
	append_uint32(data, version.variety);
	append_uint32(data, version.internal);
	data->insert(data->end(), version.short_info,
		version.short_info + sizeof(version.short_info));
	data->insert(data->end(), version.long_info,
		version.long_info + sizeof(version.long_info));
}


status_t
append_message(std::vector<uint8>* data, const BMessage& message)
{
	ssize_t size = message.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	size_t start = data->size();
	data->resize(start + size);
	status_t status = message.Flatten(reinterpret_cast<char*>(data->data() + start), size);
	if (status != B_OK)
		data->resize(start);
	return status;
}


status_t
append_cmap8_bitmap(std::vector<uint8>* data, int32 width, int32 height,
	const std::vector<uint8>& pixels)
{
	if (width <= 0 || height <= 0 || pixels.size() != (size_t)width * height)
		return B_BAD_VALUE;

	// Rows are padded to whole 32-bit words, as bitmaps keep them in memory.
	int32 bytesPerRow = (width + 3) & ~3;
	std::vector<uint8> bits((size_t)bytesPerRow * height, 0);
	for (int32 row = 0; row < height; row++)
		memcpy(bits.data() + (size_t)row * bytesPerRow, pixels.data() + (size_t)row * width, width);

	BMessage archive;
	status_t status = archive.AddString("class", "BBitmap");
	if (status == B_OK)
		status = archive.AddRect("_frame", BRect(0, 0, width - 1, height - 1));
	if (status == B_OK)
		status = archive.AddInt32("_cspace", kColorSpaceCMap8);
	if (status == B_OK)
		status = archive.AddInt32("_bmflags", kBitmapFlags);
	if (status == B_OK)
		status = archive.AddInt32("_rowbytes", bytesPerRow);
	if (status == B_OK)
		status = archive.AddData("_data", B_RAW_TYPE, bits.data(), bits.size());
	if (status != B_OK)
		return status;
	return append_message(data, archive);
}
