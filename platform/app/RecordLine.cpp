#include "app/RecordLine.h"

#include <OS.h>

#include <string.h>

namespace BPrivate {

namespace {

// Reads one space-terminated unsigned decimal or hexadecimal field at *cursor.
bool
read_number(const char*& cursor, const char* end, uint64 maximum, int base, uint64& value)
{
	value = 0;
	const char* start = cursor;
	while (cursor < end && *cursor != ' ') {
		int digit;
		char c = *cursor;
		if (c >= '0' && c <= '9')
			digit = c - '0';
		else if (base == 16 && c >= 'a' && c <= 'f')
			digit = c - 'a' + 10;
		else
			return false;
		if (value > (maximum - digit) / base)
			return false;
		value = value * base + digit;
		cursor++;
	}
	if (cursor == start || cursor - start > 20 || cursor == end)
		return false;
	cursor++;
	return true;
}


int
hex_value(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	return -1;
}

} // namespace


void
append_record_name(std::string& text, const std::string& name)
{
	static const char kDigits[] = "0123456789abcdef";
	for (unsigned char c : name) {
		text += kDigits[c >> 4];
		text += kDigits[c & 0xf];
	}
	text += '\n';
}


bool
parse_record_line(const char* data, size_t length, size_t maxLength, const char* tag,
	const RecordNumber* fields, size_t count, uint64* values, std::string& name)
{
	if (data == NULL || length > maxLength || length < 2 || data[length - 1] != '\n')
		return false;
	const char* cursor = data;
	const char* end = data + length;
	size_t tagLength = strlen(tag);
	if ((size_t)(end - cursor) <= tagLength || memcmp(cursor, tag, tagLength) != 0
		|| cursor[tagLength] != ' ')
		return false;
	cursor += tagLength + 1;

	for (size_t i = 0; i < count; i++) {
		if (!read_number(cursor, end, fields[i].maximum, fields[i].base, values[i]))
			return false;
	}

	// The name: pairs of hexadecimal digits up to the line's end.
	const char* nameEnd = end - 1;
	if ((nameEnd - cursor) % 2 != 0 || (nameEnd - cursor) / 2 > B_OS_NAME_LENGTH - 1)
		return false;
	name.clear();
	for (; cursor < nameEnd; cursor += 2) {
		int high = hex_value(cursor[0]);
		int low = hex_value(cursor[1]);
		if (high < 0 || low < 0 || (high == 0 && low == 0))
			return false;
		name += (char)(high << 4 | low);
	}
	return true;
}

} // namespace BPrivate
