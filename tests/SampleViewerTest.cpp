// SampleViewer as another process: its windows and views answer the window and view
// suites through the application's "Window" specifier.
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <PropertyInfo.h>

#include "SampleAppTest.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

const char* kSignature = "application/x-vnd.quorvane-SampleViewer";

// One specifier per level, innermost first, as in "View 0 of Window 1".
struct Level {
	const char* property;
	int32 index;
	const char* name;
};


class SampleViewerTest : public SampleAppTest {
protected:
	static void SetUpTestSuite() { StartSample("SampleViewer", kSignature, 2); }

	static BMessage Ask(uint32 command, const char* property,
		const std::vector<Level>& chain, BMessage* request = NULL)
	{
		BMessage message(command);
		if (request != NULL)
			message = *request;
		message.what = command;
		message.AddSpecifier(property);
		for (const Level& level : chain) {
			if (level.name != NULL)
				message.AddSpecifier(level.property, level.name);
			else
				message.AddSpecifier(level.property, level.index);
		}
		BMessage reply;
		EXPECT_EQ(stMessenger->SendMessage(&message, &reply, 5000000, 5000000), B_OK);
		return reply;
	}

	static int32 Count(const std::vector<Level>& chain, const char* property = "View")
	{
		BMessage reply = Ask(B_COUNT_PROPERTIES, property, chain);
		int32 count = -1;
		reply.FindInt32("result", &count);
		return count;
	}

	static std::string String(const char* property, const std::vector<Level>& chain)
	{
		BMessage reply = Ask(B_GET_PROPERTY, property, chain);
		const char* result = NULL;
		if (reply.FindString("result", &result) != B_OK)
			return "<none>";
		return result;
	}
};

const Level kWindow0 = { "Window", 0, NULL };
const Level kWindow1 = { "Window", 1, NULL };


Level
View(int32 index)
{
	return Level{ "View", index, NULL };
}

} // namespace


TEST_F(SampleViewerTest, WindowsAnswerTitleAndInternalName)
{
	EXPECT_EQ(Count({}, "Window"), 2);
	EXPECT_EQ(String("Title", { kWindow0 }), "Sample Viewer");
	EXPECT_EQ(String("InternalName", { kWindow0 }), "Sample Viewer");
	EXPECT_EQ(String("Title", { kWindow1 }), "");
	EXPECT_EQ(String("Title", { Level{ "Window", 0, "Sample Viewer" } }), "Sample Viewer");

	BMessage frame = Ask(B_GET_PROPERTY, "Frame", { kWindow0 });
	BRect rect;
	ASSERT_EQ(frame.FindRect("result", &rect), B_OK);
	EXPECT_EQ(rect, BRect(60, 60, 459, 319));
	int32 error = -1;
	EXPECT_EQ(frame.FindInt32("error", &error), B_OK);
	EXPECT_EQ(error, B_OK);

	BMessage hidden = Ask(B_GET_PROPERTY, "Hidden", { kWindow1 });
	bool isHidden = true;
	EXPECT_EQ(hidden.FindBool("result", &isHidden), B_OK);
	EXPECT_FALSE(isHidden);
}


TEST_F(SampleViewerTest, ViewTreesResolveLevelByLevel)
{
	EXPECT_EQ(Count({ kWindow0 }), 2);
	EXPECT_EQ(String("InternalName", { View(0), kWindow0 }), "Outer");
	EXPECT_EQ(Count({ View(0), kWindow0 }), 1);
	EXPECT_EQ(String("InternalName", { View(0), View(0), kWindow0 }), "Panel");
	EXPECT_EQ(Count({ View(0), View(0), kWindow0 }), 2);
	EXPECT_EQ(String("InternalName", { View(0), View(0), View(0), kWindow0 }), "Inner");
	EXPECT_EQ(String("InternalName", { View(0), View(0), View(0), View(0), kWindow0 }),
		"Leaf");
	EXPECT_EQ(Count({ View(0), View(0), View(0), View(0), kWindow0 }), 0);
	EXPECT_EQ(String("InternalName", { View(1), View(0), View(0), kWindow0 }), "Side");

	// Views by name, and views without one.
	EXPECT_EQ(String("InternalName", { Level{ "View", 0, "Outer" }, kWindow0 }), "Outer");
	std::string nameless = String("InternalName", { View(1), kWindow0 });
	EXPECT_TRUE(nameless == "<none>" || nameless == "") << nameless;
	EXPECT_EQ(String("InternalName", { View(0), View(0), View(0), kWindow1 }), "Deep");

	BMessage frame = Ask(B_GET_PROPERTY, "Frame", { View(0), View(0), kWindow0 });
	BRect rect;
	ASSERT_EQ(frame.FindRect("result", &rect), B_OK);
	EXPECT_EQ(rect, BRect(10, 24, 369, 189));
}


TEST_F(SampleViewerTest, SuitesListTheMostSpecificFirst)
{
	BMessage view;
	BMessage request(B_GET_SUPPORTED_SUITES);
	request.AddSpecifier("View", (int32)0);
	request.AddSpecifier("Window", (int32)0);
	ASSERT_EQ(stMessenger->SendMessage(&request, &view, 5000000, 5000000), B_OK);
	const char* suite = NULL;
	ASSERT_EQ(view.FindString("suites", 0, &suite), B_OK);
	EXPECT_STREQ(suite, "suite/vnd.Be-view");
	ASSERT_EQ(view.FindString("suites", 1, &suite), B_OK);
	EXPECT_STREQ(suite, "suite/vnd.Be-handler");

	BPropertyInfo info;
	const void* data = NULL;
	ssize_t size = 0;
	ASSERT_EQ(view.FindData("messages", B_PROPERTY_INFO_TYPE, 0, &data, &size), B_OK);
	ASSERT_EQ(info.Unflatten(B_PROPERTY_INFO_TYPE, data, size), B_OK);
	std::vector<std::string> names;
	for (int32 i = 0; i < info.CountProperties(); i++)
		names.push_back(info.Properties()[i].name);
	EXPECT_EQ(names, (std::vector<std::string>{ "Frame", "Hidden", "Shelf", "View",
		"View" }));

	BMessage window;
	BMessage windowRequest(B_GET_SUPPORTED_SUITES);
	windowRequest.AddSpecifier("Window", (int32)1);
	ASSERT_EQ(stMessenger->SendMessage(&windowRequest, &window, 5000000, 5000000), B_OK);
	ASSERT_EQ(window.FindString("suites", 0, &suite), B_OK);
	EXPECT_STREQ(suite, "suite/vnd.Be-window");
}


TEST_F(SampleViewerTest, BadRequestsGetErrorsWithoutResults)
{
	BMessage pastTheEnd = Ask(B_GET_PROPERTY, "InternalName", { View(7), kWindow0 });
	EXPECT_FALSE(pastTheEnd.HasString("result"));
	int32 error = B_OK;
	EXPECT_EQ(pastTheEnd.FindInt32("error", &error), B_OK);
	EXPECT_EQ(error, B_BAD_INDEX);

	BMessage unknown = Ask(B_GET_PROPERTY, "Label", { View(0), kWindow0 });
	EXPECT_EQ(unknown.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
	EXPECT_FALSE(unknown.HasString("result"));

	BMessage noMenuBar = Ask(B_GET_PROPERTY, "Frame", { Level{ "MenuBar", 0, NULL },
		kWindow0 });
	EXPECT_FALSE(noMenuBar.HasRect("result"));
}


TEST_F(SampleViewerTest, SettingPropertiesChangesTheTargets)
{
	BMessage title(B_SET_PROPERTY);
	title.AddString("data", "Renamed");
	BMessage reply = Ask(B_SET_PROPERTY, "Title", { kWindow1 }, &title);
	int32 error = -1;
	EXPECT_EQ(reply.FindInt32("error", &error), B_OK);
	EXPECT_EQ(error, B_OK);
	EXPECT_EQ(String("Title", { kWindow1 }), "Renamed");
	// The internal name stays the title the window was made with.
	EXPECT_EQ(String("InternalName", { kWindow1 }), "");

	BMessage hide(B_SET_PROPERTY);
	hide.AddBool("data", true);
	Ask(B_SET_PROPERTY, "Hidden", { View(1), kWindow0 }, &hide);
	BMessage hidden = Ask(B_GET_PROPERTY, "Hidden", { View(1), kWindow0 });
	bool isHidden = false;
	EXPECT_EQ(hidden.FindBool("result", &isHidden), B_OK);
	EXPECT_TRUE(isHidden);

	// Growing the window lays its views out by their resizing modes.
	BMessage frame(B_SET_PROPERTY);
	frame.AddRect("data", BRect(60, 60, 559, 359));
	Ask(B_SET_PROPERTY, "Frame", { kWindow0 }, &frame);
	BRect outer;
	Ask(B_GET_PROPERTY, "Frame", { View(0), kWindow0 }).FindRect("result", &outer);
	EXPECT_EQ(outer, BRect(10, 10, 489, 249));
}
