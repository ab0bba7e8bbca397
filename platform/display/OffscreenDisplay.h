// The offscreen back end: windows live in memory. Tests reach them here to inject input,
// wait for drawing and read or save the pixels.
#ifndef _OFFSCREEN_DISPLAY_H
#define _OFFSCREEN_DISPLAY_H

#include "display/Display.h"

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

			// What a test sees.
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
			// window here.
			void				Inject(const DisplayEvent& event);

private:
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
};

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

			std::mutex			fLock;
			std::vector<OffscreenWindow*> fWindows;
};

} // namespace BPrivate

#endif // _OFFSCREEN_DISPLAY_H
