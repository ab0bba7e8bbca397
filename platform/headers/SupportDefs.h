// Basic types of the kit, as applications of the platform know them.
#ifndef _SUPPORT_DEFS_H
#define _SUPPORT_DEFS_H

#include <stddef.h>
#include <inttypes.h>
#include <stdint.h>
#include <sys/types.h>

#include <BeBuild.h>
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
typedef int32 image_id;

// Addresses and sizes of memory, as wide as a pointer on every host.
typedef uintptr_t addr_t;
typedef uintptr_t phys_addr_t;
typedef uintptr_t phys_size_t;
typedef uintptr_t generic_addr_t;
typedef uintptr_t generic_size_t;

// printf conversions for the kit's integer types: int32 is an int and int64 is whatever
// the host's int64_t is, so "%ld" of the platform's sources becomes B_PRId32 here.
#define B_PRId8		"d"
#define B_PRIi8		"i"
#define B_PRIu8		"u"
#define B_PRIx8		"x"
#define B_PRId16	"d"
#define B_PRIi16	"i"
#define B_PRIu16	"u"
#define B_PRIx16	"x"
#define B_PRId32	PRId32
#define B_PRIi32	PRIi32
#define B_PRIu32	PRIu32
#define B_PRIx32	PRIx32
#define B_PRIX32	PRIX32
#define B_PRId64	PRId64
#define B_PRIi64	PRIi64
#define B_PRIu64	PRIu64
#define B_PRIx64	PRIx64
#define B_PRIX64	PRIX64
#define B_PRIdSSIZE	"zd"
#define B_PRIuSIZE	"zu"
#define B_PRIxSIZE	"zx"
#define B_PRIdOFF	B_PRId64
#define B_PRIdTIME	"ld"
#define B_PRIdBIGTIME	B_PRId64
#define B_PRIxADDR	"lx"

#ifndef __cplusplus
typedef unsigned char bool;
#define false 0
#define true 1
#endif

#ifndef NULL
#define NULL 0
#endif

// Old sources spell the truth values in capitals.
#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

#define B_EMPTY_STRING ""

#define min_c(a, b) ((a) > (b) ? (b) : (a))
#define max_c(a, b) ((a) > (b) ? (a) : (b))

#define B_COUNT_OF(a) (sizeof(a) / sizeof(a[0]))

// Atomic operations on shared integers; each returns the value before the change and is a
// full barrier, as on the platform.
static inline int32 atomic_add(vint32* value, int32 addValue)
	{ return __atomic_fetch_add(value, addValue, __ATOMIC_SEQ_CST); }
static inline int32 atomic_and(vint32* value, int32 andValue)
	{ return __atomic_fetch_and(value, andValue, __ATOMIC_SEQ_CST); }
static inline int32 atomic_or(vint32* value, int32 orValue)
	{ return __atomic_fetch_or(value, orValue, __ATOMIC_SEQ_CST); }
static inline int32 atomic_set(vint32* value, int32 newValue)
	{ return __atomic_exchange_n(value, newValue, __ATOMIC_SEQ_CST); }
static inline int32 atomic_get(vint32* value)
	{ return __atomic_load_n(value, __ATOMIC_SEQ_CST); }
static inline int64 atomic_add64(vint64* value, int64 addValue)
	{ return __atomic_fetch_add(value, addValue, __ATOMIC_SEQ_CST); }
static inline int64 atomic_get64(vint64* value)
	{ return __atomic_load_n(value, __ATOMIC_SEQ_CST); }
static inline int64 atomic_set64(vint64* value, int64 newValue)
	{ return __atomic_exchange_n(value, newValue, __ATOMIC_SEQ_CST); }

#endif // _SUPPORT_DEFS_H
