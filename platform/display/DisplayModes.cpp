// Mode timings and their comparison.
#include "display/DisplayModes.h"

#include <algorithm>
#include <math.h>

namespace BPrivate {

namespace {

// Reduced blanking: a fixed horizontal blank, and a vertical blank of at least this
// long (in microseconds) and at least kMinVerticalBlank lines.
const uint16 kHorizontalBlank = 160;
const uint16 kHorizontalFrontPorch = 48;
const uint16 kHorizontalSync = 32;
const double kMinVerticalBlankTime = 460;
const uint16 kMinVerticalBlank = 6;
const uint16 kVerticalFrontPorch = 3;
const uint16 kVerticalSync = 4;

} // namespace


display_mode
make_display_mode(uint16 width, uint16 height, double refresh)
{
	display_mode mode = {};
	display_timing& timing = mode.timing;
	timing.h_display = width;
	timing.h_sync_start = width + kHorizontalFrontPorch;
	timing.h_sync_end = timing.h_sync_start + kHorizontalSync;
	timing.h_total = width + kHorizontalBlank;
	double lineTime = 1000000.0 / refresh / height;
	uint16 blank = (uint16)std::max<double>(kMinVerticalBlank,
		ceil(kMinVerticalBlankTime / lineTime));
	timing.v_display = height;
	timing.v_sync_start = height + kVerticalFrontPorch;
	timing.v_sync_end = timing.v_sync_start + kVerticalSync;
	timing.v_total = height + blank;
	timing.pixel_clock = (uint32)lround((double)timing.h_total * timing.v_total * refresh
		/ 1000);
	timing.flags = B_POSITIVE_HSYNC;
	mode.space = B_RGB32;
	mode.virtual_width = width;
	mode.virtual_height = height;
	mode.flags = B_8_BIT_DAC | B_DPMS;
	return mode;
}


double
refresh_rate(const display_timing& timing)
{
	if (timing.pixel_clock == 0 || timing.h_total == 0 || timing.v_total == 0)
		return 0;
	return timing.pixel_clock * 1000.0 / ((double)timing.h_total * timing.v_total);
}


const display_mode*
find_display_mode(const std::vector<display_mode>& modes, const display_mode& target)
{
	const display_mode* best = NULL;
	double wanted = refresh_rate(target.timing);
	for (const display_mode& mode : modes) {
		if (mode.timing.h_display != target.timing.h_display
			|| mode.timing.v_display != target.timing.v_display) {
			continue;
		}
		if (best == NULL || (wanted > 0 && fabs(refresh_rate(mode.timing) - wanted)
				< fabs(refresh_rate(best->timing) - wanted))) {
			best = &mode;
		}
	}
	return best;
}

} // namespace BPrivate
