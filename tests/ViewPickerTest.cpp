// Finding the target shown at a point of the screen from analysed frames and the
// display's stacking order, without windows: the frontmost window decides, hidden views
// are looked through, the last child is on top, views are cut by their parents, and
// the window's place comes from the display.
#include <List.h>
#include <Message.h>
#include <Rect.h>

#include <gtest/gtest.h>

#include <memory>

#include "ScriptingElement.h"
#include "ViewPicker.h"

namespace {

// A window or view as the analysis leaves it: a name and a place.
class PlacedNode : public ScriptingElement {
public:
	PlacedNode(PlacedNode* parent, const char* name, BRect frame, bool hidden = false)
		:
		ScriptingElement(NULL, parent, 0)
	{
		fName = name;
		SetPlace(frame, hidden);
		if (parent != NULL) {
			if (parent->fChildren == NULL)
				parent->fChildren = new BList(4);
			parent->fChildren->AddItem(this);
		}
	}

	virtual int32 Analyze(int32 level) { return 0; }
	virtual BBitmap* GetBitmap() const { return NULL; }
};


class ViewPickerTest : public testing::Test {
protected:
	void SetUp() override
	{
		// Team 10: two windows; "Front" holds a button over a hidden box and a scrolled
		// list that holds a row view reaching past it.
		fFirst.reset(new PlacedNode(NULL, "first", BRect()));
		fBack = new PlacedNode(fFirst.get(), "Back", BRect(0, 0, 399, 299));
		fBackView = new PlacedNode(fBack, "backView", BRect(0, 0, 399, 299));
		fFront = new PlacedNode(fFirst.get(), "Front", BRect(100, 100, 299, 249));
		fPanel = new PlacedNode(fFront, "panel", BRect(0, 0, 199, 149));
		fHiddenBox = new PlacedNode(fPanel, "box", BRect(10, 10, 90, 60), true);
		fButton = new PlacedNode(fPanel, "button", BRect(20, 20, 80, 40));
		fScroller = new PlacedNode(fPanel, "scroller", BRect(100, 10, 180, 90));
		fRow = new PlacedNode(fScroller, "row", BRect(5, 5, 200, 20));
		// Team 20: one window whose views were not read.
		fSecond.reset(new PlacedNode(NULL, "second", BRect()));
		fOther = new PlacedNode(fSecond.get(), "Other", BRect(500, 0, 599, 99));
		new PlacedNode(fOther, "unread", BRect());
		fApplications = { { 10, fFirst.get() }, { 20, fSecond.get() } };
	}

	ScriptingElement* Pick(const std::vector<ShownWindow>& stack, BPoint where,
		PickOutcome expected = kPickFound)
	{
		PickOutcome outcome;
		ScriptingElement* found = PickTarget(fApplications, stack, where, &outcome);
		EXPECT_EQ(outcome, expected);
		return found;
	}

	std::unique_ptr<PlacedNode> fFirst;
	std::unique_ptr<PlacedNode> fSecond;
	PlacedNode* fBack;
	PlacedNode* fBackView;
	PlacedNode* fFront;
	PlacedNode* fPanel;
	PlacedNode* fHiddenBox;
	PlacedNode* fButton;
	PlacedNode* fScroller;
	PlacedNode* fRow;
	PlacedNode* fOther;
	std::vector<PickableApplication> fApplications;
};

const ShownWindow kFront = { BRect(100, 100, 299, 249), "Front", 10 };
const ShownWindow kBack = { BRect(0, 0, 399, 299), "Back", 10 };
const ShownWindow kOther = { BRect(500, 0, 599, 99), "Other", 20 };

} // namespace


TEST_F(ViewPickerTest, TheFrontmostOfOverlappingWindowsDecides)
{
	EXPECT_EQ(Pick({ kFront, kBack }, BPoint(125, 125)), fButton);
	// The same point with the back window raised over the front one.
	EXPECT_EQ(Pick({ kBack, kFront }, BPoint(125, 125)), fBackView);
	// Outside the front window, the back one is found below it.
	EXPECT_EQ(Pick({ kFront, kBack }, BPoint(350, 50)), fBackView);
}


TEST_F(ViewPickerTest, HiddenViewsAreLookedThroughAndTheLastChildIsOnTop)
{
	// Inside the hidden box but outside the button: the panel.
	EXPECT_EQ(Pick({ kFront }, BPoint(112, 112)), fPanel);
	// A hidden button is no longer found; its parent is.
	fButton->SetPlace(fButton->Frame(), true);
	EXPECT_EQ(Pick({ kFront }, BPoint(125, 125)), fPanel);
	// A later sibling over an earlier one wins.
	PlacedNode* cover = new PlacedNode(fPanel, "cover", BRect(0, 0, 50, 50));
	EXPECT_EQ(Pick({ kFront }, BPoint(125, 125)), cover);
}


TEST_F(ViewPickerTest, NestedViewsAreFoundAndCutByTheirParents)
{
	// The row inside the scroller, in the scroller's coordinates.
	EXPECT_EQ(Pick({ kFront }, BPoint(100 + 100 + 5 + 10, 100 + 10 + 5 + 5)), fRow);
	// The row reaches past the scroller, which shows none of it there.
	EXPECT_EQ(Pick({ kFront }, BPoint(100 + 190, 100 + 20)), fPanel);
}


TEST_F(ViewPickerTest, TheDisplaysFrameIsWhereTheWindowIsNow)
{
	// The window moved 50 pixels right since the analysis.
	ShownWindow moved = kFront;
	moved.frame.OffsetBy(50, 0);
	EXPECT_EQ(Pick({ moved, kBack }, BPoint(175, 125)), fButton);
}


TEST_F(ViewPickerTest, WindowsOfTheSameTitleAreToldApartBySize)
{
	PlacedNode* twin = new PlacedNode(fFirst.get(), "Front", BRect(0, 0, 49, 49));
	PlacedNode* twinView = new PlacedNode(twin, "twinView", BRect(0, 0, 49, 49));
	ShownWindow small = { BRect(600, 600, 649, 649), "Front", 10 };
	EXPECT_EQ(Pick({ small, kFront }, BPoint(610, 610)), twinView);
	EXPECT_EQ(Pick({ small, kFront }, BPoint(125, 125)), fButton);
}


TEST_F(ViewPickerTest, AWindowWithoutReadViewsIsItself)
{
	EXPECT_EQ(Pick({ kOther }, BPoint(550, 50)), fOther);
}


TEST_F(ViewPickerTest, OtherProgramsAndUnknownWindowsCancel)
{
	ShownWindow foreign = { BRect(0, 0, 999, 999), "xterm", -1 };
	EXPECT_EQ(Pick({ foreign, kFront }, BPoint(125, 125), kPickNoKitWindow), nullptr);
	EXPECT_EQ(Pick({ kFront }, BPoint(900, 900), kPickNoKitWindow), nullptr);
	ShownWindow unknownTeam = { BRect(0, 0, 99, 99), "Front", 30 };
	EXPECT_EQ(Pick({ unknownTeam }, BPoint(50, 50), kPickNotAnalysed), nullptr);
	ShownWindow unknownTitle = { BRect(0, 0, 99, 99), "Gone", 10 };
	EXPECT_EQ(Pick({ unknownTitle }, BPoint(50, 50), kPickNotAnalysed), nullptr);
	// A window the analysis saw hidden is not the one shown.
	fOther->SetPlace(fOther->Frame(), true);
	EXPECT_EQ(Pick({ kOther }, BPoint(550, 50), kPickNotAnalysed), nullptr);
}


TEST_F(ViewPickerTest, TheStackComesFromTheDisplaysAnswer)
{
	BMessage stack;
	stack.AddRect("frame", BRect(1, 2, 3, 4));
	stack.AddString("title", "One");
	stack.AddInt32("team", 7);
	stack.AddRect("frame", BRect(5, 6, 7, 8));
	stack.AddString("title", "Two");
	stack.AddInt32("team", -1);
	std::vector<ShownWindow> windows = ShownWindowsFrom(stack);
	ASSERT_EQ(windows.size(), 2u);
	EXPECT_EQ(windows[0].frame, BRect(1, 2, 3, 4));
	EXPECT_STREQ(windows[0].title.String(), "One");
	EXPECT_EQ(windows[0].team, 7);
	EXPECT_EQ(windows[1].team, -1);
}
