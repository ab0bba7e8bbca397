// BView's background bitmap and overlay, and the hooks around drawing that go with them.
#include "interface/ViewBitmap.h"

#include "app/LockCheck.h"

#include <View.h>
#include <Window.h>

namespace BPrivate {

float
EdgeShift(uint32 rule, float delta)
{
	switch (rule) {
		case _VIEW_RIGHT_:
		case _VIEW_BOTTOM_:
			return delta;
		case _VIEW_CENTER_:
			return delta / 2;
		default:
			return 0;
	}
}


BRect
ViewBitmap::Placed(float width, float height) const
{
	float dWidth = width - viewWidth;
	float dHeight = height - viewHeight;
	BRect placed = destination;
	placed.top += EdgeShift((followFlags >> 12) & 0xf, dHeight);
	placed.left += EdgeShift((followFlags >> 8) & 0xf, dWidth);
	placed.bottom += EdgeShift((followFlags >> 4) & 0xf, dHeight);
	placed.right += EdgeShift(followFlags & 0xf, dWidth);
	return placed;
}

} // namespace BPrivate


using BPrivate::ViewBitmap;


void BView::DrawAfterChildren(BRect updateRect) {}


void
BView::SetViewBitmap(const BBitmap* bitmap, BRect srcRect, BRect dstRect,
	uint32 followFlags, uint32 options)
{
	BPrivate::check_lock(fOwner);
	if (bitmap == NULL || !bitmap->IsValid() || !srcRect.IsValid() || !dstRect.IsValid()) {
		_SetViewBitmap(NULL);
		return;
	}
	ViewBitmap* viewBitmap = new ViewBitmap;
	viewBitmap->copy.reset(new BBitmap(bitmap));
	if (!viewBitmap->copy->IsValid()) {
		delete viewBitmap;
		_SetViewBitmap(NULL);
		return;
	}
	viewBitmap->source = srcRect & bitmap->Bounds();
	viewBitmap->destination = dstRect;
	viewBitmap->followFlags = followFlags & _RESIZE_MASK_;
	viewBitmap->options = options;
	_SetViewBitmap(viewBitmap);
}


void
BView::SetViewBitmap(const BBitmap* bitmap, uint32 followFlags, uint32 options)
{
	if (bitmap == NULL) {
		ClearViewBitmap();
		return;
	}
	BRect bounds = bitmap->Bounds();
	SetViewBitmap(bitmap, bounds, bounds.OffsetToCopy(B_ORIGIN), followFlags, options);
}


void
BView::ClearViewBitmap()
{
	BPrivate::check_lock(fOwner);
	if (fViewBitmap != NULL && fViewBitmap->overlay == NULL)
		_SetViewBitmap(NULL);
}


status_t
BView::SetViewOverlay(const BBitmap* overlay, BRect srcRect, BRect dstRect,
	rgb_color* colorKey, uint32 followFlags, uint32 options)
{
	BPrivate::check_lock(fOwner);
	if (overlay == NULL || !overlay->IsValid() || colorKey == NULL
		|| (overlay->Flags() & B_BITMAP_WILL_OVERLAY) != B_BITMAP_WILL_OVERLAY
		|| !srcRect.IsValid() || !dstRect.IsValid()) {
		return B_BAD_VALUE;
	}
	ViewBitmap* viewBitmap = new ViewBitmap;
	viewBitmap->overlay = overlay;
	viewBitmap->source = srcRect & overlay->Bounds();
	viewBitmap->destination = dstRect;
	viewBitmap->followFlags = followFlags & _RESIZE_MASK_;
	viewBitmap->options = options;
	if ((options & (B_OVERLAY_FILTER_HORIZONTAL | B_OVERLAY_FILTER_VERTICAL)) != 0)
		viewBitmap->options |= B_FILTER_BITMAP_BILINEAR;
	*colorKey = BPrivate::kOverlayColorKey;
	_SetViewBitmap(viewBitmap);
	return B_OK;
}


status_t
BView::SetViewOverlay(const BBitmap* overlay, rgb_color* colorKey, uint32 followFlags,
	uint32 options)
{
	if (overlay == NULL)
		return B_BAD_VALUE;
	BRect bounds = overlay->Bounds();
	return SetViewOverlay(overlay, bounds, bounds.OffsetToCopy(B_ORIGIN), colorKey,
		followFlags, options);
}


void
BView::ClearViewOverlay()
{
	BPrivate::check_lock(fOwner);
	if (fViewBitmap != NULL && fViewBitmap->overlay != NULL)
		_SetViewBitmap(NULL);
}


bool
BView::IsPrinting() const
{
	return fPrinting > 0;
}


void
BView::_SetViewBitmap(ViewBitmap* bitmap)
{
	if (bitmap != NULL) {
		bitmap->viewWidth = fBounds.Width();
		bitmap->viewHeight = fBounds.Height();
	}
	delete fViewBitmap;
	fViewBitmap = bitmap;
	if (fOwner != NULL)
		Invalidate();
}
