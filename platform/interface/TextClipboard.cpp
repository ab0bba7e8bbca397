// The process's text clipboard: every window thread may cut or paste, so it is locked.
#include "interface/TextClipboard.h"

#include <mutex>

namespace BPrivate {

namespace {

std::mutex stLock;
std::string stText;

} // namespace


void
set_clipboard_text(const std::string& text)
{
	std::lock_guard<std::mutex> locker(stLock);
	stText = text;
}


std::string
clipboard_text()
{
	std::lock_guard<std::mutex> locker(stLock);
	return stText;
}

} // namespace BPrivate
