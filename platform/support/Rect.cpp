#include <Rect.h>

#include <stdio.h>

void
BRect::PrintToStream() const
{
	printf("BRect(l:%.1f, t:%.1f, r:%.1f, b:%.1f)\n", left, top, right, bottom);
}


bool
BRect::Intersects(BRect r) const
{
	if (!IsValid() || !r.IsValid())
		return false;
	return !(r.left > right || r.right < left || r.top > bottom || r.bottom < top);
}


bool
BRect::Contains(BPoint p) const
{
	return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
}


bool
BRect::Contains(BRect r) const
{
	return IsValid() && r.IsValid() && r.left >= left && r.right <= right && r.top >= top
		&& r.bottom <= bottom;
}
