// An axis-aligned rectangle whose edges are all inside it: a rectangle from 0 to 9 is ten
// pixels wide on screen, while Width() is 9. It is valid when left <= right and
// top <= bottom.
#ifndef _RECT_H
#define _RECT_H

#include <Point.h>

#include <math.h>

class BRect {
public:
	float left;
	float top;
	float right;
	float bottom;

	// The default rectangle is invalid on purpose: (0, 0, -1, -1).
	constexpr BRect() : left(0), top(0), right(-1), bottom(-1) {}
	constexpr BRect(float left, float top, float right, float bottom)
		: left(left), top(top), right(right), bottom(bottom) {}
	constexpr BRect(BPoint leftTop, BPoint rightBottom)
		: left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y) {}

	void Set(float l, float t, float r, float b)
		{ left = l; top = t; right = r; bottom = b; }
	void PrintToStream() const;

	BPoint LeftTop() const { return BPoint(left, top); }
	BPoint RightBottom() const { return BPoint(right, bottom); }
	BPoint LeftBottom() const { return BPoint(left, bottom); }
	BPoint RightTop() const { return BPoint(right, top); }
	void SetLeftTop(BPoint p) { left = p.x; top = p.y; }
	void SetRightBottom(BPoint p) { right = p.x; bottom = p.y; }
	void SetLeftBottom(BPoint p) { left = p.x; bottom = p.y; }
	void SetRightTop(BPoint p) { right = p.x; top = p.y; }

	// Positive insets shrink the rectangle on every side, negative ones grow it.
	void InsetBy(float dx, float dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
	void InsetBy(BPoint d) { InsetBy(d.x, d.y); }
	BRect& InsetBySelf(float dx, float dy) { InsetBy(dx, dy); return *this; }
	BRect& InsetBySelf(BPoint d) { InsetBy(d); return *this; }
	BRect InsetByCopy(float dx, float dy) const { BRect r(*this); r.InsetBy(dx, dy); return r; }
	BRect InsetByCopy(BPoint d) const { return InsetByCopy(d.x, d.y); }

	void OffsetBy(float dx, float dy) { left += dx; right += dx; top += dy; bottom += dy; }
	void OffsetBy(BPoint d) { OffsetBy(d.x, d.y); }
	BRect& OffsetBySelf(float dx, float dy) { OffsetBy(dx, dy); return *this; }
	BRect& OffsetBySelf(BPoint d) { OffsetBy(d); return *this; }
	BRect OffsetByCopy(float dx, float dy) const { BRect r(*this); r.OffsetBy(dx, dy); return r; }
	BRect OffsetByCopy(BPoint d) const { return OffsetByCopy(d.x, d.y); }

	// Moves the rectangle so that its left-top corner is at (x, y), keeping its size.
	void OffsetTo(float x, float y) { OffsetBy(x - left, y - top); }
	void OffsetTo(BPoint p) { OffsetTo(p.x, p.y); }
	BRect& OffsetToSelf(float x, float y) { OffsetTo(x, y); return *this; }
	BRect& OffsetToSelf(BPoint p) { OffsetTo(p); return *this; }
	BRect OffsetToCopy(float x, float y) const { BRect r(*this); r.OffsetTo(x, y); return r; }
	BRect OffsetToCopy(BPoint p) const { return OffsetToCopy(p.x, p.y); }

	bool operator==(const BRect& r) const
		{ return left == r.left && top == r.top && right == r.right && bottom == r.bottom; }
	bool operator!=(const BRect& r) const { return !(*this == r); }

	// The intersection; invalid when the two do not intersect.
	BRect operator&(const BRect& r) const
		{ return BRect(fmaxf(left, r.left), fmaxf(top, r.top), fminf(right, r.right),
			fminf(bottom, r.bottom)); }
	// The smallest rectangle that holds both.
	BRect operator|(const BRect& r) const
		{ return BRect(fminf(left, r.left), fminf(top, r.top), fmaxf(right, r.right),
			fmaxf(bottom, r.bottom)); }

	bool IsValid() const { return left <= right && top <= bottom; }
	float Width() const { return right - left; }
	int32 IntegerWidth() const { return (int32)ceilf(right - left); }
	float Height() const { return bottom - top; }
	int32 IntegerHeight() const { return (int32)ceilf(bottom - top); }

	// Edges count as inside: two rectangles that share only an edge intersect.
	bool Intersects(BRect r) const;
	bool Contains(BPoint p) const;
	bool Contains(BRect r) const;
};

#endif // _RECT_H
