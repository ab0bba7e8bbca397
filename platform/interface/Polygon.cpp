// BPolygon: points and their frame, kept up to date as points are added.
#include <Polygon.h>

#include <algorithm>
#include <stdio.h>

namespace {

BRect
FrameOf(const std::vector<BPoint>& points)
{
	if (points.empty())
		return BRect();
	BRect frame(points[0], points[0]);
	for (const BPoint& point : points) {
		frame.left = std::min(frame.left, point.x);
		frame.top = std::min(frame.top, point.y);
		frame.right = std::max(frame.right, point.x);
		frame.bottom = std::max(frame.bottom, point.y);
	}
	return frame;
}


// Where value, a coordinate in [from, from + fromSize], lands in [to, to + toSize].
float
MapCoordinate(float value, float from, float fromSize, float to, float toSize)
{
	if (fromSize == 0)
		return to;
	return to + (value - from) * toSize / fromSize;
}

} // namespace


BPolygon::BPolygon(const BPoint* points, int32 count)
{
	AddPoints(points, count);
}


BPolygon::BPolygon(const BPolygon* other)
{
	if (other != NULL)
		*this = *other;
}


BPolygon::BPolygon(const BPolygon& other) = default;


BPolygon::BPolygon() = default;


BPolygon::~BPolygon() = default;


BPolygon&
BPolygon::operator=(const BPolygon& other) = default;


BRect
BPolygon::Frame() const
{
	return fFrame;
}


void
BPolygon::AddPoints(const BPoint* points, int32 count)
{
	if (points == NULL || count <= 0)
		return;
	fPoints.insert(fPoints.end(), points, points + count);
	fFrame = FrameOf(fPoints);
}


int32
BPolygon::CountPoints() const
{
	return (int32)fPoints.size();
}


void
BPolygon::MapTo(BRect source, BRect destination)
{
	for (BPoint& point : fPoints) {
		point.x = MapCoordinate(point.x, source.left, source.Width(), destination.left,
			destination.Width());
		point.y = MapCoordinate(point.y, source.top, source.Height(), destination.top,
			destination.Height());
	}
	fFrame = FrameOf(fPoints);
}


void
BPolygon::PrintToStream() const
{
	printf("BPolygon(%d points)\n", (int)fPoints.size());
	for (const BPoint& point : fPoints)
		printf("  (%g, %g)\n", point.x, point.y);
}
