// BPopUpMenu: a menu opened at a point in the window of the calling thread (or, from any
// other thread, in the process's first window), tracked by that window's menu layer
// (see MenuTracking.h).
#include <PopUpMenu.h>

#include "interface/MenuTracking.h"

#include <MenuItem.h>
#include <OS.h>
#include <Window.h>


BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked,
	menu_layout layout)
	:
	BMenu(name, layout),
	fAutoDestruct(false),
	fOpen(false)
{
	SetRadioMode(radioMode);
	if (radioMode && labelFromMarked)
		SetLabelFromMarked(true);
}


BPopUpMenu::BPopUpMenu(BMessage* archive)
	:
	BMenu(archive),
	fAutoDestruct(false),
	fOpen(false)
{
}


BPopUpMenu::~BPopUpMenu()
{
}


BArchivable*
BPopUpMenu::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BPopUpMenu"))
		return NULL;
	return new BPopUpMenu(archive);
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway, bool async)
{
	return _Go(where, deliversMessage, openAnyway, BRect(), async);
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
	bool async)
{
	return _Go(where, deliversMessage, openAnyway, clickToOpen, async);
}


BPoint
BPopUpMenu::ScreenLocation()
{
	return fWhere;
}


BMenuItem*
BPopUpMenu::_Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
	bool async)
{
	// A menu already open, or one that lives in a window's views, cannot open again.
	if (fOpen || Window() != NULL || Parent() != NULL)
		return NULL;
	fOpen = true;
	fWhere = where;
	BPrivate::PopUpTracking how;
	how.where = ScreenLocation();
	how.deliversMessage = deliversMessage;
	how.openAnyway = openAnyway;
	how.clickToOpen = clickToOpen;
	how.async = async;
	bool destroy = async && fAutoDestruct;
	how.closed = [this, destroy] {
		fOpen = false;
		if (destroy)
			delete this;
	};
	return BPrivate::track_pop_up(this, how);
}
