// The layer that tracks open menus for a window. It covers the whole window while a menu
// is open, so that a click anywhere outside the menus reaches it and closes them. Each
// open menu shows in a display popup of its own (BWindow::Private::AddPopup), so that it
// may extend past the window's edges; the first one is opened by the owner (a menu bar,
// or none for a pop-up menu) and each further one is a submenu of the one before.
#ifndef _MENU_LAYER_H
#define _MENU_LAYER_H

#include <View.h>

#include <functional>
#include <vector>

class BMenu;
class BMenuItem;
class BWindow;

namespace BPrivate {

class MenuLayer : public BView {
public:
	// Opens menu at where (window coordinates) above everything in window. owner is the
	// menu whose item opened it, NULL for a pop-up menu.
	static	MenuLayer*		Open(BWindow* window, BMenu* owner, BMenu* menu, BPoint where);
	// Opens a pop-up menu at where (window coordinates). While a button is down the
	// layer follows the pointer; releasing it over an item chooses the item, elsewhere
	// closes the menu unless openAnyway, unless it is released inside stickyRect
	// (window coordinates) or where it was pressed. onClose hears the chosen item (or
	// NULL) once the menus are closed.
	static	MenuLayer*		OpenPopUp(BWindow* window, BMenu* menu, BPoint where,
								bool deliversMessage, bool openAnyway, BRect stickyRect,
								std::function<void(BMenuItem*)> onClose);
	// The layer open in window, or NULL.
	static	MenuLayer*		Find(BWindow* window);

	virtual					~MenuLayer();

			BMenu*			Owner() const { return fOwner; }
			bool			IsShowing(const BMenu* menu) const;
			// Whether a chosen item sends its message (a pop-up's Go may say no).
			bool			DeliversMessages() const { return fDeliversMessages; }
			// Shows menu again at its place after its items changed its size.
			void			Refit(BMenu* menu);
			// Opens item's submenu beside parent, closing any deeper menu first.
			void			OpenSubmenu(BMenu* parent, BMenuItem* item);
			// Closes the menus opened after menu.
			void			CloseAbove(BMenu* menu);
			// Closes every menu and deletes the layer: nothing may touch it afterwards.
			// chosen is the item the user chose, if any.
			void			Close(BMenuItem* chosen = NULL);

			// While the owner holds the button down: highlight what lies under the
			// pointer (window coordinates), and the item it would choose.
			void			TrackPointer(BPoint where);
			// The button went up there: an item under it is chosen; off the menus they
			// close.
			void			ReleasePointer(BPoint where);

	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			WindowActivated(bool active);
	virtual	void			MessageReceived(BMessage* message);

private:
							MenuLayer(BRect frame, BMenu* owner);

			void			_Show(BMenu* menu, BPoint where, float alternateRight);
			BMenu*			_MenuAt(BPoint where) const;
			// A title of the owning bar under the pointer opens its own menu instead.
			bool			_SwitchTitle(BPoint where);
			void			_MoveSelection(int32 step);

			BMenu*			fOwner;
			std::vector<BMenu*> fMenus;
			BView*			fPreviousFocus;
			bool			fDeliversMessages;
			// A pop-up menu's tracking of the press that opened it.
			bool			fTracking;
			bool			fOpenAnyway;
			BRect			fStickyRect;
			BPoint			fPressedAt;
			std::function<void(BMenuItem*)> fOnClose;
};

} // namespace BPrivate

#endif // _MENU_LAYER_H
