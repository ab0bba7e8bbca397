// The formats the Translation Kit knows by code, and the layouts of its own two formats: the
// bitmap stream (B_TRANSLATOR_BITMAP) and the styled text stream (B_STYLED_TEXT_FORMAT).
// docs/translation.md describes both with their limits.
#ifndef _TRANSLATOR_FORMATS_H
#define _TRANSLATOR_FORMATS_H

#include <GraphicsDefs.h>
#include <Rect.h>
#include <SupportDefs.h>

// The kinds of data; each has one format every translator of the kind reads and writes.
enum TranslatorGroups {
	B_TRANSLATOR_BITMAP		= 'bits',
	B_TRANSLATOR_PICTURE	= 'pict',
	B_TRANSLATOR_SOUND		= 'nois',
	B_TRANSLATOR_TEXT		= 'TEXT',
	B_TRANSLATOR_MIDI		= 'midi',
	B_TRANSLATOR_MEDIA		= 'mhi!',
	B_TRANSLATOR_NONE		= 'none',
	B_TRANSLATOR_ANY_TYPE	= 0
};

// Codes of formats outside the kit.
enum {
	B_GIF_FORMAT			= 'GIF ',
	B_JPEG_FORMAT			= 'JPEG',
	B_PNG_FORMAT			= 'PNG ',
	B_PPM_FORMAT			= 'PPM ',
	B_TGA_FORMAT			= 'TGA ',
	B_BMP_FORMAT			= 'BMP ',
	B_TIFF_FORMAT			= 'TIFF',

	B_DXF_FORMAT			= 'DXF ',
	B_EPS_FORMAT			= 'EPS ',
	B_PICT_FORMAT			= 'PICT',

	B_WAV_FORMAT			= 'WAV ',
	B_AIFF_FORMAT			= 'AIFF',
	B_CD_FORMAT				= 'CD  ',
	B_AU_FORMAT				= 'AU  ',

	B_STYLED_TEXT_FORMAT	= 'STXT'
};

// Names of the fields an ioExtension message may carry to and from a translator.
#define B_TRANSLATOR_EXT_HEADER_ONLY			"/headerOnly"
#define B_TRANSLATOR_EXT_DATA_ONLY				"/dataOnly"
#define B_TRANSLATOR_EXT_COMMENT				"/comment"
#define B_TRANSLATOR_EXT_TIME					"/time"
#define B_TRANSLATOR_EXT_FRAME					"/frame"
#define B_TRANSLATOR_EXT_BITMAP_RECT			"bits/Rect"
#define B_TRANSLATOR_EXT_BITMAP_COLOR_SPACE		"bits/space"
#define B_TRANSLATOR_EXT_BITMAP_PALETTE			"bits/palette"
#define B_TRANSLATOR_EXT_SOUND_CHANNEL			"nois/channel"
#define B_TRANSLATOR_EXT_SOUND_MONO				"nois/mono"
#define B_TRANSLATOR_EXT_SOUND_MARKER			"nois/marker"
#define B_TRANSLATOR_EXT_SOUND_LOOP				"nois/loop"

// The header of a bitmap stream; the pixels (dataSize bytes, rowBytes a row) follow it.
// Every field is stored big-endian.
struct TranslatorBitmap {
	uint32		magic;		// B_TRANSLATOR_BITMAP
	BRect		bounds;
	uint32		rowBytes;
	color_space	colors;
	uint32		dataSize;
};

// A styled text stream is a stream header, then a text record, then optionally a style
// record. Every record starts with this header; every field is stored big-endian.
struct TranslatorStyledTextRecordHeader {
	uint32		magic;
	uint32		header_size;	// the whole record header, this part included
	uint32		data_size;		// the bytes that follow the record header
};

struct TranslatorStyledTextStreamHeader {
	enum {
		STREAM_HEADER_MAGIC = 'STXT'
	};
	TranslatorStyledTextRecordHeader	header;
	int32								version;
};

// The text itself, UTF-8 when charset is B_UNICODE_UTF8.
struct TranslatorStyledTextTextHeader {
	enum {
		TEXT_HEADER_MAGIC = 'TEXT'
	};
	TranslatorStyledTextRecordHeader	header;
	int32								charset;
};

// The styles of the text (a flattened run array) and the range they apply to.
struct TranslatorStyledTextStyleHeader {
	enum {
		STYLE_HEADER_MAGIC = 'STYL'
	};
	TranslatorStyledTextRecordHeader	header;
	uint32								apply_offset;
	uint32								apply_length;
};

#endif // _TRANSLATOR_FORMATS_H
