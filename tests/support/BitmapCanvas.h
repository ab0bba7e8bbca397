// A view drawing into a B_RGB32 bitmap in the test's own thread: what a pixel test of
// BView's drawing needs, without a window thread to wait for. The bitmap stays locked
// for the canvas's life; Pixel() syncs the view first.
//
//	BitmapCanvas canvas(BRect(0, 0, 39, 29));
//	canvas.View()->FillRect(BRect(0, 0, 4, 4));
//	EXPECT_EQ(canvas.Count(kBlack), 25);
#ifndef _BITMAP_CANVAS_H
#define _BITMAP_CANVAS_H

#include <Bitmap.h>
#include <View.h>

#include <gtest/gtest.h>

#include "interface/PixelFormat.h"

class BitmapCanvas {
public:
	// Starts white, with a black high colour and a white low colour.
	explicit BitmapCanvas(BRect bounds)
		:
		fBitmap(bounds, B_RGB32, true),
		fView(new BView(bounds.OffsetToCopy(0, 0), "canvas", B_FOLLOW_NONE, B_WILL_DRAW))
	{
		EXPECT_EQ(fBitmap.InitCheck(), B_OK);
		fBitmap.Lock();
		fBitmap.AddChild(fView);
		fView->SetHighColor(255, 255, 255);
		fView->FillRect(fView->Bounds());
		fView->SetHighColor(0, 0, 0);
	}

	~BitmapCanvas() { fBitmap.Unlock(); }

	BView* View() const { return fView; }
	BBitmap& Bitmap() { return fBitmap; }

	rgb_color Pixel(int32 x, int32 y)
	{
		fView->Sync();
		return Stored(x, y);
	}

	// The pixels of color in area (edges included), the whole bitmap by default.
	int32 Count(rgb_color color, BRect area = BRect())
	{
		fView->Sync();
		if (!area.IsValid())
			area = fBitmap.Bounds();
		int32 count = 0;
		for (int32 y = (int32)area.top; y <= (int32)area.bottom; y++) {
			for (int32 x = (int32)area.left; x <= (int32)area.right; x++)
				count += Stored(x, y) == color;
		}
		return count;
	}

	// Whether every pixel equals the other canvas's.
	bool SameAs(BitmapCanvas& other)
	{
		fView->Sync();
		other.fView->Sync();
		BRect bounds = fBitmap.Bounds();
		for (int32 y = 0; y <= (int32)bounds.bottom; y++) {
			for (int32 x = 0; x <= (int32)bounds.right; x++) {
				if (Stored(x, y) != other.Stored(x, y))
					return false;
			}
		}
		return true;
	}

private:
	rgb_color Stored(int32 x, int32 y)
	{
		rgb_color color = BPrivate::ReadPixel((const uint8*)fBitmap.Bits()
			+ y * fBitmap.BytesPerRow(), x, B_RGB32);
		color.alpha = 255;
		return color;
	}

	BBitmap fBitmap;
	BView* fView;
};

#endif // _BITMAP_CANVAS_H
