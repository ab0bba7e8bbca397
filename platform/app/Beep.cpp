// The system beep: a short tone written to the sound device, and the user's list of beep
// events (docs/sound.md).
#include <Beep.h>

#include <FindDirectory.h>
#include <Path.h>

#include <alsa/asoundlib.h>
#include <errno.h>
#include <fcntl.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <sys/stat.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

const char* const kAudioDeviceVariable = "BE_AUDIO_DEVICE";
const unsigned int kBeepFrameRate = 44100;
const double kBeepFrequency = 880.0;
const bigtime_t kBeepDuration = 100000;
// What the device may buffer ahead of the tone.
const unsigned int kBeepLatency = 50000;
const size_t kMaxBeepEventName = 255;
const size_t kMaxBeepEventsFileSize = 64 * 1024;
const char* const kBeepEventsFile = "beep_events";

// Beeps of several threads would only overlap on the device.
std::mutex stBeepLock;
// Two threads adding events must not both find one missing and add it twice.
std::mutex stListLock;


void
quiet_alsa_errors(const char*, int, const char*, int, const char*, ...)
{
}


// The tone, faded in and out so that it does not click.
std::vector<int16>
beep_tone()
{
	size_t frames = kBeepFrameRate * kBeepDuration / 1000000;
	size_t fade = frames / 10;
	std::vector<int16> samples(frames);
	for (size_t i = 0; i < frames; i++) {
		double envelope = 1.0;
		if (i < fade)
			envelope = (double)i / fade;
		else if (frames - i < fade)
			envelope = (double)(frames - i) / fade;
		samples[i] = (int16)(12000 * envelope
			* sin(2 * M_PI * kBeepFrequency * i / kBeepFrameRate));
	}
	return samples;
}


status_t
play_tone()
{
	std::lock_guard<std::mutex> lock(stBeepLock);
	snd_lib_error_set_handler(quiet_alsa_errors);
	const char* device = getenv(kAudioDeviceVariable);
	if (device == NULL || device[0] == '\0')
		device = "default";
	// Opened without waiting, so that a device held by another program fails at once.
	snd_pcm_t* pcm;
	if (snd_pcm_open(&pcm, device, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
		return B_ERROR;
	status_t status = B_ERROR;
	if (snd_pcm_nonblock(pcm, 0) == 0
		&& snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
			kBeepFrameRate, 1, kBeepLatency) == 0) {
		std::vector<int16> samples = beep_tone();
		snd_pcm_sframes_t written = snd_pcm_writei(pcm, samples.data(), samples.size());
		if (written < 0)
			written = snd_pcm_recover(pcm, (int)written, 1);
		if (written >= 0) {
			snd_pcm_drain(pcm);
			status = B_OK;
		}
	}
	snd_pcm_close(pcm);
	return status;
}


status_t
events_file_path(std::string& path)
{
	BPath settings;
	status_t status = find_directory(B_USER_SETTINGS_DIRECTORY, &settings, true);
	if (status != B_OK)
		return status;
	path = std::string(settings.Path()) + "/" + kBeepEventsFile;
	return B_OK;
}


// Whether the list (at most kMaxBeepEventsFileSize bytes of it) names the event.
bool
is_listed(int fd, const char* eventName)
{
	std::string contents;
	char buffer[4096];
	ssize_t bytes;
	while (contents.size() < kMaxBeepEventsFileSize
		&& (bytes = read(fd, buffer, sizeof(buffer))) > 0)
		contents.append(buffer, bytes);
	size_t start = 0;
	while (start < contents.size()) {
		size_t end = contents.find('\n', start);
		if (end == std::string::npos)
			end = contents.size();
		if (contents.compare(start, end - start, eventName) == 0)
			return true;
		start = end + 1;
	}
	return false;
}

} // namespace


status_t
beep()
{
	return play_tone();
}


status_t
system_beep(const char* eventName)
{
	return play_tone();
}


status_t
add_system_beep_event(const char* eventName, uint32 flags)
{
	if (eventName == NULL || eventName[0] == '\0' || strlen(eventName) > kMaxBeepEventName
		|| strpbrk(eventName, "\r\n") != NULL)
		return B_BAD_VALUE;
	std::string path;
	status_t status = events_file_path(path);
	if (status != B_OK)
		return status;

	std::lock_guard<std::mutex> lock(stListLock);
	// Never through a link, never waiting on something that is not a regular file.
	int fd = open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK
		| O_CLOEXEC, 0600);
	if (fd < 0)
		return errno == ELOOP ? B_NOT_ALLOWED : B_ERROR;
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
		close(fd);
		return B_NOT_ALLOWED;
	}
	if (info.st_size >= (off_t)kMaxBeepEventsFileSize) {
		close(fd);
		return B_DEVICE_FULL;
	}
	if (!is_listed(fd, eventName)) {
		std::string line = std::string(eventName) + "\n";
		if (write(fd, line.data(), line.size()) != (ssize_t)line.size())
			status = B_ERROR;
	}
	close(fd);
	return status;
}
