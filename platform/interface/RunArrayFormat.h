// The platform's flattened run array, as styled text files and streams carry it: a header
// ('Ali!', version 0, count) and count runs of 148 bytes, every number big-endian
// (docs/text-widgets.md).
#ifndef _RUN_ARRAY_FORMAT_PRIVATE_H
#define _RUN_ARRAY_FORMAT_PRIVATE_H

#include <TextView.h>

namespace BPrivate {

const uint32 kRunArrayMagic = 'Ali!';
const size_t kFlattenedRunArrayHeaderSize = 12;
const size_t kFlattenedRunSize = 148;
// More runs than this are refused as damaged data.
const int32 kMaxFlattenedRuns = 1 << 20;

// The runs of length bytes of data, malloc()ed (size gets its bytes); NULL when the data
// is not a whole run array. Fonts the system lacks keep the plain font's family; sizes
// and shears are clamped to what a BFont takes.
text_run_array* unflatten_run_array(const void* data, size_t length, int32* size = NULL);

} // namespace BPrivate

#endif // _RUN_ARRAY_FORMAT_PRIVATE_H
