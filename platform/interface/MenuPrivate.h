// What the window may ask of its key menu bar: to answer a Command-key shortcut; what
// the tracking of a pop-up asks of its menu: whether the tracking hook says stop; and what
// a view that lays a bar out itself tells the bar.
#ifndef _MENU_PRIVATE_H
#define _MENU_PRIVATE_H

#include <Menu.h>
#include <MenuBar.h>

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


class BMenuBar::Private {
public:
	explicit Private(BMenuBar* bar) : fBar(bar) {}

	// The bar keeps the frame its owner gives it: attaching it neither spans its parent
	// nor fits it to its items.
	void SetLaidOutByOwner() { fBar->fLaidOutByOwner = true; }

private:
	BMenuBar* fBar;
};

#endif // _MENU_PRIVATE_H
