// The checker of flattened messages: everything that comes from another process goes
// through it before a single byte of it is used.
#include "app/MessageFormat.h"

#include <TypeConstants.h>

#include <string.h>

#include <string_view>
#include <unordered_set>

namespace BPrivate {

namespace {

const char kSpecifiersField[] = "specifiers";

status_t CheckMessage(const uint8* buffer, size_t available, int32 depth,
	MessageHeader* header);


// Names of the fields must be unique; small tables are compared pairwise, larger ones
// through a set.
bool
HasDuplicateNames(const uint8* data, const uint8* entries, uint32 count)
{
	auto name = [&](uint32 i) {
		FieldEntry entry;
		memcpy(&entry, entries + (size_t)i * sizeof(FieldEntry), sizeof(entry));
		return std::string_view((const char*)data + entry.offset, entry.nameLength - 1);
	};
	if (count <= 16) {
		for (uint32 i = 1; i < count; i++) {
			for (uint32 j = 0; j < i; j++) {
				if (name(i) == name(j))
					return true;
			}
		}
		return false;
	}
	std::unordered_set<std::string_view> names;
	names.reserve(count);
	for (uint32 i = 0; i < count; i++) {
		if (!names.insert(name(i)).second)
			return true;
	}
	return false;
}


// Whether size bytes at item are those of the last message checked (none: NULL). A
// different one mostly differs in its last word (an index, in a chain of specifiers),
// which is compared first.
inline bool
IsSameMessage(const uint8* item, const uint8* checked, size_t size, size_t checkedSize)
{
	if (checked == NULL || size != checkedSize || size < sizeof(uint64))
		return false;
	uint64 last;
	uint64 checkedLast;
	memcpy(&last, item + size - sizeof(uint64), sizeof(last));
	memcpy(&checkedLast, checked + size - sizeof(uint64), sizeof(checkedLast));
	return last == checkedLast && memcmp(item, checked, size) == 0;
}


// An item that holds a message must hold exactly one, well formed.
status_t
CheckNestedMessage(const uint8* item, size_t size, int32 depth)
{
	MessageHeader nested;
	status_t status = CheckMessage(item, size, depth, &nested);
	if (status != B_OK)
		return B_BAD_DATA;
	return nested.totalSize == size ? B_OK : B_BAD_DATA;
}


status_t
CheckField(const uint8* data, const FieldEntry& entry, int32 depth)
{
	if ((entry.flags & ~kFieldFixedSize) != 0 || entry.type == B_ANY_TYPE)
		return B_BAD_DATA;
	if (entry.nameLength < 1 || entry.nameLength > kMaxFieldNameLength + 1
		|| entry.count < 1)
		return B_BAD_DATA;

	const char* name = (const char*)data + entry.offset;
	if (memchr(name, '\0', entry.nameLength) != name + entry.nameLength - 1)
		return B_BAD_DATA;

	size_t itemsStart = Align8(entry.nameLength);
	if (itemsStart > entry.size)
		return B_BAD_DATA;
	const uint8* items = data + entry.offset + itemsStart;
	size_t itemsSize = entry.size - itemsStart;
	bool holdsMessages = entry.type == B_MESSAGE_TYPE;

	if ((entry.flags & kFieldFixedSize) != 0) {
		uint64 used = (uint64)entry.count * entry.itemSize;
		if (entry.itemSize == 0 || Align8(used) != itemsSize)
			return B_BAD_DATA;
		for (uint32 i = 0; holdsMessages && i < entry.count; i++) {
			if (CheckNestedMessage(items + (size_t)i * entry.itemSize, entry.itemSize,
					depth + 1) != B_OK)
				return B_BAD_DATA;
		}
		return B_OK;
	}

	if (entry.itemSize != 0)
		return B_BAD_DATA;
	size_t position = 0;
	// The last message checked: one the same byte for byte (a chain of specifiers often
	// repeats one) is as well formed, which comparing tells for a fraction of the cost.
	const uint8* checked = NULL;
	size_t checkedSize = 0;
	for (uint32 i = 0; i < entry.count; i++) {
		if (itemsSize - position < sizeof(ItemHeader))
			return B_BAD_DATA;
		ItemHeader item;
		memcpy(&item, items + position, sizeof(item));
		position += sizeof(ItemHeader);
		if (item.reserved != 0 || Align8(item.size) > itemsSize - position)
			return B_BAD_DATA;
		if (holdsMessages) {
			const uint8* nested = items + position;
			if (!IsSameMessage(nested, checked, item.size, checkedSize)) {
				if (CheckNestedMessage(nested, item.size, depth + 1) != B_OK)
					return B_BAD_DATA;
				checked = nested;
				checkedSize = item.size;
			}
		}
		position += Align8(item.size);
	}
	return position == itemsSize ? B_OK : B_BAD_DATA;
}


status_t
CheckMessage(const uint8* buffer, size_t available, int32 depth, MessageHeader* header)
{
	if (depth > kMaxMessageNesting || available < sizeof(MessageHeader))
		return B_BAD_DATA;
	memcpy(header, buffer, sizeof(MessageHeader));
	if (header->magic != kMessageMagic)
		return B_NOT_A_MESSAGE;
	if (header->version != kMessageFormatVersion
		|| (header->flags & ~kMessageKnownFlags) != 0 || header->reserved != 0)
		return B_BAD_DATA;
	if (header->totalSize > available || header->totalSize > kMaxMessageSize
		|| (uint64)sizeof(MessageHeader) + (uint64)header->fieldCount * sizeof(FieldEntry)
			+ header->dataSize != header->totalSize
		|| header->dataSize % 8 != 0)
		return B_BAD_DATA;

	// The buffer may sit at any address: entries are copied out, never dereferenced.
	const uint8* entries = buffer + sizeof(MessageHeader);
	const uint8* data = buffer + sizeof(MessageHeader)
		+ (size_t)header->fieldCount * sizeof(FieldEntry);

	// Regions follow each other in field order and fill the data area.
	size_t expectedOffset = 0;
	int32 specifierCount = -1;
	for (uint32 i = 0; i < header->fieldCount; i++) {
		FieldEntry entry;
		memcpy(&entry, entries + (size_t)i * sizeof(FieldEntry), sizeof(entry));
		if (entry.offset != expectedOffset || entry.size % 8 != 0
			|| entry.size > header->dataSize - expectedOffset
			|| entry.nameLength > entry.size)
			return B_BAD_DATA;
		status_t status = CheckField(data, entry, depth);
		if (status != B_OK)
			return status;
		if (entry.type == B_MESSAGE_TYPE && entry.nameLength == sizeof(kSpecifiersField)
			&& memcmp(data + entry.offset, kSpecifiersField, sizeof(kSpecifiersField)) == 0)
			specifierCount = entry.count;
		expectedOffset += entry.size;
	}
	if (expectedOffset != header->dataSize
		|| HasDuplicateNames(data, entries, header->fieldCount))
		return B_BAD_DATA;

	if ((header->flags & kMessageHasSpecifiers) != 0) {
		if (specifierCount < 0 || header->currentSpecifier < -1
			|| header->currentSpecifier >= specifierCount)
			return B_BAD_DATA;
	} else if (header->currentSpecifier != -1)
		return B_BAD_DATA;
	return B_OK;
}

} // namespace


status_t
CheckFlattenedMessage(const uint8* buffer, size_t available, MessageHeader* header,
	int32 level)
{
	if (buffer == NULL || header == NULL)
		return B_BAD_VALUE;
	return CheckMessage(buffer, available, level, header);
}


bool
IsValidMessageItem(const void* item, size_t size)
{
	return item != NULL && CheckNestedMessage((const uint8*)item, size, 1) == B_OK;
}

} // namespace BPrivate
