// The offscreen back end's screen as a whole: its pixels (the shown windows over the
// desktop colour), its refresh, the keyboard the injected events leave behind, and its
// workspaces. Only this process's windows are on it.
#include "display/OffscreenDisplay.h"

#include "display/DisplayModes.h"
#include "display/KeyMapBuilder.h"

#include <InterfaceDefs.h>

#include <cairo.h>
#include <xkbcommon/xkbcommon.h>

#include <math.h>
#include <string.h>

namespace BPrivate {

namespace {

const uint32 kLockModifiers = B_CAPS_LOCK | B_NUM_LOCK | B_SCROLL_LOCK;

} // namespace


bigtime_t
OffscreenDisplay::RefreshPeriod()
{
	std::lock_guard<std::mutex> locker(fModeLock);
	return (bigtime_t)lround(1000000 / refresh_rate(fMode.timing));
}


status_t
OffscreenDisplay::ReadScreen(BRect area, uint32* pixels)
{
	int32 left = (int32)floorf(area.left);
	int32 top = (int32)floorf(area.top);
	int32 width = (int32)floorf(area.right) - left + 1;
	int32 height = (int32)floorf(area.bottom) - top + 1;
	if (width <= 0 || height <= 0 || !ScreenFrame().Contains(area))
		return B_BAD_VALUE;

	cairo_surface_t* target = cairo_image_surface_create_for_data((unsigned char*)pixels,
		CAIRO_FORMAT_ARGB32, width, height, width * 4);
	cairo_t* cairo = cairo_create(target);
	std::lock_guard<std::mutex> locker(fLock);
	cairo_set_source_rgb(cairo, fDesktopColor.red / 255.0, fDesktopColor.green / 255.0,
		fDesktopColor.blue / 255.0);
	cairo_paint(cairo);
	for (OffscreenWindow* window : fStack) {
		std::lock_guard<std::mutex> windowLocker(window->fLock);
		if (!window->fVisible)
			continue;
		cairo_set_source_surface(cairo, window->fFront, window->fFrame.left - left,
			window->fFrame.top - top);
		cairo_paint(cairo);
	}
	cairo_destroy(cairo);
	cairo_surface_flush(target);
	cairo_surface_destroy(target);
	// The window's pixels carry no alpha; the screen is opaque.
	for (size_t i = 0; i < (size_t)width * height; i++)
		pixels[i] |= 0xff000000;
	return B_OK;
}


rgb_color
OffscreenDisplay::DesktopColor()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fDesktopColor;
}


void
OffscreenDisplay::SetDesktopColor(rgb_color color)
{
	std::lock_guard<std::mutex> locker(fLock);
	fDesktopColor = color;
	fDesktopColor.alpha = 255;
}


uint32
OffscreenDisplay::Modifiers()
{
	std::lock_guard<std::mutex> locker(fInputLock);
	return fModifiers;
}


void
OffscreenDisplay::GetKeyStates(uint8 states[16])
{
	std::lock_guard<std::mutex> locker(fInputLock);
	memcpy(states, fKeyStates, sizeof(fKeyStates));
}


status_t
OffscreenDisplay::SetKeyboardLocks(uint32 modifiers)
{
	std::lock_guard<std::mutex> locker(fInputLock);
	fModifiers = (fModifiers & ~kLockModifiers) | (modifiers & kLockModifiers);
	return B_OK;
}


// Injected events say which modifiers are down; the locks stay as they were set.
void
OffscreenDisplay::NoteInput(const DisplayEvent& event)
{
	std::lock_guard<std::mutex> locker(fInputLock);
	switch (event.type) {
		case kDisplayMouseDown:
		case kDisplayMouseUp:
		case kDisplayMouseMoved:
		case kDisplayKeyDown:
		case kDisplayKeyUp:
			break;
		default:
			return;
	}
	fModifiers = (event.modifiers & ~kLockModifiers) | (fModifiers & kLockModifiers);
	if (event.type == kDisplayMouseMoved)
		fCursorObscured = false;
	if ((event.type == kDisplayKeyDown || event.type == kDisplayKeyUp)
		&& event.key > 0 && event.key < 128) {
		uint8 bit = (uint8)(0x80 >> (event.key % 8));
		if (event.type == kDisplayKeyDown)
			fKeyStates[event.key / 8] |= bit;
		else
			fKeyStates[event.key / 8] &= (uint8)~bit;
	}
}


// The layout is the system's default one, as xkbcommon compiles it.
status_t
OffscreenDisplay::ReadKeyMap(key_map** map, char** chars)
{
	xkb_keymap* keymap = default_xkb_keymap();
	if (keymap == NULL)
		return B_ENTRY_NOT_FOUND;
	status_t status = build_key_map(keymap, Modifiers(), map, chars);
	xkb_keymap_unref(keymap);
	return status;
}


bigtime_t
OffscreenDisplay::ClickSpeed()
{
	std::lock_guard<std::mutex> locker(fInputLock);
	return fClickSpeed;
}


status_t
OffscreenDisplay::SetClickSpeed(bigtime_t speed)
{
	if (speed <= 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fInputLock);
	fClickSpeed = speed;
	return B_OK;
}


status_t
OffscreenDisplay::GetMouseSpeed(int32* speed, int32* acceleration)
{
	std::lock_guard<std::mutex> locker(fInputLock);
	*speed = fMouseSpeed;
	*acceleration = fMouseAcceleration;
	return B_OK;
}


status_t
OffscreenDisplay::SetMouseSpeed(int32 speed, int32 acceleration)
{
	if (speed <= 0 || acceleration < 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fInputLock);
	fMouseSpeed = speed;
	fMouseAcceleration = acceleration;
	return B_OK;
}


int32
OffscreenDisplay::CountMouseButtons()
{
	return 3;
}


status_t
OffscreenDisplay::GetMouseMap(uint32 map[3])
{
	std::lock_guard<std::mutex> locker(fInputLock);
	memcpy(map, fMouseMap, sizeof(fMouseMap));
	return B_OK;
}


status_t
OffscreenDisplay::SetMouseMap(const uint32 map[3])
{
	std::lock_guard<std::mutex> locker(fInputLock);
	memcpy(fMouseMap, map, sizeof(fMouseMap));
	return B_OK;
}


int32
OffscreenDisplay::CountWorkspaces()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fWorkspaceCount;
}


status_t
OffscreenDisplay::SetWorkspaceCount(int32 count)
{
	if (count < 1 || count > kMaxWorkspaces)
		return B_BAD_VALUE;
	bool moved = false;
	{
		std::lock_guard<std::mutex> locker(fLock);
		fWorkspaceCount = count;
		moved = fCurrentWorkspace >= count;
	}
	return moved ? ActivateWorkspace(count - 1) : B_OK;
}


int32
OffscreenDisplay::CurrentWorkspace()
{
	std::lock_guard<std::mutex> locker(fLock);
	return fCurrentWorkspace;
}


// Every window hears of the change, as the platform tells each window whatever its
// workspaces.
status_t
OffscreenDisplay::ActivateWorkspace(int32 index)
{
	std::lock_guard<std::mutex> locker(fLock);
	if (index < 0 || index >= fWorkspaceCount)
		return B_BAD_INDEX;
	if (index == fCurrentWorkspace)
		return B_OK;
	DisplayEvent left;
	left.type = kDisplayWorkspaceActivated;
	left.workspace = fCurrentWorkspace;
	left.active = false;
	DisplayEvent entered = left;
	entered.workspace = index;
	entered.active = true;
	fCurrentWorkspace = index;
	for (OffscreenWindow* window : fWindows) {
		if (window->fPopup)
			continue;
		window->fHandler(left);
		window->fHandler(entered);
	}
	return B_OK;
}


status_t
OffscreenDisplay::DropTargetAt(BPoint where, std::string* data)
{
	std::lock_guard<std::mutex> locker(fLock);
	for (auto it = fStack.rbegin(); it != fStack.rend(); ++it) {
		std::lock_guard<std::mutex> windowLocker((*it)->fLock);
		if (!(*it)->fVisible || (*it)->fPopup || !(*it)->fFrame.Contains(where))
			continue;
		if ((*it)->fDropTarget.empty())
			return B_ENTRY_NOT_FOUND;
		*data = (*it)->fDropTarget;
		return B_OK;
	}
	return B_ENTRY_NOT_FOUND;
}

} // namespace BPrivate
