// BMenuItem and BSeparatorItem: an item measures and draws itself with its menu's
// drawing calls, in the frame the menu gave it.
#include <MenuItem.h>

#include "interface/ArchiveFields.h"

#include <Menu.h>
#include <Message.h>
#include <String.h>
#include <Window.h>

#include <ctype.h>
#include <math.h>
#include <string.h>
#include <vector>

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
	fTrigger(0),
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
	fTrigger(0),
	fEnabled(true),
	fMarked(false)
{
	if (submenu != NULL)
		submenu->fSuperitem = this;
}


BMenuItem::BMenuItem(BMessage* archive)
	:
	BArchivable(archive),
	BInvoker(BPrivate::find_archived_message(archive, "_msg"), NULL),
	fSubmenu(NULL),
	fSuper(NULL),
	fModifiers(0),
	fShortcut(0),
	fTrigger(0),
	fEnabled(true),
	fMarked(false)
{
	const char* label = NULL;
	if (archive->FindString("_label", &label) == B_OK)
		fLabel = label;
	int32 shortcut = 0;
	int32 modifiers = 0;
	if (archive->FindInt32("_shortcut", &shortcut) == B_OK && shortcut > 0
		&& shortcut < 0x80) {
		archive->FindInt32("_mods", &modifiers);
		SetShortcut((char)shortcut, (uint32)modifiers);
	}
	int32 trigger = 0;
	if (archive->FindInt32("_trigger", &trigger) == B_OK && trigger > 0 && trigger < 0x80)
		fTrigger = (char)trigger;
	bool flag = false;
	if (archive->FindBool("_disable", &flag) == B_OK && flag)
		fEnabled = false;
	if (archive->FindBool("_marked", &flag) == B_OK && flag)
		fMarked = true;
	BMessage submenu;
	if (archive->FindMessage("_submenu", &submenu) == B_OK) {
		BArchivable* object = instantiate_object(&submenu);
		fSubmenu = dynamic_cast<BMenu*>(object);
		if (fSubmenu != NULL)
			fSubmenu->fSuperitem = this;
		else
			delete object;
	}
}


BArchivable*
BMenuItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuItem"))
		return NULL;
	return new BMenuItem(archive);
}


status_t
BMenuItem::Archive(BMessage* data, bool deep) const
{
	status_t status = BArchivable::Archive(data, deep);
	if (status == B_OK)
		status = data->AddString("_label", fLabel.c_str());
	if (status == B_OK && Message() != NULL)
		status = data->AddMessage("_msg", Message());
	if (status == B_OK && fShortcut != 0) {
		status = data->AddInt32("_shortcut", fShortcut);
		if (status == B_OK)
			status = data->AddInt32("_mods", (int32)fModifiers);
	}
	if (status == B_OK && fTrigger != 0)
		status = data->AddInt32("_trigger", fTrigger);
	if (status == B_OK && !fEnabled)
		status = data->AddBool("_disable", true);
	if (status == B_OK && fMarked)
		status = data->AddBool("_marked", true);
	if (status == B_OK && deep && fSubmenu != NULL) {
		BMessage submenu;
		status = fSubmenu->Archive(&submenu, deep);
		if (status == B_OK)
			status = data->AddMessage("_submenu", &submenu);
	}
	return status;
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
BMenuItem::SetTrigger(char trigger)
{
	fTrigger = trigger;
	if (fSuper != NULL)
		fSuper->Invalidate();
}


int32
BMenuItem::_TriggerIndex() const
{
	auto find = [](const std::string& label, char trigger) -> int32 {
		for (size_t i = 0; i < label.size(); i++) {
			if (tolower((uint8)label[i]) == tolower((uint8)trigger))
				return (int32)i;
		}
		return -1;
	};
	if (fTrigger != 0)
		return find(fLabel, fTrigger);
	// The letters and digits that items before this one took.
	bool taken[128] = {};
	for (int32 i = 0; fSuper != NULL && fSuper->ItemAt(i) != this; i++) {
		const BMenuItem* other = fSuper->ItemAt(i);
		int32 index = other->_TriggerIndex();
		if (index >= 0)
			taken[tolower((uint8)other->fLabel[index]) & 0x7f] = true;
	}
	for (size_t i = 0; i < fLabel.size(); i++) {
		uint8 byte = (uint8)fLabel[i];
		if (byte < 0x80 && isalnum(byte) && !taken[tolower(byte)])
			return (int32)i;
	}
	return -1;
}


void
BMenuItem::TruncateLabel(float maxWidth, char* newLabel)
{
	if (newLabel == NULL)
		return;
	BString label(fLabel.c_str());
	if (fSuper != NULL)
		fSuper->TruncateString(&label, B_TRUNCATE_END, maxWidth);
	else
		be_plain_font->TruncateString(&label, B_TRUNCATE_END, maxWidth);
	strcpy(newLabel, label.String());
}


BPoint
BMenuItem::ContentLocation() const
{
	bool row = fSuper != NULL && fSuper->Layout() == B_ITEMS_IN_ROW;
	return BPoint(fFrame.left + (row ? kRowPadding : kMarkMargin),
		fFrame.top + kVerticalPadding);
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
	BPoint content = ContentLocation();
	float baseline = content.y + ceilf(fontHeight.ascent);
	bool row = fSuper->Layout() == B_ITEMS_IN_ROW;
	float x = content.x;

	// A column narrower than the label (MaxContentWidth) shows it shortened.
	std::string label = fLabel;
	float room = fFrame.right + 1 - x - (row ? kRowPadding : kRightMargin)
		- (row ? 0 : fSubmenu != NULL ? kArrowWidth : fShortcut != 0
			? kShortcutGap + fSuper->StringWidth(_ShortcutText().c_str()) : 0);
	bool shortened = fSuper->StringWidth(label.c_str()) > room + 0.5f;
	if (shortened) {
		std::vector<char> buffer(fLabel.size() + 4);
		TruncateLabel(room, buffer.data());
		label = buffer.data();
	}
	fSuper->SetHighColor(text);
	fSuper->DrawString(label.c_str(), BPoint(x, baseline));
	menu_info info;
	get_menu_info(&info);
	int32 trigger = _TriggerIndex();
	if (!shortened && info.triggers_always_shown && fSuper->AreTriggersEnabled()
		&& trigger >= 0) {
		float from = x + fSuper->StringWidth(fLabel.c_str(), trigger);
		float to = from + fSuper->StringWidth(fLabel.c_str() + trigger, 1);
		fSuper->StrokeLine(BPoint(from, baseline + 1), BPoint(to - 1, baseline + 1));
	}
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


BSeparatorItem::BSeparatorItem(BMessage* archive)
	:
	BMenuItem(archive)
{
	BMenuItem::SetEnabled(false);
}


BSeparatorItem::~BSeparatorItem()
{
}


BArchivable*
BSeparatorItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BSeparatorItem"))
		return NULL;
	return new BSeparatorItem(archive);
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
	menu_info info;
	get_menu_info(&info);
	// 0: etched (dark over light), 1: one dark line, 2: two dark lines.
	menu->SetHighColor(tint_color(menu->ViewColor(), B_DARKEN_2_TINT));
	menu->StrokeLine(BPoint(Frame().left + 1, middle), BPoint(Frame().right - 1, middle));
	if (info.separator == 1)
		return;
	if (info.separator == 0)
		menu->SetHighColor(tint_color(menu->ViewColor(), B_LIGHTEN_2_TINT));
	menu->StrokeLine(BPoint(Frame().left + 1, middle + 1),
		BPoint(Frame().right - 1, middle + 1));
}
