// BView's drawing beyond lines, rectangles, ellipses and polygons: arcs, round rectangles,
// Bézier curves, shapes, regions, copied pixels, spaced strings, and the state that goes
// with them (scale, line mode, clipping regions and pictures).
#include <View.h>

#include "interface/DrawState.h"
#include "interface/Painter.h"
#include "interface/PicturePrivate.h"
#include "interface/PolygonPrivate.h"
#include "interface/ShapePrivate.h"
#include "interface/ViewDraw.h"
#include "interface/WindowPrivate.h"

#include <Picture.h>
#include <Polygon.h>
#include <Region.h>
#include <Shape.h>
#include <Window.h>

#include <cairo.h>

#include <string.h>

using BPrivate::DrawState;
using BPrivate::Painter;
using BPrivate::PictureData;

namespace {

// The length of the UTF-8 character that starts with byte, 1 for a stray byte.
int32
CharacterLength(uint8 byte)
{
	if (byte >= 0xf0)
		return 4;
	if (byte >= 0xe0)
		return 3;
	if (byte >= 0xc0)
		return 2;
	return 1;
}


BRect
EllipseBounds(BPoint center, float xRadius, float yRadius)
{
	return BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius);
}

} // namespace


join_mode
BView::LineJoinMode() const
{
	return fStates->Current().lineJoin;
}


cap_mode
BView::LineCapMode() const
{
	return fStates->Current().lineCap;
}


float
BView::LineMiterLimit() const
{
	return fStates->Current().miterLimit;
}


void
BView::SetScale(float scale) const
{
	// A scale that is not a positive number would make every coordinate meaningless.
	if (scale > 0 && scale < 1e6f)
		fStates->Current().scale = scale;
}


float
BView::Scale() const
{
	return fStates->Current().scale;
}


void
BView::ForceFontAliasing(bool enable)
{
	fStates->Current().aliasedText = enable;
}


void
BView::GetClippingRegion(BRegion* region) const
{
	if (region == NULL)
		return;
	const DrawState& state = fStates->Current();
	// The visible part of the view, in its own coordinates.
	BRegion visible;
	if (fOwner != NULL && !IsHidden(NULL)) {
		BRect shown = _VisibleInWindow();
		if (fOwner->fInUpdate)
			shown = shown & fOwner->fUpdateClip;
		if (shown.IsValid())
			visible.Set(shown.OffsetByCopy(-_WindowOrigin()));
	} else
		visible.Set(fBounds);
	if (state.hasClipping)
		visible.IntersectWith(&state.clipping);
	// Back into the current level's coordinates.
	BPoint origin = state.CombinedOrigin();
	float scale = state.CombinedScale();
	region->MakeEmpty();
	for (int32 i = 0; i < visible.CountRects(); i++) {
		BRect rect = visible.RectAt(i);
		region->Include(BRect((rect.left - origin.x) / scale, (rect.top - origin.y) / scale,
			(rect.right - origin.x) / scale, (rect.bottom - origin.y) / scale));
	}
}


void
BView::ConstrainClippingRegion(BRegion* region)
{
	if (region == NULL) {
		fStates->ConstrainClipping(NULL);
		return;
	}
	const DrawState& state = fStates->Current();
	BRegion inView;
	for (int32 i = 0; i < region->CountRects(); i++)
		inView.Include(state.ToView(region->RectAt(i)));
	fStates->ConstrainClipping(&inView);
}


void
BView::ClipToPicture(BPicture* picture, BPoint where, bool sync)
{
	_ClipToPicture(picture, where, false);
}


void
BView::ClipToInversePicture(BPicture* picture, BPoint where, bool sync)
{
	_ClipToPicture(picture, where, true);
}


// Plays the picture into a mask the size of the view's bounds and keeps the pixels it
// touched (or did not touch) as a clipping region.
void
BView::_ClipToPicture(BPicture* picture, BPoint where, bool inverse)
{
	if (picture == NULL)
		return;
	const DrawState& current = fStates->Current();
	BRect bounds = fBounds;
	int32 width = bounds.IntegerWidth() + 1;
	int32 height = bounds.IntegerHeight() + 1;
	if (width <= 0 || height <= 0)
		return;
	cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	BRegion covered;
	{
		Painter painter(mask);
		painter.SetView(BPoint(-bounds.left, -bounds.top),
			BRect(0, 0, width - 1, height - 1));
		BPoint origin = current.ToView(where);
		BPicture::Private::Data(picture).PaintCoverage(painter, origin);
		cairo_surface_flush(mask);
		const uint8* data = cairo_image_surface_get_data(mask);
		int stride = cairo_image_surface_get_stride(mask);
		for (int32 y = 0; y < height; y++) {
			const uint32* row = (const uint32*)(data + y * stride);
			int32 x = 0;
			while (x < width) {
				bool drawn = (row[x] >> 24) != 0;
				int32 end = x;
				while (end < width && ((row[end] >> 24) != 0) == drawn)
					end++;
				if (drawn != inverse) {
					covered.Include(clipping_rect{ (int32)bounds.left + x,
						(int32)bounds.top + y, (int32)bounds.left + end - 1,
						(int32)bounds.top + y });
				}
				x = end;
			}
		}
	}
	cairo_surface_destroy(mask);
	fStates->IntersectClipping(covered);
}


void
BView::StrokePolygon(const BPolygon* polygon, bool closed, pattern pattern)
{
	if (polygon != NULL) {
		StrokePolygon(BPolygon::Private::Points(*polygon), polygon->CountPoints(), closed,
			pattern);
	}
}


void
BView::FillPolygon(const BPolygon* polygon, pattern pattern)
{
	if (polygon != NULL)
		FillPolygon(BPolygon::Private::Points(*polygon), polygon->CountPoints(), pattern);
}


void
BView::StrokePolygon(const BPoint* points, int32 count, BRect bounds, bool closed,
	pattern pattern)
{
	StrokePolygon(points, count, closed, pattern);
}


void
BView::FillPolygon(const BPoint* points, int32 count, BRect bounds, pattern pattern)
{
	FillPolygon(points, count, pattern);
}


void
BView::StrokeArc(BPoint center, float xRadius, float yRadius, float startAngle,
	float arcAngle, pattern pattern)
{
	StrokeArc(EllipseBounds(center, xRadius, yRadius), startAngle, arcAngle, pattern);
}


void
BView::StrokeArc(BRect rect, float startAngle, float arcAngle, pattern pattern)
{
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddArc(BPrivate::kPictureStrokeArc, state, rect, startAngle, arcAngle,
			pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.StrokeArc(state, rect, startAngle, arcAngle, pattern);
	});
}


void
BView::FillArc(BPoint center, float xRadius, float yRadius, float startAngle,
	float arcAngle, pattern pattern)
{
	FillArc(EllipseBounds(center, xRadius, yRadius), startAngle, arcAngle, pattern);
}


void
BView::FillArc(BRect rect, float startAngle, float arcAngle, pattern pattern)
{
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddArc(BPrivate::kPictureFillArc, state, rect, startAngle, arcAngle,
			pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.FillArc(state, rect, startAngle, arcAngle, pattern);
	});
}


void
BView::StrokeBezier(BPoint* controlPoints, pattern pattern)
{
	if (controlPoints == NULL)
		return;
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddBezier(BPrivate::kPictureStrokeBezier, state, controlPoints, pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.StrokeBezier(state, controlPoints, pattern);
	});
}


void
BView::FillBezier(BPoint* controlPoints, pattern pattern)
{
	if (controlPoints == NULL)
		return;
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddBezier(BPrivate::kPictureFillBezier, state, controlPoints, pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.FillBezier(state, controlPoints, pattern);
	});
}


void
BView::StrokeRoundRect(BRect rect, float xRadius, float yRadius, pattern pattern)
{
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddRoundRect(BPrivate::kPictureStrokeRoundRect, state, rect, xRadius,
			yRadius, pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.StrokeRoundRect(state, rect, xRadius, yRadius, pattern);
	});
}


void
BView::FillRoundRect(BRect rect, float xRadius, float yRadius, pattern pattern)
{
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddRoundRect(BPrivate::kPictureFillRoundRect, state, rect, xRadius,
			yRadius, pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.FillRoundRect(state, rect, xRadius, yRadius, pattern);
	});
}


void
BView::FillRegion(BRegion* region, pattern pattern)
{
	if (region == NULL)
		return;
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddRegion(state, *region, pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.FillRegion(state, *region, pattern);
	});
}


void
BView::StrokeShape(BShape* shape, pattern pattern)
{
	if (shape == NULL)
		return;
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddShape(BPrivate::kPictureStrokeShape, state, *shape, pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.StrokeShape(state, *shape, pattern);
	});
}


void
BView::FillShape(BShape* shape, pattern pattern)
{
	if (shape == NULL)
		return;
	_Draw([&](PictureData& picture, const DrawState& state) {
		picture.AddShape(BPrivate::kPictureFillShape, state, *shape, pattern);
	}, [&](Painter& painter, const DrawState& state) {
		painter.FillShape(state, *shape, pattern);
	});
}


void
BView::CopyBits(BRect src, BRect dst)
{
	// Pixels are not calls: a picture being recorded has nothing to copy from.
	if (fPicture != NULL)
		return;
	Painter* painter = _PrepareDrawing();
	if (painter == NULL)
		return;
	painter->CopyBits(fStates->Current(), src, dst);
	_Drew();
}


void
BView::DrawString(const char* string, escapement_delta* delta)
{
	if (string != NULL)
		_DrawString(string, (int32)strlen(string), delta);
}


void
BView::DrawString(const char* string, BPoint location, escapement_delta* delta)
{
	MovePenTo(location);
	DrawString(string, delta);
}


void
BView::DrawString(const char* string, int32 length, escapement_delta* delta)
{
	if (string != NULL)
		_DrawString(string, (int32)strnlen(string, length > 0 ? length : 0), delta);
}


void
BView::DrawString(const char* string, int32 length, BPoint location,
	escapement_delta* delta)
{
	MovePenTo(location);
	DrawString(string, length, delta);
}


// With a delta, each character is drawn on its own and the pen moves on by its advance
// plus the delta's share.
void
BView::_DrawString(const char* string, int32 length, const escapement_delta* delta)
{
	if (delta == NULL || (delta->space == 0 && delta->nonspace == 0)) {
		DrawString(string, length);
		return;
	}
	for (int32 i = 0; i < length;) {
		int32 size = CharacterLength((uint8)string[i]);
		if (size > length - i)
			size = length - i;
		DrawString(string + i, size);
		MovePenBy(string[i] == ' ' ? delta->space : delta->nonspace, 0);
		i += size;
	}
}


void
BView::GetStringWidths(char* stringArray[], int32 lengthArray[], int32 numStrings,
	float widthArray[]) const
{
	fStates->Current().font.GetStringWidths((const char**)stringArray, lengthArray,
		numStrings, widthArray);
}


void
BView::Invalidate(const BRegion* region)
{
	if (region == NULL)
		return;
	for (int32 i = 0; i < region->CountRects(); i++)
		Invalidate(region->RectAt(i));
}
