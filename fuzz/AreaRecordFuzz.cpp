// Area records as other teams of the user may have written them: what parses has a name
// the platform allows, and formats to a record that parses to the same fields.
#include "app/AreaRecord.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BPrivate::AreaRecord record;
	if (!BPrivate::parse_area_record((const char*)data, size, record))
		return 0;
	if (record.name.size() >= B_OS_NAME_LENGTH || record.name.find('\0') != std::string::npos)
		__builtin_trap();
	BPrivate::AreaRecord again;
	std::string text = BPrivate::format_area_record(record);
	if (!BPrivate::parse_area_record(text.data(), text.size(), again) || again.team != record.team
		|| again.fd != record.fd || again.size != record.size || again.name != record.name
		|| again.address != record.address)
		__builtin_trap();
	return 0;
}
