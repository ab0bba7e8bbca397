#include "app/AreaRecord.h"

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include "app/RecordLine.h"

namespace BPrivate {

namespace {

const char* const kRecordTag = "area1";

} // namespace


std::string
format_area_record(const AreaRecord& record)
{
	char head[160];
	snprintf(head, sizeof(head), "%s %" PRId32 " %" PRId32 " %zu %" PRIu32 " %" PRIu32 " %"
		PRIxPTR " ", kRecordTag, record.team, record.fd, record.size, record.lock,
		record.protection, record.address);
	std::string text = head;
	append_record_name(text, record.name);
	return text;
}


// "area1 <team> <fd> <size> <lock> <protection> <address, hex> <name, hex>\n"
bool
parse_area_record(const char* data, size_t length, AreaRecord& record)
{
	static const RecordNumber kFields[] = {
		{ INT32_MAX, 10 }, { INT32_MAX, 10 }, { SIZE_MAX, 10 }, { UINT32_MAX, 10 },
		{ UINT32_MAX, 10 }, { UINTPTR_MAX, 16 }
	};
	uint64 values[6];
	std::string name;
	if (!parse_record_line(data, length, kMaxAreaRecordSize, kRecordTag, kFields, 6, values,
			name))
		return false;
	record.team = (team_id)values[0];
	record.fd = (int32)values[1];
	record.size = (size_t)values[2];
	record.lock = (uint32)values[3];
	record.protection = (uint32)values[4];
	record.address = (uintptr_t)values[5];
	record.name = name;
	return true;
}

} // namespace BPrivate
