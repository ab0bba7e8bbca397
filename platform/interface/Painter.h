// Draws into a cairo image surface with the platform's semantics: pixel-exact shapes
// (edges belong to the shape), 8x8 patterns, and the drawing modes.
#ifndef _PAINTER_H
#define _PAINTER_H

#include "interface/DrawState.h"

#include <functional>

class BBitmap;
class BRegion;
class BShape;

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_pattern cairo_pattern_t;

namespace BPrivate {

// A pixel-aligned rectangle covering whole pixels from left to right inclusive.
void PixelRect(cairo_t* cairo, BRect rect);
// Lines of odd width run through pixel centres so that they cover whole pixels.
double StrokeOffset(const DrawState& state);

// One painter serves one surface and is used by one thread at a time (the window's).
// Before drawing for a view, SetView() places the view's coordinate system on the surface
// and limits drawing to its visible part; every call then takes the view's state.
class Painter {
public:
								Painter(cairo_surface_t* target);
								~Painter();

			cairo_surface_t*	Target() const { return fTarget; }

			// deviceOrigin: where the view's (0, 0) lies on the surface; deviceClip: the
			// part of the surface the view may touch, in surface coordinates.
			void				SetView(BPoint deviceOrigin, BRect deviceClip);

			void				StrokeLine(const DrawState& state, BPoint from, BPoint to,
									const pattern& pattern);
			void				StrokeRect(const DrawState& state, BRect rect,
									const pattern& pattern);
			void				FillRect(const DrawState& state, BRect rect,
									const pattern& pattern);
			void				StrokeEllipse(const DrawState& state, BRect rect,
									const pattern& pattern);
			void				FillEllipse(const DrawState& state, BRect rect,
									const pattern& pattern);
			void				StrokePolygon(const DrawState& state, const BPoint* points,
									int32 count, bool closed, const pattern& pattern);
			void				FillPolygon(const DrawState& state, const BPoint* points,
									int32 count, const pattern& pattern);
			void				InvertRect(const DrawState& state, BRect rect);

			// Angles in degrees, counter-clockwise from the positive x axis, within the
			// ellipse that rect bounds.
			void				StrokeArc(const DrawState& state, BRect rect, float start,
									float arc, const pattern& pattern);
			void				FillArc(const DrawState& state, BRect rect, float start,
									float arc, const pattern& pattern);
			void				StrokeRoundRect(const DrawState& state, BRect rect,
									float xRadius, float yRadius, const pattern& pattern);
			void				FillRoundRect(const DrawState& state, BRect rect,
									float xRadius, float yRadius, const pattern& pattern);
			// points: start, two control points, end.
			void				StrokeBezier(const DrawState& state, const BPoint* points,
									const pattern& pattern);
			void				FillBezier(const DrawState& state, const BPoint* points,
									const pattern& pattern);
			void				StrokeShape(const DrawState& state, const BShape& shape,
									const pattern& pattern);
			void				FillShape(const DrawState& state, const BShape& shape,
									const pattern& pattern);
			void				FillRegion(const DrawState& state, const BRegion& region,
									const pattern& pattern);
			// Copies what the surface shows in source onto destination (view
			// coordinates of the state), scaled to fit.
			void				CopyBits(const DrawState& state, BRect source,
									BRect destination);

			// Draws with the baseline starting at where; returns the advance.
			float				DrawString(const DrawState& state, const char* string,
									int32 length, BPoint where);

			// Draws source (in bitmap coordinates) scaled into destination.
			void				DrawBitmap(const DrawState& state, const BBitmap* bitmap,
									BRect source, BRect destination);

			// A view's background bitmap: source (bitmap coordinates) scaled into
			// destination, repeated across the view along the axes options tile
			// (B_TILE_BITMAP_X, _Y), smoothed with B_FILTER_BITMAP_BILINEAR. Like
			// FillBackground(), it ignores the state.
			void				DrawViewBitmap(const BBitmap* bitmap, BRect source,
									BRect destination, uint32 options);
			// An overlay, placed as a view bitmap but shown only on the pixels that
			// have the colour key.
			void				DrawOverlay(const BBitmap* bitmap, BRect source,
									BRect destination, uint32 options, rgb_color key);

			// Fills rect of the view with color, ignoring modes, patterns and the state's
			// origin and clipping: how a view's background is erased.
			void				FillBackground(BRect rect, rgb_color color);

private:
			typedef std::function<void(cairo_t*)> PathMaker;

			// What a path covers: its inside, its stroke in the pen, or its inside with a
			// one-pixel outline (how the platform fills shapes), each pixel once.
			enum PathUse {
				kFillPath = 0,
				kStrokePath = 1,
				kFillWithOutline = 2
			};

			void				Prepare(const DrawState& state);
			// Saves cairo's state and sets it to draw in the view's coordinates, clipped
			// to its visible part, without the drawing state (origin, scale, clipping).
			void				PrepareUnstated();
			// The pen's width in user space, bounded so that it is at most
			// kMaxPenWidth device pixels.
	static	double				LineWidth(const DrawState& state);
			// Whether a curve within bounds (user coordinates) lies where cairo can
			// flatten it in reasonable time and memory.
			bool				CurveFits(const DrawState& state, BRect bounds) const;
			// Composites cairo's source through what the current path covers, in its
			// operator, and clears the path.
			void				Cover(cairo_t* cairo, int use);
			// Covers the path that makePath adds (use: a PathUse; a bool says whether to
			// stroke), in the state's mode.
			void				Render(const DrawState& state, const pattern& pattern,
									const PathMaker& makePath, int use, bool antialias);
			// The modes that compare pixels (B_OP_SELECT, B_OP_MIN, B_OP_MAX).
			void				RenderPerPixel(const DrawState& state,
									const pattern& pattern, const PathMaker& makePath,
									int use);
			cairo_pattern_t*	CreateSource(const DrawState& state, const pattern& pattern);
			// Sets cairo up for a view bitmap: the view's device clip and coordinates,
			// clipped to where the bitmap shows, with the bitmap as the source.
			void				PrepareViewBitmap(const BBitmap* bitmap, BRect source,
									BRect destination, uint32 options);

			cairo_surface_t*	fTarget;
			cairo_t*			fCairo;
			BPoint				fDeviceOrigin;
			BRect				fDeviceClip;
};

} // namespace BPrivate

#endif // _PAINTER_H
