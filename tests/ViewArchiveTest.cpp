// A view's archive: the hooks around archiving a tree of views (AllArchived() on each
// archived view once the whole tree is archived), the archived children coming back, a
// menu field's archive, the whole drawing state, and numbers out of range.
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <View.h>

#include <gtest/gtest.h>

#include <errno.h>
#include <math.h>
#include <string.h>

#include <memory>
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


TEST(ViewArchiveTest, AViewComesBackWithItsWholeDrawingStateEventMaskAndHiddenState)
{
	BView view(BRect(10, 20, 109, 69), "view", B_FOLLOW_ALL, B_WILL_DRAW | B_PULSE_NEEDED);
	BFont font(be_bold_font);
	font.SetSize(17);
	font.SetShear(100);
	font.SetRotation(30);
	view.SetFont(&font);
	view.SetHighColor(1, 2, 3, 4);
	view.SetLowColor(5, 6, 7, 8);
	view.SetViewColor(9, 10, 11, 12);
	view.SetPenSize(3.5f);
	view.MovePenTo(4, 5);
	view.SetOrigin(6, 7);
	view.SetDrawingMode(B_OP_ALPHA);
	view.SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_COMPOSITE);
	view.SetLineMode(B_ROUND_CAP, B_BEVEL_JOIN, 7);
	view.SetEventMask(B_POINTER_EVENTS);
	view.Hide();

	BMessage archive;
	ASSERT_EQ(view.Archive(&archive), B_OK);
	std::unique_ptr<BView> copy(dynamic_cast<BView*>(instantiate_object(&archive)));
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->Frame(), BRect(10, 20, 109, 69));
	EXPECT_EQ(copy->ResizingMode(), (uint32)B_FOLLOW_ALL);
	EXPECT_EQ(copy->Flags(), B_WILL_DRAW | B_PULSE_NEEDED);
	BFont copyFont;
	copy->GetFont(&copyFont);
	font_family family;
	font_style style;
	copyFont.GetFamilyAndStyle(&family, &style);
	font_family expectedFamily;
	font_style expectedStyle;
	font.GetFamilyAndStyle(&expectedFamily, &expectedStyle);
	EXPECT_STREQ(family, expectedFamily);
	EXPECT_STREQ(style, expectedStyle);
	EXPECT_EQ(copyFont.Size(), 17);
	EXPECT_EQ(copyFont.Shear(), 100);
	EXPECT_EQ(copyFont.Rotation(), 30);
	EXPECT_EQ(copy->HighColor(), make_color(1, 2, 3, 4));
	EXPECT_EQ(copy->LowColor(), make_color(5, 6, 7, 8));
	EXPECT_EQ(copy->ViewColor(), make_color(9, 10, 11, 12));
	EXPECT_EQ(copy->PenSize(), 3.5f);
	EXPECT_EQ(copy->PenLocation(), BPoint(4, 5));
	EXPECT_EQ(copy->Origin(), BPoint(6, 7));
	EXPECT_EQ(copy->DrawingMode(), B_OP_ALPHA);
	source_alpha source;
	alpha_function function;
	copy->GetBlendingMode(&source, &function);
	EXPECT_EQ(source, B_CONSTANT_ALPHA);
	EXPECT_EQ(function, B_ALPHA_COMPOSITE);
	EXPECT_EQ(copy->LineCapMode(), B_ROUND_CAP);
	EXPECT_EQ(copy->LineJoinMode(), B_BEVEL_JOIN);
	EXPECT_EQ(copy->LineMiterLimit(), 7);
	EXPECT_EQ(copy->EventMask(), (uint32)B_POINTER_EVENTS);
	EXPECT_TRUE(copy->IsHidden());

	// The platform's archives give the view colour as the third of "_colors".
	archive.RemoveName("_color");
	copy.reset(dynamic_cast<BView*>(instantiate_object(&archive)));
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->ViewColor(), make_color(9, 10, 11, 12));
}


TEST(ViewArchiveTest, NumbersOutOfRangeAreClampedOrIgnored)
{
	BMessage archive;
	archive.AddString("class", "BView");
	archive.AddRect("_frame", BRect(-1e30f, 5, 1e30f, 6));
	archive.AddFloat("_psize", -4);
	archive.AddFloat("_fflt", NAN);
	archive.AddFloat("_fflt", 1e9f);
	archive.AddPoint("_origin", BPoint(INFINITY, 3));
	archive.AddPoint("_ppos", BPoint(1e30f, -1e30f));
	archive.AddInt16("_dmod", 400);
	archive.AddInt16("_blend", -1);
	archive.AddInt16("_lmcapjoin", B_MITER_JOIN);
	archive.AddInt16("_lmcapjoin", 99);
	archive.AddFloat("_lmmiter", NAN);
	archive.AddInt32("_evmask", -1);
	std::unique_ptr<BView> view(dynamic_cast<BView*>(instantiate_object(&archive)));
	ASSERT_NE(view, nullptr);
	EXPECT_EQ(view->Frame(), BRect(-1e6f, 5, 1e6f, 6));
	EXPECT_EQ(view->PenSize(), 0);
	BFont font;
	view->GetFont(&font);
	EXPECT_EQ(font.Size(), be_plain_font->Size());
	EXPECT_EQ(font.Shear(), 135);
	EXPECT_EQ(view->Origin(), BPoint(0, 0));
	EXPECT_EQ(view->PenLocation(), BPoint(1e6f, -1e6f));
	EXPECT_EQ(view->DrawingMode(), B_OP_COPY);
	// A miter join is no cap: the cap stays the default.
	EXPECT_EQ(view->LineCapMode(), B_BUTT_CAP);
	EXPECT_EQ(view->LineJoinMode(), B_MITER_JOIN);
	EXPECT_EQ(view->LineMiterLimit(), B_DEFAULT_MITER_LIMIT);
	EXPECT_EQ(view->EventMask(), (uint32)(B_POINTER_EVENTS | B_KEYBOARD_EVENTS));

	// A frame that is no rectangle is the empty one.
	archive.ReplaceRect("_frame", BRect(10, 10, 0, 0));
	view.reset(dynamic_cast<BView*>(instantiate_object(&archive)));
	ASSERT_NE(view, nullptr);
	EXPECT_EQ(view->Frame(), BRect(0, 0, 0, 0));
}
