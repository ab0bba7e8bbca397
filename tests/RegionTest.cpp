// Region arithmetic: the banded rectangle list, set operations and their corner cases.
#include <Region.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

typedef std::set<std::pair<int, int>> PixelSet;

// Every pixel the region covers, read through its rectangle list.
PixelSet
PixelsOf(const BRegion& region)
{
	PixelSet pixels;
	for (int32 i = 0; i < region.CountRects(); i++) {
		clipping_rect rect = region.RectAtInt(i);
		for (int y = rect.top; y <= rect.bottom; y++) {
			for (int x = rect.left; x <= rect.right; x++)
				pixels.insert({ x, y });
		}
	}
	return pixels;
}


PixelSet
PixelsOf(BRect rect)
{
	PixelSet pixels;
	for (int y = (int)rect.top; y <= (int)rect.bottom; y++) {
		for (int x = (int)rect.left; x <= (int)rect.right; x++)
			pixels.insert({ x, y });
	}
	return pixels;
}


// The rectangles are disjoint and banded: sorted by top, then left, and the rectangles of
// one band share their top and bottom without touching.
void
ExpectBanded(const BRegion& region)
{
	int total = 0;
	for (int32 i = 0; i < region.CountRects(); i++) {
		clipping_rect rect = region.RectAtInt(i);
		total += (rect.right - rect.left + 1) * (rect.bottom - rect.top + 1);
		if (i == 0)
			continue;
		clipping_rect previous = region.RectAtInt(i - 1);
		if (previous.top == rect.top) {
			EXPECT_EQ(previous.bottom, rect.bottom) << i;
			EXPECT_LT(previous.right + 1, rect.left) << i;
		} else
			EXPECT_GT(rect.top, previous.bottom) << i;
	}
	EXPECT_EQ((size_t)total, PixelsOf(region).size());
}

} // namespace


TEST(RegionTest, EmptyAndSingleRectangles)
{
	BRegion empty;
	EXPECT_EQ(empty.CountRects(), 0);
	EXPECT_FALSE(empty.Frame().IsValid());
	EXPECT_FALSE(empty.Contains(BPoint(0, 0)));
	EXPECT_FALSE(empty.RectAt(0).IsValid());

	BRegion one(BRect(2, 3, 5, 7));
	EXPECT_EQ(one.CountRects(), 1);
	EXPECT_EQ(one.Frame(), BRect(2, 3, 5, 7));
	EXPECT_TRUE(one.Contains(BPoint(5, 7)));
	EXPECT_TRUE(one.Contains(BPoint(5.9f, 7.5f)));
	EXPECT_FALSE(one.Contains(BPoint(6, 7)));
	EXPECT_FALSE(one.RectAt(1).IsValid());
	EXPECT_FALSE(one.RectAt(-1).IsValid());

	// Fractional edges take every pixel the rectangle touches.
	one.Set(BRect(0.5f, 0.5f, 1.5f, 1.2f));
	EXPECT_EQ(one.Frame(), BRect(0, 0, 2, 2));

	// An invalid rectangle makes an empty region.
	one.Set(BRect(5, 5, 4, 4));
	EXPECT_EQ(one.CountRects(), 0);
	one.Include(BRect(5, 5, 4, 4));
	EXPECT_EQ(one.CountRects(), 0);
}


TEST(RegionTest, IncludeExcludeAndIntersectMatchPixelSets)
{
	BRect a(0, 0, 9, 9);
	BRect b(5, 5, 14, 14);
	BRect c(3, -2, 6, 20);

	BRegion both(a);
	both.Include(b);
	ExpectBanded(both);
	PixelSet expected = PixelsOf(a);
	for (const auto& pixel : PixelsOf(b))
		expected.insert(pixel);
	EXPECT_EQ(PixelsOf(both), expected);
	EXPECT_EQ(both.Frame(), BRect(0, 0, 14, 14));
	EXPECT_EQ(both.CountRects(), 3);

	// A hole through the middle splits bands into spans.
	BRegion holed(both);
	holed.Exclude(c);
	ExpectBanded(holed);
	PixelSet remaining;
	PixelSet cut = PixelsOf(c);
	for (const auto& pixel : expected) {
		if (cut.count(pixel) == 0)
			remaining.insert(pixel);
	}
	EXPECT_EQ(PixelsOf(holed), remaining);
	EXPECT_FALSE(holed.Contains(BPoint(4, 4)));
	EXPECT_TRUE(holed.Contains(BPoint(2, 4)));

	BRegion crossing(both);
	BRegion column(c);
	crossing.IntersectWith(&column);
	ExpectBanded(crossing);
	PixelSet common;
	for (const auto& pixel : expected) {
		if (cut.count(pixel) != 0)
			common.insert(pixel);
	}
	EXPECT_EQ(PixelsOf(crossing), common);

	BRegion exclusive(a);
	BRegion other(b);
	exclusive.ExclusiveInclude(&other);
	EXPECT_FALSE(exclusive.Contains(BPoint(7, 7)));
	EXPECT_TRUE(exclusive.Contains(BPoint(2, 2)));
	EXPECT_TRUE(exclusive.Contains(BPoint(12, 12)));

	crossing.IntersectWith(NULL);
	EXPECT_EQ(crossing.CountRects(), 0);
}


TEST(RegionTest, EqualCoverageGivesEqualRegions)
{
	// The same L built from different pieces in different orders.
	BRegion first(BRect(0, 0, 9, 4));
	first.Include(BRect(0, 5, 4, 9));
	BRegion second(BRect(0, 0, 4, 9));
	second.Include(BRect(5, 0, 9, 4));
	second.Include(BRect(2, 2, 3, 3));
	EXPECT_TRUE(first == second);
	EXPECT_EQ(first.CountRects(), 2);

	// Neighbouring bands with the same spans merge; touching spans join.
	BRegion stripes;
	for (int y = 0; y < 10; y++)
		stripes.Include(BRect(0, y, 4, y));
	stripes.Include(BRect(5, 0, 7, 9));
	EXPECT_EQ(stripes.CountRects(), 1);
	EXPECT_EQ(stripes.RectAt(0), BRect(0, 0, 7, 9));

	second.Exclude(BRect(0, 0, 0, 0));
	EXPECT_TRUE(first != second);
}


TEST(RegionTest, OffsetIntersectsAndMakeEmpty)
{
	BRegion region(BRect(0, 0, 3, 3));
	region.Include(BRect(10, 10, 12, 12));
	region.OffsetBy(5, -2);
	EXPECT_EQ(region.Frame(), BRect(5, -2, 17, 10));
	EXPECT_TRUE(region.Contains(BPoint(5, -2)));
	EXPECT_FALSE(region.Contains(BPoint(0, 0)));

	EXPECT_TRUE(region.Intersects(BRect(8, 1, 20, 1)));
	EXPECT_TRUE(region.Intersects(BRect(16, 10, 30, 30)));
	EXPECT_FALSE(region.Intersects(BRect(9, 2, 14, 7)));
	EXPECT_FALSE(region.Intersects(BRect(9, 9, 4, 4)));

	BRegion copy;
	copy = region;
	EXPECT_TRUE(copy == region);
	region.MakeEmpty();
	EXPECT_EQ(region.CountRects(), 0);
	EXPECT_FALSE(region.Frame().IsValid());
	EXPECT_EQ(copy.CountRects(), 2);
}


TEST(RegionTest, ManyRectanglesStayFast)
{
	// A checkerboard of 32 x 32 cells: 512 rectangles, each included on its own.
	BRegion board;
	for (int y = 0; y < 32; y++) {
		for (int x = y % 2; x < 32; x += 2)
			board.Include(BRect(x * 2, y * 2, x * 2 + 1, y * 2 + 1));
	}
	EXPECT_EQ(board.CountRects(), 512);
	ExpectBanded(board);
	BRegion inverse(BRect(0, 0, 63, 63));
	inverse.Exclude(&board);
	EXPECT_EQ(inverse.CountRects(), 512);
	inverse.IntersectWith(&board);
	EXPECT_EQ(inverse.CountRects(), 0);
}


// Pictures and peers hand regions any float: huge values once overflowed the conversion to
// whole pixels, and a coordinate that is not a number must not count as covering anything.
TEST(RegionTest, HugeAndNotANumberCoordinatesStayDefined)
{
	BRegion huge(BRect(-1e30f, -1e30f, 1e30f, 1e30f));
	EXPECT_EQ(huge.CountRects(), 1);
	EXPECT_TRUE(huge.Contains(BPoint(0, 0)));
	EXPECT_TRUE(huge.Contains(BPoint(1e9f, -1e9f)));
	huge.OffsetBy(2000000000, -2000000000);
	huge.OffsetBy(BPoint(1e30f, NAN));
	EXPECT_EQ(huge.CountRects(), 1);

	BRegion nan(BRect(NAN, 0, 10, 10));
	EXPECT_EQ(nan.CountRects(), 0);
	EXPECT_FALSE(huge.Contains(BPoint(NAN, 0)));
}
