// A polygon: an ordered list of points, closed or open when a view strokes it.
#ifndef _POLYGON_H
#define _POLYGON_H

#include <Rect.h>

#include <vector>

class BPolygon {
public:
							BPolygon(const BPoint* points, int32 count);
							BPolygon(const BPolygon* other);
							BPolygon(const BPolygon& other);
							BPolygon();
	virtual					~BPolygon();

			BPolygon&		operator=(const BPolygon& other);

			// The smallest rectangle holding every point; invalid with no points.
			BRect			Frame() const;
			void			AddPoints(const BPoint* points, int32 count);
			int32			CountPoints() const;
			// Moves and scales every point so that what was in source is in destination.
			void			MapTo(BRect source, BRect destination);
			void			PrintToStream() const;

			class Private;

private:
			friend class Private;

			std::vector<BPoint> fPoints;
			BRect			fFrame;
};

#endif // _POLYGON_H
