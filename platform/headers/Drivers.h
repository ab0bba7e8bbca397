// The control codes every device driver of the platform takes through ioctl(), and the
// geometry of a drive. The kit has no drivers of its own: on Linux these codes reach the
// Linux device the descriptor names, which answers them as it knows them (usually
// ENOTTY); the platform's device folders (/dev/disk/...) do not exist (docs/devices.md).
#ifndef _DRIVERS_H
#define _DRIVERS_H

#include <SupportDefs.h>

#include <sys/ioctl.h>

enum {
	B_GET_DEVICE_SIZE = 1,
	B_SET_DEVICE_SIZE,
	B_SET_NONBLOCKING_IO,
	B_SET_BLOCKING_IO,
	B_GET_READ_STATUS,
	B_GET_WRITE_STATUS,
	B_GET_GEOMETRY,
	B_GET_DRIVER_FOR_DEVICE,
	B_GET_PARTITION_INFO,
	B_SET_PARTITION,
	B_FORMAT_DEVICE,
	B_EJECT_DEVICE,
	B_GET_ICON,
	B_GET_BIOS_GEOMETRY,
	B_GET_MEDIA_STATUS,
	B_LOAD_MEDIA,
	B_GET_BIOS_DRIVE_ID,
	B_SET_UNINTERRUPTABLE_IO,
	B_SET_INTERRUPTABLE_IO,
	B_FLUSH_DRIVE_CACHE,

	B_GET_NEXT_OPEN_DEVICE = 1000,
	B_ADD_FIXED_DRIVER,
	B_REMOVE_FIXED_DRIVER,

	B_AUDIO_DRIVER_BASE = 8000,
	B_MIDI_DRIVER_BASE = 8100,
	B_JOYSTICK_DRIVER_BASE = 8200,
	B_GRAPHIC_DRIVER_BASE = 8300,

	B_DEVICE_OP_CODES_END = 9999
};

// What kind of device a geometry describes.
enum {
	B_DISK = 0,
	B_TAPE,
	B_PRINTER,
	B_CPU,
	B_WORM,
	B_CD,
	B_SCANNER,
	B_OPTICAL,
	B_JUKEBOX,
	B_NETWORK
};

typedef struct {
	uint32	bytes_per_sector;
	uint32	sectors_per_track;
	uint32	cylinder_count;
	uint32	head_count;
	uchar	device_type;
	bool	removable;
	bool	read_only;
	bool	write_once;
} device_geometry;

#endif // _DRIVERS_H
