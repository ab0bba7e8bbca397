// Readers of the fields of an archive, which comes from outside the process: every number
// is checked before the kit uses it. A field that is missing, of another type, not finite
// or out of range leaves the caller's value as it was (docs/archives.md).
#ifndef _ARCHIVE_FIELDS_H
#define _ARCHIVE_FIELDS_H

#include <Archivable.h>
#include <GraphicsDefs.h>
#include <Message.h>
#include <Rect.h>
#include <View.h>

namespace BPrivate {

// Coordinates, sizes and steps of an archive are clamped to this magnitude: far beyond
// any screen, and small enough that the kit's conversions to pixels stay in range.
const float kMaxArchivedCoordinate = 1.0e6f;
// The widest pen an archive may give a view.
const float kMaxArchivedPenSize = 1024.0f;

// A finite float clamped to [low, high]; false (value untouched) for a NaN, an infinity
// or a missing field.
bool find_archived_float(const BMessage* archive, const char* name, int32 index, float low,
	float high, float* value);
inline bool
find_archived_float(const BMessage* archive, const char* name, float low, float high,
	float* value)
{
	return find_archived_float(archive, name, 0, low, high, value);
}

// A point whose coordinates are finite, clamped to kMaxArchivedCoordinate.
bool find_archived_point(const BMessage* archive, const char* name, BPoint* point);
// A valid rectangle whose edges are finite, clamped to kMaxArchivedCoordinate.
bool find_archived_rect(const BMessage* archive, const char* name, int32 index, BRect* rect);
inline bool
find_archived_rect(const BMessage* archive, const char* name, BRect* rect)
{
	return find_archived_rect(archive, name, 0, rect);
}

// An int32 within [low, high]; false (value untouched) outside it.
bool find_archived_int32(const BMessage* archive, const char* name, int32 index, int32 low,
	int32 high, int32* value);
inline bool
find_archived_int32(const BMessage* archive, const char* name, int32 low, int32 high,
	int32* value)
{
	return find_archived_int32(archive, name, 0, low, high, value);
}

// A colour stored as the platform stores colours in archives: an int32 packing red,
// green, blue and alpha from the high byte down.
status_t add_archived_color(BMessage* archive, const char* name, rgb_color color);
bool find_archived_color(const BMessage* archive, const char* name, int32 index,
	rgb_color* color);

// A copy of the message field name (which the caller takes); NULL without one.
BMessage* find_archived_message(const BMessage* archive, const char* name);

// Instantiates the views a deep archive holds ("_views") and adds each to parent (a view
// or a window); what is not a view, or is of a class this process lacks, is left out.
template<typename Parent>
void
add_archived_views(const BMessage* archive, Parent* parent)
{
	BMessage child;
	for (int32 i = 0; archive->FindMessage("_views", i, &child) == B_OK; i++) {
		BArchivable* object = instantiate_object(&child);
		if (BView* view = dynamic_cast<BView*>(object))
			parent->AddChild(view);
		else
			delete object;
	}
}

} // namespace BPrivate

#endif // _ARCHIVE_FIELDS_H
