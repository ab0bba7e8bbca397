// The X11 back end against a private Xvfb: pixels reach the server, and input and the
// window manager's close request come back as events.
#include "display/X11Display.h"

#include <InterfaceDefs.h>

#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <xcb/xcb.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdlib.h>
#include <string.h>
#include <vector>

using namespace BPrivate;

namespace {

class EventLog {
public:
	void Add(const DisplayEvent& event)
	{
		std::lock_guard<std::mutex> locker(fLock);
		fEvents.push_back(event);
		fChanged.notify_all();
	}

	// Waits (at most five seconds) for an event of the type and returns it.
	bool WaitFor(DisplayEventType type, DisplayEvent* found)
	{
		std::unique_lock<std::mutex> locker(fLock);
		return fChanged.wait_for(locker, std::chrono::seconds(5), [&] {
			for (const DisplayEvent& event : fEvents) {
				if (event.type == type) {
					*found = event;
					return true;
				}
			}
			return false;
		});
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<DisplayEvent> fEvents;
};


class X11DisplayTest : public testing::Test {
protected:
	static void SetUpTestSuite()
	{
		stServer = new XvfbServer;
		ASSERT_EQ(stServer->Start(), B_OK);
		setenv("DISPLAY", stServer->Name().c_str(), 1);
		stDisplay = X11Display::Connect();
		ASSERT_NE(stDisplay, nullptr);
	}

	static void TearDownTestSuite()
	{
		// The display's reader thread outlives the test; it ends with the connection.
		stServer->Stop();
		delete stServer;
	}

	static XvfbServer* stServer;
	static X11Display* stDisplay;
};

XvfbServer* X11DisplayTest::stServer = NULL;
X11Display* X11DisplayTest::stDisplay = NULL;


xcb_window_t
FindWindowAt(xcb_connection_t* connection, xcb_window_t root)
{
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection,
		xcb_query_tree(connection, root), NULL);
	xcb_window_t found = XCB_NONE;
	if (tree != NULL && xcb_query_tree_children_length(tree) > 0)
		found = xcb_query_tree_children(tree)[xcb_query_tree_children_length(tree) - 1];
	free(tree);
	return found;
}

} // namespace


TEST_F(X11DisplayTest, ScreenFrameIsTheServersScreen)
{
	EXPECT_EQ(stDisplay->ScreenFrame(), BRect(0, 0, 1023, 767));
	EXPECT_STREQ(stDisplay->Name(), "x11");
}


TEST_F(X11DisplayTest, PresentedPixelsReachTheServerAndInputComesBack)
{
	EventLog log;
	DisplayWindow* window = stDisplay->CreateWindow(BRect(30, 40, 129, 89), "X11 test",
		[&](const DisplayEvent& event) { log.Add(event); });
	window->Show();
	DisplayEvent event;
	ASSERT_TRUE(log.WaitFor(kDisplayExposed, &event));

	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 50);
	cairo_t* cairo = cairo_create(surface);
	cairo_set_source_rgb(cairo, 0, 0, 1);
	cairo_paint(cairo);
	cairo_set_source_rgb(cairo, 1, 0, 0);
	cairo_rectangle(cairo, 10, 10, 5, 5);
	cairo_fill(cairo);
	cairo_destroy(cairo);
	window->Present(surface, BRect(0, 0, 99, 49));
	cairo_surface_destroy(surface);

	// A second connection reads the window's pixels back and sends it input.
	xcb_connection_t* connection = xcb_connect(getenv("DISPLAY"), NULL);
	ASSERT_EQ(xcb_connection_has_error(connection), 0);
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
	xcb_window_t id = FindWindowAt(connection, screen->root);
	ASSERT_NE(id, (xcb_window_t)XCB_NONE);

	xcb_get_image_reply_t* image = xcb_get_image_reply(connection,
		xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, id, 0, 0, 100, 50, ~0u), NULL);
	ASSERT_NE(image, nullptr);
	const uint32* pixels = (const uint32*)xcb_get_image_data(image);
	EXPECT_EQ(pixels[0] & 0xffffff, 0x0000ffu);
	EXPECT_EQ(pixels[12 * 100 + 12] & 0xffffff, 0xff0000u);
	free(image);

	xcb_button_press_event_t press = {};
	press.response_type = XCB_BUTTON_PRESS;
	press.detail = 1;
	press.event = id;
	press.event_x = 7;
	press.event_y = 8;
	press.state = XCB_MOD_MASK_CONTROL;
	xcb_send_event(connection, 0, id, XCB_EVENT_MASK_BUTTON_PRESS, (const char*)&press);

	xcb_intern_atom_reply_t* protocols = xcb_intern_atom_reply(connection,
		xcb_intern_atom(connection, 0, 12, "WM_PROTOCOLS"), NULL);
	xcb_intern_atom_reply_t* deleteWindow = xcb_intern_atom_reply(connection,
		xcb_intern_atom(connection, 0, 16, "WM_DELETE_WINDOW"), NULL);
	xcb_client_message_event_t close = {};
	close.response_type = XCB_CLIENT_MESSAGE;
	close.format = 32;
	close.window = id;
	close.type = protocols->atom;
	close.data.data32[0] = deleteWindow->atom;
	xcb_send_event(connection, 0, id, XCB_EVENT_MASK_NO_EVENT, (const char*)&close);
	free(protocols);
	free(deleteWindow);
	xcb_flush(connection);

	ASSERT_TRUE(log.WaitFor(kDisplayMouseDown, &event));
	EXPECT_EQ(event.where, BPoint(7, 8));
	EXPECT_EQ(event.buttons, (uint32)B_PRIMARY_MOUSE_BUTTON);
	EXPECT_EQ(event.clicks, 1);
	EXPECT_NE(event.modifiers & B_COMMAND_KEY, 0u);
	EXPECT_TRUE(log.WaitFor(kDisplayCloseRequested, &event));

	// The program's resize comes back as the window's new frame.
	window->SetFrame(BRect(30, 40, 229, 139));
	ASSERT_TRUE(log.WaitFor(kDisplayResized, &event));
	EXPECT_EQ(event.frame.Width(), 199);
	EXPECT_EQ(event.frame.Height(), 99);

	xcb_disconnect(connection);
	delete window;
}
