// find_directory: the platform's directory roles mapped onto the XDG base directories and
// the file system hierarchy (docs/find-directory.md).
#include <FindDirectory.h>

#include <Directory.h>
#include <Path.h>
#include <StorageDefs.h>

#include "storage/RegularFile.h"

#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

namespace {

// Where the kit is installed; the system's own directories hang off it.
const char* const kPrefix = KIT_INSTALL_PREFIX;
const char* const kCommonPrefix = "/usr/local";
const mode_t kUserDirectoryMode = 0700;
const mode_t kSystemDirectoryMode = 0755;

enum base_directory {
	kAbsolute,
	kHome,
	kData,
	kConfig,
	kCache,
	kDesktop,
	kPrefixBase,
	kCommonBase,
	kTemp
};

struct directory_entry {
	directory_which	which;
	base_directory	base;
	const char*		leaf;
};

const directory_entry kDirectories[] = {
	{ B_DESKTOP_DIRECTORY, kDesktop, "" },
	{ B_TRASH_DIRECTORY, kData, "Trash/files" },

	{ B_BEOS_DIRECTORY, kPrefixBase, "" },
	{ B_BEOS_SYSTEM_DIRECTORY, kPrefixBase, "lib/bekit" },
	{ B_BEOS_ADDONS_DIRECTORY, kPrefixBase, "lib/bekit/add-ons" },
	{ B_BEOS_BOOT_DIRECTORY, kAbsolute, "/etc/xdg/autostart" },
	{ B_BEOS_FONTS_DIRECTORY, kAbsolute, "/usr/share/fonts" },
	{ B_BEOS_LIB_DIRECTORY, kPrefixBase, "lib" },
	{ B_BEOS_SERVERS_DIRECTORY, kPrefixBase, "bin" },
	{ B_BEOS_APPS_DIRECTORY, kPrefixBase, "bin" },
	{ B_BEOS_BIN_DIRECTORY, kPrefixBase, "bin" },
	{ B_BEOS_ETC_DIRECTORY, kAbsolute, "/etc" },
	{ B_BEOS_DOCUMENTATION_DIRECTORY, kPrefixBase, "share/doc" },
	{ B_BEOS_PREFERENCES_DIRECTORY, kPrefixBase, "bin" },
	{ B_BEOS_TRANSLATORS_DIRECTORY, kPrefixBase, "lib/bekit/translators" },
	{ B_BEOS_MEDIA_NODES_DIRECTORY, kPrefixBase, "lib/bekit/media-nodes" },
	{ B_BEOS_SOUNDS_DIRECTORY, kAbsolute, "/usr/share/sounds" },

	{ B_COMMON_DIRECTORY, kCommonBase, "" },
	{ B_COMMON_SYSTEM_DIRECTORY, kCommonBase, "lib/bekit" },
	{ B_COMMON_ADDONS_DIRECTORY, kCommonBase, "lib/bekit/add-ons" },
	{ B_COMMON_BOOT_DIRECTORY, kAbsolute, "/etc/xdg/autostart" },
	{ B_COMMON_FONTS_DIRECTORY, kCommonBase, "share/fonts" },
	{ B_COMMON_LIB_DIRECTORY, kCommonBase, "lib" },
	{ B_COMMON_SERVERS_DIRECTORY, kCommonBase, "bin" },
	{ B_COMMON_BIN_DIRECTORY, kCommonBase, "bin" },
	{ B_COMMON_ETC_DIRECTORY, kAbsolute, "/etc" },
	{ B_COMMON_DOCUMENTATION_DIRECTORY, kCommonBase, "share/doc" },
	{ B_COMMON_SETTINGS_DIRECTORY, kAbsolute, "/etc/xdg" },
	{ B_COMMON_DEVELOP_DIRECTORY, kCommonBase, "include" },
	{ B_COMMON_LOG_DIRECTORY, kAbsolute, "/var/log" },
	{ B_COMMON_SPOOL_DIRECTORY, kAbsolute, "/var/spool" },
	{ B_COMMON_TEMP_DIRECTORY, kTemp, "" },
	{ B_COMMON_VAR_DIRECTORY, kAbsolute, "/var" },
	{ B_COMMON_TRANSLATORS_DIRECTORY, kCommonBase, "lib/bekit/translators" },
	{ B_COMMON_MEDIA_NODES_DIRECTORY, kCommonBase, "lib/bekit/media-nodes" },
	{ B_COMMON_SOUNDS_DIRECTORY, kCommonBase, "share/sounds" },

	{ B_USER_DIRECTORY, kHome, "" },
	{ B_USER_CONFIG_DIRECTORY, kConfig, "" },
	{ B_USER_ADDONS_DIRECTORY, kData, "bekit/add-ons" },
	{ B_USER_BOOT_DIRECTORY, kConfig, "autostart" },
	{ B_USER_FONTS_DIRECTORY, kData, "fonts" },
	{ B_USER_LIB_DIRECTORY, kHome, ".local/lib" },
	{ B_USER_SETTINGS_DIRECTORY, kConfig, "" },
	{ B_USER_DESKBAR_DIRECTORY, kData, "bekit/deskbar" },
	{ B_USER_PRINTERS_DIRECTORY, kData, "bekit/printers" },
	{ B_USER_TRANSLATORS_DIRECTORY, kData, "bekit/translators" },
	{ B_USER_MEDIA_NODES_DIRECTORY, kData, "bekit/media-nodes" },
	{ B_USER_SOUNDS_DIRECTORY, kData, "sounds" },
	{ B_USER_DATA_DIRECTORY, kData, "" },
	{ B_USER_CACHE_DIRECTORY, kCache, "" },

	{ B_APPS_DIRECTORY, kPrefixBase, "bin" },
	{ B_PREFERENCES_DIRECTORY, kPrefixBase, "bin" },
	{ B_UTILITIES_DIRECTORY, kPrefixBase, "bin" },
};


// The user's home: $HOME when it is an absolute path, else the password database's.
bool
home_directory(std::string& home)
{
	const char* variable = getenv("HOME");
	if (variable != NULL && variable[0] == '/') {
		home = variable;
		return true;
	}
	struct passwd entry;
	struct passwd* found = NULL;
	char buffer[4096];
	if (getpwuid_r(getuid(), &entry, buffer, sizeof(buffer), &found) != 0 || found == NULL
		|| found->pw_dir == NULL || found->pw_dir[0] != '/')
		return false;
	home = found->pw_dir;
	return true;
}


// An XDG base directory: the variable when it holds an absolute path (the XDG rule: a
// relative one is ignored), else the default under the home.
bool
xdg_directory(const char* variable, const char* fallback, std::string& path)
{
	const char* value = getenv(variable);
	if (value != NULL && value[0] == '/') {
		path = value;
		return true;
	}
	if (!home_directory(path))
		return false;
	path += "/";
	path += fallback;
	return true;
}


// The desktop: XDG_DESKTOP_DIR of the user's user-dirs.dirs, else ~/Desktop.
bool
desktop_directory(std::string& path)
{
	std::string home, config;
	if (!home_directory(home) || !xdg_directory("XDG_CONFIG_HOME", ".config", config))
		return false;
	path = home + "/Desktop";
	status_t status;
	int fd = BPrivate::open_regular_file((config + "/user-dirs.dirs").c_str(), &status);
	FILE* file = fd >= 0 ? fdopen(fd, "r") : NULL;
	if (file == NULL) {
		if (fd >= 0)
			close(fd);
		return true;
	}
	char line[B_PATH_NAME_LENGTH];
	const char key[] = "XDG_DESKTOP_DIR=\"";
	while (fgets(line, sizeof(line), file) != NULL) {
		if (strncmp(line, key, sizeof(key) - 1) != 0)
			continue;
		std::string value(line + sizeof(key) - 1);
		size_t quote = value.find('"');
		if (quote == std::string::npos)
			break;
		value.resize(quote);
		if (value.compare(0, 6, "$HOME/") == 0)
			path = home + value.substr(5);
		else if (value.size() > 1 && value[0] == '/')
			path = value;
		break;
	}
	fclose(file);
	return true;
}


bool
base_path(base_directory base, std::string& path)
{
	switch (base) {
		case kAbsolute:
			path.clear();
			return true;
		case kHome:
			return home_directory(path);
		case kData:
			return xdg_directory("XDG_DATA_HOME", ".local/share", path);
		case kConfig:
			return xdg_directory("XDG_CONFIG_HOME", ".config", path);
		case kCache:
			return xdg_directory("XDG_CACHE_HOME", ".cache", path);
		case kDesktop:
			return desktop_directory(path);
		case kPrefixBase:
			path = kPrefix;
			return true;
		case kCommonBase:
			path = kCommonPrefix;
			return true;
		case kTemp: {
			const char* temp = getenv("TMPDIR");
			path = temp != NULL && temp[0] == '/' ? temp : "/tmp";
			return true;
		}
	}
	return false;
}


} // namespace


status_t
find_directory(directory_which which, dev_t volume, bool createIt, char* path, int32 length)
{
	if (path == NULL || length <= 0)
		return B_BAD_VALUE;
	const directory_entry* entry = NULL;
	for (const directory_entry& candidate : kDirectories) {
		if (candidate.which == which)
			entry = &candidate;
	}
	if (entry == NULL)
		return B_BAD_VALUE;

	std::string found;
	if (!base_path(entry->base, found))
		return B_ENTRY_NOT_FOUND;
	if (entry->leaf[0] != '\0') {
		if (!found.empty() && found.back() != '/')
			found += "/";
		found += entry->leaf;
	}
	while (found.size() > 1 && found.back() == '/')
		found.pop_back();
	if (found.size() >= (size_t)length)
		return B_NAME_TOO_LONG;

	if (createIt) {
		bool user = which == B_DESKTOP_DIRECTORY || which == B_TRASH_DIRECTORY
			|| (which >= B_USER_DIRECTORY && which < B_APPS_DIRECTORY);
		status_t status = create_directory(found.c_str(),
			user ? kUserDirectoryMode : kSystemDirectoryMode);
		if (status != B_OK)
			return status;
	}
	strcpy(path, found.c_str());
	return B_OK;
}


status_t
find_directory(directory_which which, BPath* path, bool createIt, BVolume* volume)
{
	if (path == NULL)
		return B_BAD_VALUE;
	char buffer[B_PATH_NAME_LENGTH];
	status_t status = find_directory(which, (dev_t)-1, createIt, buffer, sizeof(buffer));
	if (status != B_OK)
		return status;
	return path->SetTo(buffer);
}
