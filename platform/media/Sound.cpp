#include <Sound.h>

#include <File.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "media/WaveFile.h"


BSound::BSound(void* data, size_t size, const media_raw_audio_format& format,
	bool freeWhenDone)
	:
	fFormat(format),
	fData((uint8*)data),
	fSize(size),
	fFreeWhenDone(freeWhenDone),
	fStatus(data != NULL ? B_OK : B_BAD_VALUE),
	fRefCount(1)
{
}


BSound::BSound(const entry_ref* soundFile, bool loadIntoMemory)
	:
	fFormat(media_raw_audio_format::wildcard),
	fData(NULL),
	fSize(0),
	fFreeWhenDone(true),
	fStatus(B_NO_INIT),
	fRefCount(1)
{
	BFile file(soundFile, B_READ_ONLY);
	off_t size = 0;
	if ((fStatus = file.InitCheck()) != B_OK || (fStatus = file.GetSize(&size)) != B_OK)
		return;
	if (size > (off_t)BPrivate::kMaxSoundFileBytes) {
		fStatus = B_NO_MEMORY;
		return;
	}
	if (size == 0) {
		fStatus = B_MEDIA_BAD_FORMAT;
		return;
	}
	std::vector<uint8> bytes((size_t)size);
	if (file.ReadAt(0, bytes.data(), bytes.size()) != (ssize_t)bytes.size()) {
		fStatus = B_IO_ERROR;
		return;
	}
	size_t offset, length;
	fStatus = BPrivate::parse_wave(bytes.data(), bytes.size(), &fFormat, &offset, &length);
	if (fStatus != B_OK)
		return;
	fData = (uint8*)malloc(std::max<size_t>(length, 1));
	if (fData == NULL) {
		fStatus = B_NO_MEMORY;
		return;
	}
	memcpy(fData, bytes.data() + offset, length);
	fSize = length;
}


BSound::BSound(const media_raw_audio_format& format)
	:
	fFormat(format),
	fData(NULL),
	fSize(0),
	fFreeWhenDone(false),
	fStatus(B_OK),
	fRefCount(1)
{
}


BSound::~BSound()
{
	if (fFreeWhenDone)
		free(fData);
}


status_t
BSound::InitCheck()
{
	return fStatus;
}


BSound*
BSound::AcquireRef()
{
	atomic_add(&fRefCount, 1);
	return this;
}


bool
BSound::ReleaseRef()
{
	if (atomic_add(&fRefCount, -1) == 1) {
		delete this;
		return true;
	}
	return false;
}


int32
BSound::RefCount() const
{
	return atomic_get((vint32*)&fRefCount);
}


bigtime_t
BSound::Duration() const
{
	size_t frameBytes = fFormat.channel_count
		* (fFormat.format & media_raw_audio_format::B_AUDIO_SIZE_MASK);
	if (frameBytes == 0 || fFormat.frame_rate <= 0)
		return 0;
	return (bigtime_t)((double)(Size() / frameBytes) * 1000000.0 / fFormat.frame_rate);
}


const media_raw_audio_format&
BSound::Format() const
{
	return fFormat;
}


const void*
BSound::Data() const
{
	return fData;
}


off_t
BSound::Size() const
{
	return (off_t)fSize;
}


bool
BSound::GetDataAt(off_t offset, void* intoBuffer, size_t bufferSize, size_t* outUsed)
{
	if (fData == NULL || offset < 0 || (size_t)offset >= fSize || intoBuffer == NULL) {
		if (outUsed != NULL)
			*outUsed = 0;
		return false;
	}
	size_t count = std::min(bufferSize, fSize - (size_t)offset);
	memcpy(intoBuffer, fData + offset, count);
	if (outUsed != NULL)
		*outUsed = count;
	return true;
}
