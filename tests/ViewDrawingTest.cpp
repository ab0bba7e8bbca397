// BView's curved and composite primitives, patterns, pen, scale, clipping, copied pixels
// and spaced strings, checked pixel by pixel; and their recording into pictures.
#include <DataIO.h>
#include <Picture.h>
#include <Polygon.h>
#include <Region.h>
#include <Shape.h>
#include <View.h>

#include <gtest/gtest.h>

#include "BitmapCanvas.h"

#include <functional>

namespace {

const rgb_color kWhite = { 255, 255, 255, 255 };
const rgb_color kBlack = { 0, 0, 0, 255 };
const rgb_color kRed = { 255, 0, 0, 255 };
const BRect kBounds(0, 0, 39, 39);


BShape
Square(float left, float top, float size)
{
	BShape shape;
	shape.MoveTo(BPoint(left, top));
	shape.LineTo(BPoint(left + size, top));
	shape.LineTo(BPoint(left + size, top + size));
	shape.LineTo(BPoint(left, top + size));
	shape.Close();
	return shape;
}

} // namespace


TEST(ViewDrawingTest, ArcsCoverTheirAnglesCounterClockwise)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	// 0 to 90 degrees: the upper right quarter of the disc.
	view->FillArc(BRect(0, 0, 20, 20), 0, 90);
	EXPECT_EQ(canvas.Pixel(15, 5), kBlack);
	EXPECT_EQ(canvas.Pixel(5, 5), kWhite);
	EXPECT_EQ(canvas.Pixel(5, 15), kWhite);
	EXPECT_EQ(canvas.Pixel(15, 15), kWhite);

	// The centre and radii form: 180 to 270 is the left-to-bottom quarter of the outline.
	view->StrokeArc(BPoint(30, 30), 8, 8, 180, 90);
	EXPECT_EQ(canvas.Pixel(22, 30), kBlack);
	EXPECT_EQ(canvas.Pixel(30, 38), kBlack);
	EXPECT_EQ(canvas.Pixel(38, 30), kWhite);
	EXPECT_EQ(canvas.Pixel(30, 22), kWhite);
	EXPECT_EQ(canvas.Pixel(30, 30), kWhite);

	// A negative sweep runs clockwise: 0 to -90 is the lower right quarter.
	BitmapCanvas clockwise(kBounds);
	clockwise.View()->FillArc(BPoint(10, 10), 10, 10, 0, -90);
	EXPECT_EQ(clockwise.Pixel(15, 15), kBlack);
	EXPECT_EQ(clockwise.Pixel(15, 5), kWhite);
}


TEST(ViewDrawingTest, RoundRectanglesCutTheirCorners)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	view->FillRoundRect(BRect(0, 0, 19, 19), 6, 6);
	EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
	EXPECT_EQ(canvas.Pixel(19, 19), kWhite);
	EXPECT_EQ(canvas.Pixel(10, 0), kBlack);
	EXPECT_EQ(canvas.Pixel(0, 10), kBlack);
	EXPECT_EQ(canvas.Pixel(19, 10), kBlack);
	EXPECT_EQ(canvas.Pixel(10, 19), kBlack);
	EXPECT_EQ(canvas.Pixel(10, 10), kBlack);

	view->StrokeRoundRect(BRect(20, 20, 39, 39), 5, 5);
	EXPECT_EQ(canvas.Pixel(30, 20), kBlack);
	EXPECT_EQ(canvas.Pixel(39, 30), kBlack);
	EXPECT_EQ(canvas.Pixel(20, 20), kWhite);
	EXPECT_EQ(canvas.Pixel(30, 30), kWhite);

	// Radii of zero make a plain rectangle.
	BitmapCanvas square(kBounds);
	square.View()->FillRoundRect(BRect(0, 0, 9, 9), 0, 0);
	EXPECT_EQ(square.Count(kBlack), 100);
}


TEST(ViewDrawingTest, BezierCurvesShapesAndPolygons)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	// The curve rises to y = 5 at its middle; its filled area lies below that.
	BPoint hump[4] = { BPoint(0, 20), BPoint(10, 0), BPoint(20, 0), BPoint(30, 20) };
	view->FillBezier(hump);
	EXPECT_EQ(canvas.Pixel(15, 10), kBlack);
	EXPECT_EQ(canvas.Pixel(15, 2), kWhite);
	EXPECT_EQ(canvas.Pixel(15, 25), kWhite);

	BitmapCanvas line(kBounds);
	BPoint straight[4] = { BPoint(0, 0), BPoint(0, 0), BPoint(20, 20), BPoint(20, 20) };
	line.View()->StrokeBezier(straight);
	EXPECT_EQ(line.Pixel(10, 10), kBlack);
	EXPECT_EQ(line.Pixel(10, 12), kWhite);

	BitmapCanvas shapes(kBounds);
	BShape outline = Square(0, 0, 10);
	shapes.View()->StrokeShape(&outline);
	EXPECT_EQ(shapes.Pixel(5, 0), kBlack);
	EXPECT_EQ(shapes.Pixel(10, 5), kBlack);
	EXPECT_EQ(shapes.Pixel(5, 10), kBlack);
	EXPECT_EQ(shapes.Pixel(0, 5), kBlack);
	EXPECT_EQ(shapes.Pixel(5, 5), kWhite);
	// A filled square shape covers its outline, as a filled rectangle does.
	BShape filled = Square(20, 20, 10);
	shapes.View()->FillShape(&filled);
	EXPECT_EQ(shapes.Count(kBlack, BRect(20, 20, 30, 30)), 121);
	EXPECT_EQ(shapes.Count(kBlack, BRect(19, 19, 31, 31)), 121);
	// A shape is drawn where the pen is, as glyph outlines are placed along a line.
	BitmapCanvas moved(kBounds);
	moved.View()->MovePenTo(20, 20);
	moved.View()->FillShape(&outline);
	EXPECT_EQ(moved.Count(kBlack, BRect(20, 20, 30, 30)), 121);
	EXPECT_EQ(moved.Pixel(15, 15), kWhite);
	moved.View()->MovePenTo(-20, -20);
	moved.View()->StrokeShape(&filled);
	EXPECT_EQ(moved.Pixel(5, 0), kBlack);
	EXPECT_EQ(moved.Pixel(5, 5), kWhite);

	// A polygon object draws as its points do.
	BPoint points[3] = { BPoint(0, 0), BPoint(20, 0), BPoint(0, 20) };
	BPolygon polygon(points, 3);
	BitmapCanvas fromPoints(kBounds);
	BitmapCanvas fromPolygon(kBounds);
	fromPoints.View()->FillPolygon(points, 3);
	fromPolygon.View()->FillPolygon(&polygon);
	EXPECT_TRUE(fromPoints.SameAs(fromPolygon));
	fromPoints.View()->StrokePolygon(points, 3, polygon.Frame(), false);
	fromPolygon.View()->StrokePolygon(&polygon, false);
	EXPECT_TRUE(fromPoints.SameAs(fromPolygon));
}


TEST(ViewDrawingTest, RegionsFillEachPixelOnceEvenWhenInverting)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	BRegion region(BRect(0, 0, 19, 19));
	region.Exclude(BRect(5, 5, 14, 14));
	region.Include(BRect(10, 10, 29, 29));
	view->FillRegion(&region);
	// The ring, and the square that overlaps its lower right part.
	EXPECT_EQ(canvas.Count(kBlack), 300 + 400 - 75);
	view->InvertRect(kBounds);
	view->SetDrawingMode(B_OP_INVERT);
	view->FillRegion(&region);
	EXPECT_EQ(canvas.Count(kBlack), 1600);
}


TEST(ViewDrawingTest, PatternsChooseHighOrLowPerPixel)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	view->SetHighColor(kRed);
	view->SetLowColor(kBlack);
	view->FillRect(BRect(0, 0, 7, 7), B_MIXED_COLORS);
	EXPECT_EQ(canvas.Count(kRed, BRect(0, 0, 7, 7)), 32);
	EXPECT_EQ(canvas.Count(kBlack, BRect(0, 0, 7, 7)), 32);
	EXPECT_NE(canvas.Pixel(0, 0), canvas.Pixel(1, 0));
	EXPECT_NE(canvas.Pixel(0, 0), canvas.Pixel(0, 1));

	// Stripes: every other row set.
	pattern stripes = { { 0xff, 0, 0xff, 0, 0xff, 0, 0xff, 0 } };
	view->FillRoundRect(BRect(10, 0, 25, 15), 0, 0, stripes);
	EXPECT_EQ(canvas.Pixel(12, 0), kRed);
	EXPECT_EQ(canvas.Pixel(12, 1), kBlack);
	EXPECT_EQ(canvas.Count(kRed, BRect(10, 0, 25, 15)), 128);

	view->FillArc(BRect(0, 20, 19, 39), 0, 360, B_SOLID_LOW);
	EXPECT_EQ(canvas.Pixel(10, 30), kBlack);
	EXPECT_EQ(canvas.Count(kRed, BRect(0, 20, 19, 39)), 0);
}


TEST(ViewDrawingTest, PenLineModeAndScaleFollowTheStateStack)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	view->SetLineMode(B_ROUND_CAP, B_BEVEL_JOIN, 7);
	EXPECT_EQ(view->LineCapMode(), B_ROUND_CAP);
	EXPECT_EQ(view->LineJoinMode(), B_BEVEL_JOIN);
	EXPECT_EQ(view->LineMiterLimit(), 7);

	view->SetScale(2);
	EXPECT_EQ(view->Scale(), 2);
	view->FillRect(BRect(0, 0, 4, 4));
	EXPECT_EQ(canvas.Count(kBlack), 100);
	EXPECT_EQ(canvas.Pixel(9, 9), kBlack);

	// A pushed level scales on top of the one below and lives until it is popped; its
	// origin is in the coordinates below, so it is scaled by the scale below only.
	view->PushState();
	EXPECT_EQ(view->Scale(), 1);
	view->SetScale(2);
	view->SetOrigin(5, 0);
	view->SetHighColor(kRed);
	view->FillRect(BRect(0, 0, 0, 0));
	EXPECT_EQ(canvas.Count(kRed), 16);
	EXPECT_EQ(canvas.Count(kRed, BRect(10, 0, 13, 3)), 16);
	view->PopState();
	EXPECT_EQ(view->Scale(), 2);
	EXPECT_EQ(view->LineCapMode(), B_ROUND_CAP);

	// Nonsense scales are refused.
	view->SetScale(0);
	view->SetScale(-3);
	EXPECT_EQ(view->Scale(), 2);
}


TEST(ViewDrawingTest, ClippingRegionsLimitDrawingAndCanBeLifted)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	BRegion region(BRect(0, 0, 9, 9));
	region.Include(BRect(20, 20, 29, 29));
	view->ConstrainClippingRegion(&region);
	BRegion clipping;
	view->GetClippingRegion(&clipping);
	EXPECT_TRUE(clipping == region);
	view->FillRect(kBounds);
	EXPECT_EQ(canvas.Count(kBlack), 200);

	// A pushed level limits within the one below; popping restores it.
	view->PushState();
	BRegion narrower(BRect(5, 0, 25, 39));
	view->ConstrainClippingRegion(&narrower);
	view->GetClippingRegion(&clipping);
	EXPECT_EQ(clipping.Frame(), BRect(5, 0, 25, 29));
	view->PopState();
	view->GetClippingRegion(&clipping);
	EXPECT_TRUE(clipping == region);

	// The region is taken in the current coordinates.
	view->ConstrainClippingRegion(NULL);
	view->GetClippingRegion(&clipping);
	EXPECT_TRUE(clipping == BRegion(kBounds));
	view->SetOrigin(10, 10);
	BRegion corner(BRect(0, 0, 4, 4));
	view->ConstrainClippingRegion(&corner);
	view->SetHighColor(kRed);
	view->FillRect(BRect(-10, -10, 29, 29));
	EXPECT_EQ(canvas.Count(kRed), 25);
	EXPECT_EQ(canvas.Pixel(10, 10), kRed);
	view->GetClippingRegion(&clipping);
	EXPECT_EQ(clipping.Frame(), BRect(0, 0, 4, 4));
}


TEST(ViewDrawingTest, ClippingToAPictureKeepsWhatItDraws)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	BPicture* picture = new BPicture;
	view->BeginPicture(picture);
	view->FillRect(BRect(0, 0, 4, 4));
	view->FillEllipse(BRect(20, 20, 29, 29));
	ASSERT_EQ(view->EndPicture(), picture);

	view->PushState();
	view->ClipToPicture(picture, BPoint(2, 2));
	view->FillRect(kBounds);
	view->PopState();
	EXPECT_EQ(canvas.Count(kBlack, BRect(2, 2, 6, 6)), 25);
	EXPECT_EQ(canvas.Pixel(1, 1), kWhite);
	EXPECT_EQ(canvas.Pixel(26, 26), kBlack);
	EXPECT_EQ(canvas.Pixel(15, 15), kWhite);

	BitmapCanvas inverse(kBounds);
	inverse.View()->ClipToInversePicture(picture);
	inverse.View()->FillRect(kBounds);
	EXPECT_EQ(inverse.Pixel(2, 2), kWhite);
	EXPECT_EQ(inverse.Pixel(15, 15), kBlack);
	EXPECT_EQ(inverse.Pixel(24, 24), kWhite);
	delete picture;
}


TEST(ViewDrawingTest, CopyBitsMovesAndScalesWhatIsShown)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	view->SetHighColor(kRed);
	view->FillRect(BRect(0, 0, 4, 4));
	view->CopyBits(BRect(0, 0, 4, 4), BRect(20, 0, 24, 4));
	EXPECT_EQ(canvas.Count(kRed, BRect(20, 0, 24, 4)), 25);
	view->CopyBits(BRect(0, 0, 4, 4), BRect(30, 30, 39, 39));
	EXPECT_EQ(canvas.Count(kRed, BRect(30, 30, 39, 39)), 100);
	EXPECT_EQ(canvas.Count(kRed), 150);

	// What lies outside the view is not there to copy: the destination keeps its pixels.
	view->CopyBits(BRect(-10, 0, -6, 4), BRect(10, 10, 14, 14));
	EXPECT_EQ(canvas.Count(kWhite, BRect(10, 10, 14, 14)), 25);

	// Half of this source lies left of the view: only the half shown lands, scaled, where
	// it would have landed with the rest.
	BitmapCanvas half(kBounds);
	half.View()->SetHighColor(kRed);
	half.View()->FillRect(BRect(0, 0, 4, 4));
	half.View()->CopyBits(BRect(-5, 0, 4, 4), BRect(20, 20, 39, 29));
	EXPECT_EQ(half.Count(kRed, BRect(20, 20, 29, 29)), 0);
	EXPECT_EQ(half.Count(kRed, BRect(30, 20, 39, 29)), 100);
}


TEST(ViewDrawingTest, CoordinatesBeyondAnyIntegerDrawWhatTheyCan)
{
	BitmapCanvas canvas(kBounds);
	BView* view = canvas.View();
	view->SetHighColor(kRed);
	view->FillRect(BRect(0, 0, 4, 4));
	// A source as wide as a float allows shrinks to a destination of no visible size.
	view->CopyBits(BRect(-1e30, -1e30, 1e30, 1e30), BRect(10, 10, 14, 14));
	view->CopyBits(BRect(0, 0, 4, 4), BRect(-1e30, -1e30, 1e30, 1e30));
	EXPECT_EQ(canvas.Count(kRed, BRect(0, 0, 4, 4)), 25);

	BitmapCanvas pen(kBounds);
	pen.View()->SetPenSize(1.9e31);
	pen.View()->StrokeLine(BPoint(0, 0), BPoint(39, 39));
	pen.View()->SetPenSize(3);
	pen.View()->StrokeLine(BPoint(0, 20), BPoint(39, 20));
	EXPECT_EQ(pen.Pixel(20, 20), kBlack);

	// Curves that span more than any screen are left out instead of being flattened for
	// hours; straight edges of the same size still fill what shows.
	BitmapCanvas curves(kBounds);
	curves.View()->SetPenSize(3);
	curves.View()->StrokeArc(BRect(-1e30, -1e30, 1e30, 1e30), 0, 360);
	EXPECT_EQ(curves.Count(kBlack), 0);
	curves.View()->FillEllipse(BRect(-1e12, 0, 1e12, 39));
	EXPECT_EQ(curves.Count(kBlack), 0);
	curves.View()->SetScale(1e5);
	curves.View()->SetOrigin(100, 100);
	curves.View()->StrokeRoundRect(BRect(0, 0, 30, 30), 5, 5);
	EXPECT_EQ(curves.Count(kBlack), 0);
	curves.View()->SetScale(1);
	curves.View()->SetOrigin(0, 0);
	// An angle that is not a number draws nothing; a start of any size is a place on the
	// circle.
	curves.View()->StrokeArc(BRect(0, 0, 39, 39), 0, NAN);
	EXPECT_EQ(curves.Count(kBlack), 0);
	curves.View()->StrokeArc(BRect(0, 0, 39, 39), 1e30, 10);
	EXPECT_GT(curves.Count(kBlack), 0);
	curves.View()->FillRect(BRect(-1e6, -1e6, 1e6, 1e6));
	EXPECT_EQ(curves.Count(kBlack), 40 * 40);
}


TEST(ViewDrawingTest, EscapementDeltasSpreadTheString)
{
	BitmapCanvas canvas(BRect(0, 0, 199, 29));
	BView* view = canvas.View();
	float plain = view->StringWidth("a b");
	view->MovePenTo(0, 20);
	escapement_delta delta = { 3, 10 };
	view->DrawString("a b", &delta);
	EXPECT_NEAR(view->PenLocation().x, plain + 2 * 3 + 10, 0.5);

	char first[] = "ab";
	char second[] = "abcd";
	char* strings[2] = { first, second };
	int32 lengths[2] = { 2, 4 };
	float widths[2];
	view->GetStringWidths(strings, lengths, 2, widths);
	EXPECT_FLOAT_EQ(widths[0], view->StringWidth("ab"));
	EXPECT_GT(widths[1], widths[0]);
}


TEST(ViewDrawingTest, PicturesRecordAndReplayTheNewCalls)
{
	std::function<void(BView*)> draw = [](BView* view) {
		view->SetHighColor(kRed);
		view->FillArc(BRect(0, 0, 15, 15), 30, 200);
		view->StrokeArc(BRect(5, 5, 35, 35), 0, 270, B_MIXED_COLORS);
		view->FillRoundRect(BRect(20, 0, 39, 10), 4, 3);
		view->StrokeRoundRect(BRect(0, 20, 15, 39), 5, 5);
		BPoint curve[4] = { BPoint(0, 39), BPoint(10, 10), BPoint(30, 10), BPoint(39, 39) };
		view->StrokeBezier(curve);
		view->FillBezier(curve, B_MIXED_COLORS);
		BShape shape = Square(25, 25, 8);
		view->FillShape(&shape);
		view->StrokeShape(&shape);
		BRegion region(BRect(18, 18, 22, 22));
		region.Include(BRect(30, 0, 33, 39));
		view->SetDrawingMode(B_OP_INVERT);
		view->FillRegion(&region);
	};

	BitmapCanvas direct(kBounds);
	draw(direct.View());

	BitmapCanvas recorder(kBounds);
	BPicture picture;
	recorder.View()->BeginPicture(&picture);
	draw(recorder.View());
	recorder.View()->EndPicture();
	// Nothing was drawn while recording.
	EXPECT_EQ(recorder.Count(kWhite), 1600);

	BitmapCanvas replayed(kBounds);
	replayed.View()->DrawPicture(&picture, B_ORIGIN);
	EXPECT_TRUE(replayed.SameAs(direct));

	// And after a trip through the flattened form.
	BMallocIO flat;
	ASSERT_EQ(picture.Flatten(&flat), B_OK);
	flat.Seek(0, SEEK_SET);
	BPicture restored;
	ASSERT_EQ(restored.Unflatten(&flat), B_OK);
	BitmapCanvas again(kBounds);
	again.View()->DrawPicture(&restored, B_ORIGIN);
	EXPECT_TRUE(again.SameAs(direct));
}

