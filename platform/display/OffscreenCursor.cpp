// The offscreen cursor: nothing shows it, so it is only kept, for tests to read.
#include "display/OffscreenDisplay.h"

namespace BPrivate {

void
OffscreenWindow::SetViewCursor(const DisplayCursor* cursor)
{
	std::lock_guard<std::mutex> locker(fLock);
	fHasViewCursor = cursor != NULL;
	fViewCursor = cursor != NULL ? *cursor : DisplayCursor();
}


DisplayCursor
OffscreenWindow::Cursor()
{
	DisplayCursor shown = fDisplay->AppCursor();
	if (fDisplay->IsCursorHidden() || fDisplay->IsCursorObscured()) {
		shown = DisplayCursor();
		shown.id = kCursorNone;
		return shown;
	}
	std::lock_guard<std::mutex> locker(fLock);
	return fHasViewCursor ? fViewCursor : shown;
}


status_t
OffscreenDisplay::GetWindowStack(std::vector<StackedWindow>* windows)
{
	return B_UNSUPPORTED;
}


void
OffscreenDisplay::SetCursor(const DisplayCursor& cursor, bool sync)
{
	std::lock_guard<std::mutex> locker(fInputLock);
	fCursor = cursor;
}


void
OffscreenDisplay::SetCursorHidden(bool hidden)
{
	std::lock_guard<std::mutex> locker(fInputLock);
	fCursorHidden = hidden;
}


void
OffscreenDisplay::ObscureCursor()
{
	std::lock_guard<std::mutex> locker(fInputLock);
	fCursorObscured = true;
}


bool
OffscreenDisplay::IsCursorHidden()
{
	std::lock_guard<std::mutex> locker(fInputLock);
	return fCursorHidden;
}


DisplayCursor
OffscreenDisplay::AppCursor()
{
	std::lock_guard<std::mutex> locker(fInputLock);
	return fCursor;
}


bool
OffscreenDisplay::IsCursorObscured()
{
	std::lock_guard<std::mutex> locker(fInputLock);
	return fCursorObscured;
}

} // namespace BPrivate
