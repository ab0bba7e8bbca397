// Plays sounds, or what a callback fills buffers with, on the audio device (ALSA). Where
// there is no device the player's InitCheck fails with B_MEDIA_SYSTEM_FAILURE and every
// call that would play fails with it too, so the application runs on without sound.
#ifndef _SOUND_PLAYER_H
#define _SOUND_PLAYER_H

#include <MediaDefs.h>
#include <OS.h>

class BSound;

namespace BPrivate {
class SoundOutput;
}

class BSoundPlayer {
public:
	enum sound_player_notification {
		B_STARTED = 1,
		B_STOPPED,
		B_SOUND_DONE
	};

	typedef void (*BufferPlayerFunc)(void* cookie, void* buffer, size_t size,
		const media_raw_audio_format& format);
	// B_STARTED and B_STOPPED carry nothing more; B_SOUND_DONE carries the play_id and a
	// bool (whether the sound was played to its end).
	typedef void (*EventNotifierFunc)(void* cookie, sound_player_notification what, ...);

	typedef int32 play_id;

	// A player in the device's preferred format (44.1 kHz stereo floats).
								BSoundPlayer(const char* name = NULL,
									BufferPlayerFunc playBuffer = NULL,
									EventNotifierFunc notifier = NULL, void* cookie = NULL);
	// A player in format; fields left 0 take the preferred format's values.
								BSoundPlayer(const media_raw_audio_format* format,
									const char* name = NULL,
									BufferPlayerFunc playBuffer = NULL,
									EventNotifierFunc notifier = NULL, void* cookie = NULL);
	// Stops the player (waiting for its thread) first. A subclass that overrides HasData
	// stops the player in its own destructor, before the thread could call a half-destroyed
	// object.
	virtual						~BSoundPlayer();

			status_t			InitCheck();
			media_raw_audio_format Format() const;

	// Starts the thread that fills and plays buffers; the callback (if any) and the
	// notifier run on it.
			status_t			Start();
	// Stops playing; block waits until the thread has stopped (flush is kept for the
	// platform's signature: buffers already given to the device play out).
			void				Stop(bool block = true, bool flush = true);

			BufferPlayerFunc	BufferPlayer() const;
			void				SetBufferPlayer(BufferPlayerFunc playBuffer);
			EventNotifierFunc	EventNotifier() const;
			void				SetNotifier(EventNotifierFunc notifier);
			void*				Cookie() const;
			void				SetCookie(void* cookie);
			void				SetCallbacks(BufferPlayerFunc playBuffer = NULL,
									EventNotifierFunc notifier = NULL, void* cookie = NULL);

	// The time of the sound being played now, counted from Start, in microseconds.
			bigtime_t			CurrentTime();
			bigtime_t			PerformanceTime();
			status_t			Preroll();

	// Mixes sound into what the player plays, from atTime (player time; 0: at once).
	// The player acquires its own reference. A negative play_id is an error.
			play_id				StartPlaying(BSound* sound, bigtime_t atTime = 0);
			play_id				StartPlaying(BSound* sound, bigtime_t atTime,
									float withVolume);
			status_t			SetSoundVolume(play_id sound, float newVolume);
			bool				IsPlaying(play_id id);
			status_t			StopPlaying(play_id id);
	// Waits until the sound has played or was stopped; B_BAD_VALUE when it is not
	// playing, an error at once when the player is not running.
			status_t			WaitForSound(play_id id);

	// The volume, 0 (silence) to 1 (full scale), or in decibels (-inf to 0).
			float				Volume();
			void				SetVolume(float volume);
			float				VolumeDB(bool forcePoll = false);
			void				SetVolumeDB(float volumeDB);

	// How long a sample takes from the player to the speaker.
			bigtime_t			Latency();

	// Whether the player has anything to play; while false, it plays silence without
	// calling the buffer player.
	virtual	bool				HasData();
			void				SetHasData(bool hasData);

private:
								BSoundPlayer(const BSoundPlayer&);
			BSoundPlayer&		operator=(const BSoundPlayer&);

			void				_Init(const media_raw_audio_format* format, const char* name,
									BufferPlayerFunc playBuffer, EventNotifierFunc notifier,
									void* cookie);

			BPrivate::SoundOutput* fOutput;
};

#endif // _SOUND_PLAYER_H
