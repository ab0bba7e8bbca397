// The drawing state of a view: pen, colours, font, modes, origin and clipping, kept as a
// stack that PushState() and PopState() grow and shrink.
#ifndef _DRAW_STATE_H
#define _DRAW_STATE_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <Point.h>
#include <Rect.h>

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

	// This level's origin, relative to the combined origin of the levels below it.
	BPoint			origin;
	BPoint			baseOrigin;

	// The clipping of this level and those below it, in the view's own coordinates.
	bool			hasClipping = false;
	BRect			clipping;

	BPoint			CombinedOrigin() const { return baseOrigin + origin; }
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

private:
			std::vector<DrawState> fStates;
};

} // namespace BPrivate

#endif // _DRAW_STATE_H
