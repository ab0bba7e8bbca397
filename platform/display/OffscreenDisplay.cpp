// The offscreen back end. A presented window keeps a front copy of its pixels, so tests
// read what the window last showed, never a half-drawn frame.
#include "display/OffscreenDisplay.h"

#include "display/DisplayModes.h"

#include <InterfaceDefs.h>

#include <cairo.h>

#include <algorithm>
#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>
#include <chrono>
#include <math.h>

namespace BPrivate {

namespace {

// Where windows leave snapshots of themselves, when set.
const char* const kSnapshotVariable = "BE_SCREENSHOT_DIR";
const std::chrono::milliseconds kSnapshotInterval(250);

// The screen that offscreen windows are placed on.
cairo_surface_t*
CreateFront(BRect frame)
{
	int width = std::max(1, (int)frame.Width() + 1);
	int height = std::max(1, (int)frame.Height() + 1);
	return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
}

} // namespace


OffscreenWindow::OffscreenWindow(OffscreenDisplay* display, BRect frame, const char* title,
	DisplayEventHandler handler, bool popup)
	:
	fDisplay(display),
	fHandler(std::move(handler)),
	fTitle(title != NULL ? title : ""),
	fFrame(frame),
	fVisible(false),
	fPopup(popup),
	fFront(CreateFront(frame)),
	fPresentations(0),
	fGrabbed(false),
	fHasViewCursor(false)
{
}


OffscreenWindow::~OffscreenWindow()
{
	fDisplay->Remove(this);
	{
		std::lock_guard<std::mutex> locker(fLock);
		if (fPresentations > 0)
			SaveSnapshotLocked(true);
	}
	cairo_surface_destroy(fFront);
}


// With BE_SCREENSHOT_DIR set, the window keeps a PNG of what it shows there, named after
// the program and the window's title, written at most every 250 ms and when the window
// goes away.
void
OffscreenWindow::SaveSnapshotLocked(bool always)
{
	const char* directory = getenv(kSnapshotVariable);
	if (directory == NULL || directory[0] == '\0')
		return;
	auto now = std::chrono::steady_clock::now();
	if (!always && now - fLastSnapshot < kSnapshotInterval)
		return;
	fLastSnapshot = now;

	std::string name = program_invocation_short_name;
	name += "-";
	std::string title = fTitle.empty() ? "untitled" : fTitle;
	for (char c : title)
		name += isalnum((unsigned char)c) || c == '-' || c == '_' ? c : '_';
	std::string path = std::string(directory) + "/" + name + ".png";
	// Written aside (a hidden file) and renamed into place: a process that ends while it
	// writes leaves the last whole snapshot, never a cut-off file.
	char suffix[64];
	snprintf(suffix, sizeof(suffix), ".png.%d.%p.tmp", (int)getpid(), (void*)this);
	std::string partial = std::string(directory) + "/." + name + suffix;
	if (cairo_surface_write_to_png(fFront, partial.c_str()) != CAIRO_STATUS_SUCCESS
		|| rename(partial.c_str(), path.c_str()) != 0)
		unlink(partial.c_str());
}


void
OffscreenWindow::SetTitle(const char* title)
{
	std::lock_guard<std::mutex> locker(fLock);
	fTitle = title != NULL ? title : "";
}


void
OffscreenWindow::SetIcon(const uint32* pixels, int32 width, int32 height)
{
	std::lock_guard<std::mutex> locker(fLock);
	fIcon.assign({ (uint32)width, (uint32)height });
	fIcon.insert(fIcon.end(), pixels, pixels + (size_t)width * height);
}


void
OffscreenWindow::SetFrame(BRect frame)
{
	BRect old;
	{
		std::lock_guard<std::mutex> locker(fLock);
		old = fFrame;
		fFrame = frame;
		if (frame.Width() != old.Width() || frame.Height() != old.Height()) {
			cairo_surface_destroy(fFront);
			fFront = CreateFront(frame);
		}
	}
	// A window manager would confirm the change; here the window learns it at once.
	DisplayEvent event;
	event.frame = frame;
	if (frame.Width() != old.Width() || frame.Height() != old.Height()) {
		event.type = kDisplayResized;
		fHandler(event);
	}
	if (frame.LeftTop() != old.LeftTop()) {
		event.type = kDisplayMoved;
		fHandler(event);
	}
}


void
OffscreenWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight,
	float maxHeight)
{
}


void
OffscreenWindow::Show()
{
	{
		std::lock_guard<std::mutex> locker(fLock);
		fVisible = true;
	}
	fDisplay->Raise(this);
}


void
OffscreenWindow::Hide()
{
	std::lock_guard<std::mutex> locker(fLock);
	fVisible = false;
}


void
OffscreenWindow::Activate()
{
	// A menu's window never takes the focus from the window that opened it.
	if (fPopup)
		return;
	fDisplay->Raise(this);
	DisplayEvent event;
	event.type = kDisplayActivated;
	event.active = true;
	fHandler(event);
}


void
OffscreenWindow::Present(cairo_surface_t* surface, BRect dirty)
{
	{
		std::lock_guard<std::mutex> locker(fLock);
		cairo_t* cairo = cairo_create(fFront);
		cairo_rectangle(cairo, floor(dirty.left), floor(dirty.top),
			floor(dirty.right) - floor(dirty.left) + 1,
			floor(dirty.bottom) - floor(dirty.top) + 1);
		cairo_clip(cairo);
		cairo_set_source_surface(cairo, surface, 0, 0);
		cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
		cairo_paint(cairo);
		cairo_destroy(cairo);
		cairo_surface_flush(fFront);
		fPresentations++;
		SaveSnapshotLocked(false);
	}
	fPresented.notify_all();
}


std::string
OffscreenWindow::Title()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fTitle;
}


std::vector<uint32>
OffscreenWindow::Icon()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fIcon;
}


BRect
OffscreenWindow::Frame()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fFrame;
}


bool
OffscreenWindow::IsVisible()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fVisible;
}


rgb_color
OffscreenWindow::PixelAt(int32 x, int32 y)
{
	std::lock_guard<std::mutex> locker(fLock);
	rgb_color color = { 0, 0, 0, 0 };
	if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(fFront)
		|| y >= cairo_image_surface_get_height(fFront)) {
		return color;
	}
	const uint8* data = cairo_image_surface_get_data(fFront);
	uint32 pixel = *(const uint32*)(data + y * cairo_image_surface_get_stride(fFront)
		+ x * 4);
	return make_color((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
}


status_t
OffscreenWindow::SaveToPNG(const char* path)
{
	std::lock_guard<std::mutex> locker(fLock);
	return cairo_surface_write_to_png(fFront, path) == CAIRO_STATUS_SUCCESS
		? B_OK : B_IO_ERROR;
}


int64
OffscreenWindow::Presentations()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fPresentations;
}


bool
OffscreenWindow::WaitForPresentation(int64 count, bigtime_t timeout)
{
	std::unique_lock<std::mutex> locker(fLock);
	return fPresented.wait_for(locker, std::chrono::microseconds(timeout),
		[&] { return fPresentations > count; });
}


void
OffscreenWindow::SendBehind(DisplayWindow* other)
{
	fDisplay->Lower(this, static_cast<OffscreenWindow*>(other));
}


bool
OffscreenWindow::IsFront()
{
	std::lock_guard<std::mutex> locker(fDisplay->fLock);
	for (auto it = fDisplay->fStack.rbegin(); it != fDisplay->fStack.rend(); ++it) {
		if (!(*it)->fPopup && (*it)->IsVisible())
			return *it == this;
	}
	return false;
}


void
OffscreenWindow::SetDropTarget(const std::string& data)
{
	std::lock_guard<std::mutex> locker(fLock);
	fDropTarget = data.substr(0, kMaxDropTargetSize);
}


// Nothing else competes for an offscreen pointer: the grab is only remembered, for tests.
status_t
OffscreenWindow::GrabPointer(bool grab)
{
	std::lock_guard<std::mutex> locker(fLock);
	fGrabbed = grab;
	return B_OK;
}


bool
OffscreenWindow::HoldsPointer()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fGrabbed;
}


void
OffscreenWindow::Inject(const DisplayEvent& event)
{
	if (event.type == kDisplayResized || event.type == kDisplayMoved) {
		SetFrame(event.frame);
		return;
	}
	fDisplay->NoteInput(event);
	fHandler(event);
}


OffscreenDisplay::OffscreenDisplay()
	:
	fDesktopColor(make_color(51, 102, 152)),
	fModifiers(0),
	fKeyStates(),
	fClickSpeed(kDefaultClickSpeed),
	fMouseSpeed(kDefaultMouseSpeed),
	fMouseAcceleration(kDefaultMouseAcceleration),
	fMouseMap{ B_PRIMARY_MOUSE_BUTTON, B_TERTIARY_MOUSE_BUTTON, B_SECONDARY_MOUSE_BUTTON },
	fWorkspaceCount(1),
	fCurrentWorkspace(0),
	fCursorHidden(false),
	fCursorObscured(false),
	fMode(make_display_mode(kOffscreenWidth, kOffscreenHeight, kOffscreenRefreshRate)),
	fDPMSState(B_DPMS_ON)
{
}


OffscreenDisplay::~OffscreenDisplay()
{
}


BRect
OffscreenDisplay::ScreenFrame()
{
	std::lock_guard<std::mutex> locker(fModeLock);
	return BRect(0, 0, fMode.virtual_width - 1, fMode.virtual_height - 1);
}


DisplayWindow*
OffscreenDisplay::CreateWindow(BRect frame, const char* title, DisplayEventHandler handler)
{
	OffscreenWindow* window = new OffscreenWindow(this, frame, title, std::move(handler));
	std::lock_guard<std::mutex> locker(fLock);
	fWindows.push_back(window);
	return window;
}


DisplayWindow*
OffscreenDisplay::CreatePopup(BRect frame, const char* title, DisplayEventHandler handler)
{
	OffscreenWindow* window = new OffscreenWindow(this, frame, title, std::move(handler),
		true);
	std::lock_guard<std::mutex> locker(fLock);
	fWindows.push_back(window);
	return window;
}


std::vector<OffscreenWindow*>
OffscreenDisplay::Windows()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fWindows;
}


OffscreenWindow*
OffscreenDisplay::FindWindow(const char* title)
{
	// Held throughout, so that no window is destroyed while its title is compared.
	std::lock_guard<std::mutex> locker(fLock);
	for (OffscreenWindow* window : fWindows) {
		if (window->Title() == title)
			return window;
	}
	return NULL;
}


void
OffscreenDisplay::Inject(OffscreenWindow* window, const DisplayEvent& event)
{
	std::lock_guard<std::mutex> locker(fLock);
	if (std::find(fWindows.begin(), fWindows.end(), window) != fWindows.end())
		window->Inject(event);
}


void
OffscreenDisplay::Remove(OffscreenWindow* window)
{
	std::lock_guard<std::mutex> locker(fLock);
	fWindows.erase(std::remove(fWindows.begin(), fWindows.end(), window), fWindows.end());
	fStack.erase(std::remove(fStack.begin(), fStack.end(), window), fStack.end());
}


void
OffscreenDisplay::Raise(OffscreenWindow* window)
{
	std::lock_guard<std::mutex> locker(fLock);
	fStack.erase(std::remove(fStack.begin(), fStack.end(), window), fStack.end());
	fStack.push_back(window);
}


void
OffscreenDisplay::Lower(OffscreenWindow* window, OffscreenWindow* above)
{
	std::lock_guard<std::mutex> locker(fLock);
	fStack.erase(std::remove(fStack.begin(), fStack.end(), window), fStack.end());
	auto place = std::find(fStack.begin(), fStack.end(), above);
	fStack.insert(place != fStack.end() ? place : fStack.begin(), window);
}

} // namespace BPrivate
