// WorkbenchWindow: builds its menus and panes and keeps the details, the summary, the log
// and the status line in step with the outline.
#include "WorkbenchWindow.h"

#include "ToolWindows.h"
#include "WorkbenchDefs.h"

#include <AppDefs.h>
#include <Application.h>
#include <Box.h>
#include <Message.h>
#include <Button.h>
#include <CheckBox.h>
#include <ListItem.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <OutlineListView.h>
#include <ScrollView.h>
#include <String.h>
#include <StringView.h>

#include <stdio.h>
#include <string.h>
#include <time.h>

namespace {

const float kLeftWidth = 250;
const float kStatusHeight = 22;

// The parts of the kit, one row each: a level and a name.
struct Part {
	uint32		level;
	const char*	name;
};

const Part kParts[] = {
	{ 0, "Application Kit" },
	{ 1, "BApplication" }, { 1, "BLooper" }, { 1, "BHandler" }, { 1, "BMessage" },
	{ 1, "BMessenger" }, { 1, "BRoster" },
	{ 0, "Interface Kit" },
	{ 1, "Windows" }, { 2, "BWindow" }, { 2, "BAlert" },
	{ 1, "Views" }, { 2, "BView" }, { 2, "BBox" }, { 2, "BStringView" },
	{ 1, "Controls" }, { 2, "BControl" }, { 2, "BButton" }, { 2, "BCheckBox" },
	{ 1, "Menus" }, { 2, "BMenuBar" }, { 2, "BMenu" }, { 2, "BMenuItem" },
	{ 1, "Lists" }, { 2, "BListView" }, { 2, "BOutlineListView" }, { 2, "BScrollView" },
	{ 0, "Storage Kit" },
	{ 1, "BFile" }, { 1, "BEntry" }, { 1, "BPath" }, { 1, "BResources" },
	{ 0, "Support Kit" },
	{ 1, "BString" }, { 1, "BList" }, { 1, "BLocker" }
};


BStringView*
AddRow(BView* grid, float top, const char* name, const char* label)
{
	BStringView* title = new BStringView(BRect(0, top, 54, top + 17),
		(BString(name) << "Label").String(), label);
	title->SetAlignment(B_ALIGN_RIGHT);
	grid->AddChild(title);
	BStringView* value = new BStringView(BRect(62, top, grid->Bounds().right, top + 17),
		(BString(name) << "Value").String(), "-", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	grid->AddChild(value);
	return value;
}

} // namespace


WorkbenchWindow::WorkbenchWindow(BRect frame)
	:
	BWindow(frame, "Workbench", B_DOCUMENT_WINDOW,
		B_ASYNCHRONOUS_CONTROLS | B_QUIT_ON_WINDOW_CLOSE),
	fNotes(0)
{
	float width = frame.Width();
	float height = frame.Height();
	_CreateMenuBar();
	// The window grows by the bar, so that the panes below keep the size asked for.
	float top = fMenuBar->Frame().Height() + 1;
	ResizeTo(width, height + top);

	BView* body = new BView(BRect(0, top, width, height + top), "Body",
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	body->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(body);
	_CreateParts(body, height);
	_CreateRightPane(body, width, height);

	fStatus = new BStringView(BRect(10, height - kStatusHeight + 2, width - 10, height - 2),
		"StatusBar", "Ready.", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
	body->AddChild(fStatus);

	_FillOutline();
	SetSizeLimits(520, 4000, 380, 4000);
}


void
WorkbenchWindow::_CreateMenuBar()
{
	fMenuBar = new BMenuBar(BRect(0, 0, Bounds().Width(), 10), "WorkbenchWindow::MainMenu");

	BMenu* file = new BMenu("File");
	file->AddItem(new BMenuItem("New Note", new BMessage(kMsgNewNote), 'N'));
	file->AddItem(new BMenuItem("Show Palette", new BMessage(kMsgShowPalette), 'P'));
	file->AddSeparatorItem();
	BMenuItem* about = new BMenuItem("About SampleWorkbench" B_UTF8_ELLIPSIS,
		new BMessage(B_ABOUT_REQUESTED));
	about->SetTarget(be_app);
	file->AddItem(about);
	file->AddSeparatorItem();
	BMenuItem* quit = new BMenuItem("Quit", new BMessage(B_QUIT_REQUESTED), 'Q');
	quit->SetTarget(be_app);
	file->AddItem(quit);
	fMenuBar->AddItem(file);

	BMenu* edit = new BMenu("Edit");
	edit->AddItem(new BMenuItem("Expand All", new BMessage(kMsgExpandAll), 'E'));
	edit->AddItem(new BMenuItem("Collapse All", new BMessage(kMsgCollapseAll), 'E',
		B_SHIFT_KEY));
	edit->AddSeparatorItem();
	edit->AddItem(new BMenuItem("Clear Activity", new BMessage(kMsgClearLog), 'K'));
	fMenuBar->AddItem(edit);

	BMenu* view = new BMenu("View");
	BMenuItem* details = new BMenuItem("Show Details", new BMessage(kMsgToggleDetails));
	details->SetMarked(true);
	view->AddItem(details);
	BMenuItem* status = new BMenuItem("Show Status Line", new BMessage(kMsgToggleStatus));
	status->SetMarked(true);
	view->AddItem(status);
	view->AddSeparatorItem();
	BMenu* size = new BMenu("Outline Text Size");
	size->SetRadioMode(true);
	const struct { const char* label; float size; } sizes[] = {
		{ "Small", 10 }, { "Normal", 12 }, { "Large", 15 } };
	for (const auto& entry : sizes) {
		BMessage* message = new BMessage(kMsgFontSize);
		message->AddFloat("size", entry.size);
		BMenuItem* item = new BMenuItem(entry.label, message);
		item->SetMarked(entry.size == 12);
		size->AddItem(item);
	}
	view->AddItem(size);
	fMenuBar->AddItem(view);

	AddChild(fMenuBar);
}


void
WorkbenchWindow::_CreateParts(BView* body, float height)
{
	// The outline of the kit's parts, with a scroll bar.
	float outlineBottom = height - 150;
	fOutline = new BOutlineListView(BRect(10, 10, kLeftWidth - 14 - 2, outlineBottom - 2),
		"PartsOutline", B_SINGLE_SELECTION_LIST, B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM);
	fOutline->SetSelectionMessage(new BMessage(kMsgSelectPart));
	fOutline->SetInvocationMessage(new BMessage(kMsgInvokePart));
	body->AddChild(new BScrollView("PartsOutline->BScrollView", fOutline,
		B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM, 0, false, true, B_FANCY_BORDER));

	// The activity log in a labelled box below it.
	BBox* logBox = new BBox(BRect(8, outlineBottom + 6, kLeftWidth,
		height - kStatusHeight - 4), "ActivityBox", B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
	logBox->SetLabel("Activity");
	body->AddChild(logBox);
	BRect inner = logBox->Bounds();
	fLog = new BListView(BRect(8, 20, inner.right - 8 - 14 - 2, inner.bottom - 8 - 2),
		"ActivityLog", B_SINGLE_SELECTION_LIST, B_FOLLOW_ALL_SIDES);
	logBox->AddChild(new BScrollView("ActivityLog->BScrollView", fLog, B_FOLLOW_ALL_SIDES,
		0, false, true, B_FANCY_BORDER));
}


void
WorkbenchWindow::_CreateRightPane(BView* body, float width, float height)
{
	BView* pane = new BView(BRect(kLeftWidth + 10, 0, width, height - kStatusHeight),
		"RightPane", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	pane->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	body->AddChild(pane);
	float paneWidth = pane->Bounds().Width();

	// Details: a grid of labelled values, four views deep inside the pane.
	fDetailsBox = new BBox(BRect(0, 8, paneWidth - 10, 132), "DetailsBox",
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	fDetailsBox->SetLabel("Details");
	pane->AddChild(fDetailsBox);
	BView* grid = new BView(BRect(10, 22, fDetailsBox->Bounds().right - 10, 118),
		"DetailsGrid", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_WILL_DRAW);
	grid->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	fDetailsBox->AddChild(grid);
	fNameValue = AddRow(grid, 0, "Name", "Name:");
	fKindValue = AddRow(grid, 22, "Kind", "Kind:");
	fLevelValue = AddRow(grid, 44, "Level", "Level:");
	fPathValue = AddRow(grid, 66, "Path", "Path:");

	// Options: two check boxes and the buttons that apply or reset them.
	BBox* options = new BBox(BRect(0, 142, paneWidth - 10, 262), "OptionsBox",
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	options->SetLabel("Options");
	pane->AddChild(options);
	fFollow = new BCheckBox(BRect(12, 24, 220, 44), "FollowSelection",
		"Follow the selection", new BMessage(kMsgFollow));
	fFollow->SetValue(B_CONTROL_ON);
	options->AddChild(fFollow);
	fShowLevels = new BCheckBox(BRect(12, 48, 220, 68), "ShowLevels",
		"Show outline levels", new BMessage(kMsgShowLevels));
	fShowLevels->SetValue(B_CONTROL_ON);
	options->AddChild(fShowLevels);
	float right = options->Bounds().right - 12;
	BButton* apply = new BButton(BRect(right - 80, 76, right, 104), "ApplyButton", "Apply",
		new BMessage(kMsgApply), B_FOLLOW_RIGHT | B_FOLLOW_TOP);
	apply->MakeDefault(true);
	options->AddChild(apply);
	options->AddChild(new BButton(BRect(right - 170, 79, right - 92, 101), "ResetButton",
		"Reset", new BMessage(kMsgReset), B_FOLLOW_RIGHT | B_FOLLOW_TOP));

	// Summary: counts that follow the outline.
	BBox* summary = new BBox(BRect(0, 272, paneWidth - 10, pane->Bounds().bottom - 4),
		"SummaryBox", B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS, B_PLAIN_BORDER);
	summary->SetLabel("Summary");
	pane->AddChild(summary);
	fPartsCount = new BStringView(BRect(12, 22, 250, 40), "PartsCount", "");
	summary->AddChild(fPartsCount);
	fShownCount = new BStringView(BRect(12, 42, 250, 60), "ShownCount", "");
	summary->AddChild(fShownCount);
	BStringView* tip = new BStringView(BRect(12, 70, 360, 88), "Tip",
		"Double-click a group, or press Enter, to open or close it.");
	tip->SetHighColor(tint_color(ui_color(B_PANEL_TEXT_COLOR), B_LIGHTEN_1_TINT));
	summary->AddChild(tip);
}


void
WorkbenchWindow::_FillOutline()
{
	// Rows come in order, each with its level: the outline puts it under the row above.
	for (const Part& part : kParts)
		fOutline->AddItem(new BStringItem(part.name, part.level, part.level == 0));
	_UpdateSummary();
}


void
WorkbenchWindow::_ShowDetails(BListItem* item)
{
	BStringItem* part = dynamic_cast<BStringItem*>(item);
	if (part == NULL) {
		fNameValue->SetText("-");
		fKindValue->SetText("-");
		fLevelValue->SetText("-");
		fPathValue->SetText("-");
		return;
	}
	fNameValue->SetText(part->Text());
	int32 children = fOutline->CountItemsUnder(part, true);
	BString kind = part->OutlineLevel() == 0 ? "Kit"
		: children > 0 ? "Group" : "Class";
	if (children > 0)
		kind << " of " << children;
	fKindValue->SetText(kind.String());
	BString level;
	level << part->OutlineLevel();
	fLevelValue->SetText(fShowLevels->Value() == B_CONTROL_ON ? level.String() : "-");

	BString path = part->Text();
	for (BListItem* super = fOutline->Superitem(part); super != NULL;
			super = fOutline->Superitem(super)) {
		BString above = static_cast<BStringItem*>(super)->Text();
		path.Prepend(" / ").Prepend(above);
	}
	fPathValue->SetText(path.String());
}


void
WorkbenchWindow::_UpdateSummary()
{
	BString parts;
	parts << "Parts: " << fOutline->FullListCountItems();
	fPartsCount->SetText(parts.String());
	BString shown;
	shown << "Rows shown: " << fOutline->CountItems();
	fShownCount->SetText(shown.String());
}


void
WorkbenchWindow::_Log(const char* text)
{
	char stamp[16];
	time_t now = time(NULL);
	strftime(stamp, sizeof(stamp), "%H:%M:%S", localtime(&now));
	BString line;
	line << stamp << "  " << text;
	fLog->AddItem(new BStringItem(line.String()));
	fLog->ScrollTo(fLog->CountItems() - 1);
}


void
WorkbenchWindow::_SetStatus(const char* text)
{
	fStatus->SetText(text);
}


void
WorkbenchWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgSelectPart:
		{
			int32 index = fOutline->CurrentSelection();
			BStringItem* item = dynamic_cast<BStringItem*>(fOutline->ItemAt(index));
			if (fFollow->Value() == B_CONTROL_ON)
				_ShowDetails(item);
			if (item != NULL) {
				BString text;
				text << "Selected " << item->Text();
				_Log(text.String());
				_SetStatus(text.String());
			}
			break;
		}
		case kMsgInvokePart:
		{
			BListItem* item = fOutline->ItemAt(fOutline->CurrentSelection());
			if (item == NULL || fOutline->CountItemsUnder(item, true) == 0)
				break;
			if (item->IsExpanded())
				fOutline->Collapse(item);
			else
				fOutline->Expand(item);
			_UpdateSummary();
			break;
		}
		case kMsgExpandAll:
		case kMsgCollapseAll:
		{
			bool expand = message->what == kMsgExpandAll;
			for (int32 i = 0; BListItem* item = fOutline->FullListItemAt(i); i++) {
				if (fOutline->CountItemsUnder(item, true) == 0)
					continue;
				if (expand)
					fOutline->Expand(item);
				else
					fOutline->Collapse(item);
			}
			_UpdateSummary();
			_Log(expand ? "Expanded every part" : "Collapsed every part");
			break;
		}
		case kMsgClearLog:
		{
			while (BListItem* item = fLog->RemoveItem((int32)0))
				delete item;
			_SetStatus("Activity cleared.");
			break;
		}
		case kMsgToggleDetails:
		case kMsgToggleStatus:
		{
			BMenuItem* item = fMenuBar->FindItem(message->what);
			bool show = !item->IsMarked();
			item->SetMarked(show);
			BView* view = message->what == kMsgToggleDetails ? (BView*)fDetailsBox
				: (BView*)fStatus;
			if (show)
				view->Show();
			else
				view->Hide();
			break;
		}
		case kMsgFontSize:
		{
			float size = 12;
			message->FindFloat("size", &size);
			BFont font(be_plain_font);
			font.SetSize(size);
			fOutline->SetFont(&font);
			fOutline->Invalidate();
			BString text;
			text << "Outline text size " << (int32)size;
			_Log(text.String());
			break;
		}
		case kMsgFollow:
		case kMsgShowLevels:
			_ShowDetails(fOutline->ItemAt(fOutline->CurrentSelection()));
			break;
		case kMsgApply:
		{
			BString text;
			text << "Applied: follow " << (fFollow->Value() ? "on" : "off")
				<< ", levels " << (fShowLevels->Value() ? "on" : "off");
			_Log(text.String());
			_SetStatus("Settings applied.");
			break;
		}
		case kMsgReset:
			fFollow->SetValue(B_CONTROL_ON);
			fShowLevels->SetValue(B_CONTROL_ON);
			_Log("Settings reset");
			break;
		case kMsgNewNote:
		{
			fNotes++;
			BRect frame = Frame();
			(new NoteWindow(BPoint(frame.left + 40 + 24 * fNotes,
				frame.top + 60 + 24 * fNotes), fNotes))->Show();
			BString text;
			text << "Opened Note " << fNotes;
			_Log(text.String());
			break;
		}
		case kMsgShowPalette:
			be_app->PostMessage(kMsgShowPalette);
			break;
		case kMsgLog:
		{
			const char* text;
			if (message->FindString("text", &text) == B_OK)
				_Log(text);
			break;
		}
		default:
			BWindow::MessageReceived(message);
			break;
	}
}


bool
WorkbenchWindow::QuitRequested()
{
	return true;
}
