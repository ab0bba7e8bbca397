// A drag in progress in a window (BView::DragMessage), from the call until the buttons
// go up: the message, where its reply goes, and what shows it on the screen.
#ifndef _DRAG_SESSION_H
#define _DRAG_SESSION_H

#include <Message.h>
#include <Messenger.h>
#include <Rect.h>

#include <math.h>

namespace BPrivate {

// How long a drop may wait to be taken by a slow or hung application before it is
// given up, so that the dragging window never stalls longer.
const bigtime_t kDropDeliveryTimeout = 250000;

// How far the pointer moves from a press, across or down, before a view drags (a list's
// rows, a text view's selection); a shorter move is still a click.
const float kDragThreshold = 4;

inline bool
moved_to_drag(BPoint start, BPoint where)
{
	return fabsf(where.x - start.x) >= kDragThreshold
		|| fabsf(where.y - start.y) >= kDragThreshold;
}

struct DragSession {
			BMessage			message;
			BMessenger			replyTo;
			// Where the pointer holds the image or the rectangle, from its top left.
			BPoint				offset;
};

} // namespace BPrivate

#endif // _DRAG_SESSION_H
