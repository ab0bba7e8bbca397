// A test's view of a private X server's screen: GetImage of the root window for the
// pixels, XTEST for the input.
#include "XvfbScreen.h"

#include "WaitFor.h"

#include <cairo.h>
#include <xcb/xtest.h>

#include <algorithm>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

// Far enough apart that two clicks never count as a double click.
const useconds_t kClickPause = 600000;

} // namespace


XvfbScreen::XvfbScreen(const std::string& display, int width, int height)
	:
	fConnection(xcb_connect(display.c_str(), NULL)),
	fRoot(XCB_NONE),
	fWidth(width),
	fHeight(height)
{
	if (xcb_connection_has_error(fConnection) == 0)
		fRoot = xcb_setup_roots_iterator(xcb_get_setup(fConnection)).data->root;
}


XvfbScreen::~XvfbScreen()
{
	xcb_disconnect(fConnection);
}


bool
XvfbScreen::IsOpen() const
{
	return xcb_connection_has_error(fConnection) == 0;
}


bool
XvfbScreen::Grab()
{
	fPixels.clear();
	if (!IsOpen())
		return false;
	xcb_get_image_reply_t* image = xcb_get_image_reply(fConnection,
		xcb_get_image(fConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, fRoot, 0, 0, fWidth, fHeight,
			~0u), NULL);
	if (image == NULL)
		return false;
	if (xcb_get_image_data_length(image) == fWidth * fHeight * 4) {
		const uint32* data = (const uint32*)xcb_get_image_data(image);
		fPixels.assign(data, data + fWidth * fHeight);
		for (uint32& pixel : fPixels)
			pixel &= 0xffffff;
	}
	free(image);
	return !fPixels.empty();
}


int
XvfbScreen::Count(int left, int top, int right, int bottom,
	const std::function<bool(uint32)>& test) const
{
	if (fPixels.empty())
		return 0;
	int count = 0;
	for (int y = std::max(top, 0); y <= std::min(bottom, fHeight - 1); y++) {
		for (int x = std::max(left, 0); x <= std::min(right, fWidth - 1); x++) {
			if (test(At(x, y)))
				count++;
		}
	}
	return count;
}


std::vector<int>
XvfbScreen::Bands(int left, int right, const std::function<bool(uint32)>& test) const
{
	std::vector<int> bands;
	if (fPixels.empty())
		return bands;
	bool inside = false;
	for (int y = 0; y < fHeight; y++) {
		bool hit = false;
		for (int x = left; x < right && !hit; x++)
			hit = test(At(x, y));
		if (hit && !inside)
			bands.push_back(y);
		inside = hit;
	}
	return bands;
}


std::vector<int>
XvfbScreen::TextRows(int left, int right, const std::function<bool(uint32)>& test,
	int shortestRow) const
{
	std::vector<int> rows;
	for (int band : Bands(left, right, test)) {
		if (rows.empty() || band - rows.back() >= shortestRow)
			rows.push_back(band);
	}
	return rows;
}


bool
XvfbScreen::WaitFor(const std::function<bool()>& condition)
{
	// Each check reads the whole screen: not too often.
	return wait_for([&] { return Grab() && condition(); }, 2 * kWaitTimeout, 50000);
}


bool
XvfbScreen::Save(const char* path) const
{
	if (fPixels.empty())
		return false;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, fWidth,
		fHeight);
	cairo_surface_flush(surface);
	uint8* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	for (int y = 0; y < fHeight; y++)
		memcpy(data + y * stride, fPixels.data() + y * fWidth, fWidth * 4);
	cairo_surface_mark_dirty(surface);
	bool saved = cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
	cairo_surface_destroy(surface);
	return saved;
}


void
XvfbScreen::MoveTo(int x, int y)
{
	xcb_test_fake_input(fConnection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, fRoot, x, y,
		0);
	xcb_flush(fConnection);
}


void
XvfbScreen::Press()
{
	xcb_test_fake_input(fConnection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0,
		0);
	xcb_flush(fConnection);
}


void
XvfbScreen::Release()
{
	xcb_test_fake_input(fConnection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0,
		0, 0);
	xcb_flush(fConnection);
}


void
XvfbScreen::Click(int x, int y)
{
	MoveTo(x, y);
	Press();
	Release();
	usleep(kClickPause);
}


xcb_keycode_t
XvfbScreen::KeyCode(xcb_keysym_t keysym)
{
	const xcb_setup_t* setup = xcb_get_setup(fConnection);
	int count = setup->max_keycode - setup->min_keycode + 1;
	xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
		fConnection, xcb_get_keyboard_mapping(fConnection, setup->min_keycode, count),
		NULL);
	if (mapping == NULL)
		return 0;
	xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping);
	xcb_keycode_t found = 0;
	for (int i = 0; i < count * mapping->keysyms_per_keycode && found == 0; i++) {
		if (keysyms[i] == keysym)
			found = setup->min_keycode + i / mapping->keysyms_per_keycode;
	}
	free(mapping);
	return found;
}


void
XvfbScreen::Key(xcb_keysym_t key)
{
	xcb_keycode_t code = KeyCode(key);
	xcb_test_fake_input(fConnection, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0,
		0);
	xcb_test_fake_input(fConnection, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0,
		0, 0);
	xcb_flush(fConnection);
}


void
XvfbScreen::ControlKey(xcb_keysym_t key)
{
	xcb_keycode_t control = KeyCode(0xffe3);
	xcb_test_fake_input(fConnection, XCB_KEY_PRESS, control, XCB_CURRENT_TIME, XCB_NONE,
		0, 0, 0);
	Key(key);
	xcb_test_fake_input(fConnection, XCB_KEY_RELEASE, control, XCB_CURRENT_TIME, XCB_NONE,
		0, 0, 0);
	xcb_flush(fConnection);
}


std::vector<uint32>
XvfbScreen::Cardinals(const char* title, const char* property)
{
	std::vector<uint32> values;
	xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(fConnection,
		xcb_intern_atom(fConnection, 0, strlen(property), property), NULL);
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(fConnection,
		xcb_query_tree(fConnection, fRoot), NULL);
	if (atom == NULL || tree == NULL) {
		free(atom);
		free(tree);
		return values;
	}
	xcb_window_t* children = xcb_query_tree_children(tree);
	for (int i = 0; i < xcb_query_tree_children_length(tree) && values.empty(); i++) {
		xcb_get_property_reply_t* name = xcb_get_property_reply(fConnection,
			xcb_get_property(fConnection, 0, children[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
				0, 256), NULL);
		bool match = name != NULL && std::string((const char*)xcb_get_property_value(name),
			xcb_get_property_value_length(name)) == title;
		free(name);
		if (!match)
			continue;
		xcb_get_property_reply_t* value = xcb_get_property_reply(fConnection,
			xcb_get_property(fConnection, 0, children[i], atom->atom, XCB_ATOM_CARDINAL, 0,
				1 << 16), NULL);
		if (value != NULL && value->format == 32) {
			const uint32* data = (const uint32*)xcb_get_property_value(value);
			values.assign(data, data + xcb_get_property_value_length(value) / 4);
		}
		free(value);
	}
	free(tree);
	free(atom);
	return values;
}
