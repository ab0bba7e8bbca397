// The drawing modes that compare source and destination pixel by pixel, which cairo's
// operators cannot express: B_OP_SELECT swaps the high and low colours where it draws,
// B_OP_MIN and B_OP_MAX keep the darker or brighter of source and destination (whole
// colours compared by brightness, not component by component). The shape is rendered
// into a coverage mask under the same transformation and clipping, then combined here.
#include "interface/Painter.h"

#include <cairo.h>

#include <math.h>
#include <stdlib.h>

namespace BPrivate {

namespace {

uint32
Brightness(uint32 pixel)
{
	return ((pixel >> 16) & 0xff) * 299 + ((pixel >> 8) & 0xff) * 587 + (pixel & 0xff) * 114;
}


uint32
PixelOf(rgb_color color)
{
	return 0xff000000u | ((uint32)color.red << 16) | ((uint32)color.green << 8)
		| color.blue;
}

} // namespace


void
Painter::RenderPerPixel(const DrawState& state, const pattern& pattern,
	const PathMaker& makePath, int use)
{
	cairo_surface_flush(fTarget);
	int width = cairo_image_surface_get_width(fTarget);
	int height = cairo_image_surface_get_height(fTarget);
	cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
	cairo_t* masker = cairo_create(mask);

	// The same clipping and transformation as the painter's, then the same path.
	Prepare(state);
	cairo_rectangle_list_t* clips = cairo_copy_clip_rectangle_list(fCairo);
	cairo_matrix_t matrix;
	cairo_get_matrix(fCairo, &matrix);
	cairo_restore(fCairo);
	if (clips->status == CAIRO_STATUS_SUCCESS) {
		for (int i = 0; i < clips->num_rectangles; i++) {
			const cairo_rectangle_t& r = clips->rectangles[i];
			cairo_rectangle(masker, r.x, r.y, r.width, r.height);
		}
	}
	cairo_rectangle_list_destroy(clips);
	cairo_clip(masker);
	cairo_set_matrix(masker, &matrix);
	cairo_set_antialias(masker, CAIRO_ANTIALIAS_NONE);
	cairo_set_line_width(masker, LineWidth(state));
	cairo_set_miter_limit(masker, state.miterLimit);
	cairo_set_line_join(masker, state.lineJoin == B_ROUND_JOIN ? CAIRO_LINE_JOIN_ROUND
		: state.lineJoin == B_BEVEL_JOIN ? CAIRO_LINE_JOIN_BEVEL : CAIRO_LINE_JOIN_MITER);
	cairo_set_line_cap(masker, state.penSize <= 1 || state.lineCap == B_SQUARE_CAP
		? CAIRO_LINE_CAP_SQUARE
		: state.lineCap == B_ROUND_CAP ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
	makePath(masker);
	// The mask is a coverage of its own, so covering it twice (fill and outline) counts
	// once.
	cairo_set_source_rgba(masker, 0, 0, 0, 1);
	Cover(masker, use);
	cairo_destroy(masker);
	cairo_surface_flush(mask);

	const uint8* coverage = cairo_image_surface_get_data(mask);
	int maskStride = cairo_image_surface_get_stride(mask);
	uint8* pixels = cairo_image_surface_get_data(fTarget);
	int stride = cairo_image_surface_get_stride(fTarget);
	uint32 high = PixelOf(state.highColor);
	uint32 low = PixelOf(state.lowColor);
	for (int y = 0; y < height; y++) {
		const uint8* covered = coverage + y * maskStride;
		uint32* row = (uint32*)(pixels + y * stride);
		uint8 bits = pattern.data[y % 8];
		for (int x = 0; x < width; x++) {
			if (covered[x] == 0)
				continue;
			bool set = (bits & (0x80 >> (x % 8))) != 0;
			uint32 destination = row[x] | 0xff000000u;
			if (state.drawingMode == B_OP_SELECT) {
				// Only the pattern's set bits select.
				if (!set)
					continue;
				if (destination == high)
					row[x] = (row[x] & 0xff000000u) | (low & 0xffffff);
				else if (destination == low)
					row[x] = (row[x] & 0xff000000u) | (high & 0xffffff);
				continue;
			}
			uint32 source = set ? high : low;
			bool darker = Brightness(source) < Brightness(destination);
			if (darker == (state.drawingMode == B_OP_MIN))
				row[x] = (row[x] & 0xff000000u) | (source & 0xffffff);
		}
	}
	cairo_surface_mark_dirty(fTarget);
	cairo_surface_destroy(mask);
}

} // namespace BPrivate
