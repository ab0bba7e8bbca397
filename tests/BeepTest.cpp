// The system beep on the sound device that $BE_AUDIO_DEVICE names, and the user's list of
// beep events.
#include <Beep.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"


TEST(BeepTest, PlaysOnTheDeviceOrSaysThereIsNone)
{
	{
		// ALSA's null device takes the tone without hardware.
		ScopedEnvironment device("BE_AUDIO_DEVICE", "null");
		EXPECT_EQ(beep(), B_OK);
		EXPECT_EQ(system_beep("Startup"), B_OK);
		EXPECT_EQ(system_beep(NULL), B_OK);
	}
	ScopedEnvironment device("BE_AUDIO_DEVICE", "no-such-device");
	EXPECT_EQ(beep(), B_ERROR);
	EXPECT_EQ(system_beep("Startup"), B_ERROR);
}


TEST(BeepTest, EventsAreListedOnceEach)
{
	ScratchDirectory home("beep");
	ScopedEnvironment config("XDG_CONFIG_HOME", home.Path());
	EXPECT_EQ(add_system_beep_event("New Mail"), B_OK);
	EXPECT_EQ(add_system_beep_event("Download Done", 0), B_OK);
	EXPECT_EQ(add_system_beep_event("New Mail"), B_OK);
	EXPECT_EQ(read_file(home / "beep_events"), "New Mail\nDownload Done\n");

	EXPECT_EQ(add_system_beep_event(NULL), B_BAD_VALUE);
	EXPECT_EQ(add_system_beep_event(""), B_BAD_VALUE);
	EXPECT_EQ(add_system_beep_event("two\nlines"), B_BAD_VALUE);
	EXPECT_EQ(add_system_beep_event(std::string(256, 'x').c_str()), B_BAD_VALUE);
	EXPECT_EQ(add_system_beep_event(std::string(255, 'x').c_str()), B_OK);
}


TEST(BeepTest, ALinkInPlaceOfTheListIsNotFollowed)
{
	ScratchDirectory home("beep");
	ScopedEnvironment config("XDG_CONFIG_HOME", home.Path());
	ASSERT_TRUE(home.WriteFile("elsewhere", "kept\n"));
	ASSERT_EQ(symlink((home / "elsewhere").c_str(), (home / "beep_events").c_str()), 0);
	EXPECT_EQ(add_system_beep_event("New Mail"), B_NOT_ALLOWED);
	EXPECT_EQ(read_file(home / "elsewhere"), "kept\n");
}
