// BTabView: the row of tabs, the box under it, selection by mouse and keys, the views
// swapped in the container as tabs change, archiving and the tab view suite.
#include <TabView.h>

#include "interface/WidgetScripting.h"

#include <Message.h>
#include <PropertyInfo.h>
#include <Window.h>

#include <math.h>

namespace {

// The first tab starts this far from the tab view's left edge.
const float kTabOffset = 6;
// A tab's width in B_WIDTH_AS_USUAL.
const float kUsualTabWidth = 100;
// Room beside a label in B_WIDTH_FROM_LABEL and B_WIDTH_FROM_WIDEST.
const float kLabelPadding = 20;
// The container view lies this far inside the box.
const float kBoxInset = 3;

enum {
	kSelectionProperty = 1
};

property_info stTabViewProperties[] = {
	{ "Selection", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The index of the selected tab.", kSelectionProperty, { B_INT32_TYPE } },
	{ NULL }
};

} // namespace


BTabView::BTabView(BRect frame, const char* name, button_width width, uint32 resizingMode,
	uint32 flags)
	:
	BView(frame, name, resizingMode, flags)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	_Init(width);
}


BTabView::BTabView(BMessage* archive)
	:
	BView(archive)
{
	int16 width = B_WIDTH_AS_USUAL;
	archive->FindInt16("_but_width", &width);
	_Init(width >= B_WIDTH_AS_USUAL && width <= B_WIDTH_FROM_LABEL ? (button_width)width
		: B_WIDTH_AS_USUAL);
	float height;
	if (archive->FindFloat("_high", &height) == B_OK)
		SetTabHeight(height);

	// Without a registry of classes, each tab's view comes back as a plain view with the
	// archived name (the tab's label), frame and colour.
	BMessage tabArchive;
	for (int32 i = 0; archive->FindMessage("_l_items", i, &tabArchive) == B_OK; i++) {
		BTab* tab = new BTab(&tabArchive);
		BMessage viewArchive;
		BView* view = NULL;
		if (archive->FindMessage("_view_list", i, &viewArchive) == B_OK
			&& viewArchive.HasRect("_frame")) {
			view = new BView(&viewArchive);
		}
		AddTab(view, tab);
	}
	int32 selection;
	if (archive->FindInt32("_sel", &selection) == B_OK)
		Select(selection);
}


BTabView::~BTabView()
{
	for (int32 i = 0; i < CountTabs(); i++)
		delete TabAt(i);
	fTabs.MakeEmpty();
}


void
BTabView::_Init(button_width width)
{
	fTabWidth = width;
	fSelection = -1;
	fFocus = -1;
	font_height height;
	GetFontHeight(&height);
	fTabHeight = ceilf(height.ascent + height.descent + height.leading + 8);
	SetLowColor(ViewColor());
	fContainer = new BView(_ContainerFrame(), "view container", B_FOLLOW_ALL, B_WILL_DRAW);
	fContainer->SetViewColor(ViewColor());
	AddChild(fContainer);
}


BArchivable*
BTabView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTabView"))
		return NULL;
	return new BTabView(archive);
}


status_t
BTabView::Archive(BMessage* data, bool deep) const
{
	// The container is a part of the tab view, made anew by the archive's constructor.
	status_t status = BView::Archive(data, false);
	if (status == B_OK)
		status = data->AddInt16("_but_width", (int16)fTabWidth);
	if (status == B_OK)
		status = data->AddFloat("_high", fTabHeight);
	if (status == B_OK)
		status = data->AddInt32("_sel", fSelection);
	for (int32 i = 0; deep && status == B_OK && i < CountTabs(); i++) {
		BTab* tab = TabAt(i);
		BMessage tabArchive;
		BMessage viewArchive;
		status = tab->Archive(&tabArchive, deep);
		if (status == B_OK && tab->View() != NULL)
			status = tab->View()->Archive(&viewArchive, deep);
		if (status == B_OK)
			status = data->AddMessage("_l_items", &tabArchive);
		// An empty archive keeps the places of the views in step with the tabs'.
		if (status == B_OK)
			status = data->AddMessage("_view_list", &viewArchive);
	}
	return status;
}


status_t
BTabView::Perform(uint32 d, void* arg)
{
	// No perform codes are defined.
	return B_NAME_NOT_FOUND;
}


void
BTabView::AttachedToWindow()
{
	BView::AttachedToWindow();
	if (fSelection < 0 && CountTabs() > 0)
		Select(0);
}


BRect
BTabView::_ContainerFrame() const
{
	BRect frame = Bounds();
	frame.top += fTabHeight;
	frame.InsetBy(kBoxInset, kBoxInset);
	return frame;
}


void
BTabView::FrameResized(float newWidth, float newHeight)
{
	// The box's right and bottom edges move; the container follows by its resizing mode.
	Invalidate();
}


float
BTabView::_TabWidthAt(int32 index) const
{
	switch (fTabWidth) {
		case B_WIDTH_FROM_LABEL:
		{
			const char* label = TabAt(index)->Label();
			return ceilf((label != NULL ? StringWidth(label) : 0) + kLabelPadding);
		}
		case B_WIDTH_FROM_WIDEST:
		{
			float widest = 0;
			for (int32 i = 0; i < CountTabs(); i++) {
				const char* label = TabAt(i)->Label();
				widest = fmaxf(widest, label != NULL ? StringWidth(label) : 0);
			}
			return ceilf(widest + kLabelPadding);
		}
		default:
			return kUsualTabWidth;
	}
}


BRect
BTabView::TabFrame(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return BRect();
	float left = kTabOffset;
	for (int32 i = 0; i < index; i++)
		left += _TabWidthAt(i);
	return BRect(left, 0, left + _TabWidthAt(index), fTabHeight);
}


BTab*
BTabView::TabAt(int32 index) const
{
	return (BTab*)fTabs.ItemAt(index);
}


BView*
BTabView::ViewForTab(int32 index) const
{
	BTab* tab = TabAt(index);
	return tab != NULL ? tab->View() : NULL;
}


void
BTabView::AddTab(BView* target, BTab* tab)
{
	if (tab == NULL)
		tab = new BTab(target);
	else if (target != tab->View())
		tab->SetView(target);
	tab->fTabView = this;
	fTabs.AddItem(tab);
	if (CountTabs() == 1)
		Select(0);
	Invalidate();
}


BTab*
BTabView::RemoveTab(int32 index)
{
	BTab* tab = (BTab*)fTabs.RemoveItem(index);
	if (tab == NULL)
		return NULL;
	bool wasFocus = fFocus == index;
	if (wasFocus)
		tab->MakeFocus(false);
	tab->Deselect();
	tab->fTabView = NULL;

	if (fFocus > index || wasFocus)
		fFocus = wasFocus ? -1 : fFocus - 1;
	if (fSelection == index) {
		fSelection = -1;
		if (CountTabs() > 0)
			Select(index > 0 ? index - 1 : 0);
	} else if (fSelection > index)
		fSelection--;
	if (wasFocus && IsFocus())
		SetFocusTab(fSelection, true);
	Invalidate();
	return tab;
}


void
BTabView::Select(int32 index)
{
	BTab* tab = TabAt(index);
	if (tab == NULL || !tab->IsEnabled() || index == fSelection)
		return;
	if (BTab* old = TabAt(fSelection))
		old->Deselect();
	fSelection = index;
	tab->Select(fContainer);
	if (IsFocus())
		SetFocusTab(index, true);
	Invalidate();
}


void
BTabView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	SetFocusTab(fSelection, focus);
}


void
BTabView::SetFocusTab(int32 tab, bool focus)
{
	int32 count = CountTabs();
	if (count == 0)
		return;
	if (!focus) {
		if (BTab* old = TabAt(fFocus))
			old->MakeFocus(false);
		fFocus = -1;
		Invalidate();
		return;
	}
	// The arrow keys go round the row.
	tab = (tab % count + count) % count;
	if (BTab* old = TabAt(fFocus))
		old->MakeFocus(false);
	fFocus = tab;
	TabAt(tab)->MakeFocus(true);
	Invalidate();
}


void
BTabView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && CountTabs() > 0) {
		switch (bytes[0]) {
			case B_LEFT_ARROW:
				SetFocusTab((fFocus < 0 ? fSelection : fFocus) - 1, true);
				return;
			case B_RIGHT_ARROW:
				SetFocusTab((fFocus < 0 ? fSelection : fFocus) + 1, true);
				return;
			case B_SPACE:
			case B_ENTER:
				Select(fFocus < 0 ? fSelection : fFocus);
				return;
		}
	}
	BView::KeyDown(bytes, numBytes);
}


void
BTabView::MouseDown(BPoint where)
{
	for (int32 i = 0; i < CountTabs(); i++) {
		if (TabFrame(i).Contains(where)) {
			Select(i);
			return;
		}
	}
}


void
BTabView::Draw(BRect updateRect)
{
	DrawBox(DrawTabs());
}


BRect
BTabView::DrawTabs()
{
	for (int32 i = 0; i < CountTabs(); i++) {
		if (i != fSelection)
			TabAt(i)->DrawTab(this, TabFrame(i), i == 0 ? B_TAB_FIRST : B_TAB_ANY, true);
	}
	BRect selected = TabFrame(fSelection);
	if (BTab* tab = TabAt(fSelection))
		tab->DrawTab(this, selected, B_TAB_FRONT, true);
	return selected;
}


void
BTabView::DrawBox(BRect selectedTabRect)
{
	BRect box = Bounds();
	box.top = fTabHeight;
	rgb_color background = ViewColor();
	rgb_color light = tint_color(background, B_LIGHTEN_MAX_TINT);
	rgb_color shadow = tint_color(background, B_DARKEN_2_TINT);
	rgb_color dark = tint_color(background, B_DARKEN_4_TINT);

	BeginLineArray(8);
	// The top edge is open under the selected tab, which joins the box.
	if (selectedTabRect.IsValid()) {
		if (selectedTabRect.left > box.left) {
			AddLine(box.LeftTop(), BPoint(selectedTabRect.left, box.top), light);
		}
		if (selectedTabRect.right < box.right)
			AddLine(BPoint(selectedTabRect.right, box.top), box.RightTop(), light);
	} else
		AddLine(box.LeftTop(), box.RightTop(), light);
	AddLine(box.LeftTop(), box.LeftBottom(), light);
	AddLine(box.LeftBottom(), box.RightBottom(), dark);
	AddLine(box.RightTop(), box.RightBottom(), dark);
	AddLine(BPoint(box.left + 1, box.bottom - 1), BPoint(box.right - 1, box.bottom - 1),
		shadow);
	AddLine(BPoint(box.right - 1, box.top + 1), BPoint(box.right - 1, box.bottom - 1),
		shadow);
	EndLineArray();
}


void
BTabView::GetPreferredSize(float* width, float* height)
{
	float tabsWidth = CountTabs() > 0 ? TabFrame(CountTabs() - 1).right + kTabOffset : 0;
	float contentsWidth = 0;
	float contentsHeight = 0;
	if (BView* view = ViewForTab(fSelection)) {
		view->GetPreferredSize(&contentsWidth, &contentsHeight);
		contentsWidth += 2 * kBoxInset;
		contentsHeight += 2 * kBoxInset;
	}
	if (width != NULL)
		*width = fmaxf(tabsWidth, contentsWidth);
	if (height != NULL)
		*height = fTabHeight + contentsHeight;
}


void
BTabView::SetTabWidth(button_width width)
{
	fTabWidth = width;
	Invalidate();
}


void
BTabView::SetTabHeight(float height)
{
	if (!(height >= 0) || height == fTabHeight)
		return;
	fTabHeight = ceilf(fminf(height, Bounds().Height()));
	BRect frame = _ContainerFrame();
	fContainer->MoveTo(frame.LeftTop());
	fContainer->ResizeTo(frame.Width(), frame.Height());
	Invalidate();
}


void
BTabView::MessageReceived(BMessage* message)
{
	BMessage reply;
	status_t status = B_OK;
	switch (BPrivate::match_property(message, stTabViewProperties)) {
		case kSelectionProperty:
		{
			int32 index;
			if (message->what == B_GET_PROPERTY)
				status = reply.AddInt32("result", fSelection);
			else if ((status = BPrivate::find_data(message, &index)) == B_OK) {
				if (TabAt(index) == NULL)
					status = B_BAD_INDEX;
				else if (!TabAt(index)->IsEnabled())
					status = B_NOT_ALLOWED;
				else
					Select(index);
			}
			break;
		}
		default:
			BView::MessageReceived(message);
			return;
	}
	BPrivate::reply_result(message, &reply, status);
}


BHandler*
BTabView::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stTabViewProperties) != BPrivate::kNoProperty) {
		return this;
	}
	return BView::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BTabView::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-tab-view",
		stTabViewProperties);
	if (status == B_OK)
		status = BView::GetSupportedSuites(data);
	return status;
}
