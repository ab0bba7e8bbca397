#include <FilePanel.h>

#include <Application.h>
#include <Autolock.h>
#include <Path.h>

#include "tracker/FilePanelWindow.h"

using BPrivate::FilePanelWindow;


BFilePanel::BFilePanel(file_panel_mode mode, BMessenger* target, const entry_ref* directory,
	uint32 nodeFlavors, bool allowMultipleSelection, BMessage* message, BRefFilter* filter,
	bool modal, bool hideWhenDone)
{
	BMessenger messenger = target != NULL ? *target : be_app_messenger;
	fWindow = new FilePanelWindow(this, mode, messenger, directory, nodeFlavors,
		allowMultipleSelection, message, filter, modal, hideWhenDone);
	// The window runs from the start, hidden, so that it may be locked and changed
	// before it is first shown.
	fWindow->Hide();
	fWindow->Show();
}


BFilePanel::~BFilePanel()
{
	if (fWindow->Lock())
		fWindow->Quit();
}


void
BFilePanel::Show()
{
	BAutolock locker(fWindow);
	if (fWindow->IsHidden())
		fWindow->Show();
	fWindow->Activate();
}


void
BFilePanel::Hide()
{
	BAutolock locker(fWindow);
	fWindow->HidePanel();
}


bool
BFilePanel::IsShowing() const
{
	BAutolock locker(fWindow);
	return !fWindow->IsHidden();
}


void
BFilePanel::WasHidden()
{
}


void
BFilePanel::SelectionChanged()
{
}


void
BFilePanel::SendMessage(const BMessenger* target, BMessage* message)
{
	if (target != NULL && message != NULL)
		target->SendMessage(message);
}


BWindow*
BFilePanel::Window() const
{
	return fWindow;
}


BMessenger
BFilePanel::Messenger() const
{
	BAutolock locker(fWindow);
	return fWindow->fTarget;
}


BRefFilter*
BFilePanel::RefFilter() const
{
	BAutolock locker(fWindow);
	return fWindow->fFilter;
}


file_panel_mode
BFilePanel::PanelMode() const
{
	return fWindow->fMode;
}


void
BFilePanel::SetTarget(BMessenger target)
{
	BAutolock locker(fWindow);
	fWindow->fTarget = target.IsValid() ? target : be_app_messenger;
}


void
BFilePanel::SetMessage(BMessage* message)
{
	BAutolock locker(fWindow);
	fWindow->fMessage = message != NULL ? *message : BMessage();
}


void
BFilePanel::SetRefFilter(BRefFilter* filter)
{
	BAutolock locker(fWindow);
	fWindow->fFilter = filter;
	fWindow->Refresh();
}


void
BFilePanel::SetSaveText(const char* text)
{
	BAutolock locker(fWindow);
	fWindow->SetSaveText(text);
}


void
BFilePanel::SetButtonLabel(file_panel_button button, const char* label)
{
	if (label == NULL)
		return;
	BAutolock locker(fWindow);
	fWindow->SetButtonLabel(button, label);
}


void
BFilePanel::SetPanelDirectory(const BEntry* newDirectory)
{
	entry_ref ref;
	if (newDirectory != NULL && newDirectory->GetRef(&ref) == B_OK)
		SetPanelDirectory(&ref);
}


void
BFilePanel::SetPanelDirectory(const BDirectory* newDirectory)
{
	BEntry entry;
	if (newDirectory != NULL && newDirectory->GetEntry(&entry) == B_OK)
		SetPanelDirectory(&entry);
}


void
BFilePanel::SetPanelDirectory(const entry_ref* newDirectory)
{
	BAutolock locker(fWindow);
	fWindow->SetDirectory(newDirectory);
}


void
BFilePanel::SetPanelDirectory(const char* newDirectory)
{
	entry_ref ref;
	if (newDirectory != NULL && get_ref_for_path(newDirectory, &ref) == B_OK)
		SetPanelDirectory(&ref);
}


void
BFilePanel::GetPanelDirectory(entry_ref* ref) const
{
	if (ref == NULL)
		return;
	BAutolock locker(fWindow);
	*ref = fWindow->fDirectory;
}


void
BFilePanel::SetHideWhenDone(bool hideWhenDone)
{
	BAutolock locker(fWindow);
	fWindow->fHideWhenDone = hideWhenDone;
}


bool
BFilePanel::HidesWhenDone() const
{
	BAutolock locker(fWindow);
	return fWindow->fHideWhenDone;
}


void
BFilePanel::Refresh()
{
	BAutolock locker(fWindow);
	fWindow->Refresh();
}


void
BFilePanel::Rewind()
{
	BAutolock locker(fWindow);
	fWindow->fSelectionCursor = 0;
}


status_t
BFilePanel::GetNextSelectedRef(entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	BAutolock locker(fWindow);
	status_t status = fWindow->SelectedRef(fWindow->fSelectionCursor, ref);
	if (status == B_OK)
		fWindow->fSelectionCursor++;
	return status;
}
