// BNetBuffer: a growing byte array read from the front. Removing only advances the start;
// appending moves what remains to the front before it grows the array.
#include <NetBuffer.h>

#include <ByteOrder.h>
#include <Message.h>

#include <stdlib.h>
#include <string.h>

namespace {

const char* const kBufferField = "buffer";
// A buffer never holds more than this; appending beyond it gives B_NO_MEMORY.
const size_t kMaxNetBufferSize = 64 * 1024 * 1024;

} // namespace


BNetBuffer::BNetBuffer(size_t size)
	:
	fData(NULL), fCapacity(0), fStart(0), fEnd(0), fInit(B_OK)
{
	if (size == 0)
		return;
	if (size > kMaxNetBufferSize || (fData = (unsigned char*)malloc(size)) == NULL) {
		fInit = B_NO_MEMORY;
		return;
	}
	fCapacity = size;
}


BNetBuffer::BNetBuffer(BMessage* archive)
	:
	BArchivable(archive),
	fData(NULL), fCapacity(0), fStart(0), fEnd(0), fInit(B_OK)
{
	const void* data = NULL;
	ssize_t size = 0;
	if (archive == NULL
		|| archive->FindData(kBufferField, B_RAW_TYPE, &data, &size) != B_OK) {
		fInit = B_BAD_VALUE;
		return;
	}
	fInit = _Append(data, size);
}


BNetBuffer::BNetBuffer(const BNetBuffer& other)
	:
	BArchivable(),
	fData(NULL), fCapacity(0), fStart(0), fEnd(0), fInit(B_OK)
{
	*this = other;
}


BNetBuffer::~BNetBuffer()
{
	free(fData);
}


BNetBuffer&
BNetBuffer::operator=(const BNetBuffer& other)
{
	if (this == &other)
		return *this;
	free(fData);
	fData = NULL;
	fCapacity = fStart = fEnd = 0;
	fInit = other.fInit;
	if (fInit == B_OK)
		fInit = _Append(other.Data(), other.BytesRemaining());
	return *this;
}


status_t
BNetBuffer::InitCheck() const
{
	return fInit;
}


status_t
BNetBuffer::Archive(BMessage* into, bool deep) const
{
	if (into == NULL)
		return B_BAD_VALUE;
	if (fInit != B_OK)
		return B_NO_INIT;
	status_t status = BArchivable::Archive(into, deep);
	if (status == B_OK)
		status = into->AddString("class", "BNetBuffer");
	if (status == B_OK)
		status = into->AddData(kBufferField, B_RAW_TYPE, Data(), BytesRemaining());
	return status;
}


BArchivable*
BNetBuffer::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BNetBuffer"))
		return NULL;
	BNetBuffer* buffer = new BNetBuffer(archive);
	if (buffer->InitCheck() != B_OK) {
		delete buffer;
		return NULL;
	}
	return buffer;
}


status_t
BNetBuffer::_Append(const void* data, size_t size)
{
	if (fInit != B_OK)
		return fInit;
	if (size == 0)
		return B_OK;
	if (data == NULL)
		return B_BAD_VALUE;
	size_t remaining = fEnd - fStart;
	if (size > kMaxNetBufferSize - remaining)
		return B_NO_MEMORY;
	if (fEnd + size > fCapacity && fStart > 0) {
		memmove(fData, fData + fStart, remaining);
		fStart = 0;
		fEnd = remaining;
	}
	if (fEnd + size > fCapacity) {
		size_t capacity = fCapacity < 64 ? 64 : fCapacity;
		while (capacity < fEnd + size)
			capacity *= 2;
		if (capacity > kMaxNetBufferSize)
			capacity = kMaxNetBufferSize;
		unsigned char* grown = (unsigned char*)realloc(fData, capacity);
		if (grown == NULL)
			return B_NO_MEMORY;
		fData = grown;
		fCapacity = capacity;
	}
	memcpy(fData + fEnd, data, size);
	fEnd += size;
	return B_OK;
}


status_t
BNetBuffer::_Remove(void* data, size_t size)
{
	status_t status = PeekData(data, size);
	if (status == B_OK)
		fStart += size;
	return status;
}


status_t
BNetBuffer::PeekData(void* data, size_t size) const
{
	if (fInit != B_OK)
		return fInit;
	if (size > fEnd - fStart)
		return B_ERROR;
	if (size > 0 && data == NULL)
		return B_BAD_VALUE;
	if (size > 0)
		memcpy(data, fData + fStart, size);
	return B_OK;
}


status_t BNetBuffer::AppendInt8(int8 value) { return _Append(&value, 1); }
status_t BNetBuffer::AppendUint8(uint8 value) { return _Append(&value, 1); }


status_t
BNetBuffer::AppendInt16(int16 value)
{
	return AppendUint16((uint16)value);
}


status_t
BNetBuffer::AppendUint16(uint16 value)
{
	value = B_HOST_TO_BENDIAN_INT16(value);
	return _Append(&value, sizeof(value));
}


status_t
BNetBuffer::AppendInt32(int32 value)
{
	return AppendUint32((uint32)value);
}


status_t
BNetBuffer::AppendUint32(uint32 value)
{
	value = B_HOST_TO_BENDIAN_INT32(value);
	return _Append(&value, sizeof(value));
}


status_t
BNetBuffer::AppendInt64(int64 value)
{
	return AppendUint64((uint64)value);
}


status_t
BNetBuffer::AppendUint64(uint64 value)
{
	value = B_HOST_TO_BENDIAN_INT64(value);
	return _Append(&value, sizeof(value));
}


status_t
BNetBuffer::AppendFloat(float value)
{
	uint32 bits;
	memcpy(&bits, &value, sizeof(bits));
	return AppendUint32(bits);
}


status_t
BNetBuffer::AppendDouble(double value)
{
	uint64 bits;
	memcpy(&bits, &value, sizeof(bits));
	return AppendUint64(bits);
}


status_t
BNetBuffer::AppendString(const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return _Append(string, strlen(string) + 1);
}


status_t
BNetBuffer::AppendData(const void* data, size_t size)
{
	return _Append(data, size);
}


status_t
BNetBuffer::AppendMessage(const BMessage& message)
{
	ssize_t size = message.FlattenedSize();
	if (size <= 0 || (size_t)size > kMaxNetBufferSize)
		return B_BAD_VALUE;
	char* flat = (char*)malloc(size);
	if (flat == NULL)
		return B_NO_MEMORY;
	status_t status = message.Flatten(flat, size);
	if (status == B_OK) {
		size_t before = fEnd - fStart;
		status = AppendUint32((uint32)size);
		if (status == B_OK)
			status = _Append(flat, size);
		// Nothing half appended stays.
		if (status != B_OK)
			fEnd = fStart + before;
	}
	free(flat);
	return status;
}


status_t BNetBuffer::RemoveInt8(int8& value) { return _Remove(&value, 1); }
status_t BNetBuffer::RemoveUint8(uint8& value) { return _Remove(&value, 1); }


status_t
BNetBuffer::RemoveInt16(int16& value)
{
	return RemoveUint16((uint16&)value);
}


status_t
BNetBuffer::RemoveUint16(uint16& value)
{
	uint16 raw;
	status_t status = _Remove(&raw, sizeof(raw));
	if (status == B_OK)
		value = B_BENDIAN_TO_HOST_INT16(raw);
	return status;
}


status_t
BNetBuffer::RemoveInt32(int32& value)
{
	return RemoveUint32((uint32&)value);
}


status_t
BNetBuffer::RemoveUint32(uint32& value)
{
	uint32 raw;
	status_t status = _Remove(&raw, sizeof(raw));
	if (status == B_OK)
		value = B_BENDIAN_TO_HOST_INT32(raw);
	return status;
}


status_t
BNetBuffer::RemoveInt64(int64& value)
{
	return RemoveUint64((uint64&)value);
}


status_t
BNetBuffer::RemoveUint64(uint64& value)
{
	uint64 raw;
	status_t status = _Remove(&raw, sizeof(raw));
	if (status == B_OK)
		value = B_BENDIAN_TO_HOST_INT64(raw);
	return status;
}


status_t
BNetBuffer::RemoveFloat(float& value)
{
	uint32 bits;
	status_t status = RemoveUint32(bits);
	if (status == B_OK)
		memcpy(&value, &bits, sizeof(value));
	return status;
}


status_t
BNetBuffer::RemoveDouble(double& value)
{
	uint64 bits;
	status_t status = RemoveUint64(bits);
	if (status == B_OK)
		memcpy(&value, &bits, sizeof(value));
	return status;
}


status_t
BNetBuffer::RemoveString(char* string, size_t size)
{
	if (fInit != B_OK)
		return fInit;
	if (string == NULL || size == 0)
		return B_BAD_VALUE;
	size_t remaining = fEnd - fStart;
	size_t limit = size < remaining ? size : remaining;
	const void* end = memchr(fData + fStart, '\0', limit);
	if (end == NULL)
		return B_ERROR;
	return _Remove(string, (const unsigned char*)end - (fData + fStart) + 1);
}


status_t
BNetBuffer::RemoveData(void* data, size_t size)
{
	return _Remove(data, size);
}


status_t
BNetBuffer::RemoveMessage(BMessage& message)
{
	uint32 size;
	status_t status = PeekData(&size, sizeof(size));
	if (status != B_OK)
		return status;
	size = B_BENDIAN_TO_HOST_INT32(size);
	if (size > fEnd - fStart - sizeof(size))
		return B_ERROR;
	status = message.Unflatten((const char*)fData + fStart + sizeof(size), size);
	if (status != B_OK)
		return B_BAD_DATA;
	fStart += sizeof(size) + size;
	return B_OK;
}


unsigned char*
BNetBuffer::Data() const
{
	return fData != NULL ? fData + fStart : NULL;
}


size_t
BNetBuffer::Size() const
{
	return fEnd - fStart;
}


size_t
BNetBuffer::BytesRemaining() const
{
	return fEnd - fStart;
}
