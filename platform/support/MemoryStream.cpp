#include "support/MemoryStream.h"

#include <Errors.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>


ssize_t
BPrivate::read_memory(const char* data, size_t length, off_t position, void* buffer,
	size_t size)
{
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if ((uint64)position >= length)
		return 0;

	size_t available = length - (size_t)position;
	if (size > available)
		size = available;
	memcpy(buffer, data + position, size);
	return size;
}


off_t
BPrivate::seek_memory(off_t current, size_t length, off_t position, uint32 seekMode)
{
	off_t base;
	switch (seekMode) {
		case SEEK_SET:
			base = 0;
			break;
		case SEEK_CUR:
			base = current;
			break;
		case SEEK_END:
			base = (off_t)length;
			break;
		default:
			return B_BAD_VALUE;
	}
	if (position < -base || position > INT64_MAX - base)
		return B_BAD_VALUE;
	return base + position;
}
