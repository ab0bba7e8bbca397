// The mounted volumes, one after another, and the boot volume (the one holding "/").
#ifndef _VOLUME_ROSTER_H
#define _VOLUME_ROSTER_H

#include <Volume.h>

class BVolumeRoster {
public:
								BVolumeRoster();
	virtual						~BVolumeRoster();

	// B_BAD_VALUE after the last volume.
			status_t			GetNextVolume(BVolume* volume);
			void				Rewind();
			status_t			GetBootVolume(BVolume* volume);

private:
								BVolumeRoster(const BVolumeRoster&);
			BVolumeRoster&		operator=(const BVolumeRoster&);

			int32				fNext;
};

#endif // _VOLUME_ROSTER_H
