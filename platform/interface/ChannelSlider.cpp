// BChannelSlider: the strips of the channels with their grooves and thumbs, the label and
// limit labels around them, and the pointer and keys that move the thumbs.
#include <ChannelSlider.h>

#include "interface/PixelFormat.h"
#include "interface/SunkenEdge.h"

#include <Bitmap.h>
#include <Window.h>

#include <algorithm>
#include <math.h>
#include <vector>

namespace {

// A thumb is this long across its groove and this thick along it.
const int32 kThumbAcross = 16;
const int32 kThumbAlong = 8;
// Each channel has a strip this wide (across its groove).
const float kStripWidth = 24;
const float kGrooveWidth = 4;
// Room between the strips and the left and right edges.
const float kMargin = 2;
// The length of the channels' area a preferred size asks for.
const float kPreferredLength = 120;
const int32 kMaxChannels = 32;


BPoint
thumb_centre(BRect area, BRect strip, bool vertical, float delta)
{
	if (vertical) {
		return BPoint(floorf((strip.left + strip.right) / 2),
			floorf(area.bottom - kThumbAlong / 2 - delta));
	}
	return BPoint(floorf(area.left + kThumbAlong / 2 + delta),
		floorf((strip.top + strip.bottom) / 2));
}

} // namespace


BChannelSlider::BChannelSlider(BRect area, const char* name, const char* label,
	BMessage* message, int32 channels, uint32 resizingMode, uint32 flags)
	:
	BChannelControl(area, name, label, message, channels, resizingMode, flags)
{
	_Init(area.Height() > area.Width() ? B_VERTICAL : B_HORIZONTAL);
}


BChannelSlider::BChannelSlider(BRect area, const char* name, const char* label,
	BMessage* message, orientation direction, int32 channels, uint32 resizingMode,
	uint32 flags)
	:
	BChannelControl(area, name, label, message, channels, resizingMode, flags)
{
	_Init(direction);
}


BChannelSlider::BChannelSlider(BMessage* archive)
	:
	BChannelControl(archive)
{
	int32 direction;
	if (archive->FindInt32("_orient", &direction) != B_OK
		|| (direction != B_VERTICAL && direction != B_HORIZONTAL)) {
		direction = Bounds().Height() > Bounds().Width() ? B_VERTICAL : B_HORIZONTAL;
	}
	if (CountChannels() > kMaxChannels)
		SetChannelCount(kMaxChannels);
	_Init((orientation)direction);
}


BChannelSlider::~BChannelSlider()
{
	_DropThumbs();
}


void
BChannelSlider::_Init(orientation direction)
{
	fOrientation = direction;
	fThumbs[0] = fThumbs[1] = NULL;
	fTrackedChannel = -1;
	fAllChannels = true;
}


BArchivable*
BChannelSlider::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BChannelSlider"))
		return NULL;
	return new BChannelSlider(archive);
}


status_t
BChannelSlider::Archive(BMessage* data, bool deep) const
{
	status_t status = BChannelControl::Archive(data, deep);
	if (status == B_OK)
		status = data->AddInt32("_orient", (int32)fOrientation);
	return status;
}


void
BChannelSlider::SetOrientation(orientation direction)
{
	if (direction == fOrientation)
		return;
	fOrientation = direction;
	_DropThumbs();
	Invalidate();
}


int32
BChannelSlider::MaxChannelCount() const
{
	return kMaxChannels;
}


bool
BChannelSlider::SupportsIndividualLimits() const
{
	return false;
}


void
BChannelSlider::_DropThumbs()
{
	for (BBitmap*& thumb : fThumbs) {
		delete thumb;
		thumb = NULL;
	}
}


float
BChannelSlider::_LabelRowHeight() const
{
	font_height height;
	GetFontHeight(&height);
	return ceilf(height.ascent + height.descent) + 2;
}


BRect
BChannelSlider::_ChannelsArea() const
{
	BRect area = Bounds();
	float row = _LabelRowHeight();
	bool minLabel = MinLimitLabel()[0] != '\0';
	bool maxLabel = MaxLimitLabel()[0] != '\0';
	if (Label() != NULL)
		area.top += row;
	if (_Vertical()) {
		if (maxLabel)
			area.top += row;
		if (minLabel)
			area.bottom -= row;
	} else if (minLabel || maxLabel)
		area.bottom -= row;
	area.InsetBy(kMargin, 0);
	return area;
}


BRect
BChannelSlider::_StripFor(int32 channel) const
{
	BRect area = _ChannelsArea();
	if (_Vertical()) {
		return BRect(area.left + channel * kStripWidth, area.top,
			area.left + (channel + 1) * kStripWidth - 1, area.bottom);
	}
	return BRect(area.left, area.top + channel * kStripWidth, area.right,
		area.top + (channel + 1) * kStripWidth - 1);
}


float
BChannelSlider::ThumbRangeFor(int32 channel)
{
	BRect area = _ChannelsArea();
	return fmaxf((_Vertical() ? area.Height() : area.Width()) - kThumbAlong, 0);
}


float
BChannelSlider::ThumbDeltaFor(int32 channel)
{
	int32 minimum;
	int32 maximum;
	if (GetLimitsFor(channel, &minimum, &maximum) != B_OK || maximum == minimum)
		return 0;
	return floorf(ThumbRangeFor(channel) * ((double)ValueFor(channel) - minimum)
		/ ((double)maximum - minimum) + 0.5);
}


bool
BChannelSlider::ThumbFrameFor(int32 channel, BRect* frame)
{
	if (frame == NULL || channel < 0 || channel >= CountChannels())
		return false;
	BPoint centre = thumb_centre(_ChannelsArea(), _StripFor(channel), _Vertical(),
		ThumbDeltaFor(channel));
	float width = _Vertical() ? kThumbAcross : kThumbAlong;
	float height = _Vertical() ? kThumbAlong : kThumbAcross;
	frame->left = centre.x - floorf(width / 2);
	frame->top = centre.y - floorf(height / 2);
	frame->right = frame->left + width - 1;
	frame->bottom = frame->top + height - 1;
	return true;
}


const BBitmap*
BChannelSlider::ThumbFor(int32 channel, bool pressed)
{
	BBitmap*& thumb = fThumbs[pressed ? 1 : 0];
	if (thumb != NULL)
		return thumb;
	int32 width = _Vertical() ? kThumbAcross : kThumbAlong;
	int32 height = _Vertical() ? kThumbAlong : kThumbAcross;
	thumb = new BBitmap(BRect(0, 0, width - 1, height - 1), B_RGB32);
	if (thumb->InitCheck() != B_OK) {
		_DropThumbs();
		return NULL;
	}
	// A raised block with a groove across its middle to take hold of.
	rgb_color face = ui_color(B_CONTROL_BACKGROUND_COLOR);
	if (pressed)
		face = tint_color(face, B_DARKEN_2_TINT);
	rgb_color border = ui_color(B_CONTROL_BORDER_COLOR);
	rgb_color light = tint_color(face, B_LIGHTEN_2_TINT);
	rgb_color dark = tint_color(face, B_DARKEN_2_TINT);
	uint8* bits = (uint8*)thumb->Bits();
	for (int32 y = 0; y < height; y++) {
		uint8* row = bits + y * thumb->BytesPerRow();
		for (int32 x = 0; x < width; x++) {
			rgb_color color = face;
			bool middle = _Vertical() ? y == height / 2 - 1 : x == width / 2 - 1;
			if (x == 0 || y == 0 || x == width - 1 || y == height - 1)
				color = border;
			else if (x == 1 || y == 1)
				color = light;
			else if (x == width - 2 || y == height - 2 || middle)
				color = dark;
			BPrivate::WritePixel(row, x, B_RGB32, color);
		}
	}
	return thumb;
}


void
BChannelSlider::DrawGroove(BView* into, int32 channel, BPoint leftTop, BPoint rightBottom)
{
	BRect groove(leftTop, rightBottom);
	rgb_color background = into->ViewColor();
	into->SetHighColor(tint_color(background, IsEnabled() ? B_DARKEN_2_TINT
		: B_DARKEN_1_TINT));
	into->FillRect(groove);
	BPrivate::stroke_sunken_edge(into, groove, background);
}


void
BChannelSlider::DrawThumb(BView* into, int32 channel, BPoint where, bool pressed)
{
	const BBitmap* thumb = ThumbFor(channel, pressed);
	if (thumb == NULL)
		return;
	BRect bounds = thumb->Bounds();
	into->DrawBitmap(thumb, BPoint(where.x - floorf((bounds.Width() + 1) / 2),
		where.y - floorf((bounds.Height() + 1) / 2)));
}


void
BChannelSlider::DrawChannel(BView* into, int32 channel, BRect area, bool pressed)
{
	BRect channels = _ChannelsArea();
	BPoint leftTop;
	BPoint rightBottom;
	if (_Vertical()) {
		float middle = floorf((area.left + area.right) / 2);
		leftTop = BPoint(middle - kGrooveWidth / 2, channels.top + kThumbAlong / 2);
		rightBottom = BPoint(middle + kGrooveWidth / 2 - 1,
			channels.bottom - kThumbAlong / 2);
	} else {
		float middle = floorf((area.top + area.bottom) / 2);
		leftTop = BPoint(channels.left + kThumbAlong / 2, middle - kGrooveWidth / 2);
		rightBottom = BPoint(channels.right - kThumbAlong / 2,
			middle + kGrooveWidth / 2 - 1);
	}
	DrawGroove(into, channel, leftTop, rightBottom);
	DrawThumb(into, channel, thumb_centre(channels, area, _Vertical(),
		ThumbDeltaFor(channel)), pressed);
}


void
BChannelSlider::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	float row = _LabelRowHeight();
	font_height height;
	GetFontHeight(&height);
	SetLowColor(ViewColor());
	SetHighColor(LabelColor());
	float top = bounds.top;
	if (const char* label = Label()) {
		DrawString(label, BPoint(kMargin, top + 1 + ceilf(height.ascent)));
		top += row;
	}
	const char* minLabel = MinLimitLabel();
	const char* maxLabel = MaxLimitLabel();
	float bottomBaseline = bounds.bottom - 1 - ceilf(height.descent);
	if (_Vertical()) {
		// The maximum is at the top of the sliders, the minimum at their bottom.
		DrawString(maxLabel, BPoint(kMargin, top + 1 + ceilf(height.ascent)));
		DrawString(minLabel, BPoint(kMargin, bottomBaseline));
	} else {
		DrawString(minLabel, BPoint(kMargin, bottomBaseline));
		DrawString(maxLabel, BPoint(bounds.right - kMargin - StringWidth(maxLabel),
			bottomBaseline));
	}

	for (int32 i = 0; i < CountChannels(); i++) {
		bool pressed = IsTracking() && (fAllChannels || i == fTrackedChannel);
		DrawChannel(this, i, _StripFor(i), pressed);
	}
	BRect thumb;
	if (IsFocus() && ThumbFrameFor(CurrentChannel(), &thumb)) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeRect(thumb.InsetByCopy(-1, -1));
	}
}


int32
BChannelSlider::_ChannelAt(BPoint where) const
{
	for (int32 i = 0; i < CountChannels(); i++) {
		if (_StripFor(i).Contains(where))
			return i;
	}
	return -1;
}


int32
BChannelSlider::_ValueAt(int32 channel, BPoint where)
{
	BRect area = _ChannelsArea();
	float along = _Vertical() ? area.bottom - kThumbAlong / 2 - where.y
		: where.x - area.left - kThumbAlong / 2;
	float range = ThumbRangeFor(channel);
	double fraction = range > 0 ? std::min(std::max(along / range, 0.0f), 1.0f) : 0;
	int32 minimum;
	int32 maximum;
	GetLimitsFor(channel, &minimum, &maximum);
	return (int32)floor(minimum + fraction * ((double)maximum - minimum) + 0.5);
}


void
BChannelSlider::_MoveTracked(BPoint where, bool modifying)
{
	std::vector<int32> before(Values(), Values() + CountChannels());
	int32 value = _ValueAt(fTrackedChannel, where);
	if (fAllChannels)
		SetAllValue(value);
	else
		SetValueFor(fTrackedChannel, value);
	bool changed = !std::equal(before.begin(), before.end(), Values());
	if (changed && modifying && ModificationMessage() != NULL) {
		InvokeNotifyChannel(ModificationMessage(), B_CONTROL_MODIFIED,
			fAllChannels ? 0 : fTrackedChannel, fAllChannels ? -1 : 1);
	}
}


void
BChannelSlider::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	int32 channel = _ChannelAt(where);
	if (channel < 0)
		return;
	if (Flags() & B_NAVIGABLE)
		MakeFocus(true);
	int32 modifiers = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	fAllChannels = (modifiers & B_SHIFT_KEY) == 0;
	fTrackedChannel = channel;
	SetCurrentChannel(channel);
	SetTracking(true);
	_MoveTracked(where, true);
	Invalidate();
}


void
BChannelSlider::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (IsTracking())
		_MoveTracked(where, true);
}


void
BChannelSlider::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	_MoveTracked(where, false);
	SetTracking(false);
	InvokeChannel(NULL, fAllChannels ? 0 : fTrackedChannel, fAllChannels ? -1 : 1);
	Invalidate();
}


void
BChannelSlider::KeyDown(const char* bytes, int32 numBytes)
{
	if (!IsEnabled() || numBytes != 1) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	// Along the grooves the arrows step the current channel's value, across them they
	// choose the current channel.
	char up = _Vertical() ? B_UP_ARROW : B_RIGHT_ARROW;
	char down = _Vertical() ? B_DOWN_ARROW : B_LEFT_ARROW;
	char previous = _Vertical() ? B_LEFT_ARROW : B_UP_ARROW;
	char next = _Vertical() ? B_RIGHT_ARROW : B_DOWN_ARROW;
	int32 channel = CurrentChannel();
	if (bytes[0] == up || bytes[0] == down) {
		int32 old = ValueFor(channel);
		SetValueFor(channel, bytes[0] == up ? old + 1 : old - 1);
		if (ValueFor(channel) != old)
			InvokeChannel(NULL, channel, 1);
	} else if (bytes[0] == previous || bytes[0] == next) {
		SetCurrentChannel(std::min(std::max(channel + (bytes[0] == next ? 1 : -1), 0),
			CountChannels() - 1));
	} else
		BView::KeyDown(bytes, numBytes);
}


void
BChannelSlider::FrameResized(float newWidth, float newHeight)
{
	Invalidate();
}


void
BChannelSlider::SetFont(const BFont* font, uint32 mask)
{
	// The label rows, and so the grooves, follow the font's height.
	BChannelControl::SetFont(font, mask);
	Invalidate();
}


void
BChannelSlider::GetPreferredSize(float* width, float* height)
{
	float row = _LabelRowHeight();
	const char* label = Label();
	float labelWidth = label != NULL ? StringWidth(label) : 0;
	float minWidth = StringWidth(MinLimitLabel());
	float maxWidth = StringWidth(MaxLimitLabel());
	bool limitLabels = minWidth > 0 || maxWidth > 0;
	float labelRow = label != NULL ? row : 0;
	float channels = CountChannels() * kStripWidth;
	float preferredWidth;
	float preferredHeight;
	if (_Vertical()) {
		preferredWidth = std::max({ labelWidth, channels, minWidth, maxWidth });
		preferredHeight = labelRow + kPreferredLength + (minWidth > 0 ? row : 0)
			+ (maxWidth > 0 ? row : 0);
	} else {
		preferredWidth = std::max({ labelWidth, kPreferredLength,
			minWidth + maxWidth + 8 });
		preferredHeight = labelRow + channels + (limitLabels ? row : 0);
	}
	if (width != NULL)
		*width = ceilf(preferredWidth + 2 * kMargin);
	if (height != NULL)
		*height = ceilf(preferredHeight);
}
