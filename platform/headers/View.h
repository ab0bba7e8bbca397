// A view: a rectangle of a window that draws itself and receives input, with child views
// nested inside it. A view's frame is in its parent's coordinates; its bounds are its own,
// moved by scrolling. Everything here runs on the window's thread, with the window locked.
#ifndef _VIEW_H
#define _VIEW_H

#include <AppDefs.h>
#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <List.h>
#include <Rect.h>

#include <functional>

class BBitmap;
class BCursor;
class BMessage;
class BPicture;
class BPolygon;
class BRegion;
class BShape;
class BShelf;
class BScrollBar;
class BScrollView;
class BString;
class BWindow;

namespace BPrivate {
class DrawStateStack;
struct ViewBitmap;
class Painter;
class PictureData;
}

// Transit values of MouseMoved().
enum {
	B_ENTERED_VIEW = 0,
	B_INSIDE_VIEW,
	B_EXITED_VIEW,
	B_OUTSIDE_VIEW
};

// How BeginRectTracking() moves its outline.
enum {
	B_TRACK_WHOLE_RECT,
	B_TRACK_RECT_CORNER
};

// Event masks of SetEventMask() and SetMouseEventMask().
enum {
	B_POINTER_EVENTS	= 0x00000001,
	B_KEYBOARD_EVENTS	= 0x00000002
};

enum {
	B_LOCK_WINDOW_FOCUS		= 0x00000001,
	B_SUSPEND_VIEW_FOCUS	= 0x00000002,
	B_NO_POINTER_HISTORY	= 0x00000004,
	B_FULL_POINTER_HISTORY	= 0x00000008
};

// Options of SetViewBitmap() and SetViewOverlay(): repeat the bitmap across the view.
enum {
	B_TILE_BITMAP_X		= 0x00000001,
	B_TILE_BITMAP_Y		= 0x00000002,
	B_TILE_BITMAP		= 0x00000003
};

// View flags (the high bits of the flags word).
const uint32 B_FULL_UPDATE_ON_RESIZE	= 0x80000000UL;
const uint32 B_WILL_DRAW				= 0x20000000UL;
const uint32 B_PULSE_NEEDED				= 0x10000000UL;
const uint32 B_NAVIGABLE_JUMP			= 0x08000000UL;
const uint32 B_FRAME_EVENTS				= 0x04000000UL;
const uint32 B_NAVIGABLE				= 0x02000000UL;
const uint32 B_SUBPIXEL_PRECISE			= 0x01000000UL;
const uint32 B_DRAW_ON_CHILDREN			= 0x00800000UL;
const uint32 B_INPUT_METHOD_AWARE		= 0x00400000UL;

// Resizing modes: each of the four nibbles says which edge of the parent one edge of the
// view follows (top edge: bits 12-15, left: 8-11, bottom: 4-7, right: 0-3).
#define _RESIZE_MASK_	(0xffff)

enum {
	_VIEW_TOP_		= 1,
	_VIEW_LEFT_		= 2,
	_VIEW_BOTTOM_	= 3,
	_VIEW_RIGHT_	= 4,
	_VIEW_CENTER_	= 5
};

// A uint32, as the platform's resizing modes are, so that a mode picks the uint32
// overload of a constructor rather than an int or bool one.
inline constexpr uint32
_rule_(uint32 top, uint32 left, uint32 bottom, uint32 right)
{
	return (top << 12) | (left << 8) | (bottom << 4) | right;
}

#define B_FOLLOW_NONE		0
#define B_FOLLOW_ALL_SIDES	_rule_(_VIEW_TOP_, _VIEW_LEFT_, _VIEW_BOTTOM_, _VIEW_RIGHT_)
#define B_FOLLOW_ALL		B_FOLLOW_ALL_SIDES

#define B_FOLLOW_LEFT		_rule_(0, _VIEW_LEFT_, 0, _VIEW_LEFT_)
#define B_FOLLOW_RIGHT		_rule_(0, _VIEW_RIGHT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_LEFT_RIGHT	_rule_(0, _VIEW_LEFT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_H_CENTER	_rule_(0, _VIEW_CENTER_, 0, _VIEW_CENTER_)

#define B_FOLLOW_TOP		_rule_(_VIEW_TOP_, 0, _VIEW_TOP_, 0)
#define B_FOLLOW_BOTTOM		_rule_(_VIEW_BOTTOM_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_TOP_BOTTOM	_rule_(_VIEW_TOP_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_V_CENTER	_rule_(_VIEW_CENTER_, 0, _VIEW_CENTER_, 0)

class BView : public BHandler {
public:
							BView(BRect frame, const char* name, uint32 resizingMode,
								uint32 flags);
							// The view of an archive: its name, frame, resizing mode,
							// flags, colours, font, pen, modes, origin, event mask,
							// hidden state and archived children. Numbers out of
							// range are clamped or left at their defaults.
							BView(BMessage* archive);
	// Deletes the child views.
	virtual					~BView();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Adds "_frame" (rect), "_resize_mode", "_flags", "_evmask" (int32), "_hidden",
	// "_color" (the view colour, B_RGB_COLOR_TYPE), the drawing state ("_fname",
	// "_fflt", "_colors", "_psize", "_ppos", "_origin", "_dmod", "_blend",
	// "_lmcapjoin", "_lmmiter") and, when deep, each child's archive to "_views"
	// (docs/archives.md).
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;
	// Called once the whole tree is archived (on each archived view, with its own
	// archive) and once the object an archive rebuilt is complete.
	virtual	status_t		AllArchived(BMessage* into) const;
	virtual	status_t		AllUnarchived(const BMessage* from);

	// Hooks.
	virtual	void			AttachedToWindow();
	virtual	void			AllAttached();
	virtual	void			DetachedFromWindow();
	virtual	void			AllDetached();
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);
	// Called after the children drew, when the view has B_DRAW_ON_CHILDREN, with the
	// same area as Draw(): what it draws lies over the children.
	virtual	void			DrawAfterChildren(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			KeyUp(const char* bytes, int32 numBytes);
	virtual	void			FrameMoved(BPoint newPosition);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			WindowActivated(bool active);
	virtual	void			TargetedByScrollView(BScrollView* scrollView);
	virtual	void			Pulse();

	// The tree. AddChild() takes ownership; RemoveChild() gives it back.
			void			AddChild(BView* child, BView* before = NULL);
			bool			RemoveChild(BView* child);
			bool			RemoveSelf();
			int32			CountChildren() const;
			BView*			ChildAt(int32 index) const;
			BView*			NextSibling() const;
			BView*			PreviousSibling() const;
			BView*			Parent() const { return fParent; }
			BWindow*		Window() const { return fOwner; }
			// Searches this view's descendants (not the view itself) by name.
			BView*			FindView(const char* name) const;

	// Geometry.
			BRect			Bounds() const;
			BRect			Frame() const;
			BPoint			LeftTop() const { return fBounds.LeftTop(); }
			void			MoveBy(float dx, float dy);
			void			MoveTo(BPoint where);
			void			MoveTo(float x, float y);
			void			ResizeBy(float dWidth, float dHeight);
			void			ResizeTo(float width, float height);
	virtual	void			ScrollTo(BPoint where);
			void			ScrollTo(float x, float y);
			void			ScrollBy(float dx, float dy);
	virtual	void			ResizeToPreferred();
	virtual	void			GetPreferredSize(float* width, float* height);

			void			ConvertToParent(BPoint* point) const;
			BPoint			ConvertToParent(BPoint point) const;
			void			ConvertFromParent(BPoint* point) const;
			BPoint			ConvertFromParent(BPoint point) const;
			void			ConvertToParent(BRect* rect) const;
			BRect			ConvertToParent(BRect rect) const;
			void			ConvertFromParent(BRect* rect) const;
			BRect			ConvertFromParent(BRect rect) const;
			void			ConvertToScreen(BPoint* point) const;
			BPoint			ConvertToScreen(BPoint point) const;
			void			ConvertFromScreen(BPoint* point) const;
			BPoint			ConvertFromScreen(BPoint point) const;
			void			ConvertToScreen(BRect* rect) const;
			BRect			ConvertToScreen(BRect rect) const;
			void			ConvertFromScreen(BRect* rect) const;
			BRect			ConvertFromScreen(BRect rect) const;

	// Flags and state.
	virtual	void			SetFlags(uint32 flags);
			uint32			Flags() const { return fFlags; }
	virtual	void			SetResizingMode(uint32 mode);
			uint32			ResizingMode() const { return fResizingMode; }
	virtual	void			Show();
	virtual	void			Hide();
			// Hidden itself or through an ancestor (or its window).
			bool			IsHidden() const;
			bool			IsHidden(const BView* lookingFrom) const;
	virtual	void			MakeFocus(bool focus = true);
			bool			IsFocus() const;
	// B_POINTER_EVENTS: the view hears every pointer event of its window, wherever the
	// pointer is; SetMouseEventMask() until the buttons go up, holding the pointer (on
	// X11, a pointer grab) so that events outside the window come too. The options hold
	// while the mask does: B_LOCK_WINDOW_FOCUS keeps the window active (a deactivation
	// waits until the mask ends), B_SUSPEND_VIEW_FOCUS keeps keys from the focus view,
	// B_NO_POINTER_HISTORY gives the view only the latest of the pointer's moves waiting,
	// B_FULL_POINTER_HISTORY every one (the default; it wins over B_NO_POINTER_HISTORY).
			status_t		SetEventMask(uint32 mask, uint32 options = 0);
	// The cursor shown while the pointer is over the view or over a child without a
	// cursor of its own, instead of the application's; NULL gives the application's
	// back. The view keeps a copy.
			void			SetViewCursor(const BCursor* cursor, bool sync = true);
			uint32			EventMask();
			status_t		SetMouseEventMask(uint32 mask, uint32 options = 0);
			// The pointer position (view coordinates) and buttons. With
			// checkMessageQueue, each call hands the next of the positions the pointer
			// went through that the window has not dispatched yet, oldest first, so
			// that a tracking loop sees the whole path; then the latest.
			void			GetMouse(BPoint* location, uint32* buttons,
								bool checkMessageQueue = true);
			// For applications whose uint32 was an unsigned long.
			void			GetMouse(BPoint* location, unsigned long* buttons,
								bool checkMessageQueue = true);
			BScrollBar*		ScrollBar(orientation direction) const;

	// An outline on the screen (view coordinates) that follows the pointer until
	// EndRectTracking(): moved whole, or by its bottom right corner.
			void			BeginRectTracking(BRect startRect,
								uint32 style = B_TRACK_WHOLE_RECT);
			void			EndRectTracking();
	// Drags a copy of message (the caller keeps it) while the buttons are down, shown as
	// the outline of dragRect or as image (which the view takes and deletes), offset
	// being where the pointer holds it. On release the message goes to the view under
	// the pointer, in this or another kit application, with WasDropped() true and
	// DropPoint() in screen coordinates; replies go to replyTo (the view when NULL).
			void			DragMessage(BMessage* message, BRect dragRect,
								BHandler* replyTo = NULL);
			void			DragMessage(BMessage* message, BBitmap* image, BPoint offset,
								BHandler* replyTo = NULL);
			void			DragMessage(BMessage* message, BBitmap* image,
								drawing_mode dragMode, BPoint offset,
								BHandler* replyTo = NULL);

	// Colours, font and pen: the current drawing state.
	virtual	void			SetViewColor(rgb_color color);
			void			SetViewColor(uchar red, uchar green, uchar blue,
								uchar alpha = 255);
			rgb_color		ViewColor() const { return fViewColor; }
	virtual	void			SetHighColor(rgb_color color);
			void			SetHighColor(uchar red, uchar green, uchar blue,
								uchar alpha = 255);
			rgb_color		HighColor() const;
	virtual	void			SetLowColor(rgb_color color);
			void			SetLowColor(uchar red, uchar green, uchar blue,
								uchar alpha = 255);
			rgb_color		LowColor() const;
	virtual	void			SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
			void			GetFont(BFont* font) const;
			void			SetFontSize(float size);
			void			GetFontHeight(font_height* height) const;
	virtual	void			SetDrawingMode(drawing_mode mode);
			drawing_mode	DrawingMode() const;
			void			SetBlendingMode(source_alpha srcAlpha,
								alpha_function alphaFunc);
			void			GetBlendingMode(source_alpha* srcAlpha,
								alpha_function* alphaFunc) const;
	virtual	void			SetPenSize(float size);
			float			PenSize() const;
			void			SetLineMode(cap_mode lineCap, join_mode lineJoin,
								float miterLimit = B_DEFAULT_MITER_LIMIT);
			join_mode		LineJoinMode() const;
			cap_mode		LineCapMode() const;
			float			LineMiterLimit() const;
			// Scales what the view draws from now on, around the current origin; like the
			// origin, a pushed state scales on top of the scale below it. (The platform
			// declares it const, though it changes the state.)
			void			SetScale(float scale) const;
			float			Scale() const;
			// Draws text without antialiasing while enabled.
			void			ForceFontAliasing(bool enable);
			void			SetOrigin(BPoint origin);
			void			SetOrigin(float x, float y);
			BPoint			Origin() const;
			void			PushState();
			void			PopState();
			// Limits drawing to rect (view coordinates) until the state is popped.
			void			ClipToRect(BRect rect);
			// The area drawing is limited to, in the view's current coordinates: the
			// visible part of the view within every constraint of the state stack.
			void			GetClippingRegion(BRegion* region) const;
			// Limits this state level's drawing to region (current coordinates) within
			// the levels below; NULL lifts this level's limit.
			void			ConstrainClippingRegion(BRegion* region);
			// Limits drawing to the pixels the picture draws (or does not draw), with the
			// picture's origin at where, within the clipping already in force.
			void			ClipToPicture(BPicture* picture, BPoint where = B_ORIGIN,
								bool sync = true);
			void			ClipToInversePicture(BPicture* picture,
								BPoint where = B_ORIGIN, bool sync = true);

	// A background image shown under everything the view draws, in place of the view
	// colour where the bitmap is opaque: source (bitmap coordinates) scaled into
	// destination (view coordinates), repeated across the view along the axes options
	// tile (B_TILE_BITMAP_X, _Y; B_FILTER_BITMAP_BILINEAR smooths the scaling). The
	// destination follows the view's edges as followFlags (B_FOLLOW_*) say when the
	// view is resized. The view keeps a copy: the caller may delete the bitmap.
			void			SetViewBitmap(const BBitmap* bitmap, BRect srcRect,
								BRect dstRect,
								uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT,
								uint32 options = B_TILE_BITMAP);
			void			SetViewBitmap(const BBitmap* bitmap,
								uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT,
								uint32 options = B_TILE_BITMAP);
			void			ClearViewBitmap();
	// An overlay: a bitmap made with B_BITMAP_WILL_OVERLAY shown, as a view bitmap
	// placed the same way, wherever the view's pixels have the colour *colorKey returns
	// (the view and its children draw that colour where the overlay is to show). The
	// view reads the bitmap each time it draws: the caller keeps it until
	// ClearViewOverlay(). It takes the place of the view bitmap.
			status_t		SetViewOverlay(const BBitmap* overlay, BRect srcRect,
								BRect dstRect, rgb_color* colorKey,
								uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT,
								uint32 options = 0);
			status_t		SetViewOverlay(const BBitmap* overlay, rgb_color* colorKey,
								uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT,
								uint32 options = 0);
			void			ClearViewOverlay();
	// True while the view draws for a BPrintJob.
			bool			IsPrinting() const;

	// Drawing. Outside Draw() it shows at the end of the current message, or at Flush().
			void			MovePenTo(BPoint point);
			void			MovePenTo(float x, float y);
			void			MovePenBy(float x, float y);
			BPoint			PenLocation() const;
			void			StrokeLine(BPoint toPoint, pattern pattern = B_SOLID_HIGH);
			void			StrokeLine(BPoint start, BPoint end,
								pattern pattern = B_SOLID_HIGH);
			void			StrokeRect(BRect rect, pattern pattern = B_SOLID_HIGH);
			void			FillRect(BRect rect, pattern pattern = B_SOLID_HIGH);
			void			InvertRect(BRect rect);
			void			StrokeEllipse(BRect rect, pattern pattern = B_SOLID_HIGH);
			void			StrokeEllipse(BPoint center, float xRadius, float yRadius,
								pattern pattern = B_SOLID_HIGH);
			void			FillEllipse(BRect rect, pattern pattern = B_SOLID_HIGH);
			void			FillEllipse(BPoint center, float xRadius, float yRadius,
								pattern pattern = B_SOLID_HIGH);
			void			StrokeTriangle(BPoint point1, BPoint point2, BPoint point3,
								pattern pattern = B_SOLID_HIGH);
			void			FillTriangle(BPoint point1, BPoint point2, BPoint point3,
								pattern pattern = B_SOLID_HIGH);
			void			StrokePolygon(const BPoint* points, int32 count,
								bool closed = true, pattern pattern = B_SOLID_HIGH);
			void			FillPolygon(const BPoint* points, int32 count,
								pattern pattern = B_SOLID_HIGH);
			void			StrokePolygon(const BPolygon* polygon, bool closed = true,
								pattern pattern = B_SOLID_HIGH);
			void			FillPolygon(const BPolygon* polygon,
								pattern pattern = B_SOLID_HIGH);
			// bounds is the points' frame, which the caller already knows.
			void			StrokePolygon(const BPoint* points, int32 count, BRect bounds,
								bool closed = true, pattern pattern = B_SOLID_HIGH);
			void			FillPolygon(const BPoint* points, int32 count, BRect bounds,
								pattern pattern = B_SOLID_HIGH);
			// Angles in degrees, counter-clockwise from the positive x axis; a filled arc
			// is the pie slice from the centre.
			void			StrokeArc(BPoint center, float xRadius, float yRadius,
								float startAngle, float arcAngle,
								pattern pattern = B_SOLID_HIGH);
			void			StrokeArc(BRect rect, float startAngle, float arcAngle,
								pattern pattern = B_SOLID_HIGH);
			void			FillArc(BPoint center, float xRadius, float yRadius,
								float startAngle, float arcAngle,
								pattern pattern = B_SOLID_HIGH);
			void			FillArc(BRect rect, float startAngle, float arcAngle,
								pattern pattern = B_SOLID_HIGH);
			// Four points: the start, two control points and the end of a cubic curve.
			void			StrokeBezier(BPoint* controlPoints,
								pattern pattern = B_SOLID_HIGH);
			void			FillBezier(BPoint* controlPoints,
								pattern pattern = B_SOLID_HIGH);
			void			StrokeRoundRect(BRect rect, float xRadius, float yRadius,
								pattern pattern = B_SOLID_HIGH);
			void			FillRoundRect(BRect rect, float xRadius, float yRadius,
								pattern pattern = B_SOLID_HIGH);
			void			FillRegion(BRegion* region, pattern pattern = B_SOLID_HIGH);
			void			StrokeShape(BShape* shape, pattern pattern = B_SOLID_HIGH);
			void			FillShape(BShape* shape, pattern pattern = B_SOLID_HIGH);
			// Copies the pixels the view shows in src onto dst (scaled when the sizes
			// differ), as scrolling does; what src does not show is left undrawn.
			void			CopyBits(BRect src, BRect dst);
			// Lines of their own colours, drawn as they are added.
			void			BeginLineArray(int32 count);
			void			AddLine(BPoint start, BPoint end, rgb_color color);
			void			EndLineArray();

			// Draws at the pen, which then moves past the text.
			void			DrawString(const char* string);
			void			DrawString(const char* string, BPoint location);
			void			DrawString(const char* string, int32 length);
			void			DrawString(const char* string, int32 length, BPoint location);
			// delta widens each space and each other character by its amounts.
			void			DrawString(const char* string, escapement_delta* delta);
			void			DrawString(const char* string, BPoint location,
								escapement_delta* delta);
			void			DrawString(const char* string, int32 length,
								escapement_delta* delta);
			void			DrawString(const char* string, int32 length, BPoint location,
								escapement_delta* delta);
			void			DrawChar(char c);
			float			StringWidth(const char* string) const;
			float			StringWidth(const char* string, int32 length) const;
			void			TruncateString(BString* inOut, uint32 mode, float width) const;
			void			GetStringWidths(char* stringArray[], int32 lengthArray[],
								int32 numStrings, float widthArray[]) const;

			void			DrawBitmap(const BBitmap* bitmap);
			void			DrawBitmap(const BBitmap* bitmap, BPoint where);
			void			DrawBitmap(const BBitmap* bitmap, BRect destination);
			void			DrawBitmap(const BBitmap* bitmap, BRect source,
								BRect destination);
			void			DrawBitmapAsync(const BBitmap* bitmap, BPoint where);
			void			DrawBitmapAsync(const BBitmap* bitmap, BRect destination);
			void			DrawBitmapAsync(const BBitmap* bitmap, BRect source,
								BRect destination);

			// Recording: what the view draws from BeginPicture() on goes into the
			// picture (which it empties first; AppendToPicture() keeps what it holds)
			// instead of the window, until EndPicture() returns that picture. Clipping
			// is not recorded.
			void			BeginPicture(BPicture* picture);
			void			AppendToPicture(BPicture* picture);
			BPicture*		EndPicture();
			// Replays the picture with its origin at where (the pen location when
			// none is given); the view's drawing state is left as it was.
			void			DrawPicture(const BPicture* picture);
			void			DrawPicture(const BPicture* picture, BPoint where);
			void			DrawPictureAsync(const BPicture* picture);
			void			DrawPictureAsync(const BPicture* picture, BPoint where);

			void			Invalidate(BRect rect);
			void			Invalidate(const BRegion* region);
			void			Invalidate();
			void			Flush() const;
			void			Sync() const;

	// Scripting: the view suite.
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

			class Private;

private:
	friend class BWindow;
	friend class Private;

							BView(const BView&) = delete;
			BView&			operator=(const BView&) = delete;

			void			_Attach(BWindow* window);
			void			_Detach();
			void			_CallAllAttached();
			void			_CallAllDetached();
			void			_ReleaseOwner();
			void			_ParentResized(float dWidth, float dHeight);
			void			_Resize(float dWidth, float dHeight);
			void			_Move(float dx, float dy);
			BPoint			_WindowOrigin() const;
			BRect			_VisibleInWindow() const;
			BPrivate::Painter* _PrepareDrawing();
			BPrivate::PictureData& _Recording();
			void			_Drew();
			template<typename Record, typename Paint>
			void			_Draw(Record record, Paint paint);
			void			_DrawString(const char* string, int32 length,
								const escapement_delta* delta);
			void			_ClipToPicture(BPicture* picture, BPoint where, bool inverse);
			void			_SetViewBitmap(BPrivate::ViewBitmap* bitmap);
			status_t		_ArchiveTreeDone(BMessage* archive) const;

			BWindow*		fOwner;
			BView*			fParent;
			BList			fChildren;
			BRect			fFrame;
			BRect			fBounds;
			uint32			fResizingMode;
			uint32			fFlags;
			int32			fHideLevel;
			rgb_color		fViewColor;
			uint32			fEventMask;
			// The options SetEventMask() gave with fEventMask.
			uint32			fEventOptions;
			BPrivate::DrawStateStack* fStates;
			// The picture being recorded, if any; not owned.
			BPicture*		fPicture;
			// The background bitmap or overlay; owned.
			BPrivate::ViewBitmap* fViewBitmap;
			// The nesting of BPrintJob::DrawView() calls drawing this view.
			int32			fPrinting;
			// Horizontal first; each bar hears the view's scroll position on its axis.
			BScrollBar*		fScrollBars[2];
			BCursor*		fCursor;
			std::function<void(float)> fScrollListeners[2];
			// The shelf that holds replicants in this view, if any; not owned.
			BShelf*			fShelf;
};

#endif // _VIEW_H
