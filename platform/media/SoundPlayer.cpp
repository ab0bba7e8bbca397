#include <SoundPlayer.h>

#include <Sound.h>

#include <math.h>

#include "media/SoundOutput.h"

using BPrivate::SoundOutput;

namespace {

// The quietest volume VolumeDB reports; silence is below it.
const float kMinVolumeDB = -96.0f;

} // namespace


BSoundPlayer::BSoundPlayer(const char* name, BufferPlayerFunc playBuffer,
	EventNotifierFunc notifier, void* cookie)
{
	_Init(NULL, name, playBuffer, notifier, cookie);
}


BSoundPlayer::BSoundPlayer(const media_raw_audio_format* format, const char* name,
	BufferPlayerFunc playBuffer, EventNotifierFunc notifier, void* cookie)
{
	_Init(format, name, playBuffer, notifier, cookie);
}


BSoundPlayer::~BSoundPlayer()
{
	Stop(true, true);
	delete fOutput;
}


void
BSoundPlayer::_Init(const media_raw_audio_format* format, const char* name,
	BufferPlayerFunc playBuffer, EventNotifierFunc notifier, void* cookie)
{
	fOutput = new SoundOutput(this, format);
	fOutput->fBufferPlayer = playBuffer;
	fOutput->fNotifier = notifier;
	fOutput->fCookie = cookie;
}


status_t
BSoundPlayer::InitCheck()
{
	return fOutput->fStatus;
}


media_raw_audio_format
BSoundPlayer::Format() const
{
	return fOutput->fFormat;
}


status_t
BSoundPlayer::Start()
{
	if (fOutput->fStatus != B_OK)
		return fOutput->fStatus;
	EventNotifierFunc notifier;
	void* cookie;
	{
		std::lock_guard<std::mutex> locker(fOutput->fLock);
		if (fOutput->fRunning)
			return B_OK;
		// A thread stopped without blocking may still be finishing.
		if (fOutput->fThread.joinable())
			fOutput->fThread.join();
		fOutput->fRunning = true;
		fOutput->fStopping = false;
		fOutput->fStartTime = system_time();
		fOutput->fThread = std::thread(&SoundOutput::Run, fOutput);
		notifier = fOutput->fNotifier;
		cookie = fOutput->fCookie;
	}
	if (notifier != NULL)
		notifier(cookie, B_STARTED, this);
	return B_OK;
}


void
BSoundPlayer::Stop(bool block, bool flush)
{
	std::thread thread;
	EventNotifierFunc notifier;
	void* cookie;
	{
		std::lock_guard<std::mutex> locker(fOutput->fLock);
		if (!fOutput->fRunning)
			return;
		fOutput->fRunning = false;
		fOutput->fStopping = true;
		if (block)
			thread = std::move(fOutput->fThread);
		notifier = fOutput->fNotifier;
		cookie = fOutput->fCookie;
	}
	fOutput->fChanged.notify_all();
	if (thread.joinable())
		thread.join();
	if (notifier != NULL)
		notifier(cookie, B_STOPPED, this);
}


BSoundPlayer::BufferPlayerFunc
BSoundPlayer::BufferPlayer() const
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	return fOutput->fBufferPlayer;
}


void
BSoundPlayer::SetBufferPlayer(BufferPlayerFunc playBuffer)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	fOutput->fBufferPlayer = playBuffer;
}


BSoundPlayer::EventNotifierFunc
BSoundPlayer::EventNotifier() const
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	return fOutput->fNotifier;
}


void
BSoundPlayer::SetNotifier(EventNotifierFunc notifier)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	fOutput->fNotifier = notifier;
}


void*
BSoundPlayer::Cookie() const
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	return fOutput->fCookie;
}


void
BSoundPlayer::SetCookie(void* cookie)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	fOutput->fCookie = cookie;
}


void
BSoundPlayer::SetCallbacks(BufferPlayerFunc playBuffer, EventNotifierFunc notifier,
	void* cookie)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	fOutput->fBufferPlayer = playBuffer;
	fOutput->fNotifier = notifier;
	fOutput->fCookie = cookie;
}


bigtime_t
BSoundPlayer::CurrentTime()
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	return (bigtime_t)((double)fOutput->fFramesPlayed * 1000000.0
		/ fOutput->fFormat.frame_rate);
}


bigtime_t
BSoundPlayer::PerformanceTime()
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	if (!fOutput->fRunning)
		return 0;
	return system_time() - fOutput->fStartTime;
}


status_t
BSoundPlayer::Preroll()
{
	return fOutput->fStatus;
}


BSoundPlayer::play_id
BSoundPlayer::StartPlaying(BSound* sound, bigtime_t atTime)
{
	return StartPlaying(sound, atTime, 1.0f);
}


BSoundPlayer::play_id
BSoundPlayer::StartPlaying(BSound* sound, bigtime_t atTime, float withVolume)
{
	if (fOutput->fStatus != B_OK)
		return fOutput->fStatus;
	if (sound == NULL || sound->InitCheck() != B_OK)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	uint64 startFrame = fOutput->fFramesPlayed;
	if (atTime > 0) {
		uint64 wanted = (uint64)((double)atTime * fOutput->fFormat.frame_rate / 1000000.0);
		startFrame = std::max(startFrame, wanted);
	}
	play_id id = fOutput->fNextId++;
	fOutput->fSounds.push_back({ id, sound->AcquireRef(), startFrame, withVolume });
	return id;
}


status_t
BSoundPlayer::SetSoundVolume(play_id sound, float newVolume)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	for (BPrivate::PlayingSound& playing : fOutput->fSounds) {
		if (playing.id == sound) {
			playing.volume = newVolume;
			return B_OK;
		}
	}
	return B_BAD_VALUE;
}


bool
BSoundPlayer::IsPlaying(play_id id)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	for (const BPrivate::PlayingSound& playing : fOutput->fSounds) {
		if (playing.id == id)
			return true;
	}
	return false;
}


status_t
BSoundPlayer::StopPlaying(play_id id)
{
	BSound* sound = NULL;
	EventNotifierFunc notifier;
	void* cookie;
	{
		std::lock_guard<std::mutex> locker(fOutput->fLock);
		for (size_t i = 0; i < fOutput->fSounds.size(); i++) {
			if (fOutput->fSounds[i].id == id) {
				sound = fOutput->fSounds[i].sound;
				fOutput->fSounds.erase(fOutput->fSounds.begin() + i);
				break;
			}
		}
		notifier = fOutput->fNotifier;
		cookie = fOutput->fCookie;
	}
	if (sound == NULL)
		return B_BAD_VALUE;
	fOutput->fChanged.notify_all();
	if (notifier != NULL)
		notifier(cookie, B_SOUND_DONE, id, false);
	sound->ReleaseRef();
	return B_OK;
}


status_t
BSoundPlayer::WaitForSound(play_id id)
{
	std::unique_lock<std::mutex> locker(fOutput->fLock);
	if (!fOutput->fRunning)
		return fOutput->fStatus != B_OK ? fOutput->fStatus : B_NO_INIT;
	auto playing = [&] {
		for (const BPrivate::PlayingSound& sound : fOutput->fSounds) {
			if (sound.id == id)
				return true;
		}
		return false;
	};
	if (!playing())
		return B_BAD_VALUE;
	fOutput->fChanged.wait(locker, [&] { return !playing() || !fOutput->fRunning; });
	return playing() ? B_INTERRUPTED : B_OK;
}


float
BSoundPlayer::Volume()
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	return fOutput->fVolume;
}


void
BSoundPlayer::SetVolume(float volume)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	fOutput->fVolume = volume >= 0.0f ? std::min(volume, 1.0f) : 0.0f;
}


float
BSoundPlayer::VolumeDB(bool forcePoll)
{
	float volume = Volume();
	if (volume <= 0.0f)
		return kMinVolumeDB;
	return std::max(kMinVolumeDB, 20.0f * log10f(volume));
}


void
BSoundPlayer::SetVolumeDB(float volumeDB)
{
	SetVolume(volumeDB <= kMinVolumeDB ? 0.0f : powf(10.0f, volumeDB / 20.0f));
}


bigtime_t
BSoundPlayer::Latency()
{
	if (fOutput->fStatus != B_OK)
		return 0;
	return BPrivate::kDeviceLatency
		+ (bigtime_t)((double)fOutput->fFormat.buffer_size * 1000000.0
			/ ((double)fOutput->fFormat.channel_count
				* (fOutput->fFormat.format & media_raw_audio_format::B_AUDIO_SIZE_MASK)
				* fOutput->fFormat.frame_rate));
}


bool
BSoundPlayer::HasData()
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	return fOutput->fHasData;
}


void
BSoundPlayer::SetHasData(bool hasData)
{
	std::lock_guard<std::mutex> locker(fOutput->fLock);
	fOutput->fHasData = hasData;
}
