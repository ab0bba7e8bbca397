// Every drawing mode, drawn by a view over a known background and read back per pixel.
#include <View.h>

#include <gtest/gtest.h>

#include "BitmapCanvas.h"

#include <stdlib.h>

namespace {

const rgb_color kGrey = { 100, 100, 100, 255 };
const rgb_color kOrange = { 200, 50, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };
const BRect kBounds(0, 0, 15, 15);
const BRect kSquare(4, 4, 7, 7);


::testing::AssertionResult
Near(rgb_color expected, rgb_color actual, int tolerance = 1)
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


// A grey canvas with an orange high colour and a blue low colour, in mode.
class ModeCanvas : public BitmapCanvas {
public:
	explicit ModeCanvas(drawing_mode mode)
		:
		BitmapCanvas(kBounds)
	{
		View()->SetHighColor(kGrey);
		View()->FillRect(kBounds);
		View()->SetHighColor(kOrange);
		View()->SetLowColor(kBlue);
		View()->SetDrawingMode(mode);
	}

	// The square drawn in the mode; what it made of the grey at its corner, and the grey
	// beside it untouched.
	rgb_color Fill(pattern fill = B_SOLID_HIGH)
	{
		View()->FillRect(kSquare, fill);
		EXPECT_EQ(Pixel(8, 8), kGrey);
		return Pixel(4, 4);
	}
};

} // namespace


TEST(DrawingModesTest, CopyOverEraseAndInvert)
{
	EXPECT_EQ(ModeCanvas(B_OP_COPY).Fill(), kOrange);
	EXPECT_EQ(ModeCanvas(B_OP_COPY).Fill(B_SOLID_LOW), kBlue);

	// Over draws the set bits only; erase draws them in the low colour.
	ModeCanvas over(B_OP_OVER);
	over.Fill(B_MIXED_COLORS);
	EXPECT_EQ(over.Count(kOrange, kSquare), 8);
	EXPECT_EQ(over.Count(kGrey, kSquare), 8);
	ModeCanvas erase(B_OP_ERASE);
	erase.Fill(B_MIXED_COLORS);
	EXPECT_EQ(erase.Count(kBlue, kSquare), 8);
	EXPECT_EQ(erase.Count(kGrey, kSquare), 8);

	ModeCanvas invert(B_OP_INVERT);
	EXPECT_EQ(invert.Fill(), make_color(155, 155, 155));
	invert.View()->FillRect(kSquare);
	EXPECT_EQ(invert.Pixel(4, 4), kGrey);
}


TEST(DrawingModesTest, ArithmeticModesClampPerComponent)
{
	EXPECT_TRUE(Near(make_color(255, 150, 100), ModeCanvas(B_OP_ADD).Fill()));
	EXPECT_TRUE(Near(make_color(0, 50, 100), ModeCanvas(B_OP_SUBTRACT).Fill()));
	EXPECT_TRUE(Near(make_color(150, 75, 50), ModeCanvas(B_OP_BLEND).Fill()));
}


TEST(DrawingModesTest, MinAndMaxKeepTheDarkerOrBrighterColourWhole)
{
	// Orange is darker than the grey as a whole, though its red is brighter.
	EXPECT_EQ(ModeCanvas(B_OP_MIN).Fill(), kOrange);
	EXPECT_EQ(ModeCanvas(B_OP_MAX).Fill(), kGrey);
	ModeCanvas brighter(B_OP_MAX);
	brighter.View()->SetHighColor(255, 255, 200);
	EXPECT_EQ(brighter.Fill(), make_color(255, 255, 200));

	// Patterns pick the source per pixel: the low colour blue is darker still.
	ModeCanvas mixed(B_OP_MIN);
	mixed.Fill(B_MIXED_COLORS);
	EXPECT_EQ(mixed.Count(kOrange, kSquare), 8);
	EXPECT_EQ(mixed.Count(kBlue, kSquare), 8);
}


TEST(DrawingModesTest, SelectSwapsTheHighAndLowColours)
{
	ModeCanvas select(B_OP_SELECT);
	BView* view = select.View();
	view->SetDrawingMode(B_OP_COPY);
	view->FillRect(BRect(0, 0, 1, 1));
	view->FillRect(BRect(2, 0, 3, 1), B_SOLID_LOW);
	view->SetDrawingMode(B_OP_SELECT);
	view->FillRect(BRect(0, 0, 5, 1));
	EXPECT_EQ(select.Pixel(0, 0), kBlue);
	EXPECT_EQ(select.Pixel(2, 0), kOrange);
	// Other colours stay.
	EXPECT_EQ(select.Pixel(4, 0), kGrey);
	// Strokes select too, only along their pixels.
	view->StrokeLine(BPoint(0, 0), BPoint(3, 0));
	EXPECT_EQ(select.Pixel(0, 0), kOrange);
	EXPECT_EQ(select.Pixel(0, 1), kBlue);
}


TEST(DrawingModesTest, AlphaBlendsByTheHighColoursOrAConstantAlpha)
{
	ModeCanvas alpha(B_OP_ALPHA);
	alpha.View()->SetBlendingMode(B_PIXEL_ALPHA, B_ALPHA_OVERLAY);
	alpha.View()->SetHighColor(200, 50, 0, 128);
	EXPECT_TRUE(Near(make_color(150, 75, 50), alpha.Fill(), 2));

	ModeCanvas opaque(B_OP_ALPHA);
	opaque.View()->SetHighColor(200, 50, 0, 255);
	EXPECT_EQ(opaque.Fill(), kOrange);

	source_alpha source;
	alpha_function function;
	alpha.View()->GetBlendingMode(&source, &function);
	EXPECT_EQ(source, B_PIXEL_ALPHA);
	EXPECT_EQ(function, B_ALPHA_OVERLAY);
}


TEST(DrawingModesTest, CurvedShapesFollowTheModesToo)
{
	// The per-pixel modes take the same path as the cairo ones: a disc inverted twice is
	// gone, and a selected disc swaps only the colours it covers.
	ModeCanvas invert(B_OP_INVERT);
	invert.View()->FillEllipse(kBounds);
	EXPECT_EQ(invert.Pixel(8, 8), make_color(155, 155, 155));
	invert.View()->FillEllipse(kBounds);
	EXPECT_EQ(invert.Count(kGrey), 256);

	ModeCanvas select(B_OP_SELECT);
	select.View()->SetHighColor(kGrey);
	select.View()->FillArc(kBounds, 0, 360);
	EXPECT_EQ(select.Pixel(8, 8), kBlue);
	EXPECT_EQ(select.Pixel(0, 0), kGrey);
}
