// The directories where applications keep things, by role. On Linux the user's directories
// are the XDG base directories and the system's are those of the kit's installation
// prefix and of the file system hierarchy (docs/find-directory.md has the whole map).
#ifndef _FIND_DIRECTORY_H
#define _FIND_DIRECTORY_H

#include <SupportDefs.h>

#include <sys/types.h>

typedef enum {
	B_DESKTOP_DIRECTORY = 0,
	B_TRASH_DIRECTORY,

	B_BEOS_DIRECTORY = 1000,
	B_BEOS_SYSTEM_DIRECTORY,
	B_BEOS_ADDONS_DIRECTORY,
	B_BEOS_BOOT_DIRECTORY,
	B_BEOS_FONTS_DIRECTORY,
	B_BEOS_LIB_DIRECTORY,
	B_BEOS_SERVERS_DIRECTORY,
	B_BEOS_APPS_DIRECTORY,
	B_BEOS_BIN_DIRECTORY,
	B_BEOS_ETC_DIRECTORY,
	B_BEOS_DOCUMENTATION_DIRECTORY,
	B_BEOS_PREFERENCES_DIRECTORY,
	B_BEOS_TRANSLATORS_DIRECTORY,
	B_BEOS_MEDIA_NODES_DIRECTORY,
	B_BEOS_SOUNDS_DIRECTORY,

	B_COMMON_DIRECTORY = 2000,
	B_COMMON_SYSTEM_DIRECTORY,
	B_COMMON_ADDONS_DIRECTORY,
	B_COMMON_BOOT_DIRECTORY,
	B_COMMON_FONTS_DIRECTORY,
	B_COMMON_LIB_DIRECTORY,
	B_COMMON_SERVERS_DIRECTORY,
	B_COMMON_BIN_DIRECTORY,
	B_COMMON_ETC_DIRECTORY,
	B_COMMON_DOCUMENTATION_DIRECTORY,
	B_COMMON_SETTINGS_DIRECTORY,
	B_COMMON_DEVELOP_DIRECTORY,
	B_COMMON_LOG_DIRECTORY,
	B_COMMON_SPOOL_DIRECTORY,
	B_COMMON_TEMP_DIRECTORY,
	B_COMMON_VAR_DIRECTORY,
	B_COMMON_TRANSLATORS_DIRECTORY,
	B_COMMON_MEDIA_NODES_DIRECTORY,
	B_COMMON_SOUNDS_DIRECTORY,

	B_USER_DIRECTORY = 3000,
	B_USER_CONFIG_DIRECTORY,
	B_USER_ADDONS_DIRECTORY,
	B_USER_BOOT_DIRECTORY,
	B_USER_FONTS_DIRECTORY,
	B_USER_LIB_DIRECTORY,
	B_USER_SETTINGS_DIRECTORY,
	B_USER_DESKBAR_DIRECTORY,
	B_USER_PRINTERS_DIRECTORY,
	B_USER_TRANSLATORS_DIRECTORY,
	B_USER_MEDIA_NODES_DIRECTORY,
	B_USER_SOUNDS_DIRECTORY,
	B_USER_DATA_DIRECTORY,
	B_USER_CACHE_DIRECTORY,

	B_APPS_DIRECTORY = 4000,
	B_PREFERENCES_DIRECTORY,
	B_UTILITIES_DIRECTORY
} directory_which;

#ifdef __cplusplus
extern "C" {
#endif

// Writes the directory's absolute path into path (length bytes). volume is ignored: Linux
// has one hierarchy. With createIt the directory and its parents are made (mode 0700 for
// the user's directories, 0755 for the others). B_BAD_VALUE for an unknown which,
// B_NAME_TOO_LONG when path is too short, B_ENTRY_NOT_FOUND when the user has no home.
status_t find_directory(directory_which which, dev_t volume, bool createIt, char* path,
	int32 length);

#ifdef __cplusplus
}

class BPath;
class BVolume;

status_t find_directory(directory_which which, BPath* path, bool createIt = false,
	BVolume* volume = NULL);
#endif

#endif // _FIND_DIRECTORY_H
