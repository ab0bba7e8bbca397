// The screen of a private X server as a test sees it: its pixels, read from the root
// window, and a user's clicks and keys, sent through the server's XTEST extension.
//
//	XvfbScreen screen(server.Name(), 700, 450);
//	screen.WaitFor([&] { return screen.At(10, 10) == 0xd8d8d8; });
//	screen.Click(60, 70);
//	screen.Save(QV_BIN_DIR "/../Something-screen.png");
#ifndef _XVFB_SCREEN_H
#define _XVFB_SCREEN_H

#include <SupportDefs.h>

#include <xcb/xcb.h>

#include <functional>
#include <string>
#include <vector>

class XvfbScreen {
public:
	// Looks at the rectangle of width by height pixels at the screen's top left corner.
								XvfbScreen(const std::string& display, int width,
									int height);
								~XvfbScreen();

			bool				IsOpen() const;
			int					Width() const { return fWidth; }
			int					Height() const { return fHeight; }

			// Reads the screen's pixels again; false when the server did not answer.
			bool				Grab();
			// A pixel of the last grab, 0xRRGGBB.
			uint32				At(int x, int y) const
									{ return fPixels[y * fWidth + x]; }
			// How many pixels of the last grab inside rect (edges included) pass test.
			int					Count(int left, int top, int right, int bottom,
									const std::function<bool(uint32)>& test) const;
			// The rows, top to bottom, where some pixel between left and right passes
			// test; each band of consecutive rows is given by its first row.
			std::vector<int>	Bands(int left, int right,
									const std::function<bool(uint32)>& test) const;
			// As Bands, for rows of text at least shortestRow tall: anti-aliased text
			// can leave a line without a passing pixel, which splits a row in two bands.
			std::vector<int>	TextRows(int left, int right,
									const std::function<bool(uint32)>& test,
									int shortestRow) const;
			// Polls (at most twice kWaitTimeout) until condition holds on a fresh grab.
			bool				WaitFor(const std::function<bool()>& condition);
			// Saves the last grab as a PNG file.
			bool				Save(const char* path) const;

			// The pointer moves to (x, y), in screen coordinates.
			void				MoveTo(int x, int y);
			void				Press();
			void				Release();
			// Moves there and clicks the primary button, then waits long enough for
			// the next click not to count as a double click.
			void				Click(int x, int y);
			// Types key (down and up).
			void				Key(xcb_keysym_t key);
			// Presses key with Control held, as a user types a shortcut.
			void				ControlKey(xcb_keysym_t key);
			// The key code of keysym in the server's keymap, 0 when none types it.
			xcb_keycode_t		KeyCode(xcb_keysym_t keysym);

			// The CARDINALs of a property of the top-level window titled title; empty
			// without them.
			std::vector<uint32>	Cardinals(const char* title, const char* property);

private:
			xcb_connection_t*	fConnection;
			xcb_window_t		fRoot;
			int					fWidth;
			int					fHeight;
			std::vector<uint32>	fPixels;
};

#endif // _XVFB_SCREEN_H
