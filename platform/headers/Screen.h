// The screen that windows are shown on, and its colour map.
#ifndef _SCREEN_H
#define _SCREEN_H

#include <Accelerant.h>
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

	// Display modes (docs/display.md): on X11 the modes RandR lists for the screen's
	// output, offscreen the common sizes at 60 Hz. GetModeList() allocates the list with
	// malloc(); the caller frees it. SetMode() of a mode the screen does not list adds it
	// on X11 (the server refuses what it cannot show) and is B_BAD_VALUE offscreen;
	// every window hears ScreenChanged(). makeDefault has no effect: the kit keeps no
	// preferences.
			status_t		GetMode(display_mode* mode);
			status_t		SetMode(display_mode* mode, bool makeDefault = false);
			status_t		GetModeList(display_mode** _modeList, uint32* _count);
	// Sets target to the screen's mode nearest it (the same size at the nearest
	// refresh, else the nearest size): B_OK when that lies within low and high (pixel
	// clock, display and virtual sizes), B_BAD_VALUE when not, B_ERROR when the screen
	// lists no mode.
			status_t		ProposeMode(display_mode* target, const display_mode* low,
								const display_mode* high);
			status_t		ProposeDisplayMode(display_mode* target,
								const display_mode* low, const display_mode* high);
			status_t		GetDeviceInfo(accelerant_device_info* info);
	// The pixel clocks (kHz) that show mode's totals between kMinRefreshRate and
	// kMaxRefreshRate times a second.
			status_t		GetPixelClockLimits(display_mode* mode, uint32* _low,
								uint32* _high);
	// B_UNSUPPORTED: neither RandR nor the offscreen screen tells such limits.
			status_t		GetTimingConstraints(
								display_timing_constraints* constraints);
	// Power (B_DPMS_ON, B_DPMS_STAND_BY, B_DPMS_SUSPEND, B_DPMS_OFF): on X11 through
	// the DPMS extension (no capabilities without it); offscreen only remembered.
			status_t		SetDPMS(uint32 dpmsState);
			uint32			DPMSState();
			uint32			DPMSCapabilites();

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
