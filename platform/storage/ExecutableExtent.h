// The extent of an ELF image: where the bytes that belong to it end, so that anything after
// them can be told apart.
#ifndef _EXECUTABLE_EXTENT_H
#define _EXECUTABLE_EXTENT_H

#include <DataIO.h>
#include <SupportDefs.h>

namespace BPrivate {

// *end = the furthest byte of the ELF header, its header tables, sections and segments.
// B_BAD_TYPE when io does not hold a little-endian ELF image, B_BAD_DATA when its header
// tables are malformed.
status_t get_executable_extent(BPositionIO& io, off_t* end);

} // namespace BPrivate

#endif // _EXECUTABLE_EXTENT_H
