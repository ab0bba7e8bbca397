// The clipboard: committing and fetching within a process and between processes, the
// store's defences against what another process leaves in its place, watching, and the
// exchange with other X11 programs through the CLIPBOARD selection.
#include <Clipboard.h>
#include <Looper.h>
#include <Message.h>

#include "app/ClipboardStore.h"

#include "KitAppTest.h"
#include "TestRuntime.h"
#include "XvfbServer.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>

using BPrivate::ClipboardStore;

namespace {

// This process never opens a display: only the helper programs do.
const bool stOffscreen = setenv("BE_DISPLAY", "offscreen", 1) == 0;

const char* const kHelper = "ClipboardTestApp";


std::string
text_of(BClipboard& clipboard)
{
	const void* data = NULL;
	ssize_t size = 0;
	if (clipboard.Data()->FindData("text/plain", B_MIME_TYPE, &data, &size) != B_OK)
		return "<none>";
	return std::string((const char*)data, size);
}


status_t
copy_text(BClipboard& clipboard, const std::string& text)
{
	if (!clipboard.Lock())
		return B_ERROR;
	clipboard.Clear();
	clipboard.Data()->AddData("text/plain", B_MIME_TYPE, text.data(), text.size());
	status_t status = clipboard.Commit();
	clipboard.Unlock();
	return status;
}


std::string
paste_text(BClipboard& clipboard)
{
	if (!clipboard.Lock())
		return "<unlocked>";
	std::string text = text_of(clipboard);
	clipboard.Unlock();
	return text;
}



// Polls a helper's output file until it holds needle (at most ten seconds).
bool
wait_for_output(const std::string& path, const std::string& needle)
{
	for (int i = 0; i < 1000; i++) {
		if (read_file(path).find(needle) != std::string::npos)
			return true;
		usleep(10000);
	}
	return false;
}


class ChangeRecorder : public BLooper {
public:
	ChangeRecorder() : BLooper("clipboard watcher") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == B_CLIPBOARD_CHANGED)
			fChanges++;
		else
			BLooper::MessageReceived(message);
	}

	std::atomic<int32> fChanges{0};
};


class ClipboardTest : public testing::Test {
protected:
	std::string StorePath(const char* name)
	{
		return fRuntime.Directory() + "/" + ClipboardStore(name).Leaf();
	}

	TestRuntime fRuntime;
};

} // namespace


TEST_F(ClipboardTest, CommittedDataReachesEveryClipboardOfTheName)
{
	BClipboard writer("notes");
	BClipboard reader("notes");
	BClipboard other("other");
	EXPECT_STREQ(writer.Name(), "notes");
	EXPECT_EQ(reader.SystemCount(), 0u);

	ASSERT_EQ(copy_text(writer, "first"), B_OK);
	EXPECT_EQ(writer.LocalCount(), 1u);
	EXPECT_EQ(reader.SystemCount(), 1u);
	EXPECT_EQ(reader.LocalCount(), 0u);
	EXPECT_EQ(paste_text(reader), "first");
	EXPECT_EQ(reader.LocalCount(), 1u);
	EXPECT_EQ(paste_text(other), "<none>");

	ASSERT_EQ(copy_text(reader, "second \xC3\xA9"), B_OK);
	EXPECT_EQ(writer.SystemCount(), 2u);
	EXPECT_EQ(paste_text(writer), "second \xC3\xA9");
}


TEST_F(ClipboardTest, DataNeedsTheLockAndUncommittedChangesStayLocal)
{
	BClipboard clipboard("notes");
	EXPECT_EQ(clipboard.Data(), nullptr);
	EXPECT_EQ(clipboard.Clear(), B_NOT_ALLOWED);
	EXPECT_EQ(clipboard.Commit(), B_NOT_ALLOWED);
	EXPECT_EQ(clipboard.Revert(), B_NOT_ALLOWED);
	EXPECT_FALSE(clipboard.IsLocked());

	ASSERT_EQ(copy_text(clipboard, "kept"), B_OK);
	ASSERT_TRUE(clipboard.Lock());
	EXPECT_TRUE(clipboard.IsLocked());
	clipboard.Clear();
	clipboard.Data()->AddData("text/plain", B_MIME_TYPE, "draft", 5);
	// A nested lock keeps the draft; Revert drops it.
	ASSERT_TRUE(clipboard.Lock());
	EXPECT_EQ(text_of(clipboard), "draft");
	clipboard.Unlock();
	BClipboard other("notes");
	EXPECT_EQ(paste_text(other), "kept");
	EXPECT_EQ(clipboard.Revert(), B_OK);
	EXPECT_EQ(text_of(clipboard), "kept");
	clipboard.Unlock();
}


TEST_F(ClipboardTest, CommitFailsIfChangedOnlyWhenAskedTo)
{
	BClipboard first("notes");
	BClipboard second("notes");
	ASSERT_TRUE(first.Lock());
	ASSERT_EQ(copy_text(second, "theirs"), B_OK);
	first.Clear();
	first.Data()->AddData("text/plain", B_MIME_TYPE, "mine", 4);
	EXPECT_EQ(first.Commit(true), B_ERROR);
	EXPECT_EQ(first.Commit(false), B_OK);
	first.Unlock();
	EXPECT_EQ(paste_text(second), "mine");
	EXPECT_EQ(second.LocalCount(), 2u);
}


TEST_F(ClipboardTest, NameCannotLeaveTheRuntimeDirectory)
{
	BClipboard clipboard("../../escape/me");
	ASSERT_EQ(copy_text(clipboard, "x"), B_OK);
	struct stat info;
	EXPECT_EQ(stat(StorePath("../../escape/me").c_str(), &info), 0);
	EXPECT_EQ(ClipboardStore("../../escape/me").Leaf(), "clipboard.______escape_me");
	EXPECT_EQ(ClipboardStore(std::string(300, 'n').c_str()).Leaf().size(),
		strlen("clipboard.") + ClipboardStore::kMaxNameLength);
}


TEST_F(ClipboardTest, WhatAnotherProcessLeftInTheStoreIsNeverTrusted)
{
	std::string path = StorePath("notes");
	BClipboard clipboard("notes");

	// Garbage, and a message that is not a clipboard: empty data, no crash.
	std::ofstream(path) << "not a message at all";
	EXPECT_EQ(paste_text(clipboard), "<none>");

	// A FIFO is not waited on, and a commit replaces it.
	unlink(path.c_str());
	ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
	EXPECT_EQ(paste_text(clipboard), "<none>");
	EXPECT_EQ(copy_text(clipboard, "over the fifo"), B_OK);
	BClipboard reader("notes");
	EXPECT_EQ(paste_text(reader), "over the fifo");

	// A link is neither followed when reading nor written through.
	std::string target = fRuntime.Directory() + "/target";
	std::ofstream(target) << "precious";
	unlink(path.c_str());
	ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);
	EXPECT_EQ(paste_text(clipboard), "<none>");
	EXPECT_EQ(copy_text(clipboard, "not through the link"), B_OK);
	EXPECT_EQ(read_file(target), "precious");
	struct stat info;
	ASSERT_EQ(lstat(path.c_str(), &info), 0);
	EXPECT_TRUE(S_ISREG(info.st_mode));

	// A file larger than the cap is refused before it is read.
	ASSERT_EQ(truncate(path.c_str(), ClipboardStore::kMaxSize + 1), 0);
	EXPECT_EQ(paste_text(clipboard), "<none>");
}


TEST_F(ClipboardTest, DecoderRejectsWhatIsNotAClipboard)
{
	BPrivate::ClipboardContents contents;
	EXPECT_EQ(ClipboardStore::Decode("", 0, contents), B_BAD_DATA);

	BMessage wrongWhat('abcd');
	wrongWhat.AddInt32("count", 3);
	BMessage data;
	wrongWhat.AddMessage("data", &data);
	std::string flat(wrongWhat.FlattenedSize(), '\0');
	ASSERT_EQ(wrongWhat.Flatten(flat.data(), flat.size()), B_OK);
	EXPECT_EQ(ClipboardStore::Decode(flat.data(), flat.size(), contents), B_BAD_DATA);

	BMessage noData(ClipboardStore::kWhat);
	noData.AddInt32("count", 3);
	flat.assign(noData.FlattenedSize(), '\0');
	ASSERT_EQ(noData.Flatten(flat.data(), flat.size()), B_OK);
	EXPECT_EQ(ClipboardStore::Decode(flat.data(), flat.size(), contents), B_BAD_DATA);

	BMessage good(ClipboardStore::kWhat);
	good.AddInt32("count", 3);
	data.AddString("text/plain", "x");
	good.AddMessage("data", &data);
	flat.assign(good.FlattenedSize(), '\0');
	ASSERT_EQ(good.Flatten(flat.data(), flat.size()), B_OK);
	EXPECT_EQ(ClipboardStore::Decode(flat.data(), flat.size(), contents), B_OK);
	EXPECT_EQ(contents.count, 3u);
	EXPECT_TRUE(contents.data.HasString("text/plain"));
}


TEST_F(ClipboardTest, WatchersHearEveryCommit)
{
	ChangeRecorder* watcher = new ChangeRecorder;
	watcher->Run();
	BClipboard clipboard("watched");
	BMessenger target(watcher);
	ASSERT_EQ(clipboard.StartWatching(target), B_OK);

	BClipboard writer("watched");
	BClipboard unwatched("unwatched");
	ASSERT_EQ(copy_text(writer, "one"), B_OK);
	ASSERT_EQ(copy_text(unwatched, "two"), B_OK);
	for (int i = 0; i < 500 && watcher->fChanges < 1; i++)
		usleep(10000);
	EXPECT_EQ(watcher->fChanges, 1);

	EXPECT_EQ(clipboard.StopWatching(target), B_OK);
	EXPECT_EQ(clipboard.StopWatching(target), B_BAD_VALUE);
	watcher->Lock();
	watcher->Quit();
}


// #pragma mark - Between processes


class ClipboardProcessTest : public KitAppTest {
};


TEST_F(ClipboardProcessTest, PasteFromAnotherProcess)
{
	BClipboard system("system");
	std::string output;
	ASSERT_EQ(fRuntime.Run(kHelper, { "copy", "from the other side" }, &output, 10000000),
		0);
	EXPECT_EQ(output, "committed 1\n");
	ASSERT_TRUE(system.Lock());
	EXPECT_EQ(text_of(system), "from the other side");
	EXPECT_EQ(system.LocalCount(), 1u);
	system.Unlock();

	ASSERT_EQ(copy_text(system, "back again"), B_OK);
	ASSERT_EQ(fRuntime.Run(kHelper, { "paste" }, &output, 10000000), 0);
	EXPECT_EQ(output, "text back again\n");
}


TEST_F(ClipboardProcessTest, DataSourceNamesTheCommittingApplication)
{
	std::string log = fRuntime.Directory() + "/copy.out";
	pid_t copier = fRuntime.Start(kHelper, { "copy", "sourced", "--stay" }, log);
	ASSERT_TRUE(wait_for_output(log, "committed"));
	BClipboard system("system");
	ASSERT_TRUE(system.Lock());
	EXPECT_EQ(system.DataSource().Team(), copier);
	system.Unlock();
	fRuntime.Stop(copier);
}


TEST_F(ClipboardProcessTest, WatcherInAnotherProcessHearsTheCommit)
{
	std::string log = fRuntime.Directory() + "/watch.out";
	pid_t watcher = fRuntime.Start(kHelper, { "watch" }, log);
	ASSERT_TRUE(wait_for_output(log, "watching"));
	BClipboard system("system");
	ASSERT_EQ(copy_text(system, "news"), B_OK);
	EXPECT_EQ(fRuntime.Wait(watcher, 10000000), 0);
	EXPECT_NE(read_file(log).find("changed news"), std::string::npos);
}


// #pragma mark - X11


class ClipboardX11Test : public KitAppTest {
protected:
	void SetUp() override
	{
		KitAppTest::SetUp();
		ASSERT_EQ(fServer.Start(), B_OK);
	}

	// Runs xclip against the private server, for ten seconds at most; its output, or
	// "<failed>".
	std::string XClip(const std::string& arguments)
	{
		std::string command = "timeout 10 /usr/bin/xclip -display " + fServer.Name()
			+ " -selection clipboard " + arguments;
		FILE* pipe = popen(command.c_str(), "r");
		if (pipe == NULL)
			return "<failed>";
		std::string output;
		char buffer[256];
		while (size_t bytes = fread(buffer, 1, sizeof(buffer), pipe))
			output.append(buffer, bytes);
		return pclose(pipe) == 0 ? output : "<failed>";
	}

	XvfbServer fServer;
};


TEST_F(ClipboardX11Test, OtherProgramsReadTheKitsText)
{
	if (access("/usr/bin/xclip", X_OK) != 0)
		GTEST_SKIP() << "xclip is not installed (scripts/install-deps.sh installs it)";
	std::string log = fRuntime.Directory() + "/copy.out";
	pid_t copier = fRuntime.Start(kHelper,
		{ "--x11", fServer.Name(), "copy", "caf\xC3\xA9 au lait", "--stay" }, log);
	ASSERT_TRUE(wait_for_output(log, "committed"));

	EXPECT_EQ(XClip("-o -t UTF8_STRING"), "caf\xC3\xA9 au lait");
	EXPECT_EQ(XClip("-o -t 'text/plain;charset=utf-8'"), "caf\xC3\xA9 au lait");
	std::string targets = XClip("-o -t TARGETS");
	EXPECT_NE(targets.find("UTF8_STRING"), std::string::npos) << targets;
	EXPECT_NE(targets.find("TARGETS"), std::string::npos) << targets;

	// Another kit application takes the text from the kit's store, not through X.
	std::string output;
	ASSERT_EQ(fRuntime.Run(kHelper, { "--x11", fServer.Name(), "paste" }, &output,
		10000000), 0);
	EXPECT_EQ(output, "text caf\xC3\xA9 au lait\n");
	fRuntime.Stop(copier);
}


TEST_F(ClipboardX11Test, KitPastesWhatAnotherProgramHolds)
{
	if (access("/usr/bin/xclip", X_OK) != 0)
		GTEST_SKIP() << "xclip is not installed (scripts/install-deps.sh installs it)";
	std::string log = fRuntime.Directory() + "/copy.out";
	pid_t copier = fRuntime.Start(kHelper,
		{ "--x11", fServer.Name(), "copy", "older kit text", "--stay" }, log);
	ASSERT_TRUE(wait_for_output(log, "committed"));

	std::string file = fRuntime.Directory() + "/xclip.in";
	std::ofstream(file) << "from xclip \xE2\x9C\x93";
	pid_t xclip = fRuntime.Start("/usr/bin/xclip", { "-display", fServer.Name(),
		"-selection", "clipboard", "-quiet", "-i", file }, fRuntime.Directory() + "/xclip.out");
	// xclip owns the selection once it answers for it.
	for (int i = 0; i < 500 && XClip("-o") != "from xclip \xE2\x9C\x93"; i++)
		usleep(10000);

	std::string output;
	ASSERT_EQ(fRuntime.Run(kHelper, { "--x11", fServer.Name(), "paste" }, &output,
		10000000), 0);
	EXPECT_EQ(output, "text from xclip \xE2\x9C\x93\n");
	fRuntime.Stop(xclip, SIGKILL);
	fRuntime.Stop(copier);
}


TEST_F(ClipboardX11Test, HungOwnerCostsAPasteOneTimeoutAtMost)
{
	std::string output;
	ASSERT_EQ(fRuntime.Run(kHelper, { "copy", "kit text" }, &output, 10000000), 0);

	// A client that takes the selection and never reads its events.
	xcb_connection_t* connection = xcb_connect(fServer.Name().c_str(), NULL);
	ASSERT_EQ(xcb_connection_has_error(connection), 0);
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
	xcb_window_t window = xcb_generate_id(connection);
	xcb_create_window(connection, 0, window, screen->root, 0, 0, 1, 1, 0,
		XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, NULL);
	xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection,
		xcb_intern_atom(connection, 0, 9, "CLIPBOARD"), NULL);
	ASSERT_NE(atom, nullptr);
	xcb_set_selection_owner(connection, window, atom->atom, XCB_CURRENT_TIME);
	free(atom);
	free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), NULL));

	bigtime_t start = system_time();
	ASSERT_EQ(fRuntime.Run(kHelper, { "--x11", fServer.Name(), "paste" }, &output,
		20000000), 0);
	// The kit's own text stays when the holder does not answer.
	EXPECT_EQ(output, "text kit text\n");
	EXPECT_LT(system_time() - start, 15000000);
	xcb_disconnect(connection);
}
