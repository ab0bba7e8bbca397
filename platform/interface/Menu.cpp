// BMenu: items laid out in a row or a column, opened in the window's menu layer, and the
// menu scripting suite.
#include <Menu.h>

#include "interface/MenuLayer.h"
#include "interface/WidgetScripting.h"

#include <MenuItem.h>
#include <Message.h>
#include <PropertyInfo.h>
#include <Window.h>

#include <ctype.h>
#include <math.h>
#include <string.h>

namespace {

// The tags of the rows below (their extra_data).
enum {
	kEnabledProperty = 1,
	kLabelProperty,
	kMarkProperty,
	kMenuCreateProperty,
	kMenuDeleteProperty,
	kMenuProperty,
	kMenuItemCountProperty,
	kMenuItemCreateProperty,
	kMenuItemDeleteProperty,
	kMenuItemExecuteProperty,
	kMenuItemProperty
};

property_info stMenuProperties[] = {
	{ "Enabled", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether the menu or item can be chosen.", kEnabledProperty, { B_BOOL_TYPE } },
	{ "Label", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The label of the menu or item.", kLabelProperty, { B_STRING_TYPE } },
	{ "Mark", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether the menu's item or the item is marked.", kMarkProperty, { B_BOOL_TYPE } },
	{ "Menu", { B_CREATE_PROPERTY },
		{ B_NAME_SPECIFIER, B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Adds a submenu labelled \"data\" at the index, or before the named item.",
		kMenuCreateProperty },
	{ "Menu", { B_DELETE_PROPERTY },
		{ B_NAME_SPECIFIER, B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Removes the submenu and deletes it.", kMenuDeleteProperty },
	{ "Menu", {}, { B_NAME_SPECIFIER, B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Directs the scripting message to the submenu.", kMenuProperty },
	{ "MenuItem", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of items in the menu.", kMenuItemCountProperty,
		{ B_INT32_TYPE } },
	{ "MenuItem", { B_CREATE_PROPERTY },
		{ B_NAME_SPECIFIER, B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Adds an item labelled \"data\" whose message is \"what\" at the index, or "
		"before the named item.", kMenuItemCreateProperty },
	{ "MenuItem", { B_DELETE_PROPERTY },
		{ B_NAME_SPECIFIER, B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Removes the item and deletes it.", kMenuItemDeleteProperty },
	{ "MenuItem", { B_EXECUTE_PROPERTY },
		{ B_NAME_SPECIFIER, B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Invokes the item.", kMenuItemExecuteProperty },
	{ "MenuItem", {}, { B_NAME_SPECIFIER, B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Directs the scripting message to the item.", kMenuItemProperty },
	{ NULL }
};

const uint32 kShortcutModifiers = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY
	| B_OPTION_KEY;

} // namespace


BMenu::BMenu(const char* name, menu_layout layout)
	:
	BView(BRect(0, 0, 0, 0), name, B_FOLLOW_NONE, B_WILL_DRAW)
{
	_InitData(layout);
	fResizeToFit = true;
}


BMenu::BMenu(const char* name, float width, float height)
	:
	BView(BRect(0, 0, width, height), name, B_FOLLOW_NONE, B_WILL_DRAW)
{
	_InitData(B_ITEMS_IN_MATRIX);
	fResizeToFit = true;
	fMatrixWidth = width;
	fMatrixHeight = height;
}


BMenu::BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	menu_layout layout, bool resizeToFit)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW)
{
	_InitData(layout);
	fResizeToFit = resizeToFit;
}


void
BMenu::_InitData(menu_layout layout)
{
	fSuperitem = NULL;
	fSelected = NULL;
	fLayout = layout;
	fEnabled = true;
	fRadioMode = false;
	fLabelFromMarked = false;
	fNeedsLayout = true;
	fMatrixWidth = 0;
	fMatrixHeight = 0;
	fTriggersEnabled = true;
	fMaxContentWidth = 0;
	fTrackingHook = NULL;
	fTrackingState = NULL;
	// A bar's titles start 2 pixels in and leave 1 after the last.
	fItemMargins = layout == B_ITEMS_IN_ROW ? BRect(2, 0, 1, 0) : BRect(0, 0, 0, 0);
	menu_info info;
	get_menu_info(&info);
	BFont font;
	font.SetFamilyAndStyle(info.f_family, info.f_style);
	font.SetSize(info.font_size);
	SetFont(&font);
	SetViewColor(info.background_color);
	SetLowColor(ViewColor());
}


BMenu::~BMenu()
{
	if (BPrivate::MenuLayer* layer = OpenLayer()) {
		if (layer->IsShowing(this))
			layer->Close();
	}
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		item->fSuper = NULL;
		delete item;
	}
	fItems.MakeEmpty();
}


// #pragma mark - Items


bool
BMenu::AddItem(BMenuItem* item)
{
	return AddItem(item, CountItems());
}


bool
BMenu::AddItem(BMenuItem* item, int32 index)
{
	if (item == NULL || item->fSuper != NULL || index < 0 || index > CountItems())
		return false;
	if (!fItems.AddItem(item, index))
		return false;
	item->fSuper = this;
	_ItemChanged();
	if (item->IsMarked())
		_MarkChanged();
	return true;
}


bool
BMenu::AddItem(BMenuItem* item, BRect frame)
{
	if (fLayout != B_ITEMS_IN_MATRIX || item == NULL)
		return false;
	item->fFrame = frame;
	return AddItem(item, CountItems());
}


bool
BMenu::AddItem(BMenu* submenu)
{
	return AddItem(submenu, CountItems());
}


bool
BMenu::AddItem(BMenu* submenu, int32 index)
{
	if (submenu == NULL || submenu->fSuperitem != NULL)
		return false;
	BMenuItem* item = new BMenuItem(submenu);
	if (AddItem(item, index))
		return true;
	item->fSubmenu = NULL;
	submenu->fSuperitem = NULL;
	delete item;
	return false;
}


bool
BMenu::AddList(BList* list, int32 index)
{
	if (list == NULL || index < 0 || index > CountItems())
		return false;
	for (int32 i = 0; i < list->CountItems(); i++) {
		BMenuItem* item = (BMenuItem*)list->ItemAt(i);
		if (item == NULL || item->fSuper != NULL)
			return false;
		for (int32 j = 0; j < i; j++) {
			if (list->ItemAt(j) == item)
				return false;
		}
	}
	for (int32 i = 0; i < list->CountItems(); i++)
		AddItem((BMenuItem*)list->ItemAt(i), index + i);
	return true;
}


bool
BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem);
}


bool
BMenu::RemoveItem(BMenuItem* item)
{
	if (item == NULL || item->fSuper != this)
		return false;
	return RemoveItem(IndexOf(item)) != NULL;
}


BMenuItem*
BMenu::RemoveItem(int32 index)
{
	BMenuItem* item = (BMenuItem*)fItems.RemoveItem(index);
	if (item == NULL)
		return NULL;
	if (item == fSelected)
		fSelected = NULL;
	if (item->fSubmenu != NULL) {
		if (BPrivate::MenuLayer* layer = OpenLayer())
			layer->CloseAbove(this);
	}
	item->fSuper = NULL;
	_ItemChanged();
	return item;
}


bool
BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		BMenuItem* item = RemoveItem(index);
		if (deleteItems)
			delete item;
	}
	return true;
}


BMenuItem*
BMenu::ItemAt(int32 index) const
{
	return (BMenuItem*)fItems.ItemAt(index);
}


BMenu*
BMenu::SubmenuAt(int32 index) const
{
	BMenuItem* item = ItemAt(index);
	return item != NULL ? item->Submenu() : NULL;
}


int32
BMenu::CountItems() const
{
	return fItems.CountItems();
}


int32
BMenu::IndexOf(BMenuItem* item) const
{
	return fItems.IndexOf(item);
}


int32
BMenu::IndexOf(BMenu* submenu) const
{
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->Submenu() == submenu)
			return i;
	}
	return -1;
}


BMenuItem*
BMenu::FindItem(uint32 command) const
{
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->Message() != NULL && item->Command() == command)
			return item;
		if (item->Submenu() != NULL) {
			if (BMenuItem* found = item->Submenu()->FindItem(command))
				return found;
		}
	}
	return NULL;
}


BMenuItem*
BMenu::FindItem(const char* label) const
{
	if (label == NULL)
		return NULL;
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (strcmp(item->Label(), label) == 0)
			return item;
		if (item->Submenu() != NULL) {
			if (BMenuItem* found = item->Submenu()->FindItem(label))
				return found;
		}
	}
	return NULL;
}


BMenuItem*
BMenu::FindMarked() const
{
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->IsMarked())
			return item;
	}
	return NULL;
}


BMenu*
BMenu::Supermenu() const
{
	return fSuperitem != NULL ? fSuperitem->Menu() : NULL;
}


status_t
BMenu::SetTargetForItems(BHandler* target)
{
	status_t status = B_OK;
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->Submenu() == NULL && (status = item->SetTarget(target)) != B_OK)
			break;
	}
	return status;
}


status_t
BMenu::SetTargetForItems(BMessenger messenger)
{
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->Submenu() == NULL)
			item->SetTarget(messenger);
	}
	return B_OK;
}


void
BMenu::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	Invalidate();
	if (Supermenu() != NULL)
		Supermenu()->Invalidate(fSuperitem->Frame());
}


bool
BMenu::IsEnabled() const
{
	if (!fEnabled)
		return false;
	BMenu* super = Supermenu();
	return super == NULL || super->IsEnabled();
}


void
BMenu::SetRadioMode(bool on)
{
	fRadioMode = on;
	if (!on)
		SetLabelFromMarked(false);
}


void
BMenu::SetLabelFromMarked(bool on)
{
	fLabelFromMarked = on;
	if (on)
		SetRadioMode(true);
	_MarkChanged();
}


void
BMenu::_MarkChanged()
{
	BMenuItem* marked = FindMarked();
	if (fLabelFromMarked && fSuperitem != NULL && marked != NULL)
		fSuperitem->SetLabel(marked->Label());
}


// #pragma mark - Layout and drawing


void
BMenu::_ItemChanged()
{
	fNeedsLayout = true;
	if (Window() == NULL)
		return;
	BPrivate::MenuLayer* layer = OpenLayer();
	if (layer != NULL && layer->IsShowing(this)) {
		layer->Refit(this);
		return;
	}
	LayoutItems();
	if (fResizeToFit && fLayout != B_ITEMS_IN_ROW) {
		float width;
		float height;
		GetPreferredSize(&width, &height);
		ResizeTo(width, height);
	}
	Invalidate();
}


void
BMenu::LayoutItems()
{
	fNeedsLayout = false;
	// A matrix's items stay where they were put.
	if (fLayout == B_ITEMS_IN_MATRIX)
		return;
	// Column menus have a one-pixel border all round; rows run along the bar.
	float inset = fLayout == B_ITEMS_IN_ROW ? 0 : 1;
	float left = inset + fItemMargins.left;
	float top = inset + fItemMargins.top;
	float position = fLayout == B_ITEMS_IN_ROW ? left : top;
	float widest = 0;
	float tallest = 0;
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		float width;
		float height;
		item->GetContentSize(&width, &height);
		if (fLayout == B_ITEMS_IN_ROW) {
			item->fFrame = BRect(position, top, position + width - 1, top + height - 1);
			position += width;
		} else {
			if (fMaxContentWidth > 0)
				width = fminf(width, fMaxContentWidth);
			item->fFrame = BRect(left, position, left + width - 1, position + height - 1);
			position += height;
		}
		widest = width > widest ? width : widest;
		tallest = height > tallest ? height : tallest;
	}
	// Items of a column are as wide as the widest; titles of a row as high as the bar.
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (fLayout == B_ITEMS_IN_ROW)
			item->fFrame.bottom = item->fFrame.top + tallest - 1;
		else
			item->fFrame.right = item->fFrame.left + widest - 1;
	}
}


void
BMenu::GetPreferredSize(float* width, float* height)
{
	if (fNeedsLayout)
		LayoutItems();
	float right = 0;
	float bottom = 0;
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		right = item->fFrame.right > right ? item->fFrame.right : right;
		bottom = item->fFrame.bottom > bottom ? item->fFrame.bottom : bottom;
	}
	if (fLayout == B_ITEMS_IN_ROW) {
		font_height fontHeight;
		GetFontHeight(&fontHeight);
		// An empty bar is as high as one with a title.
		float itemHeight = ceilf(fontHeight.ascent + fontHeight.descent) + 6;
		if (width != NULL)
			*width = right + 1 + fItemMargins.right;
		if (height != NULL) {
			*height = bottom > itemHeight - 1 ? bottom + 1 + fItemMargins.bottom
				: itemHeight;
		}
		return;
	}
	if (fLayout == B_ITEMS_IN_MATRIX) {
		right = fmaxf(right, fMatrixWidth - 1);
		bottom = fmaxf(bottom, fMatrixHeight - 1);
	}
	if (width != NULL)
		*width = right + 1 + fItemMargins.right;
	if (height != NULL)
		*height = bottom + 1 + fItemMargins.bottom;
}


void
BMenu::SetTriggersEnabled(bool enable)
{
	fTriggersEnabled = enable;
	Invalidate();
}


void
BMenu::SetMaxContentWidth(float width)
{
	fMaxContentWidth = width > 0 ? width : 0;
	_ItemChanged();
}


void
BMenu::SetItemMargins(float left, float top, float right, float bottom)
{
	fItemMargins = BRect(fmaxf(left, 0), fmaxf(top, 0), fmaxf(right, 0),
		fmaxf(bottom, 0));
	_ItemChanged();
}


void
BMenu::GetItemMargins(float* left, float* top, float* right, float* bottom) const
{
	if (left != NULL)
		*left = fItemMargins.left;
	if (top != NULL)
		*top = fItemMargins.top;
	if (right != NULL)
		*right = fItemMargins.right;
	if (bottom != NULL)
		*bottom = fItemMargins.bottom;
}


BMenuItem*
BMenu::_ItemForTrigger(uint32 key) const
{
	if (!fTriggersEnabled || key > 0x7f)
		return NULL;
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		int32 index = item->_TriggerIndex();
		if (index >= 0 && tolower((uint8)item->fLabel[index]) == tolower((int)key))
			return item;
	}
	return NULL;
}


void
BMenu::AttachedToWindow()
{
	LayoutItems();
	if (fResizeToFit && fLayout != B_ITEMS_IN_ROW) {
		float width;
		float height;
		GetPreferredSize(&width, &height);
		ResizeTo(width, height);
	}
}


void
BMenu::Draw(BRect updateRect)
{
	if (fNeedsLayout)
		LayoutItems();
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->fFrame.Intersects(updateRect))
			item->Draw();
	}
	if (fLayout == B_ITEMS_IN_ROW)
		return;
	BRect bounds = Bounds();
	SetHighColor(tint_color(ViewColor(), B_DARKEN_4_TINT));
	StrokeRect(bounds);
}


BMenuItem*
BMenu::ItemAt(BPoint where) const
{
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->fFrame.Contains(where))
			return item;
	}
	return NULL;
}


void
BMenu::SelectItem(BMenuItem* item)
{
	if (item == fSelected)
		return;
	BMenuItem* old = fSelected;
	fSelected = item;
	if (old != NULL)
		old->Highlight(false);
	if (item != NULL)
		item->Highlight(true);
}


BPrivate::MenuLayer*
BMenu::OpenLayer() const
{
	return Window() != NULL ? BPrivate::MenuLayer::Find(Window()) : NULL;
}


// #pragma mark - Input


void
BMenu::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	BPrivate::MenuLayer* layer = OpenLayer();
	if (layer == NULL || !layer->IsShowing(this))
		return;
	BMenuItem* item = Bounds().Contains(where) ? ItemAt(where) : NULL;
	if (item == NULL) {
		// Leaving the menu keeps a title whose submenu is open.
		if (fSelected != NULL && fSelected->Submenu() != NULL
			&& fSelected->Submenu()->Window() != NULL) {
			return;
		}
		SelectItem(NULL);
		return;
	}
	if (item == fSelected)
		return;
	SelectItem(item);
	if (item->Submenu() != NULL && item->IsEnabled())
		layer->OpenSubmenu(this, item);
	else
		layer->CloseAbove(this);
}


void
BMenu::MouseDown(BPoint where)
{
	MouseMoved(where, B_INSIDE_VIEW, NULL);
}


void
BMenu::MouseUp(BPoint where)
{
	BMenuItem* item = Bounds().Contains(where) ? ItemAt(where) : NULL;
	if (item != NULL && item->IsEnabled() && item->Submenu() == NULL)
		_ChooseItem(item);
}


void
BMenu::_ChooseItem(BMenuItem* item)
{
	SelectItem(NULL);
	if (fRadioMode)
		item->SetMarked(true);
	// The item's message goes first: closing may delete an asynchronous pop-up menu.
	BPrivate::MenuLayer* layer = OpenLayer();
	if (layer == NULL || layer->DeliversMessages())
		item->Invoke();
	if (layer != NULL)
		layer->Close(item);
}


bool
BMenu::_InvokeShortcut(uint32 key, uint32 modifiers)
{
	for (int32 i = 0; BMenuItem* item = ItemAt(i); i++) {
		if (item->Submenu() != NULL) {
			if (item->Submenu()->_InvokeShortcut(key, modifiers))
				return true;
			continue;
		}
		if (item->fShortcut == 0 || (uint32)tolower((uchar)item->fShortcut) != key
			|| (item->fModifiers & kShortcutModifiers)
				!= (modifiers & kShortcutModifiers)) {
			continue;
		}
		if (item->IsEnabled()) {
			if (fRadioMode)
				item->SetMarked(true);
			item->Invoke();
		}
		return true;
	}
	return false;
}


// #pragma mark - Scripting


void
BMenu::MessageReceived(BMessage* message)
{
	if (BPrivate::match_property(message, stMenuProperties) != BPrivate::kNoProperty) {
		_HandleScripting(message);
		return;
	}
	BView::MessageReceived(message);
}


BHandler*
BMenu::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stMenuProperties) != BPrivate::kNoProperty) {
		return this;
	}
	return BView::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BMenu::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-menu", stMenuProperties);
	if (status == B_OK)
		status = BView::GetSupportedSuites(data);
	return status;
}


namespace {

// The item of menu that a "Menu" or "MenuItem" specifier names; submenus only counts
// items that hold one.
BMenuItem*
item_for_specifier(BMenu* menu, BMessage* specifier, int32 form, bool submenus)
{
	if (form == B_NAME_SPECIFIER) {
		const char* name;
		if (specifier->FindString("name", &name) != B_OK)
			return NULL;
		for (int32 i = 0; BMenuItem* item = menu->ItemAt(i); i++) {
			if ((!submenus || item->Submenu() != NULL) && strcmp(item->Label(), name) == 0)
				return item;
		}
		return NULL;
	}
	int32 index;
	if (specifier->FindInt32("index", &index) != B_OK)
		return NULL;
	if (!submenus) {
		if (form == B_REVERSE_INDEX_SPECIFIER)
			index = menu->CountItems() - index;
		return menu->ItemAt(index);
	}
	int32 count = 0;
	for (int32 i = 0; BMenuItem* item = menu->ItemAt(i); i++)
		count += item->Submenu() != NULL ? 1 : 0;
	if (form == B_REVERSE_INDEX_SPECIFIER)
		index = count - index;
	for (int32 i = 0; BMenuItem* item = menu->ItemAt(i); i++) {
		if (item->Submenu() != NULL && index-- == 0)
			return item;
	}
	return NULL;
}


// Answers "Enabled", "Label" or "Mark" (tag) of what a chain named: the item when there is
// one, else the menu (its superitem for the label and mark).
void
answer_menu_property(BMessage* message, uint32 tag, BMenu* menu, BMenuItem* item)
{
	BMenuItem* target = item != NULL ? item : menu->Superitem();
	BMessage reply;
	status_t status = B_OK;
	bool get = message->what == B_GET_PROPERTY;
	bool value;
	const char* label;
	switch (tag) {
		case kEnabledProperty:
			if (get)
				reply.AddBool("result", item != NULL ? item->IsEnabled() : menu->IsEnabled());
			else if ((status = BPrivate::find_data(message, &value)) == B_OK) {
				if (item != NULL)
					item->SetEnabled(value);
				else
					menu->SetEnabled(value);
			}
			break;
		case kLabelProperty:
			if (get) {
				reply.AddString("result", target != NULL ? target->Label()
					: menu->Name() != NULL ? menu->Name() : "");
			} else if ((status = BPrivate::find_data(message, &label)) == B_OK) {
				if (target != NULL)
					target->SetLabel(label);
				else
					menu->SetName(label);
			}
			break;
		case kMarkProperty:
			if (target == NULL)
				status = B_BAD_VALUE;
			else if (get)
				reply.AddBool("result", target->IsMarked());
			else if ((status = BPrivate::find_data(message, &value)) == B_OK)
				target->SetMarked(value);
			break;
	}
	BPrivate::reply_result(message, &reply, status);
}

} // namespace


// Walks the chain of "Menu" and "MenuItem" specifiers down from this menu, then applies
// the command to what the chain names: a property of an item or menu, or an item itself.
// Before the last specifier the command is not matched, so a "Menu" or "MenuItem" row
// of any command stands for walking on.
void
BMenu::_HandleScripting(BMessage* message)
{
	BMenu* menu = this;
	BMenuItem* item = NULL;
	for (;;) {
		BMessage specifier;
		int32 index;
		int32 form;
		const char* property;
		if (message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK) {
			// The chain ended at a menu or item: only its suites can be asked for.
			BMenu* target = menu != NULL ? menu : item != NULL ? item->Menu() : NULL;
			if (message->what == B_GET_SUPPORTED_SUITES && target != NULL) {
				BMessage reply;
				BPrivate::reply_result(message, &reply, target->GetSupportedSuites(&reply));
				return;
			}
			BPrivate::reply_error(message, B_BAD_SCRIPT_SYNTAX,
				"Didn't understand the specifier(s)");
			return;
		}
		uint32 tag = BPrivate::match_property(message, index, &specifier, form, property,
			stMenuProperties);
		bool last = index == 0;
		bool isMenu;
		switch (tag) {
			case kEnabledProperty:
			case kLabelProperty:
			case kMarkProperty:
				answer_menu_property(message, tag, menu, item);
				return;
			case kMenuItemCountProperty:
				if (menu != NULL && last) {
					BMessage reply;
					reply.AddInt32("result", menu->CountItems());
					BPrivate::reply_result(message, &reply, B_OK);
				} else {
					BPrivate::reply_error(message, B_BAD_SCRIPT_SYNTAX,
						"Didn't understand the specifier(s)");
				}
				return;
			case kMenuCreateProperty:
			case kMenuDeleteProperty:
			case kMenuProperty:
				isMenu = true;
				break;
			case kMenuItemCreateProperty:
			case kMenuItemDeleteProperty:
			case kMenuItemExecuteProperty:
			case kMenuItemProperty:
				isMenu = false;
				break;
			default:
				if (menu != NULL && menu != this) {
					// The handler and view suites of the submenu itself.
					menu->BView::MessageReceived(message);
				} else {
					BPrivate::reply_error(message, B_BAD_SCRIPT_SYNTAX,
						"Didn't understand the specifier(s)");
				}
				return;
		}
		if (menu == NULL) {
			// An item without a submenu has no items, and nothing else applies.
			BPrivate::reply_error(message, B_BAD_SCRIPT_SYNTAX,
				"Didn't understand the specifier(s)");
			return;
		}

		BMenuItem* named = item_for_specifier(menu, &specifier, form, isMenu);
		if (last && (tag == kMenuCreateProperty || tag == kMenuItemCreateProperty)) {
			const char* newLabel;
			status_t status = BPrivate::find_data(message, &newLabel);
			if (status != B_OK) {
				BMessage reply;
				BPrivate::reply_result(message, &reply, status);
				return;
			}
			int32 at = named != NULL ? menu->IndexOf(named) : menu->CountItems();
			if (form != B_NAME_SPECIFIER) {
				specifier.FindInt32("index", &at);
				if (form == B_REVERSE_INDEX_SPECIFIER)
					at = menu->CountItems() - at;
			}
			bool added;
			if (isMenu)
				added = menu->AddItem(new BMenu(newLabel), at);
			else {
				int32 what = 0;
				message->FindInt32("what", &what);
				BMenuItem* newItem = new BMenuItem(newLabel, new BMessage((uint32)what));
				added = menu->AddItem(newItem, at);
				if (!added)
					delete newItem;
			}
			BMessage reply;
			BPrivate::reply_result(message, &reply, added ? B_OK : B_BAD_INDEX);
			return;
		}
		if (named == NULL) {
			BMessage reply;
			BPrivate::reply_result(message, &reply,
				form == B_NAME_SPECIFIER ? B_NAME_NOT_FOUND : B_BAD_INDEX);
			return;
		}
		if (last && (tag == kMenuDeleteProperty || tag == kMenuItemDeleteProperty)) {
			menu->RemoveItem(named);
			delete named;
			BMessage reply;
			BPrivate::reply_result(message, &reply, B_OK);
			return;
		}
		if (last && tag == kMenuItemExecuteProperty) {
			BMessage reply;
			BPrivate::reply_result(message, &reply,
				named->IsEnabled() ? named->Invoke() : B_NOT_ALLOWED);
			return;
		}
		message->PopSpecifier();
		item = named;
		menu = named->Submenu();
		if (isMenu)
			item = NULL;
	}
}

