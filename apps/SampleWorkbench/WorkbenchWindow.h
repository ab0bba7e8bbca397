// The workbench's main window: the kit's parts in an outline on the left with an activity
// log below it; details of the selected part, options and a summary on the right.
#ifndef WORKBENCH_WINDOW_H
#define WORKBENCH_WINDOW_H

#include <Window.h>

class BBox;
class BCheckBox;
class BListItem;
class BListView;
class BMenuBar;
class BOutlineListView;
class BStringView;

class WorkbenchWindow : public BWindow {
public:
							WorkbenchWindow(BRect frame);

	virtual	void			MessageReceived(BMessage* message);
	virtual	bool			QuitRequested();

private:
			void			_CreateMenuBar();
			void			_CreateParts(BView* body, float height);
			void			_CreateRightPane(BView* body, float width, float height);
			void			_FillOutline();
			void			_ShowDetails(BListItem* item);
			void			_UpdateSummary();
			void			_Log(const char* text);
			void			_SetStatus(const char* text);

			BMenuBar*		fMenuBar;
			BOutlineListView* fOutline;
			BListView*		fLog;
			BBox*			fDetailsBox;
			BStringView*	fNameValue;
			BStringView*	fKindValue;
			BStringView*	fLevelValue;
			BStringView*	fPathValue;
			BStringView*	fPartsCount;
			BStringView*	fShownCount;
			BCheckBox*		fFollow;
			BCheckBox*		fShowLevels;
			BStringView*	fStatus;
			int32			fNotes;
};

#endif // WORKBENCH_WINDOW_H
