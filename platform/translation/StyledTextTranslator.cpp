// Plain text and the kit's styled text stream (B_STYLED_TEXT_FORMAT): plain text becomes a
// stream of its text record; a stream becomes the text of its text record (its style
// record, a run array, has no plain form and is left out).
#include <ByteOrder.h>
#include <TranslationErrors.h>
#include <Translator.h>

#include <stdio.h>
#include <string.h>

#include "translation/BuiltinTranslators.h"
#include "translation/ImageData.h"

namespace BPrivate {

namespace {

const translation_format kTextFormats[] = {
	{ B_TRANSLATOR_TEXT, B_TRANSLATOR_TEXT, 0.4f, 0.6f, "text/plain", "Plain text file" },
	{ B_STYLED_TEXT_FORMAT, B_TRANSLATOR_TEXT, 0.5f, 0.5f, "text/x-vnd.Be-stxt",
		"Be styled text file" }
};
const int32 kStreamVersion = 100;
const size_t kRecordHeaderSize = 12;
const size_t kStreamHeaderSize = kRecordHeaderSize + 4;
const size_t kTextHeaderSize = kRecordHeaderSize + 4;
// How much of the data Identify looks at to tell text from binary data.
const size_t kTextSniffLength = 512;


uint32
read_big32(const uint8* bytes)
{
	return (uint32)bytes[0] << 24 | (uint32)bytes[1] << 16 | (uint32)bytes[2] << 8 | bytes[3];
}


void
put_big32(uint8* bytes, uint32 value)
{
	uint32 big = B_HOST_TO_BENDIAN_INT32(value);
	memcpy(bytes, &big, 4);
}


bool
is_styled_stream(const uint8* bytes, size_t length)
{
	return length >= kStreamHeaderSize
		&& read_big32(bytes) == TranslatorStyledTextStreamHeader::STREAM_HEADER_MAGIC
		&& read_big32(bytes + 4) == kStreamHeaderSize;
}


// Text holds no NUL and few other control characters.
bool
looks_like_text(const uint8* bytes, size_t length)
{
	size_t controls = 0;
	for (size_t i = 0; i < length; i++) {
		if (bytes[i] == 0)
			return false;
		if (bytes[i] < 0x20 && bytes[i] != '\n' && bytes[i] != '\r' && bytes[i] != '\t'
			&& bytes[i] != '\f')
			controls++;
	}
	return controls * 10 <= length;
}


// The text record of a styled text stream.
status_t
text_of_stream(const std::vector<uint8>& data, const uint8** text, size_t* length)
{
	if (!is_styled_stream(data.data(), data.size()))
		return B_ILLEGAL_DATA;
	size_t position = kStreamHeaderSize;
	if (data.size() - position < kTextHeaderSize)
		return B_ILLEGAL_DATA;
	const uint8* record = data.data() + position;
	uint32 headerSize = read_big32(record + 4);
	uint32 dataSize = read_big32(record + 8);
	if (read_big32(record) != TranslatorStyledTextTextHeader::TEXT_HEADER_MAGIC
		|| headerSize < kTextHeaderSize || headerSize > data.size() - position
		|| dataSize > data.size() - position - headerSize)
		return B_ILLEGAL_DATA;
	*text = record + headerSize;
	*length = dataSize;
	return B_OK;
}


class StyledTextTranslator : public BTranslator {
public:
	const char* TranslatorName() const override { return "Styled text"; }
	const char* TranslatorInfo() const override
	{
		return "Reads and writes plain text and styled text streams.";
	}
	int32 TranslatorVersion() const override { return 100; }

	const translation_format* InputFormats(int32* _count) const override
	{
		if (_count != NULL)
			*_count = 2;
		return kTextFormats;
	}

	const translation_format* OutputFormats(int32* _count) const override
	{
		return InputFormats(_count);
	}

	status_t Identify(BPositionIO* source, const translation_format* format,
		BMessage* extension, translator_info* info, uint32 outType) override
	{
		if (source == NULL || info == NULL)
			return B_BAD_VALUE;
		if (outType != 0 && outType != B_TRANSLATOR_TEXT && outType != B_STYLED_TEXT_FORMAT)
			return B_NO_TRANSLATOR;
		uint8 prefix[kTextSniffLength];
		ssize_t length = peek(source, prefix, sizeof(prefix));
		if (length <= 0)
			return length < 0 ? (status_t)length : B_NO_TRANSLATOR;
		const translation_format* found;
		if (is_styled_stream(prefix, (size_t)length))
			found = &kTextFormats[1];
		else if (looks_like_text(prefix, (size_t)length))
			found = &kTextFormats[0];
		else
			return B_NO_TRANSLATOR;
		info->type = found->type;
		info->group = found->group;
		info->quality = found->quality;
		info->capability = found->capability;
		snprintf(info->name, sizeof(info->name), "%s", found->name);
		snprintf(info->MIME, sizeof(info->MIME), "%s", found->MIME);
		return B_OK;
	}

	status_t Translate(BPositionIO* source, const translator_info* info,
		BMessage* extension, uint32 outType, BPositionIO* destination) override
	{
		if (source == NULL || destination == NULL)
			return B_BAD_VALUE;
		if (outType == 0)
			outType = B_TRANSLATOR_TEXT;
		if (outType != B_TRANSLATOR_TEXT && outType != B_STYLED_TEXT_FORMAT)
			return B_NO_TRANSLATOR;
		std::vector<uint8> data;
		status_t status = read_to_end(source, &data);
		if (status != B_OK)
			return status;
		bool styled = is_styled_stream(data.data(), data.size());
		if (!styled && !looks_like_text(data.data(),
				std::min(data.size(), kTextSniffLength)))
			return B_NO_TRANSLATOR;
		if (styled == (outType == B_STYLED_TEXT_FORMAT))
			return write_all(destination, data.data(), data.size());
		if (styled) {
			const uint8* text;
			size_t length;
			status = text_of_stream(data, &text, &length);
			if (status != B_OK)
				return status;
			return write_all(destination, text, length);
		}
		uint8 headers[kStreamHeaderSize + kTextHeaderSize];
		put_big32(headers, TranslatorStyledTextStreamHeader::STREAM_HEADER_MAGIC);
		put_big32(headers + 4, kStreamHeaderSize);
		put_big32(headers + 8, 0);
		put_big32(headers + 12, kStreamVersion);
		uint8* text = headers + kStreamHeaderSize;
		put_big32(text, TranslatorStyledTextTextHeader::TEXT_HEADER_MAGIC);
		put_big32(text + 4, kTextHeaderSize);
		put_big32(text + 8, (uint32)data.size());
		put_big32(text + 12, 0);
		status = write_all(destination, headers, sizeof(headers));
		if (status != B_OK)
			return status;
		return write_all(destination, data.data(), data.size());
	}
};

} // namespace


BTranslator*
make_styled_text_translator()
{
	return new StyledTextTranslator;
}

} // namespace BPrivate
