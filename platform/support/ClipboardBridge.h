// The system clipboard's link to the clipboard of the desktop around the kit (on X11, the
// CLIPBOARD selection). The app kit knows no display: a display back end that can exchange
// text with other programs installs a provider, which the clipboard asks on first use.
#ifndef _CLIPBOARD_BRIDGE_H
#define _CLIPBOARD_BRIDGE_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

class ClipboardBridge {
public:
	virtual						~ClipboardBridge();

	// Offers text (UTF-8) to the other programs as the clipboard's; an empty text
	// gives the clipboard up.
	virtual	void				Publish(const std::string& text) = 0;
	// B_OK with text when a program outside the kit holds the clipboard;
	// B_ENTRY_NOT_FOUND when nobody does or one of the kit's applications does (the
	// kit's own store then has the data); another error when the holder did not hand
	// text over in time.
	virtual	status_t			Fetch(std::string& text) = 0;
};

// Returns the process's bridge, or NULL when its display has none.
typedef ClipboardBridge* (*ClipboardBridgeProvider)();

void set_clipboard_bridge_provider(ClipboardBridgeProvider provider);
// The provider is asked once, on the first call; NULL without a provider.
ClipboardBridge* clipboard_bridge();

} // namespace BPrivate

#endif // _CLIPBOARD_BRIDGE_H
