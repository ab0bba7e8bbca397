// Shapes: outlines made of moves, lines, cubic Bézier curves and closings, which views
// stroke and fill; and the iterator that walks a shape's parts.
#ifndef _SHAPE_H
#define _SHAPE_H

#include <Archivable.h>
#include <Rect.h>

#include <vector>

class BShape;

// Iterate() calls one hook per run of parts: consecutive lines come in one call with
// their end points, consecutive curves in one call with three points each (two control
// points and the end). A hook that returns an error stops the walk with it.
class BShapeIterator {
public:
							BShapeIterator();
	virtual					~BShapeIterator();

	virtual	status_t		IterateMoveTo(BPoint* point);
	virtual	status_t		IterateLineTo(int32 lineCount, BPoint* linePoints);
	virtual	status_t		IterateBezierTo(int32 bezierCount, BPoint* bezierPoints);
	virtual	status_t		IterateClose();

			status_t		Iterate(BShape* shape);
};

class BShape : public BArchivable {
public:
							BShape();
							BShape(const BShape& other);
							// A shape from an archive of Archive(); an archive whose
							// operations and points disagree leaves the shape empty.
							BShape(BMessage* archive);
	virtual					~BShape();

			BShape&			operator=(const BShape& other);

	// Adds "ops" (one int32 per run: its kind in the high bits, its point count in the
	// low 28) and "pts" (B_POINT_TYPE, every point in order); docs/shape-archive.md.
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;
	static	BArchivable*	Instantiate(BMessage* archive);

			void			Clear();
			// The smallest rectangle holding every point, control points included;
			// invalid when the shape is empty.
			BRect			Bounds() const;

			status_t		AddShape(const BShape* otherShape);

			status_t		MoveTo(BPoint point);
			status_t		LineTo(BPoint point);
			status_t		BezierTo(BPoint controlPoints[3]);
			status_t		BezierTo(const BPoint& control1, const BPoint& control2,
								const BPoint& endPoint);
			status_t		Close();

			class Private;

private:
			friend class BShapeIterator;
			friend class Private;

			// One run of parts of one kind.
			struct Run {
				uint32		kind;
				int32		count;
			};

			status_t		_Add(uint32 kind, const BPoint* points, int32 count);

			std::vector<Run> fRuns;
			std::vector<BPoint> fPoints;
};

#endif // _SHAPE_H
