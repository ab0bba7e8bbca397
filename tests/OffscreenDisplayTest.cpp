// The offscreen back end: presentation, pixels, PNG files and injected input.
#include "display/OffscreenDisplay.h"

#include <Screen.h>

#include <gtest/gtest.h>

#include <cairo.h>

#include <dirent.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "ScratchDirectory.h"

using namespace BPrivate;

TEST(OffscreenDisplayTest, PresentsPixelsAndSavesThem)
{
	OffscreenDisplay display;
	std::vector<DisplayEvent> events;
	DisplayWindow* window = display.CreateWindow(BRect(10, 20, 49, 39), "Test window",
		[&](const DisplayEvent& event) { events.push_back(event); });
	OffscreenWindow* offscreen = display.FindWindow("Test window");
	ASSERT_EQ(offscreen, window);
	EXPECT_FALSE(offscreen->IsVisible());
	window->Show();
	EXPECT_TRUE(offscreen->IsVisible());

	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 40, 20);
	cairo_t* cairo = cairo_create(surface);
	cairo_set_source_rgb(cairo, 1, 0, 0);
	cairo_paint(cairo);
	cairo_destroy(cairo);

	// Only the dirty part is shown.
	EXPECT_EQ(offscreen->Presentations(), 0);
	window->Present(surface, BRect(0, 0, 9, 9));
	EXPECT_TRUE(offscreen->WaitForPresentation(0, 1000));
	EXPECT_FALSE(offscreen->WaitForPresentation(1, 1000));
	EXPECT_EQ(offscreen->PixelAt(0, 0), make_color(255, 0, 0));
	EXPECT_EQ(offscreen->PixelAt(9, 9), make_color(255, 0, 0));
	EXPECT_EQ(offscreen->PixelAt(10, 10), make_color(0, 0, 0));
	EXPECT_EQ(offscreen->PixelAt(100, 0).alpha, 0);
	cairo_surface_destroy(surface);

	char path[] = "/tmp/offscreen-test-XXXXXX.png";
	int fd = mkstemps(path, 4);
	ASSERT_GE(fd, 0);
	close(fd);
	ASSERT_EQ(offscreen->SaveToPNG(path), B_OK);
	cairo_surface_t* saved = cairo_image_surface_create_from_png(path);
	EXPECT_EQ(cairo_image_surface_get_width(saved), 40);
	EXPECT_EQ(cairo_image_surface_get_height(saved), 20);
	cairo_surface_destroy(saved);
	unlink(path);
	EXPECT_NE(offscreen->SaveToPNG("/nonexistent-dir/x.png"), B_OK);

	delete window;
	EXPECT_EQ(display.FindWindow("Test window"), nullptr);
}


TEST(OffscreenDisplayTest, DeliversInjectedInputAndFrameChanges)
{
	OffscreenDisplay display;
	std::vector<DisplayEvent> events;
	DisplayWindow* window = display.CreateWindow(BRect(0, 0, 99, 99), "Input",
		[&](const DisplayEvent& event) { events.push_back(event); });
	OffscreenWindow* offscreen = display.Windows().front();

	DisplayEvent click;
	click.type = kDisplayMouseDown;
	click.where = BPoint(5, 6);
	click.buttons = 1;
	click.clicks = 2;
	offscreen->Inject(click);
	ASSERT_EQ(events.size(), 1u);
	EXPECT_EQ(events[0].where, BPoint(5, 6));
	EXPECT_EQ(events[0].clicks, 2);

	// A resize is confirmed as the new frame; a move as well, separately.
	window->SetFrame(BRect(10, 10, 59, 29));
	ASSERT_EQ(events.size(), 3u);
	EXPECT_EQ(events[1].type, kDisplayResized);
	EXPECT_EQ(events[1].frame, BRect(10, 10, 59, 29));
	EXPECT_EQ(events[2].type, kDisplayMoved);
	EXPECT_EQ(offscreen->Frame(), BRect(10, 10, 59, 29));

	DisplayEvent resize;
	resize.type = kDisplayResized;
	resize.frame = BRect(10, 10, 69, 29);
	offscreen->Inject(resize);
	ASSERT_EQ(events.size(), 4u);
	EXPECT_EQ(events[3].type, kDisplayResized);
	delete window;
}


TEST(OffscreenDisplayTest, ScreenFrameComesFromTheDisplay)
{
	setenv("BE_DISPLAY", "offscreen", 1);
	BScreen screen;
	EXPECT_EQ(screen.Frame(), BRect(0, 0, 1279, 1023));
	EXPECT_STREQ(Display::Default()->Name(), "offscreen");
}


TEST(OffscreenDisplayTest, LeavesSnapshotsWhereAsked)
{
	ScratchDirectory directory("offscreen-snapshots");
	setenv("BE_SCREENSHOT_DIR", directory.Path().c_str(), 1);

	OffscreenDisplay display;
	DisplayWindow* window = display.CreateWindow(BRect(0, 0, 9, 9), "Snap shot/1",
		[](const DisplayEvent&) {});
	std::string path = directory / "OffscreenDisplayTest-Snap_shot_1.png";
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
	window->Present(surface, BRect(0, 0, 9, 9));
	EXPECT_EQ(access(path.c_str(), R_OK), 0);
	unlink(path.c_str());
	// Presentations in quick succession are not all written; the last one is, at the end.
	window->Present(surface, BRect(0, 0, 9, 9));
	EXPECT_NE(access(path.c_str(), R_OK), 0);
	delete window;
	EXPECT_EQ(access(path.c_str(), R_OK), 0);
	// Snapshots are written aside and renamed: nothing else is left in the directory.
	std::vector<std::string> names;
	if (DIR* listing = opendir(directory.Path().c_str())) {
		while (dirent* entry = readdir(listing)) {
			if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
				names.push_back(entry->d_name);
		}
		closedir(listing);
	}
	EXPECT_EQ(names, std::vector<std::string>{ "OffscreenDisplayTest-Snap_shot_1.png" });
	cairo_surface_destroy(surface);
	unsetenv("BE_SCREENSHOT_DIR");
}
