// A point in a view's or a screen's coordinate system.
#ifndef _POINT_H
#define _POINT_H

#include <SupportDefs.h>

class BRect;

class BPoint {
public:
	float x;
	float y;

	constexpr BPoint() : x(0), y(0) {}
	constexpr BPoint(float x, float y) : x(x), y(y) {}

	void Set(float x, float y) { this->x = x; this->y = y; }

	// Moves the point to the nearest point inside rect.
	void ConstrainTo(BRect rect);
	void PrintToStream() const;

	BPoint operator-() const { return BPoint(-x, -y); }
	BPoint operator+(const BPoint& other) const { return BPoint(x + other.x, y + other.y); }
	BPoint operator-(const BPoint& other) const { return BPoint(x - other.x, y - other.y); }
	BPoint& operator+=(const BPoint& other) { x += other.x; y += other.y; return *this; }
	BPoint& operator-=(const BPoint& other) { x -= other.x; y -= other.y; return *this; }
	bool operator==(const BPoint& other) const { return x == other.x && y == other.y; }
	bool operator!=(const BPoint& other) const { return !(*this == other); }
};

extern const BPoint B_ORIGIN;

#endif // _POINT_H
