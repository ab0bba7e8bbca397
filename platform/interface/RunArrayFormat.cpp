#include "interface/RunArrayFormat.h"

#include <ByteOrder.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <new>

namespace {

// Offsets inside a flattened run.
const size_t kFamilyOffset = 4;
const size_t kStyleOffset = kFamilyOffset + sizeof(font_family);
const size_t kSizeOffset = kStyleOffset + sizeof(font_style);
const size_t kShearOffset = kSizeOffset + 4;
const size_t kFaceOffset = kShearOffset + 4;
const size_t kColorOffset = kFaceOffset + 2;
const float kDefaultSize = 12;
const float kMinSize = 1;
const float kMaxSize = 10000;
const float kDefaultShear = 90;
const float kMinShear = 45;
const float kMaxShear = 135;

static_assert(kColorOffset + 4 + 2 == BPrivate::kFlattenedRunSize,
	"a flattened run is 148 bytes");


uint32
read_big32(const uint8* bytes)
{
	return (uint32)bytes[0] << 24 | (uint32)bytes[1] << 16 | (uint32)bytes[2] << 8 | bytes[3];
}


void
put_big32(uint8* bytes, uint32 value)
{
	bytes[0] = (uint8)(value >> 24);
	bytes[1] = (uint8)(value >> 16);
	bytes[2] = (uint8)(value >> 8);
	bytes[3] = (uint8)value;
}


float
read_float(const uint8* bytes, float fallback, float low, float high)
{
	uint32 bits = read_big32(bytes);
	float value;
	memcpy(&value, &bits, 4);
	return isfinite(value) ? std::clamp(value, low, high) : fallback;
}


void
put_float(uint8* bytes, float value)
{
	uint32 bits;
	memcpy(&bits, &value, 4);
	put_big32(bytes, bits);
}


// A run as the data gives it; its name fields need not end inside them.
text_run
read_run(const uint8* bytes)
{
	text_run run;
	run.offset = (int32)read_big32(bytes);
	font_family family = {};
	font_style style = {};
	memcpy(family, bytes + kFamilyOffset, sizeof(family) - 1);
	memcpy(style, bytes + kStyleOffset, sizeof(style) - 1);
	run.font = *be_plain_font;
	run.font.SetFamilyAndStyle(family, style);
	run.font.SetSize(read_float(bytes + kSizeOffset, kDefaultSize, kMinSize, kMaxSize));
	run.font.SetShear(read_float(bytes + kShearOffset, kDefaultShear, kMinShear, kMaxShear));
	uint16 face = (uint16)(bytes[kFaceOffset] << 8 | bytes[kFaceOffset + 1]);
	if (face != 0)
		run.font.SetFace(face);
	run.color.red = bytes[kColorOffset];
	run.color.green = bytes[kColorOffset + 1];
	run.color.blue = bytes[kColorOffset + 2];
	run.color.alpha = bytes[kColorOffset + 3];
	return run;
}


text_run_array*
unflatten(const uint8* bytes, int32 count, int32* size)
{
	size_t arraySize = sizeof(text_run_array) + (count - 1) * sizeof(text_run);
	text_run_array* array = (text_run_array*)malloc(arraySize);
	if (array == NULL)
		return NULL;
	array->count = count;
	int32 previous = 0;
	for (int32 i = 0; i < count; i++) {
		new (&array->runs[i]) text_run(read_run(bytes
			+ BPrivate::kFlattenedRunArrayHeaderSize + i * BPrivate::kFlattenedRunSize));
		// Offsets never go backwards nor below zero.
		array->runs[i].offset = std::max(array->runs[i].offset, previous);
		previous = array->runs[i].offset;
	}
	if (size != NULL)
		*size = (int32)arraySize;
	return array;
}

} // namespace


namespace BPrivate {

text_run_array*
unflatten_run_array(const void* data, size_t length, int32* size)
{
	const uint8* bytes = static_cast<const uint8*>(data);
	if (data == NULL || length < kFlattenedRunArrayHeaderSize
		|| read_big32(bytes) != kRunArrayMagic)
		return NULL;
	int32 count = (int32)read_big32(bytes + 8);
	if (count <= 0 || count > kMaxFlattenedRuns
		|| (length - kFlattenedRunArrayHeaderSize) / kFlattenedRunSize < (size_t)count)
		return NULL;
	return unflatten(bytes, count, size);
}

} // namespace BPrivate


void*
BTextView::FlattenRunArray(const text_run_array* runs, int32* size)
{
	if (runs == NULL || runs->count <= 0 || runs->count > BPrivate::kMaxFlattenedRuns)
		return NULL;
	size_t bytes = BPrivate::kFlattenedRunArrayHeaderSize
		+ runs->count * BPrivate::kFlattenedRunSize;
	uint8* data = (uint8*)calloc(1, bytes);
	if (data == NULL)
		return NULL;
	put_big32(data, BPrivate::kRunArrayMagic);
	put_big32(data + 8, (uint32)runs->count);
	for (int32 i = 0; i < runs->count; i++) {
		const text_run& run = runs->runs[i];
		uint8* flat = data + BPrivate::kFlattenedRunArrayHeaderSize
			+ i * BPrivate::kFlattenedRunSize;
		put_big32(flat, (uint32)run.offset);
		font_family family;
		font_style style;
		run.font.GetFamilyAndStyle(&family, &style);
		// Names keep a NUL inside their fields.
		memcpy(flat + kFamilyOffset, family, strnlen(family, sizeof(family) - 1));
		memcpy(flat + kStyleOffset, style, strnlen(style, sizeof(style) - 1));
		put_float(flat + kSizeOffset, run.font.Size());
		put_float(flat + kShearOffset, run.font.Shear());
		uint16 face = run.font.Face();
		flat[kFaceOffset] = (uint8)(face >> 8);
		flat[kFaceOffset + 1] = (uint8)face;
		flat[kColorOffset] = run.color.red;
		flat[kColorOffset + 1] = run.color.green;
		flat[kColorOffset + 2] = run.color.blue;
		flat[kColorOffset + 3] = run.color.alpha;
	}
	if (size != NULL)
		*size = (int32)bytes;
	return data;
}


text_run_array*
BTextView::UnflattenRunArray(const void* data, int32* size)
{
	const uint8* bytes = static_cast<const uint8*>(data);
	if (data == NULL || read_big32(bytes) != BPrivate::kRunArrayMagic)
		return NULL;
	int32 count = (int32)read_big32(bytes + 8);
	if (count <= 0 || count > BPrivate::kMaxFlattenedRuns)
		return NULL;
	return unflatten(bytes, count, size);
}
