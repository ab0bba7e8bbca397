// The platform's resource files. Every count, offset and length comes from the file and is
// checked against the bytes that remain before it is used.
#include "PlatformResourceFile.h"

#include <AppFileInfo.h>

#include <algorithm>
#include <set>
#include <string.h>
#include <utility>

namespace {

const uint32 kResourceMagic = 0x444f1000;
// PowerPC files start with a 40-byte container header, x86 files with 4 bytes of which only
// the first two are written: some tools of the platform left the other two as they found
// them; the header's magic after them decides.
const uint8 kPowerPCPrefix[8] = { 'J', 'o', 'y', '!', 'r', 'e', 's', 'f' };
const size_t kPowerPCHeaderStart = 40;
const uint8 kX86Prefix[2] = { 'R', 'S' };
const size_t kX86HeaderStart = 4;
// Magic, resource count, table offset and the size of everything before the data.
const size_t kHeaderSize = 16;
// A table entry: the offset and size of a block, and a field no reader needs.
const size_t kEntrySize = 12;
// The entry that holds the block of types, ids and names; resource index i is entry
// kInfoEntry + i.
const uint32 kInfoEntry = 10;
// The table holds at most this many entries: larger files are refused.
const uint32 kMaxEntries = 4096;
const size_t kMaxFileSize = 64 * 1024 * 1024;
// As in the kit's own containers.
const size_t kMaxNameLength = 255;
// The end of one type's list: an id and an index of -1.
const uint32 kEndOfList = 0xffffffff;
// The fixed size of a version record, of which the first five fields are numbers.
const size_t kVersionRecordSize = sizeof(version_info);
const size_t kVersionNumbers = 5;


class Reader {
public:
	Reader(const uint8* data, size_t size, size_t start, bool bigEndian)
		:
		fData(data),
		fSize(size),
		fStart(start),
		fBigEndian(bigEndian)
	{
	}

	// Offsets count from the header; false when the value lies outside the file.
	bool Read32(size_t offset, uint32* value) const
	{
		if (!Contains(offset, 4))
			return false;
		*value = Swap(fData + fStart + offset, 4);
		return true;
	}

	bool Read16(size_t offset, uint16* value) const
	{
		if (!Contains(offset, 2))
			return false;
		*value = (uint16)Swap(fData + fStart + offset, 2);
		return true;
	}

	bool Contains(size_t offset, size_t length) const
	{
		size_t available = fSize - fStart;
		return offset <= available && length <= available - offset;
	}

	const uint8* At(size_t offset) const { return fData + fStart + offset; }
	bool BigEndian() const { return fBigEndian; }

private:
	uint32 Swap(const uint8* bytes, int count) const
	{
		uint32 value = 0;
		for (int i = 0; i < count; i++) {
			int shift = fBigEndian ? 8 * (count - 1 - i) : 8 * i;
			value |= (uint32)bytes[i] << shift;
		}
		return value;
	}

	const uint8* fData;
	size_t fSize;
	size_t fStart;
	bool fBigEndian;
};


// Where the header starts and the byte order, from the prefix; 0 when there is none.
size_t
header_start(const uint8* data, size_t size, bool* bigEndian)
{
	if (size >= kPowerPCHeaderStart + 4
		&& memcmp(data, kPowerPCPrefix, sizeof(kPowerPCPrefix)) == 0) {
		*bigEndian = true;
		return kPowerPCHeaderStart;
	}
	if (size >= kX86HeaderStart + 4 && memcmp(data, kX86Prefix, sizeof(kX86Prefix)) == 0) {
		*bigEndian = false;
		return kX86HeaderStart;
	}
	return 0;
}


void
swap32(uint8* bytes)
{
	std::swap(bytes[0], bytes[3]);
	std::swap(bytes[1], bytes[2]);
}


// Numbers in the data of the types whose layout the kit knows come in the file's byte
// order; they are turned into this machine's (little-endian).
void
convert_data(type_code type, bool bigEndian, std::vector<uint8>* data)
{
	if (!bigEndian)
		return;
	if (type == 'APPF' && data->size() == 4) {
		swap32(data->data());
	} else if (type == 'APPV') {
		for (size_t record = 0; record + kVersionRecordSize <= data->size();
				record += kVersionRecordSize) {
			for (size_t i = 0; i < kVersionNumbers; i++)
				swap32(data->data() + record + 4 * i);
		}
	}
}


struct Found {
	uint32 index;
	CompiledResource resource;
};


bool
fail(std::string* error, const std::string& why, std::vector<CompiledResource>* resources)
{
	*error = why;
	resources->clear();
	return false;
}

} // namespace


bool
is_platform_resource_file(const uint8* data, size_t size)
{
	bool bigEndian;
	size_t start = header_start(data, size, &bigEndian);
	if (start == 0)
		return false;
	uint32 magic;
	return Reader(data, size, start, bigEndian).Read32(0, &magic) && magic == kResourceMagic;
}


bool
read_platform_resources(const uint8* data, size_t size,
	std::vector<CompiledResource>* resources, std::string* error)
{
	resources->clear();
	if (size > kMaxFileSize)
		return fail(error, "the file is larger than 64 MiB", resources);
	bool bigEndian = false;
	size_t start = header_start(data, size, &bigEndian);
	if (start == 0)
		return fail(error, "not a resource file of the platform (unknown prefix)", resources);
	Reader reader(data, size, start, bigEndian);

	uint32 magic, tableOffset;
	if (!reader.Contains(0, kHeaderSize) || !reader.Read32(0, &magic)
		|| magic != kResourceMagic) {
		return fail(error, "not a resource file of the platform (bad magic)", resources);
	}
	reader.Read32(8, &tableOffset);

	// The table's first entry describes the table itself.
	uint32 firstOffset, tableSize;
	if (tableOffset < kHeaderSize || !reader.Read32(tableOffset, &firstOffset)
		|| !reader.Read32(tableOffset + 4, &tableSize) || firstOffset != tableOffset
		|| !reader.Contains(tableOffset, tableSize)) {
		return fail(error, "the resource table lies outside the file", resources);
	}
	uint32 entries = tableSize / kEntrySize;
	if (entries > kMaxEntries || entries <= kInfoEntry)
		return fail(error, "the resource table has a bad size", resources);
	// The header's count is not used: the platform's tools left it stale in files they
	// rewrote, and the block of names lists what the file holds.

	uint32 infoOffset, infoSize;
	reader.Read32(tableOffset + kInfoEntry * kEntrySize, &infoOffset);
	reader.Read32(tableOffset + kInfoEntry * kEntrySize + 4, &infoSize);
	if (!reader.Contains(infoOffset, infoSize))
		return fail(error, "the block of resource names lies outside the file", resources);

	// The block is a list per type: the type, then entries of an id, an index and a
	// counted, NUL-terminated name, ended by an id and an index of -1. Fewer bytes than
	// an empty list takes end it (PowerPC files carry 8 more).
	std::vector<Found> found;
	std::set<std::pair<type_code, int32>> seenIds;
	std::set<uint32> seenIndices;
	size_t position = infoOffset;
	size_t end = (size_t)infoOffset + infoSize;
	while (end - position >= 12) {
		uint32 type;
		reader.Read32(position, &type);
		position += 4;
		for (;;) {
			uint32 id, index;
			if (end - position < 8)
				return fail(error, "a list of resources is cut short", resources);
			reader.Read32(position, &id);
			reader.Read32(position + 4, &index);
			position += 8;
			if (id == kEndOfList && index == kEndOfList)
				break;

			uint16 nameLength;
			if (end - position < 2 || !reader.Read16(position, &nameLength))
				return fail(error, "a resource's name is cut short", resources);
			position += 2;
			if (nameLength > end - position || nameLength > kMaxNameLength + 1)
				return fail(error, "a resource's name is too long", resources);
			const char* name = (const char*)reader.At(position);
			if (nameLength > 0 && (name[nameLength - 1] != '\0'
					|| strlen(name) != (size_t)nameLength - 1)) {
				return fail(error, "a resource's name is not terminated", resources);
			}
			position += nameLength;

			if (index == 0 || index >= entries - kInfoEntry)
				return fail(error, "a resource's index lies outside the table", resources);
			if (!seenIndices.insert(index).second)
				return fail(error, "two resources share one index", resources);
			if (!seenIds.insert({ type, (int32)id }).second)
				return fail(error, "two resources share a type and an id", resources);

			uint32 entry = tableOffset + (kInfoEntry + index) * kEntrySize;
			uint32 dataOffset, dataSize;
			reader.Read32(entry, &dataOffset);
			reader.Read32(entry + 4, &dataSize);
			if (!reader.Contains(dataOffset, dataSize))
				return fail(error, "a resource's data lies outside the file", resources);

			Found item;
			item.index = index;
			item.resource.type = type;
			item.resource.id = (int32)id;
			if (nameLength > 0)
				item.resource.name.assign(name, nameLength - 1);
			item.resource.data.assign(reader.At(dataOffset), reader.At(dataOffset) + dataSize);
			convert_data(type, bigEndian, &item.resource.data);
			found.push_back(std::move(item));
		}
	}
	std::sort(found.begin(), found.end(),
		[](const Found& a, const Found& b) { return a.index < b.index; });
	for (Found& item : found)
		resources->push_back(std::move(item.resource));
	return true;
}
