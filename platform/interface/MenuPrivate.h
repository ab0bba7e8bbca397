// What the window may ask of its key menu bar: to answer a Command-key shortcut; and
// what the tracking of a pop-up asks of its menu: whether the tracking hook says stop.
#ifndef _MENU_PRIVATE_H
#define _MENU_PRIVATE_H

#include <Menu.h>

class BMenu::Private {
public:
	explicit Private(BMenu* menu) : fMenu(menu) {}

	// Invokes the enabled item (in the menu or its submenus) whose shortcut is key with
	// these modifiers; true when an item has that shortcut, enabled or not.
	bool InvokeShortcut(uint32 key, uint32 modifiers)
	{
		return fMenu->_InvokeShortcut(key, modifiers);
	}

	bool HasTrackingHook() const { return fMenu->fTrackingHook != NULL; }
	// True when the menu's tracking hook asks for the tracking to end.
	bool CallTrackingHook()
	{
		return fMenu->fTrackingHook != NULL
			&& fMenu->fTrackingHook(fMenu, fMenu->fTrackingState);
	}

private:
	BMenu* fMenu;
};

#endif // _MENU_PRIVATE_H
