// Instantiates views from arbitrary archives, as a shelf does with a replicant another
// process dragged in. The first byte chooses the class the archive is taken as; the rest
// is a flattened message, its children, items and submenus instantiated with it. Whatever
// comes back must have a sane frame and pen, archive again, and draw into a bitmap.
#include <Bitmap.h>
#include <ListItem.h>
#include <ListView.h>
#include <Message.h>
#include <OutlineListView.h>
#include <View.h>

#include <math.h>
#include <stdint.h>
#include <stdlib.h>

#include <vector>

#include "FuzzArchive.h"
#include "FuzzCheck.h"

namespace {

const char* const kClasses[] = {
	"BView", "BBox", "BStringView", "BControl", "BButton", "BCheckBox", "BRadioButton",
	"BTextControl", "BPictureButton", "BTextView", "BListView", "BOutlineListView",
	"BScrollBar", "BScrollView", "BMenu", "BMenuBar", "BPopUpMenu", "BMenuField",
	"BColorControl", "BChannelSlider", "BTabView", "BStringItem", "BMenuItem",
	"BSeparatorItem"
};

const float kMaxCoordinate = 1.0e6f;


bool
Sane(float value)
{
	return isfinite(value) && fabsf(value) <= kMaxCoordinate;
}


// Lists do not own their items.
void
DeleteItems(BView* view)
{
	for (int32 i = 0; BView* child = view->ChildAt(i); i++)
		DeleteItems(child);
	BListView* list = dynamic_cast<BListView*>(view);
	if (list == NULL)
		return;
	std::vector<BListItem*> items;
	if (BOutlineListView* outline = dynamic_cast<BOutlineListView*>(list)) {
		for (int32 i = 0; i < outline->FullListCountItems(); i++)
			items.push_back(outline->FullListItemAt(i));
	} else {
		for (int32 i = 0; i < list->CountItems(); i++)
			items.push_back(list->ItemAt(i));
	}
	list->MakeEmpty();
	for (BListItem* item : items)
		delete item;
}

} // namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage archive;
	if (!fuzzed_archive(data, size, kClasses, &archive))
		return 0;

	BArchivable* object = instantiate_object(&archive);
	if (object == NULL)
		return 0;
	BMessage again;
	Check(object->Archive(&again, true) == B_OK);
	BView* view = dynamic_cast<BView*>(object);
	if (view == NULL) {
		delete object;
		return 0;
	}
	BRect frame = view->Frame();
	Check(Sane(frame.left) && Sane(frame.top) && Sane(frame.right) && Sane(frame.bottom));
	Check(frame.IsValid());
	Check(view->PenSize() >= 0 && Sane(view->PenSize()));

	static BBitmap* stCanvas = new BBitmap(BRect(0, 0, 63, 63), B_RGB32, true);
	if (stCanvas->Lock()) {
		stCanvas->AddChild(view);
		view->Draw(view->Bounds() & BRect(0, 0, 63, 63));
		view->Sync();
		stCanvas->RemoveChild(view);
		stCanvas->Unlock();
	}
	DeleteItems(view);
	delete view;
	return 0;
}
