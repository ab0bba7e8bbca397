// The suites answer what they list: every command of every row of every suite that the
// sample applications' application, windows and views list, with every specifier form the
// row lists, is understood. An error such as B_BAD_VALUE (a set without "data") or
// B_BAD_INDEX is an answer; B_MESSAGE_NOT_UNDERSTOOD is not, except where a row resolves
// to an element that the target lacks (a view's shelf, a window's key menu bar), which is
// answered so with B_BAD_INDEX or B_NAME_NOT_FOUND.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <PropertyInfo.h>

#include "TestRuntime.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const bigtime_t kRequestTimeout = 5000000;
// The whole walk of one application must end within this.
const bigtime_t kWalkBudget = 90000000;
// Commands that change or end what they name go to an element that does not exist, so
// that the walk leaves the application as it found it.
const int32 kAbsentIndex = 100000;
const char* kAbsentName = "(no element of this name)";

struct SampleApp {
	const char* executable;
	const char* signature;
	int32 windows;
};

// Test names and failures show the application by its executable.
void
PrintTo(const SampleApp& app, std::ostream* stream)
{
	*stream << app.executable;
}

// A target: the specifiers that lead to it, innermost first, and how to name it in a
// failure.
struct Target {
	std::vector<BMessage> chain;
	std::string label;
};


BMessage
specifier_for(const char* property, int32 form, int32 index, const char* name)
{
	BMessage specifier((uint32)form);
	specifier.AddString("property", property);
	switch (form) {
		case B_INDEX_SPECIFIER:
		case B_REVERSE_INDEX_SPECIFIER:
			specifier.AddInt32("index", index);
			break;
		case B_RANGE_SPECIFIER:
		case B_REVERSE_RANGE_SPECIFIER:
			specifier.AddInt32("index", index);
			specifier.AddInt32("range", 1);
			break;
		case B_NAME_SPECIFIER:
			specifier.AddString("name", name);
			break;
		case B_ID_SPECIFIER:
			specifier.AddInt32("id", index);
			break;
	}
	return specifier;
}


std::string
form_name(int32 form)
{
	switch (form) {
		case B_DIRECT_SPECIFIER: return "direct";
		case B_INDEX_SPECIFIER: return "index";
		case B_REVERSE_INDEX_SPECIFIER: return "reverse index";
		case B_RANGE_SPECIFIER: return "range";
		case B_REVERSE_RANGE_SPECIFIER: return "reverse range";
		case B_NAME_SPECIFIER: return "name";
		case B_ID_SPECIFIER: return "id";
	}
	return std::to_string(form);
}


int32
error_of(const BMessage& reply)
{
	int32 error = B_OK;
	reply.FindInt32("error", &error);
	return error;
}


class SuitesAnswerTest : public testing::TestWithParam<SampleApp> {
protected:
	void SetUp() override
	{
		setenv("BE_DISPLAY", "offscreen", 1);
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
		fRuntime.Start(GetParam().executable);
		ASSERT_TRUE(fRuntime.WaitForApp(GetParam().signature));
		fMessenger = BMessenger(GetParam().signature);
		ASSERT_TRUE(fMessenger.IsValid());
		// The windows open in ReadyToRun, a little after the registration.
		Target application;
		for (int i = 0; i < 500 && Count(application, "Window") < GetParam().windows; i++)
			snooze(10000);
		ASSERT_EQ(Count(application, "Window"), GetParam().windows);
	}

	// Sends command with the specifier (when given) to the target; the reply.
	BMessage Send(uint32 command, const BMessage* specifier, const Target& target)
	{
		BMessage request(command);
		if (specifier != NULL)
			request.AddSpecifier(specifier);
		for (const BMessage& level : target.chain)
			request.AddSpecifier(&level);
		BMessage reply;
		EXPECT_EQ(fMessenger.SendMessage(&request, &reply, kRequestTimeout,
			kRequestTimeout), B_OK);
		return reply;
	}

	int32 Count(const Target& target, const char* property)
	{
		BMessage specifier = specifier_for(property, B_DIRECT_SPECIFIER, 0, NULL);
		BMessage reply = Send(B_COUNT_PROPERTIES, &specifier, target);
		int32 count = -1;
		reply.FindInt32("result", &count);
		return count;
	}

	// The name of the first element of property, as its "InternalName" or its "Label";
	// kAbsentName when it has neither.
	std::string FirstName(const Target& target, const char* property)
	{
		for (const char* naming : { "InternalName", "Label" }) {
			Target first = target;
			first.chain.insert(first.chain.begin(),
				specifier_for(property, B_INDEX_SPECIFIER, 0, NULL));
			BMessage specifier = specifier_for(naming, B_DIRECT_SPECIFIER, 0, NULL);
			BMessage reply = Send(B_GET_PROPERTY, &specifier, first);
			const char* name;
			if (reply.FindString("result", &name) == B_OK && name[0] != '\0')
				return name;
		}
		return kAbsentName;
	}

	// Sends every listed command with every listed form of every row of the target's
	// suites; returns how many requests it sent.
	int32 AskEveryRow(const Target& target)
	{
		BMessage suites = Send(B_GET_SUPPORTED_SUITES, NULL, target);
		EXPECT_TRUE(suites.HasString("suites")) << target.label;

		int32 sent = 0;
		const char* suite;
		for (int32 s = 0; suites.FindString("suites", s, &suite) == B_OK; s++) {
			BPropertyInfo info;
			EXPECT_EQ(suites.FindFlat("messages", s, &info), B_OK) << suite;
			for (int32 p = 0; p < info.CountProperties(); p++) {
				const property_info& row = info.Properties()[p];
				sent += AskRow(target, suite, row);
			}
		}
		return sent;
	}

	int32 AskRow(const Target& target, const char* suite, const property_info& row)
	{
		// A row without commands resolves to another handler: what it resolves to is
		// asked for its suites. A row without forms accepts any: it gets the index form.
		bool resolves = row.commands[0] == 0;
		std::vector<uint32> commands;
		for (int32 i = 0; i < 10 && row.commands[i] != 0; i++)
			commands.push_back(row.commands[i]);
		if (resolves)
			commands.push_back(B_GET_SUPPORTED_SUITES);
		std::vector<int32> forms;
		for (int32 i = 0; i < 10 && row.specifiers[i] != 0; i++)
			forms.push_back((int32)row.specifiers[i]);
		if (forms.empty())
			forms.push_back(B_INDEX_SPECIFIER);

		int32 sent = 0;
		for (uint32 command : commands) {
			bool changes = command == B_DELETE_PROPERTY || command == B_EXECUTE_PROPERTY;
			for (int32 form : forms) {
				// Reverse forms count from 1 at the last element.
				bool reverse = form == B_REVERSE_INDEX_SPECIFIER
					|| form == B_REVERSE_RANGE_SPECIFIER;
				int32 index = changes ? kAbsentIndex : reverse ? 1 : 0;
				std::string name = changes ? std::string(kAbsentName)
					: form == B_NAME_SPECIFIER ? FirstName(target, row.name) : "";
				BMessage specifier = specifier_for(row.name, form, index, name.c_str());
				BMessage reply = Send(command, &specifier, target);
				sent++;
				std::string what = target.label + ": " + suite + " \"" + row.name + "\" "
					+ std::string(1, (char)(command >> 24)) + (char)(command >> 16)
					+ (char)(command >> 8) + (char)command + " " + form_name(form);
				if (reply.what != B_MESSAGE_NOT_UNDERSTOOD)
					continue;
				int32 error = error_of(reply);
				EXPECT_TRUE(resolves && (error == B_BAD_INDEX || error == B_NAME_NOT_FOUND))
					<< what << " was not understood (error " << error << ")";
			}
		}
		return sent;
	}

	TestRuntime fRuntime;
	BMessenger fMessenger;
};


TEST_P(SuitesAnswerTest, EveryListedCommandAndFormIsUnderstood)
{
	bigtime_t deadline = system_time() + kWalkBudget;
	std::vector<Target> targets = { Target{ {}, "application" } };
	int32 windows = Count(targets[0], "Window");
	for (int32 i = 0; i < windows; i++) {
		targets.push_back(Target{ { specifier_for("Window", B_INDEX_SPECIFIER, i, NULL) },
			"Window " + std::to_string(i) });
	}
	// Every view of every window, depth first: "View" of a window is its top view's
	// children.
	for (size_t t = 1; t < targets.size(); t++) {
		int32 children = Count(targets[t], "View");
		for (int32 j = 0; j < children; j++) {
			Target child = targets[t];
			child.chain.insert(child.chain.begin(),
				specifier_for("View", B_INDEX_SPECIFIER, j, NULL));
			child.label = "View " + std::to_string(j) + " of " + targets[t].label;
			targets.push_back(child);
		}
		ASSERT_LT(system_time(), deadline);
	}
	EXPECT_GT(targets.size(), (size_t)windows + 3);

	int32 sent = 0;
	for (const Target& target : targets) {
		sent += AskEveryRow(target);
		ASSERT_LT(system_time(), deadline) << "after " << sent << " requests";
	}
	// The walk asked something of every suite's rows.
	EXPECT_GT(sent, (int32)targets.size() * 5);

	// Still there and still answering: nothing sent ended or emptied it.
	EXPECT_EQ(Count(targets[0], "Window"), windows);
}


TEST_P(SuitesAnswerTest, ASetWithoutDataGetsTheSameAnswerFromAWindowAndAView)
{
	Target window{ { specifier_for("Window", B_INDEX_SPECIFIER, 0, NULL) }, "Window 0" };
	Target view = window;
	view.chain.insert(view.chain.begin(), specifier_for("View", B_INDEX_SPECIFIER, 0, NULL));
	view.label = "View 0 of Window 0";
	for (const Target& target : { window, view }) {
		for (const char* property : { "Frame", "Hidden" }) {
			BMessage specifier = specifier_for(property, B_DIRECT_SPECIFIER, 0, NULL);
			BMessage before = Send(B_GET_PROPERTY, &specifier, target);
			BMessage reply = Send(B_SET_PROPERTY, &specifier, target);
			EXPECT_EQ(reply.what, (uint32)B_REPLY) << property << " of " << target.label;
			EXPECT_EQ(error_of(reply), B_BAD_VALUE) << property << " of " << target.label;
			BMessage after = Send(B_GET_PROPERTY, &specifier, target);
			BRect frameBefore;
			BRect frameAfter;
			bool hiddenBefore = false;
			bool hiddenAfter = true;
			if (before.FindRect("result", &frameBefore) == B_OK) {
				ASSERT_EQ(after.FindRect("result", &frameAfter), B_OK);
				EXPECT_EQ(frameAfter, frameBefore) << target.label;
			} else {
				ASSERT_EQ(before.FindBool("result", &hiddenBefore), B_OK);
				ASSERT_EQ(after.FindBool("result", &hiddenAfter), B_OK);
				EXPECT_EQ(hiddenAfter, hiddenBefore) << target.label;
			}
		}
	}
}


INSTANTIATE_TEST_SUITE_P(SampleApps, SuitesAnswerTest, testing::Values(
	SampleApp{ "SampleViewer", "application/x-vnd.quorvane-SampleViewer", 2 },
	SampleApp{ "SampleWorkbench", "application/x-vnd.quorvane-SampleWorkbench", 2 }),
	[](const testing::TestParamInfo<SampleApp>& info) {
		return std::string(info.param.executable);
	});

} // namespace
