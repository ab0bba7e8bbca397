#include <ScrollView.h>

#include "interface/ArchiveFields.h"

#include <AppDefs.h>
#include <Message.h>
#include <ScrollBar.h>

#include <string.h>


BScrollView::BScrollView(const char* name, BView* target, uint32 resizingMode,
	uint32 flags, bool horizontal, bool vertical, border_style border)
	:
	BView(_Frame(target, horizontal, vertical, border), name, resizingMode,
		flags | B_WILL_DRAW | B_FRAME_EVENTS),
	fTarget(target),
	fHorizontalBar(NULL),
	fVerticalBar(NULL),
	fBorder(border),
	fHighlighted(false)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	float inset = _BorderSize(border);
	BRect inner = Bounds().InsetByCopy(inset, inset);
	if (vertical)
		inner.right -= B_V_SCROLL_BAR_WIDTH;
	if (horizontal)
		inner.bottom -= B_H_SCROLL_BAR_HEIGHT;
	if (target != NULL) {
		target->MoveTo(inset, inset);
		AddChild(target);
	}
	// Each bar starts right after the target and overlaps the border's inner line.
	if (horizontal) {
		fHorizontalBar = new BScrollBar(BRect(inner.left - 1, inner.bottom + 1,
				inner.right + 1, inner.bottom + 1 + B_H_SCROLL_BAR_HEIGHT),
			"_HSB_", target, 0, 0, B_HORIZONTAL);
		AddChild(fHorizontalBar);
	}
	if (vertical) {
		fVerticalBar = new BScrollBar(BRect(inner.right + 1, inner.top - 1,
				inner.right + 1 + B_V_SCROLL_BAR_WIDTH, inner.bottom + 1),
			"_VSB_", target, 0, 0, B_VERTICAL);
		AddChild(fVerticalBar);
	}
	if (target != NULL)
		target->TargetedByScrollView(this);
}


BScrollView::BScrollView(BMessage* archive)
	:
	BView(archive),
	fTarget(NULL),
	fHorizontalBar(NULL),
	fVerticalBar(NULL),
	fBorder(B_FANCY_BORDER),
	fHighlighted(false)
{
	int32 border = B_FANCY_BORDER;
	BPrivate::find_archived_int32(archive, "_style", B_PLAIN_BORDER, B_NO_BORDER, &border);
	fBorder = (border_style)border;
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		BScrollBar* bar = dynamic_cast<BScrollBar*>(child);
		const char* name = child->Name() != NULL ? child->Name() : "";
		if (bar != NULL && fHorizontalBar == NULL && strcmp(name, "_HSB_") == 0
				&& bar->Orientation() == B_HORIZONTAL) {
			fHorizontalBar = bar;
		} else if (bar != NULL && fVerticalBar == NULL && strcmp(name, "_VSB_") == 0
				&& bar->Orientation() == B_VERTICAL) {
			fVerticalBar = bar;
		} else if (fTarget == NULL)
			fTarget = child;
	}
	if (fHorizontalBar != NULL)
		fHorizontalBar->SetTarget(fTarget);
	if (fVerticalBar != NULL)
		fVerticalBar->SetTarget(fTarget);
	if (fTarget != NULL)
		fTarget->TargetedByScrollView(this);
}


BArchivable*
BScrollView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BScrollView"))
		return NULL;
	return new BScrollView(archive);
}


status_t
BScrollView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_style", (int32)fBorder);
	return status;
}


float
BScrollView::_BorderSize(border_style border)
{
	switch (border) {
		case B_FANCY_BORDER:
			return 2;
		case B_PLAIN_BORDER:
			return 1;
		default:
			return 0;
	}
}


BRect
BScrollView::_Frame(BView* target, bool horizontal, bool vertical, border_style border)
{
	BRect frame = target != NULL ? target->Frame() : BRect(0, 0, 16, 16);
	float inset = _BorderSize(border);
	frame.InsetBy(-inset, -inset);
	if (vertical)
		frame.right += B_V_SCROLL_BAR_WIDTH;
	if (horizontal)
		frame.bottom += B_H_SCROLL_BAR_HEIGHT;
	return frame;
}


BScrollBar*
BScrollView::ScrollBar(orientation direction) const
{
	return direction == B_HORIZONTAL ? fHorizontalBar : fVerticalBar;
}


void
BScrollView::SetBorder(border_style border)
{
	float delta = _BorderSize(border) - _BorderSize(fBorder);
	fBorder = border;
	if (border != B_FANCY_BORDER)
		fHighlighted = false;
	if (fTarget != NULL) {
		fTarget->MoveBy(delta, delta);
		fTarget->ResizeBy(-2 * delta, -2 * delta);
	}
	if (fVerticalBar != NULL) {
		fVerticalBar->MoveBy(-delta, delta);
		fVerticalBar->ResizeBy(0, -2 * delta);
	}
	if (fHorizontalBar != NULL) {
		fHorizontalBar->MoveBy(delta, -delta);
		fHorizontalBar->ResizeBy(-2 * delta, 0);
	}
	Invalidate();
}


void
BScrollView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	switch (fBorder) {
		case B_FANCY_BORDER:
			// A sunken bevel around a dark line.
			SetHighColor(tint_color(panel, B_DARKEN_1_TINT));
			StrokeLine(bounds.LeftBottom(), bounds.LeftTop());
			StrokeLine(bounds.LeftTop(), bounds.RightTop());
			SetHighColor(ui_color(B_SHINE_COLOR));
			StrokeLine(bounds.RightTop(), bounds.RightBottom());
			StrokeLine(bounds.RightBottom(), bounds.LeftBottom());
			SetHighColor(fHighlighted ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
				: tint_color(panel, B_DARKEN_3_TINT));
			StrokeRect(bounds.InsetByCopy(1, 1));
			break;
		case B_PLAIN_BORDER:
			SetHighColor(tint_color(panel, B_DARKEN_3_TINT));
			StrokeRect(bounds);
			break;
		case B_NO_BORDER:
			break;
	}
}


status_t
BScrollView::SetBorderHighlighted(bool highlight)
{
	if (fBorder != B_FANCY_BORDER)
		return B_ERROR;
	if (highlight != fHighlighted) {
		fHighlighted = highlight;
		Invalidate(Bounds());
	}
	return B_OK;
}


void
BScrollView::MessageReceived(BMessage* message)
{
	if (message->what == B_MOUSE_WHEEL_CHANGED && fVerticalBar != NULL) {
		fVerticalBar->MessageReceived(message);
		return;
	}
	BView::MessageReceived(message);
}
