// Byte order of the host and conversions between it and little- or big-endian data.
#ifndef _BYTE_ORDER_H
#define _BYTE_ORDER_H

#include <SupportDefs.h>
#include <TypeConstants.h>

#include <endian.h>

typedef enum {
	B_SWAP_HOST_TO_LENDIAN,
	B_SWAP_HOST_TO_BENDIAN,
	B_SWAP_LENDIAN_TO_HOST,
	B_SWAP_BENDIAN_TO_HOST,
	B_SWAP_ALWAYS
} swap_action;

#ifdef __cplusplus
extern "C" {
#endif

// Swaps, in place, the items of type in data (length bytes) as action says. Types of one
// byte, strings and raw data are left alone; B_BAD_VALUE for a type the kit does not know
// the layout of, or a length that is not a whole number of items.
status_t swap_data(type_code type, void* data, size_t length, swap_action action);
// Whether swap_data changes items of type.
bool is_type_swapped(type_code type);

#ifdef __cplusplus
}
#endif

static inline uint16 __swap_int16(uint16 value) { return __builtin_bswap16(value); }
static inline uint32 __swap_int32(uint32 value) { return __builtin_bswap32(value); }
static inline uint64 __swap_int64(uint64 value) { return __builtin_bswap64(value); }

static inline float __swap_float(float value)
{
	union { float f; uint32 i; } u;
	u.f = value;
	u.i = __builtin_bswap32(u.i);
	return u.f;
}

static inline double __swap_double(double value)
{
	union { double d; uint64 i; } u;
	u.d = value;
	u.i = __builtin_bswap64(u.i);
	return u.d;
}

#define B_SWAP_INT16(v)		__swap_int16(v)
#define B_SWAP_INT32(v)		__swap_int32(v)
#define B_SWAP_INT64(v)		__swap_int64(v)
#define B_SWAP_FLOAT(v)		__swap_float(v)
#define B_SWAP_DOUBLE(v)	__swap_double(v)

#if __BYTE_ORDER == __LITTLE_ENDIAN
	#define B_HOST_IS_LENDIAN 1
	#define B_HOST_IS_BENDIAN 0

	#define B_HOST_TO_LENDIAN_INT16(v)	((uint16)(v))
	#define B_HOST_TO_LENDIAN_INT32(v)	((uint32)(v))
	#define B_HOST_TO_LENDIAN_INT64(v)	((uint64)(v))
	#define B_HOST_TO_LENDIAN_FLOAT(v)	((float)(v))
	#define B_HOST_TO_LENDIAN_DOUBLE(v)	((double)(v))
	#define B_HOST_TO_BENDIAN_INT16(v)	__swap_int16(v)
	#define B_HOST_TO_BENDIAN_INT32(v)	__swap_int32(v)
	#define B_HOST_TO_BENDIAN_INT64(v)	__swap_int64(v)
	#define B_HOST_TO_BENDIAN_FLOAT(v)	__swap_float(v)
	#define B_HOST_TO_BENDIAN_DOUBLE(v)	__swap_double(v)
#else
	#define B_HOST_IS_LENDIAN 0
	#define B_HOST_IS_BENDIAN 1

	#define B_HOST_TO_LENDIAN_INT16(v)	__swap_int16(v)
	#define B_HOST_TO_LENDIAN_INT32(v)	__swap_int32(v)
	#define B_HOST_TO_LENDIAN_INT64(v)	__swap_int64(v)
	#define B_HOST_TO_LENDIAN_FLOAT(v)	__swap_float(v)
	#define B_HOST_TO_LENDIAN_DOUBLE(v)	__swap_double(v)
	#define B_HOST_TO_BENDIAN_INT16(v)	((uint16)(v))
	#define B_HOST_TO_BENDIAN_INT32(v)	((uint32)(v))
	#define B_HOST_TO_BENDIAN_INT64(v)	((uint64)(v))
	#define B_HOST_TO_BENDIAN_FLOAT(v)	((float)(v))
	#define B_HOST_TO_BENDIAN_DOUBLE(v)	((double)(v))
#endif

// Converting back is the same operation.
#define B_LENDIAN_TO_HOST_INT16(v)	B_HOST_TO_LENDIAN_INT16(v)
#define B_LENDIAN_TO_HOST_INT32(v)	B_HOST_TO_LENDIAN_INT32(v)
#define B_LENDIAN_TO_HOST_INT64(v)	B_HOST_TO_LENDIAN_INT64(v)
#define B_LENDIAN_TO_HOST_FLOAT(v)	B_HOST_TO_LENDIAN_FLOAT(v)
#define B_LENDIAN_TO_HOST_DOUBLE(v)	B_HOST_TO_LENDIAN_DOUBLE(v)
#define B_BENDIAN_TO_HOST_INT16(v)	B_HOST_TO_BENDIAN_INT16(v)
#define B_BENDIAN_TO_HOST_INT32(v)	B_HOST_TO_BENDIAN_INT32(v)
#define B_BENDIAN_TO_HOST_INT64(v)	B_HOST_TO_BENDIAN_INT64(v)
#define B_BENDIAN_TO_HOST_FLOAT(v)	B_HOST_TO_BENDIAN_FLOAT(v)
#define B_BENDIAN_TO_HOST_DOUBLE(v)	B_HOST_TO_BENDIAN_DOUBLE(v)

#endif // _BYTE_ORDER_H
