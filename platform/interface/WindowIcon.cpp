// BWindow::SetIcon, a kit addition: the window's icon goes to the display back end, which
// shows it as the desktop expects (on X11, _NET_WM_ICON; docs/display.md).
#include <Window.h>

#include <Bitmap.h>

#include <vector>

#include "display/Display.h"


status_t
BWindow::SetIcon(const BBitmap* icon)
{
	if (icon == NULL || icon->InitCheck() != B_OK)
		return B_BAD_VALUE;
	BBitmap converted(icon->Bounds(), B_RGBA32);
	status_t status = converted.InitCheck();
	if (status == B_OK)
		status = converted.ImportBits(icon);
	if (status != B_OK)
		return status;

	// B_RGBA32 keeps blue, green, red and alpha in memory order: one little-endian word
	// reads 0xAARRGGBB, as the back ends take it.
	int32 width = converted.Bounds().IntegerWidth() + 1;
	int32 height = converted.Bounds().IntegerHeight() + 1;
	std::vector<uint32> pixels((size_t)width * height);
	const uint8* bits = static_cast<const uint8*>(converted.Bits());
	for (int32 y = 0; y < height; y++) {
		const uint8* row = bits + y * converted.BytesPerRow();
		for (int32 x = 0; x < width; x++) {
			const uint8* pixel = row + x * 4;
			pixels[(size_t)y * width + x] = (uint32)pixel[3] << 24 | (uint32)pixel[2] << 16
				| (uint32)pixel[1] << 8 | pixel[0];
		}
	}
	if (fDisplayWindow != NULL)
		fDisplayWindow->SetIcon(pixels.data(), width, height);
	return B_OK;
}
