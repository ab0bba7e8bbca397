// An overlay on X11: an override-redirect window above the others whose input shape is
// empty, so that clicks reach the windows below, and whose bounding shape leaves out the
// pixels of its transparent key colour, so that only what is drawn in other colours shows.
// It wraps an X11Window made as a popup (override-redirect, framed by no window manager)
// but shows and hides without the popups' pointer grab.
#ifndef _X11_OVERLAY_H
#define _X11_OVERLAY_H

#include "display/X11Display.h"

namespace BPrivate {

class X11Overlay : public DisplayWindow {
public:
	// NULL when the server has no Shape extension.
	static	X11Overlay*			Create(X11Display* display, BRect frame, const char* title,
									DisplayEventHandler handler, uint32 transparentKey);
	virtual						~X11Overlay();

	virtual	void				SetTitle(const char* title);
	virtual	void				SetFrame(BRect frame);
	virtual	void				SetSizeLimits(float minWidth, float maxWidth,
									float minHeight, float maxHeight);
	virtual	void				Show();
	virtual	void				Hide();
	// An overlay never takes the focus: it is raised above the others instead.
	virtual	void				Activate();
	// Draws the pixels and cuts the shape again from the whole surface.
	virtual	void				Present(cairo_surface_t* surface, BRect dirty);
	virtual	void				SendBehind(DisplayWindow* other);
	// An overlay is never one of the ordinary windows, so never the front one.
	virtual	bool				IsFront();
	// Taking no input, an overlay is no place to drop on and cannot hold the pointer.
	virtual	void				SetDropTarget(const std::string& data);
	virtual	status_t			GrabPointer(bool grab);
	virtual	void				SetViewCursor(const DisplayCursor* cursor);

			X11Window*			Window() const { return fWindow; }

private:
								X11Overlay(X11Window* window, uint32 transparentKey);
			void				_Reshape(cairo_surface_t* surface);

			X11Window*			fWindow;
			uint32				fTransparentKey;
};

} // namespace BPrivate

#endif // _X11_OVERLAY_H
