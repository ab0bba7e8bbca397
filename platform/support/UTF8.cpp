#include <UTF8.h>

#include <errno.h>
#include <iconv.h>

namespace {

// The iconv names of the encodings, in the order of their constants.
const char* const kEncodingNames[] = {
	"ISO-8859-1", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6",
	"ISO-8859-7", "ISO-8859-8", "ISO-8859-9", "ISO-8859-10", "MACINTOSH", "SHIFT_JIS",
	"EUC-JP", "ISO-2022-JP", "CP1252", "UCS-2BE", "KOI8-R", "CP1251", "CP866", "CP437",
	"EUC-KR", "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "BIG5", "GB18030", "UTF-16BE",
	"CP1250"
};


// The length of the UTF-8 sequence led by byte, or 1 for a byte that leads none.
size_t
utf8_sequence_length(unsigned char byte)
{
	if (byte >= 0xf0 && byte <= 0xf4)
		return 4;
	if (byte >= 0xe0)
		return byte <= 0xef ? 3 : 1;
	if (byte >= 0xc2)
		return 2;
	return 1;
}


// Converts source with converter as far as it and dest allow. What cannot be converted
// becomes substitute: one unit (byte, or two for UCS-2 and UTF-16) of a malformed
// source, or (fromUTF8) a whole UTF-8 character the destination lacks.
status_t
convert(iconv_t converter, bool fromUTF8, size_t unit, const char* source,
	int32* sourceLength, char* dest, int32* destLength, char substitute)
{
	char* in = const_cast<char*>(source);
	size_t inLeft = *sourceLength;
	char* out = dest;
	size_t outLeft = *destLength;
	while (inLeft > 0) {
		if (iconv(converter, &in, &inLeft, &out, &outLeft) != (size_t)-1)
			break;
		if (errno != EILSEQ)
			break;
		// E2BIG and EINVAL (cut off at the end) stop here; a bad sequence is replaced.
		size_t skip = fromUTF8 ? utf8_sequence_length((unsigned char)*in) : unit;
		if (skip > inLeft)
			skip = inLeft;
		if (fromUTF8) {
			// Put the converter back in its initial shift state before the substitute.
			if (iconv(converter, NULL, NULL, &out, &outLeft) == (size_t)-1)
				break;
		}
		if (outLeft == 0)
			break;
		*out++ = substitute;
		outLeft--;
		in += skip;
		inLeft -= skip;
	}
	// Stateful destinations end each call in their initial state.
	if (fromUTF8) {
		char* end = out;
		size_t endLeft = outLeft;
		if (iconv(converter, NULL, NULL, &end, &endLeft) != (size_t)-1) {
			out = end;
			outLeft = endLeft;
		}
	}
	*sourceLength = (int32)(in - source);
	*destLength = (int32)(out - dest);
	return B_OK;
}


status_t
convert_utf8(uint32 encoding, bool fromUTF8, const char* source, int32* sourceLength,
	char* dest, int32* destLength, int32* state, char substitute)
{
	if (source == NULL || sourceLength == NULL || dest == NULL || destLength == NULL
		|| *sourceLength < 0 || *destLength < 0)
		return B_BAD_VALUE;
	if (encoding >= sizeof(kEncodingNames) / sizeof(kEncodingNames[0]))
		return B_ERROR;
	iconv_t converter = fromUTF8 ? iconv_open(kEncodingNames[encoding], "UTF-8")
		: iconv_open("UTF-8", kEncodingNames[encoding]);
	if (converter == (iconv_t)-1)
		return B_ERROR;
	size_t unit = !fromUTF8 && (encoding == B_UNICODE_CONVERSION
		|| encoding == B_UTF16_CONVERSION) ? 2 : 1;
	status_t status = convert(converter, fromUTF8, unit, source, sourceLength, dest, destLength,
		substitute);
	iconv_close(converter);
	if (state != NULL)
		*state = 0;
	return status;
}

} // namespace


status_t
convert_to_utf8(uint32 sourceEncoding, const char* source, int32* sourceLength, char* dest,
	int32* destLength, int32* state, char substitute)
{
	return convert_utf8(sourceEncoding, false, source, sourceLength, dest, destLength, state,
		substitute);
}


status_t
convert_from_utf8(uint32 destEncoding, const char* source, int32* sourceLength, char* dest,
	int32* destLength, int32* state, char substitute)
{
	return convert_utf8(destEncoding, true, source, sourceLength, dest, destLength, state,
		substitute);
}
