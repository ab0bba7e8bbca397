// A sound a BSoundPlayer plays: samples in memory, from a sound file (WAV) or from a
// subclass's GetDataAt. Reference counted: the creator holds one reference and gives it up
// with ReleaseRef; a player holds its own while it plays the sound.
#ifndef _SOUND_H
#define _SOUND_H

#include <Entry.h>
#include <MediaDefs.h>
#include <SupportDefs.h>

class BFile;

class BSound {
public:
	// Samples of format in data; with freeWhenDone the sound free()s data when it goes.
								BSound(void* data, size_t size,
									const media_raw_audio_format& format,
									bool freeWhenDone = false);
	// A sound file; its samples are read into memory either way (loadIntoMemory is kept
	// for the platform's signature). InitCheck says B_MEDIA_BAD_FORMAT for a file the kit
	// does not read.
								BSound(const entry_ref* soundFile,
									bool loadIntoMemory = false);

			status_t			InitCheck();

			BSound*				AcquireRef();
	// True when that was the last reference and the sound was deleted.
			bool				ReleaseRef();
			int32				RefCount() const;

	virtual	bigtime_t			Duration() const;
	virtual	const media_raw_audio_format& Format() const;
	// The samples, when they are in memory; NULL otherwise.
	virtual	const void*			Data() const;
	virtual	off_t				Size() const;

	// Copies up to bufferSize bytes from offset; false past the end.
	virtual	bool				GetDataAt(off_t offset, void* intoBuffer, size_t bufferSize,
									size_t* outUsed);

protected:
	// For subclasses that supply their samples through GetDataAt.
								BSound(const media_raw_audio_format& format);
	virtual						~BSound();

private:
								BSound(const BSound&);
			BSound&				operator=(const BSound&);

			media_raw_audio_format fFormat;
			uint8*				fData;
			size_t				fSize;
			bool				fFreeWhenDone;
			status_t			fStatus;
			vint32				fRefCount;
};

#endif // _SOUND_H
