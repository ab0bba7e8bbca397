// The control codes and records of the platform's graphics drivers (the files under
// /dev/graphics), which accelerants and programs that drive the card directly use. The kit
// has no graphics drivers: Linux has no /dev/graphics, and these codes sent to a Linux
// device fail as Linux's driver answers them (docs/devices.md).
#ifndef _GRAPHIC_DRIVER_H
#define _GRAPHIC_DRIVER_H

#include <Drivers.h>

enum {
	// Fills a buffer (of the size passed as the fourth argument) with the file name of
	// the accelerant add-on that drives the card.
	B_GET_ACCELERANT_SIGNATURE = B_GRAPHIC_DRIVER_BASE
};

// What a card of the first graphics interface could do (graphics_card_info.flags).
enum {
	B_CRT_CONTROL				= 0x0001,
	B_GAMMA_CONTROL				= 0x0002,
	B_FRAME_BUFFER_CONTROL		= 0x0004,
	B_PARALLEL_BUFFER_ACCESS	= 0x0008,
	B_LAME_ASS_CARD				= 0x0010
};

// A card and its frame buffer, as the first graphics interface described them.
typedef struct {
	int16		version;
	int16		id;
	void*		frame_buffer;
	char		rgba_order[4];
	int16		flags;
	int16		bytes_per_row;
	int16		width;
	int16		height;
} graphics_card_info;

// A display configuration of the first graphics interface: the screen space (a resolution
// and depth), the refresh rate and the picture's position and size on the tube.
typedef struct {
	int32		space;
	float		refresh_rate;
	uchar		h_position;
	uchar		v_position;
	uchar		h_size;
	uchar		v_size;
} graphics_card_config;

#endif // _GRAPHIC_DRIVER_H
