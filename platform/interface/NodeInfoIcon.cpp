// BNodeInfo's icons, in the node's attributes "BEOS:L:STD_ICON" and "BEOS:M:STD_ICON"
// (interface/IconBits.h), and the icon the desktop shows for a node.
#include <NodeInfo.h>

#include <Bitmap.h>

#include "interface/GenericIcons.h"
#include "interface/IconBits.h"

#include <strings.h>

#include <vector>

using BPrivate::icon_name;
using BPrivate::icon_type;


status_t
BNodeInfo::GetIcon(BBitmap* icon, icon_size which) const
{
	if (!BPrivate::fits_icon(icon, which))
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	std::string name = icon_name(which);
	attr_info info;
	status_t status = fNode->GetAttrInfo(name.c_str(), &info);
	if (status != B_OK)
		return status;
	size_t size = which * which;
	if (info.type != icon_type(which) || (size_t)info.size != size)
		return B_BAD_DATA;
	std::vector<uint8> pixels(size);
	ssize_t read = fNode->ReadAttr(name.c_str(), icon_type(which), 0, pixels.data(), size);
	if (read < 0)
		return read;
	return BPrivate::icon_to_bitmap(pixels.data(), read, which, icon);
}


status_t
BNodeInfo::SetIcon(const BBitmap* icon, icon_size which)
{
	if (!BPrivate::is_icon_size(which))
		return B_BAD_VALUE;
	std::vector<uint8> pixels;
	status_t status = icon != NULL ? BPrivate::icon_from_bitmap(icon, which, &pixels) : B_OK;
	if (status != B_OK)
		return status;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	std::string name = icon_name(which);
	if (icon == NULL) {
		status = fNode->RemoveAttr(name.c_str());
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	ssize_t written = fNode->WriteAttr(name.c_str(), icon_type(which), 0, pixels.data(),
		pixels.size());
	return written < 0 ? written : B_OK;
}


namespace {

// The icon of type (with its preferred application's icon for it first) in the database.
status_t
type_icon(const char* type, BBitmap* icon, icon_size which)
{
	BMimeType mime(type);
	if (mime.InitCheck() != B_OK)
		return B_BAD_VALUE;
	char signature[B_MIME_TYPE_LENGTH];
	if (mime.GetPreferredApp(signature) == B_OK
		&& BMimeType(signature).GetIconForType(type, icon, which) == B_OK)
		return B_OK;
	return mime.GetIcon(icon, which);
}

} // namespace


status_t
BNodeInfo::GetTrackerIcon(BBitmap* icon, icon_size which) const
{
	if (!BPrivate::fits_icon(icon, which))
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (GetIcon(icon, which) == B_OK)
		return B_OK;

	char type[B_MIME_TYPE_LENGTH];
	if (GetType(type) == B_OK) {
		char signature[B_MIME_TYPE_LENGTH];
		if (GetPreferredApp(signature) == B_OK
			&& BMimeType(signature).GetIconForType(type, icon, which) == B_OK)
			return B_OK;
		if (type_icon(type, icon, which) == B_OK)
			return B_OK;
		BMimeType supertype;
		if (BMimeType(type).GetSupertype(&supertype) == B_OK
			&& supertype.GetIcon(icon, which) == B_OK)
			return B_OK;
	}

	const char* kindType = B_FILE_MIME_TYPE;
	BPrivate::generic_icon kind = BPrivate::kGenericFileIcon;
	if (fNode->IsDirectory()) {
		kindType = B_DIRECTORY_MIME_TYPE;
		kind = BPrivate::kGenericFolderIcon;
	} else if (fNode->IsSymLink())
		kindType = B_SYMLINK_MIME_TYPE;
	else if (GetType(type) == B_OK && strcasecmp(type, B_APP_MIME_TYPE) == 0) {
		kindType = B_APP_MIME_TYPE;
		kind = BPrivate::kGenericApplicationIcon;
	}
	if (type_icon(kindType, icon, which) == B_OK)
		return B_OK;
	uint8 pixels[B_LARGE_ICON * B_LARGE_ICON];
	BPrivate::draw_generic_icon(kind, which, pixels);
	return BPrivate::icon_to_bitmap(pixels, which * which, which, icon);
}


status_t
BNodeInfo::GetTrackerIcon(const entry_ref* ref, BBitmap* icon, icon_size which)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	BNode node(ref);
	status_t status = node.InitCheck();
	if (status != B_OK)
		return status;
	BNodeInfo info(&node);
	return info.GetTrackerIcon(icon, which);
}
