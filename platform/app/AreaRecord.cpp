#include "app/AreaRecord.h"

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

namespace BPrivate {

namespace {

const char* const kRecordTag = "area1";


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


std::string
format_area_record(const AreaRecord& record)
{
	char head[160];
	snprintf(head, sizeof(head), "%s %" PRId32 " %" PRId32 " %zu %" PRIu32 " %" PRIu32 " %"
		PRIxPTR " ", kRecordTag, record.team, record.fd, record.size, record.lock,
		record.protection, record.address);
	std::string text = head;
	static const char kDigits[] = "0123456789abcdef";
	for (unsigned char c : record.name) {
		text += kDigits[c >> 4];
		text += kDigits[c & 0xf];
	}
	text += '\n';
	return text;
}


// "area1 <team> <fd> <size> <lock> <protection> <address, hex> <name, hex>\n"
bool
parse_area_record(const char* data, size_t length, AreaRecord& record)
{
	if (data == NULL || length > kMaxAreaRecordSize || length < 2 || data[length - 1] != '\n')
		return false;
	const char* cursor = data;
	const char* end = data + length;
	size_t tagLength = strlen(kRecordTag);
	if ((size_t)(end - cursor) <= tagLength || memcmp(cursor, kRecordTag, tagLength) != 0
		|| cursor[tagLength] != ' ')
		return false;
	cursor += tagLength + 1;

	uint64 team, fd, size, lock, protection, address;
	if (!read_number(cursor, end, INT32_MAX, 10, team)
		|| !read_number(cursor, end, INT32_MAX, 10, fd)
		|| !read_number(cursor, end, SIZE_MAX, 10, size)
		|| !read_number(cursor, end, UINT32_MAX, 10, lock)
		|| !read_number(cursor, end, UINT32_MAX, 10, protection)
		|| !read_number(cursor, end, UINTPTR_MAX, 16, address))
		return false;

	// The name: pairs of hexadecimal digits up to the line's end.
	const char* nameEnd = end - 1;
	if ((nameEnd - cursor) % 2 != 0 || (nameEnd - cursor) / 2 > B_OS_NAME_LENGTH - 1)
		return false;
	std::string name;
	for (; cursor < nameEnd; cursor += 2) {
		int high = hex_value(cursor[0]);
		int low = hex_value(cursor[1]);
		if (high < 0 || low < 0 || (high == 0 && low == 0))
			return false;
		name += (char)(high << 4 | low);
	}

	record.team = (team_id)team;
	record.fd = (int32)fd;
	record.size = (size_t)size;
	record.lock = (uint32)lock;
	record.protection = (uint32)protection;
	record.address = (uintptr_t)address;
	record.name = name;
	return true;
}

} // namespace BPrivate
