// A mounted file system. On Linux a volume is a mount (of /proc/self/mountinfo) and its
// device is the st_dev of the nodes on it; where one file system is mounted twice, the
// first mount stands for it (docs/volumes.md).
#ifndef _VOLUME_H
#define _VOLUME_H

#include <Mime.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

#include <sys/types.h>

class BBitmap;
class BDirectory;

class BVolume {
public:
								BVolume();
								BVolume(dev_t device);
								BVolume(const BVolume& volume);
	virtual						~BVolume();

	// B_ENTRY_NOT_FOUND when no mounted file system has that device.
			status_t			SetTo(dev_t device);
			void				Unset();
			status_t			InitCheck() const;

			dev_t				Device() const;
			status_t			GetRootDirectory(BDirectory* directory) const;
			off_t				Capacity() const;
			off_t				FreeBytes() const;
	// name holds B_FILE_NAME_LENGTH bytes: the file system's label when the system knows
	// one, else the last component of the mount point ("/" for the root).
			status_t			GetName(char* name) const;
	// Renaming needs the file system's own tools: B_NOT_ALLOWED.
			status_t			SetName(const char* name);

	// The icon of the volume's device (get_device_icon), else the icon installed for
	// B_VOLUME_MIME_TYPE, else the kit's own picture of a drive.
			status_t			GetIcon(BBitmap* icon, icon_size which) const;

			bool				IsRemovable() const;
			bool				IsReadOnly() const;
			bool				IsPersistent() const;
			bool				IsShared() const;
			bool				KnowsMime() const;
			bool				KnowsAttr() const;
			bool				KnowsQuery() const;

			bool				operator==(const BVolume& volume) const;
			bool				operator!=(const BVolume& volume) const;
			BVolume&			operator=(const BVolume& volume);

private:
			dev_t				fDevice;
			status_t			fCStatus;
			char				fMountPoint[B_PATH_NAME_LENGTH];
			char				fFileSystem[32];
			char				fSource[B_PATH_NAME_LENGTH];
			bool				fReadOnly;
};

#endif // _VOLUME_H
