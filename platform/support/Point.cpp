#include <Point.h>

#include <Rect.h>

#include <stdio.h>

const BPoint B_ORIGIN(0, 0);

void
BPoint::ConstrainTo(BRect rect)
{
	x = fmaxf(fminf(x, rect.right), rect.left);
	y = fmaxf(fminf(y, rect.bottom), rect.top);
}


void
BPoint::PrintToStream() const
{
	printf("BPoint(x:%.1f, y:%.1f)\n", x, y);
}
