// BAppFileInfo's bitmap icons: its own under the names of a node's icons, and those it
// shows for the types it handles (interface/IconBits.h), in its attributes and resources.
#include <AppFileInfo.h>

#include <Bitmap.h>
#include <MimeType.h>

#include "interface/IconBits.h"

#include <stdlib.h>

#include <vector>

using BPrivate::icon_name;
using BPrivate::icon_type;

namespace {

// The resource id of the application's own icons; icons for types take free ids.
const int32 kIconId = 101;

} // namespace


status_t
BAppFileInfo::GetIcon(BBitmap* icon, icon_size which) const
{
	return GetIconForType(NULL, icon, which);
}


status_t
BAppFileInfo::SetIcon(const BBitmap* icon, icon_size which)
{
	return SetIconForType(NULL, icon, which);
}


status_t
BAppFileInfo::GetIconForType(const char* type, BBitmap* icon, icon_size which) const
{
	if (!BPrivate::fits_icon(icon, which) || (type != NULL && !BMimeType::IsValid(type)))
		return B_BAD_VALUE;
	void* pixels;
	size_t size;
	status_t status = _ReadData(icon_name(which, type).c_str(), icon_type(which), &pixels,
		&size);
	if (status != B_OK)
		return status;
	status = BPrivate::icon_to_bitmap(pixels, size, which, icon);
	free(pixels);
	return status;
}


status_t
BAppFileInfo::SetIconForType(const char* type, const BBitmap* icon, icon_size which)
{
	if (!BPrivate::is_icon_size(which) || (type != NULL && !BMimeType::IsValid(type)))
		return B_BAD_VALUE;
	std::vector<uint8> pixels;
	status_t status = icon != NULL ? BPrivate::icon_from_bitmap(icon, which, &pixels) : B_OK;
	if (status != B_OK)
		return status;
	return _WriteData(icon_name(which, type).c_str(), type == NULL ? kIconId : -1,
		icon_type(which), icon != NULL ? pixels.data() : NULL, pixels.size());
}
