// BView::DragMessage: the window carries the drag (WindowInput.cpp) until the buttons go
// up; the view only says what the drag shows.
#include <View.h>

#include "app/LockCheck.h"
#include "interface/ScreenOverlay.h"

#include <Bitmap.h>
#include <AppDefs.h>
#include <Message.h>
#include <Window.h>

namespace {

// Where the drag starts, in view's coordinates: where the press or move being handled
// happened (the pointer may have gone on since), else where the pointer is.
BPoint
DragStart(BView* view)
{
	BMessage* current = view->Window()->CurrentMessage();
	BPoint where;
	if (current != NULL && (current->what == B_MOUSE_DOWN || current->what == B_MOUSE_MOVED)
		&& current->FindPoint("where", &where) == B_OK) {
		return where;
	}
	uint32 buttons;
	view->GetMouse(&where, &buttons, false);
	return where;
}

} // namespace

void
BView::DragMessage(BMessage* message, BRect dragRect, BHandler* replyTo)
{
	BPrivate::check_lock(fOwner);
	if (message == NULL || fOwner == NULL)
		return;
	BPoint where = DragStart(this);
	BRect screenRect = ConvertToScreen(dragRect);
	fOwner->_StartDrag(this, message, BPrivate::ScreenOverlay::CreateOutline(screenRect),
		where - dragRect.LeftTop(), replyTo);
}


void
BView::DragMessage(BMessage* message, BBitmap* image, BPoint offset, BHandler* replyTo)
{
	DragMessage(message, image, B_OP_COPY, offset, replyTo);
}


// The image shows opaque whatever dragMode says: display windows have no transparency
// without a compositor; B_OP_ALPHA's transparent pixels show the panel's grey.
void
BView::DragMessage(BMessage* message, BBitmap* image, drawing_mode dragMode, BPoint offset,
	BHandler* replyTo)
{
	BPrivate::check_lock(fOwner);
	if (message == NULL || fOwner == NULL || image == NULL || !image->IsValid()) {
		delete image;
		return;
	}
	BPoint where = DragStart(this);
	BPoint topLeft = ConvertToScreen(where) - offset;
	BPrivate::ScreenOverlay* overlay = BPrivate::ScreenOverlay::CreateImage(image, topLeft);
	delete image;
	fOwner->_StartDrag(this, message, overlay, offset, replyTo);
}
