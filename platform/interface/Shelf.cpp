// BShelf: replicants instantiated from archives into a container view, kept as zombies when
// their code cannot be found, saved to and read from a save location, and scripted
// through "suite/vnd.Be-shelf" (docs/replicants.md).
#include <Shelf.h>

#include "interface/DraggerPrivate.h"
#include "interface/ShelfPrivate.h"
#include "interface/ViewPrivate.h"
#include "app/ScriptingReplies.h"

#include <AppDefs.h>
#include <DataIO.h>
#include <Dragger.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <PropertyInfo.h>
#include <Window.h>

#include <errno.h>
#include <math.h>
#include <string.h>

namespace BPrivate {

const char* const kShelfReplicantField = "replicant";
const char* const kShelfLocationField = "_shelf_location";

} // namespace BPrivate

using BPrivate::Replicant;

namespace {

enum {
	kReplicantCountProperty = 1,
	kReplicantProperty,
	kReplicantTargetProperty
};

const property_info stShelfProperties[] = {
	{ "Replicant", { B_COUNT_PROPERTIES, B_CREATE_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Counts the replicants, or adds the archive \"data\" as one (\"result\": its id).",
		kReplicantCountProperty, { B_INT32_TYPE } },
	{ "Replicant", { B_DELETE_PROPERTY, B_GET_PROPERTY },
		{ B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER, B_ID_SPECIFIER },
		"Gets the archive of a replicant, or deletes it.", kReplicantProperty,
		{ B_MESSAGE_TYPE } },
	{ "Replicant", {},
		{ B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER, B_ID_SPECIFIER },
		"Directs the scripting message to the replicant.", kReplicantTargetProperty },
	{ NULL }
};


// A point from outside (a drop, an archive) brought within reach of the container.
BPoint
sane_location(BPoint location)
{
	auto clamp = [](float value) {
		if (!isfinite(value))
			return 0.0f;
		return fmaxf(-BPrivate::kMaxReplicantOffset,
			fminf(value, BPrivate::kMaxReplicantOffset));
	};
	return BPoint(clamp(location.x), clamp(location.y));
}


// The dragger of a replicant view: the view itself, or a child whose target is the view.
BDragger*
dragger_of(BView* view)
{
	if (BDragger* dragger = dynamic_cast<BDragger*>(view))
		return dragger;
	for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
		BDragger* dragger = dynamic_cast<BDragger*>(child);
		if (dragger != NULL && BDragger::Private(dragger).FindTarget() == view)
			return dragger;
	}
	return NULL;
}

} // namespace


// #pragma mark - Construction


BShelf::BShelf(BView* view, bool allowDrags, const char* shelfType)
	:
	BHandler(shelfType)
{
	_Init(view, allowDrags);
}


BShelf::BShelf(const entry_ref* ref, BView* view, bool allowDrags, const char* shelfType)
	:
	BHandler(shelfType)
{
	_Init(view, allowDrags);
	SetSaveLocation(ref);
	if (fEntry != NULL) {
		BFile file(fEntry, B_READ_ONLY);
		if (file.InitCheck() == B_OK)
			_Load(&file);
	}
}


BShelf::BShelf(BDataIO* stream, BView* view, bool allowDrags, const char* shelfType)
	:
	BHandler(shelfType)
{
	_Init(view, allowDrags);
	fStream = stream;
	if (stream != NULL)
		_Load(stream);
}


BShelf::BShelf(BMessage* archive)
	:
	BHandler(archive)
{
	_Init(NULL, true);
	if (archive != NULL) {
		bool value;
		if (archive->FindBool("_zom_dsp", &value) == B_OK)
			fDisplayZombies = value;
		if (archive->FindBool("_zom_alw", &value) == B_OK)
			fAllowZombies = value;
		if (archive->FindBool("_allow_drag", &value) == B_OK)
			fAllowDragging = value;
		if (archive->FindBool("_type_enf", &value) == B_OK)
			fTypeEnforced = value;
	}
}


void
BShelf::_Init(BView* view, bool allowDrags)
{
	fContainerView = view;
	fFilter = NULL;
	fStream = NULL;
	fEntry = NULL;
	fGenCount = 0;
	fOwnsStream = false;
	fAllowDragging = allowDrags;
	fDirty = false;
	fDisplayZombies = false;
	fAllowZombies = true;
	fTypeEnforced = false;
	if (view == NULL)
		return;
	fFilter = new BPrivate::ShelfFilter(this, true);
	view->AddFilter(fFilter);
	BView::Private(view).SetShelf(this);
	_ContainerAttached();
}


BShelf::~BShelf()
{
	if (fDirty && (fStream != NULL || fEntry != NULL))
		Save();
	// The replicants go without the hook: a subclass is already gone.
	while (Replicant* replicant = (Replicant*)fReplicants.RemoveItem((int32)0)) {
		if (replicant->handler != NULL) {
			if (replicant->handler->Looper() != NULL)
				replicant->handler->Looper()->RemoveHandler(replicant->handler);
			delete replicant->handler;
		}
		for (BView* view : { (BView*)replicant->siblingDragger, replicant->view }) {
			if (view != NULL) {
				view->RemoveSelf();
				delete view;
			}
		}
		delete replicant->archive;
		delete replicant;
	}
	if (fContainerView != NULL) {
		fContainerView->RemoveFilter(fFilter);
		delete fFilter;
		BView::Private(fContainerView).SetShelf(NULL);
	}
	if (Looper() != NULL)
		Looper()->RemoveHandler(this);
	if (fOwnsStream)
		delete fStream;
	delete fEntry;
}


BArchivable*
BShelf::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BShelf"))
		return NULL;
	return new BShelf(archive);
}


status_t
BShelf::Archive(BMessage* archive, bool deep) const
{
	status_t status = BHandler::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddBool("_zom_dsp", fDisplayZombies);
	if (status == B_OK)
		status = archive->AddBool("_zom_alw", fAllowZombies);
	if (status == B_OK)
		status = archive->AddBool("_allow_drag", fAllowDragging);
	if (status == B_OK)
		status = archive->AddBool("_type_enf", fTypeEnforced);
	return status;
}


// #pragma mark - The container


void
BShelf::_ContainerAttached()
{
	BWindow* window = fContainerView != NULL ? fContainerView->Window() : NULL;
	if (window == NULL)
		return;
	if (Looper() == NULL)
		window->AddHandler(this);
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		if (replicant->handler->Looper() == NULL)
			window->AddHandler(replicant->handler);
	}
}


void
BShelf::_ContainerDetached()
{
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		if (replicant->handler->Looper() != NULL)
			replicant->handler->Looper()->RemoveHandler(replicant->handler);
	}
	if (Looper() != NULL)
		Looper()->RemoveHandler(this);
}


// The container is being deleted, with the replicants' views (its children) and the
// filter (its own).
void
BShelf::_ContainerGone()
{
	_ContainerDetached();
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		replicant->view = NULL;
		replicant->siblingDragger = NULL;
	}
	fContainerView = NULL;
	fFilter = NULL;
}


// #pragma mark - Replicants


Replicant*
BShelf::_ReplicantAt(int32 index) const
{
	return (Replicant*)fReplicants.ItemAt(index);
}


status_t
BShelf::AddReplicant(BMessage* archive, BPoint location)
{
	return _AddReplicant(archive, &location, 0);
}


status_t
BShelf::_AddReplicant(BMessage* archive, BPoint* location, uint32 id)
{
	if (archive == NULL)
		return B_BAD_VALUE;
	if (fContainerView == NULL)
		return B_NO_INIT;
	if (!CanAcceptReplicantMessage(archive))
		return B_ERROR;
	if (fTypeEnforced) {
		const char* type = NULL;
		if (archive->FindString("shelf_type", &type) != B_OK || Name() == NULL
			|| strcmp(type, Name()) != 0) {
			return B_ERROR;
		}
	}
	BPrivate::ShelfDrag::Unmark(archive);

	errno = B_OK;
	BArchivable* object = instantiate_object(archive);
	status_t error = object != NULL ? B_OK : (errno != B_OK ? (status_t)errno : B_ERROR);
	BView* view = dynamic_cast<BView*>(object);
	if (object != NULL && view == NULL) {
		delete object;
		error = B_BAD_TYPE;
	}

	Replicant* replicant = new Replicant;
	replicant->error = error;
	if (view == NULL) {
		if (!fAllowZombies) {
			delete replicant;
			return error;
		}
		if (fDisplayZombies) {
			BRect frame(0, 0, 31, 31);
			BRect archived;
			if (archive->FindRect("_frame", &archived) == B_OK && archived.IsValid()
				&& archived.Width() < BPrivate::kMaxReplicantOffset
				&& archived.Height() < BPrivate::kMaxReplicantOffset) {
				frame = archived;
			}
			const char* className = "Replicant";
			archive->FindString("class", &className);
			view = new BPrivate::ZombieView(frame, className);
		}
	}

	BDragger* sibling = NULL;
	if (view != NULL) {
		BMessage widget;
		if (archive->FindMessage(BDragger::Private::kWidgetField, &widget) == B_OK) {
			BArchivable* widgetObject = instantiate_object(&widget);
			sibling = dynamic_cast<BDragger*>(widgetObject);
			if (sibling == NULL)
				delete widgetObject;
		}
		BRect frame = view->Frame();
		if (!replicant->IsZombie() && !CanAcceptReplicantView(frame, view, archive)) {
			delete sibling;
			delete view;
			delete replicant;
			return B_ERROR;
		}
		BPoint where = sane_location(*location + AdjustReplicantBy(frame, archive));
		BPoint delta = where - frame.LeftTop();
		view->MoveTo(where);
		fContainerView->AddChild(view);
		if (sibling != NULL) {
			sibling->MoveBy(delta.x, delta.y);
			BDragger::Private(sibling).SetTarget(view);
			fContainerView->AddChild(sibling);
		}
		*location = where;
	}

	replicant->archive = archive;
	replicant->view = view;
	replicant->siblingDragger = sibling;
	replicant->id = id != 0 ? id : ++fGenCount;
	if (id > fGenCount)
		fGenCount = id;
	replicant->handler = new BPrivate::ReplicantHandler(this, replicant->id);
	if (view != NULL) {
		BDragger* dragger = sibling != NULL ? sibling : dragger_of(view);
		if (dragger != NULL)
			BDragger::Private(dragger).SetShelf(this);
		view->AddFilter(new BPrivate::ShelfFilter(this, false));
	}
	fReplicants.AddItem(replicant);
	if (Looper() != NULL)
		Looper()->AddHandler(replicant->handler);
	SetDirty(true);
	return B_OK;
}


status_t
BShelf::DeleteReplicant(BView* replicant)
{
	int32 index = IndexOf(replicant);
	return index >= 0 ? _DeleteReplicant(index) : B_BAD_VALUE;
}


status_t
BShelf::DeleteReplicant(BMessage* archive)
{
	int32 index = IndexOf(archive);
	return index >= 0 ? _DeleteReplicant(index) : B_BAD_VALUE;
}


status_t
BShelf::DeleteReplicant(int32 index)
{
	return _ReplicantAt(index) != NULL ? _DeleteReplicant(index) : B_BAD_INDEX;
}


status_t
BShelf::_DeleteReplicant(int32 index)
{
	Replicant* replicant = (Replicant*)fReplicants.RemoveItem(index);
	if (replicant->handler->Looper() != NULL)
		replicant->handler->Looper()->RemoveHandler(replicant->handler);
	for (BView* view : { (BView*)replicant->siblingDragger, replicant->view }) {
		if (view != NULL)
			view->RemoveSelf();
	}
	ReplicantDeleted(index, replicant->archive, replicant->view);
	delete replicant->siblingDragger;
	delete replicant->view;
	delete replicant->handler;
	delete replicant->archive;
	delete replicant;
	SetDirty(true);
	return B_OK;
}


int32
BShelf::CountReplicants() const
{
	return fReplicants.CountItems();
}


BMessage*
BShelf::ReplicantAt(int32 index, BView** view, uint32* uid, status_t* perr) const
{
	Replicant* replicant = _ReplicantAt(index);
	if (view != NULL)
		*view = replicant != NULL && !replicant->IsZombie() ? replicant->view : NULL;
	if (uid != NULL)
		*uid = replicant != NULL ? replicant->id : 0;
	if (perr != NULL)
		*perr = replicant != NULL ? replicant->error : B_BAD_INDEX;
	return replicant != NULL ? replicant->archive : NULL;
}


int32
BShelf::IndexOf(const BView* replicantView) const
{
	if (replicantView == NULL)
		return -1;
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		if (replicant->view == replicantView || replicant->siblingDragger == replicantView)
			return i;
		// The dragger inside the replicant stands for it too.
		if (replicant->view != NULL && replicantView->Parent() == replicant->view
			&& dynamic_cast<const BDragger*>(replicantView) != NULL) {
			return i;
		}
	}
	return -1;
}


int32
BShelf::IndexOf(const BMessage* archive) const
{
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		if (archive != NULL && replicant->archive == archive)
			return i;
	}
	return -1;
}


int32
BShelf::IndexOf(uint32 id) const
{
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		if (replicant->id == id)
			return i;
	}
	return -1;
}


void
BShelf::_Move(Replicant* replicant, BPoint location)
{
	if (replicant->view == NULL)
		return;
	BPoint where = sane_location(location);
	BPoint delta = where - replicant->view->Frame().LeftTop();
	replicant->view->MoveBy(delta.x, delta.y);
	if (replicant->siblingDragger != NULL)
		replicant->siblingDragger->MoveBy(delta.x, delta.y);
	SetDirty(true);
}


// A message dropped on the container or on one of its replicants, which the filter found
// to be an archive.
void
BShelf::_Dropped(BMessage* message)
{
	BPoint offset;
	BPoint where = message->DropPoint(&offset) - offset;
	fContainerView->ConvertFromScreen(&where);
	BView* moved = NULL;
	if (BPrivate::ShelfDrag::IsMoveIn(message, this, &moved)) {
		int32 index = IndexOf(moved);
		if (index >= 0)
			_Move(_ReplicantAt(index), where);
		return;
	}
	if (!fAllowDragging)
		return;
	BMessage* archive = new BMessage(*message);
	if (AddReplicant(archive, where) != B_OK)
		delete archive;
}


// #pragma mark - Hooks


bool
BShelf::CanAcceptReplicantMessage(BMessage* archive) const
{
	return true;
}


bool
BShelf::CanAcceptReplicantView(BRect frame, BView* view, BMessage* archive) const
{
	return true;
}


BPoint
BShelf::AdjustReplicantBy(BRect frame, BMessage* archive) const
{
	return B_ORIGIN;
}


void
BShelf::ReplicantDeleted(int32 index, const BMessage* archive, const BView* replicant)
{
}


// #pragma mark - Settings


bool BShelf::AllowsDragging() const { return fAllowDragging; }
void BShelf::SetAllowsDragging(bool state) { fAllowDragging = state; }
bool BShelf::AllowsZombies() const { return fAllowZombies; }
void BShelf::SetAllowsZombies(bool state) { fAllowZombies = state; }
bool BShelf::DisplaysZombies() const { return fDisplayZombies; }
bool BShelf::IsTypeEnforced() const { return fTypeEnforced; }
void BShelf::SetTypeEnforced(bool state) { fTypeEnforced = state; }
bool BShelf::IsDirty() const { return fDirty; }
void BShelf::SetDirty(bool state) { fDirty = state; }


// Zombies already kept show up, or go from view, at once.
void
BShelf::SetDisplaysZombies(bool state)
{
	if (state == fDisplayZombies)
		return;
	fDisplayZombies = state;
	if (fContainerView == NULL)
		return;
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		if (!replicant->IsZombie())
			continue;
		if (!state && replicant->view != NULL) {
			replicant->view->RemoveSelf();
			delete replicant->view;
			replicant->view = NULL;
		} else if (state && replicant->view == NULL) {
			BRect frame(0, 0, 31, 31);
			BRect archived;
			if (replicant->archive->FindRect("_frame", &archived) == B_OK
				&& archived.IsValid()
				&& archived.Width() < BPrivate::kMaxReplicantOffset
				&& archived.Height() < BPrivate::kMaxReplicantOffset) {
				frame = archived;
			}
			BPoint where;
			if (replicant->archive->FindPoint(BPrivate::kShelfLocationField, &where)
					== B_OK) {
				frame.OffsetTo(where);
			}
			frame.OffsetTo(sane_location(frame.LeftTop()));
			const char* className = "Replicant";
			replicant->archive->FindString("class", &className);
			replicant->view = new BPrivate::ZombieView(frame, className);
			fContainerView->AddChild(replicant->view);
			replicant->view->AddFilter(new BPrivate::ShelfFilter(this, false));
		}
	}
}


// #pragma mark - Saving


status_t
BShelf::SetSaveLocation(BDataIO* stream)
{
	if (fOwnsStream)
		delete fStream;
	delete fEntry;
	fEntry = NULL;
	fStream = stream;
	fOwnsStream = false;
	SetDirty(true);
	return B_OK;
}


status_t
BShelf::SetSaveLocation(const entry_ref* ref)
{
	if (fOwnsStream)
		delete fStream;
	fStream = NULL;
	fOwnsStream = false;
	delete fEntry;
	fEntry = NULL;
	if (ref == NULL)
		return B_OK;
	fEntry = new BEntry(ref);
	SetDirty(true);
	return fEntry->InitCheck();
}


BDataIO*
BShelf::SaveLocation(entry_ref* ref) const
{
	if (ref != NULL) {
		if (fEntry != NULL)
			fEntry->GetRef(ref);
		else
			*ref = entry_ref();
	}
	return fEntry != NULL ? NULL : fStream;
}


status_t
BShelf::_Archive(BMessage* into) const
{
	into->MakeEmpty();
	into->what = BPrivate::kShelfArchive;
	for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
		// A live replicant is archived as it is now; a zombie as it came.
		BMessage archive(B_ARCHIVED_OBJECT);
		if (replicant->IsZombie() || replicant->view == NULL
			|| replicant->view->Archive(&archive, true) != B_OK) {
			archive = *replicant->archive;
		}
		archive.RemoveName(BPrivate::kShelfLocationField);
		BPoint location;
		if (replicant->view != NULL)
			location = replicant->view->Frame().LeftTop();
		else
			replicant->archive->FindPoint(BPrivate::kShelfLocationField, &location);
		archive.AddPoint(BPrivate::kShelfLocationField, location);
		status_t status = into->AddMessage(BPrivate::kShelfReplicantField, &archive);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}


status_t
BShelf::Save()
{
	BMessage archive;
	status_t status = _Archive(&archive);
	if (status != B_OK)
		return status;
	if (fEntry != NULL) {
		BFile file(fEntry, B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		status = file.InitCheck();
		if (status == B_OK)
			status = archive.Flatten(&file);
	} else if (fStream != NULL)
		status = archive.Flatten(fStream);
	else
		return B_ERROR;
	if (status == B_OK)
		SetDirty(false);
	return status;
}


// Reads what a shelf saved. A save location that holds no shelf leaves the shelf empty;
// each replicant is taken as AddReplicant would take it.
status_t
BShelf::_Load(BDataIO* stream)
{
	BMessage archive;
	status_t status = archive.Unflatten(stream);
	if (status != B_OK)
		return status;
	if (archive.what != BPrivate::kShelfArchive)
		return B_BAD_DATA;
	for (int32 i = 0; i < BPrivate::kMaxSavedReplicants; i++) {
		BMessage* replicant = new BMessage;
		if (archive.FindMessage(BPrivate::kShelfReplicantField, i, replicant) != B_OK) {
			delete replicant;
			break;
		}
		BPoint location;
		if (replicant->FindPoint(BPrivate::kShelfLocationField, &location) != B_OK) {
			BRect frame;
			if (replicant->FindRect("_frame", &frame) == B_OK)
				location = frame.LeftTop();
		}
		if (_AddReplicant(replicant, &location, 0) != B_OK)
			delete replicant;
	}
	SetDirty(false);
	return B_OK;
}


// #pragma mark - Scripting


int32
BShelf::_IndexForSpecifier(BMessage* specifier, int32 form) const
{
	int32 count = CountReplicants();
	switch (form) {
		case B_INDEX_SPECIFIER:
		case B_REVERSE_INDEX_SPECIFIER:
		{
			int32 index;
			if (specifier->FindInt32("index", &index) != B_OK)
				return -1;
			if (form == B_REVERSE_INDEX_SPECIFIER)
				index = count - 1 - index;
			return index >= 0 && index < count ? index : -1;
		}
		case B_ID_SPECIFIER:
		{
			int32 id;
			if (specifier->FindInt32("id", &id) != B_OK)
				return -1;
			return IndexOf((uint32)id);
		}
		case B_NAME_SPECIFIER:
		{
			const char* name;
			if (specifier->FindString("name", &name) != B_OK)
				return -1;
			for (int32 i = 0; Replicant* replicant = _ReplicantAt(i); i++) {
				if (replicant->view != NULL && !replicant->IsZombie()
					&& replicant->view->Name() != NULL
					&& strcmp(replicant->view->Name(), name) == 0) {
					return i;
				}
			}
			return -1;
		}
	}
	return -1;
}


BHandler*
BShelf::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property)
{
	uint32 tag = BPrivate::match_property(message, index, specifier, form, property,
		stShelfProperties);
	// A replicant named with more specifiers below it is their target.
	if (tag == kReplicantProperty && index > 0)
		tag = kReplicantTargetProperty;
	switch (tag) {
		case kReplicantCountProperty:
		case kReplicantProperty:
			return this;
		case kReplicantTargetProperty:
		{
			int32 replicant = _IndexForSpecifier(specifier, form);
			if (replicant < 0) {
				BPrivate::reply_error(message, B_BAD_INDEX, "No such replicant");
				return NULL;
			}
			message->PopSpecifier();
			return _ReplicantAt(replicant)->handler;
		}
	}
	return BHandler::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BShelf::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-shelf", stShelfProperties);
	if (status == B_OK)
		status = BHandler::GetSupportedSuites(data);
	return status;
}


void
BShelf::MessageReceived(BMessage* message)
{
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	if (message->what == BPrivate::kRemoveReplicant) {
		BView* view = NULL;
		if (message->FindPointer("view", (void**)&view) == B_OK)
			DeleteReplicant(view);
		return;
	}
	uint32 tag = BPrivate::match_property(message, stShelfProperties);
	if (tag == BPrivate::kNoProperty
		|| message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK) {
		BHandler::MessageReceived(message);
		return;
	}
	BMessage reply(B_REPLY);
	status_t status = B_OK;
	if (tag == kReplicantCountProperty && message->what == B_COUNT_PROPERTIES)
		status = reply.AddInt32("result", CountReplicants());
	else if (tag == kReplicantCountProperty) {
		BMessage* archive = new BMessage;
		BPoint location;
		if (message->FindMessage("data", archive) != B_OK)
			status = B_BAD_VALUE;
		else {
			message->FindPoint("location", &location);
			status = AddReplicant(archive, location);
		}
		if (status == B_OK)
			reply.AddInt32("result", (int32)_ReplicantAt(CountReplicants() - 1)->id);
		else
			delete archive;
	} else {
		int32 replicant = _IndexForSpecifier(&specifier, form);
		if (replicant < 0)
			status = B_BAD_INDEX;
		else if (message->what == B_GET_PROPERTY)
			status = reply.AddMessage("result", _ReplicantAt(replicant)->archive);
		else
			status = DeleteReplicant(replicant);
	}
	BPrivate::reply_result(message, &reply, status);
}
