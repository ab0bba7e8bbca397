// The browser window inside a running Quorvane, driven through injected input on the
// offscreen display: its view tree and frames, layout on resize, the capabilities pane
// and specifier field of a selected row, Option-click subtree toggling, the watch items,
// applications that launch and quit while it is open, and quitting by Command-Q.
#include <Alert.h>
#include <AppDefs.h>
#include <Bitmap.h>
#include <Button.h>
#include <InterfaceDefs.h>
#include <ListItem.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <PropertyInfo.h>
#include <Roster.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringView.h>
#include <TextView.h>
#include <Window.h>

#include "BetterScrollView.h"
#include "FaultTargetCounts.h"
#include "OffscreenInput.h"
#include "PropertyValues.h"
#include "QuorvaneApp.h"
#include "QuorvaneAppTest.h"
#include "RowFinder.h"
#include "ScriptingElement.h"
#include "ScriptingTargets.h"
#include "ScriptingUtils.h"
#include "TargetMenu.h"
#include "TestRuntime.h"
#include "display/OffscreenDisplay.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* kTree = "application/x-vnd.qv-tree";
const char* kSecond = "application/x-vnd.qv-second";


// Each test drives Quorvane once the outline holds the tree application's row.
class QuorvaneWindowTest : public QuorvaneAppTest {
protected:
	void SetUp() override
	{
		QuorvaneAppTest::SetUp();
		fRuntime.Start("ScriptTargetApp", { kTree, "tree" });
		ASSERT_TRUE(fRuntime.WaitForApp(kTree));
	}

	bool Attached() override
	{
		EXPECT_TRUE(fWindow->Lock());
		fTargetView = dynamic_cast<BListView*>(fWindow->FindView("fTargetView"));
		fSpecifier = dynamic_cast<BStringView*>(fWindow->FindView("fSpecifier"));
		fBoxScrollView = dynamic_cast<BetterScrollView*>(
			fWindow->FindView("fBoxView->BScrollView"));
		fWindow->Unlock();
		if (fTargetView == NULL || fSpecifier == NULL || fBoxScrollView == NULL)
			return false;
		return wait_until(fWindow, [&] { return Row(kTree) >= 0; });
	}

	// The full-list index of the first row of that internal name, or -1; with
	// applicationsOnly, of the first application row.
	int32 Row(const char* name, bool applicationsOnly = false)
	{
		for (int32 i = 0; i < fView->FullListCountItems(); i++) {
			ScriptingElement* node
				= static_cast<ScriptingElement*>(fView->FullListItemAt(i));
			if (applicationsOnly && node->OutlineLevel() != 0)
				continue;
			if (node->GetInternalName() == name)
				return i;
		}
		return -1;
	}

	// Starts a test application and waits until its row is in the outline.
	pid_t StartShown(const char* signature, const char* mode = "tree",
		const char* mainWindowName = "MainWindow")
	{
		pid_t process = fRuntime.Start("ScriptTargetApp",
			{ signature, mode, mainWindowName });
		EXPECT_TRUE(wait_until(fWindow, [&] { return Row(signature, true) >= 0; }))
			<< signature;
		return process;
	}

	// The text of the specifier field that the shown row index calls for.
	std::string SpecifierOf(int32 index)
	{
		ScriptingElement* node = static_cast<ScriptingElement*>(fView->ItemAt(index));
		return std::string("Specifier: ")
			+ specifier_to_str(node->GetAccessPtr(), false).String();
	}

	// A point of view's coordinates in the window's.
	BPoint InWindow(BView* view, BPoint point)
	{
		return view->ConvertToScreen(point) - fWindow->Frame().LeftTop();
	}

	// Clicks the shown row index of the outline: on its text, or on its latch.
	void ClickRow(int32 index, bool latch = false, uint32 modifiers = 0)
	{
		ASSERT_TRUE(fWindow->Lock());
		BRect frame = fView->ItemFrame(index);
		BListItem* item = fView->ItemAt(index);
		float x = latch ? frame.left + item->OutlineLevel() * 12 + 6 : frame.right - 10;
		BPoint where = InWindow(fView, BPoint(x, (frame.top + frame.bottom) / 2));
		fWindow->Unlock();
		inject_click(fOffscreen, where, modifiers);
		// Once for the click, once more for the messages its handling posted.
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
	}

	std::vector<std::string> PaneRows()
	{
		std::vector<std::string> rows;
		for (int32 i = 0; i < fTargetView->CountItems(); i++)
			rows.push_back(static_cast<BStringItem*>(fTargetView->ItemAt(i))->Text());
		return rows;
	}

	BListView* fTargetView = NULL;
	BStringView* fSpecifier = NULL;
	BetterScrollView* fBoxScrollView = NULL;
};


// Records the signatures of the launch notices that reach Quorvane.
class LaunchRecordingApp : public QuorvaneApp {
public:
	using QuorvaneApp::QuorvaneApp;

	void MessageReceived(BMessage* message) override
	{
		const char* signature;
		if (message->what == B_SOME_APP_LAUNCHED
			&& message->FindString("be:signature", &signature) == B_OK)
			launched.push_back(signature);
		QuorvaneApp::MessageReceived(message);
	}

	bool Launched(const char* signature)
	{
		return std::find(launched.begin(), launched.end(), signature) != launched.end();
	}

	std::vector<std::string> launched;
};


// A window that, asked to quit, launches an application and waits until the roster lists
// it; it refuses to quit until allowed.
class LaunchingWindow : public BWindow {
public:
	LaunchingWindow(TestRuntime& runtime, const char* signature)
		:
		BWindow(BRect(10, 10, 60, 60), "Launching", B_TITLED_WINDOW, 0),
		fRuntime(runtime),
		fSignature(signature)
	{
	}

	bool QuitRequested() override
	{
		if (!asked) {
			fRuntime.Start("ScriptTargetApp", { fSignature, "tree" });
			EXPECT_TRUE(fRuntime.WaitForApp(fSignature));
			asked = true;
		}
		return allowed;
	}

	std::atomic<bool> asked = false;
	std::atomic<bool> allowed = false;

private:
	TestRuntime&		fRuntime;
	const char*			fSignature;
};


BRect
in_parent(BView* view)
{
	BPoint origin = view->Parent()->Frame().LeftTop();
	return view->Frame().OffsetByCopy(origin.x, origin.y);
}

} // namespace


TEST_F(QuorvaneWindowTest, ViewTreeAndFramesAsBuilt)
{
	RunQuorvane([&] {
		QuorvaneWindow* window = new QuorvaneWindow(BRect(50, 50, 600, 350));
		ASSERT_TRUE(window->Lock());
		EXPECT_STREQ(window->Title(), "Quorvane");
		BView* menuBar = window->FindView("QuorvaneWindow::MainMenu");
		ASSERT_NE(menuBar, nullptr);
		EXPECT_EQ(menuBar->Window(), window);
		float m = menuBar->Frame().Height() + 1;
		EXPECT_GT(m, 1);
		EXPECT_EQ(window->Frame(), BRect(50, 50, 600, 350 + m));

		BView* back = window->FindView("fBackView");
		EXPECT_EQ(back->Frame(), BRect(0, m, 550, 300 + m));
		EXPECT_EQ(back->ResizingMode(), (uint32)B_FOLLOW_ALL_SIDES);
		BView* backScroll = window->FindView("fBackView->BScrollView");
		BView* view = window->FindView("fView");
		EXPECT_EQ(backScroll->Parent(), back);
		EXPECT_EQ(view->Parent(), backScroll);
		EXPECT_EQ(in_parent(view), BRect(275, 21, 536, 286));
		BView* specifier = window->FindView("fSpecifier");
		EXPECT_EQ(specifier->Parent(), back);
		EXPECT_EQ(specifier->Frame(), BRect(275, 0, 550, 17));
		EXPECT_STREQ(dynamic_cast<BStringView*>(specifier)->Text(), "Specifier:");
		BView* box = window->FindView("fBoxView");
		EXPECT_EQ(box->Parent(), back);
		EXPECT_EQ(box->Frame(), BRect(4, 4, 271, 296));
		BetterScrollView* boxScroll = dynamic_cast<BetterScrollView*>(
			window->FindView("fBoxView->BScrollView"));
		ASSERT_NE(boxScroll, nullptr);
		EXPECT_EQ(boxScroll->Parent(), box);
		BView* target = window->FindView("fTargetView");
		EXPECT_EQ(target->Parent(), boxScroll);
		EXPECT_EQ(in_parent(target), BRect(8, 16, 245, 270));
		EXPECT_EQ(boxScroll->GetDataRect(), BRect(0, 0, 948, 508));

		float minWidth, maxWidth, minHeight, maxHeight;
		window->GetSizeLimits(&minWidth, &maxWidth, &minHeight, &maxHeight);
		EXPECT_EQ(minWidth, 412.5f);
		EXPECT_EQ(minHeight, 225);
		EXPECT_EQ(maxWidth, 1279);
		EXPECT_EQ(maxHeight, 1023);
		window->Quit();
	});
}


TEST_F(QuorvaneWindowTest, ResizingLaysThePanesOutAgain)
{
	RunQuorvane([&] {
		BView* backScroll = fWindow->FindView("fBackView->BScrollView");
		BView* box = fWindow->FindView("fBoxView");
		BView* back = fWindow->FindView("fBackView");
		for (float width : { 700.0f, 412.5f }) {
			BPrivate::DisplayEvent resize;
			resize.type = BPrivate::kDisplayResized;
			resize.frame = BRect(50, 50, 50 + width, 450);
			fOffscreen->Inject(resize);
			ASSERT_TRUE(wait_until(fWindow, [&] {
				return fWindow->Bounds().Width() == width;
			}));
			ASSERT_TRUE(wait_for_queue(fWindow));
			ASSERT_TRUE(fWindow->Lock());
			SCOPED_TRACE(width);
			EXPECT_EQ(backScroll->Frame().left, width / 2 + 2);
			EXPECT_EQ(backScroll->Frame().Width(), width / 2);
			EXPECT_EQ(backScroll->Frame().bottom, 400 - 18);
			EXPECT_EQ(fSpecifier->Frame().left, width / 2 + 2);
			EXPECT_EQ(fSpecifier->Frame().Width(), width / 2);
			EXPECT_EQ(box->Frame(), BRect(4, 4, 4 + width / 2 - 8,
				4 + back->Bounds().Height() - 8));
			fWindow->Unlock();
		}

		// Nothing narrower or lower than the limits.
		ASSERT_TRUE(fWindow->Lock());
		fWindow->ResizeTo(200, 100);
		EXPECT_GE(fWindow->Bounds().Width(), 412.5f);
		EXPECT_GE(fWindow->Bounds().Height(), 225);
		fWindow->Unlock();
	});
}


TEST_F(QuorvaneWindowTest, SelectingRowsRendersSuitesTablesAndTheSpecifier)
{
	RunQuorvane([&] {
		// Without the values, which come after the tables, the pane holds the tables
		// alone.
		fWindow->PostMessage(kMsgShowValues);
		ClickRow(0);
		ASSERT_TRUE(wait_until(fWindow, [&] { return fTargetView->CountItems() > 0; }));
		ASSERT_TRUE(fWindow->Lock());
		ScriptingElement* node = static_cast<ScriptingElement*>(fView->ItemAt(0));
		ASSERT_EQ(node->GetInternalName(), kTree);
		// The application's chain is empty.
		EXPECT_STREQ(fSpecifier->Text(), "Specifier: ");

		// Each suite's header, then its table's lines without the empty ones.
		std::vector<std::string> expected;
		const char* suite;
		for (int32 i = 0; node->GetSuites()->FindString("suites", i, &suite) == B_OK;
				i++) {
			expected.push_back(std::string("Supports ") + suite + ":");
			const void* data;
			ssize_t size;
			ASSERT_EQ(node->GetSuites()->FindData("messages", B_PROPERTY_INFO_TYPE, i,
				&data, &size), B_OK);
			BPropertyInfo info(NULL, NULL);
			ASSERT_EQ(info.Unflatten(B_PROPERTY_INFO_TYPE, data, size), B_OK);
			BList lines(20);
			DehydratePropertyInfo(&lines, info, size);
			for (int32 j = 0; j < lines.CountItems(); j++) {
				char* line = static_cast<char*>(lines.ItemAt(j));
				if (line[0] != '\0')
					expected.push_back(line);
				delete[] line;
			}
		}
		std::vector<std::string> rows = PaneRows();
		EXPECT_EQ(rows, expected);
		ASSERT_GT(rows.size(), 3u);
		EXPECT_EQ(rows[0], "Supports suite/vnd.Be-application:");
		float widest = 0;
		for (const std::string& row : rows) {
			EXPECT_FALSE(row.empty());
			widest = std::max(widest, fTargetView->StringWidth(row.c_str()));
		}
		EXPECT_EQ(fBoxScrollView->GetDataRect(), BRect(0, 0, widest + 14, 508));

		// Reselecting the same row keeps the rows as they are.
		BListItem* first = fTargetView->ItemAt(0);
		fView->DeselectAll();
		fWindow->Unlock();
		ASSERT_TRUE(wait_for_queue(fWindow));
		ClickRow(0);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fTargetView->ItemAt(0), first);
		EXPECT_EQ((size_t)fTargetView->CountItems(), rows.size());

		// A window's row: its chain names the window.
		fView->Expand(fView->ItemAt(0));
		fWindow->Unlock();
		ClickRow(1);
		ASSERT_TRUE(fWindow->Lock());
		ScriptingElement* window = static_cast<ScriptingElement*>(fView->ItemAt(1));
		EXPECT_EQ(std::string(fSpecifier->Text()),
			std::string("Specifier: ") + specifier_to_str(window->GetAccessPtr(), false).String());
		// The pane shows the window's suites now (a new row may reuse a freed row's
		// address, so the rows are compared by their text).
		const char* windowSuite;
		ASSERT_EQ(window->GetSuites()->FindString("suites", 0, &windowSuite), B_OK);
		ASSERT_GT(fTargetView->CountItems(), 0);
		EXPECT_EQ(PaneRows().front(), std::string("Supports ") + windowSuite + ":");
		EXPECT_NE(std::string(windowSuite), "suite/vnd.Be-application");
		fWindow->Unlock();
	});
}


// Regression: the pane's horizontal bar moved, but its rows stayed where they were, so a
// long line could be read only by widening the window.
TEST_F(QuorvaneWindowTest, TheCapabilitiesPaneScrollsSideways)
{
	RunQuorvane([&] {
		ClickRow(0);
		ASSERT_TRUE(wait_until(fWindow, [&] { return fTargetView->CountItems() > 3; }));
		ASSERT_TRUE(fWindow->Lock());
		BScrollBar* bar = fBoxScrollView->ScrollBar(B_HORIZONTAL);
		ASSERT_NE(bar, nullptr);
		float min, max;
		bar->GetRange(&min, &max);
		EXPECT_GT(max, 40);
		BRect bounds = fTargetView->Bounds();
		BPoint origin = InWindow(fTargetView, bounds.LeftTop());
		int32 width = (int32)bounds.Width();
		int32 height = (int32)fTargetView->ItemFrame(3).bottom;
		// The pane as it shows now, once drawn.
		int64 presented = fOffscreen->Presentations();
		fTargetView->Invalidate();
		fWindow->Unlock();
		ASSERT_TRUE(fOffscreen->WaitForPresentation(presented, 5000000));
		ASSERT_TRUE(wait_for_queue(fWindow));

		// The pixels of the pane's first rows, a column at a time.
		auto columns = [&] {
			std::vector<std::vector<rgb_color>> shown(width);
			for (int32 x = 0; x < width; x++) {
				for (int32 y = 0; y < height; y++)
					shown[x].push_back(fOffscreen->PixelAt(origin.x + x, origin.y + y));
			}
			return shown;
		};
		std::vector<std::vector<rgb_color>> before = columns();

		ASSERT_TRUE(fWindow->Lock());
		presented = fOffscreen->Presentations();
		bar->SetValue(40);
		EXPECT_EQ(fTargetView->Bounds().left, 40);
		fWindow->Unlock();
		ASSERT_TRUE(fOffscreen->WaitForPresentation(presented, 5000000));
		ASSERT_TRUE(wait_for_queue(fWindow));
		std::vector<std::vector<rgb_color>> after = columns();
		int32 moved = 0;
		for (int32 x = 0; x + 40 < width; x++)
			moved += after[x] == before[x + 40];
		EXPECT_EQ(moved, width - 40);
		EXPECT_NE(after, before);
	});
}


TEST_F(QuorvaneWindowTest, ALongSpecifierIsCutInTheMiddleToTheField)
{
	RunQuorvane([&] {
		BPrivate::DisplayEvent resize;
		resize.type = BPrivate::kDisplayResized;
		resize.frame = BRect(50, 50, 50 + 412.5, 450);
		fOffscreen->Inject(resize);
		ASSERT_TRUE(wait_for_queue(fWindow));

		// Show everything, then pick the deepest row.
		ASSERT_TRUE(fWindow->Lock());
		fView->Collapse(fView->ItemAt(0));
		fWindow->Unlock();
		ClickRow(0, true, B_OPTION_KEY);
		ASSERT_TRUE(fWindow->Lock());
		int32 deepest = 0;
		for (int32 i = 0; i < fView->CountItems(); i++) {
			if (fView->ItemAt(i)->OutlineLevel() > fView->ItemAt(deepest)->OutlineLevel())
				deepest = i;
		}
		ASSERT_GE(fView->ItemAt(deepest)->OutlineLevel(), 3u);
		ScriptingElement* node = static_cast<ScriptingElement*>(fView->ItemAt(deepest));
		BString whole("Specifier: ");
		whole << specifier_to_str(node->GetAccessPtr(), false);
		fView->ScrollTo(deepest);
		// The specifier of the sample's deepest view fits the narrowest field in the plain
		// font: a larger one makes it too long.
		fSpecifier->SetFontSize(16);
		fWindow->Unlock();
		ClickRow(deepest);

		ASSERT_TRUE(fWindow->Lock());
		float room = fSpecifier->Frame().Width() - 4;
		ASSERT_GT(fSpecifier->StringWidth(whole.String()), room);
		BString expected(whole);
		fSpecifier->TruncateString(&expected, B_TRUNCATE_SMART, room);
		EXPECT_STREQ(fSpecifier->Text(), expected.String());
		EXPECT_NE(strstr(fSpecifier->Text(), "\xE2\x80\xA6"), nullptr);
		EXPECT_LE(fSpecifier->StringWidth(fSpecifier->Text()), room);
		fWindow->Unlock();
	});
}


TEST_F(QuorvaneWindowTest, OptionClickTogglesWholeSubtreesAPlainClickOneRow)
{
	RunQuorvane([&] {
		ASSERT_TRUE(fWindow->Lock());
		int32 total = fView->FullListCountItems();
		ASSERT_GT(total, 5);
		EXPECT_EQ(fView->CountItems(), 1);
		fWindow->Unlock();

		// A plain click on the latch shows the windows only.
		ClickRow(0, true);
		ASSERT_TRUE(fWindow->Lock());
		int32 windows = fView->CountItems();
		EXPECT_GT(windows, 1);
		EXPECT_LT(windows, total);
		for (int32 i = 1; i < windows; i++)
			EXPECT_EQ(fView->ItemAt(i)->OutlineLevel(), 1u);
		fWindow->Unlock();

		// Option-click collapses all, and Option-click again expands all.
		ClickRow(0, true, B_OPTION_KEY);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->CountItems(), 1);
		fWindow->Unlock();
		ClickRow(0, true, B_OPTION_KEY);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->CountItems(), total);
		fWindow->Unlock();

		// Collapsed by Option, a plain expand shows the direct children only.
		ClickRow(0, true, B_OPTION_KEY);
		ClickRow(0, true);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->CountItems(), windows);
		fWindow->Unlock();

		// Option-click on the text selects without toggling.
		ClickRow(1, false, B_OPTION_KEY);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->CountItems(), windows);
		EXPECT_EQ(fView->CurrentSelection(), 1);
		fWindow->Unlock();
	});
}


TEST_F(QuorvaneWindowTest, WatchItemsToggleTheirFlagsAndMarks)
{
	RunQuorvane([&] {
		QuorvaneWindow* window = dynamic_cast<QuorvaneWindow*>(fWindow);
		ASSERT_NE(window, nullptr);
		ASSERT_TRUE(fWindow->Lock());
		BMenuBar* bar = dynamic_cast<BMenuBar*>(
			fWindow->FindView("QuorvaneWindow::MainMenu"));
		ASSERT_NE(bar, nullptr);
		BMenuItem* launch = bar->FindItem(kMsgWatchLaunch);
		BMenuItem* quit = bar->FindItem(kMsgWatchQuit);
		ASSERT_NE(launch, nullptr);
		ASSERT_NE(quit, nullptr);
		EXPECT_STREQ(launch->Label(), "Watch Application Launch");
		EXPECT_STREQ(quit->Label(), "Watch Application Quit");
		EXPECT_TRUE(launch->IsMarked());
		EXPECT_TRUE(quit->IsMarked());
		EXPECT_NE(bar->FindItem("About Quorvane\xE2\x80\xA6"), nullptr);
		BMenuItem* quitItem = bar->FindItem("Quit");
		ASSERT_NE(quitItem, nullptr);
		EXPECT_EQ(quitItem->Shortcut(), 'Q');
		fWindow->Unlock();

		fWindow->PostMessage(kMsgWatchLaunch);
		ASSERT_TRUE(wait_for_queue(fWindow));
		EXPECT_FALSE(window->WatchLaunch());
		EXPECT_TRUE(window->WatchQuit());
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_FALSE(launch->IsMarked());
		fWindow->Unlock();

		// With launches unwatched, a new application stays out of the outline.
		pid_t second = fRuntime.Start("ScriptTargetApp", { kSecond, "tree" });
		ASSERT_TRUE(fRuntime.WaitForApp(kSecond));
		snooze(500000);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(Row(kSecond), -1);
		fWindow->Unlock();

		fWindow->PostMessage(kMsgWatchQuit);
		fWindow->PostMessage(kMsgWatchLaunch);
		fWindow->PostMessage(kMsgWatchQuit);
		ASSERT_TRUE(wait_for_queue(fWindow));
		EXPECT_TRUE(window->WatchLaunch());
		EXPECT_TRUE(window->WatchQuit());
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_TRUE(launch->IsMarked());
		EXPECT_TRUE(quit->IsMarked());
		fWindow->Unlock();
		fRuntime.Stop(second);
	});
}


TEST_F(QuorvaneWindowTest, ApplicationsThatLaunchAndQuitComeAndGo)
{
	RunQuorvane([&] {
		pid_t second = fRuntime.Start("ScriptTargetApp", { kSecond, "tree" });
		ASSERT_TRUE(wait_until(fWindow, [&] { return Row(kSecond) >= 0; }));
		ASSERT_TRUE(fWindow->Lock());
		int32 rows = fView->FullListCountItems();
		BListItem* early = fView->FullListItemAt(Row(kSecond));
		fWindow->Unlock();

		// A quit notice while quits are unwatched removes nothing.
		fWindow->PostMessage(kMsgWatchQuit);
		fRuntime.Stop(second);
		snooze(500000);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->FullListCountItems(), rows);
		fWindow->Unlock();

		// The next launch of that signature adds its own rows; its quit takes out the
		// first row of the signature from the top, with its subtree.
		fWindow->PostMessage(kMsgWatchQuit);
		pid_t third = fRuntime.Start("ScriptTargetApp", { kSecond, "tree" });
		int32 more = 0;
		ASSERT_TRUE(wait_until(fWindow, [&] {
			more = fView->FullListCountItems();
			return more > rows;
		}));
		ASSERT_TRUE(fWindow->Lock());
		BListItem* late = fView->FullListItemAt(rows);
		fWindow->Unlock();
		fRuntime.Stop(third);
		ASSERT_TRUE(wait_until(fWindow, [&] { return !fView->FullListHasItem(early); }));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->FullListCountItems(), rows);
		EXPECT_TRUE(fView->FullListHasItem(late));
		EXPECT_GE(Row(kTree), 0);
		fWindow->Unlock();
	});
}


// Regression: a quit notice took out the first row of any kind whose internal name was the
// signature: here a window row of another application, which its application's node still
// owned, so that quitting Quorvane deleted it twice.
TEST_F(QuorvaneWindowTest, AQuitNoticeTakesOutOnlyTheApplicationsRow)
{
	const char* kMimic = "application/x-vnd.qv-mimic";
	RunQuorvane([&] {
		StartShown(kMimic, "tree", kSecond);
		pid_t second = StartShown(kSecond);
		ASSERT_TRUE(fWindow->Lock());
		BListItem* impostor = fView->FullListItemAt(Row(kSecond));
		EXPECT_EQ(impostor->OutlineLevel(), 1u);
		BListItem* application = fView->FullListItemAt(Row(kSecond, true));
		fWindow->Unlock();

		fRuntime.Stop(second);
		ASSERT_TRUE(wait_until(fWindow, [&] {
			return !fView->FullListHasItem(application);
		}));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_TRUE(fView->FullListHasItem(impostor));
		EXPECT_GE(Row(kMimic, true), 0);
		fWindow->Unlock();

		// A removal message naming a window row is refused as well.
		BMessage remove(kMsgRemoveApp);
		remove.AddPointer("result", impostor);
		fWindow->PostMessage(&remove);
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_TRUE(fView->FullListHasItem(impostor));
		fWindow->Unlock();
	});
	// Quitting deleted every node once: a second deletion would have ended the test here.
}


// Regression: a selection was skipped whenever its index equalled the last one, so after
// rows above it came or went, clicking the row now at that index showed the old target.
TEST_F(QuorvaneWindowTest, SelectingTheRowNowAtTheLastIndexShowsIt)
{
	const char* kThird = "application/x-vnd.qv-third";
	RunQuorvane([&] {
		// An item expanded above the selection.
		ASSERT_TRUE(fWindow->Lock());
		fView->Expand(fView->ItemAt(0));
		fWindow->Unlock();
		ClickRow(2);
		ASSERT_TRUE(fWindow->Lock());
		std::string window1 = SpecifierOf(2);
		EXPECT_EQ(std::string(fSpecifier->Text()), window1);
		fView->Expand(fView->ItemAt(1));
		fWindow->Unlock();
		ASSERT_TRUE(wait_for_queue(fWindow));
		ClickRow(2);
		ASSERT_TRUE(fWindow->Lock());
		std::string menuBar = SpecifierOf(2);
		EXPECT_NE(menuBar, window1);
		EXPECT_EQ(std::string(fSpecifier->Text()), menuBar);
		ASSERT_GT(fTargetView->CountItems(), 0);
		EXPECT_EQ(PaneRows().front(), "Supports suite/vnd.Be-menu:");
		fView->Collapse(fView->ItemAt(0));
		fWindow->Unlock();

		// An application removed above the selection.
		pid_t second = StartShown(kSecond);
		StartShown(kThird);
		ASSERT_TRUE(fWindow->Lock());
		int32 third = fView->IndexOf(fView->FullListItemAt(Row(kThird, true)));
		ASSERT_EQ(third, 2);
		fView->Expand(fView->ItemAt(third));
		fWindow->Unlock();
		ClickRow(4);
		ASSERT_TRUE(fWindow->Lock());
		std::string before = SpecifierOf(4);
		EXPECT_EQ(std::string(fSpecifier->Text()), before);
		BListItem* secondRow = fView->FullListItemAt(Row(kSecond, true));
		fWindow->Unlock();
		fRuntime.Stop(second);
		ASSERT_TRUE(wait_until(fWindow, [&] { return !fView->FullListHasItem(secondRow); }));
		ClickRow(4);
		ASSERT_TRUE(fWindow->Lock());
		std::string after = SpecifierOf(4);
		EXPECT_NE(after, before);
		EXPECT_EQ(std::string(fSpecifier->Text()), after);

		// The same row again changes nothing.
		BListItem* first = fTargetView->ItemAt(0);
		fView->DeselectAll();
		fWindow->Unlock();
		ASSERT_TRUE(wait_for_queue(fWindow));
		ClickRow(4);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fTargetView->ItemAt(0), first);
		fWindow->Unlock();
	});
}


// Regression: a node whose application quit during its analysis was dropped, even with
// quits unwatched; it reaches the outline and stays.
TEST_F(QuorvaneWindowTest, ANodeWhoseApplicationQuitDuringItsAnalysisIsShown)
{
	const char* kGone = "application/x-vnd.qv-gone";
	RunQuorvane([&] {
		fWindow->PostMessage(kMsgWatchQuit);
		// The application ends when its first view is asked for its label.
		pid_t gone = fRuntime.Start("ScriptTargetApp", { kGone, "exitlabel" });
		ASSERT_TRUE(wait_until(fWindow, [&] { return Row(kGone, true) >= 0; }));
		EXPECT_GE(fRuntime.Wait(gone), 0);
		snooze(200000);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_GE(Row(kGone, true), 0);
		fWindow->Unlock();
	});
}


// Names and titles of white space only: a window row falls back to "Window <index>", a
// view row to "View <index>", and neither shows dynamic text.
TEST_F(QuorvaneWindowTest, WhiteSpaceNamesFallBackToTheIndex)
{
	const char* kBlank = "application/x-vnd.qv-blank";
	RunQuorvane([&] {
		StartShown(kBlank, "blank", " \t ");
		ASSERT_TRUE(fWindow->Lock());
		BListItem* application = fView->FullListItemAt(Row(kBlank, true));
		fView->Expand(application);
		int32 index = fView->IndexOf(application);
		std::vector<std::pair<std::string, std::string>> rows;
		for (int32 i = index + 1; i < fView->CountItems()
				&& fView->ItemAt(i)->OutlineLevel() > 0; i++) {
			if (fView->ItemAt(i)->OutlineLevel() == 1)
				fView->Expand(fView->ItemAt(i));
		}
		for (int32 i = index + 1; i < fView->CountItems()
				&& fView->ItemAt(i)->OutlineLevel() > 0; i++) {
			ScriptingElement* node = static_cast<ScriptingElement*>(fView->ItemAt(i));
			rows.push_back({ node->Text(), node->DynamicText() });
		}
		fWindow->Unlock();
		std::vector<std::pair<std::string, std::string>> expected = {
			{ "Window 0", "Main Window" },
			{ "MenuBar", "" },
			{ "fBackView", "" },
			{ "View 2", "" },
			{ "Window 1", "" },
			{ "BrokenWindow", "Broken" },
		};
		EXPECT_EQ(rows, expected);
	});
}


// An application none of whose windows is scriptable is shown as a row without subitems.
TEST_F(QuorvaneWindowTest, AnApplicationWithoutScriptableWindowsHasARowOfItsOwn)
{
	const char* kHidden = "application/x-vnd.qv-hidden";
	RunQuorvane([&] {
		StartShown(kHidden, "hidden");
		ASSERT_TRUE(fWindow->Lock());
		int32 row = Row(kHidden, true);
		EXPECT_EQ(fView->CountItemsUnder(fView->FullListItemAt(row), false), 0);
		EXPECT_TRUE(row + 1 == fView->FullListCountItems()
			|| fView->FullListItemAt(row + 1)->OutlineLevel() == 0);
		fWindow->Unlock();
	});
}


// The roster's notices stop before any window is asked to close: an application that
// launches while the windows are asked is not noticed, even when a window refuses.
TEST_F(QuorvaneWindowTest, QuittingStopsTheRosterNoticesBeforeTheWindowsAreAsked)
{
	const char* kLate = "application/x-vnd.qv-late";
	LaunchRecordingApp* app = new LaunchRecordingApp(kQuorvaneSignature);
	std::thread driver([&] {
		if (Attach()) {
			// Launches are noticed until then.
			fRuntime.Start("ScriptTargetApp", { kSecond, "tree" });
			EXPECT_TRUE(wait_until(be_app, [&] { return app->Launched(kSecond); }));

			LaunchingWindow* launching = new LaunchingWindow(fRuntime, kLate);
			launching->Show();
			be_app->PostMessage(B_QUIT_REQUESTED);
			EXPECT_TRUE(wait_for([&] { return launching->asked.load(); }));
			// Time for a notice to arrive, had the roster sent one.
			snooze(300000);
			ASSERT_TRUE(wait_for_queue(be_app));
			ASSERT_TRUE(be_app->Lock());
			EXPECT_FALSE(app->Launched(kLate));
			be_app->Unlock();
			launching->allowed = true;
		}
		be_app->PostMessage(B_QUIT_REQUESTED);
	});
	app->Run();
	driver.join();
	delete app;
}


TEST_F(QuorvaneWindowTest, CommandQQuits)
{
	bool quitByKey = false;
	RunQuorvane([&] {
		inject_key(fOffscreen, "q", B_COMMAND_KEY);
		// The application quits and takes the window with it.
		quitByKey = wait_for_no_offscreen_window("Quorvane");
	});
	EXPECT_TRUE(quitByKey);
}


TEST_F(QuorvaneWindowTest, ClosingTheWindowOrSigtermQuits)
{
	bool closed = false;
	RunQuorvane([&] {
		BPrivate::DisplayEvent close;
		close.type = BPrivate::kDisplayCloseRequested;
		fOffscreen->Inject(close);
		closed = wait_for_no_offscreen_window("Quorvane");
	});
	EXPECT_TRUE(closed);

	// SIGTERM reaches the application as a quit request; Run returns.
	bool attached = false;
	RunQuorvane([&] {
		attached = true;
		kill(getpid(), SIGTERM);
	});
	EXPECT_TRUE(attached);
}


TEST_F(QuorvaneWindowTest, AboutShowsItsAlertAndReturnsAtOnce)
{
	RunQuorvane([&] {
		ASSERT_TRUE(fWindow->Lock());
		BMenuBar* bar = dynamic_cast<BMenuBar*>(
			fWindow->FindView("QuorvaneWindow::MainMenu"));
		BMenuItem* about = bar->FindItem("About Quorvane\xE2\x80\xA6");
		ASSERT_NE(about, nullptr);
		about->Invoke();
		fWindow->Unlock();

		BAlert* alert = NULL;
		wait_until(be_app, [&] {
			for (int32 j = 0; j < be_app->CountWindows(); j++) {
				if (BAlert* found = dynamic_cast<BAlert*>(be_app->WindowAt(j)))
					alert = found;
			}
			return alert != NULL;
		});
		ASSERT_NE(alert, nullptr);
		ASSERT_TRUE(alert->Lock());
		EXPECT_STREQ(alert->Title(), "");
		EXPECT_EQ(alert->Type(), B_INFO_ALERT);
		ASSERT_EQ(alert->CountButtons(), 1);
		EXPECT_STREQ(alert->ButtonAt(0)->Label(), "Yeah");
		EXPECT_STREQ(alert->Text(), "Quorvane\nVersion 1.0a3\n\nA component of Tamberlyn\n\n"
			"Dynamic specifiers are shown in red\n"
			"Option-click to expand/collapse entire hierarchies\n");
		alert->Unlock();

		// The application and the window go on while the alert is open.
		fWindow->PostMessage(kMsgWatchQuit);
		ASSERT_TRUE(wait_for_queue(fWindow));
		EXPECT_FALSE(static_cast<QuorvaneWindow*>(fWindow)->WatchQuit());
		ASSERT_TRUE(wait_for_queue(be_app));

		// A click on "Yeah" dismisses the alert; nothing touches its window after the
		// button's release.
		BPrivate::OffscreenWindow* shown = offscreen_window("");
		ASSERT_NE(shown, nullptr);
		ASSERT_TRUE(alert->Lock());
		BButton* yeah = alert->ButtonAt(0);
		BRect frame = yeah->Bounds();
		BPoint where = yeah->ConvertToScreen(BPoint((frame.left + frame.right) / 2,
			(frame.top + frame.bottom) / 2)) - alert->Frame().LeftTop();
		alert->Unlock();
		inject_click(shown, where);
		EXPECT_TRUE(wait_for_no_offscreen_window(""));
	});
}


// #pragma mark - the font of the list of targets


TEST(FindFontTest, FindsInstalledPairsByExactName)
{
	font_family family;
	font_style style;
	if (count_font_families() < 1 || get_font_family(0, &family) != B_OK
		|| count_font_styles(family) < 1 || get_font_style(family, 0, &style) != B_OK) {
		GTEST_SKIP() << "no fonts installed";
	}

	font_family foundFamily;
	font_style foundStyle;
	ASSERT_TRUE(FindFont(family, style, foundFamily, foundStyle));
	EXPECT_STREQ(foundFamily, family);
	EXPECT_STREQ(foundStyle, style);
}


TEST(FindFontTest, MissesLeaveTheBuffersAlone)
{
	font_family family;
	if (count_font_families() < 1 || get_font_family(0, &family) != B_OK)
		GTEST_SKIP() << "no fonts installed";

	font_family foundFamily;
	font_style foundStyle;
	memset(foundFamily, 'f', sizeof(foundFamily));
	memset(foundStyle, 's', sizeof(foundStyle));
	EXPECT_FALSE(FindFont(family, "No Such Style", foundFamily, foundStyle));
	EXPECT_FALSE(FindFont("No Such Family", "Roman", foundFamily, foundStyle));
	EXPECT_EQ(foundFamily[0], 'f');
	EXPECT_EQ(foundFamily[sizeof(foundFamily) - 1], 'f');
	EXPECT_EQ(foundStyle[0], 's');
	EXPECT_EQ(foundStyle[sizeof(foundStyle) - 1], 's');
}


// #pragma mark - The "Target" menu, refresh, live values, find


namespace {

const char* kWorkbench = "application/x-vnd.quorvane-SampleWorkbench";
const char* kFaults = "application/x-vnd.qv-faults";


// The menu bar's "Target" menu and its items.
struct TargetItems {
	BMenu*		menu = NULL;
	BMenuItem*	refresh = NULL;
	BMenuItem*	copy = NULL;
	BMenuItem*	values = NULL;
};


TargetItems
target_items(BWindow* window)
{
	TargetItems items;
	BMenuBar* bar = dynamic_cast<BMenuBar*>(window->FindView("QuorvaneWindow::MainMenu"));
	if (bar == NULL || bar->CountItems() < 2)
		return items;
	items.menu = bar->ItemAt(1)->Submenu();
	if (items.menu == NULL)
		return items;
	items.refresh = items.menu->FindItem(kMsgRefreshTarget);
	items.copy = items.menu->FindItem(kMsgCopySpecifier);
	items.values = items.menu->FindItem(kMsgShowValues);
	return items;
}


std::string
build_path(const char* name)
{
	return std::string(QV_BIN_DIR) + "/../" + name;
}

} // namespace


class QuorvaneTargetTest : public QuorvaneWindowTest {
protected:
	// Shows the row of that internal name (its superitems expanded) and selects it, as
	// a click on it would; returns its node.
	ScriptingElement* SelectRow(const char* name, bool applicationsOnly = false)
	{
		EXPECT_TRUE(wait_until(fWindow, [&] { return Row(name, applicationsOnly) >= 0; }))
			<< name;
		EXPECT_TRUE(fWindow->Lock());
		ScriptingElement* node = static_cast<ScriptingElement*>(
			fView->FullListItemAt(Row(name, applicationsOnly)));
		for (BListItem* super = fView->Superitem(node); super != NULL;
				super = fView->Superitem(super))
			fView->Expand(super);
		fView->Select(fView->IndexOf(node));
		fView->ScrollToSelection();
		fWindow->Unlock();
		EXPECT_TRUE(wait_for_queue(fWindow));
		return node;
	}

	// The pane's rows after "Values:", or nothing when it shows none.
	std::vector<std::string> ValueRows()
	{
		std::vector<std::string> rows = PaneRows();
		auto header = std::find(rows.begin(), rows.end(), "Values:");
		if (header == rows.end())
			return {};
		return std::vector<std::string>(header + 1, rows.end());
	}

	bool HasValueRow(const std::string& row)
	{
		std::vector<std::string> rows = ValueRows();
		return std::find(rows.begin(), rows.end(), row) != rows.end();
	}

	// Waits (at most timeout) until condition holds with the window locked.
	bool WaitLong(const std::function<bool()>& condition, bigtime_t timeout)
	{
		for (bigtime_t waited = 0; waited < timeout; waited += 5000000) {
			if (wait_until(fWindow, condition))
				return true;
		}
		return false;
	}
};


TEST_F(QuorvaneTargetTest, TheTargetMenuFollowsVaneAndTheSelection)
{
	RunQuorvane([&] {
		ASSERT_TRUE(fWindow->Lock());
		BMenuBar* bar = dynamic_cast<BMenuBar*>(
			fWindow->FindView("QuorvaneWindow::MainMenu"));
		ASSERT_EQ(bar->CountItems(), 2);
		EXPECT_STREQ(bar->ItemAt(0)->Label(), "Vane");
		EXPECT_STREQ(bar->ItemAt(1)->Label(), "Target");
		TargetItems items = target_items(fWindow);
		ASSERT_NE(items.refresh, nullptr);
		ASSERT_NE(items.copy, nullptr);
		ASSERT_NE(items.values, nullptr);
		EXPECT_STREQ(items.refresh->Label(), "Refresh");
		EXPECT_EQ(items.refresh->Shortcut(), 'R');
		EXPECT_STREQ(items.copy->Label(), "Copy Specifier");
		EXPECT_EQ(items.copy->Shortcut(), 'C');
		EXPECT_STREQ(items.values->Label(), "Show Property Values");
		EXPECT_TRUE(items.values->IsMarked());
		// Nothing selected: nothing to refresh or copy.
		EXPECT_FALSE(items.refresh->IsEnabled());
		EXPECT_FALSE(items.copy->IsEnabled());
		fWindow->Unlock();

		// An application's row can be refreshed; it has no specifier to copy.
		ClickRow(0);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_TRUE(items.refresh->IsEnabled());
		EXPECT_FALSE(items.copy->IsEnabled());
		fView->Expand(fView->ItemAt(0));
		fWindow->Unlock();
		ClickRow(1);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_TRUE(items.refresh->IsEnabled());
		EXPECT_TRUE(items.copy->IsEnabled());
		fView->DeselectAll();
		fWindow->Unlock();
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_FALSE(items.refresh->IsEnabled());
		EXPECT_FALSE(items.copy->IsEnabled());
		fWindow->Unlock();

		// Command-R with no row selected starts nothing.
		ASSERT_TRUE(fWindow->Lock());
		fView->Collapse(fView->ItemAt(0));
		fWindow->Unlock();
		inject_key(fOffscreen, "r", B_COMMAND_KEY);
		ASSERT_TRUE(wait_for_queue(fWindow));
		snooze(200000);
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->CountItems(), 1);
		fWindow->Unlock();
	});
}


// An application that opened a view since its analysis shows it after a refresh; the rows
// that were expanded stay so, and the selection stays on its target.
TEST_F(QuorvaneTargetTest, RefreshShowsAViewAddedSinceInPlace)
{
	RunQuorvane([&] {
		StartShown(kSecond);
		ScriptingElement* back = SelectRow("fBackView");
		ASSERT_TRUE(fWindow->Lock());
		BListItem* oldApplication = fView->FullListItemAt(Row(kTree, true));
		int32 applicationIndex = fView->FullListIndexOf(oldApplication);
		EXPECT_EQ(Row("fAdded"), -1);
		std::string path = specifier_to_str(back->GetAccessPtr(), false).String();
		// The window is expanded, its "fBackView" is not.
		EXPECT_TRUE(fView->FullListItemAt(Row("MainWindow"))->IsExpanded());
		EXPECT_FALSE(back->IsExpanded());
		fWindow->Unlock();

		BMessenger(kTree).SendMessage('AdVw');
		// The application has the view before it is asked again.
		BMessage count(B_COUNT_PROPERTIES);
		count.AddSpecifier("View");
		count.AddSpecifier("Window", (int32)0);
		int32 views = 0;
		for (int i = 0; i < 500 && views != 4; i++) {
			BMessage reply;
			BMessenger(kTree).SendMessage(&count, &reply, 5000000, 5000000);
			reply.FindInt32("result", &views);
			if (views != 4)
				snooze(10000);
		}
		ASSERT_EQ(views, 4);

		inject_key(fOffscreen, "r", B_COMMAND_KEY);
		ASSERT_TRUE(wait_until(fWindow, [&] { return Row("fAdded") >= 0; }));
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		// In place: the same position, a new node; the other application untouched.
		EXPECT_FALSE(fView->FullListHasItem(oldApplication));
		EXPECT_EQ(Row(kTree, true), applicationIndex);
		EXPECT_GE(Row(kSecond, true), 0);
		EXPECT_TRUE(fView->FullListItemAt(Row(kTree, true))->IsExpanded());
		EXPECT_TRUE(fView->FullListItemAt(Row("MainWindow"))->IsExpanded());
		ScriptingElement* added = static_cast<ScriptingElement*>(
			fView->FullListItemAt(Row("fAdded")));
		EXPECT_STREQ(added->DynamicText(), "Added");
		EXPECT_GE(fView->IndexOf(added), 0);
		// The selection is on the new node of the same path, and the panes show it.
		ScriptingElement* selected = static_cast<ScriptingElement*>(
			fView->ItemAt(fView->CurrentSelection()));
		ASSERT_NE(selected, nullptr);
		EXPECT_EQ(selected->GetInternalName(), "fBackView");
		EXPECT_EQ(specifier_to_str(selected->GetAccessPtr(), false).String(), path);
		EXPECT_EQ(std::string(fSpecifier->Text()), "Specifier: " + path);
		EXPECT_FALSE(selected->IsExpanded());
		fWindow->Unlock();
	});
}


TEST_F(QuorvaneTargetTest, ValuesOfASampleApplicationsWindowAndButton)
{
	RunQuorvane([&] {
		fRuntime.Start("SampleWorkbench");
		ASSERT_TRUE(fRuntime.WaitForApp(kWorkbench));
		ASSERT_TRUE(wait_until(fWindow, [&] { return Row(kWorkbench, true) >= 0; }));

		SelectRow("Workbench");
		// The window was made at (80, 80, 719, 519) and grew by its menu bar.
		ASSERT_TRUE(WaitLong([&] {
			std::vector<std::string> rows = ValueRows();
			return HasValueRow("  Title: \"Workbench\"")
				&& std::find_if(rows.begin(), rows.end(), [](const std::string& row) {
					return row.rfind("  Frame: BRect(80.0, 80.0, 719.0, ", 0) == 0;
				}) != rows.end();
		}, 15000000)) << ::testing::PrintToString(ValueRows());
		ASSERT_TRUE(fWindow->Lock());
		// After the property tables, every readable property of the window once.
		std::vector<std::string> rows = PaneRows();
		auto header = std::find(rows.begin(), rows.end(), "Values:");
		ASSERT_NE(header, rows.end());
		EXPECT_EQ(rows.front(), "Supports suite/vnd.Be-window:");
		ScriptingElement* window = static_cast<ScriptingElement*>(
			fView->ItemAt(fView->CurrentSelection()));
		std::vector<std::string> properties = ReadableProperties(window->GetSuites());
		EXPECT_EQ(ValueRows().size(), properties.size());
		EXPECT_NE(std::find(properties.begin(), properties.end(), "Title"),
			properties.end());
		fWindow->Unlock();

		SelectRow("ApplyButton");
		ASSERT_TRUE(WaitLong([&] { return HasValueRow("  Label: \"Apply\""); }, 15000000))
			<< ::testing::PrintToString(ValueRows());
		// Every answer, then the picture of the pane.
		ASSERT_TRUE(WaitLong([&] {
			for (const std::string& row : ValueRows()) {
				if (row.find("\xE2\x80\xA6") != std::string::npos)
					return false;
			}
			return true;
		}, 30000000));
		BPrivate::DisplayEvent resize;
		resize.type = BPrivate::kDisplayResized;
		resize.frame = BRect(50, 50, 1050, 650);
		fOffscreen->Inject(resize);
		ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->Bounds().Width() == 1000; }));
		ASSERT_TRUE(fWindow->Lock());
		std::vector<std::string> all = PaneRows();
		fTargetView->ScrollTo(std::find(all.begin(), all.end(), "Values:") - all.begin());
		fWindow->Unlock();
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
		fOffscreen->SaveToPNG(build_path("Quorvane-values.png").c_str());
	});
}


// A target stopped as in a debugger: the window goes on, each value it was asked for
// reads "(no answer)" in time, and a newer selection drops what is still to come.
TEST_F(QuorvaneTargetTest, AStoppedTargetLeavesTheWindowResponsiveAndAnswersNothing)
{
	RunQuorvane([&] {
		pid_t stopped = StartShown(kSecond);
		ASSERT_EQ(kill(stopped, SIGSTOP), 0);
		SelectRow(kSecond, true);
		// The selection was handled at once: the values are still pending.
		ASSERT_TRUE(fWindow->Lock());
		std::vector<std::string> pending = ValueRows();
		ASSERT_GT(pending.size(), 2u);
		EXPECT_NE(pending[0].find("\xE2\x80\xA6"), std::string::npos);
		fWindow->Unlock();

		ASSERT_TRUE(WaitLong([&] {
			std::vector<std::string> rows = ValueRows();
			return !rows.empty() && rows[0].find("(no answer)") != std::string::npos;
		}, 15000000));
		// Meanwhile the window answers at once.
		bigtime_t start = system_time();
		ASSERT_TRUE(wait_for_queue(fWindow));
		EXPECT_LT(system_time() - start, kValueRequestTimeout);

		// The tree application's values replace the stopped one's for good.
		ScriptingElement* tree = SelectRow(kTree, true);
		ASSERT_TRUE(WaitLong([&] {
			return HasValueRow(std::string("  InternalName: \"") + kTree + "\"");
		}, 15000000));
		snooze(kValueRequestTimeout + 500000);
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->ItemAt(fView->CurrentSelection()), tree);
		for (const std::string& row : ValueRows())
			EXPECT_EQ(row.find("(no answer)"), std::string::npos) << row;
		fWindow->Unlock();
		fRuntime.Stop(stopped, SIGKILL);
	});
}


// A property the tables list but the target cannot answer shows the reply's error; with
// values not shown nothing is asked at all.
TEST_F(QuorvaneTargetTest, ValuesShowErrorsAndAreNotAskedWhenHidden)
{
	RunQuorvane([&] {
		SelectRow("fBackView");
		// Its table lists "Label", which the view does not have.
		ASSERT_TRUE(WaitLong([&] {
			return HasValueRow("  InternalName: \"fBackView\"")
				&& HasValueRow(std::string("  Label: ") + strerror(B_BAD_SCRIPT_SYNTAX)
					+ ": Didn't understand the specifier(s)");
		}, 15000000)) << ::testing::PrintToString(ValueRows());

		fRuntime.Start("FaultTargetApp", { kFaults, "nested", "1", "1" });
		ASSERT_TRUE(wait_until(fWindow, [&] { return Row(kFaults, true) >= 0; }));
		TargetItems items = target_items(fWindow);
		fWindow->PostMessage(kMsgShowValues);
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_FALSE(items.values->IsMarked());
		// The rows of the values went; the tables stayed.
		EXPECT_TRUE(ValueRows().empty());
		EXPECT_GT(fTargetView->CountItems(), 0);
		fWindow->Unlock();

		int64 before = fault_target_counts(kFaults).answered;
		ASSERT_GT(before, 0);
		SelectRow(kFaults, true);
		snooze(300000);
		ASSERT_TRUE(wait_for_queue(fWindow));
		EXPECT_EQ(fault_target_counts(kFaults).answered, before);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_GT(fTargetView->CountItems(), 0);
		EXPECT_TRUE(ValueRows().empty());
		fWindow->Unlock();

		// Shown again, the selected target's values are asked for.
		fWindow->PostMessage(kMsgShowValues);
		ASSERT_TRUE(WaitLong([&] {
			std::vector<std::string> rows = ValueRows();
			return !rows.empty() && rows.back().find("\xE2\x80\xA6") == std::string::npos;
		}, 15000000));
		EXPECT_GT(fault_target_counts(kFaults).answered, before);
	});
}


TEST_F(QuorvaneTargetTest, TypingFindsTheNextRowAndShowsTheText)
{
	RunQuorvane([&] {
		StartShown(kSecond);
		ClickRow(0);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->CountItems(), 2);
		fWindow->Unlock();

		// "fS" is in no name above the tree application's "fStatus", three levels deep.
		inject_key(fOffscreen, "f");
		inject_key(fOffscreen, "S");
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		ScriptingElement* status = static_cast<ScriptingElement*>(
			fView->ItemAt(fView->CurrentSelection()));
		ASSERT_NE(status, nullptr);
		EXPECT_EQ(status->GetInternalName(), "fStatus");
		// Its superitems were expanded, and the row is in view.
		EXPECT_TRUE(fView->Bounds().Contains(fView->ItemFrame(fView->IndexOf(status))));
		EXPECT_STREQ(fSpecifier->Text(), "Find: fS");
		fWindow->Unlock();

		// Text found nowhere leaves the selection alone; Escape ends the search.
		inject_key(fOffscreen, "q");
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(fView->ItemAt(fView->CurrentSelection()), status);
		EXPECT_STREQ(fSpecifier->Text(), "Find: fSq");
		fWindow->Unlock();
		inject_key(fOffscreen, "\x1b");
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(std::string(fSpecifier->Text()), SpecifierOf(fView->IndexOf(status)));
		fWindow->Unlock();

		// A new search starts below the selection: "s" meets the second application's
		// signature, "sTa" its "fStatus".
		inject_key(fOffscreen, "s");
		inject_key(fOffscreen, "T");
		inject_key(fOffscreen, "a");
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		ScriptingElement* second = static_cast<ScriptingElement*>(
			fView->ItemAt(fView->CurrentSelection()));
		EXPECT_EQ(second->GetInternalName(), "fStatus");
		EXPECT_NE(second, status);
		EXPECT_STREQ(fSpecifier->Text(), "Find: sTa");
		fWindow->Unlock();
		// The picture of a search in progress, once drawn.
		ASSERT_TRUE(wait_for_queue(fWindow));
		fOffscreen->SaveToPNG(build_path("Quorvane-find.png").c_str());

		// After a pause the search ends by itself, and the next key starts a new one,
		// round past the last row to the tree application's "MainWindow".
		ASSERT_TRUE(WaitLong([&] {
			return std::string(fSpecifier->Text()) == SpecifierOf(fView->CurrentSelection());
		}, 10000000));
		inject_key(fOffscreen, "M");
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_STREQ(fSpecifier->Text(), "Find: M");
		EXPECT_EQ(fView->FullListCurrentSelection(), Row("MainWindow"));
		fWindow->Unlock();
	});
}


// Keys within kFindPause of each other add to the text; a longer pause starts anew.
TEST(RowFinderTest, KeysWithinThePauseMakeOneSearch)
{
	RowFinder finder;
	EXPECT_TRUE(finder.Type("a", 1000));
	EXPECT_FALSE(finder.Type("B", 1000 + kFindPause));
	EXPECT_EQ(std::string(finder.Text().String()), "aB");
	EXPECT_TRUE(finder.Type("c", 1001 + 2 * kFindPause));
	EXPECT_EQ(std::string(finder.Text().String()), "c");
	finder.Clear();
	EXPECT_FALSE(finder.IsSearching());
}


TEST_F(QuorvaneTargetTest, TheSpecifierFieldFitsItsTextAfterEveryResize)
{
	RunQuorvane([&] {
		auto resize = [&](float width) {
			BPrivate::DisplayEvent event;
			event.type = BPrivate::kDisplayResized;
			event.frame = BRect(50, 50, 50 + width, 450);
			fOffscreen->Inject(event);
			ASSERT_TRUE(wait_until(fWindow, [&] {
				return fWindow->Bounds().Width() == width;
			}));
			ASSERT_TRUE(wait_for_queue(fWindow));
		};
		resize(900);
		// A font large enough that the specifier fits the wide field but not the narrow one.
		ASSERT_TRUE(fWindow->Lock());
		fSpecifier->SetFontSize(16);
		fWindow->Unlock();
		ScriptingElement* node = SelectRow("fStatus");
		ASSERT_TRUE(fWindow->Lock());
		std::string whole = std::string("Specifier: ")
			+ specifier_to_str(node->GetAccessPtr(), false).String();
		EXPECT_EQ(std::string(fSpecifier->Text()), whole);
		fWindow->Unlock();

		resize(412.5);
		ASSERT_TRUE(fWindow->Lock());
		float room = fSpecifier->Frame().Width() - 4;
		ASSERT_GT(fSpecifier->StringWidth(whole.c_str()), room);
		BString expected(whole.c_str());
		fSpecifier->TruncateString(&expected, B_TRUNCATE_SMART, room);
		EXPECT_STREQ(fSpecifier->Text(), expected.String());
		fWindow->Unlock();

		// Wider again, the whole text comes back.
		resize(900);
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(std::string(fSpecifier->Text()), whole);
		fWindow->Unlock();
	});
}


// The window's icon for the desktop is the program's own, from its resources.
TEST_F(QuorvaneWindowTest, TheWindowCarriesTheProgramsIcon)
{
	RunQuorvane([&] {
		std::vector<uint32> icon = fOffscreen->Icon();
		ASSERT_EQ(icon.size(), 2u + 16 * 16);
		EXPECT_EQ(icon[0], 16u);
		EXPECT_EQ(icon[1], 16u);

		BBitmap* own = ApplicationIcon();
		ASSERT_NE(own, nullptr);
		BBitmap expected(own->Bounds(), B_RGBA32);
		ASSERT_EQ(expected.ImportBits(own), B_OK);
		int32 transparent = 0;
		for (int32 y = 0; y < 16; y++) {
			const uint8* row = (const uint8*)expected.Bits() + y * expected.BytesPerRow();
			for (int32 x = 0; x < 16; x++) {
				const uint8* pixel = row + x * 4;
				uint32 argb = (uint32)pixel[3] << 24 | pixel[2] << 16 | pixel[1] << 8
					| pixel[0];
				EXPECT_EQ(icon[2 + y * 16 + x], argb) << x << ", " << y;
				transparent += pixel[3] == 0;
			}
		}
		// The cube's corners are see-through; its body is not.
		EXPECT_GT(transparent, 0);
		EXPECT_LT(transparent, 16 * 8);
	});
}


// Command-C puts the selected row's whole specifier, however the field shortens it, on
// the system clipboard, where another application pastes it.
TEST_F(QuorvaneTargetTest, CopySpecifierPutsTheWholeChainOnTheClipboard)
{
	RunQuorvane([&] {
		ScriptingElement* status = SelectRow("fStatus");
		ASSERT_TRUE(fWindow->Lock());
		std::string chain = specifier_to_str(status->GetAccessPtr(), false).String();
		EXPECT_EQ(chain, "View 2 of View 1 of Window 0");
		fWindow->Unlock();

		inject_key(fOffscreen, "c", B_COMMAND_KEY);
		ASSERT_TRUE(wait_for_queue(fWindow));
		std::string output;
		ASSERT_EQ(fRuntime.Run("ClipboardTestApp", { "paste" }, &output, 10000000), 0);
		EXPECT_EQ(output, "text " + chain + "\n");

		// An application's row leaves the clipboard as it was.
		SelectRow(kTree, true);
		inject_key(fOffscreen, "c", B_COMMAND_KEY);
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_EQ(fRuntime.Run("ClipboardTestApp", { "paste" }, &output, 10000000), 0);
		EXPECT_EQ(output, "text " + chain + "\n");
	});
}


// #pragma mark - Editing a value


class QuorvaneEditTest : public QuorvaneTargetTest {
protected:
	// Selects the line of property among the values and presses Enter on it.
	void PressEnterOn(const std::string& property)
	{
		ASSERT_TRUE(fWindow->Lock());
		std::vector<std::string> rows = PaneRows();
		auto line = std::find_if(rows.begin(), rows.end(), [&](const std::string& row) {
			return row.rfind("  " + property + ": ", 0) == 0;
		});
		ASSERT_NE(line, rows.end()) << property;
		fTargetView->Select(line - rows.begin());
		fTargetView->ScrollToSelection();
		fTargetView->MakeFocus(true);
		fWindow->Unlock();
		inject_key(fOffscreen, B_ENTER);
		// The key, then the invocation it posts.
		ASSERT_TRUE(wait_for_queue(fWindow));
		ASSERT_TRUE(wait_for_queue(fWindow));
	}

	// The field open over a value, or NULL.
	BTextView* Editor() { return dynamic_cast<BTextView*>(fWindow->FindView("fValueEditor")); }

	void Type(const char* text)
	{
		for (const char* c = text; *c != '\0'; c++)
			inject_key(fOffscreen, *c);
	}
};


// A label edited in the window is set in the target, read back into the line, and another
// process reads the new label from the target.
TEST_F(QuorvaneEditTest, AnEditedLabelIsSetAndReadBack)
{
	RunQuorvane([&] {
		fRuntime.Start("SampleWorkbench");
		ASSERT_TRUE(fRuntime.WaitForApp(kWorkbench));
		ScriptingElement* button = SelectRow("ApplyButton");
		ASSERT_TRUE(WaitLong([&] { return HasValueRow("  Label: \"Apply\""); }, 15000000));
		ASSERT_TRUE(fWindow->Lock());
		std::string phrase = specifier_to_str(button->GetAccessPtr(), false).String();
		fWindow->Unlock();

		PressEnterOn("Label");
		ASSERT_TRUE(fWindow->Lock());
		BTextView* editor = Editor();
		ASSERT_NE(editor, nullptr);
		// The string itself, without its quotes, selected, with the keyboard.
		EXPECT_STREQ(editor->Text(), "Apply");
		int32 start;
		int32 end;
		editor->GetSelection(&start, &end);
		EXPECT_EQ(start, 0);
		EXPECT_EQ(end, 5);
		EXPECT_TRUE(editor->IsFocus());
		editor->Select(2, 2);
		fWindow->Unlock();

		inject_key(fOffscreen, "a", B_COMMAND_KEY);
		Type("Go \"now\"");
		inject_key(fOffscreen, B_ENTER);
		ASSERT_TRUE(WaitLong([&] {
			return Editor() == NULL && HasValueRow("  Label: \"Go \"now\"\"");
		}, 15000000)) << ::testing::PrintToString(ValueRows());

		std::string output;
		ASSERT_EQ(fRuntime.Run("Quorvane", { "--json", "--send", "SampleWorkbench", "get",
			"Label of " + phrase }, &output, 10000000), 0);
		EXPECT_NE(output.find("Go \\\"now\\\""), std::string::npos) << output;

		// Escape closes the field and sends nothing.
		PressEnterOn("Label");
		ASSERT_TRUE(fWindow->Lock());
		ASSERT_NE(Editor(), nullptr);
		fWindow->Unlock();
		Type("x");
		inject_key(fOffscreen, B_ESCAPE);
		ASSERT_TRUE(wait_until(fWindow, [&] { return Editor() == NULL; }));
		EXPECT_TRUE(HasValueRow("  Label: \"Go \"now\"\""));
	});
}


// A property without a set command opens no field and says so; a value the target refuses,
// or one that cannot be read, keeps the old value with the reason beside it.
TEST_F(QuorvaneEditTest, ReadOnlyAndRefusedValuesKeepTheOldOne)
{
	RunQuorvane([&] {
		fRuntime.Start("SampleWorkbench");
		ASSERT_TRUE(fRuntime.WaitForApp(kWorkbench));
		SelectRow("ApplyButton");
		ASSERT_TRUE(WaitLong([&] {
			return HasValueRow("  InternalName: \"ApplyButton\"")
				&& HasValueRow("  Label: \"Apply\"");
		}, 15000000));

		PressEnterOn("InternalName");
		ASSERT_TRUE(fWindow->Lock());
		EXPECT_EQ(Editor(), nullptr);
		EXPECT_TRUE(HasValueRow("  InternalName: \"ApplyButton\"  (read only: its table "
			"lists no B_SET_PROPERTY)")) << ::testing::PrintToString(ValueRows());
		fWindow->Unlock();

		// Not a value of --send's syntax: the field stays open to be put right.
		PressEnterOn("Frame");
		Type("wide");
		inject_key(fOffscreen, B_ENTER);
		EXPECT_TRUE(wait_until(fWindow, [&] {
			std::vector<std::string> rows = ValueRows();
			return Editor() != NULL
				&& std::any_of(rows.begin(), rows.end(), [](const std::string& row) {
					return row.rfind("  Frame: BRect(", 0) == 0
						&& row.find("(a value is") != std::string::npos;
				});
		})) << ::testing::PrintToString(ValueRows());
		inject_key(fOffscreen, B_ESCAPE);

		// A value of the wrong type: the target's error, the old value kept.
		PressEnterOn("Hidden");
		Type("7");
		inject_key(fOffscreen, B_ENTER);
		ASSERT_TRUE(WaitLong([&] {
			return HasValueRow(std::string("  Hidden: FALSE  (") + strerror(B_BAD_VALUE)
				+ ")");
		}, 15000000)) << ::testing::PrintToString(ValueRows());
	});
}


// An edit sent to a target stopped as in a debugger: the window goes on at once, and the
// line says "(no answer)" after the time limit, keeping the old value.
TEST_F(QuorvaneEditTest, AnEditOfAStoppedTargetAnswersNothingAndTheWindowGoesOn)
{
	RunQuorvane([&] {
		pid_t workbench = fRuntime.Start("SampleWorkbench");
		ASSERT_TRUE(fRuntime.WaitForApp(kWorkbench));
		SelectRow("ApplyButton");
		ASSERT_TRUE(WaitLong([&] { return HasValueRow("  Label: \"Apply\""); }, 15000000));
		ASSERT_EQ(kill(workbench, SIGSTOP), 0);

		PressEnterOn("Label");
		Type("Stopped");
		inject_key(fOffscreen, B_ENTER);
		ASSERT_TRUE(wait_until(fWindow, [&] {
			return HasValueRow("  Label: \"Apply\"  (setting\xE2\x80\xA6)");
		})) << ::testing::PrintToString(ValueRows());
		bigtime_t start = system_time();
		ASSERT_TRUE(wait_for_queue(fWindow));
		EXPECT_LT(system_time() - start, kValueRequestTimeout);

		ASSERT_TRUE(WaitLong([&] {
			return HasValueRow(std::string("  Label: \"Apply\"  (") + kNoAnswer + ")");
		}, 15000000)) << ::testing::PrintToString(ValueRows());
		fRuntime.Stop(workbench, SIGKILL);
	});
}
