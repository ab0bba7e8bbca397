// The window of a BFilePanel and everything the panel decides: which directory it shows,
// which entries it lists, and what it sends. Its state is touched with the window locked.
// The views carry the names the platform's panel gives them, which applications look up
// to rearrange the panel ("PoseView", "VScrollBar", "HScrollBar", "CountVw",
// "DirMenuField", "text view", "default button", "cancel button").
#ifndef _FILE_PANEL_WINDOW_H
#define _FILE_PANEL_WINDOW_H

#include <FilePanel.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>

#include <string>

class BButton;
class BListView;
class BMenuField;
class BStringView;
class BTextControl;

namespace BPrivate {

class FilePanelWindow : public BWindow {
public:
								FilePanelWindow(BFilePanel* panel, file_panel_mode mode,
									const BMessenger& target, const entry_ref* directory,
									uint32 nodeFlavors, bool multipleSelection,
									const BMessage* message, BRefFilter* filter, bool modal,
									bool hideWhenDone);
	// The list does not own its rows; the window deletes them.
	virtual						~FilePanelWindow();

	virtual	void				MessageReceived(BMessage* message);
	// Closing the window hides the panel: it lives as long as its BFilePanel.
	virtual	bool				QuitRequested();

			void				HidePanel();
			void				SetDirectory(const entry_ref* directory);
			void				Refresh();
			void				SetSaveText(const char* text);
			void				SetButtonLabel(file_panel_button button, const char* label);
			status_t			SelectedRef(int32 index, entry_ref* ref) const;

			file_panel_mode		fMode;
			BMessenger			fTarget;
			BMessage			fMessage;	// what == 0: the mode's own message
			BRefFilter*			fFilter;
			uint32				fNodeFlavors;
			bool				fHideWhenDone;
			entry_ref			fDirectory;
			int32				fSelectionCursor;
			entry_ref			fListed;	// the directory the list shows
			bool				fRefreshPending;

private:
			void				_Build(bool multipleSelection);
			void				_UpdatePathMenu();
			bool				_Accepts(const entry_ref& ref, bool isDirectory) const;
			void				_Invoked();
			void				_Open();
			void				_Save();
			void				_Send(BMessage* message);

			BFilePanel*			fPanel;
			BListView*			fList;
			BMenuField*			fPathField;
			BStringView*		fCount;
			BTextControl*		fNameControl;
			BButton*			fDefaultButton;
			BButton*			fCancelButton;
};

} // namespace BPrivate

#endif // _FILE_PANEL_WINDOW_H
