// One choice of a menu: a label, a message sent to the item's target when chosen (the
// window of the menu unless set), an optional Command-key shortcut, a check mark, or a
// submenu that opens beside it.
//
// Ownership: a menu owns its items; an item owns its submenu and its message.
#ifndef _MENU_ITEM_H
#define _MENU_ITEM_H

#include <Archivable.h>
#include <InterfaceDefs.h>
#include <Invoker.h>
#include <Menu.h>
#include <Rect.h>

#include <string>

class BMenu;
class BWindow;

class BMenuItem : public BInvoker {
public:
							BMenuItem(const char* label, BMessage* message,
								char shortcut = 0, uint32 modifiers = 0);
							BMenuItem(BMenu* submenu, BMessage* message = NULL);
	virtual					~BMenuItem();

	virtual	void			SetLabel(const char* label);
			const char*		Label() const;
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const;
	virtual	void			SetMarked(bool marked);
			bool			IsMarked() const { return fMarked; }
	// B_COMMAND_KEY is always part of the modifiers.
	virtual	void			SetShortcut(char shortcut, uint32 modifiers);
			char			Shortcut(uint32* modifiers = NULL) const;

			BMenu*			Submenu() const { return fSubmenu; }
			BMenu*			Menu() const { return fSuper; }
			// In the menu's coordinates, once the menu has laid its items out.
			BRect			Frame() const { return fFrame; }
			bool			IsSelected() const;

	// Sends the message with "when", "source" (this item) and "index" added.
	virtual	status_t		Invoke(BMessage* message = NULL);

protected:
	virtual	void			GetContentSize(float* width, float* height);
	virtual	void			DrawContent();
	virtual	void			Draw();
	virtual	void			Highlight(bool on);

private:
	friend class BMenu;

			BWindow*		_Window() const;
			// The shortcut as the menu shows it, such as "Ctrl+Q".
			std::string		_ShortcutText() const;

			std::string		fLabel;
			BMenu*			fSubmenu;
			BMenu*			fSuper;
			BRect			fFrame;
			uint32			fModifiers;
			char			fShortcut;
			bool			fEnabled;
			bool			fMarked;
};


// A line between groups of items; never chosen.
class BSeparatorItem : public BMenuItem {
public:
							BSeparatorItem();
	virtual					~BSeparatorItem();

	virtual	void			SetEnabled(bool enabled);

protected:
	virtual	void			GetContentSize(float* width, float* height);
	virtual	void			Draw();
};

#endif // _MENU_ITEM_H
