// The painter. Shapes are drawn without antialiasing so that, as on the platform, a
// rectangle from 0 to 9 covers exactly ten pixels; text keeps its antialiasing.
#include "interface/Painter.h"

#include "interface/PixelFormat.h"
#include "interface/TextEngine.h"

#include <Bitmap.h>
#include <View.h>

#include <cairo.h>

#include <math.h>

#include <algorithm>

namespace BPrivate {

namespace {

// cairo strokes with a polygon of the pen whose vertices grow with its width, and flattens
// curves into segments a tenth of a pixel from the curve: a pen or a curve millions of
// pixels across, which only a bogus picture or archive asks for, would take hours and
// gigabytes. Wider pens are drawn this wide, which covers any screen; curves that reach
// farther from the surface's origin are not drawn.
const double kMaxPenWidth = 1 << 16;
const double kMaxCurveCoordinate = 1 << 22;

// How a bitmap's transparency shows in a drawing mode.
enum BitmapRendition {
	kOpaque,	// transparent pixels show their own colour (B_OP_COPY)
	kMasked,	// transparent pixels are skipped, all others drawn opaque
	kAlpha		// pixels are blended by their alpha
};


rgb_color
Opaque(rgb_color color)
{
	color.alpha = 255;
	return color;
}


void
SetSourceColor(cairo_t* cairo, rgb_color color)
{
	cairo_set_source_rgba(cairo, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
		color.alpha / 255.0);
}


uint32
Premultiplied(rgb_color color)
{
	uint32 alpha = color.alpha;
	return (alpha << 24) | ((color.red * alpha / 255) << 16)
		| ((color.green * alpha / 255) << 8) | (color.blue * alpha / 255);
}


cairo_operator_t
OperatorFor(drawing_mode mode)
{
	switch (mode) {
		case B_OP_COPY:
		case B_OP_SELECT:
			return CAIRO_OPERATOR_SOURCE;
		case B_OP_INVERT:
			return CAIRO_OPERATOR_DIFFERENCE;
		case B_OP_ADD:
			return CAIRO_OPERATOR_ADD;
		case B_OP_MIN:
			return CAIRO_OPERATOR_DARKEN;
		case B_OP_MAX:
			return CAIRO_OPERATOR_LIGHTEN;
		default:
			return CAIRO_OPERATOR_OVER;
	}
}


cairo_surface_t*
CreateBitmapSurface(const BBitmap* bitmap, BitmapRendition rendition)
{
	BRect bounds = bitmap->Bounds();
	int32 width = (int32)bounds.Width() + 1;
	int32 height = (int32)bounds.Height() + 1;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width,
		height);
	cairo_surface_flush(surface);
	uint8* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	const uint8* bits = (const uint8*)bitmap->Bits();
	for (int32 y = 0; y < height; y++) {
		const uint8* row = bits + y * bitmap->BytesPerRow();
		uint32* target = (uint32*)(data + y * stride);
		for (int32 x = 0; x < width; x++) {
			rgb_color color = ReadPixel(row, x, bitmap->ColorSpace());
			if (rendition == kOpaque)
				color.alpha = 255;
			else if (rendition == kMasked)
				color.alpha = color.alpha == 0 ? 0 : 255;
			target[x] = Premultiplied(color);
		}
	}
	cairo_surface_mark_dirty(surface);
	return surface;
}


} // namespace


void
PixelRect(cairo_t* cairo, BRect rect)
{
	double left = floor(rect.left);
	double top = floor(rect.top);
	cairo_rectangle(cairo, left, top, floor(rect.right) - left + 1,
		floor(rect.bottom) - top + 1);
}


double
StrokeOffset(const DrawState& state)
{
	// In doubles: a pen of any size, even one no integer holds, has a defined parity.
	double width = floor(fmax(1, state.penSize));
	return fmod(width, 2) == 1 ? 0.5 : 0;
}


Painter::Painter(cairo_surface_t* target)
	:
	fTarget(cairo_surface_reference(target)),
	fCairo(cairo_create(target)),
	fDeviceOrigin(0, 0),
	fDeviceClip(0, 0, cairo_image_surface_get_width(target) - 1,
		cairo_image_surface_get_height(target) - 1)
{
}


Painter::~Painter()
{
	cairo_destroy(fCairo);
	cairo_surface_destroy(fTarget);
}


void
Painter::SetView(BPoint deviceOrigin, BRect deviceClip)
{
	fDeviceOrigin = deviceOrigin;
	fDeviceClip = deviceClip;
}


void
Painter::StrokeLine(const DrawState& state, BPoint from, BPoint to, const pattern& pattern)
{
	double offset = StrokeOffset(state);
	Render(state, pattern, [&](cairo_t* cairo) {
		cairo_move_to(cairo, floor(from.x) + offset, floor(from.y) + offset);
		cairo_line_to(cairo, floor(to.x) + offset, floor(to.y) + offset);
	}, true, false);
}


void
Painter::StrokeRect(const DrawState& state, BRect rect, const pattern& pattern)
{
	if (!rect.IsValid())
		return;
	DrawState square = state;
	square.lineJoin = B_MITER_JOIN;
	double offset = StrokeOffset(state);
	Render(square, pattern, [&](cairo_t* cairo) {
		double left = floor(rect.left);
		double top = floor(rect.top);
		cairo_rectangle(cairo, left + offset, top + offset, floor(rect.right) - left,
			floor(rect.bottom) - top);
	}, true, false);
}


void
Painter::FillRect(const DrawState& state, BRect rect, const pattern& pattern)
{
	if (!rect.IsValid())
		return;
	Render(state, pattern, [&](cairo_t* cairo) { PixelRect(cairo, rect); }, false, false);
}


void
Painter::StrokeEllipse(const DrawState& state, BRect rect, const pattern& pattern)
{
	if (!rect.IsValid() || !CurveFits(state, rect))
		return;
	double offset = StrokeOffset(state);
	Render(state, pattern, [&](cairo_t* cairo) {
		double width = floor(rect.right) - floor(rect.left);
		double height = floor(rect.bottom) - floor(rect.top);
		cairo_save(cairo);
		cairo_translate(cairo, floor(rect.left) + offset + width / 2,
			floor(rect.top) + offset + height / 2);
		cairo_scale(cairo, fmax(width, 0.01) / 2, fmax(height, 0.01) / 2);
		cairo_arc(cairo, 0, 0, 1, 0, 2 * M_PI);
		cairo_restore(cairo);
	}, true, false);
}


void
Painter::FillEllipse(const DrawState& state, BRect rect, const pattern& pattern)
{
	if (!rect.IsValid() || !CurveFits(state, rect))
		return;
	Render(state, pattern, [&](cairo_t* cairo) {
		double width = floor(rect.right) - floor(rect.left) + 1;
		double height = floor(rect.bottom) - floor(rect.top) + 1;
		cairo_save(cairo);
		cairo_translate(cairo, floor(rect.left) + width / 2, floor(rect.top) + height / 2);
		cairo_scale(cairo, width / 2, height / 2);
		cairo_arc(cairo, 0, 0, 1, 0, 2 * M_PI);
		cairo_restore(cairo);
	}, false, false);
}


void
Painter::StrokePolygon(const DrawState& state, const BPoint* points, int32 count,
	bool closed, const pattern& pattern)
{
	if (points == NULL || count < 1)
		return;
	double offset = StrokeOffset(state);
	Render(state, pattern, [&](cairo_t* cairo) {
		for (int32 i = 0; i < count; i++) {
			cairo_line_to(cairo, floor(points[i].x) + offset,
				floor(points[i].y) + offset);
		}
		if (closed)
			cairo_close_path(cairo);
	}, true, false);
}


void
Painter::FillPolygon(const DrawState& state, const BPoint* points, int32 count,
	const pattern& pattern)
{
	if (points == NULL || count < 3)
		return;
	// The outline is part of a filled polygon.
	Render(state, pattern, [&](cairo_t* cairo) {
		for (int32 i = 0; i < count; i++)
			cairo_line_to(cairo, floor(points[i].x) + 0.5, floor(points[i].y) + 0.5);
		cairo_close_path(cairo);
	}, kFillWithOutline, false);
}


void
Painter::InvertRect(const DrawState& state, BRect rect)
{
	DrawState invert = state;
	invert.drawingMode = B_OP_INVERT;
	FillRect(invert, rect, B_SOLID_HIGH);
}


float
Painter::DrawString(const DrawState& state, const char* string, int32 length, BPoint where)
{
	if (string == NULL || length == 0)
		return 0;
	float advance = 0;
	drawing_mode mode = state.drawingMode;
	if (!state.aliasedText && (mode == B_OP_COPY || mode == B_OP_OVER || mode == B_OP_ALPHA
		|| mode == B_OP_ERASE || mode == B_OP_BLEND)) {
		// Blended over what is there, these modes can use pango's cached glyphs.
		Prepare(state);
		cairo_pattern_t* source = CreateSource(state, B_SOLID_HIGH);
		cairo_set_source(fCairo, source);
		cairo_pattern_destroy(source);
		cairo_set_operator(fCairo, CAIRO_OPERATOR_OVER);
		advance = ShowText(fCairo, state.font, string, length, where.x, where.y);
		cairo_restore(fCairo);
		return advance;
	}
	// Inverted text stays sharp, so that inverting it again restores what was there.
	Render(state, B_SOLID_HIGH, [&](cairo_t* cairo) {
		advance = AppendTextPath(cairo, state.font, string, length, where.x, where.y);
	}, false, mode != B_OP_INVERT && !state.aliasedText);
	return advance;
}


void
Painter::DrawBitmap(const DrawState& state, const BBitmap* bitmap, BRect source,
	BRect destination)
{
	if (bitmap == NULL || !bitmap->IsValid() || !source.IsValid()
		|| !destination.IsValid()) {
		return;
	}

	BitmapRendition rendition = kMasked;
	double alpha = 1.0;
	drawing_mode mode = state.drawingMode;
	if (mode == B_OP_COPY || mode == B_OP_SELECT)
		rendition = kOpaque;
	else if (mode == B_OP_ALPHA && state.alphaSource == B_PIXEL_ALPHA)
		rendition = kAlpha;
	else if (mode == B_OP_ALPHA)
		alpha = state.highColor.alpha / 255.0;
	else if (mode == B_OP_BLEND)
		alpha = 0.5;

	cairo_surface_t* surface = CreateBitmapSurface(bitmap, rendition);
	Prepare(state);
	PixelRect(fCairo, destination);
	cairo_clip(fCairo);
	double scaleX = (floor(destination.right) - floor(destination.left) + 1)
		/ (floor(source.right) - floor(source.left) + 1);
	double scaleY = (floor(destination.bottom) - floor(destination.top) + 1)
		/ (floor(source.bottom) - floor(source.top) + 1);
	cairo_translate(fCairo, floor(destination.left), floor(destination.top));
	cairo_scale(fCairo, scaleX, scaleY);
	cairo_set_source_surface(fCairo, surface,
		-(floor(source.left) - bitmap->Bounds().left), -(floor(source.top)
			- bitmap->Bounds().top));
	cairo_pattern_set_filter(cairo_get_source(fCairo), CAIRO_FILTER_NEAREST);
	// Other modes have no meaning for whole images; they draw as B_OP_OVER does.
	cairo_operator_t op = OperatorFor(mode);
	if (op == CAIRO_OPERATOR_DIFFERENCE)
		op = CAIRO_OPERATOR_OVER;
	cairo_set_operator(fCairo, op);
	cairo_paint_with_alpha(fCairo, alpha);
	cairo_restore(fCairo);
	cairo_surface_destroy(surface);
}


void
Painter::PrepareViewBitmap(const BBitmap* bitmap, BRect source, BRect destination,
	uint32 options)
{
	PrepareUnstated();

	// Only the source part repeats, so it is cut out into a tile of its own.
	int32 left = (int32)(source.left - bitmap->Bounds().left);
	int32 top = (int32)(source.top - bitmap->Bounds().top);
	int32 width = (int32)source.Width() + 1;
	int32 height = (int32)source.Height() + 1;
	cairo_surface_t* whole = CreateBitmapSurface(bitmap, kMasked);
	cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	cairo_t* cutter = cairo_create(tile);
	cairo_set_source_surface(cutter, whole, -left, -top);
	cairo_set_operator(cutter, CAIRO_OPERATOR_SOURCE);
	cairo_paint(cutter);
	cairo_destroy(cutter);
	cairo_surface_destroy(whole);

	double destinationLeft = floor(destination.left);
	double destinationTop = floor(destination.top);
	double scaleX = (floor(destination.right) - destinationLeft + 1) / width;
	double scaleY = (floor(destination.bottom) - destinationTop + 1) / height;
	cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
	cairo_surface_destroy(tile);
	cairo_matrix_t matrix;
	cairo_matrix_init_scale(&matrix, 1 / scaleX, 1 / scaleY);
	cairo_matrix_translate(&matrix, -destinationLeft, -destinationTop);
	cairo_pattern_set_matrix(pattern, &matrix);
	cairo_pattern_set_filter(pattern, (options & B_FILTER_BITMAP_BILINEAR) != 0
		? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
	bool tileX = (options & B_TILE_BITMAP_X) != 0;
	bool tileY = (options & B_TILE_BITMAP_Y) != 0;
	cairo_pattern_set_extend(pattern, tileX || tileY ? CAIRO_EXTEND_REPEAT
		: CAIRO_EXTEND_NONE);
	cairo_set_source(fCairo, pattern);
	cairo_pattern_destroy(pattern);

	// A repeat along one axis only stays in the destination's band on the other.
	double x1, y1, x2, y2;
	cairo_clip_extents(fCairo, &x1, &y1, &x2, &y2);
	BRect area = destination;
	if (tileX) {
		area.left = x1;
		area.right = x2;
	}
	if (tileY) {
		area.top = y1;
		area.bottom = y2;
	}
	PixelRect(fCairo, area);
	cairo_clip(fCairo);
}


void
Painter::DrawViewBitmap(const BBitmap* bitmap, BRect source, BRect destination,
	uint32 options)
{
	if (bitmap == NULL || !bitmap->IsValid() || !source.IsValid() || !destination.IsValid())
		return;
	PrepareViewBitmap(bitmap, source, destination, options);
	cairo_set_operator(fCairo, CAIRO_OPERATOR_OVER);
	cairo_paint(fCairo);
	cairo_restore(fCairo);
}


void
Painter::DrawOverlay(const BBitmap* bitmap, BRect source, BRect destination,
	uint32 options, rgb_color key)
{
	if (bitmap == NULL || !bitmap->IsValid() || !source.IsValid() || !destination.IsValid())
		return;
	if (cairo_surface_get_type(fTarget) != CAIRO_SURFACE_TYPE_IMAGE) {
		// A surface without pixels to compare (a printed page) shows the image whole.
		DrawViewBitmap(bitmap, source, destination, options);
		return;
	}
	// The overlay is drawn into a layer of the target's size, then copied onto the
	// target's pixels that show the key.
	int width = cairo_image_surface_get_width(fTarget);
	int height = cairo_image_surface_get_height(fTarget);
	cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	cairo_t* saved = fCairo;
	fCairo = cairo_create(layer);
	PrepareViewBitmap(bitmap, source, destination, options);
	if ((options & B_OVERLAY_MIRROR) != 0) {
		cairo_pattern_t* pattern = cairo_get_source(fCairo);
		cairo_matrix_t matrix;
		cairo_pattern_get_matrix(pattern, &matrix);
		double middle = (floor(destination.left) + floor(destination.right) + 1) / 2;
		cairo_matrix_t flip;
		cairo_matrix_init(&flip, -1, 0, 0, 1, 2 * middle, 0);
		cairo_matrix_multiply(&matrix, &flip, &matrix);
		cairo_pattern_set_matrix(pattern, &matrix);
	}
	cairo_set_operator(fCairo, CAIRO_OPERATOR_SOURCE);
	cairo_paint(fCairo);
	cairo_restore(fCairo);
	cairo_destroy(fCairo);
	fCairo = saved;

	cairo_surface_flush(layer);
	cairo_surface_flush(fTarget);
	uint32 keyPixel = Premultiplied(Opaque(key)) & 0xffffff;
	const uint8* from = cairo_image_surface_get_data(layer);
	uint8* to = cairo_image_surface_get_data(fTarget);
	int fromStride = cairo_image_surface_get_stride(layer);
	int toStride = cairo_image_surface_get_stride(fTarget);
	int32 clipLeft = std::max<int32>(0, (int32)floor(fDeviceClip.left));
	int32 clipTop = std::max<int32>(0, (int32)floor(fDeviceClip.top));
	int32 clipRight = std::min<int32>(width - 1, (int32)floor(fDeviceClip.right));
	int32 clipBottom = std::min<int32>(height - 1, (int32)floor(fDeviceClip.bottom));
	for (int32 y = clipTop; y <= clipBottom; y++) {
		const uint32* source = (const uint32*)(from + y * fromStride);
		uint32* target = (uint32*)(to + y * toStride);
		for (int32 x = clipLeft; x <= clipRight; x++) {
			if ((target[x] & 0xffffff) == keyPixel && (source[x] >> 24) != 0)
				target[x] = source[x] | 0xff000000;
		}
	}
	cairo_surface_mark_dirty(fTarget);
	cairo_surface_destroy(layer);
}


void
Painter::PrepareUnstated()
{
	cairo_save(fCairo);
	cairo_identity_matrix(fCairo);
	cairo_reset_clip(fCairo);
	PixelRect(fCairo, fDeviceClip);
	cairo_clip(fCairo);
	cairo_translate(fCairo, fDeviceOrigin.x, fDeviceOrigin.y);
	cairo_set_antialias(fCairo, CAIRO_ANTIALIAS_NONE);
}


void
Painter::FillBackground(BRect rect, rgb_color color)
{
	PrepareUnstated();
	PixelRect(fCairo, rect);
	SetSourceColor(fCairo, Opaque(color));
	cairo_set_operator(fCairo, CAIRO_OPERATOR_SOURCE);
	cairo_fill(fCairo);
	cairo_restore(fCairo);
}


// Saves cairo's state and sets it up for the view and its state; the caller restores.
void
Painter::Prepare(const DrawState& state)
{
	// Coordinates that are not numbers (from a picture, say) put a cairo context in an
	// error state for good; the surface itself is unharmed, so a new context carries on.
	if (cairo_status(fCairo) != CAIRO_STATUS_SUCCESS) {
		cairo_destroy(fCairo);
		fCairo = cairo_create(fTarget);
	}
	cairo_save(fCairo);
	cairo_identity_matrix(fCairo);
	cairo_reset_clip(fCairo);
	cairo_new_path(fCairo);
	PixelRect(fCairo, fDeviceClip);
	cairo_clip(fCairo);
	cairo_translate(fCairo, fDeviceOrigin.x, fDeviceOrigin.y);
	if (state.hasClipping) {
		// An empty region leaves an empty path, which clips everything away.
		for (int32 i = 0; i < state.clipping.CountRects(); i++)
			PixelRect(fCairo, state.clipping.RectAt(i));
		cairo_clip(fCairo);
	}
	BPoint origin = state.CombinedOrigin();
	cairo_translate(fCairo, origin.x, origin.y);
	float scale = state.CombinedScale();
	if (scale != 1.0f && scale > 0)
		cairo_scale(fCairo, scale, scale);

	cairo_set_antialias(fCairo, CAIRO_ANTIALIAS_NONE);
	cairo_set_line_width(fCairo, LineWidth(state));
	cairo_set_miter_limit(fCairo, state.miterLimit);
	switch (state.lineJoin) {
		case B_ROUND_JOIN:
			cairo_set_line_join(fCairo, CAIRO_LINE_JOIN_ROUND);
			break;
		case B_BEVEL_JOIN:
			cairo_set_line_join(fCairo, CAIRO_LINE_JOIN_BEVEL);
			break;
		default:
			cairo_set_line_join(fCairo, CAIRO_LINE_JOIN_MITER);
			break;
	}
	// One-pixel lines include both end points, as the platform draws them.
	if (state.penSize <= 1)
		cairo_set_line_cap(fCairo, CAIRO_LINE_CAP_SQUARE);
	else if (state.lineCap == B_ROUND_CAP)
		cairo_set_line_cap(fCairo, CAIRO_LINE_CAP_ROUND);
	else if (state.lineCap == B_SQUARE_CAP)
		cairo_set_line_cap(fCairo, CAIRO_LINE_CAP_SQUARE);
	else
		cairo_set_line_cap(fCairo, CAIRO_LINE_CAP_BUTT);
}


double
Painter::LineWidth(const DrawState& state)
{
	float scale = state.CombinedScale();
	return fmin(fmax(1, state.penSize), scale > 0 ? kMaxPenWidth / scale : kMaxPenWidth);
}


bool
Painter::CurveFits(const DrawState& state, BRect bounds) const
{
	// Checked before cairo sees the curve: it keeps paths in fixed point, where
	// coordinates this far out no longer hold their value.
	BRect device = state.ToView(bounds).OffsetByCopy(fDeviceOrigin);
	return fabs(device.left) <= kMaxCurveCoordinate && fabs(device.right) <= kMaxCurveCoordinate
		&& fabs(device.top) <= kMaxCurveCoordinate
		&& fabs(device.bottom) <= kMaxCurveCoordinate;
}


void
Painter::Render(const DrawState& state, const pattern& pattern, const PathMaker& makePath,
	int use, bool antialias)
{
	drawing_mode mode = state.drawingMode;
	if (mode == B_OP_SELECT || mode == B_OP_MIN || mode == B_OP_MAX) {
		RenderPerPixel(state, pattern, makePath, use);
		return;
	}
	Prepare(state);
	if (antialias)
		cairo_set_antialias(fCairo, CAIRO_ANTIALIAS_GRAY);
	cairo_pattern_t* source = CreateSource(state, pattern);

	if (state.drawingMode == B_OP_SUBTRACT) {
		// cairo has no subtraction; dst - src is the inverse of (inverse(dst) + src).
		makePath(fCairo);
		// A stroke's extents hold an outlined fill too, the pen being at least a pixel.
		double x1, y1, x2, y2;
		if (use != kFillPath)
			cairo_stroke_extents(fCairo, &x1, &y1, &x2, &y2);
		else
			cairo_fill_extents(fCairo, &x1, &y1, &x2, &y2);
		cairo_path_t* path = cairo_copy_path(fCairo);
		cairo_new_path(fCairo);

		auto invertExtents = [&]() {
			cairo_rectangle(fCairo, floor(x1), floor(y1), ceil(x2) - floor(x1),
				ceil(y2) - floor(y1));
			cairo_set_source_rgb(fCairo, 1, 1, 1);
			cairo_set_operator(fCairo, CAIRO_OPERATOR_DIFFERENCE);
			cairo_fill(fCairo);
		};
		invertExtents();
		cairo_append_path(fCairo, path);
		cairo_set_source(fCairo, source);
		cairo_set_operator(fCairo, CAIRO_OPERATOR_ADD);
		Cover(fCairo, use);
		invertExtents();
		cairo_path_destroy(path);
	} else {
		makePath(fCairo);
		cairo_set_source(fCairo, source);
		cairo_operator_t op = OperatorFor(state.drawingMode);
		// Antialiased text blends its edges into what is there, also in B_OP_COPY.
		if (antialias && op == CAIRO_OPERATOR_SOURCE)
			op = CAIRO_OPERATOR_OVER;
		cairo_set_operator(fCairo, op);
		Cover(fCairo, use);
	}
	cairo_pattern_destroy(source);
	cairo_restore(fCairo);
}


void
Painter::Cover(cairo_t* cairo, int use)
{
	if (use == kStrokePath) {
		cairo_stroke(cairo);
		return;
	}
	if (use == kFillPath) {
		cairo_fill(cairo);
		return;
	}
	// The inside and the outline are gathered into one coverage first, so that a mode
	// that changes what it draws over (inverting, adding) reaches each pixel once.
	cairo_path_t* path = cairo_copy_path(cairo);
	cairo_new_path(cairo);
	cairo_push_group_with_content(cairo, CAIRO_CONTENT_ALPHA);
	cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
	cairo_set_source_rgba(cairo, 0, 0, 0, 1);
	cairo_append_path(cairo, path);
	cairo_fill_preserve(cairo);
	cairo_set_line_width(cairo, 1);
	cairo_stroke(cairo);
	cairo_pattern_t* coverage = cairo_pop_group(cairo);
	cairo_mask(cairo, coverage);
	cairo_pattern_destroy(coverage);
	cairo_path_destroy(path);
}


// The colours that the set and the clear bits of the pattern draw in the state's mode;
// a clear bit that leaves the destination alone is transparent.
cairo_pattern_t*
Painter::CreateSource(const DrawState& state, const pattern& pattern)
{
	rgb_color on;
	rgb_color off;
	const rgb_color transparent = { 0, 0, 0, 0 };
	switch (state.drawingMode) {
		case B_OP_OVER:
			on = Opaque(state.highColor);
			off = transparent;
			break;
		case B_OP_ERASE:
			on = Opaque(state.lowColor);
			off = transparent;
			break;
		case B_OP_INVERT:
			on = make_color(255, 255, 255);
			off = transparent;
			break;
		case B_OP_ALPHA:
			on = state.highColor;
			off = transparent;
			break;
		case B_OP_BLEND:
			on = state.highColor;
			off = state.lowColor;
			on.alpha = off.alpha = 128;
			break;
		default:
			on = Opaque(state.highColor);
			off = Opaque(state.lowColor);
			break;
	}

	if (pattern == B_SOLID_HIGH || pattern == B_SOLID_LOW) {
		rgb_color color = pattern == B_SOLID_HIGH ? on : off;
		return cairo_pattern_create_rgba(color.red / 255.0, color.green / 255.0,
			color.blue / 255.0, color.alpha / 255.0);
	}

	cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
	cairo_surface_flush(tile);
	uint8* data = cairo_image_surface_get_data(tile);
	int stride = cairo_image_surface_get_stride(tile);
	for (int y = 0; y < 8; y++) {
		uint32* row = (uint32*)(data + y * stride);
		for (int x = 0; x < 8; x++)
			row[x] = Premultiplied((pattern.data[y] & (0x80 >> x)) != 0 ? on : off);
	}
	cairo_surface_mark_dirty(tile);
	cairo_pattern_t* source = cairo_pattern_create_for_surface(tile);
	cairo_surface_destroy(tile);
	cairo_pattern_set_extend(source, CAIRO_EXTEND_REPEAT);
	cairo_pattern_set_filter(source, CAIRO_FILTER_NEAREST);

	// Patterns are anchored to the surface, so neighbouring shapes continue them.
	double x = 0;
	double y = 0;
	cairo_user_to_device(fCairo, &x, &y);
	cairo_matrix_t matrix;
	cairo_matrix_init_translate(&matrix, x, y);
	cairo_pattern_set_matrix(source, &matrix);
	return source;
}

} // namespace BPrivate
