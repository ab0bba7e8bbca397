#include "TargetOutline.h"

#include <Message.h>
#include <View.h>


namespace {

class OutlineView : public BView {
public:
	OutlineView(BRect frame)
		:
		BView(frame, "outline", B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE)
	{
		SetViewColor(B_TRANSPARENT_COLOR);
	}

	void Draw(BRect updateRect) override
	{
		BRect bounds = Bounds();
		SetHighColor(B_TRANSPARENT_COLOR);
		FillRect(bounds);
		SetHighColor(kOutlineColor);
		for (int32 i = 0; i < (int32)kOutlineWidth; i++)
			StrokeRect(bounds.InsetByCopy(i, i));
	}
};

} // namespace


TargetOutline::TargetOutline()
	:
	BWindow(BRect(0, 0, 15, 15), "Quorvane outline", B_NO_BORDER_WINDOW_LOOK,
		B_FLOATING_ALL_WINDOW_FEEL, B_AVOID_FOCUS | B_NOT_MOVABLE | B_NOT_RESIZABLE
			| B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE)
{
	AddChild(new OutlineView(Bounds()));
}


void
TargetOutline::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgSurround:
		{
			BRect frame;
			if (message->FindRect("frame", &frame) != B_OK || !frame.IsValid())
				break;
			MoveTo(frame.LeftTop());
			ResizeTo(frame.Width(), frame.Height());
			if (IsHidden())
				Show();
			break;
		}
		case kMsgRemoveOutline:
			if (!IsHidden())
				Hide();
			break;
		default:
			BWindow::MessageReceived(message);
	}
}
