// The mounted volumes, one after another, and the boot volume (the one holding "/").
#ifndef _VOLUME_ROSTER_H
#define _VOLUME_ROSTER_H

#include <Messenger.h>
#include <Volume.h>

// The application's messenger (<Application.h>), where volume notices go by default.
extern BMessenger be_app_messenger;

class BVolumeRoster {
public:
								BVolumeRoster();
	virtual						~BVolumeRoster();

	// B_BAD_VALUE after the last volume.
			status_t			GetNextVolume(BVolume* volume);
			void				Rewind();
			status_t			GetBootVolume(BVolume* volume);

	// Sends messenger a B_NODE_MONITOR message as volumes are mounted
	// (B_DEVICE_MOUNTED) and unmounted (B_DEVICE_UNMOUNTED) until StopWatching or
	// the roster goes; watching again moves the watch to the new messenger.
			status_t			StartWatching(BMessenger messenger = be_app_messenger);
			void				StopWatching();
			BMessenger			Messenger() const;

private:
								BVolumeRoster(const BVolumeRoster&);
			BVolumeRoster&		operator=(const BVolumeRoster&);

			int32				fNext;
			BMessenger			fTarget;
};

#endif // _VOLUME_ROSTER_H
