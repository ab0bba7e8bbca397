// Reading and writing single samples of the raw audio formats, as floats from -1 to 1.
#ifndef _SAMPLE_FORMAT_H
#define _SAMPLE_FORMAT_H

#include <MediaDefs.h>

namespace BPrivate {

// The bytes of one sample; 0 for a format the kit does not know.
size_t sample_size(uint32 format);
// Whether format names a sample format the kit plays.
bool is_known_sample_format(uint32 format);
// swap: the sample is stored in the other byte order than the host's.
float read_sample(const uint8* sample, uint32 format, bool swap);
// Clips value to -1 .. 1 and stores it in the host's byte order.
void write_sample(uint8* sample, uint32 format, float value);

} // namespace BPrivate

#endif // _SAMPLE_FORMAT_H
