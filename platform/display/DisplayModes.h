// Display modes (<Accelerant.h>) the back ends build and compare.
#ifndef _DISPLAY_MODES_H
#define _DISPLAY_MODES_H

#include <Accelerant.h>

#include <vector>

namespace BPrivate {

// A mode of width by height pixels at refresh Hz in B_RGB32, with the reduced blanking
// of flat panels (160 pixels, at least 460 microseconds of lines).
display_mode make_display_mode(uint16 width, uint16 height, double refresh);

// How many times a second the timing draws the screen; 0 for a timing without a clock.
double refresh_rate(const display_timing& timing);

// The mode of modes with target's size, and of those the refresh nearest target's (its
// pixel clock may be 0: any); NULL when none has the size.
const display_mode* find_display_mode(const std::vector<display_mode>& modes,
	const display_mode& target);

} // namespace BPrivate

#endif // _DISPLAY_MODES_H
