// The program's application object, its browser window and the window's outline list.
//
// QuorvaneApp decides at start-up which applications to analyse (those named on the
// command line, else every running one), prints each analysed tree to standard output,
// hands the finished nodes to the window, and follows the roster's launch and quit
// notices. It runs on the main thread.
//
// QuorvaneWindow shows the outline of analysed targets and, for the selected row, its
// suites and property tables and its specifier chain. It runs on its own thread; the
// application reads its watch flags without its lock and walks its outline with it.
#ifndef QUORVANE_APP_H
#define QUORVANE_APP_H

#include <Application.h>
#include <Font.h>
#include <List.h>
#include <Messenger.h>
#include <OutlineListView.h>
#include <String.h>
#include <Window.h>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "RowFinder.h"

class BBox;
class BListView;
class BMenu;
class BMenuBar;
class BScrollView;
class BStringView;
class BTextView;
class BetterScrollView;
class PauseNotifier;
class ScriptingElement;

extern const char* kQuorvaneSignature;
extern const char* kQuorvaneVersion;

enum {
	kMsgRemoveApp = 'Rapp',
	kMsgSelectTarget = 'SelT',
	kMsgInvokeTarget = 'IvkT',
	kMsgWatchLaunch = 'WLau',
	kMsgWatchQuit = 'WQui',
	// The outline's search text changed: "text" holds it, empty when the search ended.
	kMsgFindText = 'FndT',
	// No key came for kFindPause: the search ends.
	kMsgFindPaused = 'FndP',
	// A line of the capabilities pane was invoked (Enter, double-click): edit its value.
	kMsgEditValue = 'EdtV'
};

// Looks for an installed font by its exact family and style names, for the window's list
// of targets. When found, copies the installed names into foundFamily and foundStyle and
// returns true; otherwise returns false and leaves both untouched.
bool FindFont(const char* family, const char* style, font_family& foundFamily,
	font_style& foundStyle);


// A BOutlineListView on which an Option-click on a latch expands or collapses the item's
// whole subtree.
class DOutlineListView : public BOutlineListView {
public:
							DOutlineListView(BRect frame, const char* name,
								list_view_type type, uint32 resizingMode,
								uint32 flags);
	virtual					~DOutlineListView();

	virtual	void			MouseDown(BPoint where);
	// Expands the row's superitems, selects it and scrolls it into view.
			void			Reveal(int32 fullListIndex);
	// Characters typed select the next row whose names contain the text typed so far
	// (RowFinder); Escape ends the search. "+", "-" and the space only add to a search
	// already begun: otherwise the first two expand and collapse as ever. Each change of
	// the search is posted to the window as kMsgFindText.
	virtual	void			KeyDown(const char* bytes, int32 numBytes);

	// Ends the search, without a message.
			void			EndFind() { fFinder.Clear(); }
			const RowFinder& Finder() const { return fFinder; }

	// The work of one Option-click, carried through EachItemUnder.
	struct ExpandCollapseAction {
								ExpandCollapseAction(DOutlineListView* list,
									bool expand)
									: list(list), expand(expand) {}

			DOutlineListView*	list;
			bool				expand;
	};

	static	BListItem*		ExpandCollapse(BListItem* item, void* action);

private:
			void			_FindChanged();

			RowFinder		fFinder;
};


class QuorvaneWindow : public BWindow {
public:
	// frame is the area below the menu bar; the window grows by the bar.
							QuorvaneWindow(const BRect& frame);
	// Deletes the application nodes still in the outline and those removed from it.
	virtual					~QuorvaneWindow();

	virtual	void			MessageReceived(BMessage* message);
	// While a pick goes on, the pointer and Escape are the pick's.
	virtual	void			DispatchMessage(BMessage* message, BHandler* handler);
	virtual	bool			QuitRequested();
	virtual	void			FrameResized(float width, float height);

			void			CreateMenuBar(BRect frame);
	// Fills the capabilities pane and the specifier field for the row in "index".
			void			SelectTarget(BMessage* message);

	// Safe to read from any thread.
			bool			WatchQuit() const { return fWatchQuit; }
			bool			WatchLaunch() const { return fWatchLaunch; }
	// Walk it only with the window locked.
			DOutlineListView* ObjectsList() const { return fView; }

	virtual	void			MenusBeginning();

private:
			void			_ClearTargetView();
	// The selected row of the outline, or NULL.
			ScriptingElement* _SelectedRow() const;
			void			_UpdateTargetMenu();
	// The specifier field shows the search text while a search goes on, otherwise the
	// selected row's whole specifier shortened to the field's width.
			void			_ShowSpecifier();
			void			_CopySpecifier();
			void			_Refresh();
			void			_RefreshEnded(ScriptingElement* fresh, bool analysed);
			void			_StartValues(ScriptingElement* node);
			void			_CancelValues();
			void			_ShowValue(BMessage* message);
			void			_WidenPane(float width);
	// Editing a value: Enter or a double-click on its line opens the field over it.
			void			_EditValue(BMessage* message);
			void			_CommitEdit(BMessage* message);
			void			_EditEnded(BMessage* message);
			void			_CloseEditor();
	// The line of the index-th value: its property, value and, when given, a note.
			void			_SetValueLine(int32 index, const char* note = NULL);
	// The outline on the screen follows the selected window or view while highlighting
	// is on: its frame is asked for on a thread, and the outline shown when it comes.
			void			_UpdateOutline();
			void			_ShowOutline(BMessage* message);
			void			_RemoveOutline();
	// Picking a view on the screen (QuorvanePick.cpp): a crosshair and the pointer held
	// until a left click, whose point selects the row of the view shown there.
			void			_StartPick();
			void			_EndPick();
			void			_PickAt(BPoint screenPoint);
			void			_CancelPick(const char* reason);
	// The name of the selected node's application, for sentences about it.
			BString			_ApplicationName() const;

			DOutlineListView* fView;
			BScrollView*	fBackScrollView;
			BMenuBar*		fMenuBar;
			BView*			fBackView;
			BBox*			fBoxView;
			BListView*		fTargetView;
			BetterScrollView* fBoxScrollView;
			BStringView*	fSpecifier;
	// The node whose suites and specifier the panes show, or none.
			ScriptingElement* fSelectedNode;
			std::atomic<bool> fWatchLaunch;
			std::atomic<bool> fWatchQuit;
	// Nodes taken out of the outline stay allocated until the window goes, so that a
	// second removal notice naming one never meets a reused address.
			BList			fRemovedApplications;
			BMenu*			fTargetMenu;
	// The specifier text of the selected row, untruncated.
			BString			fSpecifierText;
			PauseNotifier*	fFindPause;
	// Nodes being analysed again, each with the node whose rows it will replace.
			std::map<ScriptingElement*, ScriptingElement*> fRefreshes;
			bool			fShowValues;
	// The number of the newest fetch of values: answers of older ones are dropped.
			int32			fValuesFetch;
			std::shared_ptr<std::atomic<bool>> fValuesCanceled;
	// The pane's row "Values:", -1 when the pane shows no values.
			int32			fValuesRow;
			std::vector<std::string> fValueProperties;
	// For each of fValueProperties: the value shown, its type (0 until it came) and, for
	// a string, the string itself.
			std::vector<BString> fValueTexts;
			std::vector<type_code> fValueTypes;
			std::vector<BString> fValueStrings;
	// The field over the value being edited, or NULL; fEditIndex is that value's.
			BTextView*		fValueEditor;
			int32			fEditIndex;
			bool			fHighlight;
	// The number of the newest frame fetch: answers of older ones are dropped.
			int32			fOutlineFetch;
	// The outline window, made when first needed; reached through its messenger only.
			BMessenger		fOutline;
	// Whether the display lists other programs' windows, so that a view can be picked.
			bool			fCanPick;
			bool			fPicking;
	// The left button went down for the pick at fPickPoint (on the screen); the pick is
	// made when it goes up.
			bool			fPickPressed;
			BPoint			fPickPoint;
	// What the specifier field says of the pick instead of the specifier, until the next
	// selection.
			BString			fPickNote;
};


class QuorvaneApp : public BApplication {
public:
							QuorvaneApp(const char* signature);
	virtual					~QuorvaneApp();

	virtual	void			MessageReceived(BMessage* message);
	virtual	bool			QuitRequested();
	virtual	void			ReadyToRun();
	virtual	void			ArgvReceived(int32 argc, char** argv);
	virtual	void			AboutRequested();

			void			CreateAppWindow();

private:
			void			_ApplicationQuit(const char* signature);

			bool			fArgumentsAnalysed;
	// Not owned: the window deletes itself when it quits. Reached through the
	// messenger, which tells whether it still exists.
			QuorvaneWindow*	fWindow;
			BMessenger		fWindowMessenger;
};

#endif // QUORVANE_APP_H
