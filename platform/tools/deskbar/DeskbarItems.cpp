#include "DeskbarItems.h"

#include <Path.h>
#include <View.h>
#include <Window.h>
#include <image.h>

#include <string.h>

#include <algorithm>

namespace BPrivate {

namespace {

// The space around and between the items of the tray.
const float kItemGap = 2;
// The tray is never smaller than an item of the platform's usual size.
const float kMinTraySize = 16;
// The function an add-on exports to make its Deskbar item.
const char* const kInstantiateItem = "instantiate_deskbar_item";

} // namespace


TrayShelf::TrayShelf(const entry_ref* ref, BView* tray, DeskbarItems* items)
	:
	BShelf(ref, tray, true, "DeskbarShelf"),
	fItems(items)
{
}


void
TrayShelf::ReplicantDeleted(int32 index, const BMessage* archive, const BView* replicant)
{
	if (fItems != NULL)
		fItems->ReplicantGone(replicant);
}


DeskbarItems::DeskbarItems(BView* tray, const entry_ref* saveRef)
	:
	fTray(tray),
	fShelf(NULL),
	fNextId(1)
{
	fShelf = new TrayShelf(saveRef, tray, this);
	fShelf->SetAllowsZombies(false);
	for (int32 i = 0; i < fShelf->CountReplicants(); i++) {
		BView* view = NULL;
		uint32 uid = 0;
		fShelf->ReplicantAt(i, &view, &uid);
		if (view != NULL)
			_Adopt(view, uid, NULL);
	}
	_Layout();
}


DeskbarItems::~DeskbarItems()
{
	for (const Item& item : fItems) {
		if (item.shelfId == 0) {
			item.view->RemoveSelf();
			delete item.view;
		}
	}
	fItems.clear();
	// The shelf saves what it holds as it goes.
	delete fShelf;
}


void
DeskbarItems::_Adopt(BView* view, uint32 shelfId, int32* id)
{
	Item item = { fNextId++, view, shelfId };
	fItems.push_back(item);
	if (id != NULL)
		*id = item.id;
}


BPoint
DeskbarItems::_NextLocation() const
{
	float x = kItemGap;
	for (const Item& item : fItems)
		x += item.view->Bounds().Width() + 1 + kItemGap;
	return BPoint(x, kItemGap);
}


void
DeskbarItems::_Layout()
{
	float x = kItemGap;
	for (const Item& item : fItems) {
		item.view->MoveTo(x, kItemGap);
		x += item.view->Bounds().Width() + 1 + kItemGap;
	}
}


BRect
DeskbarItems::TrayBounds() const
{
	float width = kItemGap;
	float height = kMinTraySize;
	for (const Item& item : fItems) {
		width += item.view->Bounds().Width() + 1 + kItemGap;
		height = std::max(height, item.view->Bounds().Height() + 1);
	}
	return BRect(0, 0, std::max(width, kMinTraySize + 2 * kItemGap) - 1,
		height + 2 * kItemGap - 1);
}


status_t
DeskbarItems::AddArchive(BMessage* archive, int32* id)
{
	status_t status = fShelf->AddReplicant(archive, _NextLocation());
	if (status != B_OK)
		return status;
	BView* view = NULL;
	uint32 uid = 0;
	fShelf->ReplicantAt(fShelf->CountReplicants() - 1, &view, &uid);
	_Adopt(view, uid, id);
	_Layout();
	fShelf->Save();
	return B_OK;
}


status_t
DeskbarItems::AddFromAddOn(const entry_ref& ref, int32* id)
{
	BPath path(&ref);
	if (path.InitCheck() != B_OK)
		return B_ENTRY_NOT_FOUND;
	image_id image = load_add_on(path.Path());
	if (image < 0)
		return image;
	BView* (*instantiate)() = NULL;
	status_t status = get_image_symbol(image, kInstantiateItem, B_SYMBOL_TYPE_TEXT,
		(void**)&instantiate);
	if (status != B_OK) {
		unload_add_on(image);
		return status;
	}
	// The add-on stays loaded: the view's code is in it.
	BView* view = instantiate();
	if (view == NULL)
		return B_ERROR;
	view->MoveTo(_NextLocation());
	fTray->AddChild(view);
	_Adopt(view, 0, id);
	_Layout();
	return B_OK;
}


status_t
DeskbarItems::Remove(int32 id)
{
	auto found = std::find_if(fItems.begin(), fItems.end(),
		[id](const Item& item) { return item.id == id; });
	if (found == fItems.end())
		return B_NAME_NOT_FOUND;
	if (found->shelfId != 0) {
		// The shelf's hook takes the item out of the list.
		status_t status = fShelf->DeleteReplicant(fShelf->IndexOf(found->shelfId));
		fShelf->Save();
		return status;
	}
	BView* view = found->view;
	fItems.erase(found);
	view->RemoveSelf();
	delete view;
	_Layout();
	return B_OK;
}


void
DeskbarItems::ReplicantGone(const BView* view)
{
	fItems.erase(std::remove_if(fItems.begin(), fItems.end(),
		[view](const Item& item) { return item.view == view; }), fItems.end());
	_Layout();
	if (fTray->Window() != NULL)
		fTray->Window()->PostMessage(kTrayChanged);
}


status_t
DeskbarItems::Find(int32 id, const char** name) const
{
	for (const Item& item : fItems) {
		if (item.id == id) {
			*name = item.view->Name() != NULL ? item.view->Name() : "";
			return B_OK;
		}
	}
	return B_NAME_NOT_FOUND;
}


status_t
DeskbarItems::Find(const char* name, int32* id) const
{
	for (const Item& item : fItems) {
		if (item.view->Name() != NULL && strcmp(item.view->Name(), name) == 0) {
			*id = item.id;
			return B_OK;
		}
	}
	return B_NAME_NOT_FOUND;
}

} // namespace BPrivate
