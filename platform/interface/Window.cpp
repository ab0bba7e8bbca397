// BWindow: a looper that owns a view tree, draws it into its own surface on its own thread
// and shows the result on the display. Input from the display arrives as messages posted
// to the window; the window hands them to the views.
#include <Window.h>

#include <List.h>
#include <MessageFilter.h>

#include "app/HandlerPrivate.h"
#include "app/LockCheck.h"
#include "app/LooperList.h"
#include "app/RosterPrivate.h"
#include "display/Display.h"
#include "interface/BitmapSurface.h"
#include "interface/DragSession.h"
#include "interface/DropTarget.h"
#include "interface/MenuLayer.h"
#include "interface/MenuPrivate.h"
#include "interface/Painter.h"
#include "interface/PulseTimer.h"
#include "interface/ScreenOverlay.h"
#include "interface/ViewBitmap.h"
#include "interface/WidgetScripting.h"
#include "app/MessageFiltering.h"
#include "interface/DraggerPrivate.h"
#include "interface/WindowPrivate.h"

#include <AppDefs.h>
#include <Application.h>
#include <Bitmap.h>
#include <Button.h>
#include <MenuBar.h>
#include <Message.h>
#include <OS.h>
#include <PropertyInfo.h>
#include <View.h>

#include <cairo.h>

#include <algorithm>
#include <ctype.h>
#include <functional>
#include <string.h>

using BPrivate::DisplayEvent;

namespace {

// The filters of the view a drop lands on: the looper ran the filters of the window, the
// message's target, before the view under the drop point was known. False when one of
// them skips the message.
bool
run_drop_filters(BMessage* message, BHandler** target)
{
	BList* filters = (*target)->FilterList();
	for (int32 i = 0; filters != NULL && i < filters->CountItems(); i++) {
		BMessageFilter::Private filter((BMessageFilter*)filters->ItemAt(i));
		if (filter.Matches(message) && filter.Run(message, target) == B_SKIP_MESSAGE)
			return false;
		if (*target == NULL)
			return false;
	}
	return true;
}


// The tags of the rows below (their extra_data).
enum {
	kActiveProperty = 1,
	kFeelProperty,
	kFlagsProperty,
	kFrameProperty,
	kHiddenProperty,
	kLookProperty,
	kTitleProperty,
	kWorkspacesProperty,
	kMinimizeProperty,
	kMenuBarProperty,
	kViewProperty
};

property_info stWindowProperties[] = {
	{ "Active", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether the window is the active one.", kActiveProperty, { B_BOOL_TYPE } },
	{ "Feel", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The window's feel.", kFeelProperty, { B_INT32_TYPE } },
	{ "Flags", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The window's flags.", kFlagsProperty, { B_INT32_TYPE } },
	{ "Frame", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The window's frame rectangle, in screen coordinates.", kFrameProperty,
		{ B_RECT_TYPE } },
	{ "Hidden", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether the window is hidden.", kHiddenProperty, { B_BOOL_TYPE } },
	{ "Look", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The window's look.", kLookProperty, { B_INT32_TYPE } },
	{ "Title", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The window's title.", kTitleProperty, { B_STRING_TYPE } },
	{ "Workspaces", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The workspaces the window is in.", kWorkspacesProperty, { B_INT32_TYPE } },
	{ "Minimize", { B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Minimizes the window (true) or restores it (false).", kMinimizeProperty,
		{ B_BOOL_TYPE } },
	{ "MenuBar", {}, { B_DIRECT_SPECIFIER },
		"Directs the scripting message to the key menu bar.", kMenuBarProperty },
	{ "View", {}, {},
		"Directs the scripting message to the top view without popping the current "
		"specifier.", kViewProperty },
	{ NULL }
};

// The modifiers that distinguish shortcuts.
const uint32 kShortcutModifiers = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY
	| B_OPTION_KEY;

// The pointer positions GetMouse() may hand out that the window has not dispatched yet.
const size_t kMouseHistorySize = 64;


window_look
LookFor(window_type type)
{
	switch (type) {
		case B_DOCUMENT_WINDOW:
			return B_DOCUMENT_WINDOW_LOOK;
		case B_MODAL_WINDOW:
			return B_MODAL_WINDOW_LOOK;
		case B_BORDERED_WINDOW:
			return B_BORDERED_WINDOW_LOOK;
		case B_FLOATING_WINDOW:
			return B_FLOATING_WINDOW_LOOK;
		default:
			return B_TITLED_WINDOW_LOOK;
	}
}


window_feel
FeelFor(window_type type)
{
	switch (type) {
		case B_MODAL_WINDOW:
			return B_MODAL_APP_WINDOW_FEEL;
		case B_FLOATING_WINDOW:
			return B_FLOATING_APP_WINDOW_FEEL;
		default:
			return B_NORMAL_WINDOW_FEEL;
	}
}


cairo_surface_t*
CreateSurface(BRect bounds)
{
	int width = bounds.Width() >= 0 ? (int)bounds.Width() + 1 : 1;
	int height = bounds.Height() >= 0 ? (int)bounds.Height() + 1 : 1;
	return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
}

} // namespace


struct BWindow::Popup {
	BView*			root;
	BPrivate::DisplayWindow* display;
	BPrivate::Painter* painter;
};


BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags,
	uint32 workspace)
	:
	BLooper(title),
	fBitmapSurface(NULL)
{
	_Init(frame, title, LookFor(type), FeelFor(type), flags, workspace);
}


BWindow::BWindow(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspace)
	:
	BLooper(title),
	fBitmapSurface(NULL)
{
	_Init(frame, title, look, feel, flags, workspace);
}


BWindow::BWindow(BBitmap* bitmap)
	:
	BLooper("BBitmap"),
	fBitmapSurface(new BPrivate::BitmapSurface(bitmap))
{
	_Init(bitmap->Bounds(), "BBitmap", B_NO_BORDER_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, 0,
		B_CURRENT_WORKSPACE);
	// The thread that made it may not keep it: the bitmap's users lock it.
	Unlock();
}


BWindow*
BWindow::Private::CreateForBitmap(BBitmap* bitmap)
{
	return new BWindow(bitmap);
}


void
BWindow::_Init(BRect frame, const char* title, window_look look, window_feel feel,
	uint32 flags, uint32 workspaces)
{
	fTitle = title != NULL ? title : "";
	fFrame = frame;
	fLook = look;
	fFeel = feel;
	fFlags = flags;
	// B_CURRENT_WORKSPACE is the workspace shown now.
	fWorkspaces = workspaces != B_CURRENT_WORKSPACE ? workspaces
		: (uint32)1 << (current_workspace() & 31);
	fShowLevel = 1;
	fMinimized = false;
	fActive = false;
	fMinWidth = 0;
	fMaxWidth = BPrivate::kMaxWindowLimit;
	fMinHeight = 0;
	fMaxHeight = BPrivate::kMaxWindowLimit;
	fZoomMaxWidth = BPrivate::kMaxWindowLimit;
	fZoomMaxHeight = BPrivate::kMaxWindowLimit;
	fAlignMode = B_PIXEL_ALIGNMENT;
	const int32 kNoAlignment[8] = { 1, 0, 1, 0, 1, 0, 1, 0 };
	memcpy(fAlignment, kNoAlignment, sizeof(fAlignment));
	fUpdatePosted = false;
	fUpdatesDisabled = 0;
	fInTransaction = false;
	fInUpdate = false;
	fFocus = NULL;
	fLastMouseView = NULL;
	fMouseTarget = NULL;
	fPointerReadUntil = 0;
	fKeyMenuBar = NULL;
	fDefaultButton = NULL;
	fMouseButtons = 0;
	fMouseMaskView = NULL;
	fMouseMaskOptions = 0;
	fStalePointer = false;
	fDeactivationHeld = false;
	fPointerGrabbed = false;
	fDrag = NULL;
	fDragOverlay = NULL;
	fTrackingOverlay = NULL;
	fTrackingStyle = B_TRACK_WHOLE_RECT;
	fPulse = NULL;
	fPulseRate = BPrivate::kDefaultWindowPulseRate;

	cairo_surface_t* surface = fBitmapSurface != NULL
		? cairo_surface_reference(fBitmapSurface->Target()) : CreateSurface(Bounds());
	fPainter = new BPrivate::Painter(surface);
	cairo_surface_destroy(surface);

	fTopView = new BView(Bounds(), NULL, B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	fTopView->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	fTopView->_Attach(this);

	fDisplayWindow = NULL;
	if (fBitmapSurface != NULL)
		return;
	// A borderless window floating over all others that avoids the focus is an overlay:
	// it takes no input and its pixels of B_TRANSPARENT_COLOR are not shown (display.md).
	BPrivate::DisplayEventHandler handler
		= [this](const DisplayEvent& event) { _HandleDisplayEvent(event); };
	if (fLook == B_NO_BORDER_WINDOW_LOOK && fFeel == B_FLOATING_ALL_WINDOW_FEEL
		&& (fFlags & B_AVOID_FOCUS) != 0) {
		fDisplayWindow = BPrivate::Display::Default()->CreateOverlay(frame, fTitle.c_str(),
			handler, (uint32)B_TRANSPARENT_COLOR.red << 16
				| (uint32)B_TRANSPARENT_COLOR.green << 8 | B_TRANSPARENT_COLOR.blue);
	} else {
		fDisplayWindow = BPrivate::Display::Default()->CreateWindow(frame, fTitle.c_str(),
			handler);
		// Drags of any kit application find the window through the display.
		fDisplayWindow->SetDropTarget(BPrivate::encode_drop_target(BMessenger(this)));
	}
	BPrivate::LooperList::SetWindow(this, this);
}


BWindow::~BWindow()
{
	BPrivate::LooperList::SetWindow(this, NULL);
	delete fPulse;
	fPulse = NULL;
	// Open menus go before the views that own them.
	while (!fPopups.empty())
		_RemovePopup(fPopups.back()->root);
	_EndRectTracking();
	BPrivate::ScreenOverlay* overlay = NULL;
	{
		std::lock_guard<std::mutex> locker(fMouseLock);
		std::swap(overlay, fDragOverlay);
	}
	delete overlay;
	delete fDrag;
	delete fDisplayWindow;
	fDisplayWindow = NULL;

	fTopView->_Detach();
	fTopView->_CallAllDetached();
	fTopView->_ReleaseOwner();
	delete fTopView;
	delete fPainter;
	delete fBitmapSurface;
	for (Shortcut& shortcut : fShortcuts)
		delete shortcut.message;
}


void
BWindow::Quit()
{
	// A running window is to be quit with its lock held; a thread that did not take it
	// gets it taken for it, as the window's thread may be drawing into what goes here.
	// A window that cannot be locked is already on its way out.
	if (Thread() >= 0 && !IsLocked() && !Lock())
		return;
	// The window leaves the application's list and the screen at once, even when its
	// thread takes a while to end.
	BPrivate::LooperList::SetWindow(this, NULL);
	delete fPulse;
	fPulse = NULL;
	BPrivate::ScreenOverlay* overlay = NULL;
	for (Popup* popup : fPopups) {
		delete popup->display;
		popup->display = NULL;
	}
	_EndRectTracking();
	{
		std::lock_guard<std::mutex> locker(fMouseLock);
		std::swap(overlay, fDragOverlay);
	}
	delete overlay;
	delete fDisplayWindow;
	fDisplayWindow = NULL;
	BLooper::Quit();
}


// #pragma mark - Views


void
BWindow::AddChild(BView* child, BView* before)
{
	BPrivate::check_lock(this);
	fTopView->AddChild(child, before);
}


bool
BWindow::RemoveChild(BView* child)
{
	BPrivate::check_lock(this);
	return fTopView->RemoveChild(child);
}


int32
BWindow::CountChildren() const
{
	return fTopView->CountChildren();
}


BView*
BWindow::ChildAt(int32 index) const
{
	return fTopView->ChildAt(index);
}


BView*
BWindow::FindView(const char* name) const
{
	return fTopView->FindView(name);
}


BView*
BWindow::FindView(BPoint point) const
{
	// Open menus lie above the window's views.
	for (auto it = fPopups.rbegin(); it != fPopups.rend(); ++it) {
		BView* root = (*it)->root;
		if (root->fHideLevel == 0 && root->Frame().Contains(point))
			return _FindViewIn(root, point);
	}
	// A point off the window and off its menus while menus are open is a press
	// elsewhere on the screen, which the display hands to the menus (it grabs the
	// pointer for them): it belongs to the menu layer, which closes them.
	if (!Bounds().Contains(point) && !fPopups.empty()) {
		if (BView* layer = BPrivate::MenuLayer::Find(const_cast<BWindow*>(this)))
			return layer;
	}
	return _FindViewIn(fTopView, point);
}


// The deepest shown view under the point, from view down; later children lie above
// earlier ones.
BView*
BWindow::_FindViewIn(BView* view, BPoint point) const
{
	for (;;) {
		BView* found = NULL;
		for (int32 i = view->CountChildren() - 1; i >= 0; i--) {
			BView* child = view->ChildAt(i);
			if (child->fHideLevel == 0 && child->_VisibleInWindow().Contains(point)) {
				found = child;
				break;
			}
		}
		if (found == NULL)
			return view;
		view = found;
	}
}


void
BWindow::_SetFocus(BView* view)
{
	if (view == fFocus)
		return;
	BView* old = fFocus;
	fFocus = view;
	if (old != NULL)
		old->MakeFocus(false);
}


// Moves the focus to the next shown B_NAVIGABLE view in the tree's order; false when there
// is none.
bool
BWindow::_NavigateFocus(bool backward)
{
	std::vector<BView*> navigable;
	std::function<void(BView*)> collect = [&](BView* view) {
		for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
			if (child->fHideLevel > 0)
				continue;
			if ((child->Flags() & B_NAVIGABLE) != 0)
				navigable.push_back(child);
			collect(child);
		}
	};
	collect(fTopView);
	if (navigable.empty())
		return false;

	int32 count = (int32)navigable.size();
	int32 current = -1;
	for (int32 i = 0; i < count; i++) {
		if (navigable[i] == fFocus)
			current = i;
	}
	int32 next;
	if (current < 0)
		next = backward ? count - 1 : 0;
	else
		next = (current + (backward ? count - 1 : 1)) % count;
	navigable[next]->MakeFocus(true);
	return true;
}


void
BWindow::_ViewDetached(BView* view)
{
	if (fFocus == view)
		fFocus = NULL;
	if (fLastMouseView == view) {
		fLastMouseView = NULL;
		_ShowViewCursor(NULL);
	}
	if (fMouseTarget == view)
		fMouseTarget = NULL;
	if (fMouseMaskView == view) {
		fMouseMaskView = NULL;
		fMouseMaskOptions = 0;
		_ReleasePointer();
	}
}


// #pragma mark - Messages


// Runs on the display's thread: turns the event into a message for the window's thread.
void
BWindow::_HandleDisplayEvent(const DisplayEvent& event)
{
	BMessage message;
	bigtime_t now = system_time();
	switch (event.type) {
		case BPrivate::kDisplayMouseDown:
		case BPrivate::kDisplayMouseUp:
		case BPrivate::kDisplayMouseMoved:
		{
			{
				std::lock_guard<std::mutex> locker(fMouseLock);
				fMouseWhere = event.where;
				fMouseButtons = event.buttons;
				// A position's time names it in the history: events of one microsecond
				// get times of their own.
				if (!fMouseHistory.empty() && now <= fMouseHistory.back().when)
					now = fMouseHistory.back().when + 1;
				if (fMouseHistory.size() >= kMouseHistorySize)
					fMouseHistory.erase(fMouseHistory.begin());
				fMouseHistory.push_back(MousePosition{ event.where, event.buttons, now });
				_MoveOverlaysLocked(event.where);
			}
			message.what = event.type == BPrivate::kDisplayMouseDown ? B_MOUSE_DOWN
				: event.type == BPrivate::kDisplayMouseUp ? B_MOUSE_UP : B_MOUSE_MOVED;
			message.AddPoint("where", event.where);
			message.AddInt32("buttons", (int32)event.buttons);
			message.AddInt32("modifiers", (int32)event.modifiers);
			if (event.type == BPrivate::kDisplayMouseDown)
				message.AddInt32("clicks", event.clicks);
			break;
		}
		case BPrivate::kDisplayMouseWheel:
			message.what = B_MOUSE_WHEEL_CHANGED;
			message.AddFloat("be:wheel_delta_x", 0.0f);
			message.AddFloat("be:wheel_delta_y", event.wheelDelta);
			break;
		case BPrivate::kDisplayKeyDown:
		case BPrivate::kDisplayKeyUp:
		{
			message.what = event.type == BPrivate::kDisplayKeyDown ? B_KEY_DOWN : B_KEY_UP;
			message.AddInt32("modifiers", (int32)event.modifiers);
			message.AddInt32("key", event.key);
			message.AddInt32("raw_char", event.rawChar);
			message.AddString("bytes", event.bytes);
			for (size_t i = 0; i < sizeof(event.bytes) && event.bytes[i] != '\0'; i++)
				message.AddInt8("byte", (int8)event.bytes[i]);
			break;
		}
		case BPrivate::kDisplayResized:
			message.what = B_WINDOW_RESIZED;
			message.AddFloat("width", event.frame.Width());
			message.AddFloat("height", event.frame.Height());
			break;
		case BPrivate::kDisplayMoved:
			message.what = B_WINDOW_MOVED;
			message.AddPoint("where", event.frame.LeftTop());
			break;
		case BPrivate::kDisplayExposed:
			message.what = _UPDATE_;
			message.AddRect("_expose", event.frame);
			break;
		case BPrivate::kDisplayCloseRequested:
			message.what = B_QUIT_REQUESTED;
			message.AddBool("_close", true);
			break;
		case BPrivate::kDisplayActivated:
			message.what = B_WINDOW_ACTIVATED;
			message.AddBool("active", event.active);
			break;
		case BPrivate::kDisplayScreenChanged:
			message.what = B_SCREEN_CHANGED;
			message.AddRect("frame", event.frame);
			message.AddInt32("mode", (int32)B_RGB32);
			break;
		case BPrivate::kDisplayWorkspaceActivated:
			message.what = B_WORKSPACE_ACTIVATED;
			message.AddInt32("workspace", event.workspace);
			message.AddBool("active", event.active);
			break;
	}
	message.AddInt64("when", now);
	// A full queue drops the event rather than stall the display.
	PostMessage(&message);
}


void
BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	switch (message->what) {
		case B_MOUSE_DOWN:
		case B_MOUSE_UP:
		case B_MOUSE_MOVED:
			_DispatchPointer(message);
			break;
		case B_MOUSE_WHEEL_CHANGED:
		{
			BPoint where;
			{
				std::lock_guard<std::mutex> locker(fMouseLock);
				where = fMouseWhere;
			}
			FindView(where)->MessageReceived(message);
			break;
		}
		case B_KEY_DOWN:
		case B_KEY_UP:
			_HandleKey(message);
			break;
		case B_WINDOW_RESIZED:
			_HandleResized(message);
			break;
		case B_WINDOW_MOVED:
		{
			BPoint where;
			if (message->FindPoint("where", &where) == B_OK) {
				fFrame.OffsetTo(where);
				FrameMoved(where);
			}
			break;
		}
		case B_WINDOW_ACTIVATED:
		{
			bool active = false;
			message->FindBool("active", &active);
			fDeactivationHeld = !active && fActive
				&& _HoldsFocus(fTopView, B_LOCK_WINDOW_FOCUS);
			if (!fDeactivationHeld)
				_SetActive(active);
			break;
		}
		case BPrivate::kActivateApp:
			// A window that has the focus already (each process has a display of its own
			// offscreen) says so again, as its application is asked to be the active one.
			Activate(true);
			if (fActive)
				BRoster::Private::WindowActivated(BLooper::Private(this).PortID());
			break;
		case B_PULSE:
			if (fPulse != NULL)
				fPulse->Delivered();
			_Pulse(fTopView);
			break;
		case _UPDATE_:
		{
			fUpdatePosted = false;
			BRect exposed;
			_DrawPending();
			if (message->FindRect("_expose", &exposed) == B_OK)
				_Present(exposed);
			break;
		}
		case _SHOW_DRAG_HANDLES_:
		{
			bool shown = true;
			message->FindBool("show", &shown);
			BDragger::Private::DraggersShown(this, shown);
			break;
		}
		case B_QUIT_REQUESTED:
		{
			bool closed = false;
			if (message->FindBool("_close", &closed) != B_OK || !closed) {
				BLooper::DispatchMessage(message, handler);
				break;
			}
			if (QuitRequested()) {
				if ((fFlags & B_QUIT_ON_WINDOW_CLOSE) != 0 && be_app != NULL)
					be_app->PostMessage(B_QUIT_REQUESTED);
				Quit();
			}
			break;
		}
		default:
			if (!_HandleWindowEvent(message)) {
				BHandler* target = _DropTarget(message, handler);
				if (target == handler || run_drop_filters(message, &target))
					BLooper::DispatchMessage(message, target);
			}
			break;
	}
	if (fDeactivationHeld && !_HoldsFocus(fTopView, B_LOCK_WINDOW_FOCUS)) {
		fDeactivationHeld = false;
		_SetActive(false);
	}
	_PresentDrawn();
}


void
BWindow::_SetActive(bool active)
{
	if (active == fActive)
		return;
	fActive = active;
	if (active)
		BRoster::Private::WindowActivated(BLooper::Private(this).PortID());
	WindowActivated(active);
	_NotifyActivated(fTopView, active);
}


void
BWindow::MessageReceived(BMessage* message)
{
	if (!_HandleScripting(message))
		BLooper::MessageReceived(message);
}


void BWindow::FrameMoved(BPoint newPosition) {}
void BWindow::FrameResized(float newWidth, float newHeight) {}
void BWindow::WindowActivated(bool active) {}
void BWindow::MenusBeginning() {}
void BWindow::MenusEnded() {}


bool
BWindow::QuitRequested()
{
	return true;
}


void
BWindow::_NotifyActivated(BView* view, bool active)
{
	view->WindowActivated(active);
	for (int32 i = 0; BView* child = view->ChildAt(i); i++)
		_NotifyActivated(child, active);
}


// Mouse messages go to the view under the pointer, with "where" in its coordinates; once
// a button went down in a view, that view gets every pointer message until the buttons
// are up again.
void
BWindow::_HandleMouse(BMessage* message)
{
	BPoint where;
	if (message->FindPoint("where", &where) != B_OK)
		return;
	int32 buttons = 0;
	message->FindInt32("buttons", &buttons);
	message->AddPoint("screen_where", where + fFrame.LeftTop());
	BView* under = FindView(where);

	if (message->what == B_MOUSE_DOWN) {
		fMouseTarget = under;
		BPoint local = where - under->_WindowOrigin();
		message->ReplacePoint("where", local);
		under->MouseDown(local);
		return;
	}

	BView* target = fMouseTarget != NULL ? fMouseTarget : under;
	BPoint local = where - target->_WindowOrigin();
	message->ReplacePoint("where", local);
	if (message->what == B_MOUSE_UP) {
		if (buttons == 0)
			fMouseTarget = NULL;
		target->MouseUp(local);
		return;
	}

	if (fMouseTarget != NULL) {
		if (_TakesMove(target, message))
			target->MouseMoved(local, under == target ? B_INSIDE_VIEW : B_OUTSIDE_VIEW, NULL);
	} else {
		if (under != fLastMouseView && fLastMouseView != NULL) {
			fLastMouseView->MouseMoved(where - fLastMouseView->_WindowOrigin(),
				B_EXITED_VIEW, NULL);
		}
		// The view may have been removed by the hook above.
		under = FindView(where);
		if (under != fLastMouseView || _TakesMove(under, message)) {
			under->MouseMoved(where - under->_WindowOrigin(),
				under != fLastMouseView ? B_ENTERED_VIEW : B_INSIDE_VIEW, NULL);
		}
	}
	fLastMouseView = FindView(where);
	_ShowViewCursor(Bounds().Contains(where) ? fLastMouseView : NULL);
}


void
BWindow::_HandleKey(BMessage* message)
{
	const char* bytes = NULL;
	if (message->FindString("bytes", &bytes) != B_OK || bytes == NULL)
		return;
	uint32 modifiers = _KeyModifiers(message);

	if (message->what == B_KEY_DOWN && (modifiers & B_COMMAND_KEY) != 0) {
		uint32 key = (uint32)tolower((uchar)bytes[0]);
		// The key menu bar's items come first, as the menus show them.
		if (_MenuBarView() != NULL
			&& BMenu::Private(fKeyMenuBar).InvokeShortcut(key, modifiers)) {
			return;
		}
		for (const Shortcut& shortcut : fShortcuts) {
			if (shortcut.key == key
				&& (shortcut.modifiers | B_COMMAND_KEY) == (modifiers & kShortcutModifiers)) {
				BMessage copy(*shortcut.message);
				if (shortcut.target != NULL && shortcut.target->Looper() != NULL)
					shortcut.target->Looper()->PostMessage(&copy, shortcut.target);
				else
					PostMessage(&copy);
				return;
			}
		}
		// The platform's own shortcuts: Command-Q quits, Command-W closes.
		if (key == 'q' && be_app != NULL) {
			be_app->PostMessage(B_QUIT_REQUESTED);
			return;
		}
		if (key == 'w' && (fFlags & B_NOT_CLOSABLE) == 0) {
			PostMessage(B_QUIT_REQUESTED);
			return;
		}
	}
	// Tab moves the focus through the navigable views, Shift-Tab backwards.
	if (message->what == B_KEY_DOWN && bytes[0] == B_TAB
		&& (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0
		&& _NavigateFocus((modifiers & B_SHIFT_KEY) != 0)) {
		return;
	}
	if (message->what == B_KEY_DOWN && bytes[0] == B_ESCAPE
		&& (fFlags & B_CLOSE_ON_ESCAPE) != 0) {
		PostMessage(B_QUIT_REQUESTED);
		return;
	}

	if (message->what == B_KEY_DOWN && bytes[0] == B_ENTER && bytes[1] == '\0'
		&& fDefaultButton != NULL && fDefaultButton->IsEnabled()
		&& !fDefaultButton->IsHidden()) {
		fDefaultButton->KeyDown(bytes, 1);
		return;
	}

	if (fFocus != NULL && !_HoldsFocus(fTopView, B_SUSPEND_VIEW_FOCUS)) {
		if (message->what == B_KEY_DOWN)
			fFocus->KeyDown(bytes, (int32)strlen(bytes));
		else
			fFocus->KeyUp(bytes, (int32)strlen(bytes));
	}
	_NotifyKeyListeners(fTopView, message, bytes);
}


uint32
BWindow::_KeyModifiers(BMessage* message) const
{
	int32 modifiers = 0;
	message->FindInt32("modifiers", &modifiers);
	return (uint32)modifiers;
}


void
BWindow::_HandleResized(BMessage* message)
{
	float width;
	float height;
	if (message->FindFloat("width", &width) != B_OK
		|| message->FindFloat("height", &height) != B_OK) {
		return;
	}
	_SetSize(width, height);
	FrameResized(width, height);
}


// #pragma mark - Scripting


bool
BWindow::_HandleScripting(BMessage* message)
{
	if (message->what != B_GET_PROPERTY && message->what != B_SET_PROPERTY)
		return false;
	uint32 tag = BPrivate::match_property(message, stWindowProperties);
	bool get = message->what == B_GET_PROPERTY;
	BMessage reply(B_REPLY);
	status_t status = B_OK;
	switch (tag) {
		case kActiveProperty:
		{
			bool active;
			if (get)
				reply.AddBool("result", IsActive());
			else if ((status = BPrivate::find_data(message, &active)) == B_OK)
				Activate(active);
			break;
		}
		case kFeelProperty:
		{
			int32 feel;
			if (get)
				reply.AddInt32("result", (int32)Feel());
			else if ((status = BPrivate::find_data(message, &feel)) == B_OK)
				status = SetFeel((window_feel)feel);
			break;
		}
		case kFlagsProperty:
		{
			int32 flags;
			if (get)
				reply.AddInt32("result", (int32)Flags());
			else if ((status = BPrivate::find_data(message, &flags)) == B_OK)
				status = SetFlags((uint32)flags);
			break;
		}
		case kFrameProperty:
			status = BPrivate::answer_frame(this, message, &reply);
			break;
		case kHiddenProperty:
			status = BPrivate::answer_hidden(this, IsHidden(), message, &reply);
			break;
		case kLookProperty:
		{
			int32 look;
			if (get)
				reply.AddInt32("result", (int32)Look());
			else if ((status = BPrivate::find_data(message, &look)) == B_OK)
				status = SetLook((window_look)look);
			break;
		}
		case kTitleProperty:
		{
			const char* title;
			if (get)
				reply.AddString("result", Title());
			else if ((status = BPrivate::find_data(message, &title)) == B_OK)
				SetTitle(title);
			break;
		}
		case kWorkspacesProperty:
		{
			int32 workspaces;
			if (get)
				reply.AddInt32("result", (int32)Workspaces());
			else if ((status = BPrivate::find_data(message, &workspaces)) == B_OK)
				SetWorkspaces((uint32)workspaces);
			break;
		}
		case kMinimizeProperty:
		{
			bool minimize;
			if ((status = BPrivate::find_data(message, &minimize)) == B_OK)
				Minimize(minimize);
			break;
		}
		default:
			return false;
	}
	BPrivate::reply_result(message, &reply, status);
	return true;
}


BHandler*
BWindow::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property)
{
	switch (BPrivate::match_property(message, index, specifier, form, property,
			stWindowProperties)) {
		case BPrivate::kNoProperty:
			return BLooper::ResolveSpecifier(message, index, specifier, form, property);
		case kViewProperty:
			// The top view resolves the same specifier: its children are the window's
			// views.
			return fTopView;
		case kMenuBarProperty:
		{
			BView* bar = _MenuBarView();
			if (bar == NULL) {
				BPrivate::reply_error(message, B_NAME_NOT_FOUND,
					"This window has no key menu bar");
				return NULL;
			}
			message->PopSpecifier();
			return bar;
		}
		default:
			return this;
	}
}


status_t
BWindow::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-window", stWindowProperties);
	if (status != B_OK)
		return status;
	return BLooper::GetSupportedSuites(data);
}


// The key menu bar as a view; a bar leaving the window gives the role up.
BView*
BWindow::_MenuBarView() const
{
	return fKeyMenuBar;
}


void
BWindow::SetKeyMenuBar(BMenuBar* bar)
{
	BPrivate::check_lock(this);
	fKeyMenuBar = bar;
}


void
BWindow::SetDefaultButton(BButton* button)
{
	BPrivate::check_lock(this);
	if (button == fDefaultButton)
		return;
	BButton* old = fDefaultButton;
	fDefaultButton = button;
	if (old != NULL)
		old->MakeDefault(false);
	if (button != NULL)
		button->MakeDefault(true);
}


// #pragma mark - Appearance


void
BWindow::Show()
{
	BPrivate::check_lock(this);
	if (fBitmapSurface != NULL)
		return;
	fShowLevel--;
	if (fShowLevel == 0) {
		if (fDisplayWindow != NULL)
			fDisplayWindow->Show();
		_Invalidate(Bounds());
	}
	if (Thread() < 0)
		Run();
}


void
BWindow::Hide()
{
	BPrivate::check_lock(this);
	fShowLevel++;
	if (fShowLevel == 1 && fDisplayWindow != NULL)
		fDisplayWindow->Hide();
}


void
BWindow::Minimize(bool minimize)
{
	BPrivate::check_lock(this);
	if (minimize == fMinimized)
		return;
	fMinimized = minimize;
	if (minimize)
		Hide();
	else
		Show();
}


void
BWindow::Activate(bool active)
{
	BPrivate::check_lock(this);
	if (active && fDisplayWindow != NULL && !IsHidden())
		fDisplayWindow->Activate();
}


void
BWindow::SetTitle(const char* title)
{
	// The platform's SetTitle locks the window itself: applications rename windows
	// they do not hold.
	if (!Lock())
		return;
	fTitle = title != NULL ? title : "";
	if (fDisplayWindow != NULL)
		fDisplayWindow->SetTitle(fTitle.c_str());
	Unlock();
}


const char*
BWindow::Title() const
{
	return fTitle.c_str();
}


window_type
BWindow::Type() const
{
	switch (fLook) {
		case B_DOCUMENT_WINDOW_LOOK:
			return B_DOCUMENT_WINDOW;
		case B_MODAL_WINDOW_LOOK:
			return B_MODAL_WINDOW;
		case B_BORDERED_WINDOW_LOOK:
			return B_BORDERED_WINDOW;
		case B_FLOATING_WINDOW_LOOK:
			return B_FLOATING_WINDOW;
		case B_TITLED_WINDOW_LOOK:
			return B_TITLED_WINDOW;
		default:
			return B_UNTYPED_WINDOW;
	}
}


status_t
BWindow::SetLook(window_look look)
{
	BPrivate::check_lock(this);
	fLook = look;
	return B_OK;
}


status_t
BWindow::SetFeel(window_feel feel)
{
	BPrivate::check_lock(this);
	fFeel = feel;
	return B_OK;
}


status_t
BWindow::SetFlags(uint32 flags)
{
	BPrivate::check_lock(this);
	fFlags = flags;
	return B_OK;
}


void
BWindow::SetWorkspaces(uint32 workspaces)
{
	BPrivate::check_lock(this);
	if (workspaces == B_CURRENT_WORKSPACE)
		workspaces = (uint32)1 << (current_workspace() & 31);
	if (workspaces == fWorkspaces)
		return;
	BMessage changed(B_WORKSPACES_CHANGED);
	changed.AddInt32("old", (int32)fWorkspaces);
	changed.AddInt32("new", (int32)workspaces);
	fWorkspaces = workspaces;
	PostMessage(&changed);
}


void
BWindow::SetPulseRate(bigtime_t rate)
{
	fPulseRate = rate > 0 ? rate : 0;
	if (fPulse != NULL)
		fPulse->SetRate(fPulseRate);
}


void
BWindow::_PulseNeeded()
{
	if (fPulse != NULL || fBitmapSurface != NULL)
		return;
	fPulse = new BPrivate::PulseTimer(BMessenger(this));
	fPulse->SetRate(fPulseRate);
}


// Pulse() may add or remove views: children are counted again after each.
void
BWindow::_Pulse(BView* view)
{
	if ((view->Flags() & B_PULSE_NEEDED) != 0)
		view->Pulse();
	for (int32 i = 0; BView* child = view->ChildAt(i); i++)
		_Pulse(child);
}


void
BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message)
{
	AddShortcut(key, modifiers, message, NULL);
}


void
BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target)
{
	BPrivate::check_lock(this);
	if (message == NULL)
		return;
	key = (uint32)tolower((int)key);
	modifiers &= kShortcutModifiers & ~B_COMMAND_KEY;
	RemoveShortcut(key, modifiers);
	fShortcuts.push_back(Shortcut{ key, modifiers, message, target });
}


void
BWindow::RemoveShortcut(uint32 key, uint32 modifiers)
{
	BPrivate::check_lock(this);
	key = (uint32)tolower((int)key);
	modifiers &= kShortcutModifiers & ~B_COMMAND_KEY;
	for (auto it = fShortcuts.begin(); it != fShortcuts.end(); ++it) {
		if (it->key == key && it->modifiers == modifiers) {
			delete it->message;
			fShortcuts.erase(it);
			return;
		}
	}
}


// #pragma mark - Geometry


BRect
BWindow::Bounds() const
{
	return BRect(0, 0, fFrame.Width(), fFrame.Height());
}


void
BWindow::MoveBy(float dx, float dy)
{
	MoveTo(fFrame.left + dx, fFrame.top + dy);
}


void
BWindow::MoveTo(BPoint where)
{
	MoveTo(where.x, where.y);
}


void
BWindow::MoveTo(float x, float y)
{
	BPrivate::check_lock(this);
	BRect aligned = _AlignedFrame(fFrame.OffsetToCopy(x, y));
	x = aligned.left;
	y = aligned.top;
	if (x == fFrame.left && y == fFrame.top)
		return;
	fFrame.OffsetTo(x, y);
	if (fDisplayWindow != NULL)
		fDisplayWindow->SetFrame(fFrame);
}


void
BWindow::ResizeBy(float dWidth, float dHeight)
{
	ResizeTo(fFrame.Width() + dWidth, fFrame.Height() + dHeight);
}


void
BWindow::ResizeTo(float width, float height)
{
	BPrivate::check_lock(this);
	width = width < fMinWidth ? fMinWidth : width > fMaxWidth ? fMaxWidth : width;
	height = height < fMinHeight ? fMinHeight : height > fMaxHeight ? fMaxHeight : height;
	BRect aligned = _AlignedFrame(BRect(fFrame.left, fFrame.top, fFrame.left + width,
		fFrame.top + height));
	width = aligned.Width();
	height = aligned.Height();
	if (width == fFrame.Width() && height == fFrame.Height())
		return;
	_SetSize(width, height);
	// The display confirms the change with B_WINDOW_RESIZED, which calls FrameResized().
	if (fDisplayWindow != NULL)
		fDisplayWindow->SetFrame(fFrame);
}


void
BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	BPrivate::check_lock(this);
	fMinWidth = minWidth;
	fMaxWidth = maxWidth < minWidth ? minWidth : maxWidth;
	fMinHeight = minHeight;
	fMaxHeight = maxHeight < minHeight ? minHeight : maxHeight;
	if (fDisplayWindow != NULL)
		fDisplayWindow->SetSizeLimits(fMinWidth, fMaxWidth, fMinHeight, fMaxHeight);
	ResizeTo(fFrame.Width(), fFrame.Height());
}


void
BWindow::GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
	float* maxHeight)
{
	if (minWidth != NULL)
		*minWidth = fMinWidth;
	if (maxWidth != NULL)
		*maxWidth = fMaxWidth;
	if (minHeight != NULL)
		*minHeight = fMinHeight;
	if (maxHeight != NULL)
		*maxHeight = fMaxHeight;
}


// Gives the window a new size now: a new surface (keeping what was drawn) and views laid
// out by their resizing modes.
void
BWindow::_SetSize(float width, float height)
{
	// A bitmap's window keeps the bitmap's size: its surface is the bitmap.
	if (fBitmapSurface != NULL)
		return;
	float dWidth = width - fFrame.Width();
	float dHeight = height - fFrame.Height();
	if (dWidth == 0 && dHeight == 0)
		return;
	fFrame.right = fFrame.left + width;
	fFrame.bottom = fFrame.top + height;

	cairo_surface_t* surface = CreateSurface(Bounds());
	cairo_t* cairo = cairo_create(surface);
	cairo_set_source_surface(cairo, fPainter->Target(), 0, 0);
	cairo_paint(cairo);
	cairo_destroy(cairo);
	delete fPainter;
	fPainter = new BPrivate::Painter(surface);
	cairo_surface_destroy(surface);

	fTopView->_Resize(dWidth, dHeight);
	_Invalidate(Bounds());
}


// #pragma mark - Updates


void
BWindow::_Invalidate(BRect windowRect)
{
	fUpdateRect = fUpdateRect.IsValid() ? fUpdateRect | windowRect : windowRect;
	_RequestUpdate();
}


void
BWindow::_RequestUpdate()
{
	if (fUpdatePosted || !fUpdateRect.IsValid() || IsHidden() || fUpdatesDisabled > 0
		|| fInTransaction) {
		return;
	}
	if (PostMessage(_UPDATE_) == B_OK)
		fUpdatePosted = true;
}


void
BWindow::_DrawPending()
{
	if (fUpdatesDisabled > 0 || fInTransaction || IsHidden() || fInUpdate)
		return;
	BRect pending = fUpdateRect;
	fUpdateRect = BRect();
	if (!pending.IsValid())
		return;
	fInUpdate = true;
	BRect area = pending & Bounds();
	if (area.IsValid())
		_DrawView(fTopView, area);
	for (Popup* popup : fPopups) {
		BRect part = pending & popup->root->Frame();
		if (part.IsValid())
			_DrawView(popup->root, part);
	}
	fInUpdate = false;
	_Present(pending);
}


void
BWindow::_DrawView(BView* view, BRect windowRect)
{
	if (view->fHideLevel > 0)
		return;
	BRect visible = view->_VisibleInWindow() & windowRect;
	if (!visible.IsValid())
		return;
	BPoint origin = view->_WindowOrigin();
	fUpdateClip = visible;
	BPoint surfaceOrigin;
	BPrivate::Painter* painter = _PainterFor(view, &surfaceOrigin);
	const BPrivate::ViewBitmap* viewBitmap = view->fViewBitmap;
	BRect bitmapPlace;
	if (viewBitmap != NULL)
		bitmapPlace = viewBitmap->Placed(view->fBounds.Width(), view->fBounds.Height());
	BRect deviceClip = visible.OffsetByCopy(-surfaceOrigin.x, -surfaceOrigin.y);
	if (painter != NULL) {
		painter->SetView(origin - surfaceOrigin, deviceClip);
		if (view->fViewColor != B_TRANSPARENT_COLOR)
			painter->FillBackground(view->Bounds(), view->fViewColor);
		if (viewBitmap != NULL && viewBitmap->overlay == NULL) {
			painter->DrawViewBitmap(viewBitmap->Bitmap(), viewBitmap->source,
				bitmapPlace, viewBitmap->options);
		}
	}
	BRect updateRect = visible.OffsetByCopy(-origin.x, -origin.y);
	if ((view->Flags() & B_WILL_DRAW) != 0)
		view->Draw(updateRect);
	for (int32 i = 0; BView* child = view->ChildAt(i); i++)
		_DrawView(child, windowRect);
	if ((view->Flags() & B_DRAW_ON_CHILDREN) != 0) {
		fUpdateClip = visible;
		view->DrawAfterChildren(updateRect);
	}
	// The overlay shows through whatever the view and its children left in the key.
	viewBitmap = view->fViewBitmap;
	if (painter != NULL && viewBitmap != NULL && viewBitmap->overlay != NULL) {
		painter->SetView(origin - surfaceOrigin, deviceClip);
		painter->DrawOverlay(viewBitmap->overlay, viewBitmap->source,
			viewBitmap->Placed(view->fBounds.Width(), view->fBounds.Height()),
			viewBitmap->options, BPrivate::kOverlayColorKey);
	}
}


void
BWindow::_Present(BRect windowRect)
{
	if (fBitmapSurface != NULL) {
		fBitmapSurface->Store(windowRect);
		return;
	}
	if (fDisplayWindow == NULL || IsHidden() || fInTransaction)
		return;
	BRect area = windowRect & Bounds();
	if (area.IsValid())
		fDisplayWindow->Present(fPainter->Target(), area);
	for (Popup* popup : fPopups) {
		BRect frame = popup->root->Frame();
		BRect part = windowRect & frame;
		if (part.IsValid()) {
			popup->display->Present(popup->painter->Target(),
				part.OffsetByCopy(-frame.left, -frame.top));
		}
	}
}


BPrivate::Painter*
BWindow::_PainterFor(const BView* view, BPoint* surfaceOrigin) const
{
	const BView* root = view;
	while (root->fParent != NULL)
		root = root->fParent;
	*surfaceOrigin = BPoint(0, 0);
	if (root == fTopView) {
		// A bitmap's bits may have changed since its views last drew.
		if (fBitmapSurface != NULL)
			fBitmapSurface->Load();
		return fPainter;
	}
	for (Popup* popup : fPopups) {
		if (popup->root == root) {
			*surfaceOrigin = root->Frame().LeftTop();
			return popup->painter;
		}
	}
	return NULL;
}


// #pragma mark - Popups


status_t
BWindow::_AddPopup(BView* root)
{
	if (root == NULL || root->fParent != NULL || root->fOwner != NULL)
		return B_BAD_VALUE;
	BRect frame = root->Frame();
	BPoint origin = frame.LeftTop();
	// The popup's input reaches the window in the window's coordinates, where the
	// window finds the root above its other views.
	BPrivate::DisplayWindow* display = BPrivate::Display::Default()->CreatePopup(
		frame.OffsetByCopy(fFrame.LeftTop()), root->Name() != NULL ? root->Name() : "",
		[this, origin](const DisplayEvent& event) {
			DisplayEvent translated = event;
			switch (event.type) {
				case BPrivate::kDisplayMouseDown:
				case BPrivate::kDisplayMouseUp:
				case BPrivate::kDisplayMouseMoved:
					translated.where += origin;
					break;
				case BPrivate::kDisplayExposed:
					translated.frame.OffsetBy(origin);
					break;
				case BPrivate::kDisplayMouseWheel:
				case BPrivate::kDisplayKeyDown:
				case BPrivate::kDisplayKeyUp:
					break;
				default:
					// Its frame and focus are the window's business, not the user's.
					return;
			}
			_HandleDisplayEvent(translated);
		});
	if (display == NULL)
		return B_NO_MEMORY;

	cairo_surface_t* surface = CreateSurface(root->Bounds());
	Popup* popup = new Popup{ root, display, new BPrivate::Painter(surface) };
	cairo_surface_destroy(surface);
	fPopups.push_back(popup);
	root->_Attach(this);
	root->_CallAllAttached();
	if (root->Frame() != frame) {
		// Attaching resized it (a menu fits its items): the popup takes the new frame.
		_RemovePopup(root);
		return _AddPopup(root);
	}
	if (!IsHidden())
		display->Show();
	_Invalidate(root->Frame());
	return B_OK;
}


void
BWindow::_RemovePopup(BView* root)
{
	auto it = std::find_if(fPopups.begin(), fPopups.end(),
		[root](Popup* popup) { return popup->root == root; });
	if (it == fPopups.end())
		return;
	Popup* popup = *it;
	fPopups.erase(it);
	delete popup->display;
	delete popup->painter;
	delete popup;
	root->_Detach();
	root->_CallAllDetached();
	root->_ReleaseOwner();
}


bool
BWindow::Private::DispatchNextMessage(bigtime_t timeout)
{
	bool more = BLooper::Private(fWindow).DispatchNextMessage(timeout);
	// What the message drew shows now, as after any message of the window's loop.
	fWindow->_PresentDrawn();
	return more;
}


void
BWindow::_PresentDrawn()
{
	if (!fDrawnRect.IsValid() || fInTransaction)
		return;
	_Present(fDrawnRect);
	fDrawnRect = BRect();
}


void
BWindow::DisableUpdates()
{
	BPrivate::check_lock(this);
	fUpdatesDisabled++;
}


void
BWindow::EnableUpdates()
{
	BPrivate::check_lock(this);
	if (fUpdatesDisabled > 0)
		fUpdatesDisabled--;
	_RequestUpdate();
}


void
BWindow::BeginViewTransaction()
{
	BPrivate::check_lock(this);
	fInTransaction = true;
}


void
BWindow::EndViewTransaction()
{
	BPrivate::check_lock(this);
	fInTransaction = false;
	_PresentDrawn();
	_RequestUpdate();
}


void
BWindow::UpdateIfNeeded()
{
	BPrivate::check_lock(this);
	if (find_thread(NULL) == Thread())
		_DrawPending();
}


bool
BWindow::NeedsUpdate() const
{
	return fUpdateRect.IsValid();
}


void
BWindow::Flush() const
{
	const_cast<BWindow*>(this)->_PresentDrawn();
}


void
BWindow::Sync() const
{
	Flush();
}
