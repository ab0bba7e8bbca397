// BColorControl's ramps: a sunken frame around the cell matrix (columns by rows cells of
// the cell size), which the red, green, blue and grey ramps share in that order, stacked
// along the matrix's shorter side. Each ramp runs from level 0 to 255 along the longer
// side, left to right or top to bottom, and shows a marker at its component's level (the
// grey ramp at the mean of the three).
#include <ColorControl.h>

#include "interface/SunkenEdge.h"

#include <algorithm>
#include <math.h>

namespace {

enum {
	kRedRamp = 0,
	kGreenRamp,
	kBlueRamp,
	kGreyRamp
};

const int32 kRampCount = 4;

// The sunken frame around the ramps is this wide.
const float kFrameWidth = 2;


// The colour at level of a ramp.
rgb_color
ramp_color(int32 ramp, uint8 level)
{
	switch (ramp) {
		case kRedRamp:
			return make_color(level, 0, 0);
		case kGreenRamp:
			return make_color(0, level, 0);
		case kBlueRamp:
			return make_color(0, 0, level);
		default:
			return make_color(level, level, level);
	}
}


// Halfway between color and background, as a disabled control shows its ramps.
rgb_color
faded(rgb_color color, rgb_color background)
{
	return make_color((color.red + background.red) / 2, (color.green + background.green) / 2,
		(color.blue + background.blue) / 2);
}

} // namespace


bool
BColorControl::_Horizontal() const
{
	// The layout is the number of columns of a 256-cell matrix.
	return fLayout >= B_CELLS_16x16;
}


BRect
BColorControl::_RampsFrame() const
{
	int32 columns = fLayout;
	float width = floorf(columns * fCellSize);
	float height = floorf(256 / columns * fCellSize);
	return BRect(0, 0, width - 1 + 2 * kFrameWidth, height - 1 + 2 * kFrameWidth);
}


BRect
BColorControl::_RampFrame(int32 ramp) const
{
	BRect inner = _RampsFrame().InsetByCopy(kFrameWidth, kFrameWidth);
	float extent = _Horizontal() ? inner.Height() + 1 : inner.Width() + 1;
	float start = floorf(ramp * extent / kRampCount);
	float end = floorf((ramp + 1) * extent / kRampCount) - 1;
	if (_Horizontal())
		return BRect(inner.left, inner.top + start, inner.right, inner.top + end);
	return BRect(inner.left + start, inner.top, inner.left + end, inner.bottom);
}


int32
BColorControl::_RampAt(BPoint where) const
{
	BRect inner = _RampsFrame().InsetByCopy(kFrameWidth, kFrameWidth);
	if (!inner.Contains(where))
		return -1;
	for (int32 ramp = 0; ramp < kRampCount; ramp++) {
		if (_RampFrame(ramp).Contains(where))
			return ramp;
	}
	return -1;
}


// The level under where, along ramp; a point beyond either end gives that end's level.
int32
BColorControl::_LevelAt(int32 ramp, BPoint where) const
{
	BRect frame = _RampFrame(ramp);
	float along = _Horizontal() ? where.x - frame.left : where.y - frame.top;
	float length = _Horizontal() ? frame.Width() : frame.Height();
	if (length <= 0)
		return 0;
	return std::clamp((int32)roundf(along * 255 / length), (int32)0, (int32)255);
}


int32
BColorControl::_Level(int32 ramp) const
{
	rgb_color color = ValueAsColor();
	switch (ramp) {
		case kRedRamp:
			return color.red;
		case kGreenRamp:
			return color.green;
		case kBlueRamp:
			return color.blue;
		default:
			return (int32)roundf((color.red + color.green + color.blue) / 3.0f);
	}
}


void
BColorControl::_SetFromUser(int32 ramp, int32 level)
{
	rgb_color color = ValueAsColor();
	if (ramp == kRedRamp || ramp == kGreyRamp)
		color.red = level;
	if (ramp == kGreenRamp || ramp == kGreyRamp)
		color.green = level;
	if (ramp == kBlueRamp || ramp == kGreyRamp)
		color.blue = level;
	int32 old = Value();
	SetValue(color);
	if (Value() != old)
		Invoke();
}


// #pragma mark - Drawing


void
BColorControl::Draw(BRect updateRect)
{
	// Sunken: dark above and left, light below and right, the control border inside.
	BRect frame = _RampsFrame();
	BPrivate::stroke_sunken_edge(this, frame, ViewColor());
	SetHighColor(ui_color(B_CONTROL_BORDER_COLOR));
	StrokeRect(frame.InsetByCopy(1, 1));

	for (int32 ramp = 0; ramp < kRampCount; ramp++)
		_DrawRamp(ramp);
}


void
BColorControl::_DrawRamp(int32 ramp)
{
	BRect frame = _RampFrame(ramp);
	if (!frame.IsValid())
		return;
	bool horizontal = _Horizontal();
	float length = horizontal ? frame.Width() : frame.Height();
	rgb_color background = ViewColor();

	// One line across the ramp for each pixel along it.
	BeginLineArray((int32)length + 1);
	for (float step = 0; step <= length; step++) {
		uint8 level = length > 0 ? (uint8)roundf(step * 255 / length) : 0;
		rgb_color color = ramp_color(ramp, level);
		if (!IsEnabled())
			color = faded(color, background);
		if (horizontal) {
			AddLine(BPoint(frame.left + step, frame.top), BPoint(frame.left + step, frame.bottom),
				color);
		} else {
			AddLine(BPoint(frame.left, frame.top + step), BPoint(frame.right, frame.top + step),
				color);
		}
	}
	EndLineArray();

	// The marker: a white line framed in black, seen on the dark and the light end alike.
	float at = roundf(_Level(ramp) * length / 255);
	BRect marker = horizontal
		? BRect(frame.left + at - 1, frame.top, frame.left + at + 1, frame.bottom)
		: BRect(frame.left, frame.top + at - 1, frame.right, frame.top + at + 1);
	marker = marker & frame;
	SetHighColor(make_color(0, 0, 0));
	StrokeRect(marker);
	SetHighColor(make_color(255, 255, 255));
	if (horizontal) {
		StrokeLine(BPoint(frame.left + at, frame.top + 1),
			BPoint(frame.left + at, frame.bottom - 1));
	} else {
		StrokeLine(BPoint(frame.left + 1, frame.top + at),
			BPoint(frame.right - 1, frame.top + at));
	}

	// The focus frame mixes the navigation colour with white, so that it shows on the
	// blue ramp too.
	if (IsFocus() && ramp == fFocusRamp) {
		PushState();
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		SetLowColor(make_color(255, 255, 255));
		StrokeRect(frame, B_MIXED_COLORS);
		PopState();
	}
}


// #pragma mark - Input


void
BColorControl::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	int32 ramp = _RampAt(where);
	if (ramp < 0)
		return;
	if ((Flags() & B_NAVIGABLE) != 0)
		MakeFocus(true);
	fFocusRamp = ramp;
	fTrackedRamp = ramp;
	SetTracking(true);
	Invalidate();
	_SetFromUser(ramp, _LevelAt(ramp, where));
}


void
BColorControl::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (IsTracking() && fTrackedRamp >= 0)
		_SetFromUser(fTrackedRamp, _LevelAt(fTrackedRamp, where));
}


void
BColorControl::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	fTrackedRamp = -1;
}


void
BColorControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (!IsEnabled() || numBytes != 1) {
		BControl::KeyDown(bytes, numBytes);
		return;
	}
	// Along the ramps the arrows step the focused one; across them they move the focus.
	bool horizontal = _Horizontal();
	char back = horizontal ? B_LEFT_ARROW : B_UP_ARROW;
	char forth = horizontal ? B_RIGHT_ARROW : B_DOWN_ARROW;
	char previous = horizontal ? B_UP_ARROW : B_LEFT_ARROW;
	char next = horizontal ? B_DOWN_ARROW : B_RIGHT_ARROW;
	int32 level = _Level(fFocusRamp);
	char key = bytes[0];
	if (key == back || key == forth || key == B_HOME || key == B_END) {
		level = key == B_HOME ? 0 : key == B_END ? 255 : level + (key == back ? -1 : 1);
		_SetFromUser(fFocusRamp, std::clamp(level, (int32)0, (int32)255));
	} else if (key == previous || key == next) {
		fFocusRamp = std::clamp(fFocusRamp + (key == previous ? -1 : 1), (int32)0,
			kRampCount - 1);
		Invalidate();
	} else if (key != B_SPACE && key != B_ENTER) {
		// Space and Enter do not flip a colour.
		BView::KeyDown(bytes, numBytes);
	}
}
