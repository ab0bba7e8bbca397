// A menu that opens at a point and reports the item chosen: synchronously, Go() returning
// the item, or asynchronously, the item sending its message. By default it is in radio
// mode and, when an item holds it (a BMenuField's), that item shows the marked label.
//
// Ownership: the caller owns the menu, except an asynchronous one set to destroy itself,
// which deletes itself once it closes.
#ifndef _POP_UP_MENU_H
#define _POP_UP_MENU_H

#include <Menu.h>

class BPopUpMenu : public BMenu {
public:
							BPopUpMenu(const char* name, bool radioMode = true,
								bool labelFromMarked = true,
								menu_layout layout = B_ITEMS_IN_COLUMN);
	// The menu of an archive: the menu's fields, its radio mode and marked label
	// included.
							BPopUpMenu(BMessage* archive);
	virtual					~BPopUpMenu();

	static	BArchivable*	Instantiate(BMessage* archive);

	// Opens the menu with its top left corner at where (screen coordinates). With
	// deliversMessage the chosen item also sends its message. Without openAnyway a
	// release of the button outside the menu closes it (unless it is released where it
	// was pressed, or inside clickToOpen, in screen coordinates). Synchronously the
	// chosen item (NULL when none) is returned once the menu closed; the window that
	// calls it keeps drawing and handling its input meanwhile. Asynchronously Go()
	// returns NULL at once.
			BMenuItem*		Go(BPoint where, bool deliversMessage = false,
								bool openAnyway = false, bool async = false);
			BMenuItem*		Go(BPoint where, bool deliversMessage, bool openAnyway,
								BRect clickToOpen, bool async = false);

	// An asynchronous menu set to destroy itself deletes itself when it closes.
			void			SetAsyncAutoDestruct(bool on) { fAutoDestruct = on; }
			bool			AsyncAutoDestruct() const { return fAutoDestruct; }

protected:
	// Where Go() opens the menu (its left top corner, screen coordinates): by default
	// the point Go() was given. A subclass returns another place.
	virtual	BPoint			ScreenLocation();

private:
			BMenuItem*		_Go(BPoint where, bool deliversMessage, bool openAnyway,
								BRect clickToOpen, bool async);

			bool			fAutoDestruct;
			bool			fOpen;
			BPoint			fWhere;
};

#endif // _POP_UP_MENU_H
