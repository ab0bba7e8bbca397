#include "BetterScrollView.h"

#include <ScrollBar.h>

#include <math.h>

#include "ScrollViewCorner.h"


static const rgb_color kActiveShade = { 216, 216, 216, 255 };
static const rgb_color kIdleShade = { 240, 240, 240, 255 };


BetterScrollView::BetterScrollView(const char* name, BView* target, uint32 resizingMode,
	uint32 flags, bool horizontal, bool vertical, bool corner, border_style border)
	:
	BScrollView(name, target, resizingMode, flags, horizontal, vertical, border),
	fDataRect(-1, -1, -1, -1),
	fHScrollBar(ScrollBar(B_HORIZONTAL)),
	fVScrollBar(ScrollBar(B_VERTICAL)),
	fCorner(NULL),
	fTarget(target)
{
	if (corner && fHScrollBar != NULL && fVScrollBar != NULL) {
		fCorner = new ScrollViewCorner(fVScrollBar->Frame().left,
			fHScrollBar->Frame().top);
		AddChild(fCorner);
	}
}


BetterScrollView::~BetterScrollView()
{
}


void
BetterScrollView::AttachedToWindow()
{
	BScrollView::AttachedToWindow();
	UpdateScrollBars(false);
}


void
BetterScrollView::FrameResized(float newWidth, float newHeight)
{
	BScrollView::FrameResized(newWidth, newHeight);
	UpdateScrollBars(true);
}


void
BetterScrollView::SetDataRect(BRect dataRect, bool fit)
{
	fDataRect = dataRect;
	UpdateScrollBars(fit);
}


// One bar's range, proportion and steps along its axis; true when it can scroll.
static bool
update_bar(BScrollBar* bar, float dataStart, float dataExtent, float viewStart,
	float viewExtent)
{
	float proportion = viewExtent / dataExtent;
	bool active = false;
	if (proportion >= 1) {
		bar->SetRange(0, 0);
	} else {
		float minimum = fmin(dataStart, viewStart);
		float maximum = fmax(dataStart + dataExtent - viewExtent, viewStart);
		bar->SetRange(minimum, maximum);
		bar->SetSteps(ceilf(viewExtent / 20), viewExtent);
		active = true;
	}
	bar->SetProportion(proportion);
	return active;
}


void
BetterScrollView::UpdateScrollBars(bool fit)
{
	BRect bounds = fTarget->Bounds();
	float viewWidth = bounds.Width();
	float viewHeight = bounds.Height();
	float dataWidth;
	float dataHeight;

	if (fit) {
		dataWidth = fmax(fDataRect.Width(), viewWidth);
		dataHeight = fmax(fDataRect.Height(), viewHeight);

		float dx = 0;
		if (fHScrollBar != NULL) {
			if (bounds.left < fDataRect.left)
				dx = fDataRect.left - bounds.left;
			else if (bounds.right > fDataRect.left + dataWidth)
				dx = fDataRect.left + dataWidth - bounds.right;
		}
		float dy = 0;
		if (fVScrollBar != NULL) {
			if (bounds.top < fDataRect.top)
				dy = fDataRect.top - bounds.top;
			else if (bounds.bottom > fDataRect.top + dataHeight)
				dy = fDataRect.top + dataHeight - bounds.bottom;
		}
		if (dx != 0 || dy != 0) {
			fTarget->ScrollTo(bounds.left + dx, bounds.top + dy);
			bounds = fTarget->Bounds();
		}
	} else {
		// Without scrolling, the extent is the union of the data and what shows now.
		dataWidth = fmax(fDataRect.right, bounds.right) - fmin(fDataRect.left, bounds.left);
		dataHeight = fmax(fDataRect.bottom, bounds.bottom)
			- fmin(fDataRect.top, bounds.top);
	}

	bool active = false;
	if (fHScrollBar != NULL) {
		active |= update_bar(fHScrollBar, fDataRect.left, dataWidth, bounds.left,
			viewWidth);
	}
	if (fVScrollBar != NULL) {
		active |= update_bar(fVScrollBar, fDataRect.top, dataHeight, bounds.top,
			viewHeight);
	}

	if (fCorner != NULL) {
		rgb_color shade = active ? kActiveShade : kIdleShade;
		rgb_color current = fCorner->ViewColor();
		if (current.red != shade.red || current.green != shade.green
			|| current.blue != shade.blue || current.alpha != shade.alpha) {
			fCorner->SetViewColor(shade);
			fCorner->Invalidate();
		}
	}
}
