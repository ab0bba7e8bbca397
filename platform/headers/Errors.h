// The platform's status codes. Every failure of the kit is one of these, never an
// exception. The kit's strerror() names them and falls back to the C library's texts
// for the system's own error numbers.
#ifndef _ERRORS_H
#define _ERRORS_H

#include <errno.h>
#include <limits.h>
#include <string.h>

#define B_GENERAL_ERROR_BASE		INT_MIN
#define B_OS_ERROR_BASE				(B_GENERAL_ERROR_BASE + 0x1000)
#define B_APP_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0x2000)
#define B_INTERFACE_ERROR_BASE		(B_GENERAL_ERROR_BASE + 0x3000)
#define B_MEDIA_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0x4000)
#define B_TRANSLATION_ERROR_BASE	(B_GENERAL_ERROR_BASE + 0x4800)
#define B_MIDI_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0x5000)
#define B_STORAGE_ERROR_BASE		(B_GENERAL_ERROR_BASE + 0x6000)
#define B_POSIX_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0x7000)
#define B_MAIL_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0x8000)
#define B_DEVICE_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0xa000)
#define B_PRINT_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0x9000)
#define B_DEVICE_ERROR_BASE			(B_GENERAL_ERROR_BASE + 0xa000)

#define B_ERRORS_END				(B_GENERAL_ERROR_BASE + 0xffff)

// General errors
#define B_NO_MEMORY					(B_GENERAL_ERROR_BASE + 0)
#define B_IO_ERROR					(B_GENERAL_ERROR_BASE + 1)
#define B_PERMISSION_DENIED			(B_GENERAL_ERROR_BASE + 2)
#define B_BAD_INDEX					(B_GENERAL_ERROR_BASE + 3)
#define B_BAD_TYPE					(B_GENERAL_ERROR_BASE + 4)
#define B_BAD_VALUE					(B_GENERAL_ERROR_BASE + 5)
#define B_MISMATCHED_VALUES			(B_GENERAL_ERROR_BASE + 6)
#define B_NAME_NOT_FOUND			(B_GENERAL_ERROR_BASE + 7)
#define B_NAME_IN_USE				(B_GENERAL_ERROR_BASE + 8)
#define B_TIMED_OUT					(B_GENERAL_ERROR_BASE + 9)
#define B_INTERRUPTED				(B_GENERAL_ERROR_BASE + 10)
#define B_WOULD_BLOCK				(B_GENERAL_ERROR_BASE + 11)
#define B_CANCELED					(B_GENERAL_ERROR_BASE + 12)
#define B_NO_INIT					(B_GENERAL_ERROR_BASE + 13)
#define B_NOT_INITIALIZED			B_NO_INIT
#define B_BUSY						(B_GENERAL_ERROR_BASE + 14)
#define B_NOT_ALLOWED				(B_GENERAL_ERROR_BASE + 15)
#define B_BAD_DATA					(B_GENERAL_ERROR_BASE + 16)
#define B_DONT_DO_THAT				(B_GENERAL_ERROR_BASE + 17)

#define B_ERROR						(-1)
#define B_OK						((int)0)
#define B_NO_ERROR					((int)0)

// Kernel kit errors
#define B_BAD_SEM_ID				(B_OS_ERROR_BASE + 0)
#define B_NO_MORE_SEMS				(B_OS_ERROR_BASE + 1)
#define B_BAD_THREAD_ID				(B_OS_ERROR_BASE + 0x100)
#define B_NO_MORE_THREADS			(B_OS_ERROR_BASE + 0x101)
#define B_BAD_THREAD_STATE			(B_OS_ERROR_BASE + 0x102)
#define B_BAD_TEAM_ID				(B_OS_ERROR_BASE + 0x103)
#define B_NO_MORE_TEAMS				(B_OS_ERROR_BASE + 0x104)
#define B_BAD_PORT_ID				(B_OS_ERROR_BASE + 0x200)
#define B_NO_MORE_PORTS				(B_OS_ERROR_BASE + 0x201)
#define B_BAD_IMAGE_ID				(B_OS_ERROR_BASE + 0x300)
#define B_BAD_ADDRESS				(B_OS_ERROR_BASE + 0x301)
#define B_NOT_AN_EXECUTABLE			(B_OS_ERROR_BASE + 0x302)
#define B_MISSING_LIBRARY			(B_OS_ERROR_BASE + 0x303)
#define B_MISSING_SYMBOL			(B_OS_ERROR_BASE + 0x304)
#define B_DEBUGGER_ALREADY_INSTALLED	(B_OS_ERROR_BASE + 0x400)

// Application kit errors
#define B_BAD_REPLY							(B_APP_ERROR_BASE + 0)
#define B_DUPLICATE_REPLY					(B_APP_ERROR_BASE + 1)
#define B_MESSAGE_TO_SELF					(B_APP_ERROR_BASE + 2)
#define B_BAD_HANDLER						(B_APP_ERROR_BASE + 3)
#define B_ALREADY_RUNNING					(B_APP_ERROR_BASE + 4)
#define B_LAUNCH_FAILED						(B_APP_ERROR_BASE + 5)
#define B_AMBIGUOUS_APP_LAUNCH				(B_APP_ERROR_BASE + 6)
#define B_UNKNOWN_MIME_TYPE					(B_APP_ERROR_BASE + 7)
#define B_BAD_SCRIPT_SYNTAX					(B_APP_ERROR_BASE + 8)
#define B_LAUNCH_FAILED_NO_RESOLVE_LINK		(B_APP_ERROR_BASE + 9)
#define B_LAUNCH_FAILED_EXECUTABLE			(B_APP_ERROR_BASE + 10)
#define B_LAUNCH_FAILED_APP_NOT_FOUND		(B_APP_ERROR_BASE + 11)
#define B_LAUNCH_FAILED_APP_IN_TRASH		(B_APP_ERROR_BASE + 12)
#define B_LAUNCH_FAILED_NO_PREFERRED_APP	(B_APP_ERROR_BASE + 13)
#define B_LAUNCH_FAILED_FILES_APP_NOT_FOUND	(B_APP_ERROR_BASE + 14)
#define B_BAD_MIME_SNIFFER_RULE				(B_APP_ERROR_BASE + 15)
#define B_NOT_A_MESSAGE						(B_APP_ERROR_BASE + 16)
#define B_SHUTDOWN_CANCELLED				(B_APP_ERROR_BASE + 17)
#define B_SHUTTING_DOWN						(B_APP_ERROR_BASE + 18)

// Storage kit errors
#define B_FILE_ERROR				(B_STORAGE_ERROR_BASE + 0)
#define B_FILE_NOT_FOUND			(B_STORAGE_ERROR_BASE + 1)
#define B_FILE_EXISTS				(B_STORAGE_ERROR_BASE + 2)
#define B_ENTRY_NOT_FOUND			(B_STORAGE_ERROR_BASE + 3)
#define B_NAME_TOO_LONG				(B_STORAGE_ERROR_BASE + 4)
#define B_NOT_A_DIRECTORY			(B_STORAGE_ERROR_BASE + 5)
#define B_DIRECTORY_NOT_EMPTY		(B_STORAGE_ERROR_BASE + 6)
#define B_DEVICE_FULL				(B_STORAGE_ERROR_BASE + 7)
#define B_READ_ONLY_DEVICE			(B_STORAGE_ERROR_BASE + 8)
#define B_IS_A_DIRECTORY			(B_STORAGE_ERROR_BASE + 9)
#define B_NO_MORE_FDS				(B_STORAGE_ERROR_BASE + 10)
#define B_CROSS_DEVICE_LINK			(B_STORAGE_ERROR_BASE + 11)
#define B_LINK_LIMIT				(B_STORAGE_ERROR_BASE + 12)
#define B_BUSTED_PIPE				(B_STORAGE_ERROR_BASE + 13)
#define B_UNSUPPORTED				(B_STORAGE_ERROR_BASE + 14)
#define B_PARTITION_TOO_SMALL		(B_STORAGE_ERROR_BASE + 15)

// POSIX errors keep the C library's numbers under the platform's names.
#define B_FILE_TOO_LARGE			EFBIG

// Interface kit errors
#define B_BAD_COLOR_SPACE			(B_INTERFACE_ERROR_BASE + 0)

// Device kit errors: what a driver of the platform answers (docs/devices.md).
#define B_DEV_INVALID_IOCTL			(B_DEVICE_ERROR_BASE + 0)
#define B_DEV_NO_MEMORY				(B_DEVICE_ERROR_BASE + 1)
#define B_DEV_BAD_DRIVE_NUM			(B_DEVICE_ERROR_BASE + 2)
#define B_DEV_NO_MEDIA				(B_DEVICE_ERROR_BASE + 3)
#define B_DEV_UNREADABLE			(B_DEVICE_ERROR_BASE + 4)
#define B_DEV_FORMAT_ERROR			(B_DEVICE_ERROR_BASE + 5)
#define B_DEV_TIMEOUT				(B_DEVICE_ERROR_BASE + 6)
#define B_DEV_RECALIBRATE_ERROR		(B_DEVICE_ERROR_BASE + 7)
#define B_DEV_SEEK_ERROR			(B_DEVICE_ERROR_BASE + 8)
#define B_DEV_ID_ERROR				(B_DEVICE_ERROR_BASE + 9)
#define B_DEV_READ_ERROR			(B_DEVICE_ERROR_BASE + 10)
#define B_DEV_WRITE_ERROR			(B_DEVICE_ERROR_BASE + 11)
#define B_DEV_NOT_READY				(B_DEVICE_ERROR_BASE + 12)
#define B_DEV_MEDIA_CHANGED			(B_DEVICE_ERROR_BASE + 13)
#define B_DEV_MEDIA_CHANGE_REQUESTED	(B_DEVICE_ERROR_BASE + 14)
#define B_DEV_RESOURCE_CONFLICT		(B_DEVICE_ERROR_BASE + 15)
#define B_DEV_CONFIGURATION_ERROR	(B_DEVICE_ERROR_BASE + 16)
#define B_DEV_DISABLED_BY_USER		(B_DEVICE_ERROR_BASE + 17)
#define B_DEV_DOOR_OPEN				(B_DEVICE_ERROR_BASE + 18)

#ifdef __cplusplus
extern "C" {
#endif

// The kit's strerror() (exported by libbe, so it stands in for the C library's in every
// application of the kit) names the codes above and returns the C library's text for
// anything else.
char* strerror(int error) __THROW;

#ifdef __cplusplus
}
#endif

#endif // _ERRORS_H
