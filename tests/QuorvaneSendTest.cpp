// Quorvane --send: the request made from the words of the command line, and the program run
// as a user runs it against real applications on a private registrar: get/set round trips
// on the sample applications' controls, exit statuses, and bad words refused before
// anything is sent.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <stdlib.h>
#include <sys/wait.h>

#include <fstream>
#include <string>
#include <vector>

#include "AnalysedTree.h"
#include "ExitStatus.h"
#include "FaultTargetCounts.h"
#include "ScriptingUtils.h"
#include "SendCommand.h"
#include "TestRuntime.h"

namespace {

const char* kWorkbench = "application/x-vnd.quorvane-SampleWorkbench";
const char* kCounted = "application/x-vnd.qv-counted";


BString
problem_of(const std::vector<std::string>& words)
{
	BMessage request;
	BString problem;
	EXPECT_EQ(make_send_request(words, &request, &problem), B_BAD_VALUE);
	return problem;
}


class QuorvaneSendTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		setenv("BE_DISPLAY", "offscreen", 1);
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	}

	// Runs Quorvane with arguments; its exit status, or -1 when it did not exit in time.
	int Run(const std::vector<std::string>& arguments)
	{
		return fRuntime.Run("Quorvane", arguments, &fOutput, 10000000);
	}

	// Runs Quorvane with arguments, its standard error going where its output goes.
	int RunWithErrors(const std::vector<std::string>& arguments)
	{
		std::vector<std::string> shell = { "-c", "exec \"$0\" \"$@\" 2>&1",
			TestRuntime::BinaryPath("Quorvane") };
		shell.insert(shell.end(), arguments.begin(), arguments.end());
		std::string file = fRuntime.Directory() + "/Quorvane.all";
		int status = fRuntime.Wait(fRuntime.Start("/bin/sh", shell, file), 10000000);
		std::ifstream stream(file);
		fOutput.assign(std::istreambuf_iterator<char>(stream),
			std::istreambuf_iterator<char>());
		return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

	// Sends with --json and returns the "result" of the reply.
	nlohmann::json Result(const std::vector<std::string>& words)
	{
		std::vector<std::string> arguments = { "--json", "--send", "SampleWorkbench" };
		arguments.insert(arguments.end(), words.begin(), words.end());
		EXPECT_EQ(Run(arguments), kExitSuccess) << fOutput;
		nlohmann::json reply = nlohmann::json::parse(fOutput, nullptr, false);
		if (reply.is_discarded() || !reply["fields"].contains("result"))
			return nullptr;
		return reply["fields"]["result"]["values"][0];
	}

	TestRuntime fRuntime;
	std::string fOutput;
};

} // namespace


TEST(SendCommandTest, WordsMakeTheRequestOfTheirCommand)
{
	BMessage request;
	BString problem;
	ASSERT_EQ(make_send_request({ "set", "Label", "of", "View", "\"ok Button\"", "of",
		"Window", "0", "to", "\"Go\"" }, &request, &problem), B_OK) << problem.String();
	EXPECT_EQ(request.what, (uint32)B_SET_PROPERTY);
	EXPECT_EQ(specifier_to_str(&request, false), "Label of View \"ok Button\" of Window 0");
	const char* data;
	ASSERT_EQ(request.FindString("data", &data), B_OK);
	EXPECT_STREQ(data, "Go");

	// The phrase may also come as one word, as a quoted shell argument gives it.
	ASSERT_EQ(make_send_request({ "count", "View of Window \"Main\"" }, &request, &problem),
		B_OK);
	EXPECT_EQ(request.what, (uint32)B_COUNT_PROPERTIES);
	EXPECT_EQ(specifier_to_str(&request, false), "View of Window \"Main\"");
	EXPECT_FALSE(request.HasData("data", B_ANY_TYPE));

	ASSERT_EQ(make_send_request({ "getsuites" }, &request, &problem), B_OK);
	EXPECT_EQ(request.what, (uint32)B_GET_SUPPORTED_SUITES);
	EXPECT_FALSE(request.HasSpecifiers());

	const std::pair<const char*, uint32> kCommands[] = {
		{ "get", B_GET_PROPERTY }, { "create", B_CREATE_PROPERTY },
		{ "delete", B_DELETE_PROPERTY }, { "execute", B_EXECUTE_PROPERTY } };
	for (const auto& command : kCommands) {
		ASSERT_EQ(make_send_request({ command.first, "Frame" }, &request, &problem), B_OK);
		EXPECT_EQ(request.what, command.second) << command.first;
	}
}


TEST(SendCommandTest, BadWordsSayWhatAndPointAtIt)
{
	EXPECT_STREQ(problem_of({ "get", "Label", "of", "View", "okButton" }).String(),
		"cannot read the specifier: cannot read this after View: a name goes in double "
		"quotes (View \"name\"), an index is a number, a range is [first to count]\n"
		"    Label of View okButton\n"
		"                  ^");
	EXPECT_STREQ(problem_of({ "set", "Label of Window 0", "to", "Hello" }).String(),
		"cannot read the value: a value is a \"string\" in double quotes, an integer, a "
		"float, true, false, BPoint(x, y) or BRect(left, top, right, bottom)\n"
		"    Label of Window 0 to Hello\n"
		"                         ^");
	// The caret counts characters, not bytes, and escapes as the line above shows them.
	EXPECT_STREQ(problem_of({ "get", "View \"\xc3\xa9\te\" of Window x" }).String(),
		"cannot read the specifier: cannot read this after Window: a name goes in double "
		"quotes (Window \"name\"), an index is a number, a range is [first to count]\n"
		"    View \"\xc3\xa9\\te\" of Window x\n"
		"                          ^");
	EXPECT_NE(problem_of({ "frobnicate", "Frame" }).FindFirst("unknown command"), -1);
	EXPECT_NE(problem_of({}).FindFirst("expected a command"), -1);
	EXPECT_NE(problem_of({ "set", "Label of Window 0" }).FindFirst("set needs a value"), -1);
	EXPECT_NE(problem_of({ "set", "Label of Window 0 to" }).FindFirst("\" of \""), -1);
	EXPECT_NE(problem_of({ "set", "Label of Window 0 to " }).FindFirst("a value is"), -1);
}


// A label and a check box's value set from the command line read back as set, and the exit
// status follows the reply.
TEST_F(QuorvaneSendTest, GetAndSetRoundTripOnTheSampleControls)
{
	fRuntime.Start("SampleWorkbench");
	ASSERT_TRUE(fRuntime.WaitForApp(kWorkbench));
	std::unique_ptr<ScriptingApplication> tree = analysed_tree("SampleWorkbench", 1);
	ASSERT_NE(tree, nullptr);
	ScriptingElement* button = tree->FindElement("ApplyButton");
	ScriptingElement* checkBox = tree->FindElement("FollowSelection");
	ASSERT_NE(button, nullptr);
	ASSERT_NE(checkBox, nullptr);
	std::string buttonPhrase = specifier_to_str(button->GetAccessPtr(), false).String();
	std::string checkBoxPhrase = specifier_to_str(checkBox->GetAccessPtr(), false).String();

	EXPECT_EQ(Result({ "get", "Label of " + buttonPhrase }), "Apply");
	EXPECT_EQ(Run({ "--send", "SampleWorkbench", "set", "Label", "of", buttonPhrase, "to",
		"\"Go now\"" }), kExitSuccess) << fOutput;
	EXPECT_EQ(fOutput, "BMessage(B_REPLY):\n   \"error\" (B_INT32_TYPE) : 0 (0x00000000)\n");
	EXPECT_EQ(Result({ "get", "Label of " + buttonPhrase }), "Go now");

	for (int value : { 1, 0 }) {
		EXPECT_EQ(Run({ "--send", kWorkbench, "set", "Value of " + checkBoxPhrase, "to",
			std::to_string(value) }), kExitSuccess);
		EXPECT_EQ(Result({ "get", "Value of " + checkBoxPhrase }), value);
	}
	EXPECT_EQ(Result({ "get", "Title of Window \"Workbench\"" }), "Workbench");
	nlohmann::json frame = Result({ "get", "Frame of Window 0" });
	EXPECT_TRUE(frame.contains("left") && frame.contains("bottom")) << frame.dump();

	// The target's error reply, an application that is not running, a request that
	// nothing answers in time.
	EXPECT_EQ(Run({ "--send", "SampleWorkbench", "get", "Nothing of Window 0" }),
		kExitFailure);
	EXPECT_NE(fOutput.find("B_MESSAGE_NOT_UNDERSTOOD"), std::string::npos) << fOutput;
	EXPECT_EQ(Run({ "--send", "NoSuchApplication", "get", "Frame of Window 0" }),
		kExitFailure);
	EXPECT_EQ(fOutput, "");
}


// A request that the target cannot resolve is explained by the word it could not resolve:
// a property that no suite lists, an element that does not exist, a command the property
// does not take.
TEST_F(QuorvaneSendTest, AnUnresolvedRequestNamesTheWrongWord)
{
	fRuntime.Start("SampleViewer");
	ASSERT_TRUE(fRuntime.WaitForApp("application/x-vnd.quorvane-SampleViewer"));

	const std::pair<std::vector<std::string>, std::string> kCases[] = {
		{ { "get", "Title", "of", "Widow", "0" },
			"no property \"Widow\" in the suites of application 'SampleViewer'" },
		{ { "get", "Label of View \"noSuchView\" of Window 0" },
			"no view named \"noSuchView\" in Window 0 of 'SampleViewer'" },
		{ { "count", "View of View 99 of Window 0" },
			"no view 99 in Window 0 of 'SampleViewer'" },
		{ { "get", "Window -9" }, "no window -9 in application 'SampleViewer'" },
		{ { "get", "Labl of View 0 of Window 0" },
			"no property \"Labl\" in the suites of View 0 of Window 0 of 'SampleViewer'" },
		{ { "set", "Suites of Window 0 to 1" },
			"property \"Suites\" of Window 0 of 'SampleViewer' cannot be set" },
	};
	for (const auto& [words, sentence] : kCases) {
		std::vector<std::string> arguments = { "--send", "SampleViewer" };
		arguments.insert(arguments.end(), words.begin(), words.end());
		EXPECT_EQ(RunWithErrors(arguments), kExitFailure) << sentence;
		EXPECT_NE(fOutput.find("Quorvane: " + sentence + "\n"), std::string::npos)
			<< fOutput;
		EXPECT_EQ(fOutput.find("answered:"), std::string::npos) << fOutput;
	}

	// A request that resolves is not explained: its error is the target's own.
	EXPECT_EQ(RunWithErrors({ "--send", "SampleViewer", "set", "Title of Window 0 to 3" }),
		kExitFailure);
	EXPECT_NE(fOutput.find("'SampleViewer' answered: "), std::string::npos) << fOutput;
}


// Bad phrases, values, commands and options end with status 2 before anything is sent:
// the target has answered no more requests afterwards than before.
TEST_F(QuorvaneSendTest, BadWordsExitWithTwoAndSendNothing)
{
	fRuntime.Start("FaultTargetApp", { kCounted, "nested", "1", "1" });
	ASSERT_TRUE(fRuntime.WaitForApp(kCounted));
	int64 before = fault_target_counts(kCounted).answered;
	ASSERT_GE(before, 0);

	const std::vector<std::vector<std::string>> kBad = {
		{ "--send", kCounted, "get", "Label", "of", "View", "okButton" },
		{ "--send", kCounted, "set", "Label of Window 0", "to", "Hello" },
		{ "--send", kCounted, "set", "Label of Window 0" },
		{ "--send", kCounted, "frobnicate" },
		{ "--send", kCounted },
		{ "--send", kCounted, "get", "Label", "--timeout", "0" },
		{ "--send", kCounted, "get", "Label", "--timeout" },
	};
	for (const std::vector<std::string>& arguments : kBad) {
		EXPECT_EQ(Run(arguments), kExitUsage) << arguments.back();
		EXPECT_EQ(fOutput, "");
	}
	EXPECT_EQ(fault_target_counts(kCounted).answered, before);

	EXPECT_EQ(Run({ "--send", kCounted, "get", "Label of Window 0" }), kExitSuccess);
	EXPECT_EQ(fault_target_counts(kCounted).answered, before + 1);
}


// A target that keeps its requests unanswered costs the timeout given, then exit status 1
// with the reason on standard error and nothing on standard output.
TEST_F(QuorvaneSendTest, ATargetThatDoesNotAnswerFailsAfterTheTimeout)
{
	const char* silent = "application/x-vnd.qv-silent";
	fRuntime.Start("FaultTargetApp", { silent, "silent" });
	ASSERT_TRUE(fRuntime.WaitForApp(silent));

	bigtime_t start = system_time();
	EXPECT_EQ(Run({ "--send", silent, "get", "Title of Window 0", "--timeout", "0.5" }),
		kExitFailure);
	bigtime_t took = system_time() - start;
	EXPECT_GE(took, 500000);
	// The timeout, and the start of the program on a busy machine.
	EXPECT_LT(took, 5000000);
	EXPECT_EQ(fOutput, "");
}
