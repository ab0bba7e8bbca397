// Every widget of the kit in windows of this process on a real X server (a private
// Xvfb), looked at through the server's root window: the gallery's colours and
// geometry, a pop-up menu that opens past the bottom of a small window and still shows
// every item, a menu bar's menu, and real clicks (XTEST) that choose items and close
// menus. Each case saves the screen under the build directory as Widgets-<case>.png.
#include <Box.h>
#include <Button.h>
#include <ChannelSlider.h>
#include <CheckBox.h>
#include <InterfaceDefs.h>
#include <ListItem.h>
#include <ListView.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <OptionPopUp.h>
#include <OutlineListView.h>
#include <Picture.h>
#include <PictureButton.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <ScrollView.h>
#include <Slider.h>
#include <StatusBar.h>
#include <StringView.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <vector>

#include <atomic>
#include <string>
#include <vector>

namespace {

// The part of the screen the tests look at; the server's screen is larger.
const int kScreenWidth = 700;
const int kScreenHeight = 560;

const uint32 kChosen = 'chos';
const uint32 kPanel = 0xd8d8d8;

const rgb_color kSliderFill = { 40, 90, 200, 255 };
const rgb_color kStatusBar = { 60, 160, 60, 255 };
const rgb_color kPictureOff = { 200, 40, 40, 255 };
const rgb_color kPictureOn = { 40, 40, 200, 255 };


uint32
pixel_of(rgb_color color)
{
	return (uint32)color.red << 16 | (uint32)color.green << 8 | color.blue;
}


bool
is_dark(uint32 pixel)
{
	return ((pixel >> 16) & 0xff) < 100 && ((pixel >> 8) & 0xff) < 100
		&& (pixel & 0xff) < 100;
}


// The path of a screenshot in the build directory.
std::string
screenshot_path(const char* name)
{
	return std::string(QV_BIN_DIR "/../Widgets-") + name + ".png";
}


// A picture that fills size by size pixels with colour.
BPicture*
solid_picture(BView* view, rgb_color color, float size)
{
	view->BeginPicture(new BPicture);
	view->SetHighColor(color);
	view->FillRect(BRect(0, 0, size - 1, size - 1));
	return view->EndPicture();
}


// Items for a menu; each sends kChosen with its "index".
void
add_items(BMenu* menu, const char* const* labels, int32 count)
{
	for (int32 i = 0; i < count; i++) {
		BMessage* message = new BMessage(kChosen);
		message->AddInt32("index", i);
		menu->AddItem(new BMenuItem(labels[i], message));
	}
}


// A list view leaves its items to its owner, which empties it before deleting them.
void
delete_items(BListView* list)
{
	std::vector<BListItem*> items;
	for (int32 i = 0; BListItem* item = list->ItemAt(i); i++)
		items.push_back(item);
	list->MakeEmpty();
	for (BListItem* item : items)
		delete item;
}


void
delete_items(BOutlineListView* outline)
{
	std::vector<BListItem*> items;
	for (int32 i = 0; BListItem* item = outline->FullListItemAt(i); i++)
		items.push_back(item);
	outline->MakeEmpty();
	for (BListItem* item : items)
		delete item;
}


// A window that counts what its items and controls send.
class ScreenWindow : public BWindow {
public:
	ScreenWindow(BRect frame, const char* title)
		:
		BWindow(frame, title, B_TITLED_WINDOW, 0)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kChosen) {
			int32 index = -1;
			message->FindInt32("index", &index);
			fChosen = index;
			return;
		}
		BWindow::MessageReceived(message);
	}

	std::atomic<int32> fChosen{ -1 };
};


// Every widget of the kit, side by side.
class GalleryWindow : public ScreenWindow {
public:
	GalleryWindow()
		:
		ScreenWindow(BRect(20, 20, 619, 479), "Widgets")
	{
		BMenuBar* bar = new BMenuBar(BRect(0, 0, 599, 19), "menu bar");
		BMenu* file = new BMenu("File");
		const char* fileItems[] = { "New", "Open", "Save", "Quit" };
		add_items(file, fileItems, 4);
		BMenu* recent = new BMenu("Recent");
		const char* recentItems[] = { "First file", "Second file" };
		add_items(recent, recentItems, 2);
		file->AddItem(recent, 2);
		bar->AddItem(file);
		BMenu* edit = new BMenu("Edit");
		const char* editItems[] = { "Cut", "Copy", "Paste" };
		add_items(edit, editItems, 3);
		bar->AddItem(edit);
		AddChild(bar);

		AddChild(new BButton(BRect(10, 30, 110, 55), "button", "Button",
			new BMessage('butn')));
		BCheckBox* check = new BCheckBox(BRect(10, 65, 150, 85), "check", "Check box",
			new BMessage('chck'));
		check->SetValue(B_CONTROL_ON);
		AddChild(check);

		BBox* box = new BBox(BRect(10, 95, 150, 190), "box");
		box->SetLabel("Radio group");
		const char* radios[] = { "First", "Second", "Third" };
		for (int32 i = 0; i < 3; i++) {
			BRadioButton* radio = new BRadioButton(BRect(10, 20 + 22 * i, 130, 38 + 22 * i),
				radios[i], radios[i], new BMessage('radi'));
			radio->SetValue(i == 1 ? B_CONTROL_ON : B_CONTROL_OFF);
			box->AddChild(radio);
		}
		AddChild(box);

		AddChild(new BStringView(BRect(10, 200, 150, 218), "string", "A string view"));

		BView* scratch = new BView(BRect(0, 0, 39, 39), "scratch", B_FOLLOW_NONE, 0);
		AddChild(scratch);
		BPicture* off = solid_picture(scratch, kPictureOff, 40);
		BPicture* on = solid_picture(scratch, kPictureOn, 40);
		RemoveChild(scratch);
		delete scratch;
		AddChild(new BPictureButton(BRect(10, 230, 49, 269), "picture", off, on,
			new BMessage('pict'), B_TWO_STATE_BUTTON));
		delete off;
		delete on;

		fList = new BListView(BRect(172, 32, 310, 130), "list");
		const char* names[] = { "Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta",
			"Eta", "Theta", "Iota", "Kappa" };
		for (const char* name : names)
			fList->AddItem(new BStringItem(name));
		fList->Select(2);
		AddChild(new BScrollView("list scroll", fList, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0,
			false, true));

		fOutline = new BOutlineListView(BRect(172, 152, 310, 260), "outline");
		BStringItem* fruit = new BStringItem("Fruit");
		fOutline->AddItem(fruit);
		fOutline->AddUnder(new BStringItem("Apple"), fruit);
		fOutline->AddUnder(new BStringItem("Pear"), fruit);
		BStringItem* vegetables = new BStringItem("Vegetables", 0, false);
		fOutline->AddItem(vegetables);
		fOutline->AddUnder(new BStringItem("Leek"), vegetables);
		fOutline->AddItem(new BStringItem("Bread"));
		AddChild(new BScrollView("outline scroll", fOutline, B_FOLLOW_LEFT | B_FOLLOW_TOP,
			0, true, true));

		fText = new BTextView(BRect(342, 32, 588, 130), "text", BRect(4, 4, 242, 94),
			B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_PULSE_NEEDED);
		fText->SetText("A text view of several lines.\nThe second line is selected "
			"in part,\nand the third one wraps because it is much longer than the "
			"view is wide.");
		AddChild(new BScrollView("text scroll", fText, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0,
			false, true));
		fText->Select(30, 60);
		fText->MakeFocus(true);

		AddChild(new BTextControl(BRect(340, 150, 600 - 10, 170), "text control", "Name:",
			"Quorvane", new BMessage('text')));

		BPopUpMenu* sizes = new BPopUpMenu("sizes");
		const char* sizeItems[] = { "Small", "Medium", "Large" };
		add_items(sizes, sizeItems, 3);
		sizes->ItemAt(1)->SetMarked(true);
		BMenuField* field = new BMenuField(BRect(340, 180, 590, 200), "menu field", "Size:",
			sizes);
		field->SetDivider(60);
		AddChild(field);

		fSlider = new BSlider(BRect(340, 210, 590, 268), "slider", "Slider",
			new BMessage('slid'), 0, 100);
		fSlider->SetHashMarks(B_HASH_MARKS_BOTTOM);
		fSlider->SetHashMarkCount(5);
		fSlider->SetLimitLabels("Low", "High");
		fSlider->UseFillColor(true, &kSliderFill);
		fSlider->SetValue(75);
		AddChild(fSlider);

		fStatus = new BStatusBar(BRect(340, 278, 590, 318), "status", "Progress:",
			"of 100");
		fStatus->SetBarColor(kStatusBar);
		fStatus->SetTo(40, "40", "done");
		AddChild(fStatus);
	}

	~GalleryWindow() override
	{
		delete_items(fList);
		delete_items(fOutline);
	}

	BListView* fList;
	BOutlineListView* fOutline;
	BTextView* fText;
	BSlider* fSlider;
	BStatusBar* fStatus;
};


// A small window with a menu field at its bottom edge.
class SmallWindow : public ScreenWindow {
public:
	SmallWindow()
		:
		ScreenWindow(BRect(100, 100, 299, 159), "Small")
	{
		fMenu = new BPopUpMenu("choices");
		const char* labels[] = { "One", "Two", "Three", "Four", "Five", "Six" };
		add_items(fMenu, labels, 6);
		fMenu->ItemAt(0)->SetMarked(true);
		fField = new BMenuField(BRect(10, 35, 190, 55), "field", "Pick:", fMenu);
		fField->SetDivider(50);
		AddChild(fField);
	}

	BPopUpMenu* fMenu;
	BMenuField* fField;
};


// Widgets in the states a user sees them in besides the plain one: focused, default,
// disabled, scrolled.
class StatesWindow : public ScreenWindow {
public:
	StatesWindow()
		:
		ScreenWindow(BRect(20, 20, 419, 259), "States")
	{
		BButton* defaultButton = new BButton(BRect(10, 10, 110, 40), "default", "Default",
			new BMessage('dflt'));
		AddChild(defaultButton);
		defaultButton->MakeDefault(true);
		fDisabledButton = new BButton(BRect(130, 10, 230, 35), "disabled", "Disabled",
			new BMessage('dsbl'));
		fDisabledButton->SetEnabled(false);
		AddChild(fDisabledButton);

		fControl = new BTextControl(BRect(10, 50, 250, 70), "focused", "Focused:",
			"Some text", new BMessage('text'));
		AddChild(fControl);
		BTextControl* off = new BTextControl(BRect(10, 80, 250, 100), "off", "Disabled:",
			"Not editable", new BMessage('text'));
		off->SetEnabled(false);
		AddChild(off);

		fDisabledSlider = new BSlider(BRect(10, 110, 250, 160), "disabled slider",
			"Disabled slider", new BMessage('slid'), 0, 10);
		fDisabledSlider->SetValue(3);
		fDisabledSlider->SetEnabled(false);
		AddChild(fDisabledSlider);

		BPopUpMenu* menu = new BPopUpMenu("menu");
		const char* labels[] = { "Alpha", "Beta" };
		add_items(menu, labels, 2);
		menu->ItemAt(0)->SetMarked(true);
		BMenuField* field = new BMenuField(BRect(10, 170, 250, 190), "disabled field",
			"Disabled:", menu);
		field->SetEnabled(false);
		AddChild(field);

		fList = new BListView(BRect(272, 12, 380, 100), "scrolled list");
		for (int32 i = 0; i < 30; i++)
			fList->AddItem(new BStringItem(("Row " + std::to_string(i)).c_str()));
		AddChild(new BScrollView("scrolled", fList, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0, false,
			true));
		fList->Select(20);
		fList->ScrollToSelection();

		fControl->MakeFocus(true);
	}

	~StatesWindow() override { delete_items(fList); }

	BButton* fDisabledButton;
	BSlider* fDisabledSlider;
	BTextControl* fControl;
	BListView* fList;
};


// The tab view with a channel slider, an option pop-up, styled text and a box with a
// view for its label on its pages.
class TabsWindow : public ScreenWindow {
public:
	TabsWindow()
		:
		ScreenWindow(BRect(20, 20, 459, 299), "Tabs")
	{
		fTabs = new BTabView(BRect(10, 10, 429, 269), "tabs", B_WIDTH_FROM_LABEL);
		BView* mixer = new BView(BRect(0, 0, 400, 220), "Mixer", B_FOLLOW_NONE, B_WILL_DRAW);
		mixer->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
		fSlider = new BChannelSlider(BRect(10, 10, 99, 200), "channels", "Levels",
			new BMessage('chan'), 3);
		fSlider->SetLimitLabels("Off", "Full");
		fSlider->SetValueFor(0, 80);
		fSlider->SetValueFor(1, 50);
		fSlider->SetValueFor(2, 20);
		mixer->AddChild(fSlider);

		fOptions = new BOptionPopUp(BRect(120, 10, 390, 30), "options", "Quality:",
			new BMessage('optn'));
		fOptions->AddOption("Draft", 1);
		fOptions->AddOption("Normal", 2);
		fOptions->AddOption("Best", 3);
		fOptions->SelectOptionFor(2);
		mixer->AddChild(fOptions);

		fText = new BTextView(BRect(120, 50, 390, 130), "styled", BRect(4, 4, 266, 76),
			B_FOLLOW_NONE, B_WILL_DRAW);
		fText->SetStylable(true);
		fText->SetText("Plain, bold and big green text.");
		BFont bold(be_bold_font);
		rgb_color black = { 0, 0, 0, 255 };
		rgb_color green = { 0, 150, 0, 255 };
		BFont big(be_plain_font);
		big.SetSize(20);
		std::vector<char> bytes(sizeof(text_run_array) + 2 * sizeof(text_run));
		text_run_array* runs = (text_run_array*)bytes.data();
		runs->count = 3;
		runs->runs[0] = text_run{ 0, *be_plain_font, black };
		runs->runs[1] = text_run{ 7, bold, black };
		runs->runs[2] = text_run{ 16, big, green };
		fText->SetRunArray(0, fText->TextLength(), runs);
		mixer->AddChild(fText);

		BBox* box = new BBox(BRect(120, 140, 390, 210), "box");
		box->SetLabel(new BCheckBox(BRect(0, 0, 110, 18), "box check", "Enabled",
			new BMessage('bxck')));
		mixer->AddChild(box);
		fTabs->AddTab(mixer);

		BView* second = new BView(BRect(0, 0, 400, 220), "Second page", B_FOLLOW_NONE,
			B_WILL_DRAW);
		second->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
		fTabs->AddTab(second);
		BView* third = new BView(BRect(0, 0, 400, 220), "Off", B_FOLLOW_NONE, B_WILL_DRAW);
		fTabs->AddTab(third);
		fTabs->TabAt(2)->SetEnabled(false);
		AddChild(fTabs);
	}

	BTabView* fTabs;
	BChannelSlider* fSlider;
	BOptionPopUp* fOptions;
	BTextView* fText;
};


class WidgetsScreenTest : public testing::Test {
protected:
	static void SetUpTestSuite()
	{
		stServer = new XvfbServer;
		ASSERT_EQ(stServer->Start(), B_OK);
		// The display of this process is chosen once, at its first window.
		setenv("DISPLAY", stServer->Name().c_str(), 1);
		setenv("BE_DISPLAY", "x11", 1);
	}

	static void TearDownTestSuite()
	{
		// The display's reader thread ends with its connection, when the server goes.
		delete stServer;
		stServer = NULL;
	}

	void SetUp() override
	{
		fScreen = new XvfbScreen(stServer->Name(), kScreenWidth, kScreenHeight);
		ASSERT_TRUE(fScreen->IsOpen());
	}

	void TearDown() override
	{
		if (fWindow != NULL && fWindow->Lock())
			fWindow->Quit();
		fWindow = NULL;
		delete fScreen;
	}

	// Shows window and waits until its content is on the screen: its labels, dark on
	// the panel's colour (the X window's own background is that colour too, before
	// anything is drawn).
	void Show(ScreenWindow* window)
	{
		fWindow = window;
		window->Show();
		BRect frame = window->Frame();
		bool shown = fScreen->WaitFor([&] {
			return fScreen->Count(frame.left, frame.top, frame.right, frame.bottom,
				is_dark) > 30;
		});
		if (!shown)
			fScreen->Save(screenshot_path("not-shown").c_str());
		ASSERT_TRUE(shown) << "the screen is in " << screenshot_path("not-shown");
	}

	// The frame of view on the screen.
	BRect ScreenFrame(BView* view)
	{
		BRect frame;
		wait_until(fWindow, [&] {
			frame = view->ConvertToScreen(view->Bounds());
			return true;
		});
		return frame;
	}

	void Save(const char* name)
	{
		ASSERT_TRUE(fScreen->Grab());
		EXPECT_TRUE(fScreen->Save(screenshot_path(name).c_str()));
	}

	static XvfbServer* stServer;
	XvfbScreen* fScreen = NULL;
	ScreenWindow* fWindow = NULL;
};

XvfbServer* WidgetsScreenTest::stServer = NULL;

} // namespace


TEST_F(WidgetsScreenTest, GalleryShowsEveryWidgetWithItsColoursAndGeometry)
{
	GalleryWindow* window = new GalleryWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	// A text view shows its selection in the highlight tint in the active window.
	ASSERT_TRUE(window->Lock());
	window->Activate();
	window->Unlock();
	BRect text = ScreenFrame(window->fText);
	BRect bar;
	BRect thumb;
	BRect status;
	wait_until(window, [&] {
		bar = window->fSlider->ConvertToScreen(window->fSlider->BarFrame());
		thumb = window->fSlider->ConvertToScreen(window->fSlider->ThumbFrame());
		status = window->fStatus->ConvertToScreen(window->fStatus->Bounds());
		return true;
	});

	BRect list = ScreenFrame(window->fList);
	uint32 highlight = pixel_of(tint_color(ui_color(B_DOCUMENT_BACKGROUND_COLOR),
		B_HIGHLIGHT_BACKGROUND_TINT));
	uint32 fill = pixel_of(kSliderFill);
	uint32 face = pixel_of(ui_color(B_CONTROL_BACKGROUND_COLOR));
	uint32 statusColor = pixel_of(kStatusBar);
	int y = (int)((bar.top + bar.bottom) / 2);
	int statusY = -1;

	// What the screen shows, measured on each grab until it is all there.
	int highlighted = 0;
	int faceLeft = -1;
	int faceRight = -1;
	int fillEnd = -1;
	int statusWidth = 0;
	int pictured = 0;
	int listText = 0;
	auto measure = [&] {
		highlighted = fScreen->Count(text.left, text.top, text.right, text.bottom,
			[&](uint32 pixel) { return pixel == highlight; });
		faceLeft = faceRight = fillEnd = -1;
		for (int x = (int)bar.left; x <= (int)bar.right; x++) {
			if (fScreen->At(x, y) == face) {
				if (faceLeft < 0)
					faceLeft = x;
				faceRight = x;
			}
			if (fScreen->At(x, y) == fill)
				fillEnd = x;
		}
		// The widest row of the status bar's colour.
		statusWidth = 0;
		for (int row = (int)status.top; row <= (int)status.bottom; row++) {
			int width = fScreen->Count(status.left, row, status.right, row,
				[&](uint32 pixel) { return pixel == statusColor; });
			if (width > statusWidth) {
				statusWidth = width;
				statusY = row;
			}
		}
		pictured = fScreen->Count(20 + 10, 20 + 230, 20 + 49, 20 + 269,
			[](uint32 pixel) { return pixel == pixel_of(kPictureOff); });
		listText = fScreen->Count(list.left, list.top, list.right, list.bottom, is_dark);
		return highlighted > 200 && fillEnd > 0 && faceLeft > 0 && statusWidth > 0
			&& pictured > 1000 && listText > 50;
	};
	EXPECT_TRUE(fScreen->WaitFor(measure));
	Save("gallery");

	// The text view is focused: its selection shows in the highlight tint of its
	// colour, over a run of the second line.
	EXPECT_GT(highlighted, 200);
	// The thumb sits three quarters along the bar, and the fill runs up to it.
	float expected = bar.left + 0.75f * bar.Width();
	EXPECT_NEAR((faceLeft + faceRight) / 2.0f, expected, 2.0f);
	EXPECT_NEAR(fillEnd, thumb.left - 1, 2.0f);
	// The status bar is filled to 40 of 100, a solid run from its left edge.
	EXPECT_NEAR(statusWidth, 0.4f * status.Width(), 6.0f);
	EXPECT_EQ(fScreen->At(status.left + 2, statusY), statusColor);
	// The picture button shows its "off" picture; the list its rows.
	EXPECT_GT(pictured, 1000);
	EXPECT_GT(listText, 50);
}


TEST_F(WidgetsScreenTest, PopUpPastTheWindowsBottomShowsEveryItemAndAClickChoosesOne)
{
	SmallWindow* window = new SmallWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	BRect frame = window->Frame();
	BRect field = ScreenFrame(window->fField);

	// A click on the field's box opens its menu; its six items run past the window's
	// bottom edge, onto the screen below.
	fScreen->Click(field.left + 80, (field.top + field.bottom) / 2);
	BRect menu;
	ASSERT_TRUE(wait_until(window, [&] {
		if (window->fMenu->Window() == NULL)
			return false;
		menu = window->fMenu->ConvertToScreen(window->fMenu->Bounds());
		return true;
	}));
	ASSERT_GT(menu.bottom, frame.bottom + 40);
	// The last item's label is drawn below the window.
	BRect last;
	wait_until(window, [&] {
		last = window->fMenu->ConvertToScreen(window->fMenu->ItemAt(5)->Frame());
		return true;
	});
	EXPECT_GT(last.top, frame.bottom);
	EXPECT_TRUE(fScreen->WaitFor([&] {
		return fScreen->Count(last.left, last.top, last.right, last.bottom, is_dark) > 10;
	}));
	Save("popup");

	// A click on it chooses it.
	fScreen->Click(last.left + 20, (last.top + last.bottom) / 2);
	EXPECT_TRUE(wait_for([&] { return window->fChosen == 5; }));
	EXPECT_TRUE(fScreen->WaitFor([&] {
		return fScreen->At(menu.left + 2, menu.bottom - 2) != kPanel;
	}));
}


TEST_F(WidgetsScreenTest, MenuBarMenuOpensAndAClickOutsideTheWindowClosesIt)
{
	GalleryWindow* window = new GalleryWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	// A text view shows its selection in the highlight tint in the active window.
	ASSERT_TRUE(window->Lock());
	window->Activate();
	window->Unlock();
	BRect frame = window->Frame();

	// The "File" title opens its menu below the bar.
	fScreen->Click(frame.left + 15, frame.top + 10);
	BMenu* file = NULL;
	BRect menu;
	ASSERT_TRUE(wait_until(window, [&] {
		file = window->KeyMenuBar()->SubmenuAt(0);
		if (file->Window() == NULL)
			return false;
		menu = file->ConvertToScreen(file->Bounds());
		return true;
	}));
	ASSERT_TRUE(fScreen->WaitFor([&] {
		return fScreen->Count(menu.left, menu.top, menu.right, menu.bottom, is_dark) > 40;
	}));
	Save("menu-bar");

	// A click on the screen beside the window closes the menu, and chooses nothing.
	fScreen->Click(frame.right + 40, frame.top + 40);
	EXPECT_TRUE(wait_until(window, [&] { return file->Window() == NULL; }));
	EXPECT_EQ(window->fChosen, -1);

	// The keys go to the text view again: a typed letter replaces its selection.
	fScreen->Key('x');
	EXPECT_TRUE(wait_until(window, [&] {
		return std::string(window->fText->Text()).find("The second line is selected")
			== std::string::npos;
	}));
	EXPECT_TRUE(wait_until(window, [&] {
		return window->fText->IsFocus()
			&& std::string(window->fText->Text()).substr(30, 8) == "x part,\n";
	}));
}


TEST_F(WidgetsScreenTest, MenuBarItemIsChosenByDraggingFromTheTitle)
{
	GalleryWindow* window = new GalleryWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	// A text view shows its selection in the highlight tint in the active window.
	ASSERT_TRUE(window->Lock());
	window->Activate();
	window->Unlock();
	BRect frame = window->Frame();

	// The press on "Edit" opens its menu; the pointer, still pressed, moves down to
	// "Copy" in the menu's own window and the release there chooses it.
	fScreen->MoveTo(frame.left + 60, frame.top + 10);
	fScreen->Press();
	BMenu* edit = NULL;
	BRect copy;
	ASSERT_TRUE(wait_until(window, [&] {
		edit = window->KeyMenuBar()->SubmenuAt(1);
		if (edit->Window() == NULL)
			return false;
		copy = edit->ConvertToScreen(edit->ItemAt(1)->Frame());
		return true;
	}));
	fScreen->MoveTo(copy.left + 20, copy.top + 4);
	fScreen->MoveTo(copy.left + 25, (copy.top + copy.bottom) / 2);
	fScreen->Release();
	EXPECT_TRUE(wait_for([&] { return window->fChosen == 1; }));
	EXPECT_TRUE(wait_until(window, [&] { return edit->Window() == NULL; }));
}


TEST_F(WidgetsScreenTest, ClosedSubmenuLeavesItsMenuHoldingThePointer)
{
	GalleryWindow* window = new GalleryWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	// A text view shows its selection in the highlight tint in the active window.
	ASSERT_TRUE(window->Lock());
	window->Activate();
	window->Unlock();
	BRect frame = window->Frame();

	// "File", then the pointer rests on "Recent": its submenu opens beside it.
	fScreen->Click(frame.left + 15, frame.top + 10);
	BMenu* file = NULL;
	BMenu* recent = NULL;
	BRect recentItem;
	BRect newItem;
	ASSERT_TRUE(wait_until(window, [&] {
		file = window->KeyMenuBar()->SubmenuAt(0);
		if (file->Window() == NULL)
			return false;
		recent = file->SubmenuAt(2);
		recentItem = file->ConvertToScreen(file->ItemAt(2)->Frame());
		newItem = file->ConvertToScreen(file->ItemAt(0)->Frame());
		return true;
	}));
	fScreen->MoveTo(recentItem.left + 20, (recentItem.top + recentItem.bottom) / 2);
	ASSERT_TRUE(wait_until(window, [&] { return recent->Window() != NULL; }));
	BRect submenu;
	wait_until(window, [&] {
		submenu = recent->ConvertToScreen(recent->Bounds());
		return true;
	});
	ASSERT_TRUE(fScreen->WaitFor([&] {
		return fScreen->Count(submenu.left, submenu.top, submenu.right, submenu.bottom,
			is_dark) > 40;
	}));
	Save("submenu");

	// Back on "New" the submenu closes; the menu still closes at a click elsewhere on
	// the screen.
	fScreen->MoveTo(newItem.left + 20, (newItem.top + newItem.bottom) / 2);
	ASSERT_TRUE(wait_until(window, [&] { return recent->Window() == NULL; }));
	fScreen->Click(frame.right + 40, frame.bottom - 40);
	EXPECT_TRUE(wait_until(window, [&] { return file->Window() == NULL; }));
	EXPECT_EQ(window->fChosen, -1);
}


TEST_F(WidgetsScreenTest, PopUpItemIsChosenWithTheKeyboard)
{
	SmallWindow* window = new SmallWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	BRect field = ScreenFrame(window->fField);

	fScreen->Click(field.left + 80, (field.top + field.bottom) / 2);
	ASSERT_TRUE(wait_until(window, [&] { return window->fMenu->Window() != NULL; }));
	// The menu opens with nothing selected: three steps down reach "Three".
	const xcb_keysym_t kDown = 0xff54;
	const xcb_keysym_t kReturn = 0xff0d;
	fScreen->Key(kDown);
	fScreen->Key(kDown);
	fScreen->Key(kDown);
	fScreen->Key(kReturn);
	EXPECT_TRUE(wait_for([&] { return window->fChosen == 2; }));
	EXPECT_TRUE(wait_until(window, [&] {
		return window->fMenu->Window() == NULL
			&& strcmp(window->fField->MenuItem()->Label(), "Three") == 0;
	}));
}


TEST_F(WidgetsScreenTest, DisabledButtonAndSliderThumbAreOutlinedInTheDisabledGrey)
{
	StatesWindow* window = new StatesWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	BRect button = ScreenFrame(window->fDisabledButton);
	BRect thumb;
	BRect control = ScreenFrame(window->fControl);
	wait_until(window, [&] {
		thumb = window->fDisabledSlider->ConvertToScreen(
			window->fDisabledSlider->ThumbFrame());
		return true;
	});
	uint32 grey = pixel_of(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR),
		B_DISABLED_LABEL_TINT));
	uint32 navigation = pixel_of(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
	auto isNavigation = [&](uint32 pixel) { return pixel == navigation; };
	EXPECT_TRUE(fScreen->WaitFor([&] {
		return fScreen->At(button.left + 20, button.top) == grey
			&& fScreen->At(thumb.left, thumb.top + 5) == grey
			&& fScreen->Count(control.left, control.top, control.right, control.bottom,
				isNavigation) > 100;
	}));
	Save("states");

	// Drawn in black they would look as usable as the others.
	EXPECT_EQ(fScreen->At(button.left + 20, button.top), grey);
	EXPECT_EQ(fScreen->At(button.left, button.top + 10), grey);
	EXPECT_EQ(fScreen->At(thumb.left, thumb.top + 5), grey);
	// The focused text control is marked in the navigation colour.
	EXPECT_GT(fScreen->Count(control.left, control.top, control.right, control.bottom,
		isNavigation), 100);
}


TEST_F(WidgetsScreenTest, TabsChannelsOptionsAndStyledTextAreDrawn)
{
	TabsWindow* window = new TabsWindow;
	ASSERT_NO_FATAL_FAILURE(Show(window));
	BRect thumb;
	BRect tab;
	BRect text;
	wait_until(window, [&] {
		window->fSlider->ThumbFrameFor(0, &thumb);
		thumb = window->fSlider->ConvertToScreen(thumb);
		tab = window->fTabs->ConvertToScreen(window->fTabs->TabFrame(0));
		text = window->fText->ConvertToScreen(window->fText->Bounds());
		return true;
	});
	uint32 border = pixel_of(ui_color(B_CONTROL_BORDER_COLOR));
	uint32 white = 0xffffff;
	bool drawn = fScreen->WaitFor([&] {
		// The first channel's thumb, the selected tab's lit top edge, green text.
		return fScreen->Count(thumb.left, thumb.top, thumb.right, thumb.bottom,
				[&](uint32 pixel) { return pixel == border; }) > 10
			&& fScreen->Count(tab.left + 6, tab.top, tab.right - 6, tab.top,
				[&](uint32 pixel) { return pixel == white; }) > 20
			&& fScreen->Count(text.left, text.top, text.right, text.bottom,
				[](uint32 pixel) {
					return ((pixel >> 8) & 0xff) > 100 && (pixel >> 16) < 60
						&& (pixel & 0xff) < 60;
				}) > 10;
	});
	Save("tabs");
	EXPECT_TRUE(drawn) << "the screen is in " << screenshot_path("tabs");
}
