// The panel in which the user picks files to open or a name to save as. The panel is a
// window of its own (Window()), made hidden; its choices go to the target as messages:
// B_REFS_RECEIVED with "refs" (an open panel), B_SAVE_REQUESTED with "directory" and
// "name" (a save panel), or a copy of the message set with SetMessage carrying the same
// fields; B_CANCEL with "old_what" and "source" each time the panel hides. Members that
// change the panel lock its window; call them from any thread but the window's own with
// the window unlocked, or from the window's thread.
#ifndef _FILE_PANEL_H
#define _FILE_PANEL_H

#include <Directory.h>
#include <Entry.h>
#include <Messenger.h>
#include <Node.h>
#include <SupportDefs.h>

#include <sys/stat.h>

class BMessage;
class BWindow;

namespace BPrivate {
class FilePanelWindow;
}

enum file_panel_mode {
	B_OPEN_PANEL,
	B_SAVE_PANEL
};

enum file_panel_button {
	B_CANCEL_BUTTON,
	B_DEFAULT_BUTTON
};

// Decides which entries a panel lists; directories it refuses cannot be entered.
class BRefFilter {
public:
	virtual						~BRefFilter() {}
	virtual	bool				Filter(const entry_ref* ref, BNode* node, struct stat* stat,
									const char* mimeType) = 0;
};

class BFilePanel {
public:
	// target: where messages go (NULL: be_app), copied. directory: where the panel opens
	// (NULL: the current directory). nodeFlavors: what an open panel lets the user pick
	// (B_FILE_NODE, B_DIRECTORY_NODE, B_SYMLINK_NODE; 0 means files). message: the model
	// of what the panel sends, copied. The filter stays the caller's.
								BFilePanel(file_panel_mode mode = B_OPEN_PANEL,
									BMessenger* target = NULL,
									const entry_ref* directory = NULL,
									uint32 nodeFlavors = 0,
									bool allowMultipleSelection = true,
									BMessage* message = NULL, BRefFilter* filter = NULL,
									bool modal = false, bool hideWhenDone = true);
	virtual						~BFilePanel();

			void				Show();
			void				Hide();
			bool				IsShowing() const;

	// Hooks, called on the panel window's thread.
	virtual	void				WasHidden();
	virtual	void				SelectionChanged();
	// Sends what the panel chose; the panel deletes message afterwards.
	virtual	void				SendMessage(const BMessenger* target, BMessage* message);

			BWindow*			Window() const;
			BMessenger			Messenger() const;
			BRefFilter*			RefFilter() const;
			file_panel_mode		PanelMode() const;

			void				SetTarget(BMessenger target);
			void				SetMessage(BMessage* message);
			void				SetRefFilter(BRefFilter* filter);
			void				SetSaveText(const char* text);
			void				SetButtonLabel(file_panel_button button, const char* label);

			void				SetPanelDirectory(const BEntry* newDirectory);
			void				SetPanelDirectory(const BDirectory* newDirectory);
			void				SetPanelDirectory(const entry_ref* newDirectory);
			void				SetPanelDirectory(const char* newDirectory);
			void				GetPanelDirectory(entry_ref* ref) const;

			void				SetHideWhenDone(bool hideWhenDone);
			bool				HidesWhenDone() const;

	// Lists the panel's directory again.
			void				Refresh();

	// The selected entries, one a call after Rewind; B_ENTRY_NOT_FOUND after the last.
			void				Rewind();
			status_t			GetNextSelectedRef(entry_ref* ref);

private:
								BFilePanel(const BFilePanel&);
			BFilePanel&			operator=(const BFilePanel&);

			BPrivate::FilePanelWindow* fWindow;
};

#endif // _FILE_PANEL_H
