#include <ByteOrder.h>

#include <string.h>

namespace {

// The size of one item of a type whose items are swapped as a whole, or of the fields of a
// type made of several such fields (points, rectangles, colours are made of floats or
// bytes); 0 for types swap_data leaves alone, -1 for types it does not know.
ssize_t
swapped_field_size(type_code type)
{
	switch (type) {
		case B_INT16_TYPE:
		case B_UINT16_TYPE:
			return 2;
		case B_INT32_TYPE:
		case B_UINT32_TYPE:
		case B_FLOAT_TYPE:
		case B_POINT_TYPE:
		case B_RECT_TYPE:
		case B_SIZE_TYPE:
			return 4;
		case B_INT64_TYPE:
		case B_UINT64_TYPE:
		case B_DOUBLE_TYPE:
		case B_OFF_T_TYPE:
		case B_TIME_TYPE:
		case B_SIZE_T_TYPE:
		case B_SSIZE_T_TYPE:
			return 8;
		case B_BOOL_TYPE:
		case B_CHAR_TYPE:
		case B_INT8_TYPE:
		case B_UINT8_TYPE:
		case B_STRING_TYPE:
		case B_MIME_TYPE:
		case B_MIME_STRING_TYPE:
		case B_ASCII_TYPE:
		case B_RAW_TYPE:
		case B_RGB_COLOR_TYPE:
		case B_COLOR_8_BIT_TYPE:
		case B_GRAYSCALE_8_BIT_TYPE:
		case B_MONOCHROME_1_BIT_TYPE:
		case B_RGB_32_BIT_TYPE:
		case B_PATTERN_TYPE:
			return 0;
		default:
			return -1;
	}
}

} // namespace


bool
is_type_swapped(type_code type)
{
	return swapped_field_size(type) > 0;
}


status_t
swap_data(type_code type, void* data, size_t length, swap_action action)
{
	ssize_t size = swapped_field_size(type);
	if (size < 0 || (data == NULL && length > 0))
		return B_BAD_VALUE;
	if (size == 0)
		return B_OK;
	if (length % size != 0)
		return B_BAD_VALUE;
	bool hostIsLittle = B_HOST_IS_LENDIAN;
	bool swap = action == B_SWAP_ALWAYS
		|| ((action == B_SWAP_HOST_TO_BENDIAN || action == B_SWAP_BENDIAN_TO_HOST)
			== hostIsLittle);
	if (!swap)
		return B_OK;
	uint8* bytes = static_cast<uint8*>(data);
	for (size_t offset = 0; offset < length; offset += size) {
		if (size == 2) {
			uint16 value;
			memcpy(&value, bytes + offset, 2);
			value = __swap_int16(value);
			memcpy(bytes + offset, &value, 2);
		} else if (size == 4) {
			uint32 value;
			memcpy(&value, bytes + offset, 4);
			value = __swap_int32(value);
			memcpy(bytes + offset, &value, 4);
		} else {
			uint64 value;
			memcpy(&value, bytes + offset, 8);
			value = __swap_int64(value);
			memcpy(bytes + offset, &value, 8);
		}
	}
	return B_OK;
}
