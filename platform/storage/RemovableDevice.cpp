#include "storage/RemovableDevice.h"

#include <StorageDefs.h>

#include <stdio.h>
#include <sys/sysmacros.h>

namespace BPrivate {

bool
is_removable_device(dev_t device)
{
	// A partition's removable flag is its disk's, one folder up.
	const char* const kFlags[] = { "removable", "../removable" };
	for (const char* flag : kFlags) {
		char path[B_PATH_NAME_LENGTH];
		snprintf(path, sizeof(path), "/sys/dev/block/%u:%u/%s", major(device),
			minor(device), flag);
		FILE* file = fopen(path, "re");
		if (file == NULL)
			continue;
		int value = fgetc(file);
		fclose(file);
		return value == '1';
	}
	return false;
}

} // namespace BPrivate
