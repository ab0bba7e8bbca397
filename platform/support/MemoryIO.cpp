#include <DataIO.h>

#include <stdio.h>
#include <string.h>

#include "support/MemoryStream.h"


BMemoryIO::BMemoryIO(void* data, size_t length)
	:
	fReadOnly(false),
	fBuffer(static_cast<char*>(data)),
	fLength(length),
	fBufferSize(length),
	fPosition(0)
{
}


BMemoryIO::BMemoryIO(const void* data, size_t length)
	:
	fReadOnly(true),
	fBuffer(const_cast<char*>(static_cast<const char*>(data))),
	fLength(length),
	fBufferSize(length),
	fPosition(0)
{
}


BMemoryIO::~BMemoryIO()
{
}


ssize_t
BMemoryIO::ReadAt(off_t position, void* buffer, size_t size)
{
	return BPrivate::read_memory(fBuffer, fLength, position, buffer, size);
}


ssize_t
BMemoryIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if ((uint64)position >= fBufferSize)
		return 0;

	size_t available = fBufferSize - (size_t)position;
	if (size > available)
		size = available;
	memcpy(fBuffer + position, buffer, size);
	if ((size_t)position + size > fLength)
		fLength = (size_t)position + size;
	return size;
}


off_t
BMemoryIO::Seek(off_t position, uint32 seekMode)
{
	off_t result = BPrivate::seek_memory(fPosition, fLength, position, seekMode);
	if (result >= 0)
		fPosition = result;
	return result;
}


off_t
BMemoryIO::Position() const
{
	return fPosition;
}


status_t
BMemoryIO::SetSize(off_t size)
{
	if (fReadOnly)
		return B_NOT_ALLOWED;
	if (size < 0 || (uint64)size > fBufferSize)
		return B_BAD_VALUE;
	fLength = size;
	return B_OK;
}
