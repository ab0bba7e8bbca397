// The drawing state of a view: pen, colours, font, modes, origin and clipping, kept as a
// stack that PushState() and PopState() grow and shrink.
#ifndef _DRAW_STATE_H
#define _DRAW_STATE_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <Point.h>
#include <Rect.h>
#include <Region.h>

#include <vector>

namespace BPrivate {

struct DrawState {
	BPoint			penLocation;
	float			penSize = 1.0f;
	rgb_color		highColor = { 0, 0, 0, 255 };
	rgb_color		lowColor = { 255, 255, 255, 255 };
	BFont			font;
	drawing_mode	drawingMode = B_OP_COPY;
	source_alpha	alphaSource = B_PIXEL_ALPHA;
	alpha_function	alphaFunction = B_ALPHA_OVERLAY;
	cap_mode		lineCap = B_BUTT_CAP;
	join_mode		lineJoin = B_MITER_JOIN;
	float			miterLimit = B_DEFAULT_MITER_LIMIT;

	// Text is drawn without antialiasing (ForceFontAliasing()).
	bool			aliasedText = false;

	// This level's origin and scale, relative to the combined ones of the levels below
	// it: a point p of this level lies at baseOrigin + baseScale * (origin + scale * p)
	// in the view's own coordinates.
	BPoint			origin;
	BPoint			baseOrigin;
	float			scale = 1.0f;
	float			baseScale = 1.0f;

	// The clipping of this level and those below it, and of the levels below alone, in
	// the view's own coordinates.
	bool			hasClipping = false;
	BRegion			clipping;
	bool			hasBaseClipping = false;
	BRegion			baseClipping;

	BPoint			CombinedOrigin() const
						{ return baseOrigin + BPoint(origin.x * baseScale,
							origin.y * baseScale); }
	float			CombinedScale() const { return baseScale * scale; }
	// From this level's coordinates to the view's own, and back.
	BPoint			ToView(BPoint point) const
						{ float s = CombinedScale(); BPoint o = CombinedOrigin();
							return BPoint(o.x + point.x * s, o.y + point.y * s); }
	BRect			ToView(BRect rect) const
						{ return BRect(ToView(rect.LeftTop()), ToView(rect.RightBottom())); }
};

// Never empty: the bottom level is the view's initial state and cannot be popped.
class DrawStateStack {
public:
								DrawStateStack() : fStates(1) {}

			DrawState&			Current() { return fStates.back(); }
			const DrawState&	Current() const { return fStates.back(); }

			// The new level starts as a copy of the current one, with its origin at the
			// current combined origin.
			void				Push();
			// Returns false when only the bottom level is left.
			bool				Pop();

			// Limits drawing to rect (in the current level's coordinates), within the
			// clipping that is already in force.
			void				ClipToRect(BRect rect);
			// Limits drawing to region (in the view's own coordinates) within the levels
			// below, replacing this level's limits; NULL lifts them.
			void				ConstrainClipping(const BRegion* region);
			// Limits drawing to region (view coordinates) within what is in force.
			void				IntersectClipping(const BRegion& region);

private:
			std::vector<DrawState> fStates;
};

} // namespace BPrivate

#endif // _DRAW_STATE_H
