// MenuLayer: a transparent view laid over the whole window while menus are open, which
// shows each open menu in a display popup of its own.
#include "interface/MenuLayer.h"

#include "display/Display.h"
#include "interface/WindowPrivate.h"

#include <Menu.h>
#include <Message.h>
#include <MenuItem.h>
#include <Window.h>

#include <functional>

namespace BPrivate {

namespace {

const uint32 kMsgCloseMenus = '_mcl';


bool
window_contains(BWindow* window, BView* target)
{
	std::function<bool(BView*)> search = [&](BView* view) {
		for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
			if (child == target || search(child))
				return true;
		}
		return false;
	};
	for (int32 i = 0; BView* child = window->ChildAt(i); i++) {
		if (child == target || search(child))
			return true;
	}
	return false;
}

} // namespace


MenuLayer::MenuLayer(BRect frame, BMenu* owner)
	:
	BView(frame, "_menu_layer_", B_FOLLOW_ALL_SIDES, 0),
	fOwner(owner),
	fPreviousFocus(NULL),
	fDeliversMessages(true),
	fTracking(false),
	fOpenAnyway(false)
{
	SetViewColor(B_TRANSPARENT_COLOR);
}


MenuLayer::~MenuLayer()
{
	// The menus belong to their items (or to a pop-up's caller), not to the layer.
	if (Window() != NULL)
		CloseAbove(NULL);
	// Going with its window, the layer still tells a waiting pop-up that it closed.
	if (fOnClose)
		fOnClose(NULL);
}


MenuLayer*
MenuLayer::OpenPopUp(BWindow* window, BMenu* menu, BPoint where, bool deliversMessage,
	bool openAnyway, BRect stickyRect, std::function<void(BMenuItem*)> onClose)
{
	MenuLayer* layer = Open(window, NULL, menu, where);
	layer->fDeliversMessages = deliversMessage;
	layer->fOpenAnyway = openAnyway;
	layer->fStickyRect = stickyRect;
	layer->fOnClose = std::move(onClose);
	uint32 buttons = 0;
	BPoint pointer;
	layer->GetMouse(&pointer, &buttons, false);
	if (buttons != 0) {
		// The press that opened the menu goes on to the layer: a drag to an item and a
		// release there chooses it.
		layer->fTracking = true;
		layer->fPressedAt = pointer;
		BWindow::Private(window).SetMouseTarget(layer);
	}
	return layer;
}


bool
MenuLayer::IsShowing(const BMenu* menu) const
{
	for (BMenu* open : fMenus) {
		if (open == menu)
			return true;
	}
	return false;
}


void
MenuLayer::Refit(BMenu* menu)
{
	BWindow::Private(Window()).RemovePopup(menu);
	float width;
	float height;
	menu->GetPreferredSize(&width, &height);
	menu->ResizeTo(width, height);
	BWindow::Private(Window()).AddPopup(menu);
}


MenuLayer*
MenuLayer::Open(BWindow* window, BMenu* owner, BMenu* menu, BPoint where)
{
	MenuLayer* layer = Find(window);
	if (layer != NULL)
		layer->Close();
	// The menus show in the window itself, so it comes to the front, as a click on it
	// does under a window manager.
	window->Activate();
	window->MenusBeginning();
	layer = new MenuLayer(window->Bounds(), owner);
	layer->fPreviousFocus = window->CurrentFocus();
	window->AddChild(layer);
	layer->MakeFocus(true);
	layer->_Show(menu, where, where.x);
	return layer;
}


MenuLayer*
MenuLayer::Find(BWindow* window)
{
	for (int32 i = window->CountChildren() - 1; i >= 0; i--) {
		if (MenuLayer* layer = dynamic_cast<MenuLayer*>(window->ChildAt(i)))
			return layer;
	}
	return NULL;
}


// Places menu with its top left corner at where, on the screen where it can: moved left
// of alternateRight (its opener's left edge) when it does not fit on the right, and up
// when it does not fit below. The window's edges do not matter: the menu has a popup of
// its own.
void
MenuLayer::_Show(BMenu* menu, BPoint where, float alternateRight)
{
	float width;
	float height;
	menu->GetPreferredSize(&width, &height);
	BRect bounds = Display::Default()->ScreenFrame().OffsetByCopy(
		BPoint(0, 0) - Window()->Frame().LeftTop());
	float x = where.x;
	if (x + width > bounds.right)
		x = alternateRight - width < bounds.left ? bounds.right - width
			: alternateRight - width;
	if (x < bounds.left)
		x = bounds.left;
	float y = where.y;
	if (y + height > bounds.bottom)
		y = bounds.bottom - height > bounds.top ? bounds.bottom - height : bounds.top;
	menu->MoveTo(x, y);
	menu->ResizeTo(width, height);
	menu->fSelected = NULL;
	fMenus.push_back(menu);
	BWindow::Private(Window()).AddPopup(menu);
}


void
MenuLayer::OpenSubmenu(BMenu* parent, BMenuItem* item)
{
	BMenu* submenu = item->Submenu();
	if (submenu == NULL || IsShowing(submenu))
		return;
	CloseAbove(parent);
	BRect frame = parent->ConvertToParent(item->Frame());
	BRect parentFrame = parent->Frame();
	_Show(submenu, BPoint(parentFrame.right - 1, frame.top - 1), parentFrame.left + 1);
}


void
MenuLayer::CloseAbove(BMenu* menu)
{
	while (!fMenus.empty() && fMenus.back() != menu) {
		BMenu* top = fMenus.back();
		fMenus.pop_back();
		top->fSelected = NULL;
		BWindow::Private(Window()).RemovePopup(top);
	}
}


void
MenuLayer::Close(BMenuItem* chosen)
{
	BWindow* window = Window();
	std::function<void(BMenuItem*)> onClose = std::move(fOnClose);
	CloseAbove(NULL);
	if (fOwner != NULL)
		fOwner->SelectItem(NULL);
	if (fPreviousFocus != NULL && window_contains(window, fPreviousFocus))
		fPreviousFocus->MakeFocus(true);
	else
		MakeFocus(false);
	RemoveSelf();
	delete this;
	window->MenusEnded();
	if (onClose)
		onClose(chosen);
}


BMenu*
MenuLayer::_MenuAt(BPoint where) const
{
	for (auto it = fMenus.rbegin(); it != fMenus.rend(); ++it) {
		if ((*it)->Frame().Contains(where))
			return *it;
	}
	return NULL;
}


void
MenuLayer::TrackPointer(BPoint where)
{
	if (BMenu* menu = _MenuAt(where)) {
		menu->MouseMoved(menu->ConvertFromParent(where), B_INSIDE_VIEW, NULL);
		return;
	}
	if (_SwitchTitle(where))
		return;
	// Off every menu: only the titles that lead to open submenus stay lit.
	if (!fMenus.empty()) {
		BMenu* top = fMenus.back();
		top->MouseMoved(BPoint(-1, -1), B_OUTSIDE_VIEW, NULL);
	}
}


void
MenuLayer::ReleasePointer(BPoint where)
{
	BMenu* menu = _MenuAt(where);
	if (menu == NULL) {
		Close();
		return;
	}
	BMenuItem* item = menu->ItemAt(menu->ConvertFromParent(where));
	if (item != NULL && item->IsEnabled() && item->Submenu() == NULL)
		menu->_ChooseItem(item);
}


bool
MenuLayer::_SwitchTitle(BPoint where)
{
	if (fOwner == NULL || fOwner->Window() == NULL)
		return false;
	BPoint local = fOwner->ConvertFromScreen(ConvertToScreen(where));
	if (!fOwner->Bounds().Contains(local))
		return false;
	BMenuItem* item = fOwner->ItemAt(local);
	if (item == NULL || item == fOwner->CurrentSelection() || item->Submenu() == NULL
		|| !item->IsEnabled()) {
		return true;
	}
	CloseAbove(NULL);
	fOwner->SelectItem(item);
	BRect frame = ConvertFromScreen(fOwner->ConvertToScreen(item->Frame()));
	_Show(item->Submenu(), BPoint(frame.left, frame.bottom + 1), frame.left);
	return true;
}


void
MenuLayer::MouseDown(BPoint where)
{
	// Only a click outside every menu reaches the layer: on the open title it closes the
	// menus, on another title it opens that one, anywhere else it closes them.
	if (fOwner != NULL && fOwner->Window() != NULL) {
		BPoint local = fOwner->ConvertFromScreen(ConvertToScreen(where));
		BMenuItem* item = fOwner->ItemAt(local);
		if (fOwner->Bounds().Contains(local) && item != NULL
			&& item != fOwner->CurrentSelection() && item->Submenu() != NULL
			&& item->IsEnabled()) {
			_SwitchTitle(where);
			return;
		}
	}
	Close();
}


void
MenuLayer::MouseUp(BPoint where)
{
	// Only a pop-up menu's opening press ends here.
	if (!fTracking)
		return;
	fTracking = false;
	BMenu* menu = _MenuAt(where);
	BMenuItem* item = menu != NULL ? menu->ItemAt(menu->ConvertFromParent(where)) : NULL;
	if (item != NULL && where != fPressedAt) {
		if (item->IsEnabled() && item->Submenu() == NULL)
			menu->_ChooseItem(item);
		return;
	}
	// A click that opened the menu, without a drag, leaves it open for a second click.
	if (menu != NULL || fOpenAnyway || where == fPressedAt || fStickyRect.Contains(where))
		return;
	Close();
}


void
MenuLayer::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fTracking) {
		TrackPointer(where);
		return;
	}
	// Once a menu is open, moving over the bar's titles opens theirs.
	_SwitchTitle(where);
}


void
MenuLayer::_MoveSelection(int32 step)
{
	if (fMenus.empty())
		return;
	BMenu* menu = fMenus.back();
	int32 count = menu->CountItems();
	if (count == 0)
		return;
	int32 index = menu->CurrentSelection() != NULL
		? menu->IndexOf(menu->CurrentSelection()) : (step > 0 ? -1 : count);
	for (int32 tries = 0; tries < count; tries++) {
		index = (index + step + count) % count;
		BMenuItem* item = menu->ItemAt(index);
		if (item->IsEnabled()) {
			menu->SelectItem(item);
			return;
		}
	}
}


void
MenuLayer::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1 || fMenus.empty())
		return;
	BMenu* menu = fMenus.back();
	BMenuItem* selected = menu->CurrentSelection();
	switch (bytes[0]) {
		case B_ESCAPE:
			Close();
			break;
		case B_DOWN_ARROW:
			_MoveSelection(1);
			break;
		case B_UP_ARROW:
			_MoveSelection(-1);
			break;
		case B_RIGHT_ARROW:
			if (selected != NULL && selected->Submenu() != NULL && selected->IsEnabled()) {
				OpenSubmenu(menu, selected);
				_MoveSelection(1);
			}
			break;
		case B_LEFT_ARROW:
			if (fMenus.size() > 1)
				CloseAbove(fMenus[fMenus.size() - 2]);
			break;
		case B_ENTER:
		case B_SPACE:
			if (selected != NULL && selected->IsEnabled() && selected->Submenu() == NULL)
				menu->_ChooseItem(selected);
			break;
		default:
		{
			// A trigger chooses its item, or opens its submenu.
			BMenuItem* item = menu->_ItemForTrigger((uint8)bytes[0]);
			if (item == NULL || !item->IsEnabled())
				break;
			menu->SelectItem(item);
			if (item->Submenu() != NULL) {
				OpenSubmenu(menu, item);
				_MoveSelection(1);
			} else
				menu->_ChooseItem(item);
			break;
		}
	}
}


void
MenuLayer::WindowActivated(bool active)
{
	// The window is walking its views to tell them: the layer closes once it is done.
	if (!active)
		Window()->PostMessage(kMsgCloseMenus, this);
}


void
MenuLayer::MessageReceived(BMessage* message)
{
	if (message->what == kMsgCloseMenus) {
		Close();
		return;
	}
	BView::MessageReceived(message);
}

} // namespace BPrivate
