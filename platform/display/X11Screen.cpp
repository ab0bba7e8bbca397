// The X11 back end's screen as a whole: its refresh (from RandR), its pixels, the root
// window's colour as the desktop's, the keyboard's state, the window manager's
// workspaces (the EWMH desktops) and the drop targets of every kit process's windows.
#include "display/X11Display.h"

#include "display/KeyCodes.h"

#include <InterfaceDefs.h>

#include <xcb/randr.h>
// xkb.h names a field "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <algorithm>
#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace BPrivate {

namespace {

// Assumed when the server does not tell its refresh rate: 60 Hz.
const bigtime_t kDefaultRefreshPeriod = 16667;

// How deep below a root child a drop target is looked for: a reparenting window manager
// puts our window one or two levels below its frame.
const int32 kMaxDropTargetDepth = 3;

// How far up from a window its top-level window is looked for (window managers
// reparent once or twice).
const int32 kMaxTopLevelDepth = 8;

// The most windows GetWindowStack() lists, and the longest title it reads of each.
const int32 kMaxStackedWindows = 256;
const uint32 kMaxStackedTitle = 1024;

struct ModifierKey {
	uint8 code;
	uint32 modifiers;
};

// The keys whose state tells left from right.
const ModifierKey kModifierKeys[] = {
	{ 0x4b, B_SHIFT_KEY | B_LEFT_SHIFT_KEY },
	{ 0x56, B_SHIFT_KEY | B_RIGHT_SHIFT_KEY },
	{ 0x5c, B_COMMAND_KEY | B_LEFT_COMMAND_KEY },
	{ 0x60, B_COMMAND_KEY | B_RIGHT_COMMAND_KEY },
	{ 0x5d, B_OPTION_KEY | B_LEFT_OPTION_KEY },
	{ 0x5f, B_OPTION_KEY | B_RIGHT_OPTION_KEY },
	{ 0x66, B_CONTROL_KEY | B_LEFT_CONTROL_KEY },
	{ 0x67, B_CONTROL_KEY | B_RIGHT_CONTROL_KEY },
	{ 0x68, B_MENU_KEY }
};

} // namespace


bigtime_t
X11Display::ReadRefreshPeriod()
{
	const xcb_query_extension_reply_t* randr = xcb_get_extension_data(fConnection,
		&xcb_randr_id);
	if (randr == NULL || !randr->present)
		return kDefaultRefreshPeriod;
	xcb_randr_get_screen_info_reply_t* info = xcb_randr_get_screen_info_reply(fConnection,
		xcb_randr_get_screen_info(fConnection, fScreen->root), NULL);
	bigtime_t period = info != NULL && info->rate > 0
		? 1000000 / info->rate : kDefaultRefreshPeriod;
	free(info);
	return period;
}


bigtime_t
X11Display::RefreshPeriod()
{
	std::lock_guard<std::mutex> locker(fScreenLock);
	return fRefreshPeriod;
}


void
X11Display::ScreenResized(uint16 width, uint16 height)
{
	DisplayEvent event;
	event.type = kDisplayScreenChanged;
	event.frame = BRect(0, 0, width - 1, height - 1);
	bigtime_t period = ReadRefreshPeriod();
	{
		std::lock_guard<std::mutex> locker(fScreenLock);
		if (event.frame == fScreenFrame && period == fRefreshPeriod)
			return;
		fScreenFrame = event.frame;
		fRefreshPeriod = period;
	}
	Broadcast(event);
}


// Runs on the event thread with fLock held.
void
X11Display::Broadcast(const DisplayEvent& event)
{
	for (auto& entry : fWindows) {
		if (!entry.second->fPopup)
			entry.second->fHandler(event);
	}
}


// The root's pixels are the screen's, whoever drew them; the pointer is never in them.
status_t
X11Display::ReadScreen(BRect area, uint32* pixels)
{
	int32 left = (int32)floorf(area.left);
	int32 top = (int32)floorf(area.top);
	int32 width = (int32)floorf(area.right) - left + 1;
	int32 height = (int32)floorf(area.bottom) - top + 1;
	if (width <= 0 || height <= 0 || !ScreenFrame().Contains(area))
		return B_BAD_VALUE;
	if (fScreen->root_depth != 24 && fScreen->root_depth != 32)
		return B_UNSUPPORTED;

	// A reply holds at most what the server's request limit allows: rows go in bands.
	uint32 maxBytes = xcb_get_maximum_request_length(fConnection) * 4;
	int32 rowsPerReply = std::max<int32>(1, (int32)(maxBytes / ((uint32)width * 4)));
	for (int32 y = 0; y < height; y += rowsPerReply) {
		int32 rows = std::min(rowsPerReply, height - y);
		xcb_get_image_reply_t* image = xcb_get_image_reply(fConnection,
			xcb_get_image(fConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, fScreen->root,
				(int16)left, (int16)(top + y), (uint16)width, (uint16)rows, ~0u), NULL);
		if (image == NULL)
			return B_ERROR;
		size_t needed = (size_t)width * rows * 4;
		if ((size_t)xcb_get_image_data_length(image) < needed) {
			free(image);
			return B_ERROR;
		}
		const uint32* data = (const uint32*)xcb_get_image_data(image);
		uint32* out = pixels + (size_t)y * width;
		for (size_t i = 0; i < (size_t)width * rows; i++)
			out[i] = data[i] | 0xff000000;
		free(image);
	}
	return B_OK;
}


rgb_color
X11Display::DesktopColor()
{
	std::lock_guard<std::mutex> locker(fScreenLock);
	return fDesktopColor;
}


// The desktop is the root window: its background becomes the colour at once.
void
X11Display::SetDesktopColor(rgb_color color)
{
	color.alpha = 255;
	{
		std::lock_guard<std::mutex> locker(fScreenLock);
		fDesktopColor = color;
	}
	uint32 pixel = ((uint32)color.red << 16) | ((uint32)color.green << 8) | color.blue;
	xcb_change_window_attributes(fConnection, fScreen->root, XCB_CW_BACK_PIXEL, &pixel);
	xcb_clear_area(fConnection, 0, fScreen->root, 0, 0, 0, 0);
	xcb_flush(fConnection);
}


void
X11Display::GetKeyStates(uint8 states[16])
{
	memset(states, 0, 16);
	xcb_query_keymap_reply_t* keymap = xcb_query_keymap_reply(fConnection,
		xcb_query_keymap(fConnection), NULL);
	if (keymap == NULL)
		return;
	for (uint32 xKey = 0; xKey < 256; xKey++) {
		if ((keymap->keys[xKey / 8] & (1 << (xKey % 8))) == 0)
			continue;
		uint32 code = key_code_for_x_key(xKey);
		if (code != 0)
			states[code / 8] |= (uint8)(0x80 >> (code % 8));
	}
	free(keymap);
}


// The locks come from the server's modifier state; which side a modifier is held on
// comes from the keys that are down.
uint32
X11Display::Modifiers()
{
	uint32 modifiers = 0;
	xcb_query_pointer_reply_t* pointer = xcb_query_pointer_reply(fConnection,
		xcb_query_pointer(fConnection, fScreen->root), NULL);
	if (pointer != NULL) {
		if ((pointer->mask & XCB_MOD_MASK_LOCK) != 0)
			modifiers |= B_CAPS_LOCK;
		if ((pointer->mask & XCB_MOD_MASK_2) != 0)
			modifiers |= B_NUM_LOCK;
		free(pointer);
	}
	uint8 states[16];
	GetKeyStates(states);
	for (const ModifierKey& key : kModifierKeys) {
		if ((states[key.code / 8] & (0x80 >> (key.code % 8))) != 0)
			modifiers |= key.modifiers;
	}
	return modifiers;
}


// Caps Lock and Num Lock are the Lock and Mod2 modifiers; X has no modifier for Scroll
// Lock, which is left as it is.
status_t
X11Display::SetKeyboardLocks(uint32 modifiers)
{
	if (fKeyState == NULL)
		return B_UNSUPPORTED;
	uint8 locks = 0;
	if ((modifiers & B_CAPS_LOCK) != 0)
		locks |= XCB_MOD_MASK_LOCK;
	if ((modifiers & B_NUM_LOCK) != 0)
		locks |= XCB_MOD_MASK_2;
	xcb_generic_error_t* error = xcb_request_check(fConnection,
		xcb_xkb_latch_lock_state_checked(fConnection, XCB_XKB_ID_USE_CORE_KBD,
			XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2, locks, 0, 0, 0, 0, 0));
	free(error);
	return error == NULL ? B_OK : B_ERROR;
}


uint32
X11Display::RootCardinal(xcb_atom_t property, uint32 fallback)
{
	xcb_get_property_reply_t* reply = xcb_get_property_reply(fConnection,
		xcb_get_property(fConnection, 0, fScreen->root, property, XCB_ATOM_CARDINAL, 0, 1),
		NULL);
	uint32 value = fallback;
	if (reply != NULL && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
		memcpy(&value, xcb_get_property_value(reply), 4);
	free(reply);
	return value;
}


// Asks the window manager, as EWMH says: a client message to the root.
status_t
X11Display::SendToRoot(xcb_atom_t type, uint32 value)
{
	xcb_client_message_event_t message = {};
	message.response_type = XCB_CLIENT_MESSAGE;
	message.format = 32;
	message.window = fScreen->root;
	message.type = type;
	message.data.data32[0] = value;
	xcb_send_event(fConnection, 0, fScreen->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY
		| XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT, (const char*)&message);
	xcb_flush(fConnection);
	return B_OK;
}


// Without a window manager that keeps desktops, the screen is one workspace.
int32
X11Display::CountWorkspaces()
{
	return (int32)std::max<uint32>(1, RootCardinal(fDesktopCountAtom, 1));
}


status_t
X11Display::SetWorkspaceCount(int32 count)
{
	if (count < 1 || count > kMaxWorkspaces)
		return B_BAD_VALUE;
	if (RootCardinal(fDesktopCountAtom, 0) == 0)
		return count == 1 ? B_OK : B_NOT_ALLOWED;
	return SendToRoot(fDesktopCountAtom, (uint32)count);
}


int32
X11Display::CurrentWorkspace()
{
	return (int32)RootCardinal(fCurrentDesktopAtom, 0);
}


status_t
X11Display::ActivateWorkspace(int32 index)
{
	if (index < 0 || index >= CountWorkspaces())
		return B_BAD_INDEX;
	if (index == CurrentWorkspace())
		return B_OK;
	return SendToRoot(fCurrentDesktopAtom, (uint32)index);
}


// Runs on the event thread with fLock held, when the window manager changed desktops.
void
X11Display::WorkspaceChanged()
{
	int32 current = (int32)RootCardinal(fCurrentDesktopAtom, 0);
	int32 old;
	{
		std::lock_guard<std::mutex> locker(fScreenLock);
		old = fCurrentWorkspace;
		fCurrentWorkspace = current;
	}
	if (old == current)
		return;
	DisplayEvent event;
	event.type = kDisplayWorkspaceActivated;
	event.workspace = old;
	event.active = false;
	Broadcast(event);
	event.workspace = current;
	event.active = true;
	Broadcast(event);
}


xcb_window_t
X11Display::TopLevelOf(xcb_window_t window)
{
	for (int32 depth = 0; depth < kMaxTopLevelDepth; depth++) {
		xcb_query_tree_reply_t* tree = xcb_query_tree_reply(fConnection,
			xcb_query_tree(fConnection, window), NULL);
		if (tree == NULL)
			return window;
		xcb_window_t parent = tree->parent;
		free(tree);
		if (parent == fScreen->root || parent == XCB_NONE)
			return window;
		window = parent;
	}
	return window;
}


namespace {

// The drop target of window or of the shown window below it that holds where (in the
// root's coordinates), searching depth levels down.
bool
FindDropTarget(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t atom,
	xcb_window_t window, BPoint where, int32 depth, std::string* data)
{
	xcb_get_property_reply_t* property = xcb_get_property_reply(connection,
		xcb_get_property(connection, 0, window, atom, XCB_ATOM_STRING, 0,
			kMaxDropTargetSize / 4), NULL);
	if (property != NULL && property->format == 8
		&& xcb_get_property_value_length(property) > 0) {
		data->assign((const char*)xcb_get_property_value(property),
			std::min<size_t>(xcb_get_property_value_length(property), kMaxDropTargetSize));
		free(property);
		return true;
	}
	free(property);
	if (depth <= 0)
		return false;

	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection,
		xcb_query_tree(connection, window), NULL);
	if (tree == NULL)
		return false;
	xcb_window_t* children = xcb_query_tree_children(tree);
	bool found = false;
	for (int i = xcb_query_tree_children_length(tree) - 1; i >= 0 && !found; i--) {
		xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
			connection, xcb_get_window_attributes(connection, children[i]), NULL);
		// Menus and a drag's image (override-redirect) are looked through.
		bool shown = attributes != NULL
			&& attributes->map_state == XCB_MAP_STATE_VIEWABLE
			&& attributes->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT
			&& attributes->override_redirect == 0;
		free(attributes);
		if (!shown)
			continue;
		xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection,
			xcb_get_geometry(connection, children[i]), NULL);
		xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
			connection, xcb_translate_coordinates(connection, children[i], root, 0, 0),
			NULL);
		bool inside = geometry != NULL && origin != NULL
			&& where.x >= origin->dst_x && where.y >= origin->dst_y
			&& where.x < origin->dst_x + geometry->width
			&& where.y < origin->dst_y + geometry->height;
		free(geometry);
		free(origin);
		if (!inside)
			continue;
		// The frontmost window there decides, drop target or not.
		found = FindDropTarget(connection, root, atom, children[i], where, depth - 1,
			data);
		break;
	}
	free(tree);
	return found;
}



// A window's title as the window manager shows it: _NET_WM_NAME, else WM_NAME.
std::string
WindowTitle(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t netName,
	xcb_atom_t utf8)
{
	std::string title;
	const struct { xcb_atom_t property; xcb_atom_t type; } names[] = {
		{ netName, utf8 }, { XCB_ATOM_WM_NAME, XCB_ATOM_STRING }
	};
	for (const auto& name : names) {
		xcb_get_property_reply_t* reply = xcb_get_property_reply(connection,
			xcb_get_property(connection, 0, window, name.property, name.type, 0,
				kMaxStackedTitle / 4), NULL);
		if (reply != NULL && reply->format == 8
			&& xcb_get_property_value_length(reply) > 0) {
			title.assign((const char*)xcb_get_property_value(reply),
				xcb_get_property_value_length(reply));
		}
		free(reply);
		if (!title.empty())
			break;
	}
	return title;
}


// The window that carries a drop target at window or up to depth levels below it;
// XCB_NONE when there is none.
xcb_window_t
FindKitWindow(xcb_connection_t* connection, xcb_atom_t atom, xcb_window_t window,
	int32 depth, std::string* data)
{
	xcb_get_property_reply_t* property = xcb_get_property_reply(connection,
		xcb_get_property(connection, 0, window, atom, XCB_ATOM_STRING, 0,
			kMaxDropTargetSize / 4), NULL);
	if (property != NULL && property->format == 8
		&& xcb_get_property_value_length(property) > 0) {
		data->assign((const char*)xcb_get_property_value(property),
			std::min<size_t>(xcb_get_property_value_length(property), kMaxDropTargetSize));
		free(property);
		return window;
	}
	free(property);
	if (depth <= 0)
		return XCB_NONE;
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection,
		xcb_query_tree(connection, window), NULL);
	if (tree == NULL)
		return XCB_NONE;
	xcb_window_t found = XCB_NONE;
	xcb_window_t* children = xcb_query_tree_children(tree);
	for (int i = xcb_query_tree_children_length(tree) - 1; i >= 0 && found == XCB_NONE;
			i--)
		found = FindKitWindow(connection, atom, children[i], depth - 1, data);
	free(tree);
	return found;
}


// The area of window on the screen; false when it cannot be read.
bool
ScreenAreaOf(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
	BRect* frame)
{
	xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection,
		xcb_get_geometry(connection, window), NULL);
	xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
		connection, xcb_translate_coordinates(connection, window, root, 0, 0), NULL);
	bool read = geometry != NULL && origin != NULL;
	if (read) {
		*frame = BRect(origin->dst_x, origin->dst_y, origin->dst_x + geometry->width - 1,
			origin->dst_y + geometry->height - 1);
	}
	free(geometry);
	free(origin);
	return read;
}

} // namespace


// The root's children are in stacking order, bottom first; a window manager's frame
// holds the program's window a level or two below it.
status_t
X11Display::GetWindowStack(std::vector<StackedWindow>* windows)
{
	windows->clear();
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(fConnection,
		xcb_query_tree(fConnection, fScreen->root), NULL);
	if (tree == NULL)
		return B_ERROR;
	xcb_window_t* children = xcb_query_tree_children(tree);
	for (int i = xcb_query_tree_children_length(tree) - 1;
			i >= 0 && windows->size() < (size_t)kMaxStackedWindows; i--) {
		xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
			fConnection, xcb_get_window_attributes(fConnection, children[i]), NULL);
		bool shown = attributes != NULL
			&& attributes->map_state == XCB_MAP_STATE_VIEWABLE
			&& attributes->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT
			&& attributes->override_redirect == 0;
		free(attributes);
		if (!shown)
			continue;
		StackedWindow stacked;
		xcb_window_t client = FindKitWindow(fConnection, fDropTargetAtom, children[i],
			kMaxDropTargetDepth, &stacked.dropTarget);
		if (client == XCB_NONE)
			client = children[i];
		if (!ScreenAreaOf(fConnection, fScreen->root, client, &stacked.frame))
			continue;
		stacked.title = WindowTitle(fConnection, client, fNetNameAtom, fUTF8Atom);
		windows->push_back(std::move(stacked));
	}
	free(tree);
	return B_OK;
}


status_t
X11Display::DropTargetAt(BPoint where, std::string* data)
{
	return FindDropTarget(fConnection, fScreen->root, fDropTargetAtom, fScreen->root,
		where, kMaxDropTargetDepth, data) ? B_OK : B_ENTRY_NOT_FOUND;
}

} // namespace BPrivate
