// The structures that describe a screen's display modes, as the graphics drivers'
// accelerants and BScreen exchange them. docs/display.md says how the kit fills them on
// X11 (RandR) and offscreen.
#ifndef _ACCELERANT_H_
#define _ACCELERANT_H_

#include <GraphicsDefs.h>
#include <SupportDefs.h>

// A mode's timing: the pixel clock in kHz, then the horizontal and vertical counts in
// pixels and lines.
typedef struct {
	uint32	pixel_clock;
	uint16	h_display;
	uint16	h_sync_start;
	uint16	h_sync_end;
	uint16	h_total;
	uint16	v_display;
	uint16	v_sync_start;
	uint16	v_sync_end;
	uint16	v_total;
	uint32	flags;
} display_timing;

// timing.flags
enum {
	B_BLANK_PEDESTAL		= 1 << 27,
	B_TIMING_INTERLACED		= 1 << 28,
	B_POSITIVE_HSYNC		= 1 << 29,
	B_POSITIVE_VSYNC		= 1 << 30,
	B_SYNC_ON_GREEN			= 1u << 31
};

typedef struct {
	display_timing	timing;
	uint32			space;		// a color_space
	uint16			virtual_width;
	uint16			virtual_height;
	uint16			h_display_start;
	uint16			v_display_start;
	uint32			flags;
} display_mode;

// display_mode.flags: what the mode offers.
enum {
	B_SCROLL				= 1 << 0,
	B_8_BIT_DAC				= 1 << 1,
	B_HARDWARE_CURSOR		= 1 << 2,
	B_PARALLEL_ACCESS		= 1 << 3,
	B_DPMS					= 1 << 4,
	B_IO_FB_NA				= 1 << 5,
	B_SUPPORTS_OVERLAYS		= 1 << 6
};

// The power states of the screen (BScreen::SetDPMS()).
enum {
	B_DPMS_ON				= 1 << 0,
	B_DPMS_STAND_BY			= 1 << 1,
	B_DPMS_SUSPEND			= 1 << 2,
	B_DPMS_OFF				= 1 << 3
};

typedef struct {
	uint32	version;
	char	name[32];
	char	chipset[32];
	char	serial_no[32];
	uint32	memory;
	uint32	dac_speed;
} accelerant_device_info;

// The granularity and limits of the sync and blanking periods, in pixels and lines.
typedef struct {
	uint16	h_res;
	uint16	h_sync_min;
	uint16	h_sync_max;
	uint16	h_blank_min;
	uint16	h_blank_max;
	uint16	v_res;
	uint16	v_sync_min;
	uint16	v_sync_max;
	uint16	v_blank_min;
	uint16	v_blank_max;
} display_timing_constraints;

#endif // _ACCELERANT_H_
