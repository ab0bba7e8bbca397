// The record that announces a port to the user's other teams: one file per port in the
// runtime directory's "ports" folder, named after the port's id (docs/kernel.md). Records
// come from other processes: parsing trusts nothing.
#ifndef _PORT_RECORD_H
#define _PORT_RECORD_H

#include <OS.h>

#include <string>

namespace BPrivate {

// The largest record file read.
const size_t kMaxPortRecordSize = 256;
// The most messages a port queues (B_BAD_VALUE beyond).
const int32 kMaxPortCapacity = 4096;

struct PortRecord {
	// The team the port belongs to, and the process that holds its queue and answers for
	// it (the one that created it).
	team_id		owner = -1;
	team_id		host = -1;
	int32		capacity = 0;
	// At most B_OS_NAME_LENGTH - 1 bytes, any but NUL.
	std::string	name;
};

std::string format_port_record(const PortRecord& record);
// False, leaving record alone, for anything that is not one whole record.
bool parse_port_record(const char* data, size_t length, PortRecord& record);

} // namespace BPrivate

#endif // _PORT_RECORD_H
