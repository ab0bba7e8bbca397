// The X11 back end. Key mapping: Ctrl is the Command key, Alt the Option key and the
// Super key the Control key (see docs/display.md).
#include "display/X11Display.h"
#include "display/X11Overlay.h"

#include "display/KeyCodes.h"
#include "display/X11Clipboard.h"

#include <InterfaceDefs.h>

#include <cairo.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <thread>
#include <vector>

namespace BPrivate {

namespace {

const float kDoubleClickDistance = 4;

enum {
	kHintUSPosition = 1,
	kHintPPosition = 4,
	kHintPMinSize = 16,
	kHintPMaxSize = 32
};


uint32
ModifiersFrom(uint16 state)
{
	uint32 modifiers = 0;
	if ((state & XCB_MOD_MASK_SHIFT) != 0)
		modifiers |= B_SHIFT_KEY | B_LEFT_SHIFT_KEY;
	if ((state & XCB_MOD_MASK_CONTROL) != 0)
		modifiers |= B_COMMAND_KEY | B_LEFT_COMMAND_KEY;
	if ((state & XCB_MOD_MASK_1) != 0)
		modifiers |= B_OPTION_KEY | B_LEFT_OPTION_KEY;
	if ((state & XCB_MOD_MASK_4) != 0)
		modifiers |= B_CONTROL_KEY | B_LEFT_CONTROL_KEY;
	if ((state & XCB_MOD_MASK_LOCK) != 0)
		modifiers |= B_CAPS_LOCK;
	if ((state & XCB_MOD_MASK_2) != 0)
		modifiers |= B_NUM_LOCK;
	return modifiers;
}


uint32
ButtonsFrom(uint16 state)
{
	uint32 buttons = 0;
	if ((state & XCB_BUTTON_MASK_1) != 0)
		buttons |= B_PRIMARY_MOUSE_BUTTON;
	if ((state & XCB_BUTTON_MASK_3) != 0)
		buttons |= B_SECONDARY_MOUSE_BUTTON;
	if ((state & XCB_BUTTON_MASK_2) != 0)
		buttons |= B_TERTIARY_MOUSE_BUTTON;
	return buttons;
}


uint32
ButtonFor(uint8 detail)
{
	switch (detail) {
		case 1:
			return B_PRIMARY_MOUSE_BUTTON;
		case 2:
			return B_TERTIARY_MOUSE_BUTTON;
		case 3:
			return B_SECONDARY_MOUSE_BUTTON;
		default:
			return 0;
	}
}


uint32
ToCardinal(float value)
{
	return value < 0 ? 0 : value > 32767 ? 32767 : (uint32)value;
}

} // namespace


// #pragma mark - X11Window


X11Window::X11Window(X11Display* display, BRect frame, const char* title,
	DisplayEventHandler handler, bool popup)
	:
	fDisplay(display),
	fPopup(popup),
	fHandler(std::move(handler)),
	fRequestedFrame(frame),
	fFrame(frame),
	fMinWidth(0),
	fMaxWidth(32767),
	fMinHeight(0),
	fMaxHeight(32767),
	fLastClickTime(0),
	fLastClickButton(0),
	fClicks(0),
	fHasViewCursor(false),
	fShownCursor(XCB_NONE)
{
	xcb_connection_t* connection = display->fConnection;
	xcb_screen_t* screen = display->fScreen;
	fWindow = xcb_generate_id(connection);
	// A menu's window is override-redirect: the window manager neither frames, moves
	// nor focuses it, and it stays above the window that opened it.
	uint32 values[3] = {
		0xd8d8d8,
		popup ? 1u : 0u,
		XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY
			| XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE
			| XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE
			| XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_FOCUS_CHANGE
	};
	xcb_create_window(connection, XCB_COPY_FROM_PARENT, fWindow, screen->root,
		(int16)frame.left, (int16)frame.top, (uint16)std::max(1.0f, frame.Width() + 1),
		(uint16)std::max(1.0f, frame.Height() + 1), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
		screen->root_visual,
		XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);

	fGC = xcb_generate_id(connection);
	xcb_create_gc(connection, fGC, fWindow, 0, NULL);

	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, fWindow, display->fProtocolsAtom,
		XCB_ATOM_ATOM, 32, 1, &display->fDeleteAtom);
	const char windowClass[] = "quorvane-kit\0QuorvaneKit";
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, fWindow, XCB_ATOM_WM_CLASS,
		XCB_ATOM_STRING, 8, sizeof(windowClass), windowClass);
	SetTitle(title);
	WriteSizeHints();
	display->Register(this);
	xcb_flush(connection);
}


X11Window::~X11Window()
{
	if (fPopup)
		fDisplay->PopupHidden(this);
	{
		std::lock_guard<std::mutex> locker(fDisplay->fGrabLock);
		if (fDisplay->fPointerHolder == fWindow)
			fDisplay->fPointerHolder = XCB_NONE;
	}
	fDisplay->Unregister(this);
	xcb_free_gc(fDisplay->fConnection, fGC);
	xcb_destroy_window(fDisplay->fConnection, fWindow);
	xcb_flush(fDisplay->fConnection);
}


void
X11Window::SetTitle(const char* title)
{
	if (title == NULL)
		title = "";
	xcb_connection_t* connection = fDisplay->fConnection;
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, fWindow, XCB_ATOM_WM_NAME,
		XCB_ATOM_STRING, 8, strlen(title), title);
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, fWindow, fDisplay->fNetNameAtom,
		fDisplay->fUTF8Atom, 8, strlen(title), title);
	xcb_flush(connection);
}


// _NET_WM_ICON: CARDINALs (32 bits each) giving the width, the height and the pixels in
// ARGB, as the icon is handed here.
void
X11Window::SetIcon(const uint32* pixels, int32 width, int32 height)
{
	std::vector<uint32> data;
	data.reserve(2 + (size_t)width * height);
	data.push_back((uint32)width);
	data.push_back((uint32)height);
	data.insert(data.end(), pixels, pixels + (size_t)width * height);
	xcb_connection_t* connection = fDisplay->fConnection;
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, fWindow, fDisplay->fNetIconAtom,
		XCB_ATOM_CARDINAL, 32, data.size(), data.data());
	xcb_flush(connection);
}


void
X11Window::SetFrame(BRect frame)
{
	fRequestedFrame = frame;
	uint32 values[4] = {
		(uint32)(int32)frame.left, (uint32)(int32)frame.top,
		(uint32)std::max(1.0f, frame.Width() + 1), (uint32)std::max(1.0f, frame.Height() + 1)
	};
	xcb_configure_window(fDisplay->fConnection, fWindow, XCB_CONFIG_WINDOW_X
		| XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
	WriteSizeHints();
	xcb_flush(fDisplay->fConnection);
}


void
X11Window::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	fMinWidth = minWidth;
	fMaxWidth = maxWidth;
	fMinHeight = minHeight;
	fMaxHeight = maxHeight;
	WriteSizeHints();
	xcb_flush(fDisplay->fConnection);
}


void
X11Window::Show()
{
	xcb_map_window(fDisplay->fConnection, fWindow);
	// Without a window manager the position of a newly mapped window is ours to keep.
	uint32 values[2] = {
		(uint32)(int32)fRequestedFrame.left, (uint32)(int32)fRequestedFrame.top
	};
	xcb_configure_window(fDisplay->fConnection, fWindow,
		XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
	if (fPopup)
		fDisplay->PopupShown(this);
	xcb_flush(fDisplay->fConnection);
}


void
X11Window::Hide()
{
	if (fPopup)
		fDisplay->PopupHidden(this);
	xcb_unmap_window(fDisplay->fConnection, fWindow);
	xcb_flush(fDisplay->fConnection);
}


void
X11Window::Activate()
{
	if (fPopup)
		return;
	uint32 above = XCB_STACK_MODE_ABOVE;
	xcb_configure_window(fDisplay->fConnection, fWindow, XCB_CONFIG_WINDOW_STACK_MODE,
		&above);
	xcb_set_input_focus(fDisplay->fConnection, XCB_INPUT_FOCUS_POINTER_ROOT, fWindow,
		XCB_CURRENT_TIME);
	xcb_flush(fDisplay->fConnection);
}


void
X11Window::Present(cairo_surface_t* surface, BRect dirty)
{
	cairo_surface_flush(surface);
	int32 width = cairo_image_surface_get_width(surface);
	int32 height = cairo_image_surface_get_height(surface);
	int32 left = std::max(0, (int32)floor(dirty.left));
	int32 top = std::max(0, (int32)floor(dirty.top));
	int32 right = std::min(width - 1, (int32)floor(dirty.right));
	int32 bottom = std::min(height - 1, (int32)floor(dirty.bottom));
	if (left > right || top > bottom)
		return;

	// The surface's 32-bit pixels are what a 24-bit deep Z pixmap holds on little-endian
	// servers; each request carries as many whole rows as it may.
	xcb_connection_t* connection = fDisplay->fConnection;
	const uint8* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	int32 rowBytes = (right - left + 1) * 4;
	uint32 maxBytes = xcb_get_maximum_request_length(connection) * 4 - 64;
	int32 rowsPerRequest = std::max<int32>(1, (int32)(maxBytes / rowBytes));
	std::vector<uint8> buffer;
	for (int32 y = top; y <= bottom; y += rowsPerRequest) {
		int32 rows = std::min(rowsPerRequest, bottom - y + 1);
		buffer.resize((size_t)rows * rowBytes);
		for (int32 i = 0; i < rows; i++) {
			memcpy(buffer.data() + (size_t)i * rowBytes,
				data + (size_t)(y + i) * stride + left * 4, rowBytes);
		}
		xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, fWindow, fGC,
			right - left + 1, rows, left, y, 0, fDisplay->fScreen->root_depth,
			buffer.size(), buffer.data());
	}
	xcb_flush(connection);
}


void
X11Window::WriteSizeHints()
{
	uint32 hints[18] = {};
	hints[0] = kHintUSPosition | kHintPPosition | kHintPMinSize | kHintPMaxSize;
	hints[1] = (uint32)(int32)fRequestedFrame.left;
	hints[2] = (uint32)(int32)fRequestedFrame.top;
	hints[3] = ToCardinal(fRequestedFrame.Width() + 1);
	hints[4] = ToCardinal(fRequestedFrame.Height() + 1);
	hints[5] = ToCardinal(ceilf(fMinWidth) + 1);
	hints[6] = ToCardinal(ceilf(fMinHeight) + 1);
	hints[7] = ToCardinal(floorf(fMaxWidth) + 1);
	hints[8] = ToCardinal(floorf(fMaxHeight) + 1);
	xcb_change_property(fDisplay->fConnection, XCB_PROP_MODE_REPLACE, fWindow,
		XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
}


// #pragma mark - X11Display


X11Display*
X11Display::Connect()
{
	int screenNumber = 0;
	xcb_connection_t* connection = xcb_connect(NULL, &screenNumber);
	if (connection == NULL || xcb_connection_has_error(connection) != 0) {
		if (connection != NULL)
			xcb_disconnect(connection);
		return NULL;
	}
	xcb_screen_iterator_t iterator = xcb_setup_roots_iterator(xcb_get_setup(connection));
	for (int i = 0; i < screenNumber && iterator.rem > 0; i++)
		xcb_screen_next(&iterator);
	if (iterator.rem == 0) {
		xcb_disconnect(connection);
		return NULL;
	}
	return new X11Display(connection, iterator.data);
}


X11Display::X11Display(xcb_connection_t* connection, xcb_screen_t* screen)
	:
	fConnection(connection),
	fScreen(screen),
	fKeyContext(NULL),
	fKeymap(NULL),
	fKeyState(NULL),
	fCursorHidden(false),
	fCursorObscured(false),
	fPointerHolder(XCB_NONE)
{
	fProtocolsAtom = Atom("WM_PROTOCOLS");
	fDeleteAtom = Atom("WM_DELETE_WINDOW");
	fNetNameAtom = Atom("_NET_WM_NAME");
	fUTF8Atom = Atom("UTF8_STRING");
	fNetIconAtom = Atom("_NET_WM_ICON");
	fDropTargetAtom = Atom("_QUORVANE_KIT_DROP_TARGET");
	fDesktopCountAtom = Atom("_NET_NUMBER_OF_DESKTOPS");
	fCurrentDesktopAtom = Atom("_NET_CURRENT_DESKTOP");
	fClickSpeedAtom = Atom("_QUORVANE_KIT_CLICK_SPEED");
	fClipboard = new X11Clipboard(connection, screen);
	fScreenFrame = BRect(0, 0, screen->width_in_pixels - 1, screen->height_in_pixels - 1);
	fRefreshPeriod = ReadRefreshPeriod();
	// The system's desktop colour until an application sets another.
	fDesktopColor = make_color(51, 102, 152);
	fCurrentWorkspace = (int32)RootCardinal(fCurrentDesktopAtom, 0);
	fClickSpeed = kDefaultClickSpeed;
	ClickSpeedChanged();
	// The screen's size and the window manager's workspaces are watched on the root.
	uint32 rootEvents = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
	xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &rootEvents);
	SetUpKeyboard();
	// The display lives as long as the process; so does its reader.
	std::thread(&X11Display::EventLoop, this).detach();
}


X11Display::~X11Display()
{
	delete fClipboard;
	xcb_disconnect(fConnection);
}


BRect
X11Display::ScreenFrame()
{
	std::lock_guard<std::mutex> locker(fScreenLock);
	return fScreenFrame;
}


DisplayWindow*
X11Display::CreateWindow(BRect frame, const char* title, DisplayEventHandler handler)
{
	return new X11Window(this, frame, title, std::move(handler), false);
}


DisplayWindow*
X11Display::CreatePopup(BRect frame, const char* title, DisplayEventHandler handler)
{
	return new X11Window(this, frame, title, std::move(handler), true);
}


ClipboardBridge*
X11Display::Clipboard()
{
	return fClipboard;
}


void
X11Display::SetUpKeyboard()
{
	if (xkb_x11_setup_xkb_extension(fConnection, XKB_X11_MIN_MAJOR_XKB_VERSION,
			XKB_X11_MIN_MINOR_XKB_VERSION, XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, NULL, NULL,
			NULL, NULL) == 0) {
		return;
	}
	int32_t device = xkb_x11_get_core_keyboard_device_id(fConnection);
	if (device < 0)
		return;
	fKeyContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
	if (fKeyContext == NULL)
		return;
	fKeymap = xkb_x11_keymap_new_from_device(fKeyContext, fConnection, device,
		XKB_KEYMAP_COMPILE_NO_FLAGS);
	if (fKeymap != NULL)
		fKeyState = xkb_x11_state_new_from_device(fKeymap, fConnection, device);
}


xcb_atom_t
X11Display::Atom(const char* name)
{
	xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(fConnection,
		xcb_intern_atom(fConnection, 0, strlen(name), name), NULL);
	xcb_atom_t atom = reply != NULL ? reply->atom : (xcb_atom_t)XCB_ATOM_NONE;
	free(reply);
	return atom;
}


void
X11Display::Register(X11Window* window)
{
	std::lock_guard<std::mutex> locker(fLock);
	fWindows[window->fWindow] = window;
	ApplyCursorLocked(window);
}


void
X11Display::Unregister(X11Window* window)
{
	std::lock_guard<std::mutex> locker(fLock);
	fWindows.erase(window->fWindow);
}


// An open menu holds the pointer, as menus do on every desktop: a press anywhere on the
// screen, outside the application's windows too, reaches the menu's window, which closes
// the menus. With owner_events the application's own windows still receive their pointer
// events as usual. The grab is settled before the popup's caller goes on (one round trip
// to the server), so that the input the user gives next already meets it; when another
// client holds the pointer, the menus work without the grab.
void
X11Display::PopupShown(X11Window* popup)
{
	std::lock_guard<std::mutex> locker(fGrabLock);
	std::erase(fShownPopups, popup->fWindow);
	fShownPopups.push_back(popup->fWindow);
	GrabPointer();
}


// The server releases a grab whose window is unmapped; the popup that opened before it,
// when one is still shown (a submenu closed over its menu), takes the pointer again.
void
X11Display::PopupHidden(X11Window* popup)
{
	std::lock_guard<std::mutex> locker(fGrabLock);
	if (std::erase(fShownPopups, popup->fWindow) == 0)
		return;
	if (!fShownPopups.empty())
		GrabPointer();
	else if (fPointerHolder != XCB_NONE)
		GrabPointerFor(fPointerHolder);
	else {
		xcb_ungrab_pointer(fConnection, XCB_CURRENT_TIME);
		xcb_flush(fConnection);
	}
}


void
X11Display::GrabPointer()
{
	xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(fConnection,
		xcb_grab_pointer(fConnection, 1, fShownPopups.back(),
			XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE
				| XCB_EVENT_MASK_POINTER_MOTION, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
			XCB_NONE, XCB_NONE, XCB_CURRENT_TIME), NULL);
	free(reply);
}


// No cursor is given: outside the window, X shows the window's own cursor
// (docs/cursors.md). The keyboard is held too, so that keys typed meanwhile reach the
// application wherever the pointer is, with or without a window manager; another
// client's keyboard grab leaves the keyboard where it is.
status_t
X11Display::GrabPointerFor(xcb_window_t window)
{
	free(xcb_grab_keyboard_reply(fConnection, xcb_grab_keyboard(fConnection, 1, window,
		XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), NULL));
	xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(fConnection,
		xcb_grab_pointer(fConnection, 0, window, XCB_EVENT_MASK_BUTTON_PRESS
				| XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION,
			XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
			XCB_CURRENT_TIME), NULL);
	status_t status = reply != NULL && reply->status == XCB_GRAB_STATUS_SUCCESS
		? B_OK : B_BUSY;
	free(reply);
	return status;
}


void
X11Display::EventLoop()
{
	while (xcb_generic_event_t* event = xcb_wait_for_event(fConnection)) {
		if (!fClipboard->HandleEvent(event))
			Dispatch(event);
		free(event);
	}
}


void
X11Display::Dispatch(xcb_generic_event_t* event)
{
	std::lock_guard<std::mutex> locker(fLock);
	auto find = [this](xcb_window_t id) -> X11Window* {
		auto found = fWindows.find(id);
		return found != fWindows.end() ? found->second : NULL;
	};

	DisplayEvent out;
	switch (event->response_type & 0x7f) {
		case XCB_EXPOSE:
		{
			auto* expose = (xcb_expose_event_t*)event;
			X11Window* window = find(expose->window);
			if (window == NULL)
				return;
			out.type = kDisplayExposed;
			out.frame = BRect(expose->x, expose->y, expose->x + expose->width - 1,
				expose->y + expose->height - 1);
			window->fHandler(out);
			break;
		}
		case XCB_PROPERTY_NOTIFY:
		{
			auto* property = (xcb_property_notify_event_t*)event;
			if (property->window == fScreen->root && property->atom == fCurrentDesktopAtom)
				WorkspaceChanged();
			if (property->window == fScreen->root && property->atom == fClickSpeedAtom)
				ClickSpeedChanged();
			break;
		}
		case XCB_CONFIGURE_NOTIFY:
		{
			auto* configure = (xcb_configure_notify_event_t*)event;
			if (configure->window == fScreen->root) {
				ScreenResized(configure->width, configure->height);
				return;
			}
			X11Window* window = find(configure->window);
			if (window == NULL)
				return;
			// A window manager's frame makes the reported position relative to it; only
			// synthetic events (sent by the manager) are in root coordinates.
			int16 x = configure->x;
			int16 y = configure->y;
			if ((event->response_type & 0x80) == 0
				&& configure->window != fScreen->root) {
				xcb_translate_coordinates_reply_t* root = xcb_translate_coordinates_reply(
					fConnection, xcb_translate_coordinates(fConnection, configure->window,
						fScreen->root, 0, 0), NULL);
				if (root != NULL) {
					x = root->dst_x;
					y = root->dst_y;
					free(root);
				}
			}
			out.frame = BRect(x, y, x + configure->width - 1, y + configure->height - 1);
			BRect old = window->fFrame;
			window->fFrame = out.frame;
			if (out.frame.Width() != old.Width() || out.frame.Height() != old.Height()) {
				out.type = kDisplayResized;
				window->fHandler(out);
			}
			if (out.frame.LeftTop() != old.LeftTop()) {
				out.type = kDisplayMoved;
				window->fHandler(out);
			}
			break;
		}
		case XCB_CLIENT_MESSAGE:
		{
			auto* message = (xcb_client_message_event_t*)event;
			X11Window* window = find(message->window);
			if (window != NULL && message->type == fProtocolsAtom
				&& message->data.data32[0] == fDeleteAtom) {
				out.type = kDisplayCloseRequested;
				window->fHandler(out);
			}
			break;
		}
		case XCB_FOCUS_IN:
		case XCB_FOCUS_OUT:
		{
			auto* focus = (xcb_focus_in_event_t*)event;
			X11Window* window = find(focus->event);
			if (window == NULL || focus->mode == XCB_NOTIFY_MODE_GRAB
				|| focus->mode == XCB_NOTIFY_MODE_UNGRAB) {
				return;
			}
			out.type = kDisplayActivated;
			out.active = (event->response_type & 0x7f) == XCB_FOCUS_IN;
			window->fHandler(out);
			break;
		}
		case XCB_BUTTON_PRESS:
		case XCB_BUTTON_RELEASE:
		{
			auto* button = (xcb_button_press_event_t*)event;
			X11Window* window = find(button->event);
			if (window != NULL) {
				HandleButton(window, (event->response_type & 0x7f) == XCB_BUTTON_PRESS,
					button);
			}
			break;
		}
		case XCB_MOTION_NOTIFY:
		{
			auto* motion = (xcb_motion_notify_event_t*)event;
			PointerMovedLocked();
			X11Window* window = find(motion->event);
			if (window == NULL)
				return;
			out.type = kDisplayMouseMoved;
			out.where = BPoint(motion->event_x, motion->event_y);
			out.buttons = ButtonsFrom(motion->state);
			out.modifiers = ModifiersFrom(motion->state);
			window->fHandler(out);
			break;
		}
		case XCB_KEY_PRESS:
		case XCB_KEY_RELEASE:
		{
			auto* key = (xcb_key_press_event_t*)event;
			X11Window* window = find(key->event);
			if (window != NULL)
				HandleKey(window, (event->response_type & 0x7f) == XCB_KEY_PRESS, key);
			break;
		}
		default:
			break;
	}
}


void
X11Display::HandleButton(X11Window* window, bool press,
	const xcb_button_press_event_t* event)
{
	DisplayEvent out;
	out.where = BPoint(event->event_x, event->event_y);
	out.modifiers = ModifiersFrom(event->state);

	// Buttons 4 and 5 are the wheel.
	if (event->detail == 4 || event->detail == 5) {
		if (!press)
			return;
		out.type = kDisplayMouseWheel;
		out.wheelDelta = event->detail == 4 ? -1 : 1;
		window->fHandler(out);
		return;
	}
	uint32 button = ButtonFor(event->detail);
	if (button == 0)
		return;

	// The state is the one before the event; the button itself changes it.
	out.buttons = ButtonsFrom(event->state);
	if (press) {
		out.buttons |= button;
		BPoint distance = out.where - window->fLastClickWhere;
		if (event->detail == window->fLastClickButton
			&& (bigtime_t)(event->time - window->fLastClickTime) * 1000 <= ClickSpeed()
			&& fabsf(distance.x) <= kDoubleClickDistance
			&& fabsf(distance.y) <= kDoubleClickDistance) {
			window->fClicks++;
		} else
			window->fClicks = 1;
		window->fLastClickTime = event->time;
		window->fLastClickButton = event->detail;
		window->fLastClickWhere = out.where;
		out.clicks = window->fClicks;
		out.type = kDisplayMouseDown;
	} else {
		out.buttons &= ~button;
		out.type = kDisplayMouseUp;
	}
	window->fHandler(out);
}


void
X11Display::HandleKey(X11Window* window, bool press, const xcb_key_press_event_t* event)
{
	if (fKeyState == NULL)
		return;

	DisplayEvent out;
	out.type = press ? kDisplayKeyDown : kDisplayKeyUp;
	out.modifiers = ModifiersFrom(event->state);
	out.key = key_code_for_x_key(event->detail);

	// Control is the Command key: the key types what it would without it.
	uint32 locked = event->state & (XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
	uint32 depressed = event->state & ~(locked | XCB_MOD_MASK_CONTROL) & 0xff;
	uint32 group = (event->state >> 13) & 0x3;
	xkb_state_update_mask(fKeyState, depressed, 0, locked, 0, 0, group);

	xkb_keysym_t symbol = xkb_state_key_get_one_sym(fKeyState, event->detail);
	int32 functionKey = 0;
	uint8 special = special_key_byte(symbol, &functionKey);
	if (special != 0) {
		out.bytes[0] = (char)special;
		out.rawChar = special;
		if (special == B_FUNCTION_KEY)
			out.key = functionKey;
	} else {
		xkb_state_key_get_utf8(fKeyState, event->detail, out.bytes, sizeof(out.bytes));
		if (out.bytes[0] == '\0')
			return;
		const xkb_keysym_t* symbols = NULL;
		int count = xkb_keymap_key_get_syms_by_level(fKeymap, event->detail, 0, 0,
			&symbols);
		out.rawChar = count > 0 ? (int32)xkb_keysym_to_utf32(symbols[0]) : 0;
	}
	window->fHandler(out);
}

void
X11Window::SendBehind(DisplayWindow* other)
{
	uint32 values[2] = { 0, XCB_STACK_MODE_BELOW };
	uint16 mask = XCB_CONFIG_WINDOW_STACK_MODE;
	if (other != NULL) {
		X11Overlay* overlay = dynamic_cast<X11Overlay*>(other);
		values[0] = overlay != NULL ? overlay->Window()->fWindow
			: static_cast<X11Window*>(other)->fWindow;
		mask |= XCB_CONFIG_WINDOW_SIBLING;
		xcb_configure_window(fDisplay->fConnection, fWindow, mask, values);
	} else
		xcb_configure_window(fDisplay->fConnection, fWindow, mask, values + 1);
	xcb_flush(fDisplay->fConnection);
}


// The root's children are in stacking order, bottom first: the first shown one from the
// top that a window manager keeps (menus are override-redirect) is the front window.
bool
X11Window::IsFront()
{
	xcb_connection_t* connection = fDisplay->fConnection;
	xcb_window_t mine = fDisplay->TopLevelOf(fWindow);
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection,
		xcb_query_tree(connection, fDisplay->fScreen->root), NULL);
	if (tree == NULL)
		return false;
	xcb_window_t* children = xcb_query_tree_children(tree);
	bool front = false;
	for (int i = xcb_query_tree_children_length(tree) - 1; i >= 0; i--) {
		xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
			connection, xcb_get_window_attributes(connection, children[i]), NULL);
		bool candidate = attributes != NULL
			&& attributes->map_state == XCB_MAP_STATE_VIEWABLE
			&& attributes->override_redirect == 0;
		free(attributes);
		if (candidate) {
			front = children[i] == mine;
			break;
		}
	}
	free(tree);
	return front;
}


void
X11Window::SetDropTarget(const std::string& data)
{
	size_t size = std::min(data.size(), kMaxDropTargetSize);
	xcb_change_property(fDisplay->fConnection, XCB_PROP_MODE_REPLACE, fWindow,
		fDisplay->fDropTargetAtom, XCB_ATOM_STRING, 8, size, data.data());
	xcb_flush(fDisplay->fConnection);
}


// A drag holds the pointer so that it ends wherever the button goes up, over another
// client's window too; coordinates stay relative to this window.
status_t
X11Window::GrabPointer(bool grab)
{
	xcb_connection_t* connection = fDisplay->fConnection;
	std::lock_guard<std::mutex> locker(fDisplay->fGrabLock);
	if (!grab) {
		if (fDisplay->fPointerHolder == fWindow)
			fDisplay->fPointerHolder = XCB_NONE;
		xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
		if (fDisplay->fShownPopups.empty())
			xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
		else
			fDisplay->GrabPointer();
		xcb_flush(connection);
		return B_OK;
	}
	status_t status = fDisplay->GrabPointerFor(fWindow);
	if (status == B_OK)
		fDisplay->fPointerHolder = fWindow;
	return status;
}

} // namespace BPrivate
