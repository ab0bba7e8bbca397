// BShape and BShapeIterator. A shape keeps runs of parts of one kind and all their points
// in one list, so that iterating hands each run's points out as one array.
#include <Shape.h>

#include "interface/ShapePrivate.h"

#include <Message.h>

#include <algorithm>

namespace {

const uint32 kKindMask = 0xf0000000;
const uint32 kCountMask = 0x0fffffff;

} // namespace


using BPrivate::kShapeBezierTo;
using BPrivate::kShapeClose;
using BPrivate::kShapeLineTo;
using BPrivate::kShapeMoveTo;


BShapeIterator::BShapeIterator() = default;
BShapeIterator::~BShapeIterator() = default;
status_t BShapeIterator::IterateMoveTo(BPoint* point) { return B_OK; }
status_t BShapeIterator::IterateLineTo(int32 lineCount, BPoint* linePoints) { return B_OK; }
status_t BShapeIterator::IterateBezierTo(int32 bezierCount, BPoint* bezierPoints)
	{ return B_OK; }
status_t BShapeIterator::IterateClose() { return B_OK; }


status_t
BShapeIterator::Iterate(BShape* shape)
{
	if (shape == NULL)
		return B_BAD_VALUE;
	// The hooks get copies, so that one that writes into its points leaves the shape
	// as it was.
	std::vector<BPoint> points = shape->fPoints;
	size_t next = 0;
	for (const BShape::Run& run : shape->fRuns) {
		BPoint* first = points.data() + next;
		status_t status = B_OK;
		switch (run.kind) {
			case kShapeMoveTo:
				status = IterateMoveTo(first);
				break;
			case kShapeLineTo:
				status = IterateLineTo(run.count, first);
				break;
			case kShapeBezierTo:
				status = IterateBezierTo(run.count / 3, first);
				break;
			case kShapeClose:
				status = IterateClose();
				break;
		}
		if (status != B_OK)
			return status;
		next += run.count;
	}
	return B_OK;
}


BShape::BShape() = default;


BShape::BShape(const BShape& other)
	:
	BArchivable(),
	fRuns(other.fRuns),
	fPoints(other.fPoints)
{
}


BShape::BShape(BMessage* archive)
	:
	BArchivable(archive)
{
	if (archive == NULL)
		return;
	// Every run must be of a known kind with the points its kind takes, and the runs
	// together must use up the points exactly.
	int32 pointCount = 0;
	type_code type;
	if (archive->GetInfo("pts", &type, &pointCount) != B_OK || type != B_POINT_TYPE)
		pointCount = 0;
	int64 used = 0;
	int32 op;
	for (int32 i = 0; archive->FindInt32("ops", i, &op) == B_OK; i++) {
		uint32 kind = (uint32)op & kKindMask;
		int32 count = (int32)((uint32)op & kCountMask);
		bool valid = (kind == kShapeMoveTo && count == 1)
			|| (kind == kShapeLineTo && count > 0)
			|| (kind == kShapeBezierTo && count > 0 && count % 3 == 0)
			|| (kind == kShapeClose && count == 0);
		used += count;
		if (!valid || used > pointCount) {
			Clear();
			return;
		}
		fRuns.push_back(Run{ kind, count });
	}
	if (used != pointCount) {
		Clear();
		return;
	}
	fPoints.resize(pointCount);
	for (int32 i = 0; i < pointCount; i++) {
		if (archive->FindPoint("pts", i, &fPoints[i]) != B_OK) {
			Clear();
			return;
		}
	}
}


BShape::~BShape() = default;


BShape&
BShape::operator=(const BShape& other)
{
	fRuns = other.fRuns;
	fPoints = other.fPoints;
	return *this;
}


status_t
BShape::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status != B_OK)
		return status;
	for (const Run& run : fRuns) {
		status = archive->AddInt32("ops", (int32)(run.kind | (uint32)run.count));
		if (status != B_OK)
			return status;
	}
	for (const BPoint& point : fPoints) {
		status = archive->AddPoint("pts", point);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}


BArchivable*
BShape::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BShape"))
		return NULL;
	return new BShape(archive);
}


void
BShape::Clear()
{
	fRuns.clear();
	fPoints.clear();
}


BRect
BShape::Bounds() const
{
	if (fPoints.empty())
		return BRect();
	BRect bounds(fPoints[0], fPoints[0]);
	for (const BPoint& point : fPoints) {
		bounds.left = std::min(bounds.left, point.x);
		bounds.top = std::min(bounds.top, point.y);
		bounds.right = std::max(bounds.right, point.x);
		bounds.bottom = std::max(bounds.bottom, point.y);
	}
	return bounds;
}


status_t
BShape::AddShape(const BShape* otherShape)
{
	if (otherShape == NULL)
		return B_BAD_VALUE;
	// Copied first, so that a shape can add itself.
	BShape copy(*otherShape);
	size_t next = 0;
	for (const Run& run : copy.fRuns) {
		status_t status = _Add(run.kind, copy.fPoints.data() + next, run.count);
		if (status != B_OK)
			return status;
		next += run.count;
	}
	return B_OK;
}


status_t
BShape::MoveTo(BPoint point)
{
	return _Add(kShapeMoveTo, &point, 1);
}


status_t
BShape::LineTo(BPoint point)
{
	return _Add(kShapeLineTo, &point, 1);
}


status_t
BShape::BezierTo(BPoint controlPoints[3])
{
	if (controlPoints == NULL)
		return B_BAD_VALUE;
	return _Add(kShapeBezierTo, controlPoints, 3);
}


status_t
BShape::BezierTo(const BPoint& control1, const BPoint& control2, const BPoint& endPoint)
{
	BPoint points[3] = { control1, control2, endPoint };
	return _Add(kShapeBezierTo, points, 3);
}


status_t
BShape::Close()
{
	return _Add(kShapeClose, NULL, 0);
}


// Lines and curves join the run before them when it is of their kind; a move right after
// a move replaces it, as the first would draw nothing; a close after a close is dropped.
status_t
BShape::_Add(uint32 kind, const BPoint* points, int32 count)
{
	if (fPoints.size() + count > kCountMask)
		return B_NO_MEMORY;
	Run* last = fRuns.empty() ? NULL : &fRuns.back();
	if (last != NULL && last->kind == kind) {
		if (kind == kShapeClose)
			return B_OK;
		if (kind == kShapeMoveTo) {
			fPoints.back() = points[0];
			return B_OK;
		}
		last->count += count;
	} else
		fRuns.push_back(Run{ kind, count });
	fPoints.insert(fPoints.end(), points, points + count);
	return B_OK;
}
