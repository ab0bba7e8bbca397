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
#include <Window.h>

#include <atomic>

class BBox;
class BListView;
class BMenuBar;
class BScrollView;
class BStringView;
class BetterScrollView;
class ScriptingElement;

extern const char* kQuorvaneSignature;
extern const char* kQuorvaneVersion;

enum {
	kMsgRemoveApp = 'Rapp',
	kMsgSelectTarget = 'SelT',
	kMsgInvokeTarget = 'IvkT',
	kMsgWatchLaunch = 'WLau',
	kMsgWatchQuit = 'WQui'
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

	// The work of one Option-click, carried through EachItemUnder.
	struct ExpandCollapseAction {
								ExpandCollapseAction(DOutlineListView* list,
									bool expand)
									: list(list), expand(expand) {}

			DOutlineListView*	list;
			bool				expand;
	};

	static	BListItem*		ExpandCollapse(BListItem* item, void* action);
};


class QuorvaneWindow : public BWindow {
public:
	// frame is the area below the menu bar; the window grows by the bar.
							QuorvaneWindow(const BRect& frame);
	// Deletes the application nodes still in the outline and those removed from it.
	virtual					~QuorvaneWindow();

	virtual	void			MessageReceived(BMessage* message);
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

private:
			void			_ClearTargetView();

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
