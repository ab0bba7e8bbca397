// The kinds of a shape's parts, and how the painter and pictures walk a shape without
// copying it.
#ifndef _SHAPE_PRIVATE_H
#define _SHAPE_PRIVATE_H

#include <Shape.h>

namespace BPrivate {

// As an archive's "ops" stores them, in the high bits of each run.
const uint32 kShapeMoveTo = 0x80000000;
const uint32 kShapeLineTo = 0x10000000;
const uint32 kShapeBezierTo = 0x20000000;
const uint32 kShapeClose = 0x40000000;

} // namespace BPrivate

class BShape::Private {
public:
	// Calls visit(kind, points, count) for each run in order.
	template<typename Visit>
	static void ForEachRun(const BShape& shape, Visit visit)
	{
		size_t next = 0;
		for (const Run& run : shape.fRuns) {
			visit(run.kind, shape.fPoints.data() + next, run.count);
			next += run.count;
		}
	}
};

#endif // _SHAPE_PRIVATE_H
