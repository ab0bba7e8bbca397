// The screen that windows are shown on, and its colour map.
#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <OS.h>
#include <Rect.h>

class BBitmap;
class BWindow;

// The kit knows one screen: the display's (or the offscreen back end's) whole area.
class BScreen {
public:
							BScreen(screen_id id = B_MAIN_SCREEN_ID);
							BScreen(BWindow* window);
							~BScreen();

			bool			IsValid() const { return fValid; }
			status_t		SetToNext();
			screen_id		ID() const;

			BRect			Frame();
			color_space		ColorSpace();

	// Returns at the screen's next refresh (paced by the display's refresh rate, which
	// X11 tells through RandR; 60 Hz offscreen), or B_TIMED_OUT after timeout.
			status_t		WaitForRetrace();
			status_t		WaitForRetrace(bigtime_t timeout);

	// The screen's pixels in bounds (the whole screen when NULL). GetBitmap() makes a
	// B_RGB32 bitmap the caller deletes; ReadBitmap() fills one of the area's size, in
	// its colour space. The pointer is not drawn (drawCursor: see docs/display.md).
			status_t		GetBitmap(BBitmap** _bitmap, bool drawCursor = true,
								BRect* bounds = NULL);
			status_t		ReadBitmap(BBitmap* bitmap, bool drawCursor = true,
								BRect* bounds = NULL);

			rgb_color		DesktopColor();
	// The desktop's colour changes at once for every application on the display; stick
	// (keeping it for later sessions) has no effect: the kit has no preferences store.
			void			SetDesktopColor(rgb_color color, bool stick = true);

			const color_map* ColorMap();
			uint8			IndexForColor(rgb_color color);
			uint8			IndexForColor(uint8 red, uint8 green, uint8 blue,
								uint8 alpha = 255);
			rgb_color		ColorForIndex(uint8 index);
			uint8			InvertIndex(uint8 index);

private:
			bool			fValid;
};

#endif // _SCREEN_H
