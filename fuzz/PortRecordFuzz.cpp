// Port records as other teams of the user may have written them: what parses has a name
// the platform allows and a capacity a port may have, and formats to a record that parses
// to the same fields.
#include "app/PortRecord.h"

#include <stddef.h>
#include <stdint.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BPrivate::PortRecord record;
	if (!BPrivate::parse_port_record((const char*)data, size, record))
		return 0;
	if (record.name.size() >= B_OS_NAME_LENGTH || record.name.find('\0') != std::string::npos
		|| record.capacity < 1 || record.capacity > BPrivate::kMaxPortCapacity
		|| record.owner <= 0 || record.host <= 0)
		__builtin_trap();
	BPrivate::PortRecord again;
	std::string text = BPrivate::format_port_record(record);
	if (!BPrivate::parse_port_record(text.data(), text.size(), again)
		|| again.owner != record.owner || again.host != record.host
		|| again.capacity != record.capacity || again.name != record.name)
		__builtin_trap();
	return 0;
}
