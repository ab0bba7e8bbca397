// The pieces of a screen overlay are display popups whose input is ignored: the window
// that shows them keeps following the pointer itself.
#include "interface/ScreenOverlay.h"

#include "display/Display.h"

#include <Bitmap.h>

#include <cairo.h>

#include <math.h>

namespace BPrivate {

namespace {

DisplayWindow*
CreatePiece(BRect frame)
{
	return Display::Default()->CreatePopup(frame, "", [](const DisplayEvent&) {});
}


void
PresentColor(DisplayWindow* piece, BRect frame, double grey)
{
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24,
		(int)frame.Width() + 1, (int)frame.Height() + 1);
	cairo_t* cairo = cairo_create(surface);
	cairo_set_source_rgb(cairo, grey, grey, grey);
	cairo_paint(cairo);
	cairo_destroy(cairo);
	piece->Present(surface, frame.OffsetToCopy(0, 0));
	cairo_surface_destroy(surface);
}

} // namespace


ScreenOverlay::ScreenOverlay(BRect frame, bool outline)
	:
	fFrame(frame),
	fOutline(outline)
{
}


ScreenOverlay::~ScreenOverlay()
{
	for (DisplayWindow* piece : fPieces)
		delete piece;
}


ScreenOverlay*
ScreenOverlay::CreateOutline(BRect frame)
{
	frame = BRect(floorf(frame.left), floorf(frame.top), floorf(frame.right),
		floorf(frame.bottom));
	ScreenOverlay* overlay = new ScreenOverlay(frame, true);
	for (int i = 0; i < 4; i++)
		overlay->fPieces.push_back(CreatePiece(BRect(0, 0, 0, 0)));
	overlay->_Place();
	for (DisplayWindow* piece : overlay->fPieces)
		piece->Show();
	return overlay;
}


// The picture is shown over the panel's grey where the image is transparent: display
// windows are opaque.
ScreenOverlay*
ScreenOverlay::CreateImage(const BBitmap* image, BPoint where)
{
	BRect bounds = image->Bounds();
	BRect frame = bounds.OffsetToCopy(floorf(where.x), floorf(where.y));
	ScreenOverlay* overlay = new ScreenOverlay(frame, false);
	DisplayWindow* piece = CreatePiece(frame);
	overlay->fPieces.push_back(piece);

	BBitmap pixels(bounds, B_RGBA32);
	if (pixels.IsValid() && pixels.ImportBits(image) == B_OK) {
		int width = (int)bounds.Width() + 1;
		int height = (int)bounds.Height() + 1;
		cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width,
			height);
		uint8* target = cairo_image_surface_get_data(surface);
		int stride = cairo_image_surface_get_stride(surface);
		const uint8* source = (const uint8*)pixels.Bits();
		for (int y = 0; y < height; y++) {
			const uint8* in = source + (size_t)y * pixels.BytesPerRow();
			uint32* out = (uint32*)(target + (size_t)y * stride);
			for (int x = 0; x < width; x++) {
				// B_RGBA32 is blue, green, red, alpha in memory.
				uint32 alpha = in[x * 4 + 3];
				auto blend = [alpha](uint32 value) {
					return (value * alpha + 216 * (255 - alpha)) / 255;
				};
				out[x] = (blend(in[x * 4 + 2]) << 16) | (blend(in[x * 4 + 1]) << 8)
					| blend(in[x * 4]);
			}
		}
		cairo_surface_mark_dirty(surface);
		piece->Present(surface, bounds.OffsetToCopy(0, 0));
		cairo_surface_destroy(surface);
	} else
		PresentColor(piece, frame, 0.5);
	piece->Show();
	return overlay;
}


void
ScreenOverlay::SetFrame(BRect frame)
{
	frame = BRect(floorf(frame.left), floorf(frame.top), floorf(frame.right),
		floorf(frame.bottom));
	if (frame == fFrame)
		return;
	if (!fOutline)
		frame = fFrame.OffsetToCopy(frame.LeftTop());
	fFrame = frame;
	_Place();
}


void
ScreenOverlay::_Place()
{
	if (!fOutline) {
		fPieces[0]->SetFrame(fFrame);
		return;
	}
	BRect edges[4] = {
		BRect(fFrame.left, fFrame.top, fFrame.right, fFrame.top),
		BRect(fFrame.left, fFrame.bottom, fFrame.right, fFrame.bottom),
		BRect(fFrame.left, fFrame.top, fFrame.left, fFrame.bottom),
		BRect(fFrame.right, fFrame.top, fFrame.right, fFrame.bottom)
	};
	for (int i = 0; i < 4; i++) {
		fPieces[i]->SetFrame(edges[i]);
		PresentColor(fPieces[i], edges[i], 0.0);
	}
}

} // namespace BPrivate
