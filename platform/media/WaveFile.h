// The samples of a RIFF WAVE file: the format of its "fmt " chunk and where its "data"
// chunk lies. Decodes bytes from any file, trusting none of its lengths.
#ifndef _WAVE_FILE_H
#define _WAVE_FILE_H

#include <MediaDefs.h>

namespace BPrivate {

// The biggest sound file the kit reads into memory.
const size_t kMaxSoundFileBytes = 64 * 1024 * 1024;

// B_MEDIA_BAD_FORMAT for bytes that are no WAVE file the kit plays (PCM of 8, 16 or 32
// bits, or 32-bit floats; 1 to kMaxSoundChannels channels).
status_t parse_wave(const uint8* data, size_t length, media_raw_audio_format* format,
	size_t* samplesOffset, size_t* samplesSize);

const uint32 kMaxSoundChannels = 8;

} // namespace BPrivate

#endif // _WAVE_FILE_H
