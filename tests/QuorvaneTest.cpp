// Quorvane as a user runs it: beside real applications on a private registrar, with and
// without arguments, while applications launch and quit. Standard output and standard
// error are compared line by line.
#include <Errors.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestRuntime.h"
#include "WaitFor.h"
#include "ScratchDirectory.h"

namespace {

typedef std::vector<std::string> Lines;

const char* kSuites = "suite/vnd.Be-application suite/vnd.Be-looper suite/vnd.Be-handler";
const bigtime_t kTimeout = 10000000;



Lines
split_lines(const std::string& text)
{
	Lines lines;
	std::stringstream stream(text);
	std::string line;
	while (std::getline(stream, line))
		lines.push_back(line);
	return lines;
}


// The analysis and print of the test application's tree, as it is started with signature.
Lines
tree_lines(const std::string& signature)
{
	return {
		"Application ScriptTargetApp reports 4 windows",
		"  Window Main Window of application ScriptTargetApp reports 3 views",
		"      View 0 (MenuBar,) reports 0 views",
		"      View 1 (fBackView,) reports 3 views",
		"        View 0 (fButton,Press\\x1b[1m me) reports 0 views",
		"      View 2 (,) reports 0 views",
		"  Window  of application ScriptTargetApp reports 0 views",
		"\"" + signature + "\" (ScriptTargetApp) supports:",
		kSuites,
		"    Main Window [0]",
		"        MenuBar [0]",
		"        fBackView [1]",
		"            Press\\x1b[1m me [0]",
		"            Ready [2]",
		"         [2]",
		"     [1]",
		"    Broken [3]",
	};
}


Lines
tree_errors()
{
	std::string missing = strerror(B_NAME_NOT_FOUND);
	return {
		"cannot extract number of views of View 2 of fBackView (" + missing + ")",
		"cannot extract number of views of Window 3 of ScriptTargetApp (" + missing + ")",
	};
}


Lines
concat(Lines first, const Lines& second)
{
	first.insert(first.end(), second.begin(), second.end());
	return first;
}


Lines
sorted(Lines lines)
{
	std::sort(lines.begin(), lines.end());
	return lines;
}


// Whether part stands in lines in its order, other lines possibly in between.
bool
is_subsequence(const Lines& part, const Lines& lines)
{
	size_t next = 0;
	for (const std::string& line : lines) {
		if (next < part.size() && line == part[next])
			next++;
	}
	return next == part.size();
}


// Whether part stands in lines in one piece.
bool
is_block(const Lines& part, const Lines& lines)
{
	return std::search(lines.begin(), lines.end(), part.begin(), part.end()) != lines.end();
}


// Quorvane started with its standard output and standard error in files of the runtime
// directory.
class QuorvaneProcess {
public:
	QuorvaneProcess(const TestRuntime& runtime)
		:
		fOutput(runtime.Directory() + "/quorvane.out"),
		fErrors(runtime.Directory() + "/quorvane.err")
	{
	}

	~QuorvaneProcess()
	{
		if (fProcess > 0) {
			kill(fProcess, SIGKILL);
			waitpid(fProcess, NULL, 0);
		}
	}

	void Start(const Lines& arguments = {})
	{
		std::string path = TestRuntime::BinaryPath("Quorvane");
		std::vector<char*> argv;
		argv.push_back(const_cast<char*>(path.c_str()));
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(NULL);

		fProcess = fork();
		if (fProcess == 0) {
			dup2(open(fOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
			dup2(open(fErrors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
			execv(path.c_str(), argv.data());
			_exit(127);
		}
	}

	Lines Output() const { return split_lines(read_file(fOutput)); }
	Lines Errors() const { return split_lines(read_file(fErrors)); }

	// Waits until standard output holds line (count times over).
	bool WaitForLine(const std::string& line, int count = 1) const
	{
		return wait_for([&] {
			int found = 0;
			for (const std::string& output : Output()) {
				if (output == line)
					found++;
			}
			return found >= count;
		}, kTimeout);
	}

	// Asks it to quit as a terminal would; its exit status, or -1 when it did not end.
	int Stop()
	{
		kill(fProcess, SIGTERM);
		int status = -1;
		if (!wait_for([&] { return waitpid(fProcess, &status, WNOHANG) == fProcess; },
				kTimeout))
			return -1;
		fProcess = -1;
		return status;
	}

private:
	std::string				fOutput;
	std::string				fErrors;
	pid_t					fProcess = -1;
};


class QuorvaneTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	}

	pid_t StartApp(const std::string& signature, const std::string& mode = "tree")
	{
		pid_t process = fRuntime.Start("ScriptTargetApp", { signature, mode });
		EXPECT_TRUE(fRuntime.WaitForApp(signature.c_str()));
		return process;
	}

	void ExpectCleanExit(QuorvaneProcess& quorvane)
	{
		int status = quorvane.Stop();
		ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
		EXPECT_EQ(WEXITSTATUS(status), 0);
	}

	TestRuntime fRuntime;
};

} // namespace


TEST_F(QuorvaneTest, WithoutArgumentsEveryApplicationIsAnalysedAndPrinted)
{
	StartApp("application/x-vnd.qv-tree");
	StartApp("application/x-vnd.qv-nosuites", "nosuites");
	StartApp("application/x-vnd.qv-nocount", "nocount");
	StartApp("application/x-vnd.qv-exitcount", "exitcount");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start();
	std::string last = "\"application/x-vnd.qv-exitcount\" (ScriptTargetApp) supports:";
	ASSERT_TRUE(quorvane.WaitForLine(last));
	ASSERT_TRUE(quorvane.WaitForLine(kSuites, 3));
	ExpectCleanExit(quorvane);

	// The analyses run side by side: each application's lines keep their order and each
	// tree is printed in one piece, but the applications may come in any order.
	Lines tree = tree_lines("application/x-vnd.qv-tree");
	Lines others = {
		"\"application/x-vnd.qv-nosuites\" (ScriptTargetApp) is not scriptable",
		"\"application/x-vnd.qv-nocount\" (ScriptTargetApp) supports:",
		kSuites,
		last,
		kSuites,
	};
	Lines output = quorvane.Output();
	EXPECT_EQ(sorted(output), sorted(concat(tree, others)));
	EXPECT_TRUE(is_subsequence(tree, output));
	EXPECT_TRUE(is_block(Lines(tree.begin() + 7, tree.end()), output));
	EXPECT_TRUE(is_block(Lines(others.begin() + 1, others.begin() + 3), output));
	EXPECT_TRUE(is_block(Lines(others.begin() + 3, others.end()), output));

	Lines errors = quorvane.Errors();
	ASSERT_EQ(errors.size(), 4u);
	EXPECT_TRUE(is_subsequence(tree_errors(), errors));
	std::string noCount = "cannot extract number of windows for application 'ScriptTargetApp' ("
		+ std::string(strerror(B_NAME_NOT_FOUND)) + ")";
	EXPECT_EQ(std::count(errors.begin(), errors.end(), noCount), 1);
	// The application ended instead of answering; the status is the kit's.
	std::string gone = "cannot 'count Window' of application 'ScriptTargetApp' (";
	EXPECT_EQ(std::count_if(errors.begin(), errors.end(), [&](const std::string& line) {
		return line.rfind(gone, 0) == 0 && line.back() == ')';
	}), 1);
}


// A target that never answers its windows, and one stopped in a debugger that is asked
// nothing on the main thread: the others are printed, and SIGTERM ends Quorvane while
// both analyses still wait.
TEST_F(QuorvaneTest, SilentTargetsHoldUpNeitherTheOthersNorTheExit)
{
	StartApp("application/x-vnd.qv-hang", "hangcount");
	pid_t stopped = StartApp("application/x-vnd.qv-stopped");
	ASSERT_EQ(kill(stopped, SIGSTOP), 0);
	StartApp("application/x-vnd.qv-tree");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start();
	// The silent applications come first in the roster; the other is printed whole.
	ASSERT_TRUE(quorvane.WaitForLine("    Broken [3]"));
	ExpectCleanExit(quorvane);

	EXPECT_EQ(quorvane.Output(), tree_lines("application/x-vnd.qv-tree"));
}


TEST_F(QuorvaneTest, ArgumentsSelectTheApplicationsAndSkipWhatNamesNothing)
{
	StartApp("application/x-vnd.qv-tree");
	StartApp("application/x-vnd.qv-nosuites", "nosuites");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start({ "NoSuchApp", "application/x-vnd.qv-nosuites" });
	std::string line = "\"application/x-vnd.qv-nosuites\" (ScriptTargetApp) is not scriptable";
	ASSERT_TRUE(quorvane.WaitForLine(line));
	// No full listing follows: the tree application would be printed within this time.
	snooze(500000);
	ExpectCleanExit(quorvane);

	EXPECT_EQ(quorvane.Output(), Lines({ line }));
	EXPECT_EQ(quorvane.Errors(), Lines());
}


TEST_F(QuorvaneTest, TwoArgumentsNamingTwoApplicationsAnalyseBothAndNothingElse)
{
	StartApp("application/x-vnd.qv-tree");
	StartApp("application/x-vnd.qv-second");
	StartApp("application/x-vnd.qv-other");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start({ "application/x-vnd.qv-second", "application/x-vnd.qv-tree" });
	ASSERT_TRUE(quorvane.WaitForLine("    Broken [3]", 2));
	// No full listing follows: the third application would be printed within this time.
	snooze(500000);
	ExpectCleanExit(quorvane);

	// The trees come in the order their analyses finish, each in one piece.
	Lines tree = tree_lines("application/x-vnd.qv-tree");
	Lines second = tree_lines("application/x-vnd.qv-second");
	Lines output = quorvane.Output();
	EXPECT_EQ(sorted(output), sorted(concat(tree, second)));
	EXPECT_TRUE(is_block(Lines(tree.begin() + 7, tree.end()), output));
	EXPECT_TRUE(is_block(Lines(second.begin() + 7, second.end()), output));
	EXPECT_EQ(sorted(quorvane.Errors()), sorted(concat(tree_errors(), tree_errors())));
}


TEST_F(QuorvaneTest, AnApplicationWithoutScriptableWindowsPrintsItsLineAlone)
{
	StartApp("application/x-vnd.qv-hidden", "hidden");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start({ "application/x-vnd.qv-hidden" });
	ASSERT_TRUE(quorvane.WaitForLine(kSuites));
	ExpectCleanExit(quorvane);

	EXPECT_EQ(quorvane.Output(), Lines({
		"Application ScriptTargetApp reports 4 windows",
		"\"application/x-vnd.qv-hidden\" (ScriptTargetApp) supports:",
		kSuites,
	}));
	EXPECT_EQ(quorvane.Errors(), Lines());
}


// Regression: a window named like another application's signature lost its row to that
// application's quit notice, and Quorvane crashed when it quit.
TEST_F(QuorvaneTest, AWindowNamedLikeAQuittingApplicationDoesNotCrashTheExit)
{
	pid_t mimic = fRuntime.Start("ScriptTargetApp",
		{ "application/x-vnd.qv-mimic", "tree", "application/x-vnd.qv-second" });
	EXPECT_TRUE(fRuntime.WaitForApp("application/x-vnd.qv-mimic"));

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start();
	ASSERT_TRUE(quorvane.WaitForLine("    Broken [3]"));
	// The second comes below the first in the outline: it launches later.
	pid_t second = StartApp("application/x-vnd.qv-second");
	ASSERT_TRUE(quorvane.WaitForLine("  Window  of application ScriptTargetApp reports 0 views",
		2));
	snooze(300000);
	EXPECT_GE(fRuntime.Stop(second), 0);
	ASSERT_TRUE(fRuntime.WaitForAppGone(second));
	snooze(300000);
	ExpectCleanExit(quorvane);
	EXPECT_GE(fRuntime.Stop(mimic), 0);
}


TEST_F(QuorvaneTest, AFileNameSelectsTheFirstApplicationOfThatName)
{
	StartApp("application/x-vnd.qv-tree");
	StartApp("application/x-vnd.qv-second");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start({ "ScriptTargetApp" });
	ASSERT_TRUE(quorvane.WaitForLine("    Broken [3]"));
	snooze(500000);
	ExpectCleanExit(quorvane);

	EXPECT_EQ(quorvane.Output(), tree_lines("application/x-vnd.qv-tree"));
	EXPECT_EQ(quorvane.Errors(), tree_errors());
}


TEST_F(QuorvaneTest, ArgumentsThatNameNothingLeadToTheFullListing)
{
	StartApp("application/x-vnd.qv-tree");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start({ "NoSuchApp", "application/x-vnd.qv-none" });
	ASSERT_TRUE(quorvane.WaitForLine("    Broken [3]"));
	ExpectCleanExit(quorvane);

	EXPECT_EQ(quorvane.Output(), tree_lines("application/x-vnd.qv-tree"));
	EXPECT_EQ(quorvane.Errors(), tree_errors());
}


TEST_F(QuorvaneTest, ApplicationsThatLaunchAreAnalysedAndThoseThatQuitAreDropped)
{
	pid_t first = StartApp("application/x-vnd.qv-tree");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start();
	ASSERT_TRUE(quorvane.WaitForLine("    Broken [3]"));

	// A launched application is analysed, and not printed.
	StartApp("application/x-vnd.qv-launched");
	ASSERT_TRUE(quorvane.WaitForLine("Application ScriptTargetApp reports 4 windows", 2));
	ASSERT_TRUE(quorvane.WaitForLine("  Window  of application ScriptTargetApp reports 0 views",
		2));

	// The quit of an analysed application is taken, and the program goes on.
	EXPECT_GE(fRuntime.Stop(first), 0);
	ASSERT_TRUE(fRuntime.WaitForAppGone(first));
	StartApp("application/x-vnd.qv-late");
	ASSERT_TRUE(quorvane.WaitForLine("  Window  of application ScriptTargetApp reports 0 views",
		3));
	snooze(200000);
	ExpectCleanExit(quorvane);

	Lines output = quorvane.Output();
	for (const std::string& line : output) {
		EXPECT_EQ(line.find("qv-launched"), std::string::npos) << line;
		EXPECT_EQ(line.find("qv-late"), std::string::npos) << line;
	}
	EXPECT_EQ(quorvane.Errors().size(), 6u);
}


TEST_F(QuorvaneTest, ALabelThatCannotBeFetchedIsReportedWithTheRequest)
{
	StartApp("application/x-vnd.qv-exitlabel", "exitlabel");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start();
	ASSERT_TRUE(quorvane.WaitForLine(kSuites));
	ExpectCleanExit(quorvane);

	Lines output = quorvane.Output();
	ASSERT_GE(output.size(), 4u);
	EXPECT_EQ(output[0], "Application ScriptTargetApp reports 4 windows");
	EXPECT_EQ(output[1], "  Window Main Window of application ScriptTargetApp reports 3 views");
	EXPECT_EQ(output[2], "Trying to get Label of View 0 of Window 0");
	EXPECT_EQ(output[3].rfind("Object supports: BMessage(B_REPLY):", 0), 0u) << output[3];
	bool sent = false;
	bool error = false;
	for (const std::string& line : output) {
		sent = sent || line == "Message sent: BMessage(B_GET_PROPERTY):";
		error = error || line.rfind("Error: ", 0) == 0;
	}
	EXPECT_TRUE(sent);
	EXPECT_TRUE(error);
	// The rest of the window is gone with its process (subtrees analysed beside the view
	// may have been found before); what was found is still printed.
	auto tree = std::find(output.begin(), output.end(),
		"\"application/x-vnd.qv-exitlabel\" (ScriptTargetApp) supports:");
	ASSERT_LE(tree + 4, output.end());
	EXPECT_EQ(Lines(tree + 1, tree + 4), Lines({ kSuites, "    Main Window [0]",
		"        MenuBar [0]" }));

	// The views asked side by side fail together: the first failures have their lines,
	// and once the analysis gives up, its line stands for the rest.
	Lines errors = quorvane.Errors();
	ASSERT_FALSE(errors.empty());
	EXPECT_NE(std::find_if(errors.begin(), errors.end(), [](const std::string& line) {
		return line.rfind("cannot 'count View' of View 0 of Main Window (", 0) == 0
			|| line.rfind("giving up on application 'ScriptTargetApp' after", 0) == 0;
	}), errors.end()) << errors[0];
}


TEST_F(QuorvaneTest, ALaterStartHandsItsArgumentsToTheRunningProgram)
{
	StartApp("application/x-vnd.qv-tree");
	StartApp("application/x-vnd.qv-nosuites", "nosuites");

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start({ "application/x-vnd.qv-tree" });
	ASSERT_TRUE(quorvane.WaitForLine("    Broken [3]"));

	// Single launch: the second start passes its arguments on and ends.
	pid_t second = fRuntime.Start("Quorvane", { "application/x-vnd.qv-nosuites" });
	int status = fRuntime.Wait(second, 10000000);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);
	std::string line = "\"application/x-vnd.qv-nosuites\" (ScriptTargetApp) is not scriptable";
	ASSERT_TRUE(quorvane.WaitForLine(line));
	ExpectCleanExit(quorvane);

	EXPECT_EQ(quorvane.Output(), concat(tree_lines("application/x-vnd.qv-tree"), { line }));
	EXPECT_EQ(quorvane.Errors(), tree_errors());
}


TEST_F(QuorvaneTest, TheSampleViewerIsPrintedWithItsWindowsAndViewsAtTheirDepths)
{
	setenv("BE_DISPLAY", "offscreen", 1);
	fRuntime.Start("SampleViewer");
	ASSERT_TRUE(fRuntime.WaitForApp("application/x-vnd.quorvane-SampleViewer"));

	QuorvaneProcess quorvane(fRuntime);
	quorvane.Start({ "SampleViewer" });
	ASSERT_TRUE(quorvane.WaitForLine("                Deep [0]"));
	ExpectCleanExit(quorvane);

	EXPECT_EQ(quorvane.Output(), Lines({
		"Application SampleViewer reports 2 windows",
		"  Window Sample Viewer of application SampleViewer reports 2 views",
		"      View 0 (Outer,) reports 1 views",
		"        View 0 (Panel,) reports 2 views",
		"          View 0 (Inner,) reports 3 views",
		"            View 0 (Leaf,) reports 0 views",
		"            View 1 (Icon,) reports 0 views",
		"            View 2 (,) reports 0 views",
		"          View 1 (Side,) reports 0 views",
		"      View 1 (,) reports 0 views",
		"  Window  of application SampleViewer reports 1 views",
		"      View 0 (Box,) reports 1 views",
		"        View 0 (,) reports 1 views",
		"          View 0 (Deep,) reports 0 views",
		"\"application/x-vnd.quorvane-SampleViewer\" (SampleViewer) supports:",
		kSuites,
		"    Sample Viewer [0]",
		"        Outer [0]",
		"            Panel [0]",
		"                Inner [0]",
		"                    Leaf [0]",
		"                    Icon [1]",
		"                     [2]",
		"                Side [1]",
		"         [1]",
		"     [1]",
		"        Box [0]",
		"             [0]",
		"                Deep [0]",
	}));
	EXPECT_EQ(quorvane.Errors(), Lines());
}


TEST(QuorvaneOptionsTest, VersionAndHelpPrintAndExit)
{
	std::string path = TestRuntime::BinaryPath("Quorvane");
	FILE* version = popen((path + " --version").c_str(), "r");
	ASSERT_NE(version, nullptr);
	char line[256] = "";
	ASSERT_NE(fgets(line, sizeof(line), version), nullptr);
	EXPECT_STREQ(line, "Quorvane 1.0a3\n");
	EXPECT_EQ(pclose(version), 0);

	FILE* help = popen((path + " SomeApp --help").c_str(), "r");
	ASSERT_NE(help, nullptr);
	ASSERT_NE(fgets(line, sizeof(line), help), nullptr);
	EXPECT_STREQ(line, "Usage: Quorvane [APPLICATION]...\n");
	EXPECT_EQ(pclose(help), 0);
}
