// The system clipboard on X11: the kit's text offered to other X programs as the CLIPBOARD
// selection, and theirs fetched when they hold it (docs/clipboard.md). Requests for our
// text are answered on the display's event thread from the copy kept here, without a round
// trip, so that no X client can stall it; fetching waits at most kFetchTimeout.
#ifndef _X11_CLIPBOARD_H
#define _X11_CLIPBOARD_H

#include "support/ClipboardBridge.h"

#include <condition_variable>
#include <mutex>
#include <string>

#include <xcb/xcb.h>

namespace BPrivate {

class X11Clipboard : public ClipboardBridge {
public:
								X11Clipboard(xcb_connection_t* connection,
									xcb_screen_t* screen);
	virtual						~X11Clipboard();

	virtual	void				Publish(const std::string& text);
	virtual	status_t			Fetch(std::string& text);

	// Called on the display's event thread; true when the event was about selections.
	bool						HandleEvent(const xcb_generic_event_t* event);

	// How long a paste waits for the program that holds the clipboard.
	static constexpr bigtime_t		kFetchTimeout = 1000000;
	// The largest text handed over or accepted in one piece (the incremental transfer of
	// larger selections is not supported).
	static constexpr size_t			kMaxTextSize = 4 * 1024 * 1024;

private:
			xcb_atom_t			Atom(const char* name);
			bool				OwnedByKit(xcb_window_t owner);
			void				Answer(const xcb_selection_request_event_t* request);

			xcb_connection_t*	fConnection;
			xcb_window_t		fWindow;
			xcb_atom_t			fClipboardAtom;
			xcb_atom_t			fTargetsAtom;
			xcb_atom_t			fUTF8Atom;
			xcb_atom_t			fTextAtom;
			xcb_atom_t			fIncrAtom;
			xcb_atom_t			fMarkerAtom;
			xcb_atom_t			fPropertyAtom;
			size_t				fMaxServed;

			// Guards the text served and the fetch's rendezvous with the event thread.
			std::mutex			fLock;
			std::string			fText;
			bool				fOwned;
			std::condition_variable fArrival;
			bool				fArrived;
			xcb_atom_t			fArrivedProperty;
			// One fetch at a time: they share the property and the rendezvous.
			std::mutex			fFetchLock;
};

} // namespace BPrivate

#endif // _X11_CLIPBOARD_H
