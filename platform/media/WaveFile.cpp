#include "media/WaveFile.h"

#include <string.h>

namespace BPrivate {

namespace {

const uint16 kFormatPCM = 1;
const uint16 kFormatFloat = 3;
const uint16 kFormatExtensible = 0xfffe;
const size_t kFmtMinimum = 16;
const float kMinFrameRate = 1000;
const float kMaxFrameRate = 384000;


uint32
little32(const uint8* bytes)
{
	return bytes[0] | (uint32)bytes[1] << 8 | (uint32)bytes[2] << 16 | (uint32)bytes[3] << 24;
}


uint16
little16(const uint8* bytes)
{
	return (uint16)(bytes[0] | bytes[1] << 8);
}

} // namespace


status_t
parse_wave(const uint8* data, size_t length, media_raw_audio_format* format,
	size_t* samplesOffset, size_t* samplesSize)
{
	if (length < 12 || memcmp(data, "RIFF", 4) != 0 || memcmp(data + 8, "WAVE", 4) != 0)
		return B_MEDIA_BAD_FORMAT;
	bool haveFormat = false;
	size_t position = 12;
	while (length - position >= 8) {
		const uint8* chunk = data + position;
		size_t size = little32(chunk + 4);
		size_t available = length - position - 8;
		if (memcmp(chunk, "fmt ", 4) == 0) {
			if (size < kFmtMinimum || size > available)
				return B_MEDIA_BAD_FORMAT;
			uint16 tag = little16(chunk + 8);
			uint16 channels = little16(chunk + 10);
			uint32 rate = little32(chunk + 12);
			uint16 bits = little16(chunk + 22);
			if (tag == kFormatExtensible && size >= 40)
				tag = little16(chunk + 32);
			memset(format, 0, sizeof(*format));
			format->channel_count = channels;
			format->frame_rate = (float)rate;
			format->byte_order = B_MEDIA_LITTLE_ENDIAN;
			if (tag == kFormatPCM && bits == 8)
				format->format = media_raw_audio_format::B_AUDIO_UCHAR;
			else if (tag == kFormatPCM && bits == 16)
				format->format = media_raw_audio_format::B_AUDIO_SHORT;
			else if (tag == kFormatPCM && bits == 32)
				format->format = media_raw_audio_format::B_AUDIO_INT;
			else if (tag == kFormatFloat && bits == 32)
				format->format = media_raw_audio_format::B_AUDIO_FLOAT;
			else
				return B_MEDIA_BAD_FORMAT;
			if (channels < 1 || channels > kMaxSoundChannels
				|| format->frame_rate < kMinFrameRate || format->frame_rate > kMaxFrameRate)
				return B_MEDIA_BAD_FORMAT;
			format->buffer_size = 0;
			haveFormat = true;
		} else if (memcmp(chunk, "data", 4) == 0) {
			if (!haveFormat)
				return B_MEDIA_BAD_FORMAT;
			// A writer that stopped early leaves a data size past the file's end; what
			// is there still plays.
			size_t frameBytes = format->channel_count
				* (format->format & media_raw_audio_format::B_AUDIO_SIZE_MASK);
			size = size > available ? available : size;
			*samplesOffset = position + 8;
			*samplesSize = size - size % frameBytes;
			return B_OK;
		}
		if (size > available)
			return B_MEDIA_BAD_FORMAT;
		// Chunks are padded to an even length.
		position += 8 + size + (size & 1);
		if (position > length)
			return B_MEDIA_BAD_FORMAT;
	}
	return B_MEDIA_BAD_FORMAT;
}

} // namespace BPrivate
