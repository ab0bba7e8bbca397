// The text views' clipboard text. The process buffer is locked: every window thread may
// cut or paste.
#include "interface/TextClipboard.h"

#include <Clipboard.h>
#include <Message.h>

#include <mutex>

namespace BPrivate {

namespace {

std::mutex stLock;
std::string stText;

} // namespace


void
set_clipboard_text(BClipboard* clipboard, const std::string& text)
{
	if (clipboard == NULL) {
		std::lock_guard<std::mutex> locker(stLock);
		stText = text;
		return;
	}
	if (!clipboard->Lock())
		return;
	clipboard->Clear();
	clipboard->Data()->AddData(kTextType, B_MIME_TYPE, text.data(), text.size());
	clipboard->Commit();
	clipboard->Unlock();
}


std::string
clipboard_text(BClipboard* clipboard)
{
	if (clipboard == NULL) {
		std::lock_guard<std::mutex> locker(stLock);
		return stText;
	}
	std::string text;
	if (!clipboard->Lock())
		return text;
	const void* data = NULL;
	ssize_t size = 0;
	if (clipboard->Data()->FindData(kTextType, B_MIME_TYPE, &data, &size) == B_OK)
		text.assign(static_cast<const char*>(data), size);
	clipboard->Unlock();
	return text;
}

} // namespace BPrivate
