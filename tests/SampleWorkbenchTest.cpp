// SampleWorkbench as another process: its menus, boxes, controls and string views answer
// their suites through the application's "Window" specifier, and a menu item executed by
// scripting does its work there.
#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Messenger.h>

#include "SampleAppTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const char* kSignature = "application/x-vnd.quorvane-SampleWorkbench";

// One specifier: a property with a name, an index, or neither.
struct Level {
	const char* property;
	const char* name = nullptr;
	int32 index = -1;
};


class SampleWorkbenchTest : public SampleAppTest {
protected:
	static void SetUpTestSuite() { StartSample("SampleWorkbench", kSignature, 2); }

	// The chain is given outermost last, as it reads: property of ... of Window.
	static BMessage Ask(uint32 command, const std::vector<Level>& chain,
		BMessage* data = NULL)
	{
		BMessage message(command);
		if (data != NULL) {
			message = *data;
			message.what = command;
		}
		for (const Level& level : chain) {
			if (level.name != nullptr)
				message.AddSpecifier(level.property, level.name);
			else if (level.index >= 0)
				message.AddSpecifier(level.property, level.index);
			else
				message.AddSpecifier(level.property);
		}
		BMessage reply;
		EXPECT_EQ(stMessenger->SendMessage(&message, &reply, 5000000, 5000000), B_OK);
		return reply;
	}

	static std::string String(const BMessage& reply, const char* name = "result",
		int32 index = 0)
	{
		const char* string = NULL;
		reply.FindString(name, index, &string);
		return string != NULL ? string : "";
	}

};

const Level kMain = { "Window", "Workbench" };
const Level kBar = { "MenuBar" };

} // namespace


TEST_F(SampleWorkbenchTest, TheMenuBarAnswersTheMenuSuite)
{
	BMessage reply = Ask(B_COUNT_PROPERTIES, { { "MenuItem" }, { "Menu", "File" }, kBar,
		kMain });
	int32 count = 0;
	EXPECT_EQ(reply.FindInt32("result", &count), B_OK);
	EXPECT_EQ(count, 6);

	reply = Ask(B_GET_PROPERTY, { { "Label" }, { "MenuItem", nullptr, 3 },
		{ "Menu", "File" }, kBar, kMain });
	EXPECT_EQ(String(reply), "About SampleWorkbench" B_UTF8_ELLIPSIS);

	reply = Ask(B_GET_PROPERTY, { { "Mark" }, { "MenuItem", "Normal" },
		{ "Menu", "Outline Text Size" }, { "Menu", "View" }, kBar, kMain });
	bool marked = false;
	EXPECT_EQ(reply.FindBool("result", &marked), B_OK);
	EXPECT_TRUE(marked);

	reply = Ask(B_GET_SUPPORTED_SUITES, { kBar, kMain });
	EXPECT_EQ(String(reply, "suites", 0), "suite/vnd.Be-menu");
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
}


TEST_F(SampleWorkbenchTest, ViewsNestDeeplyAndAnswerTheirOwnSuites)
{
	// Five views deep: Body, RightPane, DetailsBox, DetailsGrid, NameLabel.
	BMessage reply = Ask(B_GET_PROPERTY, { { "Text" }, { "View", "NameLabel" },
		{ "View", "DetailsGrid" }, { "View", "DetailsBox" }, { "View", "RightPane" },
		{ "View", "Body" }, kMain });
	EXPECT_EQ(String(reply), "Name:");

	reply = Ask(B_GET_PROPERTY, { { "Label" }, { "View", "DetailsBox" },
		{ "View", "RightPane" }, { "View", "Body" }, kMain });
	EXPECT_EQ(String(reply), "Details");

	reply = Ask(B_GET_PROPERTY, { { "Label" }, { "View", "ApplyButton" },
		{ "View", "OptionsBox" }, { "View", "RightPane" }, { "View", "Body" }, kMain });
	EXPECT_EQ(String(reply), "Apply");

	reply = Ask(B_GET_SUPPORTED_SUITES, { { "View", "FollowSelection" },
		{ "View", "OptionsBox" }, { "View", "RightPane" }, { "View", "Body" }, kMain });
	EXPECT_EQ(String(reply, "suites", 0), "suite/vnd.Be-control");
	EXPECT_EQ(String(reply, "suites", 1), "suite/vnd.Be-view");

	reply = Ask(B_GET_PROPERTY, { { "Label" }, { "View", "DrawingBox" },
		{ "View", "PaletteBack" }, { "Window", "Palette" } });
	EXPECT_EQ(String(reply), "Drawing");
}


TEST_F(SampleWorkbenchTest, ExecutingAMenuItemOpensANoteWindow)
{
	BMessage reply = Ask(B_EXECUTE_PROPERTY, { { "MenuItem", "New Note" },
		{ "Menu", "File" }, kBar, kMain });
	int32 error = -1;
	EXPECT_EQ(reply.FindInt32("error", &error), B_OK);
	EXPECT_EQ(error, B_OK);

	std::string title;
	wait_for([&] {
		title = String(Ask(B_GET_PROPERTY, { { "Title" }, { "Window", "Note 1" } }));
		return title == "Note 1";
	});
	EXPECT_EQ(title, "Note 1");
}
