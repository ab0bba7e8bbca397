#include "ScrollViewCorner.h"


ScrollViewCorner::ScrollViewCorner(float left, float top)
	:
	BView(BRect(left, top, left + 14, top + 14), NULL,
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, B_WILL_DRAW)
{
	SetHighColor(152, 152, 152, 255);
	SetViewColor(127, 127, 127, 255);
}


ScrollViewCorner::~ScrollViewCorner()
{
}


void
ScrollViewCorner::Draw(BRect updateRect)
{
	// The view colour already fills the square; only the edges that the update reaches
	// are drawn.
	if (updateRect.bottom >= 14)
		StrokeLine(BPoint(0, 14), BPoint(14, 14), B_SOLID_HIGH);
	if (updateRect.right >= 14)
		StrokeLine(BPoint(14, 0), BPoint(14, 13), B_SOLID_HIGH);
}
