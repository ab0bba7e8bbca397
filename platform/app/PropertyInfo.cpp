// BPropertyInfo: matching scripting requests against the table, and its flattened form
// (docs/property-info-format.md).
#include <PropertyInfo.h>

#include <Message.h>

#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const uint32 kPropertyInfoMagic = 0x464e4950;	// "PINF" in memory order
const uint16 kPropertyInfoVersion = 1;

// A table is a few kilobytes in practice; the limits keep what Unflatten allocates
// (a few hundred bytes per entry) proportionate to what it was given.
const size_t kMaxFlattenedSize = 1024 * 1024;
const uint32 kMaxEntries = 4096;
const uint32 kMaxTextLength = 64 * 1024;

const int32 kMaxCodes = 10;
const int32 kMaxCompoundTypes = 3;
const int32 kMaxFieldPairs = 5;

struct FlatHeader {
	uint32 magic;
	uint16 version;
	uint16 flags;
	uint32 propertyCount;
	uint32 valueCount;
	uint32 totalSize;
	uint32 reserved;
};
static_assert(sizeof(FlatHeader) == 24);


int32
CountCodes(const uint32* codes)
{
	int32 count = 0;
	while (count < kMaxCodes && codes[count] != 0)
		count++;
	return count;
}


int32
CountPairs(const compound_type& type)
{
	int32 count = 0;
	while (count < kMaxFieldPairs && type.pairs[count].name != NULL)
		count++;
	return count;
}


int32
CountCompoundTypes(const property_info& info)
{
	int32 count = 0;
	while (count < kMaxCompoundTypes && CountPairs(info.ctypes[count]) > 0)
		count++;
	return count;
}


// Writes the flattened form, or only measures it when out is NULL.
class Writer {
public:
	Writer(uint8* out) : fOut(out), fSize(0) {}

	size_t Size() const { return fSize; }

	void UInt32(uint32 value) { Bytes(&value, sizeof(value)); }

	// A missing text has length 0, an empty one length 1 (its NUL).
	void Text(const char* text)
	{
		uint32 length = text != NULL ? strlen(text) + 1 : 0;
		UInt32(length);
		Bytes(text, length);
	}

	void Codes(const uint32* codes)
	{
		int32 count = CountCodes(codes);
		UInt32(count);
		Bytes(codes, count * sizeof(uint32));
	}

	void Bytes(const void* data, size_t size)
	{
		if (fOut != NULL && size > 0)
			memcpy(fOut + fSize, data, size);
		fSize += size;
	}

private:
	uint8* fOut;
	size_t fSize;
};


void
WriteTables(Writer& writer, const property_info* properties, int32 propertyCount,
	const value_info* values, int32 valueCount)
{
	for (int32 i = 0; i < propertyCount; i++) {
		const property_info& info = properties[i];
		writer.Text(info.name);
		writer.Codes(info.commands);
		writer.Codes(info.specifiers);
		writer.Text(info.usage);
		writer.UInt32(info.extra_data);
		writer.Codes(info.types);
		int32 compoundCount = CountCompoundTypes(info);
		writer.UInt32(compoundCount);
		for (int32 c = 0; c < compoundCount; c++) {
			int32 pairCount = CountPairs(info.ctypes[c]);
			writer.UInt32(pairCount);
			for (int32 p = 0; p < pairCount; p++) {
				writer.Text(info.ctypes[c].pairs[p].name);
				writer.UInt32(info.ctypes[c].pairs[p].type);
			}
		}
	}
	for (int32 i = 0; i < valueCount; i++) {
		writer.Text(values[i].name);
		writer.UInt32(values[i].value);
		writer.UInt32((uint32)values[i].kind);
		writer.Text(values[i].usage);
		writer.UInt32(values[i].extra_data);
	}
}


// Reads the flattened tables. Every read is checked against the bytes left; the first
// failure sticks. Without a block it only measures the texts, with one it fills the
// tables and copies the texts into it.
class Reader {
public:
	Reader(const uint8* data, size_t size, char* texts)
		: fData(data), fSize(size), fPosition(0), fTexts(texts), fTextBytes(0), fOK(true) {}

	bool OK() const { return fOK; }
	bool AtEnd() const { return fPosition == fSize; }
	size_t TextBytes() const { return fTextBytes; }

	uint32 UInt32()
	{
		uint32 value = 0;
		if (fOK && fSize - fPosition >= sizeof(value)) {
			memcpy(&value, fData + fPosition, sizeof(value));
			fPosition += sizeof(value);
		} else
			fOK = false;
		return value;
	}

	// required refuses a missing text.
	const char* Text(bool required)
	{
		uint32 length = UInt32();
		if (!fOK || length > kMaxTextLength || length > fSize - fPosition
			|| (required && length == 0)) {
			fOK = false;
			return NULL;
		}
		if (length == 0)
			return NULL;
		const char* text = (const char*)fData + fPosition;
		if (memchr(text, '\0', length) != text + length - 1) {
			fOK = false;
			return NULL;
		}
		fPosition += length;
		char* copy = NULL;
		if (fTexts != NULL) {
			copy = fTexts + fTextBytes;
			memcpy(copy, text, length);
		}
		fTextBytes += length;
		return copy;
	}

	void Codes(uint32* codes)
	{
		uint32 count = UInt32();
		if (count > (uint32)kMaxCodes) {
			fOK = false;
			return;
		}
		for (uint32 i = 0; i < count && fOK; i++) {
			codes[i] = UInt32();
			// A 0 would end the list early for every reader of the table.
			if (codes[i] == 0)
				fOK = false;
		}
	}

private:
	const uint8* fData;
	size_t fSize;
	size_t fPosition;
	char* fTexts;
	size_t fTextBytes;
	bool fOK;
};


bool
ReadTables(Reader& reader, property_info* properties, uint32 propertyCount,
	value_info* values, uint32 valueCount)
{
	// Without tables (when measuring) every entry is read into a scratch one.
	property_info propertyScratch;
	value_info valueScratch;
	for (uint32 i = 0; i < propertyCount && reader.OK(); i++) {
		property_info& info = properties != NULL ? properties[i] : propertyScratch;
		info = property_info();
		info.name = reader.Text(true);
		reader.Codes(info.commands);
		reader.Codes(info.specifiers);
		info.usage = reader.Text(false);
		info.extra_data = reader.UInt32();
		reader.Codes(info.types);
		uint32 compoundCount = reader.UInt32();
		if (compoundCount > (uint32)kMaxCompoundTypes)
			return false;
		for (uint32 c = 0; c < compoundCount && reader.OK(); c++) {
			uint32 pairCount = reader.UInt32();
			if (pairCount < 1 || pairCount > (uint32)kMaxFieldPairs)
				return false;
			for (uint32 p = 0; p < pairCount && reader.OK(); p++) {
				info.ctypes[c].pairs[p].name = reader.Text(true);
				info.ctypes[c].pairs[p].type = reader.UInt32();
			}
		}
	}
	for (uint32 i = 0; i < valueCount && reader.OK(); i++) {
		value_info& info = values != NULL ? values[i] : valueScratch;
		info.name = reader.Text(true);
		info.value = reader.UInt32();
		info.kind = (value_kind)(int32)reader.UInt32();
		info.usage = reader.Text(false);
		info.extra_data = reader.UInt32();
	}
	return reader.OK() && reader.AtEnd();
}

} // namespace


BPropertyInfo::BPropertyInfo(property_info* properties, value_info* values,
	bool freeOnDelete)
	:
	fPropInfo(properties),
	fValueInfo(values),
	fPropCount(0),
	fValueCount(0),
	fFreeOnDelete(freeOnDelete),
	fUnflattened(NULL)
{
	while (fPropInfo != NULL && fPropInfo[fPropCount].name != NULL)
		fPropCount++;
	while (fValueInfo != NULL && fValueInfo[fValueCount].name != NULL)
		fValueCount++;
}


BPropertyInfo::~BPropertyInfo()
{
	_FreeMemory();
}


int32
BPropertyInfo::FindMatch(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property, void* data) const
{
	if (message == NULL || property == NULL)
		return -1;
	for (int32 i = 0; i < fPropCount; i++) {
		property_info* info = fPropInfo + i;
		if (strcmp(info->name, property) == 0 && FindCommand(message->what, index, info)
			&& FindSpecifier(form, info)) {
			if (data != NULL)
				memcpy(data, &info->extra_data, sizeof(uint32));
			return i;
		}
	}
	return -1;
}


bool
BPropertyInfo::IsFixedSize() const
{
	return false;
}


type_code
BPropertyInfo::TypeCode() const
{
	return B_PROPERTY_INFO_TYPE;
}


ssize_t
BPropertyInfo::FlattenedSize() const
{
	Writer writer(NULL);
	WriteTables(writer, fPropInfo, fPropCount, fValueInfo, fValueCount);
	return sizeof(FlatHeader) + writer.Size();
}


status_t
BPropertyInfo::Flatten(void* buffer, ssize_t size) const
{
	ssize_t needed = FlattenedSize();
	if (buffer == NULL || size < needed)
		return B_BAD_VALUE;
	FlatHeader header = {};
	header.magic = kPropertyInfoMagic;
	header.version = kPropertyInfoVersion;
	header.propertyCount = fPropCount;
	header.valueCount = fValueCount;
	header.totalSize = needed;
	memcpy(buffer, &header, sizeof(header));
	Writer writer((uint8*)buffer + sizeof(header));
	WriteTables(writer, fPropInfo, fPropCount, fValueInfo, fValueCount);
	return B_OK;
}


bool
BPropertyInfo::AllowsTypeCode(type_code code) const
{
	return code == B_PROPERTY_INFO_TYPE;
}


status_t
BPropertyInfo::Unflatten(type_code code, const void* buffer, ssize_t size)
{
	_FreeMemory();
	if (!AllowsTypeCode(code))
		return B_BAD_TYPE;
	if (buffer == NULL || size < (ssize_t)sizeof(FlatHeader))
		return B_BAD_DATA;

	FlatHeader header;
	memcpy(&header, buffer, sizeof(header));
	if (header.magic != kPropertyInfoMagic || header.version != kPropertyInfoVersion
		|| header.flags != 0 || header.reserved != 0 || header.totalSize > (size_t)size
		|| header.totalSize < sizeof(header) || header.totalSize > kMaxFlattenedSize
		|| header.propertyCount > kMaxEntries || header.valueCount > kMaxEntries)
		return B_BAD_DATA;

	const uint8* data = (const uint8*)buffer + sizeof(header);
	size_t dataSize = header.totalSize - sizeof(header);

	// The first pass checks everything and measures the texts; only then is memory taken,
	// one block for both tables (each with its terminator) and all their texts.
	size_t propertyBytes = (header.propertyCount + 1) * sizeof(property_info);
	size_t valueBytes = (header.valueCount + 1) * sizeof(value_info);
	Reader measure(data, dataSize, NULL);
	if (!ReadTables(measure, NULL, header.propertyCount, NULL, header.valueCount))
		return B_BAD_DATA;

	uint8* block = (uint8*)calloc(1, propertyBytes + valueBytes + measure.TextBytes());
	if (block == NULL)
		return B_NO_MEMORY;
	property_info* properties = (property_info*)block;
	value_info* values = (value_info*)(block + propertyBytes);
	Reader fill(data, dataSize, (char*)block + propertyBytes + valueBytes);
	ReadTables(fill, properties, header.propertyCount, values, header.valueCount);

	fUnflattened = block;
	fFreeOnDelete = false;
	fPropInfo = properties;
	fValueInfo = values;
	fPropCount = header.propertyCount;
	fValueCount = header.valueCount;
	return B_OK;
}


void
BPropertyInfo::PrintToStream() const
{
	printf("      property   commands                       types                specifiers\n");
	printf("--------------------------------------------------------------------------------\n");
	for (int32 i = 0; i < fPropCount; i++) {
		const property_info& info = fPropInfo[i];
		printf("%14s", info.name);
		for (int32 c = 0; c < kMaxCodes && info.commands[c] != 0; c++) {
			uint32 code = info.commands[c];
			printf("   %c%c%c%c", (char)(code >> 24), (char)(code >> 16), (char)(code >> 8),
				(char)code);
		}
		printf("    ");
		for (int32 t = 0; t < kMaxCodes && info.types[t] != 0; t++) {
			uint32 code = info.types[t];
			printf("%c%c%c%c ", (char)(code >> 24), (char)(code >> 16), (char)(code >> 8),
				(char)code);
		}
		printf("    ");
		for (int32 s = 0; s < kMaxCodes && info.specifiers[s] != 0; s++)
			printf("%" PRIu32 " ", info.specifiers[s]);
		printf("\n");
		if (info.usage != NULL)
			printf("                 %s\n", info.usage);
	}
	for (int32 i = 0; i < fValueCount; i++) {
		const value_info& info = fValueInfo[i];
		printf("%14s   0x%08" PRIx32 "   %s\n", info.name, info.value,
			info.kind == B_COMMAND_KIND ? "command" : "type code");
		if (info.usage != NULL)
			printf("                 %s\n", info.usage);
	}
}


bool
BPropertyInfo::FindCommand(uint32 what, int32 index, property_info* info)
{
	if (info->commands[0] == 0)
		return true;
	if (index != 0)
		return false;
	for (int32 i = 0; i < kMaxCodes && info->commands[i] != 0; i++) {
		if (info->commands[i] == what)
			return true;
	}
	return false;
}


bool
BPropertyInfo::FindSpecifier(uint32 form, property_info* info)
{
	if (info->specifiers[0] == 0)
		return true;
	for (int32 i = 0; i < kMaxCodes && info->specifiers[i] != 0; i++) {
		if (info->specifiers[i] == form)
			return true;
	}
	return false;
}


void
BPropertyInfo::_FreeMemory()
{
	if (fUnflattened != NULL)
		free(fUnflattened);
	else if (fFreeOnDelete) {
		for (int32 i = 0; i < fPropCount; i++) {
			free((char*)fPropInfo[i].name);
			free((char*)fPropInfo[i].usage);
		}
		for (int32 i = 0; i < fValueCount; i++) {
			free((char*)fValueInfo[i].name);
			free((char*)fValueInfo[i].usage);
		}
		delete[] fPropInfo;
		delete[] fValueInfo;
	}
	fUnflattened = NULL;
	fFreeOnDelete = false;
	fPropInfo = NULL;
	fValueInfo = NULL;
	fPropCount = 0;
	fValueCount = 0;
}
