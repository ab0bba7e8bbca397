#include "display/X11Overlay.h"

#include <cairo.h>
#include <xcb/shape.h>

#include <vector>

namespace BPrivate {

DisplayWindow*
X11Display::CreateOverlay(BRect frame, const char* title, DisplayEventHandler handler,
	uint32 transparentKey)
{
	return X11Overlay::Create(this, frame, title, std::move(handler), transparentKey);
}


X11Overlay*
X11Overlay::Create(X11Display* display, BRect frame, const char* title,
	DisplayEventHandler handler, uint32 transparentKey)
{
	const xcb_query_extension_reply_t* shape = xcb_get_extension_data(display->fConnection,
		&xcb_shape_id);
	if (shape == NULL || !shape->present)
		return NULL;
	X11Window* window = new X11Window(display, frame, title, std::move(handler), true);
	// No input region: the pointer sees the windows below as if the overlay were not there.
	xcb_shape_rectangles(display->fConnection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT,
		XCB_CLIP_ORDERING_UNSORTED, window->fWindow, 0, 0, 0, NULL);
	xcb_flush(display->fConnection);
	return new X11Overlay(window, transparentKey & 0xffffff);
}


X11Overlay::X11Overlay(X11Window* window, uint32 transparentKey)
	:
	fWindow(window),
	fTransparentKey(transparentKey)
{
}


X11Overlay::~X11Overlay()
{
	delete fWindow;
}


void
X11Overlay::SetTitle(const char* title)
{
	fWindow->SetTitle(title);
}


void
X11Overlay::SetFrame(BRect frame)
{
	fWindow->SetFrame(frame);
}


void
X11Overlay::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	fWindow->SetSizeLimits(minWidth, maxWidth, minHeight, maxHeight);
}


void
X11Overlay::Show()
{
	xcb_connection_t* connection = fWindow->fDisplay->fConnection;
	xcb_map_window(connection, fWindow->fWindow);
	Activate();
}


void
X11Overlay::Hide()
{
	xcb_connection_t* connection = fWindow->fDisplay->fConnection;
	xcb_unmap_window(connection, fWindow->fWindow);
	xcb_flush(connection);
}


void
X11Overlay::Activate()
{
	xcb_connection_t* connection = fWindow->fDisplay->fConnection;
	uint32 above = XCB_STACK_MODE_ABOVE;
	xcb_configure_window(connection, fWindow->fWindow, XCB_CONFIG_WINDOW_STACK_MODE, &above);
	xcb_flush(connection);
}


void
X11Overlay::Present(cairo_surface_t* surface, BRect dirty)
{
	fWindow->Present(surface, dirty);
	_Reshape(surface);
}


// The bounding shape is one rectangle per run of pixels, row by row, that are not of the
// key colour. A shape with more rectangles than one request may carry keeps the whole
// window instead.
void
X11Overlay::_Reshape(cairo_surface_t* surface)
{
	cairo_surface_flush(surface);
	int32 width = cairo_image_surface_get_width(surface);
	int32 height = cairo_image_surface_get_height(surface);
	int stride = cairo_image_surface_get_stride(surface);
	const uint8* data = cairo_image_surface_get_data(surface);
	if (data == NULL)
		return;

	std::vector<xcb_rectangle_t> rectangles;
	for (int32 y = 0; y < height; y++) {
		const uint32* row = reinterpret_cast<const uint32*>(data + (size_t)y * stride);
		int32 x = 0;
		while (x < width) {
			while (x < width && (row[x] & 0xffffff) == fTransparentKey)
				x++;
			int32 start = x;
			while (x < width && (row[x] & 0xffffff) != fTransparentKey)
				x++;
			if (x > start)
				rectangles.push_back({ (int16)start, (int16)y, (uint16)(x - start), 1 });
		}
	}

	xcb_connection_t* connection = fWindow->fDisplay->fConnection;
	uint64 maxBytes = (uint64)xcb_get_maximum_request_length(connection) * 4 - 64;
	if (rectangles.size() * sizeof(xcb_rectangle_t) > maxBytes)
		rectangles.assign(1, { 0, 0, (uint16)width, (uint16)height });
	xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING,
		XCB_CLIP_ORDERING_YX_BANDED, fWindow->fWindow, 0, 0, (uint32)rectangles.size(),
		rectangles.data());
	xcb_flush(connection);
}


void
X11Overlay::SendBehind(DisplayWindow* other)
{
	fWindow->SendBehind(other);
}


bool
X11Overlay::IsFront()
{
	return false;
}


void
X11Overlay::SetDropTarget(const std::string& data)
{
}


status_t
X11Overlay::GrabPointer(bool grab)
{
	return B_NOT_ALLOWED;
}


// The pointer is never over an overlay (its input shape is empty); the window keeps the
// cursor all the same, as any window does.
void
X11Overlay::SetViewCursor(const DisplayCursor* cursor)
{
	fWindow->SetViewCursor(cursor);
}

} // namespace BPrivate
