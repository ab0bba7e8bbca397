#include <Rect.h>

#include <gtest/gtest.h>

TEST(RectTest, SizesCountEdgesAsInside)
{
	BRect rect(10, 20, 19, 24);
	EXPECT_EQ(rect.Width(), 9);
	EXPECT_EQ(rect.Height(), 4);
	EXPECT_EQ(rect.IntegerWidth(), 9);
	EXPECT_EQ(BRect(0, 0, 9.25, 1).IntegerWidth(), 10);
	EXPECT_TRUE(rect.IsValid());
	EXPECT_FALSE(BRect().IsValid());
	EXPECT_TRUE(BRect(5, 5, 5, 5).IsValid());

	EXPECT_TRUE(rect.Contains(BPoint(10, 20)));
	EXPECT_TRUE(rect.Contains(BPoint(19, 24)));
	EXPECT_FALSE(rect.Contains(BPoint(19.5, 24)));
	EXPECT_TRUE(rect.Contains(BRect(10, 20, 19, 24)));
	EXPECT_FALSE(rect.Contains(BRect(10, 20, 20, 24)));
	EXPECT_FALSE(rect.Contains(BRect()));
}


TEST(RectTest, IntersectionAndUnion)
{
	BRect a(0, 0, 10, 10);
	BRect b(10, 10, 20, 20);
	// Sharing a corner is intersecting.
	EXPECT_TRUE(a.Intersects(b));
	EXPECT_EQ(a & b, BRect(10, 10, 10, 10));
	EXPECT_FALSE(a.Intersects(BRect(11, 0, 20, 10)));
	EXPECT_FALSE((a & BRect(11, 0, 20, 10)).IsValid());
	EXPECT_FALSE(a.Intersects(BRect()));
	EXPECT_EQ(a | b, BRect(0, 0, 20, 20));
}


TEST(RectTest, InsetAndOffset)
{
	BRect rect(0, 0, 100, 50);
	rect.InsetBy(10, 5);
	EXPECT_EQ(rect, BRect(10, 5, 90, 45));
	rect.InsetBy(-10, -5);
	EXPECT_EQ(rect, BRect(0, 0, 100, 50));
	EXPECT_FALSE(rect.InsetByCopy(60, 0).IsValid());
	rect.OffsetBy(5, -5);
	EXPECT_EQ(rect, BRect(5, -5, 105, 45));
	rect.OffsetTo(BPoint(1, 2));
	EXPECT_EQ(rect, BRect(1, 2, 101, 52));
	EXPECT_EQ(rect.OffsetToCopy(0, 0).RightBottom(), BPoint(100, 50));
	EXPECT_EQ(rect.LeftTop() + BPoint(1, 1), BPoint(2, 3));

	BPoint point(200, -7);
	point.ConstrainTo(rect);
	EXPECT_EQ(point, BPoint(101, 2));
}
