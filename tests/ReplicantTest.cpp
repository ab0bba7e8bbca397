// Replicants between processes: an archive made here instantiated in the shelf of another
// application, from the kit or from the add-on its signature names; a zombie when that
// add-on is missing, kept across a restart; draggers shown and hidden in every application.
#include <Application.h>
#include <Dragger.h>
#include <Entry.h>
#include <Message.h>
#include <Messenger.h>
#include <Mime.h>
#include <View.h>

#include "KitAppTest.h"
#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"
#include "WaitFor.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const char* const kShelfApp = "application/x-vnd.test-shelf";
const char* const kReplicantAddOn = "application/x-vnd.test-replicant";
const bigtime_t kTimeout = 3000000;


class ReplicantTest : public KitAppTest {
protected:
	void SetUp() override
	{
		mkdir((fScratch / "config").c_str(), 0700);
		mkdir((fScratch / "data").c_str(), 0700);
		fConfig = new ScopedEnvironment("XDG_CONFIG_HOME", (fScratch / "config"));
		fData = new ScopedEnvironment("XDG_DATA_HOME", (fScratch / "data"));
		KitAppTest::SetUp();
		StartShelf();
	}

	void TearDown() override
	{
		delete fData;
		delete fConfig;
	}

	void StartShelf()
	{
		fShelfApp = fRuntime.Start("ShelfTestApp", { (fScratch / "shelf") });
		ASSERT_TRUE(fRuntime.WaitForApp(kShelfApp));
		fShelf = BMessenger(kShelfApp);
	}

	// A request to the shelf of the test application's window.
	status_t AskShelf(BMessage& request, BMessage* reply)
	{
		request.AddSpecifier("Shelf");
		request.AddSpecifier("View", "container");
		request.AddSpecifier("Window", (int32)0);
		return fShelf.SendMessage(&request, reply, kTimeout, kTimeout);
	}

	int32 Create(const BMessage& archive)
	{
		BMessage create(B_CREATE_PROPERTY);
		create.AddSpecifier("Replicant");
		create.AddMessage("data", &archive);
		BMessage reply;
		EXPECT_EQ(AskShelf(create, &reply), B_OK);
		EXPECT_EQ(reply.FindInt32("error"), B_OK);
		return reply.FindInt32("result");
	}

	int32 Count()
	{
		BMessage count(B_COUNT_PROPERTIES);
		count.AddSpecifier("Replicant");
		BMessage reply;
		EXPECT_EQ(AskShelf(count, &reply), B_OK);
		return reply.FindInt32("result");
	}

	// property of the index-th replicant's view; the reply's error.
	status_t ViewProperty(int32 index, const char* property, BMessage* reply)
	{
		BMessage get(B_GET_PROPERTY);
		get.AddSpecifier(property);
		get.AddSpecifier("View");
		get.AddSpecifier("Replicant", index);
		EXPECT_EQ(AskShelf(get, reply), B_OK);
		return reply->FindInt32("error");
	}

	ScratchDirectory fScratch;
	ScopedEnvironment* fConfig = nullptr;
	ScopedEnvironment* fData = nullptr;
	pid_t fShelfApp = -1;
	BMessenger fShelf;
};

} // namespace


TEST_F(ReplicantTest, ArchiveMadeHereIsInstantiatedInAnotherApplication)
{
	BView view(BRect(10, 10, 89, 25), "greeting", B_FOLLOW_NONE, B_WILL_DRAW);
	view.AddChild(new BDragger(BRect(72, 8, 79, 15), &view));
	BMessage archive(B_ARCHIVED_OBJECT);
	ASSERT_EQ(view.Archive(&archive), B_OK);
	EXPECT_EQ(Create(archive), 1);
	EXPECT_EQ(Count(), 1);
	BMessage reply;
	ASSERT_EQ(ViewProperty(0, "InternalName", &reply), B_OK);
	EXPECT_STREQ(reply.FindString("result"), "greeting");
	// Its child came with it: the dragger.
	BMessage count(B_COUNT_PROPERTIES);
	count.AddSpecifier("View");
	count.AddSpecifier("View");
	count.AddSpecifier("Replicant", (int32)0);
	ASSERT_EQ(AskShelf(count, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("result"), 1);
}


TEST_F(ReplicantTest, AddOnNamedByTheArchiveIsLoadedForItsClass)
{
	// The add-on is where the MIME database saw the signature's code.
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(TestRuntime::BinaryPath("TestReplicant.so").c_str(), &ref),
		B_OK);
	BMimeType type(kReplicantAddOn);
	ASSERT_EQ(type.Install(), B_OK);
	ASSERT_EQ(type.SetAppHint(&ref), B_OK);

	BMessage archive(B_ARCHIVED_OBJECT);
	archive.AddString("class", "ReplicantTestView");
	archive.AddString("add_on", kReplicantAddOn);
	archive.AddString("_name", "loaded");
	archive.AddRect("_frame", BRect(0, 0, 15, 15));
	Create(archive);
	BMessage reply;
	ASSERT_EQ(ViewProperty(0, "InternalName", &reply), B_OK);
	EXPECT_STREQ(reply.FindString("result"), "loaded");
	BMessage signature(B_GET_PROPERTY);
	signature.AddSpecifier("Signature");
	signature.AddSpecifier("Replicant", (int32)0);
	ASSERT_EQ(AskShelf(signature, &reply), B_OK);
	EXPECT_STREQ(reply.FindString("result"), kReplicantAddOn);
}


TEST_F(ReplicantTest, MissingAddOnMakesAZombieThatOutlivesARestart)
{
	BMessage archive(B_ARCHIVED_OBJECT);
	archive.AddString("class", "GoneReplicantView");
	archive.AddString("add_on", "application/x-vnd.test-gone-add-on");
	archive.AddString("_name", "ghost");
	archive.AddRect("_frame", BRect(0, 0, 19, 19));
	EXPECT_EQ(Create(archive), 1);
	EXPECT_EQ(Count(), 1);
	BMessage reply;
	EXPECT_EQ(ViewProperty(0, "Frame", &reply), B_NAME_NOT_FOUND);

	// Quitting saves the shelf; the zombie comes back with its archive.
	fShelf.SendMessage(B_QUIT_REQUESTED);
	ASSERT_NE(fRuntime.Wait(fShelfApp), -1);
	ASSERT_TRUE(fRuntime.WaitForAppGone(fShelfApp));
	StartShelf();
	EXPECT_EQ(Count(), 1);
	BMessage get(B_GET_PROPERTY);
	get.AddSpecifier("Replicant", (int32)0);
	ASSERT_EQ(AskShelf(get, &reply), B_OK);
	BMessage kept;
	ASSERT_EQ(reply.FindMessage("result", &kept), B_OK);
	EXPECT_STREQ(kept.FindString("_name"), "ghost");
}


TEST_F(ReplicantTest, DraggersAreShownAndHiddenInEveryApplication)
{
	auto drawnThere = [&] {
		BMessage ask('drwn');
		BMessage reply;
		if (fShelf.SendMessage(&ask, &reply, kTimeout, kTimeout) != B_OK)
			return -1;
		return reply.FindBool("result") ? 1 : 0;
	};
	EXPECT_EQ(drawnThere(), 1);
	ASSERT_EQ(BDragger::HideAllDraggers(), B_OK);
	EXPECT_FALSE(BDragger::AreDraggersDrawn());
	EXPECT_TRUE(wait_for([&] { return drawnThere() == 0; }));
	// An application started now reads the user's choice.
	fShelf.SendMessage(B_QUIT_REQUESTED);
	ASSERT_NE(fRuntime.Wait(fShelfApp), -1);
	ASSERT_TRUE(fRuntime.WaitForAppGone(fShelfApp));
	StartShelf();
	EXPECT_EQ(drawnThere(), 0);
	ASSERT_EQ(BDragger::ShowAllDraggers(), B_OK);
	EXPECT_TRUE(wait_for([&] { return drawnThere() == 1; }));
}
