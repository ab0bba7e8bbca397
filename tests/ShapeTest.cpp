// Shapes and polygons: building, bounds, iteration and archives, with bad archives refused.
#include <Polygon.h>
#include <Shape.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Writes down the calls it gets, one letter and the points each.
class RecordingIterator : public BShapeIterator {
public:
	status_t IterateMoveTo(BPoint* point) override
	{
		Note("M", point, 1);
		return B_OK;
	}
	status_t IterateLineTo(int32 lineCount, BPoint* linePoints) override
	{
		Note("L", linePoints, lineCount);
		return fStopAtLines ? B_ERROR : B_OK;
	}
	status_t IterateBezierTo(int32 bezierCount, BPoint* bezierPoints) override
	{
		Note("B", bezierPoints, bezierCount * 3);
		return B_OK;
	}
	status_t IterateClose() override
	{
		fCalls += "Z;";
		return B_OK;
	}

	std::string fCalls;
	bool fStopAtLines = false;

private:
	void Note(const char* kind, const BPoint* points, int32 count)
	{
		fCalls += kind;
		for (int32 i = 0; i < count; i++) {
			fCalls += " " + std::to_string((int)points[i].x) + ","
				+ std::to_string((int)points[i].y);
		}
		fCalls += ";";
	}
};


BShape
MakeTriangleAndCurve()
{
	BShape shape;
	shape.MoveTo(BPoint(1, 1));
	shape.LineTo(BPoint(10, 1));
	shape.LineTo(BPoint(10, 8));
	shape.Close();
	shape.MoveTo(BPoint(20, 20));
	BPoint curve[3] = { BPoint(25, 10), BPoint(30, 30), BPoint(35, 20) };
	shape.BezierTo(curve);
	return shape;
}

} // namespace


TEST(ShapeTest, IterationGroupsRunsAndStopsOnError)
{
	BShape shape = MakeTriangleAndCurve();
	// A second move replaces the first; a second close is dropped.
	shape.Close();
	shape.Close();
	RecordingIterator iterator;
	EXPECT_EQ(iterator.Iterate(&shape), B_OK);
	EXPECT_EQ(iterator.fCalls,
		"M 1,1;L 10,1 10,8;Z;M 20,20;B 25,10 30,30 35,20;Z;");

	RecordingIterator stopping;
	stopping.fStopAtLines = true;
	EXPECT_EQ(stopping.Iterate(&shape), B_ERROR);
	EXPECT_EQ(stopping.fCalls, "M 1,1;L 10,1 10,8;");
	EXPECT_EQ(stopping.Iterate(NULL), B_BAD_VALUE);

	BShape moves;
	moves.MoveTo(BPoint(1, 2));
	moves.MoveTo(BPoint(3, 4));
	RecordingIterator last;
	last.Iterate(&moves);
	EXPECT_EQ(last.fCalls, "M 3,4;");
}


TEST(ShapeTest, BoundsAddShapeAndClear)
{
	BShape shape = MakeTriangleAndCurve();
	// Control points count, as they do on the platform.
	EXPECT_EQ(shape.Bounds(), BRect(1, 1, 35, 30));

	BShape doubled(shape);
	EXPECT_EQ(doubled.AddShape(&doubled), B_OK);
	RecordingIterator iterator;
	iterator.Iterate(&doubled);
	std::string once = "M 1,1;L 10,1 10,8;Z;M 20,20;B 25,10 30,30 35,20;";
	EXPECT_EQ(iterator.fCalls, once + once);
	EXPECT_EQ(doubled.AddShape(NULL), B_BAD_VALUE);

	doubled.Clear();
	EXPECT_FALSE(doubled.Bounds().IsValid());
	EXPECT_EQ(doubled.BezierTo(NULL), B_BAD_VALUE);
}


TEST(ShapeTest, ArchiveRoundTripsAndBadArchivesMakeEmptyShapes)
{
	BShape shape = MakeTriangleAndCurve();
	BMessage archive;
	ASSERT_EQ(shape.Archive(&archive), B_OK);
	BArchivable* object = BShape::Instantiate(&archive);
	BShape* copy = dynamic_cast<BShape*>(object);
	ASSERT_NE(copy, nullptr);
	RecordingIterator original;
	RecordingIterator restored;
	original.Iterate(&shape);
	restored.Iterate(copy);
	EXPECT_EQ(restored.fCalls, original.fCalls);
	delete object;

	// One point too few for the runs.
	BMessage shortPoints(archive);
	shortPoints.RemoveData("pts", 5);
	BShape fromShort(&shortPoints);
	EXPECT_FALSE(fromShort.Bounds().IsValid());

	// A curve run of a count that is not a multiple of three.
	BMessage badCurve;
	badCurve.AddString("class", "BShape");
	badCurve.AddInt32("ops", (int32)(0x80000000u | 1));
	badCurve.AddInt32("ops", (int32)(0x20000000u | 2));
	for (int i = 0; i < 3; i++)
		badCurve.AddPoint("pts", BPoint(i, i));
	BShape fromBadCurve(&badCurve);
	EXPECT_FALSE(fromBadCurve.Bounds().IsValid());

	// A run of an unknown kind, and a count that claims far more points than there are.
	BMessage unknown;
	unknown.AddInt32("ops", 0x70000001);
	unknown.AddPoint("pts", BPoint(1, 1));
	EXPECT_FALSE(BShape(&unknown).Bounds().IsValid());
	BMessage huge;
	huge.AddInt32("ops", (int32)(0x10000000u | 0x0fffffffu));
	huge.AddPoint("pts", BPoint(1, 1));
	EXPECT_FALSE(BShape(&huge).Bounds().IsValid());

	BMessage other;
	other.AddString("class", "BRegion");
	EXPECT_EQ(BShape::Instantiate(&other), nullptr);
}


TEST(PolygonTest, PointsFrameAndMapping)
{
	BPolygon empty;
	EXPECT_EQ(empty.CountPoints(), 0);
	EXPECT_FALSE(empty.Frame().IsValid());

	BPoint points[3] = { BPoint(10, 10), BPoint(20, 10), BPoint(15, 30) };
	BPolygon polygon(points, 3);
	EXPECT_EQ(polygon.CountPoints(), 3);
	EXPECT_EQ(polygon.Frame(), BRect(10, 10, 20, 30));
	BPoint more[1] = { BPoint(0, 40) };
	polygon.AddPoints(more, 1);
	polygon.AddPoints(NULL, 4);
	EXPECT_EQ(polygon.CountPoints(), 4);
	EXPECT_EQ(polygon.Frame(), BRect(0, 10, 20, 40));

	// Mapping the frame onto a rectangle of half the size moves and scales each point.
	BPolygon mapped(&polygon);
	mapped.MapTo(BRect(0, 10, 20, 40), BRect(100, 100, 110, 115));
	EXPECT_EQ(mapped.Frame(), BRect(100, 100, 110, 115));
	EXPECT_EQ(polygon.Frame(), BRect(0, 10, 20, 40));

	BPolygon assigned;
	assigned = mapped;
	EXPECT_EQ(assigned.CountPoints(), 4);
	EXPECT_EQ(assigned.Frame(), mapped.Frame());
}

