// Conversions between UTF-8 and the platform's other text encodings, through the C
// library's iconv. Each converts what fits: on return *srcLen holds the bytes taken from
// src and *dstLen the bytes written to dst. A sequence the source encoding does not
// allow, or a character the destination cannot hold, becomes substitute; a sequence cut
// off at the end of src is left there for the next call. state is kept as zero:
// each call stands alone, and text in B_JIS_CONVERSION ends each call in ASCII.
#ifndef _UTF8_H
#define _UTF8_H

#include <InterfaceDefs.h>
#include <SupportDefs.h>

enum {
	B_ISO1_CONVERSION,				// ISO 8859-1
	B_ISO2_CONVERSION,				// ISO 8859-2
	B_ISO3_CONVERSION,				// ISO 8859-3
	B_ISO4_CONVERSION,				// ISO 8859-4
	B_ISO5_CONVERSION,				// ISO 8859-5
	B_ISO6_CONVERSION,				// ISO 8859-6
	B_ISO7_CONVERSION,				// ISO 8859-7
	B_ISO8_CONVERSION,				// ISO 8859-8
	B_ISO9_CONVERSION,				// ISO 8859-9
	B_ISO10_CONVERSION,				// ISO 8859-10
	B_MAC_ROMAN_CONVERSION,			// Macintosh Roman
	B_SJIS_CONVERSION,				// Shift-JIS
	B_EUC_CONVERSION,				// EUC packed Japanese
	B_JIS_CONVERSION,				// JIS (ISO-2022-JP)
	B_MS_WINDOWS_CONVERSION,		// Windows code page 1252
	B_UNICODE_CONVERSION,			// UCS-2, big-endian
	B_KOI8R_CONVERSION,				// KOI8-R
	B_MS_WINDOWS_1251_CONVERSION,	// Windows code page 1251
	B_MS_DOS_866_CONVERSION,		// MS-DOS code page 866
	B_MS_DOS_CONVERSION,			// MS-DOS code page 437
	B_EUC_KR_CONVERSION,			// EUC Korean
	B_ISO13_CONVERSION,				// ISO 8859-13
	B_ISO14_CONVERSION,				// ISO 8859-14
	B_ISO15_CONVERSION,				// ISO 8859-15
	B_BIG5_CONVERSION,				// Chinese Big5
	B_GBK_CONVERSION,				// Chinese GB18030
	B_UTF16_CONVERSION,				// UTF-16, big-endian
	B_MS_WINDOWS_1250_CONVERSION	// Windows code page 1250
};

// B_OK; B_BAD_VALUE for a missing argument or a negative length; B_ERROR for an
// encoding that is not one of the above or that the C library cannot convert.
status_t convert_to_utf8(uint32 sourceEncoding, const char* source, int32* sourceLength,
	char* dest, int32* destLength, int32* state, char substitute = B_SUBSTITUTE);
status_t convert_from_utf8(uint32 destEncoding, const char* source, int32* sourceLength,
	char* dest, int32* destLength, int32* state, char substitute = B_SUBSTITUTE);

#endif // _UTF8_H
