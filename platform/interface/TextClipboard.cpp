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
std::string stRuns;

} // namespace


void
set_clipboard_text(BClipboard* clipboard, const std::string& text,
	const std::string& flatRuns)
{
	if (clipboard == NULL) {
		std::lock_guard<std::mutex> locker(stLock);
		stText = text;
		stRuns = flatRuns;
		return;
	}
	if (!clipboard->Lock())
		return;
	clipboard->Clear();
	clipboard->Data()->AddData(kTextType, B_MIME_TYPE, text.data(), text.size());
	if (!flatRuns.empty())
		clipboard->Data()->AddData(kRunsType, B_MIME_TYPE, flatRuns.data(), flatRuns.size());
	clipboard->Commit();
	clipboard->Unlock();
}


std::string
clipboard_text(BClipboard* clipboard, std::string* flatRuns)
{
	if (flatRuns != NULL)
		flatRuns->clear();
	if (clipboard == NULL) {
		std::lock_guard<std::mutex> locker(stLock);
		if (flatRuns != NULL)
			*flatRuns = stRuns;
		return stText;
	}
	std::string text;
	if (!clipboard->Lock())
		return text;
	const void* data = NULL;
	ssize_t size = 0;
	if (clipboard->Data()->FindData(kTextType, B_MIME_TYPE, &data, &size) == B_OK)
		text.assign(static_cast<const char*>(data), size);
	if (flatRuns != NULL
		&& clipboard->Data()->FindData(kRunsType, B_MIME_TYPE, &data, &size) == B_OK)
		flatRuns->assign(static_cast<const char*>(data), size);
	clipboard->Unlock();
	return text;
}

} // namespace BPrivate
