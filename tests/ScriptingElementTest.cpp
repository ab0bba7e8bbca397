// The element base of the target tree: specifier chains, parent names, the pre-order
// search, printing and freeing a subtree, and the suites query without a target.
#include <AppDefs.h>
#include <Bitmap.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <OutlineListView.h>
#include <View.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>

#include "ScriptingElement.h"
#include "SuitesPool.h"
#include "display/OffscreenDisplay.h"

namespace {

int stDeleted = 0;


class TestNode : public ScriptingElement {
public:
	TestNode(const char* name, const char* internalName, TestNode* parent = NULL)
		:
		ScriptingElement(NULL, parent, parent != NULL ? parent->Level() + 1 : 0)
	{
		fName = name;
		fInternalName = internalName;
		if (parent != NULL)
			parent->AddChild(this);
	}

	virtual ~TestNode()
	{
		stDeleted++;
	}

	virtual void PrintToStream() const
	{
		IndentToStream();
		printf("%s\n", fName.String());
		ScriptingElement::PrintToStream();
	}

	virtual int32 Analyze(int32 level) { return 0; }
	virtual BBitmap* GetBitmap() const { return fIcon; }

	BBitmap* fIcon = NULL;

	int32 Level() const { return fLevel; }
	BMessage& Access() { return fAccess; }
	void KeepChain() { KeepRequestChain(); }
	void ReleaseChain() { ReleaseRequestChain(); }

	void AddChild(TestNode* child)
	{
		if (fChildren == NULL)
			fChildren = new BList(4);
		fChildren->AddItem(child);
	}
};


std::string
flattened(const BMessage& message)
{
	std::string bytes(message.FlattenedSize(), '\0');
	message.Flatten(bytes.data(), bytes.size());
	return bytes;
}


// The request as the analysis first made it: the property's specifier, then the chain
// added one specifier after the other.
std::string
request_added_one_by_one(TestNode& node, uint32 what, const char* property)
{
	BMessage request(what);
	if (property != NULL)
		request.AddSpecifier(property);
	node.AddAccess(&request);
	return flattened(request);
}


std::string
specifier_property(const BMessage& message, int32 index)
{
	BMessage specifier;
	const char* property = "";
	if (message.FindMessage("specifiers", index, &specifier) != B_OK
		|| specifier.FindString("property", &property) != B_OK)
		return "(none)";
	int32 number;
	if (specifier.FindInt32("index", &number) == B_OK)
		return std::string(property) + " " + std::to_string(number);
	return property;
}

} // namespace


TEST(ScriptingElementTest, AccessChainFollowsTheAskedPropertyInnermostFirst)
{
	TestNode view("", "fView");
	view.Access().AddSpecifier("View", 3);
	view.Access().AddSpecifier("Window", 1);

	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("Label");
	view.AddAccess(&request);

	EXPECT_EQ(specifier_property(request, 0), "Label");
	EXPECT_EQ(specifier_property(request, 1), "View 3");
	EXPECT_EQ(specifier_property(request, 2), "Window 1");
	EXPECT_EQ(specifier_property(request, 3), "(none)");
	// The window is the last added, so the target resolves it first.
	int32 current;
	ASSERT_EQ(request.GetCurrentSpecifier(&current), B_OK);
	EXPECT_EQ(current, 2);
}


// Every node keeps only its own specifier; its chain goes on through its parents.
TEST(ScriptingElementTest, EachNodeKeepsItsOwnSpecifierAndTheWholeChainIsMadeOnDemand)
{
	TestNode application("App", "application/x-vnd.test");
	TestNode* window = new TestNode("Main", "MainWindow", &application);
	window->Access().AddSpecifier("Window", 1);
	TestNode* view = new TestNode("", "fView", window);
	view->Access().AddSpecifier("View", 3);

	int32 count;
	ASSERT_EQ(view->GetSpecifier()->GetInfo("specifiers", NULL, &count), B_OK);
	EXPECT_EQ(count, 1);
	const BMessage* whole = view->GetAccessPtr();
	EXPECT_EQ(whole->what, (uint32)B_MESSAGE_TYPE);
	EXPECT_EQ(specifier_property(*whole, 0), "View 3");
	EXPECT_EQ(specifier_property(*whole, 1), "Window 1");
	EXPECT_EQ(specifier_property(*whole, 2), "(none)");
	EXPECT_EQ(view->GetAccessPtr(), whole);
}


// A request copied from a kept chain goes out as the same bytes as one whose specifiers
// were added one by one: the property's or none, chains of one level and of a hundred,
// kept under a parent that keeps its own chain or not.
TEST(ScriptingElementTest, RequestsFromTheKeptChainAreTheSameBytes)
{
	TestNode application("App", "application/x-vnd.test");
	TestNode* window = new TestNode("Main", "MainWindow", &application);
	window->Access().AddSpecifier("Window", "Main");
	window->KeepChain();
	TestNode* parent = window;
	for (int32 depth = 0; depth < 100; depth++) {
		TestNode* view = new TestNode("", "fView", parent);
		view->Access().AddSpecifier("View", depth);
		if (depth != 50)
			view->KeepChain();
		parent = view;
	}

	for (TestNode* node : { window, parent }) {
		for (const char* property : { (const char*)NULL, "View", "InternalName", "P" }) {
			for (uint32 what : { (uint32)B_GET_SUPPORTED_SUITES,
					(uint32)B_GET_PROPERTY }) {
				std::string expected = request_added_one_by_one(*node, what, property);
				BMessage request(what);
				request.AddInt32("left over", 1);
				node->MakeRequest(&request, property);
				EXPECT_EQ(flattened(request), expected) << (property ? property : "none");
				// Once the chain is let go, requests are made one specifier at a time.
				node->ReleaseChain();
				BMessage again(what);
				node->MakeRequest(&again, property);
				EXPECT_EQ(flattened(again), expected);
				node->KeepChain();
			}
		}
	}

	// Under a node without any specifier, a request of none has no specifiers at all.
	TestNode bare("App", "application/x-vnd.test");
	bare.KeepChain();
	BMessage request(B_GET_SUPPORTED_SUITES);
	bare.MakeRequest(&request, NULL);
	EXPECT_EQ(flattened(request), flattened(BMessage(B_GET_SUPPORTED_SUITES)));
}


// A tree keeps each distinct suites reply once: equal replies share it, a reply that
// differs in anything (a table, the order of its fields, its what) is kept apart.
TEST(ScriptingElementTest, SuitesRepliesOfTheSameContentAreKeptOnce)
{
	auto reply = [](const char* suite, const char* table, bool tableFirst = false) {
		BMessage message(B_REPLY);
		if (tableFirst)
			message.AddData("messages", B_PROPERTY_INFO_TYPE, table, strlen(table));
		message.AddString("suites", suite);
		if (!tableFirst)
			message.AddData("messages", B_PROPERTY_INFO_TYPE, table, strlen(table));
		message.AddInt32("error", B_OK);
		return message;
	};
	SuitesPool pool;
	std::shared_ptr<const BMessage> view = pool.Share(reply("suite/vnd.Be-view", "t1"));
	EXPECT_EQ(pool.Share(reply("suite/vnd.Be-view", "t1")), view);
	EXPECT_NE(pool.Share(reply("suite/vnd.Be-view", "t2")), view);
	EXPECT_NE(pool.Share(reply("suite/vnd.Be-view", "t1", true)), view);
	BMessage other = reply("suite/vnd.Be-view", "t1");
	other.what = B_MESSAGE_NOT_UNDERSTOOD;
	EXPECT_NE(pool.Share(other), view);

	const char* suite;
	ASSERT_EQ(view->FindString("suites", &suite), B_OK);
	EXPECT_STREQ(suite, "suite/vnd.Be-view");
	// A reply outlives the pool that kept it.
	std::shared_ptr<const BMessage> kept;
	{
		SuitesPool shortLived;
		kept = shortLived.Share(reply("suite/vnd.Be-window", "t3"));
	}
	EXPECT_EQ(kept->FindString("suites", &suite), B_OK);
}


TEST(ScriptingElementTest, EmptyChainLeavesTheMessageAlone)
{
	TestNode application("App", "application/x-vnd.test");
	BMessage request(B_GET_SUPPORTED_SUITES);
	application.AddAccess(&request);
	EXPECT_FALSE(request.HasSpecifiers());
	EXPECT_TRUE(request.IsEmpty());
}


TEST(ScriptingElementTest, ParentNamePrefersTheVisibleName)
{
	TestNode application("Viewer", "application/x-vnd.test-viewer");
	TestNode* titled = new TestNode("Main Window", "MainWindow", &application);
	TestNode* untitled = new TestNode("", "Untitled", &application);
	TestNode* inTitled = new TestNode("", "fView", titled);
	TestNode* inUntitled = new TestNode("", "fOther", untitled);

	EXPECT_STREQ(application.ParentName(), "(no parent)");
	EXPECT_STREQ(titled->ParentName(), "Viewer");
	EXPECT_STREQ(inTitled->ParentName(), "Main Window");
	EXPECT_STREQ(inUntitled->ParentName(), "Untitled");
}


TEST(ScriptingElementTest, FindElementSearchesInPreOrder)
{
	TestNode root("Viewer", "application/x-vnd.test-viewer");
	TestNode* first = new TestNode("First", "FirstWindow", &root);
	TestNode* deep = new TestNode("Twin", "fDeep", first);
	TestNode* second = new TestNode("Twin", "SecondWindow", &root);
	TestNode* unnamed = new TestNode("", "", second);

	// A match deep in an earlier subtree wins over a later sibling.
	EXPECT_EQ(root.FindElement("Twin"), deep);
	EXPECT_EQ(root.FindElement("SecondWindow"), second);
	EXPECT_EQ(root.FindElement("First"), first);
	EXPECT_EQ(root.FindElement("application/x-vnd.test-viewer"), &root);
	EXPECT_EQ(root.FindElement(""), unnamed);
	EXPECT_EQ(root.FindElement("nothing"), nullptr);
	EXPECT_EQ(second->FindElement("fDeep"), nullptr);
}


TEST(ScriptingElementTest, DeletingTheRootFreesTheSubtree)
{
	stDeleted = 0;
	TestNode* root = new TestNode("Viewer", "application/x-vnd.test-viewer");
	TestNode* window = new TestNode("Main", "MainWindow", root);
	new TestNode("", "fView", window);
	new TestNode("", "fOther", new TestNode("", "fBox", window));
	new TestNode("Second", "SecondWindow", root);
	delete root;
	EXPECT_EQ(stDeleted, 6);
}


TEST(ScriptingElementTest, PrintsChildrenDepthFirstAtTheirIndentation)
{
	TestNode root("Viewer", "application/x-vnd.test-viewer");
	TestNode* window = new TestNode("Main", "MainWindow", &root);
	new TestNode("Box", "fBox", new TestNode("Back", "fBack", window));
	new TestNode("Second", "SecondWindow", &root);

	testing::internal::CaptureStdout();
	root.PrintToStream();
	fflush(stdout);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"Viewer\n"
		"    Main\n"
		"        Back\n"
		"            Box\n"
		"    Second\n");
}


TEST(ScriptingElementTest, RowsStartCollapsedAtTheirLevel)
{
	TestNode root("Viewer", "application/x-vnd.test-viewer");
	TestNode* window = new TestNode("Main", "MainWindow", &root);
	TestNode* view = new TestNode("", "fView", window);
	EXPECT_EQ(view->OutlineLevel(), 2u);
	EXPECT_FALSE(view->IsExpanded());
	EXPECT_STREQ(view->Text(), "");
	EXPECT_STREQ(view->DynamicText(), "");
	EXPECT_EQ(view->GetSuites()->what, (uint32)B_MESSAGE_TYPE);
	EXPECT_EQ(view->GetAccessPtr()->what, (uint32)B_MESSAGE_TYPE);
}


TEST(ScriptingElementTest, SuitesQueryNeedsAUsableMessenger)
{
	TestNode node("Viewer", "application/x-vnd.test-viewer");
	EXPECT_EQ(node.FindSuites(), B_ERROR);

	BMessenger invalid;
	node.SetMessenger(&invalid);
	EXPECT_EQ(node.FindSuites(), B_ERROR);
	EXPECT_EQ(node.GetSuites()->what, (uint32)B_MESSAGE_TYPE);
	EXPECT_TRUE(node.GetSuites()->IsEmpty());
	node.SetMessenger(NULL);
}


TEST(ScriptingElementTest, RowsAreAtLeastTallEnoughForTheirIcon)
{
	BView owner(BRect(0, 0, 199, 99), "owner", B_FOLLOW_ALL, B_WILL_DRAW);
	TestNode row("Viewer", "application/x-vnd.test-viewer");

	BFont small(be_plain_font);
	small.SetSize(6);
	row.Update(&owner, &small);
	EXPECT_EQ(row.Height(), 18);
	EXPECT_EQ(row.Width(), 199);

	BFont large(be_plain_font);
	large.SetSize(40);
	font_height height;
	large.GetHeight(&height);
	row.Update(&owner, &large);
	EXPECT_EQ(row.Height(), ceilf(height.ascent + height.descent + height.leading));
	EXPECT_GT(row.Height(), 18);
}


namespace {

const rgb_color kRowBackground = { 0, 0, 255, 255 };
const rgb_color kViewColor = { 255, 255, 255, 255 };


// Draws one row over a blue background, as an outline list would, and remembers the
// colours it found before and after.
class RowView : public BView {
public:
	RowView(BRect frame, SEItem* item, bool complete)
		:
		BView(frame, "rows", B_FOLLOW_NONE, B_WILL_DRAW),
		fItem(item),
		fComplete(complete)
	{
		SetViewColor(kViewColor);
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(kRowBackground);
		FillRect(Bounds());
		SetHighColor(1, 2, 3);
		SetLowColor(4, 5, 6);
		fItem->Update(this, be_plain_font);
		fItem->DrawItem(this, BRect(0, 0, Bounds().Width(), fItem->Height() - 1), fComplete);
		highAfter = HighColor();
		lowAfter = LowColor();
		drawn = true;
	}

	SEItem* fItem;
	bool fComplete;
	bool drawn = false;
	rgb_color highAfter = {};
	rgb_color lowAfter = {};
};


bool
is_dynamic_red(rgb_color color)
{
	return color.red >= 200 && color.green <= 80 && color.blue <= 60;
}


bool
is_dark(rgb_color color)
{
	return color.red < 100 && color.green < 100 && color.blue < 100;
}


class RowDrawingTest : public testing::Test {
protected:
	static void SetUpTestSuite() { setenv("BE_DISPLAY", "offscreen", 1); }

	// Shows the row in a window of its own and returns its pixels' window.
	BPrivate::OffscreenWindow* Show(const char* title, SEItem* item, bool complete,
		float width)
	{
		fWindow = new BWindow(BRect(0, 0, width - 1, 29), title, B_TITLED_WINDOW, 0);
		fView = new RowView(BRect(0, 0, width - 1, 29), item, complete);
		fWindow->AddChild(fView);
		BPrivate::OffscreenWindow* offscreen
			= static_cast<BPrivate::OffscreenDisplay*>(BPrivate::Display::Default())
				->FindWindow(title);
		fWindow->Show();
		if (offscreen == NULL || !offscreen->WaitForPresentation(0, 5000000))
			return NULL;
		return offscreen;
	}

	void TearDown() override
	{
		if (fWindow != NULL && fWindow->Lock())
			fWindow->Quit();
	}

	BWindow* fWindow = NULL;
	RowView* fView = NULL;
};

} // namespace


TEST_F(RowDrawingTest, IconThenNameThenTheRedDynamicText)
{
	TestNode row("", "");
	row.SetText("Name");
	row.SetDynamicText("NOT SCRIPTABLE");
	BBitmap icon(BRect(0, 0, 15, 15), B_RGB32);
	uint32* bits = static_cast<uint32*>(icon.Bits());
	for (int32 i = 0; i < 16 * 16; i++)
		bits[i] = 0xff00ff00;
	row.fIcon = &icon;

	BPrivate::OffscreenWindow* pixels = Show("Row", &row, false, 300);
	ASSERT_NE(pixels, nullptr);
	EXPECT_EQ(pixels->PixelAt(8, 8), make_color(0, 255, 0));
	// Not selected, not complete: the background is left alone.
	EXPECT_EQ(pixels->PixelAt(299, 1), kRowBackground);

	int32 lastDark = -1;
	int32 firstRed = -1;
	for (int32 x = 16; x < 300; x++) {
		for (int32 y = 0; y < 18; y++) {
			rgb_color color = pixels->PixelAt(x, y);
			if (is_dark(color))
				lastDark = x;
			if (is_dynamic_red(color) && firstRed < 0)
				firstRed = x;
		}
	}
	ASSERT_GE(lastDark, 20);
	ASSERT_GT(firstRed, lastDark);

	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(fView->highAfter, make_color(1, 2, 3));
	EXPECT_EQ(fView->lowAfter, make_color(4, 5, 6));
	EXPECT_EQ(row.Height(), 18);
	fWindow->Unlock();
}


TEST_F(RowDrawingTest, SelectedRowsTakeThePanelColourAndCompleteOnesTheViewColour)
{
	TestNode selected("", "");
	selected.Select();
	BPrivate::OffscreenWindow* pixels = Show("Selected", &selected, false, 100);
	ASSERT_NE(pixels, nullptr);
	EXPECT_EQ(pixels->PixelAt(50, 5), ui_color(B_PANEL_BACKGROUND_COLOR));
	EXPECT_EQ(pixels->PixelAt(50, 25), kRowBackground);
	TearDown();

	TestNode complete("", "");
	pixels = Show("Complete", &complete, true, 100);
	ASSERT_NE(pixels, nullptr);
	EXPECT_EQ(pixels->PixelAt(50, 5), kViewColor);
	EXPECT_EQ(pixels->PixelAt(50, 25), kRowBackground);
}


TEST_F(RowDrawingTest, ALongNameIsCutToHalfTheRoomAndKeptWhole)
{
	TestNode row("", "");
	std::string longName(80, 'W');
	row.SetText(longName.c_str());
	row.SetDynamicText("red");

	const float width = 200;
	BPrivate::OffscreenWindow* pixels = Show("Truncated", &row, false, width);
	ASSERT_NE(pixels, nullptr);
	// The room is the width less the icon; the name gets half of it less the gap.
	float half = (width - 1 - 16) / 2 - 4;
	int32 lastDark = -1;
	bool red = false;
	for (int32 x = 0; x < width; x++) {
		for (int32 y = 0; y < 18; y++) {
			rgb_color color = pixels->PixelAt(x, y);
			if (is_dark(color))
				lastDark = x;
			red = red || is_dynamic_red(color);
		}
	}
	EXPECT_LE(lastDark, 20 + half + 1);
	EXPECT_TRUE(red);
	EXPECT_EQ(std::string(row.Text()), longName);
}


TEST_F(RowDrawingTest, AddToViewInsertsTheSubtreeInPreOrderCollapsed)
{
	TestNode root("Viewer", "application/x-vnd.test-viewer");
	TestNode* window = new TestNode("Main", "MainWindow", &root);
	TestNode* back = new TestNode("", "fBack", window);
	TestNode* box = new TestNode("", "fBox", back);
	TestNode* second = new TestNode("Second", "SecondWindow", &root);

	BOutlineListView* list = new BOutlineListView(BRect(0, 0, 199, 99), "fView");
	// Without a list, or with one that is not in a window, nothing is added.
	root.AddToView(NULL);
	root.AddToView(list);
	EXPECT_EQ(list->FullListCountItems(), 0);

	fWindow = new BWindow(BRect(0, 0, 199, 99), "Outline", B_TITLED_WINDOW, 0);
	fWindow->AddChild(list);
	fWindow->Show();
	root.AddToView(list);

	ASSERT_TRUE(fWindow->Lock());
	// AddToView let go of every lock it took.
	EXPECT_EQ(fWindow->CountLocks(), 1);
	ASSERT_EQ(list->FullListCountItems(), 5);
	BListItem* expected[] = { &root, window, back, box, second };
	for (int32 i = 0; i < 5; i++)
		EXPECT_EQ(list->FullListItemAt(i), expected[i]) << i;
	EXPECT_EQ(box->OutlineLevel(), 3u);
	// Every row starts collapsed: only the application's row shows.
	EXPECT_EQ(list->CountItems(), 1);
	// The list does not own its rows; the tree does.
	list->MakeEmpty();
	fWindow->Unlock();
}
