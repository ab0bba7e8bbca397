// Reading specifier phrases: every form that specifier_to_str() writes reads back as the same
// specifier, the chain of every target of the sample applications reads back as itself, and
// a phrase that cannot be read says where.
#include <AppDefs.h>
#include <Message.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "AnalysedTree.h"
#include "ScriptingUtils.h"
#include "SpecifierParser.h"
#include "TestRuntime.h"

namespace {

// Whether both messages hold the same specifiers, field for field, and the same
// "autoresolve".
::testing::AssertionResult
same_chain(const BMessage& expected, const BMessage& actual)
{
	int32 expectedCount = 0;
	int32 actualCount = 0;
	expected.GetInfo("specifiers", NULL, &expectedCount);
	actual.GetInfo("specifiers", NULL, &actualCount);
	if (expectedCount != actualCount) {
		return ::testing::AssertionFailure() << expectedCount << " specifiers expected, "
			<< actualCount << " read";
	}
	for (int32 i = 0; i < expectedCount; i++) {
		BMessage first;
		BMessage second;
		expected.FindMessage("specifiers", i, &first);
		actual.FindMessage("specifiers", i, &second);
		ssize_t size = first.FlattenedSize();
		std::string firstBytes(size, '\0');
		first.Flatten(firstBytes.data(), size);
		size = second.FlattenedSize();
		std::string secondBytes(size, '\0');
		second.Flatten(secondBytes.data(), size);
		if (firstBytes != secondBytes)
			return ::testing::AssertionFailure() << "specifier " << i << " differs";
	}
	int32 expectedAutoresolve = -1;
	int32 actualAutoresolve = -1;
	expected.FindInt32("autoresolve", &expectedAutoresolve);
	actual.FindInt32("autoresolve", &actualAutoresolve);
	if (expectedAutoresolve != actualAutoresolve)
		return ::testing::AssertionFailure() << "autoresolve differs";
	return ::testing::AssertionSuccess();
}


// Writes chain as a phrase, reads it back, and checks both ways.
void
expect_round_trip(const BMessage& chain)
{
	BString phrase = specifier_to_str(&chain, false);
	BMessage read;
	PhraseResult result = parse_specifiers(phrase.String(), &read, false);
	ASSERT_EQ(result.status, B_OK) << phrase.String() << ": " << result.problem.String();
	EXPECT_EQ(result.offset, phrase.Length());
	EXPECT_TRUE(same_chain(chain, read)) << phrase.String();
	EXPECT_EQ(specifier_to_str(&read, false), phrase);
}


BMessage
specifier(uint32 form, const char* property, int32 index, int32 range = -1)
{
	BMessage message(form);
	message.AddString("property", property);
	message.AddInt32("index", index);
	if (range >= 0)
		message.AddInt32("range", range);
	return message;
}


PhraseResult
parse(const char* text, bool valueMayFollow = false)
{
	BMessage message;
	PhraseResult result = parse_specifiers(text, &message, valueMayFollow);
	if (result.status != B_OK) {
		EXPECT_TRUE(message.IsEmpty()) << text;
	}
	return result;
}

} // namespace


TEST(SpecifierParserTest, EveryFormReadsBackAsItWasWritten)
{
	BMessage chain(B_GET_PROPERTY);
	chain.AddSpecifier("Label");
	chain.AddSpecifier("View", "okButton");
	chain.AddSpecifier("View", 1);
	chain.AddSpecifier("Window", 0);
	expect_round_trip(chain);

	BMessage forms(B_GET_PROPERTY);
	forms.AddSpecifier("Item", 2, 3);
	BMessage reverseRange = specifier(B_REVERSE_RANGE_SPECIFIER, "Item", 2, 3);
	forms.AddSpecifier(&reverseRange);
	BMessage reverseIndex = specifier(B_REVERSE_INDEX_SPECIFIER, "Window", 1);
	forms.AddSpecifier(&reverseIndex);
	BMessage none(B_NO_SPECIFIER);
	forms.AddSpecifier(&none);
	forms.AddSpecifier("Window", 2147483647);
	expect_round_trip(forms);
	EXPECT_EQ(specifier_to_str(&forms, false),
		"Item [2 to 3] of Item [-2 to 3] of Window -1 of (none) of Window 2147483647");

	// A reverse index stored negative, and "autoresolve" read back from " in ".
	BMessage odd(B_GET_PROPERTY);
	BMessage negative = specifier(B_REVERSE_INDEX_SPECIFIER, "Window", -2);
	odd.AddSpecifier("Frame");
	odd.AddSpecifier(&negative);
	odd.AddSpecifier("View", 0);
	odd.AddInt32("autoresolve", 2);
	expect_round_trip(odd);
	EXPECT_EQ(specifier_to_str(&odd, false), "Frame of Window --2 in View 0");
}


// Names are written without escapes: they may hold blanks, double quotes and the words
// that join specifiers, as long as no double quote in them stands before a separator.
TEST(SpecifierParserTest, NamesKeepBlanksQuotesAndSeparatorWords)
{
	for (const char* name : { "", "a b", "say \"hi\"", "\"", "x of y", "go to", "of ",
			"\xc3\xa9t\xc3\xa9", "tab\there" }) {
		BMessage chain(B_GET_PROPERTY);
		chain.AddSpecifier("View", name);
		chain.AddSpecifier("Window", name);
		expect_round_trip(chain);
	}
}


TEST(SpecifierParserTest, AValueAfterToEndsThePhraseOnlyWhenOneMayFollow)
{
	const char* text = "Label of View \"go to\" of Window 0 to \"Hi\"";
	BMessage message;
	PhraseResult result = parse_specifiers(text, &message, true);
	ASSERT_EQ(result.status, B_OK) << result.problem.String();
	EXPECT_STREQ(text + result.offset, "to \"Hi\"");
	EXPECT_EQ(specifier_to_str(&message, false), "Label of View \"go to\" of Window 0");

	// A range's " to " is part of the range either way.
	result = parse("Item [1 to 2] to 5", true);
	EXPECT_EQ(result.status, B_OK);
	EXPECT_EQ(result.offset, 14);

	result = parse("Label of Window 0 to 5", false);
	EXPECT_EQ(result.status, B_BAD_VALUE);
	EXPECT_EQ(result.offset, 17);
}


// Each bad phrase is refused, adds nothing, and points at the first byte of the word that
// could not be read.
TEST(SpecifierParserTest, BadPhrasesPointAtTheWordThatCouldNotBeRead)
{
	struct Case {
		const char*	text;
		int32		offset;
		const char*	problem;
	};
	const Case kCases[] = {
		{ "", 0, "property name" },
		{ "Label of View okButton of Window 0", 14, "double quotes" },
		{ "Label of", 8, "another specifier" },
		{ "Label of ", 9, "property name" },
		{ "Label  of Window 0", 6, "double quotes" },
		{ "View \"open", 5, "closing double quote" },
		{ "View \"a\" b", 5, "closing double quote" },
		{ "Window 12x", 9, "\" of \"" },
		{ "Window 99999999999", 7, "32 bits" },
		{ "Window -", 8, "an index" },
		{ "Item [2 to", 7, "range" },
		{ "Item [2 3]", 7, "\" to \"" },
		{ "Item [2 to 3", 12, "]" },
		{ "Item [x to 3]", 6, "first index" },
		{ "Frame in View 0 in Window 0", 16, "only one" },
		{ "Label off Window 0", 6, "double quotes" },
		{ "\"quoted\" of Window 0", 0, "property name" },
	};
	for (const Case& test : kCases) {
		PhraseResult result = parse(test.text);
		EXPECT_EQ(result.status, B_BAD_VALUE) << test.text;
		EXPECT_EQ(result.offset, test.offset) << test.text << ": " << result.problem.String();
		EXPECT_NE(result.problem.FindFirst(test.problem), -1)
			<< test.text << ": " << result.problem.String();
	}
}


// The chain of every window and view of both sample applications, as the analysis built it
// and as the specifier field shows it, reads back as the same chain; so does the request
// for a property of each.
TEST(SpecifierParserTest, EveryTargetOfTheSampleApplicationsReadsBackAsItsChain)
{
	setenv("BE_DISPLAY", "offscreen", 1);
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	runtime.Start("SampleViewer");
	runtime.Start("SampleWorkbench");
	ASSERT_TRUE(runtime.WaitForApp("application/x-vnd.quorvane-SampleViewer"));
	ASSERT_TRUE(runtime.WaitForApp("application/x-vnd.quorvane-SampleWorkbench"));

	int32 targets = 0;
	for (const char* name : { "SampleViewer", "SampleWorkbench" }) {
		std::unique_ptr<ScriptingApplication> tree = analysed_tree(name, 2);
		ASSERT_NE(tree, nullptr) << name;
		ASSERT_GE(tree->CountChildren(), 2) << name;
		for_each_target(tree.get(), [&](const ScriptingElement* node) {
			targets++;
			expect_round_trip(*node->GetAccessPtr());
			BMessage request(B_GET_PROPERTY);
			request.AddSpecifier("Label");
			BMessage specifier;
			for (int32 i = 0; node->GetAccessPtr()->FindMessage("specifiers", i,
					&specifier) == B_OK; i++)
				request.AddSpecifier(&specifier);
			expect_round_trip(request);
		});
	}
	// Both applications have deep trees; a walk that found only windows would be short.
	EXPECT_GT(targets, 40);
}
