// The offscreen screen's display modes: the common sizes at 60 Hz, a change of mode
// resizing the screen that windows are placed on (every window hears it), and its power
// states, which only change what DPMSState() tells.
#include "display/OffscreenDisplay.h"

#include "display/DisplayModes.h"

#include <stdio.h>
#include <string.h>

namespace BPrivate {

namespace {

struct ModeSize {
	uint16 width;
	uint16 height;
};

const ModeSize kOffscreenModeSizes[] = {
	{ 640, 480 }, { 800, 600 }, { 1024, 768 }, { kOffscreenWidth, kOffscreenHeight },
	{ 1600, 1200 }, { 1920, 1080 }
};

const uint32 kOffscreenDPMSStates = B_DPMS_ON | B_DPMS_STAND_BY | B_DPMS_SUSPEND
	| B_DPMS_OFF;

} // namespace


status_t
OffscreenDisplay::GetMode(display_mode* mode)
{
	std::lock_guard<std::mutex> locker(fModeLock);
	*mode = fMode;
	return B_OK;
}


status_t
OffscreenDisplay::GetModeList(std::vector<display_mode>* modes)
{
	modes->clear();
	for (const ModeSize& size : kOffscreenModeSizes) {
		modes->push_back(make_display_mode(size.width, size.height,
			kOffscreenRefreshRate));
	}
	return B_OK;
}


status_t
OffscreenDisplay::SetMode(const display_mode& mode)
{
	std::vector<display_mode> modes;
	GetModeList(&modes);
	const display_mode* match = find_display_mode(modes, mode);
	if (match == NULL || (mode.space != B_RGB32 && mode.space != B_RGBA32))
		return B_BAD_VALUE;
	DisplayEvent event;
	event.type = kDisplayScreenChanged;
	event.frame = BRect(0, 0, match->virtual_width - 1, match->virtual_height - 1);
	{
		std::lock_guard<std::mutex> locker(fModeLock);
		bool same = memcmp(&fMode, match, sizeof(display_mode)) == 0;
		fMode = *match;
		if (same)
			return B_OK;
	}
	std::lock_guard<std::mutex> locker(fLock);
	for (OffscreenWindow* window : fWindows) {
		if (!window->fPopup)
			window->fHandler(event);
	}
	return B_OK;
}


status_t
OffscreenDisplay::GetDeviceInfo(accelerant_device_info* info)
{
	memset(info, 0, sizeof(*info));
	info->version = 1;
	snprintf(info->name, sizeof(info->name), "Offscreen");
	snprintf(info->chipset, sizeof(info->chipset), "memory");
	snprintf(info->serial_no, sizeof(info->serial_no), "none");
	// Enough memory for the largest mode at four bytes a pixel.
	info->memory = 1920 * 1200 * 4;
	std::lock_guard<std::mutex> locker(fModeLock);
	info->dac_speed = fMode.timing.pixel_clock / 1000;
	return B_OK;
}


// Offscreen modes are the listed ones; no timing of the caller's own is taken.
status_t
OffscreenDisplay::GetTimingConstraints(display_timing_constraints* constraints)
{
	return B_UNSUPPORTED;
}


uint32
OffscreenDisplay::DPMSCapabilities()
{
	return kOffscreenDPMSStates;
}


uint32
OffscreenDisplay::DPMSState()
{
	std::lock_guard<std::mutex> locker(fModeLock);
	return fDPMSState;
}


status_t
OffscreenDisplay::SetDPMS(uint32 state)
{
	if (state != B_DPMS_ON && state != B_DPMS_STAND_BY && state != B_DPMS_SUSPEND
		&& state != B_DPMS_OFF) {
		return B_BAD_VALUE;
	}
	std::lock_guard<std::mutex> locker(fModeLock);
	fDPMSState = state;
	return B_OK;
}

} // namespace BPrivate
