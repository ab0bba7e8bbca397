// The painter's curved and composite primitives: arcs, round rectangles, Bézier curves,
// shapes and regions, and copying pixels within the surface. Coordinates follow the
// straight primitives: strokes of odd width run through pixel centres, and a filled
// shape includes its outline.
#include "interface/Painter.h"

#include "interface/ShapePrivate.h"

#include <Region.h>

#include <cairo.h>

#include <math.h>

namespace BPrivate {

namespace {

// The arc of the ellipse of centre (x, y) and radii (xRadius, yRadius); angles as the
// platform gives them (degrees, counter-clockwise with y pointing down).
void
EllipseArc(cairo_t* cairo, double x, double y, double xRadius, double yRadius,
	double start, double arc)
{
	if (!isfinite(start) || !isfinite(arc))
		return;
	// Only the start's place on the circle counts; at millions of degrees the end would
	// no longer differ from it in a double.
	start = fmod(start, 360);
	cairo_save(cairo);
	cairo_translate(cairo, x, y);
	cairo_scale(cairo, fmax(xRadius, 0.01), fmax(yRadius, 0.01));
	if (fabs(arc) >= 360) {
		cairo_new_sub_path(cairo);
		cairo_arc(cairo, 0, 0, 1, 0, 2 * M_PI);
	} else {
		double from = -start * M_PI / 180;
		double to = -(start + arc) * M_PI / 180;
		if (arc >= 0)
			cairo_arc_negative(cairo, 0, 0, 1, from, to);
		else
			cairo_arc(cairo, 0, 0, 1, from, to);
	}
	cairo_restore(cairo);
}


void
RoundRectPath(cairo_t* cairo, double left, double top, double right, double bottom,
	double xRadius, double yRadius)
{
	xRadius = fmin(xRadius, (right - left) / 2);
	yRadius = fmin(yRadius, (bottom - top) / 2);
	if (xRadius <= 0 || yRadius <= 0) {
		cairo_rectangle(cairo, left, top, right - left, bottom - top);
		return;
	}
	cairo_new_sub_path(cairo);
	EllipseArc(cairo, right - xRadius, top + yRadius, xRadius, yRadius, 0, 90);
	EllipseArc(cairo, left + xRadius, top + yRadius, xRadius, yRadius, 90, 90);
	EllipseArc(cairo, left + xRadius, bottom - yRadius, xRadius, yRadius, 180, 90);
	EllipseArc(cairo, right - xRadius, bottom - yRadius, xRadius, yRadius, 270, 90);
	cairo_close_path(cairo);
}


void
ShapePath(cairo_t* cairo, const BShape& shape, BPoint offset)
{
	BShape::Private::ForEachRun(shape, [&](uint32 kind, const BPoint* points, int32 count) {
		switch (kind) {
			case kShapeMoveTo:
				cairo_move_to(cairo, points[0].x + offset.x, points[0].y + offset.y);
				break;
			case kShapeLineTo:
				for (int32 i = 0; i < count; i++)
					cairo_line_to(cairo, points[i].x + offset.x, points[i].y + offset.y);
				break;
			case kShapeBezierTo:
				for (int32 i = 0; i + 2 < count; i += 3) {
					// A curve with no start begins at its first control point.
					if (!cairo_has_current_point(cairo))
						cairo_move_to(cairo, points[i].x + offset.x, points[i].y + offset.y);
					cairo_curve_to(cairo, points[i].x + offset.x, points[i].y + offset.y,
						points[i + 1].x + offset.x, points[i + 1].y + offset.y,
						points[i + 2].x + offset.x, points[i + 2].y + offset.y);
				}
				break;
			case kShapeClose:
				cairo_close_path(cairo);
				break;
		}
	});
}


BRect
BezierBounds(const BPoint* points)
{
	// Written so that a coordinate that is not a number makes the bounds not a number.
	BRect bounds(points[0], points[0]);
	for (int32 i = 1; i < 4; i++) {
		if (!(points[i].x >= bounds.left))
			bounds.left = points[i].x;
		if (!(points[i].y >= bounds.top))
			bounds.top = points[i].y;
		if (!(points[i].x <= bounds.right))
			bounds.right = points[i].x;
		if (!(points[i].y <= bounds.bottom))
			bounds.bottom = points[i].y;
	}
	return bounds;
}

} // namespace


void
Painter::StrokeArc(const DrawState& state, BRect rect, float start, float arc,
	const pattern& pattern)
{
	if (!rect.IsValid() || !CurveFits(state, rect))
		return;
	double offset = StrokeOffset(state);
	Render(state, pattern, [&](cairo_t* cairo) {
		double width = floor(rect.right) - floor(rect.left);
		double height = floor(rect.bottom) - floor(rect.top);
		EllipseArc(cairo, floor(rect.left) + offset + width / 2,
			floor(rect.top) + offset + height / 2, width / 2, height / 2, start, arc);
	}, true, false);
}


void
Painter::FillArc(const DrawState& state, BRect rect, float start, float arc,
	const pattern& pattern)
{
	if (!rect.IsValid() || !CurveFits(state, rect))
		return;
	// The slice's outline runs through pixel centres, as the stroked arc does.
	Render(state, pattern, [&](cairo_t* cairo) {
		double width = floor(rect.right) - floor(rect.left);
		double height = floor(rect.bottom) - floor(rect.top);
		double x = floor(rect.left) + 0.5 + width / 2;
		double y = floor(rect.top) + 0.5 + height / 2;
		if (fabs(arc) < 360)
			cairo_move_to(cairo, x, y);
		EllipseArc(cairo, x, y, width / 2, height / 2, start, arc);
		cairo_close_path(cairo);
	}, kFillWithOutline, false);
}


void
Painter::StrokeRoundRect(const DrawState& state, BRect rect, float xRadius, float yRadius,
	const pattern& pattern)
{
	if (!rect.IsValid() || !CurveFits(state, rect))
		return;
	double offset = StrokeOffset(state);
	Render(state, pattern, [&](cairo_t* cairo) {
		RoundRectPath(cairo, floor(rect.left) + offset, floor(rect.top) + offset,
			floor(rect.right) + offset, floor(rect.bottom) + offset, xRadius, yRadius);
	}, true, false);
}


void
Painter::FillRoundRect(const DrawState& state, BRect rect, float xRadius, float yRadius,
	const pattern& pattern)
{
	if (!rect.IsValid() || !CurveFits(state, rect))
		return;
	Render(state, pattern, [&](cairo_t* cairo) {
		RoundRectPath(cairo, floor(rect.left) + 0.5, floor(rect.top) + 0.5,
			floor(rect.right) + 0.5, floor(rect.bottom) + 0.5, xRadius, yRadius);
	}, kFillWithOutline, false);
}


void
Painter::StrokeBezier(const DrawState& state, const BPoint* points, const pattern& pattern)
{
	if (points == NULL || !CurveFits(state, BezierBounds(points)))
		return;
	double offset = StrokeOffset(state);
	Render(state, pattern, [&](cairo_t* cairo) {
		cairo_move_to(cairo, points[0].x + offset, points[0].y + offset);
		cairo_curve_to(cairo, points[1].x + offset, points[1].y + offset,
			points[2].x + offset, points[2].y + offset, points[3].x + offset,
			points[3].y + offset);
	}, true, false);
}


void
Painter::FillBezier(const DrawState& state, const BPoint* points, const pattern& pattern)
{
	if (points == NULL || !CurveFits(state, BezierBounds(points)))
		return;
	Render(state, pattern, [&](cairo_t* cairo) {
		cairo_move_to(cairo, points[0].x + 0.5, points[0].y + 0.5);
		cairo_curve_to(cairo, points[1].x + 0.5, points[1].y + 0.5, points[2].x + 0.5,
			points[2].y + 0.5, points[3].x + 0.5, points[3].y + 0.5);
		cairo_close_path(cairo);
	}, kFillWithOutline, false);
}


void
Painter::StrokeShape(const DrawState& state, const BShape& shape, const pattern& pattern)
{
	// A shape is drawn where the pen is, as the platform draws it.
	if (!CurveFits(state, shape.Bounds().OffsetByCopy(state.penLocation)))
		return;
	double offset = StrokeOffset(state);
	BPoint at = state.penLocation + BPoint(offset, offset);
	Render(state, pattern, [&](cairo_t* cairo) { ShapePath(cairo, shape, at); }, true,
		false);
}


void
Painter::FillShape(const DrawState& state, const BShape& shape, const pattern& pattern)
{
	if (!CurveFits(state, shape.Bounds().OffsetByCopy(state.penLocation)))
		return;
	Render(state, pattern, [&](cairo_t* cairo) {
		ShapePath(cairo, shape, state.penLocation + BPoint(0.5, 0.5));
		cairo_close_path(cairo);
	}, kFillWithOutline, false);
}


void
Painter::FillRegion(const DrawState& state, const BRegion& region, const pattern& pattern)
{
	if (region.CountRects() == 0)
		return;
	// The rectangles are disjoint, so one path fills each pixel once, also when inverting.
	Render(state, pattern, [&](cairo_t* cairo) {
		for (int32 i = 0; i < region.CountRects(); i++) {
			BRect rect = region.RectAt(i);
			cairo_rectangle(cairo, rect.left, rect.top, rect.Width() + 1, rect.Height() + 1);
		}
	}, false, false);
}


void
Painter::CopyBits(const DrawState& state, BRect source, BRect destination)
{
	if (!source.IsValid() || !destination.IsValid())
		return;
	// What the surface shows of source, in surface pixels; pixels outside the view's
	// visible part stay transparent and so leave the destination as it is. Only the part
	// that is visible is copied, so a source far larger than the surface costs nothing,
	// and sizes stay in doubles until they are known to fit the surface.
	BRect device = state.ToView(source).OffsetByCopy(fDeviceOrigin);
	double left = floor(device.left);
	double top = floor(device.top);
	double width = floor(device.right) - left + 1;
	double height = floor(device.bottom) - top + 1;
	BRect surface(0, 0, cairo_image_surface_get_width(fTarget) - 1,
		cairo_image_surface_get_height(fTarget) - 1);
	BRect visible = BRect(left, top, left + width - 1, top + height - 1) & fDeviceClip
		& surface;
	if (!(width > 0) || !(height > 0) || !visible.IsValid())
		return;
	int32 copyLeft = (int32)visible.left;
	int32 copyTop = (int32)visible.top;
	int32 copyWidth = (int32)visible.right - copyLeft + 1;
	int32 copyHeight = (int32)visible.bottom - copyTop + 1;
	cairo_surface_flush(fTarget);
	cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, copyWidth,
		copyHeight);
	cairo_t* copier = cairo_create(copy);
	cairo_set_source_surface(copier, fTarget, -copyLeft, -copyTop);
	cairo_paint(copier);
	cairo_destroy(copier);

	Prepare(state);
	PixelRect(fCairo, destination);
	cairo_clip(fCairo);
	double scaleX = (floor(destination.right) - floor(destination.left) + 1) / width;
	double scaleY = (floor(destination.bottom) - floor(destination.top) + 1) / height;
	cairo_translate(fCairo, floor(destination.left) + (copyLeft - left) * scaleX,
		floor(destination.top) + (copyTop - top) * scaleY);
	cairo_scale(fCairo, scaleX, scaleY);
	cairo_set_source_surface(fCairo, copy, 0, 0);
	cairo_pattern_set_filter(cairo_get_source(fCairo), CAIRO_FILTER_NEAREST);
	cairo_set_operator(fCairo, CAIRO_OPERATOR_OVER);
	cairo_paint(fCairo);
	cairo_restore(fCairo);
	cairo_surface_destroy(copy);
}

} // namespace BPrivate
