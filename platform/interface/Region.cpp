// Region arithmetic on banded rectangle lists. Every operation sweeps the bands of both
// operands from top to bottom and, inside each band, the spans from left to right, so the
// result comes out banded and merged without a separate normalising pass.
#include <Region.h>

#include <algorithm>
#include <math.h>
#include <stdio.h>

namespace {

// The largest coordinate a region keeps, far beyond any screen, with room for the edges'
// arithmetic in int32.
const float kMaxRegionCoordinate = 1 << 30;

enum {
	kUnion,
	kDifference,
	kIntersection,
	kExclusive
};

// A horizontal run of pixels, from left up to but not including right.
struct Span {
	int32 left;
	int32 right;

	bool operator==(const Span& other) const
		{ return left == other.left && right == other.right; }
};

typedef std::vector<Span> SpanList;


bool
Keeps(int operation, bool inFirst, bool inSecond)
{
	switch (operation) {
		case kUnion:
			return inFirst || inSecond;
		case kDifference:
			return inFirst && !inSecond;
		case kIntersection:
			return inFirst && inSecond;
		default:
			return inFirst != inSecond;
	}
}


// The spans of the band of rects that covers row y, moving cursor past bands above y.
SpanList
SpansAt(const std::vector<clipping_rect>& rects, int32 y, size_t* cursor)
{
	while (*cursor < rects.size() && rects[*cursor].bottom < y)
		(*cursor)++;
	SpanList spans;
	for (size_t i = *cursor; i < rects.size() && rects[i].top <= y; i++)
		spans.push_back(Span{ rects[i].left, rects[i].right + 1 });
	return spans;
}


bool
Covers(const SpanList& spans, int32 x)
{
	for (const Span& span : spans) {
		if (x >= span.left && x < span.right)
			return true;
	}
	return false;
}


SpanList
CombineSpans(const SpanList& first, const SpanList& second, int operation)
{
	std::vector<int32> edges;
	for (const Span& span : first) {
		edges.push_back(span.left);
		edges.push_back(span.right);
	}
	for (const Span& span : second) {
		edges.push_back(span.left);
		edges.push_back(span.right);
	}
	std::sort(edges.begin(), edges.end());
	edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

	SpanList result;
	for (size_t i = 0; i + 1 < edges.size(); i++) {
		if (!Keeps(operation, Covers(first, edges[i]), Covers(second, edges[i])))
			continue;
		if (!result.empty() && result.back().right == edges[i])
			result.back().right = edges[i + 1];
		else
			result.push_back(Span{ edges[i], edges[i + 1] });
	}
	return result;
}


// The rows where either region's bands begin or end, sorted.
std::vector<int32>
BandEdges(const std::vector<clipping_rect>& first, const std::vector<clipping_rect>& second)
{
	std::vector<int32> edges;
	for (const clipping_rect& rect : first) {
		edges.push_back(rect.top);
		edges.push_back(rect.bottom + 1);
	}
	for (const clipping_rect& rect : second) {
		edges.push_back(rect.top);
		edges.push_back(rect.bottom + 1);
	}
	std::sort(edges.begin(), edges.end());
	edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
	return edges;
}


// Coordinates beyond kMaxRegionCoordinate (a picture or a peer may send any float) are
// brought to it, so that converting them and the arithmetic on edges stay defined.
int32
ToCoordinate(float value)
{
	if (isnan(value))
		return 0;
	return (int32)std::clamp(value, -kMaxRegionCoordinate, kMaxRegionCoordinate);
}


int32
Shifted(int32 coordinate, int32 by)
{
	return (int32)std::clamp((int64)coordinate + by, -(int64)kMaxRegionCoordinate,
		(int64)kMaxRegionCoordinate);
}


clipping_rect
ToClipping(BRect rect)
{
	// A rectangle with a coordinate that is not a number covers nothing.
	if (isnan(rect.left) || isnan(rect.top) || isnan(rect.right) || isnan(rect.bottom))
		return clipping_rect{ 0, 0, -1, -1 };
	return clipping_rect{ ToCoordinate(floorf(rect.left)), ToCoordinate(floorf(rect.top)),
		ToCoordinate(ceilf(rect.right)), ToCoordinate(ceilf(rect.bottom)) };
}


BRect
ToRect(const clipping_rect& rect)
{
	return BRect(rect.left, rect.top, rect.right, rect.bottom);
}


bool
IsValid(const clipping_rect& rect)
{
	return rect.left <= rect.right && rect.top <= rect.bottom;
}


const clipping_rect kEmpty = { 0, 0, -1, -1 };

} // namespace


BRegion::BRegion()
	:
	fBounds(kEmpty)
{
}


BRegion::BRegion(const BRegion& other) = default;


BRegion::BRegion(const BRect rect)
	:
	fBounds(kEmpty)
{
	Set(rect);
}


BRegion::BRegion(const clipping_rect& rect)
	:
	fBounds(kEmpty)
{
	Set(rect);
}


BRegion::~BRegion() = default;


BRegion&
BRegion::operator=(const BRegion& other) = default;


bool
BRegion::operator==(const BRegion& other) const
{
	if (fRects.size() != other.fRects.size())
		return false;
	for (size_t i = 0; i < fRects.size(); i++) {
		const clipping_rect& a = fRects[i];
		const clipping_rect& b = other.fRects[i];
		if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom)
			return false;
	}
	return true;
}


void
BRegion::Set(BRect rect)
{
	Set(ToClipping(rect));
}


void
BRegion::Set(clipping_rect rect)
{
	fRects.clear();
	fBounds = kEmpty;
	if (IsValid(rect)) {
		fRects.push_back(rect);
		fBounds = rect;
	}
}


BRect
BRegion::Frame() const
{
	return ToRect(fBounds);
}


clipping_rect
BRegion::FrameInt() const
{
	return fBounds;
}


BRect
BRegion::RectAt(int32 index)
{
	return ToRect(RectAtInt(index));
}


BRect
BRegion::RectAt(int32 index) const
{
	return ToRect(RectAtInt(index));
}


clipping_rect
BRegion::RectAtInt(int32 index)
{
	return const_cast<const BRegion*>(this)->RectAtInt(index);
}


clipping_rect
BRegion::RectAtInt(int32 index) const
{
	if (index < 0 || (size_t)index >= fRects.size())
		return kEmpty;
	return fRects[index];
}


int32
BRegion::CountRects()
{
	return (int32)fRects.size();
}


int32
BRegion::CountRects() const
{
	return (int32)fRects.size();
}


bool
BRegion::Intersects(BRect rect) const
{
	return Intersects(ToClipping(rect));
}


bool
BRegion::Intersects(clipping_rect rect) const
{
	for (const clipping_rect& own : fRects) {
		if (own.top > rect.bottom)
			break;
		if (own.left <= rect.right && own.right >= rect.left && own.top <= rect.bottom
			&& own.bottom >= rect.top) {
			return true;
		}
	}
	return false;
}


bool
BRegion::Contains(BPoint point) const
{
	if (isnan(point.x) || isnan(point.y))
		return false;
	return Contains(ToCoordinate(floorf(point.x)), ToCoordinate(floorf(point.y)));
}


bool
BRegion::Contains(int32 x, int32 y)
{
	return const_cast<const BRegion*>(this)->Contains(x, y);
}


bool
BRegion::Contains(int32 x, int32 y) const
{
	for (const clipping_rect& rect : fRects) {
		if (rect.top > y)
			break;
		if (y <= rect.bottom && x >= rect.left && x <= rect.right)
			return true;
	}
	return false;
}


void
BRegion::PrintToStream() const
{
	printf("BRegion(%d rects) frame: ", (int)fRects.size());
	Frame().PrintToStream();
	for (const clipping_rect& rect : fRects) {
		printf("  (%d, %d, %d, %d)\n", (int)rect.left, (int)rect.top, (int)rect.right,
			(int)rect.bottom);
	}
}


void
BRegion::OffsetBy(int32 x, int32 y)
{
	if (fRects.empty())
		return;
	for (clipping_rect& rect : fRects) {
		rect.left = Shifted(rect.left, x);
		rect.right = Shifted(rect.right, x);
		rect.top = Shifted(rect.top, y);
		rect.bottom = Shifted(rect.bottom, y);
	}
	fBounds.left = Shifted(fBounds.left, x);
	fBounds.right = Shifted(fBounds.right, x);
	fBounds.top = Shifted(fBounds.top, y);
	fBounds.bottom = Shifted(fBounds.bottom, y);
}


void
BRegion::OffsetBy(const BPoint& point)
{
	OffsetBy(ToCoordinate(point.x), ToCoordinate(point.y));
}


void
BRegion::MakeEmpty()
{
	fRects.clear();
	fBounds = kEmpty;
}


void
BRegion::Include(BRect rect)
{
	Include(ToClipping(rect));
}


void
BRegion::Include(clipping_rect rect)
{
	BRegion other(rect);
	_Combine(other, kUnion);
}


void
BRegion::Include(const BRegion* region)
{
	if (region != NULL)
		_Combine(*region, kUnion);
}


void
BRegion::Exclude(BRect rect)
{
	Exclude(ToClipping(rect));
}


void
BRegion::Exclude(clipping_rect rect)
{
	BRegion other(rect);
	_Combine(other, kDifference);
}


void
BRegion::Exclude(const BRegion* region)
{
	if (region != NULL)
		_Combine(*region, kDifference);
}


void
BRegion::IntersectWith(const BRegion* region)
{
	if (region == NULL)
		MakeEmpty();
	else
		_Combine(*region, kIntersection);
}


void
BRegion::ExclusiveInclude(const BRegion* region)
{
	if (region != NULL)
		_Combine(*region, kExclusive);
}


void
BRegion::_Combine(const BRegion& other, int operation)
{
	std::vector<int32> rows = BandEdges(fRects, other.fRects);
	std::vector<clipping_rect> result;
	// Where the last band of result starts in the list, to merge equal neighbours.
	size_t lastBand = 0;
	SpanList lastSpans;
	size_t ownCursor = 0;
	size_t otherCursor = 0;
	for (size_t i = 0; i + 1 < rows.size(); i++) {
		int32 top = rows[i];
		int32 bottom = rows[i + 1] - 1;
		SpanList spans = CombineSpans(SpansAt(fRects, top, &ownCursor),
			SpansAt(other.fRects, top, &otherCursor), operation);
		if (spans.empty())
			continue;
		if (!result.empty() && result.back().bottom == top - 1 && spans == lastSpans) {
			for (size_t j = lastBand; j < result.size(); j++)
				result[j].bottom = bottom;
			continue;
		}
		lastBand = result.size();
		for (const Span& span : spans)
			result.push_back(clipping_rect{ span.left, top, span.right - 1, bottom });
		lastSpans = spans;
	}

	fRects.swap(result);
	fBounds = kEmpty;
	for (const clipping_rect& rect : fRects) {
		if (!IsValid(fBounds)) {
			fBounds = rect;
			continue;
		}
		fBounds.left = std::min(fBounds.left, rect.left);
		fBounds.top = std::min(fBounds.top, rect.top);
		fBounds.right = std::max(fBounds.right, rect.right);
		fBounds.bottom = std::max(fBounds.bottom, rect.bottom);
	}
}
