// Choosing the display back end: BE_DISPLAY names one ("x11" or "offscreen"); without
// it, X11 when $DISPLAY can be connected to, offscreen otherwise.
#include "display/Display.h"

#include "display/KeyCodes.h"
#include "display/KeyMapBuilder.h"

#include "display/OffscreenDisplay.h"
#include "display/X11Display.h"

#include "support/ClipboardBridge.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace BPrivate {

namespace {

Display*
ChooseDisplay()
{
	const char* choice = getenv("BE_DISPLAY");
	if (choice != NULL && strcmp(choice, "offscreen") == 0)
		return new OffscreenDisplay;

	X11Display* x11 = X11Display::Connect();
	if (x11 != NULL)
		return x11;
	if (choice != NULL && strcmp(choice, "x11") == 0) {
		fprintf(stderr, "BE_DISPLAY=x11, but the X display cannot be opened; "
			"drawing offscreen\n");
	}
	return new OffscreenDisplay;
}


ClipboardBridge*
provide_clipboard_bridge()
{
	return Display::Default()->Clipboard();
}


// The app kit knows no display: the display offers it the clipboard's bridge as the
// library loads.
struct ClipboardBridgeInstaller {
	ClipboardBridgeInstaller() { set_clipboard_bridge_provider(&provide_clipboard_bridge); }
} stClipboardBridgeInstaller;

} // namespace


bool
DisplayCursor::operator==(const DisplayCursor& other) const
{
	if (hasImage != other.hasImage)
		return false;
	return hasImage ? memcmp(image, other.image, sizeof(image)) == 0 : id == other.id;
}


DisplayWindow::~DisplayWindow()
{
}


void
DisplayWindow::SetIcon(const uint32* pixels, int32 width, int32 height)
{
}


Display::~Display()
{
}


status_t
Display::GetKeyMap(key_map** map, char** chars)
{
	status_t status = ReadKeyMap(map, chars);
	if (status != B_OK)
		return status;
	std::lock_guard<std::mutex> locker(fModifierKeysLock);
	for (const auto& [modifier, key] : fModifierKeys) {
		if (uint32* field = modifier_key_field(*map, modifier))
			*field = key;
	}
	return B_OK;
}


status_t
Display::SetModifierKey(uint32 modifier, uint32 key)
{
	key_map probe = {};
	if (modifier_key_field(&probe, modifier) == NULL || key == 0
		|| key >= (uint32)kKeyCodeCount) {
		return B_BAD_VALUE;
	}
	std::lock_guard<std::mutex> locker(fModifierKeysLock);
	fModifierKeys[modifier] = key;
	return B_OK;
}


Display*
Display::Default()
{
	// Kept for the life of the process: windows may outlive any owner we could name.
	static Display* stDisplay = ChooseDisplay();
	return stDisplay;
}

} // namespace BPrivate
