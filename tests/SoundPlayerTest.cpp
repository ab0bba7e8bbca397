// Sound: WAVE files read into a BSound (and damaged ones refused), a player that fails
// cleanly where there is no audio device, and one that plays to ALSA's null device and
// reports each sound done.
#include <Entry.h>
#include <Sound.h>
#include <SoundPlayer.h>

#include <gtest/gtest.h>

#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include <atomic>
#include <string>

#include "ScratchDirectory.h"
#include "WaitFor.h"

namespace {

// A 16-bit stereo WAVE file of frames frames at rate, with dataSize overriding the data
// chunk's length when not 0.
std::string
wave_file(uint32 frames, uint32 rate, uint32 dataSize = 0)
{
	std::string samples(frames * 4, '\0');
	for (uint32 i = 0; i < frames * 2; i++)
		samples[i * 2 + 1] = (char)(i % 64);
	auto le32 = [](uint32 v) { return std::string((const char*)&v, 4); };
	auto le16 = [](uint16 v) { return std::string((const char*)&v, 2); };
	std::string fmt = le16(1) + le16(2) + le32(rate) + le32(rate * 4) + le16(4) + le16(16);
	std::string body = "WAVEfmt " + le32(16) + fmt + "data"
		+ le32(dataSize != 0 ? dataSize : (uint32)samples.size()) + samples;
	return "RIFF" + le32((uint32)body.size()) + body;
}


class SoundPlayerTest : public testing::Test {
protected:
	void UseDevice(const char* device)
	{
		const char* old = getenv("BE_AUDIO_DEVICE");
		fOldDevice = old != NULL ? old : "";
		fHadDevice = old != NULL;
		setenv("BE_AUDIO_DEVICE", device, 1);
	}

	void TearDown() override
	{
		if (fHadDevice)
			setenv("BE_AUDIO_DEVICE", fOldDevice.c_str(), 1);
		else
			unsetenv("BE_AUDIO_DEVICE");
	}

	BSound* LoadSound(const std::string& contents, status_t* status)
	{
		EXPECT_TRUE(fScratch.WriteFile("sound.wav", contents));
		entry_ref ref;
		EXPECT_EQ(get_ref_for_path((fScratch / "sound.wav").c_str(), &ref), B_OK);
		BSound* sound = new BSound(&ref);
		*status = sound->InitCheck();
		return sound;
	}

	ScratchDirectory	fScratch{"sound"};
	std::string			fOldDevice;
	bool				fHadDevice = false;
};


std::atomic<int> sDoneCount;
std::atomic<int> sStartedCount;


void
count_events(void* cookie, BSoundPlayer::sound_player_notification what, ...)
{
	if (what == BSoundPlayer::B_SOUND_DONE)
		sDoneCount++;
	else if (what == BSoundPlayer::B_STARTED)
		sStartedCount++;
}

} // namespace


TEST_F(SoundPlayerTest, ReadsAWaveFile)
{
	status_t status;
	BSound* sound = LoadSound(wave_file(2205, 22050), &status);
	ASSERT_EQ(status, B_OK);
	media_raw_audio_format format = sound->Format();
	EXPECT_EQ(format.frame_rate, 22050.0f);
	EXPECT_EQ(format.channel_count, 2u);
	EXPECT_EQ(format.format, (uint32)media_raw_audio_format::B_AUDIO_SHORT);
	EXPECT_EQ(format.byte_order, (uint32)B_MEDIA_LITTLE_ENDIAN);
	EXPECT_EQ(sound->Size(), 2205 * 4);
	EXPECT_EQ(sound->Duration(), 100000);
	uint8 bytes[4];
	size_t used = 0;
	ASSERT_TRUE(sound->GetDataAt(4, bytes, sizeof(bytes), &used));
	EXPECT_EQ(used, 4u);
	EXPECT_EQ(bytes[1], 2);
	EXPECT_FALSE(sound->GetDataAt(sound->Size(), bytes, sizeof(bytes), &used));
	EXPECT_EQ(sound->AcquireRef(), sound);
	EXPECT_EQ(sound->RefCount(), 2);
	EXPECT_FALSE(sound->ReleaseRef());
	EXPECT_TRUE(sound->ReleaseRef());
}


TEST_F(SoundPlayerTest, RefusesFilesThatAreNoWaveFiles)
{
	const std::string good = wave_file(100, 8000);
	const std::string bad[] = {
		"",
		"RIFF\x10\0\0\0WAVE",
		"plain text that is no sound",
		good.substr(0, 30),							// cut inside the format chunk
		std::string(good).replace(20, 2, "\x55\x00", 2),	// an encoding the kit does not play
		std::string(good).replace(22, 2, "\x00\x00", 2),	// no channels
	};
	for (const std::string& contents : bad) {
		status_t status;
		BSound* sound = LoadSound(contents, &status);
		EXPECT_EQ(status, B_MEDIA_BAD_FORMAT) << contents.size();
		sound->ReleaseRef();
	}
	// A data chunk said to run past the file plays what is there.
	status_t status;
	BSound* sound = LoadSound(wave_file(100, 8000, 0x7ffffff0), &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(sound->Size(), 400);
	sound->ReleaseRef();
}


TEST_F(SoundPlayerTest, FailsCleanlyWithoutAnAudioDevice)
{
	UseDevice("hw:97,0");
	status_t status;
	BSound* sound = LoadSound(wave_file(100, 8000), &status);
	ASSERT_EQ(status, B_OK);
	media_raw_audio_format format = sound->Format();
	BSoundPlayer player(&format, "no device");
	EXPECT_EQ(player.InitCheck(), B_MEDIA_SYSTEM_FAILURE);
	EXPECT_EQ(player.Start(), B_MEDIA_SYSTEM_FAILURE);
	player.SetVolume(0.1f);
	BSoundPlayer::play_id id = player.StartPlaying(sound);
	EXPECT_LT(id, 0);
	bigtime_t before = system_time();
	EXPECT_NE(player.WaitForSound(id), B_OK);
	EXPECT_LT(system_time() - before, 1000000) << "nothing waits on a player that cannot play";
	EXPECT_FALSE(player.IsPlaying(id));
	sound->ReleaseRef();
}


TEST_F(SoundPlayerTest, PlaysSoundsToTheNullDevice)
{
	UseDevice("null");
	status_t status;
	BSound* sound = LoadSound(wave_file(4410, 44100), &status);
	ASSERT_EQ(status, B_OK);
	sDoneCount = 0;
	sStartedCount = 0;
	BSoundPlayer player("null device", NULL, count_events);
	if (player.InitCheck() != B_OK)
		GTEST_SKIP() << "ALSA has no null device here";
	EXPECT_EQ(player.Format().format, (uint32)media_raw_audio_format::B_AUDIO_FLOAT);
	ASSERT_EQ(player.Start(), B_OK);
	EXPECT_EQ(sStartedCount, 1);
	BSoundPlayer::play_id first = player.StartPlaying(sound);
	BSoundPlayer::play_id second = player.StartPlaying(sound, 0, 0.5f);
	ASSERT_GT(first, 0);
	ASSERT_NE(first, second);
	sound->ReleaseRef();
	EXPECT_EQ(player.WaitForSound(first), B_OK);
	EXPECT_TRUE(wait_for([&] { return !player.IsPlaying(second); }));
	EXPECT_TRUE(wait_for([] { return sDoneCount == 2; }));
	EXPECT_EQ(player.WaitForSound(first), B_BAD_VALUE);
	EXPECT_GT(player.CurrentTime(), 100000);

	player.SetVolumeDB(-20.0f);
	EXPECT_NEAR(player.Volume(), 0.1f, 0.001f);
	EXPECT_NEAR(player.VolumeDB(), -20.0f, 0.01f);
	player.Stop();
}


TEST_F(SoundPlayerTest, StopPlayingEndsASoundEarly)
{
	UseDevice("null");
	status_t status;
	BSound* sound = LoadSound(wave_file(441000, 44100), &status);
	ASSERT_EQ(status, B_OK);
	BSoundPlayer player;
	if (player.InitCheck() != B_OK)
		GTEST_SKIP() << "ALSA has no null device here";
	BSoundPlayer::play_id id = player.StartPlaying(sound, 0);
	sound->ReleaseRef();
	EXPECT_TRUE(player.IsPlaying(id));
	EXPECT_EQ(player.StopPlaying(id), B_OK);
	EXPECT_FALSE(player.IsPlaying(id));
	EXPECT_EQ(player.StopPlaying(id), B_BAD_VALUE);
}
