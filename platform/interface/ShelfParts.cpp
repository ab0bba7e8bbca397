// The parts of a shelf beside BShelf itself: the drop filter, the replicant's scripting
// handler, the zombie's stand-in and the marks of a drag out of a shelf.
#include "interface/ShelfPrivate.h"

#include "app/ScriptingReplies.h"
#include "interface/DraggerPrivate.h"

#include <AppDefs.h>
#include <Dragger.h>
#include <PropertyInfo.h>
#include <Shelf.h>

#include <unistd.h>

namespace BPrivate {

// #pragma mark - ShelfFilter


ShelfFilter::ShelfFilter(BShelf* shelf, bool container)
	:
	BMessageFilter(B_DROPPED_DELIVERY, B_ANY_SOURCE),
	fShelf(shelf),
	fContainer(container)
{
}


filter_result
ShelfFilter::Filter(BMessage* message, BHandler** target)
{
	if (!message->WasDropped() || !message->HasString("class"))
		return B_DISPATCH_MESSAGE;
	// Over a replicant, only a replicant of this shelf moving is the shelf's: anything else
	// dropped there is the replicant's own business.
	BView* moved = NULL;
	if (!fContainer && !ShelfDrag::IsMoveIn(message, fShelf, &moved))
		return B_DISPATCH_MESSAGE;
	fShelf->_Dropped(message);
	return B_SKIP_MESSAGE;
}


// #pragma mark - ReplicantHandler


namespace {

enum {
	kIdProperty = 1,
	kNameProperty,
	kSignatureProperty,
	kViewProperty
};

const property_info stReplicantProperties[] = {
	{ "ID", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "The replicant's unique id.",
		kIdProperty, { B_INT32_TYPE } },
	{ "Name", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "The name of the replicant's view.",
		kNameProperty, { B_STRING_TYPE } },
	{ "Signature", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The signature of the add-on or application the replicant's code comes from.",
		kSignatureProperty, { B_STRING_TYPE } },
	{ "View", {}, { B_DIRECT_SPECIFIER }, "Directs the scripting message to the replicant's view.",
		kViewProperty },
	{ NULL }
};

} // namespace


ReplicantHandler::ReplicantHandler(BShelf* shelf, uint32 id)
	:
	BHandler("_replicant_"),
	fShelf(shelf),
	fId(id)
{
}


BHandler*
ReplicantHandler::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	switch (match_property(message, index, specifier, form, property, stReplicantProperties)) {
		case kIdProperty:
		case kNameProperty:
		case kSignatureProperty:
			return this;
		case kViewProperty:
		{
			BView* view = NULL;
			fShelf->ReplicantAt(fShelf->IndexOf(fId), &view);
			if (view == NULL) {
				reply_error(message, B_NAME_NOT_FOUND, "The replicant is a zombie");
				return NULL;
			}
			message->PopSpecifier();
			return view;
		}
	}
	return BHandler::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
ReplicantHandler::GetSupportedSuites(BMessage* data)
{
	status_t status = add_suite(data, "suite/vnd.Be-replicant", stReplicantProperties);
	if (status == B_OK)
		status = BHandler::GetSupportedSuites(data);
	return status;
}


void
ReplicantHandler::MessageReceived(BMessage* message)
{
	uint32 tag = match_property(message, stReplicantProperties);
	BView* view = NULL;
	BMessage* archive = fShelf->ReplicantAt(fShelf->IndexOf(fId), &view);
	if (tag == kNoProperty || archive == NULL) {
		BHandler::MessageReceived(message);
		return;
	}
	BMessage reply(B_REPLY);
	status_t status = B_OK;
	switch (tag) {
		case kIdProperty:
			status = reply.AddInt32("result", (int32)fId);
			break;
		case kNameProperty:
		{
			const char* name = view != NULL ? view->Name() : NULL;
			if (name == NULL)
				archive->FindString("_name", &name);
			status = name != NULL ? reply.AddString("result", name) : B_NAME_NOT_FOUND;
			break;
		}
		case kSignatureProperty:
		{
			const char* signature = NULL;
			status = archive->FindString("add_on", &signature);
			if (status == B_OK)
				status = reply.AddString("result", signature);
			break;
		}
	}
	reply_result(message, &reply, status);
}


// #pragma mark - ZombieView


ZombieView::ZombieView(BRect frame, const char* className)
	:
	BView(frame, className, B_FOLLOW_NONE, B_WILL_DRAW),
	fClassName(className)
{
	SetViewColor(make_color(219, 219, 219));
	BRect handle = Bounds();
	handle.left = handle.right - 7;
	handle.top = handle.bottom - 7;
	AddChild(new BDragger(handle, this, B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM));
}


// A grey tile with a dashed edge and a cross: the code of the replicant is missing.
void
ZombieView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	SetHighColor(make_color(128, 128, 128));
	StrokeRect(bounds, B_MIXED_COLORS);
	BRect inside = bounds.InsetByCopy(4, 4);
	if (inside.IsValid()) {
		SetHighColor(make_color(176, 64, 64));
		StrokeLine(inside.LeftTop(), inside.RightBottom());
		StrokeLine(inside.LeftBottom(), inside.RightTop());
	}
}


// #pragma mark - ShelfDrag


namespace {

const char* const kDragShelfField = "_shelf_drag";
const char* const kDragViewField = "_shelf_view";
const char* const kDragTeamField = "_shelf_team";

} // namespace


void
ShelfDrag::Mark(BMessage* archive, BShelf* shelf, BView* replicant)
{
	archive->AddPointer(kDragShelfField, shelf);
	archive->AddPointer(kDragViewField, replicant);
	archive->AddInt32(kDragTeamField, (int32)getpid());
}


// The pointers are only compared, and only when the archive comes from this process:
// another process's pointers mean nothing here.
bool
ShelfDrag::IsMoveIn(const BMessage* archive, const BShelf* shelf, BView** replicant)
{
	void* source = NULL;
	void* view = NULL;
	int32 team = -1;
	if (archive->FindInt32(kDragTeamField, &team) != B_OK || team != (int32)getpid()
		|| archive->FindPointer(kDragShelfField, &source) != B_OK || source != shelf
		|| archive->FindPointer(kDragViewField, &view) != B_OK
		|| shelf->IndexOf((const BView*)view) < 0) {
		return false;
	}
	*replicant = (BView*)view;
	return true;
}


void
ShelfDrag::Unmark(BMessage* archive)
{
	archive->RemoveName(kDragShelfField);
	archive->RemoveName(kDragViewField);
	archive->RemoveName(kDragTeamField);
}

} // namespace BPrivate
