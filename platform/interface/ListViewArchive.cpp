// The archives of BListView and BOutlineListView: the list's type and messages, and the
// items, archived one message each (an outline's whole list, hidden subitems too).
#include <ListView.h>
#include <OutlineListView.h>

#include "interface/ArchiveFields.h"
#include "interface/ListRows.h"

#include <ListItem.h>
#include <Message.h>

#include <vector>

namespace {

// Instantiates the items archived in field and adds them through the list's AddItem(),
// then selects the shown ones that were selected (only the first in a single-selection
// list). What is not an item, or is refused, is deleted.
void
add_archived_items(BListView* list, const BMessage* archive, const char* field)
{
	std::vector<BListItem*> selected;
	BMessage itemArchive;
	for (int32 i = 0; archive->FindMessage(field, i, &itemArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&itemArchive);
		BListItem* item = dynamic_cast<BListItem*>(object);
		if (item == NULL) {
			delete object;
			continue;
		}
		bool wasSelected = item->IsSelected();
		if (!list->AddItem(item)) {
			delete item;
			continue;
		}
		if (wasSelected)
			selected.push_back(item);
	}
	for (BListItem* item : selected) {
		int32 index = list->IndexOf(item);
		if (index >= 0 && (list->ListType() == B_MULTIPLE_SELECTION_LIST
				|| list->CurrentSelection() < 0)) {
			list->Select(index, true);
		}
	}
}


status_t
archive_item(BMessage* archive, const char* field, const BListItem* item)
{
	BMessage itemArchive;
	status_t status = item->Archive(&itemArchive, true);
	if (status == B_OK)
		status = archive->AddMessage(field, &itemArchive);
	return status;
}

} // namespace


BListView::BListView(BMessage* archive)
	:
	BView(archive),
	BInvoker(BPrivate::find_archived_message(archive, "_msg"), NULL),
	fRows(new BPrivate::ListRows),
	fListType(B_SINGLE_SELECTION_LIST),
	fSelectMessage(BPrivate::find_archived_message(archive, "_2nd_msg")),
	fSelectedCount(0),
	fAnchor(NULL),
	fDragIndex(-1),
	fDragWasSelected(false)
{
	int32 type = B_SINGLE_SELECTION_LIST;
	BPrivate::find_archived_int32(archive, "_lv_type", B_SINGLE_SELECTION_LIST,
		B_MULTIPLE_SELECTION_LIST, &type);
	fListType = (list_view_type)type;
	if (archive != NULL)
		add_archived_items(this, archive, "_l_items");
}


BArchivable*
BListView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BListView"))
		return NULL;
	return new BListView(archive);
}


status_t
BListView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_lv_type", (int32)fListType);
	if (status == B_OK && Message() != NULL)
		status = archive->AddMessage("_msg", Message());
	if (status == B_OK && fSelectMessage != NULL)
		status = archive->AddMessage("_2nd_msg", fSelectMessage);
	for (int32 i = 0; deep && status == B_OK && i < CountItems(); i++)
		status = archive_item(archive, "_l_items", ItemAt(i));
	return status;
}


BOutlineListView::BOutlineListView(BMessage* archive)
	:
	BListView(archive),
	fTailMoves(0)
{
	if (archive != NULL)
		add_archived_items(this, archive, "_l_full_items");
}


BArchivable*
BOutlineListView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BOutlineListView"))
		return NULL;
	return new BOutlineListView(archive);
}


status_t
BOutlineListView::Archive(BMessage* archive, bool deep) const
{
	// The shown rows that the list archives are a part of the outline: the whole list
	// replaces them.
	status_t status = BListView::Archive(archive, deep);
	if (status == B_OK && archive->HasMessage("_l_items"))
		status = archive->RemoveName("_l_items");
	for (int32 i = 0; deep && status == B_OK && i < FullListCountItems(); i++)
		status = archive_item(archive, "_l_full_items", FullListItemAt(i));
	return status;
}
