// A region: an area of whole pixels made of rectangles, with the arithmetic of areas.
// It is kept as a list of disjoint rectangles banded from top to bottom: each band holds
// rectangles of the same top and bottom, sorted from left to right and never touching,
// and two neighbouring bands never hold the same spans. The list is therefore the same for
// two regions that cover the same pixels, which makes == and RectAt() predictable.
#ifndef _REGION_H
#define _REGION_H

#include <Rect.h>

#include <vector>

// A rectangle of whole pixels; its right and bottom edges are inside it, as a BRect's.
typedef struct clipping_rect {
	int32 left;
	int32 top;
	int32 right;
	int32 bottom;
} clipping_rect;

class BRegion {
public:
							BRegion();
							BRegion(const BRegion& other);
							BRegion(const BRect rect);
							BRegion(const clipping_rect& rect);
							~BRegion();

			BRegion&		operator=(const BRegion& other);
			bool			operator==(const BRegion& other) const;
			bool			operator!=(const BRegion& other) const
								{ return !(*this == other); }

			// The pixels a BRect touches: its left and top edges round down, its right
			// and bottom edges up.
			void			Set(BRect rect);
			void			Set(clipping_rect rect);

			// The smallest rectangle holding the region; invalid when it is empty.
			BRect			Frame() const;
			clipping_rect	FrameInt() const;

			// The rectangles, banded as the header says; an invalid rectangle past the
			// end.
			BRect			RectAt(int32 index);
			BRect			RectAt(int32 index) const;
			clipping_rect	RectAtInt(int32 index);
			clipping_rect	RectAtInt(int32 index) const;
			int32			CountRects();
			int32			CountRects() const;

			bool			Intersects(BRect rect) const;
			bool			Intersects(clipping_rect rect) const;
			// A point is inside when the pixel it falls in is.
			bool			Contains(BPoint point) const;
			bool			Contains(int32 x, int32 y);
			bool			Contains(int32 x, int32 y) const;

			void			PrintToStream() const;

			void			OffsetBy(int32 x, int32 y);
			void			OffsetBy(const BPoint& point);
			void			MakeEmpty();

			void			Include(BRect rect);
			void			Include(clipping_rect rect);
			void			Include(const BRegion* region);

			void			Exclude(BRect rect);
			void			Exclude(clipping_rect rect);
			void			Exclude(const BRegion* region);

			void			IntersectWith(const BRegion* region);
			// Keeps what lies in exactly one of the two regions.
			void			ExclusiveInclude(const BRegion* region);

private:
			void			_Combine(const BRegion& other, int operation);

			std::vector<clipping_rect> fRects;
			clipping_rect	fBounds;
};

#endif // _REGION_H
