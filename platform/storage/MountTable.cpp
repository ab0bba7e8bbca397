#include "storage/MountTable.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/sysmacros.h>

#include <sstream>

namespace {

// Undoes the octal escapes (\040 for a space ...) of a path in the mount table.
std::string
unescape(const std::string& field)
{
	std::string result;
	for (size_t i = 0; i < field.size(); i++) {
		if (field[i] == '\\' && field.size() - i >= 4
			&& field[i + 1] >= '0' && field[i + 1] <= '3') {
			result += (char)strtol(field.substr(i + 1, 3).c_str(), NULL, 8);
			i += 3;
		} else
			result += field[i];
	}
	return result;
}


// One line: id parent major:minor root mount-point options [optional...] - type source
// super-options.
bool
parse_line(const std::string& line, BPrivate::MountEntry& entry)
{
	std::istringstream fields(line);
	std::string id, parent, device, root, mountPoint, options, field;
	if (!(fields >> id >> parent >> device >> root >> mountPoint >> options))
		return false;
	while (fields >> field && field != "-") {
	}
	if (field != "-" || !(fields >> entry.fileSystem >> entry.source))
		return false;
	unsigned int major, minor;
	if (sscanf(device.c_str(), "%u:%u", &major, &minor) != 2)
		return false;
	entry.device = makedev(major, minor);
	entry.mountPoint = unescape(mountPoint);
	entry.source = unescape(entry.source);
	entry.readOnly = options == "ro" || options.compare(0, 3, "ro,") == 0;
	return true;
}

} // namespace


std::vector<BPrivate::MountEntry>
BPrivate::read_mount_table()
{
	std::vector<MountEntry> mounts;
	FILE* table = fopen("/proc/self/mountinfo", "re");
	if (table == NULL)
		return mounts;
	char* line = NULL;
	size_t capacity = 0;
	while (getline(&line, &capacity, table) > 0) {
		MountEntry entry;
		if (!parse_line(line, entry))
			continue;
		bool known = false;
		for (const MountEntry& mount : mounts)
			known = known || mount.device == entry.device;
		if (!known)
			mounts.push_back(entry);
	}
	free(line);
	fclose(table);
	return mounts;
}
