// Icons of volumes and devices. Linux's drivers keep no icons, so a device's icon is
// the kit's picture of a drive of its kind (docs/icons.md).
#include <Volume.h>

#include <Bitmap.h>
#include <MimeType.h>

#include "interface/GenericIcons.h"
#include "interface/IconBits.h"
#include "storage/RemovableDevice.h"
#include "storage/StorageErrors.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>


status_t
get_device_icon(const char* device, void* icon, int32 size)
{
	if (device == NULL || icon == NULL || (size != B_LARGE_ICON && size != B_MINI_ICON))
		return B_BAD_VALUE;
	struct stat info;
	if (stat(device, &info) != 0)
		return BPrivate::status_for_errno(errno);
	if (!S_ISBLK(info.st_mode))
		return B_BAD_VALUE;
	BPrivate::draw_generic_icon(BPrivate::is_removable_device(info.st_rdev)
			? BPrivate::kGenericRemovableIcon : BPrivate::kGenericDriveIcon,
		(icon_size)size, static_cast<uint8*>(icon));
	return B_OK;
}


status_t
BVolume::GetIcon(BBitmap* icon, icon_size which) const
{
	if (!BPrivate::fits_icon(icon, which))
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	uint8 pixels[B_LARGE_ICON * B_LARGE_ICON];
	if (strncmp(fSource, "/dev/", 5) == 0 && get_device_icon(fSource, pixels, which) == B_OK)
		return BPrivate::icon_to_bitmap(pixels, which * which, which, icon);
	if (BMimeType(B_VOLUME_MIME_TYPE).GetIcon(icon, which) == B_OK)
		return B_OK;
	BPrivate::draw_generic_icon(IsRemovable() ? BPrivate::kGenericRemovableIcon
		: BPrivate::kGenericDriveIcon, which, pixels);
	return BPrivate::icon_to_bitmap(pixels, which * which, which, icon);
}
