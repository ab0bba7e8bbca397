#include "storage/ExecutableExtent.h"

#include <string.h>

#include <algorithm>
#include <vector>

namespace BPrivate {

namespace {

const uint8 kElfMagic[4] = { 0x7f, 'E', 'L', 'F' };
const uint8 kElfClass32 = 1;
const uint8 kElfClass64 = 2;
const uint8 kElfLittleEndian = 1;
const uint32 kSectionNoBits = 8;

// Offsets of what we need in the two classes of ELF file.
struct ElfLayout {
	size_t	headerSize;
	size_t	phOffsetAt, shOffsetAt, phEntrySizeAt, phCountAt, shEntrySizeAt, shCountAt;
	size_t	addressSize;
	size_t	phEntrySize, segmentOffsetAt, segmentSizeAt;
	size_t	shEntrySize, sectionTypeAt, sectionOffsetAt, sectionSizeAt;
};

const ElfLayout kElf32 = { 52, 0x1c, 0x20, 0x2a, 0x2c, 0x2e, 0x30, 4,
	32, 0x04, 0x10, 40, 0x04, 0x10, 0x14 };
const ElfLayout kElf64 = { 64, 0x20, 0x28, 0x36, 0x38, 0x3a, 0x3c, 8,
	56, 0x08, 0x20, 64, 0x04, 0x18, 0x20 };


uint64
read_le(const uint8* bytes, size_t size)
{
	uint64 value = 0;
	for (size_t i = size; i > 0; i--)
		value = (value << 8) | bytes[i - 1];
	return value;
}


// Reads a table of count entries of entrySize bytes at offset; its entries must have the
// size the layout expects.
status_t
read_table(BPositionIO& io, uint64 offset, uint64 count, uint64 entrySize,
	size_t expectedEntrySize, std::vector<uint8>* table)
{
	if (count == 0)
		return B_OK;
	if (entrySize != expectedEntrySize)
		return B_BAD_DATA;
	// count and entrySize are 16-bit fields, so the table is at most a few MiB.
	size_t size = count * entrySize;
	table->resize(size);
	if (offset > (uint64)INT64_MAX
		|| io.ReadAt((off_t)offset, table->data(), size) != (ssize_t)size)
		return B_BAD_DATA;
	return B_OK;
}


bool
add_range(uint64 offset, uint64 size, uint64* end)
{
	if (offset > UINT64_MAX - size)
		return false;
	*end = std::max(*end, offset + size);
	return true;
}

} // namespace


status_t
get_executable_extent(BPositionIO& io, off_t* end)
{
	uint8 header[64];
	if (io.ReadAt(0, header, sizeof(header)) != (ssize_t)sizeof(header)
		|| memcmp(header, kElfMagic, sizeof(kElfMagic)) != 0
		|| header[5] != kElfLittleEndian
		|| (header[4] != kElfClass32 && header[4] != kElfClass64))
		return B_BAD_TYPE;

	const ElfLayout& layout = header[4] == kElfClass64 ? kElf64 : kElf32;
	uint64 phOffset = read_le(header + layout.phOffsetAt, layout.addressSize);
	uint64 shOffset = read_le(header + layout.shOffsetAt, layout.addressSize);
	uint64 phEntrySize = read_le(header + layout.phEntrySizeAt, 2);
	uint64 phCount = read_le(header + layout.phCountAt, 2);
	uint64 shEntrySize = read_le(header + layout.shEntrySizeAt, 2);
	uint64 shCount = read_le(header + layout.shCountAt, 2);

	uint64 extent = layout.headerSize;
	std::vector<uint8> segments;
	std::vector<uint8> sections;
	if (!add_range(phOffset, phCount * phEntrySize, &extent)
		|| !add_range(shOffset, shCount * shEntrySize, &extent)
		|| read_table(io, phOffset, phCount, phEntrySize, layout.phEntrySize, &segments)
			!= B_OK
		|| read_table(io, shOffset, shCount, shEntrySize, layout.shEntrySize, &sections)
			!= B_OK)
		return B_BAD_DATA;

	for (size_t at = 0; at < segments.size(); at += layout.phEntrySize) {
		const uint8* entry = segments.data() + at;
		if (!add_range(read_le(entry + layout.segmentOffsetAt, layout.addressSize),
				read_le(entry + layout.segmentSizeAt, layout.addressSize), &extent))
			return B_BAD_DATA;
	}
	for (size_t at = 0; at < sections.size(); at += layout.shEntrySize) {
		const uint8* entry = sections.data() + at;
		if (read_le(entry + layout.sectionTypeAt, 4) == kSectionNoBits)
			continue;
		if (!add_range(read_le(entry + layout.sectionOffsetAt, layout.addressSize),
				read_le(entry + layout.sectionSizeAt, layout.addressSize), &extent))
			return B_BAD_DATA;
	}

	if (extent > (uint64)INT64_MAX)
		return B_BAD_DATA;
	*end = (off_t)extent;
	return B_OK;
}

} // namespace BPrivate
