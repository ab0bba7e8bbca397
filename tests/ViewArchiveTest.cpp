// The hooks around archiving a tree of views: AllArchived() on each archived view once
// the whole tree is archived, AllUnarchived() bringing back a view's archived children
// (those its archive constructor did not already make), and a menu field's archive.
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <View.h>

#include <gtest/gtest.h>

#include <errno.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

// Notes each AllArchived() call, and marks the archive it gets.
class NotingView : public BView {
public:
	NotingView(const char* name, std::vector<std::string>* calls)
		:
		BView(BRect(0, 0, 9, 9), name, B_FOLLOW_NONE, 0),
		fCalls(calls)
	{
	}

	status_t AllArchived(BMessage* into) const override
	{
		// The whole tree is archived by now: the children are in the archive.
		type_code type;
		int32 children = 0;
		into->GetInfo("_views", &type, &children);
		fCalls->push_back(std::string(Name()) + ":" + std::to_string(children));
		into->AddBool("noted", true);
		return BView::AllArchived(into);
	}

	std::vector<std::string>* fCalls;
};

} // namespace


TEST(ViewArchiveTest, AllArchivedRunsOnEveryViewOnceTheTreeIsArchived)
{
	std::vector<std::string> calls;
	NotingView root("root", &calls);
	NotingView* child = new NotingView("child", &calls);
	root.AddChild(child);
	child->AddChild(new NotingView("grandchild", &calls));

	BMessage archive;
	ASSERT_EQ(root.Archive(&archive), B_OK);
	EXPECT_EQ(calls, (std::vector<std::string>{ "root:1", "child:1", "grandchild:0" }));
	// What the hooks added to the nested archives stays in them.
	BMessage childArchive;
	BMessage grandchildArchive;
	ASSERT_EQ(archive.FindMessage("_views", &childArchive), B_OK);
	ASSERT_EQ(childArchive.FindMessage("_views", &grandchildArchive), B_OK);
	EXPECT_TRUE(archive.HasBool("noted"));
	EXPECT_TRUE(childArchive.HasBool("noted"));
	EXPECT_TRUE(grandchildArchive.HasBool("noted"));

	// A shallow archive has no children to call.
	calls.clear();
	BMessage shallow;
	ASSERT_EQ(root.Archive(&shallow, false), B_OK);
	EXPECT_EQ(calls, (std::vector<std::string>{ "root:0" }));
}


TEST(ViewArchiveTest, InstantiatingAViewBringsBackItsArchivedChildren)
{
	BView root(BRect(0, 0, 99, 99), "root", B_FOLLOW_NONE, 0);
	BView* box = new BView(BRect(5, 5, 50, 50), "box", B_FOLLOW_NONE, 0);
	root.AddChild(box);
	box->AddChild(new BView(BRect(1, 1, 40, 10), "label", B_FOLLOW_NONE, B_WILL_DRAW));
	root.AddChild(new BView(BRect(60, 60, 70, 70), "corner", B_FOLLOW_NONE, 0));

	BMessage archive;
	ASSERT_EQ(root.Archive(&archive), B_OK);
	BView* copy = dynamic_cast<BView*>(instantiate_object(&archive));
	ASSERT_NE(copy, nullptr);
	ASSERT_EQ(copy->CountChildren(), 2);
	EXPECT_STREQ(copy->ChildAt(0)->Name(), "box");
	EXPECT_EQ(copy->ChildAt(0)->Frame(), BRect(5, 5, 50, 50));
	EXPECT_STREQ(copy->ChildAt(1)->Name(), "corner");
	BView* label = copy->FindView("label");
	ASSERT_NE(label, nullptr);
	EXPECT_EQ(label->Parent(), copy->ChildAt(0));
	EXPECT_EQ(label->Frame(), BRect(1, 1, 40, 10));
	EXPECT_EQ(label->Flags(), B_WILL_DRAW);
	delete copy;

	// A child of a class nothing here knows is left out; its siblings come back.
	BMessage unknown;
	unknown.AddString("class", "NoSuchView");
	BMessage partial;
	ASSERT_EQ(root.Archive(&partial, false), B_OK);
	partial.AddMessage("_views", &unknown);
	BMessage corner;
	ASSERT_EQ(root.ChildAt(1)->Archive(&corner), B_OK);
	partial.AddMessage("_views", &corner);
	copy = dynamic_cast<BView*>(instantiate_object(&partial));
	ASSERT_NE(copy, nullptr);
	ASSERT_EQ(copy->CountChildren(), 1);
	EXPECT_STREQ(copy->ChildAt(0)->Name(), "corner");
	delete copy;
}


TEST(ViewArchiveTest, AMenuFieldComesBackWithItsLabelMenuAndState)
{
	BPopUpMenu* menu = new BPopUpMenu("sizes");
	menu->AddItem(new BMenuItem("Small", new BMessage('smal')));
	menu->AddItem(new BMenuItem("Large", new BMessage('larg')));
	menu->ItemAt(1)->SetMarked(true);
	BMenuField field(BRect(0, 0, 199, 19), "field", "Size:", menu, true);
	field.SetDivider(70);
	field.SetAlignment(B_ALIGN_RIGHT);
	field.SetEnabled(false);

	BMessage archive;
	ASSERT_EQ(field.Archive(&archive), B_OK);
	BMenuField* copy = dynamic_cast<BMenuField*>(instantiate_object(&archive));
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Label(), "Size:");
	EXPECT_EQ(copy->Divider(), 70);
	EXPECT_EQ(copy->Alignment(), B_ALIGN_RIGHT);
	EXPECT_FALSE(copy->IsEnabled());
	ASSERT_NE(copy->Menu(), nullptr);
	ASSERT_EQ(copy->Menu()->CountItems(), 2);
	EXPECT_STREQ(copy->Menu()->ItemAt(0)->Label(), "Small");
	EXPECT_TRUE(copy->Menu()->ItemAt(1)->IsMarked());
	EXPECT_TRUE(copy->Menu()->IsRadioMode());
	// The field's bar is its own, made once, and shows the marked item.
	EXPECT_EQ(copy->CountChildren(), 1);
	EXPECT_STREQ(copy->MenuItem()->Label(), "Large");
	EXPECT_EQ(copy->MenuBar()->Frame().left, 70);
	delete copy;
}
