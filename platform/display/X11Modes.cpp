// The X11 screen's display modes through RandR 1.2: the modes of the first connected
// output that drives a CRTC, the mode of that CRTC, and a change of it (resizing the
// screen to the mode). Its power states through the DPMS extension.
#include "display/X11Display.h"

#include "display/DisplayModes.h"

#include <xcb/dpms.h>
#include <xcb/randr.h>

#include <algorithm>
#include <math.h>
#include <memory>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace BPrivate {

namespace {

// A resized screen keeps its pixel density; a screen that tells none has this many
// pixels to the inch.
const double kMillimetresPerInch = 25.4;
const double kFallbackDotsPerInch = 96;

template<typename T>
struct FreeDeleter {
	void operator()(T* reply) const { free(reply); }
};

template<typename T>
using Reply = std::unique_ptr<T, FreeDeleter<T>>;


// The output the kit treats as the screen, with its CRTC and the server's modes.
struct RandrOutput {
	Reply<xcb_randr_get_screen_resources_current_reply_t> resources;
	Reply<xcb_randr_get_crtc_info_reply_t> crtcInfo;
	xcb_randr_output_t output = 0;
	xcb_randr_crtc_t crtc = 0;
	std::vector<xcb_randr_mode_t> outputModes;

	const xcb_randr_mode_info_t* ModeInfo(xcb_randr_mode_t id) const
	{
		const xcb_randr_mode_info_t* infos
			= xcb_randr_get_screen_resources_current_modes(resources.get());
		int count = xcb_randr_get_screen_resources_current_modes_length(resources.get());
		for (int i = 0; i < count; i++) {
			if (infos[i].id == id)
				return &infos[i];
		}
		return NULL;
	}
};


bool
has_randr_1_2(xcb_connection_t* connection)
{
	const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection,
		&xcb_randr_id);
	if (extension == NULL || !extension->present)
		return false;
	Reply<xcb_randr_query_version_reply_t> version(xcb_randr_query_version_reply(
		connection, xcb_randr_query_version(connection, 1, 2), NULL));
	return version != NULL && (version->major_version > 1
		|| (version->major_version == 1 && version->minor_version >= 2));
}


status_t
find_output(xcb_connection_t* connection, xcb_window_t root, RandrOutput* found)
{
	if (!has_randr_1_2(connection))
		return B_UNSUPPORTED;
	found->resources.reset(xcb_randr_get_screen_resources_current_reply(connection,
		xcb_randr_get_screen_resources_current(connection, root), NULL));
	if (found->resources == NULL)
		return B_ERROR;
	const xcb_randr_output_t* outputs
		= xcb_randr_get_screen_resources_current_outputs(found->resources.get());
	int count = xcb_randr_get_screen_resources_current_outputs_length(
		found->resources.get());
	xcb_timestamp_t timestamp = found->resources->config_timestamp;
	for (int i = 0; i < count; i++) {
		Reply<xcb_randr_get_output_info_reply_t> info(xcb_randr_get_output_info_reply(
			connection, xcb_randr_get_output_info(connection, outputs[i], timestamp),
			NULL));
		if (info == NULL || info->connection != XCB_RANDR_CONNECTION_CONNECTED
			|| info->crtc == XCB_NONE) {
			continue;
		}
		found->output = outputs[i];
		found->crtc = info->crtc;
		const xcb_randr_mode_t* modes = xcb_randr_get_output_info_modes(info.get());
		found->outputModes.assign(modes,
			modes + xcb_randr_get_output_info_modes_length(info.get()));
		found->crtcInfo.reset(xcb_randr_get_crtc_info_reply(connection,
			xcb_randr_get_crtc_info(connection, info->crtc, timestamp), NULL));
		return found->crtcInfo != NULL ? B_OK : B_ERROR;
	}
	return B_ENTRY_NOT_FOUND;
}


display_mode
mode_from_randr(const xcb_randr_mode_info_t& info)
{
	display_mode mode = {};
	display_timing& timing = mode.timing;
	timing.pixel_clock = info.dot_clock / 1000;
	timing.h_display = info.width;
	timing.h_sync_start = info.hsync_start;
	timing.h_sync_end = info.hsync_end;
	timing.h_total = info.htotal;
	timing.v_display = info.height;
	timing.v_sync_start = info.vsync_start;
	timing.v_sync_end = info.vsync_end;
	timing.v_total = info.vtotal;
	if ((info.mode_flags & XCB_RANDR_MODE_FLAG_HSYNC_POSITIVE) != 0)
		timing.flags |= B_POSITIVE_HSYNC;
	if ((info.mode_flags & XCB_RANDR_MODE_FLAG_VSYNC_POSITIVE) != 0)
		timing.flags |= B_POSITIVE_VSYNC;
	if ((info.mode_flags & XCB_RANDR_MODE_FLAG_INTERLACE) != 0)
		timing.flags |= B_TIMING_INTERLACED;
	mode.space = B_RGB32;
	mode.virtual_width = info.width;
	mode.virtual_height = info.height;
	mode.flags = B_8_BIT_DAC | B_HARDWARE_CURSOR;
	return mode;
}


xcb_randr_mode_info_t
randr_from_mode(const display_mode& mode)
{
	const display_timing& timing = mode.timing;
	xcb_randr_mode_info_t info = {};
	info.width = timing.h_display;
	info.height = timing.v_display;
	info.dot_clock = timing.pixel_clock * 1000;
	info.hsync_start = timing.h_sync_start;
	info.hsync_end = timing.h_sync_end;
	info.htotal = timing.h_total;
	info.vsync_start = timing.v_sync_start;
	info.vsync_end = timing.v_sync_end;
	info.vtotal = timing.v_total;
	info.mode_flags = ((timing.flags & B_POSITIVE_HSYNC) != 0
			? XCB_RANDR_MODE_FLAG_HSYNC_POSITIVE : XCB_RANDR_MODE_FLAG_HSYNC_NEGATIVE)
		| ((timing.flags & B_POSITIVE_VSYNC) != 0
			? XCB_RANDR_MODE_FLAG_VSYNC_POSITIVE : XCB_RANDR_MODE_FLAG_VSYNC_NEGATIVE)
		| ((timing.flags & B_TIMING_INTERLACED) != 0 ? XCB_RANDR_MODE_FLAG_INTERLACE : 0);
	return info;
}


// A timing a display could show: each sync inside its blank, a clock to draw it.
bool
is_plausible(const display_timing& timing)
{
	return timing.pixel_clock > 0 && timing.h_display > 0 && timing.v_display > 0
		&& timing.h_display <= timing.h_sync_start
		&& timing.h_sync_start <= timing.h_sync_end && timing.h_sync_end <= timing.h_total
		&& timing.v_display <= timing.v_sync_start
		&& timing.v_sync_start <= timing.v_sync_end && timing.v_sync_end <= timing.v_total;
}


bool
has_dpms(xcb_connection_t* connection)
{
	const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection,
		&xcb_dpms_id);
	if (extension == NULL || !extension->present)
		return false;
	Reply<xcb_dpms_capable_reply_t> capable(xcb_dpms_capable_reply(connection,
		xcb_dpms_capable(connection), NULL));
	return capable != NULL && capable->capable;
}

} // namespace


status_t
X11Display::GetMode(display_mode* mode)
{
	RandrOutput output;
	status_t status = find_output(fConnection, fScreen->root, &output);
	if (status != B_OK)
		return status;
	const xcb_randr_mode_info_t* info = output.ModeInfo(output.crtcInfo->mode);
	if (info == NULL)
		return B_ERROR;
	*mode = mode_from_randr(*info);
	BRect frame = ScreenFrame();
	mode->virtual_width = (uint16)(frame.Width() + 1);
	mode->virtual_height = (uint16)(frame.Height() + 1);
	mode->h_display_start = (uint16)std::max<int16>(0, output.crtcInfo->x);
	mode->v_display_start = (uint16)std::max<int16>(0, output.crtcInfo->y);
	if (has_dpms(fConnection))
		mode->flags |= B_DPMS;
	return B_OK;
}


status_t
X11Display::GetModeList(std::vector<display_mode>* modes)
{
	RandrOutput output;
	status_t status = find_output(fConnection, fScreen->root, &output);
	if (status != B_OK)
		return status;
	bool dpms = has_dpms(fConnection);
	modes->clear();
	for (xcb_randr_mode_t id : output.outputModes) {
		if (const xcb_randr_mode_info_t* info = output.ModeInfo(id)) {
			modes->push_back(mode_from_randr(*info));
			if (dpms)
				modes->back().flags |= B_DPMS;
		}
	}
	return B_OK;
}


// A mode the output does not list is made and added to it first, as xrandr's --newmode
// and --addmode do; the server refuses what it cannot show. (The modes a server lists
// are taken as they are: Xvfb's own has no sync timing.)
status_t
X11Display::SetMode(const display_mode& mode)
{
	if (mode.space != B_RGB32 && mode.space != B_RGBA32)
		return B_BAD_VALUE;
	RandrOutput output;
	status_t status = find_output(fConnection, fScreen->root, &output);
	if (status != B_OK)
		return status;

	xcb_randr_mode_t modeID = XCB_NONE;
	for (xcb_randr_mode_t id : output.outputModes) {
		const xcb_randr_mode_info_t* info = output.ModeInfo(id);
		if (info != NULL && info->width == mode.timing.h_display
			&& info->height == mode.timing.v_display
			&& llabs((long long)info->dot_clock / 1000 - mode.timing.pixel_clock) <= 1
			&& info->htotal == mode.timing.h_total && info->vtotal == mode.timing.v_total) {
			modeID = id;
		}
	}
	if (modeID == XCB_NONE) {
		if (!is_plausible(mode.timing))
			return B_BAD_VALUE;
		xcb_randr_mode_info_t info = randr_from_mode(mode);
		char name[32];
		int length = snprintf(name, sizeof(name), "%ux%u@%.0f", mode.timing.h_display,
			mode.timing.v_display, refresh_rate(mode.timing));
		Reply<xcb_randr_create_mode_reply_t> created(xcb_randr_create_mode_reply(
			fConnection, xcb_randr_create_mode(fConnection, fScreen->root, info,
				(uint32)length, name), NULL));
		if (created == NULL)
			return B_ERROR;
		modeID = created->mode;
		xcb_generic_error_t* error = xcb_request_check(fConnection,
			xcb_randr_add_output_mode_checked(fConnection, output.output, modeID));
		if (error != NULL) {
			free(error);
			xcb_randr_destroy_mode(fConnection, modeID);
			return B_ERROR;
		}
	}

	uint16 width = mode.timing.h_display;
	uint16 height = mode.timing.v_display;
	// The size the server has now: the cached frame follows the server's events, which
	// may not have come yet for a mode set just before.
	Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(fConnection,
		xcb_get_geometry(fConnection, fScreen->root), NULL));
	if (geometry == NULL)
		return B_ERROR;
	uint16 oldWidth = geometry->width;
	uint16 oldHeight = geometry->height;
	double dotsPerMillimetre = fScreen->width_in_millimeters > 0
		? (double)fScreen->width_in_pixels / fScreen->width_in_millimeters
		: kFallbackDotsPerInch / kMillimetresPerInch;
	auto setScreenSize = [&](uint16 w, uint16 h) {
		xcb_generic_error_t* error = xcb_request_check(fConnection,
			xcb_randr_set_screen_size_checked(fConnection, fScreen->root, w, h,
				(uint32)lround(w / dotsPerMillimetre), (uint32)lround(h / dotsPerMillimetre)));
		free(error);
		return error == NULL;
	};
	// The screen must hold the CRTC at every step: it grows before, shrinks after.
	if ((width > oldWidth || height > oldHeight)
		&& !setScreenSize(std::max(width, oldWidth), std::max(height, oldHeight))) {
		return B_ERROR;
	}
	xcb_randr_output_t outputs[] = { output.output };
	Reply<xcb_randr_set_crtc_config_reply_t> set(xcb_randr_set_crtc_config_reply(
		fConnection, xcb_randr_set_crtc_config(fConnection, output.crtc, XCB_CURRENT_TIME,
			output.resources->config_timestamp, 0, 0, modeID, XCB_RANDR_ROTATION_ROTATE_0,
			1, outputs), NULL));
	if (set == NULL || set->status != XCB_RANDR_SET_CONFIG_SUCCESS)
		return B_ERROR;
	if ((width != oldWidth || height != oldHeight) && !setScreenSize(width, height))
		return B_ERROR;
	xcb_flush(fConnection);
	return B_OK;
}


status_t
X11Display::GetDeviceInfo(accelerant_device_info* info)
{
	memset(info, 0, sizeof(*info));
	info->version = 1;
	const xcb_setup_t* setup = xcb_get_setup(fConnection);
	int length = std::min<int>(xcb_setup_vendor_length(setup), sizeof(info->name) - 1);
	memcpy(info->name, xcb_setup_vendor(setup), length);
	snprintf(info->chipset, sizeof(info->chipset), "X11 %u", setup->release_number);
	RandrOutput output;
	if (find_output(fConnection, fScreen->root, &output) == B_OK) {
		Reply<xcb_randr_get_output_info_reply_t> outputInfo(xcb_randr_get_output_info_reply(
			fConnection, xcb_randr_get_output_info(fConnection, output.output,
				output.resources->config_timestamp), NULL));
		if (outputInfo != NULL) {
			int nameLength = std::min<int>(
				xcb_randr_get_output_info_name_length(outputInfo.get()),
				sizeof(info->serial_no) - 1);
			memcpy(info->serial_no, xcb_randr_get_output_info_name(outputInfo.get()),
				nameLength);
		}
		if (const xcb_randr_mode_info_t* mode = output.ModeInfo(output.crtcInfo->mode))
			info->dac_speed = mode->dot_clock / 1000000;
	}
	// X tells no video memory: the screen's pixels at four bytes each.
	info->memory = (uint32)fScreen->width_in_pixels * fScreen->height_in_pixels * 4;
	return B_OK;
}


// RandR tells no limits of the sync and blanking periods.
status_t
X11Display::GetTimingConstraints(display_timing_constraints* constraints)
{
	return B_UNSUPPORTED;
}


uint32
X11Display::DPMSCapabilities()
{
	if (!has_dpms(fConnection))
		return 0;
	return B_DPMS_ON | B_DPMS_STAND_BY | B_DPMS_SUSPEND | B_DPMS_OFF;
}


uint32
X11Display::DPMSState()
{
	if (!has_dpms(fConnection))
		return B_DPMS_ON;
	Reply<xcb_dpms_info_reply_t> info(xcb_dpms_info_reply(fConnection,
		xcb_dpms_info(fConnection), NULL));
	if (info == NULL || !info->state)
		return B_DPMS_ON;
	switch (info->power_level) {
		case XCB_DPMS_DPMS_MODE_STANDBY:
			return B_DPMS_STAND_BY;
		case XCB_DPMS_DPMS_MODE_SUSPEND:
			return B_DPMS_SUSPEND;
		case XCB_DPMS_DPMS_MODE_OFF:
			return B_DPMS_OFF;
		default:
			return B_DPMS_ON;
	}
}


status_t
X11Display::SetDPMS(uint32 state)
{
	uint16 level;
	switch (state) {
		case B_DPMS_ON:
			level = XCB_DPMS_DPMS_MODE_ON;
			break;
		case B_DPMS_STAND_BY:
			level = XCB_DPMS_DPMS_MODE_STANDBY;
			break;
		case B_DPMS_SUSPEND:
			level = XCB_DPMS_DPMS_MODE_SUSPEND;
			break;
		case B_DPMS_OFF:
			level = XCB_DPMS_DPMS_MODE_OFF;
			break;
		default:
			return B_BAD_VALUE;
	}
	if (!has_dpms(fConnection))
		return B_UNSUPPORTED;
	// Forcing a level needs DPMS enabled.
	xcb_generic_error_t* error = xcb_request_check(fConnection,
		xcb_dpms_enable_checked(fConnection));
	if (error == NULL) {
		error = xcb_request_check(fConnection,
			xcb_dpms_force_level_checked(fConnection, level));
	}
	free(error);
	return error == NULL ? B_OK : B_ERROR;
}

} // namespace BPrivate
