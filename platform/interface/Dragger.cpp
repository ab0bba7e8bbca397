// BDragger: the hatched handle, and the application-wide choice whether handles are drawn,
// told to every dragger with _SHOW_DRAG_HANDLES_.
#include <Dragger.h>

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace {

// Draggers are drawn until the application hides them.
std::atomic<bool> stDraggersDrawn{true};
std::mutex stDraggersLock;
std::vector<BDragger*>* stDraggers = NULL;

// The gap between the hatching's lines.
const float kHatchStep = 3;


void
tell_draggers(bool show)
{
	stDraggersDrawn = show;
	std::vector<BMessenger> targets;
	{
		std::lock_guard<std::mutex> locker(stDraggersLock);
		if (stDraggers != NULL) {
			for (BDragger* dragger : *stDraggers)
				targets.push_back(BMessenger(dragger));
		}
	}
	// A dragger that went meanwhile is no longer reachable through its messenger.
	for (const BMessenger& target : targets) {
		BMessage message(_SHOW_DRAG_HANDLES_);
		message.AddBool("show", show);
		target.SendMessage(&message, (BHandler*)NULL, 0);
	}
}

} // namespace


BDragger::BDragger(BRect frame, BView* target, uint32 resizingMode, uint32 flags)
	:
	BView(frame, "_dragger_", resizingMode, flags | B_WILL_DRAW),
	fTarget(target)
{
}


BDragger::BDragger(BMessage* archive)
	:
	BView(archive),
	fTarget(NULL)
{
}


BDragger::~BDragger()
{
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
	return BView::Archive(archive, deep);
}


BView*
BDragger::Target() const
{
	return fTarget != NULL ? fTarget : Parent();
}


void
BDragger::AttachedToWindow()
{
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
	if (!AreDraggersDrawn())
		return;
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


void
BDragger::MessageReceived(BMessage* message)
{
	if (message->what == _SHOW_DRAG_HANDLES_) {
		Invalidate();
		return;
	}
	BView::MessageReceived(message);
}


status_t
BDragger::ShowAllDraggers()
{
	tell_draggers(true);
	return B_OK;
}


status_t
BDragger::HideAllDraggers()
{
	tell_draggers(false);
	return B_OK;
}


bool
BDragger::AreDraggersDrawn()
{
	return stDraggersDrawn;
}
