// BNodeInfo's icons: B_CMAP8 pixels of the kit's system palette in the attributes
// "BEOS:L:STD_ICON" (32 x 32, type 'ICON') and "BEOS:M:STD_ICON" (16 x 16, 'MICN'),
// row after row without padding (docs/node-attributes.md).
#include <NodeInfo.h>

#include <Bitmap.h>

#include <string.h>

#include <vector>

namespace {

const char* const kLargeIconAttribute = "BEOS:L:STD_ICON";
const char* const kMiniIconAttribute = "BEOS:M:STD_ICON";


status_t
icon_attribute(icon_size which, const char** name, type_code* type)
{
	if (which == B_LARGE_ICON) {
		*name = kLargeIconAttribute;
		*type = B_LARGE_ICON_TYPE;
	} else if (which == B_MINI_ICON) {
		*name = kMiniIconAttribute;
		*type = B_MINI_ICON_TYPE;
	} else
		return B_BAD_VALUE;
	return B_OK;
}


bool
has_icon_size(const BBitmap* bitmap, icon_size which)
{
	BRect bounds = bitmap->Bounds();
	return bounds.IntegerWidth() + 1 == which && bounds.IntegerHeight() + 1 == which;
}


// Copies size rows of size bytes between buffers of the given row lengths.
void
copy_rows(void* target, int32 targetRow, const void* source, int32 sourceRow, int32 size)
{
	for (int32 y = 0; y < size; y++) {
		memcpy(static_cast<uint8*>(target) + y * targetRow,
			static_cast<const uint8*>(source) + y * sourceRow, size);
	}
}

} // namespace


status_t
BNodeInfo::GetIcon(BBitmap* icon, icon_size which) const
{
	const char* name;
	type_code type;
	status_t status = icon_attribute(which, &name, &type);
	if (status != B_OK || icon == NULL || !has_icon_size(icon, which))
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	attr_info info;
	status = fNode->GetAttrInfo(name, &info);
	if (status != B_OK)
		return status;
	size_t size = which * which;
	if (info.type != type || (size_t)info.size != size)
		return B_BAD_DATA;
	std::vector<uint8> pixels(size);
	ssize_t read = fNode->ReadAttr(name, type, 0, pixels.data(), size);
	if (read < 0)
		return read;
	if ((size_t)read != size)
		return B_BAD_DATA;

	// Indices are copied as they are: converting them through colours would not give the
	// same indices back where the palette repeats a colour.
	if (icon->ColorSpace() == B_CMAP8) {
		copy_rows(icon->Bits(), icon->BytesPerRow(), pixels.data(), which, which);
		return B_OK;
	}
	BBitmap indexed(icon->Bounds(), B_CMAP8);
	if (indexed.InitCheck() != B_OK)
		return indexed.InitCheck();
	copy_rows(indexed.Bits(), indexed.BytesPerRow(), pixels.data(), which, which);
	return icon->ImportBits(&indexed);
}


status_t
BNodeInfo::SetIcon(const BBitmap* icon, icon_size which)
{
	const char* name;
	type_code type;
	status_t status = icon_attribute(which, &name, &type);
	if (status != B_OK || (icon != NULL && !has_icon_size(icon, which)))
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (icon == NULL) {
		status = fNode->RemoveAttr(name);
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}

	std::vector<uint8> pixels(which * which);
	if (icon->ColorSpace() == B_CMAP8)
		copy_rows(pixels.data(), which, icon->Bits(), icon->BytesPerRow(), which);
	else {
		BBitmap indexed(icon->Bounds(), B_CMAP8);
		status = indexed.InitCheck();
		if (status == B_OK)
			status = indexed.ImportBits(icon);
		if (status != B_OK)
			return status;
		copy_rows(pixels.data(), which, indexed.Bits(), indexed.BytesPerRow(), which);
	}
	ssize_t written = fNode->WriteAttr(name, type, 0, pixels.data(), pixels.size());
	return written < 0 ? written : B_OK;
}
