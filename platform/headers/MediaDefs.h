// The Media Kit's basic types: how raw audio is laid out, and the kit's errors. The kit
// plays sound through ALSA (docs/sound.md).
#ifndef _MEDIA_DEFS_H
#define _MEDIA_DEFS_H

#include <ByteOrder.h>
#include <Errors.h>
#include <SupportDefs.h>

#include <stddef.h>

enum media_error {
	// The sound system cannot be reached (on Linux: no audio device).
	B_MEDIA_SYSTEM_FAILURE = B_MEDIA_ERROR_BASE + 0x100,
	B_MEDIA_BAD_NODE,
	B_MEDIA_NODE_BUSY,
	// A format the kit cannot play or read.
	B_MEDIA_BAD_FORMAT,
	B_MEDIA_BAD_BUFFER,
	B_MEDIA_TOO_MANY_NODES,
	B_MEDIA_TOO_MANY_BUFFERS,
	B_MEDIA_NODE_ALREADY_EXISTS,
	B_MEDIA_BUFFER_ALREADY_EXISTS,
	B_MEDIA_CANNOT_SEEK
};

enum {
	B_MEDIA_BIG_ENDIAN		= 1,
	B_MEDIA_LITTLE_ENDIAN	= 2,
#if B_HOST_IS_BENDIAN
	B_MEDIA_HOST_ENDIAN		= B_MEDIA_BIG_ENDIAN
#else
	B_MEDIA_HOST_ENDIAN		= B_MEDIA_LITTLE_ENDIAN
#endif
};

// Raw audio: frames of channel_count interleaved samples of one format, frame_rate frames
// a second. A field left 0 (or the wildcard's value) means "any".
struct media_raw_audio_format {
	enum {
		B_AUDIO_FLOAT	= 0x24,	// 32-bit float, -1.0 to 1.0
		B_AUDIO_INT		= 0x4,	// 32-bit signed integer
		B_AUDIO_SHORT	= 0x2,	// 16-bit signed integer
		B_AUDIO_UCHAR	= 0x11,	// 8-bit unsigned, 128 the middle
		B_AUDIO_CHAR	= 0x1,	// 8-bit signed
		B_AUDIO_SIZE_MASK = 0xf
	};

	float		frame_rate;
	uint32		channel_count;
	uint32		format;
	uint32		byte_order;
	size_t		buffer_size;

	static	media_raw_audio_format wildcard;
};

// Raw audio with the channels named (channel_mask) and the level kept below full scale.
struct media_multi_audio_info {
	uint32		channel_mask;
	int16		valid_bits;
	uint16		matrix_mask;
	uint32		_reserved_b[3];
};

struct media_multi_audio_format : public media_raw_audio_format, public media_multi_audio_info {
	static	media_multi_audio_format wildcard;
};

#endif // _MEDIA_DEFS_H
