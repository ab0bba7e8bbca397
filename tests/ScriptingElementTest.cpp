// The element base of the target tree: specifier chains, parent names, the pre-order
// search, printing and freeing a subtree, and the suites query without a target.
#include <AppDefs.h>
#include <Font.h>
#include <List.h>
#include <Message.h>
#include <Messenger.h>
#include <View.h>

#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string>

#include "ScriptingElement.h"

namespace {

int stDeleted = 0;


class TestNode : public ScriptingElement {
public:
	TestNode(const char* name, const char* internalName, TestNode* parent = NULL)
		:
		ScriptingElement(NULL, parent, parent != NULL ? parent->Level() + 1 : 0)
	{
		fName = name;
		fInternalName = internalName;
		if (parent != NULL)
			parent->AddChild(this);
	}

	virtual ~TestNode()
	{
		stDeleted++;
	}

	virtual void PrintToStream() const
	{
		IndentToStream();
		printf("%s\n", fName.String());
		ScriptingElement::PrintToStream();
	}

	virtual int32 Analyze(int32 level) { return 0; }
	virtual BBitmap* GetBitmap() const { return NULL; }

	int32 Level() const { return fLevel; }
	BMessage& Access() { return fAccess; }

	void AddChild(TestNode* child)
	{
		if (fChildren == NULL)
			fChildren = new BList(4);
		fChildren->AddItem(child);
	}
};


std::string
specifier_property(const BMessage& message, int32 index)
{
	BMessage specifier;
	const char* property = "";
	if (message.FindMessage("specifiers", index, &specifier) != B_OK
		|| specifier.FindString("property", &property) != B_OK)
		return "(none)";
	int32 number;
	if (specifier.FindInt32("index", &number) == B_OK)
		return std::string(property) + " " + std::to_string(number);
	return property;
}

} // namespace


TEST(ScriptingElementTest, AccessChainFollowsTheAskedPropertyInnermostFirst)
{
	TestNode view("", "fView");
	view.Access().AddSpecifier("View", 3);
	view.Access().AddSpecifier("Window", 1);

	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("Label");
	view.AddAccess(&request);

	EXPECT_EQ(specifier_property(request, 0), "Label");
	EXPECT_EQ(specifier_property(request, 1), "View 3");
	EXPECT_EQ(specifier_property(request, 2), "Window 1");
	EXPECT_EQ(specifier_property(request, 3), "(none)");
	// The window is the last added, so the target resolves it first.
	int32 current;
	ASSERT_EQ(request.GetCurrentSpecifier(&current), B_OK);
	EXPECT_EQ(current, 2);
}


TEST(ScriptingElementTest, EmptyChainLeavesTheMessageAlone)
{
	TestNode application("App", "application/x-vnd.test");
	BMessage request(B_GET_SUPPORTED_SUITES);
	application.AddAccess(&request);
	EXPECT_FALSE(request.HasSpecifiers());
	EXPECT_TRUE(request.IsEmpty());
}


TEST(ScriptingElementTest, ParentNamePrefersTheVisibleName)
{
	TestNode application("Viewer", "application/x-vnd.test-viewer");
	TestNode* titled = new TestNode("Main Window", "MainWindow", &application);
	TestNode* untitled = new TestNode("", "Untitled", &application);
	TestNode* inTitled = new TestNode("", "fView", titled);
	TestNode* inUntitled = new TestNode("", "fOther", untitled);

	EXPECT_STREQ(application.ParentName(), "(no parent)");
	EXPECT_STREQ(titled->ParentName(), "Viewer");
	EXPECT_STREQ(inTitled->ParentName(), "Main Window");
	EXPECT_STREQ(inUntitled->ParentName(), "Untitled");
}


TEST(ScriptingElementTest, FindElementSearchesInPreOrder)
{
	TestNode root("Viewer", "application/x-vnd.test-viewer");
	TestNode* first = new TestNode("First", "FirstWindow", &root);
	TestNode* deep = new TestNode("Twin", "fDeep", first);
	TestNode* second = new TestNode("Twin", "SecondWindow", &root);
	TestNode* unnamed = new TestNode("", "", second);

	// A match deep in an earlier subtree wins over a later sibling.
	EXPECT_EQ(root.FindElement("Twin"), deep);
	EXPECT_EQ(root.FindElement("SecondWindow"), second);
	EXPECT_EQ(root.FindElement("First"), first);
	EXPECT_EQ(root.FindElement("application/x-vnd.test-viewer"), &root);
	EXPECT_EQ(root.FindElement(""), unnamed);
	EXPECT_EQ(root.FindElement("nothing"), nullptr);
	EXPECT_EQ(second->FindElement("fDeep"), nullptr);
}


TEST(ScriptingElementTest, DeletingTheRootFreesTheSubtree)
{
	stDeleted = 0;
	TestNode* root = new TestNode("Viewer", "application/x-vnd.test-viewer");
	TestNode* window = new TestNode("Main", "MainWindow", root);
	new TestNode("", "fView", window);
	new TestNode("", "fOther", new TestNode("", "fBox", window));
	new TestNode("Second", "SecondWindow", root);
	delete root;
	EXPECT_EQ(stDeleted, 6);
}


TEST(ScriptingElementTest, PrintsChildrenDepthFirstAtTheirIndentation)
{
	TestNode root("Viewer", "application/x-vnd.test-viewer");
	TestNode* window = new TestNode("Main", "MainWindow", &root);
	new TestNode("Box", "fBox", new TestNode("Back", "fBack", window));
	new TestNode("Second", "SecondWindow", &root);

	testing::internal::CaptureStdout();
	root.PrintToStream();
	fflush(stdout);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"Viewer\n"
		"    Main\n"
		"        Back\n"
		"            Box\n"
		"    Second\n");
}


TEST(ScriptingElementTest, RowsStartCollapsedAtTheirLevel)
{
	TestNode root("Viewer", "application/x-vnd.test-viewer");
	TestNode* window = new TestNode("Main", "MainWindow", &root);
	TestNode* view = new TestNode("", "fView", window);
	EXPECT_EQ(view->OutlineLevel(), 2u);
	EXPECT_FALSE(view->IsExpanded());
	EXPECT_STREQ(view->Text(), "");
	EXPECT_STREQ(view->DynamicText(), "");
	EXPECT_EQ(view->GetSuites()->what, (uint32)B_MESSAGE_TYPE);
	EXPECT_EQ(view->GetAccessPtr()->what, (uint32)B_MESSAGE_TYPE);
}


TEST(ScriptingElementTest, SuitesQueryNeedsAUsableMessenger)
{
	TestNode node("Viewer", "application/x-vnd.test-viewer");
	EXPECT_EQ(node.FindSuites(), B_ERROR);

	BMessenger invalid;
	node.SetMessenger(&invalid);
	EXPECT_EQ(node.FindSuites(), B_ERROR);
	EXPECT_EQ(node.GetSuites()->what, (uint32)B_MESSAGE_TYPE);
	EXPECT_TRUE(node.GetSuites()->IsEmpty());
	node.SetMessenger(NULL);
}


TEST(ScriptingElementTest, RowsAreAtLeastTallEnoughForTheirIcon)
{
	BView owner(BRect(0, 0, 199, 99), "owner", B_FOLLOW_ALL, B_WILL_DRAW);
	TestNode row("Viewer", "application/x-vnd.test-viewer");

	BFont small(be_plain_font);
	small.SetSize(6);
	row.Update(&owner, &small);
	EXPECT_EQ(row.Height(), 18);
	EXPECT_EQ(row.Width(), 199);

	BFont large(be_plain_font);
	large.SetSize(40);
	font_height height;
	large.GetHeight(&height);
	row.Update(&owner, &large);
	EXPECT_EQ(row.Height(), ceilf(height.ascent + height.descent + height.leading));
	EXPECT_GT(row.Height(), 18);
}
