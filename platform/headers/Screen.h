// The screen that windows are shown on, and its colour map.
#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <OS.h>
#include <Rect.h>

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
			rgb_color		DesktopColor();

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
