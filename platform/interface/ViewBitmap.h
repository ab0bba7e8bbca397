// A view's background bitmap or overlay (BView::SetViewBitmap, SetViewOverlay): where it
// lies in the view and how it follows the view's edges.
#ifndef _VIEW_BITMAP_H
#define _VIEW_BITMAP_H

#include <Bitmap.h>
#include <GraphicsDefs.h>
#include <Rect.h>

#include <memory>

namespace BPrivate {

// The colour a view shows where its overlay is to appear.
const rgb_color kOverlayColorKey = { 255, 1, 254, 255 };

struct ViewBitmap {
	// A view bitmap's own copy; NULL for an overlay, which is read from overlay.
	std::unique_ptr<BBitmap> copy;
	const BBitmap*	overlay = NULL;
	BRect			source;
	BRect			destination;
	uint32			followFlags = 0;
	uint32			options = 0;
	// The view's size when the bitmap was set, from which its edges have moved since.
	float			viewWidth = 0;
	float			viewHeight = 0;

	const BBitmap*	Bitmap() const { return overlay != NULL ? overlay : copy.get(); }
	// The destination once the view measures width by height, moved and stretched as
	// the follow flags say (each edge follows the view's left, right or centre, as a
	// child view's edges follow its parent's).
	BRect			Placed(float width, float height) const;
};

// How far an edge that follows rule (one nibble of a B_FOLLOW_* mode) moves when its
// parent grows by delta along the edge's axis.
float EdgeShift(uint32 rule, float delta);

} // namespace BPrivate

#endif // _VIEW_BITMAP_H
