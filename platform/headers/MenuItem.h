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

class BMenuItem : public BArchivable, public BInvoker {
public:
							BMenuItem(const char* label, BMessage* message,
								char shortcut = 0, uint32 modifiers = 0);
							BMenuItem(BMenu* submenu, BMessage* message = NULL);
							// The item of an archive: label, message, shortcut,
							// trigger, enabled and marked states, and its submenu.
							BMenuItem(BMessage* archive);
	virtual					~BMenuItem();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Adds "_label", "_msg", "_shortcut" and "_mods" (int32), "_trigger" (int32),
	// "_disable" and "_marked" (bool, when so) and, when deep, the submenu's archive in
	// "_submenu".
	virtual	status_t		Archive(BMessage* data, bool deep = true) const;

	virtual	void			SetLabel(const char* label);
			const char*		Label() const;
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const;
	virtual	void			SetMarked(bool marked);
			bool			IsMarked() const { return fMarked; }
	// B_COMMAND_KEY is always part of the modifiers.
	virtual	void			SetShortcut(char shortcut, uint32 modifiers);
			char			Shortcut(uint32* modifiers = NULL) const;
	// The character that chooses the item while its menu is open; 0 (the default) lets
	// the menu pick the first letter of the label that no item before it took.
	virtual	void			SetTrigger(char trigger);
			char			Trigger() const { return fTrigger; }

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
	// The label shortened (with an ellipsis at its end) to fit maxWidth in the menu's
	// font, into newLabel, which has room for the label's bytes and 3 more.
			void			TruncateLabel(float maxWidth, char* newLabel);
	// Where DrawContent() draws: the content's left top in the menu's coordinates.
			BPoint			ContentLocation() const;

private:
	friend class BMenu;

			BWindow*		_Window() const;
			// The shortcut as the menu shows it, such as "Ctrl+Q".
			std::string		_ShortcutText() const;
			// Where the trigger lies in the label, or -1: the explicit trigger, or the
			// first letter or digit that no item before this one took.
			int32			_TriggerIndex() const;

			std::string		fLabel;
			BMenu*			fSubmenu;
			BMenu*			fSuper;
			BRect			fFrame;
			uint32			fModifiers;
			char			fShortcut;
			char			fTrigger;
			bool			fEnabled;
			bool			fMarked;
};


// A line between groups of items; never chosen.
class BSeparatorItem : public BMenuItem {
public:
							BSeparatorItem();
							BSeparatorItem(BMessage* archive);
	virtual					~BSeparatorItem();

	static	BArchivable*	Instantiate(BMessage* archive);

	virtual	void			SetEnabled(bool enabled);

protected:
	virtual	void			GetContentSize(float* width, float* height);
	virtual	void			Draw();
};

#endif // _MENU_ITEM_H
