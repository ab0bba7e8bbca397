// The offscreen back end: windows live in memory. Tests reach them here to inject input,
// wait for drawing and read or save the pixels.
#ifndef _OFFSCREEN_DISPLAY_H
#define _OFFSCREEN_DISPLAY_H

#include "display/Display.h"

#include <Accelerant.h>

#include <GraphicsDefs.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

class OffscreenWindow : public DisplayWindow {
public:
								OffscreenWindow(class OffscreenDisplay* display,
									BRect frame, const char* title,
									DisplayEventHandler handler, bool popup = false);
	virtual						~OffscreenWindow();

	virtual	void				SetTitle(const char* title);
	virtual	void				SetIcon(const uint32* pixels, int32 width, int32 height);
	virtual	void				SetFrame(BRect frame);
	virtual	void				SetSizeLimits(float minWidth, float maxWidth,
									float minHeight, float maxHeight);
	virtual	void				Show();
	virtual	void				Hide();
	virtual	void				Activate();
	virtual	void				Present(cairo_surface_t* surface, BRect dirty);
	virtual	void				SendBehind(DisplayWindow* other);
	virtual	bool				IsFront();
	virtual	void				SetDropTarget(const std::string& data);
	virtual	status_t			GrabPointer(bool grab);
	virtual	void				SetViewCursor(const DisplayCursor* cursor);

			// What a test sees.
			// The cursor the pointer would show over the window: no cursor while the
			// process's cursor is hidden or obscured, else the view's, else the
			// process's.
			DisplayCursor		Cursor();
			std::string			Title();
			// The icon as SetIcon() gave it: width, height, then the pixels; empty when
			// none was set.
			std::vector<uint32>	Icon();
			BRect				Frame();
			bool				IsVisible();
			// A menu's window (Display::CreatePopup).
			bool				IsPopup() const { return fPopup; }
			// The colour of a presented pixel (window coordinates); transparent black
			// outside the window or before anything was presented.
			rgb_color			PixelAt(int32 x, int32 y);
			status_t			SaveToPNG(const char* path);
			// The number of Present() calls so far.
			int64				Presentations();
			// Waits until Presentations() exceeds count; false on timeout.
			bool				WaitForPresentation(int64 count, bigtime_t timeout);

			// Delivers an event as if the user caused it. Resize events also resize the
			// window here; key events change the keyboard's state.
			void				Inject(const DisplayEvent& event);
			bool				HoldsPointer();

private:
	friend class OffscreenDisplay;

			void				SaveSnapshotLocked(bool always);

			class OffscreenDisplay* fDisplay;
			DisplayEventHandler	fHandler;
			std::mutex			fLock;
			std::condition_variable fPresented;
			std::string			fTitle;
			std::vector<uint32>	fIcon;
			BRect				fFrame;
			bool				fVisible;
			const bool			fPopup;
			cairo_surface_t*	fFront;
			int64				fPresentations;
			std::chrono::steady_clock::time_point fLastSnapshot;
			std::string			fDropTarget;
			bool				fGrabbed;
			bool				fHasViewCursor;
			DisplayCursor		fViewCursor;
};

// The offscreen screen's first mode.
const uint16 kOffscreenWidth = 1280;
const uint16 kOffscreenHeight = 1024;
const double kOffscreenRefreshRate = 60;

class OffscreenDisplay : public Display {
public:
								OffscreenDisplay();
	virtual						~OffscreenDisplay();

	virtual	const char*			Name() const { return "offscreen"; }
	virtual	BRect				ScreenFrame();
	virtual	DisplayWindow*		CreateWindow(BRect frame, const char* title,
									DisplayEventHandler handler);
	virtual	DisplayWindow*		CreatePopup(BRect frame, const char* title,
									DisplayEventHandler handler);

	virtual	bigtime_t			RefreshPeriod();
	virtual	status_t			ReadScreen(BRect area, uint32* pixels);
	virtual	rgb_color			DesktopColor();
	virtual	void				SetDesktopColor(rgb_color color);
	virtual	uint32				Modifiers();
	virtual	void				GetKeyStates(uint8 states[16]);
	virtual	status_t			SetKeyboardLocks(uint32 modifiers);
	virtual	status_t			ReadKeyMap(key_map** map, char** chars);
	virtual	status_t			GetMode(display_mode* mode);
	virtual	status_t			GetModeList(std::vector<display_mode>* modes);
	virtual	status_t			SetMode(const display_mode& mode);
	virtual	status_t			GetDeviceInfo(accelerant_device_info* info);
	virtual	status_t			GetTimingConstraints(
									display_timing_constraints* constraints);
	virtual	uint32				DPMSCapabilities();
	virtual	uint32				DPMSState();
	virtual	status_t			SetDPMS(uint32 state);
	virtual	bigtime_t			ClickSpeed();
	virtual	status_t			SetClickSpeed(bigtime_t speed);
	virtual	status_t			GetMouseSpeed(int32* speed, int32* acceleration);
	virtual	status_t			SetMouseSpeed(int32 speed, int32 acceleration);
	virtual	int32				CountMouseButtons();
	virtual	status_t			GetMouseMap(uint32 map[3]);
	virtual	status_t			SetMouseMap(const uint32 map[3]);
	virtual	int32				CountWorkspaces();
	virtual	status_t			SetWorkspaceCount(int32 count);
	virtual	int32				CurrentWorkspace();
	virtual	status_t			ActivateWorkspace(int32 index);
	virtual	status_t			DropTargetAt(BPoint where, std::string* data);
	// This process's windows are all it knows of: B_UNSUPPORTED.
	virtual	status_t			GetWindowStack(std::vector<StackedWindow>* windows);
	virtual	void				SetCursor(const DisplayCursor& cursor, bool sync);
	virtual	void				SetCursorHidden(bool hidden);
	// Hidden until the next injected pointer move.
	virtual	void				ObscureCursor();
	virtual	bool				IsCursorHidden();

			// The process's cursor as last set.
			DisplayCursor		AppCursor();
			bool				IsCursorObscured();

			// The windows that exist now, oldest first; a window stays valid until its
			// BWindow is deleted.
			std::vector<OffscreenWindow*> Windows();
			OffscreenWindow*	FindWindow(const char* title);
			// Delivers an event as OffscreenWindow::Inject does, unless the window is
			// gone: another thread may inject while the window's own thread deletes it,
			// and a window's removal waits for a delivery in progress.
			void				Inject(OffscreenWindow* window, const DisplayEvent& event);

private:
	friend class OffscreenWindow;
			void				Remove(OffscreenWindow* window);
			void				Raise(OffscreenWindow* window);
			void				Lower(OffscreenWindow* window, OffscreenWindow* above);
			void				NoteInput(const DisplayEvent& event);

			std::mutex			fLock;
			std::vector<OffscreenWindow*> fWindows;
			// Shown or not, back to front.
			std::vector<OffscreenWindow*> fStack;
			rgb_color			fDesktopColor;
			// The keyboard as the injected events left it; apart from fLock, which an
			// injection holds while the event is delivered.
			std::mutex			fInputLock;
			uint32				fModifiers;
			uint8				fKeyStates[16];
			bigtime_t			fClickSpeed;
			int32				fMouseSpeed;
			int32				fMouseAcceleration;
			uint32				fMouseMap[3];
			int32				fWorkspaceCount;
			int32				fCurrentWorkspace;
			// Under fInputLock.
			DisplayCursor		fCursor;
			bool				fCursorHidden;
			bool				fCursorObscured;
			// The screen's mode and power; apart from fLock, which ScreenFrame()'s
			// callers may hold.
			std::mutex			fModeLock;
			display_mode		fMode;
			uint32				fDPMSState;
};

} // namespace BPrivate

#endif // _OFFSCREEN_DISPLAY_H
