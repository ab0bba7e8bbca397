// What a BSoundPlayer is made of: the ALSA device, the thread that fills and writes its
// buffers, and the sounds being mixed. Every member but the thread's own buffers is
// guarded by fLock; callbacks run on the thread without it held.
#ifndef _SOUND_OUTPUT_H
#define _SOUND_OUTPUT_H

#include <SoundPlayer.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

typedef struct _snd_pcm snd_pcm_t;

namespace BPrivate {

// The device played on: $BE_AUDIO_DEVICE, else ALSA's "default".
const char* const kAudioDeviceVariable = "BE_AUDIO_DEVICE";
// How much sound the device buffers ahead, in microseconds.
const bigtime_t kDeviceLatency = 100000;
// The frames of one buffer when the format leaves buffer_size 0.
const size_t kDefaultBufferFrames = 1024;

struct PlayingSound {
	BSoundPlayer::play_id	id;
	BSound*					sound;
	uint64					startFrame;	// the player's frame the sound starts at
	float					volume;
};

class SoundOutput {
public:
								SoundOutput(BSoundPlayer* player,
									const media_raw_audio_format* format);
								~SoundOutput();

			status_t			fStatus;
			media_raw_audio_format fFormat;
			BSoundPlayer*		fPlayer;
			snd_pcm_t*			fDevice;

			std::mutex			fLock;
			std::condition_variable fChanged;
			std::thread			fThread;
			bool				fRunning;
			bool				fStopping;
			uint64				fFramesPlayed;
			bigtime_t			fStartTime;
			float				fVolume;
			bool				fHasData;
			BSoundPlayer::play_id fNextId;
			std::vector<PlayingSound> fSounds;

			BSoundPlayer::BufferPlayerFunc fBufferPlayer;
			BSoundPlayer::EventNotifierFunc fNotifier;
			void*				fCookie;

	// The thread's loop.
			void				Run();

private:
			size_t				_FrameBytes() const;
			void				_Mix(float* mix, size_t frames,
									std::vector<PlayingSound>* finished);
};

} // namespace BPrivate

#endif // _SOUND_OUTPUT_H
