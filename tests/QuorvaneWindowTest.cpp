// The browser window inside a running Quorvane, driven through injected input on the
// offscreen display: its view tree and frames, layout on resize, the capabilities pane
// and specifier field of a selected row, Option-click subtree toggling, the watch items,
// applications that launch and quit while it is open, and quitting by Command-Q.
#include <Alert.h>
#include <AppDefs.h>
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
#include <Window.h>

#include "BetterScrollView.h"
#include "QuorvaneApp.h"
#include "QuorvaneAppTest.h"
#include "ScriptingElement.h"
#include "ScriptingTargets.h"
#include "ScriptingUtils.h"

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
