// SampleViewer's views.
#include "SampleViews.h"

#include <Bitmap.h>
#include <Screen.h>

#include <stdlib.h>

SwatchView::SwatchView(BRect frame, const char* name, rgb_color color, uint32 resizingMode)
	:
	BView(frame, name, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS),
	fColor(color)
{
	SetViewColor(color);
	SetLowColor(color);
}


void
SwatchView::Draw(BRect updateRect)
{
	SetHighColor(tint_color(fColor, B_DARKEN_2_TINT));
	StrokeRect(Bounds());
	if (Name() != NULL) {
		SetHighColor(0, 0, 0);
		DrawString(Name(), BPoint(6, 16));
	}
}


// A click makes the swatch its window's focus and shows where it landed.
void
SwatchView::MouseDown(BPoint where)
{
	MakeFocus(true);
	SetHighColor(255, 255, 255);
	FillEllipse(BRect(where.x - 3, where.y - 3, where.x + 3, where.y + 3));
}


IconView::IconView(BPoint where, const char* name)
	:
	BView(BRect(where.x, where.y, where.x + 15, where.y + 15), name,
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
	fIcon(new BBitmap(BRect(0, 0, 15, 15), B_CMAP8))
{
	SetViewColor(B_TRANSPARENT_COLOR);
	// A round yellow emblem with a dark outline on a transparent square.
	BScreen screen;
	uint8 fill = screen.IndexForColor(255, 203, 0);
	uint8 outline = screen.IndexForColor(96, 96, 96);
	uint8* bits = (uint8*)fIcon->Bits();
	for (int32 y = 0; y < 16; y++) {
		for (int32 x = 0; x < 16; x++) {
			int32 dx = 2 * x - 15;
			int32 dy = 2 * y - 15;
			int32 distance = dx * dx + dy * dy;
			bits[y * fIcon->BytesPerRow() + x] = distance > 225 ? B_TRANSPARENT_MAGIC_CMAP8
				: distance > 150 ? outline : fill;
		}
	}
}


IconView::~IconView()
{
	delete fIcon;
}


void
IconView::Draw(BRect updateRect)
{
	SetDrawingMode(B_OP_ALPHA);
	SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_OVERLAY);
	DrawBitmap(fIcon, B_ORIGIN);
	SetDrawingMode(B_OP_COPY);
}
