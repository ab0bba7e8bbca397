#include "support/ClipboardBridge.h"

#include <atomic>
#include <mutex>

namespace BPrivate {

namespace {

// Set while the library loads, before any thread can ask.
std::atomic<ClipboardBridgeProvider> stProvider{NULL};

} // namespace


ClipboardBridge::~ClipboardBridge()
{
}


void
set_clipboard_bridge_provider(ClipboardBridgeProvider provider)
{
	stProvider = provider;
}


ClipboardBridge*
clipboard_bridge()
{
	static std::once_flag stOnce;
	static ClipboardBridge* stBridge = NULL;
	std::call_once(stOnce, [] {
		ClipboardBridgeProvider provider = stProvider;
		if (provider != NULL)
			stBridge = provider();
	});
	return stBridge;
}

} // namespace BPrivate
