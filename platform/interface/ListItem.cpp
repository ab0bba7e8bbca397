#include <ListItem.h>

#include <Font.h>
#include <View.h>

#include <math.h>


BListItem::BListItem(uint32 outlineLevel, bool expanded)
	:
	fWidth(0),
	fHeight(0),
	fLevel(outlineLevel),
	fSelected(false),
	fEnabled(true),
	fExpanded(expanded),
	fListIndex(-1)
{
}


BListItem::~BListItem()
{
}


float
BListItem::Height() const
{
	return fHeight;
}


float
BListItem::Width() const
{
	return fWidth;
}


void
BListItem::SetHeight(float height)
{
	fHeight = height;
}


void
BListItem::SetWidth(float width)
{
	fWidth = width;
}


bool
BListItem::IsSelected() const
{
	return fSelected;
}


void
BListItem::Select()
{
	fSelected = true;
}


void
BListItem::Deselect()
{
	fSelected = false;
}


void
BListItem::SetEnabled(bool enabled)
{
	fEnabled = enabled;
}


bool
BListItem::IsEnabled() const
{
	return fEnabled;
}


bool
BListItem::IsExpanded() const
{
	return fExpanded;
}


void
BListItem::SetExpanded(bool expanded)
{
	fExpanded = expanded;
}


uint32
BListItem::OutlineLevel() const
{
	return fLevel;
}


void
BListItem::SetOutlineLevel(uint32 level)
{
	fLevel = level;
}


void
BListItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	SetHeight(ceilf(height.ascent + height.descent + height.leading));
	SetWidth(owner->Bounds().Width());
}
