#include "media/SampleFormat.h"

#include <string.h>

namespace BPrivate {

size_t
sample_size(uint32 format)
{
	return is_known_sample_format(format)
		? (format & media_raw_audio_format::B_AUDIO_SIZE_MASK) : 0;
}


bool
is_known_sample_format(uint32 format)
{
	switch (format) {
		case media_raw_audio_format::B_AUDIO_FLOAT:
		case media_raw_audio_format::B_AUDIO_INT:
		case media_raw_audio_format::B_AUDIO_SHORT:
		case media_raw_audio_format::B_AUDIO_UCHAR:
		case media_raw_audio_format::B_AUDIO_CHAR:
			return true;
		default:
			return false;
	}
}


float
read_sample(const uint8* sample, uint32 format, bool swap)
{
	switch (format) {
		case media_raw_audio_format::B_AUDIO_FLOAT:
		case media_raw_audio_format::B_AUDIO_INT: {
			uint32 bits;
			memcpy(&bits, sample, 4);
			if (swap)
				bits = __builtin_bswap32(bits);
			if (format == media_raw_audio_format::B_AUDIO_INT)
				return (float)((double)(int32)bits / 2147483648.0);
			float value;
			memcpy(&value, &bits, 4);
			return value == value ? value : 0.0f;
		}
		case media_raw_audio_format::B_AUDIO_SHORT: {
			uint16 bits;
			memcpy(&bits, sample, 2);
			if (swap)
				bits = __builtin_bswap16(bits);
			return (int16)bits / 32768.0f;
		}
		case media_raw_audio_format::B_AUDIO_UCHAR:
			return (sample[0] - 128) / 128.0f;
		case media_raw_audio_format::B_AUDIO_CHAR:
			return (int8)sample[0] / 128.0f;
		default:
			return 0.0f;
	}
}


void
write_sample(uint8* sample, uint32 format, float value)
{
	if (value > 1.0f)
		value = 1.0f;
	else if (!(value >= -1.0f))
		value = -1.0f;
	switch (format) {
		case media_raw_audio_format::B_AUDIO_FLOAT:
			memcpy(sample, &value, 4);
			break;
		case media_raw_audio_format::B_AUDIO_INT: {
			int32 bits = (int32)((double)value * 2147483647.0);
			memcpy(sample, &bits, 4);
			break;
		}
		case media_raw_audio_format::B_AUDIO_SHORT: {
			int16 bits = (int16)(value * 32767.0f);
			memcpy(sample, &bits, 2);
			break;
		}
		case media_raw_audio_format::B_AUDIO_UCHAR:
			sample[0] = (uint8)(128 + (int)(value * 127.0f));
			break;
		case media_raw_audio_format::B_AUDIO_CHAR:
			sample[0] = (uint8)(int8)(value * 127.0f);
			break;
	}
}

} // namespace BPrivate
