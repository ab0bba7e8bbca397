#include "app/PortRecord.h"

#include <inttypes.h>
#include <stdio.h>

#include "app/RecordLine.h"

namespace BPrivate {

namespace {

const char* const kRecordTag = "port1";

} // namespace


std::string
format_port_record(const PortRecord& record)
{
	char head[96];
	snprintf(head, sizeof(head), "%s %" PRId32 " %" PRId32 " %" PRId32 " ", kRecordTag,
		record.owner, record.host, record.capacity);
	std::string text = head;
	append_record_name(text, record.name);
	return text;
}


// "port1 <owner> <host> <capacity> <name, hex>\n"
bool
parse_port_record(const char* data, size_t length, PortRecord& record)
{
	static const RecordNumber kFields[] = {
		{ INT32_MAX, 10 }, { INT32_MAX, 10 }, { (uint64)kMaxPortCapacity, 10 }
	};
	uint64 values[3];
	std::string name;
	if (!parse_record_line(data, length, kMaxPortRecordSize, kRecordTag, kFields, 3, values,
			name) || values[0] == 0 || values[1] == 0 || values[2] == 0)
		return false;
	record.owner = (team_id)values[0];
	record.host = (team_id)values[1];
	record.capacity = (int32)values[2];
	record.name = name;
	return true;
}

} // namespace BPrivate
