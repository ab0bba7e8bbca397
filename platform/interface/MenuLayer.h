// The layer that shows open menus above a window's views. It covers the whole window
// while a menu is open, so that a click anywhere outside the menus reaches it and closes
// them; the open menus are its children, the first one opened by the owner (a menu bar)
// and each further one a submenu of the one before.
#ifndef _MENU_LAYER_H
#define _MENU_LAYER_H

#include <View.h>

#include <vector>

class BMenu;
class BMenuItem;
class BWindow;

namespace BPrivate {

class MenuLayer : public BView {
public:
	// Opens menu at where (window coordinates) above everything in window. owner is the
	// menu whose item opened it.
	static	MenuLayer*		Open(BWindow* window, BMenu* owner, BMenu* menu, BPoint where);
	// The layer open in window, or NULL.
	static	MenuLayer*		Find(BWindow* window);

	virtual					~MenuLayer();

			BMenu*			Owner() const { return fOwner; }
			// Opens item's submenu beside parent, closing any deeper menu first.
			void			OpenSubmenu(BMenu* parent, BMenuItem* item);
			// Closes the menus opened after menu.
			void			CloseAbove(BMenu* menu);
			// Closes every menu and deletes the layer: nothing may touch it afterwards.
			void			Close();

			// While the owner holds the button down: highlight what lies under the
			// pointer (window coordinates), and the item it would choose.
			void			TrackPointer(BPoint where);
			// The button went up there: an item under it is chosen; off the menus they
			// close.
			void			ReleasePointer(BPoint where);

	virtual	void			MouseDown(BPoint where);
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
};

} // namespace BPrivate

#endif // _MENU_LAYER_H
