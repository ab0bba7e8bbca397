// How views reach a polygon's points.
#ifndef _POLYGON_PRIVATE_H
#define _POLYGON_PRIVATE_H

#include <Polygon.h>

class BPolygon::Private {
public:
	static const BPoint* Points(const BPolygon& polygon)
		{ return polygon.fPoints.data(); }
};

#endif // _POLYGON_PRIVATE_H
