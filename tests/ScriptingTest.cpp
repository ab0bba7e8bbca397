// The scripting protocol as another process sees a headless application: its suites,
// its properties, window counts, and requests that nothing understands.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <PropertyInfo.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KitAppTest.h"

namespace {

const char* kSignature = "application/x-vnd.test-scripting";


class ScriptingTest : public KitAppTest {
protected:
	ScriptingTest() : KitAppTest(kSignature) {}

	// Sends command with the specifiers given innermost first, as a scripting
	// client builds them.
	BMessage Ask(uint32 command, std::vector<BMessage> specifiers)
	{
		BMessage request(command);
		for (const BMessage& specifier : specifiers)
			request.AddSpecifier(&specifier);
		BMessage reply;
		EXPECT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
		return reply;
	}

	static BMessage Direct(const char* property)
	{
		BMessage specifier(B_DIRECT_SPECIFIER);
		specifier.AddString("property", property);
		return specifier;
	}

	static BMessage Index(const char* property, int32 index)
	{
		BMessage specifier(B_INDEX_SPECIFIER);
		specifier.AddString("property", property);
		specifier.AddInt32("index", index);
		return specifier;
	}

	static BMessage Name(const char* property, const char* name)
	{
		BMessage specifier(B_NAME_SPECIFIER);
		specifier.AddString("property", property);
		specifier.AddString("name", name);
		return specifier;
	}

	static int32 ErrorOf(const BMessage& reply)
	{
		int32 error = 1;
		reply.FindInt32("error", &error);
		return error;
	}

	static std::string StringOf(const BMessage& reply, const char* field)
	{
		const char* text = NULL;
		return reply.FindString(field, &text) == B_OK ? text : "<none>";
	}

};

} // namespace


TEST_F(ScriptingTest, SuitesComeMostSpecificFirstWithTheirTables)
{
	BMessage reply = Ask(B_GET_SUPPORTED_SUITES, {});
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	const char* expected[] = { "suite/vnd.Be-application", "suite/vnd.Be-looper",
		"suite/vnd.Be-handler" };
	for (int32 i = 0; i < 3; i++) {
		const char* suite = NULL;
		ASSERT_EQ(reply.FindString("suites", i, &suite), B_OK);
		EXPECT_STREQ(suite, expected[i]);

		BPropertyInfo info;
		ASSERT_EQ(reply.FindFlat("messages", i, &info), B_OK) << suite;
		EXPECT_GT(info.CountProperties(), 0);
	}
	EXPECT_FALSE(reply.HasString("suites", 3));

	BPropertyInfo application;
	ASSERT_EQ(reply.FindFlat("messages", 0, &application), B_OK);
	std::vector<std::string> names;
	for (int32 i = 0; i < application.CountProperties(); i++)
		names.push_back(application.Properties()[i].name);
	EXPECT_NE(std::find(names.begin(), names.end(), "Window"), names.end());
	EXPECT_NE(std::find(names.begin(), names.end(), "Name"), names.end());
}


TEST_F(ScriptingTest, AHeadlessApplicationCountsNoWindows)
{
	BMessage reply = Ask(B_COUNT_PROPERTIES, { Direct("Window") });
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	int32 count = -1;
	ASSERT_EQ(reply.FindInt32("result", &count), B_OK);
	EXPECT_EQ(count, 0);
	EXPECT_EQ(ErrorOf(reply), B_OK);

	reply = Ask(B_GET_PROPERTY, { Direct("Title"), Index("Window", 0) });
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
	EXPECT_EQ(ErrorOf(reply), B_BAD_INDEX);
	EXPECT_FALSE(reply.HasData("result", B_ANY_TYPE));

	reply = Ask(B_GET_PROPERTY, { Direct("Title"), Name("Window", "Nowhere") });
	EXPECT_FALSE(reply.HasData("result", B_ANY_TYPE));
}


TEST_F(ScriptingTest, HandlerAndApplicationPropertiesAnswerWithResult)
{
	BMessage reply = Ask(B_GET_PROPERTY, { Direct("InternalName") });
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	EXPECT_EQ(StringOf(reply, "result"), kSignature);
	EXPECT_EQ(ErrorOf(reply), B_OK);

	reply = Ask(B_GET_PROPERTY, { Direct("Name") });
	EXPECT_EQ(StringOf(reply, "result"), kSignature);

	reply = Ask(B_GET_PROPERTY, { Direct("Messenger") });
	BMessenger messenger;
	ASSERT_EQ(reply.FindMessenger("result", &messenger), B_OK);
	EXPECT_EQ(messenger.Team(), fApp);
	EXPECT_TRUE(messenger.IsValid());

	reply = Ask(B_GET_PROPERTY, { Direct("Suites") });
	EXPECT_EQ(StringOf(reply, "result"), "suite/vnd.Be-application");
}


TEST_F(ScriptingTest, AHandlerInAnotherLooperAnswersForItself)
{
	// Looper 0 is the application itself; the worker's looper is the next one.
	BMessage reply = Ask(B_GET_PROPERTY, { Direct("InternalName"), Index("Looper", 1) });
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	EXPECT_EQ(StringOf(reply, "result"), "Worker");

	reply = Ask(B_GET_SUPPORTED_SUITES, { Name("Looper", "Worker") });
	EXPECT_EQ(StringOf(reply, "suites"), "suite/vnd.Be-looper");

	reply = Ask(B_COUNT_PROPERTIES, { Direct("Looper") });
	int32 count = -1;
	reply.FindInt32("result", &count);
	EXPECT_EQ(count, 2);
}


TEST_F(ScriptingTest, WhatNobodyUnderstandsIsSaidSo)
{
	BMessage reply = Ask(B_GET_PROPERTY, { Direct("Colour") });
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
	EXPECT_EQ(ErrorOf(reply), B_BAD_SCRIPT_SYNTAX);
	EXPECT_NE(StringOf(reply, "message"), "<none>");
	EXPECT_FALSE(reply.HasData("result", B_ANY_TYPE));

	// A known property with a command it does not take.
	reply = Ask(B_SET_PROPERTY, { Direct("InternalName") });
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
}
