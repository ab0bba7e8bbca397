// Drawing checked pixel by pixel on an offscreen surface.
#include "interface/Painter.h"

#include <Bitmap.h>
#include <GraphicsDefs.h>

#include <gtest/gtest.h>

#include <cairo.h>

using BPrivate::DrawState;
using BPrivate::DrawStateStack;
using BPrivate::Painter;

namespace {

const rgb_color kWhite = { 255, 255, 255, 255 };
const rgb_color kBlack = { 0, 0, 0, 255 };
const rgb_color kRed = { 255, 0, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };
const rgb_color kGrey = { 100, 100, 100, 255 };


class PainterTest : public testing::Test {
protected:
	void SetUp() override
	{
		fSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 40, 30);
		fPainter = new Painter(fSurface);
		fPainter->FillBackground(BRect(0, 0, 39, 29), kWhite);
	}

	void TearDown() override
	{
		delete fPainter;
		cairo_surface_destroy(fSurface);
	}

	rgb_color Pixel(int x, int y)
	{
		cairo_surface_flush(fSurface);
		const uint8* data = cairo_image_surface_get_data(fSurface);
		uint32 pixel = *(const uint32*)(data + y * cairo_image_surface_get_stride(fSurface)
			+ x * 4);
		return make_color((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
	}

	// The number of pixels of the colour inside the rectangle (edges included).
	int Count(rgb_color color, BRect area = BRect(0, 0, 39, 29))
	{
		int count = 0;
		for (int y = (int)area.top; y <= (int)area.bottom; y++) {
			for (int x = (int)area.left; x <= (int)area.right; x++)
				count += Pixel(x, y) == color;
		}
		return count;
	}

	cairo_surface_t* fSurface;
	Painter* fPainter;
	DrawStateStack fStates;
};


::testing::AssertionResult
SameColor(rgb_color expected, rgb_color actual, int tolerance = 0)
{
	if (abs(expected.red - actual.red) <= tolerance
		&& abs(expected.green - actual.green) <= tolerance
		&& abs(expected.blue - actual.blue) <= tolerance) {
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << "expected (" << (int)expected.red << ", "
		<< (int)expected.green << ", " << (int)expected.blue << "), got ("
		<< (int)actual.red << ", " << (int)actual.green << ", " << (int)actual.blue << ")";
}

} // namespace


TEST_F(PainterTest, RectanglesCoverTheirEdgesExactly)
{
	DrawState& state = fStates.Current();
	state.highColor = kRed;
	fPainter->FillRect(state, BRect(2, 3, 11, 7), B_SOLID_HIGH);
	EXPECT_EQ(Count(kRed), 10 * 5);
	EXPECT_EQ(Pixel(2, 3), kRed);
	EXPECT_EQ(Pixel(11, 7), kRed);
	EXPECT_EQ(Pixel(12, 7), kWhite);
	EXPECT_EQ(Pixel(1, 3), kWhite);

	state.highColor = kBlue;
	fPainter->StrokeRect(state, BRect(20, 10, 29, 19), B_SOLID_HIGH);
	EXPECT_EQ(Count(kBlue), 4 * 9);
	EXPECT_EQ(Pixel(20, 10), kBlue);
	EXPECT_EQ(Pixel(29, 19), kBlue);
	EXPECT_EQ(Pixel(25, 15), kWhite);

	// An inverted rectangle draws nothing.
	fPainter->FillRect(state, BRect(5, 5, 4, 4), B_SOLID_HIGH);
	EXPECT_EQ(Count(kBlue), 4 * 9);
}


TEST_F(PainterTest, LinesIncludeBothEndPoints)
{
	DrawState& state = fStates.Current();
	state.highColor = kBlack;
	fPainter->StrokeLine(state, BPoint(3, 4), BPoint(12, 4), B_SOLID_HIGH);
	EXPECT_EQ(Count(kBlack), 10);
	EXPECT_EQ(Pixel(3, 4), kBlack);
	EXPECT_EQ(Pixel(12, 4), kBlack);
	fPainter->StrokeLine(state, BPoint(30, 2), BPoint(30, 20), B_SOLID_HIGH);
	EXPECT_EQ(Count(kBlack, BRect(30, 0, 30, 29)), 19);
}


TEST_F(PainterTest, PatternsDrawHighAndLowColoursAnchoredToTheSurface)
{
	DrawState& state = fStates.Current();
	state.highColor = kBlack;
	state.lowColor = kRed;
	fPainter->FillRect(state, BRect(0, 0, 7, 7), B_MIXED_COLORS);
	EXPECT_EQ(Count(kBlack, BRect(0, 0, 7, 7)), 32);
	EXPECT_EQ(Count(kRed, BRect(0, 0, 7, 7)), 32);
	EXPECT_EQ(Pixel(0, 0), kBlack);
	EXPECT_EQ(Pixel(1, 0), kRed);
	EXPECT_EQ(Pixel(0, 1), kRed);

	// B_SOLID_LOW fills with the low colour.
	fPainter->FillRect(state, BRect(10, 0, 12, 2), B_SOLID_LOW);
	EXPECT_EQ(Count(kRed, BRect(10, 0, 12, 2)), 9);
}


TEST_F(PainterTest, DrawingModesCombineWithTheDestination)
{
	DrawState& state = fStates.Current();
	state.highColor = kGrey;
	fPainter->FillRect(state, BRect(0, 0, 39, 29), B_SOLID_HIGH);

	// B_OP_OVER leaves the clear bits of a pattern alone.
	state.drawingMode = B_OP_OVER;
	state.highColor = kBlack;
	state.lowColor = kRed;
	fPainter->FillRect(state, BRect(0, 0, 7, 7), B_MIXED_COLORS);
	EXPECT_EQ(Count(kBlack, BRect(0, 0, 7, 7)), 32);
	EXPECT_EQ(Count(kGrey, BRect(0, 0, 7, 7)), 32);

	// B_OP_ERASE draws the low colour where the pattern is set.
	state.drawingMode = B_OP_ERASE;
	fPainter->FillRect(state, BRect(10, 0, 11, 0), B_SOLID_HIGH);
	EXPECT_EQ(Pixel(10, 0), kRed);

	// B_OP_INVERT inverts the destination; twice restores it.
	state.drawingMode = B_OP_INVERT;
	fPainter->FillRect(state, BRect(20, 0, 21, 1), B_SOLID_HIGH);
	EXPECT_EQ(Pixel(20, 0), make_color(155, 155, 155));
	fPainter->InvertRect(state, BRect(20, 0, 21, 1));
	EXPECT_EQ(Pixel(20, 0), kGrey);

	state.highColor = make_color(200, 50, 100);
	state.drawingMode = B_OP_ADD;
	fPainter->FillRect(state, BRect(0, 10, 0, 10), B_SOLID_HIGH);
	EXPECT_EQ(Pixel(0, 10), make_color(255, 150, 200));

	state.drawingMode = B_OP_SUBTRACT;
	fPainter->FillRect(state, BRect(1, 10, 1, 10), B_SOLID_HIGH);
	EXPECT_EQ(Pixel(1, 10), make_color(0, 50, 0));
	EXPECT_EQ(Pixel(2, 10), kGrey);

	// Min and max compare whole colours by brightness: (200, 50, 100) is a little
	// brighter than the grey, so min keeps the grey and max takes the colour.
	state.drawingMode = B_OP_MIN;
	fPainter->FillRect(state, BRect(3, 10, 3, 10), B_SOLID_HIGH);
	EXPECT_EQ(Pixel(3, 10), kGrey);

	state.drawingMode = B_OP_MAX;
	fPainter->FillRect(state, BRect(4, 10, 4, 10), B_SOLID_HIGH);
	EXPECT_EQ(Pixel(4, 10), make_color(200, 50, 100));

	state.drawingMode = B_OP_BLEND;
	fPainter->FillRect(state, BRect(5, 10, 5, 10), B_SOLID_HIGH);
	EXPECT_TRUE(SameColor(make_color(150, 75, 100), Pixel(5, 10), 1));

	// B_OP_COPY ignores the colour's alpha; B_OP_ALPHA blends by it.
	state.highColor = make_color(0, 0, 0, 128);
	state.drawingMode = B_OP_COPY;
	fPainter->FillRect(state, BRect(6, 10, 6, 10), B_SOLID_HIGH);
	EXPECT_EQ(Pixel(6, 10), kBlack);
	state.drawingMode = B_OP_ALPHA;
	fPainter->FillRect(state, BRect(7, 10, 7, 10), B_SOLID_HIGH);
	EXPECT_TRUE(SameColor(make_color(50, 50, 50), Pixel(7, 10), 1));
}


TEST_F(PainterTest, PushAndPopStateRestoreOriginClippingAndColours)
{
	fStates.Current().highColor = kRed;
	fStates.Push();
	DrawState& pushed = fStates.Current();
	pushed.origin = BPoint(10, 10);
	pushed.highColor = kBlue;
	fStates.ClipToRect(BRect(0, 0, 4, 4));
	fPainter->FillRect(fStates.Current(), BRect(0, 0, 9, 9), B_SOLID_HIGH);
	// Drawn at the origin and cut to the clipping rectangle.
	EXPECT_EQ(Count(kBlue), 25);
	EXPECT_EQ(Pixel(10, 10), kBlue);
	EXPECT_EQ(Pixel(14, 14), kBlue);
	EXPECT_EQ(Pixel(15, 15), kWhite);

	// A nested level adds its origin to the one below and keeps its clipping.
	fStates.Push();
	fStates.Current().origin = BPoint(2, 0);
	EXPECT_EQ(fStates.Current().CombinedOrigin(), BPoint(12, 10));
	fStates.ClipToRect(BRect(0, 0, 100, 100));
	EXPECT_EQ(fStates.Current().clipping.Frame(), BRect(12, 10, 14, 14));

	ASSERT_TRUE(fStates.Pop());
	ASSERT_TRUE(fStates.Pop());
	EXPECT_FALSE(fStates.Pop());
	const DrawState& restored = fStates.Current();
	EXPECT_EQ(restored.highColor, kRed);
	EXPECT_FALSE(restored.hasClipping);
	EXPECT_EQ(restored.CombinedOrigin(), BPoint(0, 0));
	fPainter->FillRect(restored, BRect(30, 20, 31, 21), B_SOLID_HIGH);
	EXPECT_EQ(Count(kRed), 4);
}


TEST_F(PainterTest, ViewPlacementOffsetsAndClipsEverything)
{
	fPainter->SetView(BPoint(5, 5), BRect(5, 5, 14, 14));
	DrawState& state = fStates.Current();
	state.highColor = kBlack;
	fPainter->FillRect(state, BRect(-10, -10, 100, 100), B_SOLID_HIGH);
	EXPECT_EQ(Count(kBlack), 100);
	EXPECT_EQ(Pixel(5, 5), kBlack);
	EXPECT_EQ(Pixel(4, 5), kWhite);

	fPainter->FillBackground(BRect(0, 0, 1, 1), kRed);
	EXPECT_EQ(Pixel(5, 5), kRed);
	EXPECT_EQ(Pixel(6, 6), kRed);
}


TEST_F(PainterTest, CMAP8BitmapsSkipTheTransparentIndexExceptWhenCopied)
{
	// Left column index 255 (transparent), right column black (index 0).
	BBitmap bitmap(BRect(0, 0, 1, 1), B_CMAP8);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	ASSERT_EQ(bitmap.BytesPerRow(), 4);
	uint8* bits = (uint8*)bitmap.Bits();
	for (int y = 0; y < 2; y++) {
		bits[y * 4] = B_TRANSPARENT_MAGIC_CMAP8;
		bits[y * 4 + 1] = 0;
	}

	DrawState& state = fStates.Current();
	state.drawingMode = B_OP_OVER;
	fPainter->DrawBitmap(state, &bitmap, bitmap.Bounds(), BRect(0, 0, 1, 1));
	EXPECT_EQ(Pixel(0, 0), kWhite);
	EXPECT_EQ(Pixel(1, 0), kBlack);

	state.drawingMode = B_OP_COPY;
	// Copied, the transparent index shows its colour map entry, which is white.
	state.highColor = kRed;
	fPainter->FillRect(state, BRect(10, 0, 11, 1), B_SOLID_HIGH);
	fPainter->DrawBitmap(state, &bitmap, bitmap.Bounds(), BRect(10, 0, 11, 1));
	EXPECT_EQ(Pixel(10, 0), kWhite);
	EXPECT_EQ(Pixel(11, 1), kBlack);

	state.drawingMode = B_OP_ALPHA;
	state.alphaSource = B_PIXEL_ALPHA;
	fPainter->DrawBitmap(state, &bitmap, bitmap.Bounds(), BRect(20, 0, 21, 1));
	EXPECT_EQ(Pixel(20, 0), kWhite);
	EXPECT_EQ(Pixel(21, 0), kBlack);

	// Constant alpha takes the high colour's alpha for every drawn pixel.
	state.alphaSource = B_CONSTANT_ALPHA;
	state.highColor = make_color(0, 0, 0, 255);
	fPainter->DrawBitmap(state, &bitmap, bitmap.Bounds(), BRect(30, 0, 31, 1));
	EXPECT_EQ(Pixel(30, 0), kWhite);
	EXPECT_EQ(Pixel(31, 0), kBlack);
	state.highColor.alpha = 128;
	fPainter->DrawBitmap(state, &bitmap, bitmap.Bounds(), BRect(30, 10, 31, 11));
	EXPECT_EQ(Pixel(30, 10), kWhite);
	EXPECT_TRUE(SameColor(make_color(127, 127, 127), Pixel(31, 10), 1));
}


TEST_F(PainterTest, RGBA32BitmapsBlendByPixelAlphaAndScale)
{
	BBitmap bitmap(BRect(0, 0, 0, 0), B_RGBA32);
	uint8* bits = (uint8*)bitmap.Bits();
	bits[0] = 0;		// blue
	bits[1] = 0;		// green
	bits[2] = 255;		// red
	bits[3] = 128;		// alpha

	DrawState& state = fStates.Current();
	state.drawingMode = B_OP_ALPHA;
	fPainter->DrawBitmap(state, &bitmap, bitmap.Bounds(), BRect(0, 0, 3, 3));
	EXPECT_EQ(Count(Pixel(0, 0)), 16);
	EXPECT_TRUE(SameColor(make_color(255, 127, 127), Pixel(3, 3), 1));

	// B_OP_OVER draws every pixel whose alpha is not 0 opaque.
	state.drawingMode = B_OP_OVER;
	fPainter->DrawBitmap(state, &bitmap, bitmap.Bounds(), BRect(10, 0, 10, 0));
	EXPECT_EQ(Pixel(10, 0), kRed);
}


TEST_F(PainterTest, TextSitsOnItsBaselineAndAdvancesByItsWidth)
{
	DrawState& state = fStates.Current();
	state.highColor = kBlack;
	float advance = fPainter->DrawString(state, "Hello", 5, BPoint(2, 20));
	EXPECT_NEAR(advance, state.font.StringWidth("Hello"), 0.01);
	int above = 39 * 21 - Count(kWhite, BRect(0, 0, 38, 20));
	int below = 40 * 9 - Count(kWhite, BRect(0, 21, 39, 29));
	EXPECT_GT(above, 20);
	EXPECT_EQ(below, 0) << "no descenders in \"Hello\"";
	EXPECT_EQ(Count(kWhite, BRect(0, 0, 1, 29)), 60) << "nothing left of the pen";

	// Modes that combine with the destination draw the glyphs' outlines in that mode.
	fPainter->FillBackground(BRect(0, 0, 39, 29), kWhite);
	state.drawingMode = B_OP_INVERT;
	fPainter->DrawString(state, "Hello", 5, BPoint(2, 20));
	EXPECT_GT(40 * 30 - Count(kWhite), 20);
	state.drawingMode = B_OP_INVERT;
	fPainter->DrawString(state, "Hello", 5, BPoint(2, 20));
	EXPECT_EQ(Count(kWhite), 40 * 30);
}
