// The browser window's "Target" menu: what can be done with the selected row's target.
// Its items are enabled according to the selection; "Show Property Values" is a check
// mark, on at start, and so is "Highlight Selection" (Ctrl+H). "Pick a View" (Ctrl+P)
// selects the row of a view clicked on the screen; it is enabled only where the display
// lists other programs' windows.
#ifndef TARGET_MENU_H
#define TARGET_MENU_H

#include <SupportDefs.h>

class BMenu;

enum {
	kMsgRefreshTarget = 'RfsT',
	kMsgCopySpecifier = 'CpyS',
	kMsgShowValues = 'ShwV',
	kMsgHighlight = 'HglS',
	kMsgPickView = 'PckV'
};

// A new "Target" menu whose items send their messages to the menu's window.
BMenu* CreateTargetMenu(bool showValues, bool highlight, bool canPick);

// Enables the items for what is selected: canRefresh tells whether the selected row's
// application may be analysed again now, canCopy whether the row has a specifier (an
// application's row has none: its messenger alone addresses it).
void UpdateTargetMenu(BMenu* menu, bool canRefresh, bool canCopy);

#endif // TARGET_MENU_H
