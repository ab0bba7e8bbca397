// The display back ends' interface: windows on a screen, their pixels and their input.
// Two back ends exist: X11 (real windows through xcb) and offscreen (windows kept in
// memory, for tests and machines without a display). docs/display.md tells how one is
// chosen.
#ifndef _DISPLAY_H
#define _DISPLAY_H

#include <Rect.h>

#include <functional>

typedef struct _cairo_surface cairo_surface_t;

namespace BPrivate {

class ClipboardBridge;

enum DisplayEventType {
	kDisplayMouseDown,
	kDisplayMouseUp,
	kDisplayMouseMoved,
	kDisplayMouseWheel,
	kDisplayKeyDown,
	kDisplayKeyUp,
	kDisplayResized,		// frame: the new frame, in screen coordinates
	kDisplayMoved,			// frame: the new frame, in screen coordinates
	kDisplayExposed,		// frame: the area to draw again, in window coordinates
	kDisplayCloseRequested,
	kDisplayActivated		// active: whether the window now has the focus
};

struct DisplayEvent {
	DisplayEventType type;

	// Mouse events, in window coordinates.
	BPoint			where;
	uint32			buttons = 0;
	int32			clicks = 0;
	float			wheelDelta = 0;

	// Mouse and key events: the platform's modifier bits.
	uint32			modifiers = 0;

	// Key events: the UTF-8 bytes the key types (the platform's codes for the keys
	// without a character), the display's key code, and the character without modifiers.
	char			bytes[8] = {};
	int32			key = 0;
	int32			rawChar = 0;

	BRect			frame;
	bool			active = false;
};

typedef std::function<void(const DisplayEvent&)> DisplayEventHandler;

// One window on the display. Its calls come from the thread that owns the window; events
// reach the handler on the back end's own thread (X11) or on the thread that caused them
// (offscreen).
class DisplayWindow {
public:
	virtual						~DisplayWindow();

	virtual	void				SetTitle(const char* title) = 0;
	// The window's icon for the desktop: width by height pixels, rows top first, each
	// pixel a 32-bit value 0xAARRGGBB (not premultiplied). A back end without icons
	// ignores it.
	virtual	void				SetIcon(const uint32* pixels, int32 width, int32 height);
	// Moves and resizes; frame is in screen coordinates, edges included.
	virtual	void				SetFrame(BRect frame) = 0;
	virtual	void				SetSizeLimits(float minWidth, float maxWidth,
									float minHeight, float maxHeight) = 0;
	virtual	void				Show() = 0;
	virtual	void				Hide() = 0;
	virtual	void				Activate() = 0;

	// Shows the part dirty (window coordinates) of surface, the window's drawn pixels.
	virtual	void				Present(cairo_surface_t* surface, BRect dirty) = 0;
};

class Display {
public:
	// The display of this process, chosen on first use.
	static	Display*			Default();

	virtual						~Display();

	virtual	const char*			Name() const = 0;
	virtual	BRect				ScreenFrame() = 0;
	// The window starts hidden.
	virtual	DisplayWindow*		CreateWindow(BRect frame, const char* title,
									DisplayEventHandler handler) = 0;
	// The exchange of the system clipboard with the display's other programs; NULL when
	// the display has none. Lives as long as the display.
	virtual	ClipboardBridge*	Clipboard() { return NULL; }
	// A window for an open menu: no border, left alone by the window manager, above
	// the other windows and never given the focus (keys stay with the window that
	// opened it). It starts hidden.
	virtual	DisplayWindow*		CreatePopup(BRect frame, const char* title,
									DisplayEventHandler handler) = 0;
	// A window drawn over all others that takes no input: no border, left alone by the
	// window manager, never focused, pointer events going through it to the windows
	// below, and its pixels of the colour transparentKey (0x00RRGGBB) cut out of its
	// shape. NULL when the display cannot show one (offscreen); it starts hidden.
	virtual	DisplayWindow*		CreateOverlay(BRect frame, const char* title,
									DisplayEventHandler handler, uint32 transparentKey)
									{ return NULL; }
};

} // namespace BPrivate

#endif // _DISPLAY_H
