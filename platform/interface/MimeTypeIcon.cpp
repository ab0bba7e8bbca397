// BMimeType's bitmap icons: fields of the type's record named as the attributes of a
// node's icons (interface/IconBits.h, docs/mime-database.md).
#include <MimeType.h>

#include <Bitmap.h>

#include "interface/IconBits.h"

#include <vector>

using BPrivate::icon_name;


status_t
BMimeType::GetIcon(BBitmap* icon, icon_size which) const
{
	return _GetIcon(icon_name(which).c_str(), icon, which);
}


status_t
BMimeType::SetIcon(const BBitmap* icon, icon_size which)
{
	return _SetIcon(icon_name(which).c_str(), icon, which);
}


status_t
BMimeType::GetIconForType(const char* type, BBitmap* icon, icon_size which) const
{
	if (!IsValid(type))
		return B_BAD_VALUE;
	return _GetIcon(icon_name(which, type).c_str(), icon, which);
}


status_t
BMimeType::SetIconForType(const char* type, const BBitmap* icon, icon_size which)
{
	if (!IsValid(type))
		return B_BAD_VALUE;
	return _SetIcon(icon_name(which, type).c_str(), icon, which);
}


status_t
BMimeType::_GetIcon(const char* field, BBitmap* icon, icon_size which) const
{
	if (!BPrivate::fits_icon(icon, which))
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK)
		return status;
	const void* pixels;
	ssize_t size;
	if (record.FindData(field, BPrivate::icon_type(which), &pixels, &size) != B_OK)
		return B_ENTRY_NOT_FOUND;
	return BPrivate::icon_to_bitmap(pixels, size, which, icon);
}


status_t
BMimeType::_SetIcon(const char* field, const BBitmap* icon, icon_size which)
{
	if (!BPrivate::is_icon_size(which))
		return B_BAD_VALUE;
	std::vector<uint8> pixels;
	status_t status = icon != NULL ? BPrivate::icon_from_bitmap(icon, which, &pixels) : B_OK;
	if (status != B_OK)
		return status;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	BMessage record;
	status = _ReadRecord(&record);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	record.RemoveName(field);
	if (icon != NULL) {
		status = record.AddData(field, BPrivate::icon_type(which), pixels.data(),
			pixels.size());
		if (status != B_OK)
			return status;
	}
	return _WriteRecord(&record);
}
