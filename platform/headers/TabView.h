// A view that shows one of several views at a time, chosen by a row of tabs along its
// top: a click on a tab, or the arrow keys and Space while it has the focus, selects one.
// The selected tab's view is a child of the container view; the others are kept by their
// tabs, detached. Everything runs on the window's thread, with the window locked.
#ifndef _TAB_VIEW_H
#define _TAB_VIEW_H

#include <Archivable.h>
#include <InterfaceDefs.h>
#include <View.h>

class BTabView;

// Where a tab is drawn: the first of the row, the selected one in front, or any other.
enum tab_position {
	B_TAB_FIRST = 999,
	B_TAB_FRONT,
	B_TAB_ANY
};

// One tab: a label and the view it shows. The label is the view's name. The tab owns its
// view (deleted with the tab) until SetView() gives it another.
class BTab : public BArchivable {
public:
							BTab(BView* contentsView = NULL);
							// The tab of an archive: its enabled state; a tab view
							// gives it its view.
							BTab(BMessage* archive);
	virtual					~BTab();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Adds "_disable" (bool) when disabled.
	virtual	status_t		Archive(BMessage* data, bool deep = true) const;
	virtual	status_t		Perform(uint32 d, void* arg);

			const char*		Label() const;
	virtual	void			SetLabel(const char* label);

			bool			IsSelected() const { return fSelected; }
	// Selecting adds the view to owner (a tab view's container); deselecting takes it
	// out again.
	virtual	void			Select(BView* owner);
	virtual	void			Deselect();

	virtual	void			SetEnabled(bool enable);
			bool			IsEnabled() const { return fEnabled; }
			void			MakeFocus(bool focus = true);
			bool			IsFocus() const { return fFocus; }

	// Deletes the view the tab had (taking it out of its parent first).
	virtual	void			SetView(BView* view);
			BView*			View() const { return fView; }

	// Drawn by the tab view owner, in its coordinates; frame is TabFrame().
	virtual	void			DrawFocusMark(BView* owner, BRect frame);
	virtual	void			DrawLabel(BView* owner, BRect frame);
	virtual	void			DrawTab(BView* owner, BRect frame, tab_position position,
								bool full = true);

private:
	// Sets fTabView, so that a change of label or state redraws the row.
	friend class BTabView;

							BTab(const BTab&) = delete;
			BTab&			operator=(const BTab&) = delete;

			void			_Redraw();

			BTabView*		fTabView;
			bool			fEnabled;
			bool			fSelected;
			bool			fFocus;
			BView*			fView;
};

class BTabView : public BView {
public:
							BTabView(BRect frame, const char* name,
								button_width width = B_WIDTH_AS_USUAL,
								uint32 resizingMode = B_FOLLOW_ALL,
								uint32 flags = B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW
									| B_NAVIGABLE_JUMP | B_FRAME_EVENTS | B_NAVIGABLE);
							// The tab view of an archive, with its tabs and their views
							// when it was archived deep.
							BTabView(BMessage* archive);
	// Deletes the tabs and their views.
	virtual					~BTabView();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Adds "_but_width" (int16), "_high" (float), "_sel" (int32) and, when deep, each
	// tab's archive to "_l_items" and its view's to "_view_list".
	virtual	status_t		Archive(BMessage* data, bool deep = true) const;
	virtual	status_t		Perform(uint32 d, void* arg);

	virtual	void			AttachedToWindow();
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MouseDown(BPoint where);
	virtual	void			FrameResized(float newWidth, float newHeight);

	// Shows the tab's view in the container; an index out of range or a disabled tab
	// changes nothing.
	virtual	void			Select(int32 index);
			int32			Selection() const { return fSelection; }

	virtual	void			MakeFocus(bool focus = true);
	// The tab that Space would select, marked while the tab view has the focus.
	virtual	void			SetFocusTab(int32 tab, bool focus);
			int32			FocusTab() const { return fFocus; }

	virtual	void			Draw(BRect updateRect);
	// Draws the tabs, the selected one last and in front; returns its frame.
	virtual	BRect			DrawTabs();
	// Draws the frame around the container, open under the selected tab.
	virtual	void			DrawBox(BRect selectedTabRect);
	// The tab's frame in the tab view's coordinates; an empty rectangle out of range.
	virtual	BRect			TabFrame(int32 index) const;

	virtual	void			GetPreferredSize(float* width, float* height);

	// Takes tab (a new one when NULL) and target; the first tab added is selected.
	virtual	void			AddTab(BView* target, BTab* tab = NULL);
	// The caller owns the tab returned (with its view); NULL out of range.
	virtual	BTab*			RemoveTab(int32 index);
	virtual	BTab*			TabAt(int32 index) const;

	virtual	void			SetTabWidth(button_width width);
			button_width	TabWidth() const { return fTabWidth; }
	virtual	void			SetTabHeight(float height);
			float			TabHeight() const { return fTabHeight; }

			BView*			ContainerView() const { return fContainer; }
			int32			CountTabs() const { return fTabs.CountItems(); }
			BView*			ViewForTab(int32 index) const;

	// Scripting: "Selection" (get, set).
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

private:
			void			_Init(button_width width);
			BRect			_ContainerFrame() const;
			float			_TabWidthAt(int32 index) const;

			BList			fTabs;
			BView*			fContainer;
			button_width	fTabWidth;
			float			fTabHeight;
			int32			fSelection;
			int32			fFocus;
};

#endif // _TAB_VIEW_H
