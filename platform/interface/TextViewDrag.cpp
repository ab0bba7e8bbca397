// BTextView's drag and drop: dragging the selection out, and taking text dropped on the
// view (moved when it comes from this view's own selection, unless Option is held).
#include <TextView.h>

#include "interface/DragSession.h"
#include "interface/RunArrayFormat.h"
#include "interface/TextClipboard.h"
#include "interface/TextLayout.h"

#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>

#include <algorithm>
#include <math.h>
#include <stdlib.h>

using BPrivate::kRunsType;


void
BTextView::GetDragParameters(BMessage* drag, BBitmap** bitmap, BPoint* point,
	BHandler** handler)
{
	if (bitmap != NULL)
		*bitmap = NULL;
	if (point != NULL)
		*point = fDragStart;
	if (handler != NULL)
		*handler = this;
	if (drag == NULL)
		return;
	int32 length = fSelectionEnd - fSelectionStart;
	drag->AddData(BPrivate::kTextType, B_MIME_TYPE, fText.data() + fSelectionStart, length);
	drag->AddString("be:types", BPrivate::kTextType);
	drag->AddPointer("be:originator", this);
	std::string runs = _FlattenedRunsIn(fSelectionStart, fSelectionEnd);
	if (!runs.empty())
		drag->AddData(kRunsType, B_MIME_TYPE, runs.data(), runs.size());
}


void
BTextView::_InitiateDrag(BPoint where)
{
	if (!BPrivate::moved_to_drag(fDragStart, where))
		return;
	fDragPending = false;
	fTrackingClicks = 0;
	BMessage drag(B_MIME_DATA);
	BBitmap* bitmap = NULL;
	BPoint point = fDragStart;
	BHandler* handler = this;
	GetDragParameters(&drag, &bitmap, &point, &handler);
	fDragging = true;
	if (bitmap != NULL) {
		DragMessage(&drag, bitmap, B_OP_ALPHA, point, handler);
		return;
	}
	// The outline of the selected lines, within the view.
	float height;
	BPoint top = PointAt(fSelectionStart, &height);
	BPoint bottom = PointAt(fSelectionEnd, &height);
	BRect frame(top.x, top.y, bottom.x, bottom.y + height - 1);
	if (LineAt(fSelectionStart) != LineAt(fSelectionEnd))
		frame = BRect(fTextRect.left, top.y, fTextRect.right, bottom.y + height - 1);
	frame = frame & Bounds();
	if (!frame.IsValid())
		frame = BRect(fDragStart, fDragStart).InsetByCopy(-BPrivate::kDragThreshold,
			-BPrivate::kDragThreshold);
	DragMessage(&drag, frame, handler);
}


void
BTextView::_TrackDrop(BPoint point, const BMessage* message)
{
	int32 offset = -1;
	if (message != NULL && Bounds().Contains(point) && AcceptsDrop(message))
		offset = OffsetAt(point);
	if (offset == fDropOffset)
		return;
	fDropOffset = offset;
	Invalidate();
}


bool
BTextView::_MessageDropped(BMessage* message)
{
	BPoint where = ConvertFromScreen(message->DropPoint());
	_TrackDrop(where, NULL);
	void* from = NULL;
	bool own = fDragging && message->FindPointer("be:originator", &from) == B_OK
		&& from == this;
	fDragging = false;
	const void* data;
	ssize_t size;
	if (!AcceptsDrop(message)
		|| message->FindData(BPrivate::kTextType, B_MIME_TYPE, &data, &size) != B_OK || size <= 0)
		return false;

	int32 offset = OffsetAt(where);
	int32 start = fSelectionStart;
	int32 end = fSelectionEnd;
	// The drag's own text, still selected, is moved rather than copied.
	own = own && fText.compare(start, end - start, (const char*)data, size) == 0;
	bool move = own && start < end && (modifiers() & B_OPTION_KEY) == 0;
	// Dropped back onto itself, the selection stays where it is.
	if (own && offset >= start && offset <= end)
		return true;

	std::string text;
	text_run_array* runs = NULL;
	if (move) {
		text = fText.substr(start, end - start);
		runs = fStylable ? RunArray(start, end) : NULL;
	} else {
		// Text from outside comes within the view's limits.
		int64 room = std::max((int64)fMaxBytes - TextLength(), (int64)0);
		// A character that fits is whole in the first room + 4 bytes.
		int64 taken = std::min({ (int64)size, room + 4, (int64)INT32_MAX });
		text = BPrivate::utf8_sanitized((const char*)data, (int32)taken);
		if ((int64)text.size() > room)
			text.resize(BPrivate::utf8_boundary(text, (int32)room));
		const void* flat;
		ssize_t flatSize;
		if (fStylable && message->FindData(kRunsType, B_MIME_TYPE, &flat, &flatSize) == B_OK
			&& flatSize > 0)
			runs = BPrivate::unflatten_run_array(flat, (size_t)flatSize);
	}
	if (text.empty()) {
		free(runs);
		return true;
	}

	// One change to undo, as if [first, last) had been replaced at once.
	UndoRecord record{ B_UNDO_DROP, 0, "", "", start, end, false, {} };
	int32 inserted = offset;
	if (move) {
		int32 first = std::min(start, offset);
		int32 last = std::max(end, offset);
		record.offset = first;
		record.removed = fText.substr(first, last - first);
		record.removedRuns = _UndoRunsIn(first, last);
		_Replace(start, end, std::string(), B_UNDO_UNAVAILABLE);
		if (offset > end)
			inserted -= end - start;
		_Replace(inserted, inserted, text, B_UNDO_UNAVAILABLE, runs);
		record.inserted = fText.substr(first, last - first);
		if (fDoesUndo)
			fUndo = record;
	} else
		_Replace(offset, offset, text, B_UNDO_DROP, runs);
	free(runs);
	// The dropped text ends up selected.
	Select(inserted, inserted + (int32)text.size());
	ScrollToSelection();
	return true;
}


bool
BTextView::_IsActive() const
{
	return IsFocus() && Window() != NULL && Window()->IsActive();
}
