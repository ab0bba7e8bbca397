// BScreen's refresh, pixels and desktop colour, over the display back end.
#include <Screen.h>

#include "display/Display.h"

#include <Bitmap.h>

#include <math.h>
#include <time.h>
#include <vector>

namespace {

// Sleeps until the system clock reaches when (microseconds of system_time()).
void
sleep_until(bigtime_t when)
{
	bigtime_t now = system_time();
	if (when <= now)
		return;
	bigtime_t wait = when - now;
	struct timespec span = { (time_t)(wait / 1000000), (long)(wait % 1000000) * 1000 };
	while (nanosleep(&span, &span) != 0) {
	}
}

} // namespace


status_t
BScreen::WaitForRetrace()
{
	return WaitForRetrace(B_INFINITE_TIMEOUT);
}


// Refreshes fall on the multiples of the display's period on the system clock: waiting
// ends at the next one, so that callers in a loop run once per refresh.
status_t
BScreen::WaitForRetrace(bigtime_t timeout)
{
	if (!fValid)
		return B_ERROR;
	bigtime_t period = BPrivate::Display::Default()->RefreshPeriod();
	if (period <= 0)
		return B_ERROR;
	bigtime_t now = system_time();
	bigtime_t next = (now / period + 1) * period;
	if (timeout >= 0 && timeout != B_INFINITE_TIMEOUT && next - now > timeout) {
		sleep_until(now + timeout);
		return B_TIMED_OUT;
	}
	sleep_until(next);
	return B_OK;
}


status_t
BScreen::GetBitmap(BBitmap** _bitmap, bool drawCursor, BRect* bounds)
{
	if (_bitmap == NULL)
		return B_BAD_VALUE;
	*_bitmap = NULL;
	if (!fValid)
		return B_ERROR;
	BRect area = bounds != NULL ? *bounds : Frame();
	BBitmap* bitmap = new BBitmap(area.OffsetToCopy(0, 0), B_RGB32);
	status_t status = bitmap->IsValid() ? ReadBitmap(bitmap, drawCursor, &area) : B_NO_MEMORY;
	if (status != B_OK) {
		delete bitmap;
		return status;
	}
	*_bitmap = bitmap;
	return B_OK;
}


status_t
BScreen::ReadBitmap(BBitmap* bitmap, bool drawCursor, BRect* bounds)
{
	if (bitmap == NULL || !bitmap->IsValid())
		return B_BAD_VALUE;
	if (!fValid)
		return B_ERROR;
	BRect area = bounds != NULL ? *bounds : Frame();
	area.left = floorf(area.left);
	area.top = floorf(area.top);
	area.right = floorf(area.right);
	area.bottom = floorf(area.bottom);
	BRect size = bitmap->Bounds();
	if (!area.IsValid() || area.Width() != size.Width() || area.Height() != size.Height())
		return B_BAD_VALUE;

	size_t count = (size_t)(area.Width() + 1) * (size_t)(area.Height() + 1);
	std::vector<uint32> pixels(count);
	status_t status = BPrivate::Display::Default()->ReadScreen(area, pixels.data());
	if (status != B_OK)
		return status;
	// The back end's 0xAARRGGBB words are B_RGB32 bytes in memory; SetBits converts
	// them to the bitmap's colour space.
	bitmap->SetBits(pixels.data(), (int32)(count * 4), 0, B_RGB32);
	return B_OK;
}


rgb_color
BScreen::DesktopColor()
{
	return BPrivate::Display::Default()->DesktopColor();
}


void
BScreen::SetDesktopColor(rgb_color color, bool stick)
{
	if (fValid)
		BPrivate::Display::Default()->SetDesktopColor(color);
}
