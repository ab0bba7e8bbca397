#include "TargetMenu.h"

#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>


BMenu*
CreateTargetMenu(bool showValues, bool highlight, bool canPick)
{
	BMenu* menu = new BMenu("Target", B_ITEMS_IN_COLUMN);
	menu->AddItem(new BMenuItem("Refresh", new BMessage(kMsgRefreshTarget), 'R'));
	menu->AddItem(new BMenuItem("Copy Specifier", new BMessage(kMsgCopySpecifier), 'C'));
	BMenuItem* pick = new BMenuItem("Pick a View", new BMessage(kMsgPickView), 'P');
	pick->SetEnabled(canPick);
	menu->AddItem(pick);
	menu->AddSeparatorItem();
	BMenuItem* values = new BMenuItem("Show Property Values",
		new BMessage(kMsgShowValues));
	values->SetMarked(showValues);
	menu->AddItem(values);
	BMenuItem* outline = new BMenuItem("Highlight Selection", new BMessage(kMsgHighlight),
		'H');
	outline->SetMarked(highlight);
	menu->AddItem(outline);
	UpdateTargetMenu(menu, false, false);
	return menu;
}


void
UpdateTargetMenu(BMenu* menu, bool canRefresh, bool canCopy)
{
	BMenuItem* item = menu->FindItem(kMsgRefreshTarget);
	if (item != NULL)
		item->SetEnabled(canRefresh);
	item = menu->FindItem(kMsgCopySpecifier);
	if (item != NULL)
		item->SetEnabled(canCopy);
}
