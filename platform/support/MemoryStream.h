// Reading and seeking over bytes held in memory, shared by BMemoryIO and BMallocIO.
#ifndef _MEMORY_STREAM_H
#define _MEMORY_STREAM_H

#include <SupportDefs.h>

#include <sys/types.h>

namespace BPrivate {

// Copies what there is of size bytes at position of the length bytes at data: the count
// copied, 0 at or past the end, B_BAD_VALUE for a NULL buffer or a negative position.
ssize_t read_memory(const char* data, size_t length, off_t position, void* buffer,
	size_t size);

// The position seekMode and position make from current in a stream of length bytes, or
// B_BAD_VALUE when it would be negative or not representable, or the mode is unknown.
off_t seek_memory(off_t current, size_t length, off_t position, uint32 seekMode);

} // namespace BPrivate

#endif // _MEMORY_STREAM_H
