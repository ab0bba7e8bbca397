// Feeds arbitrary bytes to the bitmap archive path: a flattened message, unflattened and
// handed to BBitmap's archive constructor. A bitmap that comes out valid must be drawable
// in every mode and archive again.
#include <Bitmap.h>
#include <Message.h>

#include "interface/Painter.h"

#include <cairo.h>

#include <stdint.h>
#include <stdlib.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage archive;
	if (archive.Unflatten((const char*)data, size) != B_OK)
		return 0;
	BBitmap bitmap(&archive);
	if (!bitmap.IsValid())
		return 0;
	if (bitmap.Bits() == NULL || bitmap.BitsLength() <= 0)
		abort();

	// Large bitmaps are accepted, but drawing them is not what is tested here.
	if (bitmap.BitsLength() > 1 << 20)
		return 0;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 32, 32);
	{
		BPrivate::Painter painter(surface);
		BPrivate::DrawState state;
		for (drawing_mode mode : { B_OP_COPY, B_OP_OVER, B_OP_ALPHA }) {
			state.drawingMode = mode;
			painter.DrawBitmap(state, &bitmap, bitmap.Bounds(),
				BRect(0, 0, 31, 31));
		}
	}
	cairo_surface_destroy(surface);

	BMessage again;
	if (bitmap.Archive(&again) != B_OK)
		abort();
	return 0;
}
