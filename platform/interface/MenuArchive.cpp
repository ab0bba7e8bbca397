// BMenu's archive: its layout and modes, and its items with their submenus.
#include <Menu.h>

#include "interface/ArchiveFields.h"

#include <MenuItem.h>
#include <Message.h>

using BPrivate::kMaxArchivedCoordinate;

BMenu::BMenu(BMessage* archive)
	:
	BView(archive)
{
	int32 layout = B_ITEMS_IN_COLUMN;
	BPrivate::find_archived_int32(archive, "_layout", B_ITEMS_IN_ROW, B_ITEMS_IN_MATRIX,
		&layout);
	_InitData((menu_layout)layout);
	fResizeToFit = true;
	if (archive == NULL)
		return;
	if (fLayout == B_ITEMS_IN_MATRIX) {
		fMatrixWidth = Bounds().Width();
		fMatrixHeight = Bounds().Height();
	}
	bool flag;
	if (archive->FindBool("_rsize_to_fit", &flag) == B_OK)
		fResizeToFit = flag;
	if (archive->FindBool("_disable", &flag) == B_OK)
		fEnabled = !flag;
	if (archive->FindBool("_radio", &flag) == B_OK)
		fRadioMode = flag;
	if (archive->FindBool("_trig_disabled", &flag) == B_OK)
		fTriggersEnabled = !flag;
	if (archive->FindBool("_dyn_label", &flag) == B_OK)
		fLabelFromMarked = flag;
	BPrivate::find_archived_float(archive, "_max_width", 0, kMaxArchivedCoordinate,
		&fMaxContentWidth);

	BMessage itemArchive;
	for (int32 i = 0; archive->FindMessage("_items", i, &itemArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&itemArchive);
		BMenuItem* item = dynamic_cast<BMenuItem*>(object);
		BRect frame;
		bool added = false;
		if (item != NULL && fLayout == B_ITEMS_IN_MATRIX)
			added = BPrivate::find_archived_rect(archive, "_i_frames", i, &frame)
				&& AddItem(item, frame);
		else if (item != NULL)
			added = AddItem(item);
		if (!added)
			delete object;
	}
}


BArchivable*
BMenu::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenu"))
		return NULL;
	return new BMenu(archive);
}


status_t
BMenu::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_layout", (int32)fLayout);
	if (status == B_OK)
		status = archive->AddBool("_rsize_to_fit", fResizeToFit);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK)
		status = archive->AddBool("_radio", fRadioMode);
	if (status == B_OK && !fTriggersEnabled)
		status = archive->AddBool("_trig_disabled", true);
	if (status == B_OK)
		status = archive->AddBool("_dyn_label", fLabelFromMarked);
	if (status == B_OK && fMaxContentWidth > 0)
		status = archive->AddFloat("_max_width", fMaxContentWidth);
	for (int32 i = 0; deep && status == B_OK && i < CountItems(); i++) {
		BMessage item;
		status = ItemAt(i)->Archive(&item, deep);
		if (status == B_OK)
			status = archive->AddMessage("_items", &item);
		if (status == B_OK && fLayout == B_ITEMS_IN_MATRIX)
			status = archive->AddRect("_i_frames", ItemAt(i)->Frame());
	}
	return status;
}
