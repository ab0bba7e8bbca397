// BMenuField: the label drawn by the field, and a one-item menu bar of its own, from the
// divider to the right edge, drawn as a raised box with the item's label and a pop-up
// marker. The bar opens the menu below the box as any menu bar opens its menus.
#include <MenuField.h>

#include "interface/MenuPrivate.h"

#include <Window.h>

#include <math.h>
#include <string.h>

namespace {

const float kMarkerWidth = 14;
const float kBoxInset = 1;


class FieldMenuBar : public BMenuBar {
public:
	FieldMenuBar(BRect frame, bool fixedSize)
		:
		BMenuBar(frame, "_mc_mb_", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_ITEMS_IN_ROW,
			!fixedSize),
		fShowMarker(true)
	{
		SetBorder(B_BORDER_CONTENTS);
		// The field lays its bar out itself: it does not span the field.
		BMenuBar::Private(this).SetLaidOutByOwner();
	}

	void AttachedToWindow() override
	{
		BMenuBar::AttachedToWindow();
		// A field's bar never answers the window's shortcuts.
		if (Window()->KeyMenuBar() == this)
			Window()->SetKeyMenuBar(NULL);
		SetViewColor(Parent()->ViewColor());
	}

	void Draw(BRect updateRect) override
	{
		BRect box = Bounds().InsetByCopy(kBoxInset, kBoxInset);
		BMenuItem* item = ItemAt(0);
		bool enabled = IsEnabled();
		bool open = item != NULL && CurrentSelection() == item;
		rgb_color face = open ? tint_color(ui_color(B_MENU_BACKGROUND_COLOR),
			B_DARKEN_2_TINT) : ui_color(B_MENU_BACKGROUND_COLOR);
		SetHighColor(face);
		FillRect(box);
		rgb_color light = tint_color(face, B_LIGHTEN_MAX_TINT);
		rgb_color dark = tint_color(face, B_DARKEN_3_TINT);
		BeginLineArray(4);
		AddLine(box.LeftTop(), box.RightTop(), light);
		AddLine(box.LeftTop(), box.LeftBottom(), light);
		AddLine(box.LeftBottom(), box.RightBottom(), dark);
		AddLine(box.RightTop(), box.RightBottom(), dark);
		EndLineArray();

		font_height height;
		GetFontHeight(&height);
		float baseline = floorf(box.top + (box.Height() + 1
			- (height.ascent + height.descent)) / 2 + height.ascent);
		rgb_color text = ui_color(B_MENU_ITEM_TEXT_COLOR);
		SetHighColor(enabled ? text : tint_color(face, B_DISABLED_LABEL_TINT));
		SetLowColor(face);
		if (item != NULL)
			DrawString(item->Label(), BPoint(box.left + 5, baseline));
		if (!fShowMarker)
			return;
		// A small triangle pointing down, right of the label.
		float middle = floorf(box.top + box.Height() / 2);
		float right = box.right - 4;
		FillTriangle(BPoint(right - 8, middle - 2), BPoint(right, middle - 2),
			BPoint(right - 4, middle + 2));
	}

	void MouseDown(BPoint where) override
	{
		// The whole box opens the menu, not only the item's label.
		BMenuItem* item = ItemAt(0);
		if (item == NULL || !IsEnabled())
			return;
		BMenuBar::MouseDown(item->Frame().LeftTop());
		Invalidate();
	}

	void GetPreferredSize(float* width, float* height) override
	{
		BMenuBar::GetPreferredSize(width, height);
		if (width != NULL)
			*width += kMarkerWidth + 2 * kBoxInset + 4;
	}

	bool fShowMarker;
};

} // namespace


BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW)
{
	_Init(label, menu, false);
	_FitHeight();
}


BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
	bool fixedSize, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW)
{
	_Init(label, menu, fixedSize);
	_FitHeight();
}


void
BMenuField::_Init(const char* label, BMenu* menu, bool fixedSize)
{
	fLabel = label != NULL ? label : "";
	fMenu = menu;
	fAlignment = B_ALIGN_LEFT;
	fEnabled = true;
	fFixedSize = fixedSize;
	fShowMarker = true;
	// Without a label the box takes the whole field.
	fDivider = label != NULL && label[0] != '\0'
		? floorf(Bounds().Width() / 2) : 0;
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	SetLowColor(ViewColor());

	fMenuBar = new FieldMenuBar(BRect(fDivider, 0, Bounds().right, Bounds().bottom),
		fixedSize);
	if (menu != NULL) {
		fMenuBar->AddItem(menu);
		// A menu that does not take its label from a marked item shows its name.
		if (BMenuItem* marked = menu->FindMarked()) {
			if (menu->IsLabelFromMarked())
				MenuItem()->SetLabel(marked->Label());
		}
	}
	AddChild(fMenuBar);
}


void
BMenuField::_FitHeight()
{
	float height;
	BMenuField::GetPreferredSize(NULL, &height);
	ResizeTo(Bounds().Width(), height);
	_LayOutBar();
}


BMenuField::~BMenuField()
{
}


BMenuItem*
BMenuField::MenuItem() const
{
	return fMenuBar->ItemAt(0);
}


void
BMenuField::SetLabel(const char* label)
{
	fLabel = label != NULL ? label : "";
	Invalidate();
}


const char*
BMenuField::Label() const
{
	return fLabel.c_str();
}


void
BMenuField::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	fMenuBar->SetEnabled(enabled);
	fMenuBar->Invalidate();
	Invalidate();
}


void
BMenuField::SetAlignment(alignment label)
{
	fAlignment = label;
	Invalidate();
}


void
BMenuField::SetDivider(float divider)
{
	fDivider = floorf(divider);
	_LayOutBar();
	Invalidate();
}


void
BMenuField::ShowPopUpMarker()
{
	static_cast<FieldMenuBar*>(fMenuBar)->fShowMarker = true;
	fMenuBar->Invalidate();
}


void
BMenuField::HidePopUpMarker()
{
	static_cast<FieldMenuBar*>(fMenuBar)->fShowMarker = false;
	fMenuBar->Invalidate();
}


// The bar spans from the divider to the right edge, or, when the field is not of fixed
// size, as far as its title needs.
void
BMenuField::_LayOutBar()
{
	BRect bounds = Bounds();
	float width = bounds.right - fDivider;
	if (!fFixedSize) {
		float preferred;
		fMenuBar->GetPreferredSize(&preferred, NULL);
		width = fminf(width, preferred);
	}
	fMenuBar->MoveTo(fDivider, 0);
	fMenuBar->ResizeTo(width, bounds.Height());
}


void
BMenuField::AttachedToWindow()
{
	if (Parent() != NULL) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(ViewColor());
	}
	_LayOutBar();
}


void
BMenuField::FrameResized(float newWidth, float newHeight)
{
	_LayOutBar();
}


void
BMenuField::Draw(BRect updateRect)
{
	if (fLabel.empty() || fDivider <= 0)
		return;
	font_height height;
	GetFontHeight(&height);
	BRect bounds = Bounds();
	float baseline = floorf(bounds.top + (bounds.Height() + 1
		- (height.ascent + height.descent)) / 2 + height.ascent);
	float width = StringWidth(fLabel.c_str());
	float x = 0;
	if (fAlignment == B_ALIGN_RIGHT)
		x = fDivider - width - 4;
	else if (fAlignment == B_ALIGN_CENTER)
		x = floorf((fDivider - width) / 2);
	rgb_color text = ui_color(B_PANEL_TEXT_COLOR);
	SetHighColor(fEnabled ? text : tint_color(ViewColor(), B_DISABLED_LABEL_TINT));
	DrawString(fLabel.c_str(), BPoint(x, baseline));
	if (IsFocus() && Window() != NULL && Window()->IsActive()) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeLine(BPoint(x, baseline + 2), BPoint(x + width, baseline + 2));
	}
}


void
BMenuField::MouseDown(BPoint where)
{
	// A click on the label opens the menu as a click on the box does.
	if (!fEnabled || MenuItem() == NULL)
		return;
	fMenuBar->MouseDown(MenuItem()->Frame().LeftTop());
}


void
BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_DOWN_ARROW)) {
		if (fEnabled && MenuItem() != NULL)
			fMenuBar->MouseDown(MenuItem()->Frame().LeftTop());
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BMenuField::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	Invalidate();
}


void
BMenuField::GetPreferredSize(float* width, float* height)
{
	float barWidth;
	float barHeight;
	fMenuBar->GetPreferredSize(&barWidth, &barHeight);
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float labelWidth = fLabel.empty() ? 0 : ceilf(StringWidth(fLabel.c_str())) + 8;
	if (width != NULL)
		*width = fmaxf(fDivider, labelWidth) + barWidth;
	if (height != NULL)
		*height = fmaxf(barHeight, ceilf(fontHeight.ascent + fontHeight.descent) + 6);
}
