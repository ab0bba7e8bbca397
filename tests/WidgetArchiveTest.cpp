// The widgets' archives: each widget archived deeply and instantiated with
// instantiate_object() comes back with its state and its children, family by family; and
// damaged archives (wrong types, NaN and huge numbers, enums out of range, missing
// fields) give a usable widget or NULL, which draws and archives again.
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ListItem.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <OutlineListView.h>
#include <Picture.h>
#include <PictureButton.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringView.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The string field name of message, "" without one.
std::string
string_of(const BMessage& message, const char* name, int32 index = 0)
{
	const char* string = NULL;
	return message.FindString(name, index, &string) == B_OK ? string : "";
}


// Archives object deeply and instantiates the archive; NULL (and a failure) unless the
// copy is a T.
template<class T>
std::unique_ptr<T>
round_trip(const BArchivable& object)
{
	BMessage archive;
	EXPECT_EQ(object.Archive(&archive, true), B_OK);
	BArchivable* copy = instantiate_object(&archive);
	T* typed = dynamic_cast<T*>(copy);
	if (typed == nullptr) {
		ADD_FAILURE() << "not instantiated as the right class: " << string_of(archive, "class");
		delete copy;
	}
	return std::unique_ptr<T>(typed);
}


// Deletes the items of a list view, which does not own them.
void
delete_items(BListView* list)
{
	if (BOutlineListView* outline = dynamic_cast<BOutlineListView*>(list)) {
		std::vector<BListItem*> items;
		for (int32 i = 0; i < outline->FullListCountItems(); i++)
			items.push_back(outline->FullListItemAt(i));
		outline->MakeEmpty();
		for (BListItem* item : items)
			delete item;
		return;
	}
	std::vector<BListItem*> items;
	for (int32 i = 0; i < list->CountItems(); i++)
		items.push_back(list->ItemAt(i));
	list->MakeEmpty();
	for (BListItem* item : items)
		delete item;
}


BPicture*
solid_picture(rgb_color color)
{
	BView scratch(BRect(0, 0, 19, 19), "scratch", B_FOLLOW_NONE, B_WILL_DRAW);
	scratch.BeginPicture(new BPicture);
	scratch.SetHighColor(color);
	scratch.FillRect(BRect(0, 0, 19, 19));
	return scratch.EndPicture();
}


// A control of each kind, each checked after its trip through an archive.
struct ControlCase {
	const char* name;
	std::function<BControl*()> make;
	std::function<void(BControl* copy)> check;
};

} // namespace


TEST(WidgetArchiveTest, ControlsComeBackWithTheirLabelValueMessageAndState)
{
	const ControlCase cases[] = {
		{ "BButton",
			[] {
				BButton* button = new BButton(BRect(5, 6, 80, 30), "ok", "OK",
					new BMessage('okay'));
				button->MakeDefault(true);
				return button;
			},
			[](BControl* copy) {
				ASSERT_NE(dynamic_cast<BButton*>(copy), nullptr);
				EXPECT_TRUE(static_cast<BButton*>(copy)->IsDefault());
			} },
		{ "BCheckBox",
			[] { return new BCheckBox(BRect(5, 6, 80, 30), "check", "Check",
				new BMessage('chck')); },
			[](BControl* copy) { EXPECT_NE(dynamic_cast<BCheckBox*>(copy), nullptr); } },
		{ "BRadioButton",
			[] { return new BRadioButton(BRect(5, 6, 80, 30), "radio", "Radio",
				new BMessage('rdio')); },
			[](BControl* copy) { EXPECT_NE(dynamic_cast<BRadioButton*>(copy), nullptr); } },
		{ "BTextControl",
			[] {
				BTextControl* text = new BTextControl(BRect(5, 6, 200, 30), "name",
					"Name:", "Ada", new BMessage('name'));
				text->SetDivider(60);
				text->SetAlignment(B_ALIGN_RIGHT, B_ALIGN_CENTER);
				text->SetModificationMessage(new BMessage('modi'));
				return text;
			},
			[](BControl* copy) {
				BTextControl* text = dynamic_cast<BTextControl*>(copy);
				ASSERT_NE(text, nullptr);
				EXPECT_STREQ(text->Text(), "Ada");
				EXPECT_EQ(text->Divider(), 60);
				alignment label;
				alignment field;
				text->GetAlignment(&label, &field);
				EXPECT_EQ(label, B_ALIGN_RIGHT);
				EXPECT_EQ(field, B_ALIGN_CENTER);
				ASSERT_NE(text->ModificationMessage(), nullptr);
				EXPECT_EQ(text->ModificationMessage()->what, 'modi');
				// One field, the control's own, which the disabled state reached.
				EXPECT_EQ(text->CountChildren(), 1);
				EXPECT_EQ(text->ChildAt(0), text->TextView());
				EXPECT_FALSE(text->TextView()->IsEditable());
			} },
		{ "BPictureButton",
			[] {
				BPicture* off = solid_picture(make_color(255, 0, 0));
				BPicture* on = solid_picture(make_color(0, 0, 255));
				BPictureButton* button = new BPictureButton(BRect(5, 6, 24, 25), "pic",
					off, on, new BMessage('pict'), B_TWO_STATE_BUTTON);
				delete off;
				delete on;
				BPicture* disabled = solid_picture(make_color(128, 128, 128));
				button->SetDisabledOff(disabled);
				delete disabled;
				return button;
			},
			[](BControl* copy) {
				BPictureButton* button = dynamic_cast<BPictureButton*>(copy);
				ASSERT_NE(button, nullptr);
				EXPECT_EQ(button->Behavior(), (uint32)B_TWO_STATE_BUTTON);
				EXPECT_NE(button->EnabledOff(), nullptr);
				EXPECT_NE(button->EnabledOn(), nullptr);
				EXPECT_NE(button->DisabledOff(), nullptr);
				EXPECT_EQ(button->DisabledOn(), nullptr);
			} },
	};
	for (const ControlCase& test : cases) {
		SCOPED_TRACE(test.name);
		std::unique_ptr<BControl> control(test.make());
		control->SetValue(B_CONTROL_ON);
		control->SetEnabled(false);
		std::unique_ptr<BControl> copy = round_trip<BControl>(*control);
		ASSERT_NE(copy, nullptr);
		EXPECT_STREQ(copy->Name(), control->Name());
		EXPECT_EQ(copy->Frame(), control->Frame());
		EXPECT_STREQ(copy->Label(), control->Label());
		EXPECT_EQ(copy->Value(), B_CONTROL_ON);
		EXPECT_FALSE(copy->IsEnabled());
		ASSERT_NE(copy->Message(), nullptr);
		EXPECT_EQ(copy->Message()->what, control->Message()->what);
		test.check(copy.get());
	}
}


TEST(WidgetArchiveTest, ViewsThatHoldViewsComeBackWithTheirChildren)
{
	// A box with a text label and a control inside.
	BBox box(BRect(0, 0, 199, 99), "box", B_FOLLOW_ALL, B_WILL_DRAW, B_PLAIN_BORDER);
	box.SetLabel("Options");
	box.AddChild(new BCheckBox(BRect(10, 20, 100, 40), "check", "Check", NULL));
	std::unique_ptr<BBox> boxCopy = round_trip<BBox>(box);
	ASSERT_NE(boxCopy, nullptr);
	EXPECT_STREQ(boxCopy->Label(), "Options");
	EXPECT_EQ(boxCopy->Border(), B_PLAIN_BORDER);
	EXPECT_EQ(boxCopy->LabelView(), nullptr);
	ASSERT_EQ(boxCopy->CountChildren(), 1);
	EXPECT_NE(dynamic_cast<BCheckBox*>(boxCopy->ChildAt(0)), nullptr);

	// A box whose label is a view, added after another child.
	BBox labelled(BRect(0, 0, 199, 99), "labelled");
	labelled.AddChild(new BButton(BRect(10, 30, 90, 50), "button", "Go", NULL));
	BStringView* label = new BStringView(BRect(0, 0, 60, 14), "label", "Title");
	label->SetAlignment(B_ALIGN_CENTER);
	labelled.SetLabel(label);
	std::unique_ptr<BBox> labelledCopy = round_trip<BBox>(labelled);
	ASSERT_NE(labelledCopy, nullptr);
	EXPECT_EQ(labelledCopy->Label(), nullptr);
	BStringView* labelCopy = dynamic_cast<BStringView*>(labelledCopy->LabelView());
	ASSERT_NE(labelCopy, nullptr);
	EXPECT_STREQ(labelCopy->Text(), "Title");
	EXPECT_EQ(labelCopy->Alignment(), B_ALIGN_CENTER);
	EXPECT_EQ(labelledCopy->CountChildren(), 2);
	// A shallow archive has no label view to point at.
	BMessage shallow;
	ASSERT_EQ(labelled.Archive(&shallow, false), B_OK);
	std::unique_ptr<BBox> shallowCopy(dynamic_cast<BBox*>(instantiate_object(&shallow)));
	ASSERT_NE(shallowCopy, nullptr);
	EXPECT_EQ(shallowCopy->LabelView(), nullptr);
	EXPECT_EQ(shallowCopy->CountChildren(), 0);

	// A scroll view: the target and both bars, which target it again.
	BView* list = new BView(BRect(0, 0, 99, 99), "list", B_FOLLOW_NONE, 0);
	BScrollView scroll("scroll", list, B_FOLLOW_NONE, 0, true, true, B_NO_BORDER);
	BScrollBar* bar = scroll.ScrollBar(B_VERTICAL);
	bar->SetRange(0, 300);
	bar->SetSteps(3, 30);
	bar->SetProportion(0.25f);
	std::unique_ptr<BScrollView> scrollCopy = round_trip<BScrollView>(scroll);
	ASSERT_NE(scrollCopy, nullptr);
	EXPECT_EQ(scrollCopy->Border(), B_NO_BORDER);
	EXPECT_EQ(scrollCopy->Frame(), scroll.Frame());
	BView* target = scrollCopy->Target();
	ASSERT_NE(target, nullptr);
	EXPECT_STREQ(target->Name(), "list");
	BScrollBar* vertical = scrollCopy->ScrollBar(B_VERTICAL);
	BScrollBar* horizontal = scrollCopy->ScrollBar(B_HORIZONTAL);
	ASSERT_NE(vertical, nullptr);
	ASSERT_NE(horizontal, nullptr);
	EXPECT_EQ(vertical->Orientation(), B_VERTICAL);
	EXPECT_EQ(horizontal->Orientation(), B_HORIZONTAL);
	EXPECT_EQ(vertical->Target(), target);
	EXPECT_EQ(target->ScrollBar(B_VERTICAL), vertical);
	float min;
	float max;
	vertical->GetRange(&min, &max);
	EXPECT_EQ(max, 300);
	float small;
	float large;
	vertical->GetSteps(&small, &large);
	EXPECT_EQ(small, 3);
	EXPECT_EQ(large, 30);
	EXPECT_EQ(vertical->Proportion(), 0.25f);
	EXPECT_EQ(scrollCopy->CountChildren(), 3);
}


TEST(WidgetArchiveTest, MenusComeBackWithTheirItemsSubmenusAndModes)
{
	BMenuBar bar(BRect(0, 0, 199, 19), "bar");
	bar.SetBorder(B_BORDER_EACH_ITEM);
	BMenu* file = new BMenu("File");
	file->AddItem(new BMenuItem("Open", new BMessage('open'), 'O'));
	file->AddSeparatorItem();
	BMenu* recent = new BMenu("Recent");
	recent->AddItem(new BMenuItem("one.txt", new BMessage('rcnt')));
	file->AddItem(recent);
	file->SetTriggersEnabled(false);
	bar.AddItem(file);
	BPopUpMenu* sizes = new BPopUpMenu("Sizes");
	sizes->AddItem(new BMenuItem("Small", NULL));
	sizes->AddItem(new BMenuItem("Large", NULL));
	sizes->ItemAt(1)->SetMarked(true);
	bar.AddItem(sizes);

	std::unique_ptr<BMenuBar> copy = round_trip<BMenuBar>(bar);
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->Border(), B_BORDER_EACH_ITEM);
	EXPECT_EQ(copy->Layout(), B_ITEMS_IN_ROW);
	ASSERT_EQ(copy->CountItems(), 2);
	BMenu* fileCopy = copy->SubmenuAt(0);
	ASSERT_NE(fileCopy, nullptr);
	EXPECT_STREQ(fileCopy->Name(), "File");
	EXPECT_EQ(fileCopy->Supermenu(), copy.get());
	EXPECT_FALSE(fileCopy->AreTriggersEnabled());
	ASSERT_EQ(fileCopy->CountItems(), 3);
	EXPECT_STREQ(fileCopy->ItemAt(0)->Label(), "Open");
	EXPECT_EQ(fileCopy->ItemAt(0)->Command(), 'open');
	EXPECT_NE(dynamic_cast<BSeparatorItem*>(fileCopy->ItemAt(1)), nullptr);
	EXPECT_FALSE(fileCopy->ItemAt(1)->IsEnabled());
	BMenu* recentCopy = fileCopy->SubmenuAt(2);
	ASSERT_NE(recentCopy, nullptr);
	ASSERT_EQ(recentCopy->CountItems(), 1);
	EXPECT_STREQ(recentCopy->ItemAt(0)->Label(), "one.txt");
	BPopUpMenu* sizesCopy = dynamic_cast<BPopUpMenu*>(copy->SubmenuAt(1));
	ASSERT_NE(sizesCopy, nullptr);
	EXPECT_TRUE(sizesCopy->IsRadioMode());
	EXPECT_TRUE(sizesCopy->IsLabelFromMarked());
	EXPECT_EQ(sizesCopy->FindMarked(), sizesCopy->ItemAt(1));

	// A matrix menu keeps its items where they were put.
	BMenu matrix("matrix", 100, 50);
	matrix.AddItem(new BMenuItem("a", NULL), BRect(0, 0, 49, 24));
	matrix.AddItem(new BMenuItem("b", NULL), BRect(50, 25, 99, 49));
	std::unique_ptr<BMenu> matrixCopy = round_trip<BMenu>(matrix);
	ASSERT_NE(matrixCopy, nullptr);
	EXPECT_EQ(matrixCopy->Layout(), B_ITEMS_IN_MATRIX);
	ASSERT_EQ(matrixCopy->CountItems(), 2);
	EXPECT_EQ(matrixCopy->ItemAt(1)->Frame(), BRect(50, 25, 99, 49));
}


TEST(WidgetArchiveTest, AMenuFieldReadsTheFormItHadBeforeMenusArchived)
{
	BMessage item;
	BMenuItem("Medium", NULL).Archive(&item);
	BMessage menu;
	menu.AddString("_name", "sizes");
	menu.AddBool("_radio", true);
	menu.AddBool("_marked", true);
	menu.AddMessage("_items", &item);
	BMessage archive;
	BView(BRect(0, 0, 199, 19), "field", B_FOLLOW_NONE, 0).Archive(&archive);
	archive.ReplaceString("class", "BMenuField");
	archive.AddString("_label", "Size:");
	archive.AddMessage("_menu", &menu);

	std::unique_ptr<BMenuField> field(
		dynamic_cast<BMenuField*>(instantiate_object(&archive)));
	ASSERT_NE(field, nullptr);
	ASSERT_NE(field->Menu(), nullptr);
	EXPECT_NE(dynamic_cast<BPopUpMenu*>(field->Menu()), nullptr);
	EXPECT_STREQ(field->Menu()->Name(), "sizes");
	EXPECT_TRUE(field->Menu()->IsLabelFromMarked());
	ASSERT_EQ(field->Menu()->CountItems(), 1);
	EXPECT_STREQ(field->Menu()->ItemAt(0)->Label(), "Medium");

	// Today's form is the menu's own archive.
	BMessage again;
	ASSERT_EQ(field->Archive(&again), B_OK);
	BMessage menuAgain;
	ASSERT_EQ(again.FindMessage("_menu", &menuAgain), B_OK);
	EXPECT_EQ(string_of(menuAgain, "class"), "BPopUpMenu");
}


TEST(WidgetArchiveTest, ListsComeBackWithTheirItemsLevelsAndSelection)
{
	BListView list(BRect(0, 0, 99, 99), "list", B_MULTIPLE_SELECTION_LIST);
	list.AddItem(new BStringItem("zero"));
	list.AddItem(new BStringItem("one"));
	list.AddItem(new BStringItem("two"));
	list.ItemAt(1)->SetEnabled(false);
	list.Select(0);
	list.Select(2, true);
	list.SetSelectionMessage(new BMessage('sele'));
	list.SetInvocationMessage(new BMessage('invk'));
	std::unique_ptr<BListView> copy = round_trip<BListView>(list);
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->ListType(), B_MULTIPLE_SELECTION_LIST);
	ASSERT_EQ(copy->CountItems(), 3);
	EXPECT_STREQ(static_cast<BStringItem*>(copy->ItemAt(2))->Text(), "two");
	EXPECT_FALSE(copy->ItemAt(1)->IsEnabled());
	EXPECT_EQ(copy->CurrentSelection(0), 0);
	EXPECT_EQ(copy->CurrentSelection(1), 2);
	EXPECT_EQ(copy->CurrentSelection(2), -1);
	ASSERT_NE(copy->SelectionMessage(), nullptr);
	EXPECT_EQ(copy->SelectionCommand(), 'sele');
	EXPECT_EQ(copy->InvocationCommand(), 'invk');
	delete_items(&list);
	delete_items(copy.get());

	// An outline with a collapsed branch: the hidden subitems come back too.
	BOutlineListView outline(BRect(0, 0, 99, 99), "outline");
	BStringItem* top = new BStringItem("top");
	outline.AddItem(top);
	BStringItem* branch = new BStringItem("branch", 1);
	outline.AddItem(branch);
	outline.AddItem(new BStringItem("leaf", 2));
	outline.AddItem(new BStringItem("second"));
	outline.Collapse(branch);
	outline.Select(outline.IndexOf(branch));
	std::unique_ptr<BOutlineListView> outlineCopy = round_trip<BOutlineListView>(outline);
	ASSERT_NE(outlineCopy, nullptr);
	ASSERT_EQ(outlineCopy->FullListCountItems(), 4);
	EXPECT_EQ(outlineCopy->CountItems(), 3);
	EXPECT_EQ(outlineCopy->FullListItemAt(2)->OutlineLevel(), 2u);
	EXPECT_STREQ(static_cast<BStringItem*>(outlineCopy->FullListItemAt(2))->Text(), "leaf");
	EXPECT_FALSE(outlineCopy->FullListItemAt(1)->IsExpanded());
	EXPECT_EQ(outlineCopy->CurrentSelection(), 1);
	delete_items(&outline);
	delete_items(outlineCopy.get());

	// An empty outline, which shows no rows to replace.
	BOutlineListView empty(BRect(0, 0, 99, 99), "empty");
	std::unique_ptr<BOutlineListView> emptyCopy = round_trip<BOutlineListView>(empty);
	ASSERT_NE(emptyCopy, nullptr);
	EXPECT_EQ(emptyCopy->FullListCountItems(), 0);
}


TEST(WidgetArchiveTest, ATextViewComesBackWithItsStyledTextSelectionAndSettings)
{
	BTextView text(BRect(0, 0, 199, 99), "text", BRect(2, 2, 197, 97), B_FOLLOW_ALL,
		B_WILL_DRAW);
	text.SetStylable(true);
	text.SetText("Hello, world");
	std::vector<char> bytes(sizeof(text_run_array) + sizeof(text_run));
	text_run_array* runs = (text_run_array*)bytes.data();
	runs->count = 2;
	runs->runs[0] = text_run{ 0, *be_plain_font, make_color(0, 0, 0) };
	BFont big(be_bold_font);
	big.SetSize(20);
	runs->runs[1] = text_run{ 7, big, make_color(200, 0, 0) };
	text.SetRunArray(0, text.TextLength(), runs);
	text.Select(2, 5);
	text.SetAlignment(B_ALIGN_RIGHT);
	text.SetTabWidth(40);
	text.SetMaxBytes(100);
	text.SetWordWrap(false);
	text.SetAutoindent(true);
	text.MakeEditable(false);
	text.DisallowChar('x');

	std::unique_ptr<BTextView> copy = round_trip<BTextView>(text);
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Text(), "Hello, world");
	EXPECT_EQ(copy->TextRect(), BRect(2, 2, 197, 97));
	int32 start;
	int32 end;
	copy->GetSelection(&start, &end);
	EXPECT_EQ(start, 2);
	EXPECT_EQ(end, 5);
	EXPECT_EQ(copy->Alignment(), B_ALIGN_RIGHT);
	EXPECT_EQ(copy->TabWidth(), 40);
	EXPECT_EQ(copy->MaxBytes(), 100);
	EXPECT_FALSE(copy->DoesWordWrap());
	EXPECT_TRUE(copy->DoesAutoindent());
	EXPECT_FALSE(copy->IsEditable());
	EXPECT_TRUE(copy->IsStylable());
	text_run_array* copied = copy->RunArray(0, copy->TextLength());
	ASSERT_NE(copied, nullptr);
	ASSERT_EQ(copied->count, 2);
	EXPECT_EQ(copied->runs[1].offset, 7);
	EXPECT_EQ(copied->runs[1].font.Size(), 20);
	EXPECT_EQ(copied->runs[1].color.red, 200);
	free(copied);
}


// #pragma mark - Damaged archives


namespace {

// Every widget class, archived as one of its kind would be.
std::vector<std::pair<std::string, BMessage>>
sample_archives()
{
	std::vector<BArchivable*> samples;
	BBox* box = new BBox(BRect(0, 0, 99, 59), "box");
	box->SetLabel(new BStringView(BRect(0, 0, 40, 12), "label", "Label"));
	samples.push_back(box);
	samples.push_back(new BStringView(BRect(0, 0, 99, 19), "string", "Text"));
	samples.push_back(new BButton(BRect(0, 0, 79, 24), "button", "Go", new BMessage('go  ')));
	samples.push_back(new BCheckBox(BRect(0, 0, 79, 24), "check", "Check", NULL));
	samples.push_back(new BRadioButton(BRect(0, 0, 79, 24), "radio", "Radio", NULL));
	samples.push_back(new BTextControl(BRect(0, 0, 149, 24), "field", "Field", "text",
		NULL));
	BPicture* picture = solid_picture(make_color(0, 0, 0));
	samples.push_back(new BPictureButton(BRect(0, 0, 19, 19), "picture", picture, picture,
		NULL));
	delete picture;
	BTextView* text = new BTextView(BRect(0, 0, 99, 99), "text", BRect(0, 0, 99, 99),
		B_FOLLOW_NONE, B_WILL_DRAW);
	text->SetStylable(true);
	text->SetText("Some text");
	samples.push_back(text);
	BListView* list = new BListView(BRect(0, 0, 99, 99), "list");
	list->AddItem(new BStringItem("row"));
	list->Select(0);
	samples.push_back(list);
	BOutlineListView* outline = new BOutlineListView(BRect(0, 0, 99, 99), "outline");
	outline->AddItem(new BStringItem("top"));
	outline->AddItem(new BStringItem("sub", 1));
	samples.push_back(outline);
	samples.push_back(new BScrollView("scroll", new BView(BRect(0, 0, 49, 49), "target",
		B_FOLLOW_NONE, 0), B_FOLLOW_NONE, 0, true, true));
	BMenuBar* bar = new BMenuBar(BRect(0, 0, 99, 19), "bar");
	BMenu* menu = new BMenu("menu");
	menu->AddItem(new BMenuItem("item", NULL));
	menu->AddSeparatorItem();
	bar->AddItem(menu);
	samples.push_back(bar);
	BMenu* matrix = new BMenu("matrix", 50, 50);
	matrix->AddItem(new BMenuItem("cell", NULL), BRect(0, 0, 24, 24));
	samples.push_back(matrix);
	samples.push_back(new BPopUpMenu("popup"));
	samples.push_back(new BStringItem("item", 3, false));

	std::vector<std::pair<std::string, BMessage>> archives;
	for (BArchivable* sample : samples) {
		BMessage archive;
		EXPECT_EQ(sample->Archive(&archive, true), B_OK);
		archives.emplace_back(string_of(archive, "class"), archive);
		if (BListView* listView = dynamic_cast<BListView*>(sample))
			delete_items(listView);
		delete sample;
	}
	return archives;
}


// A copy of archive with every field but "class" changed by change(message, name, type,
// index), nested messages included; change adds what replaces the field to the copy.
using Change = std::function<void(BMessage* into, const char* name, type_code type,
	int32 index, const BMessage& from)>;

BMessage
damaged(const BMessage& archive, const Change& change)
{
	BMessage copy(archive.what);
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; archive.GetInfo(B_ANY_TYPE, i, &name, &type, &count) == B_OK; i++) {
		for (int32 j = 0; j < count; j++) {
			if (strcmp(name, "class") == 0) {
				copy.AddString(name, string_of(archive, name, j).c_str());
				continue;
			}
			if (type == B_MESSAGE_TYPE) {
				BMessage nested;
				archive.FindMessage(name, j, &nested);
				BMessage nestedCopy = damaged(nested, change);
				copy.AddMessage(name, &nestedCopy);
				continue;
			}
			change(&copy, name, type, j, archive);
		}
	}
	return copy;
}


// Numbers of every type set to value; other fields kept.
Change
numbers_set_to(double value)
{
	return [value](BMessage* into, const char* name, type_code type, int32 index,
		const BMessage& from) {
		float f = (float)value;
		switch (type) {
			case B_FLOAT_TYPE:
				into->AddFloat(name, f);
				break;
			case B_RECT_TYPE:
				into->AddRect(name, BRect(-f, -f, f, f));
				break;
			case B_POINT_TYPE:
				into->AddPoint(name, BPoint(f, f));
				break;
			case B_INT32_TYPE:
				into->AddInt32(name, isfinite(value) ? (int32)fmax(fmin(value, INT32_MAX),
					INT32_MIN) : INT32_MIN);
				break;
			case B_INT16_TYPE:
				into->AddInt16(name, isfinite(value) ? (int16)fmax(fmin(value, INT16_MAX),
					INT16_MIN) : INT16_MIN);
				break;
			default: {
				const void* data;
				ssize_t size;
				if (from.FindData(name, type, index, &data, &size) == B_OK)
					into->AddData(name, type, data, size, false);
				break;
			}
		}
	};
}

} // namespace


class WidgetArchiveWindowTest : public OffscreenWindowTest<> {
};


TEST_F(WidgetArchiveWindowTest, DamagedArchivesGiveAUsableWidgetOrNothing)
{
	fWindow = new BWindow(BRect(0, 0, 199, 199), TestName(), B_TITLED_WINDOW, 0);
	ASSERT_NO_FATAL_FAILURE(ShowWindow());

	const std::pair<const char*, Change> damages[] = {
		{ "missing fields", [](BMessage*, const char*, type_code, int32, const BMessage&) {} },
		{ "wrong types", [](BMessage* into, const char* name, type_code, int32,
				const BMessage&) { into->AddString(name, "wrong"); } },
		{ "NaN", numbers_set_to(NAN) },
		{ "infinity", numbers_set_to(INFINITY) },
		{ "huge", numbers_set_to(1e30) },
		{ "negative", numbers_set_to(-123456789) },
		{ "enums out of range", numbers_set_to(0x7fff) },
	};
	for (auto& [className, archive] : sample_archives()) {
		for (auto& [damageName, change] : damages) {
			SCOPED_TRACE(className + ", " + damageName);
			BMessage bad = damaged(archive, change);
			BArchivable* object = instantiate_object(&bad);
			// With nothing but its class, a widget takes its defaults.
			if (strcmp(damageName, "missing fields") == 0) {
				EXPECT_NE(object, nullptr);
			}
			if (object == nullptr)
				continue;
			BMessage again;
			EXPECT_EQ(object->Archive(&again, true), B_OK);
			BView* view = dynamic_cast<BView*>(object);
			if (view == nullptr) {
				delete object;
				continue;
			}
			BRect frame = view->Frame();
			EXPECT_TRUE(isfinite(frame.left) && isfinite(frame.right)
				&& isfinite(frame.top) && isfinite(frame.bottom));
			EXPECT_TRUE(frame.IsValid());
			EXPECT_GE(view->PenSize(), 0);
			// Drawn in a window, it draws something or nothing, and nothing worse.
			ASSERT_TRUE(fWindow->Lock());
			fWindow->AddChild(view);
			view->Invalidate();
			fWindow->UpdateIfNeeded();
			view->RemoveSelf();
			fWindow->Unlock();
			if (BListView* list = dynamic_cast<BListView*>(view))
				delete_items(list);
			delete view;
		}
	}
}
