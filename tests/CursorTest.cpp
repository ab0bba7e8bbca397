// BCursor (its data, system shapes, copies, comparisons and archives) and where cursors
// show on the offscreen display: the application's over its windows, a view's over the
// view and its children without a cursor of their own, none while hidden or obscured.
#include <AppDefs.h>
#include <Application.h>
#include <Cursor.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string.h>

#include "OffscreenWindowTest.h"
#include "TestRuntime.h"
#include "display/OffscreenDisplay.h"

using BPrivate::DisplayCursor;

namespace {

bool
shows_image(const DisplayCursor& cursor, const unsigned char* data)
{
	return cursor.hasImage && memcmp(cursor.image, data, B_CURSOR_DATA_SIZE) == 0;
}


bool
shows_shape(const DisplayCursor& cursor, BCursorID id)
{
	return !cursor.hasImage && cursor.id == id;
}

} // namespace


TEST(CursorTest, DataShapesCopiesAndComparisons)
{
	BCursor hand(B_HAND_CURSOR);
	BCursor beam(B_I_BEAM_CURSOR);
	BCursor cross(B_CURSOR_ID_CROSS_HAIR);
	EXPECT_TRUE(hand == BCursor(B_HAND_CURSOR));
	EXPECT_TRUE(hand != beam);
	EXPECT_TRUE(cross == BCursor(B_CURSOR_ID_CROSS_HAIR));
	EXPECT_TRUE(cross != BCursor(B_CURSOR_ID_ZOOM_OUT));
	EXPECT_TRUE(hand != cross);

	BCursor copy(hand);
	EXPECT_TRUE(copy == hand);
	copy = cross;
	EXPECT_TRUE(copy == cross);
	copy = copy;
	EXPECT_TRUE(copy == cross);

	// Data that is not a 16-pixel, 1-bit cursor, and unknown shapes, give the default.
	unsigned char bad[B_CURSOR_DATA_SIZE];
	memcpy(bad, B_HAND_CURSOR, sizeof(bad));
	bad[0] = 32;
	BCursor standard(B_CURSOR_ID_SYSTEM_DEFAULT);
	EXPECT_TRUE(BCursor(bad) == standard);
	EXPECT_TRUE(BCursor((const void*)NULL) == standard);
	EXPECT_TRUE(BCursor((BCursorID)0) == standard);
	EXPECT_TRUE(BCursor((BCursorID)1000) == standard);
	bad[0] = 16;
	bad[2] = 16;
	EXPECT_TRUE(BCursor(bad) == standard);
}


TEST(CursorTest, ArchivesKeepDataOrShape)
{
	for (const BCursor& cursor : { BCursor(B_HAND_CURSOR),
			BCursor(B_CURSOR_ID_RESIZE_NORTH_WEST_SOUTH_EAST) }) {
		BMessage archive;
		ASSERT_EQ(cursor.Archive(&archive), B_OK);
		std::unique_ptr<BArchivable> object(BCursor::Instantiate(&archive));
		BCursor* copy = dynamic_cast<BCursor*>(object.get());
		ASSERT_NE(copy, nullptr);
		EXPECT_TRUE(*copy == cursor);
		std::unique_ptr<BArchivable> found(instantiate_object(&archive));
		ASSERT_NE(dynamic_cast<BCursor*>(found.get()), nullptr);
	}

	BMessage other;
	other.AddString("class", "BBitmap");
	EXPECT_EQ(BCursor::Instantiate(&other), nullptr);
	// Data of the wrong size, or an unknown shape, give the default.
	BMessage broken;
	broken.AddString("class", "BCursor");
	broken.AddData("be:cursor_data", B_RAW_TYPE, B_HAND_CURSOR, 20);
	broken.AddInt32("be:cursor_id", 999);
	EXPECT_TRUE(BCursor(&broken) == BCursor(B_CURSOR_ID_SYSTEM_DEFAULT));
}


namespace {

class CursorWindowTest : public OffscreenWindowTest<> {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
		fApplication.reset(new BApplication("application/x-vnd.test-cursor"));
		fWindow = new BWindow(BRect(100, 100, 299, 199), TestName(), B_TITLED_WINDOW, 0);
		fParent = new BView(BRect(0, 0, 99, 99), "parent", B_FOLLOW_NONE, 0);
		fChild = new BView(BRect(10, 10, 49, 49), "child", B_FOLLOW_NONE, 0);
		fParent->AddChild(fChild);
		fWindow->AddChild(fParent);
		ASSERT_NO_FATAL_FAILURE(ShowWindow());
	}

	void TearDown() override
	{
		// The display's cursor outlives the application: the next test starts afresh.
		be_app->SetCursor(&fStandard, false);
		be_app->ShowCursor();
		OffscreenWindowTest<>::TearDown();
		fApplication.reset();
	}

	// The pointer moves to where, in window coordinates, and the window handles it.
	void MoveTo(BPoint where)
	{
		inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, where, 0);
		EXPECT_TRUE(wait_for_queue(fWindow));
	}

	// Whether the window comes to show the cursor that test accepts.
	static bool Shows(const std::function<bool()>& test) { return wait_for(test); }

	TestRuntime fRuntime;
	std::unique_ptr<BApplication> fApplication;
	BView* fParent;
	BView* fChild;
	BCursor fStandard = BCursor(B_CURSOR_ID_SYSTEM_DEFAULT);
};

} // namespace


TEST_F(CursorWindowTest, TheApplicationsCursorShowsOverItsWindowsUnlessHidden)
{
	be_app->SetCursor(B_HAND_CURSOR);
	EXPECT_TRUE(Shows([&] { return shows_image(fOffscreen->Cursor(), B_HAND_CURSOR); }));
	BCursor cross(B_CURSOR_ID_CROSS_HAIR);
	be_app->SetCursor(&cross, false);
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_CROSS_HAIR); }));

	EXPECT_FALSE(be_app->IsCursorHidden());
	be_app->HideCursor();
	EXPECT_TRUE(be_app->IsCursorHidden());
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_NO_CURSOR); }));
	be_app->ShowCursor();
	EXPECT_FALSE(be_app->IsCursorHidden());
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_CROSS_HAIR); }));

	// Obscured, the cursor comes back with the pointer's next move; it never counts as
	// hidden.
	be_app->ObscureCursor();
	EXPECT_FALSE(be_app->IsCursorHidden());
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_NO_CURSOR); }));
	MoveTo(BPoint(150, 80));
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_CROSS_HAIR); }));
}


TEST_F(CursorWindowTest, EverySystemShapeShowsAsItself)
{
	// From the system default to B_CURSOR_ID_CREATE_LINK, each shape set on a view
	// shows by its own identifier.
	MoveTo(BPoint(5, 5));
	for (int32 id = B_CURSOR_ID_SYSTEM_DEFAULT; id <= B_CURSOR_ID_CREATE_LINK; id++) {
		BCursor cursor((BCursorID)id);
		ASSERT_TRUE(fWindow->Lock());
		fParent->SetViewCursor(&cursor);
		fWindow->Unlock();
		EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), (BCursorID)id); }))
			<< "cursor " << id;
	}
}


TEST_F(CursorWindowTest, AViewsCursorShowsOverItAndItsChildren)
{
	be_app->SetCursor(B_HAND_CURSOR);
	BCursor beam(B_CURSOR_ID_I_BEAM);
	ASSERT_TRUE(fWindow->Lock());
	fParent->SetViewCursor(&beam);
	fWindow->Unlock();

	MoveTo(BPoint(5, 5));
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_I_BEAM); }));
	// The child has none of its own: its parent's shows.
	MoveTo(BPoint(20, 20));
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_I_BEAM); }));
	// Outside the views, the application's.
	MoveTo(BPoint(150, 50));
	EXPECT_TRUE(Shows([&] { return shows_image(fOffscreen->Cursor(), B_HAND_CURSOR); }));

	// A cursor set on the view under the pointer shows at once; the view keeps a copy.
	MoveTo(BPoint(20, 20));
	ASSERT_TRUE(fWindow->Lock());
	{
		BCursor passing(B_CURSOR_ID_RESIZE_EAST);
		fChild->SetViewCursor(&passing, false);
	}
	fWindow->Unlock();
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_RESIZE_EAST); }));

	// Hiding wins over a view's cursor; NULL gives the view's parent's back.
	be_app->HideCursor();
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_NO_CURSOR); }));
	be_app->ShowCursor();
	ASSERT_TRUE(fWindow->Lock());
	fChild->SetViewCursor(NULL);
	fWindow->Unlock();
	EXPECT_TRUE(Shows([&] { return shows_shape(fOffscreen->Cursor(), B_CURSOR_ID_I_BEAM); }));

	// A view removed from under the pointer takes its cursor away.
	ASSERT_TRUE(fWindow->Lock());
	fParent->RemoveSelf();
	fWindow->Unlock();
	EXPECT_TRUE(Shows([&] { return shows_image(fOffscreen->Cursor(), B_HAND_CURSOR); }));
	delete fParent;
}
