// Conversions between UTF-8 and the platform's encodings: round trips, what does not fit,
// what cannot be converted, and arguments that are wrong.
#include <UTF8.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Converts all of source (in one call), or fails the test.
std::string
ToUTF8(uint32 encoding, const std::string& source, char substitute = '?')
{
	char buffer[256];
	int32 sourceLength = source.size();
	int32 destLength = sizeof(buffer);
	int32 state = 0;
	EXPECT_EQ(convert_to_utf8(encoding, source.data(), &sourceLength, buffer, &destLength,
		&state, substitute), B_OK);
	EXPECT_EQ(sourceLength, (int32)source.size());
	return std::string(buffer, destLength);
}


std::string
FromUTF8(uint32 encoding, const std::string& source, char substitute = '?')
{
	char buffer[256];
	int32 sourceLength = source.size();
	int32 destLength = sizeof(buffer);
	int32 state = 0;
	EXPECT_EQ(convert_from_utf8(encoding, source.data(), &sourceLength, buffer, &destLength,
		&state, substitute), B_OK);
	EXPECT_EQ(sourceLength, (int32)source.size());
	return std::string(buffer, destLength);
}

} // namespace


TEST(UTF8Test, RoundTripsThroughTheEncodings)
{
	EXPECT_EQ(ToUTF8(B_ISO1_CONVERSION, "caf\xe9"), "caf\xc3\xa9");
	EXPECT_EQ(FromUTF8(B_ISO1_CONVERSION, "caf\xc3\xa9"), "caf\xe9");
	EXPECT_EQ(ToUTF8(B_MS_WINDOWS_CONVERSION, "\x80"), "\xe2\x82\xac");
	EXPECT_EQ(ToUTF8(B_KOI8R_CONVERSION, "\xc1"), "\xd0\xb0");
	EXPECT_EQ(ToUTF8(B_UNICODE_CONVERSION, std::string("\0A\x30\x42", 4)), "A\xe3\x81\x82");

	const std::string japanese = "\xe6\x97\xa5\xe6\x9c\xac";
	for (uint32 encoding : { B_SJIS_CONVERSION, B_EUC_CONVERSION, B_JIS_CONVERSION,
			B_UTF16_CONVERSION, B_GBK_CONVERSION, B_BIG5_CONVERSION }) {
		SCOPED_TRACE(encoding);
		EXPECT_EQ(ToUTF8(encoding, FromUTF8(encoding, japanese)), japanese);
	}
	// JIS text ends each call back in ASCII.
	std::string jis = FromUTF8(B_JIS_CONVERSION, japanese);
	EXPECT_EQ(jis.substr(jis.size() - 3), "\x1b(B");
}


TEST(UTF8Test, WhatCannotBeConvertedBecomesTheSubstitute)
{
	// A character Latin-1 lacks, as a whole; then malformed UTF-8, a byte at a time.
	EXPECT_EQ(FromUTF8(B_ISO1_CONVERSION, "a\xe6\x97\xa5" "b", '#'), "a#b");
	EXPECT_EQ(FromUTF8(B_ISO1_CONVERSION, "a\xff\xfe" "b", '#'), "a##b");
	EXPECT_EQ(ToUTF8(B_SJIS_CONVERSION, "a\x80" "b", '#'), "a#b");
	EXPECT_EQ(ToUTF8(B_UTF16_CONVERSION, std::string("\xdc\x00\x00" "b", 4), '#'), "#b");
}


TEST(UTF8Test, StopsWhereTheDestinationIsFullOrTheSourceIsCutOff)
{
	const char* source = "\xc3\xa9\xc3\xa9\xc3\xa9";
	char buffer[8];
	int32 sourceLength = 6;
	int32 destLength = 2;
	int32 state = 0;
	ASSERT_EQ(convert_from_utf8(B_ISO1_CONVERSION, source, &sourceLength, buffer,
		&destLength, &state), B_OK);
	EXPECT_EQ(sourceLength, 4);
	EXPECT_EQ(destLength, 2);

	// The first byte of a two-byte character is left for the next call.
	sourceLength = 3;
	destLength = sizeof(buffer);
	ASSERT_EQ(convert_from_utf8(B_ISO1_CONVERSION, source, &sourceLength, buffer,
		&destLength, &state), B_OK);
	EXPECT_EQ(sourceLength, 2);
	EXPECT_EQ(destLength, 1);
}


TEST(UTF8Test, RefusesBadArguments)
{
	char buffer[8];
	int32 sourceLength = 1;
	int32 destLength = sizeof(buffer);
	int32 state = 0;
	EXPECT_EQ(convert_to_utf8(B_ISO1_CONVERSION, NULL, &sourceLength, buffer, &destLength,
		&state), B_BAD_VALUE);
	EXPECT_EQ(convert_to_utf8(B_ISO1_CONVERSION, "a", NULL, buffer, &destLength, &state),
		B_BAD_VALUE);
	EXPECT_EQ(convert_from_utf8(B_ISO1_CONVERSION, "a", &sourceLength, NULL, &destLength,
		&state), B_BAD_VALUE);
	sourceLength = -1;
	EXPECT_EQ(convert_from_utf8(B_ISO1_CONVERSION, "a", &sourceLength, buffer, &destLength,
		&state), B_BAD_VALUE);
	sourceLength = 1;
	EXPECT_EQ(convert_to_utf8(999, "a", &sourceLength, buffer, &destLength, &state),
		B_ERROR);
	// The state may be left out.
	EXPECT_EQ(convert_to_utf8(B_ISO1_CONVERSION, "a", &sourceLength, buffer, &destLength,
		NULL), B_OK);
}
