// BDeskbar against the kit's Deskbar in a process of its own: items added from a view's
// archive and from an add-on, found, counted and removed; its location; the shelf that
// keeps the items across a restart; a Deskbar that is missing or stopped fails calls in
// bounded time.
#include <Deskbar.h>
#include <Entry.h>
#include <View.h>

#include "KitAppTest.h"
#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"
#include "interface/DeskbarProtocol.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>

namespace {

class DeskbarTest : public KitAppTest {
protected:
	void SetUp() override
	{
		fConfig = new ScopedEnvironment("XDG_CONFIG_HOME", fScratch.Path());
		KitAppTest::SetUp();
	}

	void TearDown() override
	{
		delete fConfig;
	}

	void StartDeskbar()
	{
		fDeskbarProcess = fRuntime.Start("Deskbar");
		ASSERT_TRUE(fRuntime.WaitForApp(BPrivate::kDeskbarSignature));
	}

	void StopDeskbar()
	{
		BMessenger(BPrivate::kDeskbarSignature).SendMessage(B_QUIT_REQUESTED);
		ASSERT_NE(fRuntime.Wait(fDeskbarProcess), -1);
		ASSERT_TRUE(fRuntime.WaitForAppGone(fDeskbarProcess));
	}

	ScratchDirectory fScratch;
	ScopedEnvironment* fConfig = nullptr;
	pid_t fDeskbarProcess = -1;
};

} // namespace


TEST_F(DeskbarTest, ItemsFromArchivesAreAddedFoundAndRemoved)
{
	ASSERT_NO_FATAL_FAILURE(StartDeskbar());
	BDeskbar deskbar;
	EXPECT_EQ(deskbar.CountItems(), 0u);
	BRect empty = deskbar.Frame();
	EXPECT_TRUE(empty.IsValid());

	BView clock(BRect(0, 0, 39, 15), "clock", B_FOLLOW_NONE, B_WILL_DRAW);
	int32 id = -1;
	ASSERT_EQ(deskbar.AddItem(&clock, &id), B_OK);
	EXPECT_GE(id, 0);
	EXPECT_EQ(deskbar.CountItems(), 1u);
	EXPECT_TRUE(deskbar.HasItem(id));
	EXPECT_TRUE(deskbar.HasItem("clock"));
	EXPECT_FALSE(deskbar.HasItem("calendar"));
	EXPECT_FALSE(deskbar.HasItem(id + 100));
	const char* name = NULL;
	ASSERT_EQ(deskbar.GetItemInfo(id, &name), B_OK);
	EXPECT_STREQ(name, "clock");
	free((char*)name);
	int32 found = -1;
	ASSERT_EQ(deskbar.GetItemInfo("clock", &found), B_OK);
	EXPECT_EQ(found, id);
	// The window grew by the item.
	EXPECT_GT(deskbar.Frame().Width(), empty.Width());

	BView other(BRect(0, 0, 19, 15), "other", B_FOLLOW_NONE, B_WILL_DRAW);
	int32 otherId = -1;
	ASSERT_EQ(deskbar.AddItem(&other, &otherId), B_OK);
	EXPECT_NE(otherId, id);
	EXPECT_EQ(deskbar.RemoveItem("clock"), B_OK);
	EXPECT_FALSE(deskbar.HasItem(id));
	EXPECT_EQ(deskbar.RemoveItem(id), B_NAME_NOT_FOUND);
	EXPECT_EQ(deskbar.CountItems(), 1u);

	// What the tray holds comes back when the Deskbar starts again.
	ASSERT_NO_FATAL_FAILURE(StopDeskbar());
	ASSERT_NO_FATAL_FAILURE(StartDeskbar());
	EXPECT_EQ(deskbar.CountItems(), 1u);
	EXPECT_TRUE(deskbar.HasItem("other"));
	ASSERT_EQ(deskbar.RemoveItem("other"), B_OK);
	EXPECT_EQ(deskbar.CountItems(), 0u);
}


TEST_F(DeskbarTest, ItemFromAnAddOnIsWhatItsFunctionMakes)
{
	ASSERT_NO_FATAL_FAILURE(StartDeskbar());
	BDeskbar deskbar;
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(TestRuntime::BinaryPath("TestReplicant.so").c_str(), &ref),
		B_OK);
	int32 id = -1;
	ASSERT_EQ(deskbar.AddItem(&ref, &id), B_OK);
	EXPECT_TRUE(deskbar.HasItem("TestItem"));
	EXPECT_EQ(deskbar.RemoveItem(id), B_OK);
	EXPECT_EQ(deskbar.CountItems(), 0u);

	entry_ref notAnAddOn;
	ASSERT_EQ(get_ref_for_path(fScratch.Path().c_str(), &notAnAddOn), B_OK);
	EXPECT_NE(deskbar.AddItem(&notAnAddOn, &id), B_OK);
	EXPECT_EQ(deskbar.CountItems(), 0u);
}


TEST_F(DeskbarTest, ApplicationPutsItselfIntoTheDeskbar)
{
	ASSERT_NO_FATAL_FAILURE(StartDeskbar());
	std::string output;
	ASSERT_EQ(fRuntime.Run("DeskbarItemApp", { "--install" }, &output, 10000000), 0)
		<< output;
	BDeskbar deskbar;
	EXPECT_TRUE(deskbar.HasItem("AppItem"));
	EXPECT_EQ(deskbar.RemoveItem("AppItem"), B_OK);
}


TEST_F(DeskbarTest, LocationAndExpansionAreTheDeskbars)
{
	ASSERT_NO_FATAL_FAILURE(StartDeskbar());
	BDeskbar deskbar;
	bool expanded = true;
	EXPECT_EQ(deskbar.Location(&expanded), B_DESKBAR_RIGHT_TOP);
	EXPECT_FALSE(expanded);
	ASSERT_EQ(deskbar.SetLocation(B_DESKBAR_LEFT_BOTTOM, true), B_OK);
	EXPECT_EQ(deskbar.Location(&expanded), B_DESKBAR_LEFT_BOTTOM);
	EXPECT_TRUE(expanded);
	EXPECT_TRUE(deskbar.IsExpanded());
	BRect frame = deskbar.Frame();
	EXPECT_EQ(frame.left, 0);
	ASSERT_EQ(deskbar.Expand(false), B_OK);
	EXPECT_FALSE(deskbar.IsExpanded());
	EXPECT_LT(deskbar.Frame().Width(), frame.Width());
	EXPECT_EQ(deskbar.SetLocation((deskbar_location)42), B_BAD_VALUE);
}


TEST_F(DeskbarTest, MissingOrStoppedDeskbarFailsCallsInBoundedTime)
{
	BDeskbar deskbar;
	BView item(BRect(0, 0, 9, 9), "item", B_FOLLOW_NONE, B_WILL_DRAW);
	EXPECT_EQ(deskbar.AddItem(&item), B_BAD_VALUE);
	EXPECT_EQ(deskbar.CountItems(), 0u);
	EXPECT_FALSE(deskbar.HasItem("item"));

	ASSERT_NO_FATAL_FAILURE(StartDeskbar());
	ASSERT_EQ(kill(fDeskbarProcess, SIGSTOP), 0);
	bigtime_t start = system_time();
	EXPECT_NE(deskbar.AddItem(&item), B_OK);
	bigtime_t took = system_time() - start;
	kill(fDeskbarProcess, SIGCONT);
	EXPECT_LT(took, BPrivate::kDeskbarSendTimeout + BPrivate::kDeskbarReplyTimeout + 1000000);
}
