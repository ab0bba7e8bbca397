// SampleViewer on a real X server (a private Xvfb): its windows reach the screen, drawn.
#include <AppDefs.h>
#include <Messenger.h>

#include "TestRuntime.h"
#include "WaitFor.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <xcb/xcb.h>

#include <set>
#include <stdlib.h>
#include <string.h>

namespace {

const char* kSignature = "application/x-vnd.quorvane-SampleViewer";
const int kWidth = 800;
const int kHeight = 400;


// The screen's top-left part as 0xRRGGBB pixels, or empty on failure.
std::vector<uint32>
Screenshot(xcb_connection_t* connection, xcb_window_t root)
{
	std::vector<uint32> pixels;
	xcb_get_image_reply_t* image = xcb_get_image_reply(connection,
		xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0, kWidth, kHeight,
			~0u), NULL);
	if (image == NULL)
		return pixels;
	if (xcb_get_image_data_length(image) == kWidth * kHeight * 4) {
		const uint32* data = (const uint32*)xcb_get_image_data(image);
		pixels.reserve(kWidth * kHeight);
		for (int i = 0; i < kWidth * kHeight; i++)
			pixels.push_back(data[i] & 0xffffff);
	}
	free(image);
	return pixels;
}


bool
Contains(const std::vector<uint32>& pixels, uint32 color)
{
	for (uint32 pixel : pixels) {
		if (pixel == color)
			return true;
	}
	return false;
}

} // namespace


TEST(SampleViewerScreenTest, WindowsAreDrawnOnTheXServer)
{
	XvfbServer server;
	ASSERT_EQ(server.Start(), B_OK);
	setenv("DISPLAY", server.Name().c_str(), 1);
	unsetenv("BE_DISPLAY");

	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	pid_t app = runtime.Start("SampleViewer");
	ASSERT_TRUE(runtime.WaitForApp(kSignature));

	xcb_connection_t* connection = xcb_connect(server.Name().c_str(), NULL);
	ASSERT_EQ(xcb_connection_has_error(connection), 0);
	xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

	// The leaf swatch of the first window and the deepest view of the second.
	const uint32 kLeaf = 0xffb0a0;
	const uint32 kDeep = 0xffffff;
	std::vector<uint32> pixels;
	// Each check grabs the screen: not too often.
	wait_for([&] {
		pixels = Screenshot(connection, root);
		return Contains(pixels, kLeaf) && Contains(pixels, kDeep);
	}, kWaitTimeout, 50000);
	ASSERT_EQ(pixels.size(), (size_t)(kWidth * kHeight));
	EXPECT_TRUE(Contains(pixels, kLeaf));
	EXPECT_TRUE(Contains(pixels, kDeep));

	// Not blank: the windows show many colours, text included.
	std::set<uint32> colors(pixels.begin(), pixels.end());
	EXPECT_GT(colors.size(), 20u);
	// The first window's content starts at its frame's corner (60, 60).
	EXPECT_EQ(pixels[60 * kWidth + 60], 0xd8d8d8u);

	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth,
		kHeight);
	cairo_surface_flush(surface);
	uint8* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	for (int y = 0; y < kHeight; y++)
		memcpy(data + y * stride, pixels.data() + y * kWidth, kWidth * 4);
	cairo_surface_mark_dirty(surface);
	EXPECT_EQ(cairo_surface_write_to_png(surface, QV_BIN_DIR "/../SampleViewer-screen.png"),
		CAIRO_STATUS_SUCCESS);
	cairo_surface_destroy(surface);
	xcb_disconnect(connection);

	BMessenger(kSignature).SendMessage(B_QUIT_REQUESTED);
	EXPECT_NE(runtime.Wait(app), -1);
}
