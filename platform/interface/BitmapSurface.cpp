// The surface of a bitmap's views. The copy of a bitmap in another space than B_RGB32 is
// a cairo RGB24 image, whose pixels are laid out as B_RGB32 on the little-endian machines
// the kit runs on, so PixelFormat converts both ways.
#include "interface/BitmapSurface.h"

#include "interface/PixelFormat.h"

#include <Bitmap.h>

#include <cairo.h>

#include <string.h>

namespace BPrivate {

BitmapSurface::BitmapSurface(BBitmap* bitmap)
	:
	fBitmap(bitmap),
	fSurface(NULL),
	fInPlace(false),
	fStale(true)
{
	int width = (int)bitmap->Bounds().Width() + 1;
	int height = (int)bitmap->Bounds().Height() + 1;
	if (bitmap->ColorSpace() == B_RGB32
		&& bitmap->BytesPerRow() % 4 == 0
		&& bitmap->BytesPerRow() >= cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width)) {
		fSurface = cairo_image_surface_create_for_data((unsigned char*)bitmap->Bits(),
			CAIRO_FORMAT_RGB24, width, height, bitmap->BytesPerRow());
		fInPlace = cairo_surface_status(fSurface) == CAIRO_STATUS_SUCCESS;
		if (!fInPlace)
			cairo_surface_destroy(fSurface);
	}
	if (!fInPlace)
		fSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
}


BitmapSurface::~BitmapSurface()
{
	cairo_surface_destroy(fSurface);
}


void
BitmapSurface::Load()
{
	if (!fStale)
		return;
	fStale = false;
	if (!fInPlace) {
		cairo_surface_flush(fSurface);
		uint8* data = cairo_image_surface_get_data(fSurface);
		int stride = cairo_image_surface_get_stride(fSurface);
		int width = cairo_image_surface_get_width(fSurface);
		int height = cairo_image_surface_get_height(fSurface);
		const uint8* bits = (const uint8*)fBitmap->Bits();
		for (int y = 0; y < height; y++) {
			const uint8* row = bits + y * fBitmap->BytesPerRow();
			for (int x = 0; x < width; x++) {
				WritePixel(data + y * stride, x, B_RGB32,
					ReadPixel(row, x, fBitmap->ColorSpace()));
			}
		}
	}
	cairo_surface_mark_dirty(fSurface);
}


void
BitmapSurface::Store(BRect area)
{
	cairo_surface_flush(fSurface);
	fStale = true;
	if (fInPlace)
		return;

	uint8* data = cairo_image_surface_get_data(fSurface);
	int stride = cairo_image_surface_get_stride(fSurface);
	int width = cairo_image_surface_get_width(fSurface);
	int height = cairo_image_surface_get_height(fSurface);
	int left = area.left < 0 ? 0 : (int)area.left;
	int top = area.top < 0 ? 0 : (int)area.top;
	int right = area.right >= width ? width - 1 : (int)area.right;
	int bottom = area.bottom >= height ? height - 1 : (int)area.bottom;
	uint8* bits = (uint8*)fBitmap->Bits();
	color_space space = fBitmap->ColorSpace();
	for (int y = top; y <= bottom; y++) {
		const uint8* drawn = data + y * stride;
		uint8* row = bits + y * fBitmap->BytesPerRow();
		for (int x = left; x <= right; x++) {
			// What Load() would make of the pixel as it is: the same colour stays.
			uint8 loaded[4];
			WritePixel(loaded, 0, B_RGB32, ReadPixel(row, x, space));
			if (memcmp(loaded, drawn + x * 4, 3) != 0)
				WritePixel(row, x, space, ReadPixel(drawn, x, B_RGB32));
		}
	}
}

} // namespace BPrivate
