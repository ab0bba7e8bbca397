// Application, window and view targets built in this process against a real application
// on a private registrar: the rows' texts and fallbacks, the specifier chains, the
// messengers, discovery, and the analysis thread.
#include <AppDefs.h>
#include <Application.h>
#include <Bitmap.h>
#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <string.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "ScriptingTargets.h"
#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

const char* kTree = "application/x-vnd.qv-tree";
const char* kNoSuites = "application/x-vnd.qv-nosuites";


std::string
specifier_text(const BMessage* message, int32 index)
{
	BMessage specifier;
	const char* property = "";
	if (message->FindMessage("specifiers", index, &specifier) != B_OK
		|| specifier.FindString("property", &property) != B_OK)
		return "(none)";
	int32 number;
	if (specifier.FindInt32("index", &number) == B_OK)
		return std::string(property) + " " + std::to_string(number);
	return property;
}


class ScriptingTargetsTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
		fTreeApp = StartApp(kTree, "tree");
	}

	pid_t StartApp(const char* signature, const char* mode)
	{
		pid_t process = fRuntime.Start("ScriptTargetApp", { signature, mode });
		EXPECT_TRUE(fRuntime.WaitForApp(signature));
		return process;
	}

	ScriptingWindow* MakeWindow(int32 index)
	{
		return new ScriptingWindow(index, new BMessenger(kTree), NULL, 1, true);
	}

	TestRuntime fRuntime;
	pid_t fTreeApp = -1;
};

} // namespace


TEST_F(ScriptingTargetsTest, ApplicationRowsShowTheSignatureAndTheFileName)
{
	StartApp(kNoSuites, "nosuites");

	std::unique_ptr<ScriptingApplication> tree(CreateScriptingApplication(kTree));
	ASSERT_NE(tree, nullptr);
	// Making the node asks nothing; identifying it asks for the suites.
	EXPECT_FALSE(tree->IsScriptable());
	EXPECT_STREQ(tree->Text(), "");
	tree->Identify();
	EXPECT_TRUE(tree->IsScriptable());
	EXPECT_STREQ(tree->Text(), "\"application/x-vnd.qv-tree\"");
	EXPECT_STREQ(tree->DynamicText(), "ScriptTargetApp");
	EXPECT_EQ(tree->GetInternalName(), kTree);
	const char* suite = "";
	tree->GetSuites()->FindString("suites", &suite);
	EXPECT_STREQ(suite, "suite/vnd.Be-application");

	std::unique_ptr<ScriptingApplication> silent(CreateScriptingApplication(kNoSuites));
	ASSERT_NE(silent, nullptr);
	silent->Identify();
	EXPECT_FALSE(silent->IsScriptable());
	EXPECT_STREQ(silent->Text(), "\"application/x-vnd.qv-nosuites\"");
	EXPECT_STREQ(silent->DynamicText(), "NOT SCRIPTABLE");
	EXPECT_EQ(silent->Analyze(0), 0);

	EXPECT_EQ(CreateScriptingApplication("NoSuchApp"), nullptr);
}


TEST_F(ScriptingTargetsTest, DiscoveryLeavesOutOnlyTheGivenSignature)
{
	StartApp(kNoSuites, "nosuites");

	BList* applications = GetRunningApplications(kTree);
	ASSERT_EQ(applications->CountItems(), 1);
	ScriptingApplication* node
		= static_cast<ScriptingApplication*>(applications->ItemAt(0));
	EXPECT_EQ(node->GetInternalName(), kNoSuites);
	delete node;
	delete applications;

	applications = GetRunningApplications("application/x-vnd.qv-none");
	EXPECT_EQ(applications->CountItems(), 2);
	for (int32 i = 0; i < applications->CountItems(); i++)
		delete static_cast<ScriptingApplication*>(applications->ItemAt(i));
	delete applications;
}


TEST_F(ScriptingTargetsTest, WindowRowsFallBackToTheirIndex)
{
	std::unique_ptr<ScriptingWindow> main(MakeWindow(0));
	EXPECT_STREQ(main->Text(), "MainWindow");
	EXPECT_STREQ(main->DynamicText(), "Main Window");
	EXPECT_EQ(specifier_text(main->GetAccessPtr(), 0), "Window 0");
	EXPECT_EQ(specifier_text(main->GetAccessPtr(), 1), "(none)");

	std::unique_ptr<ScriptingWindow> unnamed(MakeWindow(1));
	EXPECT_TRUE(unnamed->IsScriptable());
	EXPECT_STREQ(unnamed->Text(), "Window 1");
	EXPECT_STREQ(unnamed->DynamicText(), "");

	std::unique_ptr<ScriptingWindow> hidden(MakeWindow(2));
	EXPECT_FALSE(hidden->IsScriptable());
	EXPECT_STREQ(hidden->Text(), "");
	EXPECT_EQ(hidden->Analyze(1), 0);
	EXPECT_STREQ(hidden->Text(), "Window 2");
	EXPECT_STREQ(hidden->DynamicText(), "NOT SCRIPTABLE");

	// Addressed by a name that no window has: not scriptable, labelled by that name.
	std::unique_ptr<ScriptingWindow> missing(new ScriptingWindow("NoSuchWindow",
		new BMessenger(kTree), NULL, 1, true));
	EXPECT_FALSE(missing->IsScriptable());
	EXPECT_EQ(missing->Analyze(1), 0);
	EXPECT_STREQ(missing->Text(), "NoSuchWindow");
	EXPECT_STREQ(missing->DynamicText(), "NOT SCRIPTABLE");
}


TEST_F(ScriptingTargetsTest, ViewRowsNameMenuBarsAndFallBackToTheirIndex)
{
	std::unique_ptr<ScriptingWindow> window(MakeWindow(0));
	BMessenger* messenger = window->GetMessenger();

	ScriptingView menuBar(0, messenger, window.get(), 2);
	EXPECT_STREQ(menuBar.Text(), "MenuBar");
	EXPECT_STREQ(menuBar.DynamicText(), "");

	ScriptingView plain(2, messenger, window.get(), 2);
	EXPECT_STREQ(plain.Text(), "View 2");
	EXPECT_STREQ(plain.DynamicText(), "");

	ScriptingView back(1, messenger, window.get(), 2);
	EXPECT_STREQ(back.Text(), "fBackView");
	EXPECT_EQ(back.ParentName(), std::string("Main Window"));

	ScriptingView button(0, messenger, &back, 3);
	EXPECT_STREQ(button.Text(), "fButton");
	EXPECT_STREQ(button.DynamicText(), "Press\x1b[1m me");
	EXPECT_EQ(button.GetMessenger(), messenger);
	EXPECT_EQ(button.ParentName(), std::string("fBackView"));
	const BMessage* access = button.GetAccessPtr();
	EXPECT_EQ(specifier_text(access, 0), "View 0");
	EXPECT_EQ(specifier_text(access, 1), "View 1");
	EXPECT_EQ(specifier_text(access, 2), "Window 0");
	EXPECT_EQ(specifier_text(access, 3), "(none)");

	ScriptingView hidden(1, messenger, &back, 3);
	EXPECT_FALSE(hidden.IsScriptable());
	EXPECT_EQ(hidden.Analyze(3), 0);
	EXPECT_STREQ(hidden.Text(), "View 1");
	EXPECT_STREQ(hidden.DynamicText(), "NOT SCRIPTABLE");
}


TEST_F(ScriptingTargetsTest, AnalysisBuildsTheTreeWithAMessengerPerWindow)
{
	std::unique_ptr<ScriptingApplication> node(CreateScriptingApplication(kTree));
	ASSERT_NE(node, nullptr);

	testing::internal::CaptureStdout();
	testing::internal::CaptureStderr();
	// Without an application object the node is not posted: it stays here.
	EXPECT_EQ(node->Analyze(0), 3);
	testing::internal::GetCapturedStdout();
	testing::internal::GetCapturedStderr();

	ScriptingElement* main = node->FindElement("MainWindow");
	ScriptingElement* broken = node->FindElement("Broken");
	ScriptingElement* button = node->FindElement("fButton");
	ASSERT_NE(main, nullptr);
	ASSERT_NE(broken, nullptr);
	ASSERT_NE(button, nullptr);
	EXPECT_EQ(node->FindElement("Hidden"), nullptr);
	EXPECT_EQ(node->FindElement("fHidden"), nullptr);
	EXPECT_NE(main->GetMessenger(), node->GetMessenger());
	EXPECT_NE(main->GetMessenger(), broken->GetMessenger());
	EXPECT_EQ(button->GetMessenger(), main->GetMessenger());
	EXPECT_EQ(button->OutlineLevel(), 3u);
}


TEST_F(ScriptingTargetsTest, AnalysisRunsOnAThreadNamedAfterTheApplication)
{
	const char* signature = "application/x-vnd.qv-hang";
	StartApp(signature, "hangcount");
	ScriptingApplication* node = CreateScriptingApplication(signature);
	ASSERT_NE(node, nullptr);

	testing::internal::CaptureStdout();
	testing::internal::CaptureStderr();
	EXPECT_EQ(node->AnalyzeApplication(), B_OK);
	EXPECT_TRUE(wait_for([] { return find_thread("ScriptTargetApp analysis") >= 0; }));

	// The target answers its suites and never its windows; the print waits for the
	// analysis to give up on them.
	node->PrintToStream();
	std::string output = testing::internal::GetCapturedStdout();
	std::string errors = testing::internal::GetCapturedStderr();
	EXPECT_EQ(output, "\"application/x-vnd.qv-hang\" (ScriptTargetApp) supports:\n"
		"suite/vnd.Be-application suite/vnd.Be-looper suite/vnd.Be-handler\n");
	EXPECT_EQ(errors, "cannot 'count Window' of application 'ScriptTargetApp' ("
		+ std::string(strerror(B_TIMED_OUT)) + ")\n");
	EXPECT_EQ(find_thread("ScriptTargetApp analysis"), B_NAME_NOT_FOUND);
	delete node;
}


TEST_F(ScriptingTargetsTest, IconsLoadOnceFromTheProgramsOwnResources)
{
	// This test executable carries the program's resources.
	BApplication application("application/x-vnd.qv-icons");
	std::unique_ptr<ScriptingApplication> node(CreateScriptingApplication(kTree));
	ASSERT_NE(node, nullptr);
	std::unique_ptr<ScriptingWindow> window(MakeWindow(0));
	ScriptingView view(0, window->GetMessenger(), window.get(), 2);

	BBitmap* applicationIcon = node->GetBitmap();
	BBitmap* windowIcon = window->GetBitmap();
	BBitmap* viewIcon = view.GetBitmap();
	ASSERT_NE(applicationIcon, nullptr);
	ASSERT_NE(windowIcon, nullptr);
	ASSERT_NE(viewIcon, nullptr);
	EXPECT_EQ(applicationIcon->Bounds(), BRect(0, 0, 15, 15));
	// Drawn icons, not blank squares.
	for (BBitmap* icon : { applicationIcon, windowIcon, viewIcon }) {
		const uint8* bits = static_cast<const uint8*>(icon->Bits());
		bool varied = false;
		for (int32 i = 1; i < icon->BitsLength(); i++)
			varied = varied || bits[i] != bits[0];
		EXPECT_TRUE(varied);
	}
	EXPECT_NE(applicationIcon, windowIcon);
	EXPECT_NE(windowIcon, viewIcon);

	// Shared by every node of a kind.
	std::unique_ptr<ScriptingWindow> other(MakeWindow(1));
	EXPECT_EQ(node->GetBitmap(), applicationIcon);
	EXPECT_EQ(other->GetBitmap(), windowIcon);
	EXPECT_EQ(ScriptingView(1, window->GetMessenger(), window.get(), 2).GetBitmap(), viewIcon);
}


// Targets addressed by name rather than index have no index to fall back to.
TEST_F(ScriptingTargetsTest, TargetsAddressedByNameWithoutAUsableNameAreGhosts)
{
	setenv("BE_DISPLAY", "offscreen", 1);
	const char* viewer = "application/x-vnd.quorvane-SampleViewer";
	fRuntime.Start("SampleViewer");
	ASSERT_TRUE(fRuntime.WaitForApp(viewer));

	// The untitled window, found by its empty name.
	ScriptingWindow untitled("", new BMessenger(viewer), NULL, 1, true);
	EXPECT_TRUE(untitled.IsScriptable());
	EXPECT_STREQ(untitled.Text(), "(Ghost Window)");
	EXPECT_STREQ(untitled.DynamicText(), "");

	// No view has a name of white space only.
	ScriptingView ghost(" ", untitled.GetMessenger(), &untitled, 2);
	EXPECT_FALSE(ghost.IsScriptable());
	EXPECT_EQ(ghost.Analyze(2), 0);
	EXPECT_STREQ(ghost.Text(), "(Ghost View)");
	EXPECT_STREQ(ghost.DynamicText(), "NOT SCRIPTABLE");
}
