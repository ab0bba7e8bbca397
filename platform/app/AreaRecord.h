// The record that announces an area to the user's other teams: one file per area in the
// runtime directory's "areas" folder, named after the area's id (docs/kernel.md). Records
// come from other processes: parsing trusts nothing.
#ifndef _AREA_RECORD_H
#define _AREA_RECORD_H

#include <OS.h>

#include <string>

namespace BPrivate {

// The largest record file read.
const size_t kMaxAreaRecordSize = 256;

struct AreaRecord {
	team_id		team = -1;
	// The owner's descriptor of the area's memory file.
	int32		fd = -1;
	size_t		size = 0;
	uint32		lock = 0;
	uint32		protection = 0;
	// In the owner's address space.
	uintptr_t	address = 0;
	// At most B_OS_NAME_LENGTH - 1 bytes, any but NUL.
	std::string	name;
};

std::string format_area_record(const AreaRecord& record);
// False, leaving record alone, for anything that is not one whole record.
bool parse_area_record(const char* data, size_t length, AreaRecord& record);

} // namespace BPrivate

#endif // _AREA_RECORD_H
