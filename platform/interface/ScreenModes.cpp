// BScreen's display modes and power, over the display back end.
#include <Screen.h>

#include "display/Display.h"
#include "display/DisplayModes.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

using BPrivate::Display;

namespace {

// The refresh rates GetPixelClockLimits() allows, in Hz.
const double kMinRefreshRate = 48;
const double kMaxRefreshRate = 120;


bool
within(uint32 value, uint32 low, uint32 high)
{
	return value >= low && value <= high;
}

} // namespace


status_t
BScreen::GetMode(display_mode* mode)
{
	if (mode == NULL)
		return B_BAD_VALUE;
	if (!fValid)
		return B_ERROR;
	return Display::Default()->GetMode(mode);
}


status_t
BScreen::SetMode(display_mode* mode, bool makeDefault)
{
	if (mode == NULL)
		return B_BAD_VALUE;
	if (!fValid)
		return B_ERROR;
	return Display::Default()->SetMode(*mode);
}


status_t
BScreen::GetModeList(display_mode** _modeList, uint32* _count)
{
	if (_modeList == NULL || _count == NULL)
		return B_BAD_VALUE;
	if (!fValid)
		return B_ERROR;
	std::vector<display_mode> modes;
	status_t status = Display::Default()->GetModeList(&modes);
	if (status != B_OK)
		return status;
	display_mode* list = (display_mode*)malloc(std::max<size_t>(1, modes.size())
		* sizeof(display_mode));
	if (list == NULL)
		return B_NO_MEMORY;
	if (!modes.empty())
		memcpy(list, modes.data(), modes.size() * sizeof(display_mode));
	*_modeList = list;
	*_count = (uint32)modes.size();
	return B_OK;
}


status_t
BScreen::ProposeMode(display_mode* target, const display_mode* low,
	const display_mode* high)
{
	if (target == NULL || low == NULL || high == NULL)
		return B_BAD_VALUE;
	if (!fValid)
		return B_ERROR;
	std::vector<display_mode> modes;
	if (Display::Default()->GetModeList(&modes) != B_OK || modes.empty())
		return B_ERROR;
	const display_mode* chosen = BPrivate::find_display_mode(modes, *target);
	if (chosen == NULL) {
		auto distance = [target](const display_mode& mode) {
			return abs((int)mode.timing.h_display - (int)target->timing.h_display)
				+ abs((int)mode.timing.v_display - (int)target->timing.v_display);
		};
		chosen = &*std::min_element(modes.begin(), modes.end(),
			[&](const display_mode& a, const display_mode& b) {
				return distance(a) < distance(b);
			});
	}
	*target = *chosen;
	const display_timing& timing = target->timing;
	bool fits = within(timing.pixel_clock, low->timing.pixel_clock,
			high->timing.pixel_clock)
		&& within(timing.h_display, low->timing.h_display, high->timing.h_display)
		&& within(timing.v_display, low->timing.v_display, high->timing.v_display)
		&& within(target->virtual_width, low->virtual_width, high->virtual_width)
		&& within(target->virtual_height, low->virtual_height, high->virtual_height);
	return fits ? B_OK : B_BAD_VALUE;
}


status_t
BScreen::ProposeDisplayMode(display_mode* target, const display_mode* low,
	const display_mode* high)
{
	return ProposeMode(target, low, high);
}


status_t
BScreen::GetDeviceInfo(accelerant_device_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (!fValid)
		return B_ERROR;
	return Display::Default()->GetDeviceInfo(info);
}


status_t
BScreen::GetPixelClockLimits(display_mode* mode, uint32* _low, uint32* _high)
{
	if (mode == NULL || _low == NULL || _high == NULL || mode->timing.h_total == 0
		|| mode->timing.v_total == 0) {
		return B_BAD_VALUE;
	}
	if (!fValid)
		return B_ERROR;
	double pixels = (double)mode->timing.h_total * mode->timing.v_total;
	*_low = (uint32)(pixels * kMinRefreshRate / 1000);
	*_high = (uint32)(pixels * kMaxRefreshRate / 1000);
	return B_OK;
}


status_t
BScreen::GetTimingConstraints(display_timing_constraints* constraints)
{
	if (constraints == NULL)
		return B_BAD_VALUE;
	if (!fValid)
		return B_ERROR;
	return Display::Default()->GetTimingConstraints(constraints);
}


status_t
BScreen::SetDPMS(uint32 dpmsState)
{
	if (!fValid)
		return B_ERROR;
	return Display::Default()->SetDPMS(dpmsState);
}


uint32
BScreen::DPMSState()
{
	return fValid ? Display::Default()->DPMSState() : 0;
}


uint32
BScreen::DPMSCapabilites()
{
	return fValid ? Display::Default()->DPMSCapabilities() : 0;
}
