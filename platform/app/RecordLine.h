// The one-line text records that announce a team's kernel objects (areas, ports) to the
// user's other teams (docs/kernel.md):
//
//	<tag> <number> <number> ... <name, hex>\n
//
// Records come from other processes: parsing trusts nothing.
#ifndef _RECORD_LINE_H
#define _RECORD_LINE_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// One number field: decimal or hexadecimal (lower-case), at most maximum.
struct RecordNumber {
	uint64	maximum;
	int		base;
};

// Appends the name as pairs of lower-case hexadecimal digits, then the newline.
void append_record_name(std::string& text, const std::string& name);

// Parses a whole record of at most maxLength bytes: the tag, count numbers as fields
// describes them (into values), and a name of 0 to B_OS_NAME_LENGTH - 1 bytes other than
// NUL. False, with name and values left in any state, for anything else.
bool parse_record_line(const char* data, size_t length, size_t maxLength, const char* tag,
	const RecordNumber* fields, size_t count, uint64* values, std::string& name);

} // namespace BPrivate

#endif // _RECORD_LINE_H
