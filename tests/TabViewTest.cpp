// Tab views on the offscreen display: a click on a tab or the arrow keys and Space select
// it and swap the views in the container, the selected tab is drawn in front with the box
// open under it, removing and adding tabs keeps a selection, the tab widths follow the
// width mode, archives come back whole, and the tab view suite's "Selection" answers.
#include <Messenger.h>
#include <TabView.h>
#include <Window.h>

#include "OffscreenWindowTest.h"
#include "ScriptingRequest.h"

#include <gtest/gtest.h>

#include <math.h>
#include <memory>

namespace {

const rgb_color kColors[] = {
	{ 200, 40, 40, 255 },
	{ 40, 160, 40, 255 },
	{ 40, 40, 200, 255 }
};
const char* const kLabels[] = { "Red", "Green", "Blue" };


// A view filled with its colour, named after its tab.
BView*
page(int32 index)
{
	BView* view = new BView(BRect(0, 0, 99, 59), kLabels[index], B_FOLLOW_NONE,
		B_WILL_DRAW);
	view->SetViewColor(kColors[index]);
	return view;
}


class TabWindow : public BWindow {
public:
	explicit TabWindow(const char* title)
		:
		BWindow(BRect(100, 100, 419, 299), title, B_TITLED_WINDOW, 0)
	{
		fTabs = new BTabView(BRect(10, 10, 309, 189), "tabs");
		for (int32 i = 0; i < 3; i++) {
			fPages[i] = page(i);
			fTabs->AddTab(fPages[i]);
		}
		AddChild(fTabs);
	}

	// The middle of a tab, in window coordinates.
	BPoint TabMiddle(int32 index)
	{
		BRect frame = fTabs->ConvertToParent(fTabs->TabFrame(index));
		return BPoint(floorf((frame.left + frame.right) / 2),
			floorf((frame.top + frame.bottom) / 2));
	}

	BTabView* fTabs;
	BView* fPages[3];
};


using TabViewTest = OffscreenWindowTest<TabWindow>;

} // namespace


TEST_F(TabViewTest, AClickSelectsATabAndSwapsTheViews)
{
	Open("Tab click");
	BPoint second;
	BPoint inside;
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fTabs->Selection(), 0);
		EXPECT_EQ(fWindow->fPages[0]->Parent(), fWindow->fTabs->ContainerView());
		EXPECT_EQ(fWindow->fPages[1]->Parent(), nullptr);
		second = fWindow->TabMiddle(1);
		inside = fWindow->fTabs->ContainerView()->ConvertToParent(BPoint(20, 20))
			+ fWindow->fTabs->Frame().LeftTop();
		return true;
	});
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return fOffscreen->PixelAt(inside.x, inside.y) == kColors[0];
	}));

	inject_click(fOffscreen, second);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fTabs->Selection() == 1; }));
	wait_until(fWindow, [&] {
		EXPECT_TRUE(fWindow->fTabs->TabAt(1)->IsSelected());
		EXPECT_FALSE(fWindow->fTabs->TabAt(0)->IsSelected());
		EXPECT_EQ(fWindow->fPages[0]->Parent(), nullptr);
		EXPECT_EQ(fWindow->fPages[1]->Parent(), fWindow->fTabs->ContainerView());
		EXPECT_EQ(fWindow->fPages[1]->Window(), fWindow);
		return true;
	});
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return fOffscreen->PixelAt(inside.x, inside.y) == kColors[1];
	}));

	// A disabled tab does not take the selection.
	BPoint third = fWindow->TabMiddle(2);
	wait_until(fWindow, [&] { fWindow->fTabs->TabAt(2)->SetEnabled(false); return true; });
	inject_click(fOffscreen, third);
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fTabs->Selection(), 1); return true; });
	SaveScreenshot("tab-view.png");
}


TEST_F(TabViewTest, TheSelectedTabStandsInFrontOverAnOpenBox)
{
	Open("Tab drawing");
	BRect front;
	BRect behind;
	float boxTop = 0;
	rgb_color background;
	wait_until(fWindow, [&] {
		front = fWindow->fTabs->ConvertToParent(fWindow->fTabs->TabFrame(0));
		behind = fWindow->fTabs->ConvertToParent(fWindow->fTabs->TabFrame(1));
		boxTop = front.top + fWindow->fTabs->TabHeight();
		background = fWindow->fTabs->ViewColor();
		return true;
	});
	rgb_color light = tint_color(background, B_LIGHTEN_MAX_TINT);
	float middle = floorf((front.left + front.right) / 2);
	float behindMiddle = floorf((behind.left + behind.right) / 2);
	EXPECT_TRUE(wait_until(fWindow, [&] {
		// The front tab's top edge is at the top, the one behind it lower.
		return fOffscreen->PixelAt(middle, front.top) == light
			&& fOffscreen->PixelAt(behindMiddle, behind.top) != light
			&& fOffscreen->PixelAt(behindMiddle, behind.top + 2) == light;
	}));
	// The box's top edge runs under the tab behind, not under the selected one.
	EXPECT_EQ(fOffscreen->PixelAt(behindMiddle, boxTop), light);
	EXPECT_EQ(fOffscreen->PixelAt(middle, boxTop), background);
	// The tab behind is a shade darker than the selected one.
	EXPECT_EQ(fOffscreen->PixelAt(behind.left + 8, behind.bottom - 2),
		tint_color(background, B_DARKEN_1_TINT));
}


TEST_F(TabViewTest, ArrowKeysMoveTheFocusTabAndSpaceSelectsIt)
{
	Open("Tab keys");
	wait_until(fWindow, [&] {
		fWindow->fTabs->MakeFocus(true);
		EXPECT_EQ(fWindow->fTabs->FocusTab(), 0);
		EXPECT_TRUE(fWindow->fTabs->TabAt(0)->IsFocus());
		return true;
	});
	inject_key(fOffscreen, B_RIGHT_ARROW);
	inject_key(fOffscreen, B_RIGHT_ARROW);
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fTabs->FocusTab(), 2);
		EXPECT_FALSE(fWindow->fTabs->TabAt(0)->IsFocus());
		EXPECT_EQ(fWindow->fTabs->Selection(), 0);
		return true;
	});
	inject_key(fOffscreen, B_SPACE);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fTabs->Selection() == 2; }));

	// Past the last tab the focus goes round to the first.
	inject_key(fOffscreen, B_RIGHT_ARROW);
	inject_key(fOffscreen, B_ENTER);
	ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->fTabs->Selection() == 0; }));
	inject_key(fOffscreen, B_LEFT_ARROW);
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fTabs->FocusTab(), 2);
		fWindow->fTabs->MakeFocus(false);
		EXPECT_EQ(fWindow->fTabs->FocusTab(), -1);
		EXPECT_FALSE(fWindow->fTabs->TabAt(2)->IsFocus());
		return true;
	});
}


TEST_F(TabViewTest, RemovingTheSelectedTabSelectsTheOneBefore)
{
	Open("Tab remove");
	wait_until(fWindow, [&] {
		BTabView* tabs = fWindow->fTabs;
		tabs->Select(1);
		std::unique_ptr<BTab> removed(tabs->RemoveTab(1));
		EXPECT_EQ(removed->View(), fWindow->fPages[1]);
		EXPECT_EQ(removed->View()->Parent(), nullptr);
		EXPECT_FALSE(removed->IsSelected());
		EXPECT_EQ(tabs->CountTabs(), 2);
		EXPECT_EQ(tabs->Selection(), 0);
		EXPECT_EQ(fWindow->fPages[0]->Parent(), tabs->ContainerView());
		EXPECT_EQ(tabs->ViewForTab(1), fWindow->fPages[2]);
		EXPECT_EQ(tabs->RemoveTab(5), nullptr);
		EXPECT_EQ(tabs->TabAt(-1), nullptr);
		EXPECT_FALSE(tabs->TabFrame(2).IsValid());

		// A tab removed before the selection moves it down with its view.
		tabs->Select(1);
		delete tabs->RemoveTab(0);
		EXPECT_EQ(tabs->Selection(), 0);
		EXPECT_EQ(tabs->ViewForTab(0)->Parent(), tabs->ContainerView());

		// A tab added with its own BTab takes the view and its label.
		BTab* tab = new BTab();
		tabs->AddTab(page(1), tab);
		EXPECT_EQ(tabs->TabAt(1), tab);
		EXPECT_STREQ(tab->Label(), "Green");
		tab->SetLabel("Lime");
		EXPECT_STREQ(tabs->ViewForTab(1)->Name(), "Lime");
		tabs->Select(1);
		EXPECT_EQ(tabs->ContainerView()->ChildAt(0), tab->View());
		// A new view for the selected tab is shown in place of the old one.
		tab->SetView(page(0));
		EXPECT_EQ(tabs->ContainerView()->CountChildren(), 1);
		EXPECT_STREQ(tabs->ContainerView()->ChildAt(0)->Name(), "Red");
		return true;
	});
}


TEST_F(TabViewTest, TabWidthsFollowTheWidthMode)
{
	Open("Tab widths");
	wait_until(fWindow, [&] {
		BTabView* tabs = fWindow->fTabs;
		EXPECT_EQ(tabs->TabWidth(), B_WIDTH_AS_USUAL);
		EXPECT_FLOAT_EQ(tabs->TabFrame(1).Width(), 100);
		EXPECT_FLOAT_EQ(tabs->TabFrame(1).left, tabs->TabFrame(0).right);

		tabs->SetTabWidth(B_WIDTH_FROM_LABEL);
		float red = tabs->StringWidth("Red");
		float green = tabs->StringWidth("Green");
		EXPECT_FLOAT_EQ(tabs->TabFrame(0).Width(), ceilf(red + 20));
		EXPECT_FLOAT_EQ(tabs->TabFrame(1).Width(), ceilf(green + 20));

		tabs->SetTabWidth(B_WIDTH_FROM_WIDEST);
		EXPECT_FLOAT_EQ(tabs->TabFrame(0).Width(), tabs->TabFrame(1).Width());
		EXPECT_GE(tabs->TabFrame(0).Width(), ceilf(green + 20));

		// A taller row moves the container down with it.
		float top = tabs->ContainerView()->Frame().top;
		tabs->SetTabHeight(tabs->TabHeight() + 10);
		EXPECT_FLOAT_EQ(tabs->ContainerView()->Frame().top, top + 10);
		EXPECT_FLOAT_EQ(tabs->TabFrame(0).Height(), tabs->TabHeight());
		return true;
	});
}


TEST_F(TabViewTest, AnArchiveBringsBackTabsSelectionAndLayout)
{
	Open("Tab archive");
	BMessage archive;
	wait_until(fWindow, [&] {
		BTabView* tabs = fWindow->fTabs;
		tabs->SetTabWidth(B_WIDTH_FROM_LABEL);
		tabs->SetTabHeight(30);
		tabs->Select(2);
		tabs->TabAt(1)->SetEnabled(false);
		EXPECT_EQ(tabs->Archive(&archive), B_OK);
		return true;
	});
	std::unique_ptr<BTabView> copy((BTabView*)BTabView::Instantiate(&archive));
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Name(), "tabs");
	ASSERT_EQ(copy->CountTabs(), 3);
	EXPECT_STREQ(copy->TabAt(0)->Label(), "Red");
	EXPECT_STREQ(copy->TabAt(2)->Label(), "Blue");
	EXPECT_FALSE(copy->TabAt(1)->IsEnabled());
	EXPECT_EQ(copy->Selection(), 2);
	EXPECT_EQ(copy->ViewForTab(2)->Parent(), copy->ContainerView());
	EXPECT_EQ(copy->ViewForTab(2)->ViewColor(), kColors[2]);
	EXPECT_EQ(copy->TabWidth(), B_WIDTH_FROM_LABEL);
	EXPECT_FLOAT_EQ(copy->TabHeight(), 30);
	// One container, made anew rather than restored beside the new one.
	EXPECT_EQ(copy->CountChildren(), 1);

	// Another class's archive is refused.
	BMessage other;
	other.AddString("class", "BBox");
	EXPECT_EQ(BTabView::Instantiate(&other), nullptr);
	EXPECT_EQ(BTab::Instantiate(&other), nullptr);
}


TEST_F(TabViewTest, TheSuiteGetsAndSetsTheSelection)
{
	Open("Tab scripting");
	BMessenger window(fWindow);
	BMessage set = view_property_request(B_SET_PROPERTY, "Selection", "tabs");
	set.AddInt32("data", 2);
	BMessage reply;
	ASSERT_EQ(window.SendMessage(&set, &reply, 5000000, 5000000), B_OK);
	int32 error = -1;
	EXPECT_EQ(reply.FindInt32("error", &error), B_OK);
	EXPECT_EQ(error, B_OK);

	BMessage get = view_property_request(B_GET_PROPERTY, "Selection", "tabs");
	ASSERT_EQ(window.SendMessage(&get, &reply, 5000000, 5000000), B_OK);
	EXPECT_EQ(reply.FindInt32("result"), 2);

	// An index with no tab is refused with a clear error and changes nothing.
	BMessage bad = view_property_request(B_SET_PROPERTY, "Selection", "tabs");
	bad.AddInt32("data", 7);
	ASSERT_EQ(window.SendMessage(&bad, &reply, 5000000, 5000000), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_BAD_INDEX);
	wait_until(fWindow, [&] { EXPECT_EQ(fWindow->fTabs->Selection(), 2); return true; });

	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("View", "tabs");
	ASSERT_EQ(window.SendMessage(&suites, &reply, 5000000, 5000000), B_OK);
	bool found = false;
	const char* suite;
	for (int32 i = 0; reply.FindString("suites", i, &suite) == B_OK; i++)
		found |= strcmp(suite, "suite/vnd.Be-tab-view") == 0;
	EXPECT_TRUE(found);
}
