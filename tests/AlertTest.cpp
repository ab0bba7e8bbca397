// BAlert on the offscreen display: Go() with and without waiting, the default button and
// shortcuts, the invoker's message, the layout of its buttons, and deleting itself.
#include <Alert.h>
#include <Button.h>
#include <Invoker.h>
#include <Looper.h>
#include <Message.h>
#include <OS.h>
#include <TextView.h>

#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "OffscreenWindowTest.h"

using BPrivate::OffscreenWindow;

namespace {

std::atomic<int> stDeleted{0};

class CountedAlert : public BAlert {
public:
	using BAlert::BAlert;
	~CountedAlert() override { stDeleted++; }
};


// The alerts show their own windows; the fixture's stays unused.
class AlertTest : public OffscreenWindowTest<> {
protected:
	void SetUp() override { stDeleted = 0; }

	bool Gone(const char* title)
	{
		wait_for([&] { return offscreen_window(title) == NULL && stDeleted != 0; });
		return offscreen_window(title) == NULL && stDeleted == 1;
	}

	BPoint ButtonMiddle(BAlert* alert, int32 index)
	{
		BPoint middle;
		wait_until(alert, [&] {
			BRect frame = alert->ButtonAt(index)->Frame();
			middle = alert->ButtonAt(index)->Parent()->ConvertToScreen(
				BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2))
				- alert->Frame().LeftTop();
			return true;
		});
		return middle;
	}
};


class Recorder : public BLooper {
public:
	Recorder() : BLooper("alert answers") {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'answ') {
			int32 which = -1;
			message->FindInt32("which", &which);
			fWhich = which;
			return;
		}
		BLooper::MessageReceived(message);
	}
	std::atomic<int32> fWhich{-1};
};

} // namespace


TEST_F(AlertTest, GoWithoutInvokerReturnsAtOnceAndTheAlertDeletesItselfWhenDismissed)
{
	CountedAlert* alert = new CountedAlert("", "Quorvane\nVersion 1.0a3\n", "Yeah", NULL,
		NULL, B_WIDTH_AS_USUAL, B_INFO_ALERT);
	bigtime_t start = system_time();
	EXPECT_EQ(alert->Go(NULL), B_OK);
	EXPECT_LT(system_time() - start, 1000000);

	OffscreenWindow* window = shown_offscreen_window("");
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(stDeleted, 0);
	// The single button is the default one: Enter presses it.
	inject_key(window, "\n");
	EXPECT_TRUE(Gone(""));
}


TEST_F(AlertTest, GoWaitsForTheButtonAndReturnsItsIndex)
{
	// A new window belongs to the thread that made it until it is shown: the alert is
	// made where Go() waits.
	std::atomic<CountedAlert*> alert{nullptr};
	std::future<int32> result = std::async(std::launch::async, [&] {
		alert = new CountedAlert("Choose", "Pick one of three.", "Zero", "One", "Two",
			B_WIDTH_AS_USUAL, B_WARNING_ALERT);
		return alert.load()->Go();
	});
	OffscreenWindow* window = shown_offscreen_window("Choose");
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(result.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
	inject_click(window, ButtonMiddle(alert, 1));
	ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
	EXPECT_EQ(result.get(), 1);
	EXPECT_TRUE(Gone("Choose"));
}


TEST_F(AlertTest, EnterPressesTheRightmostButtonAndShortcutsPressTheirs)
{
	std::future<int32> result = std::async(std::launch::async, [&] {
		CountedAlert* alert = new CountedAlert("Enter", "Enter picks the last.", "Cancel",
			"Maybe", "OK", B_WIDTH_AS_USUAL, B_STOP_ALERT);
		EXPECT_TRUE(alert->ButtonAt(2)->IsDefault());
		EXPECT_FALSE(alert->ButtonAt(0)->IsDefault());
		return alert->Go();
	});
	OffscreenWindow* window = shown_offscreen_window("Enter");
	ASSERT_NE(window, nullptr);
	inject_key(window, "\n");
	ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
	EXPECT_EQ(result.get(), 2);
	EXPECT_TRUE(Gone("Enter"));

	stDeleted = 0;
	result = std::async(std::launch::async, [&] {
		CountedAlert* alert = new CountedAlert("Escape", "Escape cancels.", "Cancel", "OK");
		alert->SetShortcut(0, B_ESCAPE);
		EXPECT_EQ(alert->Shortcut(0), B_ESCAPE);
		EXPECT_EQ(alert->Shortcut(5), 0);
		return alert->Go();
	});
	window = shown_offscreen_window("Escape");
	ASSERT_NE(window, nullptr);
	inject_key(window, "\x1b");
	ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
	EXPECT_EQ(result.get(), 0);
	EXPECT_TRUE(Gone("Escape"));
}


TEST_F(AlertTest, AnInvokerHearsWhichButtonWasPressed)
{
	Recorder* recorder = new Recorder;
	recorder->Run();
	CountedAlert* alert = new CountedAlert("Invoker", "Tell me.", "No", "Yes");
	EXPECT_EQ(alert->Go(new BInvoker(new BMessage('answ'), recorder)), B_OK);
	OffscreenWindow* window = shown_offscreen_window("Invoker");
	ASSERT_NE(window, nullptr);
	inject_click(window, ButtonMiddle(alert, 0));
	wait_for([&] { return recorder->fWhich >= 0; });
	EXPECT_EQ(recorder->fWhich, 0);
	EXPECT_TRUE(Gone("Invoker"));
	recorder->Lock();
	recorder->Quit();
}


TEST_F(AlertTest, ButtonsLineUpOnTheRightInTheirOrder)
{
	BAlert* alert = new BAlert("Layout", "Buttons from the widest.", "A", "Much longer",
		"OK", B_WIDTH_FROM_WIDEST, B_EMPTY_ALERT);
	EXPECT_EQ(alert->CountButtons(), 3);
	EXPECT_EQ(alert->Type(), B_EMPTY_ALERT);
	EXPECT_STREQ(alert->Text(), "Buttons from the widest.");
	BRect frames[3];
	for (int32 i = 0; i < 3; i++)
		frames[i] = alert->ButtonAt(i)->Frame();
	EXPECT_EQ(alert->ButtonAt(3), nullptr);
	EXPECT_LT(frames[0].right, frames[1].left);
	EXPECT_LT(frames[1].right, frames[2].left);
	EXPECT_EQ(frames[0].Width(), frames[1].Width());
	EXPECT_EQ(frames[2].Width(), frames[1].Width());
	EXPECT_LE(frames[2].right, alert->Bounds().right - 8);
	EXPECT_LE(frames[2].bottom, alert->Bounds().bottom - 8);
	alert->Quit();

	alert = new BAlert("Usual", "Short.", "A", "B", NULL, B_WIDTH_AS_USUAL, B_INFO_ALERT);
	// As usual, even a one-letter button has a comfortable width.
	EXPECT_GE(alert->ButtonAt(0)->Frame().Width(), 75);
	alert->Quit();
}


TEST_F(AlertTest, ButtonsAndTextChangedAfterwardsLayTheAlertOutAgain)
{
	BAlert* alert = new BAlert("Changes", "One line.", "Cancel");
	alert->AddButton("Proceed", 'p');
	EXPECT_EQ(alert->CountButtons(), 2);
	EXPECT_TRUE(alert->ButtonAt(1)->IsDefault());
	EXPECT_FALSE(alert->ButtonAt(0)->IsDefault());
	EXPECT_EQ(alert->Shortcut(1), 'p');
	EXPECT_LT(alert->ButtonAt(0)->Frame().right, alert->ButtonAt(1)->Frame().left);
	alert->AddButton("Third");
	alert->AddButton("Fourth");
	EXPECT_EQ(alert->CountButtons(), 3);

	// The message is a text view of its own, and a longer text makes the alert taller.
	BTextView* text = alert->TextView();
	ASSERT_NE(text, nullptr);
	EXPECT_STREQ(text->Name(), "_tv_");
	EXPECT_FALSE(text->IsEditable());
	EXPECT_TRUE(text->IsStylable());
	float height = alert->Bounds().Height();
	alert->SetText("A much longer message that cannot fit on one line of the alert, so it "
		"wraps onto several lines, each one under the one before, and then onto more of "
		"them, until the alert has to grow to show them all.");
	EXPECT_STREQ(alert->Text(), text->Text());
	EXPECT_GT(text->CountLines(), 1);
	EXPECT_GT(alert->Bounds().Height(), height);

	// Offset spacing leaves a wider gap before the second button.
	float gap = alert->ButtonAt(1)->Frame().left - alert->ButtonAt(0)->Frame().right;
	alert->SetButtonSpacing(B_OFFSET_SPACING);
	EXPECT_GT(alert->ButtonAt(1)->Frame().left - alert->ButtonAt(0)->Frame().right, gap);
	alert->SetButtonWidth(B_WIDTH_FROM_WIDEST);
	EXPECT_EQ(alert->ButtonAt(0)->Frame().Width(), alert->ButtonAt(2)->Frame().Width());

	// The alert stands where AlertPosition puts one of its size.
	EXPECT_EQ(alert->Frame().LeftTop(),
		alert->AlertPosition(alert->Bounds().Width(), alert->Bounds().Height()));
	alert->Quit();
}
