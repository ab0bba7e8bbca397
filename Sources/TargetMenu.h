// The browser window's "Target" menu: what can be done with the selected row's target.
// Its items are enabled according to the selection; "Show Property Values" is a check
// mark, on at start.
#ifndef TARGET_MENU_H
#define TARGET_MENU_H

#include <SupportDefs.h>

class BMenu;

enum {
	kMsgRefreshTarget = 'RfsT',
	kMsgCopySpecifier = 'CpyS',
	kMsgShowValues = 'ShwV'
};

// A new "Target" menu whose items send their messages to the menu's window.
BMenu* CreateTargetMenu(bool showValues);

// Enables the items for what is selected: hasSelection tells whether a row is selected,
// canRefresh whether its application may be analysed again now.
void UpdateTargetMenu(BMenu* menu, bool hasSelection, bool canRefresh);

#endif // TARGET_MENU_H
