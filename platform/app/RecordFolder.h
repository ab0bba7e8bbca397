// A folder of records, one file per object named after its id (the runtime directory's
// "areas" and "ports"): ids are taken with link(), which fails when the name exists, so
// that the user's teams never hand out one id twice; a record is written whole before it
// gets its name, so that no reader sees half of one (docs/kernel.md).
#ifndef _RECORD_FOLDER_H
#define _RECORD_FOLDER_H

#include <SupportDefs.h>

#include <functional>
#include <string>
#include <vector>

namespace BPrivate {

// Whether the team a record names is living: a process of another user with that id is
// a later one, not the record's.
bool record_team_alive(team_id team);

std::string record_path(const std::string& folder, int32 id);

// Reads the record file of id, without waiting, into buffer (at most size bytes, so that
// a longer file reads as size bytes and fails to parse); its length, or -1.
ssize_t read_record_file(const std::string& folder, int32 id, char* buffer, size_t size);

// Writes text as the record of id (id > 0), or under the first free id from first
// upwards, wrapping from limit - 1 to 1 (id <= 0); the id, or B_NO_MEMORY. A taken id
// whose record isLive says names nothing living any more is taken over.
int32 publish_record(const std::string& folder, const std::string& text, int32 id,
	int32 first, int32 limit, const std::function<bool(int32)>& isLive);

// The ids of the folder's records below limit, ascending.
std::vector<int32> listed_record_ids(const std::string& folder, int32 limit);

} // namespace BPrivate

#endif // _RECORD_FOLDER_H
