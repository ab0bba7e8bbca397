#include "media/SoundOutput.h"

#include <Sound.h>

#include <alsa/asoundlib.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "media/SampleFormat.h"
#include "media/WaveFile.h"

namespace BPrivate {

namespace {

const float kDefaultFrameRate = 44100.0f;
const uint32 kDefaultChannels = 2;
const float kMaxFrameRate = 384000.0f;


// ALSA reports a missing device on standard error as well as in its result; the result is
// what the player passes on.
void
quiet_alsa_errors(const char*, int, const char*, int, const char*, ...)
{
}


snd_pcm_format_t
alsa_format(uint32 format)
{
	switch (format) {
		case media_raw_audio_format::B_AUDIO_FLOAT:
			return SND_PCM_FORMAT_FLOAT;
		case media_raw_audio_format::B_AUDIO_INT:
			return SND_PCM_FORMAT_S32;
		case media_raw_audio_format::B_AUDIO_SHORT:
			return SND_PCM_FORMAT_S16;
		case media_raw_audio_format::B_AUDIO_UCHAR:
			return SND_PCM_FORMAT_U8;
		default:
			return SND_PCM_FORMAT_S8;
	}
}

} // namespace


SoundOutput::SoundOutput(BSoundPlayer* player, const media_raw_audio_format* format)
	:
	fStatus(B_OK),
	fPlayer(player),
	fDevice(NULL),
	fRunning(false),
	fStopping(false),
	fFramesPlayed(0),
	fStartTime(0),
	fVolume(1.0f),
	fHasData(true),
	fNextId(1),
	fBufferPlayer(NULL),
	fNotifier(NULL),
	fCookie(NULL)
{
	fFormat = format != NULL ? *format : media_raw_audio_format::wildcard;
	if (fFormat.frame_rate <= 0)
		fFormat.frame_rate = kDefaultFrameRate;
	if (fFormat.channel_count == 0)
		fFormat.channel_count = kDefaultChannels;
	if (fFormat.format == 0)
		fFormat.format = media_raw_audio_format::B_AUDIO_FLOAT;
	// The player hands the device samples in the host's order.
	fFormat.byte_order = B_MEDIA_HOST_ENDIAN;
	if (!is_known_sample_format(fFormat.format) || fFormat.channel_count > kMaxSoundChannels
		|| !(fFormat.frame_rate <= kMaxFrameRate)) {
		fStatus = B_MEDIA_BAD_FORMAT;
		return;
	}
	if (fFormat.buffer_size == 0)
		fFormat.buffer_size = kDefaultBufferFrames * _FrameBytes();
	fFormat.buffer_size -= fFormat.buffer_size % _FrameBytes();
	if (fFormat.buffer_size == 0)
		fFormat.buffer_size = _FrameBytes();

	snd_lib_error_set_handler(quiet_alsa_errors);
	const char* device = getenv(kAudioDeviceVariable);
	if (device == NULL || device[0] == '\0')
		device = "default";
	if (snd_pcm_open(&fDevice, device, SND_PCM_STREAM_PLAYBACK, 0) < 0) {
		fDevice = NULL;
		fStatus = B_MEDIA_SYSTEM_FAILURE;
		return;
	}
	if (snd_pcm_set_params(fDevice, alsa_format(fFormat.format),
			SND_PCM_ACCESS_RW_INTERLEAVED, fFormat.channel_count,
			(unsigned int)fFormat.frame_rate, 1, (unsigned int)kDeviceLatency) < 0) {
		snd_pcm_close(fDevice);
		fDevice = NULL;
		fStatus = B_MEDIA_BAD_FORMAT;
	}
}


SoundOutput::~SoundOutput()
{
	// A player stopped without blocking, or by a failing device, leaves its thread here.
	if (fThread.joinable())
		fThread.join();
	for (const PlayingSound& playing : fSounds)
		playing.sound->ReleaseRef();
	if (fDevice != NULL)
		snd_pcm_close(fDevice);
}


size_t
SoundOutput::_FrameBytes() const
{
	return fFormat.channel_count * sample_size(fFormat.format);
}


void
SoundOutput::Run()
{
	size_t frameBytes = _FrameBytes();
	size_t frames = fFormat.buffer_size / frameBytes;
	std::vector<uint8> buffer(fFormat.buffer_size);
	std::vector<float> mix(frames * fFormat.channel_count);
	while (true) {
		BSoundPlayer::BufferPlayerFunc bufferPlayer;
		void* cookie;
		float volume;
		std::vector<PlayingSound> finished;
		{
			std::lock_guard<std::mutex> locker(fLock);
			if (fStopping)
				break;
			bufferPlayer = fBufferPlayer;
			cookie = fCookie;
			volume = fVolume;
		}
		std::fill(mix.begin(), mix.end(), 0.0f);
		if (fPlayer->HasData()) {
			if (bufferPlayer != NULL) {
				memset(buffer.data(), 0, buffer.size());
				bufferPlayer(cookie, buffer.data(), buffer.size(), fFormat);
				for (size_t i = 0; i < mix.size(); i++) {
					mix[i] = read_sample(buffer.data() + i * sample_size(fFormat.format),
						fFormat.format, false);
				}
			} else {
				std::lock_guard<std::mutex> locker(fLock);
				_Mix(mix.data(), frames, &finished);
			}
		}
		size_t sampleBytes = sample_size(fFormat.format);
		for (size_t i = 0; i < mix.size(); i++)
			write_sample(buffer.data() + i * sampleBytes, fFormat.format, mix[i] * volume);

		snd_pcm_sframes_t written = snd_pcm_writei(fDevice, buffer.data(), frames);
		if (written < 0)
			written = snd_pcm_recover(fDevice, (int)written, 1);
		{
			std::lock_guard<std::mutex> locker(fLock);
			fFramesPlayed += frames;
		}
		for (const PlayingSound& done : finished) {
			BSoundPlayer::EventNotifierFunc notifier;
			{
				std::lock_guard<std::mutex> locker(fLock);
				notifier = fNotifier;
				cookie = fCookie;
			}
			if (notifier != NULL)
				notifier(cookie, BSoundPlayer::B_SOUND_DONE, done.id, true);
			done.sound->ReleaseRef();
		}
		if (!finished.empty())
			fChanged.notify_all();
		if (written < 0) {
			// The device is gone: the player stops, and whoever waits for a sound wakes.
			{
				std::lock_guard<std::mutex> locker(fLock);
				fStopping = true;
				fRunning = false;
			}
			fChanged.notify_all();
		}
	}
}


void
SoundOutput::_Mix(float* mix, size_t frames, std::vector<PlayingSound>* finished)
{
	uint32 channels = fFormat.channel_count;
	std::vector<uint8> chunk;
	for (size_t index = 0; index < fSounds.size();) {
		PlayingSound& playing = fSounds[index];
		const media_raw_audio_format& format = playing.sound->Format();
		size_t sampleBytes = sample_size(format.format);
		size_t frameBytes = sampleBytes * format.channel_count;
		bool swap = format.byte_order != 0 && format.byte_order != B_MEDIA_HOST_ENDIAN;
		off_t size = playing.sound->Size();
		bool ended = sampleBytes == 0 || format.channel_count == 0 || format.frame_rate <= 0;
		// The sound's frames for this buffer, resampled to the nearest frame.
		double step = ended ? 0 : format.frame_rate / fFormat.frame_rate;
		for (size_t frame = 0; !ended && frame < frames; frame++) {
			uint64 now = fFramesPlayed + frame;
			if (now < playing.startFrame)
				continue;
			uint64 source = (uint64)((double)(now - playing.startFrame) * step);
			off_t offset = (off_t)(source * frameBytes);
			if (offset + (off_t)frameBytes > size) {
				ended = true;
				break;
			}
			chunk.resize(frameBytes);
			size_t used = 0;
			if (!playing.sound->GetDataAt(offset, chunk.data(), frameBytes, &used)
				|| used < frameBytes) {
				ended = true;
				break;
			}
			for (uint32 channel = 0; channel < channels; channel++) {
				uint32 from = std::min(channel, format.channel_count - 1);
				mix[frame * channels + channel] += playing.volume
					* read_sample(chunk.data() + from * sampleBytes, format.format, swap);
			}
		}
		if (ended) {
			finished->push_back(playing);
			fSounds.erase(fSounds.begin() + index);
		} else
			index++;
	}
}

} // namespace BPrivate
