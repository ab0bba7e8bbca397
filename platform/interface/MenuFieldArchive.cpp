// BMenuField's archive: the label, divider, alignment, state and the menu. The field's own
// bar is rebuilt by the archive constructor rather than archived.
#include <MenuField.h>

#include <PopUpMenu.h>

namespace {

// The menu of a field archived before menus archived themselves: "_name", "_radio",
// "_marked" (the label follows the marked item) and the items in "_items".
BMenu*
unarchive_private_menu(const BMessage& menuArchive)
{
	const char* menuName = NULL;
	bool radioMode = true;
	bool labelFromMarked = true;
	bool flag;
	menuArchive.FindString("_name", &menuName);
	if (menuArchive.FindBool("_radio", &flag) == B_OK)
		radioMode = flag;
	if (menuArchive.FindBool("_marked", &flag) == B_OK)
		labelFromMarked = flag;
	BMenu* menu = new BPopUpMenu(menuName != NULL ? menuName : "", radioMode,
		labelFromMarked);
	BMessage itemArchive;
	for (int32 i = 0; menuArchive.FindMessage("_items", i, &itemArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&itemArchive);
		BMenuItem* item = dynamic_cast<BMenuItem*>(object);
		if (item == NULL || !menu->AddItem(item))
			delete object;
	}
	return menu;
}

} // namespace


BMenuField::BMenuField(BMessage* archive)
	:
	BView(archive)
{
	const char* label = NULL;
	bool fixedSize = false;
	BMenu* menu = NULL;
	BMessage menuArchive;
	if (archive != NULL) {
		archive->FindString("_label", &label);
		archive->FindBool("_fixed", &fixedSize);
		if (archive->FindMessage("_menu", &menuArchive) == B_OK
				&& menuArchive.HasString("class")) {
			BArchivable* object = instantiate_object(&menuArchive);
			menu = dynamic_cast<BMenu*>(object);
			if (menu == NULL)
				delete object;
		} else if (archive->FindMessage("_menu", &menuArchive) == B_OK)
			menu = unarchive_private_menu(menuArchive);
	}
	_Init(label, menu, fixedSize);
	if (archive == NULL)
		return;
	float divider;
	if (archive->FindFloat("_divide", &divider) == B_OK && divider >= 0
			&& divider <= Bounds().Width()) {
		fDivider = divider;
		_LayOutBar();
	}
	int32 align;
	if (archive->FindInt32("_align", &align) == B_OK && align >= B_ALIGN_LEFT
			&& align <= B_ALIGN_CENTER) {
		fAlignment = (alignment)align;
	}
	bool disabled = false;
	if (archive->FindBool("_disable", &disabled) == B_OK && disabled)
		SetEnabled(false);
}


BArchivable*
BMenuField::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuField"))
		return NULL;
	return new BMenuField(archive);
}


status_t
BMenuField::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK)
		status = archive->AddFloat("_divide", fDivider);
	if (status == B_OK)
		status = archive->AddInt32("_align", (int32)fAlignment);
	if (status == B_OK)
		status = archive->AddBool("_fixed", fFixedSize);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status != B_OK || fMenu == NULL)
		return status;
	BMessage menu;
	status = fMenu->Archive(&menu, deep);
	if (status == B_OK)
		status = archive->AddMessage("_menu", &menu);
	return status;
}


status_t
BMenuField::AllArchived(BMessage* into) const
{
	return BView::AllArchived(into);
}


// The bar is laid out for the archived divider once the whole field is rebuilt.
status_t
BMenuField::AllUnarchived(const BMessage* from)
{
	status_t status = BView::AllUnarchived(from);
	if (status == B_OK)
		_LayOutBar();
	return status;
}
