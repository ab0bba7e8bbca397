// BMenuBar: titles in a row; a press on a title opens its menu in the window's menu
// layer. A release over an item of the open menu chooses it (press, drag, release); a
// release over the bar leaves the menu open for a second click.
#include <MenuBar.h>

#include "interface/ArchiveFields.h"
#include "interface/MenuLayer.h"

#include <MenuItem.h>
#include <Window.h>

#include <algorithm>

using BPrivate::MenuLayer;


BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode, menu_layout layout,
	bool resizeToFit)
	:
	BMenu(frame, name, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS, layout, resizeToFit),
	fBorder(B_BORDER_FRAME),
	fPressedItem(NULL),
	fOpenedByPress(false),
	fLaidOutByOwner(false)
{
}


BMenuBar::BMenuBar(BMessage* archive)
	:
	BMenu(archive),
	fBorder(B_BORDER_FRAME),
	fPressedItem(NULL),
	fOpenedByPress(false),
	fLaidOutByOwner(false)
{
	int32 border = B_BORDER_FRAME;
	if (BPrivate::find_archived_int32(archive, "_border", B_BORDER_FRAME,
			B_BORDER_EACH_ITEM, &border)) {
		fBorder = (menu_bar_border)border;
	}
}


BMenuBar::~BMenuBar()
{
}


BArchivable*
BMenuBar::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuBar"))
		return NULL;
	return new BMenuBar(archive);
}


status_t
BMenuBar::Archive(BMessage* archive, bool deep) const
{
	status_t status = BMenu::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_border", (int32)fBorder);
	return status;
}


void
BMenuBar::SetBorder(menu_bar_border border)
{
	fBorder = border;
	Invalidate();
}


void
BMenuBar::AttachedToWindow()
{
	BMenu::AttachedToWindow();
	if (Window()->KeyMenuBar() == NULL)
		Window()->SetKeyMenuBar(this);
	if (_ResizeToFit() && !fLaidOutByOwner) {
		float width;
		float height;
		GetPreferredSize(&width, &height);
		// A row spans its parent from where it starts, as a window's main bar does, whatever
		// width it was made with (often none: BRect(0, 0, 0, 0)).
		if (Layout() == B_ITEMS_IN_ROW) {
			BRect parentBounds = Parent() != NULL ? Parent()->Bounds() : Window()->Bounds();
			width = std::max(parentBounds.right - Frame().left, 0.0f);
		}
		ResizeTo(width, height);
	}
}


void
BMenuBar::DetachedFromWindow()
{
	if (MenuLayer* layer = OpenLayer()) {
		if (layer->Owner() == this)
			layer->Close();
	}
	if (Window()->KeyMenuBar() == this)
		Window()->SetKeyMenuBar(NULL);
	BMenu::DetachedFromWindow();
}


void
BMenuBar::Draw(BRect updateRect)
{
	BMenu::Draw(updateRect);
	BRect bounds = Bounds();
	if (fBorder != B_BORDER_FRAME)
		return;
	BeginLineArray(2);
	AddLine(bounds.LeftTop(), bounds.RightTop(), tint_color(ViewColor(), B_LIGHTEN_2_TINT));
	AddLine(bounds.LeftBottom(), bounds.RightBottom(),
		tint_color(ViewColor(), B_DARKEN_2_TINT));
	EndLineArray();
}


void
BMenuBar::MouseDown(BPoint where)
{
	// With a menu open, clicks reach its layer, not the bar.
	BMenuItem* item = ItemAt(where);
	fPressedItem = item;
	fOpenedByPress = false;
	if (item == NULL || !item->IsEnabled())
		return;
	SelectItem(item);
	if (item->Submenu() == NULL)
		return;
	BRect frame = ConvertToScreen(item->Frame());
	BPoint corner = BPoint(frame.left, frame.bottom + 1) - Window()->Frame().LeftTop();
	MenuLayer::Open(Window(), this, item->Submenu(), corner);
	fOpenedByPress = true;
}


void
BMenuBar::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (!fOpenedByPress)
		return;
	uint32 buttons = 0;
	GetMouse(NULL, &buttons, false);
	if (buttons == 0)
		return;
	if (MenuLayer* layer = OpenLayer())
		layer->TrackPointer(ConvertToScreen(where) - Window()->Frame().LeftTop());
}


void
BMenuBar::MouseUp(BPoint where)
{
	BMenuItem* pressed = fPressedItem;
	bool opened = fOpenedByPress;
	fPressedItem = NULL;
	fOpenedByPress = false;
	if (!opened) {
		// A title without a menu is chosen like an item.
		if (pressed != NULL && ItemAt(where) == pressed && pressed->IsEnabled())
			_ChooseItem(pressed);
		else
			SelectItem(NULL);
		return;
	}
	MenuLayer* layer = OpenLayer();
	if (layer == NULL || Bounds().Contains(where))
		return;
	layer->ReleasePointer(ConvertToScreen(where) - Window()->Frame().LeftTop());
}


void
BMenuBar::WindowActivated(bool active)
{
	if (!active)
		SelectItem(NULL);
}
