// find_directory: the user's directories follow the XDG variables and the home, the
// system's are fixed, and asking for creation makes them.
#include <FindDirectory.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <map>
#include <string>

#include "ScratchDirectory.h"

namespace {

const char* const kVariables[] = { "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
	"XDG_CACHE_HOME", "TMPDIR" };


// Runs each test with a home of its own and the XDG variables unset, and puts them back.
class FindDirectoryTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		for (const char* name : kVariables) {
			const char* value = getenv(name);
			if (value != NULL)
				fSaved[name] = value;
			unsetenv(name);
		}
		setenv("HOME", fHome.Path().c_str(), 1);
	}

	void TearDown() override
	{
		for (const char* name : kVariables) {
			auto saved = fSaved.find(name);
			if (saved != fSaved.end())
				setenv(name, saved->second.c_str(), 1);
			else
				unsetenv(name);
		}
	}

	std::string Find(directory_which which, bool create = false)
	{
		char path[B_PATH_NAME_LENGTH];
		status_t status = find_directory(which, -1, create, path, sizeof(path));
		return status == B_OK ? path : std::string("error ") + strerror(status);
	}

	ScratchDirectory fHome{"home"};
	std::map<std::string, std::string> fSaved;
};

} // namespace


TEST_F(FindDirectoryTest, UserDirectoriesDefaultUnderTheHome)
{
	EXPECT_EQ(Find(B_USER_DIRECTORY), fHome.Path());
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), fHome / ".config");
	EXPECT_EQ(Find(B_USER_CONFIG_DIRECTORY), fHome / ".config");
	EXPECT_EQ(Find(B_USER_DATA_DIRECTORY), fHome / ".local/share");
	EXPECT_EQ(Find(B_USER_CACHE_DIRECTORY), fHome / ".cache");
	EXPECT_EQ(Find(B_USER_ADDONS_DIRECTORY), fHome / ".local/share/bekit/add-ons");
	EXPECT_EQ(Find(B_USER_FONTS_DIRECTORY), fHome / ".local/share/fonts");
	EXPECT_EQ(Find(B_TRASH_DIRECTORY), fHome / ".local/share/Trash/files");
	EXPECT_EQ(Find(B_DESKTOP_DIRECTORY), fHome / "Desktop");
}


TEST_F(FindDirectoryTest, AbsoluteXdgVariablesWinAndRelativeOnesAreIgnored)
{
	setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
	setenv("XDG_DATA_HOME", "relative/data", 1);
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), "/somewhere/config");
	EXPECT_EQ(Find(B_USER_DATA_DIRECTORY), fHome / ".local/share");
	setenv("TMPDIR", "/var/tmp", 1);
	EXPECT_EQ(Find(B_COMMON_TEMP_DIRECTORY), "/var/tmp");
}


TEST_F(FindDirectoryTest, DesktopComesFromTheUserDirsFile)
{
	ASSERT_EQ(mkdir((fHome / ".config").c_str(), 0700), 0);
	ASSERT_TRUE(fHome.WriteFile(".config/user-dirs.dirs",
		"# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"));
	EXPECT_EQ(Find(B_DESKTOP_DIRECTORY), fHome / "Schreibtisch");
}


TEST_F(FindDirectoryTest, CreatingMakesPrivateDirectories)
{
	std::string settings = Find(B_USER_SETTINGS_DIRECTORY, true);
	struct stat info;
	ASSERT_EQ(stat(settings.c_str(), &info), 0);
	EXPECT_TRUE(S_ISDIR(info.st_mode));
	EXPECT_EQ(info.st_mode & 0777, 0700u);

	BPath path;
	ASSERT_EQ(find_directory(B_USER_ADDONS_DIRECTORY, &path, true), B_OK);
	EXPECT_EQ(std::string(path.Path()), fHome / ".local/share/bekit/add-ons");
	ASSERT_EQ(stat(path.Path(), &info), 0);
}


TEST_F(FindDirectoryTest, SystemDirectoriesAndErrors)
{
	EXPECT_EQ(Find(B_COMMON_ETC_DIRECTORY), "/etc");
	EXPECT_EQ(Find(B_COMMON_LOG_DIRECTORY), "/var/log");
	EXPECT_EQ(Find(B_BEOS_BIN_DIRECTORY).front(), '/');

	char small[4];
	EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, -1, false, small, sizeof(small)),
		B_NAME_TOO_LONG);
	char path[B_PATH_NAME_LENGTH];
	EXPECT_EQ(find_directory((directory_which)12345, -1, false, path, sizeof(path)),
		B_BAD_VALUE);
	EXPECT_EQ(find_directory(B_USER_DIRECTORY, NULL), B_BAD_VALUE);
}
