// Feeds arbitrary bytes to the reader of WAVE files that BSound uses: what it accepts must
// lie inside the bytes and hold whole frames.
#include "media/WaveFile.h"

#include <stdlib.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	media_raw_audio_format format;
	size_t offset = 0, length = 0;
	if (BPrivate::parse_wave(data, size, &format, &offset, &length) != B_OK)
		return 0;
	size_t frame = format.channel_count
		* (format.format & media_raw_audio_format::B_AUDIO_SIZE_MASK);
	if (offset > size || length > size - offset || frame == 0 || length % frame != 0)
		abort();
	return 0;
}
