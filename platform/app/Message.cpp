// BMessage's storage, its items and its specifier stack. Its memory layout is the body of
// its flattened form (app/MessageFormat.h); delivery lives in MessageDelivery.cpp and
// printing in MessagePrinting.cpp.
#include <Message.h>

#include <DataIO.h>
#include <Flattenable.h>
#include <String.h>

#include <ctype.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "app/MessageDelivery.h"
#include "app/MessageFormat.h"
#include "storage/EntryRefFlattening.h"

using namespace BPrivate;

namespace {

const char kSpecifiersField[] = "specifiers";

// Streams are read in steps of this size, so that a header announcing a large message
// costs memory only as its bytes actually arrive.
const size_t kStreamChunkSize = 64 * 1024;


// Reads exactly size bytes; B_BAD_DATA when the stream ends first.
status_t
ReadFully(BDataIO* stream, void* buffer, size_t size)
{
	uint8* out = (uint8*)buffer;
	while (size > 0) {
		ssize_t bytesRead = stream->Read(out, size);
		if (bytesRead < 0)
			return (status_t)bytesRead;
		if (bytesRead == 0)
			return B_BAD_DATA;
		out += bytesRead;
		size -= bytesRead;
	}
	return B_OK;
}


status_t
WriteFully(BDataIO* stream, const void* buffer, size_t size)
{
	const uint8* in = (const uint8*)buffer;
	while (size > 0) {
		ssize_t written = stream->Write(in, size);
		if (written < 0)
			return (status_t)written;
		if (written == 0)
			return B_IO_ERROR;
		in += written;
		size -= written;
	}
	return B_OK;
}


inline FieldEntry*
EntryAt(uint8* buffer, int32 field)
{
	return (FieldEntry*)buffer + field;
}


inline ItemHeader
ItemHeaderAt(const uint8* item)
{
	ItemHeader header;
	memcpy(&header, item, sizeof(header));
	return header;
}


// The item of a variable-size field after the one at item.
inline uint8*
NextItem(uint8* item)
{
	return item + sizeof(ItemHeader) + Align8(ItemHeaderAt(item).size);
}


// The item cursor packs, in one word, the field + 1 (16 bits; 0: no cursor), the item's
// index (23 bits) and the offset of its header in the buffer in units of 8 bytes
// (23 bits): a message of at most 64 MiB has fewer items, and offsets, than that.
const int kCursorBits = 23;
const uint64 kCursorMask = ((uint64)1 << kCursorBits) - 1;
const int32 kCursorFields = 0xffff;
// From how many items on a field read backwards is indexed (BMessage::fItemOffsets).
const int32 kIndexedItems = 8;


inline uint64
PackCursor(int32 field, int32 index, size_t offset)
{
	if (field >= kCursorFields || (uint64)index > kCursorMask
		|| offset / 8 > kCursorMask)
		return 0;
	return ((uint64)(field + 1) << (2 * kCursorBits)) | ((uint64)index << kCursorBits)
		| (offset / 8);
}


inline int32
CursorField(uint64 cursor)
{
	return (int32)(cursor >> (2 * kCursorBits)) - 1;
}


inline int32
CursorIndex(uint64 cursor)
{
	return (int32)((cursor >> kCursorBits) & kCursorMask);
}


inline size_t
CursorOffset(uint64 cursor)
{
	return (size_t)(cursor & kCursorMask) * 8;
}

} // namespace


BMessage::BMessage()
	:
	BMessage((uint32)0)
{
}


BMessage::BMessage(uint32 what)
	:
	what(what),
	fBuffer(NULL),
	fBufferSize(0),
	fBufferCapacity(0),
	fFieldCount(0),
	fCurrentSpecifier(-1),
	fFlags(0)
{
}


BMessage::BMessage(const BMessage& other)
	:
	BMessage(other.what)
{
	*this = other;
}


BMessage::~BMessage()
{
	// An unanswered message answers its waiting sender with B_NO_REPLY.
	if (fDelivery != NULL)
		Private(this).ReleaseDelivery();
	free(fItemOffsets.load(std::memory_order_relaxed));
	free(fBuffer);
}


BMessage&
BMessage::operator=(const BMessage& other)
{
	if (this == &other)
		return *this;
	_Clear();
	what = other.what;
	if (other.fBufferSize > 0) {
		fBuffer = (uint8*)malloc(other.fBufferSize);
		// Out of memory leaves an empty message with the right what: nothing better is
		// possible for an assignment.
		if (fBuffer == NULL)
			return *this;
		memcpy(fBuffer, other.fBuffer, other.fBufferSize);
		fBufferSize = fBufferCapacity = other.fBufferSize;
		fFieldCount = other.fFieldCount;
	}
	fCurrentSpecifier = other.fCurrentSpecifier;
	fFlags = other.fFlags;
	return *this;
}


// #pragma mark - Information


status_t
BMessage::GetInfo(type_code typeRequested, int32 index, char** nameFound,
	type_code* typeFound, int32* countFound) const
{
	return GetInfo(typeRequested, index, (const char**)nameFound, typeFound, countFound);
}


status_t
BMessage::GetInfo(type_code typeRequested, int32 index, const char** nameFound,
	type_code* typeFound, int32* countFound) const
{
	if (index < 0)
		return B_BAD_INDEX;
	const uint8* data = fBuffer + fFieldCount * sizeof(FieldEntry);
	int32 matching = 0;
	for (uint32 i = 0; i < fFieldCount; i++) {
		const FieldEntry* entry = EntryAt(fBuffer, i);
		if (typeRequested != B_ANY_TYPE && entry->type != typeRequested)
			continue;
		if (matching++ == index) {
			if (nameFound != NULL)
				*nameFound = (const char*)data + entry->offset;
			if (typeFound != NULL)
				*typeFound = entry->type;
			if (countFound != NULL)
				*countFound = entry->count;
			return B_OK;
		}
	}
	if (nameFound != NULL)
		*nameFound = NULL;
	if (typeFound != NULL)
		*typeFound = 0;
	if (countFound != NULL)
		*countFound = 0;
	return matching == 0 ? B_BAD_TYPE : B_BAD_INDEX;
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound) const
{
	return GetInfo(name, typeFound, countFound, NULL);
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const
{
	return GetInfo(name, typeFound, NULL, fixedSize);
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound,
	bool* fixedSize) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	int32 field = _FindField(name);
	const FieldEntry* entry = field >= 0 ? EntryAt(fBuffer, field) : NULL;
	if (typeFound != NULL)
		*typeFound = entry != NULL ? entry->type : 0;
	if (countFound != NULL)
		*countFound = entry != NULL ? entry->count : 0;
	if (fixedSize != NULL)
		*fixedSize = entry != NULL && (entry->flags & kFieldFixedSize) != 0;
	return entry != NULL ? B_OK : B_NAME_NOT_FOUND;
}


int32
BMessage::CountNames(type_code type) const
{
	if (type == B_ANY_TYPE)
		return fFieldCount;
	int32 count = 0;
	for (uint32 i = 0; i < fFieldCount; i++) {
		if (EntryAt(fBuffer, i)->type == type)
			count++;
	}
	return count;
}


bool
BMessage::IsEmpty() const
{
	return fFieldCount == 0;
}


// System messages have codes of the form '_ABC'.
bool
BMessage::IsSystem() const
{
	char c0 = (char)(what >> 24), c1 = (char)(what >> 16), c2 = (char)(what >> 8);
	char c3 = (char)what;
	return c0 == '_' && isupper((unsigned char)c1) && isupper((unsigned char)c2)
		&& isupper((unsigned char)c3);
}


status_t
BMessage::Rename(const char* oldEntry, const char* newEntry)
{
	if (oldEntry == NULL || newEntry == NULL)
		return B_BAD_VALUE;
	size_t newLength = strlen(newEntry) + 1;
	if (newLength > kMaxFieldNameLength + 1)
		return B_BAD_VALUE;
	int32 field = _FindField(oldEntry);
	if (field < 0)
		return B_NAME_NOT_FOUND;
	if (strcmp(oldEntry, newEntry) == 0)
		return B_OK;
	if (_FindField(newEntry) >= 0)
		return B_NAME_IN_USE;

	size_t oldAligned = Align8(EntryAt(fBuffer, field)->nameLength);
	status_t status = _ResizeRegion(field, 0, oldAligned, Align8(newLength));
	if (status != B_OK)
		return status;
	FieldEntry* entry = EntryAt(fBuffer, field);
	uint8* name = fBuffer + fFieldCount * sizeof(FieldEntry) + entry->offset;
	memset(name, 0, Align8(newLength));
	memcpy(name, newEntry, newLength);
	entry->nameLength = newLength;
	_CheckSpecifiers();
	return B_OK;
}


// #pragma mark - Flattening


ssize_t
BMessage::FlattenedSize() const
{
	return sizeof(MessageHeader) + fBufferSize;
}


status_t
BMessage::Flatten(char* buffer, ssize_t size) const
{
	if (buffer == NULL || size < FlattenedSize())
		return B_BAD_VALUE;
	_WriteHeader(buffer);
	if (fBufferSize > 0)
		memcpy(buffer + sizeof(MessageHeader), fBuffer, fBufferSize);
	return B_OK;
}


void
BMessage::_WriteHeader(void* buffer) const
{
	// Written field by field into place: a header assembled aside and copied as a whole
	// costs a stall on every nested message flattened.
	uint8* out = (uint8*)buffer;
	auto put = [&out](auto value) {
		memcpy(out, &value, sizeof(value));
		out += sizeof(value);
	};
	put(kMessageMagic);
	put(kMessageFormatVersion);
	put(fFlags);
	put(what);
	put(fCurrentSpecifier);
	put(fFieldCount);
	put((uint32)(fBufferSize - fFieldCount * sizeof(FieldEntry)));
	put((uint32)FlattenedSize());
	put((uint32)0);
	static_assert(offsetof(MessageHeader, reserved) + sizeof(uint32) == sizeof(MessageHeader));
}


status_t
BMessage::Unflatten(const char* flatBuffer, ssize_t size)
{
	if (flatBuffer == NULL || size < 0) {
		_Clear();
		what = 0;
		return B_BAD_VALUE;
	}
	return _SetFlattened(flatBuffer, size, true);
}


status_t
BMessage::_SetFlattened(const char* flatBuffer, size_t size, bool check)
{
	MessageHeader header;
	status_t status = B_OK;
	if (check)
		status = CheckFlattenedMessage((const uint8*)flatBuffer, size, &header);
	else
		memcpy(&header, flatBuffer, sizeof(header));
	if (status != B_OK) {
		_Clear();
		what = 0;
		return status;
	}

	size_t bodySize = header.totalSize - sizeof(MessageHeader);
	const uint8* source = (const uint8*)flatBuffer + sizeof(MessageHeader);
	bool inside = fBuffer != NULL && source < fBuffer + fBufferCapacity
		&& source + bodySize > fBuffer;
	if (!inside && bodySize > 0 && bodySize <= fBufferCapacity) {
		// Reading items one after another into the same message allocates nothing.
		_ForgetItems();
		memcpy(fBuffer, source, bodySize);
		what = header.what;
		fBufferSize = bodySize;
		fFieldCount = header.fieldCount;
		fCurrentSpecifier = header.currentSpecifier;
		fFlags = header.flags;
		return B_OK;
	}

	// The source may lie inside this message: copy before releasing the old storage.
	uint8* body = NULL;
	if (bodySize > 0) {
		body = (uint8*)malloc(bodySize);
		if (body == NULL) {
			_Clear();
			what = 0;
			return B_NO_MEMORY;
		}
		memcpy(body, flatBuffer + sizeof(MessageHeader), bodySize);
	}
	_Clear();
	what = header.what;
	fBuffer = body;
	fBufferSize = fBufferCapacity = bodySize;
	fFieldCount = header.fieldCount;
	fCurrentSpecifier = header.currentSpecifier;
	fFlags = header.flags;
	return B_OK;
}


status_t
BMessage::Unflatten(const char* flatBuffer)
{
	if (flatBuffer == NULL)
		return B_BAD_VALUE;
	MessageHeader header;
	memcpy(&header, flatBuffer, sizeof(header));
	if (header.magic != kMessageMagic) {
		_Clear();
		what = 0;
		return B_NOT_A_MESSAGE;
	}
	return Unflatten(flatBuffer, header.totalSize);
}


status_t
BMessage::Flatten(BDataIO* stream, ssize_t* size) const
{
	if (stream == NULL)
		return B_BAD_VALUE;
	char header[sizeof(MessageHeader)];
	_WriteHeader(header);
	status_t status = WriteFully(stream, header, sizeof(header));
	if (status == B_OK && fBufferSize > 0)
		status = WriteFully(stream, fBuffer, fBufferSize);
	if (size != NULL)
		*size = status == B_OK ? FlattenedSize() : 0;
	return status;
}


status_t
BMessage::Unflatten(BDataIO* stream)
{
	if (stream == NULL)
		return B_BAD_VALUE;
	MessageHeader header;
	status_t status = ReadFully(stream, &header, sizeof(header));
	if (status == B_OK && header.magic != kMessageMagic)
		status = B_NOT_A_MESSAGE;
	else if (status == B_OK
		&& (header.totalSize < sizeof(header) || header.totalSize > kMaxMessageSize))
		status = B_BAD_DATA;

	std::vector<char> buffer;
	if (status == B_OK) {
		buffer.resize(sizeof(header));
		memcpy(buffer.data(), &header, sizeof(header));
	}
	while (status == B_OK && buffer.size() < header.totalSize) {
		size_t start = buffer.size();
		size_t chunk = std::min(kStreamChunkSize, header.totalSize - start);
		buffer.resize(start + chunk);
		status = ReadFully(stream, buffer.data() + start, chunk);
	}
	if (status != B_OK) {
		_Clear();
		what = 0;
		return status;
	}
	return Unflatten(buffer.data(), buffer.size());
}


// #pragma mark - Specifiers


status_t
BMessage::AddSpecifier(const char* property)
{
	if (property == NULL)
		return B_BAD_VALUE;
	BMessage specifier(B_DIRECT_SPECIFIER);
	status_t status = specifier.AddString("property", property);
	return status == B_OK ? AddSpecifier(&specifier) : status;
}


status_t
BMessage::AddSpecifier(const char* property, int32 index)
{
	if (property == NULL)
		return B_BAD_VALUE;
	if (index < 0)
		return B_BAD_INDEX;
	BMessage specifier(B_INDEX_SPECIFIER);
	status_t status = specifier.AddString("property", property);
	if (status == B_OK)
		status = specifier.AddInt32("index", index);
	return status == B_OK ? AddSpecifier(&specifier) : status;
}


status_t
BMessage::AddSpecifier(const char* property, int32 index, int32 range)
{
	if (property == NULL)
		return B_BAD_VALUE;
	if (index < 0 || range < 0)
		return B_BAD_INDEX;
	BMessage specifier(B_RANGE_SPECIFIER);
	status_t status = specifier.AddString("property", property);
	if (status == B_OK)
		status = specifier.AddInt32("index", index);
	if (status == B_OK)
		status = specifier.AddInt32("range", range);
	return status == B_OK ? AddSpecifier(&specifier) : status;
}


status_t
BMessage::AddSpecifier(const char* property, const char* name)
{
	if (property == NULL || name == NULL)
		return B_BAD_VALUE;
	BMessage specifier(B_NAME_SPECIFIER);
	status_t status = specifier.AddString("property", property);
	if (status == B_OK)
		status = specifier.AddString("name", name);
	return status == B_OK ? AddSpecifier(&specifier) : status;
}


status_t
BMessage::AddSpecifier(const BMessage* specifier)
{
	if (specifier == NULL)
		return B_BAD_VALUE;
	uint32 count;
	status_t status = _AddMessage(kSpecifiersField, specifier, &count);
	if (status != B_OK)
		return status;
	fCurrentSpecifier = count - 1;
	fFlags |= kMessageHasSpecifiers;
	return B_OK;
}


status_t
BMessage::SetCurrentSpecifier(int32 index)
{
	int32 count = 0;
	if (!HasSpecifiers() || GetInfo(kSpecifiersField, NULL, &count) != B_OK)
		return B_BAD_VALUE;
	if (index < 0 || index >= count)
		return B_BAD_INDEX;
	fCurrentSpecifier = index;
	return B_OK;
}


status_t
BMessage::GetCurrentSpecifier(int32* index, BMessage* specifier, int32* what,
	const char** property) const
{
	if (index != NULL)
		*index = fCurrentSpecifier;
	if (fCurrentSpecifier < 0 || !HasSpecifiers())
		return B_BAD_SCRIPT_SYNTAX;
	if (specifier == NULL) {
		if (what == NULL)
			return B_OK;
		BMessage current;
		status_t status = FindMessage(kSpecifiersField, fCurrentSpecifier, &current);
		if (status == B_OK)
			*what = current.what;
		return status;
	}
	status_t status = FindMessage(kSpecifiersField, fCurrentSpecifier, specifier);
	if (status != B_OK)
		return status;
	if (what != NULL)
		*what = specifier->what;
	if (property != NULL)
		specifier->FindString("property", property);
	return B_OK;
}


bool
BMessage::HasSpecifiers() const
{
	return (fFlags & kMessageHasSpecifiers) != 0;
}


status_t
BMessage::PopSpecifier()
{
	if (fCurrentSpecifier < 0 || !HasSpecifiers())
		return B_BAD_VALUE;
	fCurrentSpecifier--;
	return B_OK;
}


// Keeps the stack's cursor within the field "specifiers" after it shrank or went away.
void
BMessage::_CheckSpecifiers()
{
	if (!HasSpecifiers())
		return;
	type_code type;
	int32 count;
	if (GetInfo(kSpecifiersField, &type, &count) != B_OK || type != B_MESSAGE_TYPE) {
		fFlags &= ~kMessageHasSpecifiers;
		fCurrentSpecifier = -1;
	} else if (fCurrentSpecifier >= count)
		fCurrentSpecifier = count - 1;
}


// #pragma mark - Adding


status_t
BMessage::AddString(const char* name, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return AddData(name, B_STRING_TYPE, string, strlen(string) + 1, false);
}


status_t
BMessage::AddString(const char* name, const BString& string)
{
	return AddData(name, B_STRING_TYPE, string.String(), string.Length() + 1, false);
}


status_t
BMessage::AddMessage(const char* name, const BMessage* message)
{
	uint32 count;
	return _AddMessage(name, message, &count);
}


status_t
BMessage::_AddMessage(const char* name, const BMessage* message, uint32* count)
{
	if (message == NULL)
		return B_BAD_VALUE;
	if (message == this) {
		BMessage copy(*this);
		return _AddMessage(name, &copy, count);
	}
	ssize_t size = message->FlattenedSize();
	void* item;
	status_t status = _AddUninitialized(name, B_MESSAGE_TYPE, size, false, &item, count);
	if (status != B_OK)
		return status;
	message->Flatten((char*)item, size);
	// A message in memory keeps every rule of the format but the nesting limit, which only
	// a message holding messages can break: refused here rather than by whoever receives
	// it.
	if (message->CountNames(B_MESSAGE_TYPE) > 0 && !IsValidMessageItem(item, size)) {
		int32 count = 0;
		GetInfo(name, NULL, &count);
		RemoveData(name, count - 1);
		return B_BAD_VALUE;
	}
	return B_OK;
}


status_t
BMessage::AddRef(const char* name, const entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	size_t size = FlattenedEntryRefSize(*ref);
	void* item;
	status_t status = _AddUninitialized(name, B_REF_TYPE, size, false, &item);
	if (status == B_OK)
		FlattenEntryRef(*ref, item, size);
	return status;
}


status_t
BMessage::AddFlat(const char* name, BFlattenable* object, int32 count)
{
	if (object == NULL)
		return B_BAD_VALUE;
	ssize_t size = object->FlattenedSize();
	if (size < 0)
		return (status_t)size;
	void* item;
	status_t status = _AddUninitialized(name, object->TypeCode(), size,
		object->IsFixedSize(), &item);
	if (status != B_OK)
		return status;
	status = object->Flatten(item, size);
	// Message items are trusted once in: they must be messages a receiver would accept.
	if (status == B_OK && object->TypeCode() == B_MESSAGE_TYPE
		&& !IsValidMessageItem(item, size))
		status = B_BAD_VALUE;
	if (status != B_OK) {
		int32 items = 0;
		GetInfo(name, NULL, &items);
		RemoveData(name, items - 1);
	}
	return status;
}


status_t
BMessage::AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
	bool isFixedSize, int32 count)
{
	if (numBytes < 0 || (data == NULL && numBytes > 0))
		return B_BAD_VALUE;
	// What a message holds must be sendable as it is.
	if (type == B_MESSAGE_TYPE && !IsValidMessageItem(data, numBytes))
		return B_BAD_VALUE;
	// Data from this very message would move under our feet.
	const uint8* source = (const uint8*)data;
	if (fBuffer != NULL && source >= fBuffer && source < fBuffer + fBufferSize) {
		BMessage copy(*this);
		const uint8* copied = copy.fBuffer + (source - fBuffer);
		void* item;
		status_t status = _AddUninitialized(name, type, numBytes, isFixedSize, &item);
		if (status == B_OK)
			memcpy(item, copied, numBytes);
		return status;
	}
	void* item;
	status_t status = _AddUninitialized(name, type, numBytes, isFixedSize, &item);
	if (status == B_OK && numBytes > 0)
		memcpy(item, data, numBytes);
	return status;
}


status_t
BMessage::_AddUninitialized(const char* name, type_code type, size_t size, bool isFixedSize,
	void** item, uint32* count)
{
	if (name == NULL)
		return B_BAD_VALUE;
	if (type == B_ANY_TYPE)
		return B_BAD_TYPE;
	if (size > kMaxMessageSize)
		return B_NO_MEMORY;

	int32 field = _FindField(name);
	if (field >= 0) {
		FieldEntry* entry = EntryAt(fBuffer, field);
		if (entry->type != type)
			return B_BAD_TYPE;
		size_t regionEnd = entry->size;
		size_t itemOffset;
		status_t status;
		if ((entry->flags & kFieldFixedSize) != 0) {
			if (size != entry->itemSize)
				return B_BAD_VALUE;
			size_t itemsStart = Align8(entry->nameLength);
			size_t used = (size_t)entry->count * size;
			itemOffset = itemsStart + used;
			size_t grow = Align8(used + size) - Align8(used);
			status = _ResizeRegion(field, regionEnd, 0, grow);
			if (status != B_OK)
				return status;
		} else {
			status = _ResizeRegion(field, regionEnd, 0, sizeof(ItemHeader) + Align8(size));
			if (status != B_OK)
				return status;
			ItemHeader header = { (uint32)size, 0 };
			memcpy(fBuffer + fFieldCount * sizeof(FieldEntry) + EntryAt(fBuffer, field)->offset
				+ regionEnd, &header, sizeof(header));
			itemOffset = regionEnd + sizeof(ItemHeader);
		}
		entry = EntryAt(fBuffer, field);
		entry->count++;
		if (count != NULL)
			*count = entry->count;
		uint8* region = fBuffer + fFieldCount * sizeof(FieldEntry) + entry->offset;
		// Padding is kept zero so that equal messages flatten to equal bytes; the caller
		// fills the item.
		memset(region + itemOffset + size, 0, entry->size - itemOffset - size);
		*item = region + itemOffset;
		return B_OK;
	}

	if (isFixedSize && size == 0)
		return B_BAD_VALUE;
	size_t nameLength = strlen(name) + 1;
	if (nameLength > kMaxFieldNameLength + 1)
		return B_BAD_VALUE;
	size_t itemsSize = isFixedSize ? Align8(size) : sizeof(ItemHeader) + Align8(size);
	size_t regionSize = Align8(nameLength) + itemsSize;
	if (sizeof(MessageHeader) + fBufferSize + sizeof(FieldEntry) + regionSize
			> kMaxMessageSize)
		return B_NO_MEMORY;

	size_t tableSize = fFieldCount * sizeof(FieldEntry);
	size_t dataSize = fBufferSize - tableSize;
	status_t status = _Splice(fBufferSize, 0, regionSize);
	if (status == B_OK)
		status = _Splice(tableSize, 0, sizeof(FieldEntry));
	if (status != B_OK) {
		fBufferSize = tableSize + dataSize;
		return status;
	}

	FieldEntry* entry = EntryAt(fBuffer, fFieldCount);
	entry->type = type;
	entry->flags = isFixedSize ? kFieldFixedSize : 0;
	entry->nameLength = nameLength;
	entry->count = 1;
	entry->offset = dataSize;
	entry->size = regionSize;
	entry->itemSize = isFixedSize ? size : 0;
	fFieldCount++;
	if (count != NULL)
		*count = 1;

	uint8* region = fBuffer + fFieldCount * sizeof(FieldEntry) + dataSize;
	memset(region, 0, regionSize);
	memcpy(region, name, nameLength);
	uint8* itemStart = region + Align8(nameLength);
	if (!isFixedSize) {
		ItemHeader header = { (uint32)size, 0 };
		memcpy(itemStart, &header, sizeof(header));
		itemStart += sizeof(header);
	}
	*item = itemStart;
	return B_OK;
}


// #pragma mark - Removing


status_t
BMessage::RemoveData(const char* name, int32 index)
{
	int32 field;
	status_t status = _Locate(name, B_ANY_TYPE, index, &field);
	if (status != B_OK)
		return status;
	FieldEntry* entry = EntryAt(fBuffer, field);
	if (entry->count == 1) {
		_RemoveField(field);
		_CheckSpecifiers();
		return B_OK;
	}

	uint8* region = fBuffer + fFieldCount * sizeof(FieldEntry) + entry->offset;
	if ((entry->flags & kFieldFixedSize) != 0) {
		size_t itemSize = entry->itemSize;
		size_t itemsStart = Align8(entry->nameLength);
		size_t used = (size_t)entry->count * itemSize;
		uint8* removed = region + itemsStart + index * itemSize;
		memmove(removed, removed + itemSize, used - (index + 1) * itemSize);
		size_t shrink = Align8(used) - Align8(used - itemSize);
		memset(region + itemsStart + used - itemSize, 0,
			Align8(used) - (used - itemSize));
		_ResizeRegion(field, entry->size - shrink, shrink, 0);
	} else {
		size_t itemSize;
		uint8* item = _ItemAt(field, index, &itemSize);
		size_t position = item - sizeof(ItemHeader) - region;
		_ResizeRegion(field, position, sizeof(ItemHeader) + Align8(itemSize), 0);
	}
	EntryAt(fBuffer, field)->count--;
	_CheckSpecifiers();
	return B_OK;
}


status_t
BMessage::RemoveName(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	int32 field = _FindField(name);
	if (field < 0)
		return B_NAME_NOT_FOUND;
	_RemoveField(field);
	_CheckSpecifiers();
	return B_OK;
}


status_t
BMessage::MakeEmpty()
{
	_Clear();
	return B_OK;
}


void
BMessage::_RemoveField(int32 field)
{
	FieldEntry* entry = EntryAt(fBuffer, field);
	size_t tableSize = fFieldCount * sizeof(FieldEntry);
	size_t regionSize = entry->size;
	_Splice(tableSize + entry->offset, regionSize, 0);
	for (uint32 i = field + 1; i < fFieldCount; i++)
		EntryAt(fBuffer, i)->offset -= regionSize;
	_Splice(field * sizeof(FieldEntry), sizeof(FieldEntry), 0);
	fFieldCount--;
}


void
BMessage::_Clear()
{
	_ForgetItems();
	free(fBuffer);
	fBuffer = NULL;
	fBufferSize = fBufferCapacity = 0;
	fFieldCount = 0;
	fCurrentSpecifier = -1;
	fFlags = 0;
}


// #pragma mark - Finding


status_t
BMessage::FindString(const char* name, int32 index, const char** string) const
{
	if (string == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_STRING_TYPE, index, &data, &size);
	// Only a string that ends inside its item is handed out.
	if (status == B_OK && (size < 1 || ((const char*)data)[size - 1] != '\0'))
		status = B_BAD_DATA;
	*string = status == B_OK ? (const char*)data : NULL;
	return status;
}


status_t
BMessage::FindString(const char* name, int32 index, BString* string) const
{
	if (string == NULL)
		return B_BAD_VALUE;
	const char* found;
	status_t status = FindString(name, index, &found);
	string->SetTo(found);
	return status;
}


status_t
BMessage::FindBool(const char* name, int32 index, bool* value) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_BOOL_TYPE, index, &data, &size);
	if (status == B_OK && size != 1)
		status = B_BAD_DATA;
	*value = status == B_OK && *(const uint8*)data != 0;
	return status;
}


status_t
BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_MESSAGE_TYPE, index, &data, &size);
	if (status != B_OK) {
		message->MakeEmpty();
		message->what = 0;
		return status;
	}
	// Every message item was checked when it entered this message.
	return message->_SetFlattened((const char*)data, size, false);
}


status_t
BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_REF_TYPE, index, &data, &size);
	if (status == B_OK)
		status = UnflattenEntryRef(data, size, ref);
	return status;
}


status_t
BMessage::FindFlat(const char* name, int32 index, BFlattenable* object) const
{
	if (object == NULL)
		return B_BAD_VALUE;
	int32 field;
	status_t status = _Locate(name, B_ANY_TYPE, index, &field);
	if (status != B_OK)
		return status;
	type_code type = EntryAt(fBuffer, field)->type;
	if (!object->AllowsTypeCode(type))
		return B_BAD_TYPE;
	size_t size;
	const uint8* item = _ItemAt(field, index, &size);
	return object->Unflatten(type, item, size);
}


status_t
BMessage::FindData(const char* name, type_code type, int32 index, const void** data,
	ssize_t* numBytes) const
{
	if (data == NULL)
		return B_BAD_VALUE;
	int32 field;
	status_t status = _Locate(name, type, index, &field);
	if (status != B_OK) {
		*data = NULL;
		if (numBytes != NULL)
			*numBytes = 0;
		return status;
	}
	size_t size;
	*data = _ItemAt(field, index, &size);
	if (numBytes != NULL)
		*numBytes = size;
	return B_OK;
}


bool
BMessage::HasFlat(const char* name, int32 index, const BFlattenable* object) const
{
	int32 field;
	return object != NULL && _Locate(name, B_ANY_TYPE, index, &field) == B_OK
		&& object->AllowsTypeCode(EntryAt(fBuffer, field)->type);
}


bool
BMessage::HasData(const char* name, type_code type, int32 index) const
{
	int32 field;
	return _Locate(name, type, index, &field) == B_OK;
}


// #pragma mark - Replacing


status_t
BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return ReplaceData(name, B_STRING_TYPE, index, string, strlen(string) + 1);
}


status_t
BMessage::ReplaceString(const char* name, int32 index, const BString& string)
{
	return ReplaceData(name, B_STRING_TYPE, index, string.String(), string.Length() + 1);
}


status_t
BMessage::ReplaceMessage(const char* name, int32 index, const BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	if (message == this) {
		BMessage copy(*this);
		return ReplaceMessage(name, index, &copy);
	}
	ssize_t size = message->FlattenedSize();
	char* flat = (char*)malloc(size);
	if (flat == NULL)
		return B_NO_MEMORY;
	message->Flatten(flat, size);
	status_t status = ReplaceData(name, B_MESSAGE_TYPE, index, flat, size);
	free(flat);
	return status;
}


status_t
BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	size_t size = FlattenedEntryRefSize(*ref);
	void* item;
	status_t status = _ReplaceUninitialized(name, B_REF_TYPE, index, size, &item);
	if (status == B_OK)
		FlattenEntryRef(*ref, item, size);
	return status;
}


status_t
BMessage::ReplaceFlat(const char* name, int32 index, BFlattenable* object)
{
	if (object == NULL)
		return B_BAD_VALUE;
	ssize_t size = object->FlattenedSize();
	if (size < 0)
		return (status_t)size;
	// Flattened aside first, so that a failing object leaves the old item in place.
	char* flat = (char*)malloc(size > 0 ? size : 1);
	if (flat == NULL)
		return B_NO_MEMORY;
	status_t status = object->Flatten(flat, size);
	if (status == B_OK)
		status = ReplaceData(name, object->TypeCode(), index, flat, size);
	free(flat);
	return status;
}


status_t
BMessage::ReplaceData(const char* name, type_code type, int32 index, const void* data,
	ssize_t numBytes)
{
	if (numBytes < 0 || (data == NULL && numBytes > 0) || type == B_ANY_TYPE)
		return B_BAD_VALUE;
	if (type == B_MESSAGE_TYPE && !IsValidMessageItem(data, numBytes))
		return B_BAD_VALUE;
	const uint8* source = (const uint8*)data;
	if (fBuffer != NULL && source >= fBuffer && source < fBuffer + fBufferSize) {
		BMessage copy(*this);
		return ReplaceData(name, type, index, copy.fBuffer + (source - fBuffer), numBytes);
	}
	void* item;
	status_t status = _ReplaceUninitialized(name, type, index, numBytes, &item);
	if (status == B_OK && numBytes > 0)
		memcpy(item, data, numBytes);
	return status;
}


status_t
BMessage::_ReplaceUninitialized(const char* name, type_code type, int32 index, size_t size,
	void** item)
{
	int32 field;
	status_t status = _Locate(name, type, index, &field);
	if (status != B_OK)
		return status;
	FieldEntry* entry = EntryAt(fBuffer, field);
	size_t oldSize;
	uint8* oldItem = _ItemAt(field, index, &oldSize);
	if ((entry->flags & kFieldFixedSize) != 0) {
		if (size != oldSize)
			return B_BAD_VALUE;
		*item = oldItem;
		return B_OK;
	}
	if (size > kMaxMessageSize)
		return B_NO_MEMORY;

	uint8* region = fBuffer + fFieldCount * sizeof(FieldEntry) + entry->offset;
	size_t position = oldItem - region;
	status = _ResizeRegion(field, position, Align8(oldSize), Align8(size));
	if (status != B_OK)
		return status;
	region = fBuffer + fFieldCount * sizeof(FieldEntry) + EntryAt(fBuffer, field)->offset;
	ItemHeader header = { (uint32)size, 0 };
	memcpy(region + position - sizeof(ItemHeader), &header, sizeof(header));
	memset(region + position, 0, Align8(size));
	*item = region + position;
	return B_OK;
}


// #pragma mark - Storage


status_t
BMessage::_Locate(const char* name, type_code type, int32 index, int32* field) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	*field = _FindField(name);
	if (*field < 0)
		return B_NAME_NOT_FOUND;
	const FieldEntry* entry = EntryAt(fBuffer, *field);
	if (type != B_ANY_TYPE && entry->type != type)
		return B_BAD_TYPE;
	if (index < 0 || (uint32)index >= entry->count)
		return B_BAD_INDEX;
	return B_OK;
}


int32
BMessage::_FindField(const char* name) const
{
	// Every name in the table ends at its only NUL (names from outside were checked when
	// they came in), so comparing byte by byte up to it needs no length of name and
	// reads no further than either name: most names differ at their first byte.
	const uint8* data = fBuffer + fFieldCount * sizeof(FieldEntry);
	for (uint32 i = 0; i < fFieldCount; i++) {
		const char* fieldName = (const char*)data + EntryAt(fBuffer, i)->offset;
		for (size_t at = 0; fieldName[at] == name[at]; at++) {
			if (name[at] == '\0')
				return i;
		}
	}
	return -1;
}


uint8*
BMessage::_ItemAt(int32 field, int32 index, size_t* size) const
{
	const FieldEntry* entry = EntryAt(fBuffer, field);
	uint8* items = fBuffer + fFieldCount * sizeof(FieldEntry) + entry->offset
		+ Align8(entry->nameLength);
	if ((entry->flags & kFieldFixedSize) != 0) {
		*size = entry->itemSize;
		return items + (size_t)index * entry->itemSize;
	}

	// Items of variable size are found by walking their headers; a walk resumes from the
	// cursor when it stands on this field before the item. A read before the cursor in a
	// field of many items looks its offset up instead: reading such a field backwards
	// would walk it again and again.
	int32 at = 0;
	uint64 cursor = fItemCursor.load(std::memory_order_relaxed);
	if (CursorField(cursor) == field && CursorIndex(cursor) <= index) {
		at = CursorIndex(cursor);
		items = fBuffer + CursorOffset(cursor);
	} else if (index >= kIndexedItems) {
		if (const uint32* offsets = _ItemOffsets(field)) {
			at = index;
			items = fBuffer + offsets[index];
		}
	}
	for (; at < index; at++)
		items = NextItem(items);
	fItemCursor.store(PackCursor(field, index, items - fBuffer), std::memory_order_relaxed);
	*size = ItemHeaderAt(items).size;
	return items + sizeof(ItemHeader);
}


const uint32*
BMessage::_ItemOffsets(int32 field) const
{
	uint32* offsets = fItemOffsets.load(std::memory_order_acquire);
	if (offsets == NULL) {
		// Made aside and set only if no other reader set one first: a const message may be
		// read by several threads at once, and a table once set stays until the buffer
		// changes.
		const FieldEntry* entry = EntryAt(fBuffer, field);
		uint32* made = (uint32*)malloc((2 + (size_t)entry->count) * sizeof(uint32));
		if (made == NULL)
			return NULL;
		made[0] = (uint32)field;
		made[1] = entry->count;
		uint8* items = fBuffer + fFieldCount * sizeof(FieldEntry) + entry->offset
			+ Align8(entry->nameLength);
		for (uint32 i = 0; i < entry->count; i++, items = NextItem(items))
			made[2 + i] = (uint32)(items - fBuffer);
		if (fItemOffsets.compare_exchange_strong(offsets, made, std::memory_order_acq_rel))
			offsets = made;
		else
			free(made);
	}
	return offsets[0] == (uint32)field ? offsets + 2 : NULL;
}


void
BMessage::_ForgetItems()
{
	fItemCursor.store(0, std::memory_order_relaxed);
	if (fItemOffsets.load(std::memory_order_relaxed) != NULL)
		free(fItemOffsets.exchange(NULL, std::memory_order_relaxed));
}


// Replaces removeSize bytes at position in the buffer by insertSize unset bytes.
status_t
BMessage::_Splice(size_t position, size_t removeSize, size_t insertSize)
{
	size_t newSize = fBufferSize - removeSize + insertSize;
	if (newSize + sizeof(MessageHeader) > kMaxMessageSize)
		return B_NO_MEMORY;
	_ForgetItems();
	if (newSize > fBufferCapacity) {
		size_t capacity = fBufferCapacity * 2;
		if (capacity < newSize)
			capacity = newSize;
		if (capacity < 256)
			capacity = 256;
		uint8* buffer = (uint8*)realloc(fBuffer, capacity);
		if (buffer == NULL)
			return B_NO_MEMORY;
		fBuffer = buffer;
		fBufferCapacity = capacity;
	}
	// An item replaced by one of the same size moves nothing.
	if (insertSize != removeSize) {
		memmove(fBuffer + position + insertSize, fBuffer + position + removeSize,
			fBufferSize - position - removeSize);
	}
	fBufferSize = newSize;
	return B_OK;
}


// Splices inside one field's region (position relative to it) and moves the regions
// after it.
status_t
BMessage::_ResizeRegion(int32 field, size_t position, size_t removeSize, size_t insertSize)
{
	size_t start = fFieldCount * sizeof(FieldEntry) + EntryAt(fBuffer, field)->offset;
	status_t status = _Splice(start + position, removeSize, insertSize);
	if (status != B_OK)
		return status;
	EntryAt(fBuffer, field)->size += insertSize - removeSize;
	for (uint32 i = field + 1; i < fFieldCount; i++)
		EntryAt(fBuffer, i)->offset += insertSize - removeSize;
	return B_OK;
}
