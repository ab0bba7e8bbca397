// Reading and replacing the kit's small files (the roster, the clipboards) in a directory
// that every process of the user can write to. Another process may put anything under
// their names: a link is never followed (its target is not ours to read or overwrite) and
// a FIFO or device is never waited on, so that reading and writing them never blocks.
#ifndef _SMALL_FILE_H
#define _SMALL_FILE_H

#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {

// Reads the regular file at path whole. B_ENTRY_NOT_FOUND when there is none; B_BAD_DATA
// when it is not a regular file, is larger than maxSize or could not be read whole (data is
// then empty).
status_t read_small_file(const std::string& path, size_t maxSize, std::vector<char>& data);

// Writes data into a file created afresh under the name temporary (whatever lay there is
// removed, never opened), then renames it over path, so that a reader finds the old file
// or the new one whole. The temporary is removed on failure.
status_t replace_small_file(const std::string& path, const std::string& temporary,
	const std::vector<char>& data);

} // namespace BPrivate

#endif // _SMALL_FILE_H
