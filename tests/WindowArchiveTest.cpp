// Archives of windows and alerts: a window comes back with its state and, from a deep
// archive, its views; an alert with its text, buttons, type and shortcuts; damaged
// archives give working windows and alerts.
#include <Alert.h>
#include <Button.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <math.h>

#include "OffscreenWindowTest.h"
#include "WaitFor.h"

using BPrivate::OffscreenWindow;

namespace {

class WindowArchiveTest : public OffscreenWindowTest<> {
protected:
	// The archive's object, which must be a window of class T; locked, as a new window.
	template<class T>
	T* Instantiate(BMessage* archive)
	{
		BArchivable* object = instantiate_object(archive);
		T* window = dynamic_cast<T*>(object);
		EXPECT_NE(window, nullptr);
		return window;
	}
};


BMessage
button_archive(const char* name, const char* label)
{
	BMessage archive;
	BButton button(BRect(0, 0, 60, 20), name, label, NULL);
	button.Archive(&archive);
	return archive;
}

} // namespace


TEST_F(WindowArchiveTest, AWindowComesBackWithItsStateAndTheViewsOfADeepArchive)
{
	BWindow* original = new BWindow(BRect(100, 120, 399, 319), "Archived",
		B_FLOATING_WINDOW_LOOK, B_FLOATING_APP_WINDOW_FEEL,
		B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS, 0x3);
	original->SetSizeLimits(50, 800, 40, 600);
	original->SetZoomLimits(700, 500);
	original->SetPulseRate(100000);
	BView* outer = new BView(BRect(10, 10, 200, 100), "outer", B_FOLLOW_ALL, 0);
	outer->AddChild(new BButton(BRect(5, 5, 80, 30), "inner", "Press", NULL));
	original->AddChild(outer);
	BMessage deep;
	BMessage shallow;
	ASSERT_EQ(original->Archive(&deep, true), B_OK);
	ASSERT_EQ(original->Archive(&shallow, false), B_OK);
	original->Quit();

	const char* className = NULL;
	ASSERT_EQ(deep.FindString("class", &className), B_OK);
	EXPECT_STREQ(className, "BWindow");
	fWindow = Instantiate<BWindow>(&deep);
	ASSERT_NE(fWindow, nullptr);
	EXPECT_STREQ(fWindow->Title(), "Archived");
	EXPECT_EQ(fWindow->Frame(), BRect(100, 120, 399, 319));
	EXPECT_EQ(fWindow->Look(), B_FLOATING_WINDOW_LOOK);
	EXPECT_EQ(fWindow->Feel(), B_FLOATING_APP_WINDOW_FEEL);
	EXPECT_EQ(fWindow->Flags(), (uint32)(B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS));
	EXPECT_EQ(fWindow->Workspaces(), 0x3u);
	float limits[4];
	fWindow->GetSizeLimits(&limits[0], &limits[1], &limits[2], &limits[3]);
	EXPECT_EQ(limits[0], 50);
	EXPECT_EQ(limits[1], 800);
	EXPECT_EQ(limits[2], 40);
	EXPECT_EQ(limits[3], 600);
	EXPECT_EQ(fWindow->PulseRate(), 100000);
	BButton* inner = dynamic_cast<BButton*>(fWindow->FindView("inner"));
	ASSERT_NE(inner, nullptr);
	EXPECT_STREQ(inner->Label(), "Press");
	EXPECT_EQ(inner->Parent(), fWindow->FindView("outer"));

	// Archived again, it says the same, zoom limits included.
	BMessage again;
	ASSERT_EQ(fWindow->Archive(&again), B_OK);
	EXPECT_EQ(again.FindFloat("_zoom", 0, limits), B_OK);
	EXPECT_EQ(limits[0], 700);
	EXPECT_EQ(again.FindFloat("_zoom", 1, limits), B_OK);
	EXPECT_EQ(limits[0], 500);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	if (fWindow->Lock())
		fWindow->Quit();

	// Without deep, the views stay behind.
	EXPECT_FALSE(shallow.HasMessage("_views"));
	fWindow = Instantiate<BWindow>(&shallow);
	ASSERT_NE(fWindow, nullptr);
	EXPECT_EQ(fWindow->CountChildren(), 0);
	EXPECT_STREQ(fWindow->Title(), "Archived");
}


TEST_F(WindowArchiveTest, ADamagedWindowArchiveGivesAWorkingWindow)
{
	BMessage archive;
	archive.AddString("class", "BWindow");
	archive.AddRect("_frame", BRect(NAN, 0, 10, 10));
	archive.AddInt32("_title", 5);
	archive.AddInt32("_wlook", 1234);
	archive.AddInt32("_wfeel", -3);
	archive.AddInt32("_type", 77);
	archive.AddInt32("_flags", -1);
	archive.AddFloat("_sizel", 10);
	archive.AddFloat("_sizel", NAN);
	archive.AddFloat("_zoom", INFINITY);
	archive.AddFloat("_zoom", 5);
	archive.AddInt64("_pulse", -1);
	BMessage unknown;
	unknown.AddString("class", "NoSuchClass");
	archive.AddMessage("_views", &unknown);
	BView view(BRect(0, 0, 9, 9), "kept", B_FOLLOW_NONE, 0);
	BMessage viewArchive;
	view.Archive(&viewArchive);
	archive.AddMessage("_views", &viewArchive);

	fWindow = Instantiate<BWindow>(&archive);
	ASSERT_NE(fWindow, nullptr);
	EXPECT_EQ(fWindow->Frame(), BRect(0, 0, 0, 0));
	EXPECT_STREQ(fWindow->Title(), "");
	EXPECT_EQ(fWindow->Look(), B_TITLED_WINDOW_LOOK);
	EXPECT_EQ(fWindow->Feel(), B_NORMAL_WINDOW_FEEL);
	// Only the flags a window has are kept.
	EXPECT_NE(fWindow->Flags(), 0xffffffffu);
	EXPECT_NE(fWindow->Flags() & B_CLOSE_ON_ESCAPE, 0u);
	float minWidth, maxWidth;
	fWindow->GetSizeLimits(&minWidth, &maxWidth, NULL, NULL);
	EXPECT_EQ(minWidth, 0);
	EXPECT_EQ(maxWidth, 32768);
	EXPECT_EQ(fWindow->PulseRate(), 500000);
	ASSERT_EQ(fWindow->CountChildren(), 1);
	EXPECT_STREQ(fWindow->ChildAt(0)->Name(), "kept");
	ASSERT_NO_FATAL_FAILURE(ShowWindow());
	if (fWindow->Lock())
		fWindow->Quit();

	// A frame beyond any screen is cut to a size whose pixels can be had; a pulse
	// too fast is slowed down; limits beyond the largest are cut to it.
	archive.ReplaceRect("_frame", BRect(0, 0, 1e6f, 1e6f));
	archive.ReplaceInt64("_pulse", 1);
	archive.ReplaceFloat("_sizel", 1, 1e9f);
	archive.AddFloat("_sizel", 20);
	archive.AddFloat("_sizel", -4);
	archive.ReplaceFloat("_zoom", 0, 300);
	archive.ReplaceInt32("_type", B_MODAL_WINDOW);
	archive.ReplaceString("class", "NotAWindow");
	EXPECT_EQ(instantiate_object(&archive), nullptr);
	archive.ReplaceString("class", "BWindow");
	fWindow = Instantiate<BWindow>(&archive);
	ASSERT_NE(fWindow, nullptr);
	EXPECT_LE(fWindow->Frame().Width(), 8192);
	EXPECT_LE(fWindow->Frame().Height(), 8192);
	EXPECT_EQ(fWindow->PulseRate(), 10000);
	float maxHeight;
	fWindow->GetSizeLimits(&minWidth, &maxWidth, NULL, &maxHeight);
	EXPECT_EQ(minWidth, 10);
	EXPECT_EQ(maxWidth, 20);
	// A maximum below its minimum is the minimum, itself no larger than a frame.
	EXPECT_EQ(maxHeight, 8192);
	EXPECT_EQ(fWindow->Look(), B_MODAL_WINDOW_LOOK);
	EXPECT_EQ(fWindow->Feel(), B_MODAL_APP_WINDOW_FEEL);
}


TEST_F(WindowArchiveTest, AnAlertComesBackWithItsTextButtonsTypeAndShortcuts)
{
	BAlert* original = new BAlert("Archived alert", "Save the changes?", "Cancel",
		"Don't save", "Save", B_WIDTH_FROM_WIDEST, B_WARNING_ALERT);
	original->SetShortcut(0, B_ESCAPE);
	original->SetShortcut(1, 'd');
	BMessage archive;
	// An alert's buttons are in its archive even when not deep.
	ASSERT_EQ(original->Archive(&archive, false), B_OK);
	original->Quit();

	BAlert* alert = Instantiate<BAlert>(&archive);
	ASSERT_NE(alert, nullptr);
	EXPECT_STREQ(alert->Title(), "Archived alert");
	EXPECT_STREQ(alert->Text(), "Save the changes?");
	EXPECT_EQ(alert->Type(), B_WARNING_ALERT);
	ASSERT_EQ(alert->CountButtons(), 3);
	EXPECT_STREQ(alert->ButtonAt(0)->Label(), "Cancel");
	EXPECT_STREQ(alert->ButtonAt(1)->Label(), "Don't save");
	EXPECT_STREQ(alert->ButtonAt(2)->Label(), "Save");
	EXPECT_TRUE(alert->ButtonAt(2)->IsDefault());
	EXPECT_EQ(alert->Shortcut(0), B_ESCAPE);
	EXPECT_EQ(alert->Shortcut(1), 'd');
	EXPECT_EQ(alert->Shortcut(2), 0);
	// As wide as each other, as B_WIDTH_FROM_WIDEST lays them out.
	EXPECT_EQ(alert->ButtonAt(0)->Frame().Width(), alert->ButtonAt(1)->Frame().Width());

	// It works as an alert: its shortcut presses its button, and it goes.
	ASSERT_EQ(alert->Go(NULL), B_OK);
	alert->Unlock();
	OffscreenWindow* window = shown_offscreen_window("Archived alert");
	ASSERT_NE(window, nullptr);
	inject_key(window, 'd');
	EXPECT_TRUE(wait_for_no_offscreen_window("Archived alert"));
}


TEST_F(WindowArchiveTest, AlertArchivesOfThePlatformsShapeAndDamagedOnesGiveWorkingAlerts)
{
	// The platform's alert keeps its buttons in its master view.
	BMessage archive;
	archive.AddString("class", "BAlert");
	archive.AddString("_title", "Platform alert");
	archive.AddRect("_frame", BRect(0, 0, 300, 100));
	archive.AddString("_text", "From elsewhere");
	BMessage master;
	master.AddString("class", "TAlertView");
	master.AddString("_name", "_master_");
	BMessage first = button_archive("_b0_", "Fine");
	BMessage second = button_archive("_b1_", "Finer");
	master.AddMessage("_views", &first);
	master.AddMessage("_views", &second);
	archive.AddMessage("_views", &master);
	archive.AddInt32("_atype", 99);
	archive.AddInt32("_but_width", -7);
	for (int8 key : { 'f', 'g', 'h', 'i' })
		archive.AddInt8("_but_key", key);

	BAlert* alert = Instantiate<BAlert>(&archive);
	ASSERT_NE(alert, nullptr);
	EXPECT_STREQ(alert->Text(), "From elsewhere");
	EXPECT_EQ(alert->Type(), B_INFO_ALERT);
	ASSERT_EQ(alert->CountButtons(), 2);
	EXPECT_STREQ(alert->ButtonAt(0)->Label(), "Fine");
	EXPECT_STREQ(alert->ButtonAt(1)->Label(), "Finer");
	EXPECT_EQ(alert->Shortcut(1), 'g');
	EXPECT_EQ(alert->Shortcut(2), 0);
	alert->Quit();

	// Nothing but its class: an empty alert without buttons, which still shows.
	BMessage bare;
	bare.AddString("class", "BAlert");
	bare.AddString("_title", "Bare alert");
	alert = Instantiate<BAlert>(&bare);
	ASSERT_NE(alert, nullptr);
	EXPECT_STREQ(alert->Text(), "");
	EXPECT_EQ(alert->CountButtons(), 0);
	EXPECT_EQ(alert->ButtonAt(0), nullptr);
	alert->Show();
	alert->Unlock();
	EXPECT_NE(shown_offscreen_window("Bare alert"), nullptr);
	ASSERT_TRUE(alert->Lock());
	alert->Quit();
}
