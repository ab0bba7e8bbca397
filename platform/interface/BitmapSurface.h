// The drawing surface of a bitmap that accepts views: what its offscreen window's painter
// draws on, kept in step with the bitmap's bits.
#ifndef _BITMAP_SURFACE_H
#define _BITMAP_SURFACE_H

#include <Rect.h>

class BBitmap;

typedef struct _cairo_surface cairo_surface_t;

namespace BPrivate {

// A B_RGB32 bitmap is drawn on in place: the surface is its bits. Any other colour space
// is drawn on a B_RGB32 copy that Load() fills from the bits and Store() writes back,
// converted to the bitmap's space. Used by the thread that holds the window's lock.
class BitmapSurface {
public:
	explicit					BitmapSurface(BBitmap* bitmap);
								~BitmapSurface();

			cairo_surface_t*	Target() const { return fSurface; }

			// Before drawing: takes in whatever the application did to the bits since the
			// last Store(). Cheap when nothing was stored since.
			void				Load();
			// After drawing: writes area (bitmap pixel coordinates from the top left) to
			// the bits. Only pixels whose colour changed are written, so that an index of
			// B_CMAP8 that shares its colour with another keeps its value.
			void				Store(BRect area);

private:
			BBitmap*			fBitmap;
			cairo_surface_t*	fSurface;
			bool				fInPlace;
			// The bits may have changed since the surface last took them in.
			bool				fStale;
};

} // namespace BPrivate

#endif // _BITMAP_SURFACE_H
