// BWindow's place among the screen's windows and on the screen: zooming, the alignment
// grid, coordinate conversion, stacking, its type and subsets, and the messages the
// display sends about screens and workspaces.
#include <Window.h>

#include "app/LockCheck.h"
#include "display/Display.h"

#include <AppDefs.h>
#include <Message.h>
#include <Screen.h>

#include <algorithm>
#include <math.h>

namespace {

// A screen pixel is four bytes: byte alignment is counted in them.
const int32 kBytesPerScreenPixel = 4;


// value moved to the nearest step * n + offset.
float
Snap(float value, int32 step, int32 offset)
{
	if (step <= 1)
		return value;
	return roundf((value - offset) / step) * step + offset;
}

} // namespace


void BWindow::ScreenChanged(BRect screenSize, color_space depth) {}
void BWindow::WorkspacesChanged(uint32 oldWorkspaces, uint32 newWorkspaces) {}
void BWindow::WorkspaceActivated(int32 workspace, bool state) {}


bool
BWindow::_HandleWindowEvent(BMessage* message)
{
	switch (message->what) {
		case B_ZOOM:
			Zoom();
			return true;
		case B_MINIMIZE:
		{
			bool minimize = true;
			message->FindBool("minimize", &minimize);
			Minimize(minimize);
			return true;
		}
		case B_SCREEN_CHANGED:
		{
			BRect frame;
			int32 mode = B_RGB32;
			if (message->FindRect("frame", &frame) != B_OK)
				return true;
			message->FindInt32("mode", &mode);
			ScreenChanged(frame, (color_space)mode);
			return true;
		}
		case B_WORKSPACES_CHANGED:
		{
			int32 old = 0;
			int32 now = 0;
			if (message->FindInt32("old", &old) == B_OK
				&& message->FindInt32("new", &now) == B_OK) {
				WorkspacesChanged((uint32)old, (uint32)now);
			}
			return true;
		}
		case B_WORKSPACE_ACTIVATED:
		{
			int32 workspace = 0;
			bool active = false;
			if (message->FindInt32("workspace", &workspace) == B_OK
				&& message->FindBool("active", &active) == B_OK) {
				WorkspaceActivated(workspace, active);
			}
			return true;
		}
		default:
			return false;
	}
}


// #pragma mark - Zoom


void
BWindow::SetZoomLimits(float maxWidth, float maxHeight)
{
	BPrivate::check_lock(this);
	fZoomMaxWidth = maxWidth;
	fZoomMaxHeight = maxHeight;
}


void
BWindow::Zoom()
{
	BPrivate::check_lock(this);
	BRect screen = BScreen(this).Frame();
	float width = std::min({ fZoomMaxWidth, fMaxWidth, screen.Width() });
	float height = std::min({ fZoomMaxHeight, fMaxHeight, screen.Height() });
	width = std::max(width, fMinWidth);
	height = std::max(height, fMinHeight);
	BPoint origin = screen.LeftTop();

	BRect zoomed(origin.x, origin.y, origin.x + width, origin.y + height);
	if (fFrame == zoomed && fUnzoomedFrame.IsValid()) {
		BRect back = fUnzoomedFrame;
		fUnzoomedFrame = BRect();
		Zoom(back.LeftTop(), back.Width(), back.Height());
		return;
	}
	fUnzoomedFrame = fFrame;
	Zoom(origin, width, height);
}


void
BWindow::Zoom(BPoint origin, float width, float height)
{
	MoveTo(origin);
	ResizeTo(width, height);
}


// #pragma mark - Alignment


status_t
BWindow::SetWindowAlignment(window_alignment mode, int32 h, int32 hOffset, int32 width,
	int32 widthOffset, int32 v, int32 vOffset, int32 height, int32 heightOffset)
{
	BPrivate::check_lock(this);
	if (mode != B_BYTE_ALIGNMENT && mode != B_PIXEL_ALIGNMENT)
		return B_BAD_VALUE;
	int32 values[8] = { h, hOffset, width, widthOffset, v, vOffset, height, heightOffset };
	for (int i = 0; i < 8; i += 2) {
		// 0 and 1 both leave that edge or size free.
		int32 step = std::max<int32>(values[i], 1);
		if (values[i] < 0 || values[i + 1] < 0 || values[i + 1] >= step)
			return B_BAD_VALUE;
		values[i] = step;
	}
	fAlignMode = mode;
	std::copy(values, values + 8, fAlignment);
	MoveTo(fFrame.LeftTop());
	ResizeTo(fFrame.Width(), fFrame.Height());
	return B_OK;
}


status_t
BWindow::GetWindowAlignment(window_alignment* mode, int32* h, int32* hOffset, int32* width,
	int32* widthOffset, int32* v, int32* vOffset, int32* height, int32* heightOffset) const
{
	int32* out[8] = { h, hOffset, width, widthOffset, v, vOffset, height, heightOffset };
	if (mode != NULL)
		*mode = fAlignMode;
	for (int i = 0; i < 8; i++) {
		if (out[i] != NULL)
			*out[i] = fAlignment[i];
	}
	return B_OK;
}


BRect
BWindow::_AlignedFrame(BRect frame) const
{
	int32 scale = fAlignMode == B_BYTE_ALIGNMENT ? kBytesPerScreenPixel : 1;
	auto step = [scale](int32 value) { return std::max<int32>(1, (value + scale - 1) / scale); };
	auto offset = [scale](int32 value) { return value / scale; };
	float left = Snap(frame.left, step(fAlignment[0]), offset(fAlignment[1]));
	float top = Snap(frame.top, step(fAlignment[4]), offset(fAlignment[5]));
	// Sizes are counted in pixels, one more than the rectangle's width.
	float width = Snap(frame.Width() + 1, step(fAlignment[2]), offset(fAlignment[3])) - 1;
	float height = Snap(frame.Height() + 1, step(fAlignment[6]), offset(fAlignment[7])) - 1;
	return BRect(left, top, left + std::max(0.0f, width), top + std::max(0.0f, height));
}


// #pragma mark - Coordinates


void
BWindow::ConvertToScreen(BPoint* point) const
{
	*point += fFrame.LeftTop();
}


BPoint
BWindow::ConvertToScreen(BPoint point) const
{
	return point + fFrame.LeftTop();
}


void
BWindow::ConvertFromScreen(BPoint* point) const
{
	*point -= fFrame.LeftTop();
}


BPoint
BWindow::ConvertFromScreen(BPoint point) const
{
	return point - fFrame.LeftTop();
}


void
BWindow::ConvertToScreen(BRect* rect) const
{
	rect->OffsetBy(fFrame.LeftTop());
}


BRect
BWindow::ConvertToScreen(BRect rect) const
{
	return rect.OffsetByCopy(fFrame.LeftTop());
}


void
BWindow::ConvertFromScreen(BRect* rect) const
{
	rect->OffsetBy(-fFrame.left, -fFrame.top);
}


BRect
BWindow::ConvertFromScreen(BRect rect) const
{
	return rect.OffsetByCopy(-fFrame.left, -fFrame.top);
}


// #pragma mark - Stacking, type and subsets


status_t
BWindow::SendBehind(const BWindow* window)
{
	BPrivate::check_lock(this);
	if (fDisplayWindow == NULL || window == this)
		return B_ERROR;
	if (window != NULL && window->fDisplayWindow == NULL)
		return B_BAD_VALUE;
	fDisplayWindow->SendBehind(window != NULL ? window->fDisplayWindow : NULL);
	return B_OK;
}


bool
BWindow::IsFront() const
{
	return fDisplayWindow != NULL && !IsHidden() && fDisplayWindow->IsFront();
}


status_t
BWindow::SetType(window_type type)
{
	switch (type) {
		case B_TITLED_WINDOW:
		case B_DOCUMENT_WINDOW:
		case B_MODAL_WINDOW:
		case B_BORDERED_WINDOW:
		case B_FLOATING_WINDOW:
			break;
		default:
			return B_BAD_VALUE;
	}
	status_t status = SetLook(type == B_DOCUMENT_WINDOW ? B_DOCUMENT_WINDOW_LOOK
		: type == B_MODAL_WINDOW ? B_MODAL_WINDOW_LOOK
		: type == B_BORDERED_WINDOW ? B_BORDERED_WINDOW_LOOK
		: type == B_FLOATING_WINDOW ? B_FLOATING_WINDOW_LOOK : B_TITLED_WINDOW_LOOK);
	if (status != B_OK)
		return status;
	return SetFeel(type == B_MODAL_WINDOW ? B_MODAL_APP_WINDOW_FEEL
		: type == B_FLOATING_WINDOW ? B_FLOATING_APP_WINDOW_FEEL : B_NORMAL_WINDOW_FEEL);
}


bool
BWindow::IsModal() const
{
	return fFeel == B_MODAL_SUBSET_WINDOW_FEEL || fFeel == B_MODAL_APP_WINDOW_FEEL
		|| fFeel == B_MODAL_ALL_WINDOW_FEEL;
}


bool
BWindow::IsFloating() const
{
	return fFeel == B_FLOATING_SUBSET_WINDOW_FEEL || fFeel == B_FLOATING_APP_WINDOW_FEEL
		|| fFeel == B_FLOATING_ALL_WINDOW_FEEL;
}


// Only a subset window has a subset, and only normal windows belong to one.
status_t
BWindow::AddToSubset(BWindow* window)
{
	BPrivate::check_lock(this);
	if (window == NULL || window == this || window->Feel() != B_NORMAL_WINDOW_FEEL
		|| (fFeel != B_MODAL_SUBSET_WINDOW_FEEL && fFeel != B_FLOATING_SUBSET_WINDOW_FEEL)) {
		return B_BAD_VALUE;
	}
	if (std::find(fSubset.begin(), fSubset.end(), window) == fSubset.end())
		fSubset.push_back(window);
	return B_OK;
}


status_t
BWindow::RemoveFromSubset(BWindow* window)
{
	BPrivate::check_lock(this);
	auto found = std::find(fSubset.begin(), fSubset.end(), window);
	if (found == fSubset.end())
		return B_BAD_VALUE;
	fSubset.erase(found);
	return B_OK;
}
