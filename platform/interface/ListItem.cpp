#include <ListItem.h>

#include "interface/ArchiveFields.h"

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


namespace {

// The deepest outline level an archive may give an item.
const int32 kMaxArchivedOutlineLevel = 255;

} // namespace


BListItem::BListItem(BMessage* archive)
	:
	BArchivable(archive),
	fWidth(0),
	fHeight(0),
	fLevel(0),
	fSelected(false),
	fEnabled(true),
	fExpanded(true),
	fListIndex(-1)
{
	if (archive == NULL)
		return;
	bool flag;
	if (archive->FindBool("_sel", &flag) == B_OK)
		fSelected = flag;
	if (archive->FindBool("_disable", &flag) == B_OK)
		fEnabled = !flag;
	if (archive->FindBool("_li_expanded", &flag) == B_OK)
		fExpanded = flag;
	int32 level = 0;
	if (BPrivate::find_archived_int32(archive, "_li_outline_level", 0,
			kMaxArchivedOutlineLevel, &level)) {
		fLevel = (uint32)level;
	}
}


BListItem::~BListItem()
{
}


status_t
BListItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK && fSelected)
		status = archive->AddBool("_sel", true);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK && !fExpanded)
		status = archive->AddBool("_li_expanded", false);
	if (status == B_OK && fLevel != 0)
		status = archive->AddInt32("_li_outline_level", (int32)fLevel);
	return status;
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
