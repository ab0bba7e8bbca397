// A fixture for tests of windows in this process on the offscreen display: the suite
// selects the display before its first window, a test shows its window with ShowWindow()
// (or keeps it hidden), and the fixture quits the window at the end, locked or not.
// SaveScreenshot() keeps a picture of a window when BE_SCREENSHOT_DIR is set.
//
//	class ListViewTest : public OffscreenWindowTest<ListWindow> { ... };
//	fWindow = new ListWindow(TestName());
//	ASSERT_NO_FATAL_FAILURE(ShowWindow());
//
// A window class made from its title alone is opened with Open(title).
//	inject_click(fOffscreen, ...);
#ifndef _OFFSCREEN_WINDOW_TEST_H
#define _OFFSCREEN_WINDOW_TEST_H

#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>

#include "OffscreenInput.h"
#include "display/OffscreenDisplay.h"

template<class WindowType = BWindow>
class OffscreenWindowTest : public testing::Test {
protected:
	static void SetUpTestSuite() { use_offscreen_display(); }

	void TearDown() override
	{
		if (fWindow != nullptr && (fWindow->IsLocked() || fWindow->Lock()))
			fWindow->Quit();
		fWindow = nullptr;
		fOffscreen = nullptr;
	}

	// Shows fWindow and finds its pixels on the display, in fOffscreen.
	void ShowWindow()
	{
		fWindow->Show();
		fOffscreen = offscreen_window(fWindow->Title());
		ASSERT_NE(fOffscreen, nullptr);
	}

	// Makes a WindowType titled title and shows it, for window classes constructed from
	// their title.
	void Open(const char* title)
	{
		fWindow = new WindowType(title);
		ShowWindow();
	}

	// The name of the running test: a window title no other test uses.
	static const char* TestName()
	{
		return testing::UnitTest::GetInstance()->current_test_info()->name();
	}

	// The middle of view, in its window's coordinates, where a click on it lands. Locks
	// the window, which must not be locked by another thread of the test.
	static BPoint Middle(BView* view)
	{
		BPoint middle;
		BWindow* window = view->Window();
		if (window != nullptr && window->Lock()) {
			BRect frame = view->ConvertToScreen(view->Bounds());
			middle = BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2)
				- window->Frame().LeftTop();
			window->Unlock();
		}
		return middle;
	}

	// When BE_SCREENSHOT_DIR is set, saves window (fOffscreen by default) as a PNG named
	// fileName there, once it has been presented, for a person to look at.
	void SaveScreenshot(const char* fileName, BPrivate::OffscreenWindow* window = nullptr)
	{
		const char* directory = getenv("BE_SCREENSHOT_DIR");
		if (directory == nullptr)
			return;
		if (window == nullptr)
			window = fOffscreen;
		window->WaitForPresentation(0, 5000000);
		window->SaveToPNG((std::string(directory) + "/" + fileName).c_str());
	}

	// Owned by its thread once shown; the fixture quits it.
	WindowType* fWindow = nullptr;
	BPrivate::OffscreenWindow* fOffscreen = nullptr;
};

#endif // _OFFSCREEN_WINDOW_TEST_H
