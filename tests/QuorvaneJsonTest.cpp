// Quorvane --json run as a user runs it, beside real applications on a private registrar: the
// document parses, holds the known trees with their error objects, matches the analysis
// target for target, and a hung application costs one timeout while the others complete.
#include <Errors.h>
#include <Message.h>
#include <OS.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "AnalysedTree.h"
#include "AnalysisLog.h"
#include "ExitStatus.h"
#include "JsonReport.h"
#include "ScriptingUtils.h"
#include "TestRuntime.h"

using nlohmann::json;

namespace {

const char* kTree = "application/x-vnd.qv-tree";
const char* kSilent = "application/x-vnd.qv-silent";


class QuorvaneJsonTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		setenv("BE_DISPLAY", "offscreen", 1);
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	}

	void StartApp(const char* name, const std::vector<std::string>& arguments,
		const char* signature)
	{
		fRuntime.Start(name, arguments);
		ASSERT_TRUE(fRuntime.WaitForApp(signature));
	}

	// Runs Quorvane with arguments and reads its standard output as JSON (discarded when it
	// does not parse); the exit status, or -1 when it did not exit in time.
	int Run(const std::vector<std::string>& arguments)
	{
		int status = fRuntime.Run("Quorvane", arguments, &fText, 20000000);
		fDocument = json::parse(fText, nullptr, false);
		return status;
	}

	const json& Application(const char* signature)
	{
		static const json kNone;
		for (const json& application : fDocument["applications"]) {
			if (application.value("signature", "") == signature)
				return application;
		}
		ADD_FAILURE() << "no " << signature << " in " << fText;
		return kNone;
	}

	TestRuntime fRuntime;
	std::string fText;
	json fDocument;
};


// One target as "<kind> <index> <internalName>|<name>|<shownName> <specifier>", its error
// after it, and its children indented below.
void
outline(const json& target, int depth, std::vector<std::string>* lines)
{
	lines->push_back(std::string(depth * 2, ' ') + target["kind"].get<std::string>() + " "
		+ std::to_string(target["index"].get<int>()) + " "
		+ target["internalName"].get<std::string>() + "|" + target["name"].get<std::string>()
		+ "|" + target["shownName"].get<std::string>() + " "
		+ target["specifier"].get<std::string>());
	if (target.contains("error")) {
		lines->push_back(std::string(depth * 2, ' ') + "! "
			+ target["error"]["request"].get<std::string>() + ": "
			+ target["error"]["status"].get<std::string>());
	}
	for (const json& child : target["views"])
		outline(child, depth + 1, lines);
}


// Checks target against the node that the analysis in this process built for it.
void
expect_same_target(const json& target, const ScriptingElement* node)
{
	std::string specifier = specifier_to_str(node->GetAccessPtr(), false).String();
	EXPECT_EQ(target["specifier"], specifier);
	EXPECT_EQ(target["internalName"], node->GetInternalName().String()) << specifier;
	EXPECT_EQ(target["name"], node->GetName().String()) << specifier;
	EXPECT_EQ(target["shownName"], node->Text()) << specifier;
	EXPECT_EQ(target["index"], node->GetIndex()) << specifier;

	std::vector<std::string> suites;
	const char* suite;
	for (int32 i = 0; node->GetSuites()->FindString("suites", i, &suite) == B_OK; i++)
		suites.push_back(suite);
	EXPECT_EQ(target["suites"], suites) << specifier;

	const json& chain = target["chain"];
	BMessage specifierMessage;
	for (int32 i = 0; node->GetAccessPtr()->FindMessage("specifiers", i,
			&specifierMessage) == B_OK; i++) {
		ASSERT_LT((size_t)i, chain.size()) << specifier;
		const char* property;
		int32 index;
		specifierMessage.FindString("property", &property);
		EXPECT_EQ(chain[i]["property"], property) << specifier;
		if (specifierMessage.FindInt32("index", &index) == B_OK) {
			EXPECT_EQ(chain[i]["index"], index) << specifier;
		}
	}

	ASSERT_EQ(target["views"].size(), (size_t)node->CountChildren()) << specifier;
	for (int32 i = 0; i < node->CountChildren(); i++)
		expect_same_target(target["views"][i], node->ChildAt(i));
}


// Whether a table is given for every suite of every target: in the application's "tables",
// or in the target's own when it differs.
void
expect_tables_for_all_suites(const json& target, const json& tables)
{
	for (const json& suite : target["suites"]) {
		EXPECT_TRUE(tables.contains(suite) || (target.contains("tables")
			&& target["tables"].contains(suite))) << suite;
	}
	for (const json& child : target.contains("windows") ? target["windows"] : target["views"])
		expect_tables_for_all_suites(child, tables);
}


// The document that Quorvane --json writes of the applications named, from analyses in this
// process that keep up to requestsInFlight requests in flight.
std::string
document_of(const std::vector<const char*>& names, int32 requestsInFlight)
{
	char* text = NULL;
	size_t size = 0;
	FILE* stream = open_memstream(&text, &size);
	JsonReport report(stream);
	report.Begin();
	for (const char* name : names) {
		std::unique_ptr<ScriptingApplication> node(CreateScriptingApplication(name));
		if (node == nullptr) {
			report.AddMissing(name);
			continue;
		}
		node->Budget()->SetLogged(false);
		node->Budget()->SetRequestsInFlight(requestsInFlight);
		node->Analyze(0);
		report.AddApplication(node.get());
	}
	report.End();
	fclose(stream);
	std::string document(text, size);
	free(text);
	return document;
}


// What the analyses of the applications named write to standard output and standard
// error, one after the other, in this process, keeping up to requestsInFlight requests in
// flight; the two joined, each after its own heading.
std::string
log_of(const std::vector<const char*>& names, int32 requestsInFlight)
{
	char* output = NULL;
	size_t outputSize = 0;
	char* errors = NULL;
	size_t errorsSize = 0;
	FILE* outputStream = open_memstream(&output, &outputSize);
	FILE* errorsStream = open_memstream(&errors, &errorsSize);
	AnalysisLog log(outputStream, errorsStream);
	for (const char* name : names) {
		std::unique_ptr<ScriptingApplication> node(CreateScriptingApplication(name));
		if (node == nullptr)
			continue;
		node->SetLog(&log);
		node->Budget()->SetRequestsInFlight(requestsInFlight);
		node->Analyze(0);
	}
	fclose(outputStream);
	fclose(errorsStream);
	std::string text = "output:\n" + std::string(output, outputSize) + "errors:\n"
		+ std::string(errors, errorsSize);
	free(output);
	free(errors);
	return text;
}

} // namespace


// The known tree of the test application, its two failed view counts as error objects in
// place of their subtrees, and a name that matches nothing as an error of its own.
TEST_F(QuorvaneJsonTest, TheKnownTreeWithItsErrorObjects)
{
	StartApp("ScriptTargetApp", { kTree, "tree" }, kTree);

	EXPECT_EQ(Run({ "--json", "ScriptTargetApp", "NoSuchApplication" }), kExitFailure);
	ASSERT_FALSE(fDocument.is_discarded()) << fText;
	ASSERT_EQ(fDocument["applications"].size(), 2u);

	const json& application = fDocument["applications"][0];
	EXPECT_EQ(application["kind"], "application");
	EXPECT_EQ(application["signature"], kTree);
	EXPECT_EQ(application["file"], "ScriptTargetApp");
	EXPECT_GT(application["team"].get<int>(), 0);
	EXPECT_EQ(application["scriptable"], true);
	EXPECT_EQ(application["complete"], true);
	EXPECT_EQ(application["suites"], json({ "suite/vnd.Be-application",
		"suite/vnd.Be-looper", "suite/vnd.Be-handler" }));
	const json& handler = application["tables"]["suite/vnd.Be-handler"]["properties"];
	ASSERT_FALSE(handler.empty());
	EXPECT_EQ(handler[0]["name"], "Suites");
	EXPECT_EQ(handler[0]["commands"], json({ "B_GET_PROPERTY" }));
	EXPECT_EQ(handler[0]["specifiers"], json({ "B_DIRECT_SPECIFIER" }));
	expect_tables_for_all_suites(application, application["tables"]);

	std::vector<std::string> lines;
	for (const json& window : application["windows"])
		outline(window, 0, &lines);
	std::string missing = strerror(B_NAME_NOT_FOUND);
	std::vector<std::string> expected = {
		"window 0 MainWindow|Main Window|MainWindow Window 0",
		"  view 0 MenuBar||MenuBar View 0 of Window 0",
		"  view 1 fBackView||fBackView View 1 of Window 0",
		"    view 0 fButton|Press\x1b[1m me|fButton View 0 of View 1 of Window 0",
		"    view 2 fStatus|Ready|fStatus View 2 of View 1 of Window 0",
		"    ! count View of View 2 of View 1 of Window 0: " + missing,
		"  view 2 ||View 2 View 2 of Window 0",
		"window 1 ||Window 1 Window 1",
		"window 3 BrokenWindow|Broken|BrokenWindow Window 3",
		"! count View of Window 3: " + missing,
	};
	EXPECT_EQ(lines, expected);
	EXPECT_EQ(application["windows"][0]["chain"], json::parse(
		R"([{"form":"B_INDEX_SPECIFIER","property":"Window","index":0}])"));

	const json& absent = fDocument["applications"][1];
	EXPECT_EQ(absent["name"], "NoSuchApplication");
	EXPECT_EQ(absent["error"]["request"], "find application");

	// A name that matches nothing alone fails too, and so does the roster with this tree.
	EXPECT_EQ(Run({ "--json", "NoSuchApplication" }), kExitFailure);
	EXPECT_EQ(Run({ "--json" }), kExitFailure);
}


// Every window and view of both sample applications appears as the analysis in this process
// finds it, with nothing failed, and nothing but the document on standard output.
TEST_F(QuorvaneJsonTest, TheSampleApplicationsMatchTheAnalysis)
{
	StartApp("SampleViewer", {}, "application/x-vnd.quorvane-SampleViewer");
	StartApp("SampleWorkbench", {}, "application/x-vnd.quorvane-SampleWorkbench");
	std::unique_ptr<ScriptingApplication> viewer = analysed_tree("SampleViewer", 2);
	std::unique_ptr<ScriptingApplication> workbench = analysed_tree("SampleWorkbench", 1);
	ASSERT_NE(viewer, nullptr);
	ASSERT_NE(workbench, nullptr);

	EXPECT_EQ(Run({ "--json" }), kExitSuccess) << fText;
	ASSERT_FALSE(fDocument.is_discarded()) << fText;
	EXPECT_EQ(fDocument["applications"].size(), 2u);
	for (const ScriptingApplication* tree : { viewer.get(), workbench.get() }) {
		const json& application = Application(tree->GetInternalName().String());
		ASSERT_FALSE(application.is_null());
		EXPECT_EQ(application["file"], tree->GetName().String());
		EXPECT_EQ(application["complete"], true);
		EXPECT_FALSE(application.contains("error"));
		ASSERT_EQ(application["windows"].size(), (size_t)tree->CountChildren());
		for (int32 i = 0; i < tree->CountChildren(); i++)
			expect_same_target(application["windows"][i], tree->ChildAt(i));
		expect_tables_for_all_suites(application, application["tables"]);
	}
}


// An application that answers nothing gets an error object after one request timeout; the
// application beside it is analysed whole meanwhile.
TEST_F(QuorvaneJsonTest, AHungApplicationGivesAnErrorWithinTheTimeout)
{
	StartApp("FaultTargetApp", { kSilent, "silent" }, kSilent);
	StartApp("ScriptTargetApp", { kTree, "tree" }, kTree);

	bigtime_t start = system_time();
	EXPECT_EQ(Run({ "--json", "--timeout", "0.5" }), kExitFailure);
	bigtime_t took = system_time() - start;
	ASSERT_FALSE(fDocument.is_discarded()) << fText;
	// One timeout, and the start of the program, on a busy machine.
	EXPECT_LT(took, 5000000);

	const json& silent = Application(kSilent);
	EXPECT_EQ(silent["scriptable"], false);
	EXPECT_EQ(silent["windows"].size(), 0u);
	EXPECT_EQ(silent["error"]["request"], "getsuites");
	EXPECT_EQ(silent["error"]["status"], strerror(B_TIMED_OUT));
	EXPECT_EQ(silent["error"]["code"], B_TIMED_OUT);

	const json& tree = Application(kTree);
	EXPECT_EQ(tree["windows"].size(), 3u);
	EXPECT_FALSE(tree.contains("error"));
}


TEST_F(QuorvaneJsonTest, UsageErrorsExitWithTwoAndPrintNothing)
{
	for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
			{ "--json", "--bogus" }, { "--json", "--timeout", "soon" },
			{ "--json", "--timeout", "-1" }, { "--json", "--timeout", "100000" },
			{ "--timeout", "5" } }) {
		EXPECT_EQ(Run(arguments), kExitUsage) << arguments.back();
		EXPECT_EQ(fText, "");
	}
}


// Requests in flight change when each target is asked, never what is written: the document
// of the sample applications, of the test application with its failed counts, of a target
// whose answers have the wrong types and of a deep generated tree is the same byte for
// byte whether the analysis sends one request at a time or several, and it is what the
// program writes; so is the log of the analysis.
TEST_F(QuorvaneJsonTest, RequestsInFlightWriteTheSameDocumentAndLogAsOneAtATime)
{
	const char* deep = "application/x-vnd.qv-deep-json";
	const char* garbage = "application/x-vnd.qv-garbage-json";
	StartApp("SampleViewer", {}, "application/x-vnd.quorvane-SampleViewer");
	StartApp("SampleWorkbench", {}, "application/x-vnd.quorvane-SampleWorkbench");
	StartApp("ScriptTargetApp", { kTree, "tree" }, kTree);
	StartApp("FaultTargetApp", { garbage, "garbage" }, garbage);
	StartApp("FaultTargetApp", { deep, "nested", "12", "40" }, deep);
	// The samples' windows open a little after they register.
	ASSERT_NE(analysed_tree("SampleViewer", 2), nullptr);
	ASSERT_NE(analysed_tree("SampleWorkbench", 1), nullptr);
	std::vector<const char*> names = { "SampleViewer", "SampleWorkbench", kTree, garbage,
		deep };

	std::string oneAtATime = document_of(names, 1);
	ASSERT_FALSE(json::parse(oneAtATime, nullptr, false).is_discarded()) << oneAtATime;
	// 12 windows of 40 nested views, each with its chain of specifiers written out.
	EXPECT_GT(oneAtATime.size(), 400000u);
	EXPECT_EQ(document_of(names, kMaxRequestsInFlight), oneAtATime);
	EXPECT_EQ(document_of(names, 3), oneAtATime);

	// So is the log of the analysis, line for line, failures included.
	std::string logOneAtATime = log_of(names, 1);
	EXPECT_NE(logOneAtATime.find("cannot extract number of views of Window 3"),
		std::string::npos) << logOneAtATime;
	EXPECT_EQ(log_of(names, kMaxRequestsInFlight), logOneAtATime);
	EXPECT_EQ(log_of(names, 3), logOneAtATime);

	std::vector<std::string> arguments = { "--json" };
	arguments.insert(arguments.end(), names.begin(), names.end());
	// The test application's failed counts make the run a failure, its document whole.
	EXPECT_EQ(Run(arguments), kExitFailure);
	EXPECT_EQ(fText, oneAtATime);
}


// The caps hold for the application as a whole when its subtrees are analysed side by side:
// a target claiming more windows than any application holds gets kMaxChildren of them, one
// whose views nest without end is cut at kMaxViewDepth, and each cut is said once.
TEST_F(QuorvaneJsonTest, RequestsInFlightKeepTheCapsOfTheWholeApplication)
{
	const char* many = "application/x-vnd.qv-many-json";
	const char* deep = "application/x-vnd.qv-deep-endless-json";
	StartApp("FaultTargetApp", { many, "nested", "2147483647", "0" }, many);
	StartApp("FaultTargetApp", { deep, "nested", "3", "1000000" }, deep);

	testing::internal::CaptureStderr();
	std::vector<std::unique_ptr<ScriptingApplication>> trees;
	for (const char* name : { many, deep }) {
		trees.emplace_back(CreateScriptingApplication(name));
		ASSERT_NE(trees.back(), nullptr) << name;
		trees.back()->Budget()->SetLogged(false);
		trees.back()->Budget()->SetRequestsInFlight(kMaxRequestsInFlight);
		trees.back()->Analyze(0);
	}
	std::string errors = testing::internal::GetCapturedStderr();

	EXPECT_EQ(trees[0]->CountChildren(), kMaxChildren);
	EXPECT_FALSE(trees[0]->GaveUp());
	ASSERT_EQ(trees[1]->CountChildren(), 3);
	for (int32 i = 0; i < 3; i++) {
		// The window, then one view a level down to the deepest analysed.
		int32 levels = 0;
		for (const ScriptingElement* node = trees[1]->ChildAt(i); node->CountChildren() > 0;
				node = node->ChildAt(0))
			levels++;
		EXPECT_EQ(levels, kMaxViewDepth) << i;
	}
	std::string tooMany = "reports 2147483647 windows; only the first "
		+ std::to_string(kMaxChildren) + " are analysed\n";
	std::string tooDeep = "nests views deeper than " + std::to_string(kMaxViewDepth)
		+ " levels; the deeper ones are not analysed\n";
	size_t first = errors.find(tooMany);
	EXPECT_NE(first, std::string::npos) << errors;
	EXPECT_EQ(errors.find(tooMany, first + 1), std::string::npos) << errors;
	first = errors.find(tooDeep);
	EXPECT_NE(first, std::string::npos) << errors;
	EXPECT_EQ(errors.find(tooDeep, first + 1), std::string::npos) << errors;
}
