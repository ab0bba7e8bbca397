#include "storage/ResourceContainer.h"

#include "storage/ExecutableExtent.h"

#include <string.h>

#include <algorithm>
#include <set>
#include <utility>

namespace BPrivate {

namespace {

const char kHeaderMagic[4] = { 'Q', 'R', 'S', 'C' };
const char kTrailerMagic[8] = { 'Q', 'R', 'S', 'C', 'T', 'A', 'I', 'L' };
const uint32 kFormatVersion = 1;

const size_t kHeaderSize = 16;
const size_t kEntrySize = 24;
const size_t kTrailerSize = 16;

const uint64 kMaxContainerSize = 64 * 1024 * 1024;
const uint64 kMaxCount = 65536;
const uint64 kMaxNameLength = 255;


uint32
read_uint32(const uint8* bytes)
{
	return (uint32)bytes[0] | (uint32)bytes[1] << 8 | (uint32)bytes[2] << 16
		| (uint32)bytes[3] << 24;
}


uint64
read_uint64(const uint8* bytes)
{
	return (uint64)read_uint32(bytes) | (uint64)read_uint32(bytes + 4) << 32;
}


void
append_uint32(std::vector<uint8>& out, uint32 value)
{
	for (int shift = 0; shift < 32; shift += 8)
		out.push_back((uint8)(value >> shift));
}


void
append_uint64(std::vector<uint8>& out, uint64 value)
{
	append_uint32(out, (uint32)value);
	append_uint32(out, (uint32)(value >> 32));
}


// A name or data block inside the heap, for the overlap check.
struct Extent {
	uint64	start;
	uint64	end;
};

} // namespace


status_t
parse_resource_container(const uint8* bytes, size_t size, ResourceItemList* items)
{
	items->clear();
	if (size < kHeaderSize + kTrailerSize || size > kMaxContainerSize
		|| memcmp(bytes, kHeaderMagic, sizeof(kHeaderMagic)) != 0
		|| read_uint32(bytes + 4) != kFormatVersion || read_uint32(bytes + 12) != 0)
		return B_BAD_DATA;

	uint64 count = read_uint32(bytes + 8);
	uint64 heapEnd = size - kTrailerSize;
	if (count > kMaxCount || count > (heapEnd - kHeaderSize) / kEntrySize)
		return B_BAD_DATA;
	uint64 heapStart = kHeaderSize + count * kEntrySize;

	// Offsets and sizes are 32-bit and the container is at most 64 MiB, so no sum below
	// overflows 64 bits.
	std::vector<Extent> extents;
	std::set<std::pair<uint32, int32>> keys;
	ResourceItemList parsed;
	parsed.reserve(count);
	for (uint64 index = 0; index < count; index++) {
		const uint8* entry = bytes + kHeaderSize + index * kEntrySize;
		uint32 type = read_uint32(entry);
		int32 id = (int32)read_uint32(entry + 4);
		uint64 nameOffset = read_uint32(entry + 8);
		uint64 nameLength = read_uint32(entry + 12);
		uint64 dataOffset = read_uint32(entry + 16);
		uint64 dataSize = read_uint32(entry + 20);

		if (!keys.insert(std::make_pair(type, id)).second)
			return B_BAD_DATA;

		if (nameOffset == 0) {
			if (nameLength != 0)
				return B_BAD_DATA;
		} else {
			if (nameLength > kMaxNameLength || nameOffset < heapStart
				|| nameOffset + nameLength + 1 > heapEnd
				|| memchr(bytes + nameOffset, '\0', nameLength) != NULL
				|| bytes[nameOffset + nameLength] != '\0')
				return B_BAD_DATA;
			extents.push_back({ nameOffset, nameOffset + nameLength + 1 });
		}

		if (dataOffset < heapStart || dataOffset + dataSize > heapEnd)
			return B_BAD_DATA;
		if (dataSize > 0)
			extents.push_back({ dataOffset, dataOffset + dataSize });

		std::unique_ptr<ResourceItem> item(new(std::nothrow) ResourceItem);
		if (!item)
			return B_NO_MEMORY;
		item->type = type;
		item->id = id;
		item->name.assign(reinterpret_cast<const char*>(bytes + nameOffset), nameLength);
		item->data.assign(bytes + dataOffset, bytes + dataOffset + dataSize);
		parsed.push_back(std::move(item));
	}

	std::sort(extents.begin(), extents.end(),
		[](const Extent& a, const Extent& b) { return a.start < b.start; });
	for (size_t i = 1; i < extents.size(); i++) {
		if (extents[i].start < extents[i - 1].end)
			return B_BAD_DATA;
	}

	*items = std::move(parsed);
	return B_OK;
}


status_t
read_resource_container(BPositionIO& io, off_t* start, ResourceItemList* items)
{
	items->clear();
	off_t fileSize;
	status_t status = io.GetSize(&fileSize);
	if (status != B_OK)
		return status;
	if (fileSize == 0) {
		*start = 0;
		return B_OK;
	}

	uint8 trailer[kTrailerSize];
	bool hasTrailer = fileSize >= (off_t)kTrailerSize
		&& io.ReadAt(fileSize - kTrailerSize, trailer, kTrailerSize)
			== (ssize_t)kTrailerSize
		&& memcmp(trailer + 8, kTrailerMagic, sizeof(kTrailerMagic)) == 0;
	if (!hasTrailer) {
		// Only a whole ELF image with nothing after it is a file without resources.
		off_t extent;
		if (get_executable_extent(io, &extent) != B_OK || extent != fileSize)
			return B_BAD_DATA;
		*start = fileSize;
		return B_OK;
	}

	uint64 containerSize = read_uint64(trailer);
	if (containerSize < kHeaderSize + kTrailerSize || containerSize > kMaxContainerSize
		|| containerSize > (uint64)fileSize)
		return B_BAD_DATA;

	off_t containerStart = fileSize - (off_t)containerSize;
	std::vector<uint8> bytes(containerSize);
	if (io.ReadAt(containerStart, bytes.data(), containerSize) != (ssize_t)containerSize)
		return B_BAD_DATA;
	status = parse_resource_container(bytes.data(), containerSize, items);
	if (status == B_OK)
		*start = containerStart;
	return status;
}


off_t
clobber_position(BPositionIO& io)
{
	off_t fileSize;
	off_t extent;
	if (io.GetSize(&fileSize) != B_OK || get_executable_extent(io, &extent) != B_OK)
		return 0;
	return std::min(extent, fileSize);
}


status_t
write_resource_container(BPositionIO& io, off_t start, const ResourceItemList& items)
{
	if (start < 0 || items.size() > kMaxCount)
		return B_BAD_VALUE;

	uint64 heapSize = 0;
	for (const std::unique_ptr<ResourceItem>& item : items) {
		if (item->name.size() > kMaxNameLength
			|| item->name.find('\0') != std::string::npos)
			return B_BAD_VALUE;
		if (!item->name.empty())
			heapSize += item->name.size() + 1;
		heapSize += item->data.size();
	}
	uint64 heapStart = kHeaderSize + items.size() * kEntrySize;
	uint64 containerSize = heapStart + heapSize + kTrailerSize;
	if (containerSize > kMaxContainerSize)
		return B_BAD_VALUE;

	std::vector<uint8> out;
	out.reserve(containerSize);
	out.insert(out.end(), kHeaderMagic, kHeaderMagic + sizeof(kHeaderMagic));
	append_uint32(out, kFormatVersion);
	append_uint32(out, (uint32)items.size());
	append_uint32(out, 0);

	// Names first, then data, each in index order.
	uint64 offset = heapStart;
	std::vector<uint64> nameOffsets;
	for (const std::unique_ptr<ResourceItem>& item : items) {
		nameOffsets.push_back(item->name.empty() ? 0 : offset);
		if (!item->name.empty())
			offset += item->name.size() + 1;
	}
	for (size_t index = 0; index < items.size(); index++) {
		const ResourceItem& item = *items[index];
		append_uint32(out, item.type);
		append_uint32(out, (uint32)item.id);
		append_uint32(out, (uint32)nameOffsets[index]);
		append_uint32(out, (uint32)item.name.size());
		append_uint32(out, (uint32)offset);
		append_uint32(out, (uint32)item.data.size());
		offset += item.data.size();
	}
	for (const std::unique_ptr<ResourceItem>& item : items) {
		if (!item->name.empty()) {
			out.insert(out.end(), item->name.begin(), item->name.end());
			out.push_back('\0');
		}
	}
	for (const std::unique_ptr<ResourceItem>& item : items)
		out.insert(out.end(), item->data.begin(), item->data.end());
	append_uint64(out, containerSize);
	out.insert(out.end(), kTrailerMagic, kTrailerMagic + sizeof(kTrailerMagic));

	for (size_t written = 0; written < out.size();) {
		ssize_t result = io.WriteAt(start + written, out.data() + written,
			out.size() - written);
		if (result < 0)
			return (status_t)result;
		if (result == 0)
			return B_IO_ERROR;
		written += result;
	}
	return io.SetSize(start + (off_t)out.size());
}

} // namespace BPrivate
