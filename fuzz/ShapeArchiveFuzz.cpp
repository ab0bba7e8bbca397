// Feeds arbitrary bytes to the shape archive path: a flattened message, unflattened and
// handed to BShape's archive constructor. Whatever shape comes out must iterate, archive
// again to a shape of the same parts, and draw.
#include <Message.h>
#include <Shape.h>

#include "interface/Painter.h"

#include <cairo.h>

#include <stdint.h>
#include <stdlib.h>

namespace {

// Counts the points the hooks hand out.
class CountingIterator : public BShapeIterator {
public:
	status_t IterateMoveTo(BPoint* point) override { fPoints++; return B_OK; }
	status_t IterateLineTo(int32 count, BPoint* points) override
		{ fPoints += count; return B_OK; }
	status_t IterateBezierTo(int32 count, BPoint* points) override
		{ fPoints += count * 3; return B_OK; }
	status_t IterateClose() override { fCloses++; return B_OK; }

	int64 fPoints = 0;
	int64 fCloses = 0;
};

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage archive;
	if (archive.Unflatten((const char*)data, size) != B_OK)
		return 0;
	BShape shape(&archive);
	CountingIterator counter;
	if (counter.Iterate(&shape) != B_OK)
		abort();

	BMessage again;
	if (shape.Archive(&again) != B_OK)
		abort();
	BShape copy(&again);
	CountingIterator copyCounter;
	copyCounter.Iterate(&copy);
	if (copyCounter.fPoints != counter.fPoints || copyCounter.fCloses != counter.fCloses)
		abort();

	// Drawing huge outlines is not what is tested here.
	if (counter.fPoints > 4096)
		return 0;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 32, 32);
	{
		BPrivate::Painter painter(surface);
		BPrivate::DrawState state;
		painter.StrokeShape(state, shape, B_SOLID_HIGH);
		painter.FillShape(state, shape, B_MIXED_COLORS);
	}
	cairo_surface_destroy(surface);
	return 0;
}
