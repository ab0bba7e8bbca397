// What follows the pointer over the screen while the user drags or tracks: the outline
// of a rectangle, or a picture. Each piece is a menu-like display window (no border,
// above the others, never focused), so it shows over any application's windows.
#ifndef _SCREEN_OVERLAY_H
#define _SCREEN_OVERLAY_H

#include <Rect.h>

#include <vector>

class BBitmap;

namespace BPrivate {

class DisplayWindow;

class ScreenOverlay {
public:
	// A one-pixel black outline of frame (screen coordinates).
	static	ScreenOverlay*		CreateOutline(BRect frame);
	// image's pixels with their top left at frame's; the caller keeps image.
	static	ScreenOverlay*		CreateImage(const BBitmap* image, BPoint where);
								~ScreenOverlay();

			// Moves and, for an outline, resizes it.
			void				SetFrame(BRect frame);
			BRect				Frame() const { return fFrame; }

private:
								ScreenOverlay(BRect frame, bool outline);
			void				_Place();

			BRect				fFrame;
			const bool			fOutline;
			// The outline's four edges (top, bottom, left, right), or the one picture.
			std::vector<DisplayWindow*> fPieces;
};

} // namespace BPrivate

#endif // _SCREEN_OVERLAY_H
