// The clipboard: data committed by one application and fetched by the others through the
// clipboard's file (ClipboardStore); the system clipboard also trades its text with the
// programs around the kit through the display's bridge (docs/clipboard.md).
#include <Clipboard.h>

#include "support/ClipboardBridge.h"
#include "app/ClipboardStore.h"
#include "app/ClipboardWatch.h"

#include <Application.h>
#include <Message.h>

#include <stdlib.h>
#include <string.h>

using BPrivate::ClipboardContents;
using BPrivate::ClipboardStore;

BClipboard* be_clipboard = NULL;

namespace {

const char* const kSystemClipboard = "system";
const char* const kTextType = "text/plain";


BPrivate::ClipboardBridge*
bridge_for(const char* name)
{
	return strcmp(name, kSystemClipboard) == 0 ? BPrivate::clipboard_bridge() : NULL;
}

} // namespace


BClipboard::BClipboard(const char* name, bool transient)
	:
	fName(strdup(name != NULL ? name : kSystemClipboard)),
	fData(new BMessage),
	fLock("clipboard"),
	fCount(0)
{
	(void)transient;
}


BClipboard::~BClipboard()
{
	delete fData;
	free(fName);
}


const char*
BClipboard::Name() const
{
	return fName;
}


uint32
BClipboard::LocalCount() const
{
	return fCount;
}


uint32
BClipboard::SystemCount() const
{
	ClipboardContents contents;
	ClipboardStore(fName).Load(contents);
	return contents.count;
}


status_t
BClipboard::StartWatching(BMessenger target)
{
	return BPrivate::ClipboardWatch::Default()->Add(ClipboardStore(fName).Leaf(), target);
}


status_t
BClipboard::StopWatching(BMessenger target)
{
	return BPrivate::ClipboardWatch::Default()->Remove(ClipboardStore(fName).Leaf(),
		target);
}


bool
BClipboard::Lock()
{
	if (!fLock.Lock())
		return false;
	// A nested lock keeps what the outer one fetched and changed.
	if (fLock.CountLocks() == 1)
		_Download();
	return true;
}


void
BClipboard::Unlock()
{
	fLock.Unlock();
}


bool
BClipboard::IsLocked() const
{
	return fLock.IsLocked();
}


status_t
BClipboard::Clear()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	fData->MakeEmpty();
	return B_OK;
}


status_t
BClipboard::Commit()
{
	return Commit(false);
}


status_t
BClipboard::Commit(bool failIfChanged)
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	ClipboardStore store(fName);
	ClipboardContents contents;
	status_t status = store.Load(contents);
	if (failIfChanged && status == B_OK && contents.count != fCount)
		return B_ERROR;
	// A file that does not decode is replaced; the count still moves on from ours.
	uint32 count = (status == B_OK ? contents.count : fCount) + 1;

	contents.count = count;
	contents.data = *fData;
	contents.source = be_app_messenger;
	status = store.Save(contents);
	if (status != B_OK)
		return status;
	fCount = count;
	fDataSource = contents.source;

	if (BPrivate::ClipboardBridge* bridge = bridge_for(fName)) {
		const void* text = NULL;
		ssize_t size = 0;
		if (fData->FindData(kTextType, B_MIME_TYPE, &text, &size) == B_OK)
			bridge->Publish(std::string((const char*)text, size));
		else
			bridge->Publish(std::string());
	}
	return B_OK;
}


status_t
BClipboard::Revert()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	return _Download();
}


BMessenger
BClipboard::DataSource() const
{
	return fDataSource;
}


BMessage*
BClipboard::Data() const
{
	return IsLocked() ? fData : NULL;
}


status_t
BClipboard::_Download()
{
	ClipboardContents contents;
	status_t status = ClipboardStore(fName).Load(contents);
	if (status == B_OK || status == B_ENTRY_NOT_FOUND) {
		fCount = contents.count;
		fDataSource = contents.source;
	}
	*fData = contents.data;

	// A program outside the kit that took the clipboard since holds the newer text.
	if (BPrivate::ClipboardBridge* bridge = bridge_for(fName)) {
		std::string text;
		if (bridge->Fetch(text) == B_OK) {
			fData->MakeEmpty();
			fData->AddData(kTextType, B_MIME_TYPE, text.data(), text.size());
			fDataSource = BMessenger();
			return B_OK;
		}
	}
	return status == B_ENTRY_NOT_FOUND ? B_OK : status;
}
