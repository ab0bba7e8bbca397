#include <DataIO.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "support/MemoryStream.h"

namespace {

const size_t kDefaultBlockSize = 256;

} // namespace


BMallocIO::BMallocIO()
	:
	fBlockSize(kDefaultBlockSize),
	fMallocSize(0),
	fLength(0),
	fData(NULL),
	fPosition(0)
{
}


BMallocIO::~BMallocIO()
{
	free(fData);
}


ssize_t
BMallocIO::ReadAt(off_t position, void* buffer, size_t size)
{
	return BPrivate::read_memory(fData, fLength, position, buffer, size);
}


ssize_t
BMallocIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	if ((uint64)position > SIZE_MAX - size)
		return B_NO_MEMORY;

	size_t end = (size_t)position + size;
	if (end > fLength) {
		status_t status = SetSize(end);
		if (status != B_OK)
			return status;
	}
	memcpy(fData + position, buffer, size);
	return size;
}


off_t
BMallocIO::Seek(off_t position, uint32 seekMode)
{
	off_t result = BPrivate::seek_memory(fPosition, fLength, position, seekMode);
	if (result >= 0)
		fPosition = result;
	return result;
}


off_t
BMallocIO::Position() const
{
	return fPosition;
}


status_t
BMallocIO::SetSize(off_t size)
{
	if (size < 0)
		return B_BAD_VALUE;
	if ((uint64)size > SIZE_MAX - fBlockSize)
		return B_NO_MEMORY;

	size_t newSize = (size_t)size;
	if (newSize > fMallocSize || newSize == 0) {
		size_t mallocSize = (newSize + fBlockSize - 1) / fBlockSize * fBlockSize;
		char* data = NULL;
		if (mallocSize > 0) {
			data = static_cast<char*>(realloc(fData, mallocSize));
			if (data == NULL)
				return B_NO_MEMORY;
		} else
			free(fData);
		fData = data;
		fMallocSize = mallocSize;
	}
	// Growing exposes zeros, never old bytes.
	if (newSize > fLength)
		memset(fData + fLength, 0, newSize - fLength);
	fLength = newSize;
	return B_OK;
}


void
BMallocIO::SetBlockSize(size_t blockSize)
{
	fBlockSize = blockSize > 0 ? blockSize : 1;
}


const void*
BMallocIO::Buffer() const
{
	return fData;
}


size_t
BMallocIO::BufferLength() const
{
	return fLength;
}
