// A window: a looper with its own thread that owns a tree of views, draws them into its
// own pixels and turns the display's input into messages for them.
//
// As every looper, a new window is locked by the thread that made it; the first Show()
// starts its thread. Quit() deletes the window, its views with it.
#ifndef _WINDOW_H
#define _WINDOW_H

#include <InterfaceDefs.h>
#include <List.h>
#include <Looper.h>
#include <Rect.h>
#include <StorageDefs.h>

#include <mutex>
#include <string>
#include <vector>

class BBitmap;
class BButton;
class BMenuBar;
class BView;

namespace BPrivate {
class BitmapSurface;
class ScreenOverlay;
struct DragSession;
class DisplayWindow;
class Painter;
class PulseTimer;
struct DisplayEvent;
}

enum window_type {
	B_UNTYPED_WINDOW	= 0,
	B_TITLED_WINDOW		= 1,
	B_MODAL_WINDOW		= 3,
	B_DOCUMENT_WINDOW	= 11,
	B_BORDERED_WINDOW	= 20,
	B_FLOATING_WINDOW	= 21
};

enum window_look {
	B_BORDERED_WINDOW_LOOK	= 20,
	B_NO_BORDER_WINDOW_LOOK	= 19,
	B_TITLED_WINDOW_LOOK	= 1,
	B_DOCUMENT_WINDOW_LOOK	= 11,
	B_MODAL_WINDOW_LOOK		= 3,
	B_FLOATING_WINDOW_LOOK	= 7
};

enum window_feel {
	B_NORMAL_WINDOW_FEEL			= 0,
	B_MODAL_SUBSET_WINDOW_FEEL		= 2,
	B_MODAL_APP_WINDOW_FEEL			= 1,
	B_MODAL_ALL_WINDOW_FEEL			= 3,
	B_FLOATING_SUBSET_WINDOW_FEEL	= 5,
	B_FLOATING_APP_WINDOW_FEEL		= 4,
	B_FLOATING_ALL_WINDOW_FEEL		= 6
};

enum {
	B_NOT_MOVABLE				= 0x00000001,
	B_NOT_RESIZABLE				= 0x00000002,
	B_NOT_H_RESIZABLE			= 0x00000004,
	B_NOT_V_RESIZABLE			= 0x00000008,
	B_WILL_ACCEPT_FIRST_CLICK	= 0x00000010,
	B_NOT_CLOSABLE				= 0x00000020,
	B_NOT_ZOOMABLE				= 0x00000040,
	B_AVOID_FRONT				= 0x00000080,
	B_NO_WORKSPACE_ACTIVATION	= 0x00000100,
	B_OUTLINE_RESIZE			= 0x00001000,
	B_AVOID_FOCUS				= 0x00002000,
	B_NOT_MINIMIZABLE			= 0x00004000,
	B_NOT_ANCHORED_ON_ACTIVATE	= 0x00020000,
	B_ASYNCHRONOUS_CONTROLS		= 0x00080000,
	B_QUIT_ON_WINDOW_CLOSE		= 0x00100000,
	B_SAME_POSITION_IN_ALL_WORKSPACES = 0x00200000,
	B_AUTO_UPDATE_SIZE_LIMITS	= 0x00400000,
	B_CLOSE_ON_ESCAPE			= 0x00800000
};

// How SetWindowAlignment() counts: in bytes of the screen's pixels, or in pixels.
enum window_alignment {
	B_BYTE_ALIGNMENT	= 0,
	B_PIXEL_ALIGNMENT	= 1
};

#define B_CURRENT_WORKSPACE	0
#define B_ALL_WORKSPACES	0xffffffff

class BWindow : public BLooper {
public:
	// frame: screen coordinates of the content, without border and tab.
							BWindow(BRect frame, const char* title, window_type type,
								uint32 flags, uint32 workspace = B_CURRENT_WORKSPACE);
							BWindow(BRect frame, const char* title, window_look look,
								window_feel feel, uint32 flags,
								uint32 workspace = B_CURRENT_WORKSPACE);
	// A window from its archive (docs/archives.md): the frame, title, look, feel,
	// flags, workspaces, limits and pulse rate archived, and the views of a deep
	// archive. Locked by the calling thread, as any new window.
							BWindow(BMessage* archive);
	virtual					~BWindow();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	virtual	void			Quit();
			void			Close() { Quit(); }

	// The views directly in the window are the children of its top view.
			void			AddChild(BView* child, BView* before = NULL);
			bool			RemoveChild(BView* child);
			int32			CountChildren() const;
			BView*			ChildAt(int32 index) const;
			BView*			FindView(const char* name) const;
			BView*			FindView(BPoint point) const;
			BView*			CurrentFocus() const { return fFocus; }
			BView*			LastMouseMovedView() const { return fLastMouseView; }

	virtual	void			DispatchMessage(BMessage* message, BHandler* handler);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			FrameMoved(BPoint newPosition);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			WindowActivated(bool active);
	virtual	void			MenusBeginning();
	virtual	void			MenusEnded();
	virtual	bool			QuitRequested();
	// The screen's frame or colour space changed.
	virtual	void			ScreenChanged(BRect screenSize, color_space depth);
	// The window's workspaces changed (SetWorkspaces() or the desktop).
	virtual	void			WorkspacesChanged(uint32 oldWorkspaces, uint32 newWorkspaces);
	// A workspace was entered (state true) or left.
	virtual	void			WorkspaceActivated(int32 workspace, bool state);
	// Zoom() and the zoom button call it with the frame to take; it moves and resizes.
	virtual	void			Zoom(BPoint origin, float width, float height);

	virtual	void			Show();
	virtual	void			Hide();
			bool			IsHidden() const { return fShowLevel > 0; }
			void			Minimize(bool minimize);
			bool			IsMinimized() const { return fMinimized; }
			void			Activate(bool active = true);
			bool			IsActive() const { return fActive; }

	// Takes the window's lock itself: any thread may rename the window.
			void			SetTitle(const char* title);
			const char*		Title() const;
	// A kit addition: the icon the desktop shows for the window (its task bar, its
	// switcher), a copy of icon in any colour space ImportBits() converts. B_BAD_VALUE
	// for an invalid bitmap.
			status_t		SetIcon(const BBitmap* icon);

			BRect			Bounds() const;
			BRect			Frame() const { return fFrame; }
			void			MoveBy(float dx, float dy);
			void			MoveTo(BPoint where);
			void			MoveTo(float x, float y);
			void			ResizeBy(float dWidth, float dHeight);
			void			ResizeTo(float width, float height);
			void			SetSizeLimits(float minWidth, float maxWidth, float minHeight,
								float maxHeight);
			void			GetSizeLimits(float* minWidth, float* maxWidth,
								float* minHeight, float* maxHeight);
	// Zoom() grows the window to the largest size the zoom and size limits and the
	// screen allow, or, when it is that size already, back to where it was.
			void			SetZoomLimits(float maxWidth, float maxHeight);
			void			Zoom();
	// The window's content frame is kept on this grid when it moves or resizes: its left
	// edge at h * n + hOffset, its width (pixels) at width * n + widthOffset, and so
	// vertically. Byte alignment counts the screen's 4 bytes a pixel.
			status_t		SetWindowAlignment(window_alignment mode, int32 h,
								int32 hOffset = 0, int32 width = 0, int32 widthOffset = 0,
								int32 v = 0, int32 vOffset = 0, int32 height = 0,
								int32 heightOffset = 0);
			status_t		GetWindowAlignment(window_alignment* mode = NULL,
								int32* h = NULL, int32* hOffset = NULL,
								int32* width = NULL, int32* widthOffset = NULL,
								int32* v = NULL, int32* vOffset = NULL,
								int32* height = NULL, int32* heightOffset = NULL) const;

			void			ConvertToScreen(BPoint* point) const;
			BPoint			ConvertToScreen(BPoint point) const;
			void			ConvertFromScreen(BPoint* point) const;
			BPoint			ConvertFromScreen(BPoint point) const;
			void			ConvertToScreen(BRect* rect) const;
			BRect			ConvertToScreen(BRect rect) const;
			void			ConvertFromScreen(BRect* rect) const;
			BRect			ConvertFromScreen(BRect rect) const;

	// Puts the window right behind window on the screen (behind all when NULL).
			status_t		SendBehind(const BWindow* window);
	// Whether the window is the frontmost shown one on the screen.
			bool			IsFront() const;

			// Updates wait while disabled (nested) or during a view transaction.
			void			DisableUpdates();
			void			EnableUpdates();
			void			BeginViewTransaction();
			void			EndViewTransaction();
			void			UpdateIfNeeded();
			bool			NeedsUpdate() const;
			void			Flush() const;
			void			Sync() const;

			// Command-key shortcuts: the message goes to target (the window when NULL).
			void			AddShortcut(uint32 key, uint32 modifiers, BMessage* message);
			void			AddShortcut(uint32 key, uint32 modifiers, BMessage* message,
								BHandler* target);
			void			RemoveShortcut(uint32 key, uint32 modifiers);
			BMenuBar*		KeyMenuBar() const { return fKeyMenuBar; }
			void			SetKeyMenuBar(BMenuBar* bar);
			// Enter invokes the default button wherever the focus is.
			void			SetDefaultButton(BButton* button);
			BButton*		DefaultButton() const { return fDefaultButton; }

			window_type		Type() const;
			status_t		SetType(window_type type);
			bool			IsModal() const;
			bool			IsFloating() const;
	// The normal windows a subset-modal or subset-floating window belongs to. The
	// subset only compares the pointers; it never uses a window through them.
			status_t		AddToSubset(BWindow* window);
			status_t		RemoveFromSubset(BWindow* window);
			window_look		Look() const { return fLook; }
			window_feel		Feel() const { return fFeel; }
			status_t		SetLook(window_look look);
			status_t		SetFeel(window_feel feel);
			uint32			Flags() const { return fFlags; }
			status_t		SetFlags(uint32 flags);
			uint32			Workspaces() const { return fWorkspaces; }
			void			SetWorkspaces(uint32 workspaces);

			// Views flagged B_PULSE_NEEDED hear Pulse() this often (microseconds; 0
			// stops it). 500000 by default.
			void			SetPulseRate(bigtime_t rate);
			bigtime_t		PulseRate() const { return fPulseRate; }

	// Scripting: the window suite.
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

			class Private;

private:
	friend class BView;
	friend class Private;

							// The offscreen window of a bitmap that accepts views
							// (Private::CreateForBitmap).
							BWindow(BBitmap* bitmap);

			// A view shown in a display popup of its own (an open menu).
			struct Popup;

			struct Shortcut {
				uint32		key;
				uint32		modifiers;
				BMessage*	message;
				BHandler*	target;
			};

			void			_Init(BRect frame, const char* title, window_look look,
								window_feel feel, uint32 flags, uint32 workspaces);
			void			_HandleDisplayEvent(const BPrivate::DisplayEvent& event);
			void			_HandleMouse(BMessage* message);
			void			_HandleKey(BMessage* message);
			void			_HandleResized(BMessage* message);
			bool			_HandleScripting(BMessage* message);
			void			_SetSize(float width, float height);
			void			_Invalidate(BRect windowRect);
			void			_RequestUpdate();
			void			_DrawPending();
			void			_DrawView(BView* view, BRect windowRect);
			// The painter of the surface that shows view, and where that surface's
			// (0, 0) lies in the window; NULL when the view shows nowhere.
			BPrivate::Painter* _PainterFor(const BView* view, BPoint* surfaceOrigin) const;
			status_t		_AddPopup(BView* root);
			void			_RemovePopup(BView* root);
			BView*			_FindViewIn(BView* view, BPoint point) const;
			void			_Present(BRect windowRect);
			void			_NotifyActivated(BView* view, bool active);
			void			_PresentDrawn();
			void			_SetFocus(BView* view);
			bool			_NavigateFocus(bool backward);
			void			_ViewDetached(BView* view);
			BView*			_MenuBarView() const;
			uint32			_KeyModifiers(BMessage* message) const;
			void			_PulseNeeded();
			void			_Pulse(BView* view);
			// Pointer messages: drags, the views' event masks and the pointer's history
			// around the usual delivery (_HandleMouse()).
			void			_DispatchPointer(BMessage* message);
			// Hands a pointer or key message, after its usual target, to the views
			// that asked for every such event (SetEventMask(), SetMouseEventMask()).
			void			_NotifyPointerListeners(BView* view, BMessage* message,
								BPoint where, BView* handled);
			void			_NotifyKeyListeners(BView* view, BMessage* message,
								const char* bytes);
			void			_SetMouseEventMask(BView* view, uint32 mask, uint32 options);
			// The event mask options of view in effect now, its mouse mask's included.
			uint32			_EventOptions(const BView* view) const;
			// Whether a view in view's tree has its keys or the window's focus held by
			// an option of its masks.
			bool			_HoldsFocus(const BView* view, uint32 option) const;
			// Whether view takes this pointer message: not a move that a newer one
			// waiting makes stale, when it asked for no history.
			bool			_TakesMove(const BView* view, BMessage* message) const;
			void			_SetActive(bool active);
			void			_ReleasePointer();
			// Shows the cursor of under (or of its nearest ancestor that has one), or
			// the application's for NULL.
			void			_ShowViewCursor(BView* under);
			// Where GetMouse() finds the pointer (window coordinates).
			void			_NextMousePosition(bool history, BPoint* where,
								uint32* buttons);
			void			_StartDrag(BView* view, const BMessage* message,
								BPrivate::ScreenOverlay* overlay, BPoint offset,
								BHandler* replyTo);
			// On a pointer message while dragging; false when no drag is on.
			bool			_TrackDrag(BMessage* message, BPoint where, int32 buttons);
			void			_EndDrag(BPoint where);
			// A dropped message for the window goes to the view under its drop point.
			BHandler*		_DropTarget(BMessage* message, BHandler* handler);
			void			_BeginRectTracking(BView* view, BRect rect, uint32 style);
			void			_EndRectTracking();
			// Moves the overlays that follow the pointer; under fMouseLock.
			void			_MoveOverlaysLocked(BPoint where);
			// Zoom, workspace and screen messages; false for any other.
			bool			_HandleWindowEvent(BMessage* message);
			BRect			_AlignedFrame(BRect frame) const;

			BView*			fTopView;
			std::string		fTitle;
			BRect			fFrame;
			window_look		fLook;
			window_feel		fFeel;
			uint32			fFlags;
			uint32			fWorkspaces;
			int32			fShowLevel;
			bool			fMinimized;
			bool			fActive;
			float			fMinWidth;
			float			fMaxWidth;
			float			fMinHeight;
			float			fMaxHeight;
			float			fZoomMaxWidth;
			float			fZoomMaxHeight;
			// The frame before the last zoom, which the next one returns to.
			BRect			fUnzoomedFrame;
			window_alignment fAlignMode;
			int32			fAlignment[8];
			std::vector<const BWindow*> fSubset;

			// Started when a view first needs pulses.
			BPrivate::PulseTimer* fPulse;
			bigtime_t		fPulseRate;

			BPrivate::DisplayWindow* fDisplayWindow;
			BPrivate::Painter* fPainter;
			// Set in a bitmap's window, which draws into the bitmap instead of a display
			// window and has no thread, no updates and no place among the application's
			// windows.
			BPrivate::BitmapSurface* fBitmapSurface;
			// Open menus, each in a display popup beside the window; later ones lie
			// above earlier ones.
			std::vector<Popup*> fPopups;
			// What waits to be drawn, and while drawing, the part being drawn now.
			BRect			fUpdateRect;
			BRect			fUpdateClip;
			bool			fUpdatePosted;
			BRect			fDrawnRect;
			int32			fUpdatesDisabled;
			bool			fInTransaction;
			bool			fInUpdate;

			BView*			fFocus;
			BView*			fLastMouseView;
			BView*			fMouseTarget;
			// Pointer messages up to this time were already read by a loop of the
			// window's thread (a menu's Track()); they are not dispatched again.
			bigtime_t		fPointerReadUntil;
			BMenuBar*		fKeyMenuBar;
			BButton*		fDefaultButton;
			std::vector<Shortcut> fShortcuts;

			BView*			fMouseMaskView;
			uint32			fMouseMaskOptions;
			// A move dispatched now has newer ones waiting behind it.
			bool			fStalePointer;
			// The display took the activation away while a view locked the window's
			// focus; the window gives it up once no view does.
			bool			fDeactivationHeld;
			bool			fPointerGrabbed;
			BPrivate::DragSession* fDrag;

			// The pointer as the display last reported it (window coordinates); written
			// by the display's thread, read by GetMouse().
	mutable	std::mutex		fMouseLock;
			BPoint			fMouseWhere;
			uint32			fMouseButtons;
			// The positions the pointer went through that GetMouse() has not handed out
			// and the window has not dispatched, oldest first (at most
			// kMouseHistorySize).
			struct MousePosition {
				BPoint		where;
				uint32		buttons;
				bigtime_t	when;
			};
			std::vector<MousePosition> fMouseHistory;
			// What follows the pointer on the screen, moved by the display's thread
			// (under fMouseLock) even while the window's thread is busy in a loop:
			// the drag's image and the tracked rectangle.
			BPrivate::ScreenOverlay* fDragOverlay;
			BPoint			fDragOffset;
			BPrivate::ScreenOverlay* fTrackingOverlay;
			BRect			fTrackingRect;
			uint32			fTrackingStyle;
			BPoint			fTrackingStart;
};

#endif // _WINDOW_H
