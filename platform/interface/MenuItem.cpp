// BMenuItem and BSeparatorItem: an item measures and draws itself with its menu's
// drawing calls, in the frame the menu gave it.
#include <MenuItem.h>

#include <Menu.h>
#include <Message.h>
#include <Window.h>

#include <math.h>

namespace {

// Column items: room for the mark on the left, for the shortcut or the submenu arrow on
// the right.
const float kMarkMargin = 20;
const float kRightMargin = 10;
const float kShortcutGap = 24;
const float kArrowWidth = 14;
// Row items (menu bar titles) have this much room on either side of the label.
const float kRowPadding = 8;
const float kVerticalPadding = 3;

} // namespace


BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut,
	uint32 modifiers)
	:
	BInvoker(message, NULL),
	fLabel(label != NULL ? label : ""),
	fSubmenu(NULL),
	fSuper(NULL),
	fModifiers(0),
	fShortcut(0),
	fEnabled(true),
	fMarked(false)
{
	if (shortcut != 0)
		SetShortcut(shortcut, modifiers);
}


BMenuItem::BMenuItem(BMenu* submenu, BMessage* message)
	:
	BInvoker(message, NULL),
	fLabel(submenu != NULL && submenu->Name() != NULL ? submenu->Name() : ""),
	fSubmenu(submenu),
	fSuper(NULL),
	fModifiers(0),
	fShortcut(0),
	fEnabled(true),
	fMarked(false)
{
	if (submenu != NULL)
		submenu->fSuperitem = this;
}


BMenuItem::~BMenuItem()
{
	if (fSuper != NULL)
		fSuper->RemoveItem(this);
	delete fSubmenu;
}


void
BMenuItem::SetLabel(const char* label)
{
	fLabel = label != NULL ? label : "";
	if (fSuper != NULL)
		fSuper->_ItemChanged();
}


const char*
BMenuItem::Label() const
{
	return fLabel.c_str();
}


void
BMenuItem::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	if (fSuper != NULL)
		fSuper->Invalidate(fFrame);
}


bool
BMenuItem::IsEnabled() const
{
	if (fSubmenu != NULL && !fSubmenu->fEnabled)
		return false;
	return fEnabled && (fSuper == NULL || fSuper->IsEnabled());
}


void
BMenuItem::SetMarked(bool marked)
{
	if (marked && fSuper != NULL && fSuper->IsRadioMode()) {
		for (int32 i = 0; BMenuItem* other = fSuper->ItemAt(i); i++) {
			if (other != this)
				other->SetMarked(false);
		}
	}
	if (marked == fMarked)
		return;
	fMarked = marked;
	if (fSuper != NULL) {
		fSuper->Invalidate(fFrame);
		fSuper->_MarkChanged();
	}
}


void
BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	fShortcut = shortcut;
	fModifiers = shortcut != 0 ? modifiers | B_COMMAND_KEY : 0;
	if (fSuper != NULL)
		fSuper->_ItemChanged();
}


char
BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != NULL)
		*modifiers = fModifiers;
	return fShortcut;
}


bool
BMenuItem::IsSelected() const
{
	return fSuper != NULL && fSuper->fSelected == this;
}


BWindow*
BMenuItem::_Window() const
{
	for (BMenu* menu = fSuper; menu != NULL; menu = menu->Supermenu()) {
		if (menu->Window() != NULL)
			return menu->Window();
	}
	return NULL;
}


status_t
BMenuItem::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("index", fSuper != NULL ? fSuper->IndexOf(this) : -1);
	if (Messenger().IsValid())
		return BInvoker::Invoke(&copy);

	// Without a target of its own the item speaks to its menu's window.
	BWindow* window = _Window();
	if (window == NULL)
		return B_BAD_PORT_ID;
	return BMessenger(window).SendMessage(&copy, HandlerForReply(), Timeout());
}


std::string
BMenuItem::_ShortcutText() const
{
	if (fShortcut == 0)
		return "";
	// The Command key is Ctrl on the keyboards the kit runs on.
	std::string text;
	if ((fModifiers & B_CONTROL_KEY) != 0)
		text += "Super+";
	if ((fModifiers & B_OPTION_KEY) != 0)
		text += "Alt+";
	if ((fModifiers & B_SHIFT_KEY) != 0)
		text += "Shift+";
	text += "Ctrl+";
	char key = fShortcut >= 'a' && fShortcut <= 'z' ? fShortcut - 'a' + 'A' : fShortcut;
	text += key;
	return text;
}


void
BMenuItem::GetContentSize(float* width, float* height)
{
	font_height fontHeight;
	fSuper->GetFontHeight(&fontHeight);
	float labelWidth = fSuper->StringWidth(fLabel.c_str());
	if (fSuper->Layout() == B_ITEMS_IN_ROW)
		*width = ceilf(labelWidth + 2 * kRowPadding);
	else {
		float extra = fSubmenu != NULL ? kArrowWidth
			: fShortcut != 0 ? kShortcutGap + fSuper->StringWidth(_ShortcutText().c_str())
			: 0;
		*width = ceilf(kMarkMargin + labelWidth + extra + kRightMargin);
	}
	*height = ceilf(fontHeight.ascent + fontHeight.descent) + 2 * kVerticalPadding;
}


void
BMenuItem::Highlight(bool on)
{
	fSuper->Invalidate(fFrame);
}


void
BMenuItem::Draw()
{
	bool selected = IsSelected() && IsEnabled();
	fSuper->SetHighColor(selected ? ui_color(B_MENU_SELECTED_BACKGROUND_COLOR)
		: fSuper->ViewColor());
	fSuper->FillRect(fFrame);
	fSuper->SetLowColor(fSuper->HighColor());
	DrawContent();
}


void
BMenuItem::DrawContent()
{
	bool selected = IsSelected() && IsEnabled();
	rgb_color text = ui_color(selected ? B_MENU_SELECTED_ITEM_TEXT_COLOR
		: B_MENU_ITEM_TEXT_COLOR);
	if (!IsEnabled())
		text = tint_color(fSuper->ViewColor(), B_DISABLED_LABEL_TINT);
	font_height fontHeight;
	fSuper->GetFontHeight(&fontHeight);
	float baseline = fFrame.top + kVerticalPadding + ceilf(fontHeight.ascent);
	bool row = fSuper->Layout() == B_ITEMS_IN_ROW;
	float x = fFrame.left + (row ? kRowPadding : kMarkMargin);

	fSuper->SetHighColor(text);
	fSuper->DrawString(fLabel.c_str(), BPoint(x, baseline));
	if (row)
		return;

	if (fMarked) {
		// A check mark in the left margin.
		float middle = fFrame.top + floorf(fFrame.Height() / 2);
		fSuper->SetPenSize(2);
		fSuper->StrokeLine(BPoint(fFrame.left + 6, middle),
			BPoint(fFrame.left + 9, middle + 3));
		fSuper->StrokeLine(BPoint(fFrame.left + 9, middle + 3),
			BPoint(fFrame.left + 15, middle - 4));
		fSuper->SetPenSize(1);
	}
	if (fSubmenu != NULL) {
		float middle = fFrame.top + floorf(fFrame.Height() / 2);
		float right = fFrame.right - 6;
		fSuper->FillTriangle(BPoint(right - 4, middle - 4), BPoint(right, middle),
			BPoint(right - 4, middle + 4));
	} else if (fShortcut != 0) {
		std::string shortcut = _ShortcutText();
		float width = fSuper->StringWidth(shortcut.c_str());
		fSuper->DrawString(shortcut.c_str(),
			BPoint(fFrame.right - kRightMargin - width, baseline));
	}
}


// #pragma mark - BSeparatorItem


BSeparatorItem::BSeparatorItem()
	:
	BMenuItem("", NULL)
{
	BMenuItem::SetEnabled(false);
}


BSeparatorItem::~BSeparatorItem()
{
}


void
BSeparatorItem::SetEnabled(bool enabled)
{
	// A separator is never chosen.
}


void
BSeparatorItem::GetContentSize(float* width, float* height)
{
	*width = 2;
	*height = 8;
}


void
BSeparatorItem::Draw()
{
	BMenu* menu = Menu();
	menu->SetHighColor(menu->ViewColor());
	menu->FillRect(Frame());
	float middle = Frame().top + floorf(Frame().Height() / 2);
	menu->SetHighColor(tint_color(menu->ViewColor(), B_DARKEN_2_TINT));
	menu->StrokeLine(BPoint(Frame().left + 1, middle), BPoint(Frame().right - 1, middle));
	menu->SetHighColor(tint_color(menu->ViewColor(), B_LIGHTEN_2_TINT));
	menu->StrokeLine(BPoint(Frame().left + 1, middle + 1),
		BPoint(Frame().right - 1, middle + 1));
}
