#include <ScrollBar.h>

#include "interface/ArchiveFields.h"
#include "interface/ViewPrivate.h"

#include <AppDefs.h>
#include <Message.h>
#include <Window.h>

#include <algorithm>
#include <math.h>
#include <memory>
#include <stdlib.h>
#include <string.h>

namespace {

// The thumb never gets shorter than this, so that it stays easy to grab.
const float kMinThumbLength = 14;
// Small steps per notch of the mouse wheel.
const float kWheelSteps = 3;

} // namespace


// Travels with the listener the bar leaves in its target. The target drops it when it
// is deleted or when another bar takes the axis; either way the bar no longer has that
// target.
struct BScrollBar::TargetLink {
	BScrollBar* bar;
	BView* target;

	~TargetLink()
	{
		if (bar->fTarget == target)
			bar->fTarget = NULL;
	}
};


BScrollBar::BScrollBar(BRect frame, const char* name, BView* target, float min,
	float max, orientation direction)
	:
	BView(frame, name, direction == B_VERTICAL
			? B_FOLLOW_RIGHT | B_FOLLOW_TOP_BOTTOM : B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM,
		B_WILL_DRAW | B_FRAME_EVENTS),
	fTarget(NULL),
	fTargetName(NULL),
	fOrientation(direction),
	fMin(min),
	fMax(std::max(min, max)),
	fValue(min),
	fProportion(0),
	fSmallStep(1),
	fLargeStep(10),
	fDragging(false),
	fDragOffset(0)
{
	SetViewColor(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_1_TINT));
	SetTarget(target);
}


BScrollBar::BScrollBar(BMessage* archive)
	:
	BView(archive),
	fTarget(NULL),
	fTargetName(NULL),
	fOrientation(B_VERTICAL),
	fMin(0),
	fMax(0),
	fValue(0),
	fProportion(0),
	fSmallStep(1),
	fLargeStep(10),
	fDragging(false),
	fDragOffset(0)
{
	using BPrivate::find_archived_float;
	using BPrivate::kMaxArchivedCoordinate;
	int32 direction = B_VERTICAL;
	BPrivate::find_archived_int32(archive, "_orient", B_HORIZONTAL, B_VERTICAL, &direction);
	fOrientation = (orientation)direction;
	float min = 0;
	float max = 0;
	if (find_archived_float(archive, "_range", 0, -kMaxArchivedCoordinate,
			kMaxArchivedCoordinate, &min)
		&& find_archived_float(archive, "_range", 1, -kMaxArchivedCoordinate,
			kMaxArchivedCoordinate, &max)) {
		fMin = min;
		fMax = std::max(min, max);
	}
	find_archived_float(archive, "_steps", 0, 0, kMaxArchivedCoordinate, &fSmallStep);
	find_archived_float(archive, "_steps", 1, 0, kMaxArchivedCoordinate, &fLargeStep);
	find_archived_float(archive, "_prop", 0, 1, &fProportion);
	float value = fMin;
	find_archived_float(archive, "_val", fMin, fMax, &value);
	fValue = roundf(value);
}


BScrollBar::~BScrollBar()
{
	SetTarget((BView*)NULL);
	free(fTargetName);
}


BArchivable*
BScrollBar::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BScrollBar"))
		return NULL;
	return new BScrollBar(archive);
}


status_t
BScrollBar::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddFloat("_range", fMin);
	if (status == B_OK)
		status = archive->AddFloat("_range", fMax);
	if (status == B_OK)
		status = archive->AddFloat("_steps", fSmallStep);
	if (status == B_OK)
		status = archive->AddFloat("_steps", fLargeStep);
	if (status == B_OK)
		status = archive->AddFloat("_val", fValue);
	if (status == B_OK)
		status = archive->AddFloat("_prop", fProportion);
	if (status == B_OK)
		status = archive->AddInt32("_orient", (int32)fOrientation);
	return status;
}


void
BScrollBar::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (fTargetName != NULL && fTarget == NULL)
		SetTarget(Window()->FindView(fTargetName));
}


// #pragma mark - Value


void
BScrollBar::SetValue(float value)
{
	value = roundf(std::clamp(value, fMin, fMax));
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
	ValueChanged(value);
}


void
BScrollBar::ValueChanged(float newValue)
{
	if (fTarget == NULL)
		return;
	BPoint position = fTarget->Bounds().LeftTop();
	if (fOrientation == B_HORIZONTAL)
		position.x = newValue;
	else
		position.y = newValue;
	fTarget->ScrollTo(position);
}


void
BScrollBar::SetProportion(float proportion)
{
	proportion = std::clamp(proportion, 0.0f, 1.0f);
	if (proportion == fProportion)
		return;
	fProportion = proportion;
	Invalidate();
}


void
BScrollBar::SetRange(float min, float max)
{
	max = std::max(min, max);
	if (min == fMin && max == fMax)
		return;
	fMin = min;
	fMax = max;
	Invalidate();
	SetValue(fValue);
}


void
BScrollBar::GetRange(float* min, float* max) const
{
	if (min != NULL)
		*min = fMin;
	if (max != NULL)
		*max = fMax;
}


void
BScrollBar::SetSteps(float smallStep, float largeStep)
{
	fSmallStep = smallStep;
	fLargeStep = largeStep;
}


void
BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
	if (smallStep != NULL)
		*smallStep = fSmallStep;
	if (largeStep != NULL)
		*largeStep = fLargeStep;
}


// #pragma mark - Target


void
BScrollBar::SetTarget(BView* target)
{
	if (fTarget != NULL && fTarget->ScrollBar(fOrientation) == this)
		BView::Private(fTarget).SetScrollBar(fOrientation, NULL, nullptr);
	fTarget = target;
	if (target == NULL)
		return;
	std::shared_ptr<TargetLink> link(new TargetLink{ this, target });
	BView::Private(target).SetScrollBar(fOrientation, this,
		[link](float position) { link->bar->_TargetScrolled(position); });
}


void
BScrollBar::SetTarget(const char* targetName)
{
	free(fTargetName);
	fTargetName = targetName != NULL ? strdup(targetName) : NULL;
	if (Window() != NULL && targetName != NULL)
		SetTarget(Window()->FindView(targetName));
}


// The target scrolled: the bar shows where it is now.
void
BScrollBar::_TargetScrolled(float position)
{
	if (position == fValue)
		return;
	fValue = position;
	Invalidate();
	ValueChanged(position);
}


// #pragma mark - Input


void
BScrollBar::MouseDown(BPoint where)
{
	float thumbStart;
	float thumbLength;
	switch (_PartAt(where)) {
		case kDecrementArrow:
			SetValue(fValue - fSmallStep);
			break;
		case kIncrementArrow:
			SetValue(fValue + fSmallStep);
			break;
		case kTroughBefore:
			SetValue(fValue - fLargeStep);
			break;
		case kTroughAfter:
			SetValue(fValue + fLargeStep);
			break;
		case kThumb:
			_ThumbExtent(&thumbStart, &thumbLength);
			fDragging = true;
			fDragOffset = _Along(where) - thumbStart;
			SetMouseEventMask(B_POINTER_EVENTS);
			break;
		case kNoPart:
			break;
	}
}


void
BScrollBar::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	float thumbStart;
	float thumbLength;
	if (!fDragging || !_ThumbExtent(&thumbStart, &thumbLength))
		return;
	float travel = _Length() - 2 * _ButtonLength() - thumbLength;
	if (travel <= 0)
		return;
	float start = _Along(where) - fDragOffset - _ButtonLength();
	SetValue(fMin + start / travel * (fMax - fMin));
}


void
BScrollBar::MouseUp(BPoint where)
{
	fDragging = false;
}


void
BScrollBar::MessageReceived(BMessage* message)
{
	if (message->what != B_MOUSE_WHEEL_CHANGED) {
		BView::MessageReceived(message);
		return;
	}
	float deltaX = 0;
	float deltaY = 0;
	message->FindFloat("be:wheel_delta_x", &deltaX);
	message->FindFloat("be:wheel_delta_y", &deltaY);
	// A horizontal bar takes the vertical wheel when there is no horizontal one.
	float delta = fOrientation == B_HORIZONTAL && deltaX != 0 ? deltaX : deltaY;
	SetValue(fValue + delta * kWheelSteps * fSmallStep);
}


// #pragma mark - Geometry


float
BScrollBar::_Along(BPoint point) const
{
	return fOrientation == B_VERTICAL ? point.y : point.x;
}


// In pixels, along the axis.
float
BScrollBar::_Length() const
{
	BRect bounds = Bounds();
	return (fOrientation == B_VERTICAL ? bounds.Height() : bounds.Width()) + 1;
}


// The arrow buttons are square: as long as the bar is thick.
float
BScrollBar::_ButtonLength() const
{
	BRect bounds = Bounds();
	return (fOrientation == B_VERTICAL ? bounds.Width() : bounds.Height()) + 1;
}


bool
BScrollBar::_ThumbExtent(float* start, float* length) const
{
	float trough = _Length() - 2 * _ButtonLength();
	if (fMax <= fMin || trough <= 0)
		return false;
	float size = fProportion > 0 ? trough * fProportion : kMinThumbLength;
	size = std::min(trough, std::max(size, kMinThumbLength));
	*length = floorf(size);
	*start = _ButtonLength()
		+ floorf((trough - *length) * (std::clamp(fValue, fMin, fMax) - fMin)
			/ (fMax - fMin));
	return true;
}


BScrollBar::Part
BScrollBar::_PartAt(BPoint where) const
{
	float along = _Along(where);
	if (along < _ButtonLength())
		return kDecrementArrow;
	if (along >= _Length() - _ButtonLength())
		return kIncrementArrow;
	float start;
	float length;
	if (!_ThumbExtent(&start, &length))
		return kNoPart;
	if (along < start)
		return kTroughBefore;
	if (along >= start + length)
		return kTroughAfter;
	return kThumb;
}


// #pragma mark - Drawing


void
BScrollBar::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color dark = tint_color(panel, B_DARKEN_3_TINT);
	bool enabled = fMax > fMin;

	float button = _ButtonLength();
	BRect decrement = bounds;
	BRect increment = bounds;
	if (fOrientation == B_VERTICAL) {
		decrement.bottom = decrement.top + button - 1;
		increment.top = increment.bottom - button + 1;
	} else {
		decrement.right = decrement.left + button - 1;
		increment.left = increment.right - button + 1;
	}
	_DrawArrow(decrement, true, enabled);
	_DrawArrow(increment, false, enabled);

	float start;
	float length;
	if (_ThumbExtent(&start, &length)) {
		BRect thumb = bounds;
		if (fOrientation == B_VERTICAL) {
			thumb.top = start;
			thumb.bottom = start + length - 1;
		} else {
			thumb.left = start;
			thumb.right = start + length - 1;
		}
		SetHighColor(ui_color(B_SCROLL_BAR_THUMB_COLOR));
		FillRect(thumb);
		SetHighColor(ui_color(B_SHINE_COLOR));
		StrokeLine(thumb.LeftBottom(), thumb.LeftTop());
		StrokeLine(thumb.LeftTop(), thumb.RightTop());
		SetHighColor(dark);
		StrokeRect(thumb);
	}
	SetHighColor(dark);
	StrokeRect(bounds);
}


void
BScrollBar::_DrawArrow(BRect frame, bool decrement, bool enabled)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	SetHighColor(panel);
	FillRect(frame);
	SetHighColor(tint_color(panel, B_DARKEN_3_TINT));
	StrokeRect(frame);

	// The arrow is laid down one line of pixels at a time from its tip, so that it ends
	// exactly there: a filled triangle's outline would overshoot a sharp tip.
	BRect inner = frame.InsetByCopy(4, 4);
	rgb_color color = enabled ? make_color(0, 0, 0) : tint_color(panel, B_DARKEN_2_TINT);
	bool vertical = fOrientation == B_VERTICAL;
	float along = vertical ? inner.Height() : inner.Width();
	float start = vertical ? inner.left : inner.top;
	float end = vertical ? inner.right : inner.bottom;
	float middle = floorf((start + end) / 2);
	float tip = vertical ? (decrement ? inner.top : inner.bottom)
		: (decrement ? inner.left : inner.right);
	float direction = decrement ? 1 : -1;
	SetHighColor(color);
	for (int32 step = 0; step <= (int32)along; step++) {
		float at = tip + direction * step;
		float from = middle - roundf(step * (middle - start) / along);
		float to = middle + roundf(step * (end - middle) / along);
		FillRect(vertical ? BRect(from, at, to, at) : BRect(at, from, at, to));
	}
}
