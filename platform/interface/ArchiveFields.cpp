// Readers of archived fields that trust nothing.
#include "interface/ArchiveFields.h"

#include <math.h>

namespace BPrivate {

bool
find_archived_float(const BMessage* archive, const char* name, int32 index, float low,
	float high, float* value)
{
	float found;
	if (archive == NULL || archive->FindFloat(name, index, &found) != B_OK
			|| !isfinite(found)) {
		return false;
	}
	*value = fmaxf(low, fminf(high, found));
	return true;
}


namespace {

bool
sane_coordinate(float* value)
{
	if (!isfinite(*value))
		return false;
	*value = fmaxf(-kMaxArchivedCoordinate, fminf(kMaxArchivedCoordinate, *value));
	return true;
}

} // namespace


bool
find_archived_point(const BMessage* archive, const char* name, BPoint* point)
{
	BPoint found;
	if (archive == NULL || archive->FindPoint(name, &found) != B_OK
			|| !sane_coordinate(&found.x) || !sane_coordinate(&found.y)) {
		return false;
	}
	*point = found;
	return true;
}


bool
find_archived_rect(const BMessage* archive, const char* name, int32 index, BRect* rect)
{
	BRect found;
	if (archive == NULL || archive->FindRect(name, index, &found) != B_OK
			|| !sane_coordinate(&found.left) || !sane_coordinate(&found.top)
			|| !sane_coordinate(&found.right) || !sane_coordinate(&found.bottom)
			|| !found.IsValid()) {
		return false;
	}
	*rect = found;
	return true;
}


bool
find_archived_int32(const BMessage* archive, const char* name, int32 index, int32 low,
	int32 high, int32* value)
{
	int32 found;
	if (archive == NULL || archive->FindInt32(name, index, &found) != B_OK || found < low
			|| found > high) {
		return false;
	}
	*value = found;
	return true;
}


status_t
add_archived_color(BMessage* archive, const char* name, rgb_color color)
{
	uint32 packed = ((uint32)color.red << 24) | ((uint32)color.green << 16)
		| ((uint32)color.blue << 8) | color.alpha;
	return archive->AddInt32(name, (int32)packed);
}


bool
find_archived_color(const BMessage* archive, const char* name, int32 index,
	rgb_color* color)
{
	int32 found;
	if (archive == NULL || archive->FindInt32(name, index, &found) != B_OK)
		return false;
	uint32 packed = (uint32)found;
	*color = make_color(packed >> 24, (packed >> 16) & 0xff, (packed >> 8) & 0xff,
		packed & 0xff);
	return true;
}


BMessage*
find_archived_message(const BMessage* archive, const char* name)
{
	BMessage message;
	if (archive == NULL || archive->FindMessage(name, &message) != B_OK)
		return NULL;
	return new BMessage(message);
}

} // namespace BPrivate
