// The control codes of the platform's SCSI and ATAPI drivers (CD audio above all) and the
// records they fill. As with <Drivers.h>, the kit has no such drivers: the codes reach the
// Linux device a descriptor names, which does not know them (docs/devices.md).
#ifndef _SCSI_H
#define _SCSI_H

#include <Drivers.h>

enum {
	B_SCSI_SCAN_FOR_DEVICES = B_DEVICE_OP_CODES_END + 1,
	B_SCSI_ENABLE_PROFILING,
	B_SCSI_INQUIRY,
	B_SCSI_EJECT,
	B_SCSI_PREVENT_ALLOW,
	B_RAW_DEVICE_COMMAND,

	B_SCSI_GET_TOC = B_DEVICE_OP_CODES_END + 0x100,
	B_SCSI_PLAY_TRACK,
	B_SCSI_PLAY_POSITION,
	B_SCSI_STOP_AUDIO,
	B_SCSI_PAUSE_AUDIO,
	B_SCSI_RESUME_AUDIO,
	B_SCSI_GET_POSITION,
	B_SCSI_SET_VOLUME,
	B_SCSI_GET_VOLUME,
	B_SCSI_READ_CD,
	B_SCSI_SCAN,
	B_SCSI_DATA_MODE
};

// The table of contents as the drive reports it (READ TOC, format 0).
typedef struct {
	uchar	toc_data[804];
} scsi_toc;

// The current position (READ SUB-CHANNEL, current position).
typedef struct {
	uchar	position[16];
} scsi_position;

typedef struct {
	uchar	start_track;
	uchar	start_index;
	uchar	end_track;
	uchar	end_index;
} scsi_play_track;

typedef struct {
	uchar	start_m;
	uchar	start_s;
	uchar	start_f;
	uchar	end_m;
	uchar	end_s;
	uchar	end_f;
} scsi_play_position;

// Scanning: direction -1 backwards, 0 stop, 1 forwards; speed 0 normal, 1 fast.
typedef struct {
	char	direction;
	uchar	speed;
} scsi_scan;

// Which fields of a volume record are set, and the record.
enum {
	B_SCSI_PORT0_VOL = 0x01,
	B_SCSI_PORT1_VOL = 0x02,
	B_SCSI_PORT2_VOL = 0x04,
	B_SCSI_PORT3_VOL = 0x08,
	B_SCSI_PORT0_CHAN = 0x10,
	B_SCSI_PORT1_CHAN = 0x20,
	B_SCSI_PORT2_CHAN = 0x40,
	B_SCSI_PORT3_CHAN = 0x80
};

typedef struct {
	uchar	port0_channel;
	uchar	port0_volume;
	uchar	port1_channel;
	uchar	port1_volume;
	uchar	port2_channel;
	uchar	port2_volume;
	uchar	port3_channel;
	uchar	port3_volume;
	uchar	flags;
} scsi_volume;

// Reading audio frames: where, how many, and the caller's buffer.
typedef struct {
	uchar	start_m;
	uchar	start_s;
	uchar	start_f;
	uchar	length_m;
	uchar	length_s;
	uchar	length_f;
	long	buffer_length;
	char*	buffer;
	bool	play;
} scsi_read_cd;

#endif // _SCSI_H
