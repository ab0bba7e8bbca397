// A list of items, laid out in a column (a menu that opens) or in a row (a menu bar).
// A menu that opens is shown above the window's views while it is open; it closes when
// an item is chosen, on a click outside it, on Escape, or when the window loses the
// focus.
//
// Ownership: the menu owns its items (RemoveItem() gives one back); the item that holds
// a submenu owns it. Everything runs on the window's thread.
#ifndef _MENU_H
#define _MENU_H

#include <InterfaceDefs.h>
#include <List.h>
#include <Messenger.h>
#include <View.h>

class BMenuItem;

namespace BPrivate {
class MenuLayer;
}

// The look of the process's menus (get_menu_info, set_menu_info). separator: 0 an etched
// line, 1 a plain line, 2 a two-pixel line.
struct menu_info {
	float		font_size;
	font_family	f_family;
	font_style	f_style;
	rgb_color	background_color;
	int32		separator;
	bool		click_to_open;
	bool		triggers_always_shown;
};

// B_BAD_VALUE for NULL. Menus made after set_menu_info() take its font and background.
status_t get_menu_info(menu_info* info);
status_t set_menu_info(menu_info* info);

typedef bool (*menu_tracking_hook)(BMenu* menu, void* state);

enum menu_layout {
	B_ITEMS_IN_ROW = 0,
	B_ITEMS_IN_COLUMN,
	B_ITEMS_IN_MATRIX
};

class BMenu : public BView {
public:
							BMenu(const char* name, menu_layout layout = B_ITEMS_IN_COLUMN);
	// A menu whose items lie where AddItem(item, frame) puts them, width by height
	// pixels (B_ITEMS_IN_MATRIX).
							BMenu(const char* name, float width, float height);
	// The menu of an archive made by Archive(): the view's fields, "_layout",
	// "_rsize_to_fit", "_disable", "_radio", "_trig_disabled", "_dyn_label",
	// "_max_width" and the items archived in "_items" (a matrix's frames in
	// "_i_frames").
							BMenu(BMessage* archive);
	virtual					~BMenu();

	static	BArchivable*	Instantiate(BMessage* archive);
	// When deep, each item's archive goes to "_items" (with its submenu's).
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

			bool			AddItem(BMenuItem* item);
			bool			AddItem(BMenuItem* item, int32 index);
			// In a matrix menu only: the item at frame (menu coordinates).
			bool			AddItem(BMenuItem* item, BRect frame);
			// Adds an item that holds submenu, labelled with the submenu's name.
			bool			AddItem(BMenu* submenu);
			bool			AddItem(BMenu* submenu, int32 index);
			bool			AddSeparatorItem();
	// Adds the list's BMenuItem pointers from index on, in order; false (and none
	// added) when an index or an item is refused.
			bool			AddList(BList* list, int32 index);
			// These give the items back to the caller, who deletes them.
			bool			RemoveItem(BMenuItem* item);
			BMenuItem*		RemoveItem(int32 index);
			// Removes (and with deleteItems, deletes) count items from index on.
			bool			RemoveItems(int32 index, int32 count, bool deleteItems = false);

			BMenuItem*		ItemAt(int32 index) const;
			BMenu*			SubmenuAt(int32 index) const;
			int32			CountItems() const;
			int32			IndexOf(BMenuItem* item) const;
			int32			IndexOf(BMenu* submenu) const;
			// Search this menu and its submenus, depth first.
			BMenuItem*		FindItem(uint32 command) const;
			BMenuItem*		FindItem(const char* label) const;
			BMenuItem*		FindMarked() const;

			BMenu*			Supermenu() const;
			BMenuItem*		Superitem() const { return fSuperitem; }

	virtual	status_t		SetTargetForItems(BHandler* target);
	virtual	status_t		SetTargetForItems(BMessenger messenger);
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const;
	// In radio mode choosing an item marks it and unmarks the others.
	virtual	void			SetRadioMode(bool on);
			bool			IsRadioMode() const { return fRadioMode; }
	// The label of the item that holds this menu follows the marked item (radio mode
	// comes with it).
			void			SetLabelFromMarked(bool on);
			bool			IsLabelFromMarked() const { return fLabelFromMarked; }
			menu_layout		Layout() const { return fLayout; }
	// While the menu is open, typing an item's trigger chooses it (or opens its
	// submenu). On by default.
	virtual	void			SetTriggersEnabled(bool enable);
			bool			AreTriggersEnabled() const { return fTriggersEnabled; }
	// A column's items are at most this wide (their labels shortened to fit); 0 for no
	// limit.
	virtual	void			SetMaxContentWidth(float width);
			float			MaxContentWidth() const { return fMaxContentWidth; }
	// Room between the menu's edge (inside its border) and its items.
			void			SetItemMargins(float left, float top, float right,
								float bottom);
			void			GetItemMargins(float* left, float* top, float* right,
								float* bottom) const;

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			MessageReceived(BMessage* message);

	// Scripting: "suite/vnd.Be-menu". The menu answers the whole chain of "Menu" and
	// "MenuItem" specifiers below it itself.
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

			class Private;

protected:
							BMenu(BRect frame, const char* name, uint32 resizingMode,
								uint32 flags, menu_layout layout, bool resizeToFit);

			// Lays the items out and gives each its frame.
			void			LayoutItems();
			BMenuItem*		ItemAt(BPoint where) const;
			BMenuItem*		CurrentSelection() const { return fSelected; }
			void			SelectItem(BMenuItem* item);
			// The open menu layer of the window, or NULL.
			BPrivate::MenuLayer* OpenLayer() const;
			// Closes the open menus, then invokes item.
			void			_ChooseItem(BMenuItem* item);
			bool			_ResizeToFit() const { return fResizeToFit; }

			// Tracks the pointer over the menu until the user chooses an item, which
			// is returned without being invoked (NULL when the menu closes without a
			// choice). A menu in no window opens as a pop-up where the pointer is, as
			// BPopUpMenu::Go() opens one; a menu among a window's views (a bar) is
			// tracked in place on its window's thread: the item under the pointer is
			// highlighted, the item the button is released over is chosen, and an
			// item's submenu opens as a tracked pop-up beside it. With sticky the menu
			// stays open after a release and the next click chooses; a release
			// inside clickToOpenRect (screen coordinates) keeps it open too.
			BMenuItem*		Track(bool sticky = false, BRect* clickToOpenRect = NULL);
			// hook is called with the menu and state while the menu is tracked
			// synchronously, about every kMenuTrackingWait and after each message the
			// window handles meanwhile (with the window locked); returning true ends
			// the tracking without a choice. NULL removes it.
			status_t		SetTrackingHook(menu_tracking_hook hook, void* state);

private:
	friend class BMenuItem;
	friend class Private;
	friend class BPrivate::MenuLayer;

			void			_InitData(menu_layout layout);
			void			_ItemChanged();
			void			_MarkChanged();
			bool			_InvokeShortcut(uint32 key, uint32 modifiers);
			// The enabled or disabled item whose trigger is key (case ignored), or NULL.
			BMenuItem*		_ItemForTrigger(uint32 key) const;
			void			_HandleScripting(BMessage* message);
			BMenuItem*		_TrackInPlace(bool sticky, BRect clickToOpen);

			BList			fItems;
			BMenuItem*		fSuperitem;
			BMenuItem*		fSelected;
			menu_layout		fLayout;
			bool			fEnabled;
			bool			fRadioMode;
			bool			fLabelFromMarked;
			bool			fResizeToFit;
			bool			fNeedsLayout;
			// A matrix menu's size, as its constructor gave it.
			float			fMatrixWidth;
			float			fMatrixHeight;
			bool			fTriggersEnabled;
			float			fMaxContentWidth;
			BRect			fItemMargins;
			menu_tracking_hook fTrackingHook;
			void*			fTrackingState;
};

#endif // _MENU_H
