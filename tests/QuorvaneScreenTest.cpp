// Quorvane on a real X server (a private Xvfb) beside the sample applications: its
// outline fills, real clicks through the server's XTEST extension expand rows and select
// a view, and the capabilities pane and the specifier field show it; Ctrl+C hands the
// specifier to other X11 programs, and the window carries the program's icon. The screen
// is saved as Quorvane-screen.png in the build directory.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include "TestRuntime.h"
#include "WaitFor.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char* kQuorvane = "application/x-vnd.thessory-Quorvane";
const char* kViewer = "application/x-vnd.quorvane-SampleViewer";
const char* kWorkbench = "application/x-vnd.quorvane-SampleWorkbench";
const int kWidth = 700;
const int kHeight = 450;

// The window sits at (50, 50) (no window manager moves it); after its first layout the
// outline's list starts 279 pixels in, behind its scroll view's border.
const int kListLeft = 50 + 279;
const int kListRight = 50 + 540;
const int kPaneLeft = 50 + 10;
const int kPaneRight = 50 + 240;


class Screen {
public:
	Screen(const std::string& display)
		:
		fConnection(xcb_connect(display.c_str(), NULL)),
		fRoot(xcb_setup_roots_iterator(xcb_get_setup(fConnection)).data->root)
	{
	}

	~Screen() { xcb_disconnect(fConnection); }

	bool IsOpen() const { return xcb_connection_has_error(fConnection) == 0; }

	bool Grab()
	{
		fPixels.clear();
		xcb_get_image_reply_t* image = xcb_get_image_reply(fConnection,
			xcb_get_image(fConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, fRoot, 0, 0, kWidth,
				kHeight, ~0u), NULL);
		if (image == NULL)
			return false;
		if (xcb_get_image_data_length(image) == kWidth * kHeight * 4) {
			const uint32* data = (const uint32*)xcb_get_image_data(image);
			fPixels.assign(data, data + kWidth * kHeight);
			for (uint32& pixel : fPixels)
				pixel &= 0xffffff;
		}
		free(image);
		return !fPixels.empty();
	}

	uint32 At(int x, int y) const { return fPixels[y * kWidth + x]; }

	// The rows of the screen, top to bottom, where some pixel between left and right
	// passes test; each band of consecutive rows is given by its first row.
	std::vector<int> Bands(int left, int right, const std::function<bool(uint32)>& test)
	{
		std::vector<int> bands;
		bool inside = false;
		for (int y = 0; y < kHeight; y++) {
			bool hit = false;
			for (int x = left; x < right && !hit; x++)
				hit = test(At(x, y));
			if (hit && !inside)
				bands.push_back(y);
			inside = hit;
		}
		return bands;
	}

	// Polls (at most twice kWaitTimeout) until condition holds on a fresh grab.
	bool WaitFor(const std::function<bool()>& condition)
	{
		return wait_for([&] { return Grab() && condition(); }, 2 * kWaitTimeout, 50000);
	}

	void Click(int x, int y)
	{
		xcb_test_fake_input(fConnection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, fRoot,
			x, y, 0);
		xcb_test_fake_input(fConnection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE,
			0, 0, 0);
		xcb_test_fake_input(fConnection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME,
			XCB_NONE, 0, 0, 0);
		xcb_flush(fConnection);
		// Far enough apart not to count as a double click.
		usleep(600000);
	}

	// The key code of keysym in the server's keymap, 0 when none types it.
	xcb_keycode_t KeyCode(xcb_keysym_t keysym)
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

	// Presses key with Control held, as a user types a shortcut.
	void ControlKey(xcb_keysym_t key)
	{
		xcb_keycode_t control = KeyCode(0xffe3);
		xcb_keycode_t code = KeyCode(key);
		xcb_test_fake_input(fConnection, XCB_KEY_PRESS, control, XCB_CURRENT_TIME,
			XCB_NONE, 0, 0, 0);
		xcb_test_fake_input(fConnection, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE,
			0, 0, 0);
		xcb_test_fake_input(fConnection, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME,
			XCB_NONE, 0, 0, 0);
		xcb_test_fake_input(fConnection, XCB_KEY_RELEASE, control, XCB_CURRENT_TIME,
			XCB_NONE, 0, 0, 0);
		xcb_flush(fConnection);
	}

	// The CARDINALs of a property of the top window titled title; empty without them.
	std::vector<uint32> Cardinals(const char* title, const char* property)
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
				xcb_get_property(fConnection, 0, children[i], XCB_ATOM_WM_NAME,
					XCB_ATOM_STRING, 0, 256), NULL);
			bool match = name != NULL && std::string((const char*)xcb_get_property_value(
				name), xcb_get_property_value_length(name)) == title;
			free(name);
			if (!match)
				continue;
			xcb_get_property_reply_t* value = xcb_get_property_reply(fConnection,
				xcb_get_property(fConnection, 0, children[i], atom->atom,
					XCB_ATOM_CARDINAL, 0, 1 << 16), NULL);
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

	bool Save(const char* path)
	{
		cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth,
			kHeight);
		cairo_surface_flush(surface);
		uint8* data = cairo_image_surface_get_data(surface);
		int stride = cairo_image_surface_get_stride(surface);
		for (int y = 0; y < kHeight; y++)
			memcpy(data + y * stride, fPixels.data() + y * kWidth, kWidth * 4);
		cairo_surface_mark_dirty(surface);
		bool saved = cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
		cairo_surface_destroy(surface);
		return saved;
	}

private:
	xcb_connection_t*		fConnection;
	xcb_window_t			fRoot;
	std::vector<uint32>		fPixels;
};


bool
is_red(uint32 pixel)
{
	return ((pixel >> 16) & 0xff) > 150 && ((pixel >> 8) & 0xff) < 90 && (pixel & 0xff) < 90;
}


bool
is_dark(uint32 pixel)
{
	return ((pixel >> 16) & 0xff) < 100 && ((pixel >> 8) & 0xff) < 100
		&& (pixel & 0xff) < 100;
}


// The text of Quorvane's specifier field, asked through the scripting protocol.
std::string
specifier_text()
{
	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("Text");
	request.AddSpecifier("View", "fSpecifier");
	request.AddSpecifier("View", "fBackView");
	request.AddSpecifier("Window", "Quorvane");
	BMessage reply;
	const char* text = NULL;
	if (BMessenger(kQuorvane).SendMessage(&request, &reply, 5000000, 5000000) != B_OK
		|| reply.FindString("result", &text) != B_OK)
		return "";
	return text;
}

// What command prints on standard output, "<failed>" when it fails.
std::string
read_command(const std::string& command)
{
	FILE* pipe = popen(command.c_str(), "r");
	if (pipe == NULL)
		return "<failed>";
	std::string output;
	char buffer[256];
	while (size_t bytes = fread(buffer, 1, sizeof(buffer), pipe))
		output.append(buffer, bytes);
	return pclose(pipe) == 0 ? output : "<failed>";
}

} // namespace


TEST(QuorvaneScreenTest, ARealClickSelectsAViewBesideTheSampleApplications)
{
	XvfbServer server;
	ASSERT_EQ(server.Start(), B_OK);
	setenv("DISPLAY", server.Name().c_str(), 1);
	unsetenv("BE_DISPLAY");

	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	runtime.Start("SampleViewer");
	ASSERT_TRUE(runtime.WaitForApp(kViewer));
	if (access(TestRuntime::BinaryPath("SampleWorkbench").c_str(), X_OK) == 0) {
		runtime.Start("SampleWorkbench");
		ASSERT_TRUE(runtime.WaitForApp(kWorkbench));
	}
	pid_t quorvane = runtime.Start("Quorvane", {}, "/dev/null");
	ASSERT_TRUE(runtime.WaitForApp(kQuorvane));

	Screen screen(server.Name());
	ASSERT_TRUE(screen.IsOpen());

	// The first application's row: its file name in red.
	std::vector<int> rows;
	ASSERT_TRUE(screen.WaitFor([&] {
		rows = screen.Bands(kListLeft, kListRight, is_red);
		return !rows.empty();
	}));
	int first = rows[0];
	int count = rows.size();

	// Its latch expands it: its windows' rows follow, the first one named in red.
	screen.Click(kListLeft + 6, first + 6);
	ASSERT_TRUE(screen.WaitFor([&] {
		rows = screen.Bands(kListLeft, kListRight, is_red);
		return (int)rows.size() > count;
	}));
	int pitch = rows[1] - rows[0];
	ASSERT_GE(pitch, 18);

	// The first window's latch, one level in, shows its views; the first view's row is
	// selected by a click on its text.
	screen.Click(kListLeft + 12 + 6, first + pitch + 6);
	screen.Click(kListLeft + 120, first + 2 * pitch + 6);

	// The capabilities pane fills with text; the specifier names a view of a window.
	ASSERT_TRUE(screen.WaitFor([&] {
		return screen.Bands(kPaneLeft, kPaneRight, is_dark).size() > 10;
	}));
	std::string specifier = specifier_text();
	EXPECT_EQ(specifier.rfind("Specifier: ", 0), 0u) << specifier;
	EXPECT_NE(specifier.find("View"), std::string::npos) << specifier;
	EXPECT_NE(specifier.find("Window"), std::string::npos) << specifier;

	ASSERT_TRUE(screen.Grab());
	EXPECT_TRUE(screen.Save(QV_BIN_DIR "/../Quorvane-screen.png"));

	// Ctrl+C puts the view's whole specifier on the CLIPBOARD selection, where another
	// X11 program reads it.
	if (access("/usr/bin/xclip", X_OK) == 0) {
		screen.ControlKey('c');
		std::string chain = specifier.substr(strlen("Specifier: "));
		std::string pasted;
		for (int i = 0; i < 100 && pasted != chain; i++) {
			usleep(100000);
			pasted = read_command("timeout 10 /usr/bin/xclip -display " + server.Name()
				+ " -selection clipboard -o");
		}
		EXPECT_EQ(pasted, chain);
	}

	// The window shows the program's 16 by 16 icon.
	std::vector<uint32> icon = screen.Cardinals("Quorvane", "_NET_WM_ICON");
	ASSERT_EQ(icon.size(), 2u + 16 * 16);
	EXPECT_EQ(icon[0], 16u);
	EXPECT_EQ(icon[1], 16u);
	EXPECT_EQ(icon[2] >> 24, 0u);
	EXPECT_EQ(icon[2 + 8 * 16 + 8] >> 24, 0xffu);

	BMessenger(kQuorvane).SendMessage(B_QUIT_REQUESTED);
	EXPECT_NE(runtime.Wait(quorvane), -1);
}
