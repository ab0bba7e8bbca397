// Status bars: Update adds within 0 and the maximum and replaces the texts given, Reset
// starts over, the update and reset messages work from another thread, and the bar is
// filled in proportion to the value.
#include <Message.h>
#include <Messenger.h>
#include <StatusBar.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

namespace {

class StatusBarTest : public OffscreenWindowTest<BWindow> {
protected:
	void Open(const char* title)
	{
		fWindow = new BWindow(BRect(100, 100, 319, 159), title, B_TITLED_WINDOW, 0);
		fBar = new BStatusBar(BRect(10, 10, 209, 50), "progress", "Copying", "files");
		fWindow->AddChild(fBar);
		ShowWindow();
	}

	BStatusBar* fBar = nullptr;
};

} // namespace


TEST_F(StatusBarTest, UpdatesStayWithinTheLimitsAndFillTheBar)
{
	Open("Status update");
	BRect bar;
	wait_until(fWindow, [&] {
		fBar->SetMaxValue(200);
		fBar->Update(50, "a.txt", "1 of 4");
		EXPECT_EQ(fBar->CurrentValue(), 50);
		EXPECT_STREQ(fBar->Text(), "a.txt");
		EXPECT_STREQ(fBar->TrailingText(), "1 of 4");
		fBar->Update(-80);
		EXPECT_EQ(fBar->CurrentValue(), 0);
		// A NULL text keeps the one shown.
		EXPECT_STREQ(fBar->Text(), "a.txt");
		fBar->Update(100);
		// Attached, the bar took its font's height, whatever its frame's (40 pixels).
		float height;
		fBar->GetPreferredSize(NULL, &height);
		EXPECT_EQ(fBar->Frame().Height(), height);
		EXPECT_LT(height, 40);
		EXPECT_EQ(fBar->Frame().Width(), 199);
		bar = fBar->ConvertToScreen(fBar->BarFrame()).OffsetByCopy(
			BPoint(0, 0) - fWindow->Frame().LeftTop());
		return true;
	});
	ASSERT_TRUE(wait_for_queue(fWindow));
	ASSERT_TRUE(fOffscreen->WaitForPresentation(0, 5000000));
	// Half the bar is filled: its colour left of the middle, not right of it.
	int32 y = (int32)((bar.top + bar.bottom) / 2);
	rgb_color fill = { 50, 150, 255, 255 };
	EXPECT_EQ(fOffscreen->PixelAt((int32)bar.left + 10, y), fill);
	EXPECT_NE(fOffscreen->PixelAt((int32)bar.right - 10, y), fill);
	SaveScreenshot("status-bar.png");

	// The messages do the same from any thread.
	BMessage update(B_UPDATE_STATUS_BAR);
	update.AddFloat("delta", 500);
	update.AddString("text", "d.txt");
	BMessenger(fBar).SendMessage(&update);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fBar->CurrentValue() == 200; }));
	BMessage reset(B_RESET_STATUS_BAR);
	reset.AddString("label", "Done");
	BMessenger(fBar).SendMessage(&reset);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fBar->CurrentValue() == 0; }));
	wait_until(fWindow, [&] {
		EXPECT_STREQ(fBar->Label(), "Done");
		EXPECT_STREQ(fBar->Text(), "");
		return true;
	});
}
