#include "QuorvaneApp.h"

#include <Alert.h>
#include <AppDefs.h>
#include <Bitmap.h>
#include <Box.h>
#include <Clipboard.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Messenger.h>
#include <PropertyInfo.h>
#include <Roster.h>
#include <Screen.h>
#include <ScrollView.h>
#include <String.h>
#include <StringView.h>

#include <string.h>

#include <algorithm>

#include "ApplicationRows.h"
#include "BetterScrollView.h"
#include "PauseNotifier.h"
#include "PropertyEdit.h"
#include "PropertyValues.h"
#include "ScriptingTargets.h"
#include "ScriptingUtils.h"
#include "TargetFrame.h"
#include "TargetMenu.h"
#include "TargetOutline.h"
#include "ValueEditField.h"


const char* kQuorvaneSignature = "application/x-vnd.thessory-Quorvane";
const char* kQuorvaneVersion = "1.0a3";

static const float defaultWindowWidth = 550;
static const float defaultWindowHeight = 300;
static const float infoViewHeight = 21;

static const char* kSpecifierLabel = "Specifier:";
static const char* kFindLabel = "Find: ";
static const char* kValuesLabel = "Values:";
// Shown for a value until its answer comes.
static const char* kValuePending = "\xE2\x80\xA6";


bool
FindFont(const char* family, const char* style, font_family& foundFamily,
	font_style& foundStyle)
{
	int32 familyCount = count_font_families();
	for (int32 i = 0; i < familyCount; i++) {
		font_family installedFamily;
		if (get_font_family(i, &installedFamily) != B_OK
			|| strcmp(installedFamily, family) != 0) {
			continue;
		}
		int32 styleCount = count_font_styles(installedFamily);
		for (int32 j = 0; j < styleCount; j++) {
			font_style installedStyle;
			if (get_font_style(installedFamily, j, &installedStyle) != B_OK
				|| strcmp(installedStyle, style) != 0) {
				continue;
			}
			strncpy(foundFamily, installedFamily, sizeof(font_family));
			strncpy(foundStyle, installedStyle, sizeof(font_style));
			return true;
		}
	}
	return false;
}


// #pragma mark - DOutlineListView


DOutlineListView::DOutlineListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	:
	BOutlineListView(frame, name, type, resizingMode, flags)
{
}


DOutlineListView::~DOutlineListView()
{
}


void
DOutlineListView::MouseDown(BPoint where)
{
	// The platform decides whether the click hit a latch; a change of the item's
	// expanded state tells that it did.
	int32 index = FullListIndexOf(where);
	bool before = IsExpanded(index);

	BOutlineListView::MouseDown(where);

	if (index < 0 || index >= FullListCountItems())
		return;
	bool after = IsExpanded(index);
	if (after == before)
		return;

	BMessage* message = Window() != NULL ? Window()->CurrentMessage() : NULL;
	int32 modifiers;
	if (message == NULL || message->FindInt32("modifiers", &modifiers) != B_OK)
		return;
	if ((modifiers & B_OPTION_KEY) == 0)
		return;

	BListItem* item = FullListItemAt(index);
	if (item == NULL)
		return;
	ExpandCollapseAction action(this, after);
	EachItemUnder(item, false, ExpandCollapse, &action);
}


BListItem*
DOutlineListView::ExpandCollapse(BListItem* item, void* action)
{
	ExpandCollapseAction* work = static_cast<ExpandCollapseAction*>(action);
	if (work->expand)
		work->list->Expand(item);
	else
		work->list->Collapse(item);
	return NULL;
}


void
DOutlineListView::KeyDown(const char* bytes, int32 numBytes)
{
	BMessage* message = Window() != NULL ? Window()->CurrentMessage() : NULL;
	int32 modifiers = 0;
	if (message != NULL)
		message->FindInt32("modifiers", &modifiers);
	uchar first = (uchar)bytes[0];

	if (first == B_ESCAPE) {
		if (fFinder.IsSearching()) {
			fFinder.Clear();
			_FindChanged();
		}
		return;
	}
	bool typed = first >= 0x20 && first != B_DELETE
		&& (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY)) == 0;
	if (typed && !fFinder.IsSearching() && (first == '+' || first == '-' || first == ' '))
		typed = false;
	if (!typed) {
		BOutlineListView::KeyDown(bytes, numBytes);
		return;
	}

	bool fresh = fFinder.Type(bytes, system_time());
	// A new search starts below the selected row; a longer text may still match it.
	int32 from = FullListCurrentSelection();
	if (from < 0)
		from = 0;
	else if (fresh)
		from++;
	int32 found = RowFinder::Find(this, from, fFinder.Text().String());
	if (found >= 0)
		Reveal(found);
	_FindChanged();
}


void
DOutlineListView::Reveal(int32 fullListIndex)
{
	BListItem* item = FullListItemAt(fullListIndex);
	BList superitems(20);
	for (BListItem* super = Superitem(item); super != NULL; super = Superitem(super))
		superitems.AddItem(super, 0);
	for (int32 i = 0; i < superitems.CountItems(); i++) {
		BListItem* super = static_cast<BListItem*>(superitems.ItemAt(i));
		if (!super->IsExpanded())
			Expand(super);
	}
	int32 index = IndexOf(item);
	if (index < 0)
		return;
	if (CurrentSelection() != index)
		Select(index);
	ScrollToSelection();
}


void
DOutlineListView::_FindChanged()
{
	if (Window() == NULL)
		return;
	BMessage message(kMsgFindText);
	message.AddString("text", fFinder.Text());
	Window()->PostMessage(&message);
}


// #pragma mark - QuorvaneWindow


QuorvaneWindow::QuorvaneWindow(const BRect& frame)
	:
	BWindow(frame, "Quorvane", B_DOCUMENT_WINDOW, B_ASYNCHRONOUS_CONTROLS,
		B_CURRENT_WORKSPACE),
	fSelectedNode(NULL),
	fWatchLaunch(true),
	fWatchQuit(true),
	fRemovedApplications(20),
	fTargetMenu(NULL),
	fSpecifierText(kSpecifierLabel),
	fFindPause(NULL),
	fShowValues(true),
	fValuesFetch(0),
	fValuesRow(-1),
	fValueEditor(NULL),
	fEditIndex(-1),
	fHighlight(true),
	fOutlineFetch(0),
	fCanPick(false),
	fPicking(false),
	fPickPressed(false)
{
	BMessage stack;
	fCanPick = get_window_stack(&stack) == B_OK;

	float width = frame.Width();
	float height = frame.Height();

	CreateMenuBar(Bounds());

	// The window grows by the menu bar, so that the area below keeps the asked size.
	float menuHeight = fMenuBar->Frame().Height() + 1;
	ResizeTo(width, height + menuHeight);

	fBackView = new BView(BRect(0, menuHeight, width, height + menuHeight), "fBackView",
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS);
	AddChild(fBackView);
	fBackView->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));

	BRect leftHalf(0, 0, width / 2, height);
	BRect listRect(width / 2, infoViewHeight, width - 14, height - 14);

	fView = new DOutlineListView(listRect, "fView", B_SINGLE_SELECTION_LIST,
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	fBackScrollView = new BScrollView("fBackView->BScrollView", fView,
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_FRAME_EVENTS, true, true,
		B_FANCY_BORDER);
	fBackView->AddChild(fBackScrollView);
	fView->SetInvocationMessage(new BMessage(kMsgInvokeTarget));
	fView->SetSelectionMessage(new BMessage(kMsgSelectTarget));

	fSpecifier = new BStringView(BRect(width / 2, 0, width, 17), "fSpecifier",
		kSpecifierLabel, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW);
	fBackView->AddChild(fSpecifier);

	BRect boxRect = leftHalf.InsetByCopy(4, 4);
	fBoxView = new BBox(boxRect, "fBoxView", B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP, B_FANCY_BORDER);
	fBoxView->SetLabel("Scripting Capabilities");
	fBackView->AddChild(fBoxView);

	// Room for the box's frame and label, and for the scroll view's bars and border.
	BRect targetRect = boxRect.InsetByCopy(4, 4);
	targetRect.top += 8;
	targetRect.right -= 14 + 8;
	targetRect.bottom -= 14 + 8;
	fTargetView = new BListView(targetRect, "fTargetView", B_SINGLE_SELECTION_LIST,
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	fTargetView->SetInvocationMessage(new BMessage(kMsgEditValue));

	BFont font(be_fixed_font);
	font_family family;
	font_style style;
	if (FindFont("Monospac821 BT", "Roman", family, style)) {
		font.SetFamilyAndStyle(family, style);
		font.SetSize(10);
	} else
		font.SetSize(9);
	fTargetView->SetFont(&font, B_FONT_ALL);

	fBoxScrollView = new BetterScrollView("fBoxView->BScrollView", fTargetView,
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS, true, true, true,
		B_FANCY_BORDER);
	fBoxView->AddChild(fBoxScrollView);

	BRect dataRect = targetRect.OffsetToCopy(0, 0);
	dataRect.right *= 4;
	dataRect.bottom *= 2;
	fBoxScrollView->SetDataRect(dataRect, true);

	BRect screenFrame = BScreen(this).Frame();
	SetSizeLimits(412.5, screenFrame.Width(), 225, screenFrame.Height());

	fFindPause = new PauseNotifier(BMessenger(this), kMsgFindPaused, kFindPause);

	BBitmap* icon = ApplicationIcon();
	if (icon != NULL)
		SetIcon(icon);
}


QuorvaneWindow::~QuorvaneWindow()
{
	delete fFindPause;
	_CancelValues();
	fOutline.SendMessage(B_QUIT_REQUESTED);

	// Each application node deletes its subtree; the outline owns none of its rows.
	BList applications(20);
	for (int32 i = 0; i < fView->FullListCountItems(); i++) {
		BListItem* item = fView->FullListItemAt(i);
		if (item->OutlineLevel() == 0)
			applications.AddItem(item);
	}
	fView->MakeEmpty();
	for (int32 i = 0; i < applications.CountItems(); i++)
		delete static_cast<ScriptingElement*>(applications.ItemAt(i));
	for (int32 i = 0; i < fRemovedApplications.CountItems(); i++)
		delete static_cast<ScriptingElement*>(fRemovedApplications.ItemAt(i));

	_ClearTargetView();
}


void
QuorvaneWindow::CreateMenuBar(BRect frame)
{
	fMenuBar = new BMenuBar(frame, "QuorvaneWindow::MainMenu",
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, true);

	BMenu* menu = new BMenu("Vane", B_ITEMS_IN_COLUMN);
	fMenuBar->AddItem(menu);

	BMenuItem* item = new BMenuItem("Watch Application Launch",
		new BMessage(kMsgWatchLaunch));
	item->SetMarked(fWatchLaunch);
	menu->AddItem(item);
	item = new BMenuItem("Watch Application Quit", new BMessage(kMsgWatchQuit));
	item->SetMarked(fWatchQuit);
	menu->AddItem(item);
	menu->AddSeparatorItem();
	item = new BMenuItem("About Quorvane\xE2\x80\xA6", new BMessage(B_ABOUT_REQUESTED));
	item->SetTarget(be_app);
	menu->AddItem(item);
	menu->AddSeparatorItem();
	item = new BMenuItem("Quit", new BMessage(B_QUIT_REQUESTED), 'Q');
	item->SetTarget(be_app);
	menu->AddItem(item);

	fTargetMenu = CreateTargetMenu(fShowValues, fHighlight, fCanPick);
	fMenuBar->AddItem(fTargetMenu);

	AddChild(fMenuBar);
}


void
QuorvaneWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgAddApp:
		{
			ScriptingElement* node;
			if (message->FindPointer("result", (void**)&node) != B_OK || node == NULL)
				break;
			if (fRefreshes.count(node) > 0) {
				_RefreshEnded(node, true);
				break;
			}
			if (fWatchLaunch)
				node->AddToView(fView);
			else
				delete node;
			break;
		}

		case kMsgRemoveApp:
		{
			ScriptingElement* node;
			if (message->FindPointer("result", (void**)&node) != B_OK || !fWatchQuit)
				break;
			// Only an application row still in the outline is taken out; a second
			// notice for the same node finds nothing, and a window or view row belongs
			// to its application's node.
			if (node != NULL && fView->FullListHasItem(node) && node->OutlineLevel() == 0) {
				fView->RemoveItem(node);
				fRemovedApplications.AddItem(node);
				// The outline goes with the application of the target it surrounds.
				if (fSelectedNode != NULL && !fView->FullListHasItem(fSelectedNode))
					_RemoveOutline();
			}
			break;
		}

		case kMsgDropApp:
		{
			// Only a refresh hands the window a node that is not to be shown.
			ScriptingElement* node;
			if (message->FindPointer("result", (void**)&node) == B_OK
				&& fRefreshes.count(node) > 0)
				_RefreshEnded(node, false);
			break;
		}

		case kMsgSelectTarget:
			SelectTarget(message);
			break;

		case kMsgRefreshTarget:
			_Refresh();
			break;

		case kMsgCopySpecifier:
			_CopySpecifier();
			break;

		case kMsgShowValues:
		{
			fShowValues = !fShowValues;
			BMenuItem* item = fTargetMenu->FindItem(kMsgShowValues);
			if (item != NULL)
				item->SetMarked(fShowValues);
			if (!fShowValues) {
				_CancelValues();
				_CloseEditor();
				if (fValuesRow >= 0) {
					// The rows from "Values:" on go; those of the tables stay.
					BList rows(20);
					while (fTargetView->CountItems() > fValuesRow)
						rows.AddItem(fTargetView->RemoveItem(fTargetView->CountItems() - 1));
					for (int32 i = 0; i < rows.CountItems(); i++)
						delete static_cast<BListItem*>(rows.ItemAt(i));
					fValuesRow = -1;
				}
			} else if (fSelectedNode != NULL)
				_StartValues(fSelectedNode);
			break;
		}

		case kMsgPropertyValue:
			_ShowValue(message);
			break;

		case kMsgPickView:
			_StartPick();
			break;

		case kMsgHighlight:
		{
			fHighlight = !fHighlight;
			BMenuItem* item = fTargetMenu->FindItem(kMsgHighlight);
			if (item != NULL)
				item->SetMarked(fHighlight);
			_UpdateOutline();
			break;
		}

		case kMsgTargetFrame:
		{
			int32 thread;
			if (message->FindInt32("thread", &thread) == B_OK)
				wait_for_thread(thread, NULL);
			_ShowOutline(message);
			break;
		}

		case kMsgEditValue:
			_EditValue(message);
			break;

		case kMsgEditCommit:
			_CommitEdit(message);
			break;

		case kMsgEditCancel:
			_CloseEditor();
			break;

		case kMsgValueEdited:
		{
			int32 thread;
			if (message->FindInt32("thread", &thread) == B_OK)
				wait_for_thread(thread, NULL);
			_EditEnded(message);
			break;
		}

		case kMsgValuesDone:
		{
			// The thread's last act was to post this: waiting for it only frees its
			// record.
			int32 thread;
			if (message->FindInt32("thread", &thread) == B_OK)
				wait_for_thread(thread, NULL);
			break;
		}

		case kMsgFindText:
			if (fView->Finder().IsSearching())
				fFindPause->Restart();
			else
				fFindPause->Stop();
			_ShowSpecifier();
			break;

		case kMsgFindPaused:
			fView->EndFind();
			_ShowSpecifier();
			break;

		case kMsgInvokeTarget:
			break;

		case kMsgWatchLaunch:
		{
			fWatchLaunch = !fWatchLaunch;
			BMenuItem* item = fMenuBar->FindItem(kMsgWatchLaunch);
			if (item != NULL)
				item->SetMarked(fWatchLaunch);
			break;
		}

		case kMsgWatchQuit:
		{
			fWatchQuit = !fWatchQuit;
			BMenuItem* item = fMenuBar->FindItem(kMsgWatchQuit);
			if (item != NULL)
				item->SetMarked(fWatchQuit);
			break;
		}

		default:
			BWindow::MessageReceived(message);
			return;
	}
	_UpdateTargetMenu();
}


void
QuorvaneWindow::MenusBeginning()
{
	_UpdateTargetMenu();
	BWindow::MenusBeginning();
}


bool
QuorvaneWindow::QuitRequested()
{
	be_app->PostMessage(B_QUIT_REQUESTED);
	return true;
}


void
QuorvaneWindow::FrameResized(float width, float height)
{
	BeginViewTransaction();
	BWindow::FrameResized(width, height);

	float half = width / 2;
	BRect rect = fBackScrollView->Frame();
	rect.bottom = height - 18;
	rect.right = width + 2;
	rect.left = rect.right - half;

	fSpecifier->MoveTo(rect.left, fSpecifier->Frame().top);
	fSpecifier->ResizeTo(rect.right - rect.left, fSpecifier->Frame().Height());

	fBackScrollView->MoveTo(rect.left, rect.top);
	fBackScrollView->ResizeTo(rect.Width(), rect.Height());

	fBoxView->ResizeTo(half - 8, fBackView->Bounds().Height() - 8);
	_ShowSpecifier();
	EndViewTransaction();
}


void
QuorvaneWindow::_ClearTargetView()
{
	_CloseEditor();
	// The list lets go of its rows before they are deleted: emptying it still reads them.
	BList rows(20);
	for (int32 i = 0; i < fTargetView->CountItems(); i++)
		rows.AddItem(fTargetView->ItemAt(i));
	fTargetView->MakeEmpty();
	for (int32 i = 0; i < rows.CountItems(); i++)
		delete static_cast<BListItem*>(rows.ItemAt(i));
	fValuesRow = -1;
}


ScriptingElement*
QuorvaneWindow::_SelectedRow() const
{
	int32 selection = fView->CurrentSelection();
	return selection >= 0 ? static_cast<ScriptingElement*>(fView->ItemAt(selection)) : NULL;
}


void
QuorvaneWindow::_UpdateTargetMenu()
{
	ScriptingElement* selected = _SelectedRow();
	bool canRefresh = false;
	if (selected != NULL) {
		ScriptingElement* application = ApplicationOf(fView, selected);
		canRefresh = application != NULL;
		for (const auto& refresh : fRefreshes) {
			if (refresh.second == application)
				canRefresh = false;
		}
	}
	bool canCopy = selected != NULL && selected->GetAccessPtr()->HasSpecifiers();
	UpdateTargetMenu(fTargetMenu, canRefresh, canCopy);
}


// Puts the selected row's whole specifier on the system clipboard as text.
void
QuorvaneWindow::_CopySpecifier()
{
	ScriptingElement* selected = _SelectedRow();
	if (selected == NULL || be_clipboard == NULL)
		return;
	BString text = specifier_to_str(selected->GetAccessPtr(), false);
	if (text.Length() == 0 || !be_clipboard->Lock())
		return;
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text.String(), text.Length());
	be_clipboard->Commit();
	be_clipboard->Unlock();
}


void
QuorvaneWindow::_ShowSpecifier()
{
	BString text;
	if (fView->Finder().IsSearching())
		text << kFindLabel << fView->Finder().Text();
	else if (fPickNote.Length() > 0)
		text = fPickNote;
	else
		text = fSpecifierText;
	fSpecifier->TruncateString(&text, B_TRUNCATE_SMART, fSpecifier->Frame().Width() - 4);
	fSpecifier->SetText(text.String());
}


// Analyses the selected row's application again on a thread of its own; its rows are
// replaced when the new node comes back (_RefreshEnded).
void
QuorvaneWindow::_Refresh()
{
	ScriptingElement* selected = _SelectedRow();
	ScriptingApplication* application = selected != NULL
		? dynamic_cast<ScriptingApplication*>(ApplicationOf(fView, selected)) : NULL;
	if (application == NULL)
		return;
	for (const auto& refresh : fRefreshes) {
		if (refresh.second == application)
			return;
	}
	ScriptingApplication* fresh = application->Reanalysis();
	fRefreshes[fresh] = application;
	fresh->AnalyzeApplication(BMessenger(this));
}


void
QuorvaneWindow::_RefreshEnded(ScriptingElement* fresh, bool analysed)
{
	ScriptingElement* old = fRefreshes[fresh];
	fRefreshes.erase(fresh);
	static_cast<ScriptingApplication*>(fresh)->AnalysisEnded();
	// An application whose row went meanwhile stays out.
	if (!analysed || !fView->FullListHasItem(old) || old->OutlineLevel() != 0) {
		delete fresh;
		return;
	}
	ReplaceApplicationRows(fView, old, fresh);
	// As a removed node, the old one stays allocated: messages may still name it.
	fRemovedApplications.AddItem(old);
}


void
QuorvaneWindow::_CancelValues()
{
	fValuesFetch++;
	if (fValuesCanceled != nullptr)
		*fValuesCanceled = true;
	fValuesCanceled.reset();
}


static BString
ValueLine(const std::string& property, const char* value)
{
	BString line("  ");
	line << property.c_str() << ": " << value;
	return line;
}


// Lists the node's readable properties after its tables and asks for their values.
void
QuorvaneWindow::_StartValues(ScriptingElement* node)
{
	_CancelValues();
	fValueProperties = ReadableProperties(node->GetSuites());
	fValueTexts.assign(fValueProperties.size(), kValuePending);
	fValueTypes.assign(fValueProperties.size(), 0);
	fValueStrings.assign(fValueProperties.size(), BString());
	if (fValueProperties.empty() || node->GetMessenger() == NULL)
		return;

	DisableUpdates();
	fValuesRow = fTargetView->CountItems();
	fTargetView->AddItem(new BStringItem(kValuesLabel, 0, true));
	float width = fTargetView->StringWidth(kValuesLabel);
	for (const std::string& property : fValueProperties) {
		BString line = ValueLine(property, kValuePending);
		fTargetView->AddItem(new BStringItem(line.String(), 0, true));
		width = std::max(width, fTargetView->StringWidth(line.String()));
	}
	EnableUpdates();
	_WidenPane(width);

	PropertyValueFetch* fetch = new PropertyValueFetch(*node->GetMessenger(),
		*node->GetAccessPtr(), fValueProperties, BMessenger(this), fValuesFetch);
	fValuesCanceled = fetch->Canceled();
	fetch->Start("property values");
}


void
QuorvaneWindow::_ShowValue(BMessage* message)
{
	int32 fetch;
	int32 index;
	const char* text;
	if (message->FindInt32("fetch", &fetch) != B_OK || fetch != fValuesFetch
		|| fValuesRow < 0 || message->FindInt32("index", &index) != B_OK
		|| index < 0 || index >= (int32)fValueProperties.size()
		|| message->FindString("text", &text) != B_OK)
		return;
	fValueTexts[index] = text;
	int32 type;
	fValueTypes[index] = message->FindInt32("type", &type) == B_OK ? (type_code)type : 0;
	const char* raw;
	fValueStrings[index] = message->FindString("raw", &raw) == B_OK ? raw : "";
	_SetValueLine(index);
	// The target may have moved since its frame was asked for.
	if (fValueProperties[index] == "Frame")
		_UpdateOutline();
}


void
QuorvaneWindow::_SetValueLine(int32 index, const char* note)
{
	BStringItem* item = dynamic_cast<BStringItem*>(
		fTargetView->ItemAt(fValuesRow + 1 + index));
	if (item == NULL)
		return;
	BString line = ValueLine(fValueProperties[index], fValueTexts[index].String());
	if (note != NULL)
		line << "  (" << note << ")";
	item->SetText(line.String());
	fTargetView->InvalidateItem(fValuesRow + 1 + index);
	_WidenPane(fTargetView->StringWidth(line.String()));
}


void
QuorvaneWindow::_UpdateOutline()
{
	fOutlineFetch++;
	// An application's row has no specifiers: it has no frame of its own.
	if (!fHighlight || fSelectedNode == NULL || fSelectedNode->GetMessenger() == NULL
		|| !fSelectedNode->GetAccessPtr()->HasSpecifiers()) {
		_RemoveOutline();
		return;
	}
	TargetFrameFetch* fetch = new TargetFrameFetch(*fSelectedNode->GetMessenger(),
		*fSelectedNode->GetAccessPtr(), BMessenger(this), fOutlineFetch);
	fetch->Start();
}


void
QuorvaneWindow::_ShowOutline(BMessage* message)
{
	int32 fetch;
	if (message->FindInt32("fetch", &fetch) != B_OK || fetch != fOutlineFetch)
		return;
	BRect frame;
	if (message->FindRect("frame", &frame) != B_OK) {
		// The target is gone or does not answer: nothing to surround.
		_RemoveOutline();
		return;
	}
	if (!fOutline.IsValid()) {
		TargetOutline* outline = new TargetOutline();
		fOutline = BMessenger(outline);
		outline->Run();
	}
	BMessage surround(kMsgSurround);
	surround.AddRect("frame", frame);
	fOutline.SendMessage(&surround);
}


void
QuorvaneWindow::_RemoveOutline()
{
	fOutline.SendMessage(kMsgRemoveOutline);
}


BString
QuorvaneWindow::_ApplicationName() const
{
	BListItem* top = fSelectedNode;
	while (top != NULL && fView->Superitem(top) != NULL)
		top = fView->Superitem(top);
	ScriptingElement* application = static_cast<ScriptingElement*>(top);
	if (application == NULL)
		return BString();
	return application->GetName().Length() > 0 ? application->GetName()
		: application->GetInternalName();
}


void
QuorvaneWindow::_EditValue(BMessage* message)
{
	int32 row;
	if (message->FindInt32("index", &row) != B_OK || fValuesRow < 0 || row <= fValuesRow
		|| row > fValuesRow + (int32)fValueProperties.size() || fSelectedNode == NULL)
		return;
	int32 index = row - fValuesRow - 1;
	_CloseEditor();
	if (!IsSettableProperty(fSelectedNode->GetSuites(),
			fValueProperties[index].c_str())) {
		_SetValueLine(index, "read only: its table lists no B_SET_PROPERTY");
		return;
	}

	// The field covers the value, after the property's name.
	BRect frame = fTargetView->ItemFrame(row);
	BString name = ValueLine(fValueProperties[index], "");
	frame.left += fTargetView->StringWidth(name.String());
	frame.right = std::max(frame.right, frame.left + 200);
	const char* text = fValueTypes[index] == B_STRING_TYPE
		? fValueStrings[index].String() : fValueTexts[index].String();
	fEditIndex = index;
	fValueEditor = new ValueEditField(frame, text, BMessenger(this));
	fTargetView->AddChild(fValueEditor);
}


void
QuorvaneWindow::_CommitEdit(BMessage* message)
{
	const char* text;
	if (fValueEditor == NULL || message->FindString("text", &text) != B_OK
		|| fSelectedNode == NULL || fSelectedNode->GetMessenger() == NULL)
		return;
	int32 index = fEditIndex;
	BMessage data(B_SET_PROPERTY);
	BString problem;
	if (ReadEditedValue(text, fValueTypes[index], &data, &problem) != B_OK) {
		// The field stays open to be put right.
		_SetValueLine(index, problem.String());
		return;
	}
	_CloseEditor();
	_SetValueLine(index, "setting\xE2\x80\xA6");
	PropertyEdit* edit = new PropertyEdit(*fSelectedNode->GetMessenger(),
		*fSelectedNode->GetAccessPtr(), fValueProperties[index].c_str(), data,
		_ApplicationName().String(), BMessenger(this), fValuesFetch, index);
	edit->Start();
}


void
QuorvaneWindow::_EditEnded(BMessage* message)
{
	int32 fetch;
	int32 index;
	if (message->FindInt32("fetch", &fetch) != B_OK || fetch != fValuesFetch
		|| fValuesRow < 0 || message->FindInt32("index", &index) != B_OK
		|| index < 0 || index >= (int32)fValueProperties.size())
		return;
	const char* text;
	if (message->FindString("text", &text) == B_OK) {
		fValueTexts[index] = text;
		_SetValueLine(index);
		_UpdateOutline();
		return;
	}
	const char* error = "";
	message->FindString("error", &error);
	// The old value stays: the target did not take the new one.
	_SetValueLine(index, printable_str(error).String());
}


void
QuorvaneWindow::_CloseEditor()
{
	if (fValueEditor == NULL)
		return;
	fValueEditor->RemoveSelf();
	delete fValueEditor;
	fValueEditor = NULL;
	fEditIndex = -1;
	fTargetView->MakeFocus(true);
}


// The pane scrolls far enough to show a row of that width.
void
QuorvaneWindow::_WidenPane(float width)
{
	BRect dataRect = fBoxScrollView->GetDataRect();
	if (width + 14 <= dataRect.right)
		return;
	dataRect.right = width + 14;
	fBoxScrollView->SetDataRect(dataRect, true);
}


void
QuorvaneWindow::SelectTarget(BMessage* message)
{
	int32 index;
	if (message->FindInt32("index", &index) != B_OK)
		return;
	// The row is compared, not its index: rows above it come and go, and expanding or
	// collapsing one moves the rows below. A node taken out of the outline stays
	// allocated, so its address never names another node.
	ScriptingElement* node = static_cast<ScriptingElement*>(fView->ItemAt(index));
	if (node == fSelectedNode)
		return;

	DisableUpdates();
	_ClearTargetView();
	EnableUpdates();

	_CancelValues();
	fSelectedNode = node;
	fPickNote = "";
	_UpdateOutline();
	if (node == NULL) {
		fSpecifierText = kSpecifierLabel;
		_ShowSpecifier();
		return;
	}

	BMessage suites(*node->GetSuites());
	BList lines(20);
	float width = 0;
	const char* suite;
	for (int32 i = 0; suites.FindString("suites", i, &suite) == B_OK; i++) {
		BString header("Supports ");
		header << suite << ":";
		char* copy = new char[header.Length() + 1];
		strcpy(copy, header.String());
		lines.AddItem(copy);

		const void* data;
		ssize_t size;
		if (suites.FindData("messages", B_PROPERTY_INFO_TYPE, i, &data, &size) != B_OK)
			break;

		BPropertyInfo info(NULL, NULL);
		if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) == B_OK)
			DehydratePropertyInfo(&lines, info, size);

		DisableUpdates();
		for (int32 j = 0; j < lines.CountItems(); j++) {
			char* line = static_cast<char*>(lines.ItemAt(j));
			if (line[0] != '\0') {
				fTargetView->AddItem(new BStringItem(line, 0, true));
				float lineWidth = fTargetView->StringWidth(line);
				if (lineWidth > width)
					width = lineWidth;
			}
			delete[] line;
		}
		lines.MakeEmpty();
		EnableUpdates();
	}
	// A suite without a table leaves its header behind, unshown.
	for (int32 j = 0; j < lines.CountItems(); j++)
		delete[] static_cast<char*>(lines.ItemAt(j));
	lines.MakeEmpty();

	BRect dataRect = fBoxScrollView->GetDataRect();
	dataRect.right = width + 14;
	fBoxScrollView->SetDataRect(dataRect, true);

	fSpecifierText = "Specifier: ";
	fSpecifierText << specifier_to_str(node->GetAccessPtr(), false);
	_ShowSpecifier();

	if (fShowValues)
		_StartValues(node);
}


// #pragma mark - QuorvaneApp


QuorvaneApp::QuorvaneApp(const char* signature)
	:
	BApplication(signature),
	fArgumentsAnalysed(false),
	fWindow(NULL)
{
}


QuorvaneApp::~QuorvaneApp()
{
}


void
QuorvaneApp::CreateAppWindow()
{
	fWindow = new QuorvaneWindow(BRect(50, 50, 50 + defaultWindowWidth,
		50 + defaultWindowHeight));
	fWindowMessenger = BMessenger(fWindow);
	fWindow->Show();
}


void
QuorvaneApp::ArgvReceived(int32 argc, char** argv)
{
	CreateAppWindow();
	for (int32 i = 1; i < argc; i++) {
		ScriptingApplication* node = CreateScriptingApplication(argv[i]);
		if (node == NULL)
			continue;
		// The print comes when the analysis hands the node back, so that the whole
		// tree is printed and a slow target holds up only its own analysis.
		node->AnalyzeApplication();
		node->PrintToStream();
		fArgumentsAnalysed = true;
	}
}


void
QuorvaneApp::ReadyToRun()
{
	if (!fArgumentsAnalysed) {
		// A window opened for arguments that named nothing is reused.
		if (fWindow == NULL)
			CreateAppWindow();
		BList* applications = GetRunningApplications(kQuorvaneSignature);
		for (int32 i = 0; i < applications->CountItems(); i++) {
			ScriptingApplication* node
				= static_cast<ScriptingApplication*>(applications->ItemAt(i));
			if (node == NULL)
				continue;
			// As in ArgvReceived: each tree is printed whole when its analysis ends;
			// the analyses run side by side.
			node->AnalyzeApplication();
			node->PrintToStream();
		}
		applications->MakeEmpty();
		delete applications;
	}

	be_roster->StartWatching(be_app_messenger, B_REQUEST_LAUNCHED | B_REQUEST_QUIT);
}


void
QuorvaneApp::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgAddApp:
		{
			// A print put off while the analysis ran happens now, before the window
			// takes the tree over.
			ScriptingApplication* node;
			if (message->FindPointer("result", (void**)&node) != B_OK || node == NULL)
				break;
			node->AnalysisEnded();
			// The node is in the outline before this thread reads the next quit notice,
			// hence the wait for the window: a quit notice read earlier found nothing to
			// take out, and the node stays, its application gone or not.
			BMessage reply;
			if (fWindowMessenger.SendMessage(message, &reply) != B_OK) {
				// The window may be gone while the program quits.
				delete node;
			}
			break;
		}

		case kMsgDropApp:
		{
			ScriptingApplication* node;
			if (message->FindPointer("result", (void**)&node) == B_OK) {
				node->AnalysisEnded();
				delete node;
			}
			break;
		}

		case B_SOME_APP_QUIT:
		{
			const char* signature;
			if (message->FindString("be:signature", &signature) == B_OK)
				_ApplicationQuit(signature);
			break;
		}

		case B_SOME_APP_LAUNCHED:
		{
			const char* signature;
			if (message->FindString("be:signature", &signature) != B_OK)
				break;
			if (!fWindowMessenger.LockTarget())
				break;
			bool watch = fWindow->WatchLaunch();
			fWindow->Unlock();
			if (!watch)
				break;
			ScriptingApplication* node = CreateScriptingApplication(signature);
			if (node != NULL)
				node->AnalyzeApplication();
			break;
		}

		default:
			BApplication::MessageReceived(message);
			break;
	}
}


bool
QuorvaneApp::QuitRequested()
{
	be_roster->StopWatching(be_app_messenger);
	return BApplication::QuitRequested();
}


void
QuorvaneApp::AboutRequested()
{
	BString text;
	text << "Quorvane\n"
		<< "Version " << kQuorvaneVersion << "\n"
		<< "\n"
		<< "A component of Tamberlyn\n"
		<< "\n"
		<< "Dynamic specifiers are shown in red\n"
		<< "Option-click to expand/collapse entire hierarchies\n";
	BAlert* alert = new BAlert("", text.String(), "Yeah", NULL, NULL, B_WIDTH_AS_USUAL,
		B_INFO_ALERT);
	// Without an invoker the alert runs on its own and deletes itself when dismissed.
	alert->Go(NULL);
}


// Asks the window to take out the first application row, from the top, of the
// application that quit. Window and view rows are passed over: a window's internal name
// may equal another application's signature. A node still being analysed is not in the
// outline and stays.
void
QuorvaneApp::_ApplicationQuit(const char* signature)
{
	// Locking through the messenger also tells whether the window still exists.
	if (!fWindowMessenger.LockTarget())
		return;
	bool watch = fWindow->WatchQuit();
	ScriptingElement* found = NULL;
	if (watch) {
		DOutlineListView* list = fWindow->ObjectsList();
		for (int32 i = 0; i < list->FullListCountItems(); i++) {
			ScriptingElement* node = static_cast<ScriptingElement*>(list->FullListItemAt(i));
			if (node->OutlineLevel() == 0 && node->GetInternalName() == signature) {
				found = node;
				break;
			}
		}
	}
	fWindow->Unlock();

	if (found != NULL) {
		BMessage remove(kMsgRemoveApp);
		remove.AddPointer("result", found);
		fWindowMessenger.SendMessage(&remove);
	}
}
