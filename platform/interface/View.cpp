// BView: the view tree, geometry, drawing through the window's painter, and the view
// scripting suite.
#include <View.h>

#include "app/LockCheck.h"
#include "interface/DrawState.h"
#include "interface/Painter.h"
#include "interface/PicturePrivate.h"
#include "interface/ViewBitmap.h"
#include "interface/ViewDraw.h"
#include "interface/WidgetScripting.h"
#include "interface/WindowPrivate.h"

#include <Bitmap.h>
#include <Cursor.h>
#include <Message.h>
#include <Picture.h>
#include <PropertyInfo.h>
#include <ScrollBar.h>
#include <Shelf.h>
#include <String.h>
#include <Window.h>

#include <string.h>

using BPrivate::DrawState;

namespace {

// The tags of the rows below (their extra_data).
enum {
	kFrameProperty = 1,
	kHiddenProperty,
	kShelfProperty,
	kViewCountProperty,
	kViewProperty
};

property_info stViewProperties[] = {
	{ "Frame", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The view's frame rectangle, in its parent's coordinates.", kFrameProperty,
		{ B_RECT_TYPE } },
	{ "Hidden", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether the view is hidden.", kHiddenProperty, { B_BOOL_TYPE } },
	{ "Shelf", {}, { B_DIRECT_SPECIFIER }, "Directs the scripting message to the shelf.",
		kShelfProperty },
	{ "View", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of child views.", kViewCountProperty, { B_INT32_TYPE } },
	{ "View", {}, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER },
		"Directs the scripting message to the specified child view.", kViewProperty },
	{ NULL }
};


} // namespace


using BPrivate::EdgeShift;


BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	:
	BHandler(name),
	fOwner(NULL),
	fParent(NULL),
	fFrame(frame),
	fBounds(0, 0, frame.Width(), frame.Height()),
	fResizingMode(resizingMode & _RESIZE_MASK_),
	fFlags(flags & ~_RESIZE_MASK_),
	fHideLevel(0),
	fViewColor(make_color(255, 255, 255)),
	fEventMask(0),
	fEventOptions(0),
	fStates(new BPrivate::DrawStateStack),
	fPicture(NULL),
	fViewBitmap(NULL),
	fPrinting(0),
	fScrollBars{ NULL, NULL },
	fCursor(NULL),
	fShelf(NULL)
{
}


BView::~BView()
{
	if (fShelf != NULL)
		fShelf->_ContainerGone();
	// Scroll bars that target this view forget it before it goes.
	for (BScrollBar* bar : fScrollBars) {
		if (bar != NULL)
			bar->SetTarget((BView*)NULL);
	}
	if (fParent != NULL)
		fParent->RemoveChild(this);
	else if (fOwner != NULL)
		BWindow::Private(fOwner).RemovePopup(this);
	while (BView* child = ChildAt(0)) {
		RemoveChild(child);
		delete child;
	}
	delete fStates;
	delete fCursor;
	delete fViewBitmap;
}


// #pragma mark - Hooks


void BView::AttachedToWindow() {}
void BView::AllAttached() {}
void BView::DetachedFromWindow() {}
void BView::AllDetached() {}
void BView::Draw(BRect updateRect) {}
void BView::MouseDown(BPoint where) {}
void BView::MouseUp(BPoint where) {}
void BView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) {}
void BView::KeyDown(const char* bytes, int32 numBytes) {}
void BView::KeyUp(const char* bytes, int32 numBytes) {}
void BView::FrameMoved(BPoint newPosition) {}
void BView::FrameResized(float newWidth, float newHeight) {}
void BView::WindowActivated(bool active) {}
void BView::TargetedByScrollView(BScrollView* scrollView) {}
void BView::Pulse() {}


void
BView::MessageReceived(BMessage* message)
{
	BMessage reply(B_REPLY);
	status_t status;
	switch (BPrivate::match_property(message, stViewProperties)) {
		case kFrameProperty:
			status = BPrivate::answer_frame(this, message, &reply);
			break;
		case kHiddenProperty:
			status = BPrivate::answer_hidden(this, fHideLevel > 0, message, &reply);
			break;
		case kViewCountProperty:
			status = reply.AddInt32("result", CountChildren());
			break;
		default:
			BHandler::MessageReceived(message);
			return;
	}
	BPrivate::reply_result(message, &reply, status);
}



// #pragma mark - Tree


void
BView::AddChild(BView* child, BView* before)
{
	BPrivate::check_lock(fOwner);
	if (child == NULL || child->fParent != NULL || child == this)
		return;
	int32 index = before != NULL ? fChildren.IndexOf(before) : -1;
	if (index < 0)
		fChildren.AddItem(child);
	else
		fChildren.AddItem(child, index);
	child->fParent = this;
	if (fOwner != NULL) {
		child->_Attach(fOwner);
		child->_CallAllAttached();
		child->Invalidate();
	}
}


bool
BView::RemoveChild(BView* child)
{
	BPrivate::check_lock(fOwner);
	if (child == NULL || child->fParent != this)
		return false;
	if (fOwner != NULL) {
		Invalidate(child->Frame());
		child->_Detach();
		child->_CallAllDetached();
		child->_ReleaseOwner();
	}
	fChildren.RemoveItem(child);
	child->fParent = NULL;
	return true;
}


bool
BView::RemoveSelf()
{
	return fParent != NULL && fParent->RemoveChild(this);
}


int32
BView::CountChildren() const
{
	return fChildren.CountItems();
}


BView*
BView::ChildAt(int32 index) const
{
	return (BView*)fChildren.ItemAt(index);
}


BView*
BView::NextSibling() const
{
	if (fParent == NULL)
		return NULL;
	return fParent->ChildAt(fParent->fChildren.IndexOf((void*)this) + 1);
}


BView*
BView::PreviousSibling() const
{
	if (fParent == NULL)
		return NULL;
	int32 index = fParent->fChildren.IndexOf((void*)this);
	return index > 0 ? fParent->ChildAt(index - 1) : NULL;
}


BView*
BView::FindView(const char* name) const
{
	if (name == NULL)
		return NULL;
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		if (child->Name() != NULL && strcmp(child->Name(), name) == 0)
			return child;
		if (BView* found = child->FindView(name))
			return found;
	}
	return NULL;
}


void
BView::_Attach(BWindow* window)
{
	fOwner = window;
	window->AddHandler(this);
	if (fShelf != NULL)
		fShelf->_ContainerAttached();
	if ((fFlags & B_PULSE_NEEDED) != 0)
		window->_PulseNeeded();
	AttachedToWindow();
	for (int32 i = 0; BView* child = ChildAt(i); i++)
		child->_Attach(window);
}


void
BView::_CallAllAttached()
{
	for (int32 i = 0; BView* child = ChildAt(i); i++)
		child->_CallAllAttached();
	AllAttached();
}


void
BView::_Detach()
{
	DetachedFromWindow();
	for (int32 i = 0; BView* child = ChildAt(i); i++)
		child->_Detach();
}


void
BView::_CallAllDetached()
{
	for (int32 i = 0; BView* child = ChildAt(i); i++)
		child->_CallAllDetached();
	AllDetached();
}


void
BView::_ReleaseOwner()
{
	for (int32 i = 0; BView* child = ChildAt(i); i++)
		child->_ReleaseOwner();
	fOwner->_ViewDetached(this);
	fOwner->RemoveHandler(this);
	if (fShelf != NULL)
		fShelf->_ContainerDetached();
	fOwner = NULL;
}


// #pragma mark - Geometry


BRect
BView::Bounds() const
{
	return fBounds;
}


BRect
BView::Frame() const
{
	return fFrame;
}


void
BView::MoveBy(float dx, float dy)
{
	BPrivate::check_lock(fOwner);
	_Move(dx, dy);
}


void
BView::MoveTo(BPoint where)
{
	BPrivate::check_lock(fOwner);
	_Move(where.x - fFrame.left, where.y - fFrame.top);
}


void
BView::MoveTo(float x, float y)
{
	MoveTo(BPoint(x, y));
}


void
BView::ResizeBy(float dWidth, float dHeight)
{
	BPrivate::check_lock(fOwner);
	_Resize(dWidth, dHeight);
}


void
BView::ResizeTo(float width, float height)
{
	BPrivate::check_lock(fOwner);
	_Resize(width - fFrame.Width(), height - fFrame.Height());
}


void
BView::_Move(float dx, float dy)
{
	if (dx == 0 && dy == 0)
		return;
	if (fOwner != NULL && fParent != NULL)
		fParent->Invalidate(fFrame);
	fFrame.OffsetBy(dx, dy);
	if (fOwner != NULL) {
		Invalidate();
		if ((fFlags & B_FRAME_EVENTS) != 0)
			FrameMoved(fFrame.LeftTop());
	}
}


void
BView::_Resize(float dWidth, float dHeight)
{
	if (dWidth == 0 && dHeight == 0)
		return;
	if (fOwner != NULL && fParent != NULL)
		fParent->Invalidate(fFrame);
	fFrame.right += dWidth;
	fFrame.bottom += dHeight;
	fBounds.right += dWidth;
	fBounds.bottom += dHeight;
	for (int32 i = 0; BView* child = ChildAt(i); i++)
		child->_ParentResized(dWidth, dHeight);
	if (fOwner != NULL) {
		Invalidate();
		if ((fFlags & B_FRAME_EVENTS) != 0)
			FrameResized(fFrame.Width(), fFrame.Height());
	}
}


void
BView::_ParentResized(float dWidth, float dHeight)
{
	float top = EdgeShift((fResizingMode >> 12) & 0xf, dHeight);
	float left = EdgeShift((fResizingMode >> 8) & 0xf, dWidth);
	float bottom = EdgeShift((fResizingMode >> 4) & 0xf, dHeight);
	float right = EdgeShift(fResizingMode & 0xf, dWidth);
	_Move(left, top);
	_Resize(right - left, bottom - top);
}


void
BView::ScrollTo(BPoint where)
{
	BPrivate::check_lock(fOwner);
	if (where == fBounds.LeftTop())
		return;
	fBounds.OffsetTo(where);
	Invalidate();
	if (fScrollListeners[0])
		fScrollListeners[0](where.x);
	if (fScrollListeners[1])
		fScrollListeners[1](where.y);
}


void
BView::ScrollTo(float x, float y)
{
	ScrollTo(BPoint(x, y));
}


void
BView::ScrollBy(float dx, float dy)
{
	ScrollTo(BPoint(fBounds.left + dx, fBounds.top + dy));
}


void
BView::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


void
BView::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = fFrame.Width();
	if (height != NULL)
		*height = fFrame.Height();
}


void
BView::ConvertToParent(BPoint* point) const
{
	point->x += fFrame.left - fBounds.left;
	point->y += fFrame.top - fBounds.top;
}


BPoint
BView::ConvertToParent(BPoint point) const
{
	ConvertToParent(&point);
	return point;
}


void
BView::ConvertFromParent(BPoint* point) const
{
	point->x -= fFrame.left - fBounds.left;
	point->y -= fFrame.top - fBounds.top;
}


BPoint
BView::ConvertFromParent(BPoint point) const
{
	ConvertFromParent(&point);
	return point;
}


void
BView::ConvertToParent(BRect* rect) const
{
	rect->OffsetBy(fFrame.left - fBounds.left, fFrame.top - fBounds.top);
}


BRect
BView::ConvertToParent(BRect rect) const
{
	ConvertToParent(&rect);
	return rect;
}


void
BView::ConvertFromParent(BRect* rect) const
{
	rect->OffsetBy(fBounds.left - fFrame.left, fBounds.top - fFrame.top);
}


BRect
BView::ConvertFromParent(BRect rect) const
{
	ConvertFromParent(&rect);
	return rect;
}


void
BView::ConvertToScreen(BPoint* point) const
{
	*point += _WindowOrigin();
	if (fOwner != NULL)
		*point += fOwner->Frame().LeftTop();
}


BPoint
BView::ConvertToScreen(BPoint point) const
{
	ConvertToScreen(&point);
	return point;
}


void
BView::ConvertFromScreen(BPoint* point) const
{
	*point -= _WindowOrigin();
	if (fOwner != NULL)
		*point -= fOwner->Frame().LeftTop();
}


BPoint
BView::ConvertFromScreen(BPoint point) const
{
	ConvertFromScreen(&point);
	return point;
}


void
BView::ConvertToScreen(BRect* rect) const
{
	BPoint offset = ConvertToScreen(B_ORIGIN);
	rect->OffsetBy(offset);
}


BRect
BView::ConvertToScreen(BRect rect) const
{
	ConvertToScreen(&rect);
	return rect;
}


void
BView::ConvertFromScreen(BRect* rect) const
{
	BPoint offset = ConvertFromScreen(B_ORIGIN);
	rect->OffsetBy(offset);
}


BRect
BView::ConvertFromScreen(BRect rect) const
{
	ConvertFromScreen(&rect);
	return rect;
}


// Where the view's (0, 0) lies in the window.
BPoint
BView::_WindowOrigin() const
{
	BPoint origin(0, 0);
	for (const BView* view = this; view != NULL; view = view->fParent)
		view->ConvertToParent(&origin);
	return origin;
}


// The part of the window the view may draw on: its bounds cut by every ancestor's.
BRect
BView::_VisibleInWindow() const
{
	BRect visible = fBounds.OffsetByCopy(_WindowOrigin());
	for (const BView* view = fParent; view != NULL; view = view->fParent)
		visible = visible & view->fBounds.OffsetByCopy(view->_WindowOrigin());
	return visible;
}


// #pragma mark - Flags and state


void
BView::SetFlags(uint32 flags)
{
	BPrivate::check_lock(fOwner);
	fFlags = flags & ~_RESIZE_MASK_;
	if (fOwner != NULL && (fFlags & B_PULSE_NEEDED) != 0)
		fOwner->_PulseNeeded();
}


void
BView::SetResizingMode(uint32 mode)
{
	BPrivate::check_lock(fOwner);
	fResizingMode = mode & _RESIZE_MASK_;
}


void
BView::Show()
{
	BPrivate::check_lock(fOwner);
	fHideLevel--;
	if (fHideLevel == 0 && fOwner != NULL)
		Invalidate();
}


void
BView::Hide()
{
	BPrivate::check_lock(fOwner);
	if (fHideLevel == 0 && fOwner != NULL && fParent != NULL)
		fParent->Invalidate(fFrame);
	fHideLevel++;
}


bool
BView::IsHidden() const
{
	if (IsHidden(NULL))
		return true;
	return fOwner != NULL && fOwner->IsHidden();
}


bool
BView::IsHidden(const BView* lookingFrom) const
{
	for (const BView* view = this; view != NULL && view != lookingFrom;
			view = view->fParent) {
		if (view->fHideLevel > 0)
			return true;
	}
	return false;
}


void
BView::MakeFocus(bool focus)
{
	BPrivate::check_lock(fOwner);
	if (fOwner == NULL)
		return;
	if (focus)
		fOwner->_SetFocus(this);
	else if (fOwner->CurrentFocus() == this)
		fOwner->_SetFocus(NULL);
}


bool
BView::IsFocus() const
{
	return fOwner != NULL && fOwner->CurrentFocus() == this;
}


BScrollBar*
BView::ScrollBar(orientation direction) const
{
	return fScrollBars[direction == B_HORIZONTAL ? 0 : 1];
}


// #pragma mark - Colours, font, pen


void
BView::SetViewColor(rgb_color color)
{
	BPrivate::check_lock(fOwner);
	if (color == fViewColor)
		return;
	fViewColor = color;
	Invalidate();
}


void
BView::SetViewColor(uchar red, uchar green, uchar blue, uchar alpha)
{
	SetViewColor(make_color(red, green, blue, alpha));
}


void
BView::SetHighColor(rgb_color color)
{
	BPrivate::check_lock(fOwner);
	fStates->Current().highColor = color;
}


void
BView::SetHighColor(uchar red, uchar green, uchar blue, uchar alpha)
{
	SetHighColor(make_color(red, green, blue, alpha));
}


rgb_color
BView::HighColor() const
{
	return fStates->Current().highColor;
}


void
BView::SetLowColor(rgb_color color)
{
	BPrivate::check_lock(fOwner);
	fStates->Current().lowColor = color;
}


void
BView::SetLowColor(uchar red, uchar green, uchar blue, uchar alpha)
{
	SetLowColor(make_color(red, green, blue, alpha));
}


rgb_color
BView::LowColor() const
{
	return fStates->Current().lowColor;
}


void
BView::SetFont(const BFont* font, uint32 mask)
{
	BPrivate::check_lock(fOwner);
	if (font == NULL)
		return;
	BFont& current = fStates->Current().font;
	if ((mask & B_FONT_ALL) == B_FONT_ALL) {
		current = *font;
		return;
	}
	if ((mask & B_FONT_FAMILY_AND_STYLE) != 0) {
		font_family family;
		font_style style;
		font->GetFamilyAndStyle(&family, &style);
		current.SetFamilyAndStyle(family, style);
	}
	if ((mask & B_FONT_SIZE) != 0)
		current.SetSize(font->Size());
	if ((mask & B_FONT_SHEAR) != 0)
		current.SetShear(font->Shear());
	if ((mask & B_FONT_ROTATION) != 0)
		current.SetRotation(font->Rotation());
	if ((mask & B_FONT_SPACING) != 0)
		current.SetSpacing(font->Spacing());
	if ((mask & B_FONT_ENCODING) != 0)
		current.SetEncoding(font->Encoding());
	if ((mask & B_FONT_FACE) != 0 && (mask & B_FONT_FAMILY_AND_STYLE) == 0)
		current.SetFace(font->Face());
	if ((mask & B_FONT_FLAGS) != 0)
		current.SetFlags(font->Flags());
}


void
BView::GetFont(BFont* font) const
{
	if (font != NULL)
		*font = fStates->Current().font;
}


void
BView::SetFontSize(float size)
{
	BPrivate::check_lock(fOwner);
	fStates->Current().font.SetSize(size);
}


void
BView::GetFontHeight(font_height* height) const
{
	fStates->Current().font.GetHeight(height);
}


void
BView::SetDrawingMode(drawing_mode mode)
{
	fStates->Current().drawingMode = mode;
}


drawing_mode
BView::DrawingMode() const
{
	return fStates->Current().drawingMode;
}


void
BView::SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc)
{
	fStates->Current().alphaSource = srcAlpha;
	fStates->Current().alphaFunction = alphaFunc;
}


void
BView::GetBlendingMode(source_alpha* srcAlpha, alpha_function* alphaFunc) const
{
	if (srcAlpha != NULL)
		*srcAlpha = fStates->Current().alphaSource;
	if (alphaFunc != NULL)
		*alphaFunc = fStates->Current().alphaFunction;
}


void
BView::SetPenSize(float size)
{
	fStates->Current().penSize = size;
}


float
BView::PenSize() const
{
	return fStates->Current().penSize;
}


void
BView::SetLineMode(cap_mode lineCap, join_mode lineJoin, float miterLimit)
{
	DrawState& state = fStates->Current();
	state.lineCap = lineCap;
	state.lineJoin = lineJoin;
	state.miterLimit = miterLimit;
}


void
BView::SetOrigin(BPoint origin)
{
	fStates->Current().origin = origin;
}


void
BView::SetOrigin(float x, float y)
{
	SetOrigin(BPoint(x, y));
}


BPoint
BView::Origin() const
{
	return fStates->Current().origin;
}


void
BView::PushState()
{
	fStates->Push();
}


void
BView::PopState()
{
	fStates->Pop();
}


void
BView::ClipToRect(BRect rect)
{
	fStates->ClipToRect(rect);
}


// #pragma mark - Drawing


void
BView::MovePenTo(BPoint point)
{
	fStates->Current().penLocation = point;
}


void
BView::MovePenTo(float x, float y)
{
	MovePenTo(BPoint(x, y));
}


void
BView::MovePenBy(float x, float y)
{
	fStates->Current().penLocation += BPoint(x, y);
}


BPoint
BView::PenLocation() const
{
	return fStates->Current().penLocation;
}


// Places the view on the painter of the surface that shows it (the window's, or an open
// menu's popup); NULL when nothing can be drawn now.
BPrivate::Painter*
BView::_PrepareDrawing()
{
	if (fOwner == NULL || IsHidden(NULL))
		return NULL;
	BRect clip = _VisibleInWindow();
	if (fOwner->fInUpdate)
		clip = clip & fOwner->fUpdateClip;
	BPoint surfaceOrigin;
	BPrivate::Painter* painter = fOwner->_PainterFor(this, &surfaceOrigin);
	if (!clip.IsValid() || painter == NULL)
		return NULL;
	painter->SetView(_WindowOrigin() - surfaceOrigin,
		clip.OffsetByCopy(-surfaceOrigin.x, -surfaceOrigin.y));
	return painter;
}


// Drawing outside an update is shown when the current message is done.
void
BView::_Drew()
{
	if (fOwner->fInUpdate)
		return;
	BRect visible = _VisibleInWindow();
	fOwner->fDrawnRect = fOwner->fDrawnRect.IsValid()
		? fOwner->fDrawnRect | visible : visible;
}


void
BView::StrokeLine(BPoint toPoint, pattern pattern)
{
	StrokeLine(PenLocation(), toPoint, pattern);
}


void
BView::StrokeLine(BPoint start, BPoint end, pattern pattern)
{
	fStates->Current().penLocation = end;
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddLine(state, start, end, pattern);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.StrokeLine(state, start, end, pattern);
	});
}


void
BView::StrokeRect(BRect rect, pattern pattern)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddRect(BPrivate::kPictureStrokeRect, state, rect, pattern);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.StrokeRect(state, rect, pattern);
	});
}


void
BView::FillRect(BRect rect, pattern pattern)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddRect(BPrivate::kPictureFillRect, state, rect, pattern);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.FillRect(state, rect, pattern);
	});
}


void
BView::InvertRect(BRect rect)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddRect(BPrivate::kPictureInvertRect, state, rect, B_SOLID_HIGH);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.InvertRect(state, rect);
	});
}


void
BView::StrokeEllipse(BRect rect, pattern pattern)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddRect(BPrivate::kPictureStrokeEllipse, state, rect, pattern);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.StrokeEllipse(state, rect, pattern);
	});
}


void
BView::StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern pattern)
{
	StrokeEllipse(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), pattern);
}


void
BView::FillEllipse(BPoint center, float xRadius, float yRadius, pattern pattern)
{
	FillEllipse(BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius,
		center.y + yRadius), pattern);
}


void
BView::FillEllipse(BRect rect, pattern pattern)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddRect(BPrivate::kPictureFillEllipse, state, rect, pattern);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.FillEllipse(state, rect, pattern);
	});
}


void
BView::StrokeTriangle(BPoint point1, BPoint point2, BPoint point3, pattern pattern)
{
	BPoint points[3] = { point1, point2, point3 };
	StrokePolygon(points, 3, true, pattern);
}


void
BView::FillTriangle(BPoint point1, BPoint point2, BPoint point3, pattern pattern)
{
	BPoint points[3] = { point1, point2, point3 };
	FillPolygon(points, 3, pattern);
}


void
BView::StrokePolygon(const BPoint* points, int32 count, bool closed, pattern pattern)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddPolygon(BPrivate::kPictureStrokePolygon, state, points, count, closed, pattern);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.StrokePolygon(state, points, count, closed, pattern);
	});
}


void
BView::FillPolygon(const BPoint* points, int32 count, pattern pattern)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddPolygon(BPrivate::kPictureFillPolygon, state, points, count, true, pattern);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.FillPolygon(state, points, count, pattern);
	});
}


void
BView::BeginLineArray(int32 count)
{
}


void
BView::AddLine(BPoint start, BPoint end, rgb_color color)
{
	DrawState& state = fStates->Current();
	rgb_color high = state.highColor;
	BPoint pen = state.penLocation;
	state.highColor = color;
	StrokeLine(start, end);
	state.highColor = high;
	state.penLocation = pen;
}


void
BView::EndLineArray()
{
}


void
BView::DrawString(const char* string)
{
	if (string != NULL)
		DrawString(string, (int32)strlen(string));
}


void
BView::DrawString(const char* string, BPoint location)
{
	MovePenTo(location);
	DrawString(string);
}


void
BView::DrawString(const char* string, int32 length, BPoint location)
{
	MovePenTo(location);
	DrawString(string, length);
}


void
BView::DrawString(const char* string, int32 length)
{
	if (string == NULL || length <= 0)
		return;
	DrawState& state = fStates->Current();
	if (fPicture != NULL)
		_Recording().AddString(state, string, length, state.penLocation);
	BPrivate::Painter* painter = fPicture != NULL ? NULL : _PrepareDrawing();
	if (painter == NULL) {
		state.penLocation.x += StringWidth(string, length);
		return;
	}
	state.penLocation.x += painter->DrawString(state, string, length,
		state.penLocation);
	_Drew();
}


void
BView::DrawChar(char c)
{
	DrawString(&c, 1);
}


float
BView::StringWidth(const char* string) const
{
	return fStates->Current().font.StringWidth(string);
}


float
BView::StringWidth(const char* string, int32 length) const
{
	return fStates->Current().font.StringWidth(string, length);
}


void
BView::TruncateString(BString* inOut, uint32 mode, float width) const
{
	fStates->Current().font.TruncateString(inOut, mode, width);
}


void
BView::DrawBitmap(const BBitmap* bitmap)
{
	DrawBitmap(bitmap, PenLocation());
}


void
BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap != NULL)
		DrawBitmap(bitmap, bitmap->Bounds(), bitmap->Bounds().OffsetToCopy(where));
}


void
BView::DrawBitmap(const BBitmap* bitmap, BRect destination)
{
	if (bitmap != NULL)
		DrawBitmap(bitmap, bitmap->Bounds(), destination);
}


void
BView::DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination)
{
	_Draw([&](BPrivate::PictureData& picture, const DrawState& state) {
		picture.AddBitmap(state, bitmap, source, destination);
	}, [&](BPrivate::Painter& painter, const DrawState& state) {
		painter.DrawBitmap(state, bitmap, source, destination);
	});
}


void
BView::DrawBitmapAsync(const BBitmap* bitmap, BPoint where)
{
	DrawBitmap(bitmap, where);
}


void
BView::DrawBitmapAsync(const BBitmap* bitmap, BRect destination)
{
	DrawBitmap(bitmap, destination);
}


void
BView::DrawBitmapAsync(const BBitmap* bitmap, BRect source, BRect destination)
{
	DrawBitmap(bitmap, source, destination);
}


// #pragma mark - Pictures


BPrivate::PictureData&
BView::_Recording()
{
	return BPicture::Private::Data(fPicture);
}


void
BView::BeginPicture(BPicture* picture)
{
	if (picture != NULL)
		BPicture::Private::Data(picture).Clear();
	fPicture = picture;
}


void
BView::AppendToPicture(BPicture* picture)
{
	fPicture = picture;
}


BPicture*
BView::EndPicture()
{
	BPicture* picture = fPicture;
	fPicture = NULL;
	return picture;
}


void
BView::DrawPicture(const BPicture* picture)
{
	DrawPicture(picture, PenLocation());
}


void
BView::DrawPicture(const BPicture* picture, BPoint where)
{
	// Replaying into the picture being recorded would read what it writes.
	if (picture != NULL && picture != fPicture)
		BPicture::Private::Data(picture).Play(this, where);
}


void
BView::DrawPictureAsync(const BPicture* picture)
{
	DrawPicture(picture);
}


void
BView::DrawPictureAsync(const BPicture* picture, BPoint where)
{
	DrawPicture(picture, where);
}


void
BView::Invalidate(BRect rect)
{
	BPrivate::check_lock(fOwner);
	if (fOwner == NULL)
		return;
	BRect area = rect.OffsetByCopy(_WindowOrigin()) & _VisibleInWindow();
	if (area.IsValid())
		fOwner->_Invalidate(area);
}


void
BView::Invalidate()
{
	Invalidate(fBounds);
}


void
BView::Flush() const
{
	if (fOwner != NULL)
		fOwner->Flush();
}


void
BView::Sync() const
{
	if (fOwner != NULL)
		fOwner->Sync();
}


// #pragma mark - Scripting


BHandler*
BView::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property)
{
	switch (BPrivate::match_property(message, index, specifier, form, property,
			stViewProperties)) {
		case kFrameProperty:
		case kHiddenProperty:
		case kViewCountProperty:
			return this;
		case kShelfProperty:
			if (fShelf != NULL) {
				message->PopSpecifier();
				return fShelf;
			}
			BPrivate::reply_error(message, B_NAME_NOT_FOUND,
				"This view has no shelf");
			return NULL;
		case kViewProperty:
		{
			BView* child = NULL;
			if (form == B_NAME_SPECIFIER) {
				const char* name = NULL;
				if (specifier->FindString("name", &name) == B_OK) {
					for (int32 i = 0; BView* candidate = ChildAt(i); i++) {
						if (candidate->Name() != NULL && strcmp(candidate->Name(), name) == 0) {
							child = candidate;
							break;
						}
					}
					if (child == NULL)
						child = FindView(name);
				}
				if (child == NULL) {
					BPrivate::reply_error(message, B_NAME_NOT_FOUND,
						"No view by that name");
					return NULL;
				}
			} else {
				int32 childIndex = -1;
				specifier->FindInt32("index", &childIndex);
				if (form == B_REVERSE_INDEX_SPECIFIER)
					childIndex = CountChildren() - childIndex;
				child = ChildAt(childIndex);
				if (child == NULL) {
					BPrivate::reply_error(message, B_BAD_INDEX,
						"View index out of range");
					return NULL;
				}
			}
			message->PopSpecifier();
			return child;
		}
		default:
			return BHandler::ResolveSpecifier(message, index, specifier, form, property);
	}
}


status_t
BView::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-view", stViewProperties);
	if (status != B_OK)
		return status;
	return BHandler::GetSupportedSuites(data);
}
