// Basic types of the kit, as applications of the platform know them.
#ifndef _SUPPORT_DEFS_H
#define _SUPPORT_DEFS_H

#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>

#include <Errors.h>

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;
typedef uint64_t uint64;

typedef volatile int8 vint8;
typedef volatile int32 vint32;
typedef volatile int64 vint64;

typedef unsigned char uchar;
typedef unsigned short unichar;

typedef int32 status_t;
typedef int64 bigtime_t;
typedef int64 nanotime_t;
typedef uint32 type_code;
typedef uint32 perform_code;

typedef int32 area_id;
typedef int32 port_id;
typedef int32 sem_id;
typedef int32 team_id;
typedef int32 thread_id;

#ifndef __cplusplus
typedef unsigned char bool;
#define false 0
#define true 1
#endif

#ifndef NULL
#define NULL 0
#endif

#define B_EMPTY_STRING ""

#define min_c(a, b) ((a) > (b) ? (b) : (a))
#define max_c(a, b) ((a) > (b) ? (a) : (b))

#define B_COUNT_OF(a) (sizeof(a) / sizeof(a[0]))

#define _PACKED __attribute__((packed))
#define _EXPORT __attribute__((visibility("default")))
#define _IMPORT

#endif // _SUPPORT_DEFS_H
