// Shelves in a window of this process on the offscreen display: replicants added, found,
// deleted and dragged in; zombies; the save location read and written, hostile save data;
// type enforcement; the shelf's scripting suite.
#include <Box.h>
#include <DataIO.h>
#include <Dragger.h>
#include <Entry.h>
#include <Message.h>
#include <Messenger.h>
#include <Shelf.h>
#include <StringView.h>
#include <View.h>
#include <Window.h>

#include "OffscreenWindowTest.h"
#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"
#include "WaitFor.h"
#include "display/Display.h"
#include "interface/ShelfPrivate.h"

#include <gtest/gtest.h>

#include <math.h>

#include <vector>

namespace {

const char* const kMissingSignature = "application/x-vnd.test-no-such-add-on";


class RecordingShelf : public BShelf {
public:
	RecordingShelf(BView* view, const char* type = NULL)
		:
		BShelf(view, true, type)
	{
	}

	RecordingShelf(BDataIO* stream, BView* view)
		:
		BShelf(stream, view)
	{
	}

	std::vector<int32> fDeleted;

protected:
	void ReplicantDeleted(int32 index, const BMessage* archive,
		const BView* replicant) override
	{
		fDeleted.push_back(index);
	}
};


class ShelfWindow : public BWindow {
public:
	explicit ShelfWindow(const char* title)
		:
		BWindow(BRect(100, 100, 339, 259), title, B_TITLED_WINDOW, 0)
	{
		fContainer = new BView(BRect(0, 0, 159, 159), "container", B_FOLLOW_NONE,
			B_WILL_DRAW);
		AddChild(fContainer);
		fSource = new BView(BRect(180, 10, 209, 39), "source", B_FOLLOW_NONE, B_WILL_DRAW);
		fSource->AddChild(new BDragger(BRect(22, 22, 29, 29), fSource));
		AddChild(fSource);
	}

	BView* fContainer;
	BView* fSource;
};


// The deep archive of a plain view named name, with a dragger in its corner.
BMessage*
view_archive(const char* name, BRect frame = BRect(0, 0, 19, 19))
{
	BView view(frame, name, B_FOLLOW_NONE, B_WILL_DRAW);
	BRect handle = view.Bounds();
	handle.left = handle.right - 7;
	handle.top = handle.bottom - 7;
	view.AddChild(new BDragger(handle, &view));
	BMessage* archive = new BMessage(B_ARCHIVED_OBJECT);
	view.Archive(archive, true);
	return archive;
}


BMessage*
zombie_archive()
{
	BMessage* archive = new BMessage(B_ARCHIVED_OBJECT);
	archive->AddString("class", "NoSuchReplicantView");
	archive->AddString("add_on", kMissingSignature);
	archive->AddRect("_frame", BRect(0, 0, 23, 23));
	return archive;
}


class ShelfTest : public OffscreenWindowTest<ShelfWindow> {
protected:
	void SetUp() override
	{
		// Dragger settings of this test stay in its own folder.
		fConfig = new ScopedEnvironment("XDG_CONFIG_HOME", fScratch.Path());
	}

	void TearDown() override
	{
		OffscreenWindowTest::TearDown();
		delete fConfig;
	}

	ScratchDirectory fScratch;
	ScopedEnvironment* fConfig = nullptr;
};

} // namespace


TEST_F(ShelfTest, ReplicantsAreAddedFoundAndDeletedInEveryForm)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	RecordingShelf* shelf = new RecordingShelf(fWindow->fContainer);
	EXPECT_EQ(shelf->Looper(), fWindow);
	EXPECT_FALSE(shelf->IsDirty());

	BMessage* one = view_archive("one");
	ASSERT_EQ(shelf->AddReplicant(one, BPoint(10, 12)), B_OK);
	BMessage* two = view_archive("two");
	ASSERT_EQ(shelf->AddReplicant(two, BPoint(40, 12)), B_OK);
	EXPECT_TRUE(shelf->IsDirty());
	ASSERT_EQ(shelf->CountReplicants(), 2);

	BView* view = NULL;
	uint32 id = 0;
	status_t error = B_ERROR;
	EXPECT_EQ(shelf->ReplicantAt(0, &view, &id, &error), one);
	ASSERT_NE(view, nullptr);
	EXPECT_STREQ(view->Name(), "one");
	EXPECT_EQ(view->Parent(), fWindow->fContainer);
	EXPECT_EQ(view->Frame().LeftTop(), BPoint(10, 12));
	EXPECT_EQ(error, B_OK);
	// The dragger came back with the view's archive and knows its shelf.
	BDragger* dragger = dynamic_cast<BDragger*>(view->ChildAt(0));
	ASSERT_NE(dragger, nullptr);
	EXPECT_TRUE(dragger->InShelf());
	EXPECT_EQ(dragger->Target(), view);

	EXPECT_EQ(shelf->IndexOf(view), 0);
	EXPECT_EQ(shelf->IndexOf(dragger), 0);
	EXPECT_EQ(shelf->IndexOf(two), 1);
	EXPECT_EQ(shelf->IndexOf(id), 0);
	EXPECT_EQ(shelf->IndexOf((uint32)9999), -1);
	EXPECT_EQ(shelf->ReplicantAt(2, &view, &id, &error), nullptr);
	EXPECT_EQ(error, B_BAD_INDEX);

	EXPECT_EQ(shelf->DeleteReplicant(dragger), B_OK);
	EXPECT_EQ(shelf->CountReplicants(), 1);
	EXPECT_EQ(shelf->DeleteReplicant(two), B_OK);
	EXPECT_EQ(shelf->CountReplicants(), 0);
	EXPECT_EQ(shelf->DeleteReplicant((int32)0), B_BAD_INDEX);
	EXPECT_EQ(shelf->fDeleted, (std::vector<int32>{ 0, 0 }));
	EXPECT_EQ(fWindow->fContainer->CountChildren(), 0);
	delete shelf;
	fWindow->Unlock();
}


TEST_F(ShelfTest, WidgetsDraggedInComeBackAliveWithTheirState)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	BShelf* shelf = new BShelf(fWindow->fContainer);

	// A string view and a box holding one, each with its dragger, as a drag carries them.
	BStringView text(BRect(0, 0, 59, 19), "text", "Replicated");
	text.SetAlignment(B_ALIGN_RIGHT);
	text.AddChild(new BDragger(BRect(52, 12, 59, 19), &text));
	BBox box(BRect(0, 0, 79, 59), "box");
	box.SetLabel("Group");
	box.AddChild(new BStringView(BRect(5, 20, 70, 35), "inside", "Inside"));
	box.AddChild(new BDragger(BRect(72, 52, 79, 59), &box));
	BView* sources[] = { &text, &box };
	for (BView* source : sources) {
		BMessage* archive = new BMessage(B_ARCHIVED_OBJECT);
		ASSERT_EQ(source->Archive(archive, true), B_OK);
		ASSERT_EQ(shelf->AddReplicant(archive, BPoint(10, 10)), B_OK);
	}
	ASSERT_EQ(shelf->CountReplicants(), 2);

	BView* view = NULL;
	status_t error = B_ERROR;
	shelf->ReplicantAt(0, &view, NULL, &error);
	EXPECT_EQ(error, B_OK);
	BStringView* textCopy = dynamic_cast<BStringView*>(view);
	ASSERT_NE(textCopy, nullptr);
	EXPECT_STREQ(textCopy->Text(), "Replicated");
	EXPECT_EQ(textCopy->Alignment(), B_ALIGN_RIGHT);
	EXPECT_EQ(textCopy->Parent(), fWindow->fContainer);

	shelf->ReplicantAt(1, &view, NULL, &error);
	EXPECT_EQ(error, B_OK);
	BBox* boxCopy = dynamic_cast<BBox*>(view);
	ASSERT_NE(boxCopy, nullptr);
	EXPECT_STREQ(boxCopy->Label(), "Group");
	BStringView* inside = dynamic_cast<BStringView*>(boxCopy->FindView("inside"));
	ASSERT_NE(inside, nullptr);
	EXPECT_STREQ(inside->Text(), "Inside");
	// The box's own dragger came with it and knows the shelf.
	BDragger* dragger = NULL;
	for (int32 i = 0; BView* child = boxCopy->ChildAt(i); i++) {
		if (BDragger* found = dynamic_cast<BDragger*>(child))
			dragger = found;
	}
	ASSERT_NE(dragger, nullptr);
	EXPECT_TRUE(dragger->InShelf());
	EXPECT_EQ(dragger->Target(), boxCopy);
	delete shelf;
	fWindow->Unlock();
}


TEST_F(ShelfTest, ZombiesAreKeptAndShownWhenAsked)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	BShelf shelf(fWindow->fContainer);
	EXPECT_TRUE(shelf.AllowsZombies());
	EXPECT_FALSE(shelf.DisplaysZombies());

	BMessage* zombie = zombie_archive();
	ASSERT_EQ(shelf.AddReplicant(zombie, BPoint(5, 5)), B_OK);
	BView* view = fWindow->fSource;
	status_t error = B_OK;
	EXPECT_EQ(shelf.ReplicantAt(0, &view, NULL, &error), zombie);
	EXPECT_EQ(view, nullptr);
	EXPECT_EQ(error, B_MISSING_LIBRARY);
	EXPECT_EQ(fWindow->fContainer->CountChildren(), 0);

	shelf.SetDisplaysZombies(true);
	ASSERT_EQ(fWindow->fContainer->CountChildren(), 1);
	BView* standIn = fWindow->fContainer->ChildAt(0);
	EXPECT_EQ(standIn->Bounds(), BRect(0, 0, 23, 23));
	// A zombie is no replicant view, but its stand-in's dragger removes it.
	EXPECT_EQ(shelf.ReplicantAt(0, &view), zombie);
	EXPECT_EQ(view, nullptr);
	EXPECT_EQ(shelf.IndexOf(standIn), 0);
	shelf.SetDisplaysZombies(false);
	EXPECT_EQ(fWindow->fContainer->CountChildren(), 0);

	// A class that is there but no view is a zombie too.
	BMessage* handler = new BMessage(B_ARCHIVED_OBJECT);
	handler->AddString("class", "BHandler");
	ASSERT_EQ(shelf.AddReplicant(handler, B_ORIGIN), B_OK);
	shelf.ReplicantAt(1, NULL, NULL, &error);
	EXPECT_EQ(error, B_BAD_TYPE);

	shelf.SetAllowsZombies(false);
	BMessage* refused = zombie_archive();
	EXPECT_EQ(shelf.AddReplicant(refused, B_ORIGIN), B_MISSING_LIBRARY);
	delete refused;
	EXPECT_EQ(shelf.CountReplicants(), 2);
	fWindow->Unlock();
}


TEST_F(ShelfTest, SavedReplicantsComeBackWhereTheyWere)
{
	Open(TestName());
	ASSERT_TRUE(fWindow->Lock());
	BMallocIO stream;
	// What an application wrote before the shelf's data stays untouched.
	stream.Write("head", 4);
	{
		BShelf shelf(&stream, fWindow->fContainer);
		EXPECT_EQ(shelf.CountReplicants(), 0);
		ASSERT_EQ(shelf.AddReplicant(view_archive("kept"), BPoint(20, 30)), B_OK);
		ASSERT_EQ(shelf.AddReplicant(zombie_archive(), BPoint(50, 60)), B_OK);
		BView* view = NULL;
		shelf.ReplicantAt(0, &view);
		view->MoveTo(25, 35);
		ASSERT_EQ(stream.Seek(4, SEEK_SET), 4);
		EXPECT_EQ(shelf.SaveLocation(NULL), &stream);
		// Deleting a dirty shelf saves it.
	}
	EXPECT_EQ(fWindow->fContainer->CountChildren(), 0);
	EXPECT_EQ(memcmp(stream.Buffer(), "head", 4), 0);

	ASSERT_EQ(stream.Seek(4, SEEK_SET), 4);
	BView other(BRect(0, 0, 99, 99), "other", B_FOLLOW_NONE, 0);
	BShelf shelf(&stream, &other);
	EXPECT_FALSE(shelf.IsDirty());
	ASSERT_EQ(shelf.CountReplicants(), 2);
	BView* view = NULL;
	BMessage* archive = shelf.ReplicantAt(0, &view);
	ASSERT_NE(view, nullptr);
	EXPECT_STREQ(view->Name(), "kept");
	EXPECT_EQ(view->Frame().LeftTop(), BPoint(25, 35));
	status_t error = B_OK;
	archive = shelf.ReplicantAt(1, &view, NULL, &error);
	EXPECT_EQ(error, B_MISSING_LIBRARY);
	EXPECT_STREQ(archive->FindString("add_on"), kMissingSignature);

	// A file as the save location.
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path((fScratch / "shelf").c_str(), &ref), B_OK);
	ASSERT_EQ(shelf.SetSaveLocation(&ref), B_OK);
	entry_ref saved;
	EXPECT_EQ(shelf.SaveLocation(&saved), nullptr);
	EXPECT_EQ(saved, ref);
	ASSERT_EQ(shelf.Save(), B_OK);
	EXPECT_FALSE(shelf.IsDirty());
	BView third(BRect(0, 0, 99, 99), "third", B_FOLLOW_NONE, 0);
	BShelf fromFile(&ref, &third);
	EXPECT_EQ(fromFile.CountReplicants(), 2);
	fWindow->Unlock();
}


TEST_F(ShelfTest, HostileSaveDataLosesNothingAndCrashesNothing)
{
	BView container(BRect(0, 0, 99, 99), "container", B_FOLLOW_NONE, 0);
	// Bytes that are no message at all, and a message of another kind.
	BMemoryIO garbage("not a shelf at all", 18);
	BShelf empty(&garbage, &container);
	EXPECT_EQ(empty.CountReplicants(), 0);

	BMessage other('XXXX');
	BMessage* stray = view_archive("x");
	other.AddMessage(BPrivate::kShelfReplicantField, stray);
	delete stray;
	BMallocIO otherStream;
	other.Flatten(&otherStream);
	otherStream.Seek(0, SEEK_SET);
	BShelf notMine(&otherStream, &container);
	EXPECT_EQ(notMine.CountReplicants(), 0);

	// Positions that are no numbers or far away are brought back; a looper is no view.
	BMessage saved(BPrivate::kShelfArchive);
	BMessage* far = view_archive("far");
	far->AddPoint(BPrivate::kShelfLocationField, BPoint(NAN, 1e30f));
	saved.AddMessage(BPrivate::kShelfReplicantField, far);
	delete far;
	BMessage looper(B_ARCHIVED_OBJECT);
	looper.AddString("class", "BLooper");
	saved.AddMessage(BPrivate::kShelfReplicantField, &looper);
	saved.AddString(BPrivate::kShelfReplicantField, "a string among the archives");
	BMallocIO savedStream;
	saved.Flatten(&savedStream);
	// Truncated, it is refused whole.
	BMemoryIO truncated(savedStream.Buffer(), savedStream.BufferLength() - 3);
	BShelf cut(&truncated, &container);
	EXPECT_EQ(cut.CountReplicants(), 0);

	savedStream.Seek(0, SEEK_SET);
	BShelf shelf(&savedStream, &container);
	ASSERT_EQ(shelf.CountReplicants(), 2);
	BView* view = NULL;
	shelf.ReplicantAt(0, &view);
	ASSERT_NE(view, nullptr);
	EXPECT_EQ(view->Frame().LeftTop(),
		BPoint(0, BPrivate::kMaxReplicantOffset));
	status_t error = B_OK;
	shelf.ReplicantAt(1, &view, NULL, &error);
	EXPECT_EQ(error, B_BAD_TYPE);
}


TEST_F(ShelfTest, TypeEnforcementTakesOnlyArchivesForTheShelf)
{
	BView container(BRect(0, 0, 99, 99), "container", B_FOLLOW_NONE, 0);
	BShelf shelf(&container, true, "tray");
	EXPECT_STREQ(shelf.Name(), "tray");
	shelf.SetTypeEnforced(true);
	EXPECT_TRUE(shelf.IsTypeEnforced());
	BMessage* untyped = view_archive("untyped");
	EXPECT_EQ(shelf.AddReplicant(untyped, B_ORIGIN), B_ERROR);
	delete untyped;
	BMessage* wrong = view_archive("wrong");
	wrong->AddString("shelf_type", "desk");
	EXPECT_EQ(shelf.AddReplicant(wrong, B_ORIGIN), B_ERROR);
	delete wrong;
	BMessage* typed = view_archive("typed");
	typed->AddString("shelf_type", "tray");
	EXPECT_EQ(shelf.AddReplicant(typed, B_ORIGIN), B_OK);
	EXPECT_EQ(shelf.CountReplicants(), 1);
}


TEST_F(ShelfTest, ScriptingReachesReplicantsByIndexNameAndId)
{
	Open(TestName());
	BShelf* shelf = NULL;
	ASSERT_TRUE(fWindow->Lock());
	shelf = new BShelf(fWindow->fContainer);
	shelf->AddReplicant(view_archive("first"), BPoint(0, 0));
	shelf->AddReplicant(view_archive("second"), BPoint(30, 0));
	fWindow->Unlock();
	BMessenger window(fWindow);

	auto request = [](uint32 what) {
		BMessage message(what);
		return message;
	};
	auto send = [&](BMessage& message, BMessage* reply) {
		message.AddSpecifier("Shelf");
		message.AddSpecifier("View", "container");
		return window.SendMessage(&message, reply, 1000000, 1000000);
	};

	BMessage count = request(B_COUNT_PROPERTIES);
	count.AddSpecifier("Replicant");
	BMessage reply;
	ASSERT_EQ(send(count, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("result"), 2);

	BMessage get = request(B_GET_PROPERTY);
	get.AddSpecifier("Replicant", (int32)1);
	ASSERT_EQ(send(get, &reply), B_OK);
	BMessage archive;
	ASSERT_EQ(reply.FindMessage("result", &archive), B_OK);
	EXPECT_STREQ(archive.FindString("_name"), "second");

	BMessage name = request(B_GET_PROPERTY);
	name.AddSpecifier("ID");
	name.AddSpecifier("Replicant", "second");
	ASSERT_EQ(send(name, &reply), B_OK);
	int32 id = reply.FindInt32("result");
	EXPECT_EQ(id, 2);

	BMessage byId = request(B_GET_PROPERTY);
	byId.AddSpecifier("Name");
	BMessage idSpecifier(B_ID_SPECIFIER);
	idSpecifier.AddString("property", "Replicant");
	idSpecifier.AddInt32("id", id);
	byId.AddSpecifier(&idSpecifier);
	ASSERT_EQ(send(byId, &reply), B_OK);
	EXPECT_STREQ(reply.FindString("result"), "second");

	// The replicant's view answers the view suite.
	BMessage frame = request(B_GET_PROPERTY);
	frame.AddSpecifier("Frame");
	frame.AddSpecifier("View");
	frame.AddSpecifier("Replicant", (int32)0);
	ASSERT_EQ(send(frame, &reply), B_OK);
	EXPECT_EQ(reply.FindRect("result"), BRect(0, 0, 19, 19));

	BMessage create = request(B_CREATE_PROPERTY);
	create.AddSpecifier("Replicant");
	BMessage* third = view_archive("third");
	create.AddMessage("data", third);
	delete third;
	ASSERT_EQ(send(create, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_OK);
	EXPECT_EQ(reply.FindInt32("result"), 3);

	BMessage remove = request(B_DELETE_PROPERTY);
	remove.AddSpecifier("Replicant", "first");
	ASSERT_EQ(send(remove, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_OK);
	BMessage missing = request(B_GET_PROPERTY);
	missing.AddSpecifier("Replicant", (int32)7);
	ASSERT_EQ(send(missing, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_BAD_INDEX);
	EXPECT_FALSE(reply.HasMessage("result"));

	BMessage suites = request(B_GET_SUPPORTED_SUITES);
	ASSERT_EQ(send(suites, &reply), B_OK);
	EXPECT_STREQ(reply.FindString("suites"), "suite/vnd.Be-shelf");
	ASSERT_TRUE(fWindow->Lock());
	EXPECT_EQ(shelf->CountReplicants(), 2);
	delete shelf;
	fWindow->Unlock();
}


TEST_F(ShelfTest, DraggingAReplicantInCopiesItAndDraggingWithinMovesIt)
{
	Open(TestName());
	BShelf* shelf = NULL;
	ASSERT_TRUE(fWindow->Lock());
	shelf = new BShelf(fWindow->fContainer);
	fWindow->Unlock();

	// The source's dragger, at (202, 32) in the window, onto the container.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(205, 35), 0);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(205, 35),
		B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(150, 60),
		B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(100, 80),
		B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(100, 80), 0);
	ASSERT_TRUE(wait_until(fWindow, [&] { return shelf->CountReplicants() == 1; }));
	BView* view = NULL;
	BPoint where;
	ASSERT_TRUE(wait_until(fWindow, [&] {
		shelf->ReplicantAt(0, &view);
		where = view->Frame().LeftTop();
		return true;
	}));
	// Held where the press was, 25 pixels into the source: its top left 25 pixels before.
	EXPECT_EQ(where, BPoint(75, 55));

	// Its own dragger (22 to 29 in the copy, as in the source) moves it within the shelf.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(100, 80), 0);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, BPoint(100, 80),
		B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(80, 65),
		B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, BPoint(60, 60),
		B_PRIMARY_MOUSE_BUTTON);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, BPoint(60, 60), 0);
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return shelf->CountReplicants() == 1 && view->Frame().LeftTop() == BPoint(35, 35);
	}));
	ASSERT_TRUE(fWindow->Lock());
	delete shelf;
	fWindow->Unlock();
}
