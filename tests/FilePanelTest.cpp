// The file panel on the offscreen display: it lists a real directory, the user selects
// entries with the mouse and presses its buttons, and the target gets B_REFS_RECEIVED,
// B_SAVE_REQUESTED and B_CANCEL with the fields applications read.
#include <Autolock.h>
#include <Button.h>
#include <FilePanel.h>
#include <ListItem.h>
#include <ListView.h>
#include <Looper.h>
#include <Path.h>
#include <TextControl.h>
#include <Window.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <vector>

#include "OffscreenInput.h"
#include "OffscreenWindowTest.h"
#include "ScratchDirectory.h"

namespace {

// Keeps a copy of every message it is sent.
class MessageRecorder : public BLooper {
public:
	MessageRecorder() : BLooper("recorder") {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> locker(fLock);
		fMessages.push_back(*message);
	}

	// The first message of that code, waiting for it (at most kWaitTimeout).
	bool WaitFor(uint32 what, BMessage* message)
	{
		return wait_for([&] {
			std::lock_guard<std::mutex> locker(fLock);
			for (const BMessage& received : fMessages) {
				if (received.what == what) {
					*message = received;
					return true;
				}
			}
			return false;
		});
	}

private:
	std::mutex				fLock;
	std::vector<BMessage>	fMessages;
};


class HideTextFilter : public BRefFilter {
public:
	bool Filter(const entry_ref* ref, BNode*, struct stat*, const char* mimeType) override
	{
		std::string name = ref->name;
		return name == "alpha.txt" || strcmp(mimeType, "application/x-vnd.Be-directory") == 0;
	}
};

} // namespace


class FilePanelTest : public OffscreenWindowTest<> {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("gamma.txt", "g"));
		ASSERT_TRUE(fScratch.WriteFile("alpha.txt", "a"));
		ASSERT_TRUE(fScratch.WriteFile("beta.txt", "b"));
		ASSERT_TRUE(fScratch.WriteFile(".hidden", "h"));
		ASSERT_EQ(mkdir((fScratch / "folder").c_str(), 0755), 0);
		ASSERT_TRUE(fScratch.WriteFile("folder/inner.txt", "i"));
		ASSERT_EQ(get_ref_for_path(fScratch.Path().c_str(), &fDirectory), B_OK);
		fRecorder = new MessageRecorder;
		fRecorder->Run();
		fTarget = BMessenger(fRecorder);
	}

	void TearDown() override
	{
		delete fPanel;
		fPanel = nullptr;
		if (fRecorder->Lock())
			fRecorder->Quit();
		OffscreenWindowTest<>::TearDown();
	}

	// Shows the panel and finds it on the display.
	void ShowPanel()
	{
		fPanel->Show();
		std::string title;
		ASSERT_TRUE(fPanel->Window()->Lock());
		title = fPanel->Window()->Title();
		fList = dynamic_cast<BListView*>(fPanel->Window()->FindView("PoseView"));
		fPanel->Window()->Unlock();
		ASSERT_NE(fList, nullptr);
		fOffscreen = shown_offscreen_window(title.c_str());
		ASSERT_NE(fOffscreen, nullptr);
	}

	std::vector<std::string> ListedNames()
	{
		std::vector<std::string> names;
		BAutolock locker(fPanel->Window());
		fList = dynamic_cast<BListView*>(fPanel->Window()->FindView("PoseView"));
		for (int32 i = 0; i < fList->CountItems(); i++)
			names.push_back(((BStringItem*)fList->ItemAt(i))->Text());
		return names;
	}

	// Where a click on row index of the list lands, in window coordinates.
	BPoint Row(int32 index)
	{
		BAutolock locker(fPanel->Window());
		BRect frame = fList->ConvertToScreen(fList->ItemFrame(index));
		return BPoint(frame.left + 10, (frame.top + frame.bottom) / 2)
			- fPanel->Window()->Frame().LeftTop();
	}

	BView* Named(const char* name)
	{
		BAutolock locker(fPanel->Window());
		return fPanel->Window()->FindView(name);
	}

	ScratchDirectory	fScratch{"file-panel"};
	entry_ref			fDirectory;
	MessageRecorder*	fRecorder = nullptr;
	BMessenger			fTarget;
	BFilePanel*			fPanel = nullptr;
	BListView*			fList = nullptr;
};


TEST_F(FilePanelTest, OpenPanelSendsTheSelectedRefs)
{
	fPanel = new BFilePanel(B_OPEN_PANEL, &fTarget, &fDirectory);
	EXPECT_FALSE(fPanel->IsShowing());
	ASSERT_NO_FATAL_FAILURE(ShowPanel());
	EXPECT_TRUE(fPanel->IsShowing());
	EXPECT_EQ(ListedNames(), (std::vector<std::string>{ "alpha.txt", "beta.txt", "folder/",
		"gamma.txt" }));

	inject_click(fOffscreen, Row(0));
	inject_click(fOffscreen, Row(1), B_SHIFT_KEY);
	ASSERT_TRUE(wait_for_queue(fPanel->Window()));
	entry_ref ref;
	fPanel->Rewind();
	ASSERT_EQ(fPanel->GetNextSelectedRef(&ref), B_OK);
	EXPECT_STREQ(ref.name, "alpha.txt");
	ASSERT_EQ(fPanel->GetNextSelectedRef(&ref), B_OK);
	EXPECT_STREQ(ref.name, "beta.txt");
	EXPECT_EQ(fPanel->GetNextSelectedRef(&ref), B_ENTRY_NOT_FOUND);
	SaveScreenshot("file-panel-open.png");

	inject_click(fOffscreen, Middle(Named("default button")));
	BMessage refs;
	ASSERT_TRUE(fRecorder->WaitFor(B_REFS_RECEIVED, &refs));
	ASSERT_EQ(refs.FindRef("refs", 0, &ref), B_OK);
	EXPECT_EQ(BPath(&ref).Path(), fScratch / "alpha.txt");
	ASSERT_EQ(refs.FindRef("refs", 1, &ref), B_OK);
	EXPECT_EQ(BPath(&ref).Path(), fScratch / "beta.txt");
	EXPECT_NE(refs.FindRef("refs", 2, &ref), B_OK);

	BMessage cancel;
	ASSERT_TRUE(fRecorder->WaitFor(B_CANCEL, &cancel));
	EXPECT_EQ(cancel.FindInt32("old_what"), (int32)B_REFS_RECEIVED);
	EXPECT_FALSE(fPanel->IsShowing());
}


TEST_F(FilePanelTest, SavePanelSendsTheDirectoryAndTheName)
{
	fPanel = new BFilePanel(B_SAVE_PANEL, &fTarget, &fDirectory);
	BMessage model('SVME');
	model.AddInt32("format", 7);
	fPanel->SetMessage(&model);
	fPanel->SetSaveText("picture.png");
	fPanel->SetButtonLabel(B_DEFAULT_BUTTON, "Keep");
	ASSERT_NO_FATAL_FAILURE(ShowPanel());
	{
		BAutolock locker(fPanel->Window());
		EXPECT_STREQ(((BButton*)Named("default button"))->Label(), "Keep");
		EXPECT_STREQ(((BTextControl*)Named("text view"))->Text(), "picture.png");
	}
	SaveScreenshot("file-panel-save.png");

	inject_click(fOffscreen, Middle(Named("default button")));
	BMessage save;
	ASSERT_TRUE(fRecorder->WaitFor('SVME', &save));
	entry_ref directory;
	ASSERT_EQ(save.FindRef("directory", &directory), B_OK);
	EXPECT_EQ(directory, fDirectory);
	EXPECT_STREQ(save.FindString("name"), "picture.png");
	EXPECT_EQ(save.FindInt32("format"), 7);
	BMessage cancel;
	ASSERT_TRUE(fRecorder->WaitFor(B_CANCEL, &cancel));
	EXPECT_EQ(cancel.FindInt32("old_what"), (int32)'SVME');
}


TEST_F(FilePanelTest, DoubleClickEntersADirectoryThatMayThenBePicked)
{
	fPanel = new BFilePanel(B_OPEN_PANEL, &fTarget, &fDirectory, B_DIRECTORY_NODE, false);
	ASSERT_NO_FATAL_FAILURE(ShowPanel());
	// Only directories may be picked, so files do not list.
	ASSERT_EQ(ListedNames(), (std::vector<std::string>{ "folder/" }));
	inject_click(fOffscreen, Row(0), 0, 1);
	inject_click(fOffscreen, Row(0), 0, 2);
	ASSERT_TRUE(wait_until(fPanel->Window(), [&] { return fList->CountItems() == 0; }));
	entry_ref now;
	fPanel->GetPanelDirectory(&now);
	EXPECT_STREQ(now.name, "folder");

	// Nothing selected: the directory shown is what is picked.
	inject_click(fOffscreen, Middle(Named("default button")));
	BMessage refs;
	ASSERT_TRUE(fRecorder->WaitFor(B_REFS_RECEIVED, &refs));
	entry_ref picked;
	ASSERT_EQ(refs.FindRef("refs", &picked), B_OK);
	EXPECT_EQ(picked, now);
}


TEST_F(FilePanelTest, FilterDecidesWhatListsAndCancelHides)
{
	HideTextFilter filter;
	fPanel = new BFilePanel(B_OPEN_PANEL, &fTarget, &fDirectory, 0, true, NULL, &filter,
		false, true);
	EXPECT_EQ(fPanel->RefFilter(), &filter);
	EXPECT_EQ(fPanel->PanelMode(), B_OPEN_PANEL);
	ASSERT_NO_FATAL_FAILURE(ShowPanel());
	EXPECT_EQ(ListedNames(), (std::vector<std::string>{ "alpha.txt", "folder/" }));

	fPanel->SetRefFilter(NULL);
	EXPECT_EQ(ListedNames().size(), 4u);

	inject_click(fOffscreen, Middle(Named("cancel button")));
	BMessage cancel;
	ASSERT_TRUE(fRecorder->WaitFor(B_CANCEL, &cancel));
	EXPECT_EQ(cancel.FindInt32("old_what"), (int32)B_REFS_RECEIVED);
	EXPECT_FALSE(fPanel->IsShowing());
}


TEST_F(FilePanelTest, SetPanelDirectoryListsTheNewDirectory)
{
	fPanel = new BFilePanel(B_OPEN_PANEL, &fTarget, &fDirectory);
	fPanel->SetPanelDirectory((fScratch / "folder").c_str());
	EXPECT_EQ(ListedNames(), (std::vector<std::string>{ "inner.txt" }));
	fPanel->SetPanelDirectory("/nonexistent/folder");
	EXPECT_EQ(ListedNames(), (std::vector<std::string>{ "inner.txt" }));
	ASSERT_TRUE(fScratch.WriteFile("folder/later.txt", "l"));
	fPanel->Refresh();
	EXPECT_EQ(ListedNames(), (std::vector<std::string>{ "inner.txt", "later.txt" }));
	fPanel->SetHideWhenDone(false);
	EXPECT_FALSE(fPanel->HidesWhenDone());
	EXPECT_EQ(fPanel->Messenger(), fTarget);
}


TEST_F(FilePanelTest, ListFollowsTheDirectoryWhileOpen)
{
	fPanel = new BFilePanel(B_OPEN_PANEL, &fTarget, &fDirectory);
	ShowPanel();
	auto listed = [&](const std::vector<std::string>& names) {
		return wait_for([&] { return ListedNames() == names; });
	};
	ASSERT_TRUE(listed({ "alpha.txt", "beta.txt", "folder/", "gamma.txt" }));
	{
		BAutolock locker(fPanel->Window());
		fList->Select(1);
	}

	ASSERT_TRUE(fScratch.WriteFile("delta.txt", "d"));
	EXPECT_TRUE(listed({ "alpha.txt", "beta.txt", "delta.txt", "folder/", "gamma.txt" }));
	ASSERT_EQ(unlink((fScratch / "gamma.txt").c_str()), 0);
	ASSERT_EQ(rename((fScratch / "alpha.txt").c_str(), (fScratch / "zeta.txt").c_str()), 0);
	EXPECT_TRUE(listed({ "beta.txt", "delta.txt", "folder/", "zeta.txt" }));

	// What was selected still is, wherever it moved in the list.
	BAutolock locker(fPanel->Window());
	EXPECT_EQ(fList->CurrentSelection(), 0);
	EXPECT_EQ(fList->CurrentSelection(1), -1);
}
