#include "tracker/FilePanelWindow.h"

#include <Application.h>
#include <Button.h>
#include <Entry.h>
#include <ListView.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <NodeInfo.h>
#include <NodeMonitor.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <Roster.h>
#include <ScrollBar.h>
#include <StringView.h>
#include <TextControl.h>

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

namespace BPrivate {

namespace {

enum {
	kSelectionChanged	= 'fpSC',
	kEntryInvoked		= 'fpIV',
	kDefaultPressed		= 'fpDF',
	kCancelPressed		= 'fpCN',
	kPathChosen			= 'fpPT',
	kRefreshPending		= 'fpRF'
};

const BRect kPanelFrame(100, 80, 600, 380);
const float kMargin = 10;
const float kButtonWidth = 75;
const float kButtonHeight = 24;
const float kCountWidth = 100;
const char* const kDirectoryType = "application/x-vnd.Be-directory";
const char* const kUntypedFile = "application/octet-stream";


// A row of the list: an entry of the panel's directory.
class EntryItem : public BStringItem {
public:
	EntryItem(const entry_ref& ref, bool isDirectory)
		:
		BStringItem(isDirectory ? (std::string(ref.name) + "/").c_str() : ref.name),
		fRef(ref),
		fIsDirectory(isDirectory)
	{
	}

	const entry_ref& Ref() const { return fRef; }
	bool IsDirectory() const { return fIsDirectory; }

private:
	entry_ref	fRef;
	bool		fIsDirectory;
};


// What a reference names, following links.
bool
is_directory(const entry_ref* ref)
{
	BPath path(ref);
	struct stat st;
	return path.InitCheck() == B_OK && stat(path.Path(), &st) == 0 && S_ISDIR(st.st_mode);
}


bool
is_symlink(const entry_ref* ref)
{
	BPath path(ref);
	struct stat st;
	return path.InitCheck() == B_OK && lstat(path.Path(), &st) == 0 && S_ISLNK(st.st_mode);
}


std::string
panel_title(file_panel_mode mode)
{
	std::string title = mode == B_SAVE_PANEL ? "Save" : "Open";
	app_info info;
	if (be_app != NULL && be_app->GetAppInfo(&info) == B_OK && info.ref.name != NULL)
		title = std::string(info.ref.name) + ": " + title;
	return title;
}

} // namespace


FilePanelWindow::FilePanelWindow(BFilePanel* panel, file_panel_mode mode,
	const BMessenger& target, const entry_ref* directory, uint32 nodeFlavors,
	bool multipleSelection, const BMessage* message, BRefFilter* filter, bool modal,
	bool hideWhenDone)
	:
	BWindow(kPanelFrame, panel_title(mode).c_str(), B_TITLED_WINDOW_LOOK,
		modal ? B_MODAL_APP_WINDOW_FEEL : B_NORMAL_WINDOW_FEEL, 0),
	fMode(mode),
	fTarget(target),
	fFilter(filter),
	fNodeFlavors(nodeFlavors != 0 ? nodeFlavors : (uint32)B_FILE_NODE),
	fHideWhenDone(hideWhenDone),
	fSelectionCursor(0),
	fRefreshPending(false),
	fPanel(panel),
	fList(NULL),
	fPathField(NULL),
	fCount(NULL),
	fNameControl(NULL),
	fDefaultButton(NULL),
	fCancelButton(NULL)
{
	if (message != NULL)
		fMessage = *message;
	_Build(multipleSelection);
	if (directory == NULL || !is_directory(directory)) {
		char cwd[B_PATH_NAME_LENGTH];
		entry_ref current;
		if (getcwd(cwd, sizeof(cwd)) != NULL && get_ref_for_path(cwd, &current) == B_OK)
			SetDirectory(&current);
	} else
		SetDirectory(directory);
}


FilePanelWindow::~FilePanelWindow()
{
	stop_watching(this);
	while (BListItem* item = fList->RemoveItem((int32)0))
		delete item;
}


void
FilePanelWindow::_Build(bool multipleSelection)
{
	BRect bounds = Bounds();
	BView* background = new BView(bounds, "Background", B_FOLLOW_ALL, B_WILL_DRAW);
	background->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(background);

	BRect frame(kMargin, 8, bounds.right - kMargin, 30);
	fPathField = new BMenuField(frame, "DirMenuField", NULL, new BPopUpMenu("Path"), true,
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	background->AddChild(fPathField);

	float buttonTop = bounds.bottom - kMargin - kButtonHeight;
	float listBottom = buttonTop - kMargin - B_H_SCROLL_BAR_HEIGHT - 1;
	if (fMode == B_SAVE_PANEL)
		listBottom -= 30;
	BRect listFrame(kMargin, 38, bounds.right - kMargin - B_V_SCROLL_BAR_WIDTH - 1,
		listBottom);
	fList = new BListView(listFrame, "PoseView",
		multipleSelection ? B_MULTIPLE_SELECTION_LIST : B_SINGLE_SELECTION_LIST,
		B_FOLLOW_ALL);
	fList->SetSelectionMessage(new BMessage(kSelectionChanged));
	fList->SetInvocationMessage(new BMessage(kEntryInvoked));
	background->AddChild(fList);

	BRect barFrame(listFrame.right + 1, listFrame.top,
		listFrame.right + 1 + B_V_SCROLL_BAR_WIDTH, listFrame.bottom);
	background->AddChild(new BScrollBar(barFrame, "VScrollBar", fList, 0, 0, B_VERTICAL));
	BRect countFrame(kMargin, listFrame.bottom + 1, kMargin + kCountWidth,
		listFrame.bottom + 1 + B_H_SCROLL_BAR_HEIGHT);
	fCount = new BStringView(countFrame, "CountVw", "", B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
	background->AddChild(fCount);
	barFrame.Set(countFrame.right + 1, countFrame.top, listFrame.right, countFrame.bottom);
	background->AddChild(new BScrollBar(barFrame, "HScrollBar", fList, 0, 0, B_HORIZONTAL));

	if (fMode == B_SAVE_PANEL) {
		BRect nameFrame(kMargin, buttonTop - 30, kMargin + 240, buttonTop - 8);
		fNameControl = new BTextControl(nameFrame, "text view", "Name:", "",
			new BMessage(kDefaultPressed), B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
		fNameControl->SetDivider(be_plain_font->StringWidth("Name:") + 8);
		background->AddChild(fNameControl);
	}

	BRect buttonFrame(bounds.right - kMargin - kButtonWidth, buttonTop,
		bounds.right - kMargin, buttonTop + kButtonHeight);
	fDefaultButton = new BButton(buttonFrame, "default button",
		fMode == B_SAVE_PANEL ? "Save" : "Open", new BMessage(kDefaultPressed),
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	background->AddChild(fDefaultButton);
	buttonFrame.OffsetBy(-(kButtonWidth + kMargin), 0);
	fCancelButton = new BButton(buttonFrame, "cancel button", "Cancel",
		new BMessage(kCancelPressed), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	background->AddChild(fCancelButton);
	SetDefaultButton(fDefaultButton);
}


void
FilePanelWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kSelectionChanged: {
			if (fMode == B_SAVE_PANEL && fNameControl != NULL) {
				EntryItem* item = dynamic_cast<EntryItem*>(
					fList->ItemAt(fList->CurrentSelection()));
				if (item != NULL && !item->IsDirectory())
					fNameControl->SetText(item->Ref().name);
			}
			fPanel->SelectionChanged();
			break;
		}
		case kEntryInvoked:
			_Invoked();
			break;
		case kDefaultPressed:
			if (fMode == B_SAVE_PANEL)
				_Save();
			else
				_Open();
			break;
		case kCancelPressed:
			HidePanel();
			break;
		case kPathChosen: {
			entry_ref ref;
			if (message->FindRef("refs", &ref) == B_OK)
				SetDirectory(&ref);
			break;
		}
		case B_NODE_MONITOR:
			// A burst of changes waits in the queue behind one refresh.
			if (!fRefreshPending) {
				fRefreshPending = true;
				PostMessage(kRefreshPending);
			}
			break;
		case kRefreshPending:
			fRefreshPending = false;
			Refresh();
			break;
		default:
			BWindow::MessageReceived(message);
	}
}


bool
FilePanelWindow::QuitRequested()
{
	HidePanel();
	return false;
}


void
FilePanelWindow::HidePanel()
{
	if (IsHidden())
		return;
	Hide();
	BMessage cancel(B_CANCEL);
	uint32 modeWhat = fMode == B_SAVE_PANEL ? (uint32)B_SAVE_REQUESTED
		: (uint32)B_REFS_RECEIVED;
	cancel.AddInt32("old_what", (int32)(fMessage.what != 0 ? fMessage.what : modeWhat));
	cancel.AddPointer("source", fPanel);
	fTarget.SendMessage(&cancel);
	fPanel->WasHidden();
}


void
FilePanelWindow::SetDirectory(const entry_ref* directory)
{
	if (directory == NULL || !is_directory(directory))
		return;
	fDirectory = *directory;
	// The list follows the directory while it is shown: entries made, removed or renamed
	// there by anyone appear and go.
	stop_watching(this);
	node_ref node;
	BDirectory watched(directory);
	if (watched.GetNodeRef(&node) == B_OK)
		watch_node(&node, B_WATCH_DIRECTORY, this);
	_UpdatePathMenu();
	Refresh();
}


void
FilePanelWindow::_UpdatePathMenu()
{
	BMenu* menu = fPathField->Menu();
	while (BMenuItem* item = menu->RemoveItem((int32)0))
		delete item;
	// The directory first, then each folder above it up to the root.
	BEntry entry(&fDirectory);
	for (int32 depth = 0; entry.InitCheck() == B_OK; depth++) {
		BPath path;
		entry_ref ref;
		if (entry.GetPath(&path) != B_OK || entry.GetRef(&ref) != B_OK)
			break;
		BMessage* message = new BMessage(kPathChosen);
		message->AddRef("refs", &ref);
		BMenuItem* item = new BMenuItem(path.Path(), message);
		item->SetTarget(this);
		item->SetMarked(depth == 0);
		menu->AddItem(item);
		if (strcmp(path.Path(), "/") == 0 || entry.GetParent(&entry) != B_OK)
			break;
	}
}


bool
FilePanelWindow::_Accepts(const entry_ref& ref, bool isDirectory) const
{
	if (isDirectory)
		return (fNodeFlavors & B_DIRECTORY_NODE) != 0;
	if ((fNodeFlavors & B_FILE_NODE) != 0)
		return true;
	return (fNodeFlavors & B_SYMLINK_NODE) != 0 && is_symlink(&ref);
}


void
FilePanelWindow::Refresh()
{
	// The entries selected stay selected when the same directory is listed again.
	std::vector<std::string> selected;
	for (int32 i = 0; fListed == fDirectory; i++) {
		EntryItem* item = dynamic_cast<EntryItem*>(fList->ItemAt(fList->CurrentSelection(i)));
		if (item == NULL)
			break;
		selected.push_back(item->Ref().name);
	}
	fListed = fDirectory;

	std::vector<EntryItem*> items;
	BDirectory directory(&fDirectory);
	BEntry entry;
	while (directory.GetNextEntry(&entry) == B_OK) {
		entry_ref ref;
		if (entry.GetRef(&ref) != B_OK || ref.name == NULL || ref.name[0] == '.')
			continue;
		// A link lists as what it points to.
		bool isDirectory = is_directory(&ref);
		if (fFilter != NULL) {
			BNode node(&ref);
			struct stat st;
			memset(&st, 0, sizeof(st));
			node.GetStat(&st);
			char type[B_MIME_TYPE_LENGTH] = "";
			BNodeInfo info(&node);
			if (isDirectory)
				snprintf(type, sizeof(type), "%s", kDirectoryType);
			else if (info.GetType(type) != B_OK)
				snprintf(type, sizeof(type), "%s", kUntypedFile);
			if (!fFilter->Filter(&ref, &node, &st, type))
				continue;
		}
		// Directories always list, to be entered; files only when they may be picked.
		if (!isDirectory && fMode == B_OPEN_PANEL && !_Accepts(ref, false))
			continue;
		items.push_back(new EntryItem(ref, isDirectory));
	}
	std::sort(items.begin(), items.end(), [](EntryItem* a, EntryItem* b) {
		return strcasecmp(a->Ref().name, b->Ref().name) < 0;
	});
	while (BListItem* item = fList->RemoveItem((int32)0))
		delete item;
	for (EntryItem* item : items)
		fList->AddItem(item);
	for (int32 i = 0; i < (int32)items.size() && !selected.empty(); i++) {
		if (std::find(selected.begin(), selected.end(), items[i]->Ref().name)
				!= selected.end())
			fList->Select(i, true);
	}
	char count[64];
	snprintf(count, sizeof(count), "%zu %s", items.size(),
		items.size() == 1 ? "item" : "items");
	fCount->SetText(count);
	fSelectionCursor = 0;
}


void
FilePanelWindow::SetSaveText(const char* text)
{
	if (fNameControl != NULL)
		fNameControl->SetText(text);
}


void
FilePanelWindow::SetButtonLabel(file_panel_button button, const char* label)
{
	(button == B_CANCEL_BUTTON ? fCancelButton : fDefaultButton)->SetLabel(label);
}


status_t
FilePanelWindow::SelectedRef(int32 index, entry_ref* ref) const
{
	int32 row = fList->CurrentSelection(index);
	EntryItem* item = dynamic_cast<EntryItem*>(fList->ItemAt(row));
	if (item == NULL)
		return B_ENTRY_NOT_FOUND;
	*ref = item->Ref();
	return B_OK;
}


void
FilePanelWindow::_Invoked()
{
	EntryItem* item = dynamic_cast<EntryItem*>(fList->ItemAt(fList->CurrentSelection()));
	if (item == NULL)
		return;
	// A double click on a directory enters it, even where directories may be picked.
	if (item->IsDirectory() && fList->CurrentSelection(1) < 0) {
		BEntry target(&item->Ref(), true);
		entry_ref ref;
		if (target.GetRef(&ref) == B_OK)
			SetDirectory(&ref);
		return;
	}
	if (fMode == B_SAVE_PANEL)
		_Save();
	else
		_Open();
}


void
FilePanelWindow::_Open()
{
	std::vector<entry_ref> refs;
	EntryItem* onlyDirectory = NULL;
	for (int32 i = 0; fList->CurrentSelection(i) >= 0; i++) {
		EntryItem* item = dynamic_cast<EntryItem*>(fList->ItemAt(fList->CurrentSelection(i)));
		if (item == NULL)
			continue;
		if (item->IsDirectory() && i == 0 && fList->CurrentSelection(1) < 0)
			onlyDirectory = item;
		if (_Accepts(item->Ref(), item->IsDirectory()))
			refs.push_back(item->Ref());
	}
	if (refs.empty() && onlyDirectory != NULL) {
		// A directory that may not be picked is entered instead.
		BEntry target(&onlyDirectory->Ref(), true);
		entry_ref ref;
		if (target.GetRef(&ref) == B_OK)
			SetDirectory(&ref);
		return;
	}
	if (refs.empty() && fList->CurrentSelection() < 0
		&& (fNodeFlavors & B_DIRECTORY_NODE) != 0)
		refs.push_back(fDirectory);
	if (refs.empty())
		return;
	BMessage* message = new BMessage(fMessage.what != 0 ? fMessage
		: BMessage(B_REFS_RECEIVED));
	for (const entry_ref& ref : refs)
		message->AddRef("refs", &ref);
	_Send(message);
}


void
FilePanelWindow::_Save()
{
	const char* name = fNameControl != NULL ? fNameControl->Text() : NULL;
	if (name == NULL || name[0] == '\0' || strchr(name, '/') != NULL)
		return;
	BMessage* message = new BMessage(fMessage.what != 0 ? fMessage
		: BMessage(B_SAVE_REQUESTED));
	message->AddRef("directory", &fDirectory);
	message->AddString("name", name);
	_Send(message);
}


void
FilePanelWindow::_Send(BMessage* message)
{
	fPanel->SendMessage(&fTarget, message);
	delete message;
	if (fHideWhenDone)
		HidePanel();
}

} // namespace BPrivate
