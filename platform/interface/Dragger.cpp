// BDragger: the hatched handle, its drag and its menu, and the user's choice whether
// handles are drawn: kept in a settings file and told to every kit application with
// _SHOW_DRAG_HANDLES_, which each application hands to its windows.
#include <Dragger.h>

#include "app/LooperList.h"
#include "interface/DraggerPrivate.h"
#include "interface/ShelfPrivate.h"

#include <AppDefs.h>
#include <Application.h>
#include <Bitmap.h>
#include <FindDirectory.h>
#include <List.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <Roster.h>
#include <Shelf.h>
#include <String.h>
#include <Window.h>

#include <math.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

const char* const BDragger::Private::kWidgetField = "__widget";

namespace {

// The gap between the hatching's lines.
const float kHatchStep = 3;
// How long telling one application that draggers were shown or hidden may take: a hung
// application misses the news rather than holding the caller.
const bigtime_t kDraggerNoticeTimeout = 100000;
// The settings file that keeps the user's choice: "shown" or "hidden".
const char* const kDraggerSettingsFile = "kit_draggers";
// The archive field that says how the dragger stands to its target.
const char* const kRelationField = "_rel";

std::mutex stDraggersLock;
std::vector<BDragger*>* stDraggers = NULL;
// -1 until read from the settings, then 0 or 1.
std::atomic<int> stDraggersDrawn{-1};


std::string
settings_path()
{
	BPath path;
	if (find_directory(B_USER_SETTINGS_DIRECTORY, &path, true) != B_OK)
		return "";
	path.Append(kDraggerSettingsFile);
	return path.Path() != NULL ? path.Path() : "";
}


bool
read_drawn()
{
	int drawn = stDraggersDrawn;
	if (drawn >= 0)
		return drawn == 1;
	drawn = 1;
	std::string path = settings_path();
	if (FILE* file = !path.empty() ? fopen(path.c_str(), "r") : NULL) {
		char word[16] = {};
		if (fgets(word, sizeof(word), file) != NULL && strncmp(word, "hidden", 6) == 0)
			drawn = 0;
		fclose(file);
	}
	int unread = -1;
	stDraggersDrawn.compare_exchange_strong(unread, drawn);
	return stDraggersDrawn == 1;
}


status_t
set_drawn(bool drawn)
{
	stDraggersDrawn = drawn ? 1 : 0;
	std::string path = settings_path();
	if (!path.empty()) {
		std::string temporary = path + ".new";
		if (FILE* file = fopen(temporary.c_str(), "w")) {
			bool written = fputs(drawn ? "shown\n" : "hidden\n", file) >= 0;
			if (fclose(file) == 0 && written)
				rename(temporary.c_str(), path.c_str());
		}
	}

	BMessage notice(_SHOW_DRAG_HANDLES_);
	notice.AddBool("show", drawn);
	// This application's windows at once; the others through their application.
	for (int32 i = 0; i < BPrivate::LooperList::CountWindows(); i++) {
		BLooper* looper = NULL;
		BPrivate::LooperList::WindowAt(i, &looper);
		if (looper != NULL)
			looper->PostMessage(&notice);
	}
	if (be_roster == NULL)
		return B_OK;
	BList teams;
	be_roster->GetAppList(&teams);
	for (int32 i = 0; i < teams.CountItems(); i++) {
		team_id team = (team_id)(intptr_t)teams.ItemAt(i);
		if (team == getpid())
			continue;
		BMessenger app(NULL, team);
		app.SendMessage(&notice, (BHandler*)NULL, kDraggerNoticeTimeout);
	}
	return B_OK;
}

} // namespace


BDragger::BDragger(BRect frame, BView* target, uint32 resizingMode, uint32 flags)
	:
	BView(frame, "_dragger_", resizingMode, flags | B_WILL_DRAW),
	fTarget(target),
	fRelation(TARGET_UNKNOWN),
	fShelf(NULL),
	fPopUp(NULL),
	fTransition(false)
{
}


BDragger::BDragger(BMessage* archive)
	:
	BView(archive),
	fTarget(NULL),
	fRelation(TARGET_UNKNOWN),
	fShelf(NULL),
	fPopUp(NULL),
	fTransition(false)
{
	int32 relation;
	if (archive != NULL && archive->FindInt32(kRelationField, &relation) == B_OK
		&& relation >= TARGET_IS_CHILD && relation <= TARGET_IS_SIBLING) {
		fRelation = (enum relation)relation;
	}
}


BDragger::~BDragger()
{
	delete fPopUp;
}


BArchivable*
BDragger::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BDragger"))
		return NULL;
	return new BDragger(archive);
}


status_t
BDragger::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status != B_OK)
		return status;
	const_cast<BDragger*>(this)->_FindTarget();
	if (fRelation != TARGET_UNKNOWN)
		status = archive->AddInt32(kRelationField, fRelation);
	return status;
}


// How the dragger stands to its target: known from the target given, or from the archive
// the dragger came from (the target then is its parent or its first child).
void
BDragger::_FindTarget()
{
	if (fTarget == NULL) {
		if (fRelation == TARGET_IS_CHILD)
			fTarget = ChildAt(0);
		else if (fRelation == TARGET_IS_PARENT || fRelation == TARGET_UNKNOWN)
			fTarget = Parent();
	}
	if (fTarget == NULL)
		return;
	if (fTarget == Parent())
		fRelation = TARGET_IS_PARENT;
	else if (fTarget->Parent() == this)
		fRelation = TARGET_IS_CHILD;
	else
		fRelation = TARGET_IS_SIBLING;
}


BView*
BDragger::Target() const
{
	const_cast<BDragger*>(this)->_FindTarget();
	return fTarget;
}


bool
BDragger::InShelf() const
{
	return fShelf != NULL;
}


bool
BDragger::IsVisibilityChanging() const
{
	return fTransition;
}


status_t
BDragger::SetPopUp(BPopUpMenu* menu)
{
	if (menu != fPopUp)
		delete fPopUp;
	fPopUp = menu;
	return B_OK;
}


BPopUpMenu*
BDragger::PopUp() const
{
	return fPopUp;
}


BBitmap*
BDragger::DragBitmap(BPoint* offset, drawing_mode* mode)
{
	return NULL;
}


void
BDragger::AttachedToWindow()
{
	_FindTarget();
	if (Parent() != NULL)
		SetViewColor(Parent()->ViewColor());
	std::lock_guard<std::mutex> locker(stDraggersLock);
	if (stDraggers == NULL)
		stDraggers = new std::vector<BDragger*>;
	stDraggers->push_back(this);
}


void
BDragger::DetachedFromWindow()
{
	std::lock_guard<std::mutex> locker(stDraggersLock);
	stDraggers->erase(std::remove(stDraggers->begin(), stDraggers->end(), this),
		stDraggers->end());
}


void
BDragger::Draw(BRect updateRect)
{
	if (AreDraggersDrawn()) {
		BRect bounds = Bounds();
		SetHighColor(tint_color(ViewColor(), B_DARKEN_4_TINT));
		StrokeRect(bounds);
		// Diagonal hatching from the bottom left to the top right, clipped to the frame.
		BRect inside = bounds.InsetByCopy(1, 1);
		PushState();
		ClipToRect(inside);
		SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
		for (float offset = 0; offset <= inside.Width() + inside.Height();
				offset += kHatchStep) {
			StrokeLine(BPoint(inside.left + offset, inside.bottom),
				BPoint(inside.left + offset - inside.Height(), inside.top));
		}
		PopState();
	}
	fTransition = false;
}


void
BDragger::MouseDown(BPoint where)
{
	if (!AreDraggersDrawn() || Window() == NULL)
		return;
	int32 buttons = B_PRIMARY_MOUSE_BUTTON;
	if (BMessage* current = Window()->CurrentMessage())
		current->FindInt32("buttons", &buttons);
	if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
		_ShowMenu(where);
		return;
	}
	// A press that moves drags; one released where it started is a click: the menu.
	BPoint start = where;
	uint32 held = (uint32)buttons;
	while (held != 0) {
		snooze(20000);
		GetMouse(&where, &held, true);
		if (fabsf(where.x - start.x) > 2 || fabsf(where.y - start.y) > 2) {
			_Drag(start);
			return;
		}
	}
	_ShowMenu(where);
}


void
BDragger::_Drag(BPoint where)
{
	BView* target = Target();
	if (target == NULL)
		return;
	if (fShelf != NULL && !fShelf->AllowsDragging())
		return;
	// The dragger around its target is the replicant itself; any other target is
	// archived, with the dragger beside it when it is the target's sibling.
	BView* replicant = fRelation == TARGET_IS_CHILD ? this : target;
	BMessage archive(B_ARCHIVED_OBJECT);
	if (replicant->Archive(&archive, true) != B_OK)
		return;
	if (fRelation == TARGET_IS_SIBLING) {
		BMessage widget;
		if (Archive(&widget, true) == B_OK)
			archive.AddMessage(Private::kWidgetField, &widget);
	}
	if (fShelf != NULL)
		BPrivate::ShelfDrag::Mark(&archive, fShelf, replicant);

	BPoint offset;
	drawing_mode mode = B_OP_COPY;
	BBitmap* image = DragBitmap(&offset, &mode);
	if (image != NULL) {
		DragMessage(&archive, image, mode, offset, this);
		return;
	}
	// The replicant's outline, in the dragger's coordinates.
	BRect frame = replicant->Bounds();
	replicant->ConvertToScreen(&frame);
	ConvertFromScreen(&frame);
	DragMessage(&archive, frame, this);
}


void
BDragger::_ShowMenu(BPoint where)
{
	BView* target = Target();
	BPopUpMenu* menu = fPopUp;
	bool own = menu == NULL;
	if (own) {
		menu = new BPopUpMenu("Dragger", false, false);
		BString about("About ");
		about << (target != NULL && target->Name() != NULL ? target->Name() : "Replicant")
			<< B_UTF8_ELLIPSIS;
		menu->AddItem(new BMenuItem(about.String(), new BMessage(B_ABOUT_REQUESTED)));
		if (fShelf != NULL) {
			menu->AddSeparatorItem();
			BMessage* remove = new BMessage(BPrivate::kRemoveReplicant);
			remove->AddPointer("view", fRelation == TARGET_IS_CHILD ? this : target);
			menu->AddItem(new BMenuItem("Remove Replicant", remove));
		}
	}
	ConvertToScreen(&where);
	BMenuItem* chosen = menu->Go(where, false, true);
	BMessage* message = chosen != NULL && chosen->Message() != NULL
		? new BMessage(*chosen->Message()) : NULL;
	if (own)
		delete menu;
	if (message == NULL)
		return;
	if (message->what == BPrivate::kRemoveReplicant) {
		// The shelf deletes the replicant, with this dragger, once this hook is over.
		if (fShelf != NULL)
			Window()->PostMessage(message, fShelf);
	} else if (target != NULL)
		Window()->PostMessage(message, target);
	delete message;
}


void
BDragger::MessageReceived(BMessage* message)
{
	if (message->what == _SHOW_DRAG_HANDLES_) {
		fTransition = true;
		Invalidate();
		return;
	}
	BView::MessageReceived(message);
}


status_t
BDragger::ShowAllDraggers()
{
	return set_drawn(true);
}


status_t
BDragger::HideAllDraggers()
{
	return set_drawn(false);
}


bool
BDragger::AreDraggersDrawn()
{
	return read_drawn();
}


void
BDragger::Private::DraggersShown(BWindow* window, bool shown)
{
	stDraggersDrawn = shown ? 1 : 0;
	std::lock_guard<std::mutex> locker(stDraggersLock);
	if (stDraggers == NULL)
		return;
	for (BDragger* dragger : *stDraggers) {
		if (dragger->Window() == window) {
			dragger->fTransition = true;
			dragger->Invalidate();
		}
	}
}
