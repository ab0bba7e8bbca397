#include "interface/IconBits.h"

#include <Bitmap.h>

#include <ctype.h>
#include <string.h>

namespace {

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


namespace BPrivate {

bool
is_icon_size(icon_size which)
{
	return which == B_LARGE_ICON || which == B_MINI_ICON;
}


bool
fits_icon(const BBitmap* bitmap, icon_size which)
{
	if (bitmap == NULL || !is_icon_size(which))
		return false;
	BRect bounds = bitmap->Bounds();
	return bounds.IntegerWidth() + 1 == which && bounds.IntegerHeight() + 1 == which;
}


type_code
icon_type(icon_size which)
{
	return which == B_LARGE_ICON ? B_LARGE_ICON_TYPE : B_MINI_ICON_TYPE;
}


std::string
icon_name(icon_size which, const char* forType)
{
	std::string name = which == B_LARGE_ICON ? "BEOS:L:" : "BEOS:M:";
	if (forType == NULL)
		return name + "STD_ICON";
	for (const char* c = forType; *c != '\0'; c++)
		name += (char)tolower((unsigned char)*c);
	return name;
}


status_t
icon_from_bitmap(const BBitmap* bitmap, icon_size which, std::vector<uint8>* pixels)
{
	if (!fits_icon(bitmap, which))
		return B_BAD_VALUE;
	pixels->resize(which * which);
	if (bitmap->ColorSpace() == B_CMAP8) {
		copy_rows(pixels->data(), which, bitmap->Bits(), bitmap->BytesPerRow(), which);
		return B_OK;
	}
	BBitmap indexed(bitmap->Bounds(), B_CMAP8);
	status_t status = indexed.InitCheck();
	if (status == B_OK)
		status = indexed.ImportBits(bitmap);
	if (status != B_OK)
		return status;
	copy_rows(pixels->data(), which, indexed.Bits(), indexed.BytesPerRow(), which);
	return B_OK;
}


status_t
icon_to_bitmap(const void* pixels, size_t size, icon_size which, BBitmap* bitmap)
{
	if (!fits_icon(bitmap, which))
		return B_BAD_VALUE;
	if (size != (size_t)which * which)
		return B_BAD_DATA;
	// Indices are copied as they are: converting them through colours would not give the
	// same indices back where the palette repeats a colour.
	if (bitmap->ColorSpace() == B_CMAP8) {
		copy_rows(bitmap->Bits(), bitmap->BytesPerRow(), pixels, which, which);
		return B_OK;
	}
	BBitmap indexed(bitmap->Bounds(), B_CMAP8);
	if (indexed.InitCheck() != B_OK)
		return indexed.InitCheck();
	copy_rows(indexed.Bits(), indexed.BytesPerRow(), pixels, which, which);
	return bitmap->ImportBits(&indexed);
}

} // namespace BPrivate
