// The structures that describe a screen's display modes, as the graphics drivers'
// accelerants and BScreen exchange them, and the interface of an accelerant add-on. The kit
// has no accelerants: docs/display.md says how it fills the modes on X11 (RandR) and
// offscreen, docs/devices.md what a program that loads accelerants finds.
#ifndef _ACCELERANT_H_
#define _ACCELERANT_H_

#include <GraphicsDefs.h>
#include <OS.h>
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

// The frame buffer of the current mode: where it is for the program and for the card.
typedef struct {
	void*	frame_buffer;
	void*	frame_buffer_dma;
	uint32	bytes_per_row;
} frame_buffer_config;

// An accelerant add-on exports one function under this name: given a feature, it returns
// the hook that does it (a function of the type named after the feature), or NULL.
#define B_ACCELERANT_ENTRY_POINT	"get_accelerant_hook"
typedef void* (*GetAccelerantHook)(uint32 feature, void* data);

// The features an accelerant's hooks do.
enum {
	B_INIT_ACCELERANT = 0,
	B_ACCELERANT_CLONE_INFO_SIZE,
	B_GET_ACCELERANT_CLONE_INFO,
	B_CLONE_ACCELERANT,
	B_UNINIT_ACCELERANT,
	B_GET_ACCELERANT_DEVICE_INFO,
	B_ACCELERANT_RETRACE_SEMAPHORE,

	B_ACCELERANT_MODE_COUNT = 0x100,
	B_GET_MODE_LIST,
	B_PROPOSE_DISPLAY_MODE,
	B_SET_DISPLAY_MODE,
	B_GET_DISPLAY_MODE,
	B_GET_FRAME_BUFFER_CONFIG,
	B_GET_PIXEL_CLOCK_LIMITS,
	B_GET_TIMING_CONSTRAINTS,
	B_MOVE_DISPLAY,
	B_SET_INDEXED_COLORS,
	B_DPMS_CAPABILITIES,
	B_DPMS_MODE,
	B_SET_DPMS_MODE,

	B_MOVE_CURSOR = 0x200,
	B_SET_CURSOR_SHAPE,
	B_SHOW_CURSOR,

	B_ACCELERANT_ENGINE_COUNT = 0x300,
	B_ACQUIRE_ENGINE,
	B_RELEASE_ENGINE,
	B_WAIT_ENGINE_IDLE,
	B_GET_SYNC_TOKEN,
	B_SYNC_TO_TOKEN,

	B_SCREEN_TO_SCREEN_BLIT = 0x400,
	B_FILL_RECTANGLE,
	B_INVERT_RECTANGLE,
	B_FILL_SPAN,
	B_SCREEN_TO_SCREEN_TRANSPARENT_BLIT,
	B_SCREEN_TO_SCREEN_SCALED_FILTERED_BLIT
};

// The hooks, by feature.
typedef status_t (*init_accelerant)(int fd);
typedef ssize_t (*accelerant_clone_info_size)(void);
typedef void (*get_accelerant_clone_info)(void* data);
typedef status_t (*clone_accelerant)(void* data);
typedef void (*uninit_accelerant)(void);
typedef status_t (*get_accelerant_device_info)(accelerant_device_info* info);
typedef sem_id (*accelerant_retrace_semaphore)(void);
typedef uint32 (*accelerant_mode_count)(void);
typedef status_t (*get_mode_list)(display_mode* modes);
typedef status_t (*propose_display_mode)(display_mode* target, const display_mode* low,
	const display_mode* high);
typedef status_t (*set_display_mode)(display_mode* mode);
typedef status_t (*get_display_mode)(display_mode* currentMode);
typedef status_t (*get_frame_buffer_config)(frame_buffer_config* config);
typedef status_t (*get_pixel_clock_limits)(display_mode* mode, uint32* low, uint32* high);
typedef status_t (*get_timing_constraints)(display_timing_constraints* constraints);
typedef status_t (*move_display_area)(uint16 h_display_start, uint16 v_display_start);
typedef void (*set_indexed_colors)(uint32 count, uint8 first, uint8* colorData, uint32 flags);
typedef uint32 (*dpms_capabilities)(void);
typedef uint32 (*dpms_mode)(void);
typedef status_t (*set_dpms_mode)(uint32 dpmsFlags);
typedef void (*move_cursor)(uint16 x, uint16 y);
typedef status_t (*set_cursor_shape)(uint16 width, uint16 height, uint16 hotX, uint16 hotY,
	uint8* andMask, uint8* xorMask);
typedef void (*show_cursor)(bool isVisible);

#endif // _ACCELERANT_H_
