// BMenuField's archive: the label, divider, alignment, state and the menu's items. The
// field's own bar is rebuilt by the archive constructor rather than archived.
#include <MenuField.h>

#include <PopUpMenu.h>

BMenuField::BMenuField(BMessage* archive)
	:
	BView(archive)
{
	const char* label = NULL;
	const char* menuName = NULL;
	bool fixedSize = false;
	BMenu* menu = NULL;
	BMessage menuArchive;
	if (archive != NULL) {
		archive->FindString("_label", &label);
		archive->FindBool("_fixed", &fixedSize);
		if (archive->FindMessage("_menu", &menuArchive) == B_OK) {
			bool radioMode = true;
			bool labelFromMarked = true;
			menuArchive.FindString("_name", &menuName);
			menuArchive.FindBool("_radio", &radioMode);
			menuArchive.FindBool("_marked", &labelFromMarked);
			menu = new BPopUpMenu(menuName != NULL ? menuName : "", radioMode,
				labelFromMarked);
			BMessage itemArchive;
			for (int32 i = 0; menuArchive.FindMessage("_items", i, &itemArchive) == B_OK;
					i++) {
				BArchivable* object = instantiate_object(&itemArchive);
				if (BMenuItem* item = dynamic_cast<BMenuItem*>(object))
					menu->AddItem(item);
				else
					delete object;
			}
		}
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
	status = menu.AddString("_name", fMenu->Name() != NULL ? fMenu->Name() : "");
	if (status == B_OK)
		status = menu.AddBool("_radio", fMenu->IsRadioMode());
	if (status == B_OK)
		status = menu.AddBool("_marked", fMenu->IsLabelFromMarked());
	for (int32 i = 0; deep && status == B_OK && i < fMenu->CountItems(); i++) {
		BMessage item;
		status = fMenu->ItemAt(i)->Archive(&item, deep);
		if (status == B_OK)
			status = menu.AddMessage("_items", &item);
	}
	if (status == B_OK)
		status = archive->AddMessage("_menu", &menu);
	return status;
}


status_t
BMenuField::AllArchived(BMessage* into) const
{
	return BView::AllArchived(into);
}


// The archived children other than the bar (which the archive constructor made, and
// which keeps its name) come back, and the bar is laid out for the archived divider.
status_t
BMenuField::AllUnarchived(const BMessage* from)
{
	status_t status = BView::AllUnarchived(from);
	if (status == B_OK)
		_LayOutBar();
	return status;
}
